// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UDataFile.h"

#include "platform/FileIo.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <tuple>

namespace {

class UDataFileTest : public testing::Test {
protected:
    void SetUp() override { ClearStore(); }

    static void ClearStore() {
        std::memset(&OptionRec, 0, sizeof OptionRec);
        std::memset(PracticeRecs, 0, sizeof PracticeRecs);
    }

    static std::string StoreBytes() {
        std::string bytes(DataFileSize, '\0');
        std::memcpy(bytes.data(), &OptionRec, sizeof OptionRec);
        std::memcpy(bytes.data() + sizeof OptionRec, PracticeRecs, sizeof PracticeRecs);
        return bytes;
    }

    static void SetStoreBytes(const std::string& bytes) {
        std::memcpy(&OptionRec, bytes.data(), sizeof OptionRec);
        std::memcpy(PracticeRecs, bytes.data() + sizeof OptionRec, sizeof PracticeRecs);
    }

    static std::string RandomBytes(std::size_t size, unsigned seed) {
        std::mt19937 random(seed);
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random());
        return bytes;
    }

    TTempFolder FFolder;
};

TEST_F(UDataFileTest, AWrittenFileIsExactlyTheStore) {
    SetStoreBytes(RandomBytes(DataFileSize, 1));
    std::string before = StoreBytes();
    WriteDataFile(DataFilePath());
    std::string file = ReadWholeFile(DataFilePath());
    EXPECT_EQ(file.size(), 15136u);
    EXPECT_EQ(file, before);
    ClearStore();
    ReadDataFile(DataFilePath());
    EXPECT_EQ(StoreBytes(), before) << "every byte, the reserved and padding ones too";
}

TEST_F(UDataFileTest, AFileOf736BytesRestoresTheSettingsAndLeavesTheRingAlone) {
    std::string settings = RandomBytes(sizeof(TOptionRec), 2);
    SaveWholeFile(DataFilePath(), settings);
    ReadDataFile(DataFilePath());
    std::string store = StoreBytes();
    EXPECT_EQ(store.substr(0, 736), settings);
    EXPECT_EQ(store.substr(736), std::string(14400, '\0')) << "no reset runs for a short file";
}

TEST_F(UDataFileTest, AShortFileReplacesOnlyTheBytesItHolds) {
    for (std::size_t length : {0u, 1u, 100u, 735u, 737u, 736u + 72u * 3u + 5u, 15135u}) {
        SetStoreBytes(RandomBytes(DataFileSize, 3));
        std::string previous = StoreBytes();
        std::string file = RandomBytes(length, 4);
        SaveWholeFile(DataFilePath(), file);
        ReadDataFile(DataFilePath());
        std::string expected = previous;
        // The settings block and the ring are read in two steps.
        std::size_t settingsPart = std::min<std::size_t>(length, 736);
        expected.replace(0, settingsPart, file.substr(0, settingsPart));
        if (length > 736)
            expected.replace(736, length - 736, file.substr(736));
        EXPECT_EQ(StoreBytes(), expected) << length << " bytes";
    }
}

TEST_F(UDataFileTest, ALongerFileIsReadUpToTheStoreSize) {
    std::string file = RandomBytes(DataFileSize + 500, 5);
    SaveWholeFile(DataFilePath(), file);
    ReadDataFile(DataFilePath());
    EXPECT_EQ(StoreBytes(), file.substr(0, DataFileSize));
}

TEST_F(UDataFileTest, AMissingFileThrows) {
    EXPECT_THROW(ReadDataFile(DataFilePath()), std::runtime_error);
}

