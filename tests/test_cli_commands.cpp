// SPDX-License-Identifier: MIT
// The console's questions of an instant: the sky now, the next events, day or
// night, and a wait that keeps to the wall clock; and the commands as a script
// runs them, with their output and exit status.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cmath>
#include <fstream>
#include <nlohmann/json.hpp>

#include "Almanac.h"
#include "cli_places.h"
#include "Answers.h"
#include "Writers.h"
#include "Report.h"
#include "Waiting.h"
#include "usno.h"

namespace helune::cli {
namespace {

using nlohmann::json;

JulianDay Utc(int year, int month, int day, int hour, int minute) {
    return JulianDayFromDate(static_cast<int16_t>(day), static_cast<int16_t>(month), static_cast<int16_t>(year),
                             static_cast<int16_t>(hour), static_cast<int16_t>(minute));
}

// The first crossing of the kind after an instant, from the engine's interval interface.
JulianDay FirstCrossingAfter(SunOrMoon body, double altitude, bool rising, JulianDay from, double west, double latitude) {
    for (const Crossing& c : FindCrossings(body, altitude, UniversalTime{from}, UniversalTime{from + 3.0}, west, latitude))
        if (c.rising == rising) return c.universal.jd;
    return NAN;
}

// Bennett's refraction of an apparent altitude, degrees (Meeus, Astronomical
// Algorithms, 2nd ed., eq. 16.3): the other way round from the formula the
// console adds refraction with, so that each checks the other.
double BennettRefraction(double apparent) {
    return 1.0 / std::tan((apparent + 7.31 / (apparent + 4.4)) * M_PI / 180.0) / 60.0;
}

// The sky over Madrid on the evening of 2024-06-21: where the Sun and the
// Moon stand, and their next risings and settings, as the interval interface
// finds them; the Moon seen from the ground, nearly a degree (its horizontal
// parallax times the cosine of its altitude) below where the Earth's centre
// sees it; both raised by the refraction.
TEST(CliNow, TheSkyOfAnInstantAgainstTheIntervalInterface) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const JulianDay instant = Utc(2024, 6, 21, 19, 0);
    const SkyNow now = ComputeNow(madrid, instant);
    const BodyPosition sun = FindPosition(SunOrMoon::Sun, UniversalTime{instant}, kMadridWest, kMadridLatitude);
    const BodyPosition moon = FindPosition(SunOrMoon::Moon, UniversalTime{instant}, kMadridWest, kMadridLatitude);
    // Degrees: the first-order parallax against the exact one, and Bennett's
    // formula against Sæmundsson's (0.07 arcminutes, Meeus).
    constexpr double kAltitudeTolerance = 0.01;
    const auto unrefracted = [](double apparent) { return apparent - BennettRefraction(apparent); };
    EXPECT_NEAR(unrefracted(now.sun.position.altitude), sun.altitude, kAltitudeTolerance);
    EXPECT_GT(now.sun.position.altitude, sun.altitude) << "refraction raises";
    EXPECT_DOUBLE_EQ(now.sun.position.azimuth, sun.azimuth);
    // The full Moon two hours before midnight UT, up in the south-east.
    const JulianDay night = Utc(2024, 6, 21, 22, 0);
    const BodyPosition moonUp = FindPosition(SunOrMoon::Moon, UniversalTime{night}, kMadridWest, kMadridLatitude);
    ASSERT_GT(moonUp.altitude, 5.0);
    const double moonParallax = std::asin(6378.14 / moonUp.distance) * 180.0 / M_PI;
    EXPECT_NEAR(unrefracted(ComputeNow(madrid, night).moon.position.altitude),
                moonUp.altitude - moonParallax * std::cos(moonUp.altitude * M_PI / 180.0), kAltitudeTolerance);
    EXPECT_GT(now.sun.position.azimuth, 270.0) << "the Sun sets in the north-west in June";
    EXPECT_DOUBLE_EQ(now.moon.position.distance, moon.distance);

