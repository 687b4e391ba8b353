// What the image benchmarks share: the frame image and the memcpy yardstick.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "framework.h"

namespace bench {

constexpr int kFrameWidth = 1240;
constexpr int kFrameHeight = 800;

// Nanoseconds of one memcpy of a 1240 x 800 x 4-byte frame.
double MemcpyNanos();
// The shipped frame image, decoded once (GDI+ is started for it).
Gdiplus::Image* FrameImage();

// Times the body of the loop and reports its fastest run against the
// fastest memcpy of a frame's bytes, timed between the runs, as "x memcpy":
// on a shared machine the fastest runs are the ones nothing else slowed.
template <typename Body>
void RunAgainstMemcpy(benchmark::State& state, Body body) {
  double best = 1e18, bestCopy = 1e18;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    body();
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count() / 1e9);
    best = std::min(best, took.count());
    bestCopy = std::min(bestCopy, MemcpyNanos());
  }
  state.counters["x memcpy"] = best / bestCopy;
  state.counters["memcpy us"] = bestCopy / 1000;
}

}  // namespace bench
