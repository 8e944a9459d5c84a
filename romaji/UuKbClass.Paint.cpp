// SPDX-License-Identifier: GPL-3.0-or-later
#include "romaji/UuKbClass.h"

#include "platform/Dialogs.h"
#include "romaji/UuKbLabels.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QRegion>
#include <QStaticText>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

QColor ToQColor(TRgb c) {
    return QColor(c.R, c.G, c.B);
}

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

// The key's area, the legends of every key and the finger names, laid out once per layout:
// a marked key is drawn again on every key the learner types.
struct TKbClass::TDrawing {
    QPolygonF KeyArea;
    std::vector<std::vector<TKeyLabel>> Labels; // per record, see KeyLabels
    std::array<QStaticText, 8> FingerNames;
    QFont FingerFont; // the captions' type, smaller where the names need it to fit
    // Each painted key as drawn in each of its marks and each finger name in its two colours,
    // on a transparent ground over its area, made when first needed: at every key typed the
    // next key, the one before it and the finger names are copied from here instead of filling
    // the smoothed oval and writing the texts with their rims again. Made for the device pixel
    // ratio in PicturesRatio.
    std::vector<std::array<QImage, 3>> Keys;    // per record, by TMark
    std::array<std::array<QImage, 2>, 8> Names; // per finger 1..8, plain and shown
    qreal PicturesRatio = 0;
};

TKbClass::TKbClass(QObject* owner) : QObject(owner) {
    LayoutKeys();
    InitKeyboard();
}

TKbClass::~TKbClass() = default;

void TKbClass::InitKeyboard() {
    FNextKey = -1;
    FNextShift = -1;
    FWrongKey = -1;
    FNextChar = 0;
    FNextStroke = {};
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
    const TKeyboardStyle style = FGeometry.Style;
    FGeometry = FPaintBox ? LayoutKeyboard(FPaintBox->width(), FPaintBox->height(), style)
                          : LayoutKeyboard(0, std::numeric_limits<int>::max(), style);
    FOval = OvalShape(FGeometry);
    FDrawing = std::make_unique<TDrawing>();
    FDrawing->KeyArea = KeyArea(FGeometry.OutlineScale);
    for (int f = 1; f <= 8; ++f)
        FDrawing->FingerNames[f - 1] = PlainStaticText(FingerName(f));
    FDrawing->FingerFont = FingerNameFont();
    FDrawing->Labels = KeyLabels(FGeometry, CaptionFont());
    FAreas.clear();
    FMarks.assign(FGeometry.Keys.size(), TMark::None);
}

void TKbClass::SetStyle(TKeyboardStyle style) {
    if (style == FGeometry.Style)
        return;
    FGeometry.Style = style;
    LayoutKeys();
    InitKeyboard();
    FChanged.clear();
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
    return ::CaptionFont(FGeometry, FPaintBox ? FPaintBox->font() : QFont());
}

// The finger names in the captions' type, made smaller when a name is wider than the room up to
// the next name on its right (a key pitch for the last): names in a language with longer words
// ("pinky", "ring") then stand apart instead of running into each other.
QFont TKbClass::FingerNameFont() const {
    QFont font = CaptionFont();
    const QFontMetricsF metrics(font);
    const std::array<TFingerRow, 8>& fingers = KbTable(FGeometry.Style.Kind).Fingers;
    std::array<std::optional<int>, 8> left;
    for (int f = 1; f <= 8; ++f)
        if (int index = 0; FGeometry.FindKey(fingers[f - 1].LabelKey, index))
            left[f - 1] = FGeometry.Keys[index].TextX;
    // A name that fits, even to the next one's first pixel, keeps the captions' type; one that
    // does not is made small enough to leave a space before the next.
    const double gap = std::max(2.0, metrics.averageCharWidth() / 2);
    double scale = 1;
    for (int f = 1; f <= 8; ++f) {
        if (!left[f - 1])
            continue;
        int next = *left[f - 1] + FGeometry.Unit;
        bool found = false;
        for (const std::optional<int>& other : left)
            if (other && *other > *left[f - 1] && (!found || *other < next)) {
                next = *other;
                found = true;
            }
        const double room = next - *left[f - 1];
        const double width = metrics.horizontalAdvance(FingerName(f));
        if (width > room && room > gap)
            scale = std::min(scale, (room - gap) / width);
    }
    if (scale < 1) {
        constexpr int SmallestPixels = 7;
        font.setPixelSize(std::max(SmallestPixels, static_cast<int>(font.pixelSize() * scale)));
    }
    return font;
}

