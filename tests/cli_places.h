// SPDX-License-Identifier: MIT
// What the console's tests share: Madrid in the engine's conventions, its
// zones, and how close two computations of one instant come.
#pragma once

namespace helune::cli {

// Madrid (Puerta del Sol): degrees, longitude positive West.
inline constexpr double kMadridWest = 3.7038;
inline constexpr double kMadridLatitude = 40.4168;
// Zones in degrees, positive West: one and two hours ahead of UT.
inline constexpr double kUtPlusOne = -15.0;
inline constexpr double kUtPlusTwo = -30.0;
inline constexpr double kMinuteOfDay = 1.0 / 1440.0;
// Two computations of one instant agree to this.
inline constexpr double kSameInstantDays = 1e-9;

}  // namespace helune::cli
