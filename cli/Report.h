// What the console reports for a date and an interval: the day's events with
// the reason of any that does not happen, the Moon's illuminated fraction and
// age, and the principal phases.
#pragma once

#include <QDate>
#include <QDateTime>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Composition.h"
#include "Observer.h"

namespace helune::cli {

// The altitude of the Sun's centre that defines an event, and the reasons given
// when the Sun stays above it or below it all day.
struct SunThreshold {
    double altitude;
    const char* staysAbove;
    const char* staysBelow;
};

// One event of a day as the engine names it: a body and a quantity of
// CalcEfemeride, and for the Sun's crossings the threshold that explains a
// missing one (transits and the Moon have none).
struct EventKind {
    const char* key;    // JSON and CSV name
    const char* title;  // text heading
    int16_t body;
    int16_t quantity;
    std::optional<SunThreshold> threshold;
};

// The events of a day report, in their order.
const std::vector<EventKind>& ReportedEvents();

// An event that happens (local clock hours) or why it does not.
struct EventTime {
    std::optional<double> hours;
    std::string reason;
};

inline constexpr char kPolarDay[] = "polar day";
inline constexpr char kPolarNight[] = "polar night";
inline constexpr char kNoEvent[] = "no event on this date";

// A principal phase at a universal instant.
struct PhaseInstant {
    int16_t code;
    JulianDay universal;
};

struct DayReport {
    QDate date;
    double zone;                     // in force on the date, degrees positive West
    DayFacts facts;                  // what the window's chart shows (phases only for a single day)
    std::vector<EventTime> events;   // one per ReportedEvents()
    double illuminatedFraction;      // of the Moon at local noon
    double moonAgeDays;              // at local noon, since the previous new moon
};

// The principal phases whose universal instants fall in [from, to), in time order.
std::vector<PhaseInstant> PhasesBetween(JulianDay from, JulianDay to);

// The report of date; newMoons must hold the last new moon before its noon.
DayReport ComputeDay(const Observer& observer, QDate date, const std::vector<PhaseInstant>& newMoons,
                     bool withChartPhases);

// The report of a single date, with the phases of the window's chart.
DayReport ComputeDay(const Observer& observer, QDate date);

// Reports of every date from first to last, both included.
std::vector<DayReport> ComputeRange(const Observer& observer, QDate first, QDate last);

// The local date and clock time of an instant as the window writes clock hours
// (fields truncated), with the offset of zone.
QDateTime LocalDateTime(QDate date, double hours, double zone);

// The Julian day of the local midnight that begins date.
JulianDay LocalMidnight(QDate date);

// The universal instant of local clock hours on date.
JulianDay UniversalInstant(QDate date, double hours, double zone);

// The local date-time of a phase at the observer, in the zone of its local date.
QDateTime LocalPhaseTime(const Observer& observer, const PhaseInstant& phase);

// The universal date and time of a phase, to the second.
QDateTime PhaseUtc(const PhaseInstant& phase);


}  // namespace helune::cli