void TKbClass::MeasureAreas() {
    if (!FAreas.empty())
        return;
    const QFontMetrics fingerMetrics(FDrawing->FingerFont);
    FAreas.assign(FGeometry.Keys.size(), QRect());
    const QRect ovalBox =
        QPolygon(QList<QPoint>(FOval.begin(), FOval.end())).boundingRect().adjusted(-2, -2, 2, 2);
    for (int i = 0; i < FGeometry.Count(); ++i) {
        if (!FGeometry.IsPainted(i))
            continue;
        const TKbPoint c = FGeometry.Centre(i);
        QRect area = ovalBox.translated(c.X, c.Y);
        for (const TKeyLabel& label : FDrawing->Labels[i])
            area |= KeyLabelRect(label);
        FAreas[i] = area;
    }
    const std::array<TFingerRow, 8>& fingers = KbTable(FGeometry.Style.Kind).Fingers;
    for (int f = 1; f <= 8; ++f) {
        int index = 0;
        FLabelAreas[f - 1] = QRect();
        if (!FGeometry.FindKey(fingers[f - 1].LabelKey, index))
            continue;
        const TKeyRec& key = FGeometry.Keys[index];
        FLabelAreas[f - 1] =
            TextRect(fingerMetrics, FingerName(f), key.TextX, key.TextY + FGeometry.LabelDy);
    }
}

// The names of FingerKinds as the translation file knows them.
[[maybe_unused]] constexpr const char* FingerNameTexts[] = {
    QT_TRANSLATE_NOOP("TKbClass", "小指"), QT_TRANSLATE_NOOP("TKbClass", "薬指"),
    QT_TRANSLATE_NOOP("TKbClass", "中指"), QT_TRANSLATE_NOOP("TKbClass", "人差し指")};

QString TKbClass::FingerName(int finger) {
    const std::u16string_view name = FingerKinds[static_cast<int>(KindOf(finger))].Name;
    const QByteArray source =
        QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())).toUtf8();
    return QCoreApplication::translate("TKbClass", source.constData());
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
        MeasureAreas();
        FitPictures();
        painter.setClipRegion(area);
        const QRect bounds = area.boundingRect();
        painter.fillRect(bounds, ButtonFace(*FPaintBox));
        // Keys in record order, as a whole picture draws them, so that overlapping ovals lie
        // the same way whatever part is drawn again.
        for (int i = 0; i < FGeometry.Count(); ++i)
            if (FGeometry.IsPainted(i) && FAreas[i].intersects(bounds) &&
                area.intersects(FAreas[i]))
                DrawKey(painter, i);
        for (int f = 1; f <= 8; ++f)
            if (FLabelAreas[f - 1].intersects(bounds) && area.intersects(FLabelAreas[f - 1]))
                DrawFingerName(painter, f);
    }
    if (FPaintBox && !FPaintBox->testAttribute(Qt::WA_WState_InPaintEvent))
        FPaintBox->update(area);
}

template <typename TDraw>
void TKbClass::DrawCopied(QPainter& painter, QImage& picture, const QRect& area, TDraw draw) {
    // Copied, a picture lies exactly as drawn only where a logical pixel is a whole number of
    // device pixels; at fractional scales it is drawn anew.
    const qreal ratio = FCanvas->devicePixelRatio();
    if (ratio != std::floor(ratio)) {
        draw(painter);
        return;
    }
    if (picture.isNull()) {
        picture =
            QImage(area.size() * static_cast<int>(ratio), QImage::Format_ARGB32_Premultiplied);
        if (picture.isNull()) {
            // Short of memory: drawn as it is, without a copy.
            draw(painter);
            return;
        }
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter picturePainter(&picture);
        picturePainter.setRenderHints(painter.renderHints());
        picturePainter.setFont(painter.font());
        picturePainter.translate(-area.topLeft());
        draw(picturePainter);
    }
    painter.drawImage(area.topLeft(), picture);
}

// The pictures of the keys and names, forgotten when the device pixel ratio changed.
void TKbClass::FitPictures() {
    const qreal ratio = FCanvas->devicePixelRatio();
    if (FDrawing->PicturesRatio == ratio)
        return;
    FDrawing->Keys.assign(FGeometry.Keys.size(), {});
    FDrawing->Names = {};
    FDrawing->PicturesRatio = ratio;
}

void TKbClass::DrawKey(QPainter& painter, int index) {
    const TMark mark = FMarks[index];
    DrawCopied(painter, FDrawing->Keys[index][static_cast<int>(mark)], FAreas[index],
               [&](QPainter& on) { DrawKeyShape(on, index, mark); });
}

