// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keyboards of touch typing as data: the Japanese (JIS) keyboard and the US (ANSI) one.
// For each, its keys row by row, what Shift types on them, the finger that strikes each
// character, and the X key code of each key. The picture (UuKbClass) is laid out from these
// tables; the drills take a key by its place from them, whatever layout the desktop has.
//
// A key is named by its place: the character it types without Shift in the keyboard's own
// alphanumeric layout, letters in upper case. 'A' is the A key on both keyboards; '@' is the
// JIS key right of P, '[' the US one; '_' is the JIS key right of '/' (the ro key), which types
// '_' with Shift; ' ' is the space bar.

#include "platform/TextPane.h"

#include "store/UPracticeKinds.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// What the keys of the picture show besides their characters.
enum class TKeyLegends : std::uint8_t {
    Romaji, // the characters of the alphanumeric layout only
    Kana,   // the kana of the JIS kana layout too; the US keyboard has none and shows none
};

// Which keyboard a picture or a drill uses.
struct TKeyboardStyle {
    TKeyboardKind Kind = TKeyboardKind::Jis;
    TKeyLegends Legends = TKeyLegends::Romaji;
    friend bool operator==(const TKeyboardStyle&, const TKeyboardStyle&) = default;
};

// One stroke: a key by its place (see above) and whether Shift is held with it.
struct TKeyStroke {
    char Key = 0; // 0: no key
    bool Shift = false;
    friend bool operator==(const TKeyStroke&, const TKeyStroke&) = default;
};

// Fingers: 1 left little, 2 left ring, 3 left middle, 4 left index, 5 right index, 6 right
// middle, 7 right ring, 8 right little; 0 none.
enum class TFingerKind { Little, Ring, Middle, Index };

struct TFingerRow {
    TFingerKind Kind;
    std::string_view LabelKey; // caption of the key under which the finger's name is written
    std::string_view Chars;    // the characters the finger types (upper-case letters)
};

// The JIS keyboard's fingers.
inline constexpr std::array<TFingerRow, 8> FingerRows = {{
    {TFingerKind::Little, "Z", "!1AQZ"},
    {TFingerKind::Ring, "X", "\"2SWX"},
    {TFingerKind::Middle, "C", "#3CDE"},
    {TFingerKind::Index, "V", "$%45BFGRTV"},
    {TFingerKind::Index, "N", "&'67HJMNUY"},
    {TFingerKind::Middle, ",", "(,8<IK"},
    {TFingerKind::Ring, ".", ").9>LO"},
    {TFingerKind::Little, "/", "*+-/0:;=?@P[\\]^_`{|}~"},
}};

// The US keyboard's fingers: 6 with the right index finger, as on the JIS keyboard.
inline constexpr std::array<TFingerRow, 8> UsFingerRows = {{
    {TFingerKind::Little, "Z", "!1AQZ`~"},
    {TFingerKind::Ring, "X", "@2SWX"},
    {TFingerKind::Middle, "C", "#3CDE"},
    {TFingerKind::Index, "V", "$%45BFGRTV"},
    {TFingerKind::Index, "N", "^&67HJMNUY"},
    {TFingerKind::Middle, ",", "*,8<IK"},
    {TFingerKind::Ring, ".", "(.9>LO"},
    {TFingerKind::Little, "/", ")-0_=+P[]{}\\|;:'\"/?"},
}};

// The key colours beyond those of the text panes: aqua is PaneColors::Cyan.
namespace KbColors {
inline constexpr TRgb Lime{0, 255, 0};
inline constexpr TRgb Yellow{255, 255, 0};
} // namespace KbColors

struct TFingerKindRow {
    TRgb Color; // fill of the keys the finger strikes, and of its name
    std::u16string_view Name;
};
// Indexed by TFingerKind.
inline constexpr std::array<TFingerKindRow, 4> FingerKinds = {{
    {PaneColors::Cyan, u"小指"},
    {KbColors::Lime, u"薬指"},
    {KbColors::Yellow, u"中指"},
    {PaneColors::White, u"人差し指"},
}};

// Keys whose Linux input codes follow each other: the first has FirstCode.
struct TCodeRun {
    std::uint16_t FirstCode;
    std::string_view Keys;
};

