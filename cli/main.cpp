// helune-cli: the day chart, a range of days, the Moon's phases, the chart as a
// picture and a wait for an event, for people and scripts; and the engine itself
// (calc, events) in its own conventions (degrees; longitude positive West; zone
// = UT minus local time in degrees, 15 per hour, positive West).
#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <sstream>
#include <limits>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "DayFacts.h"
#include "Efemerides.h"
#include "Output.h"
#include "Phases.h"
#include "Surroundings.h"
#ifdef HELUNE_RENDER_IN_PROCESS
#include <QGuiApplication>

#include "Render.h"
#endif
#include "Waiting.h"

namespace {

using helune::CalcEfemeride;

constexpr int kExitUsage = 2;

constexpr const char* kHelp = R"(usage:
  helune-cli [day [DATE]] [PLACE] [--format text|json|csv]
  helune-cli range FROM TO [PLACE] [--format text|json|csv]
  helune-cli phases FROM TO [PLACE] [--format text|json|csv|ics]
  helune-cli render [DATE] --output FILE.png [PLACE]
  helune-cli wait EVENT [--offset MINUTES] [--verbose] [PLACE]
  helune-cli calc BODY QUANTITY FLAGS JD LONGITUDE LATITUDE ZONE
  helune-cli events DAY MONTH YEAR LONGITUDE LATITUDE ZONE
  helune-cli events -      (one 'DAY MONTH YEAR LONGITUDE LATITUDE ZONE' a line)
  helune-cli --help | --version   (COMMAND --help for its options)

day     the window's day chart as text (DATE YYYY-MM-DD, today by default), with
        the Moon's illuminated fraction and age at local noon, and civil,
        nautical and astronomical dawn and dusk (the Sun 6, 12, 18 degrees down)
range   one row a day from FROM to TO: the Sun's and the Moon's events, dawn
        and dusk
phases  every principal phase of the Moon from FROM to TO, in local time
render  the window's chart, pixel for pixel, as a PNG picture
wait    sleeps until the next EVENT (sunrise, sunset, solar_noon, moonrise,
        moonset, civil_dawn, civil_dusk, nautical_dawn, nautical_dusk,
        astronomical_dawn, astronomical_dusk) at the place, moved by --offset
        minutes, then exits 0

PLACE   --lat 40.4 | 40.4N   latitude, North positive
        --lon -3.7 | 3.7W    longitude, East positive (the window's store keeps it
                             positive West; the console converts)
        --tz Europe/Madrid   an IANA zone: its offset at each date's local midnight
        --utc-offset +01:00  a fixed offset from universal time
        What is not given comes from the window's stored settings, with the
        window's defaults and its daylight-saving decision.

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
        4 new moon, 0 a search that did not settle). With '-', reads the six
        values from each line of standard input and answers each with its 14
        lines, in order: a year of checks in one process.

Conventions of calc and events: angles in degrees; LONGITUDE positive West of
Greenwich, LATITUDE positive North; ZONE is universal time minus local clock time
in degrees, 15 per hour, positive West (Central European Time is -15, US Eastern
Standard Time 75).

Errors: one line on standard error naming the option or value, exit status 2.
)";

using helune::cli::UsageError;

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

// What the new commands read from the command line.
struct Arguments {
    helune::cli::PlaceOptions place;
    std::string format = "text";
    std::string date, from, to, output, event, offset;
    bool verbose = false;
};

void AddPlaceOptions(CLI::App* command, Arguments& a) {
    command->add_option("--lat", a.place.latitude, "latitude in degrees, North positive, or with N/S: 40.4, 40.4N");
    command->add_option("--lon", a.place.longitude,
                        "longitude in degrees, East positive, or with E/W: -3.7, 3.7W (the window's store keeps "
                        "longitude positive West; the console converts)");
    CLI::Option* zone = command->add_option("--tz", a.place.timeZone,
                                            "IANA time zone (Europe/Madrid): its offset at each date's local midnight");
    CLI::Option* offset = command->add_option("--utc-offset", a.place.utcOffset, "fixed offset from UT, +HH:MM or -HH:MM");
    zone->excludes(offset);
}