    for (const auto& [body, reported, standard] :
         {std::tuple{SunOrMoon::Sun, &now.sun, kSunStandardAltitude},
          std::tuple{SunOrMoon::Moon, &now.moon, kMoonStandardAltitude}}) {
        const JulianDay rising = FirstCrossingAfter(body, standard, true, instant, kMadridWest, kMadridLatitude);
        const JulianDay setting = FirstCrossingAfter(body, standard, false, instant, kMadridWest, kMadridLatitude);
        EXPECT_NEAR(*reported->nextRising.universal, rising, kSameInstantDays);
        EXPECT_NEAR(*reported->nextSetting.universal, setting, kSameInstantDays);
        EXPECT_DOUBLE_EQ(*reported->nextRising.azimuth,
                         FindPosition(body, UniversalTime{rising}, kMadridWest, kMadridLatitude).azimuth);
        EXPECT_EQ(reported->up, setting < rising) << "up until it sets";
    }
    EXPECT_TRUE(now.sun.up) << "sunset in Madrid is after 21:45 CEST";
}

// "Up" turns as the body sets, when the apparent altitude of its centre is
// about its semidiameter below the horizon (the upper limb on it): the
// altitude shown and the state shown agree.
TEST(CliNow, UpTurnsWhereTheApparentUpperLimbMeetsTheHorizon) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const JulianDay from = Utc(2024, 6, 21, 12, 0);
    constexpr double kSunSemidiameter = 0.266, kMoonSemidiameter = 0.26;  // degrees, about
    constexpr double kLimbTolerance = 0.08;  // the semidiameters' changes and the refraction's models
    for (const auto& [body, standard, semidiameter] : {std::tuple{SunOrMoon::Sun, kSunStandardAltitude, kSunSemidiameter},
                                                       std::tuple{SunOrMoon::Moon, kMoonStandardAltitude, kMoonSemidiameter}}) {
        const JulianDay setting = FirstCrossingAfter(body, standard, false, from, kMadridWest, kMadridLatitude);
        const SkyNow before = ComputeNow(madrid, setting - kMinuteOfDay / 6.0);
        const SkyNow after = ComputeNow(madrid, setting + kMinuteOfDay / 6.0);
        const BodyNow& b = body == SunOrMoon::Sun ? before.sun : before.moon;
        const BodyNow& a = body == SunOrMoon::Sun ? after.sun : after.moon;
        EXPECT_TRUE(b.up);
        EXPECT_FALSE(a.up);
        EXPECT_NEAR(b.position.altitude, -semidiameter, kLimbTolerance);
        EXPECT_NEAR(a.position.altitude, -semidiameter, kLimbTolerance);
    }
}

// USNO: full moon 2008-01-22 13:35 UT, new moon 2008-01-08 11:37 UT.
TEST(CliNow, ThePhaseOfTheMoon) {
    const MoonPhase full = MoonPhaseAt(Utc(2008, 1, 22, 13, 35));
    EXPECT_EQ(full.word.code, "full_moon");
    EXPECT_NEAR(full.lunation, 0.5, 0.001);
    const MoonPhase crescent = MoonPhaseAt(Utc(2008, 1, 11, 11, 37));
    EXPECT_EQ(crescent.word.prose, "waxing crescent");
    EXPECT_TRUE(crescent.waxing);
    const MoonPhase waning = MoonPhaseAt(Utc(2008, 1, 26, 0, 0));
    EXPECT_EQ(waning.word.code, "waning_gibbous");
    EXPECT_FALSE(waning.waxing);
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    std::ostringstream out;
    WriteDocument(Format::Json, out, {Layout::Sections, Heading(madrid), {}, {}},
                  NowRecord(ComputeNow(madrid, Utc(2008, 1, 22, 13, 35))), madrid.clock());
    const json sky = json::parse(out.str());
    EXPECT_EQ(sky["moon"]["phase"], "full_moon");
    EXPECT_GT(sky["moon"]["illuminated_fraction"].get<double>(), 0.99);
    EXPECT_EQ(sky["time"], "2008-01-22T14:35:00+01:00");
}

