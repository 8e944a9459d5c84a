// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UTimeHistogram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(TimeHistogramTest, BucketsRiseWithTimeAndStandForTimesInside) {
    int last = 0;
    for (int ms = 0; ms <= 20000; ++ms) {
        int b = TTimeHistogram::BucketOf(ms);
        ASSERT_GE(b, last) << ms;
        ASSERT_LT(b, TTimeHistogram::BucketCount) << ms;
        last = b;
        // The time a bucket stands for is within 3 % of every time it holds, plus its rounding
        // to a whole ms (bucket 0 and the last, which hold everything below and above, apart).
        if (b > 0 && b < TTimeHistogram::BucketCount - 1) {
            double shown = TTimeHistogram::MillisOf(b);
            ASSERT_LE(std::abs(shown - ms), 0.03 * ms + 0.5) << ms;
        }
    }
    EXPECT_EQ(TTimeHistogram::BucketOf(-5), 0);
    EXPECT_EQ(TTimeHistogram::BucketOf(10), 0);
    EXPECT_EQ(TTimeHistogram::BucketOf(1'000'000), TTimeHistogram::BucketCount - 1);
}

TEST(TimeHistogramTest, MedianIsTheLowerMiddleAttempt) {
    struct TCase {
        const char* Name;
        std::vector<int> Times;
        int Exact;
    };
    const TCase cases[] = {
        {"one", {300}, 300},
        {"odd count", {100, 900, 250, 240, 260}, 250},
        {"even count takes the lower middle", {200, 400, 600, 800}, 400},
        {"all alike", {150, 150, 150}, 150},
        {"slow outliers do not drag it", {180, 190, 200, 9000, 12000}, 200},
    };
    for (const TCase& c : cases) {
        TTimeHistogram h;
        for (int t : c.Times)
            h.Add(t);
        ASSERT_TRUE(h.Median()) << c.Name;
        EXPECT_NEAR(*h.Median(), c.Exact, c.Exact * 0.031) << c.Name;
        EXPECT_EQ(h.Total(), c.Times.size()) << c.Name;
    }
    EXPECT_FALSE(TTimeHistogram().Median());
}

TEST(TimeHistogramTest, MergedHistogramsGiveTheMedianOfAllTimes) {
    TTimeHistogram monday, tuesday, both;
    for (int t : {100, 110, 120})
        monday.Add(t), both.Add(t);
    for (int t : {500, 520, 540, 560})
        tuesday.Add(t), both.Add(t);
    monday.Merge(tuesday);
    EXPECT_EQ(monday, both);
    EXPECT_NEAR(*monday.Median(), 500, 15);
}

TEST(TimeHistogramTest, EncodingRoundTrips) {
    TTimeHistogram h;
    h.Add(5);
    h.Add(333, 200);    // a count of two varint bytes
    h.Add(2500, 70000); // of three
    h.Add(60000);
    std::optional<TTimeHistogram> back = TTimeHistogram::Decode(h.Encode());
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, h);
    EXPECT_EQ(TTimeHistogram().Encode(), "");
    EXPECT_EQ(TTimeHistogram::Decode(""), TTimeHistogram());
}

TEST(TimeHistogramTest, DamagedBytesDecodeToNothing) {
    struct TCase {
        const char* Name;
        std::string Bytes;
    };
    const TCase cases[] = {
        {"bucket beyond the last", std::string("\x80\x01", 2)},
        {"buckets out of order", std::string("\x05\x01\x03\x01", 4)},
        {"bucket twice", std::string("\x05\x01\x05\x01", 4)},
        {"count missing", std::string("\x05", 1)},
        {"count cut off", std::string("\x05\x81", 2)},
        {"count of zero", std::string("\x05\x00", 2)},
        {"count beyond 32 bits", std::string("\x05\xff\xff\xff\xff\x7f", 6)},
    };
    for (const TCase& c : cases)
        EXPECT_FALSE(TTimeHistogram::Decode(c.Bytes)) << c.Name;
}

TEST(TimeHistogramTest, CountsStopAtTheirLimitInsteadOfWrapping) {
    TTimeHistogram h;
    h.Add(300, 0xffffffffu);
    h.Add(300, 5);
    EXPECT_EQ(h.Total(), 0xffffffffu);
}

} // namespace
