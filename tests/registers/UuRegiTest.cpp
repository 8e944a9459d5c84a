// SPDX-License-Identifier: GPL-3.0-or-later
#include "registers/UuRegi.h"

#include "platform/FileIo.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace UuRegi;

namespace {

// A failing row prints as its name, not as a dump of its bytes.
template <class TRow>
requires requires(const TRow& row) {
    row.Name;
}
void PrintTo(const TRow& row, std::ostream* os) {
    *os << row.Name;
}

const std::string Title24(24, 't');
// 漢 twelve times: a title of 24 bytes.
const std::string Kanji12 = [] {
    std::string title;
    for (int i = 0; i < 12; ++i)
        title += "\x8A\xBF";
    return title;
}();

struct THeaderCase {
    const char* Name;
    std::string Line;
    bool Header;
};

class IsHeaderTest : public testing::TestWithParam<THeaderCase> {};

TEST_P(IsHeaderTest, Decides) {
    EXPECT_EQ(TRegi::IsHeader(GetParam().Line), GetParam().Header) << GetParam().Line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsHeaderTest,
    testing::Values(THeaderCase{"OneByteTitle", "FF<0001>a", true},
                    THeaderCase{"Ticked", "TF<0002>Title", true},
                    THeaderCase{"SecondFlagT", "FT<9999>a", true},
                    THeaderCase{"NumberNotChecked", "FF<0000>a", true},
                    THeaderCase{"ThirtyTwoBytes", "FF<0001>" + Title24, true},
                    THeaderCase{"ThirtyThreeBytes", "FF<0001>" + Title24 + "x", false},
                    THeaderCase{"TwelveKanjiTitle", "FF<0001>" + Kanji12, true},
                    THeaderCase{"EightBytesEmptyTitle", "FF<0001>", false},
                    THeaderCase{"Empty", "", false},
                    THeaderCase{"FirstByteNotTOrF", "XF<0001>a", false},
                    THeaderCase{"FirstByteLowerCase", "tF<0001>a", false},
                    THeaderCase{"SecondByteNotTOrF", "FX<0001>a", false},
                    THeaderCase{"NonDigitNumber", "FF<00a1>a", false},
                    THeaderCase{"ThreeDigitNumber", "FF<001>ab", false},
                    THeaderCase{"NoOpeningBracket", "FF(0001>a", false},
                    THeaderCase{"NoClosingBracket", "FF<0001)a", false},
                    THeaderCase{"LeadingBlank", " FF<0001>a", false}),
    [](const testing::TestParamInfo<THeaderCase>& info) { return info.param.Name; });

class UuRegiFileTest : public testing::Test {
protected:
    std::filesystem::path Write(const std::string& bytes, const char* name = "r.txt") {
        std::filesystem::path path = FFolder.Path() / name;
        SaveWholeFile(path, bytes);
        return path;
    }

