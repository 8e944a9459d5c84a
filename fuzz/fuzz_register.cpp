// SPDX-License-Identifier: GPL-3.0-or-later
// The register reader on arbitrary bytes: the header test, the entry list and reading every
// listed entry.

#include "fuzz/FuzzCheck.h"
#include "platform/ShiftJis.h"
#include "registers/UuRegi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    std::vector<std::string> lines = ShiftJis::SplitLines(input.Rest());
    std::vector<UuRegi::TEntryItem> entries = UuRegi::ListEntries(lines);

    // The entries cover the lines from the first header to the end, each once, in order.
    int expectedIdx = -1;
    std::size_t headers = 0;
    for (const std::string& line : lines)
        headers += UuRegi::TRegi::IsHeader(line);
    FUZZ_CHECK(entries.size() == headers);
    for (const UuRegi::TEntryItem& entry : entries) {
        int idx = UuRegi::IntValue(entry.Data, "Idx");
        int lastIdx = UuRegi::IntValue(entry.Data, "LastIdx");
        FUZZ_CHECK(idx >= 0 && lastIdx >= idx);
        FUZZ_CHECK(expectedIdx < 0 || idx == expectedIdx);
        expectedIdx = lastIdx + 1;

        // Every listed entry reads without an error, as the window reads it.
        const std::string& header = UuRegi::HeaderLine(lines, idx, "fuzz.txt");
        FUZZ_CHECK(UuRegi::TRegi::IsHeader(header));
        FUZZ_CHECK(entry.Caption == UuRegi::TitleOf(header));
        FUZZ_CHECK(entry.Checked == (header[0] == 'T'));
        std::string body = UuRegi::BodyText(lines, idx, lastIdx, "fuzz.txt");
        FUZZ_CHECK(body == ShiftJis::TrimRight(body));
    }
    FUZZ_CHECK(entries.empty() || expectedIdx == static_cast<int>(lines.size()));

    // Lines past the end are refused with an error, never read.
    if (lines.empty())
        return 0;
    bool refused = false;
    try {
        UuRegi::BodyText(lines, 0, static_cast<int>(lines.size()), "fuzz.txt");
    } catch (const std::runtime_error&) {
        refused = true;
    }
    FUZZ_CHECK(refused);
    return 0;
}
