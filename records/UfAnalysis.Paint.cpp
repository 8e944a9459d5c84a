// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the analysis window: the keyboard and the kana chart as heat maps with their
// legend, the progress by day, and the tool tips that give each key, kana and day its figures.

#include "records/UfAnalysis.h"

#include "analysis/UAnalysisTexts.h"
#include "exercise/UExerciseStats.h"
#include "platform/Fonts.h"
#include "platform/PaintBox.h"
#include "romaji/UuKbClass.h"
#include "romaji/UuKbLabels.h"
#include "ui_UfAnalysis.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStaticText>

#include <climits>
#include <cmath>
#include <limits>

namespace {

using UHeatMap::TMeasure;
using UHeatMap::TScale;

const QColor NoFigureRim(150, 150, 150);
const QColor NoFigureText(150, 150, 150);
const QColor ChartBackground(255, 255, 255);
const QColor ProgressLine = QColor(49, 104, 142);
const QColor GridColor(200, 200, 200);

QColor ToQColor(TRgb c) {
    return QColor(c.R, c.G, c.B);
}

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Q(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont PixelFont(const QString& face, int pixels, bool bold = false) {
    QFont font(face);
    font.setPixelSize(std::max(1, pixels));
    font.setBold(bold);
    return font;
}

// The lowest pixel row plus one and the rightmost pixel column plus one of the keys.
QPoint KeysEnd(const TKbGeometry& geometry, const QPolygonF& area) {
    const QRectF box = area.boundingRect();
    QPoint end;
    for (int i = 0; i < geometry.Count(); ++i) {
        if (!geometry.IsPainted(i))
            continue;
        const TKbPoint c = geometry.Centre(i);
        end.setX(std::max(end.x(), static_cast<int>(std::ceil(c.X + box.right()))));
        end.setY(std::max(end.y(), static_cast<int>(std::ceil(c.Y + box.bottom()))));
    }
    return end;
}

QString ScaleLabel(double value, TMeasure measure) {
    return QString::number(std::lround(measure == TMeasure::Accuracy ? value * 100 : value));
}

// The legend of a heat map down `area`: what is measured, the colours from good (top) to weak
// (bottom) with the figures at both ends and the middle, and how a key or kana without a
// figure looks.
void DrawLegend(QPainter& painter, const QRect& area, const TScale& scale, TMeasure measure,
                const QColor& textColor) {
    painter.save();
    painter.setFont(PixelFont(ProportionalFontFace, 12));
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const int x = area.left() + 4;
    int y = area.top() + 8;
    auto write = [&](const QString& text, int left) {
        painter.setPen(textColor);
        painter.drawText(left, y + metrics.ascent(), text);
        y += line + 2;
    };
    write(measure == TMeasure::Accuracy ? TfrmAnalysis::tr("正確さ（%）")
                                        : TfrmAnalysis::tr("中央値（ミリ秒）"),
          x);
    write(TfrmAnalysis::tr("良い"), x);

    constexpr int barWidth = 14;
    const int barHeight = std::clamp(area.height() - 6 * line - 40, 40, 220);
    QLinearGradient gradient(0, y, 0, y + barHeight);
    constexpr int stops = static_cast<int>(std::size(UHeatMap::Stops));
    for (int i = 0; i < stops; ++i)
        gradient.setColorAt(static_cast<double>(i) / (stops - 1), ToQColor(UHeatMap::Stops[i]));
    const QRect bar(x, y, barWidth, barHeight);
    painter.fillRect(bar, gradient);
    painter.setPen(NoFigureRim);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    painter.setPen(textColor);
    const int labelX = bar.right() + 6;
    const double ends[] = {scale.Good, (scale.Good + scale.Weak) / 2, scale.Weak};
    const int labelYs[] = {bar.top() + metrics.ascent() - 2,
                           bar.center().y() + metrics.ascent() / 2 - 1, bar.bottom() + 2};
    for (int i = 0; i < 3; ++i)
        painter.drawText(labelX, labelYs[i], ScaleLabel(ends[i], measure));
    y += barHeight + 4;
    write(TfrmAnalysis::tr("苦手"), x);

    y += line;
    const QRect swatch(x, y + (line - barWidth) / 2, barWidth, barWidth);
    painter.fillRect(swatch, ChartBackground);
    painter.setPen(NoFigureRim);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    write(TfrmAnalysis::tr("記録なし"), labelX);
    painter.restore();
}

// A mark of the kana course's state over a chart cell.
void DrawUnitState(QPainter& painter, const QRect& cell, TUnitState state, const QColor& ink) {
    const int mark = std::max(4, cell.height() / 4);
    const QRect corner(cell.right() - mark - 2, cell.top() + 2, mark, mark);
    painter.save();
    switch (state) {
    case TUnitState::Open:
        break;
    case TUnitState::Locked:
        painter.fillRect(cell, QBrush(QColor(90, 90, 90), Qt::BDiagPattern));
        break;
    case TUnitState::InProgress:
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(corner);
        break;
    case TUnitState::Mastered:
        painter.setPen(QPen(ink, std::max(1.5, mark / 5.0)));
        painter.drawPolyline(QPolygonF{
            QPointF(corner.left(), corner.center().y()),
            QPointF(corner.left() + mark * 0.4, corner.bottom()),
            QPointF(corner.right(), corner.top()),
        });
        break;
    }
    painter.restore();
}

// ---- Progress by day

struct TSeries {
    const char* Title;
    std::optional<double> UKanaAnalysis::TDayProgress::*Field;
    double Factor;  // 100 for a share shown as per cent
    double MinSpan; // the least range of the value axis
};

constexpr double NoLimit = std::numeric_limits<double>::infinity();

const TSeries ProgressSeries[] = {
    {QT_TRANSLATE_NOOP("TfrmAnalysis", "タッチタイプ: かな／分"),
     &UKanaAnalysis::TDayProgress::KanaPerMinute, 1, 10},
    {QT_TRANSLATE_NOOP("TfrmAnalysis", "タッチタイプ: 正確さ（%）"),
     &UKanaAnalysis::TDayProgress::TouchAccuracy, 100, 5},
    {QT_TRANSLATE_NOOP("TfrmAnalysis", "逐次入力: 確定が正しかった割合（%）"),
     &UKanaAnalysis::TDayProgress::AcceptedShare, 100, 5},
    {QT_TRANSLATE_NOOP("TfrmAnalysis", "逐次入力: 確定した 1 文字あたりの打鍵数"),
     &UKanaAnalysis::TDayProgress::KeysPerChar, 1, 0.5},
};
constexpr int SeriesCount = static_cast<int>(std::size(ProgressSeries));

// Where a strip of the progress chart draws.
struct TStrip {
    QRect Box;
    QRect Plot;
};

TStrip StripAt(QSize size, int index) {
    const int height = size.height() / SeriesCount;
    const QRect box(0, index * height, size.width(), height);
    return {box, QRect(QPoint(60, box.top() + 22), QPoint(box.right() - 20, box.bottom() - 20))};
}

// Bounds of a value axis at round numbers that hold `low` and `high` and are at least `span`
// apart, within `floor` and `ceiling`.
std::pair<double, double> AxisBounds(double low, double high, double span, double floor,
                                     double ceiling) {
    if (high - low < span) {
        const double middle = (low + high) / 2;
        low = middle - span / 2;
        high = middle + span / 2;
    }
    // The round step of at least a quarter of the range: 1, 2 or 5 times a power of ten.
    const double quarter = (high - low) / 4;
    const double power = std::pow(10.0, std::floor(std::log10(quarter)));
    double step = power;
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= quarter) {
            step = factor * power;
            break;
        }
    low = std::floor(low / step) * step;
    high = std::ceil(high / step) * step;
    if (low < floor) {
        high = std::min(ceiling, high + (floor - low));
        low = floor;
    }
    if (high > ceiling) {
        low = std::max(floor, low - (high - ceiling));
        high = ceiling;
    }
    return {low, high};
}

} // namespace

