// SPDX-License-Identifier: MIT
// The Moon's principal phases: instants at which the difference of the Sun's and
// the Moon's geometric geocentric longitudes is a multiple of 90°. The search
// runs on the theories' dynamical time; the instants it answers are universal
// time (ΔT taken off).
#pragma once

#include <array>
#include <cstdint>

#include "Calendar.h"
#include "HeluneApi.h"
#include "PhaseCodes.h"

namespace helune {


// A phase in local date and time.
struct PhaseEvent {
    int16_t Day;
    int16_t Month;
    int16_t Year;
    int16_t Hour;
    int16_t Minute;
    int16_t Second;
    int16_t PhaseCode;
    bool operator==(const PhaseEvent&) const = default;
};

inline constexpr int kPhaseSearches = 8;
using PhaseTable = std::array<PhaseEvent, kPhaseSearches>;

// The Sun's minus the Moon's geometric geocentric longitude, degrees in
// [0, 360], at jd taken as the theories' (dynamical) time.
HELUNE_API double Elongation(JulianDay jd);

// The phase a search starting at the Sun−Moon difference e (degrees, [0, 360])
// aims at: 90, 180, 270 or 360, by the quadrant of e centred on each, lower limit
// inclusive.
HELUNE_API double PhaseTarget(double e);

// One step of the search from the difference e towards target, in degrees of
// difference: positive moves the instant back. Approached from just above 0°,
// the new moon's target counts as 0°.
HELUNE_API double PhaseStep(double target, double e);

// The calendar date and clock time of jd: Day … Second of event (PhaseCode is
// left alone). The time is truncated field by field, never rounded; Julian
// calendar before 15 October 1582, Gregorian from then on.
HELUNE_API void JulianDayToDate(PhaseEvent& event, JulianDay jd);

// The phase nearest (in the Sun−Moon longitude difference) to 0h of the date in
// event's Day, Month, Year, found by stepping the instant by the difference at a
// fixed 29.55 days a turn until a step is below 0.0001°. On return all seven
// fields hold the phase in local time: the instant found, less ΔT, less zone
// (universal minus local time in degrees, 15 per hour). A start that is not a calendar date, or a search that
// does not settle, keeps the start date at 0:00:00 with PhaseCode kNoPhase.
HELUNE_API void FindFase(PhaseEvent& event, double zone);

// Eight phase searches around a shown local date: the first from ten days before
// it, the others 7, 14, … days after the local date of the first phase found.
// Consecutive entries may be the same phase found twice.
HELUNE_API PhaseTable FindFasesLuna(int16_t day, int16_t month, int16_t year, double zone);

// The searches of FindFasesLuna one at a time, for a reader that needs only the
// first entries: Next answers entry 0, 1, … in turn, each as FindFasesLuna has
// it, at the cost of its own search.
class HELUNE_API PhaseTableSearch {
public:
    PhaseTableSearch(int16_t day, int16_t month, int16_t year, double zone);
    PhaseEvent Next();
    int Found() const { return found_; }  // entries answered so far

private:
    int16_t day_, month_, year_;  // the next search's start
    double zone_;
    int found_ = 0;
};

}  // namespace helune
