// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuHiraToRoman.h"

#include "platform/ShiftJis.h"

#include <algorithm>
#include <map>
#include <stdexcept>

using namespace UuHiraToRoman;

namespace {

struct TEntry {
    std::string Spellings[SpellingIndexCount]; // one per index, repeated where a row has fewer
    int Slot = NoSlot;
};

using TEntryMap = std::map<std::string, TEntry, std::less<>>;

void AddEntry(TEntryMap& map, const std::string& unit, TEntry entry) {
    if (!map.emplace(unit, std::move(entry)).second)
        throw std::logic_error("romaji table lists a unit twice");
}

TEntry KanaEntry(const TKanaRow& row) {
    TEntry entry;
    entry.Slot = row.Slot;
    std::string_view last;
    for (int i = 0; i < SpellingIndexCount; ++i) {
        if (!row.Spellings[i].empty())
            last = row.Spellings[i];
        entry.Spellings[i] = last;
    }
    return entry;
}

TEntry SingleKeyEntry(std::string_view key) {
    TEntry entry;
    for (std::string& spelling : entry.Spellings)
        spelling = key;
    return entry;
}

// The tables by the Shift_JIS bytes of each unit, converted once on first use.
const TEntryMap& Entries() {
    static const TEntryMap map = [] {
        TEntryMap m;
        for (const TKanaRow& row : KanaTable) {
            if (!row.Hiragana.empty())
                AddEntry(m, ShiftJis::FromUtf16(row.Hiragana), KanaEntry(row));
            AddEntry(m, ShiftJis::FromUtf16(row.Katakana), KanaEntry(row));
        }
        for (const TSymbolRow& row : SymbolTable)
            AddEntry(m, ShiftJis::FromUtf16(std::u16string_view(&row.Wide, 1)),
                     SingleKeyEntry(row.Key));
        for (const TRangeRow& range : LetterDigitRanges) {
            for (char16_t c = range.First; c <= range.Last; ++c) {
                char key = static_cast<char>(range.FirstKey + (c - range.First));
                AddEntry(m, ShiftJis::FromUtf16(std::u16string_view(&c, 1)),
                         SingleKeyEntry(std::string_view(&key, 1)));
            }
        }
        return m;
    }();
    return map;
}

const TEntry* FindEntry(std::string_view unit) {
    auto it = Entries().find(unit);
    return it == Entries().end() ? nullptr : &it->second;
}

// The spelling of `unit` that the learner's recorded choice selects.
std::string ChosenSpelling(std::string_view unit, const TRomajiOptions& options) {
    std::optional<int> slot = ChoiceSlot(unit);
    return KanaToRomaji(unit, slot ? options.Choices[static_cast<std::size_t>(*slot)] : 0);
}

// A double-key small tsu is typed by pressing the next unit's first key twice, which input
// methods read as っ only for a consonant: KKA types っか, but AA types ああ and NNA んあ.
bool DoublesToSmallTsu(char key) {
    if (key < 'A' || key > 'Z')
        return false;
    return std::string_view("AEIOUN").find(key) == std::string_view::npos;
}

bool IsSmallTsu(std::string_view c) {
    static const std::string hiragana = ShiftJis::FromUtf16(u"っ");
    static const std::string katakana = ShiftJis::FromUtf16(u"ッ");
    return c == hiragana || c == katakana;
}

// One character of the sentence in Shift_JIS, and how the drill treats it.
enum class TCharKind {
    Table,      // double-byte: looked up in the table
    SingleByte, // ASCII or half-width katakana: typed by the character itself
    Untypable,  // a control character, or a character code page 932 cannot hold
};

struct TChar {
    std::string Bytes;
    TCharKind Kind;
};

constexpr bool IsSurrogatePair(std::u16string_view s, std::size_t i) {
    return i + 1 < s.size() && s[i] >= 0xD800 && s[i] <= 0xDBFF && s[i + 1] >= 0xDC00 &&
           s[i + 1] <= 0xDFFF;
}

std::vector<TChar> SplitSentence(std::u16string_view sentence) {
    std::vector<TChar> chars;
    for (std::size_t i = 0; i < sentence.size();) {
        std::size_t length = IsSurrogatePair(sentence, i) ? 2 : 1;
        std::u16string_view wide = sentence.substr(i, length);
        std::string bytes = ShiftJis::FromUtf16(wide);
        i += length;
        // A lone low surrogate encodes to nothing: it is no character of the line.
        if (bytes.empty())
            continue;
        TCharKind kind = bytes.size() == 2 ? TCharKind::Table : TCharKind::SingleByte;
        bool unmappable = bytes.size() == 1 && bytes[0] == ShiftJis::Unmappable && wide != u"?";
        if (unmappable || ShiftJis::IsControlChar(wide[0]))
            kind = TCharKind::Untypable;
        chars.push_back({std::move(bytes), kind});
    }
    return chars;
}

std::string UpperAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

std::string LowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

} // namespace

