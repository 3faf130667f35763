// SPDX-License-Identifier: MIT
// helune-cli: a day's events, a range of days, the Moon's phases and the
// seasons, the sky now, the next event, day or night, a wait for an event and
// the chart as a picture, for people and scripts; and the engine itself
// (calc, events) in its own conventions (degrees; longitude positive West; zone
// = UT minus local time in degrees, 15 per hour, positive West).
#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimeZone>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <map>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "DayFacts.h"
#include "Efemerides.h"
#include "Output.h"
#include "Places.h"
#include "Phases.h"
#include "Surroundings.h"
#ifdef HELUNE_RENDER_IN_PROCESS
#include <QGuiApplication>

#include "Render.h"
#endif
#include "Waiting.h"

namespace {

using helune::CalcEfemeride;
using helune::JulianDay;

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

// Output that could not be written: one line, and the failure's status.
struct WriteError {
    std::string message;
};

// The whole help, laid out as help2man reads it (the manual page is made from
// it): sections headed "Name:" at the left margin, items indented by two
// spaces with their text from column 24.
constexpr const char* kHelp = R"(Usage: helune-cli [COMMAND] [ARGUMENT]... [OPTION]...
The times of the Sun and the Moon for one place: risings, transits, settings,
twilight, the Moon's phases, the equinoxes and solstices, the sky of an
instant, and a wait for the next event. Without a command, the day's events.
Dates are YYYY-MM-DD of the Gregorian calendar, from 0001-02-01 to 9999-11-15.

Commands:
  day [DATE]            the events of a local date (YYYY-MM-DD, today by
                        default), from its midnight to the next: the Sun's
                        rising, transit (solar noon, with its altitude) and
                        setting, the day's length and its change from the day
                        before; the Moon's rising, transit and setting, its
                        illuminated fraction and age at noon; civil, nautical
                        and astronomical dawn and dusk (the Sun 6, 12 and 18
                        degrees down); the principal phases around the date.
                        Each time has the offset in force at its own instant;
                        an event that does not happen says why (polar day,
                        polar night, no moonrise this date). With --as-window,
                        the window's chart as text.
  range FROM TO         one row a day from FROM to TO, with the same events
  phases FROM TO        the Moon's principal phases from FROM to TO
                        (--seasons: with the equinoxes and solstices)
  seasons FROM TO       the equinoxes and solstices from FROM to TO
  now                   where the Sun and the Moon stand (altitude; azimuth
                        from North, clockwise), whether they are up, the next
                        rising and setting of each, and the Moon's illuminated
                        fraction and phase
  next EVENT            the next EVENT, or --count of them, as ISO 8601 times,
                        one a line
  poll                  day, twilight or night at the place, said in the exit
                        status too (see Exit status)
  wait EVENT            sleeps until the next EVENT at the place, moved by
                        --offset minutes, then exits 0 (1: none within a
                        year). It keeps to the wall clock, so a suspended
                        machine wakes it at the right time.
  render [DATE]         the window's chart, pixel for pixel, as a PNG picture,
                        on the window's clock (--as-window)
  calc BODY QUANTITY FLAGS JD LONGITUDE LATITUDE ZONE
                        one quantity of the ephemeris query, printed with
                        %.17g (see The engine's query)
  events DAY MONTH YEAR LONGITUDE LATITUDE ZONE
                        for local noon of the date, the Sun's and the Moon's
                        rising, setting and transit (local clock hours, -1
                        when not on the date), then the eight phases that the
                        window lists around the date: 'phase D M Y h m s
                        CODE' (CODE 1 last quarter, 2 full, 3 first quarter,
                        4 new moon, 0 a search that did not settle)
  events -              the six values from each line of standard input, each
                        answered with its 14 lines, in order

Events:
  sunrise, solar_noon, sunset, moonrise, moon_transit (not for wait), moonset,
  civil_dawn, civil_dusk, nautical_dawn, nautical_dusk, astronomical_dawn,
  astronomical_dusk; for next also new_moon, first_quarter, full_moon,
  last_quarter, equinox, solstice, march_equinox, june_solstice,
  september_equinox, december_solstice.

Place:
  --place NAME          a city of the system's time-zone database (Oslo,
                        New_York): its coordinates and zone
  --lat DEGREES         latitude, North positive, or with a hemisphere letter
                        (40.4, 40.4N); with --lon
  --lon DEGREES         longitude, East positive, or with a hemisphere letter
                        (-3.7, 3.7W); the window's store keeps it positive
                        West, the console converts
  --tz ZONE             an IANA zone (Europe/Madrid) with its history: each
                        time in the offset in force at its instant
  --utc-offset +HH:MM   a fixed offset from universal time
  --as-window           the window's clock: one offset a date (--tz's at
                        local midnight, or the window's daylight rule)

  Without --tz or --utc-offset, the system's zone (TZ, else the configured
  one). Without a place, the window's stored one, else the principal city of
  the zone, named on standard error.

