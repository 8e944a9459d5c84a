// The romaji line maker on arbitrary UTF-16 with arbitrary spelling choices: every character
// of the sentence lands in exactly one unit, every key is a printable ASCII key, and the guide
// is the keys of the units in a row.

#include "app/UDataFile.h"
#include "fuzz/FuzzCheck.h"
#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192)
        return 0;
    TFuzzInput input(data, size);
    for (std::int32_t& choice : OptionRec.RomajiChoice)
        choice = input.Take<std::uint8_t>() % 3;
    OptionRec.RomajiLower = input.Take<std::uint8_t>() % 2;
    std::u16string sentence = input.RestAsUtf16();

    TRomajiLine line = MakeRomajiLine(sentence);
    FUZZ_CHECK(line.Units.size() == line.Keys.size());
    std::string units, keys;
    for (std::size_t i = 0; i < line.Units.size(); ++i) {
        FUZZ_CHECK(!line.Units[i].empty());
        units += line.Units[i];
        for (char k : line.Keys[i]) {
            FUZZ_CHECK(k >= ' ' && k < 0x7F); // the ideographic space is typed with the blank
            keys += OptionRec.RomajiLower ? static_cast<char>(std::tolower(k)) : k;
        }
    }
    FUZZ_CHECK(units == ShiftJis::FromUtf16(sentence));
    FUZZ_CHECK(line.Guide == keys);
    return 0;
}