// ---- The heat map's keyboard and chart ----

THeatKeyboard THeatKeyboard::For(QSize size, TKeyboardStyle style) {
    const int width = std::max(0, size.width() - HeatLegendWidth);
    const int height = size.height();
    auto layout = [&](int room) {
        THeatKeyboard keyboard;
        keyboard.Geometry = LayoutKeyboard(width, room, style);
        keyboard.Area = KeyArea(keyboard.Geometry.OutlineScale);
        return keyboard;
    };
    THeatKeyboard keyboard = layout(height);
    // No finger names are written under the keys here: the keys may take their room.
    const int names =
        KeyboardHeight(keyboard.Geometry) - KeysEnd(keyboard.Geometry, keyboard.Area).y();
    if (THeatKeyboard larger = layout(height + std::max(0, names));
        KeysEnd(larger.Geometry, larger.Area).y() <= height)
        keyboard = std::move(larger);
    keyboard.Dx = std::max(0, (width - KeysEnd(keyboard.Geometry, keyboard.Area).x() - 5) / 2);
    return keyboard;
}

std::optional<QPoint> THeatKeyboard::Centre(std::string_view caption) const {
    int index = 0;
    if (!Geometry.FindKey(caption, index) || !Geometry.IsPainted(index))
        return std::nullopt;
    const TKbPoint c = Geometry.Centre(index);
    return QPoint(c.X + Dx, c.Y);
}

