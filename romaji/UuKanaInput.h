// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Kana input: the JIS kana layout, which types one kana per key. For a kana unit the strokes
// that type it, each a key by its place on the JIS keyboard (UuKbTables) with or without Shift;
// and the conversion of a kana string into its units, their strokes and the guide line of key
// legends. Voiced kana take two strokes, the base kana and then the voiced-mark key: が is か
// then ゛, ぱ is は then ゜, ヴ is う then ゛. Katakana are typed by the keys of their hiragana.
// Units and the guide are Shift_JIS byte strings.

#include "romaji/UuKbTables.h"

#include <string>
#include <string_view>
#include <vector>

namespace UuKanaInput {

// A kana on its key, in both scripts.
struct TKanaKeyRow {
    std::u16string_view Hiragana;
    std::u16string_view Katakana;
    TKeyStroke Stroke;
};

// The kana layout row by row, left to right, each key's kana before its Shift kana.
// clang-format off
inline constexpr TKanaKeyRow KanaKeyTable[] = {
    // Top row: 1 to ^. Shift gives the small kana and を.
    {u"ぬ", u"ヌ", {'1'}}, {u"ふ", u"フ", {'2'}},
    {u"あ", u"ア", {'3'}}, {u"ぁ", u"ァ", {'3', true}},
    {u"う", u"ウ", {'4'}}, {u"ぅ", u"ゥ", {'4', true}},
    {u"え", u"エ", {'5'}}, {u"ぇ", u"ェ", {'5', true}},
    {u"お", u"オ", {'6'}}, {u"ぉ", u"ォ", {'6', true}},
    {u"や", u"ヤ", {'7'}}, {u"ゃ", u"ャ", {'7', true}},
    {u"ゆ", u"ユ", {'8'}}, {u"ゅ", u"ュ", {'8', true}},
    {u"よ", u"ヨ", {'9'}}, {u"ょ", u"ョ", {'9', true}},
    {u"わ", u"ワ", {'0'}}, {u"を", u"ヲ", {'0', true}},
    {u"ほ", u"ホ", {'-'}}, {u"へ", u"ヘ", {'^'}},
    // Second row: Q to P (@ and [ carry the voiced marks).
    {u"た", u"タ", {'Q'}}, {u"て", u"テ", {'W'}},
    {u"い", u"イ", {'E'}}, {u"ぃ", u"ィ", {'E', true}},
    {u"す", u"ス", {'R'}}, {u"か", u"カ", {'T'}}, {u"ん", u"ン", {'Y'}}, {u"な", u"ナ", {'U'}},
    {u"に", u"ニ", {'I'}}, {u"ら", u"ラ", {'O'}}, {u"せ", u"セ", {'P'}},
    // Home row: A to ].
    {u"ち", u"チ", {'A'}}, {u"と", u"ト", {'S'}}, {u"し", u"シ", {'D'}}, {u"は", u"ハ", {'F'}},
    {u"き", u"キ", {'G'}}, {u"く", u"ク", {'H'}}, {u"ま", u"マ", {'J'}}, {u"の", u"ノ", {'K'}},
    {u"り", u"リ", {'L'}}, {u"れ", u"レ", {';'}}, {u"け", u"ケ", {':'}}, {u"む", u"ム", {']'}},
    // Bottom row: Z to the key right of /.
    {u"つ", u"ツ", {'Z'}}, {u"っ", u"ッ", {'Z', true}},
    {u"さ", u"サ", {'X'}}, {u"そ", u"ソ", {'C'}}, {u"ひ", u"ヒ", {'V'}}, {u"こ", u"コ", {'B'}},
    {u"み", u"ミ", {'N'}}, {u"も", u"モ", {'M'}}, {u"ね", u"ネ", {','}}, {u"る", u"ル", {'.'}},
    {u"め", u"メ", {'/'}}, {u"ろ", u"ロ", {'_'}},
};
// clang-format on

// The marks and punctuation of the layout, one script.
struct TKanaSymbolRow {
    char16_t Symbol;
    TKeyStroke Stroke;
};

inline constexpr char16_t Dakuten = u'゛';
inline constexpr char16_t Handakuten = u'゜';

inline constexpr TKanaSymbolRow KanaSymbolTable[] = {
    {u'ー', {'\\'}}, // the yen key
    {Dakuten, {'@'}},     {Handakuten, {'['}},  {u'「', {'[', true}}, {u'」', {']', true}},
    {u'、', {',', true}}, {u'。', {'.', true}}, {u'・', {'/', true}},
};

// A voiced kana: its base kana (hiragana) typed first, then the mark.
struct TVoicedRow {
    std::u16string_view Hiragana; // empty for ヴ, which code page 932 has in katakana only
    std::u16string_view Katakana;
    std::u16string_view Base;
    char16_t Mark;
};

// clang-format off
inline constexpr TVoicedRow VoicedTable[] = {
    {u"が", u"ガ", u"か", Dakuten}, {u"ぎ", u"ギ", u"き", Dakuten}, {u"ぐ", u"グ", u"く", Dakuten},
    {u"げ", u"ゲ", u"け", Dakuten}, {u"ご", u"ゴ", u"こ", Dakuten},
    {u"ざ", u"ザ", u"さ", Dakuten}, {u"じ", u"ジ", u"し", Dakuten}, {u"ず", u"ズ", u"す", Dakuten},
    {u"ぜ", u"ゼ", u"せ", Dakuten}, {u"ぞ", u"ゾ", u"そ", Dakuten},
    {u"だ", u"ダ", u"た", Dakuten}, {u"ぢ", u"ヂ", u"ち", Dakuten}, {u"づ", u"ヅ", u"つ", Dakuten},
    {u"で", u"デ", u"て", Dakuten}, {u"ど", u"ド", u"と", Dakuten},
    {u"ば", u"バ", u"は", Dakuten}, {u"び", u"ビ", u"ひ", Dakuten}, {u"ぶ", u"ブ", u"ふ", Dakuten},
    {u"べ", u"ベ", u"へ", Dakuten}, {u"ぼ", u"ボ", u"ほ", Dakuten},
    {u"ぱ", u"パ", u"は", Handakuten}, {u"ぴ", u"ピ", u"ひ", Handakuten},
    {u"ぷ", u"プ", u"ふ", Handakuten}, {u"ぺ", u"ペ", u"へ", Handakuten},
    {u"ぽ", u"ポ", u"ほ", Handakuten},
    {u"", u"ヴ", u"う", Dakuten},
};
// clang-format on

} // namespace UuKanaInput

