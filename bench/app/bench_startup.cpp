// SPDX-License-Identifier: GPL-3.0-or-later
// Time from process start to the main window shown, and the resident memory then, beside the
// same figures for a bare Qt window: the baseline the program's start is held against (under
// 1.4 times its time, and under 35 MB resident).
//
// Each iteration starts this executable again as a child ("--child <folder>"), which runs the
// program's own start (as its main does) over a program folder holding the sample registers and a
// default Typorin.dat, waits until the platform has exposed the main window and prints its
// resident set size; "--bare" does the same with an empty QWidget of the main window's default
// size. The parent times from the start of the child process to that line. Run it under Xvfb
// with QT_QPA_PLATFORM=xcb (or with QT_QPA_PLATFORM=offscreen), with XDG_RUNTIME_DIR set: the
// program's single-instance lock lives there.

#include "app/UStartup.h"
#include "app/UfMain.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/ProgramFolder.h"
#include "store/UDataFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

namespace {

QString ExecutablePath;
QString SourceTextFolder = QStringLiteral(TYPORIN_SOURCE_DIR "/TextFolder");

long ResidentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Reports `window` as shown once the platform has exposed it.
int ReportShown(QWidget& window) {
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        return 1;
    QCoreApplication::processEvents();
    std::cout << "shown " << ResidentKilobytes() << std::endl;
    return 0;
}

// The program's own start over `folder`, ended as soon as its window is shown.
int RunChild(int argc, char** argv, const char* folder) {
    QApplication app(argc, argv);
    SetProgramFolder(folder);
    int status = 0;
    RunProgram(app, [&status](TfrmMain& window) {
        status = ReportShown(window);
        return false;
    });
    return status;
}

int RunBareChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(620, 410);
    window.show();
    return ReportShown(window);
}

// The floor under the program's start: a main window with the program's kinds of controls (menu
// bar, tool bar, two check-box lists, two text panes, two status bars, splitters) in its two
// faces, with a few lines of Japanese in them, and nothing else: no data file, registers,
// keyboard, icons or input method.
int RunControlsChild(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpFonts();
    UseProgramStyle();
    QMainWindow window;
    QFont font(FixedFontFace);
    font.setPixelSize(16);
    window.setFont(font);
    QFont small(ProportionalFontFace);
    small.setPixelSize(12);
    QMenuBar* menus = window.menuBar();
    menus->setFont(small);
    for (const char* title :
         {"ファイル(&F)", "練習モード(&M)", "表示(&V)", "ツール(&T)", "ヘルプ(&H)"}) {
        QMenu* menu = menus->addMenu(QString::fromUtf8(title));
        menu->addAction(QStringLiteral("開く(&O)..."));
        menu->addAction(QStringLiteral("終了(&X)"));
    }
    QToolBar* tools = window.addToolBar(QStringLiteral("ToolBar1"));
    for (int i = 0; i < 10; ++i)
        tools->addAction(QString::number(i));
    auto* columns = new QSplitter(Qt::Horizontal);
    auto* lists = new QSplitter(Qt::Vertical);
    auto* registers = new QTreeWidget;
    registers->setHeaderHidden(true);
    for (const char* name : {"01 かなのタッチタイプ", "02 日本語の文章.txt", "03 英語の文章.txt"})
        new QTreeWidgetItem(registers, {QString::fromUtf8(name)});
    auto* titles = new QTreeWidget;
    titles->setHeaderHidden(true);
    for (const char* title : {"あいさつ", "はるのこうえん", "やおやさん", "あさのコーヒー",
                              "でんしゃ", "しゅくだい", "ラーメンや", "メール"})
        (new QTreeWidgetItem(titles, {QString::fromUtf8(title)}))->setCheckState(0, Qt::Unchecked);
    lists->addWidget(registers);
    lists->addWidget(titles);
    auto* panes = new QSplitter(Qt::Vertical);
    auto* example = new QTextEdit;
    example->setPlainText(QStringLiteral("求む！　バグ・不具合報告　質問もOK！\n"
                                         "ここをクリック→typorin@example.org"));
    auto* typed = new QTextEdit;
    panes->addWidget(example);
    panes->addWidget(typed);
    columns->addWidget(lists);
    columns->addWidget(panes);
    window.setCentralWidget(columns);
    window.statusBar()->setFont(small);
    window.statusBar()->showMessage(QStringLiteral("タッチタイプ"));
    window.resize(620, 410);
    window.show();
    return ReportShown(window);
}

