// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The kinds that what is kept is sorted by. The numbers are the ones stored: in Typorin.dat
// (the practice mode at start, a record's mode and text kind) and in TyporinStats.db; never
// renumber.

#include <cstdint>

enum class TPracticeMode : int {
    Touch = 0,      // タッチタイプ
    Sequential = 1, // 逐次入力
    Bulk = 2,       // 一括入力
};

enum class TTextKind : std::uint8_t {
    Japanese = 0, // holds a double-byte character: measured in characters
    English = 1,  // single-byte characters only: measured in words
    Empty = 2,    // the kind of an empty record slot
};

// What a practice record holds (Typorin.dat keeps it in a byte).
enum class TRecordMode : std::uint8_t {
    Sequential = 1, // 逐次入力
    BulkWhole = 2,  // 一括入力, compared as a whole
    BulkLines = 3,  // 一括入力, compared line by line
    Empty = 6,      // an empty slot
};

// How touch typing types kana: romaji keys, or one key a kana on the JIS kana layout.
enum class TInputStyle : int {
    Romaji = 0,
    Kana = 1,
};

// The keyboard the touch-typing picture shows.
enum class TKeyboardKind : int {
    Jis = 0,
    Us = 1,
};
