#pragma once

// Paired timing: each iteration runs the operation and then its yardstick (its floor, or a
// peer), each timed on its own. Both see the same moment's disk and machine load, which on
// a shared machine moves a flush to disk by several times between one second and the next.

#include "sequences.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include <benchmark/benchmark.h>

namespace velmora::bench {

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// `operation` returns the Traffic of its run; `yardstick` receives it, so that a floor can
// do as many reads and writes as the operation did. `prepare` runs untimed before each
// operation. The benchmark's time is the operation's; the counters ours_us and yardstick_us
// hold the median of each, ratio the median of the iterations' own ratios, reads and writes
// the operation's mean traffic.
template <typename Prepare, typename Operation, typename Yardstick>
void runPaired(benchmark::State& state, Prepare prepare, Operation operation, Yardstick yardstick)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> ratios;
    Traffic total;
    for (auto _ : state) {
        prepare();
        const auto start = Clock::now();
        const Traffic traffic = operation();
        const auto middle = Clock::now();
        yardstick(traffic);
        const auto end = Clock::now();
        const std::chrono::duration<double> oursTime = middle - start;
        const std::chrono::duration<double> theirTime = end - middle;
        ours.push_back(oursTime.count());
        theirs.push_back(theirTime.count());
        if (theirTime.count() > 0)
            ratios.push_back(oursTime.count() / theirTime.count());
        total.reads += traffic.reads;
        total.writes += traffic.writes;
        state.SetIterationTime(oursTime.count());
    }
    const auto runs = static_cast<double>(std::max<std::size_t>(ours.size(), 1));
    state.counters["ours_us"] = median(ours) * 1e6;
    state.counters["yardstick_us"] = median(theirs) * 1e6;
    state.counters["ratio"] = median(ratios);
    state.counters["reads"] = total.reads / runs;
    state.counters["writes"] = total.writes / runs;
}

template <typename Operation, typename Yardstick>
void runPaired(benchmark::State& state, Operation operation, Yardstick yardstick)
{
    runPaired(
        state, [] {}, operation, yardstick);
}

} // namespace velmora::bench
