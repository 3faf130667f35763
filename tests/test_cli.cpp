// The console's commands as functions: reading places, zones and dates, the
// day's report, the phases of an interval, the formats and the wait.
#include <gtest/gtest.h>

#include <QProcess>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Efemerides.h"
#include "Output.h"
#include "Painting.h"
#include "Registry.h"
#include "Report.h"
#include "Waiting.h"
#include "gui_fixture.h"
#include "usno.h"

namespace helune::cli {
namespace {

using nlohmann::json;

// Madrid (Puerta del Sol), in the engine's conventions.
constexpr double kMadridWest = 3.7038;
constexpr double kMadridLatitude = 40.4168;
// Zones in degrees, positive West: one and two hours ahead of UT.
constexpr double kUtPlusOne = -15.0;
constexpr double kUtPlusTwo = -30.0;
constexpr double kSecondOfDay = 1.0 / 86400.0;
constexpr double kMinuteOfDay = 1.0 / 1440.0;

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UsageError& error) {
        return error.message;
    }
    return "no error";
}

std::vector<std::string> SplitCrlf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CRLF";
    return lines;
}

TEST(CliArguments, ReadSignedAndLetteredDegrees) {
    EXPECT_DOUBLE_EQ(ParseLatitude("--lat", "40.4N"), 40.4);
    EXPECT_DOUBLE_EQ(ParseLatitude("--lat", "33.9s"), -33.9);
    EXPECT_DOUBLE_EQ(ParseLatitude("--lat", "-12.5"), -12.5);
    EXPECT_DOUBLE_EQ(ParseLongitudeEast("--lon", "3.7W"), -3.7);
    EXPECT_DOUBLE_EQ(ParseLongitudeEast("--lon", "151.2E"), 151.2);
    EXPECT_DOUBLE_EQ(ParseLongitudeEast("--lon", "+.5"), 0.5);
}

TEST(CliArguments, NameTheOptionAndValueOfBadDegrees) {
    EXPECT_EQ(MessageOf([] { ParseLatitude("--lat", "91"); }), "--lat: '91' is beyond 90 degrees");
    EXPECT_EQ(MessageOf([] { ParseLatitude("--lat", "40.4E"); }), "--lat: '40.4E' has a hemisphere other than N or S");
    EXPECT_EQ(MessageOf([] { ParseLongitudeEast("--lon", "-3.7W"); }), "--lon: '-3.7W' is not a number of degrees");
    EXPECT_EQ(MessageOf([] { ParseLongitudeEast("--lon", "180.5E"); }), "--lon: '180.5E' is beyond 180 degrees");
    EXPECT_EQ(MessageOf([] { ParseLongitudeEast("--lon", ""); }), "--lon: '' is not a number of degrees");
}

TEST(CliArguments, ReadOffsetsAndDates) {
    EXPECT_EQ(ParseUtcOffset("--utc-offset", "+05:30"), 330);
    EXPECT_EQ(ParseUtcOffset("--utc-offset", "-03:00"), -180);
    EXPECT_EQ(MessageOf([] { ParseUtcOffset("--utc-offset", "1"); }),
              "--utc-offset: '1' is not an offset like +01:00 or -05:30");
    EXPECT_EQ(MessageOf([] { ParseUtcOffset("--utc-offset", "+15:00"); }), "--utc-offset: '+15:00' is beyond 14 hours");
    EXPECT_EQ(ParseDate("DATE", "2024-02-29"), QDate(2024, 2, 29));
    EXPECT_EQ(MessageOf([] { ParseDate("DATE", "2023-02-29"); }), "DATE: '2023-02-29' is not a date YYYY-MM-DD");
    EXPECT_EQ(MessageOf([] { ParseDate("FROM", "2024-1-5"); }), "FROM: '2024-1-5' is not a date YYYY-MM-DD");
}

