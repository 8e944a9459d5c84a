// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UWeaknessDrill.h"

#include "platform/ShiftJis.h"
#include "romaji/UuKbClassEx.h"
#include "store/UUtf8.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace UWeaknessDrill;
using ShiftJis::FromUtf16;
using UKanaAnalysis::TUnitRow;

constexpr int Today = 20000;

std::string Utf8(std::u16string_view text) {
    return UUtf8::FromUtf16(text);
}

// A unit's figures over the period: attempts, attempts with a wrong key, median time.
struct TFigure {
    std::u16string_view Unit;
    int Attempts;
    int Failed;
    int MedianMillis;
};

// Twelve units typed as the learner types on average: 40 attempts, one wrong, 300 ms.
constexpr TFigure Average[] = {
    {u"あ", 40, 1, 300}, {u"え", 40, 1, 300}, {u"お", 40, 1, 300}, {u"か", 40, 1, 300},
    {u"き", 40, 1, 300}, {u"く", 40, 1, 300}, {u"け", 40, 1, 300}, {u"こ", 40, 1, 300},
    {u"さ", 40, 1, 300}, {u"す", 40, 1, 300}, {u"せ", 40, 1, 300}, {u"そ", 40, 1, 300},
};

// The analysis's rows for a table of figures, each typed on one day with every attempt at its
// median time.
std::vector<TUnitRow> Rows(std::vector<TFigure> figures, bool withAverage = true) {
    if (withAverage)
        figures.insert(figures.begin(), std::begin(Average), std::end(Average));
    std::vector<TUnitDay> days;
    for (const TFigure& f : figures) {
        TUnitDay day{Today, std::u16string(f.Unit), "X", f.Attempts, f.Failed, f.Failed, {}};
        day.Times.Add(f.MedianMillis, static_cast<std::uint32_t>(f.Attempts));
        days.push_back(day);
    }
    return UKanaAnalysis::UnitTable(days, {}, {Today - 29, Today});
}

// ぬ, しゃ and っか far weaker than the average, ね a little slower.
const std::vector<TFigure> ThreeWeak = {
    {u"ぬ", 40, 12, 600}, {u"しゃ", 40, 8, 500}, {u"っか", 40, 6, 450}, {u"ね", 40, 2, 320}};

const UDrillText::TDrillWords& Words() {
    return UDrillText::BuiltInDrillWords();
}

// ---- Which units a drill favours

struct TFocusCase {
    const char* Name;
    std::vector<TFigure> Figures;
    std::vector<std::u16string> Focus;
};

class WeaknessFocusTest : public testing::TestWithParam<TFocusCase> {};

