// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the analysis window shows, worked out from the statistics store's day sums: per kana
// unit its attempts, accuracy, median time, spellings, the key most often typed instead, its
// trend and its weakness; per key its accuracy and median time; per day the speed and accuracy
// of touch typing and how well sequential input converts.
//
// A unit is counted as the learner sees it: katakana with hiragana (シ with し), since both are
// typed by the same keys.

#include "store/UStatsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace UKanaAnalysis {

// Units with fewer attempts in the period get no weakness score.
inline constexpr int MinAttempts = 10;
// How many of the weakest units are marked.
inline constexpr int WeakestMarked = 10;
// The trend compares the last days with the days before them.
inline constexpr int TrendDays = 7;
// Fewer attempts than this on either side of the trend give no trend.
inline constexpr int MinTrendAttempts = 5;
// The learner's error share counts as at least this much when it divides a unit's.
inline constexpr double ErrorShareFloor = 0.02;

// The unit as the analysis counts it: katakana folded to hiragana (ァ–ン to ぁ–ん; ヴ, ヵ and ヶ,
// which have no hiragana of their own in the table, stay).
std::u16string FoldUnit(std::u16string_view unit);

// The learner's own figures over every unit of the period.
struct TLearnerFigures {
    int Attempts = 0;
    int Failed = 0;
    std::optional<int> MedianMillis;
    double ErrorShare() const;
};

struct TWeaknessInput {
    int Attempts = 0;
    int Failed = 0;
    std::optional<int> MedianMillis;
};

// How weak a unit is against the learner's own figures, half from errors and half from time:
//   errors: the unit's share of attempts with a wrong key over the learner's share (taken as at
//           least ErrorShareFloor, so that a learner who rarely errs is not told that one slip
//           is a weakness);
//   time:   the unit's median time over the learner's median time (1 when either is unknown).
// A unit typed as accurately and as fast as the learner's average scores 1.0; twice the errors
// at the average speed gives 1.5; the average errors at twice the time 1.5. None below
// MinAttempts attempts.
std::optional<double> WeaknessScore(const TWeaknessInput& unit, const TLearnerFigures& learner);

struct TSpellingFigure {
    std::string Keys;
    int Attempts = 0;
    double Share = 0; // of the unit's attempts, 0..1
    std::optional<int> MedianMillis;
};

struct TUnitRow {
    std::u16string Unit;
    int Attempts = 0;
    int Failed = 0;      // attempts with a wrong key
    int Wrong = 0;       // wrong keys
    double Accuracy = 0; // attempts without a wrong key over all attempts, 0..1
    std::optional<int> MedianMillis;
    std::vector<TSpellingFigure> Spellings; // most used first
    // The key most often typed instead, and the key that was due then; empty when none.
    std::string TypedInstead;
    std::string InsteadOf;
    // The last TrendDays against the days before: median time in ms (negative is faster) and
    // accuracy in points (positive is better); none without enough attempts on both sides.
    std::optional<int> TrendMillis;
    std::optional<double> TrendAccuracy;
    std::optional<double> Weakness;
    bool Weakest = false; // among the WeakestMarked highest scores above 1.0
};

// The period the figures cover: days from `fromDay` to `today`; the trend always looks at all
// the days it is given.
struct TPeriod {
    int FromDay;
    int Today;
};

TLearnerFigures LearnerFigures(const std::vector<TUnitDay>& days, int fromDay);

// One row a unit typed in the period, by attempts (most first).
std::vector<TUnitRow> UnitTable(const std::vector<TUnitDay>& days,
                                const std::vector<TMissDay>& misses, TPeriod period);

// A key of the keyboard over the period.
struct TKeyFigure {
    std::string Key;
    int Expected = 0;
    int Wrong = 0;
    // Wrong presses while the key was due over the times it was due, at most 1; none when it
    // never was.
    std::optional<double> ErrorRate;
    std::optional<int> MedianMillis;
};
std::vector<TKeyFigure> KeyFigures(const std::vector<TKeyDay>& days, int fromDay);

// A day of progress: touch typing's kana per minute and accuracy (keys without the wrong ones
// over all keys), sequential input's accepted share of commits and keys per committed
// character. A figure is none on a day without its practice.
struct TDayProgress {
    int Day = 0;
    std::optional<double> KanaPerMinute;
    std::optional<double> TouchAccuracy;
    std::optional<double> AcceptedShare;
    std::optional<double> KeysPerChar;
};
std::vector<TDayProgress> Progress(const std::vector<TTouchDay>& touch,
                                   const std::vector<TCommitDay>& commits, int fromDay);

} // namespace UKanaAnalysis
