// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UWordList.h"

#include "analysis/UKanaAnalysis.h"
#include "drills/UKanaCourse.h"
#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>

using ShiftJis::FromUtf16;

namespace {

constexpr std::size_t MinimumWordCount = 3000;
constexpr std::size_t MaximumKanaLength = 12;
constexpr int MinimumWordsPerUnit = 5;
constexpr int MinimumWordsPerCommonUnit = 20;

std::string Utf8(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).toStdString();
}

std::string Utf8FromSjis(std::string_view sjis) {
    return ShiftJis::ToQString(sjis).toStdString();
}

// ---- The format

TEST(UWordListTest, ParsesFieldsAndSkipsCommentsBlankLinesAndByteOrderMark) {
    std::vector<TWord> words = ParseWordList("\xEF\xBB\xBF# header\r\n"
                                             "がっこう\t学校\t1\r\n"
                                             "\r\n"
                                             "\n"
                                             "コーヒー\tコーヒー\t3"); // no break at the end
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].Kana, u"がっこう");
    EXPECT_EQ(words[0].Written, u"学校");
    EXPECT_EQ(words[0].FrequencyClass, 1);
    EXPECT_EQ(words[1].Kana, u"コーヒー");
    EXPECT_EQ(words[1].Written, u"コーヒー");
    EXPECT_EQ(words[1].FrequencyClass, 3);
    EXPECT_TRUE(ParseWordList("").empty());
    EXPECT_TRUE(ParseWordList("# only a comment\n").empty());
}

struct TBadCase {
    const char* Name;
    std::string Text;
    int Line;
    std::string Reason; // a part of the reason
};

class UWordListBadLineTest : public testing::TestWithParam<TBadCase> {};

TEST_P(UWordListBadLineTest, ReportsTheLineAndWhy) {
    const TBadCase& c = GetParam();
    try {
        ParseWordList(c.Text);
        FAIL() << "no error";
    } catch (const TWordListError& e) {
        EXPECT_EQ(e.Line(), c.Line);
        EXPECT_NE(e.Reason().find(c.Reason), std::string::npos) << e.Reason();
        EXPECT_EQ(std::string(e.what()),
                  "単語リストの " + std::to_string(c.Line) + " 行目: " + e.Reason());
    }
}

const std::string FieldCountReason = "タブで区切った欄が ";
const std::string ClassReason = "頻度は 1、2、3 のどれかです";

