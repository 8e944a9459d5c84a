// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DialogFrame.h"

#include "platform/Fonts.h"

#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

void SetFixedDialogFrame(QDialog* dialog, QSize clientSize) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    QFont font(ProportionalFontFace);
    font.setPixelSize(16);
    dialog->setFont(font);
    dialog->setFixedSize(clientSize);
    // Placed once here: a dialog that was moved is not centred over its parent by Qt.
    QWidget* parent = dialog->parentWidget();
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect area = screen->availableGeometry();
        dialog->move(area.x() + (area.width() - clientSize.width()) / 2,
                     area.y() + (area.height() - clientSize.height()) / 2);
    }
}

int CaptionWidth(const QWidget* window) {
    // Window managers draw captions bold in about the system's size; the icon and up to three
    // buttons take about a line height each, with the frame's margins.
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(window->windowTitle()) + 6 * metrics.height() + 16;
}

void FitToCaption(QWidget* window) {
    const int width = CaptionWidth(window);
    // A layout that sets the window's minimum size itself would take the width back.
    if (QLayout* layout = window->layout();
        layout && layout->sizeConstraint() != QLayout::SetDefaultConstraint &&
        layout->sizeConstraint() != QLayout::SetNoConstraint)
        layout->setSizeConstraint(QLayout::SetDefaultConstraint);
    if (window->minimumWidth() < width)
        window->setMinimumWidth(width);
    if (window->width() < width)
        window->resize(width, window->height());
}
