// SPDX-License-Identifier: MIT
// The ephemeris engine's query: one quantity of one body at one local instant
// and place. Units and signs: degrees and hours; longitude positive West,
// latitude positive North; zone = universal minus local clock time in degrees,
// 15 per hour, positive West (one hour ahead of UT is −15).
#pragma once

#include <cstdint>
#include <span>

#include "Calendar.h"
#include "Codes.h"
#include "Corrections.h"
#include "Events.h"
#include "HeluneApi.h"

namespace helune {

// Body codes: 1 Mercury … 8 Neptune (3 the Earth, whose geocentric quantities are
// the Sun's), 9 reserved, 10 the Moon.
inline constexpr int16_t kBodySun = 3;
inline constexpr int16_t kBodyMoon = 10;

// Quantity codes:
//   1 mean longitude (°)          2 semi-major axis (AU)     3 eccentricity
//   4 inclination (°)             5 ascending node (°/15)    6 perihelion / perigee (°)
//   7 heliocentric longitude (°)  8 heliocentric latitude (°) 9 radius vector (AU)
//  10 geocentric λ (°)           11 geocentric β (°)        12 distance (AU)
//  13 right ascension (h)        14 local hour angle (h)    15 declination (°)
//  16 elongation (°)             17 altitude (°)            18 azimuth (° from S, +W)
//  19 transit, 20 rising, 21 setting: local clock hours, −1 when not on the date.
//  22 civil dawn, 23 civil dusk, 24 nautical dawn, 25 nautical dusk, 26 astronomical
//     dawn, 27 astronomical dusk: the Sun's alone (other bodies answer 0.0), local
//     clock hours, −1 when the Sun does not reach the altitude on the date.
// The code of a geocentric quantity (Codes.h) and of an event (Events.h).
constexpr int16_t QuantityCode(Quantity quantity) { return static_cast<int16_t>(static_cast<int>(quantity) + 1); }
constexpr int16_t EventQuantityCode(int16_t event) { return static_cast<int16_t>(event + 18); }

inline constexpr int16_t kQuantityLongitude = QuantityCode(Quantity::EclipticLongitude);
inline constexpr int16_t kQuantityElongation = QuantityCode(Quantity::Elongation);
inline constexpr int16_t kQuantityAltitude = QuantityCode(Quantity::Altitude);
inline constexpr int16_t kQuantityTransit = EventQuantityCode(kTransit);
inline constexpr int16_t kQuantityRising = EventQuantityCode(kRising);
inline constexpr int16_t kQuantitySetting = EventQuantityCode(kSetting);
inline constexpr int16_t kQuantityCivilDawn = EventQuantityCode(kCivilDawn);
inline constexpr int16_t kQuantityCivilDusk = EventQuantityCode(kCivilDusk);
inline constexpr int16_t kQuantityNauticalDawn = EventQuantityCode(kNauticalDawn);
inline constexpr int16_t kQuantityNauticalDusk = EventQuantityCode(kNauticalDusk);
inline constexpr int16_t kQuantityAstronomicalDawn = EventQuantityCode(kAstronomicalDawn);
inline constexpr int16_t kQuantityAstronomicalDusk = EventQuantityCode(kAstronomicalDusk);

// One quantity of a body at the local-clock instant jd (a Julian day) for the
// observer at longitude, latitude and zone; the theories take the universal
// instant jd + zone/360. flags (efLightTime, efAberration, efFK5, efNutation)
// choose the corrections of the positions. Anything it cannot serve (unknown
// codes, bodies without data) answers 0.0; it never fails otherwise.
HELUNE_API double CalcEfemeride(int16_t Body, int16_t Quantity, int16_t Flags, JulianDay JD, double Longitude,
                     double Latitude, double Zone);

// Several quantities of one body at one local instant and place: Results[i] is
// what CalcEfemeride answers for Quantities[i] (Results holds at least as many
// values). The events among them (19-27) share their date's positions and
// search, so that a day's events cost less together than one by one.
HELUNE_API void CalcEfemerides(int16_t Body, std::span<const int16_t> Quantities, int16_t Flags, JulianDay JD, double Longitude,
                    double Latitude, double Zone, std::span<double> Results);

}  // namespace helune
