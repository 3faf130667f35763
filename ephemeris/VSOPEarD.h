// SPDX-License-Identifier: MIT
// The Earth's heliocentric position from the planetary theory VSOP87, version D:
// spherical coordinates L, B, R referred to the mean dynamical ecliptic and
// equinox of the date (Bretagnon & Francou 1988, A&A 202, 309).
#pragma once

#include <cstdint>

#include "Codes.h"
#include "SinCos.h"

namespace helune {

// One periodic term: it contributes A·cos(B + C·tau) to its series.
struct VsopTerm {
    double A;  // amplitude: radians (L, B) or astronomical units (R)
    double B;  // phase, radians
    double C;  // frequency, radians per Julian millennium
};

inline constexpr int kVsopRows = 9;    // body rows: Mercury 0 ... Neptune 7, 8 reserved
inline constexpr int kVsopPowers = 6;  // powers tau^0 ... tau^5

// The sets of EvalVSOP: the heliocentric coordinates among the elements.
inline constexpr Element kVsopSetL = Element::HelioLongitude;
inline constexpr Element kVsopSetB = Element::HelioLatitude;
inline constexpr Element kVsopSetR = Element::RadiusVector;

// Term arrays by row and power (nullptr where a series has no terms) and their
// counts. Only the Earth's row 2 carries terms; every other row counts 0.
// Every phase B lies in [0, 2pi) and every |C| is at most the fastest
// frequency, the Earth's 327574.514 rad per millennium: the packed sum relies
// on both.
inline constexpr double kVsopFastestFrequency = 327574.52;
extern const VsopTerm* const VsopSeriesL[kVsopRows][kVsopPowers];
extern const VsopTerm* const VsopSeriesB[kVsopRows][kVsopPowers];
extern const VsopTerm* const VsopSeriesR[kVsopRows][kVsopPowers];
extern const int16_t VsopCountL[kVsopRows][kVsopPowers];
extern const int16_t VsopCountB[kVsopRows][kVsopPowers];
extern const int16_t VsopCountR[kVsopRows][kVsopPowers];

// Sums the series of one coordinate.
//   row  a planet's row (only the Earth's has terms); the Moon's answers 0.0
//   set  kVsopSetL, kVsopSetB or kVsopSetR; any other element answers 0.0
//   tau  Julian millennia of 365250 days from J2000.0 (negative before it)
// Returns L in radians (not reduced to one turn), B in radians, R in AU:
//   sum over alpha = 0..5 of tau^alpha · sum_j A_j cos(B_j + C_j tau).
double EvalVSOP(Row row, Element set, double tau);

// The paths of the sum: EvalVSOP takes the fastest (see SinCos.h); the scalar
// one is the plain loop itself. EvalVSOPOn runs the path named, one of
// AvailableSimdPaths().
using VsopPath = SimdPath;
double EvalVSOPOn(VsopPath path, Row row, Element set, double tau);

}  // namespace helune
