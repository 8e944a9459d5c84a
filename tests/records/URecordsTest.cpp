// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/URecords.h"

#include "exercise/UExerciseStats.h"
#include "platform/ShiftJis.h"
#include "tests/support/CsvReader.h"
#include "tests/support/PracticeRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using ShiftJis::Sjis;

TPracticeRec Rec(std::string_view title, TRecordMode mode, double date, int seconds = 60) {
    return PracticeRecord(title, mode, date, seconds);
}

class URecordsTest : public testing::Test {
protected:
    void SetUp() override {
        std::memset(&OptionRec, 0, sizeof OptionRec);
        EmptyAllRecords();
    }
};

TEST_F(URecordsTest, CompareByTitleFoldsLowerCaseAsciiOnly) {
    struct {
        std::string A, B;
        int Sign;
    } cases[] = {
        {"abc", "ABC", 0},
        {"abc", "abd", -1},
        {"ab", "abc", -1},
        {"", "a", -1},
        {"Z", "a", 1},
        {"[", "a", 1}, // '[' (0x5B) sorts after 'A', not after 'a' (0x61)
        // A second byte of a double-byte character folds as well: 0x83 0x61 counts as 0x83 0x41.
        {"\x83\x41", "\x83\x61", 0},
        {Sjis(u"あ"), "z", 1},
    };
    for (const auto& c : cases) {
        int result = CompareByTitle(Rec(c.A, TRecordMode::BulkWhole, 1),
                                    Rec(c.B, TRecordMode::BulkWhole, 1));
        EXPECT_EQ((result > 0) - (result < 0), c.Sign) << c.A << " vs " << c.B;
    }
}

TEST_F(URecordsTest, CompareByDateRoundsToATenThousandthOfADayAndSaturates) {
    const double threeSeconds = 3.0 / 86400;
    struct {
        double A, B;
        int Expected;
    } cases[] = {
        {45000 + threeSeconds, 45000, 0}, // 0.347 rounds to 0: equal
        {45000, 45000 + threeSeconds, 0},
        {45000.0001, 45000, 1},
        {45000, 45001, -10000},
        {2e6, 0, std::numeric_limits<std::int32_t>::max()},
        {-2e6, 1e6, std::numeric_limits<std::int32_t>::min()},
        {std::nan(""), 45000, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareByDate(Rec("a", TRecordMode::BulkWhole, c.A),
                                Rec("a", TRecordMode::BulkWhole, c.B)),
                  c.Expected)
            << c.A << " - " << c.B;
}

TEST_F(URecordsTest, DamagedDatesAreEmptySlots) {
    struct {
        double Date;
        bool InUse;
    } cases[] = {{0, false},
                 {-1, false},
                 {0.5, true},
                 {2958465.99, true}, // 9999-12-31
                 {2958466, false},   // 10000-01-01
                 {std::numeric_limits<double>::infinity(), false},
                 {std::nan(""), false}};
    for (const auto& c : cases)
        EXPECT_EQ(RecordInUse(Rec("a", TRecordMode::BulkWhole, c.Date)), c.InUse) << c.Date;
}

TEST_F(URecordsTest, RecordsOfModeSkipOtherModesAndDamagedSlots) {
    PracticeRecs[0] = Rec("a", TRecordMode::BulkWhole, 45000);
    PracticeRecs[1] = Rec("b", TRecordMode::Sequential, 45001);
    PracticeRecs[2] = Rec("c", TRecordMode::BulkWhole, std::nan(""));
    PracticeRecs[3] = Rec("d", TRecordMode::BulkWhole, 1e300);
    PracticeRecs[4] = Rec("e", TRecordMode::BulkWhole, 45002);
    TRecList list = RecordsOfMode(PracticeRecs, TRecordMode::BulkWhole);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(RecordTitle(list[0]), "a");
    EXPECT_EQ(RecordTitle(list[1]), "e");
}

TEST_F(URecordsTest, TitleListCountsEachTitleAndLeavesTheListByDate) {
    TRecList list = {Rec("b", TRecordMode::BulkWhole, 5), Rec("a", TRecordMode::BulkWhole, 4),
                     Rec("b", TRecordMode::BulkWhole, 3), Rec("B", TRecordMode::BulkWhole, 2),
                     Rec("b", TRecordMode::BulkWhole, 1)};
    std::vector<TTitleItem> items = BuildTitleItems(list);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(TitleItemText(items[0]), "5 " + ShowAllTitle());
    EXPECT_EQ(TitleItemText(items[1]), "1 a");
    // "B" and "b" sort equal by title but stay one item each, their records not interleaved.
    EXPECT_EQ(TitleItemText(items[2]), "1 B");
    EXPECT_EQ(TitleItemText(items[3]), "3 b");
    for (std::size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i].RecDate, i + 1.0);

    TRecList empty;
    items = BuildTitleItems(empty);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(TitleItemText(items[0], false), ShowAllTitle());
}

