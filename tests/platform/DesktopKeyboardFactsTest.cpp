// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopKeyboard.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

namespace {

// Without an X server nothing of X is read; the environment's layout is.
TEST(DesktopKeyboardFactsTest, OffscreenTellsTheEnvironmentOnly) {
    const QByteArray saved = qgetenv("XKB_DEFAULT_LAYOUT");
    qputenv("XKB_DEFAULT_LAYOUT", "de");
    const DesktopKeyboard::TFacts facts = DesktopKeyboard::DesktopKeyboardFacts();
    if (saved.isNull())
        qunsetenv("XKB_DEFAULT_LAYOUT");
    else
        qputenv("XKB_DEFAULT_LAYOUT", saved);
    EXPECT_EQ(facts.Platform, "offscreen");
    EXPECT_TRUE(facts.XkbRulesNames.empty());
    EXPECT_EQ(facts.XkbGroup, -1);
    EXPECT_EQ(facts.XkbDefaultLayout, "de");
    if (!facts.Fcitx5Running) {
        EXPECT_EQ(DesktopKeyboard::DesktopLayouts(facts), "de");
    }
}

} // namespace