// The strokes that type `unit` (one Shift_JIS character) by kana input: one for a kana or mark
// of the layout ("ぬ" the 1 key, "ぁ" Shift and 3), two for a voiced kana ("が" T then @).
// Full-width and ASCII letters, digits and symbols the layout does not hold are typed where the
// JIS keyboard prints them, as with the input method off ("！" Shift and 1, "Ａ" and "a" the A
// key, the ideographic space the space bar). Empty for kanji, ゐ, ヵ and everything else.
std::vector<TKeyStroke> KanaKeys(std::string_view unit);

// The legend of a stroke on the JIS keyboard in kana input, as the key shows it: the hiragana
// or the mark ("ち" for A, "ぃ" for Shift and E, "を" for Shift and 0). Shift_JIS; empty for a
// stroke that types no kana of its own (Shift and A).
const std::string& KanaLegend(TKeyStroke stroke);

// One string converted for a kana-input drill. Units[i] is typed by Keys[i]; a unit nothing
// can type (漢, ゐ) has no strokes and adds nothing to the guide.
struct TKanaLine {
    std::vector<std::string> Units; // Shift_JIS, one character each
    std::vector<std::vector<TKeyStroke>> Keys;
    std::string Guide; // the legend of every stroke in a row: "か゛" for が, "!" for ！
};

// Converts `sentence`, one unit per character.
TKanaLine MakeKanaLine(std::u16string_view sentence);