TEST_F(URecordsTest, RecordsOfTitleTakeExactlyThatTitleByDate) {
    PracticeRecs[0] = Rec("Abc", TRecordMode::BulkWhole, 45003);
    PracticeRecs[1] = Rec("abc", TRecordMode::BulkWhole, 45002);
    PracticeRecs[2] = Rec("abc", TRecordMode::BulkWhole, 45001);
    PracticeRecs[3] = Rec("abc", TRecordMode::BulkLines, 45000);
    TTitleRecords found = RecordsOfTitle(PracticeRecs, TRecordMode::BulkWhole, "abc");
    ASSERT_EQ(found.Records.size(), 2u);
    EXPECT_EQ(found.Records[0].RecDate, 45001);
    EXPECT_EQ(found.Records[1].RecDate, 45002);
    EXPECT_TRUE(RecordsOfTitle(PracticeRecs, TRecordMode::BulkWhole, "ab").Records.empty());
}

TEST_F(URecordsTest, EnglishViewOnlyForBulkWholeTextRecords) {
    struct {
        TRecordMode Mode;
        TTextKind Kind;
        bool English;
    } cases[] = {{TRecordMode::BulkWhole, TTextKind::English, true},
                 {TRecordMode::BulkLines, TTextKind::English, false},
                 {TRecordMode::Sequential, TTextKind::English, false},
                 {TRecordMode::BulkWhole, TTextKind::Japanese, false}};
    for (const auto& c : cases) {
        EmptyAllRecords();
        PracticeRecs[0] = Rec("t", c.Mode, 45000);
        PracticeRecs[0].TextKind = c.Kind;
        EXPECT_EQ(RecordsOfTitle(PracticeRecs, c.Mode, "t").EnglishView, c.English)
            << static_cast<int>(c.Mode);
    }
}

TEST_F(URecordsTest, DeletingATitleOfAFullRingCompactsItByDate) {
    // 200 slots in use, the ring wrapped: slot i holds the ((i + 150) % 200)-th record made.
    for (int i = 0; i < RecordCount; ++i) {
        int order = (i + 150) % RecordCount;
        TRecordMode mode = order % 4 == 0 ? TRecordMode::Sequential : TRecordMode::BulkWhole;
        PracticeRecs[i] = Rec(order % 2 == 0 ? "gone" : "kept", mode, 45000 + order);
    }
    OptionRec.NextRecord = 50;
    int emptied =
        DeleteTitleRecords(PracticeRecs, OptionRec.NextRecord, TRecordMode::BulkWhole, "gone");
    EXPECT_EQ(emptied, 50); // even orders not divisible by 4
    const int n = 150;
    EXPECT_EQ(OptionRec.NextRecord, n);
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(RecordInUse(PracticeRecs[i])) << i;
        if (i > 0) {
            EXPECT_LT(PracticeRecs[i - 1].RecDate, PracticeRecs[i].RecDate);
        }
        EXPECT_FALSE(RecordTitle(PracticeRecs[i]) == "gone" &&
                     PracticeRecs[i].RecMode == TRecordMode::BulkWhole);
    }
    EXPECT_EQ(RecordsOfTitle(PracticeRecs, TRecordMode::Sequential, "gone").Records.size(), 50u)
        << "other modes keep the title";
    for (int i = n; i < RecordCount; ++i) {
        EXPECT_EQ(PracticeRecs[i].RecMode, TRecordMode::Empty);
        EXPECT_EQ(PracticeRecs[i].RecDate, 0);
    }
}

