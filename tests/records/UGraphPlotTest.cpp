// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UGraphPlot.h"

#include "platform/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

using ShiftJis::Sjis;

TPracticeRec Counts(int example, int input, int match, int miss, int extra, int kanji, int keys,
                    int seconds) {
    TPracticeRec rec{};
    rec.RecDate = 45000;
    rec.RecMode = TRecordMode::BulkWhole;
    rec.ExampleCount = example;
    rec.InputCount = input;
    rec.MatchCount = match;
    rec.MissCount = miss;
    rec.ExtraCount = extra;
    rec.KanjiCount = kanji;
    rec.KeyCount = keys;
    rec.Seconds = seconds;
    return rec;
}

TOptionRec Bounds() {
    TOptionRec o{};
    o.GraphSpeedJpMax = 90, o.GraphSpeedJpMin = 50;
    o.GraphMatchMax = 100, o.GraphMatchMin = 80;
    o.GraphErrorMax = 20, o.GraphErrorMin = 0;
    o.GraphKanjiMax = 40, o.GraphKanjiMin = 20;
    o.GraphSpeedEnMax = 50, o.GraphSpeedEnMin = 20;
    o.GraphKeySpeedMax = 200, o.GraphKeySpeedMin = 160;
    return o;
}

TEST(UGraphPlotTest, StripValuesBoundsAndGuards) {
    // 80 of 100 characters in 40 s; 96 matches of 120 typed; 300 keys.
    const TRecList list = {Counts(80, 120, 96, 12, 6, 30, 300, 40),
                           Counts(80, 10, 9, 1, 0, 10, 300, 10),
                           Counts(10, 120, 96, 12, 6, 3, 5, 2)};
    struct {
        const char* Name;
        int Strip;
        TGraphView View;
        int Kind, Upper, Lower;
        std::vector<std::int32_t> Values;
    } cases[] = {
        {"speed", 0, {false, false}, 0, 90, 50, {120, 0, 0}},
        {"English speed", 0, {false, true}, 0, 50, 20, {120, 0, 0}},
        {"match rate, 10 typed plot 0", 1, {false, false}, 0, 100, 80, {80, 0, 80}},
        {"sequential input speed", 1, {true, false}, 0, 90, 50, {180, 0, 0}},
        {"miss then extra rates", 2, {false, false}, 1, 20, 0, {10, 0, 10, 5, 0, 5}},
        {"sequential miss rate", 2, {true, false}, 0, 20, 0, {10, 0, 10}},
        {"kanji rate, 10 characters plot 0", 3, {false, false}, 0, 40, 20, {38, 12, 0}},
        {"English key speed, guard 1 s", 3, {false, true}, 0, 200, 160, {450, 1800, 150}},
    };
    for (const auto& c : cases) {
        TStripPlot plot = StripPlot(c.Strip, list, c.View, Bounds());
        EXPECT_EQ(plot.Kind, c.Kind) << c.Name;
        EXPECT_EQ(plot.Upper, c.Upper) << c.Name;
        EXPECT_EQ(plot.Lower, c.Lower) << c.Name;
        EXPECT_EQ(plot.Values, c.Values) << c.Name;
    }
}

