// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/UCompKey.h"

#include "platform/ShiftJis.h"
#include "tests/support/Sanitizers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

// Found by the test framework through the record's namespace.
[[maybe_unused]] static void PrintTo(const TRsltItem& r, std::ostream* os) {
    *os << "{kind " << r.Kind << ", index " << r.Index << ", pos " << r.Pos << ", "
        << testing::PrintToString(r.Str) << "}";
}

namespace {

using ShiftJis::Sjis;

struct TCounts {
    std::int32_t Example, Input, Match, Miss, Extra;
    friend bool operator==(const TCounts&, const TCounts&) = default;
};

TCounts CountsOf(const TCompClass& comp) {
    return {comp.ExampleCount(), comp.InputCount(), comp.MatchCount(), comp.MissCount(),
            comp.ExtraCount()};
}

void PrintTo(const TCounts& c, std::ostream* os) {
    *os << "{example " << c.Example << ", input " << c.Input << ", match " << c.Match << ", miss "
        << c.Miss << ", extra " << c.Extra << "}";
}

// --- Worked comparisons -------------------------------------------------------------------------

struct TRslt {
    std::int32_t Kind, Index, Pos;
    std::u16string Str;
};

struct TCompareCase {
    const char* Name;
    CompMode Mode;
    std::u16string Example;
    std::u16string Typed;
    std::vector<TRslt> Rslts;
    TCounts Counts;
    friend void PrintTo(const TCompareCase& c, std::ostream* os) { *os << c.Name; }
};

class UCompKeyCompareTest : public testing::TestWithParam<TCompareCase> {};

TEST_P(UCompKeyCompareTest, ReportsTheUnitsOutsideTheCommonSubsequence) {
    const TCompareCase& c = GetParam();
    TCompClass comp;
    comp.Compare(c.Mode, Sjis(c.Example), Sjis(c.Typed));
    std::vector<TRsltItem> expected;
    for (const TRslt& r : c.Rslts)
        expected.push_back({r.Kind, r.Index, r.Pos, Sjis(r.Str)});
    EXPECT_EQ(comp.RsltList(), expected);
    EXPECT_EQ(CountsOf(comp), c.Counts);
}

constexpr CompMode Chars = CompMode::Chars;
constexpr CompMode Words = CompMode::Words;

INSTANTIATE_TEST_SUITE_P(
    Cases, UCompKeyCompareTest,
    testing::Values(
        TCompareCase{"TransposedKana",
                     Chars,
                     u"あいう",
                     u"あうい",
                     {{0, 1, 2, u"い"}, {1, 2, 4, u"い"}},
                     {3, 3, 2, 1, 1}},
        // The two candidates of length 1 change places in the sort: b–b is the pair reported.
        TCompareCase{"SwappedLettersPairTheSecond",
                     Chars,
                     u"ab",
                     u"ba",
                     {{0, 0, 0, u"a"}, {1, 1, 1, u"a"}},
                     {2, 2, 1, 1, 1}},
        TCompareCase{"RepeatedUnitsPairFromTheStart",
                     Chars,
                     u"aaa",
                     u"aa",
                     {{0, 2, 2, u"a"}},
                     {3, 2, 2, 1, 0}},
        TCompareCase{"RepeatedPatternPairs00_21_33_54",
                     Chars,
                     u"abcabc",
                     u"acbacb",
                     {{0, 1, 1, u"b"}, {0, 4, 4, u"b"}, {1, 2, 2, u"b"}, {1, 5, 5, u"b"}},
                     {6, 6, 4, 2, 2}},
        TCompareCase{"EmptyTypedText",
                     Chars,
                     u"あい",
                     u"",
                     {{0, 0, 0, u"あ"}, {0, 1, 2, u"い"}},
                     {2, 0, 0, 2, 0}},
        TCompareCase{"EmptyExampleText",
                     Chars,
                     u"",
                     u"ab",
                     {{1, 0, 0, u"a"}, {1, 1, 1, u"b"}},
                     {0, 2, 0, 0, 2}},
        TCompareCase{"BothEmpty", Chars, u"", u"", {}, {0, 0, 0, 0, 0}},
        TCompareCase{
            "NoEqualUnit",
            Chars,
            u"ab",
            u"xyz",
            {{0, 0, 0, u"a"}, {0, 1, 1, u"b"}, {1, 0, 0, u"x"}, {1, 1, 1, u"y"}, {1, 2, 2, u"z"}},
            {2, 3, 0, 2, 3}},
        TCompareCase{"LineBreaksMakeNoUnit", Chars, u"あ\r\nい", u"あい", {}, {2, 2, 2, 0, 0}},
        TCompareCase{"BlanksAndHalfWidthKanaAreUnits",
                     Chars,
                     u"ｱ b",
                     u"ｱb",
                     {{0, 1, 1, u" "}},
                     {3, 2, 2, 1, 0}},
        TCompareCase{"FullWidthAndHalfWidthDiffer",
                     Chars,
                     u"Ａ",
                     u"A",
                     {{0, 0, 0, u"Ａ"}, {1, 0, 0, u"A"}},
                     {1, 1, 0, 1, 1}},
        TCompareCase{"HiraganaAndKatakanaDiffer",
                     Chars,
                     u"あ",
                     u"ア",
                     {{0, 0, 0, u"あ"}, {1, 0, 0, u"ア"}},
                     {1, 1, 0, 1, 1}},
        TCompareCase{
            "ExtraBlankBetweenWordsMatches", Words, u"I am", u"I  am", {}, {2, 2, 2, 0, 0}},
        TCompareCase{"WordsAreCaseSensitive",
                     Words,
                     u"I am here",
                     u"I Am here",
                     {{0, 1, 2, u"am"}, {1, 1, 2, u"Am"}},
                     {3, 3, 2, 1, 1}},
        TCompareCase{"WordPositionsCountLineBreaksAsTwo",
                     Words,
                     u"a b\r\nc",
                     u"a c",
                     {{0, 1, 2, u"b"}},
                     {3, 2, 2, 1, 0}},
        TCompareCase{"MissingWordAndExtraWord",
                     Words,
                     u"the quick fox",
                     u"the fox jumps",
                     {{0, 1, 4, u"quick"}, {1, 2, 8, u"jumps"}},
                     {3, 3, 2, 1, 1}}),
    [](const testing::TestParamInfo<TCompareCase>& info) { return info.param.Name; });

// --- Splitting ----------------------------------------------------------------------------------

struct TUnit {
    std::int32_t Pos;
    std::string Str;
};

struct TSplitCase {
    const char* Name;
    CompMode Mode;
    std::string Text; // Shift_JIS bytes
    std::vector<TUnit> Units;
    friend void PrintTo(const TSplitCase& c, std::ostream* os) { *os << c.Name; }
};

class UCompKeySplitTest : public testing::TestWithParam<TSplitCase> {};

// The text is compared as the example against an empty typed text, so every unit is listed.
TEST_P(UCompKeySplitTest, CutsTheTextIntoUnits) {
    const TSplitCase& c = GetParam();
    TCompClass comp;
    comp.Compare(c.Mode, c.Text, "");
    ASSERT_EQ(comp.ExampleList().size(), c.Units.size());
    for (std::size_t i = 0; i < c.Units.size(); ++i) {
        const TCompItem& unit = comp.ExampleList()[i];
        EXPECT_EQ(unit.Index, static_cast<std::int32_t>(i));
        EXPECT_EQ(unit.Pos, c.Units[i].Pos) << "unit " << i;
        EXPECT_EQ(unit.Str, c.Units[i].Str) << "unit " << i;
    }
    EXPECT_EQ(comp.ExampleCount(), static_cast<std::int32_t>(c.Units.size()));
    EXPECT_EQ(comp.MissCount(), comp.ExampleCount());
}

const std::string A = "\x82\xA0"; // あ
const std::string I = "\x82\xA2"; // い

INSTANTIATE_TEST_SUITE_P(
    Cases, UCompKeySplitTest,
    testing::Values(
        TSplitCase{"CrLfMovesPositionsByTwo", Chars, A + "\r\n" + I, {{0, A}, {4, I}}},
        TSplitCase{"LoneLfMovesPositionsByOne", Chars, "a\nb", {{0, "a"}, {2, "b"}}},
        TSplitCase{"LeadByteAtTheEndMakesNoUnit", Chars, "a\x82", {{0, "a"}}},
        TSplitCase{"LoneLeadByteMakesNoUnit", Chars, "\xFC", {}},
        // After a run of lead-range bytes of odd length the next byte is a trail byte.
        TSplitCase{
            "LeadRangeTrailBytes", Chars, "\x81\x81\x81\x41", {{0, "\x81\x81"}, {2, "\x81\x41"}}},
        TSplitCase{"LeadByteTakesTheCr", Chars, "\x82\r\nb", {{0, "\x82\r"}, {3, "b"}}},
        TSplitCase{"InvalidSingleBytesAreUnits",
                   Chars,
                   "\x80\xA0\xFD\xFE\xFF",
                   {{0, "\x80"}, {1, "\xA0"}, {2, "\xFD"}, {3, "\xFE"}, {4, "\xFF"}}},
        TSplitCase{"TrailRangeByteAloneIsAUnit", Chars, "\x40\xA1", {{0, "\x40"}, {1, "\xA1"}}},
        TSplitCase{"NulBytesAreUnits",
                   Chars,
                   std::string("a\0b", 3),
                   {{0, "a"}, {1, std::string(1, '\0')}, {2, "b"}}},
        TSplitCase{"TabIsAUnit", Chars, "a\tb", {{0, "a"}, {1, "\t"}, {2, "b"}}},
        TSplitCase{"TwoBlanksGiveAnEmptyWord", Words, "I  am", {{0, "I"}, {3, "am"}}},
        TSplitCase{"LineBaseGrowsByLineAndTwo", Words, "a b\r\nc", {{0, "a"}, {2, "b"}, {5, "c"}}},
        TSplitCase{"LoneLfCountsTwoForTheLineBase", Words, "a\nb", {{0, "a"}, {3, "b"}}},
        TSplitCase{"EmptyLinesMoveTheBase", Words, "a\r\n\r\nb", {{0, "a"}, {5, "b"}}},
        TSplitCase{"LeadingAndTrailingBlanks", Words, " a  ", {{1, "a"}}},
        TSplitCase{"OnlyBlanksAndBreaks", Words, "  \r\n \r\n", {}},
        TSplitCase{"TabsAndFullWidthBlanksBelongToWords",
                   Words,
                   "a\tb\x81\x40"
                   "c d",
                   {{0, "a\tb\x81\x40"
                        "c"},
                    {7, "d"}}},
        TSplitCase{"InvalidBytesBelongToWords",
                   Words,
                   std::string("\x82 \x80\0\xFF", 5),
                   {{0, "\x82"}, {2, std::string("\x80\0\xFF", 3)}}},
        TSplitCase{"EmptyText", Words, "", {}}),
    [](const testing::TestParamInfo<TSplitCase>& info) { return info.param.Name; });

// --- Equality classes ---------------------------------------------------------------------------

struct TClassCase {
    const char* Name;
    CompMode Mode;
    std::string Example, Typed;
    std::vector<std::int32_t> ExampleKeys, InputKeys;
    friend void PrintTo(const TClassCase& c, std::ostream* os) { *os << c.Name; }
};

class UCompKeyClassTest : public testing::TestWithParam<TClassCase> {};

TEST_P(UCompKeyClassTest, NumbersExampleTextsInByteOrderAndTypedUnitsShareThem) {
    const TClassCase& c = GetParam();
    TCompClass comp;
    comp.Compare(c.Mode, c.Example, c.Typed);
    std::vector<std::int32_t> exampleKeys, inputKeys;
    for (const TCompItem& unit : comp.ExampleList())
        exampleKeys.push_back(unit.KeyNo);
    for (const TCompItem& unit : comp.InputList())
        inputKeys.push_back(unit.KeyNo);
    EXPECT_EQ(exampleKeys, c.ExampleKeys);
    EXPECT_EQ(inputKeys, c.InputKeys);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UCompKeyClassTest,
    testing::Values(
        // Blank < a < b < c < あ.
        TClassCase{"Characters", Chars, "cab a", "ax" + A, {4, 2, 3, 1, 2}, {2, -1, -1}},
        // A prefix comes before the longer text; NUL counts as a byte like any other.
        TClassCase{"ShortWords",
                   Words,
                   std::string("a\0 ab a", 7),
                   std::string("a a\0\0", 5),
                   {2, 3, 1},
                   {1, -1}},
        // Words longer than seven bytes that agree in their first seven.
        TClassCase{"LongWords",
                   Words,
                   "abcdefgz abcdefga abcdefg abcdefgz",
                   "abcdefga abcdefgb abcdefgzz",
                   {3, 2, 1, 3},
                   {2, -1, -1}}),
    [](const testing::TestParamInfo<TClassCase>& info) { return info.param.Name; });

// --- Properties on random texts -----------------------------------------------------------------

std::size_t LongestCommonSubsequence(const std::vector<TCompItem>& a,
                                     const std::vector<TCompItem>& b) {
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j)
            table[i][j] = a[i - 1].Str == b[j - 1].Str ? table[i - 1][j - 1] + 1
                                                       : std::max(table[i - 1][j], table[i][j - 1]);
    return table[a.size()][b.size()];
}

