// SPDX-License-Identifier: MIT
// What the console's tests share: Madrid in the engine's conventions, its
// zones, how close two computations of one instant come, and the message of a
// refusal.
#pragma once

#include <functional>
#include <string>

#include "Values.h"

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

// The message of the usage error action throws, or "no error".
inline std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UsageError& error) {
        return error.message;
    }
    return "no error";
}

}  // namespace helune::cli