INSTANTIATE_TEST_SUITE_P(
    Cases, UWordListBadLineTest,
    testing::Values(
        TBadCase{"OneField", "あい 愛 1\n", 1, FieldCountReason + "1 つ"},
        TBadCase{"TwoFields", "あい\t愛\n", 1, FieldCountReason + "2 つ"},
        TBadCase{"FourFields", "あい\t愛\t1\t2\n", 1, FieldCountReason + "4 つ"},
        TBadCase{"TrailingTab", "あい\t愛\t1\t\n", 1, FieldCountReason + "4 つ"},
        TBadCase{"BlankLineOfSpaces", "  \n", 1, FieldCountReason + "1 つ"},
        TBadCase{"EmptyKana", "\t愛\t1\n", 1, "読みが空です"},
        TBadCase{"KanjiInKana", "あ愛\t愛\t1\n", 1, "読みの 2 文字目"},
        TBadCase{"LatinKana", "ai\t愛\t1\n", 1, "読みの 1 文字目"},
        TBadCase{"BlankInKana", "あ い\t愛\t1\n", 1, "読みの 2 文字目"},
        TBadCase{"HalfWidthKatakana", "ｱｲ\t愛\t1\n", 1, "読みの 1 文字目"},
        TBadCase{"HiraganaVuBeyondCodePage932", "ゔぁ\tヴァ\t3\n", 1, "読みの 1 文字目"},
        TBadCase{"KatakanaVaBeyondCodePage932", "ヷ\tヷ\t3\n", 1, "読みの 1 文字目"},
        TBadCase{"EmptyWritten", "あい\t\t1\n", 1, "表記が空です"},
        TBadCase{"ControlInWritten", "あい\t愛\x01\t1\n", 1, "制御文字"},
        TBadCase{"BlankBeforeWritten", "あい\t 愛\t1\n", 1, "前後に空白"},
        TBadCase{"IdeographicSpaceAfterWritten", "あい\t愛　\t1\n", 1, "前後に空白"},
        TBadCase{"WrittenBeyondCodePage932", "あい\t愛😀\t1\n", 1, "Shift_JIS で表せない"},
        TBadCase{"HangulWritten", "あい\t사랑\t1\n", 1, "Shift_JIS で表せない"},
        TBadCase{"ByteOrderMarkBeforeWritten", "あい\t\xEF\xBB\xBF愛\t1\n", 1,
                 "Shift_JIS で表せない"},
        TBadCase{"ClassZero", "あい\t愛\t0\n", 1, ClassReason},
        TBadCase{"ClassFour", "あい\t愛\t4\n", 1, ClassReason},
        TBadCase{"ClassTwoDigits", "あい\t愛\t11\n", 1, ClassReason},
        TBadCase{"ClassWithBlank", "あい\t愛\t1 \n", 1, ClassReason},
        TBadCase{"ClassFullWidth", "あい\t愛\t１\n", 1, ClassReason + "（「１」とあります）"},
        TBadCase{"ClassEmpty", "あい\t愛\t\n", 1, ClassReason},
        TBadCase{"ShiftJisKana", "\x82\xA0\x82\xA2\t愛\t1\n", 1, "UTF-8 として読めない"},
        TBadCase{"NotUtf8InWritten", "あい\t\xE6\x84\t1\n", 1, "UTF-8 として読めない"},
        TBadCase{"NotUtf8InClass", "あい\t愛\t\xFF\n", 1, "UTF-8 として読めない"},
        TBadCase{"NotUtf8InComment", "# \xC0\xAF\n", 1, "UTF-8 として読めない"},
        TBadCase{"EncodedSurrogate", "\xED\xA0\x80\t愛\t1\n", 1, "UTF-8 として読めない"},
        TBadCase{"CountsCommentsAndBlankLines", "# c\n\nあい\t愛\t1\r\nいえ\t家\n", 4,
                 FieldCountReason + "2 つ"},
        TBadCase{"ByteOrderMarkOnlyAtTheStart", "あい\t愛\t1\n\xEF\xBB\xBFいえ\t家\t1\n", 2,
                 "読みの 1 文字目"},
        TBadCase{"LoneCarriageReturnIsNoLineBreak", "あい\t愛\t1\rいえ\t家\t1\n", 1,
                 FieldCountReason + "5 つ"}),
    [](const testing::TestParamInfo<TBadCase>& info) { return info.param.Name; });

// ---- Units

TEST(UWordListTest, DrillUnitsSplitAsTheDrillDoes) {
    struct TCase {
        std::u16string_view Kana;
        std::vector<std::u16string_view> Units;
    } cases[] = {
        {u"きっぷ", {u"き", u"っぷ"}},
        {u"チェック", {u"チェ", u"ック"}},
        {u"コーヒー", {u"コ", u"ー", u"ヒ", u"ー"}},
        {u"きゃく", {u"きゃ", u"く"}},
        {u"ヴァイオリン", {u"ヴァ", u"イ", u"オ", u"リ", u"ン"}},
        {u"はっぴゃく", {u"は", u"っぴゃ", u"く"}},
        {u"ばぁば", {u"ば", u"ぁ", u"ば"}},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> expected;
        for (std::u16string_view unit : c.Units)
            expected.push_back(FromUtf16(unit));
        EXPECT_EQ(DrillUnits(c.Kana), expected) << Utf8(c.Kana);
    }
}

// ---- The built-in list

// A word as a message: its kana and written form.
std::string Describe(const TWord& word) {
    return Utf8(word.Kana) + " (" + Utf8(word.Written) + ")";
}

