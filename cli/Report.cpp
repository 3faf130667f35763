// SPDX-License-Identifier: MIT
#include "Report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Days.h"
#include "Events.h"
#include "Phases.h"
#include "Values.h"
#include "Vocabulary.h"

namespace helune::cli {

namespace {

// The last new moon before any instant lies at most the longest lunation
// (29.8 days) back.
constexpr double kNewMoonLookBackDays = 30.0;
// The Moon's light and age are given at this time of the date (12 hours after
// its first instant).
constexpr double kNoonOfDate = 0.5;
// The next events are sought first over the days that count of them take
// (the Moon's: a lunar day each) and a day more, then a month at a time, for
// a year beyond.
constexpr double kLunarDayDays = 1.035;
constexpr double kSearchStepDays = 30.0;
constexpr double kSearchReachDays = 366.0;
// An interval of a band that begins on a date ends within a day, and one that
// ends on it began within a day.
constexpr double kLongestBandDays = 1.0;
// A chart's phase line and the search's instant of the same phase lie within a
// second of each other; the line is matched to the nearest of its kind.
constexpr double kSamePhaseDays = 0.5;
constexpr double kLargestAltitude = 90.0;

// +6 and -4 as the keys and reasons write an altitude.
std::string AltitudeText(double altitude) {
    char text[32];
    std::snprintf(text, sizeof text, "%+g", altitude);
    return text;
}

std::string Words(std::string key) {
    std::replace(key.begin(), key.end(), '_', ' ');
    return key;
}

Word Reason(const Term& term, std::string prose) { return {term.code, std::move(prose)}; }

// Why a date lacks an event of the kind: a body that neither rises nor sets
// through the altitude on the date stands above or below it all day; one that
// does cross it may still lack this event (the Moon, rising later each day,
// skips a date).
Word ReasonFor(const EventKind& kind, bool crossesAtAll, bool aboveAtStart) {
    if (kind.type == EventType::Transit || crossesAtAll)
        return Reason(terms::kNoneOnDate, "no " + Words(kind.key) + " this date");
    if (kind.body == SunOrMoon::Moon)
        return aboveAtStart ? Reason(terms::kStaysAbove, "moon up all day")
                            : Reason(terms::kStaysBelow, "moon down all day");
    if (kind.altitude == kSunStandardAltitude)
        return aboveAtStart ? Reason(terms::kPolarDay, "polar day") : Reason(terms::kPolarNight, "polar night");
    const std::string at = AltitudeText(kind.altitude) + "°";
    return aboveAtStart ? Reason(terms::kStaysAbove, "sun stays above " + at)
                        : Reason(terms::kStaysBelow, "sun stays below " + at);
}

// Hours the body stands above the altitude between from and to, from its
// crossings in that span and its side at from.
double HoursAbove(const std::vector<Crossing>& crossings, bool aboveAtStart, JulianDay from, JulianDay to) {
    double hours = 0.0;
    bool above = aboveAtStart;
    JulianDay since = from;
    for (const Crossing& c : crossings) {
        if (above) hours += (c.universal.jd - since) * kHoursPerDay;
        above = c.rising;
        since = c.universal.jd;
    }
    if (above) hours += (to - since) * kHoursPerDay;
    return hours;
}

std::optional<JulianDay> First(const std::vector<Crossing>& crossings, bool rising) {
    for (const Crossing& c : crossings)
        if (c.rising == rising) return c.universal.jd;
    return std::nullopt;
}

std::optional<JulianDay> Last(const std::vector<Crossing>& crossings, bool rising) {
    for (auto c = crossings.rbegin(); c != crossings.rend(); ++c)
        if (c->rising == rising) return c->universal.jd;
    return std::nullopt;
}

std::optional<Transit> FirstUpper(const std::vector<Transit>& transits) {
    for (const Transit& t : transits)
        if (t.upper) return t;
    return std::nullopt;
}

double MoonAge(const std::vector<PrincipalPhase>& phases, JulianDay universal) {
    double age = NAN;
    for (const PrincipalPhase& p : phases)
        if (p.code == kNewMoon && p.universal.jd <= universal) age = universal - p.universal.jd;
    return age;
}

// The instants of the window's four phase lines of a date, as its chart finds them.
std::vector<JulianDay> ChartPhaseInstants(const Observer& observer, QDate date) {
    const double zone = observer.ZoneOn(date);
    const auto day = static_cast<int16_t>(date.day()), month = static_cast<int16_t>(date.month()),
               year = static_cast<int16_t>(date.year());
    std::vector<JulianDay> shown;
    for (const PhaseEvent& p : ShownPhases(FindChartPhases(day, month, year, zone)))
        shown.push_back(
            UniversalOfLocal(JulianDayFromDate(p.Day, p.Month, p.Year, p.Hour, p.Minute) + p.Second / kSecondsPerDay, zone)
                .jd);
    return shown;
}

// The phases among found that the chart's lines show, each at the search's instant.
std::vector<PrincipalPhase> PhaseLines(const std::vector<JulianDay>& shown, const std::vector<PrincipalPhase>& found) {
    std::vector<PrincipalPhase> lines;
    for (const JulianDay line : shown)
        for (const PrincipalPhase& p : found)
            if (std::fabs(p.universal.jd - line) < kSamePhaseDays) lines.push_back(p);
    return lines;
}

double AltitudeNumber(const std::string& option, const std::string& text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || std::fabs(*value) > kLargestAltitude)
        throw UsageError{option + ": " + Quoted(text) + " is not a number of degrees from -90 to 90"};
    return *value;
}

}  // namespace