Options:
  --format FORMAT       text (the default), json or csv; for phases and
                        seasons also ics (iCalendar)
  --altitude DEG        also the Sun's rising and setting through DEG degrees
                        of altitude of its centre; day and range take it again
                        and again, and two names: golden_hour (the Sun from -4
                        to +6 degrees) and blue_hour (-6 to -4). For next and
                        wait one number, with a rising EVENT (sunrise, any
                        dawn) or a setting one (sunset, any dusk).
  --at INSTANT          for now, next and poll: 2026-06-21T12:00, seconds
                        optional, with Z or an offset (+02:00), or without on
                        the place's clock; now by default
  --count N             for next: how many, 1 to 1000
  --offset MINUTES      for wait: minutes after the event (negative: before)
  --if-missed WHAT      for wait, woken more than a minute after the moment
                        (a suspended machine): run exits at once (the
                        default), skip waits for the next one
  --verbose             for wait: says what it waits for
  --seasons             for phases: the equinoxes and solstices too
  --all-day             for phases and seasons in ics: one all-day event on
                        each local date, the time in the description
  --output FILE         for render: the PNG file, - for standard output
  -h, --help            this help; COMMAND --help lists that command's options
  --version             the version

The engine's query:
  BODY                  1 Mercury ... 8 Neptune (3: the Earth; its geocentric
                        quantities are the Sun's), 10 the Moon
  QUANTITY              1-6 mean elements, 7-9 heliocentric, 10-18
                        geocentric (10 longitude, 13 right ascension in hours,
                        17 altitude, 18 azimuth from the South, positive
                        West), 19 transit, 20 rising, 21 setting (local clock
                        hours, -1 when not on the date)
  FLAGS                 sum of 1 light time, 2 aberration, 4 FK5, 8 nutation
  JD                    Julian day of the local clock time

  Angles in degrees; LONGITUDE positive West of Greenwich, LATITUDE positive
  North; ZONE is universal time minus local clock time in degrees, 15 per
  hour, positive West (Central European Time is -15, US Eastern Standard Time
  75).

Exit status:
  0                     the answer was written
  1                     an event does not happen within reach, or the output
                        could not be written
  2                     a bad command line, named in one line on standard
                        error (for poll: 64)
  2, 3, 4               poll: day, night, twilight (the Sun's centre between
                        0.833 and 18 degrees below the horizon)

Examples:
  helune-cli next full_moon --count 3

  helune-cli day --place Oslo --altitude golden_hour

  helune-cli phases 2027-01-01 2027-12-31 --seasons --format ics --all-day

  In a crontab, lights on a quarter of an hour before sunset:

  0 12 * * * helune-cli wait sunset --offset -15 --if-missed skip && lights-on

  In a status bar, the Moon's phase:

  helune-cli now --format json | jq -r .moon.phase
)";

using helune::cli::UsageError;

double ParseNumber(std::string_view name, const char* text) {
    const std::optional<double> value = helune::cli::ParseDecimal(text);
    if (!value) throw UsageError{std::string(name) + ": " + helune::cli::Quoted(text) + " is not a finite number"};
    return *value;
}

int16_t ParseInt16(std::string_view name, const char* text) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max())
        throw UsageError{std::string(name) + ": " + helune::cli::Quoted(text) +
                         " is not a whole number from -32768 to 32767"};
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

// One date and place of the engine's events.
struct EventsQuery {
    int16_t day, month, year;
    double longitude, latitude, zone;
};

EventsQuery ParseEventsQuery(const std::vector<const char*>& args) {
    ExpectArguments("events", args, 6);
    const EventsQuery q{ParseInt16("DAY", args[0]),         ParseInt16("MONTH", args[1]),
                        ParseInt16("YEAR", args[2]),        ParseNumber("LONGITUDE", args[3]),
                        ParseNumber("LATITUDE", args[4]),   ParseNumber("ZONE", args[5])};
    if (helune::JulianDayFromDate(q.day, q.month, q.year, 12, 0) < 0.0)
        throw UsageError{"DAY MONTH YEAR: " + std::string(args[0]) + " " + args[1] + " " + args[2] +
                         " is not a calendar date"};
    return q;
}

