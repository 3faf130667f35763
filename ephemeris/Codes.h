// SPDX-License-Identifier: MIT
// The names the engine gives its bodies and quantities inside. The query
// (Efemerides.h) speaks in its callers' 16-bit codes and turns them into these
// once: a row is the body code less one, an element or a quantity the quantity
// code less one.
#pragma once

#include <cstdint>

namespace helune {

enum class Row : int16_t {
    Mercury = 0,
    Venus = 1,
    Earth = 2,  // for the geocentric quantities, the Sun seen from the Earth
    Mars = 3,
    Jupiter = 4,
    Saturn = 5,
    Uranus = 6,
    Neptune = 7,
    Reserved = 8,  // no body
    Moon = 9,
};

// A planet's mean elements (degrees, AU) and heliocentric coordinates of the
// VSOP87 series (degrees, AU).
enum class Element : int16_t {
    MeanLongitude = 0,
    SemiMajorAxis = 1,
    Eccentricity = 2,
    Inclination = 3,
    AscendingNode = 4,
    Perihelion = 5,
    HelioLongitude = 6,
    HelioLatitude = 7,
    RadiusVector = 8,
};

// The mean arguments of the Moon's motion, degrees.
enum class MeanArgument : int16_t {
    MeanLongitude = 0,  // L′
    Elongation = 1,     // D
    SunAnomaly = 2,     // M
    MoonAnomaly = 3,    // M′
    Latitude = 4,       // F, the argument of latitude
    Node = 5,           // Ω
    Perigee = 6,
};

// A body's geocentric quantities: degrees, AU, and the hour angle in hours.
enum class Quantity : int16_t {
    EclipticLongitude = 9,
    EclipticLatitude = 10,
    Distance = 11,
    RightAscension = 12,
    HourAngle = 13,
    Declination = 14,
    Elongation = 15,
    Altitude = 16,
    Azimuth = 17,
};

enum class NutationKind : int16_t { Longitude = 0, Obliquity = 1 };

constexpr int RowIndex(Row row) { return static_cast<int>(row); }

}  // namespace helune