TEST(UWordListBuiltInTest, HoldsEnoughWordsWithoutDuplicates) {
    const std::vector<TWord>& words = BuiltInWordList();
    EXPECT_GE(words.size(), MinimumWordCount);
    std::set<std::pair<std::u16string, std::u16string>> seen;
    for (const TWord& word : words)
        EXPECT_TRUE(seen.emplace(word.Kana, word.Written).second) << "twice: " << Describe(word);
}

TEST(UWordListBuiltInTest, EveryWordHasAtMostTwelveKana) {
    for (const TWord& word : BuiltInWordList())
        EXPECT_LE(word.Kana.size(), MaximumKanaLength) << Describe(word);
}

// Every unit of every word has keys in each of the three spellings, and the units put back
// together give the whole word.
TEST(UWordListBuiltInTest, EveryWordConvertsThroughTheRomajiEngine) {
    for (int index = 0; index < UuHiraToRoman::SpellingIndexCount; ++index) {
        TRomajiOptions options;
        options.Choices.fill(index);
        for (const TWord& word : BuiltInWordList()) {
            TRomajiLine line = MakeRomajiLine(word.Kana, options);
            std::string joined;
            for (std::size_t i = 0; i < line.Units.size(); ++i) {
                EXPECT_FALSE(line.Keys[i].empty())
                    << Describe(word) << ": no keys for " << Utf8FromSjis(line.Units[i])
                    << " with spelling " << index;
                joined += line.Units[i];
            }
            EXPECT_EQ(joined, FromUtf16(word.Kana)) << Describe(word);
        }
    }
}