// The 14 lines of a date: the Sun's and the Moon's events, each body's three
// asked together, then the window's eight phase searches.
void PrintEvents(const EventsQuery& q) {
    const double noon = helune::JulianDayFromDate(q.day, q.month, q.year, 12, 0);
    for (const auto& [name, body] : {std::pair{"sun", helune::kBodySun}, std::pair{"moon", helune::kBodyMoon}}) {
        double times[std::size(helune::kChartEvents)];
        helune::CalcEfemerides(body, helune::kChartEvents, 0, noon, q.longitude, q.latitude, q.zone, times);
        std::printf("%s rising %.17g\n%s setting %.17g\n%s transit %.17g\n", name, times[0], name, times[1], name,
                    times[2]);
    }
    for (const helune::PhaseEvent& p : helune::FindFasesLuna(q.day, q.month, q.year, q.zone))
        std::printf("phase %d %d %d %d %d %d %d\n", p.Day, p.Month, p.Year, p.Hour, p.Minute, p.Second,
                    p.PhaseCode);
}

// 'events -': one date and place a line on standard input, answered in order;
// blank lines are passed over. A bad line stops the run with its number.
void EventsOfInput() {
    int number = 0;
    for (std::string line; std::getline(std::cin, line);) {
        ++number;
        std::istringstream fields(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(fields), std::istream_iterator<std::string>()};
        if (words.empty()) continue;
        if (words.size() != 6)
            throw UsageError{"line " + std::to_string(number) + ": expected 6 values, got " +
                             std::to_string(words.size())};
        std::vector<const char*> args;
        for (const std::string& word : words) args.push_back(word.c_str());
        try {
            PrintEvents(ParseEventsQuery(args));
        } catch (const UsageError& error) {
            throw UsageError{"line " + std::to_string(number) + ": " + error.message};
        }
    }
}

void Events(const std::vector<const char*>& args) {
    if (args.size() == 1 && std::string_view(args[0]) == "-") return EventsOfInput();
    PrintEvents(ParseEventsQuery(args));
}

// What the people's commands read from the command line.
struct Arguments {
    helune::cli::PlaceOptions place;
    // What completes each option's and argument's value, where a list does:
    // the command's formats, the event names …
    std::map<std::string, std::vector<std::string>> values;
    std::string format = "text";
    std::string date, from, to, output, event, offset, at, ifMissed = "run";
    std::vector<std::string> altitudes;
    int count = 1;
    bool verbose = false, allDay = false, seasons = false;
};

using helune::cli::Observer;

void AddPlaceOptions(CLI::App* command, Arguments& a) {
    CLI::Option* place =
        command->add_option("--place", a.place.place, "a city of the system's time-zone database (Oslo, New_York): "
                                                      "its coordinates and zone");
    CLI::Option* latitude =
        command->add_option("--lat", a.place.latitude, "latitude in degrees, North positive, or with N/S: 40.4, 40.4N");
    CLI::Option* longitude =
        command->add_option("--lon", a.place.longitude,
                            "longitude in degrees, East positive, or with E/W: -3.7, 3.7W (the window's store keeps "
                            "longitude positive West; the console converts)");
    CLI::Option* zone = command->add_option(
        "--tz", a.place.timeZone, "IANA time zone (Europe/Madrid), with its history: each time in the offset in force "
                                  "at its instant; the system's zone by default");
    CLI::Option* offset = command->add_option("--utc-offset", a.place.utcOffset, "fixed offset from UT, +HH:MM or -HH:MM");
    command->add_flag("--as-window", a.place.asWindow,
                      "the window's clock: one offset a date, the window's daylight-saving rule unless --tz or "
                      "--utc-offset");
    zone->excludes(offset);
    place->excludes(latitude)->excludes(longitude);
}

// Names as a list in a sentence: "a, b, c".
std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

void AddFormatOption(CLI::App* command, Arguments& a, std::vector<std::string> formats, const char* note = "") {
    command->add_option("--format", a.format, "output format: " + Listed(formats) + note);
    a.values["--format"] = std::move(formats);
}

void AddAtOption(CLI::App* command, Arguments& a) {
    command->add_option("--at", a.at,
                        "the instant, 2026-06-21T12:00[:00] with Z or an offset (+02:00), or on the place's clock "
                        "without; now by default");
}

// The --format given, one of the command's.
helune::cli::Format CheckedFormat(const Arguments& a) {
    const std::vector<std::string>& allowed = a.values.at("--format");
    if (std::find(allowed.begin(), allowed.end(), a.format) != allowed.end()) return helune::cli::ParseFormat(a.format);
    throw UsageError{"--format: " + helune::cli::Quoted(a.format) + " is not one of " + Listed(allowed)};
}

