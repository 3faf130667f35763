// Rising, meridian transit and setting of the Sun and the Moon on a local date
// (Meeus, Astronomical Algorithms, ch. 15, with an iterated transit).
// Degrees, longitude positive West, latitude positive North; z is the zone
// difference, universal minus local clock time in degrees (15 per hour, positive
// West); results are local clock hours in [0, 24], or −1 when the event does not
// happen on the date.
#pragma once

#include <cstdint>

#include "Calendar.h"

namespace helune {

// Event codes.
inline constexpr int16_t kTransit = 1;
inline constexpr int16_t kRising = 2;
inline constexpr int16_t kSetting = 3;

// Altitudes of the body's centre at rising and setting, degrees: refraction and
// semi-diameter for the Sun, those less the horizontal parallax for the Moon.
inline constexpr double kSunStandardAltitude = -0.8333;
inline constexpr double kMoonStandardAltitude = 0.125;
inline constexpr double kStarStandardAltitude = -0.5667;

// The local clock time of an event of the body of a row (2 the Sun, 9 the Moon)
// on the local date whose noon is nearest to jd − z/360; jd is a universal
// instant. The Moon's rising and setting are made sure to fall on that date by
// CheckMoonEventDay; a negative row (−9) asks for the Moon without that check.
// Rows without heliocentric series and event codes other than 1-3 answer 0.0.
double CalcEventTime(int16_t body, int16_t event, double z, double longitude, double latitude, JulianDay jd);

// The transit: the instant of hour angle 0 nearest to local noon, found by
// stepping back by the hour angle (at most 20 evaluations), and −1 when it does not
// converge or does not fall on the date. jdNoon is the local date's noon (a whole
// Julian day), as a local-time instant.
double RefineTransit(int16_t body, JulianDay jdNoon, double longitude, double latitude, double z);

// The Moon's rising or setting on the local date whose noon is jdNoon: the
// earliest instant of the date at which the Moon crosses its standard altitude,
// from the crossings of the universal days before, of and after the date, each
// counted only where the Moon then stands within 1° of the horizon.
double CheckMoonEventDay(int16_t event, JulianDay jdNoon, double longitude, double latitude, double z);

}  // namespace helune
