// SPDX-License-Identifier: GPL-3.0-or-later
#include "registers/UuEditRegi.h"

#include "platform/FileIo.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using UuEditRegi::TRegi;

namespace {

// A failing row prints as its name, not as a dump of its bytes.
template <class TRow>
requires requires(const TRow& row) {
    row.Name;
}
void PrintTo(const TRow& row, std::ostream* os) {
    *os << row.Name;
}

class UuEditRegiTest : public testing::Test {
protected:
    std::filesystem::path Write(const std::string& bytes, const char* name = "r.txt") {
        std::filesystem::path path = FFolder.Path() / name;
        SaveWholeFile(path, bytes);
        return path;
    }
    static std::string Read(const std::filesystem::path& path) { return ReadWholeFile(path); }

    TTempFolder FFolder;
    TRegi FRegi;
};

// A register of three entries as the editor writes them.
const std::string Three = "TF<0001>one\r\nalpha\r\n\r\n"
                          "FF<0002>two\r\nbeta\r\nbeta2\r\n\r\n"
                          "FF<0003>three\r\ngamma\r\n";

struct TAppendCase {
    const char* Name;
    std::string Before;
    std::string After;
};

class AppendTest : public UuEditRegiTest, public testing::WithParamInterface<TAppendCase> {};

TEST_P(AppendTest, AddsTheBlockAndRenumbers) {
    std::filesystem::path path = Write(GetParam().Before);
    FRegi.AppendSentence(path, TRegi::EntryBlock(QStringLiteral("新"), QStringLiteral("本文\n\n")));
    EXPECT_EQ(Read(path), GetParam().After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppendTest,
    testing::Values(TAppendCase{"EmptyFile", "", "FF<0001>\x90V\r\n\x96{\x95\xB6\r\n"},
                    // Numbers are rewritten in file order; the check mark 'T' stays.
                    TAppendCase{"FileWithEntries", "TF<0007>a\r\nx\r\n",
                                "TF<0001>a\r\nx\r\n\r\nFF<0002>\x90V\r\n\x96{\x95\xB6\r\n"},
                    TAppendCase{"LinesWithoutEntries", "note",
                                "note\r\n\r\nFF<0001>\x90V\r\n\x96{\x95\xB6\r\n"}),
    [](const testing::TestParamInfo<TAppendCase>& info) { return info.param.Name; });

TEST_F(UuEditRegiTest, AppendingToAMissingRegisterCreatesNothing) {
    std::filesystem::path path = FFolder.Path() / "gone.txt";
    EXPECT_THROW(FRegi.AppendSentence(path, TRegi::EntryBlock("t", "x")), std::exception);
    EXPECT_FALSE(std::filesystem::exists(path));
}

struct TBlockCase {
    const char* Name;
    QString Title;
    std::string Header; // in Shift_JIS
};

class EntryBlockTest : public testing::TestWithParam<TBlockCase> {};

TEST_P(EntryBlockTest, CutsTheTitleTo24Bytes) {
    QString block = TRegi::EntryBlock(GetParam().Title, QStringLiteral("text \r\n"));
    std::string header = ShiftJis::FromQString(block.section(QStringLiteral("\r\n"), 0, 0));
    EXPECT_EQ(header, GetParam().Header);
    EXPECT_TRUE(block.endsWith(QStringLiteral("\r\ntext")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryBlockTest,
    testing::Values(TBlockCase{"ThirtyBytes", QString(30, u'a'), "FF<0000>" + std::string(24, 'a')},
                    // a, then twelve kanji: the twelfth would end at byte 25, so it is left out.
                    TBlockCase{"NeverInsideACharacter",
                               QStringLiteral("a") + QString(12, QChar(0x6F22)),
                               "FF<0000>a" +
                                   [] {
                                       std::string s;
                                       for (int i = 0; i < 11; ++i)
                                           s += "\x8A\xBF";
                                       return s;
                                   }()},
                    TBlockCase{"Short", QStringLiteral("t"), "FF<0000>t"}),
    [](const testing::TestParamInfo<TBlockCase>& info) { return info.param.Name; });

TEST_F(UuEditRegiTest, ReadSentenceRemembersTheEntry) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(3, 6, path);
    EXPECT_EQ(FRegi.Header, "FF<0002>two");
    EXPECT_EQ(FRegi.Title, "two");
    EXPECT_EQ(FRegi.Text, "beta\r\nbeta2\r\n");
    EXPECT_EQ(FRegi.StartIdx, 3);
    EXPECT_EQ(FRegi.EndIdx, 6);
}

TEST_F(UuEditRegiTest, AMissingIdxThrowsAndKeepsTheEntryReadLast) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(0, 2, path);
    EXPECT_THROW(FRegi.ReadSentence(-1, 6, path), std::exception);
    EXPECT_EQ(FRegi.Title, "one");
    EXPECT_EQ(FRegi.StartIdx, 0);
}

TEST_F(UuEditRegiTest, ReplacingKeepsOneEmptyLineAndSavingTwiceRepeatsNothing) {
    std::filesystem::path path = Write("FF<0001>one\r\nold\r\n\r\n\r\nFF<0002>two\r\nb\r\n");
    FRegi.ReadSentence(0, 3, path);
    FRegi.ReplaceSentence(path, QStringLiteral("new\nlines\n\n"));
    const std::string once = "FF<0001>one\r\nnew\r\nlines\r\n\r\nFF<0002>two\r\nb\r\n";
    EXPECT_EQ(Read(path), once);
    EXPECT_EQ(FRegi.EndIdx, 3);
    FRegi.ReplaceSentence(path, QStringLiteral("x"));
    EXPECT_EQ(Read(path), "FF<0001>one\r\nx\r\n\r\nFF<0002>two\r\nb\r\n");
}

TEST_F(UuEditRegiTest, AHeaderTypedIntoTheTextSplitsTheEntryAndASecondSaveReplacesBoth) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(0, 2, path);
    FRegi.ReplaceSentence(path, QStringLiteral("a\nFF<0001>split\nb"));
    std::vector<UuRegi::TEntryItem> entries = TRegi::LoadEntries(path);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].Caption, "split");
    EXPECT_EQ(entries[1].Data[0], "Idx=2");
    FRegi.ReplaceSentence(path, QStringLiteral("c"));
    EXPECT_EQ(Read(path), "TF<0001>one\r\nc\r\n\r\n"
                          "FF<0002>two\r\nbeta\r\nbeta2\r\n\r\n"
                          "FF<0003>three\r\ngamma\r\n");
}