Observer ObserverOf(helune::cli::PlaceOptions options, bool asWindow = false) {
    options.asWindow = options.asWindow || asWindow;
    return Observer::FromOptions(options);
}

// What the observer assumed goes to standard error once the command line has
// proved sound, before the answer.
void SayAssumed(const Observer& observer) {
    for (const std::string& note : observer.Notes()) std::fprintf(stderr, "helune-cli: %s\n", note.c_str());
}

QDate DateOrToday(const std::string& text) {
    return text.empty() ? helune::LocalToday() : helune::cli::ParseDate("DATE", text);
}

void CheckOrder(QDate from, QDate to) {
    if (to < from)
        throw UsageError{"TO: '" + to.toString(Qt::ISODate).toStdString() + "' is before FROM '" +
                         from.toString(Qt::ISODate).toStdString() + "'"};
}

// The largest altitude of the Sun any event is asked at: beyond it, nothing
// happens anywhere.
constexpr double kLargestAltitude = 90.0;

double AltitudeNumber(const std::string& text) {
    const std::optional<double> value = helune::cli::ParseDecimal(text);
    if (!value || std::fabs(*value) > kLargestAltitude)
        throw UsageError{"--altitude: " + helune::cli::Quoted(text) +
                         " is not a number of degrees from -90 to 90 nor golden_hour or blue_hour"};
    return *value;
}

// The altitudes of --altitude, numbers or named shortcuts, each once.
std::vector<double> Altitudes(const std::vector<std::string>& texts) {
    std::vector<double> altitudes;
    for (const std::string& text : texts) {
        const auto named = helune::cli::AltitudeShortcut(text);
        for (const double altitude : named ? *named : std::vector<double>{AltitudeNumber(text)})
            if (std::find(altitudes.begin(), altitudes.end(), altitude) == altitudes.end()) altitudes.push_back(altitude);
    }
    return altitudes;
}

// The one altitude next and wait take.
std::optional<double> SingleAltitude(const std::vector<std::string>& texts) {
    if (texts.empty()) return std::nullopt;
    if (texts.size() > 1 || helune::cli::AltitudeShortcut(texts.front()))
        throw UsageError{"--altitude: next and wait take one number of degrees"};
    return AltitudeNumber(texts.front());
}

JulianDay InstantOrNow(const std::string& text, const Observer& observer) {
    if (!text.empty()) return helune::cli::ParseInstant("--at", text, observer);
    return helune::cli::UniversalFromUnix(helune::cli::SystemWallClock().now());
}

void Day(const Arguments& a) {
    const auto format = CheckedFormat(a);
    const Observer observer = ObserverOf(a.place);
    const QDate date = DateOrToday(a.date);
    const std::vector<double> altitudes = Altitudes(a.altitudes);
    if (a.place.asWindow && format == helune::cli::Format::Text) {
        if (!altitudes.empty()) throw UsageError{"--altitude: the window's chart has none (drop --as-window)"};
        SayAssumed(observer);
        return helune::cli::WriteChart(std::cout, helune::cli::ChartFacts(observer, date));
    }
    SayAssumed(observer);
    helune::cli::WriteDay(std::cout, helune::cli::ComputeDay(observer, date, altitudes), observer, format);
}

void Range(const Arguments& a) {
    const auto format = CheckedFormat(a);
    const Observer observer = ObserverOf(a.place);
    const QDate from = helune::cli::ParseDate("FROM", a.from), to = helune::cli::ParseDate("TO", a.to);
    CheckOrder(from, to);
    const std::vector<double> altitudes = Altitudes(a.altitudes);
    SayAssumed(observer);
    // Each date is written as soon as it is known; a write that fails ends the run.
    helune::cli::RangeWriter writer(std::cout, observer, format);
    helune::cli::ForEachDay(observer, from, to, altitudes, [&writer](const helune::cli::DayReport& report) {
        writer.Add(report);
        if (!std::cout || std::ferror(stdout)) throw WriteError{"cannot write standard output"};
    });
    writer.Finish();
}

// The universal span of the local dates from FROM to TO.
std::pair<JulianDay, JulianDay> Span(const Arguments& a, const Observer& observer) {
    const QDate from = helune::cli::ParseDate("FROM", a.from), to = helune::cli::ParseDate("TO", a.to);
    CheckOrder(from, to);
    return {observer.DayStart(from), observer.DayStart(to.addDays(1))};
}

