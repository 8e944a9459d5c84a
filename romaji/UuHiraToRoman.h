// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kana-to-romaji table of the touch-typing drill: for one kana unit (a kana, a kana with a
// small kana, a full-width letter, digit or symbol) the keys that type it, in up to three
// spellings; and the conversion of a kana string into its units, the keys of each unit and the
// romaji guide line. Units and keys are Shift_JIS / ASCII byte strings.

#include "store/UDataFile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace UuHiraToRoman {

// Units with alternative spellings have a slot; TRomajiOptions::Choices[slot] holds the index of
// the spelling the learner typed last (0..2), which the next conversion shows.
inline constexpr int ChoiceSlotCount = 47;
inline constexpr int SpellingIndexCount = 3;
inline constexpr int NoSlot = -1;

// One unit in both scripts. Spellings are listed once each: a row with two spellings gives the
// second for index 1 and 2 (か: KA for 0, CA for 1 and 2); the unused entries are empty.
struct TKanaRow {
    std::u16string_view Hiragana; // empty for units that exist in katakana only (ヴ, ヵ, ヶ);
                                  // ヴ with a hiragana small vowel (ヴぁ) counts as hiragana
    std::u16string_view Katakana;
    int Slot;
    std::string_view Spellings[SpellingIndexCount];
};

