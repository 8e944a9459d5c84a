// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's ruler of bulk input: the wrap column shown in cells and moved by its marker.

#include "app/UfMain.h"

#include "japanese/UDefineJap.h"
#include "platform/RichEdit.h"
#include "platform/ShiftJis.h"
#include "store/UOptionRanges.h"
#include "ui_UfMain.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The ruler of bulk input, by text kind: the cell text, the first selectable and the last
// column (which is also the ruler's length in cells).
struct TRulerLimits {
    QString CellText;
    int FirstColumn;
    int LastColumn;
};
const TRulerLimits RulerLimits[] = {{QStringLiteral("あ"), WrapColJpMin, WrapColJpMax},
                                    {QStringLiteral("A"), WrapColEnMin, WrapColEnMax}};

} // namespace

void TfrmMain::PaintBox2Paint(QPainter& painter) {
    const TRulerLimits& limits = RulerLimits[FSingleByte ? 1 : 0];
    QFont font = ui->RichEdit1->font();
    font.setPointSize(OptionRec.FontSize);
    painter.setFont(font);
    int cell = QFontMetrics(font).horizontalAdvance(limits.CellText);
    painter.setPen(Qt::black);
    painter.drawLine(4, 5, cell * limits.LastColumn, 5);
    // While dragged the marker follows the mouse; every move repaints the ruler beneath it.
    if (!FDragging)
        ui->Label1->move(FWrapCol * cell, ui->Label1->y());

    font.setPointSize(9);
    painter.setFont(font);
    QFontMetrics metrics(font);
    // A number is written on its own background, over the line and any tick beneath it.
    const QColor background = ui->PaintBox2->palette().color(QPalette::Window);
    auto number = [&](int n, int x, const QColor& color) {
        QString text = QString::number(n);
        const int width = metrics.horizontalAdvance(text);
        painter.fillRect(QRect(x - width / 2 - 1, 3, width + 2, metrics.height()), background);
        painter.setPen(color);
        painter.drawText(x - width / 2, 3 + metrics.ascent(), text);
    };
    auto columnColor = [&](int n) { return n < limits.FirstColumn ? Qt::gray : Qt::black; };
    painter.setPen(Qt::gray);
    painter.drawLine(4, 3, 4, 9);
    for (int n = 1; n <= limits.LastColumn; ++n) {
        if (n % 5 != 0) {
            painter.setPen(columnColor(n));
            painter.drawLine(n * cell + 4, 3, n * cell + 4, 9);
        }
    }
    for (int n = 5; n <= limits.LastColumn; n += 5) {
        bool edge = n == limits.FirstColumn || n == limits.LastColumn;
        number(n, n * cell + 4, edge ? QColor(Qt::blue) : QColor(columnColor(n)));
    }
    number(FWrapCol, cell * FWrapCol + 4, QColor(255, 0, 255));
}

bool TfrmMain::RulerLocked() const {
    return ui->Label1->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

void TfrmMain::SetRulerMarkerColor(Qt::GlobalColor color) {
    QPalette palette = ui->Label1->palette();
    palette.setColor(QPalette::WindowText, color);
    ui->Label1->setPalette(palette);
}

void TfrmMain::Label1MouseDown() {
    if (RulerLocked())
        return;
    FDragOffset = ui->Label1->width() / 2;
    FDragging = true;
}

void TfrmMain::Label1MouseMove(const QMouseEvent& event) {
    bool locked = RulerLocked();
    ui->Label1->setCursor(locked ? Qt::ArrowCursor : Qt::PointingHandCursor);
    if (locked || !FDragging)
        return;
    const TRulerLimits& limits = RulerLimits[FSingleByte ? 1 : 0];
    int left = ui->Label1->x();
    if (left >= limits.FirstColumn * FCellWidth - FDragOffset + 4 &&
        left < limits.LastColumn * FCellWidth + 4)
        ui->Label1->move(left + static_cast<int>(event.position().x()) - FDragOffset + 4,
                         ui->Label1->y());
    else
        FDragging = false;
}

void TfrmMain::Label1MouseUp(const QMouseEvent& event) {
    if (RulerLocked())
        return;
    FDragging = false;
    const TRulerLimits& limits = RulerLimits[FSingleByte ? 1 : 0];
    int left = ui->Label1->x();
    int lowest = limits.FirstColumn * FCellWidth - FDragOffset + 4;
    int end = limits.LastColumn * FCellWidth + 4;
    if (left < lowest)
        left = lowest;
    else if (left >= end)
        left = end - FDragOffset;
    else
        left += static_cast<int>(event.position().x()) + 4 - FDragOffset;
    ui->Label1->move(left, ui->Label1->y());
    if (FCellWidth > 0)
        FWrapCol = std::clamp((left + ui->Label1->width() / 2) / FCellWidth, limits.FirstColumn,
                              limits.LastColumn);
    (FSingleByte ? OptionRec.WrapColEn : OptionRec.WrapColJp) = FWrapCol;
    Rewrap();
    ui->PaintBox2->update();
}

// The example wrapped again at the wrap column.
void TfrmMain::Rewrap() {
    std::string wrapped = WrapLines(ShiftJis::FromUtf16(FPracticeText), FWrapCol,
                                    static_cast<std::uint8_t>(FSingleByte));
    ui->RichEdit1->SetText(ShiftJis::TrimRight(wrapped));
    UpdateLineHeight();
}

void TfrmMain::PlaceRulerMarker() {
    ui->Label1->move(FWrapCol * FCellWidth, ui->Label1->y());
    SetRulerMarkerColor(Qt::black);
}

int TfrmMain::RulerCellWidth(int fontSize) const {
    QFont font = ui->RichEdit1->font();
    font.setPointSize(fontSize);
    return QFontMetrics(font).horizontalAdvance(RulerLimits[FSingleByte ? 1 : 0].CellText);
}