helune::cli::CalendarOptions Calendar(const Arguments& a, helune::cli::Format format) {
    if (a.allDay && format != helune::cli::Format::Ics) throw UsageError{"--all-day: only with --format ics"};
    return {a.allDay, QDateTime::currentDateTimeUtc()};
}

void Phases(const Arguments& a) {
    const auto format = CheckedFormat(a);
    const Observer observer = ObserverOf(a.place);
    const auto [start, end] = Span(a, observer);
    const helune::cli::CalendarOptions calendar = Calendar(a, format);
    SayAssumed(observer);
    helune::cli::WriteAlmanac(std::cout, helune::cli::PhasesBetween(start, end),
                              a.seasons ? helune::FindSeasons(start, end) : std::vector<helune::SeasonStart>{},
                              observer, format, calendar);
}

void Seasons(const Arguments& a) {
    const auto format = CheckedFormat(a);
    const Observer observer = ObserverOf(a.place);
    const auto [start, end] = Span(a, observer);
    const helune::cli::CalendarOptions calendar = Calendar(a, format);
    SayAssumed(observer);
    helune::cli::WriteAlmanac(std::cout, {}, helune::FindSeasons(start, end), observer, format, calendar);
}

void Now(const Arguments& a) {
    const auto format = CheckedFormat(a);
    const Observer observer = ObserverOf(a.place);
    const JulianDay instant = InstantOrNow(a.at, observer);
    SayAssumed(observer);
    helune::cli::SkyNow sky = helune::cli::ComputeNow(observer, instant);
    for (helune::cli::BodyNow* body : {&sky.sun, &sky.moon})
        for (std::optional<JulianDay>* next : {&body->nextRising, &body->nextSetting})
            if (*next && !helune::cli::Writable(**next, observer)) next->reset();
    helune::cli::WriteNow(std::cout, sky, observer, format);
}

// The most events next lists at once.
constexpr int kMostUpcoming = 1000;

int Next(const Arguments& a) {
    const auto upcoming = helune::cli::UpcomingNamed(a.event, SingleAltitude(a.altitudes));
    if (!upcoming)
        throw UsageError{"EVENT: " + helune::cli::Quoted(a.event) + " is not one of " + Listed(helune::cli::UpcomingNames()) +
                         (a.altitudes.empty() ? "" : " (with --altitude: the Sun's risings and settings)")};
    if (a.count < 1 || a.count > kMostUpcoming)
        throw UsageError{"--count: " + std::to_string(a.count) + " is not from 1 to " + std::to_string(kMostUpcoming)};
    const Observer observer = ObserverOf(a.place);
    const JulianDay from = InstantOrNow(a.at, observer);
    SayAssumed(observer);
    auto found = helune::cli::NextInstants(observer, *upcoming, from, a.count);
    std::erase_if(found, [&observer](JulianDay t) { return !helune::cli::Writable(t, observer); });
    helune::cli::WriteInstants(std::cout, found, observer);
    if (static_cast<int>(found.size()) < a.count) {
        std::fprintf(stderr, "helune-cli: %s: %zu found within the search's reach\n", a.event.c_str(), found.size());
        return 1;
    }
    return 0;
}

// poll's exit statuses: 2 and 3 as other tools of its kind answer day and
// night; a bad command line cannot share them.
constexpr int kPollDay = 2, kPollNight = 3, kPollTwilight = 4, kPollUsage = 64;

int Poll(const Arguments& a) {
    const auto format = CheckedFormat(a);
    const Observer observer = ObserverOf(a.place);
    const JulianDay instant = InstantOrNow(a.at, observer);
    SayAssumed(observer);
    const helune::cli::Light light = helune::cli::LightAt(observer, instant);
    helune::cli::WriteLight(std::cout, light, instant, observer, format);
    if (light == helune::cli::Light::Day) return kPollDay;
    return light == helune::cli::Light::Night ? kPollNight : kPollTwilight;
}

double OffsetMinutes(const std::string& text) {
    if (text.empty()) return 0.0;
    // A wait is for an event of the coming year, and so is its offset.
    constexpr double kLongestOffsetMinutes = 366.0 * 24.0 * 60.0;
    const std::optional<double> value = helune::cli::ParseDecimal(text);
    if (!value || std::fabs(*value) > kLongestOffsetMinutes)
        throw UsageError{"--offset: " + helune::cli::Quoted(text) + " is not a number of minutes within a year"};
    return *value;
}