int THeatKeyboard::KeyAt(QPoint at) const {
    const QPointF p(at.x() - Dx, at.y());
    int found = -1;
    double nearest = 0;
    for (int i = 0; i < Geometry.Count(); ++i) {
        if (!Geometry.IsPainted(i))
            continue;
        const TKbPoint c = Geometry.Centre(i);
        const QPointF offset = p - QPointF(c.X, c.Y);
        if (!Area.containsPoint(offset, Qt::OddEvenFill))
            continue;
        const double distance = std::hypot(offset.x(), offset.y());
        if (found < 0 || distance < nearest) {
            found = i;
            nearest = distance;
        }
    }
    return found;
}

UHeatMap::TChartLayout HeatChartLayout(QSize size) {
    return UHeatMap::ChartLayout(size.width() - HeatLegendWidth, size.height());
}

// ---- Scales and figures ----

std::optional<double> TfrmAnalysis::KeyValue(const std::string& caption) const {
    auto it = FKeys.find(caption);
    if (it == FKeys.end() || it->second.Expected == 0)
        return std::nullopt;
    if (FMeasure == TMeasure::Accuracy)
        return 1 - it->second.ErrorRate.value_or(0);
    if (!it->second.MedianMillis)
        return std::nullopt;
    return *it->second.MedianMillis;
}

std::optional<double> TfrmAnalysis::UnitValue(std::u16string_view unit) const {
    auto it = FRowOfUnit.find(std::u16string(unit));
    if (it == FRowOfUnit.end())
        return std::nullopt;
    const UKanaAnalysis::TUnitRow& row = FRows[it->second];
    if (FMeasure == TMeasure::Accuracy)
        return row.Accuracy;
    if (!row.MedianMillis)
        return std::nullopt;
    return *row.MedianMillis;
}

namespace {

// The scale over `values`: accuracy from 100 % to the worst one, time from the fastest to the
// slowest.
TScale ScaleOf(TMeasure measure, const std::vector<double>& values) {
    if (measure == TMeasure::Accuracy) {
        double worst = 1;
        for (double v : values)
            worst = std::min(worst, v);
        return UHeatMap::AccuracyScale(worst);
    }
    if (values.empty())
        return UHeatMap::TimeScale(0, 0);
    auto [fastest, slowest] = std::minmax_element(values.begin(), values.end());
    return UHeatMap::TimeScale(static_cast<int>(*fastest), static_cast<int>(*slowest));
}

} // namespace

TScale TfrmAnalysis::KeyScale() const {
    std::vector<double> values;
    for (const auto& [caption, figure] : FKeys)
        if (std::optional<double> value = KeyValue(caption))
            values.push_back(*value);
    return ScaleOf(FMeasure, values);
}

TScale TfrmAnalysis::UnitScale() const {
    std::vector<double> values;
    for (const UKanaAnalysis::TUnitRow& row : FRows)
        if (std::optional<double> value = UnitValue(row.Unit))
            values.push_back(*value);
    return ScaleOf(FMeasure, values);
}

// ---- The keyboard ----

