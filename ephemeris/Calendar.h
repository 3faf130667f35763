// SPDX-License-Identifier: MIT
// Julian day numbers and the difference between dynamical and universal time.
#pragma once

#include <cstdint>

#include "HeluneApi.h"

namespace helune {

// Days and fractions of a day from 1 January −4712 (Julian calendar) at 12:00;
// 2451545.0 is J2000.0. Whole values fall at noon, values ending in .5 at midnight.
using JulianDay = double;

inline constexpr JulianDay kJ2000 = 2451545.0;

// Julian day of a civil date and clock time (Meeus, Astronomical Algorithms, ch. 7).
//   day, month, year  the date; years astronomical (0 = 1 BC); Julian calendar up to
//                     14 October 1582 (the dropped days 5-14 read as Julian dates),
//                     Gregorian from 15 October 1582
//   hour, minute      not validated: they add (hour + minute/60)/24 of a day
// Returns −1.0 when the month or the day does not exist in the date's calendar.
HELUNE_API JulianDay JulianDayFromDate(int16_t day, int16_t month, int16_t year, int16_t hour, int16_t minute);

// Number of days of a month under its own calendar: Julian leap years up to 1582,
// Gregorian from 1583 on.
HELUNE_API int16_t DiasMes(int16_t month, int16_t year);

// ΔT = TT − UT in seconds at the universal instant jd: parabolas before 1620, a
// table interpolated linearly from 1620 to 1799, polynomials in centuries from
// 1900 for 1800-1899 and 1900-1987 (these spans are not blended); from 1988
// January 1.0 the measured values, linearly between them (U.S. Naval
// Observatory monthly to 2019, IERS yearly since), and after the last one
// Espenak and Meeus's long-term model (2006), shifted to meet it and back on
// the model by 2050.
HELUNE_API double DeltaT(JulianDay jd);

}  // namespace helune