// clang-format off
inline constexpr TKanaRow KanaTable[] = {
    // Units with alternative spellings, by slot.
    {u"ぁ", u"ァ", 0, {"LA", "XA"}},
    {u"ぃ", u"ィ", 1, {"LI", "XI"}},
    {u"ぅ", u"ゥ", 2, {"LU", "XU"}},
    {u"うぃ", u"ウィ", 3, {"WI", "WHI"}},
    {u"うぇ", u"ウェ", 4, {"WHE", "WE"}},
    {u"ぇ", u"ェ", 5, {"LE", "XE"}},
    {u"ぉ", u"ォ", 6, {"LO", "XO"}},
    {u"か", u"カ", 7, {"KA", "CA"}},
    {u"く", u"ク", 8, {"KU", "CU", "QU"}},
    {u"くぁ", u"クァ", 9, {"QA", "QWA"}},
    {u"くぃ", u"クィ", 10, {"QI", "QWI"}},
    {u"くぇ", u"クェ", 11, {"QE", "QWE"}},
    {u"くぉ", u"クォ", 12, {"QO", "QWO"}},
    {u"こ", u"コ", 13, {"KO", "CO"}},
    {u"し", u"シ", 14, {"SI", "SHI", "CI"}},
    {u"しゃ", u"シャ", 15, {"SYA", "SHA"}},
    {u"しゅ", u"シュ", 16, {"SYU", "SHU"}},
    {u"しぇ", u"シェ", 17, {"SYE", "SHE"}},
    {u"しょ", u"ショ", 18, {"SYO", "SHO"}},
    {u"じ", u"ジ", 19, {"JI", "ZI"}},
    {u"じゃ", u"ジャ", 20, {"JA", "JYA", "ZYA"}},
    {u"じぃ", u"ジィ", 21, {"JYI", "ZYI"}},
    {u"じゅ", u"ジュ", 22, {"JU", "JYU", "ZYU"}},
    {u"じぇ", u"ジェ", 23, {"JE", "JYE", "ZYE"}},
    {u"じょ", u"ジョ", 24, {"JO", "JYO", "ZYO"}},
    {u"せ", u"セ", 25, {"SE", "CE"}},
    {u"ち", u"チ", 26, {"TI", "CHI"}},
    {u"ちゃ", u"チャ", 27, {"TYA", "CYA"}},
    {u"ちぃ", u"チィ", 28, {"TYI", "CYI"}},
    {u"ちゅ", u"チュ", 29, {"TYU", "CYU"}},
    {u"ちぇ", u"チェ", 30, {"TYE", "CYE"}},
    {u"ちょ", u"チョ", 31, {"TYO", "CYO"}},
    {u"っ", u"ッ", 32, {"LTU", "XTU"}},
    {u"つ", u"ツ", 33, {"TU", "TSU"}},
    {u"ふ", u"フ", 34, {"HU", "FU"}},
    {u"ふぁ", u"ファ", 35, {"FA", "FWA"}},
    {u"ふぃ", u"フィ", 36, {"FI", "FWI"}},
    {u"ふぇ", u"フェ", 37, {"FE", "FWE"}},
    {u"ふぉ", u"フォ", 38, {"FO", "FWO"}},
    {u"ゃ", u"ャ", 39, {"LYA", "XYA"}},
    {u"ゅ", u"ュ", 40, {"LYU", "XYU"}},
    {u"ょ", u"ョ", 41, {"LYO", "XYO"}},
    {u"ゎ", u"ヮ", 42, {"LWA", "XWA"}},
    {u"ヴぃ", u"ヴィ", 43, {"VI", "VYI"}},
    {u"ヴぇ", u"ヴェ", 44, {"VE", "VYE"}},
    {u"", u"ヵ", 45, {"LKA", "XKA"}},
    {u"", u"ヶ", 46, {"LKE", "XKE"}},

    // あ行
    {u"あ", u"ア", NoSlot, {"A"}},
    {u"い", u"イ", NoSlot, {"I"}},
    {u"いぇ", u"イェ", NoSlot, {"YE"}},
    {u"う", u"ウ", NoSlot, {"U"}},
    {u"うぁ", u"ウァ", NoSlot, {"WHA"}},
    {u"うぉ", u"ウォ", NoSlot, {"WHO"}},
    {u"え", u"エ", NoSlot, {"E"}},
    {u"お", u"オ", NoSlot, {"O"}},
    // か行, が行
    {u"が", u"ガ", NoSlot, {"GA"}},
    {u"き", u"キ", NoSlot, {"KI"}},
    {u"きぃ", u"キィ", NoSlot, {"KYI"}},
    {u"きぇ", u"キェ", NoSlot, {"KYE"}},
    {u"きゃ", u"キャ", NoSlot, {"KYA"}},
    {u"きゅ", u"キュ", NoSlot, {"KYU"}},
    {u"きょ", u"キョ", NoSlot, {"KYO"}},
    {u"ぎ", u"ギ", NoSlot, {"GI"}},
    {u"ぎぃ", u"ギィ", NoSlot, {"GYI"}},
    {u"ぎぇ", u"ギェ", NoSlot, {"GYE"}},
    {u"ぎゃ", u"ギャ", NoSlot, {"GYA"}},
    {u"ぎゅ", u"ギュ", NoSlot, {"GYU"}},
    {u"ぎょ", u"ギョ", NoSlot, {"GYO"}},
    {u"くぅ", u"クゥ", NoSlot, {"QWU"}},
    {u"くゃ", u"クャ", NoSlot, {"QYA"}},
    {u"くゅ", u"クュ", NoSlot, {"QYU"}},
    {u"くょ", u"クョ", NoSlot, {"QYO"}},
    {u"ぐ", u"グ", NoSlot, {"GU"}},
    {u"ぐぁ", u"グァ", NoSlot, {"GWA"}},
    {u"ぐぃ", u"グィ", NoSlot, {"GWI"}},
    {u"ぐぅ", u"グゥ", NoSlot, {"GWU"}},
    {u"ぐぇ", u"グェ", NoSlot, {"GWE"}},
    {u"ぐぉ", u"グォ", NoSlot, {"GWO"}},
    {u"け", u"ケ", NoSlot, {"KE"}},
    {u"げ", u"ゲ", NoSlot, {"GE"}},
    {u"ご", u"ゴ", NoSlot, {"GO"}},
    // さ行, ざ行
    {u"さ", u"サ", NoSlot, {"SA"}},
    {u"ざ", u"ザ", NoSlot, {"ZA"}},
    {u"しぃ", u"シィ", NoSlot, {"SYI"}},
    {u"す", u"ス", NoSlot, {"SU"}},
    {u"すぁ", u"スァ", NoSlot, {"SWA"}},
    {u"すぃ", u"スィ", NoSlot, {"SWI"}},
    {u"すぅ", u"スゥ", NoSlot, {"SWU"}},
    {u"すぇ", u"スェ", NoSlot, {"SWE"}},
    {u"すぉ", u"スォ", NoSlot, {"SWO"}},
    {u"ず", u"ズ", NoSlot, {"ZU"}},
    {u"ぜ", u"ゼ", NoSlot, {"ZE"}},
    {u"そ", u"ソ", NoSlot, {"SO"}},
    {u"ぞ", u"ゾ", NoSlot, {"ZO"}},
    // た行, だ行
    {u"た", u"タ", NoSlot, {"TA"}},
    {u"だ", u"ダ", NoSlot, {"DA"}},
    {u"ぢ", u"ヂ", NoSlot, {"DI"}},
    {u"ぢぃ", u"ヂィ", NoSlot, {"DYI"}},
    {u"ぢぇ", u"ヂェ", NoSlot, {"DYE"}},
    {u"ぢゃ", u"ヂャ", NoSlot, {"DYA"}},
    {u"ぢゅ", u"ヂュ", NoSlot, {"DYU"}},
    {u"ぢょ", u"ヂョ", NoSlot, {"DYO"}},
    {u"つぁ", u"ツァ", NoSlot, {"TSA"}},
    {u"つぃ", u"ツィ", NoSlot, {"TSI"}},
    {u"つぇ", u"ツェ", NoSlot, {"TSE"}},
    {u"つぉ", u"ツォ", NoSlot, {"TSO"}},
    {u"づ", u"ヅ", NoSlot, {"DU"}},
    {u"て", u"テ", NoSlot, {"TE"}},
    {u"てぃ", u"ティ", NoSlot, {"THI"}},
    {u"てぇ", u"テェ", NoSlot, {"THE"}},
    {u"てゃ", u"テャ", NoSlot, {"THA"}},
    {u"てゅ", u"テュ", NoSlot, {"THU"}},
    {u"てょ", u"テョ", NoSlot, {"THO"}},
    {u"で", u"デ", NoSlot, {"DE"}},
    {u"でぃ", u"ディ", NoSlot, {"DHI"}},
    {u"でぇ", u"デェ", NoSlot, {"DHE"}},
    {u"でゃ", u"デャ", NoSlot, {"DHA"}},
    {u"でゅ", u"デュ", NoSlot, {"DHU"}},
    {u"でょ", u"デョ", NoSlot, {"DHO"}},
    {u"と", u"ト", NoSlot, {"TO"}},
    {u"とぁ", u"トァ", NoSlot, {"TWA"}},
    {u"とぃ", u"トィ", NoSlot, {"TWI"}},
    {u"とぅ", u"トゥ", NoSlot, {"TWU"}},
    {u"とぇ", u"トェ", NoSlot, {"TWE"}},
    {u"とぉ", u"トォ", NoSlot, {"TWO"}},
    {u"ど", u"ド", NoSlot, {"DO"}},
    {u"どぁ", u"ドァ", NoSlot, {"DWA"}},
    {u"どぃ", u"ドィ", NoSlot, {"DWI"}},
    {u"どぅ", u"ドゥ", NoSlot, {"DWU"}},
    {u"どぇ", u"ドェ", NoSlot, {"DWE"}},
    {u"どぉ", u"ドォ", NoSlot, {"DWO"}},
    // な行
    {u"な", u"ナ", NoSlot, {"NA"}},
    {u"に", u"ニ", NoSlot, {"NI"}},
    {u"にぃ", u"ニィ", NoSlot, {"NYI"}},
    {u"にぇ", u"ニェ", NoSlot, {"NYE"}},
    {u"にゃ", u"ニャ", NoSlot, {"NYA"}},
    {u"にゅ", u"ニュ", NoSlot, {"NYU"}},
    {u"にょ", u"ニョ", NoSlot, {"NYO"}},
    {u"ぬ", u"ヌ", NoSlot, {"NU"}},
    {u"ね", u"ネ", NoSlot, {"NE"}},
    {u"の", u"ノ", NoSlot, {"NO"}},
    // は行, ば行, ぱ行
    {u"は", u"ハ", NoSlot, {"HA"}},
    {u"ば", u"バ", NoSlot, {"BA"}},
    {u"ぱ", u"パ", NoSlot, {"PA"}},
    {u"ひ", u"ヒ", NoSlot, {"HI"}},
    {u"ひぃ", u"ヒィ", NoSlot, {"HYI"}},
    {u"ひぇ", u"ヒェ", NoSlot, {"HYE"}},
    {u"ひゃ", u"ヒャ", NoSlot, {"HYA"}},
    {u"ひゅ", u"ヒュ", NoSlot, {"HYU"}},
    {u"ひょ", u"ヒョ", NoSlot, {"HYO"}},
    {u"び", u"ビ", NoSlot, {"BI"}},
    {u"びぃ", u"ビィ", NoSlot, {"BYI"}},
    {u"びぇ", u"ビェ", NoSlot, {"BYE"}},
    {u"びゃ", u"ビャ", NoSlot, {"BYA"}},
    {u"びゅ", u"ビュ", NoSlot, {"BYU"}},
    {u"びょ", u"ビョ", NoSlot, {"BYO"}},
    {u"ぴ", u"ピ", NoSlot, {"PI"}},
    {u"ぴぃ", u"ピィ", NoSlot, {"PYI"}},
    {u"ぴぇ", u"ピェ", NoSlot, {"PYE"}},
    {u"ぴゃ", u"ピャ", NoSlot, {"PYA"}},
    {u"ぴゅ", u"ピュ", NoSlot, {"PYU"}},
    {u"ぴょ", u"ピョ", NoSlot, {"PYO"}},
    {u"ふぅ", u"フゥ", NoSlot, {"FWU"}},
    {u"ふゅ", u"フュ", NoSlot, {"FYU"}},
    {u"ふょ", u"フョ", NoSlot, {"FYO"}},
    {u"ぶ", u"ブ", NoSlot, {"BU"}},
    {u"ぷ", u"プ", NoSlot, {"PU"}},
    {u"へ", u"ヘ", NoSlot, {"HE"}},
    {u"べ", u"ベ", NoSlot, {"BE"}},
    {u"ぺ", u"ペ", NoSlot, {"PE"}},
    {u"ほ", u"ホ", NoSlot, {"HO"}},
    {u"ぼ", u"ボ", NoSlot, {"BO"}},
    {u"ぽ", u"ポ", NoSlot, {"PO"}},
    // ま行
    {u"ま", u"マ", NoSlot, {"MA"}},
    {u"み", u"ミ", NoSlot, {"MI"}},
    {u"みぃ", u"ミィ", NoSlot, {"MYI"}},
    {u"みぇ", u"ミェ", NoSlot, {"MYE"}},
    {u"みゃ", u"ミャ", NoSlot, {"MYA"}},
    {u"みゅ", u"ミュ", NoSlot, {"MYU"}},
    {u"みょ", u"ミョ", NoSlot, {"MYO"}},
    {u"む", u"ム", NoSlot, {"MU"}},
    {u"め", u"メ", NoSlot, {"ME"}},
    {u"も", u"モ", NoSlot, {"MO"}},
    // や行, ら行, わ行, ん
    {u"や", u"ヤ", NoSlot, {"YA"}},
    {u"ゆ", u"ユ", NoSlot, {"YU"}},
    {u"よ", u"ヨ", NoSlot, {"YO"}},
    {u"ら", u"ラ", NoSlot, {"RA"}},
    {u"り", u"リ", NoSlot, {"RI"}},
    {u"りぃ", u"リィ", NoSlot, {"RYI"}},
    {u"りぇ", u"リェ", NoSlot, {"RYE"}},
    {u"りゃ", u"リャ", NoSlot, {"RYA"}},
    {u"りゅ", u"リュ", NoSlot, {"RYU"}},
    {u"りょ", u"リョ", NoSlot, {"RYO"}},
    {u"る", u"ル", NoSlot, {"RU"}},
    {u"れ", u"レ", NoSlot, {"RE"}},
    {u"ろ", u"ロ", NoSlot, {"RO"}},
    {u"わ", u"ワ", NoSlot, {"WA"}},
    {u"を", u"ヲ", NoSlot, {"WO"}},
    {u"ん", u"ン", NoSlot, {"NN"}},
    // ヴ, in katakana only.
    {u"", u"ヴ", NoSlot, {"VU"}},
    {u"ヴぁ", u"ヴァ", NoSlot, {"VA"}},
    {u"ヴぉ", u"ヴォ", NoSlot, {"VO"}},
    {u"ヴゃ", u"ヴャ", NoSlot, {"VYA"}},
    {u"ヴゅ", u"ヴュ", NoSlot, {"VYU"}},
    {u"ヴょ", u"ヴョ", NoSlot, {"VYO"}},
};
// clang-format on

