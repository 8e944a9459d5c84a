// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window over three weeks of made-up practice that ends today: touch typing on 16
// of the 21 days, getting faster, with a handful of kana that are slow or often mistyped, and
// some sequential input. The manual's pictures are taken from it (help/make-screenshots.sh).
//
// Usage: analysis_preview <folder>
// The store is <folder>/TyporinStats.db, filled when it does not exist yet; the window keeps its
// settings there, as it does beside the program.

#include "bench/support/SampleAttempts.h"
#include "platform/Fonts.h"
#include "platform/Icons.h"
#include "platform/Translate.h"
#include "records/UfAnalysis.h"
#include "store/ULanguage.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>

namespace {

// How a unit goes wrong for the learner of the sample: how much slower than the others it is,
// how often a wrong key is pressed on it, and which key, where which was due.
struct TWeakUnit {
    const char16_t* Unit;
    int ExtraMillis;
    double ErrorShare;
    int DueKey; // the index of the due key in the spelling
    const char* Typed;
};
constexpr TWeakUnit WeakUnits[] = {
    {u"ぬ", 230, 0.12, 1, "I"},   {u"しゃ", 150, 0.18, 1, "Y"}, {u"ふ", 60, 0.10, 0, "G"},
    {u"ぞ", 120, 0.14, 0, "X"},   {u"ぴ", 180, 0.08, 0, "O"},   {u"ー", 90, 0.10, 0, "0"},
    {u"りょ", 140, 0.09, 1, "U"}, {u"ヴ", 300, 0.15, 0, "B"},
};

// The key beside `key` on the keyboard, pressed by a slip.
std::string Neighbour(char key) {
    constexpr std::string_view rows[] = {"1234567890-", "QWERTYUIOP@", "ASDFGHJKL;:", "ZXCVBNM,./"};
    for (std::string_view row : rows) {
        std::size_t at = row.find(key);
        if (at != std::string_view::npos)
            return std::string(1, row[at + 1 < row.size() ? at + 1 : at - 1]);
    }
    return "J";
}

TUnitAttempt Attempt(std::mt19937& random, int dayIndex, bool firstOfString) {
    std::uniform_real_distribution<double> uniform(0, 1);
    TUnitAttempt a = RandomAttempt(random);
    const TWeakUnit* weak = nullptr;
    for (const TWeakUnit& unit : WeakUnits)
        if (a.Unit == unit.Unit)
            weak = &unit;
    // 15 % faster over the three weeks.
    const double pace = 1.0 - 0.15 * dayIndex / 20;
    a.Millis = firstOfString
                   ? -1
                   : static_cast<int>(
                         (170 + 160 * uniform(random) + (weak ? weak->ExtraMillis : 0)) * pace);
    a.Keys.clear();
    for (char key : a.Spelling)
        a.Keys.push_back({std::string(1, key),
                          a.Millis < 0 ? -1 : a.Millis / static_cast<int>(a.Spelling.size())});
    a.Misses.clear();
    const double errorShare = weak ? weak->ErrorShare : 0.025;
    if (uniform(random) < errorShare) {
        const std::size_t due =
            weak ? std::min<std::size_t>(weak->DueKey, a.Spelling.size() - 1) : 0;
        a.Misses.push_back({std::string(1, a.Spelling[due]),
                            weak ? std::string(weak->Typed) : Neighbour(a.Spelling[due])});
    }
    return a;
}

void FillSampleMonth(TStatsStore& store) {
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> uniform(0, 1);
    const std::int64_t now = TStatsStore::Now();
    const int today = TStatsStore::LocalDay(now);
    for (int d = 0; d < 21; ++d) {
        if (d % 4 == 2 && d != 20)
            continue; // days without practice
        const int day = today - 20 + d;
        for (int e = 0; e < 3; ++e) {
            TExerciseHead head;
            head.Title = u"かなのタッチタイプ";
            head.Day = day;
            head.Started = now - std::int64_t{20 - d} * 86400;
            auto id = store.BeginExercise(head);
            TExerciseTotals totals;
            int millis = 0;
            for (int i = 0; i < 240; ++i) {
                TUnitAttempt a = Attempt(random, d, i % 20 == 0);
                millis += a.Millis > 0 ? a.Millis : 400;
                totals.Keys += static_cast<int>(a.Keys.size() + a.Misses.size());
                totals.WrongKeys += static_cast<int>(a.Misses.size());
                totals.Units += 1;
                store.AddAttempt(id, std::move(a));
            }
            totals.Seconds = millis * 11 / 10000;
            totals.Finished = true;
            store.SetTotals(id, totals);
        }
        TExerciseHead head;
        head.Mode = TPracticeMode::Sequential;
        head.Title = u"駅前の本屋";
        head.Day = day;
        head.Started = now - std::int64_t{20 - d} * 86400 + 3600;
        auto id = store.BeginExercise(head);
        for (int i = 0; i < 40; ++i) {
            const bool accepted = uniform(random) < 0.8 + 0.15 * d / 20;
            store.AddCommit(id, {u"本屋", accepted ? u"本屋" : u"本や", accepted, 900,
                                 static_cast<int>(5 + 3 * uniform(random) * (1 - 0.5 * d / 20))});
        }
        store.SetTotals(id, {120, 260, 0, 80, true});
        store.Flush();
    }
    store.Sync();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: analysis_preview <folder>\n");
        return 2;
    }
    // The desktop's language, as the program's start chooses it when nothing is stored.
    if (!(ULanguage::DesktopLanguage() == ULanguage::TLanguage::English &&
          InstallTranslations(true)))
        InstallTranslations(false);
    SetUpFonts();
    UseProgramStyle();
    const std::filesystem::path file = std::filesystem::path(argv[1]) / "TyporinStats.db";
    const bool fill = !std::filesystem::exists(file);
    TStatsStore store(file);
    if (fill)
        FillSampleMonth(store);
    auto* window = new TfrmAnalysis(store);
    window->show();
    return app.exec();
}