const std::vector<EventKind>& ReportedEvents() {
    using enum EventType;
    using enum Section;
    static const std::vector<EventKind> kEvents = {
        {"sunrise", "Sunrise", "the Sun's upper limb appears (its centre 0.833 degrees down)", SunOrMoon::Sun, Rising,
         kSunStandardAltitude, Sun},
        {"solar_noon", "Noon", "the Sun crosses the meridian, with its altitude", SunOrMoon::Sun, Transit, 0.0, Sun},
        {"sunset", "Sunset", "the Sun's upper limb disappears", SunOrMoon::Sun, Setting, kSunStandardAltitude, Sun},
        {"moonrise", "Moonrise", "the Moon's upper limb appears (its centre 0.125 degrees up, seen from the Earth's "
                                 "centre)",
         SunOrMoon::Moon, Rising, kMoonStandardAltitude, Moon},
        {"moon_transit", "Transit", "the Moon crosses the meridian, with its altitude", SunOrMoon::Moon, Transit, 0.0,
         Moon},
        {"moonset", "Moonset", "the Moon's upper limb disappears", SunOrMoon::Moon, Setting, kMoonStandardAltitude,
         Moon},
        {"civil_dawn", "Civil dawn", "the Sun's centre rises through 6 degrees down", SunOrMoon::Sun, Rising,
         kCivilTwilightAltitude, Twilight},
        {"civil_dusk", "Civil dusk", "the Sun's centre sets through 6 degrees down", SunOrMoon::Sun, Setting,
         kCivilTwilightAltitude, Twilight},
        {"nautical_dawn", "Nautical dawn", "through 12 degrees down, rising", SunOrMoon::Sun, Rising,
         kNauticalTwilightAltitude, Twilight},
        {"nautical_dusk", "Nautical dusk", "through 12 degrees down, setting", SunOrMoon::Sun, Setting,
         kNauticalTwilightAltitude, Twilight},
        {"astronomical_dawn", "Astro. dawn", "through 18 degrees down, rising", SunOrMoon::Sun, Rising,
         kAstronomicalTwilightAltitude, Twilight},
        {"astronomical_dusk", "Astro. dusk", "through 18 degrees down, setting", SunOrMoon::Sun, Setting,
         kAstronomicalTwilightAltitude, Twilight},
    };
    return kEvents;
}

