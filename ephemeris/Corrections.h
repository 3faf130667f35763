// SPDX-License-Identifier: MIT
// The corrections a computed position may take: a bit set, the query's Flags
// (Efemerides.h) and the position routines' alike.
#pragma once

#include <cstdint>

namespace helune {

inline constexpr int16_t efLightTime = 1;   // one light-time step
inline constexpr int16_t efAberration = 2;  // annual aberration added to λ and β
inline constexpr int16_t efFK5 = 4;         // VSOP87 dynamical frame to FK5
inline constexpr int16_t efNutation = 8;    // nutation in longitude, true obliquity

}  // namespace helune
