// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include "platform/Dialogs.h"
#include "platform/ShiftJis.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QRegion>
#include <QStaticText>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

QColor ToQColor(TRgb c) {
    return QColor(c.R, c.G, c.B);
}

// Captions smaller than this could not be read: a key too small for one shows none.
constexpr int MinCaptionPixels = 5;
// The largest key pitch whose captions are fitted into their ovals: four times what the main
// window shows. A larger keyboard keeps the layout's places, which fitting would take long to
// improve on (its fonts run to thousands of pixels).
constexpr int MaxFittedUnit = 4 * MaxKeyUnit;

// The system's button face colour: the keyboard's background.
QColor ButtonFace(const QWidget& paintBox) {
    return paintBox.palette().color(QPalette::Button);
}

// The rim that makes a finger name read on the button face: dark around a light colour, white
// around a dark one.
QColor RimFor(const QColor& text) {
    const int luma = (299 * text.red() + 587 * text.green() + 114 * text.blue()) / 1000;
    return luma > 140 ? QColor(64, 64, 64) : QColor(Qt::white);
}

QStaticText PlainStaticText(const QString& text) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    return laidOut;
}

// The pixels WriteKeyText touches: the letters, their rim and a pixel for the smoothed edges.
QRect TextRect(const QFontMetrics& metrics, const QString& text, int x, int y) {
    if (text.isEmpty())
        return {};
    return metrics.boundingRect(text).translated(x, y + metrics.ascent()).adjusted(-2, -2, 2, 2);
}

// The outline of a key relative to its centre, without the points that repeat the one before:
// rounding makes many neighbours of the 181 drawn points equal at small sizes.
std::vector<QPoint> OvalShape(const TKbGeometry& geometry) {
    std::vector<QPoint> shape;
    for (int i = 0; i <= 180; ++i) {
        const QPoint point(geometry.Outline[i].X, geometry.Outline[i].Y);
        if (shape.empty() || shape.back() != point)
            shape.push_back(point);
    }
    return shape;
}

} // namespace

