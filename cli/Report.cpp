// SPDX-License-Identifier: MIT
#include "Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "Events.h"
#include "Phases.h"

namespace helune::cli {

namespace {

constexpr double kHoursPerDay = 24.0;
constexpr double kSecondsPerDay = 86400.0;
// The last new moon before any instant lies at most the longest lunation
// (29.8 days) back.
constexpr double kNewMoonLookBackDays = 30.0;
// The Moon's light and age are given at this time of the date (12 hours after
// its local midnight).
constexpr double kNoonOfDate = 0.5;
// The next events are sought first over the days that count of them take
// (the Moon's: a lunar day each) and a day more, then a month at a time, for
// a year beyond.
constexpr double kLunarDayDays = 1.035;
constexpr double kSearchStepDays = 30.0;
constexpr double kSearchReachDays = 366.0;
// A chart's phase line and the search's instant of the same phase lie within a
// second of each other; the line is matched to the nearest of its kind.
constexpr double kSamePhaseDays = 0.5;
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

std::string Words(std::string key) {
    std::replace(key.begin(), key.end(), '_', ' ');
    return key;
}

// +6 and -4 as the keys and reasons write an altitude.
std::string AltitudeText(double altitude) {
    char text[32];
    std::snprintf(text, sizeof text, "%+g", altitude);
    return text;
}

double StandardAltitude(SunOrMoon body) { return body == SunOrMoon::Sun ? kSunStandardAltitude : kMoonStandardAltitude; }

// Why a date lacks an event of the kind: a body that neither rises nor sets
// through the altitude on the date stands above or below it all day; one that
// does cross it may still lack this event (the Moon, rising later each day,
// skips a date).
Reason ReasonFor(const EventKind& kind, bool crossesAtAll, bool aboveAtStart) {
    if (kind.type == EventType::Transit || crossesAtAll) return {"none_on_date", "no " + Words(kind.key) + " this date"};
    if (kind.body == SunOrMoon::Moon)
        return aboveAtStart ? Reason{"stays_above", "moon up all day"} : Reason{"stays_below", "moon down all day"};
    if (kind.altitude == kSunStandardAltitude)
        return aboveAtStart ? Reason{"polar_day", "polar day"} : Reason{"polar_night", "polar night"};
    const std::string side = aboveAtStart ? "above" : "below";
    return {"stays_" + side, "sun stays " + side + " " + AltitudeText(kind.altitude) + "°"};
}

// Hours the body stands above the altitude between from and to, from its
// crossings in that span and its side at from.
double HoursAbove(const std::vector<Crossing>& crossings, bool aboveAtStart, JulianDay from, JulianDay to) {
    double hours = 0.0;
    bool above = aboveAtStart;
    JulianDay since = from;
    for (const Crossing& c : crossings) {
        if (above) hours += (c.universal - since) * kHoursPerDay;
        above = c.rising;
        since = c.universal;
    }
    if (above) hours += (to - since) * kHoursPerDay;
    return hours;
}

std::optional<JulianDay> First(const std::vector<Crossing>& crossings, bool rising) {
    for (const Crossing& c : crossings)
        if (c.rising == rising) return c.universal;
    return std::nullopt;
}

std::optional<Transit> FirstUpper(const std::vector<Transit>& transits) {
    for (const Transit& t : transits)
        if (t.upper) return t;
    return std::nullopt;
}

double MoonAge(const std::vector<PhaseInstant>& phases, JulianDay universal) {
    double age = NAN;
    for (const PhaseInstant& p : phases)
        if (p.code == kNewMoon && p.universal <= universal) age = universal - p.universal;
    return age;
}

// The window's four phase lines of a date, each at the instant of its phase.
std::vector<PhaseInstant> PhaseLines(const Observer& observer, QDate date) {
    const double zone = observer.ZoneOn(date);
    const auto day = static_cast<int16_t>(date.day()), month = static_cast<int16_t>(date.month()),
               year = static_cast<int16_t>(date.year());
    std::vector<PhaseInstant> lines;
    std::vector<JulianDay> shown;
    for (const PhaseEvent& p : ShownPhases(FindChartPhases(day, month, year, zone)))
        shown.push_back(JulianDayFromDate(p.Day, p.Month, p.Year, p.Hour, p.Minute) + p.Second / kSecondsPerDay +
                        zone / 360.0);
    if (shown.empty()) return lines;
    const std::vector<PhaseInstant> found = PhasesBetween(shown.front() - 1.0, shown.back() + 1.0);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        for (const PhaseInstant& p : found)
            if (std::fabs(p.universal - shown[i]) < kSamePhaseDays) lines.push_back(p);
    }
    return lines;
}

}  // namespace

