// SPDX-License-Identifier: MIT
#include "Days.h"

#include <cmath>

namespace helune {

QDate DateOfDayCount(DayCount day) { return QDate::fromJulianDay(static_cast<qint64>(std::floor(day))); }

QDate DateOfJulianDay(double julianDay) { return DateOfDayCount(DayCountOf(julianDay)); }

}  // namespace helune
