// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UKanaAnalysis.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace UKanaAnalysis;

constexpr int Today = 20100;

// A day of a unit: `attempts` of which `failed` had a wrong key, all timed at `millis`.
TUnitDay Day(int day, std::u16string unit, std::string spelling, int attempts, int failed,
             int millis) {
    TUnitDay d{day, std::move(unit), std::move(spelling), attempts, failed, failed, {}};
    d.Times.Add(millis, static_cast<std::uint32_t>(attempts));
    return d;
}

TEST(WeaknessScoreTest, ErrorsAndTimeCountHalfEachAgainstTheLearnersOwnFigures) {
    const TLearnerFigures learner{1000, 100, 300}; // 10 % errors, 300 ms
    struct TCase {
        const char* Name;
        TWeaknessInput Unit;
        std::optional<double> Score;
    };
    const TCase cases[] = {
        {"as the learner", {50, 5, 300}, 1.0},
        {"twice the errors", {50, 10, 300}, 1.5},
        {"twice the time", {50, 5, 600}, 1.5},
        {"no errors, fast", {50, 0, 150}, 0.25},
        {"never timed counts as the learner's time", {50, 10, std::nullopt}, 1.5},
        {"too few attempts", {MinAttempts - 1, 9, 900}, std::nullopt},
        {"just enough attempts", {MinAttempts, 1, 300}, 1.0},
    };
    for (const TCase& c : cases) {
        std::optional<double> score = WeaknessScore(c.Unit, learner);
        ASSERT_EQ(score.has_value(), c.Score.has_value()) << c.Name;
        if (score) {
            EXPECT_NEAR(*score, *c.Score, 1e-9) << c.Name;
        }
    }
}

TEST(WeaknessScoreTest, ALearnerWhoRarelyErrsIsNotToldThatOneSlipIsAWeakness) {
    // 0.5 % errors overall: the share is taken as 2 %, so one slip in 20 scores 2.5 on errors.
    const TLearnerFigures learner{2000, 10, 300};
    EXPECT_NEAR(*WeaknessScore({20, 1, 300}, learner), (2.5 + 1) / 2, 1e-9);
    EXPECT_NEAR(*WeaknessScore({20, 1, 300}, {0, 0, std::nullopt}), (2.5 + 1) / 2, 1e-9);
}

TEST(UnitTableTest, KatakanaCountsWithItsHiraganaAndSpellingsAreShared) {
    std::vector<TUnitDay> days = {
        Day(Today, u"し", "SHI", 30, 3, 400),
        Day(Today, u"シ", "SHI", 10, 1, 400),
        Day(Today, u"し", "SI", 10, 0, 250),
        Day(Today, u"か", "KA", 5, 0, 200),
    };
    std::vector<TUnitRow> rows = UnitTable(days, {}, {INT_MIN, Today});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Unit, u"し");
    EXPECT_EQ(rows[0].Attempts, 50);
    EXPECT_NEAR(rows[0].Accuracy, 46.0 / 50, 1e-9);
    ASSERT_EQ(rows[0].Spellings.size(), 2u);
    EXPECT_EQ(rows[0].Spellings[0].Keys, "SHI");
    EXPECT_NEAR(rows[0].Spellings[0].Share, 0.8, 1e-9);
    EXPECT_NEAR(*rows[0].Spellings[1].MedianMillis, 250, 8);
    EXPECT_FALSE(rows[1].Weakness) << "5 attempts are too few for a score";
}

TEST(UnitTableTest, TheKeyTypedInsteadIsTheMostFrequentOne) {
    std::vector<TUnitDay> days = {Day(Today, u"ぬ", "NU", 20, 6, 500)};
    std::vector<TMissDay> misses = {
        {Today, u"ぬ", "U", "Y", 4},
        {Today, u"ヌ", "N", "M", 1},
        {Today - 40, u"ぬ", "N", "B", 9}, // before the period
    };
    std::vector<TUnitRow> rows = UnitTable(days, misses, {Today - 29, Today});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].TypedInstead, "Y");
    EXPECT_EQ(rows[0].InsteadOf, "U");
}

