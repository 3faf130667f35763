// SPDX-License-Identifier: MIT
// The next sunrise and the next full moon after the start of a date, for a
// place: the engine's interval interface, in universal time.
//   next-events LATITUDE LONGITUDE YYYY-MM-DD   (degrees, North and East positive)
#include <helune/Almanac.h>
#include <helune/Phases.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// A Julian day as a date and time of universal time.
void PrintInstant(const char* what, helune::JulianDay universal) {
    helune::PhaseEvent t{};
    helune::JulianDayToDate(t, universal);
    std::printf("  %-15s %04d-%02d-%02d %02d:%02d:%02d UT\n", what, t.Year, t.Month, t.Day, t.Hour, t.Minute,
                t.Second);
}

std::optional<helune::JulianDay> NextSunrise(helune::JulianDay from, double longitudeWest, double latitude) {
    // A sunrise comes within a day and a half but near the poles; a year covers those.
    for (const helune::Crossing& c : helune::FindCrossings(helune::SunOrMoon::Sun, helune::kSunStandardAltitude, from,
                                                           from + 366.0, longitudeWest, latitude))
        if (c.rising) return c.universal;
    return std::nullopt;
}

std::optional<helune::JulianDay> NextFullMoon(helune::JulianDay from) {
    for (const helune::PrincipalPhase& p : helune::FindPhases(from, from + 30.0))
        if (p.code == helune::kFullMoon) return p.universal;
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    int year = 0, month = 0, day = 0;
    if (argc != 4 || std::sscanf(argv[3], "%4d-%2d-%2d", &year, &month, &day) != 3) {
        std::fprintf(stderr, "usage: next-events LATITUDE LONGITUDE YYYY-MM-DD\n");
        return 2;
    }
    const double latitude = std::atof(argv[1]), longitudeEast = std::atof(argv[2]);
    const helune::JulianDay from = helune::JulianDayFromDate(static_cast<int16_t>(day), static_cast<int16_t>(month),
                                                             static_cast<int16_t>(year), 0, 0);
    if (from < 0.0) {
        std::fprintf(stderr, "next-events: %s is not a calendar date\n", argv[3]);
        return 2;
    }
    std::printf("After %s 00:00 UT at %.4f, %.4f:\n", argv[3], latitude, longitudeEast);
    // The engine takes longitude positive West.
    if (const auto sunrise = NextSunrise(from, -longitudeEast, latitude)) PrintInstant("next sunrise", *sunrise);
    if (const auto full = NextFullMoon(from)) PrintInstant("next full moon", *full);
    return 0;
}
