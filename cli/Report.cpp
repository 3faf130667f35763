#include "Report.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Almanac.h"
#include "Efemerides.h"
#include "Events.h"

namespace helune::cli {

namespace {

constexpr double kDegreesOfZonePerDay = 360.0;
// The last new moon before any instant lies at most a lunation and a half back.
constexpr int kNewMoonLookBackDays = 45;

// Why the Sun does not cross the threshold on the date: it stays above it
// through the lower culmination, or below it through the upper one.
std::string SunReason(const Observer& observer, const SunThreshold& threshold, JulianDay noon, double zone) {
    auto sunAltitude = [&](JulianDay jd) {
        return CalcEfemeride(kBodySun, kQuantityAltitude, 0, jd, observer.LongitudeWest(), observer.Latitude(), zone);
    };
    if (sunAltitude(noon) < threshold.altitude) return threshold.staysBelow;
    if (std::min(sunAltitude(noon - 0.5), sunAltitude(noon + 0.5)) > threshold.altitude) return threshold.staysAbove;
    return kNoEvent;
}

// The clock hours of every reported event of the date of noon, each body's
// asked of the engine together.
std::vector<double> EventHours(const Observer& observer, JulianDay noon, double zone) {
    const std::vector<EventKind>& kinds = ReportedEvents();
    std::vector<double> hours(kinds.size());
    for (const int16_t body : {kBodySun, kBodyMoon}) {
        std::vector<int16_t> quantities;
        std::vector<std::size_t> at;
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            if (kinds[i].body != body) continue;
            quantities.push_back(kinds[i].quantity);
            at.push_back(i);
        }
        std::vector<double> values(quantities.size());
        CalcEfemerides(body, quantities, 0, noon, observer.LongitudeWest(), observer.Latitude(), zone, values);
        for (std::size_t k = 0; k < at.size(); ++k) hours[at[k]] = values[k];
    }
    return hours;
}

double MoonAge(const std::vector<PhaseInstant>& newMoons, JulianDay universal) {
    double age = NAN;
    for (const PhaseInstant& p : newMoons)
        if (p.code == kNewMoon && p.universal <= universal) age = universal - p.universal;
    return age;
}

}  // namespace

const std::vector<EventKind>& ReportedEvents() {
    static constexpr SunThreshold kHorizon{kSunStandardAltitude, kPolarDay, kPolarNight};
    static constexpr SunThreshold kCivil{kCivilTwilightAltitude, "sun stays above -6°", "sun stays below -6°"};
    static constexpr SunThreshold kNautical{kNauticalTwilightAltitude, "sun stays above -12°", "sun stays below -12°"};
    static constexpr SunThreshold kAstronomical{kAstronomicalTwilightAltitude, "sun stays above -18°",
                                                "sun stays below -18°"};
    static const std::vector<EventKind> kEvents = {
        {"sunrise", "Sunrise", kBodySun, kQuantityRising, kHorizon},
        {"solar_noon", "Noon", kBodySun, kQuantityTransit, std::nullopt},
        {"sunset", "Sunset", kBodySun, kQuantitySetting, kHorizon},
        {"moonrise", "Moonrise", kBodyMoon, kQuantityRising, std::nullopt},
        {"moon_transit", "Transit", kBodyMoon, kQuantityTransit, std::nullopt},
        {"moonset", "Moonset", kBodyMoon, kQuantitySetting, std::nullopt},
        {"civil_dawn", "Civil dawn", kBodySun, kQuantityCivilDawn, kCivil},
        {"civil_dusk", "Civil dusk", kBodySun, kQuantityCivilDusk, kCivil},
        {"nautical_dawn", "Nautical dawn", kBodySun, kQuantityNauticalDawn, kNautical},
        {"nautical_dusk", "Nautical dusk", kBodySun, kQuantityNauticalDusk, kNautical},
        {"astronomical_dawn", "Astro. dawn", kBodySun, kQuantityAstronomicalDawn, kAstronomical},
        {"astronomical_dusk", "Astro. dusk", kBodySun, kQuantityAstronomicalDusk, kAstronomical},
    };
    return kEvents;
}

std::vector<PhaseInstant> PhasesBetween(JulianDay from, JulianDay to) {
    std::vector<PhaseInstant> phases;
    for (const PrincipalPhase& p : FindPhases(from, to)) phases.push_back({p.code, p.universal});
    return phases;
}