const EventKind& ReportedEvent(std::string_view key) {
    const auto& events = ReportedEvents();
    return *std::find_if(events.begin(), events.end(), [&](const EventKind& kind) { return kind.key == key; });
}

EventKind AltitudeEvent(double altitude, EventType type) {
    const bool rising = type == EventType::Rising;
    const std::string at = AltitudeText(altitude);
    return {std::string(rising ? "rising_at_" : "setting_at_") + at,
            std::string(rising ? "Up at " : "Down at ") + at + "°",
            "the Sun's centre " + std::string(rising ? "rises" : "sets") + " through the altitude",
            SunOrMoon::Sun,
            type,
            altitude,
            Section::Altitudes,
            false};
}

double SearchedAltitude(const EventKind& kind, const Observer& observer) {
    return kind.horizon ? kind.altitude - HorizonDip(observer.Height()) : kind.altitude;
}

const std::vector<SunBand>& NamedBands() {
    static const std::vector<SunBand> kBands = {
        {"golden_hour", "Golden hour", kGoldenHourBegins, kGoldenHourEnds},
        {"blue_hour", "Blue hour", kBlueHourBegins, kGoldenHourBegins},
    };
    return kBands;
}

std::optional<SunBand> BandNamed(const std::string& text) {
    for (const SunBand& band : NamedBands())
        if (text == band.key) return band;
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const double low = AltitudeNumber("--altitude", text.substr(0, comma));
    const double high = AltitudeNumber("--altitude", text.substr(comma + 1));
    if (low >= high) throw UsageError{"--altitude: " + Quoted(text) + " is not LOW,HIGH with LOW below HIGH"};
    const std::string from = AltitudeText(low), to = AltitudeText(high);
    return SunBand{"between_" + from + "_and_" + to, "Between " + from + "° and " + to + "°", low, high};
}

SunBand BandAbove(double low) {
    const std::string at = AltitudeText(low);
    return {"above_" + at, "Above " + at + "°", low, kLargestAltitude};
}

Word PhaseWord(int16_t code) {
    std::string prose = PhaseName(code), word = prose;
    std::replace(word.begin(), word.end(), ' ', '_');
    return {word, prose};
}

Word SeasonWord(Season season) {
    switch (season) {
        case Season::MarchEquinox: return {"march_equinox", "March equinox"};
        case Season::JuneSolstice: return {"june_solstice", "June solstice"};
        case Season::SeptemberEquinox: return {"september_equinox", "September equinox"};
        case Season::DecemberSolstice: return {"december_solstice", "December solstice"};
    }
    return {};
}

namespace {

// The Sun's altitudes of a report's risings and settings and its bands' edges,
// each once, the standard one first.
std::vector<double> SunAltitudes(const std::vector<EventKind>& kinds, const std::vector<SunBand>& bands,
                                 const Observer& observer) {
    std::vector<double> altitudes;
    const auto add = [&](double altitude) {
        if (std::find(altitudes.begin(), altitudes.end(), altitude) == altitudes.end()) altitudes.push_back(altitude);
    };
    for (const EventKind& kind : kinds)
        if (kind.body == SunOrMoon::Sun && kind.type != EventType::Transit) add(SearchedAltitude(kind, observer));
    for (const SunBand& band : bands) {
        add(band.low);
        add(band.high);
    }
    return altitudes;
}

// The engine's answers for a span of dates, each searched once over the span.
struct SkyOfSpan {
    std::vector<double> sunAltitudes;
    std::vector<std::vector<Crossing>> sun;  // one list for each of sunAltitudes
    std::vector<Crossing> moon;
    std::vector<Transit> sunTransits, moonTransits;
    std::vector<PrincipalPhase> phases;  // from a lunation before the span