    TTempFolder FFolder;
};

// An entry as listed: caption, check mark, Idx, LastIdx.
struct TEntry {
    std::string Caption;
    bool Checked;
    int Idx, LastIdx;
};

struct TListCase {
    const char* Name;
    std::string File;
    std::vector<TEntry> Entries;
};

class LoadEntriesTest : public UuRegiFileTest, public testing::WithParamInterface<TListCase> {};

TEST_P(LoadEntriesTest, ListsEveryEntryWithItsLineRange) {
    std::vector<TEntryItem> items = TRegi::LoadEntries(Write(GetParam().File));
    ASSERT_EQ(items.size(), GetParam().Entries.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TEntry& expected = GetParam().Entries[i];
        EXPECT_EQ(items[i].Caption, expected.Caption) << "entry " << i;
        EXPECT_EQ(items[i].Checked, expected.Checked) << "entry " << i;
        EXPECT_EQ(items[i].Data,
                  (std::vector<std::string>{"Idx=" + std::to_string(expected.Idx),
                                            "LastIdx=" + std::to_string(expected.LastIdx)}))
            << "entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadEntriesTest,
    testing::Values(
        TListCase{"AsTheEditorWrites",
                  "TF<0001>One\r\nfirst\r\n\r\nFF<0002>Two\r\nsecond\r\n",
                  {{"One", true, 0, 2}, {"Two", false, 3, 4}}},
        TListCase{"TwoHeadersInARow",
                  "FF<0001>A\r\nFF<0002>B\r\nb\r\n",
                  {{"A", false, 0, 0}, {"B", false, 1, 2}}},
        TListCase{"NoHeader", "some text\r\nFF<0001>\r\nXF<0001>x\r\n", {}},
        TListCase{"EmptyFile", "", {}},
        TListCase{"LinesBeforeTheFirstHeaderBelongToNoEntry",
                  "intro\r\n\r\nFF<0001>A\r\na\r\n",
                  {{"A", false, 2, 3}}},
        TListCase{"ThirtyThreeByteHeaderIsBodyOfThePreviousEntry",
                  "FF<0001>A\r\na\r\nFF<0002>" + Title24 + "x\r\n",
                  {{"A", false, 0, 2}}},
        TListCase{"ThirtyTwoByteHeaderOpensAnEntry",
                  "FF<0001>A\r\na\r\nTF<0002>" + Title24 + "\r\n",
                  {{"A", false, 0, 1}, {Title24, true, 2, 2}}},
        TListCase{"NonDigitNumberIsABodyLine", "FF<0001>A\r\nFF<00a1>B\r\n", {{"A", false, 0, 1}}},
        TListCase{"TrailingEmptyLinesBelongToTheLastEntry",
                  "FF<0001>A\r\na\r\n\r\n\r\n",
                  {{"A", false, 0, 3}}},
        TListCase{"NoBreakAtTheEnd", "FF<0001>A\r\na", {{"A", false, 0, 1}}},
        TListCase{
            "LoneLf", "FF<0001>A\na\nTF<0002>B\nb\n", {{"A", false, 0, 1}, {"B", true, 2, 3}}},
        TListCase{
            "LoneCr", "FF<0001>A\ra\rTF<0002>B\rb\r", {{"A", false, 0, 1}, {"B", true, 2, 3}}},
        TListCase{"MixedBreaks",
                  "FF<0001>A\r\n\r\rFF<0002>B\n",
                  {{"A", false, 0, 2}, {"B", false, 3, 3}}},
        TListCase{"InvalidShiftJisKeptAsBytes",
                  "FF<0001>\xFF\x82\r\n\x80\xA0\x82\r\n",
                  {{"\xFF\x82", false, 0, 1}}}),
    [](const testing::TestParamInfo<TListCase>& info) { return info.param.Name; });

TEST_F(UuRegiFileTest, EveryListedEntryReadsBackThroughItsData) {
    std::filesystem::path file = Write("FF<0001>\x92\xA9\r\n\x8D\xA1\x93\xFA\r\n\r\n"
                                       "FF<0002>B\r\nFF<0003>C\r\nc1\r\nc2\r\n");
    const std::vector<std::string> texts = {"\x8D\xA1\x93\xFA", "", "c1\r\nc2"};
    std::vector<TEntryItem> items = TRegi::LoadEntries(file);
    ASSERT_EQ(items.size(), texts.size());
    TRegi regi;
    for (std::size_t i = 0; i < items.size(); ++i) {
        regi.ReadSentence(IntValue(items[i].Data, "Idx"), IntValue(items[i].Data, "LastIdx"), file);
        EXPECT_EQ(regi.Title, items[i].Caption) << "entry " << i;
        EXPECT_EQ(regi.Text, texts[i]) << "entry " << i;
    }
}

struct TReadCase {
    const char* Name;
    std::string File;
    int Idx, LastIdx;
    std::string Title, Text;
};

class ReadSentenceTest : public UuRegiFileTest, public testing::WithParamInterface<TReadCase> {};

TEST_P(ReadSentenceTest, ReadsTitleAndText) {
    TRegi regi;
    regi.Title = regi.Text = "earlier";
    regi.ReadSentence(GetParam().Idx, GetParam().LastIdx, Write(GetParam().File));
    EXPECT_EQ(regi.Title, GetParam().Title);
    EXPECT_EQ(regi.Text, GetParam().Text);
}

const std::string TwoEntries =
    "FF<0001>A\r\n  first \r\n\r\nsecond\t\r\n \r\n\r\nFF<0002>B\r\nb\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSentenceTest,
    testing::Values(TReadCase{"LinesJoinedWithCrLfAndTrailingBlanksCut", TwoEntries, 0, 5, "A",
                              "  first \r\n\r\nsecond"},
                    TReadCase{"LastEntry", TwoEntries, 6, 7, "B", "b"},
                    TReadCase{"LastIdxMinusOneGivesAnEmptyText", TwoEntries, 6, -1, "B", ""},
                    TReadCase{"LastIdxEqualToIdxGivesAnEmptyText", TwoEntries, 0, 0, "A", ""},
                    TReadCase{"ARangeEndingEarlierIsTaken", TwoEntries, 0, 1, "A", "  first"},
                    TReadCase{"ShortLineAtIdxGivesAnEmptyTitle", TwoEntries, 1, 2, "", ""},
                    TReadCase{"LoneLf", "FF<0001>A\na\nb\n", 0, 2, "A", "a\r\nb"},
                    TReadCase{"LoneCr", "FF<0001>A\ra\rb", 0, 2, "A", "a\r\nb"},
                    TReadCase{"InvalidShiftJisKeptAsBytes", "FF<0001>\x82\r\n\xFD\x82\r\n", 0, 1,
                              "\x82", "\xFD\x82"}),
    [](const testing::TestParamInfo<TReadCase>& info) { return info.param.Name; });

struct TFailCase {
    const char* Name;
    int Idx, LastIdx;
    bool TitleRead; // the header line exists, so Title changes before the failure
};

class ReadSentenceFailureTest : public UuRegiFileTest,
                                public testing::WithParamInterface<TFailCase> {};

TEST_P(ReadSentenceFailureTest, ThrowsNamingTheFileAndKeepsText) {
    std::filesystem::path file = Write("FF<0001>A\r\na\r\nFF<0002>B\r\nb\r\n", "stale.txt");
    TRegi regi;
    regi.Title = regi.Text = "earlier";
    try {
        regi.ReadSentence(GetParam().Idx, GetParam().LastIdx, file);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("stale.txt"), std::string::npos) << e.what();
    }
    EXPECT_EQ(regi.Text, "earlier");
    EXPECT_EQ(regi.Title, GetParam().TitleRead ? "B" : "earlier");
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadSentenceFailureTest,
                         testing::Values(TFailCase{"IdxMinusOne", -1, 3, false},
                                         TFailCase{"IdxPastTheLastLine", 4, 5, false},
                                         TFailCase{"IdxFarOutside", 1000000, -1, false},
                                         TFailCase{"LastIdxPastTheLastLine", 2, 4, true}),
                         [](const testing::TestParamInfo<TFailCase>& info) {
                             return info.param.Name;
                         });

