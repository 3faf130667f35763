// SPDX-License-Identifier: MIT
// What the console reports: a local date's events from its first instant to
// the next date's (23 or 25 hours on the days the clocks change), each at its
// own universal instant, or why it does not happen; the intervals between two
// altitudes of the Sun (golden and blue hour); the length of the day; the
// Moon's light and age; the principal phases and seasons of an interval; the
// sky of one instant. All from the engine's interval interface (Almanac.h).
#pragma once

#include <QDate>
#include <QDateTime>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Almanac.h"
#include "Composition.h"
#include "Observer.h"
#include "Records.h"

namespace helune::cli {

// One kind of event a date reports: a rising or setting through an altitude of
// the body's centre, or the upper transit; in the section of its body or of
// twilight.
enum class EventType { Rising, Setting, Transit };
enum class Section { Sun, Moon, Twilight, Altitudes };
struct EventKind {
    std::string key;      // JSON and CSV name
    std::string title;    // text label
    std::string meaning;  // the manual's
    SunOrMoon body;
    EventType type;
    double altitude;  // degrees, of a rising or setting
    Section section;
    // Whether the altitude is measured from the horizon (rising, setting,
    // twilight), which an observer above the sea sees lowered by its dip.
    bool horizon = true;
};

// The altitude at which the observer's event of a kind is sought.
double SearchedAltitude(const EventKind& kind, const Observer& observer);

// The twelve events of every date: the Sun's, the Moon's, dawn and dusk.
const std::vector<EventKind>& ReportedEvents();
// One of them by its key ("sunrise").
const EventKind& ReportedEvent(std::string_view key);

// The Sun's rising and setting through an asked altitude, "rising_at_+6" …
EventKind AltitudeEvent(double altitude, EventType type);

// The Sun between two altitudes of its centre, as people plan by it: golden
// hour (from −4° to +6°), blue hour (from −6° to −4°), or any pair.
struct SunBand {
    std::string key, title;  // "golden_hour", "Golden hour"
    double low, high;        // degrees, low < high
};
// The named bands.
const std::vector<SunBand>& NamedBands();
// The band of a name, or of a pair "LOW,HIGH" ("-4,6"); nothing for other text;
// a pair out of order or beyond ±90° is an error.
std::optional<SunBand> BandNamed(const std::string& text);

// The Sun above an altitude, as a band up to the zenith.
SunBand BandAbove(double low);

// A band's interval as the Sun rises through it and as it sets through it.
struct DailyBand {
    SunBand band;
    Interval morning, evening;
};

// The code and prose of a phase ("full_moon", "full moon").
Word PhaseWord(int16_t code);
// The code and prose of a season ("march_equinox", "March equinox").
Word SeasonWord(Season season);

struct DayReport {
    QDate date;
    JulianDay start, end;             // the local date's universal span
    std::vector<EventKind> kinds;     // ReportedEvents(), then the asked altitudes'
    std::vector<Event> events;        // one per kind
    std::vector<DailyBand> bands;     // one per asked band
    double dayLength;                 // hours the Sun's centre stands above its rising altitude
    double dayLengthChange;           // hours, against the date before
    double illuminatedFraction;       // the Moon's, at local noon
    double moonAgeDays;               // at local noon, since the last new moon (NaN where unknown)
    std::vector<PrincipalPhase> phases;  // the window's four phase lines, for a single day
};

// What a date's report is asked to hold beyond its twelve events.
struct DayQuestions {
    std::vector<double> altitudes;  // the Sun's risings and settings through each
    std::vector<SunBand> bands;     // the Sun's intervals between two altitudes
};

// The kinds of a report: the twelve events, then each asked altitude's rising and setting.
std::vector<EventKind> KindsAsked(const std::vector<double>& altitudes);

// The report of a single date, with the window's phase lines.
DayReport ComputeDay(const Observer& observer, QDate date, const DayQuestions& questions = {});

// The report of every date from first to last, both included, handed to each
// in turn as it is made; the dates are searched a year at a time, so that the
// memory stays the same however long the range.
void ForEachDay(const Observer& observer, QDate first, QDate last, const DayQuestions& questions,
                const std::function<void(const DayReport&)>& each);

// Reports of every date from first to last, both included.
std::vector<DayReport> ComputeRange(const Observer& observer, QDate first, QDate last,
                                    const DayQuestions& questions = {});

// The first count instants after from at which the event happens at the
// observer: sought over the days they take, then for a year beyond.
std::vector<JulianDay> NextEvents(const Observer& observer, const EventKind& kind, JulianDay from, int count);

// The first count spans after from during which the Sun's centre stands
// between the band's altitudes (one that has begun at from counts), each
// entered as the Sun rises (morning) or sets (evening).
struct BandSpan {
    JulianDay begin, end;
    bool morning;
};
std::vector<BandSpan> NextBandSpans(const Observer& observer, const SunBand& band, JulianDay from, int count);

// The window's chart of a date, as the window computes it (its zone for the date).
DayFacts ChartFacts(const Observer& observer, QDate date);

// The Moon's phase at an instant: its code and prose by eighths of the
// lunation ("waxing_crescent" …), whether it waxes, and the fraction of the
// lunation since the new moon.
struct MoonPhase {
    Word word;
    bool waxing;
    double lunation;
};
MoonPhase MoonPhaseAt(JulianDay universal);
// The codes of the eighths, from the new moon on.
const std::vector<Word>& MoonPhaseWords();

// The refraction of the standard atmosphere at a true altitude, degrees
// (Sæmundsson's formula, Meeus, Astronomical Algorithms, eq. 16.4), tapered
// to nothing from −1° down to the nadir, where the formula no longer holds.
double Refraction(double trueAltitude);

// The sky of one instant: where the Sun and the Moon stand, seen from the
// place (the apparent altitude of the centre: the parallax taken off and the
// refraction added), whether each is up (its geocentric altitude above that
// of its rising and setting, as they are found), the next rising and setting
// of each with their azimuths (within a year), and the Moon's distance and age.
struct BodyNow {
    BodyPosition position;  // altitude: apparent, seen from the place
    bool up;
    Event nextRising, nextSetting;
};
struct SkyNow {
    JulianDay universal;
    BodyNow sun, moon;
    MoonPhase phase;
    double moonAgeDays;  // since the last new moon
};
SkyNow ComputeNow(const Observer& observer, JulianDay universal);

// Day, night or twilight at an instant, by the Sun's altitude.
Word LightAt(const Observer& observer, JulianDay universal);
// Whether the Sun's centre stands within the band at an instant.
bool InBand(const Observer& observer, const SunBand& band, JulianDay universal);

}  // namespace helune::cli
