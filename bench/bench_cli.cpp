// SPDX-License-Identifier: MIT
// The console's range command for a year at one place, beside libnova's rising,
// setting and transit of the Sun and the Moon for the same days.
#include <benchmark/benchmark.h>

#include "Report.h"

#ifdef HELUNE_HAVE_LIBNOVA
#include <libnova/lunar.h>
#include <libnova/solar.h>
#endif

namespace helune::cli {
namespace {

// Madrid, one hour ahead of UT, from 18 January 2008 for a year (as bench_dayview.cpp).
constexpr double kLongitudeWest = 3.7038;
constexpr double kLatitude = 40.4168;
constexpr double kZone = -15.0;
constexpr JulianDay kFirstNoon = 2454484.0;
constexpr int kDaysInYear = 365;

// The six events of the chart with the six of dawn and dusk, the day's length
// and its change, the Moon's illuminated fraction and age, and the phases that
// give the age, for every day of the year: twice the events of the peer's work
// below, and more besides.
void BM_CliYearRange(benchmark::State& state) {
    const Observer madrid = Observer::Fixed(kLongitudeWest, kLatitude, kZone);
    const QDate first(2008, 1, 18);
    for (auto _ : state) benchmark::DoNotOptimize(ComputeRange(madrid, first, first.addDays(kDaysInYear - 1)));
}
BENCHMARK(BM_CliYearRange)->Unit(benchmark::kMillisecond);

#ifdef HELUNE_HAVE_LIBNOVA
void BM_LibnovaYearRange(benchmark::State& state) {
    ln_lnlat_posn observer{-kLongitudeWest, kLatitude};
    for (auto _ : state)
        for (int day = 0; day < kDaysInYear; ++day) {
            const double jd = kFirstNoon + kZone / 360.0 + day;
            ln_rst_time sun{}, moon{};
            benchmark::DoNotOptimize(ln_get_solar_rst(jd, &observer, &sun));
            benchmark::DoNotOptimize(ln_get_lunar_rst(jd, &observer, &moon));
            benchmark::DoNotOptimize(sun.rise + sun.set + sun.transit + moon.rise + moon.set + moon.transit);
        }
}
BENCHMARK(BM_LibnovaYearRange)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
}  // namespace helune::cli
