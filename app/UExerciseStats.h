// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the exercises measure and how the main window reports it: the number formats, the counts
// taken from a practice text at load, the status-bar and result texts, the keystroke filter and
// the practice records of sequential and bulk exercises. Every text is Shift_JIS bytes, spaces
// exactly as shown (the window puts them into its labels through ShiftJis::ToQString).

#include "app/UDataFile.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// ---- Number formats ----

// A count in decimal without separators: 1234 gives "1234".
std::string FormatCount(int n);

// x rounded to 5 significant digits and to one decimal, written with exactly one decimal:
// 85.714 gives "85.7", 12345.6 gives "12346.0", 0 and -0 give "0.0". Ties round away from zero
// on the shortest decimal form of x (0.25 gives "0.3"). A value that has more than 5 digits
// before the point after rounding is written as mantissa "E" exponent, the mantissa to 5
// significant digits without trailing zeros: 99999.96 gives "1E5", 123456 "1.2346E5". NaN and
// infinities (a failed guard) give "0.0".
std::string FormatReal(float x);
std::string FormatReal(double x);
std::string FormatReal(long double x);

// `text` right-aligned with blanks in a field of `width` bytes; a longer text is not cut.
std::string PadLeft(std::string_view text, std::size_t width);

// ---- Counts taken from the practice text ----

struct TTextCounts {
    int CharCount = 0;
    int KanjiCount = 0;
    float KanjiContent = 0; // per cent of the characters
    int WordCount = 0;      // single-byte texts only, else 0
};

// Characters (UTF-16 code units) of the practice text other than NUL, LF and CR.
int CountChars(std::u16string_view practiceText);
// Double-byte characters of the displayed Shift_JIS text whose lead byte is not 0x81, 0x82 or
// 0x83, so symbols, full-width letters and digits, hiragana and katakana are no kanji.
int CountKanji(std::string_view displayedText);
// kanjiCount / charCount × 100 in single precision; 0 when there are no characters.
float KanjiContent(int kanjiCount, int charCount);
// Pieces between blanks, per line, that keep a character of code 33 or above once trimmed of
// characters below 33 at both ends: "a b\r\n  c\t d" has 4 words, "a\tb" one.
int CountWords(std::u16string_view practiceText);
// All counts of a text at load: characters and words of the practice text, kanji of the text
// the example pane displays.
TTextCounts CountText(std::u16string_view practiceText, std::string_view displayedText,
                      bool singleByte);

// ---- Status texts ----

// "タッチタイプ", "逐次入力", "一括入力" for modes 0, 1, 2; empty for any other.
std::string ModeName(int mode);
// "行ごとに比較" while bulk input compares line by line, else empty.
std::string LineCompText(bool lineComp);
// Touch typing: "  3  秒    12  打   エラー   1  打" for 3 s, 12 keys and 1 miss.
std::string TouchCountersText(int seconds, int keyCount, int touchMisses);
// Modes 1 and 2, at load: " 100 文字   漢字 25 文字  25.0 % " for a Japanese text,
// " 12 Word    60 文字 " for a single-byte one.
std::string TextInformationText(bool singleByte, const TTextCounts& counts);
// Modes 1 and 2, every tick: "  3  秒   12  打" (7 and 9 bytes) for 3 s and 12 keys.
std::string TimeAndKeysText(int seconds, int keyCount);
// The end of a touch drill: " 120.0 打／分" for 4 keys in 2 s; "0.0" before the first second.
std::string TouchSpeedText(int keyCount, int seconds);

// ---- Result texts ----

// A sequential exercise shows a result and stores a record only when it took more than one
// second.
bool SequentialResultDue(int seconds);
// Characters and keys per minute (extended precision) and the wrong entries, on three lines.
std::string SequentialResultText(int charCount, int keyCount, int seconds, int errorCount);

// What a bulk comparison counted: the comparer's counters after a whole-text comparison, or
// the sums over the lines (leftover units included) after a line-by-line one.
struct TBulkCounts {
    int ExampleCount = 0;
    int InputCount = 0; // typed units
    int MissCount = 0;  // typos and omissions
    int ExtraCount = 0;
};
// Typed units and keys per minute (single precision, "0.0" at 0 seconds), misses and extras,
// in characters for Japanese texts and in words (" WPM ") for single-byte ones.
std::string BulkResultText(bool singleByte, const TBulkCounts& counts, int keyCount, int seconds);

// ---- Keystrokes ----

// Whether the key up of Qt key code `key` counts as a keystroke: every key but Enter (both),
// the modifiers (Shift, Control, Alt, AltGr, Meta, Super, Hyper, mode switch), Page Up,
// Page Down, End, Home and the four arrows. Backspace, Delete and the lock keys count.
bool CountsAsKeystroke(int key);

// ---- Records ----

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

// The end of a sequential exercise: stores the record of the current local time and returns
// the result text, or stores nothing and returns nothing when it took 1 second or less.
std::optional<std::string> RecordSequentialExercise(const TExerciseState& state, int typedCount,
                                                    int errorCount);
// The end of a bulk comparison: stores the record and returns the result text.
std::string RecordBulkExercise(const TExerciseState& state, const TBulkCounts& counts,
                               bool lineByLine);