    const std::vector<Crossing>& SunCrossings(double altitude) const {
        const auto at = std::find(sunAltitudes.begin(), sunAltitudes.end(), altitude) - sunAltitudes.begin();
        return sun[static_cast<std::size_t>(at)];
    }
};

// What a search covers: the dates [from, to); the Sun's crossings also from
// before (the first instant of the date before, against which the day's
// length changes; the band that ends on the first date began then), and a day
// past to where a band's evening may end after the last date; the phases from
// phasesFrom (a lunation before from, for the Moon's age) to phasesTo.
struct SearchBounds {
    JulianDay before, from, to, phasesFrom, phasesTo;
};

SearchBounds DatesBounds(const Observer& observer, QDate first, QDate last) {
    const JulianDay from = observer.DayStart(first), to = observer.DayStart(last.addDays(1));
    return {observer.DayStart(first.addDays(-1)), from, to, from - kNewMoonLookBackDays, to};
}

SkyOfSpan SearchSpan(const Observer& observer, const std::vector<EventKind>& kinds, const std::vector<SunBand>& bands,
                     const SearchBounds& span) {
    const double west = observer.LongitudeWest(), latitude = observer.Latitude();
    SkyOfSpan sky;
    sky.sunAltitudes = SunAltitudes(kinds, bands, observer);
    const JulianDay sunTo = span.to + (bands.empty() ? 0.0 : kLongestBandDays);
    const UniversalTime from{span.from}, to{span.to};
    sky.sun = FindCrossings(SunOrMoon::Sun, sky.sunAltitudes, UniversalTime{span.before}, UniversalTime{sunTo}, west,
                            latitude);
    sky.moon = FindCrossings(SunOrMoon::Moon, kMoonStandardAltitude - HorizonDip(observer.Height()), from, to, west,
                             latitude);
    sky.sunTransits = FindTransits(SunOrMoon::Sun, from, to, west, latitude);
    sky.moonTransits = FindTransits(SunOrMoon::Moon, from, to, west, latitude);
    sky.phases = FindPhases(UniversalTime{span.phasesFrom}, UniversalTime{span.phasesTo});
    return sky;
}

// The items of a time-ordered list that fall in [from, to).
template <class Item>
std::vector<Item> Within(const std::vector<Item>& items, JulianDay from, JulianDay to) {
    const auto before = [](const Item& item, JulianDay t) { return item.universal.jd < t; };
    return {std::lower_bound(items.begin(), items.end(), from, before),
            std::lower_bound(items.begin(), items.end(), to, before)};
}

// Whether the body stands above the altitude at t: after a rising and before
// a setting, as the span's crossings tell; where the span has none, by its
// altitude at t.
bool AboveAt(const std::vector<Crossing>& crossings, JulianDay t, SunOrMoon body, double altitude,
             const Observer& observer) {
    const auto next = std::lower_bound(crossings.begin(), crossings.end(), t,
                                       [](const Crossing& c, JulianDay at) { return c.universal.jd < at; });
    if (next != crossings.begin()) return std::prev(next)->rising;
    if (next != crossings.end()) return !next->rising;
    return FindPosition(body, UniversalTime{t}, observer.LongitudeWest(), observer.Latitude()).altitude > altitude;
}

Event TransitOn(const EventKind& kind, const SkyOfSpan& sky, JulianDay start, JulianDay end) {
    const auto transit = FirstUpper(Within(kind.body == SunOrMoon::Sun ? sky.sunTransits : sky.moonTransits, start, end));
    if (!transit) return {std::nullopt, ReasonFor(kind, true, false), NAN, std::nullopt};
    return {transit->universal.jd, {}, transit->altitude, std::nullopt};
}

// The event of a kind on the date [start, end), or why there is none.
Event EventOn(const EventKind& kind, const SkyOfSpan& sky, JulianDay start, JulianDay end, const Observer& observer) {
    if (kind.type == EventType::Transit) return TransitOn(kind, sky, start, end);
    const double altitude = SearchedAltitude(kind, observer);
    const std::vector<Crossing>& all = kind.body == SunOrMoon::Moon ? sky.moon : sky.SunCrossings(altitude);
    const std::vector<Crossing> crossings = Within(all, start, end);
    Event event;
    event.universal = First(crossings, kind.type == EventType::Rising);
    // A date the clock skips whole has no instant for the body to stay anywhere.
    if (!event.universal)
        event.reason =
            ReasonFor(kind, !crossings.empty() || end <= start, AboveAt(all, start, kind.body, altitude, observer));
    return event;
}

// An edge of a band's interval at a crossing, or why there is none on the date.
Event EdgeOrReason(std::optional<JulianDay> at, double altitude, EventType type, const SkyOfSpan& sky, JulianDay start,
               JulianDay end, const Observer& observer) {
    if (at) return {at, {}, std::nullopt, std::nullopt};
    const std::vector<Crossing>& all = sky.SunCrossings(altitude);
    return {std::nullopt,
            ReasonFor(AltitudeEvent(altitude, type), !Within(all, start, end).empty() || end <= start,
                      AboveAt(all, start, SunOrMoon::Sun, altitude, observer)),
            std::nullopt, std::nullopt};
}

// The morning's interval: it ends as the Sun rises through the high edge on
// the date, and begins as it last rose through the low one before; where it
// does not reach the high edge, it begins as it rises through the low one.
Interval Morning(const SunBand& band, const SkyOfSpan& sky, JulianDay start, JulianDay end, const Observer& observer) {
    const std::vector<Crossing>& low = sky.SunCrossings(band.low);
    const std::optional<JulianDay> top = First(Within(sky.SunCrossings(band.high), start, end), true);
    const std::optional<JulianDay> bottom =
        top ? Last(Within(low, *top - kLongestBandDays, *top), true) : First(Within(low, start, end), true);
    const JulianDay from = top ? *top - kLongestBandDays : start, to = top ? *top : end;
    return {EdgeOrReason(bottom, band.low, EventType::Rising, sky, from, to, observer),
            EdgeOrReason(top, band.high, EventType::Rising, sky, start, end, observer)};
}

// The evening's: it begins as the Sun sets through the high edge on the date
// and ends as it next sets through the low one; where it does not reach the
// high edge, it ends as it sets through the low one.
Interval Evening(const SunBand& band, const SkyOfSpan& sky, JulianDay start, JulianDay end, const Observer& observer) {
    const std::vector<Crossing>& low = sky.SunCrossings(band.low);
    const std::optional<JulianDay> top = First(Within(sky.SunCrossings(band.high), start, end), false);
    const std::optional<JulianDay> bottom =
        top ? First(Within(low, *top, *top + kLongestBandDays), false) : First(Within(low, start, end), false);
    const JulianDay from = top ? *top : start, to = top ? *top + kLongestBandDays : end;
    return {EdgeOrReason(top, band.high, EventType::Setting, sky, start, end, observer),
            EdgeOrReason(bottom, band.low, EventType::Setting, sky, from, to, observer)};
}

// Hours the Sun stands above its rising altitude on [start, end).
double DayLength(const SkyOfSpan& sky, JulianDay start, JulianDay end, const Observer& observer) {
    const double standard = kSunStandardAltitude - HorizonDip(observer.Height());
    const std::vector<Crossing>& all = sky.SunCrossings(standard);
    return HoursAbove(Within(all, start, end), AboveAt(all, start, SunOrMoon::Sun, standard, observer),
                      start, end);
}

// The dates of one search: a year of them keeps the search's lists short and
// its share of the work of the dates around them (the date before, the
// lunation before) small.
constexpr qint64 kDatesASearch = 366;

DayReport ReportOn(QDate date, const std::vector<EventKind>& kinds, const DayQuestions& questions,
                   const SkyOfSpan& sky, const Observer& observer) {
    DayReport report{date, observer.DayStart(date), observer.DayStart(date.addDays(1)), kinds, {}, {}, 0.0, 0.0,
                     0.0,  NAN,                     {}};
    for (const EventKind& kind : kinds) report.events.push_back(EventOn(kind, sky, report.start, report.end, observer));
    for (const SunBand& band : questions.bands)
        report.bands.push_back({band, Morning(band, sky, report.start, report.end, observer),
                                Evening(band, sky, report.start, report.end, observer)});
    report.dayLength = DayLength(sky, report.start, report.end, observer);
    const JulianDay noon = report.start + kNoonOfDate;
    report.illuminatedFraction =
        FindPosition(SunOrMoon::Moon, UniversalTime{noon}, observer.LongitudeWest(), observer.Latitude()).illuminatedFraction;
    report.moonAgeDays = MoonAge(sky.phases, noon);
    return report;
}

}  // namespace

