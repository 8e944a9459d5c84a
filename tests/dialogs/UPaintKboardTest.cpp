// SPDX-License-Identifier: GPL-3.0-or-later
// The about box's logo painted into an image: grey shadows, coloured letters 5 pixels right and
// 3 down, and never the bitmaps' silver background.

#include "dialogs/UPaintKboard.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QColor Background(255, 255, 255);

QImage PaintedLogo(TPaintLogo& logo) {
    QImage image(360, 90, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    logo.Paint(painter);
    return image;
}

TEST(UPaintKboardTest, TheLettersArePreparedGreyOnSilverSideBySide) {
    TPaintLogo logo;
    for (int i = 0; i < TPaintLogo::LetterCount; ++i) {
        SCOPED_TRACE(i);
        const QImage& bitmap = logo.Bitmap(i);
        ASSERT_FALSE(bitmap.isNull());
        int grey = 0, other = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                QColor c = bitmap.pixelColor(x, y);
                grey += c == TPaintLogo::Grey;
                other += c != TPaintLogo::Grey && c != TPaintLogo::Silver;
            }
        EXPECT_GT(grey, 20) << "the letter is drawn";
        EXPECT_EQ(other, 0) << "a letter is one grey, not smoothed";
    }
    PaintedLogo(logo);
    EXPECT_EQ(logo.X(0), 45);
    for (int i = 1; i < TPaintLogo::LetterCount; ++i)
        EXPECT_EQ(logo.X(i), logo.X(i - 1) + logo.Bitmap(i - 1).width());
}

TEST(UPaintKboardTest, EachLetterLiesInItsColourOverItsGreyShadow) {
    TPaintLogo logo;
    QImage image = PaintedLogo(logo);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_NE(image.pixelColor(x, y), TPaintLogo::Silver) << "at " << x << ", " << y;

    for (int i = 0; i < TPaintLogo::LetterCount; ++i) {
        SCOPED_TRACE(i);
        const QImage& bitmap = logo.Bitmap(i);
        int left = static_cast<int>(logo.X(i));
        QColor colour = TPaintLogo::LetterColor(i);
        int shadowShown = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                if (bitmap.pixelColor(x, y) != TPaintLogo::Grey)
                    continue;
                ASSERT_EQ(image.pixelColor(left + x + 5, 10 + y), colour) << x << ", " << y;
                shadowShown += image.pixelColor(left + x, 7 + y) == TPaintLogo::Grey;
            }
        EXPECT_GT(shadowShown, 5) << "part of the shadow shows beside the letter";
    }
}

TEST(UPaintKboardTest, EveryPaintLooksTheSame) {
    TPaintLogo logo;
    QImage first = PaintedLogo(logo);
    EXPECT_EQ(PaintedLogo(logo), first);
    EXPECT_EQ(TPaintLogo::LetterColor(0), QColor(0, 255, 255));
    EXPECT_EQ(TPaintLogo::LetterColor(2), QColor(255, 255, 0));
    EXPECT_EQ(TPaintLogo::LetterColor(5), QColor(255, 0, 0));
}

} // namespace
