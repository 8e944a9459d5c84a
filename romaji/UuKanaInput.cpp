// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKanaInput.h"

#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <map>
#include <stdexcept>

using namespace UuKanaInput;

namespace {

using TStrokes = std::vector<TKeyStroke>;
using TUnitMap = std::map<std::string, TStrokes, std::less<>>;

void AddUnit(TUnitMap& map, std::u16string_view unit, TStrokes strokes) {
    if (!map.emplace(ShiftJis::FromUtf16(unit), std::move(strokes)).second)
        throw std::logic_error("kana input table lists a unit twice");
}

// The strokes of every unit of the kana layout by its Shift_JIS bytes, made once.
const TUnitMap& Units() {
    static const TUnitMap map = [] {
        TUnitMap m;
        std::map<std::u16string_view, TKeyStroke> base;
        for (const TKanaKeyRow& row : KanaKeyTable) {
            AddUnit(m, row.Hiragana, {row.Stroke});
            AddUnit(m, row.Katakana, {row.Stroke});
            base[row.Hiragana] = row.Stroke;
        }
        TKeyStroke marks[2];
        for (const TKanaSymbolRow& row : KanaSymbolTable) {
            AddUnit(m, std::u16string_view(&row.Symbol, 1), {row.Stroke});
            if (row.Symbol == Dakuten || row.Symbol == Handakuten)
                marks[row.Symbol == Handakuten] = row.Stroke;
        }
        for (const TVoicedRow& row : VoicedTable) {
            const TStrokes strokes{base.at(row.Base), marks[row.Mark == Handakuten]};
            if (!row.Hiragana.empty())
                AddUnit(m, row.Hiragana, strokes);
            AddUnit(m, row.Katakana, strokes);
        }
        return m;
    }();
    return map;
}

// The legend of each stroke that types a kana or mark of its own.
const std::map<std::pair<char, bool>, std::string>& Legends() {
    static const std::map<std::pair<char, bool>, std::string> map = [] {
        std::map<std::pair<char, bool>, std::string> m;
        for (const TKanaKeyRow& row : KanaKeyTable)
            m[{row.Stroke.Key, row.Stroke.Shift}] = ShiftJis::FromUtf16(row.Hiragana);
        for (const TKanaSymbolRow& row : KanaSymbolTable)
            m[{row.Stroke.Key, row.Stroke.Shift}] =
                ShiftJis::FromUtf16(std::u16string_view(&row.Symbol, 1));
        return m;
    }();
    return map;
}

// The ASCII character that the JIS keyboard types for `unit` with the input method off: the
// unit itself when it is ASCII (letters in upper case), the romaji table's one key for a
// full-width letter, digit or symbol; 0 for anything else.
char AsciiOf(std::string_view unit) {
    if (unit.size() == 1) {
        const char c = unit[0];
        if (c >= 'a' && c <= 'z')
            return static_cast<char>(c - 'a' + 'A');
        return c >= ' ' && c <= '~' ? c : 0;
    }
    // Double-byte symbols have the lead byte 0x81, full-width digits and letters 0x82 with a
    // trail byte below the hiragana's 0x9F.
    const auto lead = static_cast<unsigned char>(unit.size() == 2 ? unit[0] : 0);
    const auto trail = static_cast<unsigned char>(unit.size() == 2 ? unit[1] : 0);
    if (lead != 0x81 && !(lead == 0x82 && trail < 0x9F))
        return 0;
    const std::string key = KanaToRomaji(unit, 0);
    return key.size() == 1 ? key[0] : 0;
}

} // namespace

std::vector<TKeyStroke> KanaKeys(std::string_view unit) {
    auto it = Units().find(unit);
    if (it != Units().end())
        return it->second;
    const char ascii = AsciiOf(unit);
    if (ascii == 0)
        return {};
    if (std::optional<TKeyStroke> stroke = StrokeOf(TKeyboardKind::Jis, ascii))
        return {*stroke};
    return {};
}

const std::string& KanaLegend(TKeyStroke stroke) {
    static const std::string none;
    auto it = Legends().find({stroke.Key, stroke.Shift});
    return it == Legends().end() ? none : it->second;
}

TKanaLine MakeKanaLine(std::u16string_view sentence) {
    TKanaLine line;
    for (std::size_t i = 0; i < sentence.size(); ++i) {
        // A surrogate pair is one character, which code page 932 cannot hold.
        const bool pair = i + 1 < sentence.size() && sentence[i] >= 0xD800 &&
                          sentence[i] <= 0xDBFF && sentence[i + 1] >= 0xDC00 &&
                          sentence[i + 1] <= 0xDFFF;
        const std::u16string_view character = sentence.substr(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        std::string unit = ShiftJis::FromUtf16(character);
        const bool unmappable =
            unit.size() == 1 && unit[0] == ShiftJis::Unmappable && character != u"?";
        std::vector<TKeyStroke> keys = unmappable ? std::vector<TKeyStroke>{} : KanaKeys(unit);
        if (!keys.empty()) {
            if (Units().count(unit)) {
                for (TKeyStroke stroke : keys)
                    line.Guide += KanaLegend(stroke);
            } else {
                line.Guide += AsciiOf(unit);
            }
        }
        line.Units.push_back(std::move(unit));
        line.Keys.push_back(std::move(keys));
    }
    return line;
}
