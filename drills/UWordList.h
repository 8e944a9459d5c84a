// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The word list of the kana drills: everyday Japanese words with the kana a learner types, their
// usual written form and a frequency class. The list (drills/words.tsv) is built into the
// program; each of its lines is "kana TAB written form TAB class" in UTF-8, and lines starting
// with # are comments.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int MostCommonClass = 1;
inline constexpr int LeastCommonClass = 3;

// One word, e.g. {u"がっこう", u"学校", 1} or {u"コーヒー", u"コーヒー", 1}. Kana holds only
// hiragana ぁ–ん, katakana ァ–ヶ and ー, all of them characters of code page 932.
struct TWord {
    std::u16string Kana;
    std::u16string Written;
    int FrequencyClass = MostCommonClass; // 1 among the most common .. 3 less common
};

// A line of a word list that cannot be read. Line() counts from 1, comments and empty lines
// included; what() is "単語リストの 12 行目: " followed by the reason, in UTF-8.
class TWordListError : public std::runtime_error {
public:
    TWordListError(int line, const std::string& reason);

    int Line() const { return FLine; }
    const std::string& Reason() const { return FReason; }

private:
    int FLine;
    std::string FReason;
};

// The words of `text` in their order. A UTF-8 byte-order mark at the start is skipped; a line
// ends with LF or CR LF; comment lines and empty lines are skipped. Throws TWordListError for
// the first other line that is not UTF-8, does not have exactly three TAB-separated fields, has
// an empty field, a character other than kana in its kana, a control character, blanks at
// either end or a character beyond code page 932 in its written form, or a class other than
// 1, 2 or 3.
std::vector<TWord> ParseWordList(std::string_view text);

// The list built into the program, read on first use.
const std::vector<TWord>& BuiltInWordList();

// The units of `kana` in Shift_JIS, split as the touch-typing drill splits its text: a pair
// wins over its first kana, and a small tsu joins the unit whose first key it doubles.
// "きっぷ" gives き, っぷ; "チェック" gives チェ, ック; "コーヒー" gives コ, ー, ヒ, ー.
std::vector<std::string> DrillUnits(std::u16string_view kana);

// The units of the romaji table that a drill unit is made of, named as the analysis names them
// (katakana folded to hiragana): a small tsu before a unit is a unit of its own, and katakana
// counts with hiragana. "っぷ" gives っ, ぷ; "シャ" gives しゃ; "ッ" alone gives っ; "ヴァ" gives
// ヴぁ; "ー" gives ー. Any other text comes back folded, as one unit.
std::vector<std::u16string> TableUnits(std::u16string_view drillUnit);