std::string KanaToRomaji(std::string_view unit, int index) {
    const TEntry* entry = FindEntry(unit);
    if (!entry)
        return {};
    if (index < 0 || index >= SpellingIndexCount)
        index = 0;
    return entry->Spellings[index];
}

std::optional<int> ChoiceSlot(std::string_view unit) {
    const TEntry* entry = FindEntry(unit);
    if (!entry || entry->Slot == NoSlot)
        return std::nullopt;
    return entry->Slot;
}

TRomajiLine MakeRomajiLine(std::u16string_view sentence, const TRomajiOptions& options) {
    std::vector<TChar> chars = SplitSentence(sentence);
    TRomajiLine line;
    auto append = [&](std::string unit, std::string keys, std::string_view guide) {
        line.Units.push_back(std::move(unit));
        line.Keys.push_back(std::move(keys));
        line.Guide += guide;
    };

    // A small tsu waits for the unit after it, whose first key it may double. A single-byte
    // character does not take it: っAか gives A, then っか.
    std::string pendingTsu;
    auto flushTsu = [&] {
        if (pendingTsu.empty())
            return;
        std::string keys = ChosenSpelling(pendingTsu, options);
        append(std::move(pendingTsu), keys, keys);
        pendingTsu.clear();
    };

    for (std::size_t i = 0; i < chars.size();) {
        const TChar& c = chars[i];
        if (c.Kind == TCharKind::SingleByte) {
            append(c.Bytes, UpperAscii(c.Bytes), c.Bytes);
            ++i;
            continue;
        }

        // A pair wins over its first character alone (きゃ, not き then ゃ).
        std::string unit, keys;
        std::size_t length = 1;
        if (c.Kind == TCharKind::Table && i + 1 < chars.size()) {
            std::string pair = c.Bytes + chars[i + 1].Bytes;
            keys = ChosenSpelling(pair, options);
            if (!keys.empty()) {
                unit = std::move(pair);
                length = 2;
            }
        }
        if (unit.empty()) {
            if (IsSmallTsu(c.Bytes)) {
                // Of two small tsu in a row the first cannot double a key: っっと types LTU, TTO.
                flushTsu();
                pendingTsu = c.Bytes;
                ++i;
                continue;
            }
            unit = c.Bytes;
            if (c.Kind == TCharKind::Table)
                keys = ChosenSpelling(unit, options);
        }

        if (!pendingTsu.empty() && !keys.empty() && DoublesToSmallTsu(keys[0])) {
            keys.insert(keys.begin(), keys[0]);
            unit.insert(0, pendingTsu);
            pendingTsu.clear();
        } else {
            flushTsu();
        }
        append(std::move(unit), keys, keys);
        i += length;
    }
    flushTsu();

    bool hasDoubleByte = false;
    for (const TChar& c : chars)
        hasDoubleByte = hasDoubleByte || c.Bytes.size() == 2;
    if (options.Lower && hasDoubleByte)
        line.Guide = LowerAscii(std::move(line.Guide));
    return line;
}

static_assert(std::size(TOptionRec{}.RomajiChoice) == UuHiraToRoman::ChoiceSlotCount);

TRomajiOptions RomajiOptionsOf(const TOptionRec& options) {
    TRomajiOptions romaji;
    std::copy(std::begin(options.RomajiChoice), std::end(options.RomajiChoice),
              romaji.Choices.begin());
    romaji.Lower = options.RomajiLower != 0;
    return romaji;
}

void SetRomajiChoice(TRomajiOptions& options, std::string_view unit, int index) {
    std::optional<int> slot = ChoiceSlot(unit);
    if (slot && index >= 0 && index < UuHiraToRoman::SpellingIndexCount)
        options.Choices[static_cast<std::size_t>(*slot)] = index;
}
