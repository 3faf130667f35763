// SPDX-License-Identifier: MIT
// Day counts and the dates they name. A day count, as QDate counts it, is the
// Julian day number of a date plus the fraction of the day since its midnight;
// the engine's JulianDay counts from noon, half a day earlier.
#pragma once

#include <QDate>

#include "TimeScales.h"

namespace helune {

using DayCount = double;

inline constexpr double kHalfDay = 0.5;
inline constexpr double kHoursPerDay = 24.0;
inline constexpr double kMinutesPerDay = 1440.0;
inline constexpr double kMillisecondsPerDay = 1000.0 * kSecondsPerDay;
// The Julian day of the Unix epoch, 1970-01-01T00:00:00Z.
inline constexpr double kUnixEpoch = 2440587.5;

constexpr DayCount DayCountOf(double julianDay) { return julianDay + kHalfDay; }
constexpr double JulianDayOf(DayCount day) { return day - kHalfDay; }

// The date of a day count, and the date (of the same clock) of a Julian day.
QDate DateOfDayCount(DayCount day);
QDate DateOfJulianDay(double julianDay);

}  // namespace helune
