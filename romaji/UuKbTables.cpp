// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbTables.h"

#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <algorithm>

namespace {

// Linux input codes are X key codes less this.
constexpr std::uint32_t XKeyCodeOffset = 8;

// XKB layouts whose first level writes Latin letters, so that romaji is typed on them as on a
// US keyboard. The Chinese and Korean layouts are among them: their ideographs and hangul come
// from an input method.
constexpr std::string_view LatinLayouts[] = {
    "us", "gb",  "ie", "ca",    "au", "nz", "za", "de", "at", "ch", "fr", "be",
    "nl", "lu",  "es", "latam", "pt", "br", "it", "se", "no", "dk", "fi", "is",
    "ee", "lv",  "lt", "pl",    "cz", "sk", "hu", "si", "hr", "ro", "tr", "al",
    "mt", "epo", "vn", "ph",    "id", "my", "ng", "cn", "tw", "kr",
};

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsKey(const TKbTable& table, char c) {
    return c == ' ' || std::any_of(std::begin(table.Rows), std::end(table.Rows),
                                   [c](auto row) { return row.find(c) != std::string_view::npos; });
}

} // namespace

const TKbTable& KbTable(TKeyboardKind kind) {
    return kind == TKeyboardKind::Us ? UsTable : JisTable;
}

int FingerOf(TKeyboardKind kind, char c) {
    const std::array<TFingerRow, 8>& rows = KbTable(kind).Fingers;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Chars.find(c) != std::string_view::npos)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int FingerOf(char c) {
    return FingerOf(TKeyboardKind::Jis, c);
}

TFingerKind KindOf(int finger) {
    return FingerRows[std::clamp(finger, 1, 8) - 1].Kind;
}

TRgb KeyColor(TKeyboardKind kind, std::string_view caption) {
    if (caption == " ")
        return FingerKinds[static_cast<int>(TFingerKind::Index)].Color;
    int finger = caption.size() == 1 ? FingerOf(kind, caption[0]) : 0;
    if (finger == 0)
        return FingerKinds[static_cast<int>(TFingerKind::Little)].Color;
    return FingerKinds[static_cast<int>(KindOf(finger))].Color;
}

TRgb KeyColor(std::string_view caption) {
    return KeyColor(TKeyboardKind::Jis, caption);
}

std::optional<TKeyStroke> StrokeOf(TKeyboardKind kind, char c) {
    const TKbTable& table = KbTable(kind);
    c = Upper(c);
    if (c != 0 && table.ShiftedKeys.find(c) != std::string_view::npos)
        return TKeyStroke{c, true};
    if (c != 0 && IsKey(table, c))
        return TKeyStroke{c, false};
    std::size_t shifted = c == ' ' ? std::string_view::npos : table.ShiftResults.find(c);
    if (c == 0 || shifted == std::string_view::npos)
        return std::nullopt;
    return TKeyStroke{table.ShiftBases[shifted], true};
}

std::optional<char> KeyOfScanCode(TKeyboardKind kind, std::uint32_t nativeScanCode) {
    if (nativeScanCode < XKeyCodeOffset)
        return std::nullopt;
    const std::uint32_t code = nativeScanCode - XKeyCodeOffset;
    for (const TCodeRun& run : KbTable(kind).Codes) {
        if (code >= run.FirstCode && code - run.FirstCode < run.Keys.size())
            return run.Keys[code - run.FirstCode];
    }
    return std::nullopt;
}

std::optional<TKeyStroke> StrokeOfKeyEvent(TKeyboardKind kind, std::uint32_t nativeScanCode,
                                           bool shift, char typed) {
    if (nativeScanCode != 0) {
        const std::optional<char> key = KeyOfScanCode(kind, nativeScanCode);
        if (!key)
            return std::nullopt;
        return TKeyStroke{*key, shift};
    }
    return StrokeOf(kind, typed);
}

std::optional<char> ImeSymbolKey(std::string_view unit) {
    static const std::string middleDot = ShiftJis::FromUtf16(u"・");
    if (unit == middleDot)
        return '/';
    // Full-width symbols are double-byte characters with a lead byte of 0x81; letters, digits,
    // kana and kanji are not symbols.
    if (unit.size() != 2 || static_cast<unsigned char>(unit[0]) != 0x81)
        return std::nullopt;
    const std::string key = KanaToRomaji(unit, 0);
    if (key.size() != 1)
        return std::nullopt;
    return key[0];
}

TKeyboardKind KeyboardOfLayouts(std::string_view layouts) {
    while (!layouts.empty()) {
        std::size_t comma = layouts.find(',');
        std::string_view layout = layouts.substr(0, comma);
        layouts.remove_prefix(comma == std::string_view::npos ? layouts.size() : comma + 1);
        // "de(nodeadkeys)" is the layout "de"; fcitx5 writes it "de-nodeadkeys".
        layout = layout.substr(0, layout.find_first_of("(-:"));
        while (!layout.empty() && layout.front() == ' ')
            layout.remove_prefix(1);
        while (!layout.empty() && layout.back() == ' ')
            layout.remove_suffix(1);
        std::string name(layout);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
        if (name == "jp")
            return TKeyboardKind::Jis;
        if (std::find(std::begin(LatinLayouts), std::end(LatinLayouts), name) !=
            std::end(LatinLayouts))
            return TKeyboardKind::Us;
    }
    return TKeyboardKind::Jis;
}
