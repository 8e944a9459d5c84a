// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UDrillText.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace UDrillText;
using ShiftJis::FromUtf16;

// ---- Random draws

// The draws are made from std::mt19937's numbers by our own arithmetic, so they are the same on
// every system: a change here changes every drill a seed has ever given.
TEST(UDrillTextTest, DrawsAreFixedForASeed) {
    TDrillRandom random(42);
    // The first two are the usual 53-bit doubles of mt19937 with seed 42.
    EXPECT_DOUBLE_EQ(random.Uniform(), 0.37454011884736249);
    EXPECT_DOUBLE_EQ(random.Uniform(), 0.95071430640991617);
    EXPECT_EQ(random.Below(10), 6u);
    EXPECT_EQ(random.Below(1000), 335u);
    EXPECT_EQ(random.Pick({1, 3, 6}), 2u);
    EXPECT_EQ(random.Pick({0, 0, 5}), 2u);
}

TEST(UDrillTextTest, PickFollowsTheWeightsAndNeverAZeroOne) {
    TDrillRandom random(7);
    std::vector<double> cumulative = Cumulative({1, 0, 3, 0, 6});
    EXPECT_EQ(cumulative, (std::vector<double>{1, 1, 4, 4, 10}));
    int counts[5] = {};
    constexpr int draws = 20000;
    for (int i = 0; i < draws; ++i)
        ++counts[random.Pick(cumulative)];
    EXPECT_EQ(counts[1], 0);
    EXPECT_EQ(counts[3], 0);
    EXPECT_NEAR(counts[0] / double(draws), 0.1, 0.01);
    EXPECT_NEAR(counts[2] / double(draws), 0.3, 0.015);
    EXPECT_NEAR(counts[4] / double(draws), 0.6, 0.015);
    EXPECT_THROW(random.Pick({0, 0}), std::invalid_argument);
    EXPECT_THROW(random.Pick({}), std::invalid_argument);
}

// ---- Words

std::vector<TWord> Words(std::initializer_list<std::pair<std::u16string_view, int>> list) {
    std::vector<TWord> words;
    for (auto [kana, frequencyClass] : list)
        words.push_back({std::u16string(kana), std::u16string(kana), frequencyClass});
    return words;
}

TEST(UDrillTextTest, WordsAreSplitIntoUnitsAndMarked) {
    struct TCase {
        std::u16string_view Kana;
        std::vector<std::u16string> Units;
        std::vector<std::u16string> TableUnits;
        bool Katakana;
        bool NBeforeVowel;
    } cases[] = {
        {u"がっこう", {u"が", u"っこ", u"う"}, {u"が", u"っ", u"こ", u"う"}, false, false},
        {u"ショック", {u"しょ", u"っく"}, {u"しょ", u"っ", u"く"}, true, false},
        {u"きんえん", {u"き", u"ん", u"え", u"ん"}, {u"き", u"ん", u"え", u"ん"}, false, true},
        {u"こんや", {u"こ", u"ん", u"や"}, {u"こ", u"ん", u"や"}, false, true},
        {u"みんな", {u"み", u"ん", u"な"}, {u"み", u"ん", u"な"}, false, true},
        {u"コンニャク", {u"こ", u"ん", u"にゃ", u"く"}, {u"こ", u"ん", u"にゃ", u"く"}, true, true},
        {u"きけん", {u"き", u"け", u"ん"}, {u"き", u"け", u"ん"}, false, false},
        {u"ほんとう", {u"ほ", u"ん", u"と", u"う"}, {u"ほ", u"ん", u"と", u"う"}, false, false},
    };
    std::vector<TWord> list;
    for (const TCase& c : cases)
        list.push_back({std::u16string(c.Kana), u"語", 1});
    TDrillWords words(list);
    ASSERT_EQ(words.Words().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const TDrillWord& word = words.Words()[i];
        SCOPED_TRACE(FromUtf16(cases[i].Kana));
        EXPECT_EQ(word.Text.Kana, FromUtf16(cases[i].Kana));
        EXPECT_EQ(word.Text.Chars, static_cast<int>(cases[i].Kana.size()));
        EXPECT_EQ(word.Units, cases[i].Units);
        EXPECT_EQ(word.TableUnits, cases[i].TableUnits);
        EXPECT_EQ(word.Katakana, cases[i].Katakana);
        EXPECT_EQ(word.NBeforeVowel, cases[i].NBeforeVowel);
    }
}