// The offsets of the tz database: Madrid changes on the last Sunday of March at
// 01:00 UT; Sydney leaves summer time on the first Sunday of April at 03:00 and
// takes it on the first Sunday of October at 02:00, local clock. The zone of a
// date is the one at its local midnight.
TEST(CliZones, AnIanaZoneTakesTheOffsetAtLocalMidnight) {
    const Observer madrid = Observer::FromOptions({"40.4N", "3.7W", "Europe/Madrid", ""});
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 3, 31)), kUtPlusOne);
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 4, 1)), kUtPlusTwo);
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 10, 27)), kUtPlusTwo);
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 10, 28)), kUtPlusOne);
    const Observer sydney = Observer::FromOptions({"33.87S", "151.21E", "Australia/Sydney", ""});
    EXPECT_EQ(sydney.ZoneOn(QDate(2024, 4, 7)), -165.0);
    EXPECT_EQ(sydney.ZoneOn(QDate(2024, 4, 8)), -150.0);
    EXPECT_EQ(sydney.ZoneOn(QDate(2024, 10, 6)), -150.0);
    EXPECT_EQ(sydney.ZoneOn(QDate(2024, 10, 7)), -165.0);
    EXPECT_DOUBLE_EQ(sydney.LongitudeWest(), -151.21);
    EXPECT_DOUBLE_EQ(sydney.Latitude(), -33.87);
}

TEST(CliZones, AFixedOffsetHoldsAllYear) {
    const Observer india = Observer::FromOptions({"28.6N", "77.2E", "", "+05:30"});
    EXPECT_EQ(india.ZoneOn(QDate(2024, 1, 1)), -82.5);
    EXPECT_EQ(india.ZoneOn(QDate(2024, 7, 1)), -82.5);
    EXPECT_EQ(MessageOf([] { Observer::FromOptions({"", "", "Mars/Olympus", ""}); }),
              "--tz: 'Mars/Olympus' is not a known time zone");
}

class CliStore : public IsolatedSettings {};

TEST_F(CliStore, WithoutOptionsTheWindowsSettingsAndDaylightDecisionApply) {
    const LocationSettings madrid{kMadridWest, kMadridLatitude, -15.0, -15.0, true};
    WriteStoredSettings(madrid, UserDecimalSeparator(), IsolatedStore());
    const Observer stored = Observer::FromOptions({}, Around());
    EXPECT_DOUBLE_EQ(stored.LongitudeWest(), kMadridWest);
    EXPECT_DOUBLE_EQ(stored.Latitude(), kMadridLatitude);
    const TimeZoneRecord system = Around().timeZone();
    for (const QDate date : {QDate(2024, 1, 15), QDate(2024, 3, 31), QDate(2024, 4, 1), QDate(2024, 7, 1)})
        EXPECT_EQ(stored.ZoneOn(date), EffectiveZoneOn(madrid, Day(date.year(), date.month(), date.day()), system))
            << date.toString(Qt::ISODate).toStdString();
    const Observer placeGiven = Observer::FromOptions({"10S", "20E", "", ""}, Around());
    EXPECT_DOUBLE_EQ(placeGiven.LongitudeWest(), -20.0);
    EXPECT_EQ(placeGiven.ZoneOn(QDate(2024, 7, 1)), kUtPlusTwo);
}

TEST_F(CliStore, AnEmptyStoreGivesTheWindowsDefaults) {
    const LocationSettings defaults = DefaultSettings(Around().timeZone());
    const Observer observer = Observer::FromOptions({}, Around());
    EXPECT_DOUBLE_EQ(observer.LongitudeWest(), defaults.Longitud);
    EXPECT_DOUBLE_EQ(observer.Latitude(), defaults.Latitud);
}

// What the window shows for Madrid on 18 January 2008, UT+1.
class CliMadridDay : public testing::Test {
protected:
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const DayReport report = ComputeDay(madrid, QDate(2008, 1, 18));
};

TEST_F(CliMadridDay, TheTextHoldsTheWindowsLinesInOrder) {
    std::ostringstream out;
    WriteDay(out, report, madrid, Format::Text);
    const std::string text = out.str();
    const ChartLayout layout = WindowChartLayout(UserDecimalSeparator());
    std::size_t at = 0;
    for (const ChartItem& item : ComposeDayChart(report.facts, layout, QtTextMeasure()))
        if (const auto* t = std::get_if<ChartText>(&item)) {
            const std::size_t found = text.find(t->text.toStdString(), at);
            ASSERT_NE(found, std::string::npos) << t->text.toStdString() << " in\n" << text;
            at = found;
        }
    EXPECT_NE(text.find("Sun\n  Rising   : " + FormatHours(report.facts.sunRising).toStdString()), std::string::npos);
    EXPECT_NE(text.find("Moon at noon: 78.6% illuminated, 10.0 days since new moon"), std::string::npos) << text;
}