// The full moons of USNO's table from 2010-01-01 on, and its seasons of
// 2018-2019 ("Earth's Seasons", to the minute).
TEST(CliNext, PhasesAndSeasonsAgainstUsno) {
    constexpr double kToleranceMinutes = 1.5;  // as the phase search's own comparison
    const JulianDay from = Utc(2010, 1, 1, 0, 0);
    std::vector<JulianDay> fullMoons;
    std::ifstream file(usno::DataDirectory() + "/moonphases.txt");
    for (std::string line; std::getline(file, line) && fullMoons.size() < 12;) {
        int quarter = 0, year = 0, month = 0, day = 0, hour = 0, minute = 0;
        if (std::sscanf(line.c_str(), "%d %d-%d-%dT%d:%d", &quarter, &year, &month, &day, &hour, &minute) == 6 &&
            quarter == 2 && Utc(year, month, day, hour, minute) > from)
            fullMoons.push_back(Utc(year, month, day, hour, minute));
    }
    const std::vector<JulianDay> found = NextInstants(Observer::Fixed(0.0, 0.0, 0.0), *UpcomingNamed("full_moon"), from, 12);
    ASSERT_EQ(found.size(), fullMoons.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        EXPECT_NEAR(found[i], fullMoons[i], kToleranceMinutes * kMinuteOfDay) << i;

    const std::vector<JulianDay> equinoxes = NextInstants(Observer::Fixed(0.0, 0.0, 0.0), *UpcomingNamed("equinox"), Utc(2018, 1, 1, 0, 0), 4);
    const JulianDay usnoEquinoxes[] = {Utc(2018, 3, 20, 16, 15), Utc(2018, 9, 23, 1, 54), Utc(2019, 3, 20, 21, 58),
                                       Utc(2019, 9, 23, 7, 50)};
    ASSERT_EQ(equinoxes.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(equinoxes[i], usnoEquinoxes[i], 1.0 * kMinuteOfDay) << i;
    EXPECT_NEAR(NextInstants(Observer::Fixed(0.0, 0.0, 0.0), *UpcomingNamed("december_solstice"), Utc(2018, 1, 1, 0, 0), 1).at(0),
                Utc(2018, 12, 21, 22, 23), 1.0 * kMinuteOfDay);
}

TEST(CliNext, RisingsAndSettingsThroughAnyAltitude) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const JulianDay from = Utc(2024, 6, 21, 12, 0);
    const auto sunrises = NextInstants(madrid, *UpcomingNamed("sunrise"), from, 3);
    ASSERT_EQ(sunrises.size(), 3u);
    JulianDay after = from;
    for (const JulianDay sunrise : sunrises) {
        EXPECT_NEAR(sunrise, FirstCrossingAfter(SunOrMoon::Sun, kSunStandardAltitude, true, after, kMadridWest,
                                                kMadridLatitude),
                    kSameInstantDays);
        after = sunrise + kMinuteOfDay;
    }
    const auto golden = NextInstants(madrid, *UpcomingNamed("sunset", 6.0), from, 1);
    EXPECT_NEAR(golden.at(0), FirstCrossingAfter(SunOrMoon::Sun, 6.0, false, from, kMadridWest, kMadridLatitude),
                kSameInstantDays);
    EXPECT_FALSE(UpcomingNamed("moonrise", 6.0)) << "--altitude is the Sun's";
    EXPECT_FALSE(UpcomingNamed("full_moon", 6.0));
    EXPECT_FALSE(UpcomingNamed("dusk"));
    EXPECT_FALSE(WaitableNamed("moon_transit"));
    EXPECT_TRUE(WaitableNamed("civil_dusk"));
    // At 78°N the midnight sun ends in late August: the next sunset after midsummer.
    const Observer svalbard = Observer::Fixed(-15.6, 78.0, -30.0);
    const auto sunset = NextInstants(svalbard, *UpcomingNamed("sunset"), Utc(2024, 6, 21, 0, 0), 1);
    ASSERT_EQ(sunset.size(), 1u);
    EXPECT_EQ(UtcIso(sunset[0]).substr(5, 2), "08");
}

// Day, twilight and night by the Sun's altitude at the instant.
TEST(CliPoll, LightByTheSunsAltitude) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const JulianDay from = Utc(2024, 6, 21, 12, 0);
    const JulianDay sunset =
        FirstCrossingAfter(SunOrMoon::Sun, kSunStandardAltitude, false, from, kMadridWest, kMadridLatitude);
    const JulianDay civilDusk =
        FirstCrossingAfter(SunOrMoon::Sun, kCivilTwilightAltitude, false, from, kMadridWest, kMadridLatitude);
    const JulianDay astronomicalDusk =
        FirstCrossingAfter(SunOrMoon::Sun, kAstronomicalTwilightAltitude, false, from, kMadridWest, kMadridLatitude);
    EXPECT_EQ(LightAt(madrid, sunset - kMinuteOfDay).code, "day");
    EXPECT_EQ(LightAt(madrid, sunset + kMinuteOfDay).code, "civil_twilight");
    EXPECT_EQ(LightAt(madrid, civilDusk + kMinuteOfDay).code, "nautical_twilight");
    EXPECT_EQ(LightAt(madrid, astronomicalDusk + kMinuteOfDay).code, "night");
}