DayReport ComputeDay(const Observer& observer, QDate date, const std::vector<PhaseInstant>& newMoons,
                     bool withChartPhases) {
    const double zone = observer.ZoneOn(date);
    const auto day = static_cast<int16_t>(date.day()), month = static_cast<int16_t>(date.month()),
               year = static_cast<int16_t>(date.year());
    const JulianDay noon = JulianDayFromDate(day, month, year, 12, 0);
    const std::vector<EventKind>& kinds = ReportedEvents();
    const std::vector<double> hours = EventHours(observer, noon, zone);
    auto hoursOf = [&](int16_t body, int16_t quantity) {
        for (std::size_t i = 0; i < kinds.size(); ++i)
            if (kinds[i].body == body && kinds[i].quantity == quantity) return hours[i];
        return -1.0;
    };
    DayReport report{date,
                     zone,
                     {day, month, year, observer.LongitudeWest(), observer.Latitude(), zone,
                      hoursOf(kBodySun, kQuantityRising), hoursOf(kBodySun, kQuantitySetting),
                      hoursOf(kBodySun, kQuantityTransit), hoursOf(kBodyMoon, kQuantityRising),
                      hoursOf(kBodyMoon, kQuantitySetting), hoursOf(kBodyMoon, kQuantityTransit), {}},
                     {},
                     0.0,
                     0.0};
    if (withChartPhases) report.facts.phases = FindChartPhases(day, month, year, zone);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (hours[i] >= 0.0)
            report.events.push_back({hours[i], {}});
        else
            report.events.push_back(
                {std::nullopt, kinds[i].threshold ? SunReason(observer, *kinds[i].threshold, noon, zone) : kNoEvent});
    }
    const double elongation =
        CalcEfemeride(kBodyMoon, kQuantityElongation, 0, noon, observer.LongitudeWest(), observer.Latitude(), zone);
    report.illuminatedFraction = (1.0 - std::cos(elongation * std::numbers::pi / 180.0)) / 2.0;
    report.moonAgeDays = MoonAge(newMoons, noon + zone / kDegreesOfZonePerDay);
    return report;
}

DayReport ComputeDay(const Observer& observer, QDate date) {
    const JulianDay midnight = LocalMidnight(date);
    return ComputeDay(observer, date, PhasesBetween(midnight - kNewMoonLookBackDays, midnight + 1.0), true);
}

std::vector<DayReport> ComputeRange(const Observer& observer, QDate first, QDate last) {
    const std::vector<PhaseInstant> phases =
        PhasesBetween(LocalMidnight(first) - kNewMoonLookBackDays, LocalMidnight(last) + 1.0);
    std::vector<DayReport> reports;
    for (QDate date = first; date <= last; date = date.addDays(1))
        reports.push_back(ComputeDay(observer, date, phases, false));
    return reports;
}

JulianDay LocalMidnight(QDate date) {
    return JulianDayFromDate(static_cast<int16_t>(date.day()), static_cast<int16_t>(date.month()),
                             static_cast<int16_t>(date.year()), 0, 0);
}

QDateTime LocalDateTime(QDate date, double hours, double zone) {
    const ClockTime t = ClockOf(hours);
    const QDateTime midnight(date, QTime(0, 0), Qt::OffsetFromUTC, OffsetMinutes(zone) * 60);
    return midnight.addSecs(t.hour * 3600LL + t.minute * 60LL + t.second);
}

JulianDay UniversalInstant(QDate date, double hours, double zone) {
    return LocalMidnight(date) + hours / 24.0 + zone / kDegreesOfZonePerDay;
}

QDateTime LocalPhaseTime(const Observer& observer, const PhaseInstant& phase) {
    const QDate utcDate = DateOfJulianDay(phase.universal);
    const QDate localDate = DateOfJulianDay(phase.universal - observer.ZoneOn(utcDate) / kDegreesOfZonePerDay);
    return PhaseUtc(phase).toOffsetFromUtc(OffsetMinutes(observer.ZoneOn(localDate)) * 60);
}

QDateTime PhaseUtc(const PhaseInstant& phase) {
    PhaseEvent utc{};
    JulianDayToDate(utc, phase.universal);
    return QDateTime(QDate(utc.Year, utc.Month, utc.Day), QTime(utc.Hour, utc.Minute, utc.Second), Qt::UTC);
}

}  // namespace helune::cli