TEST_F(UuEditRegiTest, DeletingTheOnlyEntryLeavesTheLinesBeforeIt) {
    std::filesystem::path path = Write("note\r\nFF<0001>only\r\ntext\r\n");
    FRegi.ReadSentence(1, 2, path);
    FRegi.DeleteSentence(path);
    EXPECT_EQ(Read(path), "note\r\n");
    EXPECT_TRUE(FRegi.Title.empty());
    // Nothing is remembered any more: a second deletion is refused.
    EXPECT_THROW(FRegi.DeleteSentence(path), std::exception);
    EXPECT_EQ(Read(path), "note\r\n");
}

TEST_F(UuEditRegiTest, DeletingRenumbersTheRest) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(0, 2, path);
    FRegi.DeleteSentence(path);
    EXPECT_EQ(Read(path), "FF<0001>two\r\nbeta\r\nbeta2\r\n\r\nFF<0002>three\r\ngamma\r\n");
}

// Another program changed the register between reading the entry and writing it.
struct TChangedCase {
    const char* Name;
    std::string Changed; // the file as the other program left it
    bool Found;          // the entry "two" can still be found with certainty
};

class ChangedBehindTest : public UuEditRegiTest,
                          public testing::WithParamInterface<TChangedCase> {};

TEST_P(ChangedBehindTest, WritesAtTheEntryOrRefusesWritingNothing) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(3, 6, path);
    Write(GetParam().Changed);
    if (!GetParam().Found) {
        EXPECT_THROW(FRegi.ReplaceSentence(path, QStringLiteral("new")), std::exception);
        EXPECT_THROW(FRegi.DeleteSentence(path), std::exception);
        EXPECT_EQ(Read(path), GetParam().Changed);
        return;
    }
    FRegi.ReplaceSentence(path, QStringLiteral("new"));
    std::string after = Read(path);
    EXPECT_NE(after.find("two\r\nnew\r\n\r\nFF<"), std::string::npos) << after;
    EXPECT_EQ(after.find("beta"), std::string::npos) << after;
    EXPECT_NE(after.find("gamma"), std::string::npos) << after;
    FRegi.DeleteSentence(path);
    after = Read(path);
    EXPECT_EQ(after.find("two"), std::string::npos) << after;
    if (GetParam().Changed.find("one") != std::string::npos) {
        EXPECT_NE(after.find("one\r\nalpha"), std::string::npos) << after;
    }
    EXPECT_NE(after.find("three\r\ngamma"), std::string::npos) << after;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedBehindTest,
    testing::Values(TChangedCase{"LinesAddedBefore", "added\r\nlines\r\n" + Three, true},
                    TChangedCase{"EntryBeforeDeleted",
                                 "FF<0002>two\r\nbeta\r\nbeta2\r\n\r\n"
                                 "FF<0003>three\r\ngamma\r\n",
                                 true},
                    TChangedCase{"CheckMarkSet",
                                 "TF<0001>one\r\nalpha\r\n\r\n"
                                 "TF<0002>two\r\nbeta\r\nbeta2\r\n\r\n"
                                 "FF<0003>three\r\ngamma\r\n",
                                 true},
                    TChangedCase{"EntryTextChanged",
                                 "TF<0001>one\r\nalpha\r\n\r\n"
                                 "FF<0002>two\r\nBETA\r\nbeta2\r\n\r\n"
                                 "FF<0003>three\r\ngamma\r\n",
                                 false},
                    TChangedCase{"EntryGrewAtItsEnd",
                                 "TF<0001>one\r\nalpha\r\n\r\n"
                                 "FF<0002>two\r\nbeta\r\nbeta2\r\n\r\nmore\r\n"
                                 "FF<0003>three\r\ngamma\r\n",
                                 false},
                    TChangedCase{"EntryTwiceInTheFile",
                                 "FF<0002>two\r\nbeta\r\nbeta2\r\n\r\n" + Three, false},
                    TChangedCase{"Emptied", "", false}),
    [](const testing::TestParamInfo<TChangedCase>& info) { return info.param.Name; });

