// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the exercises measure and how the main window reports it: the number formats, the counts
// taken from a practice text at load, the status-bar and result texts and the keystroke filter.
// Every text is Shift_JIS bytes, spaces exactly as shown (the window puts them into its labels
// through ShiftJis::ToQString).

#include "store/UPracticeKinds.h"
#include "store/UPracticeRecords.h"

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

// "タッチタイプ", "逐次入力", "一括入力".
std::string ModeName(TPracticeMode mode);
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

// Characters and keys per minute (extended precision) and the wrong entries, on three lines.
std::string SequentialResultText(int charCount, int keyCount, int seconds, int errorCount);

// Typed units and keys per minute (single precision, "0.0" at 0 seconds), misses and extras,
// in characters for Japanese texts and in words (" WPM ") for single-byte ones.
std::string BulkResultText(bool singleByte, const TBulkCounts& counts, int keyCount, int seconds);

// ---- Keystrokes ----

// Whether the key up of Qt key code `key` counts as a keystroke: every key but Enter (both),
// the modifiers (Shift, Control, Alt, AltGr, Meta, Super, Hyper, mode switch), Page Up,
// Page Down, End, Home and the four arrows. Backspace, Delete and the lock keys count.
bool CountsAsKeystroke(int key);
