// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The records of one mode as the records window shows them, apart from any window: the choice
// of records by mode and title, the title list with its counts, the two sort orders, the
// deletion of a title with the compaction of the ring, the grid's texts and headers, and the
// CSV text of what the grid shows. Titles and texts are Shift_JIS bytes unless said otherwise.

#include "store/UDataFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Private copies of records, in the order of the grid rows and graph points.
using TRecList = std::vector<TPracticeRec>;

// "すべて表示", the first item of the title list.
const std::string& ShowAllTitle();

// A slot is in use when its date is a finite number of days above 0 and before the year 10000;
// a damaged date (NaN, infinity, beyond 9999-12-31) counts as an empty slot.
bool RecordInUse(const TPracticeRec& rec);

// Titles byte by byte, a–z counting as A–Z wherever they stand; a prefix sorts first.
int CompareByTitle(const TPracticeRec& a, const TPracticeRec& b);
// (a − b) × 10000 of the dates, rounded to nearest with ties to even and saturated to 32 bits:
// dates at most 0.00005 day (4.32 s) apart compare equal. NaN compares equal to everything.
int CompareByDate(const TPracticeRec& a, const TPracticeRec& b);

// Sorts by date, oldest first. Records that CompareByDate calls equal keep no defined order;
// the sort itself orders by the exact date, a strict order that CompareByDate never contradicts.
void SortByDate(TRecList& list);
// Sorts by CompareByTitle. Titles that differ only in ASCII letter case sort equal there; they
// are ordered by their bytes next, so the records of each title stay together.
void SortByTitle(TRecList& list);

// Copies of the slots of `ring` in use whose RecMode is `mode`, in slot order.
TRecList RecordsOfMode(TConstRecordRing ring, TRecordMode mode);

// The records of one title (byte-equal) in `mode`, sorted by date. `englishView` tells whether
// the title's first record after the title sort is a bulk whole-text record of an English text.
struct TTitleRecords {
    TRecList Records;
    bool EnglishView = false;
};
TTitleRecords RecordsOfTitle(TConstRecordRing ring, TRecordMode mode, std::string_view title);

// One item of the title list: "count title".
struct TTitleItem {
    int Count = 0;
    std::string Title;
};
// The items of the title list for `list` (all records of a mode): the show-all item first,
// without a count when the list is empty, then one item per byte-equal title in title order.
// Leaves `list` sorted by date.
std::vector<TTitleItem> BuildTitleItems(TRecList& list);
// The item's text: count, a blank, title; the show-all item of an empty list is the title alone.
std::string TitleItemText(const TTitleItem& item, bool withCount = true);

// Empties every slot of `ring` of `mode` with exactly `title`, then compacts the ring: the slots
// in use (any mode) move, sorted by date, to slots 0, 1, …; the rest are emptied; `nextRecord`
// := their number (0 when that is 200). Returns the number of slots emptied.
int DeleteTitleRecords(TRecordRing ring, std::int32_t& nextRecord, TRecordMode mode,
                       std::string_view title);

// A real rounded to nearest with ties to even and saturated to the 32-bit range; NaN gives 0.
std::int32_t RoundToInt32(double x);

// ---- The grid ----

// The figures a record gives (per minute and per cent); a failed guard gives nothing (NaN),
// which FormatReal writes "0.0".
struct TDerivedFigures {
    double InputSpeed, ExampleSpeed, KeySpeed;
    double MatchRate, MissRate, ExtraRate, KanjiRate;
};
// The grid's guards: Seconds > 10, InputCount > 0, ExampleCount > 0.
TDerivedFigures GridFigures(const TPracticeRec& rec);

// The local date and time of a RecDate, to the nearest millisecond.
struct TRecDateTime {
    int Year, Month, Day, Hour, Minute, Second;
};
// REQUIRES: RecordInUse(rec) for the date of `rec`, or any finite date from 0 to 9999-12-31.
TRecDateTime DecodeRecDate(double recDate);

// Columns of the grid: 11 in the bulk modes, 9 in sequential input.
int GridColumnCount(bool sequential);
// The column widths of a grid whose client area is `clientWidth` pixels wide. The count columns
// share what the others leave: (client − 151) ÷ 8 in the bulk modes, (client − 39) ÷ 8 in
// sequential input, rounded to nearest, at least 75; column 0 takes 30 and, in the bulk modes,
// columns 2 and 9 take 55. Then each column is widened to `needed` (its widest text at the
// grid's font; a missing entry needs nothing), so that no text is cut; the grid scrolls
// sideways when the columns are wider than it.
std::vector<int> GridColumnWidths(int clientWidth, bool sequential, const std::vector<int>& needed);
// The cells of a grid row for record `index` (0-based) of the list: "No.", date "07/3/05",
// time "9:07", then the counts, rates in brackets such as "245(98.0)".
std::vector<std::string> GridRow(const TPracticeRec& rec, int index, bool sequential);
// The header of a column: one or two lines (the second empty for a one-line header).
struct THeader {
    std::string Line1, Line2;
};
THeader GridHeader(int column, bool sequential, bool englishView);

// ---- Export ----

// What the grid shows as CSV: UTF-8 with a byte-order mark, rows ended by CR LF, fields quoted
// where they hold a comma, a quote or a line break (quotes doubled). One header row, then per
// record: number, "2026-12-08 21:05", title, mode, text kind, the raw counts and the derived
// figures of the grid's columns for `sequential`.
std::string RecordsCsv(const TRecList& list, bool sequential);
// "一括入力（一括比較）_2026-12-08.csv": the name proposed for the CSV of `mode` made on that day
// (UTF-8).
std::string CsvFileName(TRecordMode mode, int year, int month, int day);
// The name of a record mode, UTF-8: "逐次入力", "一括入力（一括比較）", "一括入力（行ごとに比較）".
std::string RecModeName(TRecordMode mode);
