// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowBounds.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(WindowBoundsTest, OnlyWaylandHidesPositions) {
    for (const char* name : {"xcb", "offscreen", "minimal", "eglfs"})
        EXPECT_TRUE(WindowPositionsKnown(QString::fromLatin1(name))) << name;
    for (const char* name : {"wayland", "wayland-egl", "wayland-brcm"})
        EXPECT_FALSE(WindowPositionsKnown(QString::fromLatin1(name))) << name;
}

// Where the platform tells positions (the tests' offscreen one), all four are stored.
TEST(WindowBoundsTest, StoresSizeAndKnownPosition) {
    QWidget window;
    window.setGeometry(30, 40, 300, 200);
    std::int32_t left = -1, top = -1, width = -1, height = -1;
    StoreWindowBounds(window, left, top, width, height);
    EXPECT_EQ(left, 30);
    EXPECT_EQ(top, 40);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 200);
}

} // namespace
