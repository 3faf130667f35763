// SPDX-License-Identifier: MIT
// The day's facts as the chart and the console show them: the six events of a
// local date, the phase table and its four lines, and the texts of dates,
// clock times and angles.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <vector>

#include "Efemerides.h"
#include "Phases.h"

namespace helune {

// Angles and times as the chart writes them.
//   kind 1 longitude (W for 0 or more, E below), 2 latitude (N, S), other none;
//   parts 1 degrees, 2 degrees and minutes (minutes rounded, halves to even),
//   3 or more degrees, minutes and seconds (truncated).
QString FormatAngle(int16_t kind, int16_t parts, double value);
QString FormatHours(double value);  // hh:mm:ss, every field truncated
QString FormatDate(int16_t day, int16_t month, int16_t year);  // "Jan 08, 2010"
QString FormatClock(int16_t hour, int16_t minute, int16_t second);

// Hours of a clock as whole hours, minutes and seconds, each field truncated,
// never rounded: 13.99999 is 13:59:59.
struct ClockTime {
    int hour, minute, second;
};
ClockTime ClockOf(double hours);

// A double as stored text: general format, at most 15 significant digits, with
// the given decimal separator; −0 is written 0.
QString DecimalText(double value, QChar decimalSeparator);

// The names of the principal phases: the chart's line prefix ("FM : ") and the
// console's name ("full moon"); nothing for a code that names no phase.
const char* PhasePrefix(int16_t code);
const char* PhaseName(int16_t code);

// What the chart shows for one day: the engine's answers for the shown date
// and place.
struct DayFacts {
    int16_t day, month, year;
    double longitud, latitud, effectiveZone;  // degrees, positive West
    double sunRising, sunSetting, sunTransit;  // local hours, negative: none
    double moonRising, moonSetting, moonTransit;
    PhaseTable phases;
};

// The events of each body the chart shows, in the order the engine's console
// prints them.
inline constexpr int16_t kChartEvents[] = {kQuantityRising, kQuantitySetting, kQuantityTransit};

// Asks the engine for the six events of a local date; the phases are left empty
// (FindChartPhases fills them).
DayFacts ComputeDayEvents(int16_t day, int16_t month, int16_t year, double longitud, double latitud,
                          double effectiveZone);

// The chart's phase lines: the table's entries in order, each phase once (an
// entry with the code of the one before is the same phase found again), failed
// searches left out, at most four.
inline constexpr std::size_t kMaxPhaseLines = 4;
std::vector<PhaseEvent> ShownPhases(const PhaseTable& phases);

// FindFasesLuna's table as far as the chart's phase lines read it: its entries
// from the first until they show four lines (or all eight); the entries after
// are left unsearched, with no phase.
PhaseTable FindChartPhases(int16_t day, int16_t month, int16_t year, double zone);

// The footer: the place and the zone in force, "Lo:   3°42'W La:  40°25'N Dif:1".
QString FooterText(const DayFacts& facts, QChar decimalSeparator);

}  // namespace helune