std::vector<EventKind> KindsAsked(const std::vector<double>& altitudes) {
    std::vector<EventKind> kinds = ReportedEvents();
    for (const double altitude : altitudes) {
        kinds.push_back(AltitudeEvent(altitude, EventType::Rising));
        kinds.push_back(AltitudeEvent(altitude, EventType::Setting));
    }
    return kinds;
}

std::vector<JulianDay> NextEvents(const Observer& observer, const EventKind& kind, JulianDay from, int count) {
    std::vector<JulianDay> found;
    if (count <= 0) return found;
    const double west = observer.LongitudeWest(), latitude = observer.Latitude();
    const JulianDay reach = from + kSearchReachDays + count * kLunarDayDays;
    JulianDay a = from;
    JulianDay b = from + count * kLunarDayDays + 1.0;
    while (a < reach && static_cast<int>(found.size()) < count) {
        if (kind.type == EventType::Transit) {
            for (const Transit& t : FindTransits(kind.body, UniversalTime{a}, UniversalTime{b}, west, latitude))
                if (t.upper && t.universal.jd > from) found.push_back(t.universal.jd);
        } else {
            for (const Crossing& c : FindCrossings(kind.body, SearchedAltitude(kind, observer), UniversalTime{a},
                                                   UniversalTime{b}, west, latitude))
                if (c.rising == (kind.type == EventType::Rising) && c.universal.jd > from) found.push_back(c.universal.jd);
        }
        a = b;
        b = std::min(a + kSearchStepDays, reach);
    }
    if (static_cast<int>(found.size()) > count) found.resize(static_cast<std::size_t>(count));
    return found;
}