// The keys' codes, row by row, the same on every keyboard of the kind whatever layout the
// desktop has.
// clang-format off
inline constexpr TCodeRun JisCodes[] = {
    {2, "1234567890-^"}, {124, "\\"}, // the yen key has a code of its own
    {16, "QWERTYUIOP@["},
    {30, "ASDFGHJKL;:"}, {43, "]"},
    {44, "ZXCVBNM,./"}, {89, "_"},     // so has the key right of /
    {57, " "},
};
inline constexpr TCodeRun UsCodes[] = {
    {41, "`"}, {2, "1234567890-="},
    {16, "QWERTYUIOP[]"}, {43, "\\"},
    {30, "ASDFGHJKL;'"},
    {44, "ZXCVBNM,./"},
    {57, " "},
};
// clang-format on

// One keyboard. Rows hold the keys the picture draws, left to right; Shift on ShiftBases[i]
// types ShiftResults[i] (a blank: nothing); ShiftedKeys are keys of their own that type their
// character with Shift.
struct TKbTable {
    TKeyboardKind Kind;
    int Columns;          // the key pitch is the picture's width div Columns
    int LetterRowsIndent; // the three lower rows begin this many keys further right
    std::string_view Rows[4];
    std::string_view ShiftBases;
    std::string_view ShiftResults;
    std::string_view ShiftedKeys;
    std::string_view NearerCaptions; // shifted captions written 2 pixels further left
    std::array<TFingerRow, 8> Fingers;
    std::span<const TCodeRun> Codes;
};

inline constexpr TKbTable JisTable{
    TKeyboardKind::Jis,
    14,
    0,
    {"1234567890-^\\", "QWERTYUIOP@[", "ASDFGHJKL;:]", "ZXCVBNM,./_"},
    "1234567890-^\\@[;:],./",
    "!\"#$%&'() =~|`{+*}<>?",
    "_",
    "+*",
    FingerRows,
    JisCodes,
};

// The ANSI main block without Tab, Caps Lock, Enter and Backspace; ` sits where the JIS
// keyboard has its half-width key, which the JIS picture leaves out, so the US picture is a
// key wider.
inline constexpr TKbTable UsTable{
    TKeyboardKind::Us,
    15,
    1,
    {"`1234567890-=", "QWERTYUIOP[]\\", "ASDFGHJKL;'", "ZXCVBNM,./"},
    "`1234567890-=[]\\;',./",
    "~!@#$%^&*()_+{}|:\"<>?",
    "",
    "",
    UsFingerRows,
    UsCodes,
};

const TKbTable& KbTable(TKeyboardKind kind);

// The finger of the key of `c` on the JIS keyboard, or on `kind`; 0 for the space, lower-case
// letters and everything else.
int FingerOf(char c);
int FingerOf(TKeyboardKind kind, char c);
// The kind of finger 1..8.
TFingerKind KindOf(int finger);
// Fill colour of a key by its caption: the colour of its finger, white for the space bar, aqua
// for the Shift keys and the JIS keyboard's shifted 0.
TRgb KeyColor(std::string_view caption);
TRgb KeyColor(TKeyboardKind kind, std::string_view caption);

// The stroke that types the character `c` on `kind`: 'a' and 'A' the A key, '!' Shift and 1,
// '_' on the JIS keyboard Shift and its own key; none for a character the keyboard lacks.
std::optional<TKeyStroke> StrokeOf(TKeyboardKind kind, char c);

// The key at an X key code: Qt's native scan code of a key event under X11 and Wayland, which
// is the Linux input code plus 8 (the A key is 38 everywhere). The same code names the same
// place whatever layout the desktop has; none for codes of no drawn key, the Shift keys among
// them, and for 0, which platforms without key codes give.
std::optional<char> KeyOfScanCode(TKeyboardKind kind, std::uint32_t nativeScanCode);

// The stroke of a key event on `kind`: the key at its X key code with Shift as the event's
// modifiers say; where the platform gives no code (0, as offscreen), the stroke of the
// character the key typed. None for a key that is not drawn (Shift itself, Enter, F1) and a
// character the keyboard lacks.
std::optional<TKeyStroke> StrokeOfKeyEvent(TKeyboardKind kind, std::uint32_t nativeScanCode,
                                           bool shift, char typed);

// The ASCII key that types a full-width symbol with an input method's romaji input, under the
// JIS and the US layout alike: the one-key spellings of the romaji table ("「" '[', "ー" '-',
// "、" ','), and '/' for "・", which that table leaves without a spelling. `unit` is one
// Shift_JIS character; none for kana, kanji and everything else.
std::optional<char> ImeSymbolKey(std::string_view unit);

// The keyboard for the desktop's layouts, as XKB names them ("jp", "us", "de(nodeadkeys)"),
// the one in use first, separated by commas: the first that is Japanese ("jp") gives the JIS
// keyboard, the first that writes Latin letters the US one; a list with neither gives JIS.
TKeyboardKind KeyboardOfLayouts(std::string_view layouts);