// Random text of up to `maxPieces` pieces from a small alphabet, so that equal units abound.
std::vector<std::size_t> RandomPieces(std::mt19937& random, std::size_t pieceCount,
                                      std::size_t maxPieces) {
    std::vector<std::size_t> text(std::uniform_int_distribution<std::size_t>(0, maxPieces)(random));
    for (std::size_t& piece : text)
        piece = std::uniform_int_distribution<std::size_t>(0, pieceCount - 1)(random);
    return text;
}

// The text as a learner might type it: a few pieces changed, dropped or added.
std::vector<std::size_t> WithTypos(std::mt19937& random, std::vector<std::size_t> text,
                                   std::size_t pieceCount) {
    std::uniform_int_distribution<std::size_t> anyPiece(0, pieceCount - 1);
    for (std::size_t typo = text.size() / 20 + 1; typo-- > 0;) {
        std::size_t at = std::uniform_int_distribution<std::size_t>(0, text.size())(random);
        switch (random() % 3) {
        case 0:
            if (at < text.size())
                text[at] = anyPiece(random);
            break;
        case 1:
            if (at < text.size())
                text.erase(text.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        default:
            text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), anyPiece(random));
        }
    }
    return text;
}

std::string Joined(const std::vector<std::size_t>& text, const std::vector<std::string>& pieces) {
    std::string joined;
    for (std::size_t piece : text)
        joined += pieces[piece];
    return joined;
}