// USNO: new moon 2008-01-08 11:37 UT, full moon 2008-01-22 13:35 UT.
TEST_F(CliMadridDay, TheMoonsAgeCountsFromTheLastNewMoon) {
    constexpr double kAgeTolerance = 5.0 * kMinuteOfDay;
    const double noonUt = JulianDayFromDate(18, 1, 2008, 11, 0);
    EXPECT_NEAR(report.moonAgeDays, noonUt - JulianDayFromDate(8, 1, 2008, 11, 37), kAgeTolerance);
    const DayReport full = ComputeDay(madrid, QDate(2008, 1, 22));
    EXPECT_GT(full.illuminatedFraction, 0.99);
    EXPECT_LT(ComputeDay(madrid, QDate(2008, 1, 8)).illuminatedFraction, 0.01);
    EXPECT_NEAR(ComputeDay(madrid, QDate(2008, 1, 9)).moonAgeDays,
                JulianDayFromDate(9, 1, 2008, 11, 0) - JulianDayFromDate(8, 1, 2008, 11, 37), kAgeTolerance);
}

TEST_F(CliMadridDay, JsonGivesLocalTimesWithTheirOffset) {
    std::ostringstream out;
    WriteDay(out, report, madrid, Format::Json);
    const json day = json::parse(out.str());
    EXPECT_EQ(day["date"], "2008-01-18");
    EXPECT_EQ(day["utc_offset"], "+01:00");
    EXPECT_DOUBLE_EQ(day["longitude"].get<double>(), -kMadridWest);
    const std::string sunrise = "2008-01-18T" + FormatHours(report.facts.sunRising).toStdString() + "+01:00";
    EXPECT_EQ(day["events"]["sunrise"]["time"], sunrise);
    EXPECT_EQ(day["events"].size(), ReportedEvents().size());
    ASSERT_EQ(day["phases"].size(), 4u);
    EXPECT_EQ(day["phases"][2]["phase"], "full moon");
    // USNO: 13:35 UT.
    EXPECT_EQ(day["phases"][2]["time"].get<std::string>().substr(0, 16), "2008-01-22T14:35");
}

// Madrid on 28 January 2008 has no moonrise: the Moon rises at 23:59 the day
// before and just after midnight on the 29th.
TEST(CliReasons, AnEventThatDoesNotHappenIsNullWithItsReason) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    std::ostringstream out;
    WriteDay(out, ComputeDay(madrid, QDate(2008, 1, 28)), madrid, Format::Json);
    const json moonrise = json::parse(out.str())["events"]["moonrise"];
    EXPECT_TRUE(moonrise["time"].is_null());
    EXPECT_EQ(moonrise["reason"], kNoEvent);
}

// Longyearbyen, 78°N: the midnight sun lasts from late April to late August,
// the polar night from late October to mid February.
TEST(CliReasons, PolarDayAndNightAtSeventyEightNorth) {
    const Observer svalbard = Observer::FromOptions({"78N", "15.6E", "Europe/Oslo", ""});
    const DayReport summer = ComputeDay(svalbard, QDate(2024, 6, 21));
    const DayReport winter = ComputeDay(svalbard, QDate(2024, 12, 21));
    for (std::size_t event : {0u, 2u}) {
        EXPECT_FALSE(summer.events[event].hours);
        EXPECT_EQ(summer.events[event].reason, kPolarDay);
        EXPECT_FALSE(winter.events[event].hours);
        EXPECT_EQ(winter.events[event].reason, kPolarNight);
    }
    std::ostringstream out;
    WriteRange(out, {summer, winter}, svalbard, Format::Json);
    const json days = json::parse(out.str());
    EXPECT_EQ(days[0]["events"]["sunset"], (json{{"time", nullptr}, {"reason", "polar day"}}));
    EXPECT_EQ(days[1]["events"]["sunrise"]["reason"], "polar night");
    EXPECT_EQ(days[0]["events"]["astronomical_dusk"]["reason"], "sun stays above -18°");
    // In midwinter the Sun at 78°N culminates 11.4° below the horizon.
    EXPECT_EQ(days[1]["events"]["civil_dawn"]["reason"], "sun stays below -6°");
    EXPECT_TRUE(days[1]["events"]["nautical_dawn"]["time"].is_string());
}

