// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/UTimeHistogram.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double FirstBound = 10.0; // ms: bucket 0 holds everything up to here
constexpr double Growth = 1.06;

// The lower bound of bucket `b` (b ≥ 1) in ms.
double LowerBound(int b) {
    return FirstBound * std::pow(Growth, b - 1);
}

} // namespace

int TTimeHistogram::BucketOf(int millis) {
    if (millis <= FirstBound)
        return 0;
    int b = 1 + static_cast<int>(std::floor(std::log(millis / FirstBound) / std::log(Growth)));
    // Floating-point rounding may put a time just across a bound.
    while (b > 1 && millis < LowerBound(b))
        --b;
    while (b + 1 < BucketCount && millis >= LowerBound(b + 1))
        ++b;
    return std::clamp(b, 1, BucketCount - 1);
}

int TTimeHistogram::MillisOf(int bucket) {
    if (bucket <= 0)
        return static_cast<int>(FirstBound / 2);
    bucket = std::min(bucket, BucketCount - 1);
    return static_cast<int>(std::lround(std::sqrt(LowerBound(bucket) * LowerBound(bucket + 1))));
}

void TTimeHistogram::AddToBucket(int bucket, std::uint32_t times) {
    std::uint32_t& count = FCounts[static_cast<std::size_t>(bucket)];
    // A count never wraps: a day of one kana cannot reach four billion attempts, but a damaged
    // row may claim it.
    times = std::min(times, std::numeric_limits<std::uint32_t>::max() - count);
    count += times;
    FTotal += times;
}

void TTimeHistogram::Add(int millis, std::uint32_t times) {
    AddToBucket(BucketOf(millis), times);
}

void TTimeHistogram::Merge(const TTimeHistogram& other) {
    for (int b = 0; b < BucketCount; ++b) {
        if (std::uint32_t n = other.FCounts[static_cast<std::size_t>(b)])
            AddToBucket(b, n);
    }
}

std::optional<int> TTimeHistogram::Median() const {
    if (FTotal == 0)
        return std::nullopt;
    // The lower middle attempt: the 3rd of 5, the 2nd of 4.
    std::uint64_t middle = (FTotal + 1) / 2;
    std::uint64_t seen = 0;
    for (int b = 0; b < BucketCount; ++b) {
        seen += FCounts[static_cast<std::size_t>(b)];
        if (seen >= middle)
            return MillisOf(b);
    }
    return MillisOf(BucketCount - 1);
}

std::string TTimeHistogram::Encode() const {
    std::string bytes;
    for (int b = 0; b < BucketCount; ++b) {
        std::uint32_t n = FCounts[static_cast<std::size_t>(b)];
        if (n == 0)
            continue;
        bytes.push_back(static_cast<char>(b));
        while (n >= 0x80) {
            bytes.push_back(static_cast<char>(0x80 | (n & 0x7f)));
            n >>= 7;
        }
        bytes.push_back(static_cast<char>(n));
    }
    return bytes;
}

std::optional<TTimeHistogram> TTimeHistogram::Decode(std::string_view bytes) {
    TTimeHistogram histogram;
    std::size_t pos = 0;
    int lastBucket = -1;
    while (pos < bytes.size()) {
        int bucket = static_cast<unsigned char>(bytes[pos++]);
        // Buckets are written once each, in rising order.
        if (bucket >= BucketCount || bucket <= lastBucket)
            return std::nullopt;
        lastBucket = bucket;
        std::uint64_t n = 0;
        for (int shift = 0;; shift += 7) {
            if (pos >= bytes.size() || shift > 28)
                return std::nullopt;
            auto byte = static_cast<unsigned char>(bytes[pos++]);
            n |= static_cast<std::uint64_t>(byte & 0x7f) << shift;
            if ((byte & 0x80) == 0)
                break;
        }
        if (n == 0 || n > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
        histogram.AddToBucket(bucket, static_cast<std::uint32_t>(n));
    }
    return histogram;
}