// A wall clock the test moves: each sleep passes the time asked, and the first
// also the hours of a suspended machine.
struct MovedClock {
    double now;
    double suspendSeconds;
    int sleeps = 0;
    WallClock Clock() {
        return {[this] { return now; },
                [this](double seconds) {
                    now += seconds + (sleeps++ == 0 ? suspendSeconds : 0.0);
                }};
    }
};

TEST(CliWait, OnTimeItEndsAtTheEventByTheWallClock) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const JulianDay sunset = *NextInstants(madrid, *UpcomingNamed("sunset"), Utc(2024, 7, 1, 12, 0), 1).begin();
    MovedClock clock{UnixSeconds(sunset) - 3600.0, 0.0};
    std::vector<std::string> said;
    const auto ended = WaitForNext(madrid, *UpcomingNamed("sunset"), -30.0, IfMissed::Skip, clock.Clock(),
                                   [&](const std::string& line) { said.push_back(line); });
    ASSERT_TRUE(ended);
    EXPECT_NEAR(*ended, sunset - 30.0 * kMinuteOfDay, kSameInstantDays);
    EXPECT_NEAR(clock.now, UnixSeconds(sunset) - 1800.0, 1e-3);
    EXPECT_GE(clock.sleeps, 30) << "a minute at a time at most";
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0], "waiting until " + LocalIso(sunset - 30.0 * kMinuteOfDay, madrid.clock()));
    EXPECT_EQ(said[0].substr(said[0].size() - 6), "+01:00") << "the time with its offset";
}

// The machine sleeps from an hour before sunset until six hours after it.
TEST(CliWait, AfterASuspendItRunsLateOrSkipsToTheNext) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const Upcoming sunsetEvent = *UpcomingNamed("sunset");
    const JulianDay sunset = NextInstants(madrid, sunsetEvent, Utc(2024, 7, 1, 12, 0), 1).at(0);
    const JulianDay nextSunset = NextInstants(madrid, sunsetEvent, sunset + kMinuteOfDay, 1).at(0);
    const double start = UnixSeconds(sunset) - 3600.0;
    constexpr double kSuspendSeconds = 7 * 3600.0;

    MovedClock late{start, kSuspendSeconds};
    std::vector<std::string> said;
    const auto say = [&](const std::string& line) { said.push_back(line); };
    const auto ran = WaitForNext(madrid, sunsetEvent, 0.0, IfMissed::Run, late.Clock(), say);
    ASSERT_TRUE(ran);
    EXPECT_NEAR(*ran, sunset, kSameInstantDays);
    EXPECT_NEAR(late.now, start + 60.0 + kSuspendSeconds, 1e-3) << "it ends as soon as it wakes";
    ASSERT_EQ(said.size(), 2u);
    EXPECT_NE(said[1].find(": running late"), std::string::npos) << said[1];

    MovedClock skipping{start, kSuspendSeconds};
    said.clear();
    const auto skipped = WaitForNext(madrid, sunsetEvent, 0.0, IfMissed::Skip, skipping.Clock(), say);
    ASSERT_TRUE(skipped);
    EXPECT_NEAR(*skipped, nextSunset, kSameInstantDays);
    EXPECT_NEAR(skipping.now, UnixSeconds(nextSunset), 1e-3);
    ASSERT_EQ(said.size(), 3u);
    EXPECT_NE(said[1].find(": skipping it"), std::string::npos) << said[1];
    EXPECT_EQ(said[2], "waiting until " + LocalIso(nextSunset, madrid.clock()));
}