TEST(UGraphPlotTest, HugeValuesSaturateInsteadOfOverflowing) {
    const TRecList list = {Counts(std::numeric_limits<std::int32_t>::max(), 0, 0, 0, 0, 0,
                                  std::numeric_limits<std::int32_t>::min(), 11)};
    EXPECT_EQ(StripPlot(0, list, {}, Bounds()).Values[0], std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(StripPlot(3, list, {false, true}, Bounds()).Values[0],
              std::numeric_limits<std::int32_t>::min());
}

TEST(UGraphPlotTest, TheDefaultSpeedStripOf60Pixels) {
    TStripGeometry g(60, 90, 50);
    EXPECT_EQ(g.Margin(), 3);
    EXPECT_EQ(g.Baseline(), 57);
    EXPECT_DOUBLE_EQ(g.Scale(), 1.35);
    EXPECT_EQ(g.GridLineYs(), (std::vector<int>{43, 30, 17}));
    struct {
        std::int32_t Value;
        int Y;
    } points[] = {{10, 57}, {50, 57}, {60, 43}, {70, 30}, {90, 3}, {500, 3}};
    for (const auto& p : points)
        EXPECT_EQ(g.PointY(p.Value), p.Y) << p.Value;
}

TEST(UGraphPlotTest, DottedLinesNeverOutnumberThePixelRows) {
    struct {
        int Height;
        std::int32_t Upper, Lower;
        std::size_t MaxLines;
    } cases[] = {
        {60, 2147483647, -2147483647 - 1, 60},
        {60, 1000, 0, 60},
        {10, 100000, 0, 10},
        {60, 50, 90, 0}, // upper below lower
        {60, 50, 50, 0},
        {60, 59, 50, 0},
        {0, 1000, 0, 0},
    };
    for (const auto& c : cases) {
        TStripGeometry g(c.Height, c.Upper, c.Lower);
        std::vector<int> ys = g.GridLineYs();
        EXPECT_LE(ys.size(), c.MaxLines) << c.Upper << "/" << c.Lower;
        for (int y : ys) {
            EXPECT_GE(y, g.Margin()) << c.Upper << "/" << c.Lower;
            EXPECT_LE(y, g.Baseline()) << c.Upper << "/" << c.Lower;
        }
    }
    EXPECT_EQ(TStripGeometry(60, 1000, 0).GridLineYs().size(), 53u) << "rows 56 down to 4";
}

TEST(UGraphPlotTest, BoundsOutOfOrderPutEveryPointOnTheBaseline) {
    TStripGeometry g(60, 50, 90);
    EXPECT_DOUBLE_EQ(g.Scale(), 0.9 * 60 / 50);
    for (std::int32_t v : {0, 60, 100})
        EXPECT_EQ(g.PointY(v), g.Baseline()) << v;
}

TEST(UGraphPlotTest, TheRecordUnderTheMouse) {
    struct {
        int X, Count, Record;
    } cases[] = {{0, 0, -1}, {100, 0, -1}, {0, 5, 0},    {49, 5, 0},  {59, 5, 0},
                 {60, 5, 1}, {95, 5, 4},   {2000, 5, 4}, {-30, 5, 0}, {50, 1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(RecordAt(c.X, c.Count), c.Record) << c.X << " of " << c.Count;
}

TEST(UGraphPlotTest, ReadOutFieldsAreRightAligned) {
    const TPracticeRec rec = Counts(80, 120, 96, 12, 6, 30, 300, 40);
    EXPECT_EQ(ReadOutText(rec, 4, {false, false}),
              Sjis(u"  5 入力速度 180.0文字/分  一致率 80.0％  誤・脱字率 10.0％ 余字率  5.0％"));
    EXPECT_EQ(ReadOutText(rec, 11, {false, true}),
              Sjis(u" 12 入力速度 180.0wpm  一致率 80.0％  誤・脱字率 10.0％  余字率  5.0％  "
                   u"打鍵速度 450.0打/分"));
    EXPECT_EQ(ReadOutText(rec, 122, {true, false}),
              Sjis(u"123 入力速度 180.0 文字/分  入力速度 120.0 文字/分  誤字率 10.0％  "
                   u"漢字含有率 37.5％"));
    // Guards of the read-out: more than 10 typed, more than 10 characters, over 1 second.
    const TPracticeRec few = Counts(10, 10, 9, 1, 0, 5, 300, 2);
    EXPECT_EQ(ReadOutText(few, 1233, {false, true}),
              Sjis(u"1234 入力速度   0.0wpm  一致率  0.0％  誤・脱字率  0.0％  余字率  0.0％  "
                   u"打鍵速度 9000.0打/分"));
}

TEST(UGraphPlotTest, HintsAndLabelsFollowModeAndEnglishView) {
    EXPECT_EQ(StripHint(0, {false, true}), Sjis(u"入力速度（Word／分）"));
    EXPECT_EQ(StripHint(0, {true, true}), Sjis(u"入力速度（例文文字数）"));
    EXPECT_EQ(StripHint(2, {false, false}), Sjis(u"赤は脱字率、青は余字率（％）"));
    EXPECT_EQ(StripHint(3, {true, true}), Sjis(u"打鍵速度（打／分）"));
    EXPECT_EQ(StripLabel(3, {false, false}).size(), 5u);
    EXPECT_EQ(StripLabel(1, {false, false}),
              (std::vector<std::string>{Sjis(u"一"), Sjis(u"致"), Sjis(u"率")}));
    EXPECT_EQ(StripLabel(2, {false, false})[1], Sjis(u"・"));
}

} // namespace
