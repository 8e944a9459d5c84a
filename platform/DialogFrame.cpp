// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DialogFrame.h"

#include "platform/Fonts.h"

#include <QDialog>
#include <QGuiApplication>
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