void TfrmAnalysis::PaintBox1Paint(QPainter& painter) {
    TPaintBox* box = ui->PaintBox1;
    const QColor face = box->palette().color(QPalette::Button);
    const QColor text = box->palette().color(QPalette::ButtonText);
    painter.fillRect(box->rect(), face);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const THeatKeyboard keyboard = THeatKeyboard::For(box->size(), HeatStyle());
    const TKbGeometry& g = keyboard.Geometry;
    const TScale scale = KeyScale();
    painter.setFont(PixelFont(FixedFontFace, g.FontPixels, g.FontBold));
    // Kana legends are placed to fit their ovals, as on the touch-typing keyboard.
    const std::vector<std::vector<TKeyLabel>> kanaLabels =
        g.Style.Legends == TKeyLegends::Kana ? KeyLabels(g, painter.font())
                                             : std::vector<std::vector<TKeyLabel>>{};
    painter.save();
    painter.translate(keyboard.Dx, 0);
    for (int i = 0; i < g.Count(); ++i) {
        if (!g.IsPainted(i))
            continue;
        const TKeyRec& key = g.Keys[i];
        QColor fill = face, caption = NoFigureText;
        if (std::optional<double> value = KeyValue(key.Caption)) {
            const TRgb color = UHeatMap::ColorAt(scale.Weakness(*value));
            fill = ToQColor(color);
            caption = ToQColor(UHeatMap::CaptionColorOn(color));
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
        } else {
            painter.setPen(QPen(NoFigureRim, 1));
            painter.setBrush(Qt::NoBrush);
        }
        const TKbPoint c = g.Centre(i);
        painter.translate(c.X, c.Y);
        painter.drawPolygon(keyboard.Area);
        painter.translate(-c.X, -c.Y);
        if (!kanaLabels.empty()) {
            for (const TKeyLabel& label : kanaLabels[i]) {
                painter.setFont(label.Font);
                WriteKeyText(painter, label.Text, label.At.x(), label.At.y(), caption, fill);
            }
            continue;
        }
        WriteKeyText(painter, PlainStaticText(Q(key.Caption)), key.TextX, key.TextY, caption, fill);
        int shifted = 0;
        if (!key.ShiftCaption.empty() && g.FindKey(key.ShiftCaption, shifted)) {
            const TKeyRec& s = g.Keys[shifted];
            WriteKeyText(painter, PlainStaticText(Q(s.Caption)), s.TextX, s.TextY, caption, fill);
        }
    }
    painter.restore();
    DrawLegend(painter, QRect(box->width() - HeatLegendWidth, 0, HeatLegendWidth, box->height()),
               scale, FMeasure, text);
}

QString TfrmAnalysis::PaintBox1Tip(QPoint at) const {
    const THeatKeyboard keyboard = THeatKeyboard::For(ui->PaintBox1->size(), HeatStyle());
    const int index = keyboard.KeyAt(at);
    if (index < 0)
        return {};
    const TKeyRec& key = keyboard.Geometry.Keys[index];
    std::string caption = key.Caption;
    if (!key.ShiftCaption.empty())
        caption += " " + key.ShiftCaption;
    if (!key.Kana.empty())
        caption += " " + key.Kana + (key.ShiftKana.empty() ? "" : " " + key.ShiftKana);
    auto it = FKeys.find(key.Caption);
    return Q(UAnalysisTexts::KeyTip(caption, it == FKeys.end() ? nullptr : &it->second));
}

// The heat map's keyboard: the touch-typing one of the settings, with kana legends in kana input.
TKeyboardStyle TfrmAnalysis::HeatStyle() const {
    return {KeyboardInUse(FTouch),
            FTouch.Style == TInputStyle::Kana ? TKeyLegends::Kana : TKeyLegends::Romaji};
}

// ---- The kana chart ----