TEST_F(UDataFileTest, ResetWritesTheDefaultsAndKeepsTheKeptFields) {
    SetStoreBytes(RandomBytes(DataFileSize, 6));
    TOptionRec before = OptionRec;
    ResetOptions(1920, 1080);
    const TOptionRec& o = OptionRec;
    EXPECT_EQ(o.TouchFontSize, 18);
    EXPECT_EQ(o.FontSize, 12);
    EXPECT_EQ(o.Reserved008, 0);
    EXPECT_EQ(o.WrapColJp, 20);
    EXPECT_EQ(o.WrapColEn, 40);
    EXPECT_EQ(o.EditorShowView, 1);
    EXPECT_EQ(o.GraphSpeedJpMax, 90);
    EXPECT_EQ(o.GraphSpeedJpMin, 50);
    EXPECT_EQ(o.GraphMatchMax, 100);
    EXPECT_EQ(o.GraphMatchMin, 80);
    EXPECT_EQ(o.GraphErrorMax, 20);
    EXPECT_EQ(o.GraphErrorMin, 0);
    EXPECT_EQ(o.GraphKanjiMax, 40);
    EXPECT_EQ(o.GraphKanjiMin, 20);
    EXPECT_EQ(o.GraphSpeedEnMax, 50);
    EXPECT_EQ(o.GraphSpeedEnMin, 20);
    EXPECT_EQ(o.GraphKeySpeedMax, 200);
    EXPECT_EQ(o.GraphKeySpeedMin, 160);
    EXPECT_EQ(o.NextRecord, 0);
    EXPECT_EQ(o.AutoCrLf, 1);
    EXPECT_EQ(o.LineComp, 0);
    EXPECT_EQ(o.Reserved04E, 1);
    EXPECT_EQ(o.ExamMode, before.ExamMode);
    EXPECT_EQ(o.MainListView1Height, 100);
    EXPECT_EQ(o.MainPanel2Width, 190);
    EXPECT_EQ(o.MainRichEdit1Height, 100);
    EXPECT_EQ(o.GraphListBox1Width, 153);
    EXPECT_EQ(o.GraphPaintBox1Height, 60);
    EXPECT_EQ(o.GraphPaintBox2Bottom, 123);
    EXPECT_EQ(o.GraphPaintBox3Bottom, 186);
    EXPECT_EQ(o.GraphPanel2Bottom, 302);
    EXPECT_EQ(o.EditorListView1Height, 120);
    EXPECT_EQ(o.EditorPanel1Width, 180);
    EXPECT_EQ(o.EditorRichEdit1Height, 120);
    EXPECT_EQ(o.MainLeft, 650);
    EXPECT_EQ(o.MainTop, 335);
    EXPECT_EQ(o.MainWidth, 620);
    EXPECT_EQ(o.MainHeight, 410);
    EXPECT_EQ(o.GraphLeft, 642);
    EXPECT_EQ(o.GraphTop, 296);
    EXPECT_EQ(o.GraphWidth, 635);
    EXPECT_EQ(o.GraphHeight, 488);
    EXPECT_EQ(o.EditorLeft, 745);
    EXPECT_EQ(o.EditorTop, 378);
    EXPECT_EQ(o.EditorWidth, 430);
    EXPECT_EQ(o.EditorHeight, 323);
    EXPECT_EQ(0, std::memcmp(o.Reserved0AC, before.Reserved0AC, 256 + 16 + 16));
    const std::int32_t reserved1CC[9] = {120, 120, 130, 130, 600, 800, 80, 3, 2};
    EXPECT_EQ(0, std::memcmp(o.Reserved1CC, reserved1CC, sizeof reserved1CC));
    EXPECT_EQ(o.Reserved1F0, 335);
    EXPECT_EQ(o.Reserved1F4, 650);
    const std::uint8_t reserved1F8[4] = {1, 0, 0, 1};
    EXPECT_EQ(0, std::memcmp(o.Reserved1F8, reserved1F8, 4));
    EXPECT_EQ(o.RomajiLower, before.RomajiLower);
    EXPECT_EQ(0, std::memcmp(o.Reserved1FD, before.Reserved1FD, 39));
    for (std::int32_t choice : o.RomajiChoice)
        EXPECT_EQ(choice, 0);
    for (const TPracticeRec& rec : PracticeRecs) {
        EXPECT_EQ(rec.Title[0], 0);
        EXPECT_EQ(rec.RecDate, 0.0);
        EXPECT_EQ(rec.RecMode, TRecordMode::Empty);
        EXPECT_EQ(rec.TextKind, TTextKind::Empty);
        EXPECT_EQ(rec.Seconds, 0);
    }
}

