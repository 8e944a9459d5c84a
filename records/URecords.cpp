// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/URecords.h"

#include "exercise/UExerciseStats.h"
#include "platform/ShiftJis.h"
#include "store/UCsv.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

std::string Sjis(std::u16string_view text) {
    return ShiftJis::FromUtf16(text);
}

// 10000-01-01 in days since 1899-12-30: no date from here on is a date of a record.
constexpr double FirstDateBeyond9999 = 2958466.0;

} // namespace

std::int32_t RoundToInt32(double x) {
    if (std::isnan(x))
        return 0;
    x = std::nearbyint(x);
    if (x >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (x <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

namespace {

constexpr double NoFigure = std::numeric_limits<double>::quiet_NaN();

double Ratio(double part, double whole, double factor, bool guard) {
    return guard ? part / whole * factor : NoFigure;
}

// "245(98.0)".
std::string WithFigure(int count, double figure) {
    return FormatCount(count) + "(" + FormatReal(figure) + ")";
}

std::string TwoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

struct THeaderTexts {
    std::u16string Line1, Line1English, Line2, Line2English;
};

const THeaderTexts BulkHeaders[] = {
    {u"No.", u"No.", u"", u""},
    {u"日付け", u"日付け", u"", u""},
    {u"時刻", u"時刻", u"", u""},
    {u"例文文字数", u"例文単語数", u"", u""},
    {u"入力文字数", u"入力単語数", u" (文字/分) ", u"(WPM)"},
    {u"一致数", u"一致数", u" (%) ", u" (%) "},
    {u"誤・脱字数", u"誤・脱単語数", u" (%) ", u" (%) "},
    {u"余字数", u"余単語数", u" (%) ", u" (%) "},
    {u"漢字数", u"漢字数", u" (%) ", u" (%) "},
    {u"時間", u"時間", u"（秒）", u"（秒）"},
    {u"打鍵数", u"打鍵数", u"（打／分）", u"（打／分）"},
};
const THeaderTexts SequentialHeaders[] = {
    {u"No.", u"No.", u"", u""},
    {u"日付け", u"日付け", u"", u""},
    {u"時刻", u"時刻", u"", u""},
    {u"例文文字数", u"例文文字数", u" (文字/分) ", u" (文字/分) "},
    {u"入力文字数", u"入力文字数", u" (文字/分) ", u" (文字/分) "},
    {u"誤字数", u"誤字数", u" (%) ", u" (%) "},
    {u"漢字数", u"漢字数", u" (%) ", u" (%) "},
    {u"時間", u"時間", u"（秒）", u"（秒）"},
    {u"打鍵数", u"打鍵数", u"（打／分）", u"（打／分）"},
};

// ---- CSV ----

std::string Utf8(const std::string& sjis) {
    return ShiftJis::ToQString(sjis).toUtf8().toStdString();
}

} // namespace

const std::string& ShowAllTitle() {
    static const std::string title = Sjis(u"すべて表示");
    return title;
}

bool RecordInUse(const TPracticeRec& rec) {
    return std::isfinite(rec.RecDate) && rec.RecDate > 0 && rec.RecDate < FirstDateBeyond9999;
}

int CompareByTitle(const TPracticeRec& a, const TPracticeRec& b) {
    const std::string ta = RecordTitle(a), tb = RecordTitle(b);
    auto upper = [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    const std::size_t common = std::min(ta.size(), tb.size());
    for (std::size_t i = 0; i < common; ++i) {
        int ca = upper(static_cast<unsigned char>(ta[i]));
        int cb = upper(static_cast<unsigned char>(tb[i]));
        if (ca != cb)
            return ca - cb;
    }
    return static_cast<int>(ta.size()) - static_cast<int>(tb.size());
}

int CompareByDate(const TPracticeRec& a, const TPracticeRec& b) {
    return RoundToInt32((a.RecDate - b.RecDate) * 10000);
}

void SortByDate(TRecList& list) {
    std::stable_sort(list.begin(), list.end(), [](const TPracticeRec& a, const TPracticeRec& b) {
        return a.RecDate < b.RecDate;
    });
}

void SortByTitle(TRecList& list) {
    std::stable_sort(list.begin(), list.end(), [](const TPracticeRec& a, const TPracticeRec& b) {
        int byTitle = CompareByTitle(a, b);
        if (byTitle != 0)
            return byTitle < 0;
        return RecordTitle(a) < RecordTitle(b);
    });
}

TRecList RecordsOfMode(TConstRecordRing ring, std::uint8_t mode) {
    TRecList list;
    for (const TPracticeRec& rec : ring)
        if (RecordInUse(rec) && rec.RecMode == mode)
            list.push_back(rec);
    return list;
}

TTitleRecords RecordsOfTitle(TConstRecordRing ring, std::uint8_t mode, std::string_view title) {
    TTitleRecords result;
    TRecList all = RecordsOfMode(ring, mode);
    SortByTitle(all);
    auto first = std::find_if(all.begin(), all.end(),
                              [&](const TPracticeRec& rec) { return RecordTitle(rec) == title; });
    if (first == all.end())
        return result;
    result.EnglishView = first->RecMode == RecModeBulkWhole && first->TextKind == TextKindEnglish;
    for (auto it = first; it != all.end() && RecordTitle(*it) == title; ++it)
        result.Records.push_back(*it);
    SortByDate(result.Records);
    return result;
}

std::vector<TTitleItem> BuildTitleItems(TRecList& list) {
    std::vector<TTitleItem> items{{static_cast<int>(list.size()), ShowAllTitle()}};
    if (!list.empty()) {
        SortByTitle(list);
        for (const TPracticeRec& rec : list) {
            std::string title = RecordTitle(rec);
            if (items.size() == 1 || items.back().Title != title)
                items.push_back({0, title});
            ++items.back().Count;
        }
    }
    SortByDate(list);
    return items;
}

std::string TitleItemText(const TTitleItem& item, bool withCount) {
    return withCount ? FormatCount(item.Count) + " " + item.Title : item.Title;
}

int DeleteTitleRecords(TRecordRing ring, std::int32_t& nextRecord, std::uint8_t mode,
                       std::string_view title) {
    int emptied = 0;
    for (TPracticeRec& rec : ring)
        if (rec.RecMode == mode && RecordTitle(rec) == title) {
            rec.RecDate = 0;
            rec.TextKind = TextKindEmpty;
            rec.RecMode = RecModeEmpty;
            rec.ExampleCount = rec.InputCount = rec.MatchCount = rec.MissCount = 0;
            rec.ExtraCount = rec.KanjiCount = rec.KeyCount = rec.Reserved40 = rec.Seconds = 0;
            ++emptied;
        }
    TRecList kept;
    for (const TPracticeRec& rec : ring)
        if (RecordInUse(rec))
            kept.push_back(rec);
    SortByDate(kept);
    EmptyRecords(ring);
    std::copy(kept.begin(), kept.end(), ring.begin());
    const int count = static_cast<int>(kept.size());
    nextRecord = count > RecordCount - 1 ? 0 : count;
    return emptied;
}

// ---- The grid ----

TDerivedFigures GridFigures(const TPracticeRec& rec) {
    const bool timed = rec.Seconds > 10, typed = rec.InputCount > 0;
    return {
        Ratio(rec.InputCount, rec.Seconds, 60, timed),
        Ratio(rec.ExampleCount, rec.Seconds, 60, timed),
        Ratio(rec.KeyCount, rec.Seconds, 60, timed),
        Ratio(rec.MatchCount, rec.InputCount, 100, typed),
        Ratio(rec.MissCount, rec.InputCount, 100, typed),
        Ratio(rec.ExtraCount, rec.InputCount, 100, typed),
        Ratio(rec.KanjiCount, rec.ExampleCount, 100, rec.ExampleCount > 0),
    };
}

TRecDateTime DecodeRecDate(double recDate) {
    using namespace std::chrono;
    constexpr long long MillisecondsPerDay = 86'400'000;
    double whole = std::floor(recDate);
    long long days = static_cast<long long>(whole);
    long long ms = std::llround((recDate - whole) * MillisecondsPerDay);
    if (ms >= MillisecondsPerDay) {
        ++days;
        ms -= MillisecondsPerDay;
    }
    const year_month_day date{sys_days{year(1899) / December / 30} + std::chrono::days(days)};
    const long long seconds = ms / 1000;
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(seconds / 3600),
            static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60)};
}

int GridColumnCount(bool sequential) {
    return sequential ? 9 : 11;
}

std::vector<int> GridColumnWidths(int clientWidth, bool sequential,
                                  const std::vector<int>& needed) {
    const double share = sequential ? (clientWidth - 30 - 9) / 8.0 : (clientWidth - 140 - 11) / 8.0;
    const int w = std::max(75, static_cast<int>(std::nearbyint(share)));
    std::vector<int> widths(static_cast<std::size_t>(GridColumnCount(sequential)), w);
    widths[0] = 30;
    if (!sequential)
        widths[2] = widths[9] = 55;
    for (std::size_t column = 0; column < widths.size() && column < needed.size(); ++column)
        widths[column] = std::max(widths[column], needed[column]);
    return widths;
}

std::vector<std::string> GridRow(const TPracticeRec& rec, int index, bool sequential) {
    const TRecDateTime t = DecodeRecDate(rec.RecDate);
    const TDerivedFigures f = GridFigures(rec);
    std::vector<std::string> cells{FormatCount(index + 1),
                                   TwoDigits(t.Year % 100) + "/" + std::to_string(t.Month) + "/" +
                                       TwoDigits(t.Day),
                                   std::to_string(t.Hour) + ":" + TwoDigits(t.Minute)};
    if (sequential) {
        cells.insert(cells.end(), {WithFigure(rec.ExampleCount, f.ExampleSpeed),
                                   WithFigure(rec.InputCount, f.InputSpeed),
                                   WithFigure(rec.MissCount, f.MissRate),
                                   WithFigure(rec.KanjiCount, f.KanjiRate),
                                   FormatCount(rec.Seconds), WithFigure(rec.KeyCount, f.KeySpeed)});
    } else {
        cells.insert(
            cells.end(),
            {FormatCount(rec.ExampleCount), WithFigure(rec.InputCount, f.InputSpeed),
             WithFigure(rec.MatchCount, f.MatchRate), WithFigure(rec.MissCount, f.MissRate),
             WithFigure(rec.ExtraCount, f.ExtraRate), WithFigure(rec.KanjiCount, f.KanjiRate),
             FormatCount(rec.Seconds), WithFigure(rec.KeyCount, f.KeySpeed)});
    }
    return cells;
}

THeader GridHeader(int column, bool sequential, bool englishView) {
    const int count = GridColumnCount(sequential);
    if (column < 0 || column >= count)
        return {};
    const THeaderTexts& h = sequential ? SequentialHeaders[column] : BulkHeaders[column];
    const bool english = englishView && !sequential;
    return {Sjis(english ? h.Line1English : h.Line1), Sjis(english ? h.Line2English : h.Line2)};
}

// ---- Export ----

std::string RecModeName(std::uint8_t mode) {
    switch (mode) {
    case RecModeSequential:
        return "逐次入力";
    case RecModeBulkWhole:
        return "一括入力（一括比較）";
    case RecModeBulkLines:
        return "一括入力（行ごとに比較）";
    default:
        return {};
    }
}

std::string CsvFileName(std::uint8_t mode, int year, int month, int day) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return RecModeName(mode) + "_" + date + ".csv";
}

std::string RecordsCsv(const TRecList& list, bool sequential) {
    std::vector<std::string> header{"No.",    "日時",       "タイトル", "モード",     "文字種",
                                    "例文数", "入力数",     "一致数",   "誤・脱字数", "余字数",
                                    "漢字数", "時間（秒）", "打鍵数"};
    if (sequential)
        header.insert(header.end(), {"例文速度（/分）", "入力速度（/分）", "誤字率（%）",
                                     "漢字率（%）", "打鍵速度（打/分）"});
    else
        header.insert(header.end(), {"入力速度（/分）", "一致率（%）", "誤・脱字率（%）",
                                     "余字率（%）", "漢字率（%）", "打鍵速度（打/分）"});
    std::string csv(UCsv::Utf8Bom);
    UCsv::AppendRow(csv, header);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TPracticeRec& rec = list[i];
        const TRecDateTime t = DecodeRecDate(rec.RecDate);
        char when[48];
        std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour,
                      t.Minute);
        const TDerivedFigures f = GridFigures(rec);
        std::vector<std::string> row{FormatCount(static_cast<int>(i) + 1),
                                     when,
                                     Utf8(RecordTitle(rec)),
                                     RecModeName(rec.RecMode),
                                     rec.TextKind == TextKindEnglish ? "英語" : "日本語",
                                     FormatCount(rec.ExampleCount),
                                     FormatCount(rec.InputCount),
                                     FormatCount(rec.MatchCount),
                                     FormatCount(rec.MissCount),
                                     FormatCount(rec.ExtraCount),
                                     FormatCount(rec.KanjiCount),
                                     FormatCount(rec.Seconds),
                                     FormatCount(rec.KeyCount)};
        if (sequential)
            row.insert(row.end(),
                       {FormatReal(f.ExampleSpeed), FormatReal(f.InputSpeed),
                        FormatReal(f.MissRate), FormatReal(f.KanjiRate), FormatReal(f.KeySpeed)});
        else
            row.insert(row.end(),
                       {FormatReal(f.InputSpeed), FormatReal(f.MatchRate), FormatReal(f.MissRate),
                        FormatReal(f.ExtraRate), FormatReal(f.KanjiRate), FormatReal(f.KeySpeed)});
        UCsv::AppendRow(csv, row);
    }
    return csv;
}