TEST_F(UuEditRegiTest, AnAppendedEntryKeepsTheLastEntryInStep) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(7, 8, path);
    FRegi.AppendSentence(path, TRegi::EntryBlock("four", "delta"));
    FRegi.ReplaceSentence(path, QStringLiteral("G"));
    EXPECT_EQ(Read(path), "TF<0001>one\r\nalpha\r\n\r\n"
                          "FF<0002>two\r\nbeta\r\nbeta2\r\n\r\n"
                          "FF<0003>three\r\nG\r\n\r\nFF<0004>four\r\ndelta\r\n");
}

TEST_F(UuEditRegiTest, RenumberingCountsHeadersOnlyAndWrapsAtTenThousand) {
    std::vector<std::string> lines = {"x", "TT<9999>a", "body", "FF<0000>b"};
    TRegi::Renumber(lines, ShiftJis::TTextEncoding::ShiftJis);
    EXPECT_EQ(lines, (std::vector<std::string>{"x", "TT<0001>a", "body", "FF<0002>b"}));
    std::vector<std::string> many(10000, "FF<1234>t");
    TRegi::Renumber(many, ShiftJis::TTextEncoding::ShiftJis);
    EXPECT_EQ(many[9998], "FF<9999>t");
    EXPECT_EQ(many[9999], "FF<0000>t");
}

// Characters a Shift_JIS register cannot hold are refused, never written as "?".
TEST_F(UuEditRegiTest, AnUnmappableCharacterRefusesTheSaveNamingIt) {
    std::filesystem::path path = Write(Three);
    FRegi.ReadSentence(0, 2, path);
    try {
        FRegi.ReplaceSentence(path, QStringLiteral("ok\nsmile 😀 here"));
        FAIL() << "no refusal";
    } catch (const ShiftJis::TUnmappableError& e) {
        QString message = QString::fromUtf8(e.what());
        EXPECT_TRUE(message.contains(QStringLiteral("😀"))) << e.what();
        EXPECT_TRUE(message.contains(QStringLiteral("2 行目"))) << e.what();
    }
    // Added, the character is named in the title or at its line of the text, not of the entry.
    struct TCase {
        QString Title, Text, Place;
    } cases[] = {
        {QStringLiteral("𠮷"), QStringLiteral("x"), QStringLiteral("タイトルの「𠮷」")},
        {QStringLiteral("t"), QStringLiteral("😀 first"), QStringLiteral("「😀」(1 行目)")},
        {QStringLiteral("t"), QStringLiteral("one\r\n\r\nthree 😀"),
         QStringLiteral("「😀」(3 行目)")},
    };
    for (const TCase& c : cases) {
        try {
            FRegi.AppendSentence(path, TRegi::EntryBlock(c.Title, c.Text));
            ADD_FAILURE() << "no refusal for " << c.Place.toStdString();
        } catch (const ShiftJis::TUnmappableError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(c.Place)) << e.what();
        }
    }
    EXPECT_EQ(Read(path), Three);
}