TEST_F(UDataFileTest, CentredDefaultsRoundTowardZero) {
    ResetOptions(601, 401);
    EXPECT_EQ(OptionRec.MainLeft, -9); // (601 - 620) / 2
    EXPECT_EQ(OptionRec.MainTop, -4);  // (401 - 410) / 2
}

TEST_F(UDataFileTest, EmptyingASlotKeepsItsPaddingAndTitleBytes) {
    TPracticeRec rec;
    std::memset(&rec, 0xAB, sizeof rec);
    EmptyRecord(rec);
    EXPECT_EQ(rec.Title[0], 0);
    EXPECT_EQ(rec.Title[1], 0xAB);
    EXPECT_EQ(rec.Padding15[0], 0xAB);
    EXPECT_EQ(rec.Padding22[1], 0xAB);
    EXPECT_EQ(rec.RecMode, TRecordMode::Empty);
    EXPECT_EQ(rec.TextKind, TTextKind::Empty);
    EXPECT_EQ(rec.ExampleCount, 0);
    EXPECT_EQ(rec.Reserved40, 0);
}

TEST_F(UDataFileTest, TheRingWrapsFrom199To0) {
    ResetOptions(1024, 768);
    for (int i = 0; i < 201; ++i) {
        TPracticeRec rec{};
        rec.Seconds = i + 1;
        StoreRecord(rec);
        if (i == 199) {
            EXPECT_EQ(OptionRec.NextRecord, 0) << "the 200th record";
        }
    }
    EXPECT_EQ(OptionRec.NextRecord, 1);
    EXPECT_EQ(PracticeRecs[0].Seconds, 201) << "the 201st record overwrites slot 0";
    EXPECT_EQ(PracticeRecs[1].Seconds, 2);
    EXPECT_EQ(PracticeRecs[199].Seconds, 200);
}

TEST_F(UDataFileTest, TitlesAreCutAtByte20) {
    TPracticeRec rec{};
    SetRecordTitle(rec, "123456789012345678901234567890");
    EXPECT_EQ(rec.Title[0], 20);
    EXPECT_EQ(RecordTitle(rec), "12345678901234567890");
    SetRecordTitle(rec, "ab");
    EXPECT_EQ(RecordTitle(rec), "ab");
    rec.Title[0] = 250;
    EXPECT_EQ(RecordTitle(rec).size(), 20u) << "a damaged length byte reads no further";
}

// Damaged files: each bad value gets its fallback, and nothing else of the store changes.
struct TRepairCase {
    const char* Name;
    void (*Damage)();
    void (*Check)();
};

const std::vector<TScreenRect> OneScreen = {{0, 0, 1920, 1080}};

class UDataFileRepairTest : public UDataFileTest,
                            public testing::WithParamInterface<TRepairCase> {};

