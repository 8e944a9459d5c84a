// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The weakness drill: a touch-typing text made for one learner from their own statistics. It
// takes the units the learner types worst (the highest weakness scores of the analysis) and
// fills its strings with whole words drawn from the word list so that those units stand in
// the text about four times as often as in ordinary text, while every string still reads as a
// list of words.
//
// Drawing: each word of the list is drawn with the weight of its frequency class (ordinary
// text) times a factor m for every occurrence of a focus unit in it (a word with two of them
// counts m twice). The factors are found by a few rounds of adjusting each one until the share
// of its unit among all units drawn is the target; common words thus stay common, and words
// with the weak units come often.

#include "analysis/UKanaAnalysis.h"
#include "drills/UDrillText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace UWeaknessDrill {

// Fewer units than this with a weakness score (each typed at least UKanaAnalysis::MinAttempts
// times in the period) are too few to tell the weak ones from the rest.
inline constexpr int MinScoredUnits = 10;
// The most units a drill focuses on.
inline constexpr int MaxFocusUnits = 3;
// A focus unit is aimed at this many times its share in ordinary text.
inline constexpr double TargetRatio = 4.0;
// The focus units together take at most this share of a drill's units, so that a drill on
// common kana (ん, う, い) still holds others.
inline constexpr double MaxFocusShare = 0.5;
// A unit that fewer words hold cannot fill a drill (punctuation, ゐ, a small kana alone).
inline constexpr int MinFocusWords = 3;
// The title of a practice record holds at most this many bytes of Shift_JIS.
inline constexpr std::size_t MaxTitleBytes = 20;

enum class TOutcome {
    Ready,
    TooFewStatistics, // the window says Message and gives the course's current stage instead
};

struct TDrill {
    TOutcome Outcome = TOutcome::Ready;
    std::string Message;               // UTF-8, for the window; empty when Ready
    std::vector<std::u16string> Focus; // the weakest first, as the analysis names them
    std::string Title; // Shift_JIS: "苦手克服 ぬ・しゃ・っか", at most 20 bytes
    std::vector<std::string> Strings; // Shift_JIS
    std::string Text;                 // the strings joined with CR LF, for the drill
};

// A drill from the analysis's unit rows over a recent period (UKanaAnalysis::UnitTable) and the
// prepared word list; the same rows, words and seed always give the same drill.
TDrill MakeWeaknessDrill(const std::vector<UKanaAnalysis::TUnitRow>& rows,
                         const UDrillText::TDrillWords& words, std::uint32_t seed,
                         const UDrillText::TTextShape& shape = {});

// "苦手克服 " and the focus units joined by ・, in Shift_JIS. Units that would take the title
// beyond MaxTitleBytes are left out from the last, whole: "苦手克服 ぬ・しゃ・っ" (21 bytes)
// becomes "苦手克服 ぬ・しゃ".
std::string DrillTitle(const std::vector<std::u16string>& focus);

} // namespace UWeaknessDrill
