// SPDX-License-Identifier: MIT
// The engine's two time scales as types the compiler keeps apart: universal
// time (UT1: the Earth's rotation, the clocks of the day, sidereal time) and
// dynamical time (TT: the uniform time of the theories, VSOP87 and
// ELP-2000/82), each an instant as a Julian day; and counts of days between
// instants. ΔT = TT − UT (Calendar.h) turns one scale into the other in one
// place only, ToDynamical and ToUniversal. A date and clock of the proleptic
// Gregorian calendar for an instant, and back, for programs that print them.
#pragma once

#include <compare>

#include "Calendar.h"
#include "HeluneApi.h"

namespace helune {

// A count of days, a span between two instants of one scale.
struct Days {
    double count;
    auto operator<=>(const Days&) const = default;
    constexpr Days operator+(Days other) const { return {count + other.count}; }
    constexpr Days operator-(Days other) const { return {count - other.count}; }
    constexpr Days operator*(double factor) const { return {count * factor}; }
};

// An instant of one scale: arithmetic with days, differences in days, order;
// never a mixture of scales.
template <class Scale>
struct Instant {
    JulianDay jd;
    auto operator<=>(const Instant&) const = default;
    constexpr Instant operator+(Days span) const { return {jd + span.count}; }
    constexpr Instant operator-(Days span) const { return {jd - span.count}; }
    constexpr Days operator-(Instant other) const { return {jd - other.jd}; }
};

struct UniversalScale;
struct DynamicalScale;
using UniversalTime = Instant<UniversalScale>;
using DynamicalTime = Instant<DynamicalScale>;

inline constexpr double kSecondsPerDay = 86400.0;

// The Julian day of the local clock under a zone (universal minus local time,
// degrees: 15 an hour, positive West) at a universal instant, and back.
constexpr JulianDay LocalJulianDay(UniversalTime universal, double zone) { return universal.jd - zone / 360.0; }
constexpr UniversalTime UniversalOfLocal(JulianDay local, double zone) { return {local + zone / 360.0}; }

// TT = UT + ΔT(UT).
HELUNE_API DynamicalTime ToDynamical(UniversalTime universal);
// The universal instant whose dynamical time is dynamical: UT = TT − ΔT(UT),
// settled to far below a microsecond (ΔT changes by under a second a year).
HELUNE_API UniversalTime ToUniversal(DynamicalTime dynamical);

// A date and clock time of the proleptic Gregorian calendar (ISO 8601 and
// RFC 3339 read dates so whatever the year; years astronomical, 0 = 1 BC).
struct CalendarTime {
    int year, month, day, hour, minute;
    double second;  // [0, 60)
};
// The date and clock of a universal instant, and the instant of a date and
// clock (out-of-range fields carry into the next: second 90 is a minute and a half).
HELUNE_API CalendarTime CalendarTimeOf(UniversalTime universal);
HELUNE_API UniversalTime UniversalTimeOf(const CalendarTime& time);

}  // namespace helune
