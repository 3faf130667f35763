// SPDX-License-Identifier: MIT
#include "Horizon.h"

#include <algorithm>
#include <cmath>

#include "Positions.h"
#include "RootFinder.h"

namespace helune {

namespace {

// The flags of the model's positions: every correction.
constexpr int16_t kApparent = efLightTime | efAberration | efFK5 | efNutation;

// Bounds on the motions that bend the altitude's course, in radians and days:
// the rate of the hour angle (at most the sidereal rate), and the rates and
// accelerations of the declination and right ascension (the Moon's reach 7.5°
// a day and 6° a day²; the Sun's are a twentieth of that).
constexpr double kHourAngleRate = 6.31;
struct MotionBounds {
    double declinationRate, declinationAcceleration, rightAscensionAcceleration;
};
constexpr MotionBounds kSunMotion{0.0075, 0.001, 0.002};
constexpr MotionBounds kMoonMotion{0.131, 0.06, 0.1};
// The bound on the guide's curvature holds with this to spare.
constexpr double kCurvatureMargin = 1.25;

// How far the guide's rate of sin altitude may stray from the model's, per
// day: an offset in right ascension of 0.02° turning with the hour angle, and
// the interpolation's error in the Moon's motion.
constexpr double kGuideRateError = 5e-3;
// The same for the hour angle's rate, relative.
constexpr double kGuideHourAngleRateError = 1e-3;

// The guide's altitude is followed in steps of two hours, halved where a pair
// of turning points could hide between two steps, down to a minute.
constexpr double kScanStep = 1.0 / 12.0;
constexpr double kFinestStep = 1.0 / 1440.0;
// The guide's crossings and culminations are placed to about a second, its
// turning points to ten: the altitude there, which decides a graze, is off by
// the curvature times the square of that, 10⁻⁵ degree.
constexpr double kGuideTolerance = 1e-5;
constexpr double kTurningPointTolerance = 1e-4;
// The model's culmination lies within seconds of the guide's.
constexpr double kCulminationReach = 0.01;

bool IsMoon(Row row) { return row == kMoonRow; }

// The value at n days from the middle of three values a day apart, and its rate.
struct Interpolated {
    double value, rate;
};
Interpolated Interpolate(double y1, double y2, double y3, double n) {
    const double first = (y3 - y1) / 2.0;
    const double second = y1 + y3 - 2.0 * y2;
    return {y2 + n * (first + n * second / 2.0), first + n * second};
}

}  // namespace

EquatorialPosition EquatorialAt(Row row, DynamicalTime dynamical) {
    const JulianDay jd = dynamical.jd;
    const EclipticPosition p =
        IsMoon(row) ? LunaEcliptic(0, jd) : PlanetEcliptic(row, 0, jd, 0.0, PositionParts::Direction);
    return EquatorialOf(p.lambda, p.beta, MeanObliquity(jd));
}

void MakeContinuous(std::span<TabulatedPosition> positions) {
    for (std::size_t i = 1; i < positions.size(); ++i) {
        positions[i].alpha += 360.0 * std::nearbyint((positions[i - 1].alpha - positions[i].alpha) / 360.0);
    }
}

std::vector<TabulatedPosition> TabulatePositions(Row row, UniversalTime first, int count) {
    std::vector<TabulatedPosition> positions;
    positions.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const UniversalTime t = first + Days{static_cast<double>(i)};
        const EquatorialPosition p = EquatorialAt(row, ToDynamical(t));
        positions.push_back({t, p.alpha, p.delta});
    }
    MakeContinuous(positions);
    return positions;
}

SkyTrack::SkyTrack(Row row, double longitude, double latitude, std::span<const TabulatedPosition> positions)
    : row_(row),
      longitude_(longitude),
      latitude_(latitude),
      sinLatitude_(std::sin(DegToRad(latitude))),
      cosLatitude_(std::cos(DegToRad(latitude))),
      positions_(positions),
      siderealEpoch_(positions.empty() ? UniversalTime{kJ2000} : positions.front().universal),
      siderealAtEpoch_(MeanSiderealDegrees(siderealEpoch_.jd)) {
    const MotionBounds& m = IsMoon(row) ? kMoonMotion : kSunMotion;
    const double declination = m.declinationRate * m.declinationRate + m.declinationAcceleration;
    curvatureBound_ = kCurvatureMargin *
                      (std::fabs(cosLatitude_) * (kHourAngleRate * kHourAngleRate +
                                                  2.0 * kHourAngleRate * m.declinationRate + declination +
                                                  m.rightAscensionAcceleration) +
                       std::fabs(sinLatitude_) * declination);
}

// The position at the theories' time, the Earth turned as at the universal instant.
double SkyTrack::Apparent(Quantity quantity, UniversalTime t) const {
    const DynamicalTime dynamical = ToDynamical(t);
    const EarthOrientation orientation = EarthOrientationAt(dynamical, t);
    const double nutation = orientation.nutation.longitude;
    const EclipticPosition p = IsMoon(row_) ? LunaEcliptic(kApparent, dynamical.jd, nutation)
                                            : PlanetEcliptic(row_, kApparent, dynamical.jd, nutation, PositionParts::Direction);
    return GeocentricQuantity(quantity, kApparent, p, longitude_, latitude_, orientation, dynamical.jd);
}