const std::vector<EventKind>& ReportedEvents() {
    using enum EventType;
    static const std::vector<EventKind> kEvents = {
        {"sunrise", "Sunrise", SunOrMoon::Sun, Rising, kSunStandardAltitude},
        {"solar_noon", "Noon", SunOrMoon::Sun, Transit, 0.0},
        {"sunset", "Sunset", SunOrMoon::Sun, Setting, kSunStandardAltitude},
        {"moonrise", "Moonrise", SunOrMoon::Moon, Rising, kMoonStandardAltitude},
        {"moon_transit", "Transit", SunOrMoon::Moon, Transit, 0.0},
        {"moonset", "Moonset", SunOrMoon::Moon, Setting, kMoonStandardAltitude},
        {"civil_dawn", "Civil dawn", SunOrMoon::Sun, Rising, kCivilTwilightAltitude},
        {"civil_dusk", "Civil dusk", SunOrMoon::Sun, Setting, kCivilTwilightAltitude},
        {"nautical_dawn", "Nautical dawn", SunOrMoon::Sun, Rising, kNauticalTwilightAltitude},
        {"nautical_dusk", "Nautical dusk", SunOrMoon::Sun, Setting, kNauticalTwilightAltitude},
        {"astronomical_dawn", "Astro. dawn", SunOrMoon::Sun, Rising, kAstronomicalTwilightAltitude},
        {"astronomical_dusk", "Astro. dusk", SunOrMoon::Sun, Setting, kAstronomicalTwilightAltitude},
    };
    return kEvents;
}

EventKind AltitudeEvent(double altitude, EventType type) {
    const bool rising = type == EventType::Rising;
    const std::string at = AltitudeText(altitude);
    return {std::string(rising ? "rising_at_" : "setting_at_") + at, std::string(rising ? "Up at " : "Down at ") + at + "°",
            SunOrMoon::Sun, type, altitude};
}

namespace {

struct Shortcut {
    const char* name;
    std::vector<double> altitudes;
};
const std::vector<Shortcut>& Shortcuts() {
    static const std::vector<Shortcut> kShortcuts = {{"golden_hour", {kGoldenHourEnds, kGoldenHourBegins}},
                                                     {"blue_hour", {kGoldenHourBegins, kBlueHourBegins}}};
    return kShortcuts;
}

}  // namespace

std::optional<std::vector<double>> AltitudeShortcut(const std::string& name) {
    for (const Shortcut& s : Shortcuts())
        if (name == s.name) return s.altitudes;
    return std::nullopt;
}

std::vector<std::string> AltitudeShortcutNames() {
    std::vector<std::string> names;
    for (const Shortcut& s : Shortcuts()) names.emplace_back(s.name);
    return names;
}

std::vector<PhaseInstant> PhasesBetween(JulianDay from, JulianDay to) { return FindPhases(from, to); }

