// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/URecords.h"

#include "exercise/UExerciseStats.h"
#include "platform/ShiftJis.h"
#include "platform/Translate.h"
#include "store/UCsv.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using ShiftJis::Sjis;

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
    const char* Line1; // UTF-8, translated where it is shown
    const char* Line1English;
    const char* Line2;
    const char* Line2English;
};

// What a column is in the grid of one mode.
struct TColumnInMode {
    bool Shown = false;
    THeaderTexts Header;
    int Width = 0; // pixels; 0 shares what the fixed columns leave
    // The figure written in brackets after the count, with its CSV header; none: the count alone.
    double TDerivedFigures::*Figure = nullptr;
    const char* CsvFigure = nullptr;
};

enum class TCellKind { Number, Date, Time, Count };

// One column of the records: the grid of either mode and the CSV export walk this table, so a
// column is added or changed here alone. A count column gives its raw count to the CSV in every
// mode and its figure in the modes that show one.
struct TGridColumn {
    TCellKind Kind;
    std::int32_t TPracticeRec::*Count;
    const char* CsvCount;
    TColumnInMode Bulk, Sequential;
};

using F = TDerivedFigures;
// clang-format off
const TGridColumn GridColumns[] = {
    {TCellKind::Number, nullptr, nullptr,
     {true, {"No.", "No.", "", ""}, 30},
     {true, {"No.", "No.", "", ""}, 30}},
    {TCellKind::Date, nullptr, nullptr,
     {true, {TR_NOOP("URecords", "日付け"), TR_NOOP("URecords", "日付け"), "", ""}},
     {true, {TR_NOOP("URecords", "日付け"), TR_NOOP("URecords", "日付け"), "", ""}}},
    {TCellKind::Time, nullptr, nullptr,
     {true, {TR_NOOP("URecords", "時刻"), TR_NOOP("URecords", "時刻"), "", ""}, 55},
     {true, {TR_NOOP("URecords", "時刻"), TR_NOOP("URecords", "時刻"), "", ""}}},
    {TCellKind::Count, &TPracticeRec::ExampleCount, "例文数",
     {true, {TR_NOOP("URecords", "例文文字数"), TR_NOOP("URecords", "例文単語数"), "", ""}},
     {true, {TR_NOOP("URecords", "例文文字数"), TR_NOOP("URecords", "例文文字数"), TR_NOOP("URecords", " (文字/分) "), TR_NOOP("URecords", " (文字/分) ")}, 0,
      &F::ExampleSpeed, "例文速度（/分）"}},
    {TCellKind::Count, &TPracticeRec::InputCount, "入力数",
     {true, {TR_NOOP("URecords", "入力文字数"), TR_NOOP("URecords", "入力単語数"), TR_NOOP("URecords", " (文字/分) "), "(WPM)"}, 0,
      &F::InputSpeed, "入力速度（/分）"},
     {true, {TR_NOOP("URecords", "入力文字数"), TR_NOOP("URecords", "入力文字数"), TR_NOOP("URecords", " (文字/分) "), TR_NOOP("URecords", " (文字/分) ")}, 0,
      &F::InputSpeed, "入力速度（/分）"}},
    {TCellKind::Count, &TPracticeRec::MatchCount, "一致数",
     {true, {TR_NOOP("URecords", "一致数"), TR_NOOP("URecords", "一致数"), " (%) ", " (%) "}, 0, &F::MatchRate, "一致率（%）"},
     {}},
    {TCellKind::Count, &TPracticeRec::MissCount, "誤・脱字数",
     {true, {TR_NOOP("URecords", "誤・脱字数"), TR_NOOP("URecords", "誤・脱単語数"), " (%) ", " (%) "}, 0,
      &F::MissRate, "誤・脱字率（%）"},
     {true, {TR_NOOP("URecords", "誤字数"), TR_NOOP("URecords", "誤字数"), " (%) ", " (%) "}, 0, &F::MissRate, "誤字率（%）"}},
    {TCellKind::Count, &TPracticeRec::ExtraCount, "余字数",
     {true, {TR_NOOP("URecords", "余字数"), TR_NOOP("URecords", "余単語数"), " (%) ", " (%) "}, 0, &F::ExtraRate, "余字率（%）"},
     {}},
    {TCellKind::Count, &TPracticeRec::KanjiCount, "漢字数",
     {true, {TR_NOOP("URecords", "漢字数"), TR_NOOP("URecords", "漢字数"), " (%) ", " (%) "}, 0, &F::KanjiRate, "漢字率（%）"},
     {true, {TR_NOOP("URecords", "漢字数"), TR_NOOP("URecords", "漢字数"), " (%) ", " (%) "}, 0, &F::KanjiRate, "漢字率（%）"}},
    {TCellKind::Count, &TPracticeRec::Seconds, "時間（秒）",
     {true, {TR_NOOP("URecords", "時間"), TR_NOOP("URecords", "時間"), TR_NOOP("URecords", "（秒）"), TR_NOOP("URecords", "（秒）")}, 55},
     {true, {TR_NOOP("URecords", "時間"), TR_NOOP("URecords", "時間"), TR_NOOP("URecords", "（秒）"), TR_NOOP("URecords", "（秒）")}}},
    {TCellKind::Count, &TPracticeRec::KeyCount, "打鍵数",
     {true, {TR_NOOP("URecords", "打鍵数"), TR_NOOP("URecords", "打鍵数"), TR_NOOP("URecords", "（打／分）"), TR_NOOP("URecords", "（打／分）")}, 0,
      &F::KeySpeed, "打鍵速度（打/分）"},
     {true, {TR_NOOP("URecords", "打鍵数"), TR_NOOP("URecords", "打鍵数"), TR_NOOP("URecords", "（打／分）"), TR_NOOP("URecords", "（打／分）")}, 0,
      &F::KeySpeed, "打鍵速度（打/分）"}},
};
// clang-format on

