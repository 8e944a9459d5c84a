// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowBounds.h"

#include <QSplitter>

#include <QGuiApplication>
#include <QWidget>

bool WindowPositionsKnown(const QString& platformName) {
    return !platformName.startsWith(QLatin1String("wayland"));
}

void StoreWindowBounds(const QWidget& window, std::int32_t& left, std::int32_t& top,
                       std::int32_t& width, std::int32_t& height) {
    const QRect bounds = window.geometry();
    if (WindowPositionsKnown(QGuiApplication::platformName())) {
        left = bounds.x();
        top = bounds.y();
    }
    width = bounds.width();
    height = bounds.height();
}

void PlaceSplitter(QSplitter& splitter, int first) {
    int total = splitter.orientation() == Qt::Horizontal ? splitter.width() : splitter.height();
    total -= splitter.handleWidth();
    splitter.setSizes({first, std::max(0, total - first)});
}