// The units outside the records: checks that every unit of `list` lies in at most one record
// of `kind`, that the records are in ascending Index and copy their unit.
std::vector<std::string> UnitsNotInRecords(const std::vector<TCompItem>& list,
                                           const std::vector<TRsltItem>& rslts, std::int32_t kind) {
    std::vector<bool> recorded(list.size());
    std::int32_t lastIndex = -1;
    for (const TRsltItem& rslt : rslts) {
        if (rslt.Kind != kind)
            continue;
        EXPECT_GT(rslt.Index, lastIndex) << "kind " << kind << " in ascending Index, once each";
        lastIndex = rslt.Index;
        if (rslt.Index < 0 || rslt.Index >= static_cast<std::int32_t>(list.size())) {
            ADD_FAILURE() << "index " << rslt.Index << " out of range";
            continue;
        }
        recorded[rslt.Index] = true;
        EXPECT_EQ(rslt.Pos, list[rslt.Index].Pos);
        EXPECT_EQ(rslt.Str, list[rslt.Index].Str);
    }
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!recorded[i])
            rest.push_back(list[i].Str);
    return rest;
}

void CheckAlignment(const TCompClass& comp) {
    const std::vector<TRsltItem>& rslts = comp.RsltList();
    // Kind 0 records first, then kind 1.
    auto firstInput = std::find_if(rslts.begin(), rslts.end(),
                                   [](const TRsltItem& r) { return r.Kind == RsltKindInput; });
    EXPECT_TRUE(std::all_of(firstInput, rslts.end(),
                            [](const TRsltItem& r) { return r.Kind == RsltKindInput; }));
    std::vector<std::string> pairedExample =
        UnitsNotInRecords(comp.ExampleList(), rslts, RsltKindExample);
    std::vector<std::string> pairedInput =
        UnitsNotInRecords(comp.InputList(), rslts, RsltKindInput);
    // The units outside the records pair up one to one, in order: a common subsequence …
    EXPECT_EQ(pairedExample, pairedInput);
    // … and a longest one.
    EXPECT_EQ(static_cast<std::size_t>(comp.MatchCount()),
              LongestCommonSubsequence(comp.ExampleList(), comp.InputList()));
    EXPECT_EQ(comp.MatchCount(), static_cast<std::int32_t>(pairedInput.size()));
    EXPECT_EQ(comp.ExampleCount(), static_cast<std::int32_t>(comp.ExampleList().size()));
    EXPECT_EQ(comp.InputCount(), static_cast<std::int32_t>(comp.InputList().size()));
    EXPECT_EQ(comp.MissCount() + comp.ExtraCount(), static_cast<std::int32_t>(rslts.size()));
}

