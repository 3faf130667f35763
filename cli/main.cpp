// helune-cli: the ephemeris engine for scripts and checks, in the engine's own
// conventions (degrees; longitude positive West; zone = UT minus local time in
// degrees, 15 per hour, positive West).
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "Efemerides.h"
#include "Phases.h"

namespace {

using helune::CalcEfemeride;

constexpr int kExitUsage = 2;

constexpr const char* kHelp = R"(usage:
  helune-cli calc BODY QUANTITY FLAGS JD LONGITUDE LATITUDE ZONE
  helune-cli events DAY MONTH YEAR LONGITUDE LATITUDE ZONE
  helune-cli --help

calc    prints one quantity of the ephemeris query, with %.17g:
          BODY      1 Mercury ... 8 Neptune (3: the Earth; its geocentric quantities
                    are the Sun's), 10 the Moon
          QUANTITY  1-6 mean elements, 7-9 heliocentric, 10-18 geocentric
                    (10 longitude, 13 right ascension in hours, 17 altitude, 18
                    azimuth from the South, positive West), 19 transit, 20 rising,
                    21 setting (local clock hours, -1 when not on the date)
          FLAGS     sum of 1 light time, 2 aberration, 4 FK5, 8 nutation
          JD        Julian day of the local clock time
events  prints, for local noon of the date, the Sun's and the Moon's rising,
        setting and transit (local clock hours, -1 when not on the date), then
        the eight phases that the day view lists around the date:
        'phase D M Y h m s CODE' (CODE 1 last quarter, 2 full, 3 first quarter,
        4 new moon, 0 a search that did not settle).

Conventions: angles in degrees; LONGITUDE positive West of Greenwich, LATITUDE
positive North; ZONE is universal time minus local clock time in degrees, 15 per
hour, positive West (Central European Time is -15, US Eastern Standard Time 75).
)";

// A bad argument: the message names it.
struct UsageError {
    std::string message;
};

double ParseNumber(std::string_view name, const char* text) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw UsageError{std::string(name) + ": '" + text + "' is not a finite number"};
    return value;
}

int16_t ParseInt16(std::string_view name, const char* text) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max())
        throw UsageError{std::string(name) + ": '" + text + "' is not a whole number from -32768 to 32767"};
    return static_cast<int16_t>(value);
}

void ExpectArguments(std::string_view command, const std::vector<const char*>& args, std::size_t count) {
    if (args.size() != count)
        throw UsageError{std::string(command) + ": expected " + std::to_string(count) + " arguments, got " +
                         std::to_string(args.size()) + " (see --help)"};
}

void Calc(const std::vector<const char*>& args) {
    ExpectArguments("calc", args, 7);
    const int16_t body = ParseInt16("BODY", args[0]);
    const int16_t quantity = ParseInt16("QUANTITY", args[1]);
    const int16_t flags = ParseInt16("FLAGS", args[2]);
    const double jd = ParseNumber("JD", args[3]);
    const double longitude = ParseNumber("LONGITUDE", args[4]);
    const double latitude = ParseNumber("LATITUDE", args[5]);
    const double zone = ParseNumber("ZONE", args[6]);
    std::printf("%.17g\n", CalcEfemeride(body, quantity, flags, jd, longitude, latitude, zone));
}

void Events(const std::vector<const char*>& args) {
    ExpectArguments("events", args, 6);
    const int16_t day = ParseInt16("DAY", args[0]);
    const int16_t month = ParseInt16("MONTH", args[1]);
    const int16_t year = ParseInt16("YEAR", args[2]);
    const double longitude = ParseNumber("LONGITUDE", args[3]);
    const double latitude = ParseNumber("LATITUDE", args[4]);
    const double zone = ParseNumber("ZONE", args[5]);
    const double noon = helune::JulianDayFromDate(day, month, year, 12, 0);
    if (noon < 0.0)
        throw UsageError{"DAY MONTH YEAR: " + std::string(args[0]) + " " + args[1] + " " + args[2] +
                         " is not a calendar date"};

    struct Line {
        const char* label;
        int16_t body, quantity;
    };
    const Line lines[] = {
        {"sun rising", helune::kBodySun, helune::kQuantityRising},
        {"sun setting", helune::kBodySun, helune::kQuantitySetting},
        {"sun transit", helune::kBodySun, helune::kQuantityTransit},
        {"moon rising", helune::kBodyMoon, helune::kQuantityRising},
        {"moon setting", helune::kBodyMoon, helune::kQuantitySetting},
        {"moon transit", helune::kBodyMoon, helune::kQuantityTransit},
    };
    for (const Line& line : lines)
        std::printf("%s %.17g\n", line.label,
                    CalcEfemeride(line.body, line.quantity, 0, noon, longitude, latitude, zone));
    for (const helune::PhaseEvent& p : helune::FindFasesLuna(day, month, year, zone))
        std::printf("phase %d %d %d %d %d %d %d\n", p.Day, p.Month, p.Year, p.Hour, p.Minute, p.Second,
                    p.PhaseCode);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<const char*> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::fputs("helune-cli: a command is needed (calc or events); see --help\n", stderr);
        return kExitUsage;
    }
    const std::string_view command = all[0];
    const std::vector<const char*> args(all.begin() + 1, all.end());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            std::fputs(kHelp, stdout);
        } else if (command == "calc") {
            Calc(args);
        } else if (command == "events") {
            Events(args);
        } else {
            throw UsageError{"unknown command '" + std::string(command) + "' (calc or events; see --help)"};
        }
    } catch (const UsageError& error) {
        std::fprintf(stderr, "helune-cli: %s\n", error.message.c_str());
        return kExitUsage;
    }
    return 0;
}