double SkyTrack::Altitude(UniversalTime t) const { return Apparent(Quantity::Altitude, t); }

double SkyTrack::HourAngle(UniversalTime t) const { return Apparent(Quantity::HourAngle, t); }

// Each instant takes the three positions centred on the one nearest to it.
SkyTrack::Guide SkyTrack::GuideAt(UniversalTime t) const {
    const auto last = static_cast<long>(positions_.size()) - 2;
    const long k = std::clamp(std::lround((t - positions_.front().universal).count), 1L, std::max(last, 1L));
    const TabulatedPosition &p1 = positions_[k - 1], &p2 = positions_[k], &p3 = positions_[k + 1];
    const double n = (t - p2.universal).count;
    const Interpolated alpha = Interpolate(p1.alpha, p2.alpha, p3.alpha, n);
    const Interpolated delta = Interpolate(p1.delta, p2.delta, p3.delta, n);
    const double sidereal = siderealAtEpoch_ + kSiderealDegreesPerDay * (t - siderealEpoch_).count;
    const double hourAngle = sidereal - longitude_ - alpha.value;
    const double hourAngleRate = kSiderealDegreesPerDay - alpha.rate;

    const double d = DegToRad(delta.value), H = DegToRad(hourAngle);
    const double sinD = std::sin(d), cosD = std::cos(d), sinH = std::sin(H), cosH = std::cos(H);
    const double sinAltitude = sinLatitude_ * sinD + cosLatitude_ * cosD * cosH;
    const double rate = (sinLatitude_ * cosD - cosLatitude_ * sinD * cosH) * DegToRad(delta.rate) -
                        cosLatitude_ * cosD * sinH * DegToRad(hourAngleRate);
    return {sinAltitude, rate, hourAngle, hourAngleRate};
}

namespace {

// The turning points of the guide's altitude in [a, b], whose rates of sin
// altitude are ra and rb: where the rate changes sign, and, where the curvature
// bound lets the rate touch zero and come back between a and b, in the halves.
struct TurningPoint {
    UniversalTime t;
    int turn;  // +1 a maximum, −1 a minimum
};
void FindTurningPoints(const SkyTrack& track, UniversalTime a, double ra, UniversalTime b, double rb,
                       std::vector<TurningPoint>& turns) {
    const double width = (b - a).count;
    if ((ra < 0.0) != (rb < 0.0)) {
        const auto rate = [&](double x) { return track.GuideAt(UniversalTime{x}).sinAltitudeRate; };
        const double start = a.jd - ra * width / (rb - ra);
        const Root root = FindRoot(rate, SecantRate((rb - ra) / width), Bracket{a.jd, b.jd, ra < 0.0}, start,
                                   kTurningPointTolerance);
        turns.push_back({UniversalTime{root.at}, ra >= 0.0 ? 1 : -1});
        return;
    }
    if (std::fabs(ra) + std::fabs(rb) > track.CurvatureBound() * width || width < kFinestStep) return;
    const UniversalTime middle = a + Days{width / 2.0};
    const double rm = track.GuideAt(middle).sinAltitudeRate;
    FindTurningPoints(track, a, ra, middle, rm, turns);
    FindTurningPoints(track, middle, rm, b, rb, turns);
}

// The ratio of a step to the error left after it, for Newton's steps on sin
// altitude with the guide's rate: the rate's own error, and the curvature.
double ErrorAfterStep(const SkyTrack& track, double step, double rate) {
    return (kGuideRateError * std::fabs(step) + 0.5 * track.CurvatureBound() * step * step) / std::fabs(rate);
}

}  // namespace

TrackSpan::TrackSpan(const SkyTrack& track, UniversalTime from, UniversalTime to) : track_(track) {
    // A span that is empty, or whose instants are too large to step through, has no points.
    if (!(from < to) || !(from.jd + kFinestStep > from.jd) || !std::isfinite(to.jd)) return;
    std::vector<TurningPoint> turns;
    UniversalTime a = from;
    double ra = track.GuideAt(a).sinAltitudeRate;
    while (a < to) {
        const UniversalTime b = std::min(a + Days{kScanStep}, to);
        const double rb = track.GuideAt(b).sinAltitudeRate;
        FindTurningPoints(track, a, ra, b, rb, turns);
        a = b;
        ra = rb;
    }
    points_.push_back({from, track.GuideAt(from).sinAltitude, 0, std::nullopt});
    for (const TurningPoint& p : turns) points_.push_back({p.t, track.GuideAt(p.t).sinAltitude, p.turn, std::nullopt});
    points_.push_back({to, track.GuideAt(to).sinAltitude, 0, std::nullopt});
}

