// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the benchmarks of the main window share: a window over a temporary program folder with
// one register of one sentence, keys timed one by one with the repaint they cause, and the
// median and 99th percentile of those times as counters (microseconds).

#include "app/UfMain.h"
#include "bench/support/Percentiles.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/ProgramFolder.h"
#include "platform/RichEdit.h"
#include "store/UDataFile.h"
#include "store/UStatsStore.h"
#include "store/UTouchSettings.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <vector>

using TBenchClock = std::chrono::steady_clock;

// Boxes (the closing box of a drill) are answered at once.
class TSilentDialogs : public Dialogs::TResponder {
public:
    void Message(Dialogs::TIcon, const QString&) override {}
    bool YesNo(Dialogs::TIcon, const QString&) override { return true; }
    Dialogs::TAnswer YesNoCancel(Dialogs::TIcon, const QString&) override {
        return Dialogs::TAnswer::Yes;
    }
    QString OpenFileName(const Dialogs::TFileDialogOptions&) override { return {}; }
    QString SaveFileName(const Dialogs::TFileDialogOptions&) override { return {}; }
    std::optional<QString> Text(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};

class TBenchWindow {
public:
    // The window in `mode` (900 × 600) over a register whose one sentence is `text`
    // (Shift_JIS).
    TBenchWindow(TPracticeMode mode, const std::string& text,
                 TfrmMain::TStatistics statistics = TfrmMain::TStatistics::Recorded,
                 TInputStyle style = TInputStyle::Romaji) {
        Dialogs::SetResponder(&FDialogs);
        SetProgramFolder(FFolder.path().toStdString());
        std::filesystem::create_directory(FFolder.path().toStdString() + "/TextFolder");
        std::ofstream(FFolder.path().toStdString() + "/TextFolder/a.txt", std::ios::binary)
            << "FF<0001>bench\r\n"
            << text << "\r\n";
        ResetOptions(1280, 800);
        OptionRec.ExamMode = static_cast<std::uint8_t>(mode);
        OptionRec.MainWidth = 900;
        OptionRec.MainHeight = 600;
        WriteDataFile(DataFilePath());
        if (style != TInputStyle::Romaji) {
            TStatsStore store(StatsFilePath());
            SaveTouchSettings(store, {style, TKeyboardKind::Jis});
            store.Sync();
        }
        FWindow = std::make_unique<TfrmMain>(nullptr, statistics);
        FWindow->show();
        if (!QTest::qWaitForWindowExposed(FWindow.get()))
            throw std::runtime_error("the window was not shown");
        Example = FWindow->findChild<TRichEdit*>("RichEdit1");
        Typed = FWindow->findChild<TRichEdit*>("RichEdit2");
    }
    ~TBenchWindow() {
        FWindow.reset();
        SetProgramFolder({});
        Dialogs::SetResponder(nullptr);
    }
    TBenchWindow(const TBenchWindow&) = delete;
    TBenchWindow& operator=(const TBenchWindow&) = delete;

    // Starts the sentence again, as Enter in the sentence list does.
    void Load() {
        auto* sentences = FWindow->findChild<QTreeWidget*>("ListView2");
        sentences->setFocus();
        QTest::keyClick(sentences, Qt::Key_Return);
        QCoreApplication::processEvents();
    }

    // A command of the window's menus, by its name ("Comp1").
    void Trigger(const char* action) {
        FWindow->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }

    TRichEdit* Example = nullptr;
    TRichEdit* Typed = nullptr;

private:
    TSilentDialogs FDialogs;
    QTemporaryDir FFolder;
    std::unique_ptr<TfrmMain> FWindow;
};

// A key as the learner types it ('\r' for Enter), and the repaint that follows; in seconds.
inline double TimedKey(QWidget* target, char key) {
    auto start = TBenchClock::now();
    if (key == '\r')
        QTest::keyClick(target, Qt::Key_Return);
    else
        QTest::keyClick(target, key);
    QCoreApplication::processEvents();
    return std::chrono::duration<double>(TBenchClock::now() - start).count();
}

inline int RunWindowBenchmarks(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpFonts();
    UseProgramStyle();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
