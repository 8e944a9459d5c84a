// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UUtf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8Test, TextRoundTrips) {
    for (std::u16string text :
         {std::u16string(u""), std::u16string(u"abc"), std::u16string(u"しゃ・ー「」"),
          std::u16string(u"é€"), std::u16string(u"\U0001F600 絵文字")}) {
        EXPECT_EQ(UUtf8::ToUtf16(UUtf8::FromUtf16(text)), text);
    }
    EXPECT_EQ(UUtf8::FromUtf16(u"あ"), "\xE3\x81\x82");
}

TEST(Utf8Test, BrokenInputBecomesReplacementCharacters) {
    struct TCase {
        const char* Name;
        std::string Bytes;
        std::u16string Text;
    };
    const TCase cases[] = {
        {"lone continuation byte",
         "a\x80"
         "b",
         u"a\uFFFDb"},
        {"cut sequence", "\xE3\x81", u"\uFFFD\uFFFD"},
        {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"invalid lead", "\xFF", u"\uFFFD"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(UUtf8::ToUtf16(c.Bytes), c.Text) << c.Name;
    EXPECT_EQ(UUtf8::FromUtf16(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
}

} // namespace