void AddFormatOption(CLI::App* command, Arguments& a, const char* formats) {
    command->add_option("--format", a.format, std::string("output format: ") + formats);
}

helune::cli::Format CheckedFormat(const std::string& text, std::initializer_list<const char*> allowed) {
    std::string names;
    for (const char* name : allowed) {
        if (text == name) return helune::cli::ParseFormat(text);
        names += std::string(names.empty() ? "" : ", ") + name;
    }
    throw UsageError{"--format: '" + text + "' is not one of " + names};
}

QDate DateOrToday(const std::string& text) {
    return text.empty() ? helune::LocalToday() : helune::cli::ParseDate("DATE", text);
}

void CheckOrder(QDate from, QDate to) {
    if (to < from)
        throw UsageError{"TO: '" + to.toString(Qt::ISODate).toStdString() + "' is before FROM '" +
                         from.toString(Qt::ISODate).toStdString() + "'"};
}

void Day(const Arguments& a) {
    const auto format = CheckedFormat(a.format, {"text", "json", "csv"});
    const auto observer = helune::cli::Observer::FromOptions(a.place);
    const QDate date = DateOrToday(a.date);
    helune::cli::WriteDay(std::cout, helune::cli::ComputeDay(observer, date), observer, format);
}

void Range(const Arguments& a) {
    const auto format = CheckedFormat(a.format, {"text", "json", "csv"});
    const auto observer = helune::cli::Observer::FromOptions(a.place);
    const QDate from = helune::cli::ParseDate("FROM", a.from), to = helune::cli::ParseDate("TO", a.to);
    CheckOrder(from, to);
    helune::cli::WriteRange(std::cout, helune::cli::ComputeRange(observer, from, to), observer, format);
}

void Phases(const Arguments& a) {
    const auto format = CheckedFormat(a.format, {"text", "json", "csv", "ics"});
    const auto observer = helune::cli::Observer::FromOptions(a.place);
    const QDate from = helune::cli::ParseDate("FROM", a.from), to = helune::cli::ParseDate("TO", a.to);
    CheckOrder(from, to);
    // The interval's local dates, in the zones of its first and last days.
    const double start = helune::cli::LocalMidnight(from) + observer.ZoneOn(from) / 360.0;
    const double end = helune::cli::LocalMidnight(to.addDays(1)) + observer.ZoneOn(to) / 360.0;
    helune::cli::WritePhases(std::cout, helune::cli::PhasesBetween(start, end), observer, format,
                             QDateTime::currentDateTimeUtc());
}

#ifdef HELUNE_RENDER_IN_PROCESS
void Render(const Arguments& a) {
    const auto observer = helune::cli::Observer::FromOptions(a.place);
    const QDate date = DateOrToday(a.date);
    if (!helune::cli::RenderDayChart(observer, date).save(QString::fromStdString(a.output), "PNG"))
        throw UsageError{"--output: cannot write '" + a.output + "'"};
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
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

// The picture is helune-render's work: it runs with the same arguments, and its
// output and status are this program's.
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

double ParseOffsetMinutes(const std::string& text) {
    if (text.empty()) return 0.0;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(value))
        throw UsageError{"--offset: '" + text + "' is not a number of minutes"};
    return value;
}

int Wait(const Arguments& a) {
    const helune::cli::EventKind* event = helune::cli::WaitableEvent(a.event);
    if (!event)
        throw UsageError{"EVENT: '" + a.event + "' is not one of " + helune::cli::WaitableEventNames()};
    const double offset = ParseOffsetMinutes(a.offset);
    const auto observer = helune::cli::Observer::FromOptions(a.place);
    using Clock = std::chrono::system_clock;
    const double now = std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
    const auto next = helune::cli::NextEventInstant(observer, *event, offset, helune::cli::UniversalFromUnix(now));
    if (!next) {
        std::fprintf(stderr, "helune-cli: no %s within a year at this place\n", a.event.c_str());
        return 1;
    }
    const double target = helune::cli::UnixSeconds(*next);
    if (a.verbose)
        std::printf("waiting until %s for %s\n",
                    qPrintable(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(target * 1000.0), Qt::UTC)
                                   .toLocalTime()
                                   .toString(Qt::ISODate)),
                    a.event.c_str());
    std::fflush(stdout);
    std::this_thread::sleep_until(Clock::time_point(std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(target))));
    return 0;
}