TEST(CliRange, RowsFollowTheDaylightChangeInMadridAndSydney) {
    const Observer madrid = Observer::FromOptions({"40.4168N", "3.7038W", "Europe/Madrid", ""});
    std::ostringstream csv;
    WriteRange(csv, ComputeRange(madrid, QDate(2024, 3, 30), QDate(2024, 4, 1)), madrid, Format::Csv);
    const std::vector<std::string> lines = SplitCrlf(csv.str());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "date,utc_offset,sunrise,solar_noon,sunset,moonrise,moon_transit,moonset,civil_dawn,"
                        "civil_dusk,nautical_dawn,nautical_dusk,astronomical_dawn,astronomical_dusk,"
                        "illuminated_fraction,moon_age_days");
    EXPECT_EQ(lines[2].substr(0, 18), "2024-03-31,+01:00,");
    EXPECT_EQ(lines[3].substr(0, 18), "2024-04-01,+02:00,");
    for (const std::string& line : lines) EXPECT_EQ(std::count(line.begin(), line.end(), ','), 15) << line;

    const Observer sydney = Observer::FromOptions({"33.87S", "151.21E", "Australia/Sydney", ""});
    std::ostringstream out;
    WriteRange(out, ComputeRange(sydney, QDate(2024, 10, 5), QDate(2024, 10, 7)), sydney, Format::Json);
    const json days = json::parse(out.str());
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0]["utc_offset"], "+10:00");
    EXPECT_EQ(days[2]["utc_offset"], "+11:00");
    EXPECT_EQ(days[2]["events"]["sunrise"]["time"].get<std::string>().substr(0, 11), "2024-10-07T");
    EXPECT_EQ(days[2]["events"]["sunrise"]["time"].get<std::string>().substr(19), "+11:00");
}

TEST(CliCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField("2024-03-31"), "2024-03-31");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField(""), "");
}

// Every principal phase of 2020 (a whole year of USNO's table) against the table,
// each once, in order.
TEST(CliPhases, AYearOfPhasesMatchesUsno) {
    const std::string dir = usno::DataDirectory();
    constexpr double kToleranceMinutes = 1.5;  // as the phase search's own test
    std::ifstream file(dir + "/moonphases.txt");
    const int16_t codeOf[] = {kNewMoon, kFirstQuarter, kFullMoon, kLastQuarter};
    std::vector<PhaseInstant> expected;
    for (std::string line; std::getline(file, line);) {
        int quarter = 0, year = 0, month = 0, day = 0, hour = 0, minute = 0;
        if (std::sscanf(line.c_str(), "%d %d-%d-%dT%d:%d", &quarter, &year, &month, &day, &hour, &minute) == 6 &&
            year == 2020)
            expected.push_back({codeOf[quarter], JulianDayFromDate(day, month, year, hour, minute)});
    }
    const std::vector<PhaseInstant> found =
        PhasesBetween(JulianDayFromDate(1, 1, 2020, 0, 0), JulianDayFromDate(1, 1, 2021, 0, 0));
    ASSERT_EQ(found.size(), expected.size());
    std::vector<double> errors;
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].code, expected[i].code) << i;
        errors.push_back(std::fabs(found[i].universal - expected[i].universal) * 1440.0);
    }
    const usno::Summary s = usno::Summarize(errors);
    std::cout << "phases of 2020 against USNO: " << s.count << " phases, median " << s.median << " min, max " << s.max
              << " min\n";
    EXPECT_LE(s.max, kToleranceMinutes);
}

TEST(CliPhases, LocalTimesTakeTheZoneOfTheirDate) {
    const Observer madrid = Observer::FromOptions({"40.4N", "3.7W", "Europe/Madrid", ""});
    std::ostringstream out;
    WritePhases(out, PhasesBetween(JulianDayFromDate(1, 3, 2024, 0, 0), JulianDayFromDate(1, 5, 2024, 0, 0)), madrid,
                Format::Json, QDateTime::currentDateTimeUtc());
    const json phases = json::parse(out.str());
    ASSERT_FALSE(phases.empty());
    for (const json& p : phases) {
        const QDateTime local = QDateTime::fromString(QString::fromStdString(p["time"]), Qt::ISODate);
        const QDateTime utc = QDateTime::fromString(QString::fromStdString(p["utc"]), Qt::ISODate);
        EXPECT_EQ(local.toUTC(), utc) << p;
        EXPECT_EQ(local.offsetFromUtc(), local.date() < QDate(2024, 3, 31) ? 3600 : 7200) << p;
    }
}

