// Waiting for an event of the day: the next instant at which it happens, from
// a given instant on.
#pragma once

#include <optional>
#include <string>

#include "Report.h"

namespace helune::cli {

// The events a wait can aim at: every reported event but the Moon's transit.
const EventKind* WaitableEvent(const std::string& name);

// Their names, "sunrise, solar_noon, …".
std::string WaitableEventNames();

// The first universal instant after now (both Julian days) at which the event,
// moved by offsetMinutes, falls at the observer; nothing within a year.
std::optional<JulianDay> NextEventInstant(const Observer& observer, const EventKind& event, double offsetMinutes,
                                          JulianDay now);

// Julian days of universal time and seconds of the Unix clock.
double UnixSeconds(JulianDay universal);
JulianDay UniversalFromUnix(double seconds);

}  // namespace helune::cli