int Wait(const Arguments& a) {
    const auto upcoming = helune::cli::WaitableNamed(a.event, SingleAltitude(a.altitudes));
    if (!upcoming)
        throw UsageError{"EVENT: " + helune::cli::Quoted(a.event) + " is not one of " +
                         Listed(helune::cli::WaitableNames())};
    const double offset = OffsetMinutes(a.offset);
    const std::vector<std::string>& choices = a.values.at("--if-missed");
    if (std::find(choices.begin(), choices.end(), a.ifMissed) == choices.end())
        throw UsageError{"--if-missed: " + helune::cli::Quoted(a.ifMissed) + " is not run or skip"};
    const Observer observer = ObserverOf(a.place);
    SayAssumed(observer);
    const auto say = [&](const std::string& line) {
        if (!a.verbose) return;
        std::printf("%s: %s\n", a.event.c_str(), line.c_str());
        std::fflush(stdout);
    };
    const auto ended =
        helune::cli::WaitForNext(observer, *upcoming, offset,
                                 a.ifMissed == "skip" ? helune::cli::IfMissed::Skip : helune::cli::IfMissed::Run,
                                 helune::cli::SystemWallClock(), say);
    if (!ended) {
        std::fprintf(stderr, "helune-cli: no %s within a year at this place\n", a.event.c_str());
        return 1;
    }
    return 0;
}

#ifdef HELUNE_RENDER_IN_PROCESS
void Render(const Arguments& a) {
    const Observer observer = ObserverOf(a.place, true);
    const QDate date = DateOrToday(a.date);
    SayAssumed(observer);
    // Encoded in memory first: writing is then one step, whose failure is ours to report.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !helune::cli::RenderDayChart(observer, date).save(&buffer, "PNG"))
        throw WriteError{"the picture could not be made"};
    if (a.output == "-") {
        // Standard output is checked with the rest of the program's output.
        std::fwrite(png.constData(), 1, static_cast<std::size_t>(png.size()), stdout);
        return;
    }
    // The picture goes to a file beside the output and takes its name only
    // when it is whole: a full disk leaves the previous picture, or none.
    QSaveFile file(QString::fromStdString(a.output));
    if (!file.open(QIODevice::WriteOnly))
        throw UsageError{"--output: cannot write " + helune::cli::Quoted(a.output)};
    errno = 0;
    if (file.write(png) != png.size() || !file.commit()) {
        const std::string reason = errno != 0 ? std::strerror(errno) : file.errorString().toStdString();
        throw WriteError{"--output: " + helune::cli::Quoted(a.output) + " could not be written whole (" + reason +
                         "); it is left as it was"};
    }
}

// Qt's notes about its platform (a missing runtime folder under the offscreen
// platform) are no concern of a script; its errors still show.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "helune-cli: %s\n", qPrintable(message));
}

// Paints, on the offscreen platform unless told otherwise.
int RunRender(const Arguments& a, const std::vector<std::string>&) {
    int argc = 1;
    char name[] = "helune-cli";
    char* argv[] = {name, nullptr};
    // No display is needed nor wanted, whatever the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtNotes);
    QGuiApplication application(argc, argv);
    Render(a);
    return 0;
}
#else
// helune-render, beside this program in a build, in libexec in an installation.
QString RenderProgram() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(QStringLiteral("helune-render")),
                                     here.filePath(QStringLiteral(HELUNE_RENDER_FROM_BIN "/helune-render"))})
        if (QFileInfo(candidate).isExecutable()) return candidate;
    return {};
}

// The picture is helune-render's work: it runs with the same arguments and the
// same standard streams, and its status is this program's.
int RunRender(const Arguments&, const std::vector<std::string>& arguments) {
    int argc = 1;
    char name[] = "helune-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const QString program = RenderProgram();
    if (program.isEmpty()) {
        std::fprintf(stderr, "helune-cli: render: helune-render is not installed\n");
        return 1;
    }
    QStringList forwarded;
    for (const std::string& argument : arguments) forwarded << QString::fromStdString(argument);
    const int status = QProcess::execute(program, forwarded);
    return status < 0 ? 1 : status;
}
#endif

// The people's commands and what each is for, as their --help heads it.
struct Command {
    const char* name;
    const char* about;
};
constexpr Command kCommands[] = {
    {"day", "the events of a local date, from its midnight to the next"},
    {"range", "one row a day from FROM to TO"},
    {"phases", "the Moon's principal phases from FROM to TO"},
    {"seasons", "the equinoxes and solstices from FROM to TO"},
    {"now", "the Sun and the Moon at this instant: where, up or down, next rising and setting; the Moon's light and "
            "phase"},
    {"next", "the next EVENT (or --count of them) as ISO 8601 times, one a line"},
    {"poll", "day, twilight or night now, in the exit status too: 2 day, 3 night, 4 twilight, 64 bad usage"},
    {"wait", "sleeps until the next EVENT at the place, by the wall clock"},
    {"render", "the window's chart as a PNG picture, on the window's clock"},
};

