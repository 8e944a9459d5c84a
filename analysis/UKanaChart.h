// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kana chart of the analysis window: the 五十音 rows by their five vowels, then the voiced
// and half-voiced rows, the contracted sounds, the sounds of loanwords, the small kana, ん・っ・ー
// and the punctuation. Every cell is a unit as the analysis counts it (hiragana for the kana
// that have one); an empty cell is a gap in the chart.

#include <string_view>

namespace UKanaChart {

inline constexpr int MaxColumns = 5;

struct TRow {
    std::u16string_view Cells[MaxColumns];
};

struct TSection {
    std::u16string_view Title;
    int Columns;
    int FirstRow;
    int RowCount;
};

// clang-format off
inline constexpr TRow Rows[] = {
    // 清音
    {{u"あ", u"い", u"う", u"え", u"お"}},
    {{u"か", u"き", u"く", u"け", u"こ"}},
    {{u"さ", u"し", u"す", u"せ", u"そ"}},
    {{u"た", u"ち", u"つ", u"て", u"と"}},
    {{u"な", u"に", u"ぬ", u"ね", u"の"}},
    {{u"は", u"ひ", u"ふ", u"へ", u"ほ"}},
    {{u"ま", u"み", u"む", u"め", u"も"}},
    {{u"や", u"", u"ゆ", u"", u"よ"}},
    {{u"ら", u"り", u"る", u"れ", u"ろ"}},
    {{u"わ", u"", u"", u"", u"を"}},
    // 濁音・半濁音
    {{u"が", u"ぎ", u"ぐ", u"げ", u"ご"}},
    {{u"ざ", u"じ", u"ず", u"ぜ", u"ぞ"}},
    {{u"だ", u"ぢ", u"づ", u"で", u"ど"}},
    {{u"ば", u"び", u"ぶ", u"べ", u"ぼ"}},
    {{u"ぱ", u"ぴ", u"ぷ", u"ぺ", u"ぽ"}},
    // 拗音
    {{u"きゃ", u"きゅ", u"きょ"}},
    {{u"しゃ", u"しゅ", u"しょ"}},
    {{u"ちゃ", u"ちゅ", u"ちょ"}},
    {{u"にゃ", u"にゅ", u"にょ"}},
    {{u"ひゃ", u"ひゅ", u"ひょ"}},
    {{u"みゃ", u"みゅ", u"みょ"}},
    {{u"りゃ", u"りゅ", u"りょ"}},
    {{u"ぎゃ", u"ぎゅ", u"ぎょ"}},
    {{u"じゃ", u"じゅ", u"じょ"}},
    {{u"びゃ", u"びゅ", u"びょ"}},
    {{u"ぴゃ", u"ぴゅ", u"ぴょ"}},
    // 外来音
    {{u"ふぁ", u"ふぃ", u"", u"ふぇ", u"ふぉ"}},
    {{u"", u"てぃ", u"とぅ", u"", u""}},
    {{u"", u"でぃ", u"どぅ", u"", u""}},
    {{u"", u"うぃ", u"", u"うぇ", u"うぉ"}},
    {{u"", u"", u"", u"しぇ", u""}},
    {{u"", u"", u"", u"じぇ", u""}},
    {{u"", u"", u"", u"ちぇ", u""}},
    {{u"ヴぁ", u"ヴぃ", u"ヴ", u"ヴぇ", u"ヴぉ"}},
    // 小さい文字
    {{u"ぁ", u"ぃ", u"ぅ", u"ぇ", u"ぉ"}},
    {{u"ゃ", u"ゅ", u"ょ", u"ゎ", u""}},
    {{u"ヵ", u"ヶ", u"", u"", u""}},
    // ん・っ・ー
    {{u"ん", u"っ", u"ー", u"", u""}},
    // 記号
    {{u"、", u"。", u"・", u"「", u"」"}},
    {{u"！", u"？", u"", u"", u""}},
};

inline constexpr TSection Sections[] = {
    {u"清音", 5, 0, 10},
    {u"濁音・半濁音", 5, 10, 5},
    {u"拗音", 3, 15, 11},
    {u"外来音", 5, 26, 8},
    {u"小さい文字", 5, 34, 3},
    {u"ん・っ・ー", 3, 37, 1},
    {u"記号", 5, 38, 2},
};
// clang-format on

} // namespace UKanaChart
