// SPDX-License-Identifier: MIT
// The next sunrise and the next full moon after the start of a date, for a
// place: the engine's interval interface, in universal time.
//   next-events LATITUDE LONGITUDE YYYY-MM-DD   (degrees, North and East positive)
#include <helune/Almanac.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// A universal instant as a date and time of the Gregorian calendar.
void PrintInstant(const char* what, helune::UniversalTime universal) {
    const helune::CalendarTime t = helune::CalendarTimeOf(universal);
    std::printf("  %-15s %04d-%02d-%02d %02d:%02d:%02d UT\n", what, t.year, t.month, t.day, t.hour, t.minute,
                static_cast<int>(t.second));
}

std::optional<helune::UniversalTime> NextSunrise(helune::UniversalTime from, double longitudeWest, double latitude) {
    // A sunrise comes within a day and a half but near the poles; a year covers those.
    const helune::UniversalTime to = from + helune::Days{366.0};
    for (const helune::Crossing& c :
         helune::FindCrossings(helune::SunOrMoon::Sun, helune::kSunStandardAltitude, from, to, longitudeWest, latitude))
        if (c.rising) return c.universal;
    return std::nullopt;
}

std::optional<helune::UniversalTime> NextFullMoon(helune::UniversalTime from) {
    for (const helune::PrincipalPhase& p : helune::FindPhases(from, from + helune::Days{30.0}))
        if (p.code == helune::kFullMoon) return p.universal;
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    int year = 0, month = 0, day = 0;
    if (argc != 4 || std::sscanf(argv[3], "%4d-%2d-%2d", &year, &month, &day) != 3 || month < 1 || month > 12 ||
        day < 1 || day > 31) {
        std::fprintf(stderr, "usage: next-events LATITUDE LONGITUDE YYYY-MM-DD\n");
        return 2;
    }
    const double latitude = std::atof(argv[1]), longitudeEast = std::atof(argv[2]);
    const helune::UniversalTime from = helune::UniversalTimeOf({year, month, day, 0, 0, 0.0});
    std::printf("After %s 00:00 UT at %.4f, %.4f:\n", argv[3], latitude, longitudeEast);
    // The engine takes longitude positive West.
    if (const auto sunrise = NextSunrise(from, -longitudeEast, latitude)) PrintInstant("next sunrise", *sunrise);
    if (const auto full = NextFullMoon(from)) PrintInstant("next full moon", *full);
    return 0;
}
