// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The median and 99th percentile of timed runs as counters of a benchmark (microseconds).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

inline void ReportPercentiles(benchmark::State& state, std::vector<double> times) {
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    state.counters["p50_us"] = times[times.size() / 2] * 1e6;
    state.counters["p99_us"] = times[times.size() * 99 / 100] * 1e6;
}
