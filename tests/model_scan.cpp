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

constexpr int16_t kQuantityRightAscension = 13;
constexpr int16_t kQuantityDeclination = 15;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double kDegreesPerHour = 15.0;

double Query(int16_t body, int16_t quantity, JulianDay jd, double longitude, double latitude) {
    return CalcEfemeride(body, quantity, kAllCorrections, jd, longitude, latitude, 0.0);
}

// The local hour angle, hours, of the body's position at the dynamical time
// of the universal instant: the query's hour angle at the universal instant
// (which takes it as the theories' time) moved by the right ascension the
// body gains over ΔT.
double HourAngle(int16_t body, JulianDay universal, double longitude, double latitude) {
    const JulianDay dynamical = universal + DeltaT(universal) / 86400.0;
    const double gained =
        Query(body, kQuantityRightAscension, dynamical, longitude, latitude) -
        Query(body, kQuantityRightAscension, universal, longitude, latitude);
    const double hours = Query(body, kQuantityHourAngle, universal, longitude, latitude) - std::remainder(gained, 24.0);
    return hours - 24.0 * std::floor(hours / 24.0);
}

}  // namespace

// The altitude of the position at the dynamical time of the universal instant,
// the Earth turned as at the universal instant (Meeus, ch. 13).
double Altitude(int16_t body, JulianDay universal, double longitude, double latitude) {
    const JulianDay dynamical = universal + DeltaT(universal) / 86400.0;
    const double h = HourAngle(body, universal, longitude, latitude) * kDegreesPerHour * kRadiansPerDegree;
    const double delta = Query(body, kQuantityDeclination, dynamical, longitude, latitude) * kRadiansPerDegree;
    const double phi = latitude * kRadiansPerDegree;
    return std::asin(std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h)) / kRadiansPerDegree;
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
