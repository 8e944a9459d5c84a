// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace {
// A held arrow steps again after this delay, then at this interval (milliseconds).
constexpr int RepeatDelay = 400, RepeatInterval = 80;

QToolButton* MakeArrow(QWidget* parent, const char* name, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(RepeatDelay);
    button->setAutoRepeatInterval(RepeatInterval);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
} // namespace

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), FUp(MakeArrow(this, "UpButton", Qt::UpArrow)),
      FDown(MakeArrow(this, "DownButton", Qt::DownArrow)) {
    connect(FUp, &QToolButton::clicked, this, [this] { StepUp(); });
    connect(FDown, &QToolButton::clicked, this, [this] { StepDown(); });
}

void TUpDown::SetRange(int min, int max) {
    FMin = min;
    FMax = std::max(min, max);
    SetPosition(FPosition);
}

void TUpDown::SetPosition(int position) {
    FPosition = std::clamp(position, FMin, FMax);
    ShowPosition();
}

void TUpDown::SetAssociate(QLineEdit* edit) {
    if (FAssociate)
        FAssociate->removeEventFilter(this);
    FAssociate = edit;
    if (FAssociate)
        FAssociate->installEventFilter(this);
    ShowPosition();
}

// The box's text changes only when the number does, so its change handler runs once a step.
void TUpDown::ShowPosition() {
    if (!FAssociate)
        return;
    QString text = QString::number(FPosition);
    if (FAssociate->text() != text)
        FAssociate->setText(text);
}

QSize TUpDown::sizeHint() const {
    return {17, 24};
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FAssociate && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) {
            StepUp();
            return true;
        }
        if (key == Qt::Key_Down) {
            StepDown();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    int upper = height() / 2;
    FUp->setGeometry(0, 0, width(), upper);
    FDown->setGeometry(0, upper, width(), height() - upper);
}
