// SPDX-License-Identifier: GPL-3.0-or-later
// The four graph strips of the records window: painting, hints, the read-out line and the
// mouse.

#include "records/UfGraphJap.h"

#include "platform/PaintBox.h"
#include "platform/ShiftJis.h"
#include "store/UDataFile.h"
#include "ui_UfGraphJap.h"

#include <QPainter>
#include <QScrollBar>

namespace {

const QColor StripBackground(255, 255, 255);
const QColor FirstSeries(255, 0, 0);
const QColor SecondSeries(0, 0, 255);
const QColor FirstHighlightPen(0, 128, 0), FirstHighlightBrush(0, 255, 0);
const QColor SecondHighlightPen(0, 0, 128), SecondHighlightBrush(0, 255, 255);
const QColor FrameColor(128, 128, 128);
const QColor LabelColor(0, 0, 0);

// One series: a line from the baseline through the points, a dot on each, and the highlight
// of point `selected` when there is one. Point i stands at x = 50 + 10 × i.
void DrawSeries(QPainter& painter, const TStripGeometry& geometry, const std::int32_t* values,
                int count, QColor color, int selected, QColor highlightPen, QColor highlightBrush) {
    painter.setPen(QPen(color, 1));
    painter.setBrush(color);
    QPoint from(50, geometry.Baseline());
    for (int i = 0; i < count; ++i) {
        const QPoint point(TStripGeometry::PointX(i), geometry.PointY(values[i]));
        painter.drawLine(from, point);
        // The box from (x − 2, y − 1) to (x + 2, y + 3) without its right and bottom edges.
        painter.drawEllipse(QRect(point.x() - 2, point.y() - 1, 3, 3));
        from = point;
    }
    if (selected >= 0 && selected < count) {
        const QPoint point(TStripGeometry::PointX(selected), geometry.PointY(values[selected]));
        painter.setPen(highlightPen);
        painter.setBrush(highlightBrush);
        painter.drawEllipse(QRect(point.x() - 3, point.y() - 2, 5, 5));
    }
}

} // namespace

void DrawGraph(QPainter& painter, QSize size, int kind, std::int32_t upper,
               const std::vector<std::int32_t>& values, std::int32_t lower, int selIndex) {
    const int w = size.width(), h = size.height();
    const TStripGeometry geometry(h, upper, lower);
    QFont font = painter.font();
    font.setPointSize(9);
    painter.setFont(font);
    painter.fillRect(QRect(0, 0, w, h), StripBackground);

    const int n = static_cast<int>(values.size());
    if (kind == 0) {
        DrawSeries(painter, geometry, values.data(), n, FirstSeries, selIndex, FirstHighlightPen,
                   FirstHighlightBrush);
    } else {
        const int half = n / 2;
        DrawSeries(painter, geometry, values.data(), half, FirstSeries, selIndex, FirstHighlightPen,
                   FirstHighlightBrush);
        DrawSeries(painter, geometry, values.data() + half, n - half, SecondSeries, selIndex,
                   SecondHighlightPen, SecondHighlightBrush);
    }

    painter.setBrush(StripBackground);
    painter.setPen(QPen(FrameColor, 1, Qt::SolidLine));
    painter.drawLine(50, geometry.Margin(), 50, geometry.Baseline());
    painter.drawLine(50, geometry.Baseline(), w, geometry.Baseline());
    painter.drawLine(50, geometry.Margin(), w, geometry.Margin());
    painter.setPen(QPen(FrameColor, 1, Qt::DotLine));
    for (int y : geometry.GridLineYs())
        painter.drawLine(50, y, w, y);

    // Bound labels every 250 pixels, right-aligned to 2 pixels left of each axis position.
    painter.setPen(LabelColor);
    painter.setBackground(StripBackground);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QFontMetrics metrics = painter.fontMetrics();
    const int t = metrics.height();
    const QString lowerText = QString::number(lower), upperText = QString::number(upper);
    for (int j = 0; j <= (w - 50) / 250; ++j) {
        const int right = 48 + 250 * j;
        painter.drawText(right - metrics.horizontalAdvance(lowerText),
                         geometry.Baseline() - t + metrics.ascent(), lowerText);
        painter.drawText(right - metrics.horizontalAdvance(upperText), 2 + metrics.ascent(),
                         upperText);
    }
    painter.setBackgroundMode(Qt::TransparentMode);
}