namespace {

// The Sun's altitudes of a report's risings and settings, each once, the
// standard one first.
std::vector<double> SunAltitudes(const std::vector<EventKind>& kinds) {
    std::vector<double> altitudes;
    for (const EventKind& kind : kinds)
        if (kind.body == SunOrMoon::Sun && kind.type != EventType::Transit &&
            std::find(altitudes.begin(), altitudes.end(), kind.altitude) == altitudes.end())
            altitudes.push_back(kind.altitude);
    return altitudes;
}

// The engine's answers for a span of dates, each searched once over the span.
struct SkyOfSpan {
    std::vector<double> sunAltitudes;
    std::vector<std::vector<Crossing>> sun;  // one list for each of sunAltitudes
    std::vector<Crossing> moon;
    std::vector<Transit> sunTransits, moonTransits;
    std::vector<PhaseInstant> phases;  // from a lunation before the span
};

SkyOfSpan SearchSpan(const Observer& observer, const std::vector<EventKind>& kinds, JulianDay from, JulianDay to) {
    const double west = observer.LongitudeWest(), latitude = observer.Latitude();
    SkyOfSpan sky;
    sky.sunAltitudes = SunAltitudes(kinds);
    sky.sun = FindCrossings(SunOrMoon::Sun, sky.sunAltitudes, from, to, west, latitude);
    sky.moon = FindCrossings(SunOrMoon::Moon, kMoonStandardAltitude, from, to, west, latitude);
    sky.sunTransits = FindTransits(SunOrMoon::Sun, from, to, west, latitude);
    sky.moonTransits = FindTransits(SunOrMoon::Moon, from, to, west, latitude);
    sky.phases = FindPhases(from - kNewMoonLookBackDays, to);
    return sky;
}

// The items of a time-ordered list that fall in [from, to).
template <class Item>
std::vector<Item> Within(const std::vector<Item>& items, JulianDay from, JulianDay to) {
    const auto before = [](const Item& item, JulianDay t) { return item.universal < t; };
    return {std::lower_bound(items.begin(), items.end(), from, before),
            std::lower_bound(items.begin(), items.end(), to, before)};
}

// Whether the body stands above the altitude at t: after a rising and before
// a setting, as the span's crossings tell; where the span has none, by its
// altitude at t.
bool AboveAt(const std::vector<Crossing>& crossings, JulianDay t, SunOrMoon body, double altitude,
             const Observer& observer) {
    const auto next = std::lower_bound(crossings.begin(), crossings.end(), t,
                                       [](const Crossing& c, JulianDay at) { return c.universal < at; });
    if (next != crossings.begin()) return std::prev(next)->rising;
    if (next != crossings.end()) return !next->rising;
    return FindPosition(body, t, observer.LongitudeWest(), observer.Latitude()).altitude > altitude;
}

// The happening of each kind on the date [start, end).
Happening HappeningOf(const EventKind& kind, const SkyOfSpan& sky, JulianDay start, JulianDay end,
                      const Observer& observer) {
    Happening happening;
    if (kind.type == EventType::Transit) {
        const auto transit = FirstUpper(Within(kind.body == SunOrMoon::Sun ? sky.sunTransits : sky.moonTransits, start, end));
        if (transit) {
            happening.universal = transit->universal;
            happening.altitude = transit->altitude;
        } else {
            happening.reason = ReasonFor(kind, true, false);
        }
        return happening;
    }
    const std::vector<Crossing>& all =
        kind.body == SunOrMoon::Moon
            ? sky.moon
            : sky.sun[static_cast<std::size_t>(std::find(sky.sunAltitudes.begin(), sky.sunAltitudes.end(), kind.altitude) -
                                               sky.sunAltitudes.begin())];
    const std::vector<Crossing> crossings = Within(all, start, end);
    happening.universal = First(crossings, kind.type == EventType::Rising);
    if (!happening.universal)
        happening.reason =
            ReasonFor(kind, !crossings.empty(), AboveAt(all, start, kind.body, kind.altitude, observer));
    return happening;
}

// Hours the Sun stands above its rising altitude on [start, end).
double DayLength(const SkyOfSpan& sky, JulianDay start, JulianDay end, const Observer& observer) {
    const std::vector<Crossing>& all = sky.sun.front();
    return HoursAbove(Within(all, start, end), AboveAt(all, start, SunOrMoon::Sun, kSunStandardAltitude, observer),
                      start, end);
}

}  // namespace