TEST(CliIcs, LongLinesFoldAt75OctetsBetweenCharacters) {
    std::string line = "DESCRIPTION:";
    for (int i = 0; i < 40; ++i) line += "40°25'N ";  // two-octet degree signs
    const std::vector<std::string> physical = SplitCrlf(FoldContentLine(line));
    ASSERT_GT(physical.size(), 1u);
    std::string unfolded;
    for (std::size_t i = 0; i < physical.size(); ++i) {
        EXPECT_LE(physical[i].size(), 75u);
        if (i > 0) {
            ASSERT_EQ(physical[i][0], ' ');
            EXPECT_NE(static_cast<unsigned char>(physical[i][1]) & 0xC0, 0x80) << "split inside a character";
        }
        unfolded += i > 0 ? physical[i].substr(1) : physical[i];
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(FoldContentLine("VERSION:2.0"), "VERSION:2.0\r\n");
}

std::vector<std::string> IcsLines(const Observer& observer) {
    std::ostringstream out;
    WritePhases(out, PhasesBetween(JulianDayFromDate(20, 1, 2008, 0, 0), JulianDayFromDate(1, 2, 2008, 0, 0)),
                observer, Format::Ics, QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC));
    return SplitCrlf(out.str());
}

TEST(CliIcs, ACalendarOfPhasesWithStableIds) {
    const std::vector<std::string> madrid = IcsLines(Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne));
    ASSERT_GE(madrid.size(), 6u);
    EXPECT_EQ(madrid[0], "BEGIN:VCALENDAR");
    EXPECT_EQ(madrid[1], "VERSION:2.0");
    EXPECT_EQ(madrid[2], "PRODID:-//Velmora//Helune//EN");
    EXPECT_EQ(madrid.back(), "END:VCALENDAR");
    std::vector<std::string> uids;
    for (const std::string& line : madrid) {
        EXPECT_LE(line.size(), 75u) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (line.rfind("UID:", 0) == 0) uids.push_back(line.substr(4));
    }
    // USNO's full moon 2008-01-22 13:35 UT and last quarter 2008-01-30 05:03 UT.
    EXPECT_EQ(uids, (std::vector<std::string>{"full-moon-20080122T1335Z@helune", "last-quarter-20080130T0503Z@helune"}));
    EXPECT_EQ(std::count(madrid.begin(), madrid.end(), "DTSTAMP:20260101T120000Z"), 2);
    const std::vector<std::string> sydney = IcsLines(Observer::Fixed(-151.21, -33.87, -165.0));
    std::vector<std::string> sydneyUids;
    for (const std::string& line : sydney)
        if (line.rfind("UID:", 0) == 0) sydneyUids.push_back(line.substr(4));
    EXPECT_EQ(sydneyUids, uids) << "the UID does not depend on the place or zone";
}

TEST(CliChartLines, RowsShareTheirYAndPicturesHeadTheirBlocks) {
    const ChartFont font{9, false};
    const std::vector<ChartItem> items = {
        ChartText{{80, 1}, "Title", font, ChartColour::Text},  ChartText{{50, 3}, "Rising", font, ChartColour::Text},
        ChartText{{95, 3}, ":", font, ChartColour::Text},      ChartText{{100, 3}, "08:00:00", font, ChartColour::Text},
        ChartPicture{{5, 3}, Picture::Sun},             ChartText{{50, 5}, "Rising", font, ChartColour::Text},
        ChartPicture{{5, 5}, Picture::Moon},            ChartText{{40, 7}, "FM : Jan 22, 2008", font, ChartColour::Text},
        ChartText{{142, 7}, "14:36:28", font, ChartColour::Text}, ChartPicture{{5, 6}, Picture::Moon},
        ChartText{{60, 9}, "Footer", font, ChartColour::Text}};
    EXPECT_EQ(ChartLines(items), (std::vector<std::string>{"Title", "Sun", "  Rising   : 08:00:00", "Moon", "  Rising",
                                                           "Phases", "  FM : Jan 22, 2008   14:36:28", "Footer"}));
}

