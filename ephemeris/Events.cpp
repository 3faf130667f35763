// SPDX-License-Identifier: MIT
#include "Events.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "Almanac.h"
#include "Horizon.h"
#include "Positions.h"
#include "RootFinder.h"

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

// A tabulated method's event stands where it lies this near the model's, days.
constexpr double kSameEvent = 10.0 / 86400.0;
// How far a culmination's shift, estimated from the guide's rates, may stray
// from the model's own, days: the right ascension's acceleration over ΔT.
constexpr double kShiftError = 1.0 / 86400.0;

// Consecutive upper culminations are more than this apart, days: the Sun's hour
// angle turns at most 360.1° a day, the Moon's at most 350°.
constexpr double kShortestCulminationGap = 1.0 - 60.0 / 86400.0;
// Their mean spacing, days, from which a culmination next to another is sought.
constexpr double kSunCulminationGap = 1.0;
constexpr double kMoonCulminationGap = 1.0351;
// How far the spacing strays from the mean (the Moon's lunar day runs from about
// 24 h 38 min to 25 h 6 min), days.
constexpr double kCulminationGapSpread = 0.03;

// Within 30 centuries of J2000 the ecliptic latitudes stay below these bounds,
// degrees: the sums of the amplitudes of the Sun's latitude series, times the
// powers of tau, come to 0.0006°; those of table 47.B, 6.08°, times E² <= 1.07²,
// with the additive terms, to 7.0° for the Moon.
constexpr double kBoundedSpan = 30.0 * 36525.0;  // days
constexpr double kSunLatitudeBound = 0.001;
constexpr double kMoonLatitudeBound = 7.0;
// The body surely rises or sets within any 24 hours where, at every declination
// it reaches, its arcs above and below the standard altitude are both shorter
// than 340° of hour angle, 24 hours of the Moon's slowest: |cos H0| < cos 10°.
constexpr double kLongestArcCosine = 0.9848;

bool IsMoon(Row row) { return row == kMoonRow; }

