// SPDX-License-Identifier: MIT
// The codes of the Moon's principal phases: the target of the Sun's minus the
// Moon's geocentric longitude, divided by 90.
#pragma once

#include <cstdint>

namespace helune {

inline constexpr int16_t kLastQuarter = 1;   // 90°
inline constexpr int16_t kFullMoon = 2;      // 180°
inline constexpr int16_t kFirstQuarter = 3;  // 270°
inline constexpr int16_t kNewMoon = 4;       // 360°
// A search that did not settle leaves this code, which names no phase.
inline constexpr int16_t kNoPhase = 0;

}  // namespace helune
