// Benchmarks of the engine.
#include <benchmark/benchmark.h>

#include <cmath>

#include "VSOPEarD.h"

namespace helune {
namespace {

constexpr int16_t kEarth = 2;
// Instants start at 1992 October 13.0 and move on a little each iteration, so
// that no sum can be kept from one iteration to the next.
constexpr double kStartTau = (2448908.5 - 2451545.0) / 365250.0;
constexpr double kTauStep = 1e-9;

// The sum before any speed-up: every term through std::cos, in table order.
double PlainSum(const VsopTerm* const* series, const int16_t* counts, double tau) {
    double total = 0.0;
    double power = 1.0;
    for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
        double sum = 0.0;
        for (int i = 0; i < counts[alpha]; ++i) {
            sum += series[alpha][i].A * std::cos(series[alpha][i].B + series[alpha][i].C * tau);
        }
        total += sum * power;
        power *= tau;
    }
    return total;
}

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
    EarthLBR(state, [](int16_t set, double tau) { return EvalVSOP(kEarth, set, tau); });
}
BENCHMARK(BM_EvalVSOP_EarthLBR);

void BM_EvalVSOP_EarthLBR_Sse2(benchmark::State& state) {
    EarthLBR(state, [](int16_t set, double tau) { return EvalVSOPOn(VsopPath::Sse2, kEarth, set, tau); });
}
BENCHMARK(BM_EvalVSOP_EarthLBR_Sse2);

void BM_PlainLoop_EarthLBR(benchmark::State& state) {
    EarthLBR(state, [](int16_t set, double tau) {
        switch (set) {
            case kVsopSetL: return PlainSum(VsopSeriesL[kEarth], VsopCountL[kEarth], tau);
            case kVsopSetB: return PlainSum(VsopSeriesB[kEarth], VsopCountB[kEarth], tau);
            default: return PlainSum(VsopSeriesR[kEarth], VsopCountR[kEarth], tau);
        }
    });
}
BENCHMARK(BM_PlainLoop_EarthLBR);

}  // namespace
}  // namespace helune
