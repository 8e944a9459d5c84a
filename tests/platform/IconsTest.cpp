// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Icons.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// Every icon the windows use is there at every size, drawn (not blank), and answers sizes
// between and beyond the rendered ones; a name without files gives a null icon.
TEST(IconsTest, EveryIconIsRenderedAtEverySize) {
    const char* names[] = {"typorin",   "open",     "touch",         "part",    "all",
                           "compare",   "autocrlf", "options",       "editor",  "graph",
                           "help",      "new",      "save",          "saveas",  "undo",
                           "cut",       "copy",     "paste",         "delete",  "regadd",
                           "regdelete", "regnew",   "regfiledelete", "analysis"};
    for (const char* name : names) {
        const QIcon icon = ProgramIcon(QString::fromLatin1(name));
        ASSERT_FALSE(icon.isNull()) << name;
        for (int side : IconSizes) {
            const QImage image = icon.pixmap(QSize(side, side)).toImage();
            EXPECT_EQ(image.size(), QSize(side, side)) << name << " " << side;
            bool drawn = false;
            for (int y = 0; y < image.height() && !drawn; ++y)
                for (int x = 0; x < image.width() && !drawn; ++x)
                    drawn = qAlpha(image.pixel(x, y)) != 0;
            EXPECT_TRUE(drawn) << name << " " << side;
        }
        EXPECT_EQ(icon.pixmap(QSize(22, 22)).size(), QSize(22, 22)) << name;
        EXPECT_EQ(icon.pixmap(QSize(256, 256)).size(), QSize(128, 128)) << name;
        EXPECT_EQ(icon.availableSizes().size(), static_cast<qsizetype>(std::size(IconSizes)));
    }
    EXPECT_TRUE(ProgramIcon(QStringLiteral("no-such-icon")).isNull());
    EXPECT_TRUE(ProgramIcon(QStringLiteral("no-such-icon")).pixmap(QSize(24, 24)).isNull());
}

// A window icon is offered to the window manager at the window sizes only, each drawn at its
// own size, and is drawn at any other size as the program icon is.
TEST(IconsTest, WindowIconsOfferTheWindowSizes) {
    const QIcon icon = WindowIcon(QStringLiteral("typorin"));
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> offered = icon.availableSizes();
    ASSERT_EQ(offered.size(), static_cast<qsizetype>(std::size(WindowIconSizes)));
    for (qsizetype i = 0; i < offered.size(); ++i) {
        EXPECT_EQ(offered[i], QSize(WindowIconSizes[i], WindowIconSizes[i]));
        EXPECT_EQ(icon.pixmap(offered[i]).toImage(),
                  ProgramIcon(QStringLiteral("typorin")).pixmap(offered[i]).toImage());
    }
    EXPECT_EQ(icon.pixmap(QSize(128, 128)).size(), QSize(128, 128));
    EXPECT_TRUE(WindowIcon(QStringLiteral("no-such-icon")).isNull());
}

// A disabled action's icon is drawn differently from the enabled one, as the style greys it.
TEST(IconsTest, DisabledIconsAreGreyed) {
    const QIcon icon = ProgramIcon(QStringLiteral("open"));
    EXPECT_NE(icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage(),
              icon.pixmap(QSize(16, 16), QIcon::Normal).toImage());
}

} // namespace
