// SPDX-License-Identifier: GPL-3.0-or-later
#include "japanese/UDefineJap.h"

#include "platform/ShiftJis.h"

#include <array>

namespace {

struct TFullWidthRow {
    unsigned char In;
    char16_t Out;
};

// Full-width forms of the printable ASCII characters that are not letters or digits. The
// quotation marks become the typographic closing and opening marks, the backslash the yen sign,
// the hyphen-minus the full-width minus (not the long-vowel mark ー).
constexpr TFullWidthRow SymbolRows[] = {
    {' ', u'　'},  {'!', u'！'}, {'"', u'”'},  {'#', u'＃'}, {'$', u'＄'}, {'%', u'％'},
    {'&', u'＆'},  {'\'', u'’'}, {'(', u'（'}, {')', u'）'}, {'*', u'＊'}, {'+', u'＋'},
    {',', u'，'},  {'-', u'－'}, {'.', u'．'}, {'/', u'／'}, {':', u'：'}, {';', u'；'},
    {'<', u'＜'},  {'=', u'＝'}, {'>', u'＞'}, {'?', u'？'}, {'@', u'＠'}, {'[', u'［'},
    {'\\', u'￥'}, {']', u'］'}, {'^', u'＾'}, {'_', u'＿'}, {'`', u'‘'},  {'{', u'｛'},
    {'|', u'｜'},  {'}', u'｝'}, {'~', u'～'},
};

// Per byte, the full-width character ToFullWidth gives it, or 0 for bytes the table leaves to
// KanaToFullWidth (the half-width 。、・ among them: the katakana table maps them alike).
constexpr std::array<char16_t, 256> FullWidthTable = [] {
    std::array<char16_t, 256> table{};
    for (int i = 0; i < 10; ++i)
        table['0' + i] = static_cast<char16_t>(u'０' + i);
    for (int i = 0; i < 26; ++i) {
        table['A' + i] = static_cast<char16_t>(u'Ａ' + i);
        table['a' + i] = static_cast<char16_t>(u'ａ' + i);
    }
    for (const TFullWidthRow& row : SymbolRows)
        table[row.In] = row.Out;
    return table;
}();

// JIS X 0201 katakana 0xA1–0xDF in code order, as the full-width characters of the same names.
constexpr unsigned char FirstHalfWidthKana = 0xA1, LastHalfWidthKana = 0xDF;
constexpr std::u16string_view HalfWidthKanaTable =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    u"マミムメモヤユヨラリルレロワン゛゜";
static_assert(HalfWidthKanaTable.size() == LastHalfWidthKana - FirstHalfWidthKana + 1);

// What a byte that is no character of its own becomes.
constexpr char16_t Unknown = u'Ｘ';

std::string Sjis(char16_t c) {
    return ShiftJis::FromUtf16(std::u16string_view(&c, 1));
}

// The tables in Shift_JIS, converted once.
const std::array<std::string, 256>& FullWidthForms() {
    static const std::array<std::string, 256> forms = [] {
        std::array<std::string, 256> result;
        for (std::size_t c = 0; c < result.size(); ++c)
            if (FullWidthTable[c] != 0)
                result[c] = Sjis(FullWidthTable[c]);
        return result;
    }();
    return forms;
}

const std::array<std::string, HalfWidthKanaTable.size()>& HalfWidthKanaForms() {
    static const std::array<std::string, HalfWidthKanaTable.size()> forms = [] {
        std::array<std::string, HalfWidthKanaTable.size()> result;
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = Sjis(HalfWidthKanaTable[i]);
        return result;
    }();
    return forms;
}

const std::string& UnknownForm() {
    static const std::string form = Sjis(Unknown);
    return form;
}

bool Contains(std::u16string_view set, char16_t c) {
    return c != u'\0' && set.find(c) != std::u16string_view::npos;
}

bool IsLineBreak(unsigned char c) {
    return c == '\r' || c == '\n';
}

unsigned char AsciiUpper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(static_cast<unsigned char>(a[i])) !=
            AsciiUpper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string ToFullWidth(std::string_view ch) {
    if (ch.size() == 1) {
        unsigned char c = static_cast<unsigned char>(ch[0]);
        if (c == '\r' || c == '\n' || c == '\0')
            return std::string(ch);
        if (FullWidthTable[c] != 0)
            return FullWidthForms()[c];
    }
    return KanaToFullWidth(ch);
}

std::string KanaToFullWidth(std::string_view text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[pos]);
        if (c >= FirstHalfWidthKana && c <= LastHalfWidthKana) {
            result += HalfWidthKanaForms()[c - FirstHalfWidthKana];
            pos += 1;
        } else if (ShiftJis::IsLeadByte(c) && pos + 1 < text.size()) {
            result.append(text.substr(pos, 2));
            pos += 2;
        } else {
            // 0x80, 0xA0, 0xFD–0xFF, ASCII, and a lead byte without its trail byte.
            result += UnknownForm();
            pos += 1;
        }
    }
    return result;
}

