// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/UExerciseStats.h"

#include "platform/ShiftJis.h"
#include "platform/Translate.h"

#include <QFile>
#include <QtCore/qnamespace.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>

namespace {

using ShiftJis::Sjis;

// The fixed pieces of the status and result texts, in Shift_JIS, translated and converted once.
struct TPieces {
    std::string Touch = TrSjis("UExerciseStats", "タッチタイプ");
    std::string Sequential = TrSjis("UExerciseStats", "逐次入力");
    std::string Bulk = TrSjis("UExerciseStats", "一括入力");
    std::string LineComp = TrSjis("UExerciseStats", "行ごとに比較");
    std::string SecondsUnit = TrSjis("UExerciseStats", "  秒");
    std::string StrokesUnit = TrSjis("UExerciseStats", "  打");
    std::string TouchErrors = TrSjis("UExerciseStats", "   エラー ");
    // The unit after the touch-typing error count: 打 in Japanese, none in English.
    std::string TouchErrorsUnit = TrSjis("UExerciseStats.TouchErrors", "  打");
    std::string Chars = TrSjis("UExerciseStats", " 文字 ");
    std::string Kanji = TrSjis("UExerciseStats", "漢字 ");
    // The unit after the kanji count: 文字 in Japanese, none in English ("kanji 20").
    std::string KanjiUnit = TrSjis("UExerciseStats.Kanji", " 文字 ");
    std::string Words = TrSjis("UExerciseStats", " Word    ");
    std::string TouchSpeed = TrSjis("UExerciseStats", " 打／分");
    std::string InputSpeed = TrSjis("UExerciseStats", "  入力速度 ");
    std::string CharsPerMinute = TrSjis("UExerciseStats", " 文字/分");
    std::string KeySpeed = TrSjis("UExerciseStats", "  打鍵速度 ");
    std::string KeysPerMinute = TrSjis("UExerciseStats", " 打/分");
    std::string ErrorCount = TrSjis("UExerciseStats", "  エラー数 ");
    std::string CharMisses = TrSjis("UExerciseStats", "  誤字・脱字数 ");
    std::string CharExtras = TrSjis("UExerciseStats", "    余字数 ");
    std::string WordMisses = TrSjis("UExerciseStats", " 脱・誤単語数 ");
    std::string WordExtras = TrSjis("UExerciseStats", " 余単語数 ");
};

const TPieces& Pieces() {
    static const TPieces pieces;
    return pieces;
}

// Adds 1 to a string of decimal digits: "0999" gives "1000", "99" gives "100".
void Increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Works on the shortest decimal form of x ("8.5714285714285708e+01"), so the rounding is that
// of the number as it would be written, not of its binary expansion.
template <typename T>
std::string FormatRealOf(T x) {
    constexpr int SignificantDigits = 5, Decimals = 1;
    if (!std::isfinite(x) || x == 0)
        return "0.0";
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific);
    if (error != std::errc())
        return "0.0";
    std::string_view form(buffer, static_cast<std::size_t>(end - buffer));
    const bool negative = form.front() == '-';
    if (negative)
        form.remove_prefix(1);
    const std::size_t e = form.find('e');
    std::string digits; // digits[i] stands at the place 10^(exponent − i)
    for (char c : form.substr(0, e))
        if (c != '.')
            digits += c;
    std::string_view exponentText = form.substr(e + 1);
    const bool negativeExponent = exponentText.front() == '-';
    exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    if (negativeExponent)
        exponent = -exponent;

    // Keep the digits down to the lowest place that is within both limits, and round there.
    const int lowPlace = std::max(-Decimals, exponent - (SignificantDigits - 1));
    const int keep = exponent - lowPlace + 1;
    std::string kept;
    if (keep > 0) {
        kept = digits.substr(0, std::min<std::size_t>(keep, digits.size()));
        kept.resize(static_cast<std::size_t>(keep), '0');
    }
    const char next = keep >= 0 && static_cast<std::size_t>(keep) < digits.size()
                          ? digits[static_cast<std::size_t>(keep)]
                          : '0';
    if (next >= '5')
        Increment(kept);
    kept.erase(0, std::min(kept.find_first_not_of('0'), kept.size()));
    if (kept.empty())
        return "0.0";

