// SPDX-License-Identifier: MIT
#include "model_scan.h"

#include <cmath>

#include "Efemerides.h"

namespace helune::scan {

namespace {

constexpr int16_t kAllCorrections = 15;
constexpr int16_t kQuantityHourAngle = 14;
constexpr double kBisected = 1e-3 * kSecond;

// A bisection of [a, b], on which side(a) differs from side(b).
template <class Side>
JulianDay Bisect(Side side, JulianDay a, JulianDay b) {
    const bool atA = side(a);
    while (b - a > kBisected) {
        const JulianDay middle = (a + b) / 2.0;
        (side(middle) == atA ? a : b) = middle;
    }
    return (a + b) / 2.0;
}

double HourAngle(int16_t body, JulianDay universal, double longitude, double latitude) {
    return CalcEfemeride(body, kQuantityHourAngle, kAllCorrections, universal, longitude, latitude, 0.0);
}

}  // namespace

double Altitude(int16_t body, JulianDay universal, double longitude, double latitude) {
    return CalcEfemeride(body, kQuantityAltitude, kAllCorrections, universal, longitude, latitude, 0.0);
}

std::vector<std::vector<Crossing>> Crossings(int16_t body, const std::vector<double>& altitudes, JulianDay from,
                                             JulianDay to, double longitude, double latitude, double stepMinutes) {
    auto altitudeAt = [&](JulianDay t) { return Altitude(body, t, longitude, latitude); };
    std::vector<std::vector<Crossing>> found(altitudes.size());
    const double step = stepMinutes * kMinute;
    double before = altitudeAt(from);
    for (JulianDay a = from; a < to; a += step) {
        const JulianDay b = std::fmin(a + step, to);
        const double after = altitudeAt(b);
        for (std::size_t i = 0; i < altitudes.size(); ++i) {
            const double h = altitudes[i];
            if ((after > h) == (before > h)) continue;
            const JulianDay t = Bisect([&](JulianDay x) { return altitudeAt(x) > h; }, a, b);
            if (t < to) found[i].push_back({t, after > h});
        }
        before = after;
    }
    return found;
}

std::vector<Crossing> Crossings(int16_t body, double altitude, JulianDay from, JulianDay to, double longitude,
                                double latitude, double stepMinutes) {
    return Crossings(body, std::vector<double>{altitude}, from, to, longitude, latitude, stepMinutes).front();
}

std::vector<JulianDay> UpperTransits(int16_t body, JulianDay from, JulianDay to, double longitude, double latitude) {
    // West of the meridian the hour angle is small; just East of it, near 24h.
    auto west = [&](JulianDay t) { return HourAngle(body, t, longitude, latitude) < 12.0; };
    auto hourAngle = [&](JulianDay t) { return HourAngle(body, t, longitude, latitude); };
    std::vector<JulianDay> found;
    const double step = 10.0 * kMinute;
    double before = hourAngle(from);
    for (JulianDay a = from; a < to; a += step) {
        const JulianDay b = std::fmin(a + step, to);
        const double after = hourAngle(b);
        if (before > 18.0 && after < 6.0) {
            const JulianDay t = Bisect(west, a, b);
            if (t < to) found.push_back(t);
        }
        before = after;
    }
    return found;
}

const Crossing* First(const std::vector<Crossing>& crossings, bool rising) {
    for (const Crossing& c : crossings)
        if (c.rising == rising) return &c;
    return nullptr;
}

}  // namespace helune::scan