constexpr const char* kCommands[] = {"day", "range", "phases", "render", "wait"};

void DefineCommands(CLI::App& app, Arguments& a) {
    app.require_subcommand(1);
    CLI::App* day = app.add_subcommand("day", "the day chart as text, JSON or CSV");
    day->add_option("DATE", a.date, "YYYY-MM-DD, today by default");
    AddFormatOption(day, a, "text, json, csv");
    CLI::App* range = app.add_subcommand("range", "one row a day from FROM to TO");
    range->add_option("FROM", a.from, "YYYY-MM-DD")->required();
    range->add_option("TO", a.to, "YYYY-MM-DD")->required();
    AddFormatOption(range, a, "text, json, csv");
    CLI::App* phases = app.add_subcommand("phases", "the Moon's principal phases from FROM to TO");
    phases->add_option("FROM", a.from, "YYYY-MM-DD")->required();
    phases->add_option("TO", a.to, "YYYY-MM-DD")->required();
    AddFormatOption(phases, a, "text, json, csv, ics");
    CLI::App* render = app.add_subcommand("render", "the window's chart as a PNG picture");
    render->add_option("DATE", a.date, "YYYY-MM-DD, today by default");
    render->add_option("--output", a.output, "the PNG file to write")->required();
    CLI::App* wait = app.add_subcommand("wait", "sleeps until the next EVENT at the place");
    wait->add_option("EVENT", a.event, helune::cli::WaitableEventNames())->required();
    wait->add_option("--offset", a.offset, "minutes after the event (negative: before)");
    wait->add_flag("--verbose", a.verbose, "says what it waits for");
    for (CLI::App* command : {day, range, phases, render, wait}) AddPlaceOptions(command, a);
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
    if (command == "range") Range(a);
    if (command == "phases") Phases(a);
    if (command == "day") Day(a);
    return 0;
}

// The new commands, parsed by CLI11; a bare invocation or one starting with an
// option is the day command.
int RunCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (args.empty() || args[0].rfind('-', 0) == 0) args.insert(args.begin(), "day");
    if (std::find(std::begin(kCommands), std::end(kCommands), args[0]) == std::end(kCommands))
        throw UsageError{"unknown command '" + args[0] + "' (day, range, phases, render, wait, calc or events; see --help)"};
    CLI::App app("Sun and Moon Helune for scripts", "helune-cli");
    Arguments a;
    DefineCommands(app, a);
    std::reverse(args.begin(), args.end());  // CLI11 takes its arguments last first
    try {
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.get_subcommands().front()->help();
        return 0;
    } catch (const CLI::ParseError& error) {
        throw UsageError{error.what()};
    }
    return RunParsed(app.get_subcommands().front()->get_name(), a, arguments);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<const char*> all(argv + 1, argv + argc);
    const std::string_view command = all.empty() ? std::string_view() : all[0];
    const std::vector<const char*> args(all.begin() + (all.empty() ? 0 : 1), all.end());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            std::fputs(kHelp, stdout);
        } else if (command == "--version") {
            std::printf("helune-cli %s\n", HELUNE_VERSION);
        } else if (command == "calc") {
            Calc(args);
        } else if (command == "events") {
            Events(args);
        } else {
            return RunCommand(std::vector<std::string>(all.begin(), all.end()));
        }
    } catch (const UsageError& error) {
        std::fprintf(stderr, "helune-cli: %s\n", error.message.c_str());
        return kExitUsage;
    }
    return 0;
}