std::string ToFullWidthText(std::string_view text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = ShiftJis::CharLength(text, pos);
        unsigned char c = static_cast<unsigned char>(text[pos]);
        if (length == 2)
            result.append(text.substr(pos, 2));
        else if (c == '\r' || c == '\n' || !ShiftJis::IsControlChar(c))
            result += ToFullWidth(text.substr(pos, 1));
        pos += length;
    }
    return result;
}

std::u16string WrapJapanese(std::u16string_view text, int width) {
    // Positions are 1-based as in the rules below; a position outside the text reads as NUL,
    // which is neither a line break nor in either character set.
    const std::size_t length = text.size();
    auto at = [&](std::size_t p) { return p >= 1 && p <= length ? text[p - 1] : u'\0'; };

    std::u16string result, line;
    result.reserve(length + length / static_cast<std::size_t>(width > 0 ? width : 64) * 3 + 4);
    long long col = 1;
    std::size_t p = 1;
    while (p <= length) {
        line += at(p);
        ++col;
        const bool full = width > 0 && col == width + 1LL;
        if (!full && at(p) != u'\r') {
            ++p;
            continue;
        }
        // The line ends at p: `width` characters were taken, or p is a CR (kept in the line).
        if (p < length) {
            // One character that may not begin a line joins the full line.
            if (Contains(NoStartChars, at(p + 1))) {
                line += at(p + 1);
                ++p;
            }
            // A source break right after a full line is passed over, so it adds no line.
            if (full && at(p + 1) == u'\r') {
                ++p;
                if (at(p + 1) == u'\n')
                    ++p;
            }
        }
        // A character that may not end a line begins the next one instead, unless it is all
        // the line holds (width 1), where giving it away would repeat the line for ever.
        if (p > 1 && line.size() > 1 && Contains(NoEndChars, at(p))) {
            line.pop_back();
            --p;
        }
        col = 1;
        result += line;
        result += u"\r\n";
        line.clear();
        // Only an LF after the CR belongs to the break; a lone CR is followed by text.
        if (at(p) == u'\r' && at(p + 1) == u'\n')
            ++p;
        ++p;
    }
    result += line;
    result += u"\r\n";
    return result;
}

std::string WrapEnglish(std::string_view line, std::string_view breakStr,
                        std::string_view breakChars, int maxCol) {
    // Positions are 1-based byte positions; `col` is the column the next byte would take.
    const std::size_t length = line.size();
    auto at = [&](std::size_t pos) { return static_cast<unsigned char>(line[pos - 1]); };
    auto isBreakChar = [&](unsigned char c) {
        return breakChars.find(static_cast<char>(c)) != std::string_view::npos;
    };
    // A wrap break is added only when the text after the break character holds more than
    // break characters before its own next line break or its end: so no break doubles a
    // source break and none is added after trailing blanks.
    auto textFollows = [&](std::size_t breakPos) {
        std::size_t q = breakPos + 1;
        while (q <= length && isBreakChar(at(q)))
            ++q;
        return q <= length && !IsLineBreak(at(q));
    };

    std::string result;
    result.reserve(length + length / 8);
    long long col = 1;
    std::size_t pos = 1, linePos = 1, breakPos = 0;
    bool existingBreak = false;
    while (pos <= length) {
        const unsigned char c = at(pos);
        if (ShiftJis::IsLeadByte(c)) {
            ++pos; // the trail byte
            ++col;
        } else if (!breakStr.empty() && c == static_cast<unsigned char>(breakStr[0])) {
            existingBreak = EqualIgnoringCase(line.substr(pos - 1, breakStr.size()), breakStr);
            if (existingBreak) {
                pos += breakStr.size() - 1;
                breakPos = pos;
            }
        } else if (isBreakChar(c)) {
            breakPos = pos;
        }
        ++pos;
        ++col;
        if (existingBreak || (maxCol > 0 && col > maxCol && breakPos > linePos)) {
            col = static_cast<long long>(pos - breakPos);
            result.append(line.substr(linePos - 1, breakPos - linePos + 1));
            while (pos <= length && (isBreakChar(at(pos)) || IsLineBreak(at(pos))))
                ++pos;
            if (!existingBreak && textFollows(breakPos))
                result.append(breakStr);
            // The next line starts right after the break, so passed-over blanks and line
            // breaks are kept in it.
            ++breakPos;
            linePos = breakPos;
            existingBreak = false;
        }
    }
    if (linePos <= length)
        result.append(line.substr(linePos - 1));
    return result;
}

std::string WrapLines(std::string_view text, int width, std::uint8_t mode) {
    switch (mode) {
    case 0:
        return ShiftJis::FromUtf16(WrapJapanese(ShiftJis::ToUtf16(text), width));
    case 1:
        return WrapEnglish(text, "\r\n", WrapBreakChars, width);
    default:
        return std::string(text);
    }
}
