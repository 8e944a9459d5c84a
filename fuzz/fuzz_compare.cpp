// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-text comparison in both modes on small inputs: every unit of both texts is either
// in the common subsequence or reported once, the counters agree with the lists, and the common
// subsequence is a longest one.

#include "compare/UCompKey.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <vector>

namespace {

// The length of a longest common subsequence of the units' strings, the plain way.
std::size_t LcsLength(const std::vector<TCompItem>& a, const std::vector<TCompItem>& b) {
    std::vector<std::size_t> prev(b.size() + 1, 0), cur(b.size() + 1, 0);
    for (const TCompItem& x : a) {
        for (std::size_t j = 0; j < b.size(); ++j)
            cur[j + 1] = x.Str == b[j].Str ? prev[j] + 1 : std::max(prev[j + 1], cur[j]);
        std::swap(prev, cur);
    }
    return prev[b.size()];
}

// The strings of the units that no record names, in order.
std::vector<std::string> Matched(const std::vector<TCompItem>& units,
                                 const std::vector<TRsltItem>& rslts, std::int32_t kind) {
    std::vector<bool> reported(units.size(), false);
    for (const TRsltItem& r : rslts)
        if (r.Kind == kind) {
            FUZZ_CHECK(r.Index >= 0 && static_cast<std::size_t>(r.Index) < units.size());
            FUZZ_CHECK(!reported[r.Index]); // reported once
            reported[r.Index] = true;
            const TCompItem& unit = units[r.Index];
            FUZZ_CHECK(r.Pos == unit.Pos && r.Str == unit.Str);
        }
    std::vector<std::string> matched;
    for (std::size_t i = 0; i < units.size(); ++i)
        if (!reported[i])
            matched.push_back(units[i].Str);
    return matched;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    TFuzzInput input(data, size);
    CompMode mode = input.Take<std::uint8_t>() % 2 ? CompMode::Words : CompMode::Chars;
    std::size_t split = input.Take<std::uint16_t>() % (input.Rest().size() + 1);
    std::string_view example = input.Bytes(split);
    std::string_view typed = input.Rest();

    TCompClass comp;
    comp.Compare(mode, example, typed);
    const auto& ex = comp.ExampleList();
    const auto& in = comp.InputList();
    const auto& rslts = comp.RsltList();
    for (std::size_t i = 0; i < ex.size(); ++i)
        FUZZ_CHECK(ex[i].Index == static_cast<std::int32_t>(i));
    for (std::size_t i = 0; i < in.size(); ++i)
        FUZZ_CHECK(in[i].Index == static_cast<std::int32_t>(i));

    FUZZ_CHECK(comp.ExampleCount() == static_cast<std::int32_t>(ex.size()));
    FUZZ_CHECK(comp.InputCount() == static_cast<std::int32_t>(in.size()));
    FUZZ_CHECK(comp.MatchCount() + comp.MissCount() == comp.ExampleCount());
    FUZZ_CHECK(comp.MatchCount() + comp.ExtraCount() == comp.InputCount());

    // Example records first, then typed ones, each in ascending Index.
    std::int32_t misses = 0;
    for (std::size_t i = 0; i < rslts.size(); ++i) {
        misses += rslts[i].Kind == RsltKindExample;
        if (i > 0)
            FUZZ_CHECK(rslts[i - 1].Kind < rslts[i].Kind ||
                       (rslts[i - 1].Kind == rslts[i].Kind && rslts[i - 1].Index < rslts[i].Index));
    }
    FUZZ_CHECK(misses == comp.MissCount());
    FUZZ_CHECK(static_cast<std::int32_t>(rslts.size()) - misses == comp.ExtraCount());

    // What is not reported pairs up unit for unit, and no longer pairing exists.
    std::vector<std::string> matchedExample = Matched(ex, rslts, RsltKindExample);
    FUZZ_CHECK(matchedExample == Matched(in, rslts, RsltKindInput));
    FUZZ_CHECK(static_cast<std::int32_t>(matchedExample.size()) == comp.MatchCount());
    if (ex.size() * in.size() <= 1u << 20)
        FUZZ_CHECK(static_cast<std::size_t>(comp.MatchCount()) == LcsLength(ex, in));
    return 0;
}