void TfrmAnalysis::PaintBox2Paint(QPainter& painter) {
    TPaintBox* box = ui->PaintBox2;
    const QColor face = box->palette().color(QPalette::Button);
    const QColor text = box->palette().color(QPalette::ButtonText);
    painter.fillRect(box->rect(), face);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const UHeatMap::TChartLayout layout = HeatChartLayout(box->size());
    if (layout.Cells.empty())
        return;
    const TScale scale = UnitScale();
    const int cw = layout.CellWidth, ch = layout.CellHeight;
    // The kana over its figure where the cell is tall or narrow, else side by side.
    const bool twoLines = ch >= 22 || cw < 2 * ch;
    auto pixels = [](double size, int most) { return std::clamp(static_cast<int>(size), 7, most); };
    const QFont titleFont = PixelFont(ProportionalFontFace, pixels(ch * 0.65, 16), true);
    const QFont kanaFont = PixelFont(
        ProportionalFontFace,
        pixels(twoLines ? std::min(ch * 0.5, cw * 0.4) : std::min(ch * 0.62, cw * 0.24), 28));
    const QFont figureFont = PixelFont(
        ProportionalFontFace,
        pixels(twoLines ? std::min(ch * 0.36, cw / 2.6) : std::min(ch * 0.45, cw * 0.14), 15));

    painter.setFont(titleFont);
    painter.setPen(text);
    for (const UHeatMap::TChartTitle& title : layout.Titles) {
        const QRect r(title.Box.Left, title.Box.Top, title.Box.Width, title.Box.Height);
        painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, Q(title.Title));
    }
    for (const UHeatMap::TChartCell& cell : layout.Cells) {
        const QRect r = QRect(cell.Box.Left, cell.Box.Top, cell.Box.Width, cell.Box.Height)
                            .adjusted(1, 1, -1, -1);
        auto row = FRowOfUnit.find(std::u16string(cell.Unit));
        const bool typed = row != FRowOfUnit.end();
        const std::optional<double> value = UnitValue(cell.Unit);
        QColor fill = ChartBackground, ink = typed ? QColor(Qt::black) : NoFigureText;
        if (value) {
            const TRgb color = UHeatMap::ColorAt(scale.Weakness(*value));
            fill = ToQColor(color);
            ink = ToQColor(UHeatMap::CaptionColorOn(color));
        }
        painter.fillRect(r, fill);
        if (!value) {
            painter.setPen(NoFigureRim);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        }
        QString figure;
        if (value)
            figure = Q(FMeasure == TMeasure::Accuracy
                           ? UAnalysisTexts::PercentText(*value)
                           : UAnalysisTexts::MillisText(static_cast<int>(*value)));
        painter.setPen(ink);
        const QRect inner = r.adjusted(3, 1, -3, -1);
        if (twoLines) {
            const int split = inner.top() + inner.height() * 11 / 20;
            painter.setFont(kanaFont);
            painter.drawText(QRect(inner.left(), inner.top(), inner.width(), split - inner.top()),
                             Qt::AlignCenter, Q(cell.Unit));
            painter.setFont(figureFont);
            painter.drawText(QRect(inner.left(), split, inner.width(), inner.bottom() - split),
                             Qt::AlignHCenter | Qt::AlignTop, figure);
        } else {
            painter.setFont(kanaFont);
            painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter, Q(cell.Unit));
            painter.setFont(figureFont);
            painter.drawText(inner, Qt::AlignRight | Qt::AlignVCenter, figure);
        }
        auto state = FUnitStates.find(std::u16string(cell.Unit));
        if (state != FUnitStates.end())
            DrawUnitState(painter, r, state->second, ink);
    }
    DrawLegend(painter, QRect(box->width() - HeatLegendWidth, 0, HeatLegendWidth, box->height()),
               scale, FMeasure, text);
}

QString TfrmAnalysis::PaintBox2Tip(QPoint at) const {
    const UHeatMap::TChartLayout layout = HeatChartLayout(ui->PaintBox2->size());
    for (const UHeatMap::TChartCell& cell : layout.Cells) {
        if (!cell.Box.Contains(at.x(), at.y()))
            continue;
        auto row = FRowOfUnit.find(std::u16string(cell.Unit));
        return Q(UAnalysisTexts::UnitTip(cell.Unit,
                                         row == FRowOfUnit.end() ? nullptr : &FRows[row->second]));
    }
    return {};
}

// ---- Progress by day ----

std::pair<int, int> TfrmAnalysis::ProgressDays() const {
    int first = FFromDay;
    if (first == INT_MIN)
        first = FProgress.empty() ? FToday : std::min(FProgress.front().Day, FToday);
    return {first, std::max(first, FToday)};
}

namespace {

int DayX(const QRect& plot, int day, std::pair<int, int> days) {
    const int span = days.second - days.first;
    if (span <= 0)
        return plot.center().x();
    return plot.left() + static_cast<int>(std::lround(static_cast<double>(day - days.first) *
                                                      plot.width() / span));
}

} // namespace