    std::string result = negative ? "-" : "";
    const int integerDigits = static_cast<int>(kept.size()) + lowPlace;
    if (integerDigits > SignificantDigits) {
        const int powerOfTen = integerDigits - 1;
        kept.erase(kept.find_last_not_of('0') + 1);
        result += kept[0];
        if (kept.size() > 1)
            result += "." + kept.substr(1);
        return result + "E" + std::to_string(powerOfTen);
    }
    if (lowPlace < 0) {
        const std::string integerPart = kept.size() > 1 ? kept.substr(0, kept.size() - 1) : "0";
        return result + integerPart + "." + kept.back();
    }
    return result + kept + std::string(static_cast<std::size_t>(lowPlace), '0') + ".0";
}

// Units per minute; 0 when no second was counted.
template <typename T>
T PerMinute(int units, int seconds) {
    return seconds > 0 ? static_cast<T>(units) / static_cast<T>(seconds) * static_cast<T>(60)
                       : static_cast<T>(0);
}

bool IsBelow33(char16_t c) {
    return c < 33;
}

std::u16string_view TrimBelow33(std::u16string_view s) {
    while (!s.empty() && IsBelow33(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBelow33(s.back()))
        s.remove_suffix(1);
    return s;
}

// Key ups that are no keystroke: Enter, the pure modifiers, and the keys that only move the
// caret or the view.
constexpr int UncountedKeys[] = {
    Qt::Key_Return,  Qt::Key_Enter,       Qt::Key_Shift,   Qt::Key_Control,  Qt::Key_Alt,
    Qt::Key_AltGr,   Qt::Key_Meta,        Qt::Key_Super_L, Qt::Key_Super_R,  Qt::Key_Hyper_L,
    Qt::Key_Hyper_R, Qt::Key_Mode_switch, Qt::Key_PageUp,  Qt::Key_PageDown, Qt::Key_End,
    Qt::Key_Home,    Qt::Key_Left,        Qt::Key_Up,      Qt::Key_Right,    Qt::Key_Down,
};

} // namespace

std::string FormatCount(int n) {
    return std::to_string(n);
}

std::string FormatReal(float x) {
    return FormatRealOf(x);
}

std::string FormatReal(double x) {
    return FormatRealOf(x);
}

std::string FormatReal(long double x) {
    return FormatRealOf(x);
}

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string result;
    if (text.size() < width)
        result.assign(width - text.size(), ' ');
    result += text;
    return result;
}

int CountChars(std::u16string_view practiceText) {
    return static_cast<int>(std::count_if(practiceText.begin(), practiceText.end(), [](char16_t c) {
        return c != u'\0' && c != u'\n' && c != u'\r';
    }));
}

int CountKanji(std::string_view displayedText) {
    int count = 0;
    for (std::string_view c : ShiftJis::Chars(displayedText)) {
        const unsigned char lead = static_cast<unsigned char>(c[0]);
        if (c.size() == 2 && lead != 0x81 && lead != 0x82 && lead != 0x83)
            ++count;
    }
    return count;
}

float KanjiContent(int kanjiCount, int charCount) {
    return charCount != 0 ? static_cast<float>(kanjiCount) / static_cast<float>(charCount) * 100.0f
                          : 0.0f;
}

int CountWords(std::u16string_view practiceText) {
    int count = 0;
    std::size_t start = 0;
    // Lines end at CR and LF; an empty line between CR and LF has no pieces, so splitting at
    // each of them alone counts the same as splitting at CR LF.
    for (std::size_t pos = 0; pos <= practiceText.size(); ++pos) {
        if (pos < practiceText.size() && practiceText[pos] != u' ' && practiceText[pos] != u'\r' &&
            practiceText[pos] != u'\n')
            continue;
        if (!TrimBelow33(practiceText.substr(start, pos - start)).empty())
            ++count;
        start = pos + 1;
    }
    return count;
}

