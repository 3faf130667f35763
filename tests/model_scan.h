// SPDX-License-Identifier: MIT
// The events' model found the plain way, for expected values that do not come
// from the engine's own search: the apparent altitude and hour angle of the
// position at the dynamical time of each universal instant (composed from the
// query's right ascension, declination and hour angle with every correction,
// flags 15), sampled at a fixed step, each change of side bisected.
#pragma once

#include <cstdint>
#include <vector>

#include "Calendar.h"

namespace helune::scan {

// Universal minutes and days.
inline constexpr double kMinute = 1.0 / 1440.0;
inline constexpr double kSecond = 1.0 / 86400.0;

struct Crossing {
    JulianDay universal;
    bool rising;
};

// The body's (kBodySun, kBodyMoon) apparent altitude, degrees, at a universal
// instant; longitude positive West.
double Altitude(int16_t body, JulianDay universal, double longitude, double latitude);

// Every crossing of altitude in [from, to), sampled every stepMinutes and
// bisected to a millisecond. Passes closer together than the step are missed.
std::vector<Crossing> Crossings(int16_t body, double altitude, JulianDay from, JulianDay to, double longitude,
                                double latitude, double stepMinutes = 1.0);

// The same for several altitudes from one sampling: one list per altitude.
std::vector<std::vector<Crossing>> Crossings(int16_t body, const std::vector<double>& altitudes, JulianDay from,
                                             JulianDay to, double longitude, double latitude,
                                             double stepMinutes = 1.0);

// Every upper culmination (hour angle through 0h) in [from, to), sampled every
// ten minutes and bisected to a millisecond.
std::vector<JulianDay> UpperTransits(int16_t body, JulianDay from, JulianDay to, double longitude, double latitude);

// The first crossing of the kind in [from, to), if any.
const Crossing* First(const std::vector<Crossing>& crossings, bool rising);

}  // namespace helune::scan
