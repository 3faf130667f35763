// SPDX-License-Identifier: MIT
// Rising, meridian transit and setting of the Sun and the Moon on a local date
// (Meeus, Astronomical Algorithms, ch. 15, with an iterated transit).
// Degrees, longitude positive West, latitude positive North; z is the zone
// difference, universal minus local clock time in degrees (15 per hour, positive
// West); results are local clock hours in [0, 24], or −1 when the event does not
// happen on the date.
#pragma once

#include <cstdint>
#include <span>

#include "Calendar.h"
#include "Codes.h"
#include "HeluneApi.h"

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

// The local date: the date whose noon is nearest to the local instant jd − z/360
// (jd a universal instant), that is the universal span [U0, U0 + 1) with
// U0 = J0 + z/360, J0 the midnight (UT) that begins the universal day of the
// same number. The model's events on it: a rising, an instant in the span at
// which the body's apparent altitude (all corrections, at that universal
// instant) passes the event's altitude while increasing; a setting, the same
// while decreasing (an altitude touched without being passed is no event); the
// transit, an instant at which the apparent hour angle passes 0h. Each answer is
// the earliest of its kind on the date, or −1 when the date has none.
//
// The local clock time of an event of the body of a row (2 the Sun, 9 the Moon)
// on the local date of jd. Rising and setting (codes 2, 3): the tabulated
// method of Meeus's ch. 15 on the universal day J0 (for the Moon, the local-date
// rule of CheckMoonEventDay), where it lies within 10 s of the model's event of
// that kind; the model's event otherwise. Transit (code 1): RefineTransit's
// where it lies within 10 s of the model's, the model's otherwise, and −1 on a
// date on which the body neither rises nor sets. Dawn and dusk (codes 4-9, the
// Sun's alone): the model's rising and setting at the twilight's altitude.
// MoonDate::Unchecked asks for the Moon's rising and setting of the universal
// day J0 by the tabulated method alone, without CheckMoonEventDay and the model.
// Rows without heliocentric series, other bodies' dawn and dusk, and other event
// codes answer 0.0.
enum class MoonDate : int8_t { Checked, Unchecked };
HELUNE_API double CalcEventTime(Row body, int16_t event, double z, double longitude, double latitude, JulianDay jd,
                     MoonDate moonDate = MoonDate::Checked);

// Several events of one body on one local date, as CalcEventTime answers each:
// times[i] for events[i] (times holds at least as many values). The events
// share the date's tabulated positions and the model's search.
HELUNE_API void CalcEventTimes(Row body, std::span<const int16_t> events, double z, double longitude, double latitude,
                    JulianDay jd, std::span<double> times);

// The transit: the instant of hour angle 0 nearest to local noon, found by
// stepping back by the hour angle (at most 20 evaluations), and −1 when it does not
// converge or does not fall on the date. jdNoon is the local date's noon (a whole
// Julian day), as a local-time instant.
HELUNE_API double RefineTransit(Row body, JulianDay jdNoon, double longitude, double latitude, double z);

// The Moon's rising or setting on the local date whose noon is jdNoon, checked
// against the model as CalcEventTime says. The rule it checks: the earliest
// instant of the date at which the Moon crosses its standard altitude, from the
// crossings of the universal days before, of and after the date (tabulated as
// for the date itself), each counted only where the Moon then stands within 1°
// of the horizon.
HELUNE_API double CheckMoonEventDay(int16_t event, JulianDay jdNoon, double longitude, double latitude, double z);

}  // namespace helune