TTextCounts CountText(std::u16string_view practiceText, std::string_view displayedText,
                      bool singleByte) {
    TTextCounts counts;
    counts.CharCount = CountChars(practiceText);
    counts.KanjiCount = CountKanji(displayedText);
    counts.KanjiContent = KanjiContent(counts.KanjiCount, counts.CharCount);
    counts.WordCount = singleByte ? CountWords(practiceText) : 0;
    return counts;
}

std::string ModeName(TPracticeMode mode) {
    switch (mode) {
    case TPracticeMode::Touch:
        return Pieces().Touch;
    case TPracticeMode::Sequential:
        return Pieces().Sequential;
    case TPracticeMode::Bulk:
        return Pieces().Bulk;
    }
    return {};
}

std::string LineCompText(bool lineComp) {
    return lineComp ? Pieces().LineComp : std::string();
}

std::string TouchCountersText(int seconds, int keyCount, int touchMisses) {
    const TPieces& p = Pieces();
    return PadLeft(FormatCount(seconds) + p.SecondsUnit, 7) + "   " +
           PadLeft(FormatCount(keyCount) + p.StrokesUnit, 7) + p.TouchErrors +
           PadLeft(FormatCount(touchMisses) + p.TouchErrorsUnit, 7);
}

std::string TextInformationText(bool singleByte, const TTextCounts& counts) {
    const TPieces& p = Pieces();
    if (singleByte)
        return " " + FormatCount(counts.WordCount) + p.Words + FormatCount(counts.CharCount) +
               p.Chars;
    return " " + FormatCount(counts.CharCount) + p.Chars + "  " + p.Kanji +
           FormatCount(counts.KanjiCount) + p.KanjiUnit + " " + FormatReal(counts.KanjiContent) +
           " % ";
}

std::string TimeAndKeysText(int seconds, int keyCount) {
    const TPieces& p = Pieces();
    return PadLeft(FormatCount(seconds) + p.SecondsUnit, 7) +
           PadLeft(FormatCount(keyCount) + p.StrokesUnit, 9);
}

std::string TouchSpeedText(int keyCount, int seconds) {
    return " " + FormatReal(PerMinute<double>(keyCount, seconds)) + Pieces().TouchSpeed;
}

std::string SequentialResultText(int charCount, int keyCount, int seconds, int errorCount) {
    const TPieces& p = Pieces();
    return p.InputSpeed + FormatReal(PerMinute<long double>(charCount, seconds)) +
           p.CharsPerMinute + "\r\n" + p.KeySpeed +
           FormatReal(PerMinute<long double>(keyCount, seconds)) + p.KeysPerMinute + "\r\n" +
           p.ErrorCount + FormatCount(errorCount);
}

std::string BulkResultText(bool singleByte, const TBulkCounts& counts, int keyCount, int seconds) {
    const TPieces& p = Pieces();
    const std::string speed = FormatReal(PerMinute<float>(counts.InputCount, seconds));
    const std::string keySpeed = FormatReal(PerMinute<float>(keyCount, seconds));
    const std::string tail = " " + p.KeySpeed + keySpeed + p.KeysPerMinute;
    if (singleByte)
        return p.InputSpeed + speed + " WPM " + " " + p.WordMisses + FormatCount(counts.MissCount) +
               p.WordExtras + FormatCount(counts.ExtraCount) + tail;
    return p.InputSpeed + speed + p.CharsPerMinute + " " + p.CharMisses +
           FormatCount(counts.MissCount) + p.CharExtras + FormatCount(counts.ExtraCount) + tail;
}

bool CountsAsKeystroke(int key) {
    return std::find(std::begin(UncountedKeys), std::end(UncountedKeys), key) ==
           std::end(UncountedKeys);
}
