// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost of Qt's Japanese texts: finding, loading and installing the translation of
// Qt's own dialogs and buttons, as the program entry does once.

#include "app/UStartup.h"

#include <QApplication>
#include <QTranslator>

#include <benchmark/benchmark.h>

namespace {

void BM_InstallJapaneseQtTexts(benchmark::State& state) {
    for (auto _ : state) {
        InstallJapaneseQtTexts();
        state.PauseTiming();
        // Take the translator out again so that every round loads the file afresh.
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InstallJapaneseQtTexts)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
