// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Japanese text utilities: full-width forms of single-byte characters, and line wrapping of
// example texts (Japanese by characters with the line-start and line-end rules, English by
// byte columns at break characters). All strings are Shift_JIS bytes except where a function
// says it works on UTF-16. Nothing keeps state between calls and nothing throws.

#include <cstdint>
#include <string>
#include <string_view>

// Characters that may not begin a line (the tenth is the half-width brace). The settings dialog
// shows these two literals as they stand.
inline constexpr std::u16string_view NoStartChars = u"、。ー？・！）」］}』";
// Characters that may not end a line.
inline constexpr std::u16string_view NoEndChars = u"（「［｛『";
// Bytes after which an English line may be broken: tab, blank, hyphen-minus, full stop.
inline constexpr std::string_view WrapBreakChars = "\t -.";

// The full-width form of a one-character string: "A" gives "Ａ", "\\" gives "￥", the
// half-width katakana 0xB1 gives "ア", CR, LF and NUL stay themselves. Every other argument
// (another single byte, a double-byte character, a longer string) goes to KanaToFullWidth.
std::string ToFullWidth(std::string_view ch);

// Half-width katakana (0xA1–0xDF) become the full-width katakana of the same name, one for one:
// a voiced mark stays a character of its own (0xB6 0xDE gives "カ゛", not "ガ"). Double-byte
// characters are copied. Every other byte, a lead byte at the very end included, becomes "Ｘ".
std::string KanaToFullWidth(std::string_view text);

// The Japanese example text as the main window builds it: double-byte characters are copied,
// a single byte that is CR, LF, 32–126 or 128–255 becomes ToFullWidth of it, every other byte
// (0–9, 11, 12, 14–31, 127) is dropped. "A\tｱ\r\n" gives "Ａア\r\n".
std::string ToFullWidthText(std::string_view text);

// Wraps a Japanese text after every `width` characters (UTF-16 code units). The character
// after a full line is pulled up onto it when it may not begin a line (one per line); a line
// that would end with a character that may not end a line gives it to the next line. Every
// output line ends with CR LF; a CR of the source that ends a short line stays in it, so such
// a line ends CR CR LF; a source break right after a full line adds no line. Width 4:
// "あいうえ、お" gives "あいうえ、\r\nお\r\n". A width of 0 or less sets no limit: lines end
// only at the breaks of the source. The caller trims the trailing CR LF.
std::u16string WrapJapanese(std::u16string_view text, int width);

// Wraps an English text at the last break character before column `maxCol` (columns are bytes,
// so a double-byte character takes two). The break character stays at the end of its line and
// `breakStr` follows it; a word longer than `maxCol` runs on to the next break character;
// existing `breakStr` breaks stay, blank lines included. MaxCol 10: "hello world foo bar"
// gives "hello \r\nworld foo \r\nbar". A `maxCol` of 0 or less sets no limit (the text is
// returned unchanged).
std::string WrapEnglish(std::string_view line, std::string_view breakStr,
                        std::string_view breakChars, int maxCol);

// Mode 0 wraps a Japanese text with WrapJapanese (through UTF-16; bytes that are no Shift_JIS
// character come back as '?'), mode 1 an English text with WrapEnglish at CR LF and
// WrapBreakChars. Any other mode returns the text unchanged.
std::string WrapLines(std::string_view text, int width, std::uint8_t mode);