void TKbClass::DrawKeyShape(QPainter& painter, int index, TMark mark) {
    TRgb fill = KeyColor(FGeometry.Style.Kind, FGeometry.Keys[index].Caption);
    TRgb text = PaneColors::Grey;
    if (mark != TMark::None) {
        fill = mark == TMark::Wrong ? PaneColors::Red : PaneColors::Blue;
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

    for (const TKeyLabel& label : FDrawing->Labels[index]) {
        painter.setFont(label.Font);
        WriteKeyText(painter, label.Text, label.At.x(), label.At.y(), ToQColor(text), fillColor);
    }
}

void TKbClass::DrawFingerName(QPainter& painter, int finger) {
    const bool shown = finger == FShownFinger;
    DrawCopied(painter, FDrawing->Names[finger - 1][shown], FLabelAreas[finger - 1],
               [&](QPainter& on) { DrawFingerNameText(on, finger, shown); });
}

void TKbClass::DrawFingerNameText(QPainter& painter, int finger, bool shown) {
    int index = 0;
    const std::array<TFingerRow, 8>& fingers = KbTable(FGeometry.Style.Kind).Fingers;
    if (!FGeometry.FindKey(fingers[finger - 1].LabelKey, index))
        return;
    const TKeyRec& key = FGeometry.Keys[index];
    const QColor color =
        ToQColor(shown ? PaneColors::Blue : FingerKinds[static_cast<int>(KindOf(finger))].Color);
    painter.setFont(FDrawing->FingerFont);
    WriteKeyText(painter, FDrawing->FingerNames[finger - 1], key.TextX,
                 key.TextY + FGeometry.LabelDy, color, RimFor(color));
}

void TKbClass::SetMark(int record, TMark mark) {
    if (record < 0 || record >= FGeometry.Count())
        return;
    const int key = FGeometry.Keys[record].Key;
    if (FMarks[key] == mark)
        return;
    FMarks[key] = mark;
    FChanged.push_back(key);
}

void TKbClass::RedrawChanged() {
    QRegion area;
    if (FitCanvas()) {
        MeasureAreas();
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
        std::fill(FMarks.begin(), FMarks.end(), TMark::None);
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

bool TKbClass::Mark(int next, int nextShift, bool wrongGiven, int wrong, bool sameNext) {
    if (!wrongGiven && FNextKey >= 0)
        SetMark(FNextKey, TMark::None);
    if (FWrongKey > 0)
        SetMark(FWrongKey, TMark::None);
    if (FNextShift >= 0)
        SetMark(FNextShift, TMark::None);
    if (next < 0) {
        // Without a wrong key the marks were just taken off; the fields say so too.
        if (!wrongGiven)
            FNextKey = FNextShift = FWrongKey = -1;
        RedrawChanged();
        return false;
    }
    const bool marked = !wrongGiven || sameNext;
    if (marked) {
        SetMark(next, TMark::Next);
        FNextKey = next;
        FNextShift = nextShift;
    }
    // The Shift mark goes with the key marked as next: while a wrong key is given that is the
    // earlier next key, whatever `next` is.
    if (FNextShift >= 0)
        SetMark(FNextShift, TMark::Next);
    if (wrong >= 0) {
        SetMark(wrong, TMark::Wrong);
        FWrongKey = wrong;
    }
    if (!wrongGiven)
        FWrongKey = -1;
    RedrawChanged();
    return marked;
}

void TKbClass::MarkKeys(char next, char wrong) {
    int nextKey = -1, wrongKey = -1, found = 0;
    if (next != 0 && FGeometry.FindKey(next, found))
        nextKey = found;
    if (wrong != 0 && FGeometry.FindKey(wrong, found))
        wrongKey = found;
    if (Mark(nextKey, FGeometry.ShiftKeyOf(nextKey), wrong != 0, wrongKey, next == FNextChar)) {
        FNextChar = next;
        FNextStroke = {};
    } else if (nextKey < 0 && wrong == 0) {
        FNextChar = 0;
        FNextStroke = {};
    }
}

void TKbClass::MarkStrokes(TKeyStroke next, TKeyStroke wrong) {
    const int nextKey = FGeometry.KeyAt(next.Key);
    const int nextShift = next.Shift && nextKey >= 0 ? FGeometry.ShiftKeyFor(next.Key) : -1;
    if (Mark(nextKey, nextShift, wrong.Key != 0, FGeometry.KeyAt(wrong.Key), next == FNextStroke)) {
        FNextStroke = next;
        FNextChar = 0;
    } else if (nextKey < 0 && wrong.Key == 0) {
        FNextChar = 0;
        FNextStroke = {};
    }
}

void TKbClass::Unmark(int index, int shift) {
    SetMark(index, TMark::None);
    SetMark(shift, TMark::None);
    RedrawChanged();
    if (index == FNextKey) {
        FNextKey = FNextShift = -1;
        FNextChar = 0;
        FNextStroke = {};
    }
}

void TKbClass::UnmarkKey(char c) {
    int index = 0;
    if (c != 0 && FGeometry.FindKey(c, index))
        Unmark(index, FGeometry.ShiftKeyOf(index));
}

void TKbClass::UnmarkStroke(TKeyStroke stroke) {
    const int index = FGeometry.KeyAt(stroke.Key);
    if (index >= 0)
        Unmark(index, stroke.Shift ? FGeometry.ShiftKeyFor(stroke.Key) : -1);
}

void TKbClass::ShowFinger(int finger) {
    const int shown = finger >= 1 && finger <= 8 ? finger : 0;
    if (shown == FShownFinger)
        return;
    QRegion area;
    if (FitCanvas()) {
        MeasureAreas();
        if (FShownFinger > 0)
            area += FLabelAreas[FShownFinger - 1];
        if (shown > 0)
            area += FLabelAreas[shown - 1];
    }
    FShownFinger = shown;
    Redraw(area);
}
