// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts of the analysis window, apart from the screen: the figures of the unit table, the
// tool tips of keys and kana, the line that names the weakest kana, the days of the progress
// charts, and the CSV of the unit table. Texts are UTF-8; key names stay as the store keeps
// them (upper-case ASCII).

#include "analysis/UKanaAnalysis.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace UAnalysisTexts {

std::string Utf8(std::u16string_view text);

// A share 0..1 as per cent with one decimal: 0.968 gives "96.8".
std::string PercentText(double share);
// Whole milliseconds, "" for none.
std::string MillisText(std::optional<int> millis);
// A change with its sign: +12 gives "+12", -35 "-35", 0 "0"; "" for none.
std::string SignedMillisText(std::optional<int> millis);
// A change in percentage points with its sign and one decimal: "+2.0", "-1.5", "0.0".
std::string SignedPointsText(std::optional<double> points);
// The weakness score with one decimal, "" for none.
std::string ScoreText(std::optional<double> score);

// The spellings of a unit, most used first, each with its share and median time:
// "SHI 80.0%（320ms）、SI 20.0%（410ms）"; a spelling never timed has no time.
std::string SpellingsText(const UKanaAnalysis::TUnitRow& row);
// The wrong key most often pressed for the unit, after the key that was due: "H→J"; "" when
// the unit had no wrong key.
std::string InsteadText(const UKanaAnalysis::TUnitRow& row);

// The line that names the weakest units, weakest first; what it says when there are none.
std::string WeakestLine(const std::vector<UKanaAnalysis::TUnitRow>& rows);

// The tool tip of a key: its caption, accuracy with the counts behind it, and median time.
// `figure` is null for a key never due.
std::string KeyTip(std::string_view caption, const UKanaAnalysis::TKeyFigure* figure);
// The tool tip of a kana of the chart; `row` is null for a unit not typed in the period.
std::string UnitTip(std::u16string_view unit, const UKanaAnalysis::TUnitRow* row);

// A day number (days since 1970-01-01) as "12/08", and with its year as "2026/12/08".
std::string DayText(int day);
std::string DateText(int day);

// The unit table as CSV (see store/UCsv.h), the rows in the order given: a header row, then per
// unit its kana, spellings, attempts, attempts with a wrong key, wrong keys, accuracy (%),
// median (ms), the key due and the key pressed of its most frequent slip, the two trends, the
// weakness score and 1 for the weakest ones.
std::string UnitTableCsv(const std::vector<UKanaAnalysis::TUnitRow>& rows);
// "かな別の分析_2026-12-08.csv": the name proposed for the CSV made on that day.
std::string CsvFileName(int year, int month, int day);

} // namespace UAnalysisTexts
