// SPDX-License-Identifier: MIT
#include "Almanac.h"

#include <algorithm>
#include <cmath>

#include "Horizon.h"
#include "Phases.h"
#include "Positions.h"

namespace helune {

namespace {

constexpr int16_t kApparent = efLightTime | efAberration | efFK5 | efNutation;
// The Sun's apparent longitude of the seasons: its light-time step is itself
// the annual aberration (the Earth taken where it was), so that with both the
// Sun would stand 20.5″ behind; the seasons take the aberration alone.
constexpr int16_t kSeasonFlags = efAberration | efFK5 | efNutation;

constexpr double kKmPerAstronomicalUnit = 149597870.7;  // IAU 2012
constexpr double kSecondsPerDay = 86400.0;

// An interval is searched in pieces of at most this many days, each with its
// own tabulated positions, so that the work and the memory follow its length.
constexpr double kPieceDays = 30.0;
// The guide's culminations are sought this far beyond a piece, days: the
// model's lie within seconds of them.
constexpr double kCulminationMargin = 1.0 / 1440.0;

// Mean motions, degrees a day: the Sun's minus the Moon's longitude (a mean
// lunation of 29.530588861 days, Meeus ch. 49) and the Sun's own.
constexpr double kSynodicMonth = 29.530588861;
constexpr double kElongationRate = -360.0 / kSynodicMonth;
constexpr double kSunRate = 0.98564736;
// The mean new moon of 2000 January 6 (dynamical time), from which Meeus counts
// lunations.
constexpr JulianDay kMeanNewMoon2000 = 2451550.09766;
// A phase lies within 14 hours of its mean instant; the search takes one
// quarter more on either side.
constexpr int kQuarterMargin = 1;

// How closely the phases and seasons are placed, days (9 ms), and how many
// secant steps a search may take.
constexpr double kAngleSearchTolerance = 1e-7;
constexpr int kAngleSearchSteps = 30;

Row RowOf(SunOrMoon body) { return body == SunOrMoon::Sun ? kEarthRow : kMoonRow; }

// Instants beyond this many days from J2000 lie far outside every theory.
constexpr double kFarthestDays = 1e8;

bool Holds(JulianDay from, JulianDay to) {
    return std::fabs(from - kJ2000) < kFarthestDays && std::fabs(to - kJ2000) < kFarthestDays && from < to;
}

// Calls visit(track, a, b) for consecutive pieces [a, b) of [from, to), each
// with the body's track over positions a day apart that cover it with a day to
// spare.
template <class Visit>
void ForEachPiece(SunOrMoon body, double longitude, double latitude, JulianDay from, JulianDay to, Visit visit) {
    if (!Holds(from, to)) return;
    const Row row = RowOf(body);
    for (JulianDay a = from; a < to; a += kPieceDays) {
        const JulianDay b = std::min(a + kPieceDays, to);
        const JulianDay first = std::floor(a) - 1.0;
        const int count = static_cast<int>(std::ceil(b) - first) + 2;
        const std::vector<TabulatedPosition> positions = TabulatePositions(row, first, count);
        const SkyTrack track(row, longitude, latitude, positions);
        visit(track, a, b);
    }
}

// The instant near guess at which angle(t), degrees, passes target, by secant
// steps from the mean rate (degrees a day); the angle is taken modulo 360.
template <class Angle>
JulianDay SolveAngle(Angle angle, double target, JulianDay guess, double rate) {
    JulianDay t = guess;
    double offset = std::remainder(angle(t) - target, 360.0);
    for (int step = 0; step < kAngleSearchSteps; ++step) {
        const double move = -offset / rate;
        if (std::fabs(move) < kAngleSearchTolerance) return t + move;
        const double next = std::remainder(angle(t + move) - target, 360.0);
        if (next != offset) rate = (next - offset) / move;
        t += move;
        offset = next;
    }
    return t;
}

JulianDay Universal(JulianDay dynamical) { return dynamical - DeltaT(dynamical) / kSecondsPerDay; }

double SunApparentLongitude(JulianDay jd) {
    return PlanetEcliptic(kEarthRow, kSeasonFlags, jd, NutationAt(jd).longitude, PositionParts::Longitude).lambda;
}

}  // namespace

std::vector<Crossing> FindCrossings(SunOrMoon body, double altitude, JulianDay from, JulianDay to,
                                    double longitude, double latitude) {
    return FindCrossings(body, std::span<const double>(&altitude, 1), from, to, longitude, latitude).front();
}

double HorizonDip(double height) {
    constexpr double kDipArcminutesPerRootMetre = 1.76;
    constexpr double kArcminutesPerDegree = 60.0;
    return height > 0.0 ? kDipArcminutesPerRootMetre * std::sqrt(height) / kArcminutesPerDegree : 0.0;
}

std::vector<Crossing> FindHorizonCrossings(SunOrMoon body, double altitude, JulianDay from, JulianDay to,
                                           const Site& site) {
    return FindCrossings(body, altitude - HorizonDip(site.height), from, to, site.longitude, site.latitude);
}

std::vector<std::vector<Crossing>> FindCrossings(SunOrMoon body, std::span<const double> altitudes, JulianDay from,
                                                 JulianDay to, double longitude, double latitude) {
    std::vector<std::vector<Crossing>> found(altitudes.size());
    ForEachPiece(body, longitude, latitude, from, to, [&](const SkyTrack& track, JulianDay a, JulianDay b) {
        TrackSpan span(track, a, b);
        for (std::size_t i = 0; i < altitudes.size(); ++i) {
            const double altitude = altitudes[i];
            for (const CrossingBracket& bracket : span.Brackets(altitude)) {
                const JulianDay t = PolishCrossing(track, altitude, bracket, GuideCrossing(track, altitude, bracket));
                if (t >= a && t < b) found[i].push_back({t, bracket.rising});
            }
        }
    });
    return found;
}

std::vector<Transit> FindTransits(SunOrMoon body, JulianDay from, JulianDay to, double longitude,
                                  double latitude) {
    std::vector<Transit> found;
    ForEachPiece(body, longitude, latitude, from, to, [&](const SkyTrack& track, JulianDay a, JulianDay b) {
        for (const Culmination& guide : GuideCulminations(track, a - kCulminationMargin, b + kCulminationMargin)) {
            const JulianDay t = PolishCulmination(track, guide);
            if (t >= a && t < b) found.push_back({t, guide.upper, track.Altitude(t)});
        }
    });
    return found;
}

// Meeus, Astronomical Algorithms, ch. 48: the phase angle i from the Moon's
// elongation ψ and the two distances, tan i = R sin ψ / (Δ − R cos ψ).
BodyPosition FindPosition(SunOrMoon body, JulianDay universal, double longitude, double latitude) {
    const EarthOrientation orientation = EarthOrientationAt(universal);
    const double nutation = orientation.nutation.longitude;
    const EclipticPosition sun = PlanetEcliptic(kEarthRow, kApparent, universal, nutation, PositionParts::Full);
    const bool moon = body == SunOrMoon::Moon;
    const EclipticPosition p = moon ? LunaEcliptic(kApparent, universal, nutation) : sun;
    BodyPosition position{};
    position.altitude = GeocentricQuantity(Quantity::Altitude, kApparent, p, longitude, latitude, orientation, universal);
    const double fromSouth = GeocentricQuantity(Quantity::Azimuth, kApparent, p, longitude, latitude, orientation, universal);
    position.azimuth = std::fmod(fromSouth + 540.0, 360.0);
    const double sunKm = sun.distance * kKmPerAstronomicalUnit;
    position.distance = moon ? p.distance * kLunaKmPerAU : sunKm;
    if (!moon) {
        position.illuminatedFraction = 1.0;
        return position;
    }
    const double psi =
        std::acos(std::cos(DegToRad(p.beta)) * std::cos(DegToRad(p.lambda - sun.lambda)));
    const double i = std::atan2(sunKm * std::sin(psi), position.distance - sunKm * std::cos(psi));
    position.phaseAngle = RadToDeg(i);
    position.illuminatedFraction = (1.0 + std::cos(i)) / 2.0;
    return position;
}

// Quarter q after the mean new moon of 2000: a new moon where q ≡ 0 (mod 4),
// then the first quarter, the full moon, the last quarter; the Sun's minus the
// Moon's longitude falls by 90° a quarter.
std::vector<PrincipalPhase> FindPhases(JulianDay from, JulianDay to) {
    std::vector<PrincipalPhase> found;
    if (!Holds(from, to)) return found;
    const double quarter = kSynodicMonth / 4.0;
    const auto first = static_cast<long>(std::floor((from + DeltaT(from) / kSecondsPerDay - kMeanNewMoon2000) / quarter));
    const auto last = static_cast<long>(std::ceil((to + DeltaT(to) / kSecondsPerDay - kMeanNewMoon2000) / quarter));
    for (long q = first - kQuarterMargin; q <= last + kQuarterMargin; ++q) {
        const int kind = static_cast<int>(((q % 4) + 4) % 4);  // 0 new, 1 first quarter, 2 full, 3 last quarter
        const double target = 360.0 - 90.0 * kind;
        const JulianDay dynamical = SolveAngle(Elongation, target, kMeanNewMoon2000 + q * quarter, kElongationRate);
        const JulianDay universal = Universal(dynamical);
        if (universal >= from && universal < to)
            found.push_back({static_cast<int16_t>(kNewMoon - kind), universal});
    }
    return found;
}

std::vector<SeasonStart> FindSeasons(JulianDay from, JulianDay to) {
    std::vector<SeasonStart> found;
    if (!Holds(from, to)) return found;
    const JulianDay start = from + DeltaT(from) / kSecondsPerDay;
    const double longitude = SunApparentLongitude(start);
    // The next multiple of 90° after the Sun's longitude at the start, a quarter
    // back to be sure of the first, and on while the seasons stay in the interval.
    double target = 90.0 * std::floor(longitude / 90.0);
    JulianDay guess = start - std::remainder(longitude - target, 360.0) / kSunRate;
    // Four seasons a year, counted generously, bound the search.
    const double seasons = (to - from) / 80.0 + 8.0;
    for (int season = 0; season < seasons; ++season, target += 90.0) {
        const JulianDay dynamical = SolveAngle(SunApparentLongitude, std::fmod(target, 360.0), guess, kSunRate);
        const JulianDay universal = Universal(dynamical);
        if (!(universal < to)) break;
        if (universal >= from)
            found.push_back({static_cast<Season>(static_cast<int>(std::fmod(target, 360.0) / 90.0)), universal});
        guess = dynamical + 90.0 / kSunRate;
    }
    return found;
}

}  // namespace helune
