// SPDX-License-Identifier: MIT
#include "TimeScales.h"

#include <cmath>

namespace helune {

namespace {

// Steps of UT = TT − ΔT(UT) from UT = TT − ΔT(TT): each shrinks the error by
// ΔT's rate, under 10⁻⁷ (seconds a second), so that one step more than the
// first leaves nothing.
constexpr int kUniversalSteps = 2;
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;

}  // namespace

DynamicalTime ToDynamical(UniversalTime universal) {
    return {universal.jd + DeltaT(universal.jd) / kSecondsPerDay};
}

UniversalTime ToUniversal(DynamicalTime dynamical) {
    UniversalTime universal{dynamical.jd};
    for (int step = 0; step < kUniversalSteps; ++step) universal.jd = dynamical.jd - DeltaT(universal.jd) / kSecondsPerDay;
    return universal;
}

// Meeus, Astronomical Algorithms, ch. 7, with the Gregorian calendar's
// correction at every date (the proleptic calendar) and floors, not
// truncations, so that it holds before the year 0 too.
CalendarTime CalendarTimeOf(UniversalTime universal) {
    const double z = std::floor(universal.jd + 0.5);
    double seconds = (universal.jd + 0.5 - z) * kSecondsPerDay;
    const double alpha = std::floor((z - 1867216.25) / 36524.25);
    const double a = z + 1.0 + alpha - std::floor(alpha / 4.0);
    const double b = a + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    CalendarTime time{};
    time.day = static_cast<int>(b - d - std::floor(30.6001 * e));
    time.month = static_cast<int>(e < 14.0 ? e - 1.0 : e - 13.0);
    time.year = static_cast<int>(time.month > 2 ? c - 4716.0 : c - 4715.0);
    time.hour = static_cast<int>(seconds / kSecondsPerHour);
    seconds -= time.hour * kSecondsPerHour;
    time.minute = static_cast<int>(seconds / kSecondsPerMinute);
    time.second = seconds - time.minute * kSecondsPerMinute;
    return time;
}

UniversalTime UniversalTimeOf(const CalendarTime& time) {
    int year = time.year, month = time.month;
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const double a = std::floor(year / 100.0);
    const double b = 2.0 - a + std::floor(a / 4.0);
    const double day = std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + time.day + b - 1524.5;
    return {day + (time.hour * kSecondsPerHour + time.minute * kSecondsPerMinute + time.second) / kSecondsPerDay};
}

}  // namespace helune