void WriteKeyText(QPainter& painter, const QStaticText& text, int x, int y, const QColor& color,
                  const QColor& rim) {
    const QPoint at(x, y);
    painter.setPen(rim);
    for (QPoint step : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        painter.drawStaticText(at + step, text);
    painter.setPen(color);
    painter.drawStaticText(at, text);
}

QPolygonF KeyArea(double scale) {
    const double cos120 = -0.5, sin120 = std::numbers::sqrt3 / 2;
    const double a = 10 * scale, b = 7 * scale;
    QPolygonF area;
    // 72 points, 5 degrees apart: a key is at most a few dozen pixels across.
    area.reserve(72);
    for (int i = 0; i < 72; ++i) {
        const double t = 2 * i * std::numbers::pi / 72;
        // The normal of the oval at t points along (b cos t, a sin t).
        double nx = b * std::cos(t), ny = a * std::sin(t);
        const double length = std::hypot(nx, ny);
        if (length > 0) {
            nx /= length;
            ny /= length;
        }
        const double x = a * std::cos(t) + nx, y = b * std::sin(t) + ny;
        area << QPointF(x * cos120 - y * sin120, x * sin120 + y * cos120);
    }
    return area;
}

namespace {

// Whether every corner of `box` (relative to a key's centre) lies in the key's oval at `scale`,
// and so, the oval being convex, the whole box.
bool Inside(double scale, const QRectF& box) {
    const double cos120 = -0.5, sin120 = std::numbers::sqrt3 / 2;
    const double a = 10 * scale, b = 7 * scale;
    for (QPointF p : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
        // Turned back by 120 degrees onto the oval's axes.
        const double x = p.x() * cos120 + p.y() * sin120, y = -p.x() * sin120 + p.y() * cos120;
        if ((x / a) * (x / a) + (y / b) * (y / b) > 1)
            return false;
    }
    return true;
}

} // namespace

// The key's area and the captions and finger names, each laid out when it is first drawn and
// kept until the layout changes: a marked key is drawn again on every key the learner types.
// Captions stand where the layout puts them unless that is over their oval's edge (see
// FitCaptions), each with its font.
struct TKbClass::TDrawing {
    QPolygonF KeyArea;
    std::array<QStaticText, KeyCount> Captions;
    std::array<QPoint, KeyCount> CaptionAt;
    std::array<QFont, KeyCount> CaptionFonts;
    std::array<QStaticText, 8> FingerNames;
};

TKbClass::TKbClass(QObject* owner) : QObject(owner) {
    LayoutKeys();
    InitKeyboard();
}

TKbClass::~TKbClass() = default;

void TKbClass::InitKeyboard() {
    FNextKey = -1;
    FWrongKey = -1;
    FNextChar = 0;
}

void TKbClass::SetPaintBox(QWidget* paintBox) {
    FPaintBox = paintBox;
    FCanvas.reset();
}

QWidget* TKbClass::PaintBox() const {
    return FPaintBox;
}

const QImage& TKbClass::Canvas() const {
    static const QImage none;
    return FCanvas ? *FCanvas : none;
}

void TKbClass::LayoutKeys() {
    FGeometry =
        FPaintBox ? LayoutKeyboard(FPaintBox->width(), FPaintBox->height()) : LayoutKeyboard(0);
    FOval = OvalShape(FGeometry);
    FDrawing = std::make_unique<TDrawing>();
    FDrawing->KeyArea = KeyArea(FGeometry.OutlineScale);
    for (int f = 1; f <= 8; ++f)
        FDrawing->FingerNames[f - 1] = PlainStaticText(FingerName(f));
    FitCaptions();
    FAreas.clear();
    // Each record is shown by the painted key that lies where it lies: "!" by the 1 key.
    for (int i = 0; i < KeyCount; ++i) {
        FShownBy[i] = i;
        if (IsPaintedKey(i))
            continue;
        for (int k = 0; k < KeyCount; ++k)
            if (IsPaintedKey(k) && FGeometry.Keys[k].Bounds.Left == FGeometry.Keys[i].Bounds.Left &&
                FGeometry.Keys[k].Bounds.Top == FGeometry.Keys[i].Bounds.Top) {
                FShownBy[i] = k;
                break;
            }
    }
    FMarks.fill(TMark::None);
}

QImage* TKbClass::FitCanvas() {
    if (!FPaintBox || FPaintBox->width() <= 0 || FPaintBox->height() <= 0) {
        FCanvas.reset();
        return nullptr;
    }
    const qreal ratio = FPaintBox->devicePixelRatioF();
    const QSize pixels = (QSizeF(FPaintBox->size()) * ratio).toSize();
    if (FCanvas && FCanvas->size() == pixels && FCanvas->devicePixelRatio() == ratio)
        return FCanvas.get();
    auto canvas = std::make_unique<QImage>(pixels, QImage::Format_ARGB32_Premultiplied);
    if (canvas->isNull()) {
        FCanvas.reset();
        throw std::runtime_error(
            QStringLiteral("キーボードの画像（%1 × %2 ピクセル）を作るメモリが足りません。")
                .arg(pixels.width())
                .arg(pixels.height())
                .toStdString());
    }
    canvas->setDevicePixelRatio(ratio);
    canvas->fill(ButtonFace(*FPaintBox));
    FCanvas = std::move(canvas);
    return FCanvas.get();
}

QFont TKbClass::CaptionFont() const {
    QFont font = FPaintBox ? FPaintBox->font() : QFont();
    font.setPixelSize(FGeometry.FontPixels);
    font.setBold(FGeometry.FontBold);
    return font;
}

// Every caption inside its oval with its rim, whatever the font draws, and clear of the other
// caption on its key: a caption that the layout's place puts over the edge ('%' beside the 5,
// the Shift keys' captions) takes the nearest place that is inside (and clear); one that has
// none is drawn a pixel smaller at a time, down to MinCaptionPixels. A keyboard too small for
// that shows keys without captions. The finger names keep the layout's places, under the keys.
void TKbClass::FitCaptions() {
    const QFont font = CaptionFont();
    const bool tooLarge = FGeometry.Unit > MaxFittedUnit;
    for (int i = 0; i < KeyCount; ++i) {
        FDrawing->CaptionAt[i] = QPoint(FGeometry.Keys[i].TextX, FGeometry.Keys[i].TextY);
        FDrawing->CaptionFonts[i] = font;
        FDrawing->Captions[i] =
            tooLarge ? PlainStaticText(ShiftJis::ToQString(FGeometry.Keys[i].Caption))
                     : QStaticText();
    }
    if (FGeometry.Unit <= 0 || tooLarge)
        return;
    // The places tried, nearest first: offsets from the layout's place within half a key.
    const int reach = FGeometry.Unit / 2;
    const int step = std::max(1, FGeometry.Unit / 16);
    std::vector<QPoint> offsets;
    for (int dy = -reach; dy <= reach; dy += step)
        for (int dx = -reach; dx <= reach; dx += step)
            offsets.emplace_back(dx, dy);
    std::stable_sort(offsets.begin(), offsets.end(), [](QPoint a, QPoint b) {
        return a.x() * a.x() + a.y() * a.y() < b.x() * b.x() + b.y() * b.y();
    });
    // Places caption `record` on the oval of `key`, clear of `taken`; its letters' box then.
    auto fit = [&](int record, int key, const QRectF& taken) -> QRectF {
        const TKeyRec& rec = FGeometry.Keys[record];
        const QString caption = ShiftJis::ToQString(rec.Caption).trimmed();
        if (caption.isEmpty())
            return {};
        const TKbPoint centre = FGeometry.Centre(key);
        for (int pixels = FGeometry.FontPixels; pixels >= MinCaptionPixels; --pixels) {
            QFont smaller = font;
            smaller.setPixelSize(pixels);
            const QFontMetrics metrics(smaller);
            // The letters with their rim, relative to the caption's top left.
            const QRectF letters = QRectF(metrics.tightBoundingRect(caption))
                                       .translated(0, metrics.ascent())
                                       .adjusted(-1.5, -1.5, 1.5, 1.5);
            for (QPoint offset : offsets) {
                const QPoint at = QPoint(rec.TextX, rec.TextY) + offset;
                const QRectF box = letters.translated(at);
                if (Inside(FGeometry.OutlineScale, box.translated(-centre.X, -centre.Y)) &&
                    !box.intersects(taken)) {
                    FDrawing->CaptionAt[record] = at;
                    FDrawing->CaptionFonts[record] = smaller;
                    FDrawing->Captions[record] = PlainStaticText(ShiftJis::ToQString(rec.Caption));
                    return box;
                }
            }
        }
        return {};
    };
    for (int i = 0; i < KeyCount; ++i) {
        if (!IsPaintedKey(i))
            continue;
        const QRectF taken = fit(i, i, {});
        int shifted = 0;
        if (!FGeometry.Keys[i].ShiftCaption.empty() &&
            FGeometry.FindKey(FGeometry.Keys[i].ShiftCaption, shifted))
            fit(shifted, i, taken);
    }
}

void TKbClass::MeasureAreas(const QFontMetrics& metrics) {
    if (!FAreas.empty())
        return;
    FAreas.assign(KeyCount, QRect());
    const QRect ovalBox =
        QPolygon(QList<QPoint>(FOval.begin(), FOval.end())).boundingRect().adjusted(-2, -2, 2, 2);
    for (int i = 0; i < KeyCount; ++i) {
        if (!IsPaintedKey(i))
            continue;
        const TKeyRec& key = FGeometry.Keys[i];
        const TKbPoint c = FGeometry.Centre(i);
        auto captionRect = [this](int record) {
            const QPoint at = FDrawing->CaptionAt[record];
            return TextRect(QFontMetrics(FDrawing->CaptionFonts[record]),
                            FDrawing->Captions[record].text(), at.x(), at.y());
        };
        QRect area = ovalBox.translated(c.X, c.Y) | captionRect(i);
        int shifted = 0;
        if (!key.ShiftCaption.empty() && FGeometry.FindKey(key.ShiftCaption, shifted))
            area |= captionRect(shifted);
        FAreas[i] = area;
    }
    for (int f = 1; f <= 8; ++f) {
        const TFingerRow& row = FingerRows[f - 1];
        int index = 0;
        FLabelAreas[f - 1] = QRect();
        if (!FGeometry.FindKey(row.LabelKey, index))
            continue;
        const TKeyRec& key = FGeometry.Keys[index];
        FLabelAreas[f - 1] =
            TextRect(metrics, FingerName(f), key.TextX, key.TextY + FGeometry.LabelDy);
    }
}

QString TKbClass::FingerName(int finger) {
    const std::u16string_view name = FingerKinds[static_cast<int>(KindOf(finger))].Name;
    return QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

void TKbClass::Redraw(const QRegion& area) {
    if (area.isEmpty())
        return;
    QImage* canvas = FitCanvas();
    if (!canvas)
        return;
    {
        QPainter painter(canvas);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(CaptionFont());
        MeasureAreas(painter.fontMetrics());
        painter.setClipRegion(area);
        const QRect bounds = area.boundingRect();
        painter.fillRect(bounds, ButtonFace(*FPaintBox));
        // Keys in record order, as a whole picture draws them, so that overlapping ovals lie
        // the same way whatever part is drawn again.
        for (int i = 0; i < KeyCount; ++i)
            if (IsPaintedKey(i) && FAreas[i].intersects(bounds) && area.intersects(FAreas[i]))
                DrawKey(painter, i);
        for (int f = 1; f <= 8; ++f)
            if (FLabelAreas[f - 1].intersects(bounds) && area.intersects(FLabelAreas[f - 1]))
                DrawFingerName(painter, f);
    }
    if (FPaintBox && !FPaintBox->testAttribute(Qt::WA_WState_InPaintEvent))
        FPaintBox->update(area);
}

void TKbClass::DrawKey(QPainter& painter, int index) {
    TRgb fill = KeyColor(FGeometry.Keys[index].Caption);
    TRgb text = PaneColors::Grey;
    if (FMarks[index] != TMark::None) {
        fill = FMarks[index] == TMark::Wrong ? PaneColors::Red : PaneColors::Blue;
        text = KbColors::Yellow;
    }
    const QColor fillColor = ToQColor(fill);
    const TKbPoint c = FGeometry.Centre(index);
    // The oval filled and outlined with a 2-pixel line of the same colour.
    painter.setPen(Qt::NoPen);
    painter.setBrush(fillColor);
    painter.translate(c.X, c.Y);
    painter.drawPolygon(FDrawing->KeyArea);
    painter.translate(-c.X, -c.Y);
    painter.setBrush(Qt::NoBrush);

    const TKeyRec& key = FGeometry.Keys[index];
    auto writeCaption = [&](int record) {
        painter.setFont(FDrawing->CaptionFonts[record]);
        const QPoint at = FDrawing->CaptionAt[record];
        WriteKeyText(painter, FDrawing->Captions[record], at.x(), at.y(), ToQColor(text),
                     fillColor);
    };
    writeCaption(index);
    int shifted = 0;
    if (!key.ShiftCaption.empty() && FGeometry.FindKey(key.ShiftCaption, shifted))
        writeCaption(shifted);
}

void TKbClass::DrawFingerName(QPainter& painter, int finger) {
    int index = 0;
    if (!FGeometry.FindKey(FingerRows[finger - 1].LabelKey, index))
        return;
    const TKeyRec& key = FGeometry.Keys[index];
    const QColor color =
        ToQColor(finger == FShownFinger ? PaneColors::Blue
                                        : FingerKinds[static_cast<int>(KindOf(finger))].Color);
    WriteKeyText(painter, FDrawing->FingerNames[finger - 1], key.TextX,
                 key.TextY + FGeometry.LabelDy, color, RimFor(color));
}

void TKbClass::SetMark(int record, TMark mark) {
    if (record < 0 || record >= KeyCount)
        return;
    const int key = FShownBy[record];
    if (FMarks[key] == mark)
        return;
    FMarks[key] = mark;
    FChanged.push_back(key);
}

void TKbClass::RedrawChanged() {
    QRegion area;
    if (FitCanvas()) {
        MeasureAreas(QFontMetrics(CaptionFont()));
        for (int key : FChanged)
            area += FAreas[key];
    }
    FChanged.clear();
    Redraw(area);
}

void TKbClass::PaintKeyboard() {
    if (FShowingError)
        return;
    try {
        FMarks.fill(TMark::None);
        FChanged.clear();
        FShownFinger = 0;
        if (FitCanvas())
            Redraw(QRegion(QRect(QPoint(0, 0), FPaintBox->size())));
        FLastError.clear();
    } catch (const std::exception& e) {
        const QString message = QString::fromUtf8(e.what());
        if (message == FLastError)
            return;
        FLastError = message;
        FShowingError = true;
        Dialogs::ShowError(FPaintBox, QStringLiteral("PaintKb \r\n") + message);
        FShowingError = false;
    }
}

void TKbClass::MarkKeys(char next, char wrong) {
    if (wrong == 0 && FNextKey >= 0)
        SetMark(FNextKey, TMark::None);
    if (FWrongKey > 0)
        SetMark(FWrongKey, TMark::None);
    if (FNextKey >= 0 && IsShiftedKey(FNextKey))
        SetMark(ShiftKeyOf(FNextKey), TMark::None);
    int nextKey = 0;
    if (next == 0 || !FGeometry.FindKey(next, nextKey)) {
        // Without a wrong key the marks were just taken off; the fields say so too.
        if (wrong == 0) {
            FNextKey = FWrongKey = -1;
            FNextChar = 0;
        }
        RedrawChanged();
        return;
    }
    if (wrong == 0 || next == FNextChar) {
        SetMark(nextKey, TMark::Next);
        FNextKey = nextKey;
        FNextChar = next;
    }
    // The Shift mark goes with the key marked as next: while a wrong key is given that is the
    // earlier next key, whatever `next` is.
    if (FNextKey >= 0 && IsShiftedKey(FNextKey))
        SetMark(ShiftKeyOf(FNextKey), TMark::Next);
    int wrongKey = 0;
    if (wrong != 0 && FGeometry.FindKey(wrong, wrongKey)) {
        SetMark(wrongKey, TMark::Wrong);
        FWrongKey = wrongKey;
    }
    if (wrong == 0)
        FWrongKey = -1;
    RedrawChanged();
}

void TKbClass::UnmarkKey(char c) {
    int index = 0;
    if (c == 0 || !FGeometry.FindKey(c, index))
        return;
    SetMark(index, TMark::None);
    if (IsShiftedKey(index))
        SetMark(ShiftKeyOf(index), TMark::None);
    RedrawChanged();
    if (index == FNextKey) {
        FNextKey = -1;
        FNextChar = 0;
    }
}

void TKbClass::ShowFinger(int finger) {
    const int shown = finger >= 1 && finger <= 8 ? finger : 0;
    if (shown == FShownFinger)
        return;
    QRegion area;
    if (FitCanvas()) {
        MeasureAreas(QFontMetrics(CaptionFont()));
        if (FShownFinger > 0)
            area += FLabelAreas[FShownFinger - 1];
        if (shown > 0)
            area += FLabelAreas[shown - 1];
    }
    FShownFinger = shown;
    Redraw(area);
}