TEST(UnitTableTest, TheTrendComparesTheLastWeekWithTheDaysBefore) {
    std::vector<TUnitDay> days = {
        Day(Today - 20, u"つ", "TSU", 20, 4, 600), // 80 %
        Day(Today - 2, u"つ", "TSU", 20, 1, 450),  // 95 %
        Day(Today - 20, u"ね", "NE", 20, 0, 300),
        Day(Today, u"ね", "NE", 3, 0, 250), // too few recent attempts
    };
    std::vector<TUnitRow> rows = UnitTable(days, {}, {INT_MIN, Today});
    const TUnitRow& tsu = rows[0].Unit == u"つ" ? rows[0] : rows[1];
    const TUnitRow& ne = rows[0].Unit == u"ね" ? rows[0] : rows[1];
    ASSERT_TRUE(tsu.TrendMillis);
    EXPECT_NEAR(*tsu.TrendMillis, -150, 20);
    EXPECT_NEAR(*tsu.TrendAccuracy, 15.0, 1e-9);
    EXPECT_FALSE(ne.TrendMillis);
    EXPECT_FALSE(ne.TrendAccuracy);
    // A period of the last week alone still shows the trend against the weeks before.
    std::vector<TUnitRow> week = UnitTable(days, {}, {Today - 6, Today});
    EXPECT_TRUE(week[0].Unit == u"つ" ? week[0].TrendMillis : week[1].TrendMillis);
}

TEST(UnitTableTest, OnlyTheTenWeakestAboveTheLearnersAverageAreMarked) {
    std::vector<TUnitDay> days;
    // Twelve units typed badly, ten typed well enough to pull the average down.
    const char16_t* units = u"あいうえおかきくけこさしすせそたちつてとなに";
    for (int i = 0; i < 22; ++i) {
        bool bad = i < 12;
        days.push_back(Day(Today, std::u16string(1, units[i]), "X", 40, bad ? 8 + i : 1,
                           bad ? 500 + 10 * i : 250));
    }
    std::vector<TUnitRow> rows = UnitTable(days, {}, {INT_MIN, Today});
    int marked = 0;
    for (const TUnitRow& row : rows) {
        if (row.Weakest) {
            ++marked;
            EXPECT_GT(*row.Weakness, 1.0);
        }
    }
    EXPECT_EQ(marked, WeakestMarked);
    // The two least bad of the twelve are not marked; the worst is.
    for (const TUnitRow& row : rows) {
        if (row.Unit == u"あ" || row.Unit == u"い") {
            EXPECT_FALSE(row.Weakest);
        }
        if (row.Unit == u"し") {
            EXPECT_TRUE(row.Weakest);
        }
    }
}

TEST(KeyFiguresTest, ErrorRateIsWrongPressesOverTimesDueAtMostOne) {
    std::vector<TKeyDay> days = {
        {Today, "H", 10, 3, {}},
        {Today - 1, "H", 10, 1, {}},
        {Today, "Q", 1, 4, {}},
        {Today, "J", 0, 0, {}},
    };
    std::vector<TKeyFigure> figures = KeyFigures(days, INT_MIN);
    ASSERT_EQ(figures.size(), 3u);
    for (const TKeyFigure& f : figures) {
        if (f.Key == "H") {
            EXPECT_NEAR(*f.ErrorRate, 0.2, 1e-9);
        }
        if (f.Key == "Q") {
            EXPECT_EQ(*f.ErrorRate, 1.0);
        }
        if (f.Key == "J") {
            EXPECT_FALSE(f.ErrorRate);
        }
    }
    EXPECT_NEAR(*KeyFigures(days, Today)[0].ErrorRate, 0.3, 1e-9);
}

TEST(ProgressTest, EachDayShowsTheFiguresOfThePracticeItHad) {
    std::vector<TTouchDay> touch = {{Today - 1, 2, 120, 300, 15, 200}, {Today, 1, 0, 0, 0, 0}};
    std::vector<TCommitDay> commits = {{Today, 10, 8, 40, 100}};
    std::vector<TDayProgress> days = Progress(touch, commits, INT_MIN);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_NEAR(*days[0].KanaPerMinute, 100.0, 1e-9);
    EXPECT_NEAR(*days[0].TouchAccuracy, 0.95, 1e-9);
    EXPECT_FALSE(days[0].AcceptedShare);
    EXPECT_FALSE(days[1].KanaPerMinute) << "a day of no seconds has no speed";
    EXPECT_NEAR(*days[1].AcceptedShare, 0.8, 1e-9);
    EXPECT_NEAR(*days[1].KeysPerChar, 2.5, 1e-9);
}

} // namespace