const Command* CommandNamed(const std::string& name) {
    for (const Command& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

// Defines the one command the line names, with its arguments and options only
// (the others' would cost every run their definitions).
void DefineCommand(CLI::App& app, Arguments& a, const Command& command) {
    app.require_subcommand(1);
    CLI::App* c = app.add_subcommand(command.name, command.about);
    const std::string name = command.name;
    const auto among = [&](std::initializer_list<const char*> names) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (among({"day", "render"})) c->add_option("DATE", a.date, "YYYY-MM-DD, today by default");
    if (among({"range", "phases", "seasons"})) {
        c->add_option("FROM", a.from, "YYYY-MM-DD")->required();
        c->add_option("TO", a.to, "YYYY-MM-DD")->required();
    }
    if (among({"next", "wait"})) {
        a.values["EVENT"] = name == "next" ? helune::cli::UpcomingNames() : helune::cli::WaitableNames();
        c->add_option("EVENT", a.event, Listed(a.values["EVENT"]))->required();
    }
    if (name == "day") AddFormatOption(c, a, {"text", "json", "csv"}, " (text with --as-window: the window's chart)");
    if (name == "range") AddFormatOption(c, a, {"text", "json", "csv"});
    if (among({"phases", "seasons"})) {
        AddFormatOption(c, a, {"text", "json", "csv", "ics"});
        c->add_flag("--all-day", a.allDay, "ics: one all-day event on each local date, the time in the description");
    }
    if (name == "phases") c->add_flag("--seasons", a.seasons, "the equinoxes and solstices too");
    if (among({"now", "poll"})) AddFormatOption(c, a, {"text", "json"});
    if (among({"day", "range"})) a.values["--altitude"] = helune::cli::AltitudeShortcutNames();
    if (among({"day", "range"}))
        c->add_option("--altitude", a.altitudes,
                      "also the Sun's rising and setting through DEG degrees of altitude (of its centre); again for "
                      "more; golden_hour: -4 and +6, blue_hour: -6 and -4");
    if (among({"next", "wait"}))
        c->add_option("--altitude", a.altitudes,
                      "the Sun's rising (sunrise, any dawn) or setting (sunset, any dusk) through DEG degrees");
    if (name == "next") c->add_option("--count", a.count, "how many, 1 to 1000 (1)");
    if (among({"now", "next", "poll"})) AddAtOption(c, a);
    if (name == "wait") {
        c->add_option("--offset", a.offset, "minutes after the event (negative: before)");
        a.values["--if-missed"] = {"run", "skip"};
        c->add_option("--if-missed", a.ifMissed,
                      "on waking more than a minute late (a suspended machine): run, exit 0 at once (the default), "
                      "or skip, wait for the next");
        c->add_flag("--verbose", a.verbose, "says what it waits for, with the offset of its time");
    }
    if (name == "render")
        c->add_option("--output", a.output, "the PNG file to write, - for standard output")->required();
    AddPlaceOptions(c, a);
}

// Runs the chosen command: the picture through RunRender, the others inside a
// core application. arguments: the command line as given, for the picture.
int RunParsed(const std::string& command, const Arguments& a, const std::vector<std::string>& arguments) {
    if (command == "render") return RunRender(a, arguments);
    int argc = 1;
    char name[] = "helune-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    if (command == "wait") return Wait(a);
    if (command == "next") return Next(a);
    if (command == "poll") return Poll(a);
    if (command == "now") Now(a);
    if (command == "range") Range(a);
    if (command == "phases") Phases(a);
    if (command == "seasons") Seasons(a);
    if (command == "day") Day(a);
    return 0;
}

// An empty value is refused: an unset shell variable would otherwise pass for
// "not given" and quietly pick another place, zone or date.
void RefuseEmptyValues(const CLI::App& command) {
    for (const CLI::Option* option : command.get_options())
        for (const std::string& value : option->results())
            if (value.empty()) throw UsageError{option->get_name() + ": the value is empty"};
}

// The people's commands, parsed by CLI11; a bare invocation or one starting
// with an option is the day command.
int RunCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (args.empty() || args[0].rfind('-', 0) == 0) args.insert(args.begin(), "day");
    const Command* command = CommandNamed(args[0]);
    if (!command)
        throw UsageError{"unknown command " + helune::cli::Quoted(args[0]) +
                         " (day, range, phases, seasons, now, next, poll, wait, render, calc or events; see --help)"};
    CLI::App app("Sun and Moon Helune for scripts", "helune-cli");
    Arguments a;
    DefineCommand(app, a, *command);
    std::reverse(args.begin(), args.end());  // CLI11 takes its arguments last first
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.get_subcommands().front()->help();
        return 0;
    } catch (const CLI::ParseError& error) {
        throw UsageError{error.what()};
    }
    RefuseEmptyValues(*app.get_subcommands().front());
    return RunParsed(app.get_subcommands().front()->get_name(), a, arguments);
}

