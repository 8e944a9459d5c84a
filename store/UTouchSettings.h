// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The touch-typing settings that Typorin.dat has no room for: the input style (romaji or kana
// input) and the keyboard the picture shows. They live in the statistics store's settings as
// words ("romaji", "kana"; "jis", "us"); a value never set, or one this program does not know,
// reads as romaji input and as the keyboard of the desktop's layout.

#include "store/UPracticeKinds.h"

class TStatsStore;

inline constexpr const char* InputStyleSetting = "touch.inputStyle";
inline constexpr const char* KeyboardSetting = "touch.keyboard";

struct TTouchSettings {
    TInputStyle Style = TInputStyle::Romaji;
    // The keyboard chosen; kana input uses the JIS keyboard whatever is chosen (KeyboardInUse),
    // and the choice is kept for romaji input.
    TKeyboardKind Keyboard = TKeyboardKind::Jis;
    friend bool operator==(const TTouchSettings&, const TTouchSettings&) = default;
};

// The settings kept in `store`, with `desktopKeyboard` for a keyboard never chosen. Without a
// store: romaji input on the desktop's keyboard.
TTouchSettings LoadTouchSettings(const TStatsStore* store, TKeyboardKind desktopKeyboard);
// Keeps both settings; they reach the file with the store's next flush.
void SaveTouchSettings(TStatsStore& store, const TTouchSettings& settings);

// The keyboard touch typing uses: the JIS one in kana input, the chosen one in romaji input.
TKeyboardKind KeyboardInUse(const TTouchSettings& settings);
