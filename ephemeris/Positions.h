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
#include "Frames.h"

namespace helune {

// Body rows: Mercury 0 … Neptune 7, 8 reserved, the Moon 9.
inline constexpr int16_t kEarthRow = 2;
inline constexpr int16_t kMoonRow = 9;
inline constexpr int kPlanetRows = 8;

// Mean elements of the planets for the mean equinox of the date: for each row six
// elements (L, a, e, i, Ω, ϖ), each the coefficients c0..c3 of a cubic in T.
extern const double ElementTable[kPlanetRows][6][4];

// An element or a heliocentric coordinate of a planet at the universal instant jd.
//   code 0 mean longitude L (°), 1 semi-major axis a (AU), 2 eccentricity e,
//   3 inclination i (°), 4 ascending node Ω (°), 5 longitude of perihelion ϖ (°),
//   6 heliocentric longitude (°), 7 heliocentric latitude (°), 8 radius vector (AU).
// Angles 0, 3, 4, 5 and 6 are reduced into [0, 360]. Codes 6-8 come from the VSOP87
// series, which only the Earth's row carries; other rows answer 0.0 there, as do
// unknown codes and rows outside 0..7.
double HelioElement(int16_t row, int16_t code, JulianDay jd);

// Whether a row has heliocentric series to compute positions from.
bool HasHeliocentricSeries(int16_t row);

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
EclipticPosition PlanetEcliptic(int16_t row, int16_t flags, JulianDay jd);

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
EclipticPosition PlanetEcliptic(int16_t row, int16_t flags, JulianDay jd, double nutationInLongitude,
                                PositionParts parts);

// The parts of a position the quantity of code 9-17 reads: all for Δ (11), the
// direction otherwise.
PositionParts PartsFor(int16_t code);

// Whether the quantity of code 9-17 under flags reads the nutation of its instant:
// through the flags, or through the apparent sidereal time (13, 16, 17).
bool ReadsNutation(int16_t code, int16_t flags);

// One geocentric quantity of the body of a row (the Earth's row: the Sun):
//   9 λ (°, [0, 360]), 10 β (°), 11 Δ (AU), 12 α (°, [0, 360]), 13 local hour angle
//   (h, [0, 24]), 14 δ (°), 15 elongation from the Sun (°, [0, 180]), 16 altitude (°),
//   17 azimuth (° from the South, positive West).
// Other codes, and rows without heliocentric series, answer 0.0.
double PlanetPosition(int16_t row, int16_t code, int16_t flags, double longitude, double latitude,
                      JulianDay jd);

// The quantity of code 9-17 (as for PlanetPosition) of a body standing at the
// geocentric position p at jd; flags reach the equatorial transform (efNutation).
double GeocentricQuantity(int16_t code, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, JulianDay jd);

// The same with the orientation of jd given, which must hold the nutation
// where ReadsNutation(code, flags) says it is read.
double GeocentricQuantity(int16_t code, int16_t flags, const EclipticPosition& p, double longitude,
                          double latitude, const EarthOrientation& orientation, JulianDay jd);

// Turns the body's heliocentric B, L, R (radians, radians, AU; in β, λ, Δ) into its
// geocentric β, λ, Δ, the Earth being at B0, L0, R0. Row −1 takes the plain
// difference; a row of 0 or more first takes the body again at jd less the light
// time of the distance held in Δ on entry (for the Earth's row it is the Earth that
// is taken then, the body being the Sun at the origin). Returns the light time in
// days (0 for row −1).
double GeocentricFromHelio(int16_t row, double& beta, double& lambda, double& delta, JulianDay jd,
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

// One quantity of the Moon:
//   0-6 the mean arguments of LunaArg (°); 9 λ, 10 β, 11 Δ (AU, at 149504201 km
//   each), 12 α, 13 local hour angle (h), 14 δ, 15 elongation from the Sun (always
//   with nutation), 16 altitude, 17 azimuth, in the units of PlanetPosition.
// Only efNutation of flags has an effect. Any other index answers 0.0.
double CalcLuna(int16_t index, int16_t flags, double longitude, double latitude, JulianDay jd);

}  // namespace helune
