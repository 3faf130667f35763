// SPDX-License-Identifier: MIT
// What the console reports: a local date's events from its own local midnight
// to the next (23 or 25 hours on the days the clocks change), each at its own
// universal instant, or why it does not happen; the length of the day; the
// Moon's light and age; the principal phases and seasons of an interval; the
// sky of one instant. All from the engine's interval interface (Almanac.h).
#pragma once

#include <QDate>
#include <QDateTime>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Almanac.h"
#include "Composition.h"
#include "Observer.h"

namespace helune::cli {

// One kind of event a date reports: a rising or setting through an altitude of
// the body's centre, or the upper transit.
enum class EventType { Rising, Setting, Transit };
struct EventKind {
    std::string key;    // JSON and CSV name
    std::string title;  // text heading
    SunOrMoon body;
    EventType type;
    double altitude;  // degrees, of a rising or setting
};

// The twelve events of every date: the Sun's, the Moon's, dawn and dusk.
const std::vector<EventKind>& ReportedEvents();

// The Sun's rising and setting through an asked altitude, "rising_at_6" …
EventKind AltitudeEvent(double altitude, EventType type);

// The altitudes the named shortcuts stand for: golden_hour, the Sun between −4°
// and +6°; blue_hour, between −6° and −4°. Nothing for any other text.
std::optional<std::vector<double>> AltitudeShortcut(const std::string& name);
std::vector<std::string> AltitudeShortcutNames();

// Why an event does not happen on a date: a stable code and its text.
struct Reason {
    std::string code;  // polar_day, polar_night, stays_above, stays_below, none_on_date
    std::string text;  // "polar day", "sun stays above -6°", "moon up all day", "no moonrise this date"
};

// An event of a date, or why there is none.
struct Happening {
    std::optional<JulianDay> universal;
    std::optional<double> altitude;  // a transit's
    Reason reason;                   // when there is none
};

// A principal phase at its universal instant.
using PhaseInstant = PrincipalPhase;

struct DayReport {
    QDate date;
    JulianDay start, end;                 // the local date's universal span
    std::vector<EventKind> kinds;         // ReportedEvents(), then the asked altitudes'
    std::vector<Happening> events;        // one per kind
    double dayLength;                     // hours the Sun's centre stands above its rising altitude
    double dayLengthChange;               // hours, against the date before
    double illuminatedFraction;           // the Moon's, at local noon
    double moonAgeDays;                   // at local noon, since the last new moon (NaN where unknown)
    std::vector<PhaseInstant> phases;     // the window's four phase lines, for a single day
};

// The principal phases whose universal instants fall in [from, to), in time order.
std::vector<PhaseInstant> PhasesBetween(JulianDay from, JulianDay to);

// The report of a single date, with the window's phase lines.
DayReport ComputeDay(const Observer& observer, QDate date, const std::vector<double>& altitudes = {});

// The report of every date from first to last, both included, handed to each
// in turn as it is made; the dates are searched a year at a time, so that the
// memory stays the same however long the range.
void ForEachDay(const Observer& observer, QDate first, QDate last, const std::vector<double>& altitudes,
                const std::function<void(const DayReport&)>& each);

// Reports of every date from first to last, both included.
std::vector<DayReport> ComputeRange(const Observer& observer, QDate first, QDate last,
                                    const std::vector<double>& altitudes = {});

// The first count instants after from at which the event happens at the
// observer: sought over the days they take, then for a year beyond.
std::vector<JulianDay> NextEvents(const Observer& observer, const EventKind& kind, JulianDay from, int count);

// The window's chart of a date, as the window computes it (its zone for the date).
DayFacts ChartFacts(const Observer& observer, QDate date);

// The universal date and time of an instant, to the second (truncated).
QDateTime UtcTime(JulianDay universal);

// The Moon's phase at an instant: its name ("waxing crescent" …), whether it
// waxes, and the fraction of the lunation since the new moon.
struct MoonPhase {
    std::string name;
    bool waxing;
    double lunation;
};
MoonPhase MoonPhaseAt(JulianDay universal);

// The sky of one instant: where the Sun and the Moon stand, seen from the place
// (the altitude of the centre without refraction, the parallax taken off),
// whether each is up (above the altitude of its rising), and the next rising
// and setting of each (within a year).
struct BodyNow {
    BodyPosition position;
    bool up;
    std::optional<JulianDay> nextRising, nextSetting;
};
struct SkyNow {
    JulianDay universal;
    BodyNow sun, moon;
    MoonPhase phase;
};
SkyNow ComputeNow(const Observer& observer, JulianDay universal);

// Day, night or twilight at an instant, by the Sun's altitude.
enum class Light { Day, CivilTwilight, NauticalTwilight, AstronomicalTwilight, Night };
Light LightAt(const Observer& observer, JulianDay universal);
const char* LightName(Light light);

}  // namespace helune::cli