double StandardAltitude(Row row) {
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

// What a crossing of the tabulated method looks for: rising or setting through
// an altitude of the body's centre.
struct TabulatedCrossing {
    bool rising;
    double altitude;
};

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

// Whether the Sun or the Moon surely rises or sets within any 24 hours at this
// latitude, from bounds alone: |δ| <= ε + |β|, and cos H0 is monotonic in δ.
bool SurelyRisesOrSets(Row row, double latitude, JulianDay J0) {
    if (std::fabs(J0 - kJ2000) > kBoundedSpan) return false;
    const double bound = MeanObliquity(J0) + (IsMoon(row) ? kMoonLatitudeBound : kSunLatitudeBound);
    for (double delta : {-bound, bound}) {
        const std::optional<double> cosH0 = CosineOfSetHourAngle(StandardAltitude(row), latitude, delta);
        if (!cosH0 || std::fabs(*cosH0) > kLongestArcCosine) return false;
    }
    return true;
}

double ApparentHourAngle(Row row, JulianDay jd, double longitude, double latitude) {
    if (IsMoon(row)) return CalcLuna(Quantity::HourAngle, kApparent, longitude, latitude, jd);
    return PlanetPosition(row, Quantity::HourAngle, kApparent, longitude, latitude, jd);
}

// The universal day that begins at J0, with the positions tabulated for it.
struct TabulatedDay {
    JulianDay J0;
    double siderealTime;  // Θ0 at J0, degrees
    double deltaT;        // days
    EquatorialPosition before, at, after;
};

// The day's positions at J0 + ΔT − 1, + 0 and + 1 (dynamical time), their right
// ascensions carried across 0h so that the interpolation does not jump.
TabulatedDay TabulatedDayOf(JulianDay J0, double deltaT, EquatorialPosition before, EquatorialPosition at,
                            EquatorialPosition after) {
    TabulatedDay day{J0, 15.0 * SiderealTime(J0), deltaT, before, at, after};
    if (day.before.alpha > 300.0 && day.at.alpha < 60.0) {
        day.at.alpha += 360.0;
        day.after.alpha += 360.0;
    }
    if (day.at.alpha > 300.0 && day.after.alpha < 60.0) day.after.alpha += 360.0;
    return day;
}

TabulatedDay Tabulate(Row row, JulianDay J0) {
    const DynamicalTime Je = ToDynamical(UniversalTime{J0});
    const Days day{1.0};
    return TabulatedDayOf(J0, Je.jd - J0, EquatorialAt(row, Je - day), EquatorialAt(row, Je), EquatorialAt(row, Je + day));
}

// Interpolation in three tabulated values a day apart, n days from the middle one.
double Interpolate(double y1, double y2, double y3, double n) {
    return y2 + n * ((y3 - y1) + n * (y1 + y3 - 2.0 * y2)) / 2.0;
}

// The fraction of the universal day at which the body crosses the altitude:
// the estimate from the hour angle H0, reduced into [0, 1], then `corrections`
// steps on the altitude error, stopping early once a step is below `converged`
// days. Nothing when the body does not reach the altitude or a step would
// divide by zero.
std::optional<double> CrossingOfDay(const TabulatedCrossing& crossing, const TabulatedDay& day, double longitude, double latitude,
                                     int corrections, double converged) {
    const std::optional<double> cosH0 = CosineOfSetHourAngle(crossing.altitude, latitude, day.at.delta);
    if (!cosH0) return std::nullopt;
    const double H0 = RadToDeg(std::acos(*cosH0)) / 360.0;
    const double m0 = ReduceAngle((day.at.alpha + longitude - day.siderealTime) / 360.0, 1.0);
    double m = ReduceAngle(crossing.rising ? m0 - H0 : m0 + H0, 1.0);

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

// The transit search of RefineTransit: the universal instant at which it
// converged, or nothing.
std::optional<JulianDay> ConvergedTransit(Row row, JulianDay jdNoon, double longitude, double latitude, double z) {
    JulianDay g = UniversalOfLocal(jdNoon, z).jd;
    for (int evaluation = 0; evaluation < kTransitEvaluations; ++evaluation) {
        double H = ApparentHourAngle(row, g, longitude, latitude);
        if (H > 12.0) H -= 24.0;
        if (std::fabs(H) < kTransitConverged) return g;
        g -= H / 24.0;
    }
    return std::nullopt;
}

// RefineTransit's local clock time of the transit found at the universal instant
// `found`, or −1 where the transit belongs to another date.
double TransitOnDate(Row row, JulianDay found, JulianDay jdNoon, double longitude, double latitude, double z) {
    const JulianDay g = LocalJulianDay(UniversalTime{found}, z);
    const double t = ReduceAngle((g - std::floor(g)) * 24.0 + 12.0, 24.0);
    // The transit found may belong to the day before or after; at the instant
    // found itself the check is known to pass.
    const JulianDay onDate = UniversalOfLocal(jdNoon - 0.5 + t / 24.0, z).jd;
    if (std::fabs(onDate - found) <= kSameInstant) return t;
    double H2 = ApparentHourAngle(row, onDate, longitude, latitude);
    if (H2 > 12.0) H2 = 24.0 - H2;
    return H2 < kTransitOnDate ? t : -1.0;
}

// The model's upper culmination near the instant guess, within the spread of
// the culminations' spacing: the secant's steps on the hour angle, from its
// mean rate.
JulianDay CulminationNear(const SkyTrack& track, Row row, JulianDay guess) {
    const auto offset = [&](double t) { return std::remainder(HoursToDeg(track.HourAngle(UniversalTime{t})), 360.0); };
    const double rate = 360.0 / (IsMoon(row) ? kMoonCulminationGap : kSunCulminationGap);  // degrees a day
    const double reach = 2.0 * kCulminationGapSpread;
    return FindRoot(offset, SecantRate(rate), Bracket{guess - reach, guess + reach, true}, guess, kInstantTolerance).at;
}

// One body's sky on one local date: the tabulated days of its rising and
// setting, the guide's positions, the model's search over the date, each made
// when first needed and shared by the events asked.
class LocalDate {
public:
    // transitAlways: the transit also on a date on which the body neither rises nor sets.
    LocalDate(Row row, double z, double longitude, double latitude, JulianDay jd, bool transitAlways = false)
        : row_(row),
          z_(z),
          longitude_(longitude),
          latitude_(latitude),
          transitAlways_(transitAlways),
          J0_(std::nearbyint(LocalJulianDay(UniversalTime{jd}, z)) - 0.5),
          U0_(UniversalOfLocal(J0_, z).jd) {}

    // The universal instant at which the date begins.
    JulianDay Start() const { return U0_; }

    double Event(int16_t event) {
        if (IsTwilight(event)) return Twilight(event);
        if (event == kTransit) return Transit();
        return RisingOrSetting(event == kRising);
    }

private:
    // The Sun's tabulated day J0; for the Moon, J0 − 1, J0 and J0 + 1, which
    // share their positions and the ΔT of J0 (from one day to the next ΔT moves
    // by under a tenth of a second, the Moon by a twentieth of an arc second in
    // that time).
    void TabulateDays() {
        if (!days_.empty()) return;
        const DynamicalTime Je = ToDynamical(UniversalTime{J0_});
        const int reach = IsMoon(row_) ? 2 : 1;
        std::vector<EquatorialPosition> at;
        for (int k = -reach; k <= reach; ++k) at.push_back(EquatorialAt(row_, Je + Days{static_cast<double>(k)}));
        for (int offset = 1 - reach; offset <= reach - 1; ++offset) {
            const auto i = static_cast<std::size_t>(offset + reach);
            days_.push_back(TabulatedDayOf(J0_ + offset, Je.jd - J0_, at[i - 1], at[i], at[i + 1]));
        }
        // The guide's: each universal day's position at its dynamical time.
        for (std::size_t i = 0; i < at.size(); ++i)
            positions_.push_back({UniversalTime{J0_ + static_cast<double>(i) - reach}, at[i].alpha, at[i].delta});
        MakeContinuous(positions_);
        track_.emplace(row_, longitude_, latitude_, positions_);
    }

    const SkyTrack& Track() {
        TabulateDays();
        return *track_;
    }

    TrackSpan& Span() {
        if (!span_) span_.emplace(Track(), UniversalTime{U0_}, UniversalTime{U0_ + 1.0});
        return *span_;
    }

    double LocalHours(JulianDay universal) const { return (universal - U0_) * 24.0; }

    // The earliest crossing of the kind in the date, bracketed.
    std::optional<CrossingBracket> FirstBracket(double altitude, bool rising) {
        for (const CrossingBracket& b : Span().Brackets(altitude))
            if (b.rising == rising) return b;
        return std::nullopt;
    }

    // An event of the tabulated method: its clock time, its universal instant,
    // and the model's altitude there where it is known.
    struct Tabulated {
        double hours;
        JulianDay universal;
        std::optional<double> altitude;
    };

    // The tabulated method's event where it lies within kSameEvent of the
    // model's crossing in the bracket, the model's crossing otherwise; −1 when
    // that falls after the date. One evaluation of the model at the tabulated
    // instant tells, with the error of a step from there, in most cases.
    double Decide(double altitude, const CrossingBracket& bracket, const std::optional<Tabulated>& tabulated) {
        std::optional<UniversalTime> start;
        const UniversalTime table{tabulated ? tabulated->universal : 0.0};
        if (tabulated && table >= bracket.lo && table <= bracket.hi) {
            const double there = tabulated->altitude ? *tabulated->altitude : Track().Altitude(table);
            const CrossingEstimate estimate = EstimateCrossing(Track(), altitude, table, there);
            if (estimate.instant >= bracket.lo && estimate.instant <= bracket.hi) {
                if (std::fabs((estimate.instant - table).count) + estimate.error.count <= kSameEvent)
                    return tabulated->hours;
                start = estimate.instant;
            }
        }
        if (!start) start = GuideCrossing(Track(), altitude, bracket);
        const JulianDay model = PolishCrossing(Track(), altitude, bracket, *start).at.jd;
        if (model >= U0_ + 1.0) return -1.0;
        if (tabulated && std::fabs(model - tabulated->universal) <= kSameEvent) return tabulated->hours;
        return LocalHours(model);
    }

    double RisingOrSetting(bool rising) {
        const double altitude = StandardAltitude(row_);
        TabulateDays();
        const std::optional<CrossingBracket> bracket = FirstBracket(altitude, rising);
        if (!bracket) return -1.0;
        if (IsMoon(row_)) return Decide(altitude, *bracket, MoonRule(rising));
        // The Sun's crossing of the universal day J0, its clock time reduced to
        // [0, 24]: it stands for the local date's only where it falls on it.
        const std::optional<double> m =
            CrossingOfDay({rising, altitude}, days_.front(), longitude_, latitude_, 1, 0.0);
        if (!m) return Decide(altitude, *bracket, std::nullopt);
        const double hours = ReduceAngle(24.0 * *m - z_ / 15.0, 24.0);
        return Decide(altitude, *bracket, Tabulated{hours, U0_ + hours / 24.0, std::nullopt});
    }

    // The rule of CheckMoonEventDay: the earliest of the crossings of the three
    // universal days around the date that falls in the date with the Moon then
    // within 1° of the horizon.
    std::optional<Tabulated> MoonRule(bool rising) {
        std::optional<Tabulated> earliest;
        for (const TabulatedDay& day : days_) {
            const std::optional<double> m = CrossingOfDay({rising, kMoonStandardAltitude}, day, longitude_, latitude_,
                                                          kMoonCorrections, kMoonConverged);
            if (!m) continue;
            const JulianDay instant = day.J0 + *m;
            const double t = LocalHours(instant);
            if (t < 0.0 || t >= 24.0 || (earliest && t >= earliest->hours)) continue;
            const double altitude = Track().Altitude(UniversalTime{instant});
            if (std::fabs(altitude) < kMoonAtHorizon) earliest = Tabulated{t, instant, altitude};
        }
        return earliest;
    }

    double Twilight(int16_t event) {
        const double altitude = TwilightAltitude(event);
        const std::optional<CrossingBracket> bracket = FirstBracket(altitude, IsDawn(event));
        if (!bracket) return -1.0;
        const JulianDay model = PolishCrossing(Track(), altitude, *bracket, GuideCrossing(Track(), altitude, *bracket)).at.jd;
        return model < U0_ + 1.0 ? LocalHours(model) : -1.0;
    }

    bool RisesOrSets() {
        return SurelyRisesOrSets(row_, latitude_, J0_) || !Span().Brackets(StandardAltitude(row_)).empty();
    }

    // RefineTransit's transit where it falls on the date and no other comes
    // before it on the date; the model's earliest otherwise, sought next to the
    // transit the search converged on.
    double Transit() {
        if (!transitAlways_ && !RisesOrSets()) return -1.0;
        const JulianDay noon = J0_ + 0.5;
        const std::optional<JulianDay> found = ConvergedTransit(row_, noon, longitude_, latitude_, z_);
        if (found) {
            const double hours = TransitOnDate(row_, *found, noon, longitude_, latitude_, z_);
            const JulianDay near = *found + ModelShift(*found);
            if (hours >= 0.0 && *found - U0_ < kShortestCulminationGap &&
                std::fabs(near - *found) + kShiftError <= kSameEvent)
                return hours;
            const std::optional<JulianDay> model = ModelTransit(near, true);
            if (!model) return -1.0;
            return hours >= 0.0 && std::fabs(*model - *found) <= kSameEvent ? hours : LocalHours(*model);
        }
        const std::optional<JulianDay> model = ModelTransit(UniversalOfLocal(noon, z_).jd, false);
        return model ? LocalHours(*model) : -1.0;
    }

    // How far the model's culmination lies from one found with the universal
    // instant taken as the theories' time, days: the body moves on in right
    // ascension for ΔT more, at the guide's rates.
    double ModelShift(JulianDay found) {
        const UniversalTime at{found};
        const SkyTrack::Guide guide = Track().GuideAt(at);
        const double rightAscensionRate = kSiderealDegreesPerDay - guide.hourAngleRate;
        return rightAscensionRate * (ToDynamical(at).jd - found) / guide.hourAngleRate;
    }

    // The earliest upper culmination of the model in the date, among the one
    // near `near` (at it, polished, where culminates says the model culminates
    // there) and those next to it.
    std::optional<JulianDay> ModelTransit(JulianDay near, bool culminates) {
        const double gap = IsMoon(row_) ? kMoonCulminationGap : kSunCulminationGap;
        for (int k = -1; k <= 1; ++k) {
            const JulianDay guess = near + k * gap;
            if (guess < U0_ - kCulminationGapSpread || guess >= U0_ + 1.0 + kCulminationGapSpread) continue;
            const JulianDay t = k == 0 && culminates
                                    ? PolishCulmination(Track(), {UniversalTime{near}, true}).at.jd
                                    : CulminationNear(Track(), row_, guess);
            if (t >= U0_ && t < U0_ + 1.0) return t;
        }
        return std::nullopt;
    }

    Row row_;
    double z_, longitude_, latitude_;
    bool transitAlways_;
    JulianDay J0_, U0_;
    std::vector<TabulatedDay> days_;
    std::vector<TabulatedPosition> positions_;
    std::optional<SkyTrack> track_;
    std::optional<TrackSpan> span_;
};

bool Serves(Row row, int16_t event) {
    if (event < kTransit || event > kAstronomicalDusk) return false;
    if (!IsMoon(row) && !HasHeliocentricSeries(row)) return false;
    return !IsTwilight(event) || row == kEarthRow;
}

// The tabulated method alone on the universal day J0, the Moon's rising and
// setting without the local-date rule.
double UncheckedMoonEvent(int16_t event, double z, double longitude, double latitude, JulianDay jd) {
    const JulianDay J0 = std::nearbyint(LocalJulianDay(UniversalTime{jd}, z)) - 0.5;
    const std::optional<double> m = CrossingOfDay({event == kRising, kMoonStandardAltitude}, Tabulate(kMoonRow, J0),
                                                  longitude, latitude, 1, 0.0);
    if (!m) return -1.0;
    return ReduceAngle(24.0 * *m - z / 15.0, 24.0);
}

}  // namespace

double CalcEventTime(Row body, int16_t event, double z, double longitude, double latitude, JulianDay jd,
                     MoonDate moonDate) {
    if (moonDate == MoonDate::Unchecked && IsMoon(body) && (event == kRising || event == kSetting))
        return UncheckedMoonEvent(event, z, longitude, latitude, jd);
    double time = 0.0;
    CalcEventTimes(body, std::span<const int16_t>(&event, 1), z, longitude, latitude, jd, std::span<double>(&time, 1));
    return time;
}

void CalcEventTimes(Row body, std::span<const int16_t> events, double z, double longitude, double latitude,
                    JulianDay jd, std::span<double> times) {
    LocalDate date(body, z, longitude, latitude, jd);
    for (std::size_t i = 0; i < events.size() && i < times.size(); ++i)
        times[i] = Serves(body, events[i]) ? date.Event(events[i]) : 0.0;
}

DateEvents EventsOnDate(SunOrMoon body, JulianDay localMidnight, double zone, double longitude, double latitude,
                        unsigned flags) {
    const UniversalTime noon = UniversalOfLocal(localMidnight + 0.5, zone);
    if (!(noon >= kFirstInstant && noon < kEndInstant)) return {};
    const Row row = body == SunOrMoon::Sun ? kEarthRow : kMoonRow;
    LocalDate date(row, zone, longitude, latitude, noon.jd, flags & kTransitAlways);
    auto instant = [&](double hours) {
        return hours >= 0.0 ? std::optional<UniversalTime>(UniversalTime{date.Start() + hours / 24.0}) : std::nullopt;
    };
    return {instant(date.Event(kRising)), instant(date.Event(kTransit)), instant(date.Event(kSetting))};
}

double RefineTransit(Row body, JulianDay jdNoon, double longitude, double latitude, double z) {
    const std::optional<JulianDay> found = ConvergedTransit(body, jdNoon, longitude, latitude, z);
    if (!found) return -1.0;
    return TransitOnDate(body, *found, jdNoon, longitude, latitude, z);
}

double CheckMoonEventDay(int16_t event, JulianDay jdNoon, double longitude, double latitude, double z) {
    return CalcEventTime(kMoonRow, event, z, longitude, latitude, UniversalOfLocal(jdNoon, z).jd);
}

}  // namespace helune
