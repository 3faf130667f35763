#include "Events.h"

#include <cmath>
#include <cstdlib>
#include <optional>

#include "Positions.h"

namespace helune {

namespace {

// The flags of the hour angles and altitudes that place an event: every correction.
constexpr int16_t kApparent = efLightTime | efAberration | efFK5 | efNutation;

// Sidereal degrees per solar day in the interpolation of an event.
constexpr double kSiderealRate = 360.985647;

// The transit search: evaluations of the hour angle, and the hour angles (hours)
// at which it stops and at which its instant is confirmed on the date.
constexpr int kTransitEvaluations = 20;
constexpr double kTransitConverged = 1e-6;
constexpr double kTransitOnDate = 1e-5;
// An hour angle changes by less than 26 hours a day (24.07 sidereal, and the
// Moon's right ascension), so within this many days of the instant at which
// the search converged it stays below kTransitOnDate.
constexpr double kSameInstant = 1e-7;
static_assert(kTransitConverged + 26.0 * kSameInstant < kTransitOnDate);

// The Moon's crossings: corrections of the day fraction and when they stop (days),
// and how near the horizon (degrees) the Moon must stand at a counted crossing.
constexpr int kMoonCorrections = 10;
constexpr double kMoonConverged = 1e-6;
constexpr double kMoonAtHorizon = 1.0;
// The Sun's dawn and dusk: corrections of the day fraction and when they stop (days).
constexpr int kTwilightCorrections = 10;
constexpr double kTwilightConverged = 1e-6;

// Within 30 centuries of J2000 the ecliptic latitudes stay below these bounds,
// degrees: the sums of the amplitudes of the Sun's latitude series, times the
// powers of tau, come to 0.0006°; those of table 47.B, 6.08°, times E² <= 1.07²,
// with the additive terms, to 7.0° for the Moon.
constexpr double kBoundedSpan = 30.0 * 36525.0;  // days
constexpr double kSunLatitudeBound = 0.001;
constexpr double kMoonLatitudeBound = 7.0;
// Keeps a computed cos H0 clear of ±1 where the bounds put it inside.
constexpr double kBoundMargin = 0.01;  // degrees

bool IsMoon(int row) { return row == kMoonRow; }

double StandardAltitude(int row) {
    if (row == kEarthRow) return kSunStandardAltitude;
    if (IsMoon(row)) return kMoonStandardAltitude;
    return kStarStandardAltitude;
}

bool IsTwilight(int16_t event) { return event >= kCivilDawn && event <= kAstronomicalDusk; }

bool IsDawn(int16_t event) { return (event - kCivilDawn) % 2 == 0; }

double TwilightAltitude(int16_t event) {
    if (event <= kCivilDusk) return kCivilTwilightAltitude;
    if (event <= kNauticalDusk) return kNauticalTwilightAltitude;
    return kAstronomicalTwilightAltitude;
}

// What a crossing looks for: rising or setting through an altitude of the body's
// centre; with solarDayCentre, the crossing of the solar day centred on that
// day fraction, instead of the first estimate reduced to the universal day.
struct Crossing {
    bool rising;
    double altitude;
    std::optional<double> solarDayCentre;
};

// Whether the Sun or the Moon surely reaches its standard altitude h0 on the
// day of J0 at this latitude, from bounds alone. cos H0 lies within [−1, 1]
// while |φ| + |δ| <= 90° − |h0|, and |δ| <= ε + |β|.
bool SurelyCrosses(int row, double latitude, JulianDay J0) {
    if (std::fabs(J0 - kJ2000) > kBoundedSpan) return false;
    const double declinationBound = MeanObliquity(J0) + (IsMoon(row) ? kMoonLatitudeBound : kSunLatitudeBound);
    return std::fabs(latitude) + declinationBound < 90.0 - std::fabs(StandardAltitude(row)) - kBoundMargin;
}

// Right ascension and declination without corrections (flags 0), from one
// ecliptic position and one transform.
EquatorialPosition EquatorialAt(int row, JulianDay jd) {
    const auto body = static_cast<int16_t>(row);
    const EclipticPosition p =
        IsMoon(row) ? LunaEcliptic(0, jd) : PlanetEcliptic(body, 0, jd, 0.0, PositionParts::Direction);
    return EquatorialOf(p.lambda, p.beta, MeanObliquity(jd));
}

double ApparentHourAngle(int row, JulianDay jd, double longitude, double latitude) {
    if (IsMoon(row)) return CalcLuna(13, kApparent, longitude, latitude, jd);
    return PlanetPosition(static_cast<int16_t>(row), 13, kApparent, longitude, latitude, jd);
}

// cos H0, the cosine of the hour angle at which the body's centre stands at
// altitude, or nothing when the body never reaches that altitude.
std::optional<double> CosineOfSetHourAngle(double altitude, double latitude, double delta) {
    const double phi = DegToRad(latitude);
    const double d = DegToRad(delta);
    const double D = std::cos(phi) * std::cos(d);
    if (D == 0.0) return std::nullopt;
    const double cosH0 = (std::sin(DegToRad(altitude)) - std::sin(phi) * std::sin(d)) / D;
    if (cosH0 < -1.0 || cosH0 > 1.0) return std::nullopt;
    return cosH0;
}

// The universal day that begins at J0, with the positions tabulated for it.
struct TabulatedDay {
    JulianDay J0;
    double siderealTime;  // Θ0 at J0, degrees
    double deltaT;        // days
    EquatorialPosition before, at, after;
};

TabulatedDay Tabulate(int row, JulianDay J0) {
    TabulatedDay day{J0, 15.0 * SiderealTime(J0), DeltaT(J0) / 86400.0, {}, {}, {}};
    const JulianDay Je = J0 + day.deltaT;
    day.before = EquatorialAt(row, Je - 1.0);
    day.at = EquatorialAt(row, Je);
    day.after = EquatorialAt(row, Je + 1.0);
    // Carry the right ascension across 0h so the interpolation does not jump.
    if (day.before.alpha > 300.0 && day.at.alpha < 60.0) {
        day.at.alpha += 360.0;
        day.after.alpha += 360.0;
    }
    if (day.at.alpha > 300.0 && day.after.alpha < 60.0) day.after.alpha += 360.0;
    return day;
}

// Interpolation in three tabulated values a day apart, n days from the middle one.
double Interpolate(double y1, double y2, double y3, double n) {
    return y2 + n * ((y3 - y1) + n * (y1 + y3 - 2.0 * y2)) / 2.0;
}

// The fraction of the day at which the body crosses the altitude: the estimate
// from the hour angle H0, then `corrections` steps on the altitude error,
// stopping early once a step is below `converged` days. Nothing when the body
// does not reach the altitude or a step would divide by zero.
std::optional<double> CrossingOfDay(const Crossing& crossing, const TabulatedDay& day, double longitude, double latitude,
                                     int corrections, double converged) {
    const std::optional<double> cosH0 = CosineOfSetHourAngle(crossing.altitude, latitude, day.at.delta);
    if (!cosH0) return std::nullopt;
    const double H0 = RadToDeg(std::acos(*cosH0)) / 360.0;
    double m0 = ReduceAngle((day.at.alpha + longitude - day.siderealTime) / 360.0, 1.0);
    double m = 0.0;
    if (crossing.solarDayCentre) {
        m0 += std::nearbyint(*crossing.solarDayCentre - m0);
        m = crossing.rising ? m0 - H0 : m0 + H0;
    } else {
        m = ReduceAngle(crossing.rising ? m0 - H0 : m0 + H0, 1.0);
    }

    const double phi = DegToRad(latitude);
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    const double h0 = crossing.altitude;
    for (int step = 0; step < corrections; ++step) {
        const double n = m + day.deltaT;
        const double theta = ReduceAngle(day.siderealTime + kSiderealRate * m, 360.0);
        const double alpha = Interpolate(day.before.alpha, day.at.alpha, day.after.alpha, n);
        const double delta = DegToRad(Interpolate(day.before.delta, day.at.delta, day.after.delta, n));
        const double H = DegToRad(ReduceAngle(theta - longitude - alpha, 360.0));
        const double cosDelta = std::cos(delta);
        const double h = RadToDeg(std::asin(sinPhi * std::sin(delta) + cosPhi * cosDelta * std::cos(H)));
        const double divisor = 360.0 * cosDelta * cosPhi * std::sin(H);
        if (divisor == 0.0) return std::nullopt;
        const double correction = (h - h0) / divisor;
        m += correction;
        if (std::fabs(correction) < converged) break;
    }
    return m;
}

}  // namespace

double CalcEventTime(int16_t body, int16_t event, double z, double longitude, double latitude, JulianDay jd) {
    if (event < kTransit || event > kAstronomicalDusk) return 0.0;
    const bool checkMoonDay = body >= 0;
    const int row = std::abs(static_cast<int>(body));
    if (!IsMoon(row) && !HasHeliocentricSeries(static_cast<int16_t>(row))) return 0.0;
    if (IsTwilight(event) && row != kEarthRow) return 0.0;

    // Midnight (UT) that begins the local date whose noon is nearest.
    const JulianDay J0 = std::nearbyint(jd - z / 360.0) - 0.5;
    if (IsTwilight(event)) {
        // The local date's noon, as a fraction of the universal day J0.
        const Crossing twilight{IsDawn(event), TwilightAltitude(event), 0.5 + z / 360.0};
        const std::optional<double> m = CrossingOfDay(twilight, Tabulate(row, J0), longitude, latitude,
                                                      kTwilightCorrections, kTwilightConverged);
        if (!m) return -1.0;
        return ReduceAngle(24.0 * *m - z / 15.0, 24.0);
    }
    if (IsMoon(row) && checkMoonDay && event != kTransit)
        return CheckMoonEventDay(event, J0 + 0.5, longitude, latitude, z);

    if (event == kTransit) {
        // A body that never reaches its standard altitude on the date has no transit
        // reported either; only near the poles does it take the body's position to tell.
        if (!SurelyCrosses(row, latitude, J0)) {
            const EquatorialPosition at = EquatorialAt(row, J0 + DeltaT(J0) / 86400.0);
            if (!CosineOfSetHourAngle(StandardAltitude(row), latitude, at.delta)) return -1.0;
        }
        return RefineTransit(static_cast<int16_t>(row), J0 + 0.5, longitude, latitude, z);
    }
    const Crossing standard{event == kRising, StandardAltitude(row), std::nullopt};
    const std::optional<double> m = CrossingOfDay(standard, Tabulate(row, J0), longitude, latitude, 1, 0.0);
    if (!m) return -1.0;
    return ReduceAngle(24.0 * *m - z / 15.0, 24.0);
}

double RefineTransit(int16_t body, JulianDay jdNoon, double longitude, double latitude, double z) {
    JulianDay g = jdNoon + z / 360.0;
    bool converged = false;
    for (int evaluation = 0; evaluation < kTransitEvaluations && !converged; ++evaluation) {
        double H = ApparentHourAngle(body, g, longitude, latitude);
        if (H > 12.0) H -= 24.0;
        converged = std::fabs(H) < kTransitConverged;
        if (!converged) g -= H / 24.0;
    }
    if (!converged) return -1.0;

    const JulianDay found = g;
    g -= z / 360.0;
    const double t = ReduceAngle((g - std::floor(g)) * 24.0 + 12.0, 24.0);
    // The transit found may belong to the day before or after; at the instant
    // found itself the check is known to pass.
    const JulianDay onDate = jdNoon - 0.5 + t / 24.0 + z / 360.0;
    if (std::fabs(onDate - found) <= kSameInstant) return t;
    double H2 = ApparentHourAngle(body, onDate, longitude, latitude);
    if (H2 > 12.0) H2 = 24.0 - H2;
    return H2 < kTransitOnDate ? t : -1.0;
}

// The Moon's events come about 50 minutes later each day, so the universal day
// that bears the local date's number can hold the event of the local day before
// or after, or none at all. The crossings of the three universal days around the
// date are computed and the first that falls inside the local date is taken.
double CheckMoonEventDay(int16_t event, JulianDay jdNoon, double longitude, double latitude, double z) {
    const JulianDay localMidnight = jdNoon - 0.5 + z / 360.0;  // in UT
    double earliest = -1.0;
    for (int offset = -1; offset <= 1; ++offset) {
        const TabulatedDay day = Tabulate(kMoonRow, jdNoon - 0.5 + offset);
        const Crossing standard{event == kRising, kMoonStandardAltitude, std::nullopt};
        const std::optional<double> m =
            CrossingOfDay(standard, day, longitude, latitude, kMoonCorrections, kMoonConverged);
        if (!m) continue;
        const JulianDay instant = day.J0 + *m;
        const double t = (instant - localMidnight) * 24.0;
        if (t < 0.0 || t >= 24.0 || (earliest >= 0.0 && t >= earliest)) continue;
        if (std::fabs(CalcLuna(16, kApparent, longitude, latitude, instant)) < kMoonAtHorizon) earliest = t;
    }
    return earliest;
}

}  // namespace helune
