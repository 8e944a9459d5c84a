// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UfGraphJap.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QColor White(255, 255, 255), Red(255, 0, 0), Blue(0, 0, 255), Lime(0, 255, 0),
    Aqua(0, 255, 255), Green(0, 128, 0), Grey(128, 128, 128);

QImage Draw(QSize size, int kind, int upper, const std::vector<std::int32_t>& values, int lower,
            int selIndex) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    DrawGraph(painter, size, kind, upper, values, lower, selIndex);
    return image;
}

// The centre of the dot of point i for a value, as the strip's geometry places it.
QPoint Dot(int height, int upper, int lower, int index, int value) {
    TStripGeometry g(height, upper, lower);
    return {TStripGeometry::PointX(index), g.PointY(value) + 1};
}

TEST(DrawGraphTest, TheDefaultSpeedStripWithDotsLinesAndHighlight) {
    const std::vector<std::int32_t> values = {60, 70, 40, 95};
    QImage image = Draw({300, 60}, 0, 90, values, 50, 1);
    // Point 0 stands on the left axis, which the frame draws over it.
    EXPECT_EQ(image.pixelColor(Dot(60, 90, 50, 1, 70)), Lime) << "the highlighted record";
    EXPECT_EQ(image.pixelColor(Dot(60, 90, 50, 1, 70) + QPoint(-3, 0)), Green) << "its outline";
    EXPECT_EQ(Dot(60, 90, 50, 2, 40).y(), 58) << "below the lower bound: on the baseline";
    EXPECT_EQ(Dot(60, 90, 50, 3, 95).y(), 4) << "above the upper bound: on the top line";
    EXPECT_EQ(image.pixelColor(Dot(60, 90, 50, 3, 95)), Red);
    // The three dotted lines at y = 43, 30 and 17 right of the last point: grey and white.
    for (int y : {43, 30, 17}) {
        int grey = 0;
        for (int x = 200; x < 300; ++x)
            grey += image.pixelColor(x, y) == Grey;
        EXPECT_GT(grey, 20) << y;
        EXPECT_LT(grey, 80) << y << " is dotted, not solid";
    }
    EXPECT_EQ(image.pixelColor(250, 57), Grey) << "the baseline";
    EXPECT_EQ(image.pixelColor(250, 3), Grey) << "the top line";
    EXPECT_EQ(image.pixelColor(250, 50), White);
    EXPECT_EQ(image.pixelColor(50, 30), Grey) << "the left axis";
}

TEST(DrawGraphTest, TwoSeriesShareTheXOfTheirRecords) {
    // Seven records: miss rates 0..6 × 2, then extra rates 10..16; bounds 20 and 0.
    std::vector<std::int32_t> values;
    for (int i = 0; i < 7; ++i)
        values.push_back(2 * i);
    for (int i = 0; i < 7; ++i)
        values.push_back(10 + i);
    QImage image = Draw({200, 100}, 1, 20, values, 0, 6);
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(image.pixelColor(Dot(100, 20, 0, i, 2 * i)), Red) << i;
        EXPECT_EQ(image.pixelColor(Dot(100, 20, 0, i, 10 + i)), Blue) << i;
    }
    EXPECT_EQ(Dot(100, 20, 0, 6, 0).x(), 110);
    EXPECT_EQ(image.pixelColor(Dot(100, 20, 0, 6, 12)), Lime);
    EXPECT_EQ(image.pixelColor(Dot(100, 20, 0, 6, 16)), Aqua);
}

TEST(DrawGraphTest, NoRecordsAndNoHighlightLeaveOnlyTheFrame) {
    for (int selIndex : {-1, 0, 5}) {
        QImage image = Draw({300, 60}, 0, 90, {}, 50, selIndex);
        for (int x = 51; x < 300; ++x)
            for (int y = 4; y < 57; ++y) {
                QColor c = image.pixelColor(x, y);
                ASSERT_TRUE(c == White || c == Grey || c.red() == c.green())
                    << x << "," << y << " at selIndex " << selIndex;
            }
    }
}

TEST(DrawGraphTest, WildBoundsDrawQuickly) {
    // Lines closer than a pixel cover the rows between the bounds once each.
    QImage image = Draw({2050, 60}, 0, 2147483647, {1, 2, 3}, -2147483647 - 1, 0);
    int grey = 0;
    for (int x = 1000; x < 1100; ++x)
        grey += image.pixelColor(x, 30) == Grey;
    EXPECT_GT(grey, 20);
    image = Draw({300, 60}, 0, 10, {1, 20}, 90, 1);
    EXPECT_EQ(image.pixelColor(Dot(60, 10, 90, 1, 20)), Lime);
}

} // namespace
