// SPDX-License-Identifier: GPL-3.0-or-later
// The romaji line maker on arbitrary UTF-16 with arbitrary spelling choices: every byte of the
// sentence lands in exactly one unit, keys are upper case, and the guide is the keys of
// the kana units and the typable single-byte characters themselves, in a row.

#include "fuzz/FuzzCheck.h"
#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <algorithm>
#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192)
        return 0;
    TFuzzInput input(data, size);
    TRomajiOptions options;
    for (int& choice : options.Choices)
        choice = input.Take<std::uint8_t>() % 3;
    options.Lower = input.Take<std::uint8_t>() % 2;
    std::u16string sentence = input.RestAsUtf16();

    TRomajiLine line = MakeRomajiLine(sentence, options);
    FUZZ_CHECK(line.Units.size() == line.Keys.size());
    std::string units, guide;
    bool doubleByte = false;
    for (std::size_t i = 0; i < line.Units.size(); ++i) {
        const std::string& unit = line.Units[i];
        FUZZ_CHECK(!unit.empty());
        units += unit;
        for (char k : line.Keys[i])
            FUZZ_CHECK(!std::islower(static_cast<unsigned char>(k)));
        // A typable single-byte character shows itself in the guide; a kana unit its keys.
        if (unit.size() == 1) {
            if (!line.Keys[i].empty())
                guide += unit;
        } else {
            guide += line.Keys[i];
            doubleByte = true;
        }
    }
    // In order, but for a small tsu, which waits past single-byte characters ("っA" gives A,
    // then っ): the units hold the sentence's bytes exactly, each once.
    std::string expected = ShiftJis::FromUtf16(sentence);
    std::sort(units.begin(), units.end());
    std::sort(expected.begin(), expected.end());
    FUZZ_CHECK(units == expected);
    if (options.Lower && doubleByte)
        for (char& g : guide)
            g = static_cast<char>(std::tolower(static_cast<unsigned char>(g)));
    FUZZ_CHECK(line.Guide == guide);
    return 0;
}
