// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UPracticeRecords.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

using ShiftJis::Sjis;

TEST(RecDateTest, DaysSince18991230WithTimeAsFraction) {
    EXPECT_DOUBLE_EQ(RecDateOf(1899, 12, 30, 0, 0, 0), 0.0);
    EXPECT_DOUBLE_EQ(RecDateOf(1900, 3, 1, 6, 0, 0), 61.25);
    EXPECT_DOUBLE_EQ(RecDateOf(2024, 1, 15, 12, 0, 0), 45306.5);
    EXPECT_DOUBLE_EQ(RecDateOf(2024, 2, 29, 23, 59, 59.5), 45351.0 + 86399.5 / 86400.0);
}

TEST(RecDateTest, MomentsCountInLocalTime) {
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    // 2023-11-14 22:13:20.25 UTC is 2023-11-15 07:13:20.25 in Japan.
    const auto moment =
        std::chrono::system_clock::from_time_t(1700000000) + std::chrono::milliseconds(250);
    const double date = RecDateOf(moment);
    if (previous)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_DOUBLE_EQ(date, 45245.0 + 26000.25 / 86400.0);
}

class RecordTest : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&OptionRec, 0, sizeof OptionRec);
        std::memset(PracticeRecs, 0, sizeof PracticeRecs);
        FState.Seconds = 40;
        FState.KeyCount = 130;
        FState.CharCount = 50;
        FState.KanjiCount = 12;
        FState.SingleByte = false;
        FState.Title = Sjis(u"春の歌");
        FState.TextPath = "/home/learner/TextFolder/Songs.txt";
    }

    // The record as it must be: every byte zero but the fields given.
    TPracticeRec Expected(std::string_view title, TRecordMode mode, int example, int input,
                          int match, int miss, int extra) const {
        TPracticeRec rec;
        std::memset(&rec, 0, sizeof rec);
        rec.Title[0] = static_cast<std::uint8_t>(title.size());
        std::memcpy(rec.Title + 1, title.data(), title.size());
        rec.RecDate = 45306.5;
        rec.RecMode = mode;
        rec.TextKind = FState.SingleByte ? TTextKind::English : TTextKind::Japanese;
        rec.ExampleCount = example;
        rec.InputCount = input;
        rec.MatchCount = match;
        rec.MissCount = miss;
        rec.ExtraCount = extra;
        rec.KanjiCount = FState.KanjiCount;
        rec.KeyCount = FState.KeyCount;
        rec.Seconds = FState.Seconds;
        return rec;
    }

    static void ExpectSameBytes(const TPracticeRec& actual, const TPracticeRec& expected) {
        EXPECT_EQ(std::memcmp(&actual, &expected, sizeof actual), 0)
            << "title " << RecordTitle(actual) << ", mode " << int(actual.RecMode) << ", counts "
            << actual.ExampleCount << " " << actual.InputCount << " " << actual.MatchCount << " "
            << actual.MissCount << " " << actual.ExtraCount;
    }

    TExerciseState FState;
};

TEST_F(RecordTest, SequentialRecordFields) {
    ExpectSameBytes(SequentialRecord(FState, 48, 3, 45306.5),
                    Expected(FState.Title, TRecordMode::Sequential, 50, 48, 0, 3, 0));
}

TEST_F(RecordTest, BulkWholeRecordFields) {
    FState.SingleByte = true;
    ExpectSameBytes(BulkRecord(FState, {50, 47, 5, 2}, false, 45306.5),
                    Expected(FState.Title, TRecordMode::BulkWhole, 50, 47, 45, 5, 2));
}

TEST_F(RecordTest, BulkLineByLineRecordFields) {
    ExpectSameBytes(BulkRecord(FState, {52, 49, 6, 4}, true, 45306.5),
                    Expected(FState.Title, TRecordMode::BulkLines, 52, 49, 45, 6, 4));
}

TEST_F(RecordTest, TitlesOfAFileOpenedDirectly) {
    FState.Title.clear();
    FState.TextPath = "/home/learner/texts/Aesop.fables.txt";
    EXPECT_EQ(RecordTitle(SequentialRecord(FState, 0, 0, 1.0)), "Aesop.fables");
    EXPECT_EQ(RecordTitle(BulkRecord(FState, {}, false, 1.0)), "Aesop.fables");
    EXPECT_EQ(RecordTitle(BulkRecord(FState, {}, true, 1.0)), "");
    FState.TextPath = u8"/home/learner/texts/走れメロス.txt";
    EXPECT_EQ(RecordTitle(BulkRecord(FState, {}, false, 1.0)), Sjis(u"走れメロス"));
}

TEST_F(RecordTest, TitlesAreCutAtByte20) {
    FState.Title = "abcdefghijklmnopqrstuvwxyz0123";
    EXPECT_EQ(RecordTitle(SequentialRecord(FState, 0, 0, 1.0)), "abcdefghijklmnopqrst");
    FState.Title = Sjis(u"日本語の長い題名をつけた文です");
    EXPECT_EQ(RecordTitle(BulkRecord(FState, {}, true, 1.0)), Sjis(u"日本語の長い題名をつ"));
    // A double-byte character across byte 20 is left out whole.
    FState.Title = "a" + Sjis(u"日本語の長い題名をつけた");
    EXPECT_EQ(RecordTitle(BulkRecord(FState, {}, true, 1.0)), "a" + Sjis(u"日本語の長い題名を"));
}

TEST_F(RecordTest, SequentialExerciseOfOneSecondStoresNothing) {
    FState.Seconds = 1;
    EXPECT_FALSE(StoreSequentialExercise(FState, 50, 0));
    EXPECT_EQ(OptionRec.NextRecord, 0);
    EXPECT_EQ(static_cast<int>(PracticeRecs[0].RecMode), 0);
}

TEST_F(RecordTest, SequentialExerciseStoresIntoTheNextSlot) {
    OptionRec.NextRecord = 199;
    FState.Seconds = 2;
    const double before = CurrentRecDate();
    ASSERT_TRUE(StoreSequentialExercise(FState, 50, 1));
    const double after = CurrentRecDate();
    EXPECT_EQ(OptionRec.NextRecord, 0);
    const TPracticeRec& rec = PracticeRecs[199];
    EXPECT_GE(rec.RecDate, before);
    EXPECT_LE(rec.RecDate, after);
    ExpectSameBytes(rec, SequentialRecord(FState, 50, 1, rec.RecDate));
}

TEST_F(RecordTest, BulkComparisonBeforeTheFirstTick) {
    FState.Seconds = 0;
    OptionRec.NextRecord = 5;
    StoreBulkExercise(FState, {50, 3, 47, 0}, false);
    EXPECT_EQ(OptionRec.NextRecord, 6);
    const TPracticeRec& rec = PracticeRecs[5];
    EXPECT_EQ(rec.Seconds, 0);
    EXPECT_EQ(rec.RecMode, TRecordMode::BulkWhole);
    ExpectSameBytes(rec, BulkRecord(FState, {50, 3, 47, 0}, false, rec.RecDate));
}

} // namespace
