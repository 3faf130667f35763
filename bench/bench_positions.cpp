// SPDX-License-Identifier: MIT
// Positions of the Sun and the Moon.
#include <benchmark/benchmark.h>

#include "Positions.h"

namespace helune {
namespace {

// Madrid, in the engine's conventions (longitude positive West).
constexpr double kLongitudeWest = 3.7038;
constexpr double kLatitude = 40.4168;
// 18 January 2008 at noon, moving on a little with every iteration.
constexpr JulianDay kNoon = 2454484.0;
constexpr double kStep = 1e-7;

void BM_SunLongitude(benchmark::State& state) {
    const auto flags = static_cast<int16_t>(state.range(0));
    JulianDay jd = kNoon;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, flags, kLongitudeWest, kLatitude, jd));
        jd += kStep;
    }
}
BENCHMARK(BM_SunLongitude)->Arg(0)->Arg(15)->ArgName("flags");

void BM_MoonPosition(benchmark::State& state) {
    const auto index = static_cast<Quantity>(state.range(0));
    JulianDay jd = kNoon;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcLuna(index, 0, kLongitudeWest, kLatitude, jd));
        jd += kStep;
    }
}
BENCHMARK(BM_MoonPosition)->Arg(9)->Arg(16)->ArgName("index");

}  // namespace
}  // namespace helune