TEST_F(URecordsTest, DeletingNothingOfAFullRingKeepsNextRecordInRange) {
    for (int i = 0; i < RecordCount; ++i)
        PracticeRecs[i] = Rec("a", TRecordMode::BulkWhole, 45000 + i);
    EXPECT_EQ(
        DeleteTitleRecords(PracticeRecs, OptionRec.NextRecord, TRecordMode::BulkWhole, "absent"),
        0);
    EXPECT_EQ(OptionRec.NextRecord, 0);
    EXPECT_EQ(PracticeRecs[199].RecDate, 45199);
}

TEST_F(URecordsTest, GridCellsShowCountsWithTheirFiguresAndGuards) {
    struct {
        const char* Name;
        int Seconds, Input;
        bool Sequential;
        std::vector<std::string> Cells;
    } cases[] = {
        {"bulk, 11 s",
         11,
         100,
         false,
         {"1", "07/3/05", "9:07", "100", "100(545.5)", "98(98.0)", "2(2.0)", "0(0.0)", "25(25.0)",
          "11", "300(1636.4)"}},
        {"bulk, 10 s: no speeds",
         10,
         100,
         false,
         {"1", "07/3/05", "9:07", "100", "100(0.0)", "98(98.0)", "2(2.0)", "0(0.0)", "25(25.0)",
          "10", "300(0.0)"}},
        {"bulk, nothing typed: no rates",
         60,
         0,
         false,
         {"1", "07/3/05", "9:07", "100", "0(0.0)", "98(0.0)", "2(0.0)", "0(0.0)", "25(25.0)", "60",
          "300(300.0)"}},
        {"sequential",
         60,
         100,
         true,
         {"1", "07/3/05", "9:07", "100(100.0)", "100(100.0)", "2(2.0)", "25(25.0)", "60",
          "300(300.0)"}},
    };
    for (const auto& c : cases) {
        TPracticeRec rec =
            Rec("a", TRecordMode::BulkWhole, RecDateOf(2007, 3, 5, 9, 7, 30), c.Seconds);
        rec.InputCount = c.Input;
        EXPECT_EQ(GridRow(rec, 0, c.Sequential), c.Cells) << c.Name;
    }
}

TEST_F(URecordsTest, NegativeCountsShowAsTheyAre) {
    TPracticeRec rec = Rec("a", TRecordMode::BulkWhole, 45000.5, -5);
    rec.InputCount = -3;
    rec.ExampleCount = -1;
    std::vector<std::string> cells = GridRow(rec, 0, false);
    EXPECT_EQ(cells[3], "-1");
    EXPECT_EQ(cells[4], "-3(0.0)");
    EXPECT_EQ(cells[8], "25(0.0)");
    EXPECT_EQ(cells[9], "-5");
}

TEST_F(URecordsTest, DatesDecodeToTheMinuteWithoutDrift) {
    struct {
        double Date;
        TRecDateTime Expected;
    } cases[] = {
        {RecDateOf(2026, 12, 8, 21, 5, 0), {2026, 12, 8, 21, 5, 0}},
        {RecDateOf(2000, 2, 29, 23, 59, 59.9999), {2000, 3, 1, 0, 0, 0}},
        {1.0, {1899, 12, 31, 0, 0, 0}},
        {2958465.5, {9999, 12, 31, 12, 0, 0}},
    };
    for (const auto& c : cases) {
        TRecDateTime t = DecodeRecDate(c.Date);
        EXPECT_EQ(std::vector<int>({t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second}),
                  std::vector<int>({c.Expected.Year, c.Expected.Month, c.Expected.Day,
                                    c.Expected.Hour, c.Expected.Minute, c.Expected.Second}))
            << c.Date;
    }
}

