// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UGraphPlot.h"

#include "exercise/UExerciseStats.h"
#include "platform/ShiftJis.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cmath>

namespace {

using ShiftJis::Sjis;

// A strip's value of a record: part ÷ whole × factor rounded, or 0 unless whole > guard.
struct TValueRule {
    std::int32_t TPracticeRec::*Part;
    std::int32_t TPracticeRec::*Whole;
    int Factor;
    int Guard;
};
constexpr TValueRule ExampleSpeed{&TPracticeRec::ExampleCount, &TPracticeRec::Seconds, 60, 10};
constexpr TValueRule InputSpeed{&TPracticeRec::InputCount, &TPracticeRec::Seconds, 60, 10};
constexpr TValueRule MatchRate{&TPracticeRec::MatchCount, &TPracticeRec::InputCount, 100, 10};
constexpr TValueRule MissRate{&TPracticeRec::MissCount, &TPracticeRec::InputCount, 100, 10};
constexpr TValueRule ExtraRate{&TPracticeRec::ExtraCount, &TPracticeRec::InputCount, 100, 10};
constexpr TValueRule KeySpeed{&TPracticeRec::KeyCount, &TPracticeRec::Seconds, 60, 1};
constexpr TValueRule KanjiRate{&TPracticeRec::KanjiCount, &TPracticeRec::ExampleCount, 100, 10};

void Append(std::vector<std::int32_t>& values, const TRecList& list, const TValueRule& rule) {
    for (const TPracticeRec& rec : list) {
        const double whole = rec.*rule.Whole;
        values.push_back(
            rec.*rule.Whole > rule.Guard ? RoundToInt32(rec.*rule.Part / whole * rule.Factor) : 0);
    }
}

// Every "%3s" or "%5s" of `pattern` replaced by the next argument right-aligned in a field of
// 3 or 5 bytes (longer arguments are not cut).
std::string Format(std::u16string_view pattern, const std::vector<std::string>& args) {
    std::string text = Sjis(pattern), result;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && (text[i + 1] == '3' || text[i + 1] == '5') &&
            text[i + 2] == 's' && next < args.size()) {
            result += PadLeft(args[next++], static_cast<std::size_t>(text[i + 1] - '0'));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::vector<std::string> Characters(std::u16string_view word) {
    std::vector<std::string> characters;
    for (char16_t c : word)
        characters.push_back(Sjis(std::u16string_view(&c, 1)));
    return characters;
}

} // namespace

TStripPlot StripPlot(int strip, const TRecList& list, const TGraphView& view, const TOptionRec& o) {
    using TBound = std::int32_t TOptionRec::*;
    // One strip: its bounds in the settings and the rule of its (first) series.
    struct TStripRule {
        TBound Upper, Lower;
        const TValueRule& Values;
    };
    const TStripRule rules[] = {
        view.EnglishView
            ? TStripRule{&TOptionRec::GraphSpeedEnMax, &TOptionRec::GraphSpeedEnMin, ExampleSpeed}
            : TStripRule{&TOptionRec::GraphSpeedJpMax, &TOptionRec::GraphSpeedJpMin, ExampleSpeed},
        view.Sequential
            ? TStripRule{&TOptionRec::GraphSpeedJpMax, &TOptionRec::GraphSpeedJpMin, InputSpeed}
            : TStripRule{&TOptionRec::GraphMatchMax, &TOptionRec::GraphMatchMin, MatchRate},
        {&TOptionRec::GraphErrorMax, &TOptionRec::GraphErrorMin, MissRate},
        view.EnglishView
            ? TStripRule{&TOptionRec::GraphKeySpeedMax, &TOptionRec::GraphKeySpeedMin, KeySpeed}
            : TStripRule{&TOptionRec::GraphKanjiMax, &TOptionRec::GraphKanjiMin, KanjiRate},
    };
    const TStripRule& rule = rules[std::clamp(strip, 0, 3)];
    TStripPlot plot;
    plot.Upper = o.*rule.Upper;
    plot.Lower = o.*rule.Lower;
    Append(plot.Values, list, rule.Values);
    // The bulk error strip packs the extra rates after the miss rates.
    if (strip == 2 && !view.Sequential) {
        plot.Kind = 1;
        Append(plot.Values, list, ExtraRate);
    }
    return plot;
}

TStripGeometry::TStripGeometry(int height, std::int32_t upper, std::int32_t lower)
    : FHeight(height), FUpper(upper), FLower(lower),
      FMargin(static_cast<int>(std::nearbyint(height * 0.05))) {
    const double range = static_cast<double>(upper) - lower;
    FScale = 0.9 * height / (lower < upper ? range : 50.0);
}

int TStripGeometry::Offset(std::int32_t value) const {
    if (value <= FLower || FUpper <= FLower)
        return 0;
    const double range = static_cast<double>(FUpper) - FLower;
    const double above = value > FUpper ? range : static_cast<double>(value) - FLower;
    return static_cast<int>(std::nearbyint(above * FScale));
}

std::vector<int> TStripGeometry::GridLineYs() const {
    std::vector<int> ys;
    const long long k = (static_cast<long long>(FUpper) - FLower) / 10;
    if (k < 2 || FHeight <= 0)
        return ys;
    auto lineY = [this](long long l) {
        return Baseline() - static_cast<int>(std::nearbyint(10.0 * l * FScale));
    };
    if (k - 1 <= FHeight) {
        for (long long l = 1; l < k; ++l) {
            int y = lineY(l);
            if (ys.empty() || ys.back() != y)
                ys.push_back(y);
        }
    } else {
        // Lines closer than a pixel: they cover every row from the first to the last.
        for (int y = lineY(1); y >= lineY(k - 1); --y)
            ys.push_back(y);
    }
    return ys;
}

int RecordAt(int x, int count) {
    if (count <= 0)
        return -1;
    int b = (x - 50) / 10;
    return std::clamp(b, 0, count - 1);
}

std::string StripHint(int strip, const TGraphView& view) {
    switch (strip) {
    case 0:
        if (view.Sequential)
            return TrSjis("UGraphPlot", "入力速度（例文文字数）");
        return Sjis(view.EnglishView ? TrText("UGraphPlot", "入力速度（Word／分）")
                                     : TrText("UGraphPlot", "入力速度（文字／分）"));
    case 1:
        return Sjis(view.Sequential ? TrText("UGraphPlot", "入力速度（入力文字数）")
                                    : TrText("UGraphPlot", "一致率（％）"));
    case 2:
        return Sjis(view.Sequential ? TrText("UGraphPlot", "誤字率（％）")
                                    : TrText("UGraphPlot", "赤は脱字率、青は余字率（％）"));
    default:
        return Sjis(view.EnglishView ? TrText("UGraphPlot", "打鍵速度（打／分）")
                                     : TrText("UGraphPlot", "漢字含有率（％）"));
    }
}

std::vector<std::string> StripLabel(int strip, const TGraphView& view) {
    switch (strip) {
    case 0:
        return Characters(TrText("UGraphPlot", "入力速度"));
    case 1:
        return Characters(view.Sequential ? TrText("UGraphPlot", "入力速度")
                                          : TrText("UGraphPlot", "一致率"));
    case 2:
        return Characters(view.Sequential ? TrText("UGraphPlot", "誤字率")
                                          : TrText("UGraphPlot", "誤・脱"));
    default:
        return Characters(view.EnglishView ? TrText("UGraphPlot", "打鍵速度")
                                           : TrText("UGraphPlot", "漢字含有率"));
    }
}

std::vector<std::string> ErrorStripBlueLabel() {
    return Characters(TrText("UGraphPlot", "余字率"));
}

std::string ReadOutText(const TPracticeRec& r, int index, const TGraphView& view) {
    auto figure = [](float part, float whole, float factor, bool guard) {
        return FormatReal(guard ? part / whole * factor : 0.0f);
    };
    const bool typed = r.InputCount > 10;
    const float seconds = static_cast<float>(r.Seconds);
    const std::string number = FormatCount(index + 1);
    const std::string inputSpeed = figure(r.InputCount, seconds, 60, r.Seconds > 10);
    const std::string missRate = figure(r.MissCount, r.InputCount, 100, typed);
    if (view.Sequential)
        return Format(
            TrText("UGraphPlot",
                   "%3s 入力速度 %5s 文字/分  入力速度 %5s 文字/分  誤字率%5s％  漢字含有率%5s％"),
            {number, inputSpeed, figure(r.ExampleCount, seconds, 60, r.Seconds > 10), missRate,
             figure(r.KanjiCount, r.ExampleCount, 100, r.ExampleCount > 10)});
    const std::string matchRate = figure(r.MatchCount, r.InputCount, 100, typed);
    const std::string extraRate = figure(r.ExtraCount, r.InputCount, 100, typed);
    if (view.EnglishView)
        return Format(
            TrText("UGraphPlot",
                   "%3s 入力速度 %5swpm  一致率%5s％  誤・脱字率%5s％  余字率%5s％  打鍵速度 "
                   "%5s打/分"),
            {number, inputSpeed, matchRate, missRate, extraRate,
             figure(r.KeyCount, seconds, 60, r.Seconds > 1)});
    return Format(
        TrText("UGraphPlot", "%3s 入力速度 %5s文字/分  一致率%5s％  誤・脱字率%5s％ 余字率%5s％"),
        {number, inputSpeed, matchRate, missRate, extraRate});
}

std::string ReadOutHint(const TGraphView& view) {
    if (!view.Sequential)
        return {};
    return TrSjis("UGraphPlot", "最初の入力速度は入力した文字数から、"
                                "次の入力速度は例文の文字数から求めた 1 分あたりの文字数です。");
}
