// SPDX-License-Identifier: GPL-3.0-or-later
// Time from the command to the settings dialog and to the about box shown: the window built
// with all its controls (and, for the about box, the logo's bitmaps), shown, exposed by the
// platform and painted once. Run it with QT_QPA_PLATFORM=offscreen, or under Xvfb with
// QT_QPA_PLATFORM=xcb.

#include "bench/support/MainWindowBench.h"
#include "dialogs/UfSetOption.h"
#include "dialogs/UfVersion.h"
#include "store/UDataFile.h"

#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

template <typename TDialog>
void OpenToShown(benchmark::State& state) {
    ResetOptions(1280, 800);
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        auto dialog = std::make_unique<TDialog>();
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get(), 10000)) {
            state.SkipWithError("the dialog was not shown");
            break;
        }
        dialog->repaint();
        auto shown = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        dialog->close();
        dialog.reset();
        QCoreApplication::processEvents();
    }
}

void BM_SettingsDialogToShown(benchmark::State& state) {
    OpenToShown<TfrmSetOption>(state);
}
void BM_AboutBoxToShown(benchmark::State& state) {
    OpenToShown<TfrmVersion>(state);
}
BENCHMARK(BM_SettingsDialogToShown)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AboutBoxToShown)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
