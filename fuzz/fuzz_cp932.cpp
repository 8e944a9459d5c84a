// SPDX-License-Identifier: GPL-3.0-or-later
// Code page 932 decoding and encoding of arbitrary bytes and arbitrary UTF-16.

#include "fuzz/FuzzCheck.h"
#include "platform/ShiftJis.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    std::string_view bytes = input.Rest();

    // Every character decodes to one UTF-16 unit; a lead byte whose follower forms no character
    // with it gives U+FFFD and the follower on its own ("\x81 " gives U+FFFD and a blank).
    std::u16string decoded = ShiftJis::ToUtf16(bytes);
    FUZZ_CHECK(decoded.size() >= ShiftJis::Chars(bytes).size() && decoded.size() <= bytes.size());
    std::size_t charBytes = 0;
    for (std::string_view ch : ShiftJis::Chars(bytes)) {
        FUZZ_CHECK(ch.size() == 1 || ch.size() == 2);
        charBytes += ch.size();
    }
    FUZZ_CHECK(charBytes == bytes.size());

    // Encoding gives each unit its encoded length, and one round makes the text stable.
    std::string encoded = ShiftJis::FromUtf16(decoded);
    std::size_t expected = 0;
    for (char16_t c : decoded)
        expected += ShiftJis::EncodedLength(c);
    FUZZ_CHECK(encoded.size() == expected);
    std::u16string again = ShiftJis::ToUtf16(encoded);
    FUZZ_CHECK(again.size() == decoded.size());
    FUZZ_CHECK(again.size() == ShiftJis::Chars(encoded).size());
    FUZZ_CHECK(ShiftJis::FromUtf16(again) == encoded);

    // Arbitrary UTF-16, lone surrogates included: encoding never fails and is stable too.
    std::u16string text = input.RestAsUtf16();
    std::string fromText = ShiftJis::FromUtf16(text);
    FUZZ_CHECK(fromText.size() <= 2 * text.size());
    FUZZ_CHECK(ShiftJis::FromUtf16(ShiftJis::ToUtf16(fromText)) == fromText);

    // A text file's bytes always give Shift_JIS text that decodes.
    std::string fileText = ShiftJis::FromTextFile(bytes);
    FUZZ_CHECK(ShiftJis::ToUtf16(fileText).size() <= fileText.size());
    return 0;
}
