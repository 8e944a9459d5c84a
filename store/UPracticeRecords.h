// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The practice records of sequential and bulk exercises: what a record is made of, how its
// fields are filled, and the store of a finished exercise's record into the ring.

#include "store/UDataFile.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// What a bulk comparison counted: the comparer's counters after a whole-text comparison, or
// the sums over the lines (leftover units included) after a line-by-line one.
struct TBulkCounts {
    int ExampleCount = 0;
    int InputCount = 0; // typed units
    int MissCount = 0;  // typos and omissions
    int ExtraCount = 0;
    // The example's units found mistyped or omitted (Shift_JIS), in the lines compared; the
    // lines the learner never reached are left out, as they say nothing of what is hard.
    std::vector<std::string> Missed;
};
// The window state a record is made of.
struct TExerciseState {
    int Seconds = 0;
    int KeyCount = 0;
    int CharCount = 0;
    int KanjiCount = 0;
    bool SingleByte = false;
    std::string Title;              // Shift_JIS; empty for a file opened directly
    std::filesystem::path TextPath; // the register file or the text file practised
};

// A local date and time as days since 1899-12-30, the time of day as fraction: 2024-01-15
// 12:00 gives 45306.5.
double RecDateOf(int year, int month, int day, int hour, int minute, double second);
// A moment in the local time zone.
double RecDateOf(std::chrono::system_clock::time_point moment);
double CurrentRecDate();

// The title a record stores: the window's title, or for `fileNameFallback` when it is empty
// the file name of the text path without folder and extension in Shift_JIS. It is cut to at
// most 20 bytes at a character boundary, so no double-byte character is split.
std::string RecordTitleFor(const TExerciseState& state, bool fileNameFallback);

// The records, every byte not named here zero. Sequential: example = characters, input =
// typed units, misses = wrong entries, match and extra 0. Bulk: the counts, match = input −
// extra; whole-text records fall back to the file name for the title, line-by-line ones not.
TPracticeRec SequentialRecord(const TExerciseState& state, int typedCount, int errorCount,
                              double recDate);
TPracticeRec BulkRecord(const TExerciseState& state, const TBulkCounts& counts, bool lineByLine,
                        double recDate);

// A sequential exercise shows a result and stores a record only when it took more than one
// second.
bool SequentialResultDue(int seconds);
// The end of a sequential exercise: stores its record with the current local time and returns
// true, or stores nothing and returns false when it took 1 second or less.
bool StoreSequentialExercise(const TExerciseState& state, int typedCount, int errorCount);
// The end of a bulk comparison: stores its record with the current local time.
void StoreBulkExercise(const TExerciseState& state, const TBulkCounts& counts, bool lineByLine);