std::vector<JulianDay> NextEvents(const Observer& observer, const EventKind& kind, JulianDay from, int count) {
    std::vector<JulianDay> found;
    if (count <= 0) return found;
    const double west = observer.LongitudeWest(), latitude = observer.Latitude();
    const JulianDay reach = from + kSearchReachDays + count * kLunarDayDays;
    JulianDay a = from;
    JulianDay b = from + count * kLunarDayDays + 1.0;
    while (a < reach && static_cast<int>(found.size()) < count) {
        if (kind.type == EventType::Transit) {
            for (const Transit& t : FindTransits(kind.body, a, b, west, latitude))
                if (t.upper && t.universal > from) found.push_back(t.universal);
        } else {
            for (const Crossing& c : FindCrossings(kind.body, kind.altitude, a, b, west, latitude))
                if (c.rising == (kind.type == EventType::Rising) && c.universal > from) found.push_back(c.universal);
        }
        a = b;
        b = std::min(a + kSearchStepDays, reach);
    }
    if (static_cast<int>(found.size()) > count) found.resize(static_cast<std::size_t>(count));
    return found;
}

namespace {

// The dates of one search: a year of them keeps the search's lists short and
// its share of the work of the dates around them (the date before, the
// lunation before) small.
constexpr qint64 kDatesASearch = 366;

std::vector<EventKind> KindsWith(const std::vector<double>& altitudes) {
    std::vector<EventKind> kinds = ReportedEvents();
    for (const double altitude : altitudes) {
        kinds.push_back(AltitudeEvent(altitude, EventType::Rising));
        kinds.push_back(AltitudeEvent(altitude, EventType::Setting));
    }
    return kinds;
}

}  // namespace

void ForEachDay(const Observer& observer, QDate first, QDate last, const std::vector<double>& altitudes,
                const std::function<void(const DayReport&)>& each) {
    const std::vector<EventKind> kinds = KindsWith(altitudes);
    std::optional<double> lengthBefore;
    for (QDate from = first; from <= last; from = from.addDays(kDatesASearch)) {
        const QDate to = std::min(last, from.addDays(kDatesASearch - 1));
        // The date before the first too, for the change in the day's length.
        const JulianDay before = observer.DayStart(from.addDays(-1));
        const SkyOfSpan sky = SearchSpan(observer, kinds, before, observer.DayStart(to.addDays(1)));
        if (!lengthBefore) lengthBefore = DayLength(sky, before, observer.DayStart(from), observer);
        for (QDate date = from; date <= to; date = date.addDays(1)) {
            DayReport report{date, observer.DayStart(date), observer.DayStart(date.addDays(1)), kinds, {}, 0.0, 0.0,
                             0.0, NAN, {}};
            for (const EventKind& kind : kinds)
                report.events.push_back(HappeningOf(kind, sky, report.start, report.end, observer));
            report.dayLength = DayLength(sky, report.start, report.end, observer);
            report.dayLengthChange = report.dayLength - *lengthBefore;
            lengthBefore = report.dayLength;
            const JulianDay noon = report.start + kNoonOfDate;
            report.illuminatedFraction =
                FindPosition(SunOrMoon::Moon, noon, observer.LongitudeWest(), observer.Latitude()).illuminatedFraction;
            report.moonAgeDays = MoonAge(sky.phases, noon);
            each(report);
        }
    }
}

std::vector<DayReport> ComputeRange(const Observer& observer, QDate first, QDate last,
                                    const std::vector<double>& altitudes) {
    std::vector<DayReport> reports;
    ForEachDay(observer, first, last, altitudes, [&reports](const DayReport& report) { reports.push_back(report); });
    return reports;
}

DayReport ComputeDay(const Observer& observer, QDate date, const std::vector<double>& altitudes) {
    DayReport report = ComputeRange(observer, date, date, altitudes).front();
    report.phases = PhaseLines(observer, date);
    return report;
}