// The commands as a script runs them: their own store, the zone of the test.
struct CliRun {
    int status;
    QByteArray out, err;
};
CliRun RunCli(const QStringList& args, const QByteArray& input = {}, const QString& zone = "Europe/Madrid") {
    static QTemporaryDir config;
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("TZ", zone);
    cli.setProcessEnvironment(environment);
    cli.start(HELUNE_CLI, args);
    cli.write(input);
    cli.closeWriteChannel();
    EXPECT_TRUE(cli.waitForFinished(30000));
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

const QStringList kMadrid = {"--lat", "40.4168N", "--lon", "3.7038W", "--tz", "Europe/Madrid"};

// poll at a fixed instant: 2 day (noon), 3 night (midnight), 4 twilight
// (between sunset, about 21:48 CEST, and civil dusk, about 22:20), 64 usage.
TEST(CliCommands, PollSaysTheLightInItsExitStatus) {
    const CliRun noon = RunCli(QStringList{"poll", "--at", "2024-06-21T14:00"} + kMadrid);
    EXPECT_EQ(noon.status, 2);
    EXPECT_EQ(noon.out, "day\n");
    const CliRun midnight = RunCli(QStringList{"poll", "--at", "2024-06-21T00:00", "--format", "json"} + kMadrid);
    EXPECT_EQ(midnight.status, 3);
    const json answer = json::parse(midnight.out.toStdString());
    EXPECT_EQ(answer["time"], "2024-06-21T00:00:00+02:00");
    EXPECT_EQ(answer["light"], "night");
    EXPECT_EQ(answer["clock"]["zone"], "Europe/Madrid");
    const CliRun dusk = RunCli(QStringList{"poll", "--at", "2024-06-21T22:05"} + kMadrid);
    EXPECT_EQ(dusk.status, 4);
    EXPECT_EQ(dusk.out, "civil twilight\n");
    const CliRun bad = RunCli({"poll", "--at", "noon"});
    EXPECT_EQ(bad.status, 64);
    EXPECT_EQ(bad.err, "helune-cli: --at: 'noon' is not an instant like 2026-06-21T12:00, 2026-06-21 12:00:00+02:00, "
                       "2026-06-21, tomorrow or @1782043200\n");
}

// USNO: full moons 2010-01-30 06:18 and 2010-02-28 16:38 UT.
TEST(CliCommands, NextPrintsIsoLines) {
    const CliRun next = RunCli(QStringList{"next", "full_moon", "--count", "2", "--at", "2010-01-01T00:00Z"} + kMadrid);
    ASSERT_EQ(next.status, 0) << next.err.toStdString();
    const QList<QByteArray> lines = next.out.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("2010-01-30T07:1")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("+01:00"));
    EXPECT_TRUE(lines[1].startsWith("2010-02-28T17:3")) << lines[1].toStdString();
    const CliRun count = RunCli(QStringList{"next", "sunrise", "--count", "0"} + kMadrid);
    EXPECT_EQ(count.status, 2);
    EXPECT_EQ(count.err, "helune-cli: --count: '0' is not a whole number from 1 to 1000\n");
}