TEST_P(UDataFileRepairTest, RepairsOnlyTheDamagedValue) {
    ResetOptions(1920, 1080);
    OptionRec.MainLeft = 100;
    OptionRec.MainTop = 50;
    OptionRec.ExamMode = 1;
    OptionRec.RomajiChoice[14] = 1;
    PracticeRecs[5].RecDate = 46000.5;
    PracticeRecs[6].RecDate = 46001.5;
    PracticeRecs[7].RecDate = 45999.0;
    SetRecordTitle(PracticeRecs[6], "title");
    GetParam().Damage();
    std::string damaged = StoreBytes();
    RepairOptions(OneScreen);
    GetParam().Check();
    // Undo the repair of the one value and compare the rest byte for byte.
    std::string repaired = StoreBytes();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < repaired.size(); ++i)
        differing += repaired[i] != damaged[i];
    EXPECT_LE(differing, 16u) << "the repair touched more than the damaged fields";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UDataFileRepairTest,
    testing::Values(TRepairCase{"NextRecordNegative", [] { OptionRec.NextRecord = -1; },
                                [] { EXPECT_EQ(OptionRec.NextRecord, 7); }},
                    TRepairCase{"NextRecordTooLarge", [] { OptionRec.NextRecord = 200; },
                                [] { EXPECT_EQ(OptionRec.NextRecord, 7); }},
                    TRepairCase{"NextRecordAfterSlot199",
                                [] {
                                    OptionRec.NextRecord = 1 << 30;
                                    PracticeRecs[199].RecDate = 50000;
                                },
                                [] { EXPECT_EQ(OptionRec.NextRecord, 0); }},
                    TRepairCase{"NextRecordInRangeStays", [] { OptionRec.NextRecord = 150; },
                                [] { EXPECT_EQ(OptionRec.NextRecord, 150); }},
                    TRepairCase{"TitleLengthAbove20", [] { PracticeRecs[6].Title[0] = 200; },
                                [] {
                                    EXPECT_EQ(PracticeRecs[6].Title[0], 20);
                                    EXPECT_EQ(PracticeRecs[5].Title[0], 0);
                                }},
                    TRepairCase{"ExamModeAbove2", [] { OptionRec.ExamMode = 3; },
                                [] { EXPECT_EQ(OptionRec.ExamMode, 0); }},
                    TRepairCase{"ExamMode2Stays", [] { OptionRec.ExamMode = 2; },
                                [] { EXPECT_EQ(OptionRec.ExamMode, 2); }},
                    TRepairCase{"TouchFontSizeTooSmall", [] { OptionRec.TouchFontSize = 8; },
                                [] { EXPECT_EQ(OptionRec.TouchFontSize, 18); }},
                    TRepairCase{"TouchFontSizeAtLimitStays", [] { OptionRec.TouchFontSize = 26; },
                                [] { EXPECT_EQ(OptionRec.TouchFontSize, 26); }},
                    TRepairCase{"FontSizeTooLarge", [] { OptionRec.FontSize = 21; },
                                [] { EXPECT_EQ(OptionRec.FontSize, 12); }},
                    TRepairCase{"WrapColJpOutside", [] { OptionRec.WrapColJp = 46; },
                                [] { EXPECT_EQ(OptionRec.WrapColJp, 20); }},
                    TRepairCase{"WrapColEnOutside", [] { OptionRec.WrapColEn = 19; },
                                [] { EXPECT_EQ(OptionRec.WrapColEn, 40); }},
                    TRepairCase{"RomajiChoiceOutside", [] { OptionRec.RomajiChoice[3] = -5; },
                                [] {
                                    EXPECT_EQ(OptionRec.RomajiChoice[3], 0);
                                    EXPECT_EQ(OptionRec.RomajiChoice[14], 1);
                                }},
                    TRepairCase{"ZeroWidth", [] { OptionRec.MainWidth = 0; },
                                [] {
                                    EXPECT_EQ(OptionRec.MainWidth, 620);
                                    EXPECT_EQ(OptionRec.MainHeight, 410);
                                    EXPECT_EQ(OptionRec.MainLeft, 650);
                                    EXPECT_EQ(OptionRec.MainTop, 335);
                                }},
                    TRepairCase{"NegativeHeight", [] { OptionRec.MainHeight = -400; },
                                [] {
                                    EXPECT_EQ(OptionRec.MainHeight, 410);
                                    EXPECT_EQ(OptionRec.MainLeft, 650);
                                }},
                    TRepairCase{"LargerThanTheScreen", [] { OptionRec.MainWidth = 100000; },
                                [] { EXPECT_EQ(OptionRec.MainWidth, 620); }},
                    TRepairCase{"OffEveryScreen",
                                [] {
                                    OptionRec.MainLeft = -5000;
                                    OptionRec.MainWidth = 800;
                                },
                                [] {
                                    EXPECT_EQ(OptionRec.MainWidth, 800) << "a usable size stays";
                                    EXPECT_EQ(OptionRec.MainLeft, 560);
                                    EXPECT_EQ(OptionRec.MainTop, 335);
                                }},
                    TRepairCase{"OverflowingPosition",
                                [] {
                                    OptionRec.MainLeft = 2147483600;
                                    OptionRec.MainTop = 2147483600;
                                },
                                [] { EXPECT_EQ(OptionRec.MainLeft, 650); }},
                    TRepairCase{"PartlyOnScreenMovesWhollyOn", [] { OptionRec.MainLeft = 1800; },
                                [] {
                                    EXPECT_EQ(OptionRec.MainLeft, 1300);
                                    EXPECT_EQ(OptionRec.MainWidth, 620);
                                }},
                    TRepairCase{"EditorOffScreen", [] { OptionRec.EditorTop = 5000; },
                                [] { EXPECT_EQ(OptionRec.EditorTop, 378); }},
                    TRepairCase{"NegativePaneSize", [] { OptionRec.MainPanel2Width = -3; },
                                [] { EXPECT_EQ(OptionRec.MainPanel2Width, 190); }},
                    TRepairCase{"HugePaneSize", [] { OptionRec.MainRichEdit1Height = 99999; },
                                [] { EXPECT_EQ(OptionRec.MainRichEdit1Height, 100); }},
                    TRepairCase{"EditorPaneNegative", [] { OptionRec.EditorPanel1Width = -1; },
                                [] { EXPECT_EQ(OptionRec.EditorPanel1Width, 180); }},
                    TRepairCase{"EditorPaneLargerThanTheScreen",
                                [] { OptionRec.EditorListView1Height = 5000; },
                                [] { EXPECT_EQ(OptionRec.EditorListView1Height, 120); }},
                    TRepairCase{"EditorPaneLargerThanItsWindow",
                                [] {
                                    OptionRec.EditorHeight = 400;
                                    OptionRec.EditorRichEdit1Height = 700;
                                },
                                [] {
                                    EXPECT_EQ(OptionRec.EditorHeight, 400);
                                    EXPECT_EQ(OptionRec.EditorRichEdit1Height, 120);
                                }}),
    [](const testing::TestParamInfo<TRepairCase>& info) { return info.param.Name; });