// The alignment written as plainly as it reads: class numbers from the sorted distinct texts,
// the table scanned cell by cell, the quicksort recursing on the left part, the trace-back. The
// engine must report exactly the same records, not merely an alignment of the same length.
void ReferenceQuickSort(std::vector<TKeyItem>& a, std::ptrdiff_t l, std::ptrdiff_t r) {
    std::ptrdiff_t i, j;
    do {
        i = l;
        j = r;
        const std::int32_t pivot = a[(l + r) / 2].Len;
        do {
            while (a[i].Len < pivot)
                ++i;
            while (a[j].Len > pivot)
                --j;
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j)
            ReferenceQuickSort(a, l, j);
        l = i;
    } while (i < r);
}

std::vector<TRsltItem> ReferenceRslts(const std::vector<TCompItem>& example,
                                      const std::vector<TCompItem>& input) {
    std::vector<std::string> texts;
    for (const TCompItem& unit : example)
        texts.push_back(unit.Str);
    std::sort(texts.begin(), texts.end());
    texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
    auto classOf = [&](const std::string& str) {
        auto found = std::lower_bound(texts.begin(), texts.end(), str);
        return found != texts.end() && *found == str
                   ? static_cast<std::int32_t>(found - texts.begin()) + 1
                   : -1;
    };
    std::vector<std::int32_t> exampleClass, inputClass;
    for (const TCompItem& unit : example)
        exampleClass.push_back(classOf(unit.Str));
    for (const TCompItem& unit : input)
        inputClass.push_back(classOf(unit.Str));
    std::vector<TKeyItem> candidates;
    std::vector<std::int32_t> prev(example.size()), cur(example.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        for (std::size_t j = 0; j < example.size(); ++j) {
            if (exampleClass[j] == inputClass[i]) {
                cur[j] = j == 0 ? 1 : prev[j - 1] + 1;
                candidates.push_back(
                    {static_cast<std::int32_t>(j), static_cast<std::int32_t>(i), cur[j]});
            } else if (j > 0) {
                cur[j] = cur[j - 1] > prev[j] ? cur[j - 1] : prev[j];
            }
        }
        prev = cur;
    }
    std::vector<TKeyItem> pairs;
    if (!candidates.empty()) {
        ReferenceQuickSort(candidates, 0, static_cast<std::ptrdiff_t>(candidates.size()) - 1);
        TKeyItem p = candidates.back();
        pairs.push_back(p);
        for (std::size_t pos = candidates.size(); pos-- > 0;) {
            const TKeyItem& q = candidates[pos];
            if (q.Len == p.Len - 1 && q.ExampleIndex < p.ExampleIndex &&
                q.InputIndex < p.InputIndex) {
                pairs.push_back(q);
                p = q;
            }
        }
    }
    std::vector<bool> pairedExample(example.size()), pairedInput(input.size());
    for (const TKeyItem& pair : pairs) {
        pairedExample[pair.ExampleIndex] = true;
        pairedInput[pair.InputIndex] = true;
    }
    std::vector<TRsltItem> rslts;
    for (const TCompItem& unit : example)
        if (!pairedExample[unit.Index])
            rslts.push_back({RsltKindExample, unit.Index, unit.Pos, unit.Str});
    for (const TCompItem& unit : input)
        if (!pairedInput[unit.Index])
            rslts.push_back({RsltKindInput, unit.Index, unit.Pos, unit.Str});
    return rslts;
}

