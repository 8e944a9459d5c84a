// SPDX-License-Identifier: GPL-3.0-or-later
#include "drills/UWordList.h"

#include "analysis/UKanaAnalysis.h"
#include "platform/ShiftJis.h"
#include "romaji/UuHiraToRoman.h"

#include <cstddef>

// The bytes of words.tsv, embedded by the build (drills/EmbedFile.cmake).
extern const unsigned char WordListBytes[];
extern const std::size_t WordListBytesSize;

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr int FieldCount = 3;

// The kana that code page 932 holds: ゔ, ゕ, ゖ and ヷ–ヺ lie beyond it.
bool IsKana(char16_t c) {
    return (c >= u'ぁ' && c <= u'ん') || (c >= u'ァ' && c <= u'ヶ') || c == u'ー';
}

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\u3000';
}

std::vector<std::string_view> SplitAtTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

// `field` decoded from UTF-8. A byte sequence that is not UTF-8 decodes to U+FFFD, which no
// field may hold. The decoder would drop a byte-order mark at the start of the field; it is kept
// as the character it is (U+FEFF), so that the checks of the field see it.
std::u16string Decode(std::string_view field, int line) {
    bool startsWithBom = field.starts_with(Utf8Bom);
    if (startsWithBom)
        field.remove_prefix(Utf8Bom.size());
    std::u16string text = ShiftJis::Decode(field, ShiftJis::TTextEncoding::Utf8).toStdU16String();
    if (text.find(u'\uFFFD') != std::u16string::npos)
        throw TWordListError(line, "UTF-8 として読めない文字があります。");
    if (startsWithBom)
        text.insert(text.begin(), u'\uFEFF');
    return text;
}

std::u16string KanaField(std::string_view field, int line) {
    std::u16string kana = Decode(field, line);
    if (kana.empty())
        throw TWordListError(line, "読みが空です。");
    for (std::size_t i = 0; i < kana.size(); ++i) {
        if (!IsKana(kana[i]))
            throw TWordListError(line, "読みの " + std::to_string(i + 1) +
                                           " 文字目が仮名ではありません。");
    }
    return kana;
}

std::u16string WrittenField(std::string_view field, int line) {
    std::u16string written = Decode(field, line);
    if (written.empty())
        throw TWordListError(line, "表記が空です。");
    for (char16_t c : written) {
        if (IsControl(c))
            throw TWordListError(line, "表記に制御文字があります。");
    }
    if (IsBlank(written.front()) || IsBlank(written.back()))
        throw TWordListError(line, "表記の前後に空白があります。");
    // The drills hold their texts in Shift_JIS.
    if (ShiftJis::ToUtf16(ShiftJis::FromUtf16(written)) != written)
        throw TWordListError(line, "表記に Shift_JIS で表せない文字があります。");
    return written;
}

int ClassField(std::string_view field, int line) {
    if (field.size() == 1 && field[0] >= '0' + MostCommonClass &&
        field[0] <= '0' + LeastCommonClass)
        return field[0] - '0';
    Decode(field, line);
    throw TWordListError(line, "頻度は 1、2、3 のどれかです（「" + std::string(field) +
                                   "」とあります）。");
}

TWord ParseLine(std::string_view line, int number) {
    std::vector<std::string_view> fields = SplitAtTabs(line);
    if (fields.size() != FieldCount)
        throw TWordListError(number, "タブで区切った欄が " + std::to_string(fields.size()) +
                                         " つあります。読み、表記、頻度の 3 つのはずです。");
    TWord word;
    word.Kana = KanaField(fields[0], number);
    word.Written = WrittenField(fields[1], number);
    word.FrequencyClass = ClassField(fields[2], number);
    return word;
}

} // namespace

TWordListError::TWordListError(int line, const std::string& reason)
    : std::runtime_error("単語リストの " + std::to_string(line) + " 行目: " + reason), FLine(line),
      FReason(reason) {}

std::vector<TWord> ParseWordList(std::string_view text) {
    if (text.starts_with(Utf8Bom))
        text.remove_prefix(Utf8Bom.size());
    std::vector<TWord> words;
    int number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.starts_with('#')) {
            Decode(line, number);
            continue;
        }
        words.push_back(ParseLine(line, number));
    }
    return words;
}

const std::vector<TWord>& BuiltInWordList() {
    static const std::vector<TWord> words = ParseWordList(
        std::string_view(reinterpret_cast<const char*>(WordListBytes), WordListBytesSize));
    return words;
}

std::vector<std::string> DrillUnits(std::u16string_view kana) {
    return MakeRomajiLine(kana).Units;
}

std::vector<std::u16string> TableUnits(std::u16string_view drillUnit) {
    std::u16string folded = UKanaAnalysis::FoldUnit(drillUnit);
    std::vector<std::u16string> units;
    if (folded.size() > 1 && folded.front() == u'っ') {
        units.emplace_back(u"っ");
        folded.erase(0, 1);
    }
    units.push_back(std::move(folded));
    return units;
}
