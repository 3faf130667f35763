// SPDX-License-Identifier: MIT
// calc and events: the engine's query and a date's events in the engine's own
// conventions (degrees; longitude positive West; zone = universal minus local
// clock time in degrees, 15 an hour, positive West).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

#include "DayFacts.h"
#include "Efemerides.h"
#include "Handlers.h"
#include "Phases.h"

namespace helune::cli {

namespace {

double NumberOf(std::string_view name, const std::string& text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value) throw UsageError{std::string(name) + ": " + Quoted(text) + " is not a finite number"};
    return *value;
}

int16_t Int16Of(std::string_view name, const std::string& text) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE || value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max())
        throw UsageError{std::string(name) + ": " + Quoted(text) + " is not a whole number from -32768 to 32767"};
    return static_cast<int16_t>(value);
}

// One date and place of the engine's events.
struct EventsQuery {
    int16_t day, month, year;
    double longitude, latitude, zone;
};

EventsQuery EventsQueryOf(const std::vector<std::string>& values) {
    if (values.size() != 6)
        throw UsageError{"events: expected 6 arguments, got " + std::to_string(values.size()) + " (see --help)"};
    const EventsQuery q{Int16Of("DAY", values[0]),        Int16Of("MONTH", values[1]),
                        Int16Of("YEAR", values[2]),       NumberOf("LONGITUDE", values[3]),
                        NumberOf("LATITUDE", values[4]),  NumberOf("ZONE", values[5])};
    if (JulianDayFromDate(q.day, q.month, q.year, 12, 0) < 0.0)
        throw UsageError{"DAY MONTH YEAR: " + values[0] + " " + values[1] + " " + values[2] + " is not a calendar date"};
    return q;
}

// The 14 lines of a date: the Sun's and the Moon's events, each body's three
// asked together, then the window's eight phase searches.
void PrintEvents(std::ostream& out, const EventsQuery& q) {
    const double noon = JulianDayFromDate(q.day, q.month, q.year, 12, 0);
    char line[96];
    for (const auto& [name, body] : {std::pair{"sun", kBodySun}, std::pair{"moon", kBodyMoon}}) {
        double times[std::size(kChartEvents)];
        CalcEfemerides(body, kChartEvents, 0, noon, q.longitude, q.latitude, q.zone, times);
        for (const auto& [what, time] : {std::pair{"rising", times[0]}, {"setting", times[1]}, {"transit", times[2]}}) {
            std::snprintf(line, sizeof line, "%s %s %.17g\n", name, what, time);
            out << line;
        }
    }
    for (const PhaseEvent& p : FindFasesLuna(q.day, q.month, q.year, q.zone))
        out << "phase " << p.Day << ' ' << p.Month << ' ' << p.Year << ' ' << p.Hour << ' ' << p.Minute << ' '
            << p.Second << ' ' << p.PhaseCode << '\n';
}

// No line of six values needs more.
constexpr std::size_t kLongestLine = 1000;

// The next line of in, without its end; nothing at the end of the input. A
// line longer than kLongestLine bytes is refused as soon as that many are
// read, so that an endless one (/dev/zero) takes no more memory than a line.
std::optional<std::string> NextLine(std::istream& in, int number) {
    std::string line;
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n') return line;
        if (line.size() == kLongestLine)
            throw UsageError{"line " + std::to_string(number) + ": longer than " + std::to_string(kLongestLine) +
                             " bytes"};
        line.push_back(static_cast<char>(c));
    }
    if (in.bad()) throw WriteError{"standard input could not be read"};
    return line.empty() ? std::nullopt : std::optional(line);
}

// 'events -': one date and place a line on standard input, answered in order;
// blank lines are passed over. A bad line stops the run with its number.
void EventsOfInput(std::ostream& out) {
    int number = 0;
    while (const std::optional<std::string> line = NextLine(std::cin, number + 1)) {
        ++number;
        std::istringstream fields(*line);
        const std::vector<std::string> words{std::istream_iterator<std::string>(fields),
                                             std::istream_iterator<std::string>()};
        if (words.empty()) continue;
        if (words.size() != 6)
            throw UsageError{"line " + std::to_string(number) + ": expected 6 values, got " +
                             std::to_string(words.size())};
        try {
            PrintEvents(out, EventsQueryOf(words));
        } catch (const UsageError& error) {
            throw UsageError{"line " + std::to_string(number) + ": " + error.message};
        }
    }
}

}  // namespace

int RunCalc(const CommandLine& line, Console& console) {
    const std::vector<std::string> v = line.GivenArguments();
    // Read in order, so that the first bad value is the one named.
    const int16_t body = Int16Of("BODY", v[0]), quantity = Int16Of("QUANTITY", v[1]), flags = Int16Of("FLAGS", v[2]);
    const double jd = NumberOf("JD", v[3]), longitude = NumberOf("LONGITUDE", v[4]);
    const double latitude = NumberOf("LATITUDE", v[5]), zone = NumberOf("ZONE", v[6]);
    const double value = CalcEfemeride(body, quantity, flags, jd, longitude, latitude, zone);
    char text[32];
    std::snprintf(text, sizeof text, "%.17g\n", value);
    console.out << text;
    return 0;
}

int RunEvents(const CommandLine& line, Console& console) {
    const std::vector<std::string> values = line.GivenArguments();
    if (values.size() == 1 && values.front() == "-")
        EventsOfInput(console.out);
    else
        PrintEvents(console.out, EventsQueryOf(values));
    return 0;
}

}  // namespace helune::cli