TEST(CliWait, TheNextInstantIsTheFirstEventAfterNow) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusTwo);
    const EventKind& sunrise = *WaitableEvent("sunrise");
    auto sunriseOn = [&](QDate date) {
        const double noon = JulianDayFromDate(date.day(), date.month(), date.year(), 12, 0);
        return UniversalInstant(date, CalcEfemeride(kBodySun, kQuantityRising, 0, noon, kMadridWest, kMadridLatitude,
                                                    kUtPlusTwo),
                                kUtPlusTwo);
    };
    const JulianDay july1 = sunriseOn(QDate(2024, 7, 1)), july2 = sunriseOn(QDate(2024, 7, 2));
    EXPECT_DOUBLE_EQ(*NextEventInstant(madrid, sunrise, 0.0, july1 - kSecondOfDay), july1);
    EXPECT_DOUBLE_EQ(*NextEventInstant(madrid, sunrise, 0.0, july1), july2);
    EXPECT_NEAR(*NextEventInstant(madrid, sunrise, -30.0, july1 - 31 * kMinuteOfDay), july1 - 30 * kMinuteOfDay,
                kSecondOfDay);
    EXPECT_NEAR(*NextEventInstant(madrid, sunrise, 90.0, july1), july1 + 90 * kMinuteOfDay, kSecondOfDay);
    EXPECT_EQ(WaitableEvent("moon_transit"), nullptr);
    EXPECT_EQ(WaitableEvent("dusk"), nullptr);
    EXPECT_NE(WaitableEvent("civil_dusk"), nullptr);
}

TEST(CliWait, AtSeventyEightNorthTheNextSunsetFollowsThePolarDay) {
    const Observer svalbard = Observer::Fixed(-15.6, 78.0, -30.0);
    const JulianDay midsummer = JulianDayFromDate(21, 6, 2024, 0, 0);
    const auto next = NextEventInstant(svalbard, *WaitableEvent("sunset"), 0.0, midsummer);
    ASSERT_TRUE(next);
    PhaseEvent date{};
    JulianDayToDate(date, *next);
    EXPECT_EQ(date.Month, 8) << "the midnight sun ends in late August";
}

// The command itself, aimed at an instant a moment ahead.
TEST(CliWait, TheCommandReturnsAtTheTarget) {
    constexpr double kLeadSeconds = 1.5;
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const double now = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    const JulianDay next = *NextEventInstant(madrid, *WaitableEvent("sunset"), 0.0, UniversalFromUnix(now));
    const double offsetMinutes = (now + kLeadSeconds - UnixSeconds(next)) / 60.0;
    QProcess cli;
    cli.start(HELUNE_CLI, {"wait", "sunset", "--lat", "40.4168N", "--lon", "3.7038W", "--utc-offset", "+01:00",
                           "--offset", QString::number(offsetMinutes, 'f', 6), "--verbose"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(cli.readAllStandardOutput().startsWith("waiting until "));
}

// The engine console's bulk form: the lines of standard input answered in
// order, each with the block the argument form gives it.
struct CliRun {
    int status;
    QByteArray out, err;
};
CliRun RunCli(const QStringList& args, const QByteArray& input = {}) {
    QProcess cli;
    cli.start(HELUNE_CLI, args);
    cli.write(input);
    cli.closeWriteChannel();
    EXPECT_TRUE(cli.waitForFinished(30000));
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

TEST(CliEvents, StandardInputAnsweredLineByLineInOrder) {
    const QStringList lines = {"18 1 2008 3.7038 40.4168 -15", "17 11 2026 -18.9553 69.6492 -15",
                               "4 10 2026 21.9426 64.1466 0"};
    QByteArray expected;
    for (const QString& line : lines) {
        const CliRun one = RunCli(QStringList{"events"} + line.split(' '));
        ASSERT_EQ(one.status, 0);
        EXPECT_EQ(one.out.count('\n'), 14);
        expected += one.out;
    }
    const CliRun bulk = RunCli({"events", "-"}, (lines.join("\n\n") + "\n").toUtf8());
    EXPECT_EQ(bulk.status, 0) << bulk.err.toStdString();
    EXPECT_EQ(bulk.out, expected);
    // A bad line stops the run with its number; the lines before it are answered.
    const CliRun bad = RunCli({"events", "-"}, "18 1 2008 3.7 40.4 -15\n18 1 2008 3.7 north -15\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out.count('\n'), 14);
    EXPECT_EQ(bad.err, "helune-cli: line 2: LATITUDE: 'north' is not a finite number\n");
    const CliRun short_ = RunCli({"events", "-"}, "18 1 2008 3.7\n");
    EXPECT_EQ(short_.status, 2);
    EXPECT_EQ(short_.err, "helune-cli: line 1: expected 6 values, got 4\n");
}

}  // namespace
}  // namespace helune::cli