// Full-width characters typed by one ASCII key: the long-vowel mark, the symbols and the
// ideographic space. ” ’ ‘ are the curly quotes U+201D, U+2019, U+2018 of code page 932.
struct TSymbolRow {
    char16_t Wide;
    std::string_view Key;
};

// clang-format off
inline constexpr TSymbolRow SymbolTable[] = {
    {u'ー', "-"},  {u'！', "!"},  {u'”', "\""}, {u'＃', "#"}, {u'＄', "$"}, {u'％', "%"},
    {u'＆', "&"},  {u'’', "'"},  {u'（', "("},  {u'）', ")"}, {u'－', "-"}, {u'＝', "="},
    {u'＾', "^"},  {u'～', "~"},  {u'￥', "\\"}, {u'｜', "|"}, {u'＠', "@"}, {u'‘', "`"},
    {u'「', "["},  {u'｛', "{"},  {u'；', ";"},  {u'＋', "+"}, {u'：', ":"}, {u'＊', "*"},
    {u'」', "]"},  {u'｝', "}"},  {u'、', ","},  {u'＜', "<"}, {u'。', "."}, {u'＞', ">"},
    {u'／', "/"},  {u'？', "?"},  {u'＿', "_"},  {u'\u3000', " "},
};
// clang-format on