TEST(UWordListTest, TableUnitsSplitTheSmallTsuAndFoldKatakana) {
    struct TCase {
        std::u16string_view DrillUnit;
        std::vector<std::u16string> Units;
    } cases[] = {
        {u"か", {u"か"}},          {u"カ", {u"か"}},     {u"っぷ", {u"っ", u"ぷ"}},
        {u"ッカ", {u"っ", u"か"}}, {u"っ", {u"っ"}},     {u"ッ", {u"っ"}},
        {u"シャ", {u"しゃ"}},      {u"ヴァ", {u"ヴぁ"}}, {u"ッヴ", {u"っ", u"ヴ"}},
        {u"ー", {u"ー"}},          {u"、", {u"、"}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TableUnits(c.DrillUnit), c.Units) << Utf8(c.DrillUnit);
}

// Units as the course counts them (TableUnits), by their Shift_JIS names: one per row of the
// romaji table, hiragana and katakana forms together; the small tsu and the long-vowel mark on
// their own.
class TUnitCounter {
public:
    TUnitCounter() {
        for (const UuHiraToRoman::TKanaRow& row : UuHiraToRoman::KanaTable)
            FNames.insert(Name(row.Katakana));
        FNames.insert(Name(u"ー"));
    }

    static std::string Name(std::u16string_view unit) {
        return FromUtf16(UKanaAnalysis::FoldUnit(unit));
    }
    const std::set<std::string>& Names() const { return FNames; }

    // The units of `kana`, each once, by name.
    std::set<std::string> UnitsOf(std::u16string_view kana) const {
        std::set<std::string> units;
        for (const std::string& drillUnit : DrillUnits(kana)) {
            for (const std::u16string& unit : TableUnits(ShiftJis::ToUtf16(drillUnit))) {
                std::string name = FromUtf16(unit);
                EXPECT_TRUE(FNames.contains(name))
                    << "not a unit of the table: " << Utf8FromSjis(name);
                units.insert(name);
            }
        }
        return units;
    }

    // How many words of the built-in list hold each unit.
    std::map<std::string, int> WordsPerUnit() const {
        std::map<std::string, int> counts;
        for (const TWord& word : BuiltInWordList()) {
            for (const std::string& unit : UnitsOf(word.Kana))
                ++counts[unit];
        }
        return counts;
    }

private:
    std::set<std::string> FNames;
};

// Units that no word, or fewer than five words, can hold, each with the reason.
struct TExemption {
    std::u16string_view Unit;
    const char* Reason;
};

constexpr const char* NoWord = "a sound that no Japanese word, loan word or name in use spells";

constexpr TExemption Exemptions[] = {
    {u"ャ", "written only after a kana it joins into one unit (きゃ, ぴゃ)"},
    {u"ュ", "written only after a kana it joins into one unit (しゅ, みゅ)"},
    {u"ョ", "written only after a kana it joins into one unit (ちょ, ひょ)"},
    {u"ヮ", "a small wa belongs to historical spellings (くゎし) that nobody types today"},
    {u"ヵ", "abbreviates 箇 in writing (一ヵ所); the reading is typed with か or こ"},
    {u"ヶ", "abbreviates 箇 or が in writing (三ヶ月, 霞ヶ関); the reading is typed with か or が"},
    {u"キィ", "only in sound words of a squeak (キィキィ, キィー)"},
    {u"ギィ", "only in sound words of a creak (ギィギィ, ギィー)"},
    {u"クゥ", "only in a dog's whimper (クゥーン)"},
    {u"グゥ", "only in sound words of snoring and a rumbling stomach (グゥグゥ, グゥー)"},
    {u"グィ", "loan words write グイ; グィ only in a rare name (グィネヴィア)"},
    {u"グェ", "loan words write グエ; グェ only in a rare name (グェン)"},
    {u"スィ", "loan words write スイ or シ; スィ only in a rare spelling (スィーツ)"},
    {u"スゥ", "only in the sound of a breath drawn in (スゥー)"},
    {u"テェ", "only in old Edo speech (てぇへんだ)"},
    {u"ビェ", "only in the sound of a child crying (びぇーん)"},
    {u"ミィ", "only in a kitten's mew (ミィミィ)"},
    {u"ニィ", "only in casual spellings for an elder brother (にぃに, にぃちゃん)"},
    {u"ヒィ", "only in cries of fear or strain (ひぃ, ひぃひぃ)"},
    {u"ヒェ", "only in cries of surprise (ひぇ, ひぇー)"},
    {u"ピィ", "only in sound words of birds and whistles (ピィピィ, ピィー)"},
    {u"フゥ", "only in sighs and blowing (ふぅ, ふぅふぅ, ふぅん)"},
    {u"フョ", "only in Russian names (フョードル, フョードロフ)"},
    {u"ヴャ", "only in Russian names (ヴャチェスラフ, ヴャトカ, ヴャジマ)"},
    {u"ヂャ", "only where 茶碗 follows another word (ちゃのみぢゃわん, めおとぢゃわん)"},
    {u"ヂョ", "only where 提灯 follows another word (はなぢょうちん)"},
    {u"チィ", NoWord},
    {u"シィ", NoWord},
    {u"ギェ", NoWord},
    {u"グォ", NoWord},
    {u"クャ", NoWord},
    {u"クュ", NoWord},
    {u"クョ", NoWord},
    {u"スァ", NoWord},
    {u"スェ", NoWord},
    {u"スォ", NoWord},
    {u"ヂィ", NoWord},
    {u"ヂェ", NoWord},
    {u"ヂュ", NoWord},
    {u"テャ", NoWord},
    {u"テョ", NoWord},
    {u"デェ", NoWord},
    {u"デャ", NoWord},
    {u"デョ", NoWord},
    {u"トァ", NoWord},
    {u"トィ", NoWord},
    {u"トェ", NoWord},
    {u"トォ", NoWord},
    {u"ドァ", NoWord},
    {u"ドィ", NoWord},
    {u"ドェ", NoWord},
    {u"ドォ", NoWord},
    {u"ニェ", NoWord},
    {u"ビィ", NoWord},
    {u"ピェ", NoWord},
    {u"ミェ", NoWord},
    {u"リィ", NoWord},
    {u"リェ", NoWord},
    {u"ヴョ", NoWord},
};

// The units a learner meets in every text: the plain kana, the voiced and half-voiced kana, the
// contracted sounds of い-row kana with ャ, ュ, ョ, the small tsu and the long-vowel mark.
std::set<std::string> CommonUnits() {
    std::set<std::string> units;
    for (char16_t c : std::u16string_view(u"アイウエオカキクケコサシスセソタチツテトナニヌネノ"
                                          u"ハヒフヘホマミムメモヤユヨラリルレロワヲン"
                                          u"ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"
                                          u"ッー"))
        units.insert(TUnitCounter::Name(std::u16string_view(&c, 1)));
    for (char16_t first : std::u16string_view(u"キギシジチニヒビピミリ")) {
        for (char16_t small : std::u16string_view(u"ャュョ")) {
            char16_t pair[] = {first, small};
            units.insert(TUnitCounter::Name(std::u16string_view(pair, 2)));
        }
    }
    return units;
}

TEST(UWordListBuiltInTest, EveryUnitOfTheRomajiTableOccursInEnoughWords) {
    TUnitCounter counter;
    std::map<std::string, int> counts = counter.WordsPerUnit();
    std::set<std::string> common = CommonUnits();
    std::map<std::string, std::string> exempt;
    for (const TExemption& e : Exemptions)
        exempt[TUnitCounter::Name(e.Unit)] = e.Reason;

    const std::set<std::string>& names = counter.Names();
    for (const std::string& name : common)
        EXPECT_TRUE(names.contains(name)) << "not a unit of the table: " << Utf8FromSjis(name);
    for (const auto& [name, reason] : exempt) {
        EXPECT_TRUE(names.contains(name)) << "not a unit of the table: " << Utf8FromSjis(name);
        EXPECT_FALSE(common.contains(name)) << "a common unit exempted: " << Utf8FromSjis(name);
    }

    for (const std::string& name : names) {
        int count = counts[name];
        std::string unit = Utf8FromSjis(name);
        if (exempt.contains(name)) {
            EXPECT_LT(count, MinimumWordsPerUnit)
                << unit << " occurs in " << count << " words: its exemption is no longer needed";
        } else if (common.contains(name)) {
            EXPECT_GE(count, MinimumWordsPerCommonUnit) << unit << " occurs in " << count;
        } else {
            EXPECT_GE(count, MinimumWordsPerUnit) << unit << " occurs in " << count;
        }
    }
}

// The kana course begins with the vowels and adds its stages one by one; at the end of each,
// the list must hold words made of the kana unlocked so far.
TEST(UWordListBuiltInTest, EachStageOfTheCourseHasWordsOfItsOwn) {
    TUnitCounter counter;
    constexpr int minimumWordsPerStage = 20;
    std::vector<std::set<std::string>> unitsOfWords;
    for (const TWord& word : BuiltInWordList())
        unitsOfWords.push_back(counter.UnitsOf(word.Kana));
    std::set<std::string> unlocked;
    for (const UKanaCourse::TStage& stage : UKanaCourse::Stages) {
        for (int i = 0; i < UKanaCourse::StageSize(stage); ++i)
            unlocked.insert(TUnitCounter::Name(stage.Units[i]));
        auto count =
            std::count_if(unitsOfWords.begin(), unitsOfWords.end(), [&](const auto& units) {
                return std::includes(unlocked.begin(), unlocked.end(), units.begin(), units.end());
            });
        EXPECT_GE(count, minimumWordsPerStage) << "up to the stage " << Utf8(stage.Name);
    }
}

TEST(UWordListBuiltInTest, MostWordsHaveTwoToSixKana) {
    const std::vector<TWord>& words = BuiltInWordList();
    auto shortWords = std::count_if(words.begin(), words.end(), [](const TWord& w) {
        return w.Kana.size() >= 2 && w.Kana.size() <= 6;
    });
    EXPECT_GE(shortWords * 4, static_cast<std::ptrdiff_t>(words.size() * 3));
}

} // namespace