void TfrmAnalysis::PaintBox3Paint(QPainter& painter) {
    TPaintBox* box = ui->PaintBox3;
    painter.fillRect(box->rect(), ChartBackground);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFont titleFont = PixelFont(ProportionalFontFace, 13, true);
    const QFont labelFont = PixelFont(ProportionalFontFace, 12);
    const QFontMetrics labels(labelFont);
    const std::pair<int, int> days = ProgressDays();

    for (int s = 0; s < SeriesCount; ++s) {
        const TSeries& series = ProgressSeries[s];
        const TStrip strip = StripAt(box->size(), s);
        const QRect& plot = strip.Plot;
        if (plot.height() < 8 || plot.width() < 20)
            continue;
        painter.setPen(Qt::black);
        painter.setFont(titleFont);
        painter.drawText(QRect(8, strip.Box.top() + 2, strip.Box.width() - 16, 18),
                         Qt::AlignLeft | Qt::AlignVCenter, TfrmAnalysis::tr(series.Title));

        std::vector<std::pair<int, double>> points;
        for (const UKanaAnalysis::TDayProgress& day : FProgress)
            if (const std::optional<double>& value = day.*series.Field)
                points.emplace_back(day.Day, *value * series.Factor);
        painter.setPen(GridColor);
        painter.drawLine(plot.bottomLeft(), plot.bottomRight());
        painter.drawLine(plot.topLeft(), plot.topRight());
        painter.setFont(labelFont);
        if (points.empty()) {
            painter.setPen(NoFigureText);
            painter.drawText(plot, Qt::AlignCenter, tr("記録がありません"));
            continue;
        }
        double low = points.front().second, high = low;
        for (const auto& [day, value] : points) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
        const bool share = series.Factor == 100;
        const auto [bottom, top] = AxisBounds(low, high, series.MinSpan, 0, share ? 100 : NoLimit);
        auto y = [&](double value) {
            return plot.bottom() - (value - bottom) / (top - bottom) * plot.height();
        };
        painter.setPen(Qt::black);
        const QString topText = Q(FormatReal(top)), bottomText = Q(FormatReal(bottom));
        painter.drawText(plot.left() - 6 - labels.horizontalAdvance(topText),
                         plot.top() + labels.ascent() / 2, topText);
        painter.drawText(plot.left() - 6 - labels.horizontalAdvance(bottomText),
                         plot.bottom() + labels.ascent() / 2, bottomText);
        const QString firstDay = Q(UAnalysisTexts::DayText(days.first));
        const QString lastDay = Q(UAnalysisTexts::DayText(days.second));
        const int dayY = plot.bottom() + 4 + labels.ascent();
        painter.drawText(plot.left(), dayY, firstDay);
        if (days.second != days.first)
            painter.drawText(plot.right() - labels.horizontalAdvance(lastDay), dayY, lastDay);

        QPolygonF line;
        for (const auto& [day, value] : points)
            line << QPointF(DayX(plot, day, days), y(value));
        painter.setPen(QPen(ProgressLine, 2));
        painter.drawPolyline(line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ProgressLine);
        for (const QPointF& point : line)
            painter.drawEllipse(point, 3, 3);
        painter.setBrush(Qt::NoBrush);
    }
}

QString TfrmAnalysis::PaintBox3Tip(QPoint at) const {
    const std::pair<int, int> days = ProgressDays();
    for (int s = 0; s < SeriesCount; ++s) {
        const TStrip strip = StripAt(ui->PaintBox3->size(), s);
        if (!strip.Box.contains(at))
            continue;
        const TSeries& series = ProgressSeries[s];
        const UKanaAnalysis::TDayProgress* nearest = nullptr;
        int distance = 0;
        for (const UKanaAnalysis::TDayProgress& day : FProgress) {
            if (!(day.*series.Field))
                continue;
            const int d = std::abs(DayX(strip.Plot, day.Day, days) - at.x());
            if (!nearest || d < distance) {
                nearest = &day;
                distance = d;
            }
        }
        if (!nearest || distance > 12)
            return {};
        return Q(UAnalysisTexts::DateText(nearest->Day)) + QStringLiteral("\n") +
               TfrmAnalysis::tr(series.Title) + QStringLiteral(" ") +
               Q(FormatReal(*(nearest->*series.Field) * series.Factor));
    }
    return {};
}
