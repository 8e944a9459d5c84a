// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UWeaknessDrill.h"

#include "platform/ShiftJis.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cmath>

namespace UWeaknessDrill {

namespace {

using UDrillText::TDrillRandom;
using UDrillText::TDrillWord;
using UDrillText::TDrillWords;
using UDrillText::TPiece;
using UDrillText::TPieceStrings;

// Rounds of adjusting the factors; each takes the square root of the step it would need, so
// that the factors of units sharing words settle instead of swinging.
constexpr int FactorRounds = 40;
constexpr double MaxFactor = 10000;

struct TFocus {
    std::u16string Unit;
    double Target = 0; // share of all units aimed at
    double Factor = 1;
};

std::string TooFewMessage(int scored) {
    return Utf8Of(
        FillArgs(TrText("UWeaknessDrill",
                        "苦手なかなを選ぶには、統計がまだ足りません。%1 回以上打ったかなが %2 種類"
                        "そろうと、苦手克服ドリルを作れます（いまは %3 種類）。\r\n"
                        "かわりに、かなコースのいまのステージを練習します。"),
                 {Utf16Of(std::to_string(UKanaAnalysis::MinAttempts)),
                  Utf16Of(std::to_string(MinScoredUnits)), Utf16Of(std::to_string(scored))}));
}

std::string NothingToDrillMessage() {
    return TrUtf8("UWeaknessDrill",
                  "苦手な文字が単語に出てこない記号などだけのため、苦手克服ドリルを"
                  "作れません。\r\nかわりに、かなコースのいまのステージを練習します。");
}

// The weakest units that words can carry, at most MaxFocusUnits: the highest scores above the
// learner's average (1.0), together within MaxFocusShare. A learner with no unit above the
// average gets the one with the highest score.
std::vector<TFocus> ChooseFocus(const std::vector<const UKanaAnalysis::TUnitRow*>& byWeakness,
                                const TDrillWords& words) {
    std::vector<TFocus> focus;
    double share = 0;
    bool even = *byWeakness.front()->Weakness <= 1.0;
    for (const UKanaAnalysis::TUnitRow* row : byWeakness) {
        if (focus.size() == (even ? 1 : MaxFocusUnits) || (!even && *row->Weakness <= 1.0))
            break;
        std::u16string unit = UKanaAnalysis::FoldUnit(row->Unit);
        if (words.WordsWith(unit) < MinFocusWords)
            continue;
        double target = TargetRatio * words.OrdinaryShare(unit);
        if (share + target > MaxFocusShare)
            continue;
        share += target;
        focus.push_back({unit, target});
    }
    return focus;
}

// How many times each focus unit stands in a word.
std::vector<int> FocusCounts(const TDrillWord& word, const std::vector<TFocus>& focus) {
    std::vector<int> counts;
    for (const TFocus& f : focus)
        counts.push_back(word.Count(f.Unit));
    return counts;
}

double Tilt(const std::vector<int>& counts, const std::vector<TFocus>& focus) {
    double tilt = 1;
    for (std::size_t i = 0; i < focus.size(); ++i) {
        for (int n = 0; n < counts[i]; ++n)
            tilt *= focus[i].Factor;
    }
    return tilt;
}

// Sets each focus unit's factor so that words drawn by weight × tilt give it its target share.
void FindFactors(const TDrillWords& words, std::vector<TFocus>& focus) {
    struct TFocusWord {
        double Weight;
        double Units;
        std::vector<int> Counts;
    };
    std::vector<TFocusWord> focusWords;
    double plainUnits = 0; // weighted units of the words without a focus unit
    for (const TDrillWord& word : words.Words()) {
        std::vector<int> counts = FocusCounts(word, focus);
        double units = word.Weight() * static_cast<double>(word.Units.size());
        if (std::all_of(counts.begin(), counts.end(), [](int n) { return n == 0; }))
            plainUnits += units;
        else
            focusWords.push_back({word.Weight(), units, std::move(counts)});
    }
    for (int round = 0; round < FactorRounds; ++round) {
        double allUnits = plainUnits;
        std::vector<double> focusUnits(focus.size());
        for (const TFocusWord& word : focusWords) {
            double tilt = Tilt(word.Counts, focus);
            allUnits += word.Units * tilt;
            for (std::size_t i = 0; i < focus.size(); ++i)
                focusUnits[i] += word.Weight * word.Counts[i] * tilt;
        }
        for (std::size_t i = 0; i < focus.size(); ++i) {
            double share = focusUnits[i] / allUnits;
            focus[i].Factor =
                std::clamp(focus[i].Factor * std::sqrt(focus[i].Target / share), 1.0, MaxFactor);
        }
    }
}

// About how many units a drill of `shape` holds: its strings filled to the middle of their
// length with words of ordinary text and a separator after each but the last.
double ExpectedUnits(const TDrillWords& words, const UDrillText::TTextShape& shape) {
    double weight = 0, chars = 0, units = 0;
    for (const TDrillWord& word : words.Words()) {
        weight += word.Weight();
        chars += word.Weight() * word.Text.Chars;
        units += word.Weight() * static_cast<double>(word.Units.size());
    }
    if (weight <= 0)
        return 0;
    double stringChars =
        (shape.MinChars + std::min(shape.MaxChars, UDrillText::MaxStringChars())) / 2.0;
    double wordsPerString = (stringChars + 1) / (chars / weight + 1);
    return shape.Strings * wordsPerString * units / weight;
}

// Every focus unit is placed at least once (PlaceMissingFocus), which adds to a rare unit's
// count: with n expected occurrences drawn, about n + e^-n stand in the drill (a Poisson count
// raised to 1 where it is 0). The share drawn for is lowered so that this sum, not n, meets the
// target; a unit so rare that one occurrence is already beyond its target is drawn as often as
// in ordinary text.
void AllowForPlacement(std::vector<TFocus>& focus, const TDrillWords& words, double units) {
    if (units <= 0)
        return;
    for (TFocus& f : focus) {
        double target = f.Target * units;
        double drawn = 0;
        if (target > 1) {
            double low = 0, high = target;
            for (int step = 0; step < 50; ++step) {
                double middle = (low + high) / 2;
                (middle + std::exp(-middle) < target ? low : high) = middle;
            }
            drawn = low;
        }
        f.Target = std::max(drawn / units, words.OrdinaryShare(f.Unit));
    }
}

bool HoldsFocus(const TDrillWord& word, const std::vector<TFocus>& focus) {
    return std::any_of(focus.begin(), focus.end(),
                       [&](const TFocus& f) { return word.Count(f.Unit) > 0; });
}

// Makes sure that every focus unit stands in the drill at least once, as its title promises: a
// word without focus units gives its place to a word with the missing unit, where it fits.
void PlaceMissingFocus(const TDrillWords& words, const std::vector<TFocus>& focus,
                       const std::vector<double>& weights, const std::vector<TPiece>& pieces,
                       int maxChars, TPieceStrings& strings, TDrillRandom& random) {
    const std::vector<TDrillWord>& list = words.Words();
    for (const TFocus& f : focus) {
        bool present = std::any_of(strings.begin(), strings.end(), [&](const auto& string) {
            return std::any_of(string.begin(), string.end(),
                               [&](std::size_t w) { return list[w].Count(f.Unit) > 0; });
        });
        if (present)
            continue;
        std::vector<double> holding(weights.size());
        for (std::size_t w = 0; w < list.size(); ++w)
            holding[w] = list[w].Count(f.Unit) > 0 ? weights[w] : 0;
        std::size_t chosen = random.Pick(UDrillText::Cumulative(holding));
        bool placed = false;
        for (auto string = strings.rbegin(); string != strings.rend() && !placed; ++string) {
            int chars = UDrillText::StringChars(pieces, *string);
            for (std::size_t& w : *string) {
                if (HoldsFocus(list[w], focus) ||
                    chars - pieces[w].Chars + pieces[chosen].Chars > maxChars)
                    continue;
                w = chosen;
                placed = true;
                break;
            }
        }
        if (!placed)
            strings.push_back({chosen});
    }
}

} // namespace

std::string DrillTitle(const std::vector<std::u16string>& focus) {
    std::u16string title = u"苦手克服 ";
    std::size_t shown = focus.size();
    for (;; --shown) {
        std::u16string units;
        for (std::size_t i = 0; i < shown; ++i)
            units += (i == 0 ? u"" : u"・") + focus[i];
        std::string sjis = ShiftJis::FromUtf16(title + units);
        if (sjis.size() <= MaxTitleBytes || shown <= 1)
            return sjis;
    }
}

TDrill MakeWeaknessDrill(const std::vector<UKanaAnalysis::TUnitRow>& rows, const TDrillWords& words,
                         std::uint32_t seed, const UDrillText::TTextShape& shape) {
    std::vector<const UKanaAnalysis::TUnitRow*> scored;
    for (const UKanaAnalysis::TUnitRow& row : rows) {
        if (row.Weakness)
            scored.push_back(&row);
    }
    TDrill drill;
    if (static_cast<int>(scored.size()) < MinScoredUnits) {
        drill.Outcome = TOutcome::TooFewStatistics;
        drill.Message = TooFewMessage(static_cast<int>(scored.size()));
        return drill;
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto* a, const auto* b) {
        return *a->Weakness != *b->Weakness ? *a->Weakness > *b->Weakness : a->Unit < b->Unit;
    });
    std::vector<TFocus> focus = ChooseFocus(scored, words);
    if (focus.empty()) {
        drill.Outcome = TOutcome::TooFewStatistics;
        drill.Message = NothingToDrillMessage();
        return drill;
    }
    AllowForPlacement(focus, words, ExpectedUnits(words, shape));
    FindFactors(words, focus);

    const std::vector<TDrillWord>& list = words.Words();
    std::vector<TPiece> pieces;
    std::vector<double> weights;
    for (const TDrillWord& word : list) {
        pieces.push_back(word.Text);
        weights.push_back(word.Weight() * Tilt(FocusCounts(word, focus), focus));
    }
    std::vector<double> cumulative = UDrillText::Cumulative(weights);
    TDrillRandom random(seed);
    TPieceStrings strings =
        UDrillText::PackStrings(pieces, shape, [&] { return random.Pick(cumulative); });
    PlaceMissingFocus(words, focus, weights, pieces,
                      std::min(shape.MaxChars, UDrillText::MaxStringChars()), strings, random);

    for (const TFocus& f : focus)
        drill.Focus.push_back(f.Unit);
    drill.Title = DrillTitle(drill.Focus);
    drill.Strings = UDrillText::RenderStrings(pieces, strings);
    drill.Text = UDrillText::JoinText(drill.Strings);
    return drill;
}

} // namespace UWeaknessDrill
