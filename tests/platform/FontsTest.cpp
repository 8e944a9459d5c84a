// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Draws `text` in `font`, black on white, and counts the pixels that came out visibly inked.
int InkedPixels(const QFont& font, const QString& text) {
    QImage image(64, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(4, 28), text);
    }
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 192;
    return dark;
}

// Both faces at the sizes the windows use draw every character of a register's file name; the
// faces' own hinting instructions lose the underscore at 16 pixels.
TEST(FontsTest, TheFacesDrawUnderscores) {
    for (const QString& face : {FixedFontFace, ProportionalFontFace})
        for (int pixels : {12, 16, 21}) {
            QFont font(face);
            font.setPixelSize(pixels);
            EXPECT_GT(InkedPixels(font, QStringLiteral("_")), 0) << face.toStdString() << pixels;
        }
}

// The Windows faces the program names are found under their substitutes, and text without a
// font of its own is written in the proportional face at 12 pixels.
TEST(FontsTest, FacesAreSubstitutedAndTheDefaultIsTheProportionalFace) {
    EXPECT_EQ(QFontInfo(QFont(FixedFontFace)).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(QFont(ProportionalFontFace)).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(QFont()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFont().pixelSize(), 12);
}

} // namespace