const TColumnInMode& InMode(const TGridColumn& column, bool sequential) {
    return sequential ? column.Sequential : column.Bulk;
}

// The columns the grid of a mode shows, in order.
std::vector<const TGridColumn*> ShownColumns(bool sequential) {
    std::vector<const TGridColumn*> shown;
    for (const TGridColumn& column : GridColumns)
        if (InMode(column, sequential).Shown)
            shown.push_back(&column);
    return shown;
}

// ---- CSV ----

std::string Utf8(const std::string& sjis) {
    return ShiftJis::ToQString(sjis).toUtf8().toStdString();
}

} // namespace

const std::string& ShowAllTitle() {
    static const std::string title = TrSjis("URecords", "すべて表示");
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

TRecList RecordsOfMode(TConstRecordRing ring, TRecordMode mode) {
    TRecList list;
    for (const TPracticeRec& rec : ring)
        if (RecordInUse(rec) && rec.RecMode == mode)
            list.push_back(rec);
    return list;
}

TTitleRecords RecordsOfTitle(TConstRecordRing ring, TRecordMode mode, std::string_view title) {
    TTitleRecords result;
    TRecList all = RecordsOfMode(ring, mode);
    SortByTitle(all);
    auto first = std::find_if(all.begin(), all.end(),
                              [&](const TPracticeRec& rec) { return RecordTitle(rec) == title; });
    if (first == all.end())
        return result;
    result.EnglishView =
        first->RecMode == TRecordMode::BulkWhole && first->TextKind == TTextKind::English;
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

int DeleteTitleRecords(TRecordRing ring, std::int32_t& nextRecord, TRecordMode mode,
                       std::string_view title) {
    int emptied = 0;
    for (TPracticeRec& rec : ring)
        if (rec.RecMode == mode && RecordTitle(rec) == title) {
            rec.RecDate = 0;
            rec.TextKind = TTextKind::Empty;
            rec.RecMode = TRecordMode::Empty;
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
    return static_cast<int>(ShownColumns(sequential).size());
}

std::vector<int> GridColumnWidths(int clientWidth, bool sequential,
                                  const std::vector<int>& needed) {
    const std::vector<const TGridColumn*> columns = ShownColumns(sequential);
    // The fixed columns keep their width; the others share the rest, less a pixel a column for
    // the grid's lines.
    int fixed = 0, sharing = 0;
    for (const TGridColumn* column : columns) {
        fixed += InMode(*column, sequential).Width;
        sharing += InMode(*column, sequential).Width == 0;
    }
    const int count = static_cast<int>(columns.size());
    const double share = static_cast<double>(clientWidth - fixed - count) / std::max(1, sharing);
    const int shared = std::max(75, static_cast<int>(std::nearbyint(share)));
    std::vector<int> widths;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int own = InMode(*columns[i], sequential).Width;
        const int need = i < needed.size() ? needed[i] : 0;
        widths.push_back(std::max(own != 0 ? own : shared, need));
    }
    return widths;
}

std::vector<std::string> GridRow(const TPracticeRec& rec, int index, bool sequential) {
    const TRecDateTime t = DecodeRecDate(rec.RecDate);
    const TDerivedFigures f = GridFigures(rec);
    std::vector<std::string> cells;
    for (const TGridColumn* column : ShownColumns(sequential)) {
        switch (column->Kind) {
        case TCellKind::Number:
            cells.push_back(FormatCount(index + 1));
            break;
        case TCellKind::Date:
            cells.push_back(TwoDigits(t.Year % 100) + "/" + std::to_string(t.Month) + "/" +
                            TwoDigits(t.Day));
            break;
        case TCellKind::Time:
            cells.push_back(std::to_string(t.Hour) + ":" + TwoDigits(t.Minute));
            break;
        case TCellKind::Count: {
            const TColumnInMode& mode = InMode(*column, sequential);
            const int count = rec.*column->Count;
            cells.push_back(mode.Figure ? WithFigure(count, f.*mode.Figure) : FormatCount(count));
            break;
        }
        }
    }
    return cells;
}

THeader GridHeader(int column, bool sequential, bool englishView) {
    const std::vector<const TGridColumn*> columns = ShownColumns(sequential);
    if (column < 0 || column >= static_cast<int>(columns.size()))
        return {};
    const THeaderTexts& h = InMode(*columns[static_cast<std::size_t>(column)], sequential).Header;
    const bool english = englishView && !sequential;
    return {TrSjis("URecords", english ? h.Line1English : h.Line1),
            TrSjis("URecords", english ? h.Line2English : h.Line2)};
}

// ---- Export ----

std::string RecModeName(TRecordMode mode) {
    switch (mode) {
    case TRecordMode::Sequential:
        return "逐次入力";
    case TRecordMode::BulkWhole:
        return "一括入力（一括比較）";
    case TRecordMode::BulkLines:
        return "一括入力（行ごとに比較）";
    default:
        return {};
    }
}

std::string CsvFileName(TRecordMode mode, int year, int month, int day) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return RecModeName(mode) + "_" + date + ".csv";
}

std::string RecordsCsv(const TRecList& list, bool sequential) {
    // The record's own fields, then every count of the table, then the figures of the mode.
    std::vector<std::string> header{"No.", "日時", "タイトル", "モード", "文字種"};
    for (const TGridColumn& column : GridColumns)
        if (column.CsvCount)
            header.push_back(column.CsvCount);
    for (const TGridColumn& column : GridColumns)
        if (const TColumnInMode& mode = InMode(column, sequential); mode.Shown && mode.Figure)
            header.push_back(mode.CsvFigure);
    std::string csv(UCsv::Utf8Bom);
    UCsv::AppendRow(csv, header);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TPracticeRec& rec = list[i];
        const TRecDateTime t = DecodeRecDate(rec.RecDate);
        char when[48];
        std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour,
                      t.Minute);
        const TDerivedFigures f = GridFigures(rec);
        std::vector<std::string> row{FormatCount(static_cast<int>(i) + 1), when,
                                     Utf8(RecordTitle(rec)), RecModeName(rec.RecMode),
                                     rec.TextKind == TTextKind::English ? "英語" : "日本語"};
        for (const TGridColumn& column : GridColumns)
            if (column.CsvCount)
                row.push_back(FormatCount(rec.*column.Count));
        for (const TGridColumn& column : GridColumns)
            if (const TColumnInMode& mode = InMode(column, sequential); mode.Shown && mode.Figure)
                row.push_back(FormatReal(f.*mode.Figure));
        UCsv::AppendRow(csv, row);
    }
    return csv;
}
