// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the generated touch-typing texts (the weakness drill, the kana course) share: the word
// list prepared for sampling, a random source that draws the same numbers with every standard
// library, and the packing of words into the strings of the drill.
//
// A generated text is Shift_JIS, its strings joined with CR LF, each string some whole words
// separated by 、 ("かお、あき、しゃしん"), as a list of words is written in Japanese: the reader
// sees where each word ends, and the comma is a key every Japanese text needs. A string holds
// at most 20 characters, the 40 bytes the drill shows of a string.

#include "drills/UWordList.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace UDrillText {

inline constexpr std::u16string_view Separator = u"、";

// How often a word of each frequency class stands in ordinary text, relative to one another:
// a word of class 1 counts 4 times, class 2 twice, class 3 once.
inline constexpr double ClassWeights[] = {4, 2, 1};
double ClassWeight(int frequencyClass);

// A piece of a string: a word, or a pair of kana that the course makes up.
struct TPiece {
    std::string Kana; // Shift_JIS
    int Chars = 0;    // characters, two bytes each
};

// A word prepared for the generators.
struct TDrillWord {
    TPiece Text;
    int FrequencyClass = MostCommonClass;
    // Its drill units as the analysis names them: "ショック" gives しょ, っく.
    std::vector<std::u16string> Units;
    // Its units of the romaji table, each occurrence: "ショック" gives しょ, っ, く.
    std::vector<std::u16string> TableUnits;
    bool Katakana = false;
    // ん before a unit of あ行, や行 or な行 (きんえん, こんや, みんな): the place where a single N
    // would not do, so ん must be typed NN.
    bool NBeforeVowel = false;

    double Weight() const { return ClassWeight(FrequencyClass); }
    int Count(std::u16string_view unit) const;
};

// The word list prepared once: every word split into units, and the distribution of units in
// ordinary text, the word list with each word weighted by its class.
class TDrillWords {
public:
    explicit TDrillWords(const std::vector<TWord>& words);

    const std::vector<TDrillWord>& Words() const { return FWords; }
    // The share of `unit` (a drill unit as the analysis names it) among all units of ordinary
    // text, 0..1.
    double OrdinaryShare(std::u16string_view unit) const;
    // How many words hold `unit` at least once.
    int WordsWith(std::u16string_view unit) const;

private:
    std::vector<TDrillWord> FWords;
    std::map<std::u16string, double, std::less<>> FUnitWeights;
    std::map<std::u16string, int, std::less<>> FUnitWords;
    double FTotalWeight = 0;
};

// The built-in word list, prepared on first use.
const TDrillWords& BuiltInDrillWords();

// Random draws for the generators: std::mt19937's numbers are the same everywhere, and the
// draws below are made from them by fixed arithmetic (the standard distributions may differ
// between libraries), so a seed gives the same text on every system.
class TDrillRandom {
public:
    explicit TDrillRandom(std::uint32_t seed) : FEngine(seed) {}

    // A number in [0, 1) with 53 random bits.
    double Uniform();
    // An index below `count` (> 0), each as likely.
    std::size_t Below(std::size_t count);
    // An index i with the probability of its weight: `cumulative` holds the running sums of the
    // weights, so weight i is cumulative[i] - cumulative[i - 1]. The last sum must be > 0.
    std::size_t Pick(const std::vector<double>& cumulative);

private:
    std::mt19937 FEngine;
};

// The running sums of `weights`, for TDrillRandom::Pick.
std::vector<double> Cumulative(const std::vector<double>& weights);

// The size of a generated text. A string is filled with pieces until it holds at least MinChars
// characters (separators included), never more than MaxChars.
struct TTextShape {
    int Strings = 10;
    int MinChars = 17;
    int MaxChars = 20;
};

// The most characters a string of the drill shows.
int MaxStringChars();

// Strings of pieces, each a list of indexes into `pieces`: `pick` draws the next piece. A piece
// that would not fit the rest of the string, or that the string already holds, is drawn again,
// up to a fixed number of draws a string.
using TPieceStrings = std::vector<std::vector<std::size_t>>;
TPieceStrings PackStrings(const std::vector<TPiece>& pieces, const TTextShape& shape,
                          const std::function<std::size_t()>& pick);

// Characters of a string of pieces, separators included.
int StringChars(const std::vector<TPiece>& pieces, const std::vector<std::size_t>& string);

// The strings as Shift_JIS text.
std::vector<std::string> RenderStrings(const std::vector<TPiece>& pieces,
                                       const TPieceStrings& strings);
// Lines joined with CR LF, as a text of the drill.
std::string JoinText(const std::vector<std::string>& strings);

// The drill units of a generated text, as the analysis names them, counted; separators and
// line breaks are not units of the words and are left out.
std::map<std::u16string, int> CountUnits(std::string_view text);

// `kana` with its hiragana written in katakana (か → カ); everything else stays.
std::u16string ToKatakana(std::u16string_view kana);

} // namespace UDrillText
