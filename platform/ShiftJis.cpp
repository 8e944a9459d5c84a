// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShiftJis.h"

#include <QCoreApplication>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>

namespace ShiftJis {

namespace {

// One converter per direction and thread, opened on first use. iconv keeps shift state between
// calls only for stateful encodings; code page 932 and UTF-16 have none, but every conversion
// still starts with a reset so that a failed call cannot leak into the next one.
class TConverter {
public:
    TConverter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
    }
    ~TConverter() { iconv_close(FHandle); }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    // Converts as much of [in, in + inLeft) as it can into `out`; returns the errno of the stop
    // (0 when all input was converted). `in` and `inLeft` are advanced past what was read.
    int Convert(const char*& in, std::size_t& inLeft, std::string& out) {
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result =
                iconv(FHandle, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG)
                return errno;
        }
        return 0;
    }

private:
    iconv_t FHandle;
};

TConverter& Decoder() {
    thread_local TConverter converter("UTF-16LE", "CP932");
    return converter;
}

TConverter& Encoder() {
    thread_local TConverter converter("CP932", "UTF-16LE");
    return converter;
}

constexpr bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::size_t CharLength(std::string_view s, std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

std::vector<std::string_view> Chars(std::string_view s) {
    std::vector<std::string_view> chars;
    for (std::size_t pos = 0; pos < s.size();) {
        std::size_t length = CharLength(s, pos);
        chars.push_back(s.substr(pos, length));
        pos += length;
    }
    return chars;
}

std::u16string ToUtf16(std::string_view sjis) {
    std::string bytes;
    const char* in = sjis.data();
    std::size_t inLeft = sjis.size();
    while (inLeft > 0) {
        if (Decoder().Convert(in, inLeft, bytes) == 0)
            break;
        // An invalid or incomplete sequence: one byte becomes a visible replacement.
        bytes.append("\xFD\xFF", 2);
        ++in;
        --inLeft;
    }
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text;
}

QString ToQString(std::string_view sjis) {
    std::u16string text = ToUtf16(sjis);
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

std::string FromUtf16(std::u16string_view text) {
    std::string units;
    units.reserve(text.size() * 2);
    for (char16_t c : text) {
        units.push_back(static_cast<char>(c & 0xFF));
        units.push_back(static_cast<char>(c >> 8));
    }
    std::string out;
    out.reserve(text.size() * 2);
    const char* in = units.data();
    std::size_t inLeft = units.size();
    while (inLeft > 0) {
        if (Encoder().Convert(in, inLeft, out) == 0)
            break;
        // A character code page 932 cannot hold; a surrogate pair is one character.
        std::size_t unit = (units.size() - inLeft) / 2;
        bool pair =
            unit + 1 < text.size() && IsHighSurrogate(text[unit]) && IsLowSurrogate(text[unit + 1]);
        std::size_t skip = (pair ? 2 : 1) * 2;
        if (!IsLowSurrogate(text[unit]))
            out.push_back(Unmappable);
        in += skip;
        inLeft -= skip;
    }
    return out;
}

std::string FromQString(const QString& text) {
    return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<std::size_t>(text.size())));
}

namespace {

// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF) with at least one character beyond ASCII.
bool IsUtf8BeyondAscii(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
        unsigned char c = byte(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = c >= 0xC2 && c <= 0xDF   ? 2
                             : c >= 0xE0 && c <= 0xEF ? 3
                             : c >= 0xF0 && c <= 0xF4 ? 4
                                                      : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((byte(i + k) & 0xC0) != 0x80)
                return false;
        unsigned char second = byte(i + 1);
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
            (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F))
            return false;
        beyondAscii = true;
        i += length;
    }
    return beyondAscii;
}

} // namespace

std::string FromTextFile(std::string_view bytes) {
    TTextEncoding encoding = DetectEncoding(bytes);
    if (encoding == TTextEncoding::ShiftJis)
        return std::string(bytes);
    return FromQString(Decode(WithoutBom(bytes, encoding), encoding));
}

namespace {
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
} // namespace

TTextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(Utf8Bom))
        return TTextEncoding::Utf8Bom;
    return IsUtf8BeyondAscii(bytes) ? TTextEncoding::Utf8 : TTextEncoding::ShiftJis;
}