TEST_F(UuRegiFileTest, UnreadableRegistersThrow) {
    TRegi regi;
    EXPECT_THROW(TRegi::LoadEntries(FFolder.Path() / "missing.txt"), std::runtime_error);
    EXPECT_THROW(regi.ReadSentence(0, 0, FFolder.Path() / "missing.txt"), std::runtime_error);
    std::filesystem::create_directory(FFolder.Path() / "folder.txt");
    EXPECT_THROW(TRegi::LoadEntries(FFolder.Path() / "folder.txt"), std::runtime_error);
}

TEST_F(UuRegiFileTest, ARegisterAboveTheSizeLimitIsRefused) {
    std::string bytes = "FF<0001>A\r\n";
    bytes.resize(MaxRegisterBytes, 'x');
    EXPECT_EQ(TRegi::LoadEntries(Write(bytes)).size(), 1u);
    bytes.push_back('x');
    EXPECT_THROW(TRegi::LoadEntries(Write(bytes)), std::runtime_error);
}

struct TValueCase {
    const char* Name;
    std::vector<std::string> Data;
    const char* Key;
    int Value;
};

class IntValueTest : public testing::TestWithParam<TValueCase> {};

TEST_P(IntValueTest, ReadsTheNumberOrMinusOne) {
    EXPECT_EQ(IntValue(GetParam().Data, GetParam().Key), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntValueTest,
    testing::Values(TValueCase{"Idx", {"Idx=4", "LastIdx=9"}, "Idx", 4},
                    TValueCase{"LastIdx", {"Idx=4", "LastIdx=9"}, "LastIdx", 9},
                    TValueCase{"Missing", {"LastIdx=9"}, "Idx", -1},
                    TValueCase{"NoData", {}, "Idx", -1},
                    TValueCase{"EmptyValue", {"Idx="}, "Idx", -1},
                    TValueCase{"NoEqualsSign", {"Idx"}, "Idx", -1},
                    TValueCase{"TrailingLetters", {"Idx=12a"}, "Idx", -1},
                    TValueCase{"LeadingBlank", {"Idx= 3"}, "Idx", -1},
                    TValueCase{"PlusSign", {"Idx=+3"}, "Idx", -1},
                    TValueCase{"Negative", {"Idx=-7"}, "Idx", -7},
                    TValueCase{"TooLargeForAnInt", {"Idx=2147483648"}, "Idx", -1},
                    TValueCase{"LargestInt", {"Idx=2147483647"}, "Idx", 2147483647},
                    TValueCase{"FirstLineWins", {"Idx=2", "Idx=5"}, "Idx", 2},
                    TValueCase{"NameMatchesWhole", {"XIdx=1", "Idxx=2"}, "Idx", -1}),
    [](const testing::TestParamInfo<TValueCase>& info) { return info.param.Name; });

class WriteCheckMarkTest : public UuRegiFileTest {
protected:
    const std::string FFile = "TF<0001>A\r\na\r\n\r\nFT<0002>B\r\nb\r\n";
};

TEST_F(WriteCheckMarkTest, RewritesOnlyTheFirstByteOfTheHeader) {
    std::filesystem::path file = Write(FFile);
    WriteCheckMark(file, 3, true);
    EXPECT_EQ(ReadWholeFile(file), "TF<0001>A\r\na\r\n\r\nTT<0002>B\r\nb\r\n");
    WriteCheckMark(file, 0, false);
    EXPECT_EQ(ReadWholeFile(file), "FF<0001>A\r\na\r\n\r\nTT<0002>B\r\nb\r\n");
    WriteCheckMark(file, 0, false);
    EXPECT_EQ(ReadWholeFile(file), "FF<0001>A\r\na\r\n\r\nTT<0002>B\r\nb\r\n");
    std::vector<TEntryItem> items = TRegi::LoadEntries(file);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(items[0].Checked);
    EXPECT_TRUE(items[1].Checked);
}

TEST_F(WriteCheckMarkTest, SavesEveryLineWithCrLf) {
    std::filesystem::path file = Write("FF<0001>A\na\rb");
    WriteCheckMark(file, 0, true);
    EXPECT_EQ(ReadWholeFile(file), "TF<0001>A\r\na\r\nb\r\n");
}

TEST_F(WriteCheckMarkTest, AStaleLineIsRefusedAndTheFileLeftAlone) {
    std::filesystem::path file = Write(FFile, "changed.txt");
    for (int idx : {1, 2, 5, -1, 1000}) {
        try {
            WriteCheckMark(file, idx, true);
            FAIL() << "no exception for line " << idx;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("changed.txt"), std::string::npos) << e.what();
        }
        EXPECT_EQ(ReadWholeFile(file), FFile) << "line " << idx;
    }
}

