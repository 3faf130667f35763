// The ephemeris engine's query: one quantity of one body at one local instant
// and place. Units and signs: degrees and hours; longitude positive West,
// latitude positive North; zone = universal minus local clock time in degrees,
// 15 per hour, positive West (one hour ahead of UT is −15).
#pragma once

#include <cstdint>
#include <span>

#include "Calendar.h"
#include "Frames.h"

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
inline constexpr int16_t kQuantityLongitude = 10;
inline constexpr int16_t kQuantityElongation = 16;
inline constexpr int16_t kQuantityAltitude = 17;
inline constexpr int16_t kQuantityTransit = 19;
inline constexpr int16_t kQuantityRising = 20;
inline constexpr int16_t kQuantitySetting = 21;
inline constexpr int16_t kQuantityCivilDawn = 22;
inline constexpr int16_t kQuantityCivilDusk = 23;
inline constexpr int16_t kQuantityNauticalDawn = 24;
inline constexpr int16_t kQuantityNauticalDusk = 25;
inline constexpr int16_t kQuantityAstronomicalDawn = 26;
inline constexpr int16_t kQuantityAstronomicalDusk = 27;

// One quantity of a body at the local-clock instant jd (a Julian day) for the
// observer at longitude, latitude and zone; the theories take the universal
// instant jd + zone/360. flags (efLightTime, efAberration, efFK5, efNutation)
// choose the corrections of the positions. Anything it cannot serve (unknown
// codes, bodies without data) answers 0.0; it never fails otherwise.
double CalcEfemeride(int16_t Body, int16_t Quantity, int16_t Flags, JulianDay JD, double Longitude,
                     double Latitude, double Zone);

// Several quantities of one body at one local instant and place: Results[i] is
// what CalcEfemeride answers for Quantities[i] (Results holds at least as many
// values). The events among them (19-27) share their date's positions and
// search, so that a day's events cost less together than one by one.
void CalcEfemerides(int16_t Body, std::span<const int16_t> Quantities, int16_t Flags, JulianDay JD, double Longitude,
                    double Latitude, double Zone, std::span<double> Results);

}  // namespace helune