std::string_view WithoutBom(std::string_view bytes, TTextEncoding encoding) {
    if (encoding == TTextEncoding::Utf8Bom && bytes.starts_with(Utf8Bom))
        bytes.remove_prefix(Utf8Bom.size());
    return bytes;
}

QString Decode(std::string_view bytes, TTextEncoding encoding) {
    if (encoding == TTextEncoding::ShiftJis)
        return ToQString(bytes);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

qsizetype FirstUnmappable(const QString& text) {
    // 0 = not yet known, 1 = code page 932 holds it, 2 = it does not. Filled on first use and
    // shared by all threads: every thread writes the same answer. Not thread_local: each thread
    // would carry (and clear) its own 64 KiB copy from its start, used or not.
    static std::array<std::atomic<std::uint8_t>, 0x10000> mappable{};
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = text[i].unicode();
        if (c < 0x80)
            continue;
        // No character beyond the basic plane is in code page 932; a lone surrogate is none.
        if (IsHighSurrogate(c) || IsLowSurrogate(c) || c == Replacement)
            return i;
        std::uint8_t known = mappable[c].load(std::memory_order_relaxed);
        if (known == 0) {
            known = FromUtf16(std::u16string_view(&c, 1)) == std::string(1, Unmappable) ? 2 : 1;
            mappable[c].store(known, std::memory_order_relaxed);
        }
        if (known == 2)
            return i;
    }
    return -1;
}

std::string Encode(const QString& text, TTextEncoding encoding) {
    if (encoding != TTextEncoding::ShiftJis)
        return text.toUtf8().toStdString();
    if (qsizetype bad = FirstUnmappable(text); bad >= 0)
        throw TUnmappableError(text, bad);
    return FromQString(text);
}

QString TrimTextRight(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].unicode() < 33)
        --end;
    return text.left(end);
}

QString WithCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator)
            out += QStringLiteral("\r\n");
        else
            out += c;
    }
    return out;
}

namespace {
// The character at `index`, a surrogate pair whole.
QString CharacterAt(const QString& text, qsizetype index) {
    qsizetype length =
        index + 1 < text.size() && text[index].isHighSurrogate() && text[index + 1].isLowSurrogate()
            ? 2
            : 1;
    return text.mid(index, length);
}

QString UnmappableAdvice() {
    return QCoreApplication::translate("ShiftJis",
                                       "この文字を削除するか置き換えてから保存してください。");
}
} // namespace

TUnmappableError::TUnmappableError(const QString& message)
    : std::runtime_error(message.toStdString()) {}

TUnmappableError::TUnmappableError(const QString& text, qsizetype index)
    : TUnmappableError(QCoreApplication::translate(
                           "ShiftJis", "「%1」(%2 行目) は Shift_JIS で保存できない文字です。\r\n")
                           .arg(CharacterAt(text, index))
                           .arg(text.left(index).count(u'\n') + 1) +
                       UnmappableAdvice()) {}

TUnmappableError TUnmappableError::InTitle(const QString& title, qsizetype index) {
    return TUnmappableError(
        QCoreApplication::translate("ShiftJis",
                                    "タイトルの「%1」は Shift_JIS で保存できない文字です。\r\n")
            .arg(CharacterAt(title, index)) +
        UnmappableAdvice());
}

std::size_t EncodedLength(char16_t c) {
    if (c < 0x80)
        return 1;
    if (IsLowSurrogate(c))
        return 0;
    // 0 = not yet known; else the length. Filled per code unit on first use, shared by all
    // threads as the table above.
    static std::array<std::atomic<std::uint8_t>, 0x10000> lengths{};
    std::uint8_t length = lengths[c].load(std::memory_order_relaxed);
    if (length == 0) {
        length = static_cast<std::uint8_t>(FromUtf16(std::u16string_view(&c, 1)).size());
        lengths[c].store(length, std::memory_order_relaxed);
    }
    return length;
}

std::string TrimRight(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && static_cast<unsigned char>(s[end - 1]) <= 32)
        --end;
    return std::string(s.substr(0, end));
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '\r' && text[pos] != '\n')
            continue;
        lines.emplace_back(text.substr(start, pos - start));
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        start = pos + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

} // namespace ShiftJis
