// SPDX-License-Identifier: GPL-3.0-or-later
// What the program entry sets up before its window: Qt's own texts in Japanese.

#include "app/UStartup.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

TEST(UStartupTest, QtsStandardTextsReadInJapanese) {
    InstallJapaneseQtTexts();
    struct {
        const char* Context;
        const char* Text;
        const char* Expected;
    } cases[] = {
        {"QPlatformTheme", "Cancel", "キャンセル"},
        {"QPlatformTheme", "&Yes", "はい(&Y)"},
        {"QFileDialog", "Look in:", "アドレス:"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QCoreApplication::translate(c.Context, c.Text).toStdString(), c.Expected)
            << c.Text;
}
