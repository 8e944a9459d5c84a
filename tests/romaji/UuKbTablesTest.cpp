// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbTables.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using ShiftJis::FromUtf16;

// The fingers of a row of keys, one digit per key; Shift types Shifted[i] on Keys[i].
struct TKeyRow {
    const char* Name;
    TKeyboardKind Kind;
    std::string_view Keys;
    std::string_view Fingers;
    std::string_view Shifted; // a blank where Shift types nothing of its own
};

// Row by row, as a learner sees the keyboard: the finger of every key and of every character
// typed with Shift on it, and the Shift key of the other hand.
const TKeyRow KeyRows[] = {
    {"JisTop", TKeyboardKind::Jis, "1234567890-^\\", "1234455678888", "!\"#$%&'() =~|"},
    {"JisSecond", TKeyboardKind::Jis, "QWERTYUIOP@[", "123445567888", "          `{"},
    {"JisHome", TKeyboardKind::Jis, "ASDFGHJKL;:]", "123445567888", "         +*}"},
    {"JisBottom", TKeyboardKind::Jis, "ZXCVBNM,./", "1234455678", "       <>?"},
    {"UsTop", TKeyboardKind::Us, "`1234567890-=", "1123445567888", "~!@#$%^&*()_+"},
    {"UsSecond", TKeyboardKind::Us, "QWERTYUIOP[]\\", "1234455678888", "          {}|"},
    {"UsHome", TKeyboardKind::Us, "ASDFGHJKL;'", "12344556788", "         :\""},
    {"UsBottom", TKeyboardKind::Us, "ZXCVBNM,./", "1234455678", "       <>?"},
};

class KbTablesRowTest : public testing::TestWithParam<TKeyRow> {};

