// SPDX-License-Identifier: MIT
// Angle helpers, time argument, mean arguments of the Moon's motion, obliquity,
// nutation, sidereal time and the two coordinate transforms of the engine.
// Conventions: degrees and hours as doubles (radians only inside trigonometry),
// longitude positive West, latitude positive North. The transforms are geometric
// and geocentric: no refraction, no parallax.
#pragma once

#include <cstdint>

#include "Calendar.h"
#include "TimeScales.h"
#include "Codes.h"
#include "Corrections.h"

namespace helune {

// Unit conversions, computed with π in extended precision and rounded to double.
double RadToDeg(double x);    // x · 180 / π
double DegToRad(double x);    // x · π / 180
double RadToHours(double x);  // x · 12 / π
double DegToHours(double x);  // x · 24 / 360
double HoursToDeg(double x);  // x · 360 / 24

// Julian centuries from J2000.0, (jd − 2451545) / 36525; exactly at J2000.0 it
// answers 1e-9 instead of 0, the time argument of every theory of the engine.
double JulianCenturies(JulianDay jd);

// Brings value into the closed range [0, modulus] by whole turns, as repeatedly
// subtracting the modulus while value > modulus and then adding it while
// value < 0 would: a positive multiple of the modulus gives the modulus itself
// (360 stays 360, 720 gives 360), a negative multiple gives 0. Takes constant time
// at any magnitude. A non-finite value or a modulus that is not a positive finite
// number gives NaN.
double ReduceAngle(double value, double modulus);

// Mean obliquity of the ecliptic in degrees (Laskar 1986, U = T/100, 10th degree).
double MeanObliquity(JulianDay jd);

// Mean arguments of the Moon's motion, degrees reduced into [0, 360], in the
// order of MeanArgument: L′ mean longitude, D mean elongation, M the Sun's mean
// anomaly, M′ the Moon's mean anomaly, F argument of latitude, Ω mean ascending
// node, mean perigee. Any other value answers 0.
inline constexpr int kLunaArgCount = 7;
extern const double LunaArgs[kLunaArgCount][5];  // c0..c4 of c0 + c1·T + … + c4·T⁴
double LunaArg(MeanArgument argument, JulianDay jd);

// Nutation (IAU 1980 theory, 63 terms) in degrees: the nutation in longitude
// Δψ or in obliquity Δε.
struct NutationTerm {
    int16_t D, M, Mp, F, Omega;  // multipliers of the mean arguments
    double psi, psiRate;         // Δψ: ″ of sin(argument), and 0.0001″ per century
    double eps, epsRate;         // Δε: ″ of cos(argument), and 0.0001″ per century
};
inline constexpr int kNutationTerms = 63;
extern const NutationTerm NutationTable[kNutationTerms];
double Nutation(NutationKind kind, JulianDay jd);

// Both kinds of nutation of one instant, from one pass over the table: the
// fields are what Nutation answers for each kind.
struct NutationAngles {
    double longitude;  // Δψ, degrees
    double obliquity;  // Δε, degrees
};
NutationAngles NutationAt(JulianDay jd);

// Apparent sidereal time at Greenwich in hours, [0, 24], at the universal instant jd.
double SiderealTime(JulianDay jd);

// Mean sidereal time at Greenwich in degrees, [0, 360], at the universal instant
// jd (Meeus, ch. 12), and its rate in degrees per day of universal time.
double MeanSiderealDegrees(JulianDay jd);
inline constexpr double kSiderealDegreesPerDay = 360.98564736629;

// What the transforms of every position at one instant share, computed once
// (the nutation is the costly part): the mean obliquity, the nutation and the
// sidereal time at Greenwich. Without the nutation both its angles are 0, so
// that the true obliquity is the mean one and the sidereal time the mean one.
struct EarthOrientation {
    double meanObliquity;     // degrees
    NutationAngles nutation;  // degrees
    double siderealTime;      // hours, [0, 24]; apparent when the nutation is in
};
EarthOrientation EarthOrientationAt(JulianDay jd, bool withNutation = true);

// The orientation of a universal instant whose positions are taken at its
// dynamical time: the obliquity and the nutation of the theories' time, the
// sidereal time of the Earth's rotation.
EarthOrientation EarthOrientationAt(DynamicalTime dynamical, UniversalTime universal);

// The obliquity the transforms take under flags: the true one with efNutation,
// the mean one otherwise. Degrees.
double Obliquity(const EarthOrientation& orientation, int16_t flags);

// Geocentric ecliptic (λ, β in degrees) to equatorial coordinates, mean
// obliquity, or the true one when flags holds efNutation (no other bit is read).
// longitude (degrees, positive West) serves the hour angle; latitude is unused.
// The right ascension (degrees, [0, 360]), the local hour angle (hours,
// [0, 24], positive West) or the declination (degrees); any other quantity
// answers 0.
double EclipticToEquatorial(Quantity kind, int16_t flags, double lambda, double beta, double longitude,
                            double latitude, JulianDay jd);

// Right ascension and declination of the ecliptic position (λ, β in degrees)
// under the obliquity given (degrees): the geometry of EclipticToEquatorial.
struct EquatorialPosition {
    double alpha;  // degrees, [0, 360]
    double delta;  // degrees
};
EquatorialPosition EquatorialOf(double lambda, double beta, double obliquity);

// The local hour angle in hours, [0, 24], positive West, of right ascension
// alpha (degrees) at longitude (degrees, positive West) and sidereal time at
// Greenwich siderealTime (hours).
double HourAngle(double siderealTime, double longitude, double alpha);

// The parallactic angle of a body at hour angle hourAngle (hours, positive
// West) and declination delta for an observer at latitude (degrees, positive
// North): the position angle of the zenith on the body's disc, degrees from
// the North point towards the East, (−180, 180]; 0 on the meridian South of
// the zenith. Meeus, Astronomical Algorithms, 2nd ed., eq. 14.1.
double ParallacticAngle(double hourAngle, double delta, double latitude);

// The position angle of the midpoint of the Moon's bright limb, degrees from
// the North point of its disc towards the East, [0, 360), from the Sun's and
// the Moon's right ascensions and declinations (degrees). Meeus, Astronomical
// Algorithms, 2nd ed., eq. 48.5.
double BrightLimbAngle(const EquatorialPosition& sun, const EquatorialPosition& moon);

// Equatorial (α, δ in degrees) to horizontal coordinates for the observer at
// longitude (positive West) and latitude (positive North), degrees: the
// altitude, or the azimuth from the South, positive West, [−180, 180]; any
// other quantity answers 0.
double EquatorialToHorizontal(Quantity kind, double alpha, double delta, double longitude, double latitude,
                              JulianDay jd);

// EquatorialToHorizontal with the sidereal time at Greenwich given, hours.
double HorizontalOf(Quantity kind, double alpha, double delta, double longitude, double latitude,
                    double siderealTime);

}  // namespace helune