// The records window's panes fall back to the design sizes together.
void ExpectGraphStripDesign() {
    EXPECT_EQ(OptionRec.GraphPaintBox1Height, 60);
    EXPECT_EQ(OptionRec.GraphPaintBox2Bottom, 123);
    EXPECT_EQ(OptionRec.GraphPaintBox3Bottom, 186);
    EXPECT_EQ(OptionRec.GraphPanel2Bottom, 302);
}

INSTANTIATE_TEST_SUITE_P(
    GraphPanes, UDataFileRepairTest,
    testing::Values(TRepairCase{"ListWidthNegative", [] { OptionRec.GraphListBox1Width = -1; },
                                [] { EXPECT_EQ(OptionRec.GraphListBox1Width, 153); }},
                    TRepairCase{"ListWidthWiderThanTheScreen",
                                [] { OptionRec.GraphListBox1Width = 5000; },
                                [] { EXPECT_EQ(OptionRec.GraphListBox1Width, 153); }},
                    TRepairCase{"StripHeightNegative", [] { OptionRec.GraphPaintBox1Height = -60; },
                                ExpectGraphStripDesign},
                    TRepairCase{"StripsOutOfOrder", [] { OptionRec.GraphPaintBox3Bottom = 100; },
                                ExpectGraphStripDesign},
                    TRepairCase{"PaneEndsAboveTheStrips", [] { OptionRec.GraphPanel2Bottom = 150; },
                                ExpectGraphStripDesign},
                    TRepairCase{"LargestStripHeight",
                                [] { OptionRec.GraphPaintBox1Height = 2147483647; },
                                ExpectGraphStripDesign},
                    TRepairCase{"PaneTallerThanTheScreen",
                                [] {
                                    OptionRec.GraphPaintBox3Bottom = 2000;
                                    OptionRec.GraphPanel2Bottom = 2100;
                                },
                                ExpectGraphStripDesign},
                    TRepairCase{"SizesInOrderStay",
                                [] {
                                    OptionRec.GraphListBox1Width = 300;
                                    OptionRec.GraphPaintBox1Height = 100;
                                    OptionRec.GraphPaintBox2Bottom = 203;
                                    OptionRec.GraphPaintBox3Bottom = 306;
                                    OptionRec.GraphPanel2Bottom = 500;
                                },
                                [] {
                                    EXPECT_EQ(OptionRec.GraphListBox1Width, 300);
                                    EXPECT_EQ(OptionRec.GraphPaintBox1Height, 100);
                                    EXPECT_EQ(OptionRec.GraphPaintBox3Bottom, 306);
                                    EXPECT_EQ(OptionRec.GraphPanel2Bottom, 500);
                                }}),
    [](const testing::TestParamInfo<TRepairCase>& info) { return info.param.Name; });

