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
#include <QWidget>

#include <algorithm>
#include <stdexcept>

namespace {

QColor ToQColor(TRgb c) {
    return QColor(c.R, c.G, c.B);
}

// The system's button face colour: the keyboard's background.
QColor ButtonFace(const QWidget& paintBox) {
    return paintBox.palette().color(QPalette::Button);
}

QPolygon Oval(const TKbGeometry& geometry, int index) {
    const TKbPoint centre = geometry.Centre(index);
    QPolygon oval(OutlinePointCount);
    for (int i = 0; i < OutlinePointCount; ++i)
        oval.setPoint(i, centre.X + geometry.Outline[i].X, centre.Y + geometry.Outline[i].Y);
    return oval;
}

// A caption is placed by the top left of its line, as (TextX, TextY) give it.
void WriteText(QPainter& painter, const QString& text, int x, int y) {
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

// The pixels WriteText touches, with a pixel to spare for the smoothed edges of the letters.
QRect TextRect(QPainter& painter, const QString& text, int x, int y) {
    if (text.isEmpty())
        return {};
    const QFontMetrics metrics = painter.fontMetrics();
    return metrics.boundingRect(text).translated(x, y + metrics.ascent()).adjusted(-1, -1, 1, 1);
}

// Fills `area` with `background` except where an oval lies. Letters are smoothed, so writing a
// caption over an older one of another colour would leave a fringe where the caption reaches
// beyond its oval (the "Shift" captions, the finger names); the ovals themselves are filled
// pixel for pixel and need no clearing.
void ClearAround(QPainter& painter, const TKbGeometry& geometry, const QRect& area,
                 const QColor& background) {
    if (area.isEmpty())
        return;
    const auto [left, right] =
        std::minmax_element(geometry.Outline.begin(), geometry.Outline.end(),
                            [](TKbPoint a, TKbPoint b) { return a.X < b.X; });
    const auto [top, bottom] =
        std::minmax_element(geometry.Outline.begin(), geometry.Outline.end(),
                            [](TKbPoint a, TKbPoint b) { return a.Y < b.Y; });
    QRegion free(area);
    for (int i = 0; i < KeyCount; ++i) {
        if (!IsPaintedKey(i))
            continue;
        const TKbPoint c = geometry.Centre(i);
        // The pen of width 2 reaches a pixel beyond the outline.
        const QRect box(QPoint(c.X + left->X - 1, c.Y + top->Y - 1),
                        QPoint(c.X + right->X + 1, c.Y + bottom->Y + 1));
        if (!box.intersects(area))
            continue;
        const QRegion oval(Oval(geometry, i));
        free -= oval.translated(-1, 0) + oval.translated(1, 0) + oval.translated(0, -1) +
                oval.translated(0, 1) + oval;
    }
    painter.save();
    painter.setClipRegion(free);
    painter.fillRect(area, background);
    painter.restore();
}

} // namespace

TKbClass::TKbClass(QObject* owner) : QObject(owner), FGeometry(LayoutKeyboard(0)) {
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
    FGeometry = LayoutKeyboard(FPaintBox ? FPaintBox->width() : 0);
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

void TKbClass::RequestUpdate() {
    // Within the paint box's own paint event the canvas is shown right afterwards; an update
    // asked for from there would only bring another paint event, and so on without end.
    if (FPaintBox && !FPaintBox->testAttribute(Qt::WA_WState_InPaintEvent))
        FPaintBox->update();
}

template <typename TSteps>
void TKbClass::Draw(TSteps&& steps) {
    QImage* canvas = FitCanvas();
    if (!canvas) {
        steps(nullptr);
        return;
    }
    {
        QPainter painter(canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        QFont font = FPaintBox->font();
        font.setPixelSize(FGeometry.FontPixels);
        font.setBold(FGeometry.FontBold);
        painter.setFont(font);
        steps(&painter);
    }
    RequestUpdate();
}

void TKbClass::DrawKey(QPainter* painter, int index, TRgb fill, TRgb text, bool fresh) {
    if (!painter)
        return;
    const TKeyRec& key = FGeometry.Keys[index];
    const QString caption = ShiftJis::ToQString(key.Caption);
    const TKeyRec* shifted = nullptr;
    int shiftedIndex = 0;
    if (!key.ShiftCaption.empty() && FGeometry.FindKey(key.ShiftCaption, shiftedIndex))
        shifted = &FGeometry.Keys[shiftedIndex];
    const QString shiftedCaption = shifted ? ShiftJis::ToQString(shifted->Caption) : QString();

    if (!fresh) {
        const QColor background = ButtonFace(*FPaintBox);
        ClearAround(*painter, FGeometry, TextRect(*painter, caption, key.TextX, key.TextY),
                    background);
        if (shifted)
            ClearAround(*painter, FGeometry,
                        TextRect(*painter, shiftedCaption, shifted->TextX, shifted->TextY),
                        background);
    }
    const QColor fillColor = ToQColor(fill);
    painter->setPen(QPen(fillColor, 2));
    painter->setBrush(fillColor);
    painter->drawPolygon(Oval(FGeometry, index));
    painter->setBrush(Qt::NoBrush);
    painter->setPen(ToQColor(text));
    WriteText(*painter, caption, key.TextX, key.TextY);
    if (shifted)
        WriteText(*painter, shiftedCaption, shifted->TextX, shifted->TextY);
}

void TKbClass::DrawFingerNames(QPainter* painter, int finger) {
    if (!painter)
        return;
    struct TLabel {
        QString Name;
        int X, Y;
        TRgb Color;
    };
    std::vector<TLabel> labels;
    for (int f = 1; f <= 8; ++f) {
        const TFingerRow& row = FingerRows[f - 1];
        int index = 0;
        if (!FGeometry.FindKey(row.LabelKey, index))
            continue;
        const TKeyRec& key = FGeometry.Keys[index];
        const std::u16string_view name = FingerKinds[static_cast<int>(row.Kind)].Name;
        labels.push_back(
            {QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())), key.TextX,
             key.TextY + FGeometry.LabelDy,
             f == finger ? PaneColors::Blue : FingerKinds[static_cast<int>(row.Kind)].Color});
    }
    // All names are cleared before any is written: a long name may reach the next one.
    for (const TLabel& label : labels)
        ClearAround(*painter, FGeometry, TextRect(*painter, label.Name, label.X, label.Y),
                    ButtonFace(*FPaintBox));
    for (const TLabel& label : labels) {
        painter->setPen(ToQColor(label.Color));
        WriteText(*painter, label.Name, label.X, label.Y);
    }
}

void TKbClass::PaintKeyboard() {
    if (FShowingError)
        return;
    try {
        Draw([&](QPainter* painter) {
            if (!painter)
                return;
            painter->fillRect(QRect(QPoint(0, 0), FPaintBox->size()), ButtonFace(*FPaintBox));
            for (int i = 0; i < KeyCount; ++i) {
                if (IsPaintedKey(i))
                    DrawKey(painter, i, KeyColor(FGeometry.Keys[i].Caption), PaneColors::Grey,
                            true);
            }
            DrawFingerNames(painter, 0);
        });
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
    Draw([&](QPainter* painter) {
        if (wrong == 0 && FNextKey >= 0)
            DrawNormalKey(painter, FNextKey);
        if (FWrongKey > 0)
            DrawNormalKey(painter, FWrongKey);
        if (FNextKey >= 0 && IsShiftedKey(FNextKey))
            DrawNormalKey(painter, ShiftKeyOf(FNextKey));
        int nextKey = 0;
        if (next == 0 || !FGeometry.FindKey(next, nextKey)) {
            // Without a wrong key the marks were just taken off; the fields say so too.
            if (wrong == 0) {
                FNextKey = FWrongKey = -1;
                FNextChar = 0;
            }
            return;
        }
        if (wrong == 0 || next == FNextChar) {
            DrawKey(painter, nextKey, PaneColors::Blue, KbColors::Yellow);
            FNextKey = nextKey;
            FNextChar = next;
        }
        // The Shift mark goes with the key marked as next: while a wrong key is given that is
        // the earlier next key, whatever `next` is.
        if (FNextKey >= 0 && IsShiftedKey(FNextKey))
            DrawKey(painter, ShiftKeyOf(FNextKey), PaneColors::Blue, KbColors::Yellow);
        int wrongKey = 0;
        if (wrong != 0 && FGeometry.FindKey(wrong, wrongKey)) {
            DrawKey(painter, wrongKey, PaneColors::Red, KbColors::Yellow);
            FWrongKey = wrongKey;
        }
        if (wrong == 0)
            FWrongKey = -1;
    });
}

void TKbClass::UnmarkKey(char c) {
    int index = 0;
    if (c == 0 || !FGeometry.FindKey(c, index))
        return;
    Draw([&](QPainter* painter) {
        DrawNormalKey(painter, index);
        if (IsShiftedKey(index))
            DrawNormalKey(painter, ShiftKeyOf(index));
    });
    if (index == FNextKey) {
        FNextKey = -1;
        FNextChar = 0;
    }
}

void TKbClass::ShowFinger(int finger) {
    Draw([&](QPainter* painter) { DrawFingerNames(painter, finger); });
}