// Full-width letters and digits, by range: Ａ–Ｚ and ａ–ｚ both give A–Z, ０–９ give 0–9.
struct TRangeRow {
    char16_t First, Last;
    char FirstKey;
};

inline constexpr TRangeRow LetterDigitRanges[] = {
    {u'Ａ', u'Ｚ', 'A'},
    {u'ａ', u'ｚ', 'A'},
    {u'０', u'９', '0'},
};

} // namespace UuHiraToRoman

// The spelling of `unit` for spelling index `index`; `unit` must match an entry whole, byte for
// byte ("か" gives KA, "かん" and "・" give the empty string). A unit with one spelling gives
// it for every index. An index outside 0..2 gives spelling 0, the default.
std::string KanaToRomaji(std::string_view unit, int index);

// The slot 0..46 of a unit with alternative spellings ("し" and "シ" both 14); none for every
// other string.
std::optional<int> ChoiceSlot(std::string_view unit);

// What a conversion shows: per slot the spelling index the learner typed last (0..2; another
// value shows spelling 0), and whether the guide is written in lower case. The settings block
// keeps them in RomajiChoice and RomajiLower.
struct TRomajiOptions {
    std::array<int, UuHiraToRoman::ChoiceSlotCount> Choices{};
    bool Lower = false;
};
TRomajiOptions RomajiOptionsOf(const TOptionRec& options);

// Sets the choice of `unit`'s slot to `index` (0..2); does nothing for a unit without a slot or
// an index outside 0..2.
void SetRomajiChoice(TRomajiOptions& options, std::string_view unit, int index);

// One kana string converted for the drill. Units[i] is typed by Keys[i]; a unit nothing can
// type (・, ゐ, a control character) has empty keys and adds nothing to the guide.
struct TRomajiLine {
    std::vector<std::string> Units; // Shift_JIS
    std::vector<std::string> Keys;  // upper-case ASCII, the displayed spelling
    std::string Guide;              // the keys of every unit in a row, in lower case per
                                    // TRomajiOptions::Lower
};

// Converts `sentence` with the spellings that `options` choose. Longer units win
// (きゃ before き); a small tsu doubles the first key of the unit after it when that key is a
// consonant other than N (っか: KKA) and is a unit of its own otherwise (っあ: LTU, A).
TRomajiLine MakeRomajiLine(std::u16string_view sentence, const TRomajiOptions& options = {});
