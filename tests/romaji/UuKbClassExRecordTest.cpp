// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClassEx.h"

#include "platform/ShiftJis.h"
#include "tests/support/MemoryTextPane.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the drill records for the statistics: the units, the spellings typed, the times and the
// wrong keys, and the strings that had a wrong key.

namespace {

using ShiftJis::FromUtf16;

class TQuietHost : public TDrillHost {
public:
    void ShowFinger(int) override {}
    void UnmarkKey(char) override {}
    void StopExerciseTimer() override {}
    void MarkNoKeys() override {}
    void SetStatusText(const std::string&) override {}
    void ShowInformation(const std::string&) override {}
};

// A key and when it comes, in milliseconds.
struct TTimedKey {
    char Key;
    std::int64_t At;
};

// Keys 100 ms apart from t = 1000.
std::vector<TTimedKey> Steady(std::string_view keys) {
    std::vector<TTimedKey> timed;
    std::int64_t at = 1000;
    for (char c : keys) {
        timed.push_back({c, at});
        at += 100;
    }
    return timed;
}

struct TExpectedAttempt {
    std::u16string Unit;
    std::string Spelling;
    int Millis;
    std::vector<std::pair<std::string, std::string>> Misses; // expected, typed
};

struct TRecordCase {
    const char* Name;
    std::u16string Text;
    std::vector<TTimedKey> Keys;
    std::vector<TExpectedAttempt> Attempts;
};

class DrillRecordTest : public testing::TestWithParam<TRecordCase> {
protected:
    DrillRecordTest() { FDrill.InitDrill(FPane, FHost); }
    ~DrillRecordTest() override { FDrill.DoneDrill(); }

    void Start(std::u16string_view text) {
        FDrill.LoadText(FromUtf16(text));
        FDrill.ShowString();
        FDrill.SetActive(true);
    }

    TMemoryTextPane FPane;
    TQuietHost FHost;
    TKbClassEx FDrill;
};

TEST_P(DrillRecordTest, RecordsUnitsSpellingsTimesAndWrongKeys) {
    const TRecordCase& c = GetParam();
    Start(c.Text);
    for (const TTimedKey& key : c.Keys)
        FDrill.KeyPress(key.Key, key.At);
    std::vector<TUnitAttempt> attempts = FDrill.TakeAttempts();
    ASSERT_EQ(attempts.size(), c.Attempts.size());
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(attempts[i].Unit, c.Attempts[i].Unit);
        EXPECT_EQ(attempts[i].Spelling, c.Attempts[i].Spelling);
        EXPECT_EQ(attempts[i].Millis, c.Attempts[i].Millis);
        std::vector<std::pair<std::string, std::string>> misses;
        for (const TKeyMiss& miss : attempts[i].Misses)
            misses.emplace_back(miss.Expected, miss.Typed);
        EXPECT_EQ(misses, c.Attempts[i].Misses);
        // Every accepted key is listed once, in the order of the spelling.
        std::string keys;
        for (const TKeyTime& key : attempts[i].Keys)
            keys += key.Key;
        EXPECT_EQ(keys, attempts[i].Spelling);
    }
    EXPECT_TRUE(FDrill.TakeAttempts().empty()) << "taken twice";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Drill, DrillRecordTest, testing::Values(
    // The first unit of a string is not timed; the others from the key before them.
    TRecordCase{"FirstUnitUntimed", u"かき", Steady("KAKI"),
                {{u"か", "KA", -1, {}}, {u"き", "KI", 200, {}}}},
    TRecordCase{"AlternativeSpellingsAsTyped", u"あしし", Steady("ASISHI"),
                {{u"あ", "A", -1, {}}, {u"し", "SI", 200, {}}, {u"し", "SHI", 300, {}}}},
    TRecordCase{"OtherFirstLetter", u"あか", Steady("ACA"),
                {{u"あ", "A", -1, {}}, {u"か", "CA", 200, {}}}},
    TRecordCase{"Contracted", u"あしゃ", Steady("ASHA"),
                {{u"あ", "A", -1, {}}, {u"しゃ", "SHA", 300, {}}}},
    // A small tsu is its own unit, typed with the doubled key, and the kana after it another.
    TRecordCase{"SmallTsuSplit", u"あっと", Steady("ATTO"),
                {{u"あ", "A", -1, {}}, {u"っ", "T", 100, {}}, {u"と", "TO", 200, {}}}},
    TRecordCase{"SmallTsuFirstInString", u"っと", Steady("TTO"),
                {{u"っ", "T", -1, {}}, {u"と", "TO", 200, {}}}},
    TRecordCase{"KatakanaSmallTsu", u"アッカ", Steady("AKKA"),
                {{u"ア", "A", -1, {}}, {u"ッ", "K", 100, {}}, {u"カ", "KA", 200, {}}}},
    TRecordCase{"SmallTsuAloneAtTheEnd", u"あっ", Steady("ALTU"),
                {{u"あ", "A", -1, {}}, {u"っ", "LTU", 300, {}}}},
    TRecordCase{"SmallTsuWrongKeyGoesToTheRightHalf", u"あっと",
                {{'A', 1000}, {'R', 1100}, {'T', 1200}, {'Y', 1300}, {'T', 1400}, {'O', 1500}},
                {{u"あ", "A", -1, {}}, {u"っ", "T", 200, {{"T", "R"}}},
                 {u"と", "TO", 300, {{"T", "Y"}}}}},
    TRecordCase{"NnBeforeConsonant", u"あんか", Steady("ANNKA"),
                {{u"あ", "A", -1, {}}, {u"ん", "NN", 200, {}}, {u"か", "KA", 200, {}}}},
    TRecordCase{"LongVowelAndPunctuation", u"あー、", Steady("A-,"),
                {{u"あ", "A", -1, {}}, {u"ー", "-", 100, {}}, {u"、", ",", 100, {}}}},
    // Wrong keys belong to the unit that was current, with the key the guide showed.
    TRecordCase{"WrongKeysWithTheExpectedKey", u"あき", Steady("AJKLI"),
                {{u"あ", "A", -1, {}}, {u"き", "KI", 400, {{"K", "J"}, {"I", "L"}}}}},
    TRecordCase{"WrongSpaceNamed", u"あき", Steady("A KI"),
                {{u"あ", "A", -1, {}}, {u"き", "KI", 300, {{"K", "Space"}}}}},
    // A pause over two seconds before or inside a unit: it counts for accuracy only, and the
    // next unit is timed again.
    TRecordCase{"PauseBeforeAUnit", u"あかき",
                {{'A', 1000}, {'K', 3500}, {'A', 3600}, {'K', 3700}, {'I', 3800}},
                {{u"あ", "A", -1, {}}, {u"か", "KA", -1, {}}, {u"き", "KI", 200, {}}}},
    TRecordCase{"PauseAfterAWrongKey", u"あか",
                {{'A', 1000}, {'J', 1100}, {'K', 4000}, {'A', 4100}},
                {{u"あ", "A", -1, {}}, {u"か", "KA", -1, {{"K", "J"}}}}},
    TRecordCase{"ExactlyTwoSecondsIsNoPause", u"あか",
                {{'A', 1000}, {'K', 3000}, {'A', 3100}},
                {{u"あ", "A", -1, {}}, {u"か", "KA", 2100, {}}}}
), [](const auto& info) { return std::string(info.param.Name); });
// clang-format on

