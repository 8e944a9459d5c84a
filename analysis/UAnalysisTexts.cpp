// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UAnalysisTexts.h"

#include "exercise/UExerciseStats.h"
#include "platform/Translate.h"
#include "store/UCsv.h"
#include "store/UUtf8.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace UAnalysisTexts {

namespace {

std::chrono::year_month_day Civil(int day) {
    return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{day}}};
}

// "100 回中ミス 3 回"
std::string CountsText(int total, int wrong) {
    return Utf8Of(FillArgs(TrText("UAnalysisTexts", "%1 回中ミス %2 回"),
                           {Utf16Of(std::to_string(total)), Utf16Of(std::to_string(wrong))}));
}

} // namespace

std::string Utf8(std::u16string_view text) {
    return UUtf8::FromUtf16(text);
}

std::string PercentText(double share) {
    return FormatReal(share * 100);
}

std::string MillisText(std::optional<int> millis) {
    return millis ? std::to_string(*millis) : std::string();
}

std::string SignedMillisText(std::optional<int> millis) {
    if (!millis)
        return {};
    return (*millis > 0 ? "+" : "") + std::to_string(*millis);
}

std::string SignedPointsText(std::optional<double> points) {
    if (!points)
        return {};
    std::string text = FormatReal(*points);
    return text.front() == '-' || text == "0.0" ? text : "+" + text;
}

std::string ScoreText(std::optional<double> score) {
    return score ? FormatReal(*score) : std::string();
}

std::string SpellingsText(const UKanaAnalysis::TUnitRow& row) {
    std::string text;
    for (const UKanaAnalysis::TSpellingFigure& spelling : row.Spellings) {
        if (!text.empty())
            text += TrUtf8("UAnalysisTexts", "、");
        text += spelling.Keys + " " + PercentText(spelling.Share) + "%";
        if (spelling.MedianMillis)
            text += Utf8Of(FillArgs(TrText("UAnalysisTexts", "（%1ms）"),
                                    {Utf16Of(MillisText(spelling.MedianMillis))}));
    }
    return text;
}

std::string InsteadText(const UKanaAnalysis::TUnitRow& row) {
    if (row.TypedInstead.empty())
        return {};
    return row.InsteadOf + "→" + row.TypedInstead;
}

std::string WeakestLine(const std::vector<UKanaAnalysis::TUnitRow>& rows) {
    std::vector<const UKanaAnalysis::TUnitRow*> weakest;
    bool scored = false;
    for (const UKanaAnalysis::TUnitRow& row : rows) {
        scored = scored || row.Weakness.has_value();
        if (row.Weakest)
            weakest.push_back(&row);
    }
    if (weakest.empty())
        return scored ? TrUtf8("UAnalysisTexts",
                               "苦手なかなはありません。どのかなも、あなたの平均と同じか、"
                               "それより正確で速く打てています。")
                      : Utf8Of(FillArgs(TrText("UAnalysisTexts",
                                               "苦手なかなは、%1 回以上打ったかなから選びます。"
                                               "練習を続けると、ここに表示されます。"),
                                        {Utf16Of(std::to_string(UKanaAnalysis::MinAttempts))}));
    std::stable_sort(weakest.begin(), weakest.end(),
                     [](const auto* a, const auto* b) { return *a->Weakness > *b->Weakness; });
    std::string line = TrUtf8("UAnalysisTexts", "苦手なかな（苦手な順）: ");
    for (const UKanaAnalysis::TUnitRow* row : weakest)
        line += "「" + Utf8(row->Unit) + "」";
    return line;
}

std::string KeyTip(std::string_view caption, const UKanaAnalysis::TKeyFigure* figure) {
    std::string tip = Utf8Of(
        FillArgs(TrText("UAnalysisTexts", "キー %1"),
                 {caption == " " ? TrText("UAnalysisTexts", "スペース") : Utf16Of(caption)}));
    if (!figure || figure->Expected == 0)
        return tip + "\n" + TrUtf8("UAnalysisTexts", "まだ打つ場面がありません");
    tip += "\n" + Utf8Of(FillArgs(TrText("UAnalysisTexts", "正確さ %1%（%2）"),
                                  {Utf16Of(PercentText(1 - figure->ErrorRate.value_or(0))),
                                   Utf16Of(CountsText(figure->Expected, figure->Wrong))}));
    if (figure->MedianMillis)
        tip += "\n" + Utf8Of(FillArgs(TrText("UAnalysisTexts", "中央値 %1 ms"),
                                      {Utf16Of(MillisText(figure->MedianMillis))}));
    return tip;
}

std::string UnitTip(std::u16string_view unit, const UKanaAnalysis::TUnitRow* row) {
    std::string tip = Utf8(unit);
    if (!row)
        return tip + "\n" + TrUtf8("UAnalysisTexts", "この期間には打っていません");
    tip += "\n" + Utf8Of(FillArgs(TrText("UAnalysisTexts", "正確さ %1%（%2）"),
                                  {Utf16Of(PercentText(row->Accuracy)),
                                   Utf16Of(CountsText(row->Attempts, row->Failed))}));
    if (row->MedianMillis)
        tip += "\n" + Utf8Of(FillArgs(TrText("UAnalysisTexts", "中央値 %1 ms"),
                                      {Utf16Of(MillisText(row->MedianMillis))}));
    tip += "\n" +
           Utf8Of(FillArgs(TrText("UAnalysisTexts", "つづり %1"), {Utf16Of(SpellingsText(*row))}));
    if (!row->TypedInstead.empty())
        tip += "\n" + Utf8Of(FillArgs(TrText("UAnalysisTexts", "よくある打ち間違い %1"),
                                      {Utf16Of(InsteadText(*row))}));
    if (row->Weakness)
        tip += "\n" +
               Utf8Of(FillArgs(TrText("UAnalysisTexts", "苦手度 %1"),
                               {Utf16Of(ScoreText(row->Weakness))})) +
               (row->Weakest ? TrUtf8("UAnalysisTexts", "（苦手）") : "");
    return tip;
}

std::string DayText(int day) {
    const auto date = Civil(day);
    char text[16];
    std::snprintf(text, sizeof text, "%u/%02u", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()));
    return text;
}

std::string DateText(int day) {
    const auto date = Civil(day);
    char text[32];
    std::snprintf(text, sizeof text, "%d/%02u/%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string UnitTableCsv(const std::vector<UKanaAnalysis::TUnitRow>& rows) {
    std::string csv(UCsv::Utf8Bom);
    UCsv::AppendRow(csv, {"かな", "つづり（割合・中央値）", "回数", "ミスのあった回数",
                          "ミスしたキーの数", "正確さ（%）", "中央値（ミリ秒）", "正しいキー",
                          "打ったキー", "時間の変化（ミリ秒）", "正確さの変化（ポイント）",
                          "苦手度", "苦手"});
    for (const UKanaAnalysis::TUnitRow& row : rows)
        UCsv::AppendRow(csv, {Utf8(row.Unit), SpellingsText(row), std::to_string(row.Attempts),
                              std::to_string(row.Failed), std::to_string(row.Wrong),
                              PercentText(row.Accuracy), MillisText(row.MedianMillis),
                              row.InsteadOf, row.TypedInstead, SignedMillisText(row.TrendMillis),
                              SignedPointsText(row.TrendAccuracy), ScoreText(row.Weakness),
                              row.Weakest ? "1" : ""});
    return csv;
}

std::string CsvFileName(int year, int month, int day) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return std::string("かな別の分析_") + date + ".csv";
}

} // namespace UAnalysisTexts