TGraphView TfrmGraphJap::View() const {
    return {CurrentMode() == TRecordMode::Sequential, EnglishView};
}

void TfrmGraphJap::RefreshGraphs() {
    RepaintStrips();
}

void TfrmGraphJap::RepaintStrips() {
    for (TPaintBox* strip : {ui->PaintBox1, ui->PaintBox2, ui->PaintBox3, ui->PaintBox4})
        strip->update();
}

void TfrmGraphJap::SetGraphHints() {
    const TGraphView view = View();
    TPaintBox* strips[] = {ui->PaintBox1, ui->PaintBox2, ui->PaintBox3, ui->PaintBox4};
    for (int i = 0; i < 4; ++i)
        strips[i]->setToolTip(ShiftJis::ToQString(StripHint(i, view)));
    ui->Label1->setToolTip(ShiftJis::ToQString(ReadOutHint(view)));
}

void TfrmGraphJap::PaintStrip(int strip, QPainter& painter) {
    const TGraphView view = View();
    const TStripPlot plot = StripPlot(strip, RecList, view, OptionRec);
    const QSize size(painter.viewport().size());
    DrawGraph(painter, size, plot.Kind, plot.Upper, plot.Values, plot.Lower, SelIndex);

    // The label: a column of characters, one per line, black on white.
    const QFontMetrics metrics = painter.fontMetrics();
    const int t = metrics.height();
    painter.setBackground(QColor(255, 255, 255));
    painter.setBackgroundMode(Qt::OpaqueMode);
    auto column = [&](const std::vector<std::string>& characters, int x, QColor color) {
        painter.setPen(color);
        for (std::size_t k = 0; k < characters.size(); ++k)
            painter.drawText(x, 5 + static_cast<int>(k) * t + metrics.ascent(),
                             ShiftJis::ToQString(characters[k]));
    };
    if (strip == 2 && !view.Sequential) {
        column(StripLabel(strip, view), 4, QColor(255, 0, 0));
        column(ErrorStripBlueLabel(), metrics.horizontalAdvance(tr("誤")) + 6, QColor(0, 0, 255));
    } else {
        column(StripLabel(strip, view), strip == 2 ? 4 : 5, QColor(0, 0, 0));
    }
    painter.setPen(QColor(0, 0, 0));
    painter.setBackgroundMode(Qt::TransparentMode);
}

void TfrmGraphJap::PaintBox1MouseMove(int x) {
    const int b = RecordAt(x, static_cast<int>(RecList.size()));
    if (b < 0)
        return;
    const TPracticeRec& rec = RecList[b];
    // Most moves stay on the same record: the caption and the label change only when it does.
    const QString caption = GraphCaptionLead() + ShiftJis::ToQString(RecordTitle(rec));
    if (windowTitle() != caption)
        setWindowTitle(caption);
    const QString readOut = ShiftJis::ToQString(ReadOutText(rec, b, View()));
    if (ui->Label1->text() != readOut)
        ui->Label1->setText(readOut);
}

void TfrmGraphJap::PaintBox1MouseDown(int x) {
    const int n = static_cast<int>(RecList.size());
    int row = (x - 50) / 10 + 1;
    if (row < 1)
        row = 1;
    if (row > n - 1)
        row = n;
    if (row > 0 && row <= ui->StringGrid1->rowCount())
        ui->StringGrid1->selectRow(row - 1);
    SelIndex = row - 1;
    RepaintStrips();
}

// Panel3 stays as wide as the points need and at least as wide as the view, as high as the
// view; the scroll position stays where it is.
void TfrmGraphJap::ScrollBox1Resize() {
    // The viewport's size from the scroll area's own, which is right also before the first
    // show (the horizontal bar is always there, the vertical one never).
    const QSize view = ui->ScrollBox1->maximumViewportSize();
    const int needed = 10 * static_cast<int>(RecList.size()) + 50;
    ui->Panel3->resize(std::max(needed, view.width()), view.height());
}