TEST_P(WeaknessFocusTest, FavoursTheWeakestUnitsWordsCanCarry) {
    const TFocusCase& c = GetParam();
    TDrill drill = MakeWeaknessDrill(Rows(c.Figures), Words(), 1);
    ASSERT_EQ(drill.Outcome, TOutcome::Ready) << drill.Message;
    EXPECT_EQ(drill.Focus, c.Focus);
    EXPECT_TRUE(drill.Message.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WeaknessFocusTest,
    testing::Values(
        TFocusCase{"TheThreeHighestScoresWeakestFirst", ThreeWeak, {u"ぬ", u"しゃ", u"っか"}},
        TFocusCase{"OnlyUnitsWorseThanTheLearnersAverage",
                   {{u"ぬ", 40, 12, 600}, {u"ね", 40, 1, 290}},
                   {u"ぬ"}},
        // Everything at the average: the one with the highest score (all equal, by the
        // order of the units) still gives a drill.
        TFocusCase{"AnEvenLearnerGetsOneUnit", {}, {u"あ"}},
        TFocusCase{"KatakanaCountsWithHiragana", {{u"ヌ", 40, 12, 600}}, {u"ぬ"}},
        // 、 and ゐ stand in no word: the next weakest take their place.
        TFocusCase{"UnitsNoWordHoldsAreSkipped",
                   {{u"、", 40, 30, 900}, {u"ゐ", 40, 20, 900}, {u"ぬ", 40, 12, 600}},
                   {u"ぬ"}},
        TFocusCase{
            "TooFewAttemptsGiveNoScore", {{u"ぺ", 9, 9, 2000}, {u"ぬ", 40, 12, 600}}, {u"ぬ"}},
        // ん and い each take about a quarter of a drill at four times their share; う would
        // take the text beyond half, so the weaker ぬ comes after them.
        TFocusCase{
            "CommonUnitsLeaveRoomForTheRest",
            {{u"ん", 40, 20, 900}, {u"い", 40, 18, 900}, {u"う", 40, 16, 900}, {u"ぬ", 40, 8, 500}},
            {u"ん", u"い", u"ぬ"}}),
    [](const testing::TestParamInfo<TFocusCase>& info) { return info.param.Name; });

// ---- Too few statistics

TEST(UWeaknessDrillTest, TooFewScoredUnitsAskForTheCourseInstead) {
    std::vector<TFigure> nine(std::begin(Average), std::begin(Average) + 9);
    nine.push_back({u"ぬ", 9, 5, 900}); // too few attempts for a score
    TDrill drill = MakeWeaknessDrill(Rows(nine, false), Words(), 1);
    EXPECT_EQ(drill.Outcome, TOutcome::TooFewStatistics);
    EXPECT_EQ(drill.Message, "苦手なかなを選ぶには、統計がまだ足りません。10 回以上打ったかなが 10 "
                             "種類そろうと、苦手克服ドリルを作れます（いまは 9 種類）。\r\n"
                             "かわりに、かなコースのいまのステージを練習します。");
    EXPECT_TRUE(drill.Text.empty());
    EXPECT_TRUE(drill.Title.empty());

    std::vector<TFigure> ten(std::begin(Average), std::begin(Average) + 10);
    EXPECT_EQ(MakeWeaknessDrill(Rows(ten, false), Words(), 1).Outcome, TOutcome::Ready);
    EXPECT_EQ(MakeWeaknessDrill({}, Words(), 1).Outcome, TOutcome::TooFewStatistics);
}

// The learner's one weakness is a unit no word holds; the units below the average are no
// weakness to drill.
TEST(UWeaknessDrillTest, AWeaknessNoWordHoldsGivesAMessage) {
    std::vector<TFigure> figures(std::begin(Average), std::end(Average));
    figures[0] = {u"、", 40, 30, 900};
    TDrill drill = MakeWeaknessDrill(Rows(figures, false), Words(), 1);
    EXPECT_EQ(drill.Outcome, TOutcome::TooFewStatistics);
    EXPECT_NE(drill.Message.find("苦手克服ドリルを作れません"), std::string::npos);
}

// ---- The text

// A drill's strings, each split at its separators.
std::vector<std::vector<std::u16string>> Pieces(const TDrill& drill) {
    std::vector<std::vector<std::u16string>> strings;
    for (const std::string& string : drill.Strings) {
        std::u16string wide = ShiftJis::ToUtf16(string);
        std::vector<std::u16string>& pieces = strings.emplace_back();
        for (std::size_t start = 0, end = 0; end != std::u16string::npos; start = end + 1) {
            end = wide.find(u'、', start);
            pieces.push_back(wide.substr(start, end - start));
        }
    }
    return strings;
}

TEST(UWeaknessDrillTest, EveryStringIsWholeWordsWithinTheDrillsLimit) {
    std::set<std::u16string> known;
    for (const TWord& word : BuiltInWordList())
        known.insert(word.Kana);
    std::vector<TUnitRow> rows = Rows(ThreeWeak);
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        TDrill drill = MakeWeaknessDrill(rows, Words(), seed);
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_GE(drill.Strings.size(), 10u);
        EXPECT_LE(drill.Strings.size(), 11u);
        EXPECT_EQ(drill.Text, UDrillText::JoinText(drill.Strings));
        for (const std::string& string : drill.Strings)
            EXPECT_LE(string.size(), TKbClassEx::MaxStringBytes);
        for (const std::vector<std::u16string>& pieces : Pieces(drill)) {
            for (const std::u16string& piece : pieces)
                EXPECT_TRUE(known.contains(piece)) << Utf8(piece);
        }
    }
}

