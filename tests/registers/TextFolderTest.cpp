// SPDX-License-Identifier: GPL-3.0-or-later
// The sample registers shipped in TextFolder: what a new learner finds on the first start.

#include "registers/UuRegi.h"

#include "platform/FileIo.h"
#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace UuRegi;

namespace {

const std::filesystem::path TextFolder = TYPORIN_TEXT_FOLDER;

enum class TKind { Kana, Japanese, English };

struct TRegister {
    const char* Name; // for the test's name
    std::filesystem::path File;
    TKind Kind;
};

void PrintTo(const TRegister& reg, std::ostream* os) {
    *os << reg.Name;
}

const TRegister Registers[] = {
    {"Kana", u"01_かなのタッチタイプ.txt", TKind::Kana},
    {"Japanese", u"02_日本語の文章.txt", TKind::Japanese},
    {"English", u"03_英語の文章.txt", TKind::English},
};

TEST(TextFolderTest, ListsTheShippedRegistersInLearningOrder) {
    std::optional<std::vector<std::filesystem::path>> names = TRegi::ListFiles(TextFolder);
    ASSERT_TRUE(names.has_value()) << TextFolder;
    std::vector<std::filesystem::path> expected;
    for (const TRegister& reg : Registers)
        expected.push_back(reg.File);
    EXPECT_EQ(*names, expected);
}

// Every character of a kana drill has a romaji spelling: hiragana, katakana, the long-vowel
// mark and the Japanese comma and full stop. ゐ ゑ ヰ ヱ ヴ ヵ ヶ ・ are left out.
bool IsDrillKana(char16_t c) {
    constexpr std::u16string_view excluded = u"ゐゑヰヱヴヵヶ";
    if (excluded.find(c) != std::u16string_view::npos)
        return false;
    return (c >= u'ぁ' && c <= u'ん') || (c >= u'ァ' && c <= u'ン') || c == u'ー' || c == u'、' ||
           c == u'。';
}

bool IsKanji(char16_t c) {
    return c >= 0x4E00 && c <= 0x9FFF;
}

class ShippedRegisterTest : public testing::TestWithParam<TRegister> {
protected:
    std::filesystem::path Path() const { return TextFolder / GetParam().File; }
};

TEST_P(ShippedRegisterTest, IsWrittenAsTheEditorWritesIt) {
    std::string bytes = ReadWholeFile(Path());
    ASSERT_FALSE(bytes.empty());
    std::vector<std::string> lines = ShiftJis::SplitLines(bytes);
    ASSERT_EQ(ShiftJis::JoinLines(lines), bytes) << "a break other than CR LF, or none at the end";

    std::vector<TEntryItem> items = ListEntries(lines);
    ASSERT_GE(items.size(), 10u);
    EXPECT_EQ(IntValue(items.front().Data, "Idx"), 0) << "text before the first entry";
    for (std::size_t i = 0; i < items.size(); ++i) {
        int idx = IntValue(items[i].Data, "Idx");
        std::string number = std::to_string(10001 + i).substr(1); // "0001" for the first
        EXPECT_EQ(lines[idx].substr(0, 8), "FF<" + number + ">") << "entry " << i;
        if (i + 1 < items.size()) {
            EXPECT_EQ(lines[IntValue(items[i].Data, "LastIdx")], "")
                << "no empty line after entry " << i;
        }
    }
}

TEST_P(ShippedRegisterTest, EveryEntryHasATitleAndAValidText) {
    std::vector<TEntryItem> items = TRegi::LoadEntries(Path());
    ASSERT_GE(items.size(), 10u);
    TRegi regi;
    bool someHaveSeveralLines = false;
    std::u16string all;
    for (const TEntryItem& item : items) {
        regi.ReadSentence(IntValue(item.Data, "Idx"), IntValue(item.Data, "LastIdx"), Path());
        SCOPED_TRACE(ShiftJis::ToQString(regi.Title).toStdString());
        ASSERT_FALSE(regi.Title.empty());
        ASSERT_FALSE(regi.Text.empty());
        for (const std::string& sjis : {regi.Title, regi.Text}) {
            std::u16string text = ShiftJis::ToUtf16(sjis);
            EXPECT_EQ(text.find(ShiftJis::Replacement), std::u16string::npos);
            EXPECT_EQ(ShiftJis::FromUtf16(text), sjis) << "does not round-trip";
        }
        std::vector<std::string> lines = ShiftJis::SplitLines(regi.Text);
        someHaveSeveralLines = someHaveSeveralLines || lines.size() > 1;
        std::u16string text = ShiftJis::ToUtf16(regi.Text);
        std::erase_if(text, [](char16_t c) { return c == u'\r' || c == u'\n'; });
        all += text;

        switch (GetParam().Kind) {
        case TKind::Kana:
            for (const std::string& line : lines)
                EXPECT_LE(line.size(), 40u) << ShiftJis::ToQString(line).toStdString();
            EXPECT_TRUE(std::all_of(text.begin(), text.end(), IsDrillKana))
                << "a character without a romaji spelling";
            break;
        case TKind::Japanese:
            EXPECT_GE(text.size(), 40u);
            EXPECT_LE(text.size(), 200u);
            break;
        case TKind::English:
            for (const std::string& sjis : {regi.Title, regi.Text})
                EXPECT_TRUE(std::all_of(sjis.begin(), sjis.end(), [](char c) {
                    return (c >= 32 && c <= 126) || c == '\r' || c == '\n';
                })) << "not ASCII";
            break;
        }
    }
    EXPECT_TRUE(someHaveSeveralLines);
    if (GetParam().Kind == TKind::Kana) {
        for (char16_t c : std::u16string_view(u"っゃゅょんー"))
            EXPECT_NE(all.find(c), std::u16string::npos) << "never uses " << int(c);
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](char16_t c) {
            return c >= u'ァ' && c <= u'ン';
        })) << "no katakana";
    }
    if (GetParam().Kind == TKind::Japanese) {
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), IsKanji));
    }
}

INSTANTIATE_TEST_SUITE_P(Registers, ShippedRegisterTest, testing::ValuesIn(Registers),
                         [](const testing::TestParamInfo<TRegister>& info) {
                             return info.param.Name;
                         });

} // namespace
