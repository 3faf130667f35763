// SPDX-License-Identifier: MIT
#include "Almanac.h"

#include <algorithm>
#include <cmath>

#include "Horizon.h"
#include "Phases.h"
#include "Positions.h"
#include "RootFinder.h"

namespace helune {

namespace {

constexpr int16_t kApparent = efLightTime | efAberration | efFK5 | efNutation;
// The Sun's apparent longitude of the seasons: its light-time step is itself
// the annual aberration (the Earth taken where it was), so that with both the
// Sun would stand 20.5″ behind; the seasons take the aberration alone.
constexpr int16_t kSeasonFlags = efAberration | efFK5 | efNutation;

constexpr double kKmPerAstronomicalUnit = 149597870.7;  // IAU 2012

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

// How closely the phases and seasons are placed, days (9 ms), and how far
// from its guess each lies at most: a phase within 14 hours of its mean
// instant, a season within three days of a quarter year after the last.
constexpr double kAngleSearchTolerance = 1e-7;
constexpr double kPhaseReach = 1.5;
constexpr double kSeasonReach = 5.0;

Row RowOf(SunOrMoon body) { return body == SunOrMoon::Sun ? kEarthRow : kMoonRow; }

// Narrows [from, to) to the part the interface answers for, within the span;
// false, and nothing to answer, for an interval that is empty, reversed, not
// finite, longer than the longest, or wholly outside the span.
bool NarrowToAnswered(UniversalTime& from, UniversalTime& to) {
    if (!(from < to) || !std::isfinite(from.jd) || !std::isfinite(to.jd) || to - from > kLongestInterval)
        return false;
    from = std::max(from, kFirstInstant);
    to = std::min(to, kEndInstant);
    return from < to;
}

bool InSpan(UniversalTime t) { return t >= kFirstInstant && t < kEndInstant; }

// Calls visit(track, a, b) for consecutive pieces [a, b) of [from, to), each
// with the body's track over positions a day apart that cover it with a day to
// spare.
template <class Visit>
void ForEachPiece(SunOrMoon body, double longitude, double latitude, UniversalTime from, UniversalTime to,
                  Visit visit) {
    if (!NarrowToAnswered(from, to)) return;
    const Row row = RowOf(body);
    for (UniversalTime a = from; a < to; a = a + Days{kPieceDays}) {
        const UniversalTime b = std::min(a + Days{kPieceDays}, to);
        const UniversalTime first{std::floor(a.jd) - 1.0};
        const int count = static_cast<int>(std::ceil(b.jd) - first.jd) + 2;
        const std::vector<TabulatedPosition> positions = TabulatePositions(row, first, count);
        const SkyTrack track(row, longitude, latitude, positions);
        visit(track, a, b);
    }
}

// The dynamical instant within reach of guess at which angle(t), degrees,
// passes target, from its mean rate (degrees a day, either sign); the angle
// is taken modulo 360.
template <class Angle>
Root SolveAngle(Angle angle, double target, DynamicalTime guess, double rate, double reach) {
    const auto offset = [&](double t) { return std::remainder(angle(t) - target, 360.0); };
    return FindRoot(offset, SecantRate(rate), Bracket{guess.jd - reach, guess.jd + reach, rate > 0.0}, guess.jd,
                    kAngleSearchTolerance);
}

double SunApparentLongitude(JulianDay jd) {
    return PlanetEcliptic(kEarthRow, kSeasonFlags, jd, NutationAt(jd).longitude, PositionParts::Longitude).lambda;
}

}  // namespace

std::vector<Crossing> FindCrossings(SunOrMoon body, double altitude, UniversalTime from, UniversalTime to,
                                    double longitude, double latitude) {
    return FindCrossings(body, std::span<const double>(&altitude, 1), from, to, longitude, latitude).front();
}

double HorizonDip(double height) {
    constexpr double kDipArcminutesPerRootMetre = 1.76;
    constexpr double kArcminutesPerDegree = 60.0;
    return height > 0.0 ? kDipArcminutesPerRootMetre * std::sqrt(height) / kArcminutesPerDegree : 0.0;
}

std::vector<Crossing> FindHorizonCrossings(SunOrMoon body, double altitude, UniversalTime from, UniversalTime to,
                                           const Site& site) {
    return FindCrossings(body, altitude - HorizonDip(site.height), from, to, site.longitude, site.latitude);
}

std::vector<std::vector<Crossing>> FindCrossings(SunOrMoon body, std::span<const double> altitudes,
                                                 UniversalTime from, UniversalTime to, double longitude,
                                                 double latitude) {
    std::vector<std::vector<Crossing>> found(altitudes.size());
    ForEachPiece(body, longitude, latitude, from, to, [&](const SkyTrack& track, UniversalTime a, UniversalTime b) {
        TrackSpan span(track, a, b);
        for (std::size_t i = 0; i < altitudes.size(); ++i) {
            const double altitude = altitudes[i];
            for (const CrossingBracket& bracket : span.Brackets(altitude)) {
                const Placed t = PolishCrossing(track, altitude, bracket, GuideCrossing(track, altitude, bracket));
                if (t.at >= a && t.at < b) found[i].push_back({t.at, bracket.rising, t.settled});
            }
        }
    });
    return found;
}

std::vector<Transit> FindTransits(SunOrMoon body, UniversalTime from, UniversalTime to, double longitude,
                                  double latitude) {
    std::vector<Transit> found;
    const Days margin{kCulminationMargin};
    ForEachPiece(body, longitude, latitude, from, to, [&](const SkyTrack& track, UniversalTime a, UniversalTime b) {
        for (const Culmination& guide : GuideCulminations(track, a - margin, b + margin)) {
            const Placed t = PolishCulmination(track, guide);
            if (t.at >= a && t.at < b) found.push_back({t.at, guide.upper, track.Altitude(t.at), t.settled});
        }
    });
    return found;
}

// Meeus, Astronomical Algorithms, ch. 48: the phase angle i from the Moon's
// elongation ψ and the two distances, tan i = R sin ψ / (Δ − R cos ψ).
BodyPosition FindPosition(SunOrMoon body, UniversalTime universal, double longitude, double latitude) {
    if (!InSpan(universal)) return {NAN, NAN, NAN, NAN, NAN, NAN, NAN};
    const DynamicalTime dynamical = ToDynamical(universal);
    const JulianDay tt = dynamical.jd;
    const EarthOrientation orientation = EarthOrientationAt(dynamical, universal);
    const double nutation = orientation.nutation.longitude;
    const EclipticPosition sun = PlanetEcliptic(kEarthRow, kApparent, tt, nutation, PositionParts::Full);
    const bool moon = body == SunOrMoon::Moon;
    const EclipticPosition p = moon ? LunaEcliptic(kApparent, tt, nutation) : sun;
    BodyPosition position{};
    position.altitude = GeocentricQuantity(Quantity::Altitude, kApparent, p, longitude, latitude, orientation, tt);
    const double fromSouth = GeocentricQuantity(Quantity::Azimuth, kApparent, p, longitude, latitude, orientation, tt);
    position.azimuth = std::fmod(fromSouth + 540.0, 360.0);
    const double sunKm = sun.distance * kKmPerAstronomicalUnit;
    position.distance = moon ? p.distance * kLunaKmPerAU : sunKm;
    const double obliquity = Obliquity(orientation, kApparent);
    const EquatorialPosition sunSky = EquatorialOf(sun.lambda, sun.beta, obliquity);
    const EquatorialPosition sky = moon ? EquatorialOf(p.lambda, p.beta, obliquity) : sunSky;
    position.parallactic =
        ParallacticAngle(HourAngle(orientation.siderealTime, longitude, sky.alpha), sky.delta, latitude);
    if (!moon) {
        position.illuminatedFraction = 1.0;
        return position;
    }
    position.brightLimb = BrightLimbAngle(sunSky, sky);
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
std::vector<PrincipalPhase> FindPhases(UniversalTime from, UniversalTime to) {
    std::vector<PrincipalPhase> found;
    if (!NarrowToAnswered(from, to)) return found;
    const double quarter = kSynodicMonth / 4.0;
    const auto first = static_cast<long>(std::floor((ToDynamical(from).jd - kMeanNewMoon2000) / quarter));
    const auto last = static_cast<long>(std::ceil((ToDynamical(to).jd - kMeanNewMoon2000) / quarter));
    for (long q = first - kQuarterMargin; q <= last + kQuarterMargin; ++q) {
        const int kind = static_cast<int>(((q % 4) + 4) % 4);  // 0 new, 1 first quarter, 2 full, 3 last quarter
        const double target = 360.0 - 90.0 * kind;
        const DynamicalTime mean{kMeanNewMoon2000 + q * quarter};
        const Root root = SolveAngle(Elongation, target, mean, kElongationRate, kPhaseReach);
        const UniversalTime universal = ToUniversal(DynamicalTime{root.at});
        if (universal >= from && universal < to)
            found.push_back({static_cast<int16_t>(kNewMoon - kind), universal, root.settled});
    }
    return found;
}

std::vector<SeasonStart> FindSeasons(UniversalTime from, UniversalTime to) {
    std::vector<SeasonStart> found;
    if (!NarrowToAnswered(from, to)) return found;
    const DynamicalTime start = ToDynamical(from);
    const double longitude = SunApparentLongitude(start.jd);
    // The next multiple of 90° after the Sun's longitude at the start, a quarter
    // back to be sure of the first, and on while the seasons stay in the interval.
    double target = 90.0 * std::floor(longitude / 90.0);
    DynamicalTime guess = start - Days{std::remainder(longitude - target, 360.0) / kSunRate};
    // Four seasons a year, counted generously, bound the search.
    const double seasons = (to - from).count / 80.0 + 8.0;
    for (int season = 0; season < seasons; ++season, target += 90.0) {
        const Root root = SolveAngle(SunApparentLongitude, std::fmod(target, 360.0), guess, kSunRate, kSeasonReach);
        const UniversalTime universal = ToUniversal(DynamicalTime{root.at});
        if (!(universal < to)) break;
        if (universal >= from)
            found.push_back(
                {static_cast<Season>(static_cast<int>(std::fmod(target, 360.0) / 90.0)), universal, root.settled});
        guess = DynamicalTime{root.at} + Days{90.0 / kSunRate};
    }
    return found;
}

}  // namespace helune