struct TPropertyCase {
    const char* Name;
    CompMode Mode;
    std::vector<std::u16string> Pieces;
    std::size_t MaxPieces;
    unsigned Seeds;
    friend void PrintTo(const TPropertyCase& c, std::ostream* os) { *os << c.Name; }
};

class UCompKeyPropertyTest : public testing::TestWithParam<TPropertyCase> {};

TEST_P(UCompKeyPropertyTest, FindsALongestCommonSubsequenceAndAccountsForEveryUnit) {
    const TPropertyCase& c = GetParam();
    std::vector<std::string> pieces;
    for (const std::u16string& piece : c.Pieces)
        pieces.push_back(Sjis(piece));
    for (unsigned seed = 1; seed <= c.Seeds; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        std::vector<std::size_t> example = RandomPieces(random, pieces.size(), c.MaxPieces);
        // Odd seeds compare unrelated texts, even seeds a copy with typos.
        std::vector<std::size_t> typed = seed % 2 == 1
                                             ? RandomPieces(random, pieces.size(), c.MaxPieces)
                                             : WithTypos(random, example, pieces.size());
        TCompClass comp;
        comp.Compare(c.Mode, Joined(example, pieces), Joined(typed, pieces));
        CheckAlignment(comp);
        EXPECT_EQ(comp.RsltList(), ReferenceRslts(comp.ExampleList(), comp.InputList()));
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UCompKeyPropertyTest,
    testing::Values(
        TPropertyCase{"TwoLetters", Chars, {u"a", u"b"}, 12, 300},
        TPropertyCase{
            "KanaKanjiAndAscii", Chars, {u"a", u"b", u"あ", u"い", u"漢", u" ", u"\r\n"}, 16, 300},
        TPropertyCase{
            "Words",
            Words,
            {u"a", u"ab", u"あ", u"漢字", u"keyboard", u"keyboards", u" ", u"  ", u"\r\n"},
            16,
            300},
        // Long texts: many candidates of equal length for the sort, long rows for the table.
        TPropertyCase{"LongTextsFewLetters", Chars, {u"a", u"あ", u"b"}, 400, 20},
        TPropertyCase{"LongTextsManyLetters",
                      Chars,
                      {u"あ", u"い", u"う", u"え", u"お", u"か", u"き", u"く", u"け", u"こ", u"の",
                       u"は", u"に", u"を", u"漢", u"字", u"、", u"。", u"a",  u"b",  u"c",  u"d"},
                      700,
                      20}),
    [](const testing::TestParamInfo<TPropertyCase>& info) { return info.param.Name; });

// --- Bad input and large texts ------------------------------------------------------------------

struct TModeCase {
    const char* Name;
    std::int32_t Mode;
    friend void PrintTo(const TModeCase& c, std::ostream* os) { *os << c.Name; }
};

class UCompKeyUnknownModeTest : public testing::TestWithParam<TModeCase> {};

TEST_P(UCompKeyUnknownModeTest, ComparesNothingAndZeroesTheCounters) {
    const CompMode mode = static_cast<CompMode>(GetParam().Mode);
    TCompClass fresh;
    fresh.Compare(mode, "abc", "abd");
    EXPECT_TRUE(fresh.ExampleList().empty());
    EXPECT_TRUE(fresh.InputList().empty());
    EXPECT_TRUE(fresh.RsltList().empty());
    EXPECT_EQ(CountsOf(fresh), (TCounts{0, 0, 0, 0, 0}));

    TCompClass filled;
    filled.Compare(CompMode::Chars, "ab", "b");
    filled.Compare(mode, "abc", "abd");
    EXPECT_EQ(filled.ExampleList().size(), 2u) << "the units already there stay";
    EXPECT_EQ(filled.RsltList().size(), 1u);
    EXPECT_EQ(CountsOf(filled), (TCounts{0, 0, 0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Modes, UCompKeyUnknownModeTest,
                         testing::Values(TModeCase{"Two", 2}, TModeCase{"Max8Bit", 255},
                                         TModeCase{"Negative", -1}),
                         [](const testing::TestParamInfo<TModeCase>& info) {
                             return info.param.Name;
                         });

TEST(UCompKeyTest, AHundredThousandUnitsAgainstAnEmptyText) {
    std::string chars, words;
    for (int i = 0; i < 100000; ++i) {
        chars += i % 3 == 0 ? "x" : A;
        words += i % 2 == 0 ? "w " : "word\r\n";
    }
    for (auto [mode, text] :
         {std::pair{CompMode::Chars, chars}, std::pair{CompMode::Words, words}}) {
        TCompClass comp;
        comp.Compare(mode, text, "");
        EXPECT_EQ(CountsOf(comp), (TCounts{100000, 0, 0, 100000, 0}));
        comp.Clear();
        comp.Compare(mode, "", text);
        EXPECT_EQ(CountsOf(comp), (TCounts{0, 100000, 0, 0, 100000}));
        ASSERT_EQ(comp.RsltList().size(), 100000u);
        EXPECT_EQ(comp.RsltList().back().Index, 99999);
    }
}

TEST(UCompKeyTest, AHundredThousandUnitsAgainstOneUnit) {
    TCompClass comp;
    std::string example = std::string(99999, 'a') + "b";
    comp.Compare(CompMode::Chars, example, "b");
    EXPECT_EQ(CountsOf(comp), (TCounts{100000, 1, 1, 99999, 0}));
    EXPECT_EQ(comp.RsltList().back().Index, 99998);
}

// Lowers the address-space limit of the process while it lives, so that a large allocation
// fails at once with std::bad_alloc instead of being granted on paper.
class TAddressSpaceLimit {
public:
    explicit TAddressSpaceLimit(rlim_t extraBytes) {
        getrlimit(RLIMIT_AS, &FPrevious);
        long pages = 0;
        if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        rlimit limit = FPrevious;
        limit.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + extraBytes;
        if (FPrevious.rlim_max != RLIM_INFINITY)
            limit.rlim_cur = std::min(limit.rlim_cur, FPrevious.rlim_max);
        setrlimit(RLIMIT_AS, &limit);
    }
    ~TAddressSpaceLimit() { setrlimit(RLIMIT_AS, &FPrevious); }
    TAddressSpaceLimit(const TAddressSpaceLimit&) = delete;
    TAddressSpaceLimit& operator=(const TAddressSpaceLimit&) = delete;

private:
    rlimit FPrevious{};
};

// 100,000 equal units on each side make 10^10 candidates, far more than the memory allowed.
TEST(UCompKeyTest, MemoryFailurePropagatesAndKeepsTheUnits) {
    SKIP_UNDER_ASAN_FOR_ADDRESS_LIMIT();
    const std::string same(100000, 'a');
    TCompClass comp;
    {
        TAddressSpaceLimit limit(512u << 20);
        EXPECT_THROW(comp.Compare(CompMode::Chars, same, same), std::bad_alloc);
    }
    EXPECT_EQ(comp.ExampleList().size(), 100000u);
    EXPECT_EQ(comp.InputList().size(), 100000u);
    EXPECT_TRUE(comp.RsltList().empty());
    EXPECT_EQ(CountsOf(comp), (TCounts{0, 0, 0, 0, 0}));

    comp.Clear();
    comp.Compare(CompMode::Chars, "ab", "b");
    EXPECT_EQ(CountsOf(comp), (TCounts{2, 1, 1, 1, 0}));
}

TEST(UCompKeyTest, TheKeyListIsReleasedOnEveryExit) {
    SKIP_UNDER_ASAN_FOR_ADDRESS_LIMIT();
    std::vector<TCompItem> example, input;
    for (std::int32_t i = 0; i < 100000; ++i) {
        example.push_back({i, -1, i, "a"});
        input.push_back({i, -1, i, "a"});
    }
    std::vector<TRsltItem> rslts;
    TCompKey key;
    {
        TAddressSpaceLimit limit(512u << 20);
        EXPECT_THROW(key.CompareList(example, input, rslts), std::bad_alloc);
    }
    EXPECT_TRUE(key.RsltKeyList().empty());
    EXPECT_TRUE(rslts.empty());

    example.resize(3);
    input.resize(2);
    key.CompareList(example, input, rslts);
    EXPECT_TRUE(key.RsltKeyList().empty());
    ASSERT_EQ(rslts.size(), 1u);
    EXPECT_EQ(rslts[0].Index, 2);
}

// --- Reuse --------------------------------------------------------------------------------------

struct TSnapshot {
    std::vector<TCompItem> Example, Input;
    std::vector<TRsltItem> Rslts;
    TCounts Counts;
    friend bool operator==(const TSnapshot&, const TSnapshot&) = default;
};

TSnapshot SnapshotOf(const TCompClass& comp) {
    return {comp.ExampleList(), comp.InputList(), comp.RsltList(), CountsOf(comp)};
}

TEST(UCompKeyTest, ClearThenReuseGivesTheResultsOfAFreshObject) {
    const std::vector<std::pair<std::u16string, std::u16string>> lines = {
        {u"今日は晴れです。", u"今日は張れです。"},
        {u"あいうえお", u""},
        {u"", u"かきく"},
        {u"ａｂｃ", u"ａｂｃ"},
        {u"あああ", u"ああ"}};
    TCompClass reused;
    for (CompMode mode : {CompMode::Chars, CompMode::Words}) {
        for (const auto& [example, typed] : lines) {
            TCompClass fresh;
            fresh.Compare(mode, Sjis(example), Sjis(typed));
            reused.Compare(mode, Sjis(example), Sjis(typed));
            EXPECT_EQ(SnapshotOf(reused), SnapshotOf(fresh));
            reused.Clear();
            EXPECT_EQ(SnapshotOf(reused), SnapshotOf(TCompClass()));
        }
    }
}

TEST(UCompKeyTest, ASecondCompareWithoutClearAppendsAndAlignsTheJoinedLists) {
    TCompClass comp;
    comp.Compare(CompMode::Chars, "ab", "ab");
    comp.Compare(CompMode::Chars, "c", "d");
    ASSERT_EQ(comp.ExampleList().size(), 3u);
    EXPECT_EQ(comp.ExampleList()[2], (TCompItem{2, 3, 0, "c"})) << "Index goes on, Pos restarts";
    EXPECT_EQ(comp.RsltList(), (std::vector<TRsltItem>{{0, 2, 0, "c"}, {1, 2, 0, "d"}}));
    EXPECT_EQ(CountsOf(comp), (TCounts{3, 3, 2, 1, 1}));

    // Records of the first comparison stay and are counted again with the new ones.
    TCompClass twice;
    twice.Compare(CompMode::Chars, "x", "y");
    twice.Compare(CompMode::Chars, "z", "z");
    EXPECT_EQ(
        twice.RsltList(),
        (std::vector<TRsltItem>{{0, 0, 0, "x"}, {1, 0, 0, "y"}, {0, 0, 0, "x"}, {1, 0, 0, "y"}}));
    EXPECT_EQ(CountsOf(twice), (TCounts{2, 2, 0, 2, 2}));
}

} // namespace