TEST_P(KbTablesRowTest, EveryKeyAndItsShiftCharacter) {
    const TKeyRow& row = GetParam();
    ASSERT_EQ(row.Keys.size(), row.Fingers.size());
    for (std::size_t i = 0; i < row.Keys.size(); ++i) {
        const char key = row.Keys[i];
        const int finger = row.Fingers[i] - '0';
        SCOPED_TRACE(testing::Message() << "key " << key);
        EXPECT_EQ(StrokeOf(row.Kind, key), (TKeyStroke{key, false}));
        EXPECT_EQ(FingerOf(row.Kind, key), finger);
        const char shifted = i < row.Shifted.size() ? row.Shifted[i] : ' ';
        if (shifted == ' ')
            continue;
        EXPECT_EQ(StrokeOf(row.Kind, shifted), (TKeyStroke{key, true})) << shifted;
        EXPECT_EQ(FingerOf(row.Kind, shifted), finger) << shifted;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, KbTablesRowTest, testing::ValuesIn(KeyRows),
                         [](const testing::TestParamInfo<TKeyRow>& info) {
                             return info.param.Name;
                         });

// Every key of a table once, the Shift pairs on its keys, every character with one finger.
TEST(KbTablesTest, TablesAreWellFormed) {
    for (TKeyboardKind kind : {TKeyboardKind::Jis, TKeyboardKind::Us}) {
        const TKbTable& table = KbTable(kind);
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_EQ(table.Kind, kind);
        std::set<char> keys;
        for (std::string_view row : table.Rows)
            for (char c : row)
                EXPECT_TRUE(keys.insert(c).second) << c << " twice";
        ASSERT_EQ(table.ShiftBases.size(), table.ShiftResults.size());
        std::set<char> characters = keys;
        for (std::size_t i = 0; i < table.ShiftBases.size(); ++i) {
            EXPECT_TRUE(keys.count(table.ShiftBases[i])) << table.ShiftBases[i];
            if (table.ShiftResults[i] != ' ') {
                EXPECT_TRUE(characters.insert(table.ShiftResults[i]).second)
                    << table.ShiftResults[i] << " twice";
            }
        }
        std::map<char, int> fingers;
        for (std::size_t f = 0; f < table.Fingers.size(); ++f)
            for (char c : table.Fingers[f].Chars)
                EXPECT_TRUE(fingers.emplace(c, static_cast<int>(f) + 1).second) << c;
        EXPECT_EQ(fingers.size(), characters.size());
        for (char c : characters)
            EXPECT_TRUE(fingers.count(c)) << c << " has no finger";
    }
    for (std::size_t f = 0; f < FingerRows.size(); ++f)
        EXPECT_EQ(KbTable(TKeyboardKind::Jis).Fingers[f].Chars, FingerRows[f].Chars);
}

struct TStrokeCase {
    const char* Name;
    TKeyboardKind Kind;
    char Character;
    std::optional<TKeyStroke> Stroke;
};

class KbTablesStrokeTest : public testing::TestWithParam<TStrokeCase> {};

TEST_P(KbTablesStrokeTest, KeyAndShiftOfACharacter) {
    EXPECT_EQ(StrokeOf(GetParam().Kind, GetParam().Character), GetParam().Stroke);
}

constexpr auto Jis = TKeyboardKind::Jis;
constexpr auto Us = TKeyboardKind::Us;

INSTANTIATE_TEST_SUITE_P(
    Characters, KbTablesStrokeTest,
    testing::Values(TStrokeCase{"LowerCaseIsTheLetterKey", Us, 'a', TKeyStroke{'A', false}},
                    TStrokeCase{"JisUnderscoreHasItsOwnKey", Jis, '_', TKeyStroke{'_', true}},
                    TStrokeCase{"UsUnderscoreOnTheMinus", Us, '_', TKeyStroke{'-', true}},
                    TStrokeCase{"JisTildeOnTheCaret", Jis, '~', TKeyStroke{'^', true}},
                    TStrokeCase{"UsTildeOnTheBacktick", Us, '~', TKeyStroke{'`', true}},
                    TStrokeCase{"JisAtHasItsKey", Jis, '@', TKeyStroke{'@', false}},
                    TStrokeCase{"UsAtOnTheTwo", Us, '@', TKeyStroke{'2', true}},
                    TStrokeCase{"JisQuoteOnTheTwo", Jis, '"', TKeyStroke{'2', true}},
                    TStrokeCase{"UsQuoteOnTheApostrophe", Us, '"', TKeyStroke{'\'', true}},
                    TStrokeCase{"Space", Us, ' ', TKeyStroke{' ', false}},
                    TStrokeCase{"JisHasNoBacktickKey", Jis, '`', TKeyStroke{'@', true}},
                    TStrokeCase{"Nothing", Jis, '\0', std::nullopt},
                    TStrokeCase{"Tab", Us, '\t', std::nullopt},
                    TStrokeCase{"Delete", Jis, '\x7f', std::nullopt},
                    TStrokeCase{"HighByte", Us, '\x82', std::nullopt}),
    [](const testing::TestParamInfo<TStrokeCase>& info) { return info.param.Name; });

// Every drawn key has exactly one code, and the codes are those of the Linux input layer plus
// 8, as X and Qt give them.
TEST(KbTablesTest, EveryKeyHasOneScanCode) {
    for (TKeyboardKind kind : {Jis, Us}) {
        const TKbTable& table = KbTable(kind);
        std::multiset<char> found;
        for (std::uint32_t code = 0; code < 1024; ++code)
            if (std::optional<char> key = KeyOfScanCode(kind, code))
                found.insert(*key);
        std::multiset<char> drawn{' '};
        for (std::string_view row : table.Rows)
            drawn.insert(row.begin(), row.end());
        EXPECT_EQ(found, drawn) << static_cast<int>(kind);
    }
}

struct TCodeCase {
    const char* Name;
    TKeyboardKind Kind;
    std::uint32_t Code;
    std::optional<char> Key;
};

class KbTablesCodeTest : public testing::TestWithParam<TCodeCase> {};

TEST_P(KbTablesCodeTest, KeyAtTheCode) {
    EXPECT_EQ(KeyOfScanCode(GetParam().Kind, GetParam().Code), GetParam().Key);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, KbTablesCodeTest,
    testing::Values(TCodeCase{"JisA", Jis, 38, 'A'}, TCodeCase{"UsA", Us, 38, 'A'},
                    TCodeCase{"JisOne", Jis, 10, '1'}, TCodeCase{"JisCaret", Jis, 21, '^'},
                    TCodeCase{"UsEquals", Us, 21, '='}, TCodeCase{"JisAt", Jis, 34, '@'},
                    TCodeCase{"UsBracket", Us, 34, '['}, TCodeCase{"JisColon", Jis, 48, ':'},
                    TCodeCase{"UsApostrophe", Us, 48, '\''},
                    TCodeCase{"JisCloseBracketAboveEnter", Jis, 51, ']'},
                    TCodeCase{"UsBackslash", Us, 51, '\\'}, TCodeCase{"JisYen", Jis, 132, '\\'},
                    TCodeCase{"JisRo", Jis, 97, '_'}, TCodeCase{"UsBacktick", Us, 49, '`'},
                    TCodeCase{"JisHalfWidthKey", Jis, 49, std::nullopt},
                    TCodeCase{"UsHasNoYen", Us, 132, std::nullopt}, TCodeCase{"Slash", Us, 61, '/'},
                    TCodeCase{"Space", Jis, 65, ' '}, TCodeCase{"LeftShift", Jis, 50, std::nullopt},
                    TCodeCase{"RightShift", Us, 62, std::nullopt},
                    TCodeCase{"NoCode", Jis, 0, std::nullopt},
                    TCodeCase{"BelowTheOffset", Us, 7, std::nullopt},
                    TCodeCase{"Huge", Jis, 0xFFFFFFFFu, std::nullopt}),
    [](const testing::TestParamInfo<TCodeCase>& info) { return info.param.Name; });

struct TEventCase {
    const char* Name;
    TKeyboardKind Kind;
    std::uint32_t Code;
    bool Shift;
    char Typed;
    std::optional<TKeyStroke> Stroke;
};

class KbTablesEventTest : public testing::TestWithParam<TEventCase> {};

TEST_P(KbTablesEventTest, StrokeOfAKeyEvent) {
    const TEventCase& c = GetParam();
    EXPECT_EQ(StrokeOfKeyEvent(c.Kind, c.Code, c.Shift, c.Typed), c.Stroke);
}

// Under a us keymap the JIS key right of P types '[', yet it is the @ key (゛ in kana input);
// Shift and 3 typed '#', yet it is ぁ's stroke.
INSTANTIATE_TEST_SUITE_P(
    Events, KbTablesEventTest,
    testing::Values(TEventCase{"CodeWinsOverTheCharacter", Jis, 34, false, '[', TKeyStroke{'@'}},
                    TEventCase{"ShiftFromTheModifiers", Jis, 12, true, '#', TKeyStroke{'3', true}},
                    TEventCase{"RoKeyUnderAUsKeymap", Jis, 97, false, '\\', TKeyStroke{'_'}},
                    TEventCase{"ShiftAlone", Jis, 50, true, '\0', std::nullopt},
                    TEventCase{"Enter", Us, 36, false, '\r', std::nullopt},
                    TEventCase{"NoCodeTakesTheCharacter", Jis, 0, true, '!', TKeyStroke{'1', true}},
                    TEventCase{"NoCodeLowerCase", Us, 0, false, 'q', TKeyStroke{'Q'}},
                    TEventCase{"NoCodeNoKey", Us, 0, false, '\t', std::nullopt}),
    [](const testing::TestParamInfo<TEventCase>& info) { return info.param.Name; });

// Full-width symbols as an input method types them in romaji input: the ASCII key, and where
// that key is on each keyboard, with its finger.
struct TSymbolCase {
    const char* Name;
    std::u16string_view Symbol;
    char Key;
    TKeyStroke Jis;
    int JisFinger;
    TKeyStroke Us;
    int UsFinger;
};

class KbTablesSymbolTest : public testing::TestWithParam<TSymbolCase> {};

TEST_P(KbTablesSymbolTest, TheKeyOfTheSymbolOnEachKeyboard) {
    const TSymbolCase& c = GetParam();
    ASSERT_EQ(ImeSymbolKey(FromUtf16(c.Symbol)), c.Key);
    EXPECT_EQ(StrokeOf(Jis, c.Key), c.Jis);
    EXPECT_EQ(FingerOf(Jis, c.Jis.Key), c.JisFinger);
    EXPECT_EQ(StrokeOf(Us, c.Key), c.Us);
    EXPECT_EQ(FingerOf(Us, c.Us.Key), c.UsFinger);
}

INSTANTIATE_TEST_SUITE_P(
    Symbols, KbTablesSymbolTest,
    testing::Values(TSymbolCase{"OpeningBracket", u"「", '[', {'['}, 8, {'['}, 8},
                    TSymbolCase{"ClosingBracket", u"」", ']', {']'}, 8, {']'}, 8},
                    TSymbolCase{"MiddleDot", u"・", '/', {'/'}, 8, {'/'}, 8},
                    TSymbolCase{"LongVowel", u"ー", '-', {'-'}, 8, {'-'}, 8},
                    TSymbolCase{"Comma", u"、", ',', {','}, 6, {','}, 6},
                    TSymbolCase{"FullStop", u"。", '.', {'.'}, 7, {'.'}, 7},
                    TSymbolCase{"Exclamation", u"！", '!', {'1', true}, 1, {'1', true}, 1},
                    TSymbolCase{"Question", u"？", '?', {'/', true}, 8, {'/', true}, 8},
                    TSymbolCase{"QuotationMark", u"”", '"', {'2', true}, 2, {'\'', true}, 8},
                    TSymbolCase{"Apostrophe", u"’", '\'', {'7', true}, 5, {'\''}, 8},
                    TSymbolCase{"At", u"＠", '@', {'@'}, 8, {'2', true}, 2},
                    TSymbolCase{"Tilde", u"～", '~', {'^', true}, 8, {'`', true}, 1},
                    TSymbolCase{"Caret", u"＾", '^', {'^'}, 8, {'6', true}, 5},
                    TSymbolCase{"Asterisk", u"＊", '*', {':', true}, 8, {'8', true}, 6},
                    TSymbolCase{"Plus", u"＋", '+', {';', true}, 8, {'=', true}, 8},
                    TSymbolCase{"Colon", u"：", ':', {':'}, 8, {';', true}, 8},
                    TSymbolCase{"Equals", u"＝", '=', {'-', true}, 8, {'='}, 8},
                    TSymbolCase{"Underscore", u"＿", '_', {'_', true}, 8, {'-', true}, 8},
                    TSymbolCase{"Yen", u"￥", '\\', {'\\'}, 8, {'\\'}, 8},
                    TSymbolCase{"Bar", u"｜", '|', {'\\', true}, 8, {'\\', true}, 8},
                    TSymbolCase{"Backtick", u"‘", '`', {'@', true}, 8, {'`'}, 1},
                    TSymbolCase{"OpeningParenthesis", u"（", '(', {'8', true}, 6, {'9', true}, 7},
                    TSymbolCase{"IdeographicSpace", u"\u3000", ' ', {' '}, 0, {' '}, 0}),
    [](const testing::TestParamInfo<TSymbolCase>& info) { return info.param.Name; });

TEST(KbTablesTest, ImeSymbolKeyIsForSymbolsOnly) {
    for (std::u16string_view unit : {u"あ", u"ア", u"漢", u"Ａ", u"１", u"ゐ", u"…"})
        EXPECT_EQ(ImeSymbolKey(FromUtf16(unit)), std::nullopt) << FromUtf16(unit);
    for (std::string_view unit : {"", "A", "-", "\x81", "\x81\x5b\x81\x5b"})
        EXPECT_EQ(ImeSymbolKey(unit), std::nullopt) << unit;
}

struct TLayoutCase {
    const char* Name;
    std::string_view Layouts;
    TKeyboardKind Kind;
};

class KbTablesLayoutTest : public testing::TestWithParam<TLayoutCase> {};

TEST_P(KbTablesLayoutTest, KeyboardOfTheDesktopLayouts) {
    EXPECT_EQ(KeyboardOfLayouts(GetParam().Layouts), GetParam().Kind);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, KbTablesLayoutTest,
    testing::Values(
        TLayoutCase{"Japanese", "jp", Jis}, TLayoutCase{"Us", "us", Us},
        TLayoutCase{"JapaneseKanaVariant", "jp(kana)", Jis},
        TLayoutCase{"GermanVariant", "de(nodeadkeys)", Us},
        TLayoutCase{"FcitxVariant", "us-dvorak", Us},
        TLayoutCase{"UpperCaseAndBlanks", " JP ", Jis}, TLayoutCase{"FirstOfTwo", "us,jp", Us},
        TLayoutCase{"JapaneseFirst", "jp,us", Jis}, TLayoutCase{"CyrillicThenLatin", "ru,us", Us},
        TLayoutCase{"CyrillicThenJapanese", "ru,jp", Jis}, TLayoutCase{"Korean", "kr", Us},
        TLayoutCase{"CyrillicOnly", "ru", Jis}, TLayoutCase{"Arabic", "ara", Jis},
        TLayoutCase{"Unknown", "", Jis}, TLayoutCase{"OnlyCommas", ",,", Jis}),
    [](const testing::TestParamInfo<TLayoutCase>& info) { return info.param.Name; });

TEST(KbTablesTest, KeyColoursFollowTheFingers) {
    const TRgb aqua{0, 255, 255}, lime{0, 255, 0}, yellow{255, 255, 0}, white{255, 255, 255};
    EXPECT_EQ(KeyColor(Us, "`"), aqua);
    EXPECT_EQ(KeyColor(Us, "@"), lime);
    EXPECT_EQ(KeyColor(Jis, "@"), aqua);
    EXPECT_EQ(KeyColor(Us, "'"), aqua);
    EXPECT_EQ(KeyColor(Us, "8"), yellow);
    EXPECT_EQ(KeyColor(Us, "6"), white);
    EXPECT_EQ(KeyColor(Us, " "), white);
    EXPECT_EQ(KeyColor(Us, "Shift"), aqua);
    EXPECT_EQ(KeyColor("\""), lime);
}

} // namespace
