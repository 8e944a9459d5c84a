// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/UAnalysisTexts.h"

#include "tests/support/CsvReader.h"

#include <gtest/gtest.h>

namespace {

using namespace UAnalysisTexts;
using UKanaAnalysis::TUnitRow;

// しゃ, typed SHA mostly and SYA sometimes, with H→Y as its usual slip.
TUnitRow Sha() {
    TUnitRow row;
    row.Unit = u"しゃ";
    row.Attempts = 50;
    row.Failed = 8;
    row.Wrong = 9;
    row.Accuracy = 0.84;
    row.MedianMillis = 410;
    row.Spellings = {{"SHA", 40, 0.8, 400}, {"SYA", 10, 0.2, std::nullopt}};
    row.TypedInstead = "Y";
    row.InsteadOf = "H";
    row.TrendMillis = -35;
    row.TrendAccuracy = 2.5;
    row.Weakness = 1.84;
    row.Weakest = true;
    return row;
}

TEST(AnalysisTextsTest, FiguresAreWrittenAsTheTableShowsThem) {
    struct TCase {
        std::string Text, Expected;
    } cases[] = {
        {PercentText(0.968), "96.8"},
        {PercentText(1), "100.0"},
        {PercentText(0), "0.0"},
        {MillisText(320), "320"},
        {MillisText(std::nullopt), ""},
        {SignedMillisText(12), "+12"},
        {SignedMillisText(-35), "-35"},
        {SignedMillisText(0), "0"},
        {SignedMillisText(std::nullopt), ""},
        {SignedPointsText(2.04), "+2.0"},
        {SignedPointsText(-1.5), "-1.5"},
        {SignedPointsText(0), "0.0"},
        {SignedPointsText(std::nullopt), ""},
        {ScoreText(1.84), "1.8"},
        {ScoreText(std::nullopt), ""},
        {SpellingsText(Sha()), "SHA 80.0%（400ms）、SYA 20.0%"},
        {InsteadText(Sha()), "H→Y"},
        {InsteadText(TUnitRow{}), ""},
        {DayText(0), "1/01"},
        {DateText(0), "1970/01/01"},
        {DayText(20795), "12/08"},
        {DateText(20795), "2026/12/08"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(c.Text, c.Expected);
}

TEST(AnalysisTextsTest, TheWeakestLineNamesTheWeakestFirstOrSaysWhyThereAreNone) {
    TUnitRow nu = Sha();
    nu.Unit = u"ぬ";
    nu.Weakness = 2.5;
    TUnitRow ka;
    ka.Unit = u"か";
    ka.Weakness = 0.8;
    EXPECT_EQ(WeakestLine({Sha(), nu, ka}), "苦手なかな（苦手な順）: 「ぬ」「しゃ」");
    EXPECT_EQ(WeakestLine({ka}),
              "苦手なかなはありません。どのかなも、あなたの平均と同じか、それより正確で速く打てて"
              "います。");
    ka.Weakness.reset();
    EXPECT_EQ(WeakestLine({ka}), "苦手なかなは、10 回以上打ったかなから選びます。練習を続けると、"
                                 "ここに表示されます。");
    EXPECT_EQ(WeakestLine({}), WeakestLine({ka}));
}

TEST(AnalysisTextsTest, TipsGiveTheFiguresAndTheCountsBehindThem) {
    UKanaAnalysis::TKeyFigure key{"F", 200, 7, 0.035, 240};
    EXPECT_EQ(KeyTip("F", &key), "キー F\n正確さ 96.5%（200 回中ミス 7 回）\n中央値 240 ms");
    EXPECT_EQ(KeyTip(" ", nullptr), "キー スペース\nまだ打つ場面がありません");
    const TUnitRow sha = Sha();
    EXPECT_EQ(UnitTip(u"しゃ", &sha), "しゃ\n正確さ 84.0%（50 回中ミス 8 回）\n中央値 410 ms\n"
                                      "つづり SHA 80.0%（400ms）、SYA 20.0%\n"
                                      "よくある打ち間違い H→Y\n苦手度 1.8（苦手）");
    EXPECT_EQ(UnitTip(u"ゑ", nullptr), "ゑ\nこの期間には打っていません");
}

TEST(AnalysisTextsTest, TheCsvReadsBackWithEveryFieldWhole) {
    TUnitRow comma;
    comma.Unit = u"、";
    comma.Attempts = 12;
    comma.Accuracy = 1;
    comma.Spellings = {{",", 12, 1, 150}};
    const std::string csv = UnitTableCsv({Sha(), comma});
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const auto rows = ParseCsv(std::string_view(csv).substr(3));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"かな", "つづり（割合・中央値）", "回数",
                                                 "ミスのあった回数", "ミスしたキーの数",
                                                 "正確さ（%）", "中央値（ミリ秒）", "正しいキー",
                                                 "打ったキー", "時間の変化（ミリ秒）",
                                                 "正確さの変化（ポイント）", "苦手度", "苦手"}));
    EXPECT_EQ(rows[1],
              (std::vector<std::string>{"しゃ", "SHA 80.0%（400ms）、SYA 20.0%", "50", "8", "9",
                                        "84.0", "410", "H", "Y", "-35", "+2.5", "1.8", "1"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"、", ", 100.0%（150ms）", "12", "0", "0", "100.0",
                                                 "", "", "", "", "", "", ""}));
    EXPECT_NE(csv.find("\", 100.0%（150ms）\""), std::string::npos) << "the comma is quoted";
    EXPECT_EQ(CsvFileName(2026, 12, 8), "かな別の分析_2026-12-08.csv");
}

} // namespace