// Two screens side by side: a large primary one and a smaller one on its right, a little lower.
TEST(FitBoundsOnScreensTest, AWindowEndsWhollyOnTheScreenItIsMostlyOn) {
    const std::vector<TScreenRect> screens = {{0, 0, 1920, 1080}, {1920, 200, 1280, 720}};
    struct Case {
        const char* Name;
        TScreenRect Before, After;
    } cases[] = {
        {"wholly on the primary stays", {100, 100, 620, 410}, {100, 100, 620, 410}},
        {"wholly on the second stays", {2000, 300, 620, 410}, {2000, 300, 620, 410}},
        {"hanging off the primary's top left", {-300, -20, 620, 410}, {0, 0, 620, 410}},
        {"mostly on the second, moved onto it", {1800, 150, 620, 410}, {1920, 200, 620, 410}},
        {"mostly on the primary, moved onto it", {1500, 700, 620, 410}, {1300, 670, 620, 410}},
        {"too tall for the second, shrunk to it", {2000, 100, 1000, 1000}, {2000, 200, 1000, 720}},
        {"too large for the second, shrunk to it", {2500, 250, 1600, 900}, {1920, 200, 1280, 720}},
        {"on no screen, centred on the primary", {-5000, 0, 800, 600}, {560, 240, 800, 600}},
        {"larger than every screen, default size", {0, 0, 5000, 600}, {650, 335, 620, 410}},
        {"too small to use, default size", {10, 10, 50, 50}, {650, 335, 620, 410}},
    };
    for (const Case& c : cases) {
        TScreenRect r = c.Before;
        FitBoundsOnScreens(r.Left, r.Top, r.Width, r.Height, 620, 410, screens);
        EXPECT_EQ(std::tie(r.Left, r.Top, r.Width, r.Height),
                  std::tie(c.After.Left, c.After.Top, c.After.Width, c.After.Height))
            << c.Name << ": " << r.Left << "," << r.Top << " " << r.Width << "x" << r.Height;
    }
    // A screen of no size (reported while a monitor is being switched) is passed over, and a
    // second pass changes nothing.
    const std::vector<TScreenRect> withEmpty = {{INT_MIN, 512, 0, 125829120}, screens[1]};
    TScreenRect r = {100, 100, 620, 410};
    FitBoundsOnScreens(r.Left, r.Top, r.Width, r.Height, 620, 410, withEmpty);
    EXPECT_EQ(r.Left, 2250) << "centred on the one real screen";
    EXPECT_EQ(r.Top, 355);
    TScreenRect again = r;
    FitBoundsOnScreens(again.Left, again.Top, again.Width, again.Height, 620, 410, withEmpty);
    EXPECT_EQ(std::tie(again.Left, again.Top, again.Width, again.Height),
              std::tie(r.Left, r.Top, r.Width, r.Height));
    TScreenRect untouched = {-7, -7, 620, 410};
    FitBoundsOnScreens(untouched.Left, untouched.Top, untouched.Width, untouched.Height, 620, 410,
                       {{0, 0, 0, 0}});
    EXPECT_EQ(untouched.Left, -7) << "no usable screen: nothing is known";
}

TEST_F(UDataFileTest, RandomFilesNeverLeaveTheStoreUnusable) {
    for (unsigned seed = 0; seed < 200; ++seed) {
        SetStoreBytes(RandomBytes(DataFileSize, 100 + seed));
        RepairOptions(OneScreen);
        const TOptionRec& o = OptionRec;
        ASSERT_GE(o.NextRecord, 0);
        ASSERT_LT(o.NextRecord, 200);
        ASSERT_LE(o.ExamMode, 2);
        ASSERT_GE(o.FontSize, 9);
        ASSERT_LE(o.FontSize, 20);
        ASSERT_GE(o.MainWidth, 100);
        ASSERT_LE(o.MainWidth, 1920);
        for (const TPracticeRec& rec : PracticeRecs)
            ASSERT_LE(rec.Title[0], 20);
        for (std::int32_t choice : o.RomajiChoice)
            ASSERT_TRUE(choice >= 0 && choice <= 2);
        TPracticeRec rec{};
        StoreRecord(rec);
    }
}

} // namespace
