// SPDX-License-Identifier: MIT
// The next events from an instant on, for `next` and `wait`, and a sleep that
// keeps to the wall clock through a suspended machine.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Report.h"

namespace helune::cli {

// What `next` and `wait` can aim at: a rising, setting or transit of the day's
// reports (a rising or setting through --altitude where one is given), a
// principal phase, an equinox or a solstice.
struct Upcoming {
    std::optional<EventKind> event;
    std::optional<int16_t> phase;  // a phase code
    std::vector<Season> seasons;   // any of these
};

// The names `next` takes: every reported event, the phases, "equinox",
// "solstice" and each season by its month ("march_equinox" …).
std::optional<Upcoming> UpcomingNamed(const std::string& name, std::optional<double> altitude = std::nullopt);
std::vector<std::string> UpcomingNames();

// The names `wait` takes: the reported events but the Moon's transit.
std::optional<Upcoming> WaitableNamed(const std::string& name, std::optional<double> altitude = std::nullopt);
std::vector<std::string> WaitableNames();

// The first count instants after from at which the event happens at the
// observer: a day's event sought for a year beyond the count's own days, a
// phase or a season for as many lunations or years as count and one more.
std::vector<JulianDay> NextInstants(const Observer& observer, const Upcoming& upcoming, JulianDay from, int count);

// Seconds of the Unix clock of a universal instant, and back.
double UnixSeconds(JulianDay universal);
JulianDay UniversalFromUnix(double seconds);

// The wall clock and a sleep, handed in so that tests can move time.
struct WallClock {
    std::function<double()> now;                 // Unix seconds
    std::function<void(double seconds)> sleep;   // sleeps about this long, or less
};
WallClock SystemWallClock();

// Sleeps until target (Unix seconds) by the wall clock, a minute at a time at
// most, so that time spent suspended counts. Answers whether it woke in time:
// false when it found itself more than a minute past the target.
bool SleepUntil(double target, const WallClock& clock);

// What a wait does when it wakes more than a minute after its moment (the
// machine slept through it): carry on as if on time, or wait for the next.
enum class IfMissed { Run, Skip };

// Waits for the next moment offsetMinutes after (negative: before) the event
// at the observer, by the wall clock; say hears what it waits for and what it
// missed. Answers the moment it ended at, or nothing when the event does not
// happen within the search's reach.
std::optional<JulianDay> WaitForNext(const Observer& observer, const Upcoming& upcoming, double offsetMinutes,
                                     IfMissed ifMissed, const WallClock& clock,
                                     const std::function<void(const std::string&)>& say);

}  // namespace helune::cli