// Ordinary text counts every word as often as its class says: class 1 four times, class 3 once.
TEST(UDrillTextTest, OrdinarySharesWeighWordsByTheirClass) {
    TDrillWords words(Words(
        {{u"かき", 1}, {u"かく", 3}, {u"あまりにもながいたんごのれいですよねほんとうに", 1}}));
    // The word beyond a string is left out: units are か×5, き×4, く×1 of 10.
    EXPECT_EQ(words.Words().size(), 2u);
    EXPECT_DOUBLE_EQ(words.OrdinaryShare(u"か"), 0.5);
    EXPECT_DOUBLE_EQ(words.OrdinaryShare(u"き"), 0.4);
    EXPECT_DOUBLE_EQ(words.OrdinaryShare(u"く"), 0.1);
    EXPECT_EQ(words.OrdinaryShare(u"ぬ"), 0);
    EXPECT_EQ(words.WordsWith(u"か"), 2);
    EXPECT_EQ(words.WordsWith(u"ぬ"), 0);
}

// ---- Strings

TEST(UDrillTextTest, StringsAreFilledWithinTheirLengthWithoutRepeats) {
    std::vector<TPiece> pieces;
    for (int chars : {1, 2, 3, 4, 5, 6, 21})
        pieces.push_back({std::string(2 * chars, '\x82'), chars});
    TDrillRandom random(3);
    TTextShape shape{12, 17, 20};
    TPieceStrings strings = PackStrings(pieces, shape, [&] { return random.Below(pieces.size()); });
    ASSERT_EQ(strings.size(), 12u);
    for (const std::vector<std::size_t>& string : strings) {
        int chars = StringChars(pieces, string);
        EXPECT_GE(chars, shape.MinChars);
        EXPECT_LE(chars, shape.MaxChars);
        std::set<std::size_t> distinct(string.begin(), string.end());
        EXPECT_EQ(distinct.size(), string.size());
        EXPECT_FALSE(distinct.contains(6)) << "a piece longer than a string";
    }
    // A shape beyond the drill's 40 bytes is held to them.
    strings = PackStrings(pieces, {3, 30, 30}, [&] { return random.Below(pieces.size()); });
    for (const std::vector<std::size_t>& string : strings)
        EXPECT_LE(StringChars(pieces, string), MaxStringChars());
    EXPECT_EQ(MaxStringChars(), 20);
}

TEST(UDrillTextTest, StringsAreWordsJoinedByCommasAndLinesByCrLf) {
    std::vector<TPiece> pieces = {{FromUtf16(u"かお"), 2}, {FromUtf16(u"あき"), 2}};
    std::vector<std::string> lines = RenderStrings(pieces, {{0, 1}, {1}});
    EXPECT_EQ(lines, (std::vector<std::string>{FromUtf16(u"かお、あき"), FromUtf16(u"あき")}));
    EXPECT_EQ(JoinText(lines), FromUtf16(u"かお、あき\r\nあき"));
    EXPECT_EQ(StringChars(pieces, {0, 1}), 5);
    EXPECT_EQ(StringChars(pieces, {}), 0);
}

TEST(UDrillTextTest, UnitsOfATextAreCountedWithoutTheSeparators) {
    std::map<std::u16string, int> counts =
        CountUnits(FromUtf16(u"がっこう、ショック\r\nきゃく、かん"));
    std::map<std::u16string, int> expected = {
        {u"が", 1},   {u"っこ", 1}, {u"う", 1}, {u"しょ", 1}, {u"っく", 1},
        {u"きゃ", 1}, {u"く", 1},   {u"か", 1}, {u"ん", 1},
    };
    EXPECT_EQ(counts, expected);
}

} // namespace
