// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UDrillText.h"

#include "analysis/UKanaAnalysis.h"
#include "platform/ShiftJis.h"
#include "romaji/UuKbClassEx.h"

#include <algorithm>
#include <stdexcept>

namespace UDrillText {

namespace {

// Draws of one string before it is given up as full enough.
constexpr int MaxDrawsPerString = 60;

constexpr std::u16string_view NBeforeThese = u"あいうえおやゆよなにぬねの";

bool IsKatakana(char16_t c) {
    return c >= u'ァ' && c <= u'ヶ';
}

bool FollowsNAsVowel(std::u16string_view unit) {
    return !unit.empty() && NBeforeThese.find(unit.front()) != std::u16string_view::npos;
}

TDrillWord Prepare(const TWord& word) {
    TDrillWord prepared;
    prepared.Text.Kana = ShiftJis::FromUtf16(word.Kana);
    prepared.Text.Chars = static_cast<int>(word.Kana.size());
    prepared.FrequencyClass = word.FrequencyClass;
    prepared.Katakana = std::any_of(word.Kana.begin(), word.Kana.end(), IsKatakana);
    for (const std::string& unit : DrillUnits(word.Kana)) {
        std::u16string folded = UKanaAnalysis::FoldUnit(ShiftJis::ToUtf16(unit));
        if (!prepared.Units.empty() && prepared.Units.back() == u"ん" && FollowsNAsVowel(folded))
            prepared.NBeforeVowel = true;
        for (std::u16string& tableUnit : TableUnits(folded))
            prepared.TableUnits.push_back(std::move(tableUnit));
        prepared.Units.push_back(std::move(folded));
    }
    return prepared;
}

} // namespace

double ClassWeight(int frequencyClass) {
    int index = std::clamp(frequencyClass, MostCommonClass, LeastCommonClass) - MostCommonClass;
    return ClassWeights[index];
}

int TDrillWord::Count(std::u16string_view unit) const {
    return static_cast<int>(std::count(Units.begin(), Units.end(), unit));
}

TDrillWords::TDrillWords(const std::vector<TWord>& words) {
    FWords.reserve(words.size());
    for (const TWord& word : words) {
        // A word longer than a string could never be drawn.
        if (static_cast<int>(word.Kana.size()) > MaxStringChars())
            continue;
        TDrillWord& prepared = FWords.emplace_back(Prepare(word));
        std::vector<std::u16string> distinct = prepared.Units;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        for (const std::u16string& unit : distinct)
            ++FUnitWords[unit];
        for (const std::u16string& unit : prepared.Units)
            FUnitWeights[unit] += prepared.Weight();
        FTotalWeight += prepared.Weight() * static_cast<double>(prepared.Units.size());
    }
}

double TDrillWords::OrdinaryShare(std::u16string_view unit) const {
    auto it = FUnitWeights.find(unit);
    return it == FUnitWeights.end() || FTotalWeight <= 0 ? 0 : it->second / FTotalWeight;
}

int TDrillWords::WordsWith(std::u16string_view unit) const {
    auto it = FUnitWords.find(unit);
    return it == FUnitWords.end() ? 0 : it->second;
}

const TDrillWords& BuiltInDrillWords() {
    static const TDrillWords words(BuiltInWordList());
    return words;
}

double TDrillRandom::Uniform() {
    // 27 and 26 bits of two draws make the 53 bits of a double's mantissa.
    std::uint32_t high = FEngine() >> 5;
    std::uint32_t low = FEngine() >> 6;
    return (high * 67108864.0 + low) * (1.0 / 9007199254740992.0);
}

std::size_t TDrillRandom::Below(std::size_t count) {
    // Draws at or above the last whole multiple of `count` would favour the low indexes.
    const std::uint64_t range = std::uint64_t{1} << 32;
    const std::uint64_t limit = range - range % count;
    for (;;) {
        std::uint64_t draw = FEngine();
        if (draw < limit)
            return static_cast<std::size_t>(draw % count);
    }
}

std::size_t TDrillRandom::Pick(const std::vector<double>& cumulative) {
    if (cumulative.empty() || !(cumulative.back() > 0))
        throw std::invalid_argument("no weight to draw from");
    double point = Uniform() * cumulative.back();
    auto it = std::upper_bound(cumulative.begin(), cumulative.end(), point);
    if (it == cumulative.end())
        --it;
    return static_cast<std::size_t>(it - cumulative.begin());
}

std::vector<double> Cumulative(const std::vector<double>& weights) {
    std::vector<double> sums(weights.size());
    double sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sums[i] = sum += weights[i];
    return sums;
}

int MaxStringChars() {
    return static_cast<int>(TKbClassEx::MaxStringBytes / 2);
}

int StringChars(const std::vector<TPiece>& pieces, const std::vector<std::size_t>& string) {
    int chars = 0;
    for (std::size_t index : string)
        chars += pieces[index].Chars;
    return string.empty() ? 0 : chars + static_cast<int>(string.size()) - 1;
}

TPieceStrings PackStrings(const std::vector<TPiece>& pieces, const TTextShape& shape,
                          const std::function<std::size_t()>& pick) {
    int maxChars = std::min(shape.MaxChars, MaxStringChars());
    TPieceStrings strings;
    for (int s = 0; s < shape.Strings; ++s) {
        std::vector<std::size_t> string;
        int chars = 0;
        for (int draw = 0; draw < MaxDrawsPerString && chars < shape.MinChars; ++draw) {
            std::size_t index = pick();
            int added = pieces[index].Chars + (string.empty() ? 0 : 1);
            if (chars + added > maxChars ||
                std::find(string.begin(), string.end(), index) != string.end())
                continue;
            string.push_back(index);
            chars += added;
        }
        if (!string.empty())
            strings.push_back(std::move(string));
    }
    return strings;
}

std::vector<std::string> RenderStrings(const std::vector<TPiece>& pieces,
                                       const TPieceStrings& strings) {
    static const std::string separator = ShiftJis::FromUtf16(Separator);
    std::vector<std::string> lines;
    for (const std::vector<std::size_t>& string : strings) {
        std::string line;
        for (std::size_t index : string) {
            if (!line.empty())
                line += separator;
            line += pieces[index].Kana;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string JoinText(const std::vector<std::string>& strings) {
    std::string text;
    for (const std::string& string : strings) {
        if (!text.empty())
            text += "\r\n";
        text += string;
    }
    return text;
}

std::map<std::u16string, int> CountUnits(std::string_view text) {
    std::map<std::u16string, int> counts;
    std::u16string wide = ShiftJis::ToUtf16(text);
    std::size_t start = 0;
    while (start <= wide.size()) {
        std::size_t end = wide.find_first_of(u"、\r\n", start);
        if (end == std::u16string::npos)
            end = wide.size();
        if (end > start) {
            for (const std::string& unit :
                 DrillUnits(std::u16string_view(wide).substr(start, end - start)))
                ++counts[UKanaAnalysis::FoldUnit(ShiftJis::ToUtf16(unit))];
        }
        start = end + 1;
    }
    return counts;
}

std::u16string ToKatakana(std::u16string_view kana) {
    std::u16string katakana(kana);
    for (char16_t& c : katakana) {
        if (c >= u'ぁ' && c <= u'ん')
            c = static_cast<char16_t>(c + (u'ァ' - u'ぁ'));
    }
    return katakana;
}

} // namespace UDrillText