TEST_F(URecordsTest, EnglishHeadersOnlyInTheBulkModes) {
    EXPECT_EQ(GridHeader(4, false, true).Line1, Sjis(u"入力単語数"));
    EXPECT_EQ(GridHeader(4, false, true).Line2, "(WPM)");
    EXPECT_EQ(GridHeader(4, false, false).Line2, Sjis(u" (文字/分) "));
    EXPECT_EQ(GridHeader(3, true, true).Line1, Sjis(u"例文文字数"));
    EXPECT_EQ(GridHeader(10, false, false).Line2, Sjis(u"（打／分）"));
    EXPECT_EQ(GridHeader(9, true, false).Line1, "") << "beyond the 9 sequential columns";
}

TEST_F(URecordsTest, ColumnsShareTheGridAndFitTheirTexts) {
    using W = std::vector<int>;
    struct TCase {
        const char* Name;
        int Client;
        bool Sequential;
        W Needed;
        W Expected;
    } cases[] = {
        {"bulk, wide", 951, false, {}, {30, 100, 55, 100, 100, 100, 100, 100, 100, 55, 100}},
        {"bulk, narrow: at least 75", 500, false, {}, {30, 75, 55, 75, 75, 75, 75, 75, 75, 55, 75}},
        {"sequential, ties to even", 843, true, {}, {30, 100, 100, 100, 100, 100, 100, 100, 100}},
        {"widened to their texts",
         951,
         false,
         {38, 90, 60, 130, 0, 0, 0, 0, 0, 40, 140},
         {38, 100, 60, 130, 100, 100, 100, 100, 100, 55, 140}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(GridColumnWidths(c.Client, c.Sequential, c.Needed), c.Expected) << c.Name;
}

TEST_F(URecordsTest, CsvReadsBackWithEveryTitleWhole) {
    const std::string titles[] = {"a,b", "say \"hi\"", Sjis(u"日本語の文"), "line"};
    TRecList list;
    for (int i = 0; i < 4; ++i)
        list.push_back(
            Rec(titles[i], TRecordMode::BulkWhole, RecDateOf(2026, 12, 8, 21, 5 + i, 0)));
    list[3].RecMode = TRecordMode::BulkLines;
    list[3].TextKind = TTextKind::English;
    list[3].Seconds = 10;
    const std::string csv = RecordsCsv(list, false);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    auto rows = ParseCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(rows.size(), 5u);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 19u);
    EXPECT_EQ(rows[0][2], "タイトル");
    EXPECT_EQ(rows[1],
              (std::vector<std::string>{"1", "2026-12-08 21:05", "a,b", "一括入力（一括比較）",
                                        "日本語", "100", "100", "98", "2", "0", "25", "60", "300",
                                        "100.0", "98.0", "2.0", "0.0", "25.0", "300.0"}));
    EXPECT_EQ(rows[2][2], "say \"hi\"");
    EXPECT_EQ(rows[3][2], "日本語の文");
    EXPECT_EQ(rows[4][1], "2026-12-08 21:08");
    EXPECT_EQ(rows[4][3], "一括入力（行ごとに比較）");
    EXPECT_EQ(rows[4][4], "英語");
    EXPECT_EQ(rows[4][13], "0.0") << "the grid's guard: 10 seconds give no speed";
}

TEST_F(URecordsTest, CsvOfNoRecordsIsTheHeaderAlone) {
    for (bool sequential : {false, true}) {
        const std::string csv = RecordsCsv({}, sequential);
        auto rows = ParseCsv(std::string_view(csv).substr(3));
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].size(), sequential ? 18u : 19u);
    }
    EXPECT_EQ(CsvFileName(TRecordMode::Sequential, 2026, 12, 8), "逐次入力_2026-12-08.csv");
}

} // namespace
