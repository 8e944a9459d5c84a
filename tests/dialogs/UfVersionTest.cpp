// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/UfVersion.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

// The about box says under which licence the program is free software, readably and beside the
// OK button, not under it.
TEST(UfVersionTest, TheBoxNamesTheLicence) {
    TfrmVersion box;
    auto* licence = box.findChild<QLabel*>(QStringLiteral("Label6"));
    ASSERT_NE(licence, nullptr);
    EXPECT_TRUE(licence->text().contains(QStringLiteral("GPL-3.0-or-later")));
    EXPECT_TRUE(licence->toolTip().contains(QStringLiteral("自由ソフトウェア")));
    auto* ok = box.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_LE(licence->x() + licence->sizeHint().width(), ok->x());
    EXPECT_LE(licence->y() + licence->height(), box.height());
}

} // namespace
