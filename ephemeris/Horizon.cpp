// SPDX-License-Identifier: MIT
#include "Horizon.h"

#include <algorithm>
#include <cmath>

#include "Positions.h"

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
constexpr int kMaxSteps = 64;

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

// Illinois steps on a function of time that changes sign between a and b, until
// the two are within tolerance.
template <class F>
JulianDay FindZero(F f, JulianDay a, double fa, JulianDay b, double fb, double tolerance = kGuideTolerance) {
    int lastMoved = 0;
    for (int step = 0; step < kMaxSteps && b - a > tolerance; ++step) {
        const JulianDay c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if ((fc < 0.0) == (fa < 0.0)) {
            a = c;
            fa = fc;
            if (lastMoved == -1) fb /= 2.0;
            lastMoved = -1;
        } else {
            b = c;
            fb = fc;
            if (lastMoved == 1) fa /= 2.0;
            lastMoved = 1;
        }
        if (fc == 0.0) return c;
    }
    return (a + b) / 2.0;
}

}  // namespace

EquatorialPosition EquatorialAt(Row row, JulianDay jd) {
    const EclipticPosition p =
        IsMoon(row) ? LunaEcliptic(0, jd) : PlanetEcliptic(row, 0, jd, 0.0, PositionParts::Direction);
    return EquatorialOf(p.lambda, p.beta, MeanObliquity(jd));
}

void MakeContinuous(std::span<TabulatedPosition> positions) {
    for (std::size_t i = 1; i < positions.size(); ++i) {
        positions[i].alpha += 360.0 * std::nearbyint((positions[i - 1].alpha - positions[i].alpha) / 360.0);
    }
}