TEST(UWeaknessDrillTest, ASeedAlwaysGivesTheSameDrill) {
    std::vector<TUnitRow> rows = Rows(ThreeWeak);
    TDrill first = MakeWeaknessDrill(rows, Words(), 12345);
    TDrill again = MakeWeaknessDrill(rows, Words(), 12345);
    EXPECT_EQ(first.Text, again.Text);
    EXPECT_EQ(first.Title, again.Title);
    EXPECT_NE(first.Text, MakeWeaknessDrill(rows, Words(), 12346).Text);
}

// Each focus unit stands in the drill about four times as often as in ordinary text (the
// word list weighted by class), counted over many drills; and in every single drill at least
// once, as its title promises.
TEST(UWeaknessDrillTest, FocusUnitsStandThreeToFiveTimesAsOftenAsInOrdinaryText) {
    struct TCase {
        const char* Name;
        std::vector<TFigure> Figures;
    } cases[] = {
        {"rare and contracted", ThreeWeak},
        {"common", {{u"し", 40, 12, 600}, {u"と", 40, 8, 500}, {u"ら", 40, 6, 450}}},
    };
    constexpr std::uint32_t seeds = 300;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<TUnitRow> rows = Rows(c.Figures);
        std::map<std::u16string, int> focusCounts;
        long total = 0;
        std::vector<std::u16string> focus;
        for (std::uint32_t seed = 0; seed < seeds; ++seed) {
            TDrill drill = MakeWeaknessDrill(rows, Words(), seed);
            focus = drill.Focus;
            ASSERT_EQ(focus.size(), 3u);
            std::map<std::u16string, int> counts = UDrillText::CountUnits(drill.Text);
            for (const auto& [unit, count] : counts)
                total += count;
            for (const std::u16string& unit : focus) {
                EXPECT_GT(counts[unit], 0) << Utf8(unit) << " missing with seed " << seed;
                focusCounts[unit] += counts[unit];
            }
        }
        for (const std::u16string& unit : focus) {
            double ratio = focusCounts[unit] / double(total) / Words().OrdinaryShare(unit);
            EXPECT_GE(ratio, 3.0) << Utf8(unit);
            EXPECT_LE(ratio, 5.0) << Utf8(unit);
        }
    }
}

TEST(UWeaknessDrillTest, TitlesNameTheFocusWithinTwentyBytes) {
    struct TCase {
        std::vector<std::u16string> Focus;
        std::u16string_view Title;
    } cases[] = {
        {{u"ぬ", u"し", u"っ"}, u"苦手克服 ぬ・し・っ"},
        {{u"ぬ", u"しゃ", u"っ"}, u"苦手克服 ぬ・しゃ"}, // 21 bytes with っ
        {{u"しゃ", u"きゅ", u"ち"}, u"苦手克服 しゃ・きゅ"},
        {{u"っか", u"っぷ", u"っと"}, u"苦手克服 っか・っぷ"},
        {{u"ヴぁ"}, u"苦手克服 ヴぁ"},
    };
    for (const TCase& c : cases) {
        std::string title = DrillTitle(c.Focus);
        EXPECT_EQ(title, FromUtf16(c.Title));
        EXPECT_LE(title.size(), MaxTitleBytes);
    }
    // ぬ・しゃ・っか would take 23 bytes.
    EXPECT_EQ(MakeWeaknessDrill(Rows(ThreeWeak), Words(), 1).Title,
              FromUtf16(u"苦手克服 ぬ・しゃ"));
}

} // namespace
