// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window tests share: a temporary program folder with its TextFolder, the
// dialogs answered and recorded, a window opened offscreen over a prepared Typorin.dat, and
// ways to reach its controls by name and drive them as a learner would.

#include "app/UfMain.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "platform/StatusPanel.h"
#include "store/UDataFile.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/TempFolder.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

class TMainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&OptionRec, 0, sizeof OptionRec);
        std::memset(PracticeRecs, 0, sizeof PracticeRecs);
        std::filesystem::create_directory(FFolder.Path() / "TextFolder");
    }

    // A register file in the test's TextFolder, written in Shift_JIS.
    std::filesystem::path WriteRegister(const std::string& name, const std::u16string& text) {
        std::filesystem::path path = FFolder.Path() / "TextFolder" / name;
        std::ofstream(path, std::ios::binary) << ShiftJis::FromUtf16(text);
        return path;
    }

    // A Typorin.dat with the defaults, changed by `change`.
    template <typename F>
    void WriteSettings(F change) {
        QSize screen = QGuiApplication::primaryScreen()->size();
        ResetOptions(screen.width(), screen.height());
        change(OptionRec);
        WriteDataFile(DataFilePath());
        std::memset(&OptionRec, 0, sizeof OptionRec);
    }
    void WriteSettings() {
        WriteSettings([](TOptionRec&) {});
    }
    void WriteSettingsInMode(TPracticeMode mode) {
        WriteSettings([mode](TOptionRec& o) { o.ExamMode = static_cast<std::uint8_t>(mode); });
    }

    std::unique_ptr<TfrmMain> Open() {
        auto window = std::make_unique<TfrmMain>();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    // The window in `mode` over a register of one entry holding `text`, its sentence started.
    std::unique_ptr<TfrmMain> StartSentence(TPracticeMode mode, std::u16string_view text) {
        WriteRegister("a.txt", u"FF<0001>朝\r\n" + std::u16string(text) + u"\r\n");
        WriteSettingsInMode(mode);
        auto window = Open();
        ClickSentence(window.get(), 0);
        return window;
    }

    template <typename T = QWidget>
    static T* Find(QWidget* window, const char* name) {
        T* child = window->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            ADD_FAILURE() << "no control named " << name;
        return child;
    }
    static QAction* Action(QWidget* window, const char* name) {
        return Find<QAction>(window, name);
    }
    static TRichEdit* Pane(QWidget* window, const char* name) {
        return Find<TRichEdit>(window, name);
    }
    static QString Panel(QWidget* window, const char* bar, int index) {
        return StatusPanel(Find<QStatusBar>(window, bar), index)->Text();
    }

    // Seconds pass: the exercise timer ticks `count` times.
    static void Tick(QWidget* window, int count = 1) {
        auto* timer = Find<QTimer>(window, "Timer1");
        for (int i = 0; i < count; ++i)
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    }

    // The input method commits `text` into `pane`, as fcitx5 or ibus would.
    static void Commit(QWidget* pane, const QString& text) {
        QInputMethodEvent event(QString(), {});
        event.setCommitString(text);
        QApplication::sendEvent(pane, &event);
    }

    // A click on a sentence of ListView2, which starts it.
    static void ClickSentence(QWidget* window, int index) {
        auto* sentences = Find<QTreeWidget>(window, "ListView2");
        QTreeWidgetItem* item = sentences->topLevelItem(index);
        ASSERT_NE(item, nullptr);
        QRect rect = sentences->visualItemRect(item);
        QTest::mouseClick(sentences->viewport(), Qt::LeftButton, {},
                          rect.center() + QPoint(rect.width() / 4, 0));
    }

    // Colour and style of the character at byte `pos` of a pane; the selection is kept.
    struct TFormat {
        TRgb Color;
        TFontStyles Styles;
    };
    static TFormat FormatAt(TRichEdit* pane, int pos) {
        int start = pane->SelStart(), length = pane->SelLength();
        pane->Select(pos, 1);
        TFormat format{pane->SelColor(), pane->SelStyle()};
        pane->Select(start, length);
        return format;
    }

    static std::string FileBytes() {
        std::ifstream in(DataFilePath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TTempFolder FFolder;
    TDialogRecorder FDialogs;
};