std::vector<TabulatedPosition> TabulatePositions(Row row, JulianDay first, int count) {
    std::vector<TabulatedPosition> positions;
    positions.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const EquatorialPosition p = EquatorialAt(row, first + i);
        positions.push_back({first + i, p.alpha, p.delta});
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
      siderealEpoch_(positions.empty() ? kJ2000 : positions.front().jd),
      siderealAtEpoch_(MeanSiderealDegrees(siderealEpoch_)) {
    const MotionBounds& m = IsMoon(row) ? kMoonMotion : kSunMotion;
    const double declination = m.declinationRate * m.declinationRate + m.declinationAcceleration;
    curvatureBound_ = kCurvatureMargin *
                      (std::fabs(cosLatitude_) * (kHourAngleRate * kHourAngleRate +
                                                  2.0 * kHourAngleRate * m.declinationRate + declination +
                                                  m.rightAscensionAcceleration) +
                       std::fabs(sinLatitude_) * declination);
}

double SkyTrack::Altitude(JulianDay jd) const {
    if (IsMoon(row_)) return CalcLuna(Quantity::Altitude, kApparent, longitude_, latitude_, jd);
    return PlanetPosition(row_, Quantity::Altitude, kApparent, longitude_, latitude_, jd);
}

double SkyTrack::HourAngle(JulianDay jd) const {
    if (IsMoon(row_)) return CalcLuna(Quantity::HourAngle, kApparent, longitude_, latitude_, jd);
    return PlanetPosition(row_, Quantity::HourAngle, kApparent, longitude_, latitude_, jd);
}

// Each instant takes the three positions centred on the one nearest to it.
SkyTrack::Guide SkyTrack::GuideAt(JulianDay jd) const {
    const auto last = static_cast<long>(positions_.size()) - 2;
    const long k = std::clamp(std::lround(jd - positions_.front().jd), 1L, std::max(last, 1L));
    const TabulatedPosition &p1 = positions_[k - 1], &p2 = positions_[k], &p3 = positions_[k + 1];
    const double n = jd - p2.jd;
    const Interpolated alpha = Interpolate(p1.alpha, p2.alpha, p3.alpha, n);
    const Interpolated delta = Interpolate(p1.delta, p2.delta, p3.delta, n);
    const double sidereal = siderealAtEpoch_ + kSiderealDegreesPerDay * (jd - siderealEpoch_);
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
    JulianDay jd;
    int turn;  // +1 a maximum, −1 a minimum
};
void FindTurningPoints(const SkyTrack& track, JulianDay a, double ra, JulianDay b, double rb,
                       std::vector<TurningPoint>& turns) {
    if ((ra < 0.0) != (rb < 0.0)) {
        const JulianDay t = FindZero([&](JulianDay x) { return track.GuideAt(x).sinAltitudeRate; }, a, ra, b, rb,
                                     kTurningPointTolerance);
        turns.push_back({t, ra >= 0.0 ? 1 : -1});
        return;
    }
    if (std::fabs(ra) + std::fabs(rb) > track.CurvatureBound() * (b - a) || b - a < kFinestStep) return;
    const JulianDay middle = (a + b) / 2.0;
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

TrackSpan::TrackSpan(const SkyTrack& track, JulianDay from, JulianDay to) : track_(track) {
    // A span that is empty, or whose instants are too large to step through, has no points.
    if (!(from < to) || !(from + kFinestStep > from) || !std::isfinite(to)) return;
    std::vector<TurningPoint> turns;
    JulianDay a = from;
    double ra = track.GuideAt(a).sinAltitudeRate;
    while (a < to) {
        const JulianDay b = std::min(a + kScanStep, to);
        const double rb = track.GuideAt(b).sinAltitudeRate;
        FindTurningPoints(track, a, ra, b, rb, turns);
        a = b;
        ra = rb;
    }
    points_.push_back({from, track.GuideAt(from).sinAltitude, 0, std::nullopt});
    for (const TurningPoint& p : turns) points_.push_back({p.jd, track.GuideAt(p.jd).sinAltitude, p.turn, std::nullopt});
    points_.push_back({to, track.GuideAt(to).sinAltitude, 0, std::nullopt});
}

// Whether the model stands above altitude at the point. Where it only touches
// the altitude, a minimum counts as above and a maximum as below, so that a
// touch makes no crossing.
bool TrackSpan::Above(Point& point, double altitude) {
    const double difference = point.sinAltitude - std::sin(DegToRad(altitude));
    // |sin a − sin b| <= |a − b|: beyond the guide's error the guide tells.
    if (std::fabs(difference) > DegToRad(kGuideAltitudeError)) return difference > 0.0;
    if (!point.altitude) point.altitude = track_.Altitude(point.jd);
    if (*point.altitude == altitude) return point.turn < 0;
    return *point.altitude > altitude;
}

std::vector<CrossingBracket> TrackSpan::Brackets(double altitude) {
    std::vector<CrossingBracket> brackets;
    if (points_.empty()) return brackets;
    bool above = Above(points_.front(), altitude);
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const bool next = Above(points_[i], altitude);
        if (next != above) brackets.push_back({points_[i - 1].jd, points_[i].jd, next});
        above = next;
    }
    return brackets;
}

JulianDay GuideCrossing(const SkyTrack& track, double altitude, const CrossingBracket& bracket) {
    const double target = std::sin(DegToRad(altitude));
    auto f = [&](JulianDay t) { return track.GuideAt(t).sinAltitude - target; };
    const double flo = f(bracket.lo), fhi = f(bracket.hi);
    if ((flo < 0.0) == (fhi < 0.0)) return (bracket.lo + bracket.hi) / 2.0;
    return FindZero(f, bracket.lo, flo, bracket.hi, fhi);
}

CrossingEstimate EstimateCrossing(const SkyTrack& track, double altitude, JulianDay at, double altitudeAt) {
    const double rate = track.GuideAt(at).sinAltitudeRate;
    const double step = -(std::sin(DegToRad(altitudeAt)) - std::sin(DegToRad(altitude))) / rate;
    return {at + step, ErrorAfterStep(track, step, rate)};
}

// Newton's steps on the model's sin altitude with the guide's rate, kept within
// the bracket, which narrows with every evaluation; halving where a step
// would leave it.
JulianDay PolishCrossing(const SkyTrack& track, double altitude, CrossingBracket bracket, JulianDay start,
                         std::optional<double> altitudeAtStart) {
    const double target = std::sin(DegToRad(altitude));
    JulianDay t = std::clamp(start, bracket.lo, bracket.hi);
    for (int step = 0; step < kMaxSteps && bracket.hi - bracket.lo > kInstantTolerance; ++step) {
        const double h = step == 0 && altitudeAtStart ? *altitudeAtStart : track.Altitude(t);
        if ((h > altitude) == bracket.rising)
            bracket.hi = t;
        else
            bracket.lo = t;
        const double rate = track.GuideAt(t).sinAltitudeRate;
        if (rate != 0.0 && (rate > 0.0) == bracket.rising) {
            const double move = -(std::sin(DegToRad(h)) - target) / rate;
            const JulianDay next = t + move;
            if (next > bracket.lo && next < bracket.hi) {
                if (ErrorAfterStep(track, move, rate) < kInstantTolerance) return next;
                t = next;
                continue;
            }
        }
        t = (bracket.lo + bracket.hi) / 2.0;
    }
    return (bracket.lo + bracket.hi) / 2.0;
}

std::vector<Culmination> GuideCulminations(const SkyTrack& track, JulianDay from, JulianDay to) {
    std::vector<Culmination> found;
    const double first = track.GuideAt(from).hourAngle, last = track.GuideAt(to).hourAngle;
    // Two culminations a day and a little more; beyond that the span is no span.
    const double lowest = std::ceil(first / 180.0), count = std::floor(last / 180.0) - lowest + 1.0;
    if (!(count > 0.0) || count > 2.1 * (to - from) + 2.0 || !(lowest + count > lowest + count - 1.0)) return found;
    for (double k = lowest; k < lowest + count; ++k) {
        const double target = k * 180.0;
        JulianDay t = from + (target - first) / (last - first) * (to - from);
        for (int step = 0; step < kMaxSteps; ++step) {
            const SkyTrack::Guide guide = track.GuideAt(t);
            const double move = -(guide.hourAngle - target) / guide.hourAngleRate;
            t += move;
            if (std::fabs(move) < kGuideTolerance) break;
        }
        found.push_back({t, std::fmod(k, 2.0) == 0.0});
    }
    return found;
}

JulianDay PolishCulmination(const SkyTrack& track, const Culmination& guide) {
    const double target = guide.upper ? 0.0 : 180.0;
    JulianDay t = guide.universal;
    for (int step = 0; step < kMaxSteps; ++step) {
        const double offset = std::remainder(HoursToDeg(track.HourAngle(t)) - target, 360.0);
        const double move = -offset / track.GuideAt(t).hourAngleRate;
        t += move;
        if (std::fabs(move) * kGuideHourAngleRateError < kInstantTolerance) break;
    }
    return t;
}

}  // namespace helune