TEST_F(WriteCheckMarkTest, AMissingFileIsNotCreated) {
    std::filesystem::path file = FFolder.Path() / "gone.txt";
    EXPECT_THROW(WriteCheckMark(file, 0, true), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(ListFilesTest, AMissingFolderIsReportedAsNothing) {
    TTempFolder folder;
    EXPECT_EQ(RegisterFolder(), folder.Path() / "TextFolder");
    EXPECT_FALSE(TRegi::ListFiles(RegisterFolder()).has_value());
    SaveWholeFile(RegisterFolder(), "a file, not a folder");
    EXPECT_FALSE(TRegi::ListFiles(RegisterFolder()).has_value());
    EXPECT_EQ(MissingFolderMessage("/opt/typorin/TextFolder"),
              QStringLiteral("/opt/typorin/TextFolder がありません。"));
}

TEST(ListFilesTest, AnEmptyFolderListsNoFiles) {
    TTempFolder folder;
    std::filesystem::create_directory(RegisterFolder());
    std::optional<std::vector<std::filesystem::path>> names = TRegi::ListFiles(RegisterFolder());
    ASSERT_TRUE(names.has_value());
    EXPECT_TRUE(names->empty());
}

TEST(ListFilesTest, ListsRegularTxtFilesOfAnyCaseSortedByName) {
    TTempFolder folder;
    std::filesystem::path dir = RegisterFolder();
    std::filesystem::create_directory(dir);
    for (const char* name : {"b.txt", "a.TXT", "c.Txt", "notes.md", "b.txt~", "txt", ".txt",
                             ".hidden.txt", "b.txt.bak", "\xE6\x97\xA5\xE6\x9C\xAC.txt"})
        SaveWholeFile(dir / name, "");
    std::filesystem::create_directory(dir / "folder.txt");
    std::filesystem::create_symlink(dir / "b.txt", dir / "link.txt");
    std::filesystem::create_symlink(dir / "nowhere", dir / "broken.txt");
    std::optional<std::vector<std::filesystem::path>> names = TRegi::ListFiles(dir);
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, (std::vector<std::filesystem::path>{"a.TXT", "b.txt", "c.Txt", "link.txt",
                                                          "\xE6\x97\xA5\xE6\x9C\xAC.txt"}));
}

} // namespace