namespace {

// Where the Sun enters or leaves a band: rising through its low edge or
// setting through its high one it enters (in the morning, in the evening);
// the other two crossings leave it.
struct BandEdge {
    JulianDay universal;
    bool entering, morning;
};

std::vector<BandEdge> BandEdgesOf(const std::vector<Crossing>& low, const std::vector<Crossing>& high) {
    std::vector<BandEdge> edges;
    for (const Crossing& c : low) edges.push_back({c.universal.jd, c.rising, true});
    for (const Crossing& c : high) edges.push_back({c.universal.jd, !c.rising, false});
    std::sort(edges.begin(), edges.end(), [](const BandEdge& x, const BandEdge& y) { return x.universal < y.universal; });
    return edges;
}

}  // namespace

std::vector<BandSpan> NextBandSpans(const Observer& observer, const SunBand& band, JulianDay from, int count) {
    const double west = observer.LongitudeWest(), latitude = observer.Latitude();
    const double edges[] = {band.low, band.high};
    std::vector<BandSpan> spans;
    std::optional<BandSpan> open;
    // From a day back, so that a span under way at from is found with its beginning.
    for (JulianDay a = from - kLongestBandDays; a < from + kSearchReachDays + count && static_cast<int>(spans.size()) < count;
         a += kSearchStepDays) {
        const auto crossings =
            FindCrossings(SunOrMoon::Sun, edges, UniversalTime{a}, UniversalTime{a + kSearchStepDays}, west, latitude);
        for (const BandEdge& edge : BandEdgesOf(crossings[0], crossings[1])) {
            if (!edge.entering && open && edge.universal > from) spans.push_back({open->begin, edge.universal, open->morning});
            open = edge.entering ? std::optional<BandSpan>({edge.universal, edge.universal, edge.morning}) : std::nullopt;
        }
    }
    if (static_cast<int>(spans.size()) > count) spans.resize(static_cast<std::size_t>(count));
    return spans;
}