// Whether the model stands above altitude at the point. Where it only touches
// the altitude, a minimum counts as above and a maximum as below, so that a
// touch makes no crossing.
bool TrackSpan::Above(Point& point, double altitude) {
    const double difference = point.sinAltitude - std::sin(DegToRad(altitude));
    // |sin a − sin b| <= |a − b|: beyond the guide's error the guide tells.
    if (std::fabs(difference) > DegToRad(kGuideAltitudeError)) return difference > 0.0;
    if (!point.altitude) point.altitude = track_.Altitude(point.t);
    if (*point.altitude == altitude) return point.turn < 0;
    return *point.altitude > altitude;
}

std::vector<CrossingBracket> TrackSpan::Brackets(double altitude) {
    std::vector<CrossingBracket> brackets;
    if (points_.empty()) return brackets;
    bool above = Above(points_.front(), altitude);
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const bool next = Above(points_[i], altitude);
        if (next != above) brackets.push_back({points_[i - 1].t, points_[i].t, next});
        above = next;
    }
    return brackets;
}

UniversalTime GuideCrossing(const SkyTrack& track, double altitude, const CrossingBracket& bracket) {
    const double target = std::sin(DegToRad(altitude));
    const auto offset = [&](double t) { return track.GuideAt(UniversalTime{t}).sinAltitude - target; };
    const auto rate = [&](double t, double) { return track.GuideAt(UniversalTime{t}).sinAltitudeRate; };
    const double lo = offset(bracket.lo.jd), hi = offset(bracket.hi.jd);
    const double middle = (bracket.lo.jd + bracket.hi.jd) / 2.0;
    if ((lo < 0.0) == (hi < 0.0)) return UniversalTime{middle};
    return UniversalTime{FindRoot(offset, rate, Bracket{bracket.lo.jd, bracket.hi.jd, lo < 0.0}, middle, kGuideTolerance).at};
}

CrossingEstimate EstimateCrossing(const SkyTrack& track, double altitude, UniversalTime at, double altitudeAt) {
    const double rate = track.GuideAt(at).sinAltitudeRate;
    const double step = -(std::sin(DegToRad(altitudeAt)) - std::sin(DegToRad(altitude))) / rate;
    return {at + Days{step}, Days{ErrorAfterStep(track, step, rate)}};
}

// The model's sin altitude against the target's, with the guide's rate; a
// step whose error after it falls within the tolerance is taken unevaluated.
Placed PolishCrossing(const SkyTrack& track, double altitude, CrossingBracket bracket, UniversalTime start,
                      std::optional<double> altitudeAtStart) {
    const double target = std::sin(DegToRad(altitude));
    const auto offset = [&](double t) {
        const UniversalTime at{t};
        const double h = at == start && altitudeAtStart ? *altitudeAtStart : track.Altitude(at);
        return std::sin(DegToRad(h)) - target;
    };
    const auto rate = [&](double t, double) { return track.GuideAt(UniversalTime{t}).sinAltitudeRate; };
    const auto stepError = [&](double step, double r) { return ErrorAfterStep(track, step, r); };
    const Root root = FindRoot(offset, rate, stepError, Bracket{bracket.lo.jd, bracket.hi.jd, bracket.rising}, start.jd,
                               kInstantTolerance);
    return {UniversalTime{root.at}, root.settled};
}

std::vector<Culmination> GuideCulminations(const SkyTrack& track, UniversalTime from, UniversalTime to) {
    std::vector<Culmination> found;
    const double first = track.GuideAt(from).hourAngle, last = track.GuideAt(to).hourAngle;
    const double span = (to - from).count;
    // Two culminations a day and a little more; beyond that the span is no span.
    const double lowest = std::ceil(first / 180.0), count = std::floor(last / 180.0) - lowest + 1.0;
    if (!(count > 0.0) || count > 2.1 * span + 2.0 || !(lowest + count > lowest + count - 1.0)) return found;
    const auto rate = [&](double t, double) { return track.GuideAt(UniversalTime{t}).hourAngleRate; };
    for (double k = lowest; k < lowest + count; ++k) {
        const double target = k * 180.0;
        const auto offset = [&](double t) { return track.GuideAt(UniversalTime{t}).hourAngle - target; };
        const double start = from.jd + (target - first) / (last - first) * span;
        const Root root = FindRoot(offset, rate, Bracket{from.jd, to.jd, true}, start, kGuideTolerance);
        found.push_back({UniversalTime{root.at}, std::fmod(k, 2.0) == 0.0});
    }
    return found;
}

Placed PolishCulmination(const SkyTrack& track, const Culmination& guide) {
    const double target = guide.upper ? 0.0 : 180.0;
    const auto offset = [&](double t) {
        return std::remainder(HoursToDeg(track.HourAngle(UniversalTime{t})) - target, 360.0);
    };
    const auto rate = [&](double t, double) { return track.GuideAt(UniversalTime{t}).hourAngleRate; };
    // The guide's rate is the model's within kGuideHourAngleRateError: a step
    // is off by that part of it.
    const auto stepError = [](double step, double) { return std::fabs(step) * kGuideHourAngleRateError; };
    const double at = guide.universal.jd;
    const Root root = FindRoot(offset, rate, stepError, Bracket{at - kCulminationReach, at + kCulminationReach, true}, at,
                               kInstantTolerance);
    return {UniversalTime{root.at}, root.settled};
}

}  // namespace helune
