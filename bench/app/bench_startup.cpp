// Time from process start to the main window shown, and the resident memory then, beside the
// same figures for a bare Qt window: the baseline the program's start is held against (under
// 1.4 times its time, and under 35 MB resident).
//
// Each iteration starts this executable again as a child ("--child <folder>"), which builds the
// main window over a program folder holding the sample registers and a default Typorin.dat,
// shows it, waits until the platform has exposed it and prints its resident set size; "--bare"
// does the same with an empty QWidget of the main window's default size. The parent times from
// the start of the child process to that line. Run it with QT_QPA_PLATFORM=offscreen, or under
// Xvfb with QT_QPA_PLATFORM=xcb.

#include "app/UDataFile.h"
#include "app/UfMain.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <iostream>

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

// Shows `window` and reports it as shown once the platform has exposed it.
int ReportShown(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        return 1;
    QCoreApplication::processEvents();
    std::cout << "shown " << ResidentKilobytes() << std::endl;
    return 0;
}

int RunChild(int argc, char** argv, const char* folder) {
    QApplication app(argc, argv);
    SetUpFonts();
    UseProgramStyle();
    SetProgramFolder(folder);
    TfrmMain window;
    return ReportShown(window);
}

int RunBareChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(620, 410);
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

// Starts the child with `arguments` once per iteration and times it to its window shown.
void TimeChildStarts(benchmark::State& state, const QStringList& arguments) {
    double residentMb = 0;
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        auto start = std::chrono::steady_clock::now();
        child.start(ExecutablePath, arguments);
        if (!child.waitForReadyRead(20000)) {
            state.SkipWithError("the child did not show its window");
            break;
        }
        auto shown = std::chrono::steady_clock::now();
        QByteArray line = child.readLine().trimmed();
        child.waitForFinished(20000);
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        residentMb = line.split(' ').value(1).toDouble() / 1024.0;
    }
    state.counters["resident_MB"] = residentMb;
}

void BM_BareQtWindowShown(benchmark::State& state) {
    TimeChildStarts(state, {QStringLiteral("--bare")});
}
BENCHMARK(BM_BareQtWindowShown)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_StartupToWindowShown(benchmark::State& state) {
    QTemporaryDir folder;
    PrepareFolder(folder.path());
    TimeChildStarts(state, {QStringLiteral("--child"), folder.path()});
}
BENCHMARK(BM_StartupToWindowShown)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv, argv[2]);
    if (argc == 2 && std::string(argv[1]) == "--bare")
        return RunBareChild(argc, argv);
    QCoreApplication app(argc, argv);
    ExecutablePath = QCoreApplication::applicationFilePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
