// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StatusPanel.h"

#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>

TStatusPanel::TStatusPanel(int width, Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent), FWidth(width), FAlignment(alignment) {
    setMinimumWidth(width);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void TStatusPanel::SetText(const QString& text) {
    if (text == FText)
        return;
    FText = text;
    FShown = text;
    FShown.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    FShown.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    update();
}

QSize TStatusPanel::sizeHint() const {
    return {FWidth, fontMetrics().height() + 6};
}

void TStatusPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    painter.drawText(rect().adjusted(3, 0, -3, 0), int(FAlignment | Qt::AlignVCenter), FShown);
}

void AddStatusPanels(QStatusBar* bar, std::initializer_list<TPanelSpec> panels) {
    bar->setSizeGripEnabled(false);
    int index = 0;
    for (const TPanelSpec& spec : panels) {
        auto* panel = new TStatusPanel(spec.Width, spec.Alignment, bar);
        panel->setObjectName(bar->objectName() + QStringLiteral("Panel") + QString::number(index));
        bool last = ++index == static_cast<int>(panels.size());
        if (last)
            panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        bar->addWidget(panel, last ? 1 : 0);
    }
}

TStatusPanel* StatusPanel(QStatusBar* bar, int index) {
    return bar->findChild<TStatusPanel*>(bar->objectName() + QStringLiteral("Panel") +
                                         QString::number(index));
}
