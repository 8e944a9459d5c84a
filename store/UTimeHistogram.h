// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How long a learner took, kept as a histogram of times: the statistics store sums a day's
// attempts of one kana or one key into one, and a median is read back from any sum of them.
// Buckets grow by 6 % each, so a median read back lies within 3 % of the exact one (plus its
// rounding to a whole ms); 10 ms and less share bucket 0, and 16 s and more share the last.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TTimeHistogram {
public:
    static constexpr int BucketCount = 128;

    // The bucket of a time in milliseconds; negative times count as 0.
    static int BucketOf(int millis);
    // The time a bucket stands for: the geometric middle of its bounds, rounded to a whole ms.
    static int MillisOf(int bucket);

    void Add(int millis, std::uint32_t times = 1);
    void Merge(const TTimeHistogram& other);
    std::uint64_t Total() const { return FTotal; }
    bool Empty() const { return FTotal == 0; }
    // The time of the bucket that holds the middle attempt (the lower of the two middle ones
    // for an even count); none when empty.
    std::optional<int> Median() const;

    // A compact form for the store: each bucket in use as its number (one byte) and its count
    // (a base-128 varint). Empty gives an empty string.
    std::string Encode() const;
    // Reads what Encode wrote. Bytes that do not form that encoding (a damaged row) give none,
    // never a crash.
    static std::optional<TTimeHistogram> Decode(std::string_view bytes);

    bool operator==(const TTimeHistogram& other) const = default;

private:
    void AddToBucket(int bucket, std::uint32_t times);

    std::array<std::uint32_t, BucketCount> FCounts{};
    std::uint64_t FTotal = 0;
};
