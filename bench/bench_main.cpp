// SPDX-License-Identifier: MIT
// Benchmarks of the engine.
#include <benchmark/benchmark.h>

#include <cmath>

#include "VSOPEarD.h"

namespace helune {
namespace {

constexpr Row kEarth = Row::Earth;
// Instants start at 1992 October 13.0 and move on a little each iteration, so
// that no sum can be kept from one iteration to the next.
constexpr double kStartTau = (2448908.5 - 2451545.0) / 365250.0;
constexpr double kTauStep = 1e-9;

// The Earth's L, B and R at one instant; items are instants.
template <class Eval>
void EarthLBR(benchmark::State& state, Eval eval) {
    double tau = kStartTau;
    for (auto _ : state) {
        benchmark::DoNotOptimize(eval(kVsopSetL, tau));
        benchmark::DoNotOptimize(eval(kVsopSetB, tau));
        benchmark::DoNotOptimize(eval(kVsopSetR, tau));
        tau += kTauStep;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_EvalVSOP_EarthLBR(benchmark::State& state) {
    EarthLBR(state, [](Element set, double tau) { return EvalVSOP(kEarth, set, tau); });
}
BENCHMARK(BM_EvalVSOP_EarthLBR);

void BM_EvalVSOP_EarthLBR_Sse2(benchmark::State& state) {
    EarthLBR(state, [](Element set, double tau) { return EvalVSOPOn(VsopPath::Sse2, kEarth, set, tau); });
}
BENCHMARK(BM_EvalVSOP_EarthLBR_Sse2);

// The sum before any speed-up: every term through std::cos, in table order.
void BM_PlainLoop_EarthLBR(benchmark::State& state) {
    EarthLBR(state, [](Element set, double tau) { return EvalVSOPOn(VsopPath::Scalar, kEarth, set, tau); });
}
BENCHMARK(BM_PlainLoop_EarthLBR);

}  // namespace
}  // namespace helune
