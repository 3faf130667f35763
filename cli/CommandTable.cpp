// SPDX-License-Identifier: MIT
#include "CommandTable.h"

#include "Handlers.h"

namespace helune::cli {

namespace {

constexpr std::string_view kOutput = "Output";
constexpr std::string_view kQuestions = "What to find";

// The place and clock options every command that answers for a place takes.
constexpr std::string_view kPlaceOptions[] = {"--place", "--lat", "--lon", "--coords", "--elevation",
                                             "--tz", "--utc-offset", "--as-window"};

std::vector<std::string_view> With(std::initializer_list<std::string_view> own) {
    std::vector<std::string_view> options(own);
    options.insert(options.end(), std::begin(kPlaceOptions), std::end(kPlaceOptions));
    return options;
}

constexpr std::string_view kDateHelp =
    "a date YYYY-MM-DD, or today, tomorrow, yesterday, +N or -N days; the place's today by default";

constexpr std::string_view kFromHelp = "the first date, as DATE: YYYY-MM-DD, today, -7 …";
constexpr std::string_view kToHelp = "the last date, as DATE: YYYY-MM-DD, tomorrow, +30 …";

// Every option, once, in the order the help lists their groups.
const std::vector<OptionRow> kOptions = {
    {"--format", "FORMAT", "the format of the answer (see FORMATS in the manual)", kOutput, Completion::Formats},
    {"--columns", "LIST",
     "the columns of the table, JSON and CSV, by their JSON names, comma-separated; a group's name (sun, moon, "
     "twilight, altitudes) stands for its members. Text shows by default date, utc_offset, sunrise, solar_noon, "
     "sunset, day_length_hours, moonrise, moonset, illuminated_fraction and what --altitude asks; JSON and CSV "
     "every column",
     kOutput, Completion::Columns},
    {"--all-day", "", "for ics: one all-day event on each local date, the time in the description", kOutput},
    {"--seasons", "", "the equinoxes and solstices too", kOutput},
    {"--output", "FILE",
     "the picture's file, - for standard output: render's PNG; plot's SVG, PNG or PDF, by the name's ending or "
     "--format",
     kOutput, Completion::Files},
    {"--theme", "THEME", "plot: light (dark ink on white, the default) or dark", kOutput, Completion::Choices,
     ThemeChoices},
    {"--width", "PIXELS", "plot: the picture's width, 200 to 8000 (1600), for PNG and SVG", kOutput},
    {"--height", "PIXELS", "plot: the picture's height, 200 to 8000 (1000), for PNG and SVG", kOutput},
    {"--paper", "SIZE",
     "plot: the PDF's landscape page, a4 or letter (letter where the system measures as the United States do)",
     kOutput, Completion::Choices, PaperChoices},
    {"--moon", "", "plot daylight: the Moon's risings and settings as dots", kQuestions},
    {"--altitude", "DEG",
     "day and range: also the Sun's rising and setting through DEG degrees of its centre's altitude (again for "
     "more), or the morning's and the evening's intervals between two altitudes: golden_hour (from -4 to +6 "
     "degrees), blue_hour (from -6 to -4) or LOW,HIGH. next and wait: one number, with a rising EVENT (sunrise, "
     "any dawn) or a setting one (sunset, any dusk). poll: a band as for day, or one number (the Sun above it). plot "
     "daylight: a band drawn over the chart (golden_hour, blue_hour, one LOW,HIGH)",
     kQuestions, Completion::Choices, AltitudeChoices},
    {"--at", "INSTANT",
     "the instant: 2026-06-21T12:00 or 2026-06-21 12:00:00.250, with Z or an offset (+02:00, +0200, +02) or "
     "without on the place's clock (a repeated or skipped hour is said); a date alone or tomorrow (its first "
     "instant); @SECONDS since 1970; now by default. plot moon: the clock time HH:MM of every date at which the "
     "Moon is drawn (its first instant by default)",
     kQuestions},
    {"--count", "N", "how many, 1 to 1000 (1)", kQuestions},
    {"--offset", "MINUTES", "minutes after the event (negative: before)", kQuestions},
    {"--if-missed", "WHAT",
     "on waking more than a minute after the moment (a suspended machine): run exits 0 at once (the default), "
     "skip waits for the next",
     kQuestions, Completion::Choices, IfMissedChoices},
    {"--verbose", "", "says what it waits for, with the offset of its time", kQuestions},
    {"--place",
     "NAME",
     "a city by its name, with its state or country where several share it (Munich, Tromsø, \"Portland, Oregon\", "
     "\"Paris, FR\", München), from a gazetteer of 24 000 in English and other languages, or of the time-zone "
     "tables (McMurdo): its coordinates, and its "
     "zone unless --tz or --utc-offset; of several, the most populous, said on standard error",
     kPlaceAndClock,
     Completion::Places,
     nullptr,
     {"--lat", "--lon", "--coords"}},
    {"--lat", "DEGREES",
     "latitude, North positive, or with N or S: 40.4, 40.4N, 59°55′N, 59 55 N, 59d55m30s N; with --lon",
     kPlaceAndClock},
    {"--lon", "DEGREES",
     "longitude, East positive, or with E or W: -3.7, 3.7W, 10°45′E, 10d45m E (the window's store keeps longitude "
     "positive West; the console converts)",
     kPlaceAndClock},
    {"--coords", "LAT,LON",
     "latitude and longitude together, as maps copy them: \"59.9139, 10.7522\" or \"59°55′N 10°45′E\"",
     kPlaceAndClock, Completion::Nothing, nullptr, {"--lat", "--lon"}},
    {"--elevation", "METRES",
     "the observer's height above the sea, 0 to 9000: rising, setting and twilight as the lower horizon shows them "
     "(its dip, 1.76 arcminutes times the root of the metres); the kept one with the kept place",
     kPlaceAndClock},
    {"--tz",
     "ZONE",
     "an IANA zone (Europe/Madrid) with its history: each time in the offset in force at its instant; by default "
     "the named city's, the kept place's, else the system's zone (TZ, else the configured one)",
     kPlaceAndClock,
     Completion::Zones,
     nullptr,
     {"--utc-offset"}},
    {"--utc-offset", "+HH:MM", "a fixed offset from universal time, up to 14 hours either way", kPlaceAndClock},
    {"--as-window", "",
     "the window's clock: one offset a date, --tz's at the date's local midnight, else the window's stored zone "
     "and daylight-saving rule (render's always)",
     kPlaceAndClock},
};

using enum Format;

// Every command, once, in the order the help lists them.
const std::vector<CommandRow> kCommands = {
    {"day",
     "the events of a local date",
     "The events of a local date, from its first instant to the next date's: the Sun's rising, transit (solar "
     "noon, with its altitude) and setting, the day's length and its change from the date before; the Moon's "
     "rising, transit and setting, its illuminated fraction and age at noon; civil, nautical and astronomical "
     "dawn and dusk (the Sun's centre 6, 12 and 18 degrees down); the principal phases around the date. Each "
     "time has the offset in force at its own instant; an event that does not happen says why. With "
     "--as-window, the window's chart as text.",
     {{"DATE", kDateHelp}},
     With({"--format", "--altitude"}),
     {Text, Json, Csv},
     RunDay},
    {"range",
     "one row a date from FROM to TO",
     "The events of each date from FROM to TO, as day gives them (without the phases): a table, one JSON "
     "document, or one CSV row a date. In the table, - marks a date without the event, above and below a body "
     "that stays above or below the event's altitude all day, and * a date whose clocks change.",
     {{"FROM", kFromHelp, true}, {"TO", kToHelp, true}},
     With({"--format", "--columns", "--altitude"}),
     {Text, Json, Csv},
     RunRange},
    {"phases",
     "the Moon's principal phases from FROM to TO",
     "The Moon's principal phases (new moon, first quarter, full moon, last quarter) from the first instant of "
     "FROM to the end of TO, on the place's clock. A phase is the same everywhere: the answer names no place.",
     {{"FROM", kFromHelp, true}, {"TO", kToHelp, true}},
     With({"--format", "--seasons", "--all-day"}),
     {Text, Json, Csv, Ics},
     RunPhases},
    {"seasons",
     "the equinoxes and solstices from FROM to TO",
     "The equinoxes and solstices from the first instant of FROM to the end of TO, on the place's clock.",
     {{"FROM", kFromHelp, true}, {"TO", kToHelp, true}},
     With({"--format", "--all-day"}),
     {Text, Json, Csv, Ics},
     RunSeasons},
    {"now",
     "the Sun and the Moon at an instant",
     "Where the Sun and the Moon stand at an instant, seen from the place: the apparent altitude of the centre "
     "(the parallax taken off, the standard refraction added) and the azimuth from North, clockwise; whether "
     "each is up (risen, as rising and setting count it); the next rising and setting of each, with their "
     "azimuths; the Moon's distance, illuminated fraction, phase and age.",
     {},
     With({"--format", "--at"}),
     {Text, Json},
     RunNow},
    {"next",
     "the next events as ISO 8601 times",
     "The next EVENT after the instant, or --count of them, one a line; for golden_hour and blue_hour each "
     "interval's beginning, end and part of the day.",
     {{"EVENT", "what to look for", true, UpcomingChoices}},
     With({"--format", "--count", "--at", "--altitude"}),
     {Text, Json, Csv},
     RunNext},
    {"poll",
     "day, twilight or night, in the exit status too",
     "Day, twilight or night at the place, in the exit status too: 2 day, 3 night, 4 twilight (64 for a bad "
     "command line). With BAND or --altitude, whether the Sun stands within the band: 0 inside, 1 outside.",
     {{"BAND", "golden_hour, blue_hour or LOW,HIGH", false, BandChoices}},
     With({"--format", "--at", "--altitude"}),
     {Text, Json},
     RunPoll,
     64},
    {"wait",
     "sleeps until the next event",
     "Sleeps until the next EVENT at the place, moved by --offset minutes, then exits 0 (1: none within a year). "
     "It keeps to the wall clock a minute at a time, so that a machine suspended in between wakes it on time.",
     {{"EVENT", "what to wait for", true, WaitableChoices}},
     With({"--offset", "--if-missed", "--verbose", "--altitude"}),
     {},
     RunWait},
    {"render",
     "the window's chart as a PNG picture",
     "The window's chart of the date, pixel for pixel, as a PNG picture, on the window's clock; no display is "
     "needed.",
     {{"DATE", kDateHelp}},
     With({"--output"}),
     {},
     RunRender},
    {"plot",
     "the year's daylight or the Moon's month as a picture",
     "daylight: the year's dates across and the local clock from 00:00 up to 24:00, night, astronomical, nautical "
     "and civil twilight and daylight as bands, sunrise, solar noon and sunset as lines, the clock's changes as "
     "the steps they make, polar day and night as whole columns, the equinoxes and solstices with their dates; "
     "--moon adds the Moon's risings and settings, --altitude a band such as the golden hour. moon: the month as "
     "a calendar, weeks as rows from the system's first weekday, each date with the Moon as it looks at the "
     "place at its first instant or --at: the lit part as large as the illuminated fraction, turned as the place "
     "sees it with the zenith at the top; the principal phases at their clock times, and the first moonrise and "
     "moonset of each date. SVG, PNG or PDF by --output's ending, or --format with --output -; each carries its "
     "title and a description in words, and the same command writes the same bytes. No display is needed.",
     {{"KIND", "what to draw", true, PlotChoices},
      {"WHEN", "daylight: a year YYYY; moon: a month YYYY-MM; or any DATE, its year or month (the place's today's "
               "by default)"}},
     With({"--output", "--format", "--theme", "--width", "--height", "--paper", "--moon", "--altitude", "--at"}),
     {Svg, Png, Pdf},
     RunPlot},
    {"place",
     "keeps a place for the console and the window",
     "set keeps a place in the per-user store that the window reads: a city by NAME (or --place), or --lat and "
     "--lon or --coords with --tz (else the system's zone), and --elevation. The window shows it from then on, its "
     "zone and daylight-saving fields as its options dialog would set them for the zone; the console takes it, "
     "with its zone and height, wherever no place is given. show says the place, clock and height the commands "
     "take and where each comes from; forget takes the kept place out of the store. Nothing else in the store "
     "changes.",
     {{"ACTION", "set, show or forget", true, PlaceActionChoices}, {"NAME", "for set: a city, as --place takes it"}},
     With({"--format"}),
     {Text, Json},
     RunPlace},
    {"calc",
     "one quantity of the engine's query",
     "One quantity of the engine's query, printed with 17 significant digits.",
     {{"BODY", "1 Mercury … 8 Neptune (3: the Earth; its geocentric quantities are the Sun's), 10 the Moon", true},
      {"QUANTITY",
       "1-6 mean elements, 7-9 heliocentric, 10-18 geocentric (10 longitude, 13 right ascension in hours, 17 "
       "altitude, 18 azimuth from the South, positive West), 19 transit, 20 rising, 21 setting (local clock "
       "hours, -1 when not on the date)",
       true},
      {"FLAGS", "the sum of 1 light time, 2 aberration, 4 FK5, 8 nutation", true},
      {"JD", "the Julian day of the local clock time", true},
      {"LONGITUDE", "degrees, positive West", true},
      {"LATITUDE", "degrees, positive North", true},
      {"ZONE", "universal minus local clock time, degrees (15 an hour, positive West)", true}},
     {},
     {},
     RunCalc},
    {"events",
     "a date's events in the engine's conventions",
     "For local noon of the date, the Sun's and the Moon's rising, setting and transit (local clock hours, -1 "
     "when not on the date), then the eight phases that the window lists around the date: 'phase D M Y h m s "
     "CODE' (CODE 1 last quarter, 2 full, 3 first quarter, 4 new moon, 0 a search that did not settle). With -, "
     "the six values of each line of standard input, each answered with its 14 lines, in order.",
     {{"DAY", "the day of the month, or - for standard input"},
      {"MONTH", "1 to 12"},
      {"YEAR", "the year"},
      {"LONGITUDE", "degrees, positive West"},
      {"LATITUDE", "degrees, positive North"},
      {"ZONE", "universal minus local clock time, degrees (15 an hour, positive West)"}},
     {},
     {},
     RunEvents,
     2,
     "-"},
};

}  // namespace

const std::vector<OptionRow>& Options() { return kOptions; }

const std::vector<CommandRow>& Commands() { return kCommands; }

const OptionRow* OptionNamed(std::string_view name) {
    for (const OptionRow& option : Options())
        if (option.name == name) return &option;
    return nullptr;
}

const CommandRow* CommandNamed(std::string_view name) {
    for (const CommandRow& command : Commands())
        if (command.name == name) return &command;
    return nullptr;
}

namespace {

const ProgramText kProgram = {
    "helune-cli",
    "sunrise, sunset, moonrise, moonset, twilight and moon phases for people and scripts",
    "The times of the Sun and the Moon for one place: risings, transits, settings, twilight, golden and blue "
    "hour, the Moon's phases, the equinoxes and solstices, the sky of an instant, and a wait for the next event. "
    "Without a command, the day's events. Dates are YYYY-MM-DD of the Gregorian calendar, from 0001-02-01 to "
    "9999-11-15, or today, tomorrow, yesterday, +N and -N days, today being the place's. Without --place, --lat "
    "and --lon or --coords, the kept place (helune-cli place set), else the principal city of the zone, named on "
    "standard error; with none of these, an error.",
    {{"0", "the answer was written"},
     {"1",
      "an event does not happen within reach, the output could not be written, or (poll with a band) the "
      "Sun stands outside it"},
     {"2", "a bad command line, named in one line on standard error (poll: 64)"},
     {"2, 3, 4", "poll: day, night, twilight"}},
    {{"Keep a place once, for the console and the window", "helune-cli place set \"Portland, Oregon\""},
     {"The next three full moons", "helune-cli next full_moon --count 3"},
     {"Oslo's day with its golden hours", "helune-cli day --place Oslo --altitude golden_hour"},
     {"A year's phases and seasons for a calendar",
      "helune-cli phases 2027-01-01 2027-12-31 --seasons --format ics --all-day"},
     {"In a crontab, lights on a quarter of an hour before sunset",
      "0 12 * * * helune-cli wait sunset --offset -15 --if-missed skip && lights-on"},
     {"In a status bar, the Moon's phase", "helune-cli now --format json | jq -r .moon.phase"}},
    {{"TZ", "the system's zone, when neither --tz nor --utc-offset is given"},
     {"HELUNE_GAZETTEER", "another gazetteer file for --place"},
     {"XDG_CONFIG_HOME",
      "where the window's store is read ($XDG_CONFIG_HOME/Velmora/Helune.conf, else "
      "~/.config/Velmora/Helune.conf): the place when none is given"}},
    {{"/usr/share/helune-cli/places.tsv",
      "the gazetteer of --place, made from Debian's libgeonames: a line a city or another name of a city, sorted by "
      "its folded name"},
     {"/usr/share/zoneinfo/zone1970.tab, /usr/share/zoneinfo/zone.tab",
      "the cities of the time-zone tables, and the principal place of a zone"},
     {"~/.config/Velmora/Helune.conf",
      "the window's settings; the console reads the place from them, and place set and forget write it"},
     {"/usr/share/helune-cli/schemas/", "the JSON Schema of each command's document (day.schema.json …)"}},
    "calc and events speak the engine's own conventions: angles in degrees; LONGITUDE positive West of "
    "Greenwich, LATITUDE positive North; ZONE is universal time minus local clock time in degrees, 15 an hour, "
    "positive West (Central European Time is -15, US Eastern Standard Time 75).",
};

}  // namespace

const ProgramText& Program() { return kProgram; }

}  // namespace helune::cli
