// SPDX-License-Identifier: MIT
// Positions of the planets' mean orbits, of the Sun seen from the Earth and of
// the Moon: heliocentric elements (Meeus, Astronomical Algorithms, table 31.A,
// with VSOP87D for the Earth), the geocentric pipeline with its optional
// corrections, and the truncated ELP-2000/82 lunar theory (Meeus, ch. 47).
// Angles in degrees outside and radians inside; longitude positive West,
// latitude positive North; instants are universal-time Julian days used as the
// time of the theories without ΔT.
#pragma once

#include <cstdint>

#include "Calendar.h"
#include "Codes.h"
#include "Frames.h"

namespace helune {

// The rows the program asks for: the Earth's (the Sun seen from it) and the Moon's.
inline constexpr Row kEarthRow = Row::Earth;
inline constexpr Row kMoonRow = Row::Moon;
inline constexpr int kPlanetRows = 8;

// Mean elements of the planets for the mean equinox of the date: for each row six
// elements (L, a, e, i, Ω, ϖ), each the coefficients c0..c3 of a cubic in T.
extern const double ElementTable[kPlanetRows][6][4];

// An element or a heliocentric coordinate of a planet at the universal instant jd:
// the mean longitude L (°), the semi-major axis a (AU), the eccentricity e, the
// inclination i (°), the ascending node Ω (°), the longitude of perihelion ϖ (°);
// the heliocentric longitude (°), latitude (°) and radius vector (AU).
// Angles but the latitude are reduced into [0, 360]. The coordinates come from
// the VSOP87 series, which only the Earth's row carries; other rows answer 0.0
// there, as do unknown elements and rows of no planet.
double HelioElement(Row row, Element element, JulianDay jd);

// Whether a row has heliocentric series to compute positions from.
bool HasHeliocentricSeries(Row row);

// A geocentric ecliptic position: λ in [0, 360] and β in degrees, Δ in AU.
struct EclipticPosition {
    double lambda;
    double beta;
    double distance;
};

// The geocentric position of the body of a row (the Earth's row gives the Sun)
// with the corrections of flags (efLightTime, efAberration, efFK5, efNutation).
// With the light-time step the Sun's aberration takes the solar longitude at jd
// from the Earth's at jd less the light time and its mean motion (see
// Planets.cpp): within 1e-13 rad. Rows without heliocentric series answer all
// zeros.
EclipticPosition PlanetEcliptic(Row row, int16_t flags, JulianDay jd);

// The parts of a position a caller reads. Each of the Earth's coordinates is a
// series of its own, so a position that is not read in full costs less.
enum class PositionParts : int8_t {
    Longitude,  // λ alone; β and Δ are answered 0
    Direction,  // λ and β; Δ is answered 0
    Full,       // λ, β and Δ
};

// PlanetEcliptic with the nutation in longitude of jd given (degrees, read
// only under efNutation), summing only the series the parts asked for need.
// The series left out change λ and β by rounding only: the distance's part in
// the direction cancels, and so does the latitude's in λ where no correction
// reads β.
EclipticPosition PlanetEcliptic(Row row, int16_t flags, JulianDay jd, double nutationInLongitude,
                                PositionParts parts);

// The parts of a position a quantity reads: all for the distance, the
// direction otherwise.
PositionParts PartsFor(Quantity quantity);

// Whether a quantity under flags reads the nutation of its instant: through the
// flags, or through the apparent sidereal time (hour angle, altitude, azimuth).
bool ReadsNutation(Quantity quantity, int16_t flags);

// One geocentric quantity of the body of a row (the Earth's row: the Sun): λ
// (°, [0, 360]), β (°), Δ (AU), α (°, [0, 360]), the local hour angle (h,
// [0, 24]), δ (°), the elongation from the Sun (°, [0, 180]), the altitude (°),
// the azimuth (° from the South, positive West). Rows without heliocentric
// series, and values of no quantity, answer 0.0.
double PlanetPosition(Row row, Quantity quantity, int16_t flags, double longitude, double latitude, JulianDay jd);

// A quantity (as for PlanetPosition) of a body standing at the geocentric
// position p at jd; flags reach the equatorial transform (efNutation).
double GeocentricQuantity(Quantity quantity, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, JulianDay jd);

// The same with the orientation of jd given, which must hold the nutation
// where ReadsNutation(quantity, flags) says it is read.
double GeocentricQuantity(Quantity quantity, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, const EarthOrientation& orientation, JulianDay jd);

// Whether GeocentricFromHelio takes the body again at the instant less the
// light time.
enum class LightTime : int8_t { Ignored, OneStep };

// Turns the body's heliocentric B, L, R (radians, radians, AU; in β, λ, Δ) into its
// geocentric β, λ, Δ, the Earth being at B0, L0, R0: the plain difference, or
// with one light-time step, the body of row taken again at jd less the light
// time of the distance held in Δ on entry (for the Earth's row it is the Earth
// that is taken then, the body being the Sun at the origin). Returns the light
// time in days (0 without the step).
double GeocentricFromHelio(LightTime lightTime, Row row, double& beta, double& lambda, double& delta, JulianDay jd,
                           double B0, double L0, double R0);

// Annual aberration (Meeus, ch. 23, with the Earth's e and ϖ) added to β and λ,
// radians; sunLongitude is the Sun's geometric longitude in radians.
void Aberration(double& beta, double& lambda, JulianDay jd, double sunLongitude);

// Correction from the VSOP87 dynamical frame to FK5 (Meeus, ch. 32), radians.
void FK5Correction(double& beta, double& lambda, JulianDay jd);

// The truncated ELP-2000/82 lunar theory: 60 terms in longitude and distance and
// 60 in latitude (Meeus, tables 47.A and 47.B). Multipliers of D, M, M′, F and the
// amplitudes are held in parallel arrays by term.
inline constexpr int kLunaTerms = 60;
extern const int16_t LunaTermsLR[kLunaTerms][4];
extern const double LunaAmplitudesLR[kLunaTerms][2];  // longitude (°), distance (km)
extern const int16_t LunaTermsB[kLunaTerms][4];
extern const double LunaAmplitudesB[kLunaTerms];      // latitude (°)

// The kilometres of the astronomical unit in which the Moon's distance is
// answered (not the IAU value).
inline constexpr double kLunaKmPerAU = 149504201.0;

// The Moon's geocentric position at jd; nutation in longitude added when flags
// holds efNutation.
EclipticPosition LunaEcliptic(int16_t flags, JulianDay jd);

// The same with the nutation in longitude of jd given (degrees, read only under
// efNutation).
EclipticPosition LunaEcliptic(int16_t flags, JulianDay jd, double nutationInLongitude);

// λ of LunaEcliptic(0, jd) alone, without the latitude and distance series.
double LunaLongitude(JulianDay jd);

// One quantity of the Moon, in the units of PlanetPosition (Δ in AU of
// 149504201 km); the elongation from the Sun always takes the nutation. Only
// efNutation of flags has an effect. A value of no quantity answers 0.0.
double CalcLuna(Quantity quantity, int16_t flags, double longitude, double latitude, JulianDay jd);

// One of the Moon's mean arguments, as LunaArg (°).
double CalcLuna(MeanArgument argument, JulianDay jd);

}  // namespace helune
