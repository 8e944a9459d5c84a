// SPDX-License-Identifier: GPL-3.0-or-later
// The Japanese and English wraps and the full-width conversion: no character is lost, added or
// reordered, only line breaks come in, and the full-width text holds only double-byte
// characters and line breaks.

#include "fuzz/FuzzCheck.h"
#include "japanese/UDefineJap.h"
#include "platform/ShiftJis.h"

#include <algorithm>

namespace {

template <typename TString>
TString WithoutBreaks(TString text) {
    std::erase_if(text, [](auto c) { return c == '\r' || c == '\n'; });
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 8192)
        return 0;
    TFuzzInput input(data, size);
    int width = static_cast<int>(input.Take<std::int8_t>());
    std::string_view bytes = input.Rest();

    std::u16string text = ShiftJis::ToUtf16(bytes);
    std::u16string wrapped = WrapJapanese(text, width);
    FUZZ_CHECK(WithoutBreaks(wrapped) == WithoutBreaks(text));
    FUZZ_CHECK(wrapped.empty() || wrapped.ends_with(u"\r\n"));
    if (width > 0) {
        // A full line may take one character that may not begin a line.
        std::size_t line = 0;
        for (char16_t c : wrapped) {
            line = c == u'\n' ? 0 : line + (c != u'\r');
            FUZZ_CHECK(line <= static_cast<std::size_t>(width) + 1);
        }
    }

    std::string english = WrapEnglish(bytes, "\r\n", WrapBreakChars, width);
    FUZZ_CHECK(WithoutBreaks(english) == WithoutBreaks(std::string(bytes)));
    // Mode 0 and 1 run for the sanitizers; any other mode leaves the text as it is.
    WrapLines(bytes, width, 0);
    WrapLines(bytes, width, 1);
    FUZZ_CHECK(WrapLines(bytes, width, 2) == bytes);

    std::string full = ToFullWidthText(bytes);
    for (std::string_view ch : ShiftJis::Chars(full))
        FUZZ_CHECK(ch.size() == 2 || ch == "\r" || ch == "\n");
    std::string kana = KanaToFullWidth(bytes);
    for (std::string_view ch : ShiftJis::Chars(kana))
        FUZZ_CHECK(ch.size() == 2);
    FUZZ_CHECK(ShiftJis::Chars(kana).size() == ShiftJis::Chars(bytes).size());
    return 0;
}