TEST_F(DrillRecordTest, RepeatedStringRecordsAgainAndItsFirstUnitIsUntimed) {
    Start(u"かき");
    for (const TTimedKey& key : Steady("KAKI "))
        FDrill.KeyPress(key.Key, key.At);
    FDrill.KeyPress('K', 5000);
    FDrill.KeyPress('A', 5100);
    std::vector<TUnitAttempt> attempts = FDrill.TakeAttempts();
    ASSERT_EQ(attempts.size(), 3u);
    EXPECT_EQ(attempts[2].Unit, u"か");
    EXPECT_EQ(attempts[2].Millis, -1);
    EXPECT_EQ(FDrill.CharsTyped(), 3);
}

TEST_F(DrillRecordTest, KeysWithoutTimesRecordNoTimes) {
    Start(u"かき");
    for (char c : std::string("KAKI"))
        FDrill.KeyPress(c);
    for (const TUnitAttempt& attempt : FDrill.TakeAttempts()) {
        EXPECT_EQ(attempt.Millis, -1);
        for (const TKeyTime& key : attempt.Keys)
            EXPECT_EQ(key.Millis, -1);
    }
}

TEST_F(DrillRecordTest, StringFinishedComesWithTheLastKeyOnly) {
    Start(u"か\r\nき");
    EXPECT_FALSE(FDrill.KeyPress('K', 1000).StringFinished);
    EXPECT_TRUE(FDrill.KeyPress('A', 1100).StringFinished);
    EXPECT_FALSE(FDrill.KeyPress('\r', 1200).StringFinished);
    EXPECT_FALSE(FDrill.KeyPress('K', 1300).StringFinished);
    EXPECT_TRUE(FDrill.KeyPress('I', 1400).StringFinished);
}

TEST_F(DrillRecordTest, MissedStringsInOrderOnceEach) {
    Start(u"か\r\nき\r\nく\r\nけ");
    // か clean; き and け one wrong key each; く clean.
    for (char c : std::string("KA\rJKI\rKU\rKLE"))
        FDrill.KeyPress(c);
    EXPECT_EQ(FDrill.MissedStrings(),
              (std::vector<std::string>{FromUtf16(u"き"), FromUtf16(u"け")}));
    EXPECT_EQ(FDrill.Misses(), 2);
}

TEST_F(DrillRecordTest, KanaStepRecordsNoUnitsButCountsItsCharactersAndMismatches) {
    Start(u"漢字");
    ASSERT_TRUE(FDrill.KanaStep());
    FPane.SetSelStart(FPane.TextLength());
    FPane.SetSelText(FromUtf16(u"漢時"));
    FDrill.KanaCheck();
    EXPECT_FALSE(FDrill.Done());
    FPane.Select(FPane.LineStart(1), static_cast<int>(FPane.Line(1).size()));
    FPane.SetSelText(FromUtf16(u"漢字"));
    EXPECT_TRUE(FDrill.KeyPress('\r', 1000).StringFinished);
    EXPECT_TRUE(FDrill.TakeAttempts().empty());
    EXPECT_EQ(FDrill.CharsTyped(), 2);
    EXPECT_EQ(FDrill.MissedStrings(), std::vector<std::string>{FromUtf16(u"漢字")});
}

TEST_F(DrillRecordTest, ANewTextForgetsTheMissesAndAttemptsOfTheLast) {
    Start(u"か");
    FDrill.KeyPress('J', 1000);
    FDrill.KeyPress('K', 1100);
    Start(u"き");
    EXPECT_TRUE(FDrill.MissedStrings().empty());
    EXPECT_TRUE(FDrill.TakeAttempts().empty());
    EXPECT_EQ(FDrill.CharsTyped(), 0);
}

} // namespace
