// SPDX-License-Identifier: MIT
// The fixed English texts shared by the windows.
#pragma once

#include <array>

namespace helune {

// Month abbreviations, indexed by month 1..12 (entry 0 unused).
inline constexpr std::array<const char*, 13> Meses = {
    "", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
};

inline constexpr char kApplicationTitle[] = "Sun and Moon Helune";

}  // namespace helune