void PrepareFolder(const QString& folder) {
    std::filesystem::copy(SourceTextFolder.toStdString(),
                          (QDir(folder).filePath(QStringLiteral("TextFolder"))).toStdString(),
                          std::filesystem::copy_options::recursive);
    SetProgramFolder(folder.toStdString());
    ResetOptions(1280, 800);
    WriteDataFile(DataFilePath());
    SetProgramFolder({});
}

struct TStart {
    double Seconds = 0;
    double ResidentMb = 0;
};

// Starts this executable as a child with `arguments` and times it to its window shown.
std::optional<TStart> TimeChildStart(const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    auto start = std::chrono::steady_clock::now();
    child.start(ExecutablePath, arguments);
    if (!child.waitForReadyRead(20000))
        return std::nullopt;
    auto shown = std::chrono::steady_clock::now();
    QByteArray line = child.readLine().trimmed();
    child.waitForFinished(20000);
    return TStart{std::chrono::duration<double>(shown - start).count(),
                  line.split(' ').value(1).toDouble() / 1024.0};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Each iteration starts the bare window, the window of controls and the program one after the
// other, so that all three see the machine alike; the program's start is timed. The counters give
// the medians of each and of the ratios to the bare window pair by pair, which hold when the
// machine's speed drifts.
void BM_StartupAgainstBareWindow(benchmark::State& state) {
    QTemporaryDir folder;
    PrepareFolder(folder.path());
    std::vector<double> bareMs, controlsMs, programMs, controlsRatios, programRatios;
    std::vector<double> bareMb, controlsMb, programMb;
    for (auto _ : state) {
        auto bare = TimeChildStart({QStringLiteral("--bare")});
        auto controls = TimeChildStart({QStringLiteral("--controls")});
        auto program = TimeChildStart({QStringLiteral("--child"), folder.path()});
        if (!bare || !controls || !program) {
            state.SkipWithError("a child did not show its window");
            break;
        }
        state.SetIterationTime(program->Seconds);
        bareMs.push_back(bare->Seconds * 1e3);
        controlsMs.push_back(controls->Seconds * 1e3);
        programMs.push_back(program->Seconds * 1e3);
        controlsRatios.push_back(controls->Seconds / bare->Seconds);
        programRatios.push_back(program->Seconds / bare->Seconds);
        bareMb.push_back(bare->ResidentMb);
        controlsMb.push_back(controls->ResidentMb);
        programMb.push_back(program->ResidentMb);
    }
    state.counters["bare_ms"] = Median(bareMs);
    state.counters["controls_ms"] = Median(controlsMs);
    state.counters["program_ms"] = Median(programMs);
    state.counters["controls_ratio"] = Median(controlsRatios);
    state.counters["program_ratio"] = Median(programRatios);
    state.counters["bare_MB"] = Median(bareMb);
    state.counters["controls_MB"] = Median(controlsMb);
    state.counters["program_MB"] = Median(programMb);
}
BENCHMARK(BM_StartupAgainstBareWindow)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv, argv[2]);
    if (argc == 2 && std::string(argv[1]) == "--bare")
        return RunBareChild(argc, argv);
    if (argc == 2 && std::string(argv[1]) == "--controls")
        return RunControlsChild(argc, argv);
    QCoreApplication app(argc, argv);
    ExecutablePath = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
