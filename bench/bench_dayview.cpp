// SPDX-License-Identifier: MIT
// The engine's work for the day view, as the window asks it: the six events of
// a day, with the phase lines of its chart, and a year of days; beside them the
// same six events from libnova when it is installed.
#include <benchmark/benchmark.h>

#include "DayFacts.h"
#include "Efemerides.h"
#include "Phases.h"

#ifdef HELUNE_HAVE_LIBNOVA
#include <libnova/julian_day.h>
#include <libnova/lunar.h>
#include <libnova/solar.h>
#endif

namespace helune {
namespace {

// Madrid, in the engine's conventions (longitude positive West), one hour ahead of UT.
constexpr double kLongitudeWest = 3.7038;
constexpr double kLatitude = 40.4168;
constexpr double kZone = -15.0;
// 18 January 2008 at local noon, and the year that follows it.
constexpr JulianDay kNoon = 2454484.0;
constexpr int kDaysInYear = 365;

double SixEvents(JulianDay noon) {
    PhaseEvent date{};
    JulianDayToDate(date, noon);
    const DayFacts f = ComputeDayEvents(date.Day, date.Month, date.Year, kLongitudeWest, kLatitude, kZone);
    return f.sunRising + f.sunSetting + f.sunTransit + f.moonRising + f.moonSetting + f.moonTransit;
}

void BM_DaySixEvents(benchmark::State& state) {
    int day = 0;
    for (auto _ : state) benchmark::DoNotOptimize(SixEvents(kNoon + day++ % kDaysInYear));
}
BENCHMARK(BM_DaySixEvents)->Unit(benchmark::kMicrosecond);

void BM_DayView(benchmark::State& state) {
    int day = 0;
    for (auto _ : state) {
        const JulianDay noon = kNoon + day++ % kDaysInYear;
        PhaseEvent date{};
        JulianDayToDate(date, noon);
        benchmark::DoNotOptimize(SixEvents(noon));
        benchmark::DoNotOptimize(FindChartPhases(date.Day, date.Month, date.Year, kZone));
    }
}
BENCHMARK(BM_DayView)->Unit(benchmark::kMicrosecond);

void BM_YearOfDayViews(benchmark::State& state) {
    for (auto _ : state)
        for (int day = 0; day < kDaysInYear; ++day) {
            PhaseEvent date{};
            JulianDayToDate(date, kNoon + day);
            benchmark::DoNotOptimize(SixEvents(kNoon + day));
            benchmark::DoNotOptimize(FindChartPhases(date.Day, date.Month, date.Year, kZone));
        }
}
BENCHMARK(BM_YearOfDayViews)->Unit(benchmark::kMillisecond);

#ifdef HELUNE_HAVE_LIBNOVA
// The peer: the Sun's and the Moon's rising, setting and transit for the same
// place and days (libnova counts longitude positive East).
void BM_LibnovaSixEvents(benchmark::State& state) {
    ln_lnlat_posn observer{-kLongitudeWest, kLatitude};
    int day = 0;
    for (auto _ : state) {
        const double jd = kNoon + kZone / 360.0 + day++ % kDaysInYear;
        ln_rst_time sun{}, moon{};
        benchmark::DoNotOptimize(ln_get_solar_rst(jd, &observer, &sun));
        benchmark::DoNotOptimize(ln_get_lunar_rst(jd, &observer, &moon));
        benchmark::DoNotOptimize(sun.rise + sun.set + sun.transit + moon.rise + moon.set + moon.transit);
    }
}
BENCHMARK(BM_LibnovaSixEvents)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
}  // namespace helune
