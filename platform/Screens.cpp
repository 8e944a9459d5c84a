// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Screens.h"

#include <QGuiApplication>
#include <QScreen>

std::vector<TScreenRect> AvailableScreens() {
    std::vector<TScreenRect> screens;
    QList<QScreen*> all = QGuiApplication::screens();
    all.removeOne(QGuiApplication::primaryScreen());
    all.prepend(QGuiApplication::primaryScreen());
    for (QScreen* screen : all)
        if (screen) {
            QRect r = screen->availableGeometry();
            screens.push_back({r.x(), r.y(), r.width(), r.height()});
        }
    return screens;
}

bool PositionsHidden() {
    return QGuiApplication::platformName() == QLatin1String("wayland");
}
