// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shift_JIS (code page 932) text: the lead-byte rule, characters, conversion to and from UTF-16,
// trimming and line lists. Every text the program shows, reads or writes is held in these bytes.

#include <QString>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ShiftJis {

// The control characters: below the blank, and Delete. They are no characters of a text.
constexpr char32_t DeleteChar = 0x7f;
constexpr bool IsControlChar(char32_t c) {
    return c < U' ' || c == DeleteChar;
}

// A byte in 0x81–0x9F or 0xE0–0xFC opens a double-byte character together with the byte after
// it; every other byte (half-width katakana 0xA1–0xDF included) is a character by itself.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Byte length of the character that starts at `pos`: 2 for a lead byte followed by another
// byte, else 1. A lead byte at the very end is a character of one byte.
// REQUIRES: pos < s.size().
std::size_t CharLength(std::string_view s, std::size_t pos);

// The characters of `s` in order, as views into `s`.
std::vector<std::string_view> Chars(std::string_view s);

// Decoding never fails: a byte that does not form a character of code page 932 (a lone trail
// byte, 0x80, 0xA0, 0xFD–0xFF, a lead byte at the end) becomes U+FFFD, so it stays visible.
inline constexpr char16_t Replacement = u'\uFFFD';
std::u16string ToUtf16(std::string_view sjis);
QString ToQString(std::string_view sjis);

// Encoding never fails: a character that code page 932 cannot hold (U+FFFD, emoji, most of
// Unicode beyond JIS) becomes the single byte '?'; a surrogate pair counts as one character.
inline constexpr char Unmappable = '?';
std::string FromUtf16(std::u16string_view text);
// The same for the fixed texts of the code and the tests: Sjis(u"逐次入力").
inline std::string Sjis(std::u16string_view text) {
    return FromUtf16(text);
}
std::string FromQString(const QString& text);

// Byte length in Shift_JIS of one UTF-16 code unit, as FromUtf16 would encode it: 1 for
// ASCII and half-width katakana, 2 for the other characters of code page 932, 1 for the rest.
std::size_t EncodedLength(char16_t c);

// The Shift_JIS text of a text file's bytes. Shift_JIS is the default; a file that is UTF-8 (it
// starts with the UTF-8 byte-order mark, or it is valid UTF-8 and holds a character beyond
// ASCII) is converted, so that the UTF-8 files of Linux desktops read right. Real Shift_JIS
// text with kana or kanji is never valid UTF-8: its lead bytes 0x81–0x9F cannot open a UTF-8
// sequence.
std::string FromTextFile(std::string_view bytes);

// ---- Text files in either encoding: what the editor opens it saves back the same way.

// How a text file is stored. Detection follows FromTextFile: a UTF-8 byte-order mark, or valid
// UTF-8 holding a character beyond ASCII, makes a UTF-8 file; anything else is Shift_JIS.
enum class TTextEncoding { ShiftJis, Utf8, Utf8Bom };
TTextEncoding DetectEncoding(std::string_view bytes);

// The bytes without a leading UTF-8 byte-order mark when `encoding` is Utf8Bom.
std::string_view WithoutBom(std::string_view bytes, TTextEncoding encoding);

// The text of `bytes` (without any byte-order mark) in `encoding`.
QString Decode(std::string_view bytes, TTextEncoding encoding);

// The first character of `text` that code page 932 cannot hold (an emoji, a rare kanji, a
// U+FFFD left by an unreadable byte): its index in `text` (UTF-16 units), or -1 when there is
// none. Example: FirstUnmappable(u"a😀") == 1.
qsizetype FirstUnmappable(const QString& text);

// `text` in `encoding`, without byte-order mark. Never loses a character: Shift_JIS output of a
// text that holds a character code page 932 cannot hold throws TUnmappableError instead.
std::string Encode(const QString& text, TTextEncoding encoding);

// `text` without its trailing characters below code 33.
QString TrimTextRight(const QString& text);

// `text` with every line break (CR LF, lone CR, lone LF, U+2029 of a text control) as CR LF.
QString WithCrLf(const QString& text);

// The message names the character and its line, counted from 1, in Japanese.
class TUnmappableError : public std::runtime_error {
public:
    TUnmappableError(const QString& text, qsizetype index);
    // The same for a character of a title, which the message names as the title's.
    static TUnmappableError InTitle(const QString& title, qsizetype index);

private:
    explicit TUnmappableError(const QString& message);
};

// `s` without its trailing bytes 0–32 (blanks, tabs, line breaks, control characters).
std::string TrimRight(std::string_view s);

// Lines split at CR LF, a lone CR or a lone LF; a break at the very end adds no empty line and
// an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

// The lines, each followed by CR LF: the form in which every text file is written.
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace ShiftJis