// The exit status of a bad command line: poll's own, for its 2 means day.
int UsageStatus(std::string_view command) { return command == "poll" ? kPollUsage : kExitUsage; }

// The IANA zone names of the system, for --tz.
std::vector<std::string> ZoneNames() {
    std::vector<std::string> names;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) names.push_back(id.toStdString());
    return names;
}

// The cities of --place, written as the shell passes them on (no spaces).
std::vector<std::string> PlaceNames() {
    std::vector<std::string> names;
    for (helune::cli::ZonePlace place : helune::cli::ZonePlaces()) {
        std::replace(place.city.begin(), place.city.end(), ' ', '_');
        names.push_back(place.city);
    }
    return names;
}

// The words that may stand where the last of words is being typed, each
// beginning as it does: the commands, a command's options (from its own
// definition), or an option's or argument's values. For the shells' completion
// scripts, which pass the words after the program's name.
std::vector<std::string> Completions(std::vector<std::string> words) {
    if (words.empty()) words.emplace_back();
    const std::string typed = words.back();
    std::vector<std::string> candidates;
    if (words.size() == 1) {
        for (const Command& command : kCommands) candidates.emplace_back(command.name);
        candidates.insert(candidates.end(), {"calc", "events", "--help", "--version"});
    } else if (const Command* command = CommandNamed(words.front())) {
        CLI::App app;
        Arguments a;
        DefineCommand(app, a, *command);
        const CLI::App* defined = app.get_subcommand(command->name);
        const std::string before = words[words.size() - 2];
        const CLI::Option* valued = defined->get_option_no_throw(before);
        if (valued && valued->get_type_size_max() > 0) {
            if (before == "--tz") candidates = ZoneNames();
            if (before == "--place") candidates = PlaceNames();
            if (const auto found = a.values.find(before); found != a.values.end()) candidates = found->second;
        } else if (typed.rfind('-', 0) == 0) {
            for (const CLI::Option* option : defined->get_options())
                for (const std::string& name : option->get_lnames()) candidates.push_back("--" + name);
        } else if (const auto events = a.values.find("EVENT"); events != a.values.end()) {
            candidates = events->second;
        }
    }
    std::vector<std::string> matching;
    for (const std::string& candidate : candidates)
        if (candidate.rfind(typed, 0) == 0) matching.push_back(candidate);
    return matching;
}

int Complete(const std::vector<const char*>& args) {
    int argc = 1;
    char name[] = "helune-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    for (const std::string& word : Completions({args.begin(), args.end()})) std::printf("%s\n", word.c_str());
    return 0;
}

// Runs the command line; a usage error is reported by the caller.
int Run(std::string_view command, const std::vector<const char*>& all, const std::vector<const char*>& args) {
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kHelp, stdout);
    } else if (command == "--version") {
        std::printf("helune-cli %s\n", HELUNE_VERSION);
    } else if (command == "calc") {
        Calc(args);
    } else if (command == "events") {
        Events(args);
    } else if (command == "__complete") {
        return Complete(args);
    } else {
        return RunCommand(std::vector<std::string>(all.begin(), all.end()));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<const char*> all(argv + 1, argv + argc);
    const std::string_view command = all.empty() ? std::string_view() : all[0];
    const std::vector<const char*> args(all.begin() + (all.empty() ? 0 : 1), all.end());
    int status = 0;
    try {
        status = Run(command, all, args);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "helune-cli: %s\n", error.message.c_str());
        return UsageStatus(command);
    } catch (const WriteError& error) {
        std::fprintf(stderr, "helune-cli: %s\n", error.message.c_str());
        return kExitFailure;
    } catch (const std::exception& error) {
        // Nothing the command line holds should come here; if it does, one line all the same.
        std::fprintf(stderr, "helune-cli: %s\n", error.what());
        return kExitFailure;
    }
    // What was answered must have been written: a full disk or a closed pipe is a failure.
    std::cout.flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout) {
        std::fprintf(stderr, "helune-cli: cannot write standard output\n");
        return kExitFailure;
    }
    return status;
}