DayFacts ChartFacts(const Observer& observer, QDate date) {
    const double zone = observer.ZoneOn(date);
    const auto day = static_cast<int16_t>(date.day()), month = static_cast<int16_t>(date.month()),
               year = static_cast<int16_t>(date.year());
    DayFacts facts = ComputeDayEvents(day, month, year, observer.LongitudeWest(), observer.Latitude(), zone);
    facts.phases = FindChartPhases(day, month, year, zone);
    return facts;
}

QDateTime UtcTime(JulianDay universal) {
    PhaseEvent utc{};
    JulianDayToDate(utc, universal);
    return QDateTime(QDate(utc.Year, utc.Month, utc.Day), QTime(utc.Hour, utc.Minute, utc.Second), Qt::UTC);
}

// The octants of the lunation, each named after the phase at its middle.
MoonPhase MoonPhaseAt(JulianDay universal) {
    static constexpr const char* kNames[] = {"new moon",      "waxing crescent", "first quarter",
                                             "waxing gibbous", "full moon",      "waning gibbous",
                                             "last quarter",  "waning crescent"};
    const double e = Elongation(universal + DeltaT(universal) / kSecondsPerDay);
    const double lunation = std::fmod((360.0 - e) / 360.0 + 1.0, 1.0);
    const int octant = static_cast<int>(std::floor(lunation * 8.0 + 0.5)) % 8;
    return {kNames[octant], lunation < 0.5, lunation};
}

// The altitude seen from the Earth's surface of a body at a geocentric
// altitude and distance (Meeus, ch. 40, with the Earth a sphere of its
// equatorial radius: the difference is below an arc-second).
double TopocentricAltitude(double geocentric, double kilometres) {
    const double parallax = std::asin(kEarthRadiusKm / kilometres);
    const double h = geocentric * kRadiansPerDegree;
    return std::atan2(std::sin(h) - std::sin(parallax), std::cos(h)) / kRadiansPerDegree;
}

SkyNow ComputeNow(const Observer& observer, JulianDay universal) {
    SkyNow now{universal, {}, {}, MoonPhaseAt(universal)};
    for (const SunOrMoon body : {SunOrMoon::Sun, SunOrMoon::Moon}) {
        BodyNow& b = body == SunOrMoon::Sun ? now.sun : now.moon;
        b.position = FindPosition(body, universal, observer.LongitudeWest(), observer.Latitude());
        b.up = b.position.altitude > StandardAltitude(body);
        b.position.altitude = TopocentricAltitude(b.position.altitude, b.position.distance);
        const double standard = StandardAltitude(body);
        const auto first = [&](EventType type) -> std::optional<JulianDay> {
            const std::vector<JulianDay> next =
                NextEvents(observer, {"", "", body, type, standard}, universal, 1);
            if (next.empty()) return std::nullopt;
            return next.front();
        };
        b.nextRising = first(EventType::Rising);
        b.nextSetting = first(EventType::Setting);
    }
    return now;
}

Light LightAt(const Observer& observer, JulianDay universal) {
    const double altitude = FindPosition(SunOrMoon::Sun, universal, observer.LongitudeWest(), observer.Latitude()).altitude;
    if (altitude > kSunStandardAltitude) return Light::Day;
    if (altitude > kCivilTwilightAltitude) return Light::CivilTwilight;
    if (altitude > kNauticalTwilightAltitude) return Light::NauticalTwilight;
    if (altitude > kAstronomicalTwilightAltitude) return Light::AstronomicalTwilight;
    return Light::Night;
}

const char* LightName(Light light) {
    switch (light) {
        case Light::Day: return "day";
        case Light::CivilTwilight: return "civil twilight";
        case Light::NauticalTwilight: return "nautical twilight";
        case Light::AstronomicalTwilight: return "astronomical twilight";
        case Light::Night: return "night";
    }
    return "";
}

}  // namespace helune::cli
