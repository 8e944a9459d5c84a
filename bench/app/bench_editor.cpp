// SPDX-License-Identifier: GPL-3.0-or-later
// The editor on large texts: a register of 10,000 entries (about 1 MB) listed, one entry read
// and one saved changed (milliseconds each); and one key typed into the editor window holding
// a 1 MB text, with the repaint it causes (p50 and p99 in microseconds).

#include "bench/support/MainWindowBench.h"
#include "editor/UfEditor.h"
#include "platform/FileIo.h"
#include "platform/PlainEdit.h"
#include "platform/ShiftJis.h"
#include "registers/UuEditRegi.h"

#include <QTextCursor>

namespace {

constexpr int EntryCount = 10000;

// "FF<0001>文 1", 4 lines of Japanese text and an empty line per entry: about 1 MB.
std::string BigRegister() {
    std::string line = ShiftJis::FromQString(
        QStringLiteral("今日は朝から雨が降っていたので、傘を持って駅まで歩きました。"));
    std::string bytes;
    for (int i = 0; i < EntryCount; ++i) {
        bytes += "FF<0000>" + ShiftJis::FromQString(QStringLiteral("文 %1").arg(i + 1)) + "\r\n";
        bytes += line + "\r\n" + line.substr(0, 30) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

class TBigRegister {
public:
    TBigRegister() {
        Path = FFolder.path().toStdString() + "/big.txt";
        SaveWholeFile(Path, BigRegister());
        FMiddle = UuEditRegi::TRegi::LoadEntries(Path)[EntryCount / 2].Data;
    }
    std::filesystem::path Path;

    // Reads the entry in the middle of the register into `regi`.
    void ReadMiddle(UuEditRegi::TRegi& regi) const {
        regi.ReadSentence(UuRegi::IntValue(FMiddle, "Idx"), UuRegi::IntValue(FMiddle, "LastIdx"),
                          Path);
    }

private:
    QTemporaryDir FFolder;
    std::vector<std::string> FMiddle; // the data of the entry in the middle
};

void BM_RegisterListEntries(benchmark::State& state) {
    TBigRegister file;
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file.Path));
    for (auto _ : state)
        benchmark::DoNotOptimize(UuEditRegi::TRegi::LoadEntries(file.Path));
}
BENCHMARK(BM_RegisterListEntries)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RegisterOpenEntry(benchmark::State& state) {
    TBigRegister file;
    UuEditRegi::TRegi regi;
    for (auto _ : state)
        file.ReadMiddle(regi);
}
BENCHMARK(BM_RegisterOpenEntry)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_RegisterSaveEntry(benchmark::State& state) {
    TBigRegister file;
    UuEditRegi::TRegi regi;
    file.ReadMiddle(regi);
    QString text = regi.TextText();
    int n = 0;
    for (auto _ : state)
        regi.ReplaceSentence(file.Path, text + QString::number(++n % 2));
}
BENCHMARK(BM_RegisterSaveEntry)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EditorKey1MB(benchmark::State& state) {
    QTemporaryDir folder;
    SetProgramFolder(folder.path().toStdString());
    std::filesystem::create_directory(folder.path().toStdString() + "/TextFolder");
    TSilentDialogs dialogs;
    Dialogs::SetResponder(&dialogs);
    ResetOptions(1280, 800);
    OptionRec.EditorWidth = 900;
    OptionRec.EditorHeight = 600;
    auto* editor = new TfrmEditor;
    editor->show();
    if (!QTest::qWaitForWindowExposed(editor))
        state.SkipWithError("the editor was not shown");
    auto* edit = editor->findChild<TPlainEdit*>("RichEdit1");
    QString text = ShiftJis::ToQString(BigRegister());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    state.counters["chars"] = static_cast<double>(text.size());
    edit->setPlainText(text);
    QTextCursor middle = edit->textCursor();
    middle.setPosition(static_cast<int>(text.size() / 2));
    edit->setTextCursor(middle);
    edit->centerCursor();
    edit->setFocus();
    QCoreApplication::processEvents();
    std::vector<double> times;
    for (auto _ : state) {
        double seconds = TimedKey(edit, 'a');
        times.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    ReportPercentiles(state, times);
    editor->findChild<TPlainEdit*>("RichEdit1")->document()->setModified(false);
    delete editor;
    Dialogs::SetResponder(nullptr);
    SetProgramFolder({});
}
BENCHMARK(BM_EditorKey1MB)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