TEST_F(UuEditRegiTest, AFailedSaveLeavesTheRegisterWhole) {
    std::string big = Three + std::string(3000, 'z') + "\r\n";
    std::filesystem::path path = Write(big);
    FRegi.ReadSentence(0, 2, path);
    {
        TFileSizeLimit limit(1024);
        EXPECT_THROW(FRegi.ReplaceSentence(path, QStringLiteral("new")), std::exception);
    }
    EXPECT_EQ(Read(path), big);
    // The remembered entry is unchanged, so the save can be repeated once there is room.
    FRegi.ReplaceSentence(path, QStringLiteral("new"));
    EXPECT_EQ(Read(path).substr(0, 22), "TF<0001>one\r\nnew\r\n\r\nFF");
}

// ---- Registers saved as UTF-8 ----

const std::string Bom = "\xEF\xBB\xBF";
// "TF<0001>朝" and a body with an emoji, which Shift_JIS cannot hold.
const std::string Utf8Register = "TF<0001>\xE6\x9C\x9D\r\n\xF0\x9F\x98\x80 smile\r\n\r\n"
                                 "FF<0002>\xE5\xA4\x9C\r\n\xE3\x81\x82\r\n";

class Utf8RegisterTest : public UuEditRegiTest, public testing::WithParamInterface<std::string> {};

TEST_P(Utf8RegisterTest, ListsAndReadsLikeShiftJis) {
    std::filesystem::path path = Write(GetParam() + Utf8Register);
    std::vector<UuRegi::TEntryItem> entries = UuRegi::TRegi::LoadEntries(path);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Caption, "\x92\xA9"); // 朝 in Shift_JIS
    EXPECT_TRUE(entries[0].Checked);
    EXPECT_EQ(entries[1].Data, (std::vector<std::string>{"Idx=3", "LastIdx=4"}));
    UuRegi::TRegi reader;
    reader.ReadSentence(3, 4, path);
    EXPECT_EQ(reader.Text, "\x82\xA0"); // あ
}

TEST_P(Utf8RegisterTest, EveryWriteKeepsItUtf8ByteForByte) {
    std::filesystem::path path = Write(GetParam() + Utf8Register);
    UuRegi::WriteCheckMark(path, 3, true);
    std::string expected = GetParam() + Utf8Register;
    expected[expected.find("FF<0002>")] = 'T';
    EXPECT_EQ(Read(path), expected);

    FRegi.ReadSentence(3, 4, path);
    EXPECT_EQ(FRegi.TextText(), QStringLiteral("あ\r\n"));
    FRegi.ReplaceSentence(path, QStringLiteral("夜の🌙"));
    FRegi.AppendSentence(path, TRegi::EntryBlock(QStringLiteral("🎉"), QStringLiteral("祝")));
    EXPECT_EQ(Read(path), GetParam() +
                              "TF<0001>\xE6\x9C\x9D\r\n\xF0\x9F\x98\x80 smile\r\n\r\n"
                              "TF<0002>\xE5\xA4\x9C\r\n\xE5\xA4\x9C\xE3\x81\xAE\xF0\x9F\x8C\x99\r\n"
                              "\r\n\r\nFF<0003>\xF0\x9F\x8E\x89\r\n\xE7\xA5\x9D\r\n");
}

INSTANTIATE_TEST_SUITE_P(ByteOrderMark, Utf8RegisterTest, testing::Values(std::string(), Bom),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return info.param.empty() ? "Without" : "With";
                         });

} // namespace