void ForEachDay(const Observer& observer, QDate first, QDate last, const DayQuestions& questions,
                const std::function<void(const DayReport&)>& each) {
    const std::vector<EventKind> kinds = KindsAsked(questions.altitudes);
    std::optional<double> lengthBefore;
    for (QDate from = first; from <= last; from = from.addDays(kDatesASearch)) {
        const QDate to = std::min(last, from.addDays(kDatesASearch - 1));
        const SearchBounds bounds = DatesBounds(observer, from, to);
        const SkyOfSpan sky = SearchSpan(observer, kinds, questions.bands, bounds);
        if (!lengthBefore) lengthBefore = DayLength(sky, bounds.before, bounds.from, observer);
        for (QDate date = from; date <= to; date = date.addDays(1)) {
            DayReport report = ReportOn(date, kinds, questions, sky, observer);
            report.dayLengthChange = report.dayLength - *lengthBefore;
            lengthBefore = report.dayLength;
            each(report);
        }
    }
}

std::vector<DayReport> ComputeRange(const Observer& observer, QDate first, QDate last, const DayQuestions& questions) {
    std::vector<DayReport> reports;
    ForEachDay(observer, first, last, questions, [&reports](const DayReport& report) { reports.push_back(report); });
    return reports;
}

// A single date searches its phases once for the Moon's age and the chart's lines.
DayReport ComputeDay(const Observer& observer, QDate date, const DayQuestions& questions) {
    const std::vector<EventKind> kinds = KindsAsked(questions.altitudes);
    const std::vector<JulianDay> shown = ChartPhaseInstants(observer, date);
    SearchBounds bounds = DatesBounds(observer, date, date);
    if (!shown.empty()) {
        bounds.phasesFrom = std::min(bounds.phasesFrom, shown.front() - kSamePhaseDays);
        bounds.phasesTo = std::max(bounds.phasesTo, shown.back() + kSamePhaseDays);
    }
    const SkyOfSpan sky = SearchSpan(observer, kinds, questions.bands, bounds);
    DayReport report = ReportOn(date, kinds, questions, sky, observer);
    report.dayLengthChange = report.dayLength - DayLength(sky, bounds.before, bounds.from, observer);
    report.phases = PhaseLines(shown, sky.phases);
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

const std::vector<Word>& MoonPhaseWords() {
    static const std::vector<Word> kWords = {
        {"new_moon", "new moon"},           {"waxing_crescent", "waxing crescent"},
        {"first_quarter", "first quarter"}, {"waxing_gibbous", "waxing gibbous"},
        {"full_moon", "full moon"},         {"waning_gibbous", "waning gibbous"},
        {"last_quarter", "last quarter"},   {"waning_crescent", "waning crescent"}};
    return kWords;
}

// The eighths of the lunation, each named after the phase at its middle.
MoonPhase MoonPhaseAt(JulianDay universal) {
    const double e = Elongation(ToDynamical(UniversalTime{universal}).jd);
    const double lunation = std::fmod((360.0 - e) / 360.0 + 1.0, 1.0);
    const auto eighth = static_cast<std::size_t>(std::floor(lunation * 8.0 + 0.5)) % 8;
    return {MoonPhaseWords()[eighth], lunation < 0.5, lunation};
}

namespace {

constexpr double kEarthRadiusKm = 6378.14;
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
constexpr double kArcminutesPerDegree = 60.0;
// Below this true altitude Sæmundsson's formula no longer holds.
constexpr double kLowestRefractedAltitude = -1.0;
constexpr double kNadir = -90.0;

double StandardAltitude(SunOrMoon body) { return body == SunOrMoon::Sun ? kSunStandardAltitude : kMoonStandardAltitude; }

// The altitude seen from the Earth's surface of a body at a geocentric
// altitude and distance (Meeus, ch. 40, with the Earth a sphere of its
// equatorial radius: the difference is below an arc-second).
double TopocentricAltitude(double geocentric, double kilometres) {
    const double parallax = std::asin(kEarthRadiusKm / kilometres);
    const double h = geocentric * kRadiansPerDegree;
    return std::atan2(std::sin(h) - std::sin(parallax), std::cos(h)) / kRadiansPerDegree;
}

// The body's next rising or setting after universal, with its azimuth there.
Event NextWithAzimuth(const Observer& observer, SunOrMoon body, EventType type, JulianDay universal) {
    const EventKind kind{"", "", "", body, type, StandardAltitude(body), Section::Sun, true};
    const std::vector<JulianDay> next = NextEvents(observer, kind, universal, 1);
    if (next.empty()) return {std::nullopt, Reason(terms::kNoneOnDate, "none within a year"), std::nullopt, NAN};
    const BodyPosition there = FindPosition(body, UniversalTime{next.front()}, observer.LongitudeWest(), observer.Latitude());
    return {next.front(), {}, std::nullopt, there.azimuth};
}

BodyNow BodyAt(const Observer& observer, SunOrMoon body, JulianDay universal) {
    BodyNow now{FindPosition(body, UniversalTime{universal}, observer.LongitudeWest(), observer.Latitude()), false, {}, {}};
    // Up as rising and setting count it: the geocentric altitude against theirs.
    now.up = now.position.altitude > StandardAltitude(body) - HorizonDip(observer.Height());
    const double seen = TopocentricAltitude(now.position.altitude, now.position.distance);
    now.position.altitude = seen + Refraction(seen);
    now.nextRising = NextWithAzimuth(observer, body, EventType::Rising, universal);
    now.nextSetting = NextWithAzimuth(observer, body, EventType::Setting, universal);
    return now;
}

}  // namespace

double Refraction(double trueAltitude) {
    const double h = std::max(trueAltitude, kLowestRefractedAltitude);
    // Meeus's small constant makes the refraction nothing at the zenith.
    constexpr double kZenithCorrection = 0.0019279;
    double arcminutes = 1.02 / std::tan((h + 10.3 / (h + 5.11)) * kRadiansPerDegree) + kZenithCorrection;
    if (trueAltitude < kLowestRefractedAltitude)
        arcminutes *= (trueAltitude - kNadir) / (kLowestRefractedAltitude - kNadir);
    return arcminutes / kArcminutesPerDegree;
}

SkyNow ComputeNow(const Observer& observer, JulianDay universal) {
    return {universal, BodyAt(observer, SunOrMoon::Sun, universal), BodyAt(observer, SunOrMoon::Moon, universal),
            MoonPhaseAt(universal),
            MoonAge(FindPhases(UniversalTime{universal - kNewMoonLookBackDays}, UniversalTime{std::nextafter(universal, INFINITY)}),
                    universal)};
}

Word LightAt(const Observer& observer, JulianDay universal) {
    // The horizon's altitudes, lowered by its dip from a height.
    const double altitude = FindPosition(SunOrMoon::Sun, UniversalTime{universal}, observer.LongitudeWest(), observer.Latitude()).altitude +
                            HorizonDip(observer.Height());
    const auto word = [](const Term& term) {
        std::string prose = term.code;
        std::replace(prose.begin(), prose.end(), '_', ' ');
        return Word{term.code, prose};
    };
    if (altitude > kSunStandardAltitude) return word(terms::kDay);
    if (altitude > kCivilTwilightAltitude) return word(terms::kCivilTwilight);
    if (altitude > kNauticalTwilightAltitude) return word(terms::kNauticalTwilight);
    if (altitude > kAstronomicalTwilightAltitude) return word(terms::kAstronomicalTwilight);
    return word(terms::kNight);
}

bool InBand(const Observer& observer, const SunBand& band, JulianDay universal) {
    const double altitude =
        FindPosition(SunOrMoon::Sun, UniversalTime{universal}, observer.LongitudeWest(), observer.Latitude()).altitude;
    return altitude > band.low && altitude < band.high;
}

}  // namespace helune::cli
