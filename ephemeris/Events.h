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
// Dawn and dusk of the Sun: its centre at a twilight's altitude, rising (dawn)
// or setting (dusk).
inline constexpr int16_t kCivilDawn = 4;
inline constexpr int16_t kCivilDusk = 5;
inline constexpr int16_t kNauticalDawn = 6;
inline constexpr int16_t kNauticalDusk = 7;
inline constexpr int16_t kAstronomicalDawn = 8;
inline constexpr int16_t kAstronomicalDusk = 9;

// Altitudes of the body's centre at rising and setting, degrees: refraction and
// semi-diameter for the Sun, those less the horizontal parallax for the Moon.
inline constexpr double kSunStandardAltitude = -0.8333;
inline constexpr double kMoonStandardAltitude = 0.125;
inline constexpr double kStarStandardAltitude = -0.5667;
// Altitudes of the Sun's centre at dawn and dusk, degrees, without refraction.
inline constexpr double kCivilTwilightAltitude = -6.0;
inline constexpr double kNauticalTwilightAltitude = -12.0;
inline constexpr double kAstronomicalTwilightAltitude = -18.0;

// The local clock time of an event of the body of a row (2 the Sun, 9 the Moon)
// on the local date whose noon is nearest to jd − z/360; jd is a universal
// instant. The Moon's rising and setting are made sure to fall on that date by
// CheckMoonEventDay; a negative row (−9) asks for the Moon without that check.
// Dawn and dusk (codes 4-9) are the Sun's alone, each the crossing of the
// solar day around the date's local noon, its clock time reduced to [0, 24).
// Rows without heliocentric series, other bodies' dawn and dusk, and other event
// codes answer 0.0.
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