// With no place anywhere, the zone's city is named once on standard error and
// the output is the day's report.
TEST(CliCommands, TheAssumedPlaceIsSaidOnceOnStandardError) {
    const CliRun day = RunCli({"day", "2027-01-15", "--format", "json"}, {}, "Australia/Sydney");
    ASSERT_EQ(day.status, 0) << day.err.toStdString();
    EXPECT_EQ(day.err, "helune-cli: no place given or kept: taking Sydney (33.87S 151.22E), the principal place of "
                       "Australia/Sydney\n");
    EXPECT_EQ(json::parse(day.out.toStdString())["utc_offset"], "+11:00");
}

TEST(CliCommands, RenderWritesThePictureToStandardOutput) {
    const CliRun png = RunCli(QStringList{"render", "2024-03-31", "--output", "-"} + kMadrid);
    ASSERT_EQ(png.status, 0) << png.err.toStdString();
    EXPECT_TRUE(png.out.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_FALSE(QImage::fromData(png.out, "PNG").isNull());
}

// The command itself, aimed at an instant a moment ahead.
TEST(CliCommands, WaitReturnsAtTheTarget) {
    constexpr double kLeadSeconds = 1.5;
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const double now = QDateTime::currentMSecsSinceEpoch() / 1000.0;
    const JulianDay next = NextInstants(madrid, *UpcomingNamed("sunset"), UniversalFromUnix(now), 1).at(0);
    const double offsetMinutes = (now + kLeadSeconds - UnixSeconds(next)) / 60.0;
    const CliRun wait = RunCli({"wait", "sunset", "--lat", "40.4168N", "--lon", "3.7038W", "--utc-offset", "+01:00",
                                "--offset", QString::number(offsetMinutes, 'f', 6), "--verbose"});
    EXPECT_EQ(wait.status, 0) << wait.err.toStdString();
    EXPECT_TRUE(wait.out.startsWith("sunset: waiting until ")) << wait.out.toStdString();
    EXPECT_TRUE(wait.out.trimmed().endsWith("+01:00")) << wait.out.toStdString();
}

// ISO 8601 and iCalendar are the Gregorian calendar in every year. Meeus's
// mean March equinox for the year 1000 (Astronomical Algorithms, 2nd ed.,
// table 27.A) is JDE 2086381.49, 20 March 1000 of the Gregorian calendar
// (14 March of the Julian); each instant's universal form reads the date its
// clock shows at +00:00, and in October 1582 each iCalendar start is its
// JSON universal time.
TEST(CliCommands, IsoAndICalendarAreGregorianInEveryYear) {
    const CliRun seasons = RunCli({"seasons", "1000-01-01", "1000-12-31", "--utc-offset", "+00:00", "--format", "csv"});
    ASSERT_EQ(seasons.status, 0) << seasons.err.toStdString();
    const QList<QByteArray> rows = seasons.out.trimmed().split('\n');
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows[1].startsWith("1000-03-20T")) << rows[1].toStdString();
    for (const QByteArray& row : rows.mid(1)) {
        const QList<QByteArray> columns = row.trimmed().split(',');
        EXPECT_EQ(columns[3], columns[0] + "Z") << row.toStdString();
    }

    const QStringList october = {"phases", "1582-10-01", "1582-10-20", "--utc-offset", "+00:00", "--format"};
    const CliRun phases = RunCli(october + QStringList{"json"});
    const CliRun calendar = RunCli(october + QStringList{"ics"});
    ASSERT_EQ(calendar.status, 0) << calendar.err.toStdString();
    const json listed = json::parse(phases.out.toStdString());
    QStringList starts;
    for (const json& phase : listed["events"])
        starts << "DTSTART:" + QString::fromStdString(phase["utc"]).remove('-').remove(':');
    ASSERT_EQ(starts.size(), 3);
    for (const QString& start : starts) EXPECT_TRUE(calendar.out.contains(start.toUtf8() + "\r\n")) << start.toStdString();
}

// The engine console's bulk form: the lines of standard input answered in
// order, each with the block the argument form gives it.
TEST(CliCommands, EventsOfStandardInputLineByLineInOrder) {
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
