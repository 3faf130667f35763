// SPDX-License-Identifier: MIT
// The console's commands as functions: reading places, zones, dates and
// instants; the observer's clock on the dates the clocks change; the day's
// report where events fail to happen; the formats and calendars.
#include <gtest/gtest.h>

#include <QTimeZone>
#include <cmath>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "Almanac.h"
#include "cli_places.h"
#include "Answers.h"
#include "ChartText.h"
#include "Painting.h"
#include "Places.h"
#include "Registry.h"
#include "Report.h"
#include "Writers.h"
#include "gui_fixture.h"

namespace helune::cli {
namespace {

using nlohmann::json;

std::vector<std::string> SplitCrlf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CRLF";
    return lines;
}

// The universal instant of a local clock reading in a zone, by Qt alone.
JulianDay UniversalOfClock(QDate date, QTime time, const QTimeZone& zone) {
    return 2440587.5 + QDateTime(date, time, zone).toMSecsSinceEpoch() / 86400000.0;
}

// An instant on a zone's clock as ISO 8601 with the offset in force at it, by Qt alone.
std::string ClockIso(JulianDay universal, const QTimeZone& zone) {
    const auto ms = static_cast<qint64>(std::llround((universal - 2440587.5) * 86400000.0));
    return QDateTime::fromMSecsSinceEpoch(ms, zone).toString(Qt::ISODate).toStdString();
}

std::string DayTextOf(const DayReport& report, const Observer& observer, Format format = Format::Text) {
    std::ostringstream out;
    WriteDocument(format, out, {Layout::Sections, Heading(observer), {}, {}}, DayRecord(report, observer, true),
                  observer.clock());
    return out.str();
}

json DayJsonOf(const DayReport& report, const Observer& observer) {
    return json::parse(DayTextOf(report, observer, Format::Json));
}

// The events of a date's JSON, whatever their group.
json EventsOf(const json& day) {
    json events = json::object();
    for (const char* group : {"sun", "moon", "twilight", "altitudes"})
        if (day.contains(group))
            for (const auto& [key, value] : day[group].items())
                if (value.is_object()) events[key] = value;
    return events;
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

// The places of the system's tzdata (zone1970.tab; Oslo from zone.tab).
TEST(CliPlaces, CitiesOfTheTimeZoneDatabase) {
    EXPECT_EQ(ParseIso6709("+4024-00341"), (std::pair{40.4, -(3.0 + 41.0 / 60.0)}));
    EXPECT_EQ(ParseIso6709("-3352+15113"), (std::pair{-(33.0 + 52.0 / 60.0), 151.0 + 13.0 / 60.0}));
    EXPECT_EQ(ParseIso6709("+404251-0740023"),
              (std::pair{40.0 + 42.0 / 60.0 + 51.0 / 3600.0, -(74.0 + 0.0 / 60.0 + 23.0 / 3600.0)}));
    EXPECT_FALSE(ParseIso6709("4024-00341"));
    EXPECT_FALSE(ParseIso6709("+40x4-00341"));

    const auto oslo = PlaceNamed("oslo");
    ASSERT_TRUE(oslo);
    EXPECT_EQ(oslo->zone, "Europe/Oslo");
    EXPECT_NEAR(oslo->latitude, 59.92, 0.01);
    EXPECT_NEAR(oslo->longitudeEast, 10.75, 0.01);
    EXPECT_EQ(PlaceNamed("New York")->zone, "America/New_York");
    EXPECT_EQ(PlaceNamed("america/new_york")->city, "New York");
    EXPECT_FALSE(PlaceNamed("Atlantis"));
    EXPECT_FALSE(PlaceNamed(""));
    EXPECT_EQ(PlaceOfZone("Australia/Sydney")->city, "Sydney");
}

TEST(CliPlaces, OptionsThatCannotStandTogetherOrAlone) {
    EXPECT_EQ(MessageOf([] { Observer::FromOptions({"40.4N", "", "", "", ""}); }), "--lat needs --lon");
    EXPECT_EQ(MessageOf([] { Observer::FromOptions({"", "3.7W", "", "", ""}); }), "--lon needs --lat");
    EXPECT_EQ(MessageOf([] { Observer::FromOptions({"", "", "", "", "Xyzzyville"}); }),
              "--place: 'Xyzzyville' is no place the gazetteer knows (or give --lat and --lon)");
    EXPECT_EQ(MessageOf([] { Observer::FromOptions({"", "", "Mars/Olympus", "", ""}); }),
              "--tz: 'Mars/Olympus' is not a zone of the system's time-zone database (Europe/Madrid, America/New_York, "
              "UTC …)");
    const Observer oslo = Observer::FromOptions({"", "", "", "", "Oslo"});
    EXPECT_NEAR(oslo.Latitude(), 59.92, 0.01);
    EXPECT_NEAR(oslo.LongitudeWest(), -10.75, 0.01);
    EXPECT_EQ(oslo.LocalTime(UniversalOfClock(QDate(2026, 1, 15), QTime(12, 0), QTimeZone::utc())).offsetFromUtc(),
              3600);
}

// The dates on which the clocks change, with the length of their local day.
// tzdata: the European Union changes at 01:00 UT on the last Sundays of March
// and October; the United States at 02:00 local on the second Sunday of March
// and the first of November; New South Wales at 02:00 standard time on the
// first Sundays of April and October.
struct ClockChange {
    const char* zone;
    double latitude, longitudeEast;
    QDate date;
    int hours;
};
const ClockChange kClockChanges[] = {
    {"Europe/Helsinki", 60.17, 24.94, QDate(2026, 3, 29), 23},
    {"Europe/Helsinki", 60.17, 24.94, QDate(2026, 10, 25), 25},
    {"Europe/Berlin", 52.52, 13.40, QDate(2027, 3, 28), 23},
    {"Europe/Madrid", kMadridLatitude, -kMadridWest, QDate(2026, 3, 29), 23},
    {"Europe/Madrid", kMadridLatitude, -kMadridWest, QDate(2026, 10, 25), 25},
    {"America/New_York", 40.71, -74.01, QDate(2026, 3, 8), 23},
    {"America/New_York", 40.71, -74.01, QDate(2026, 11, 1), 25},
    {"Australia/Sydney", -33.87, 151.21, QDate(2026, 4, 5), 25},
    {"Australia/Sydney", -33.87, 151.21, QDate(2026, 10, 4), 23},
};

// Every rising, setting and transit the engine finds from a date's first
// instant to the next date's is reported, on the date, with the offset in
// force at its own instant.
void ExpectEveryEventOfTheDate(const Observer& observer, const QTimeZone& zone, QDate date, JulianDay start,
                               JulianDay end, double longitudeWest, double latitude) {
    const DayReport report = ComputeDay(observer, date);
    EXPECT_NEAR(report.start, start, kSameInstantDays);
    EXPECT_NEAR(report.end, end, kSameInstantDays);

    const json events = EventsOf(DayJsonOf(report, observer));
    const auto expectFirst = [&](const char* key, std::optional<JulianDay> expected) {
        ASSERT_TRUE(expected) << key;
        const std::string time = events[key]["time"];
        EXPECT_EQ(time, ClockIso(*expected, zone)) << key;
        EXPECT_EQ(time.substr(0, 10), date.toString(Qt::ISODate).toStdString()) << key;
    };
    for (const SunOrMoon body : {SunOrMoon::Sun, SunOrMoon::Moon}) {
        const bool sun = body == SunOrMoon::Sun;
        const auto crossings = FindCrossings(body, sun ? kSunStandardAltitude : kMoonStandardAltitude,
                                             UniversalTime{start}, UniversalTime{end}, longitudeWest, latitude);
        for (const bool rising : {true, false}) {
            std::optional<JulianDay> first;
            for (const Crossing& c : crossings)
                if (c.rising == rising && !first) first = c.universal.jd;
            const char* key = sun ? (rising ? "sunrise" : "sunset") : (rising ? "moonrise" : "moonset");
            if (first)
                expectFirst(key, first);
            else
                EXPECT_EQ(events[key]["reason"], "none_on_date") << key;
        }
        std::optional<JulianDay> transit;
        for (const Transit& t : FindTransits(body, UniversalTime{start}, UniversalTime{end}, longitudeWest, latitude))
            if (t.upper && !transit) transit = t.universal.jd;
        if (transit || sun) expectFirst(sun ? "solar_noon" : "moon_transit", transit);
    }
}

TEST(CliClockChange, EveryEventOfTheDateOnTheClockOfItsInstant) {
    for (const ClockChange& change : kClockChanges) {
        SCOPED_TRACE(std::string(change.zone) + " " + change.date.toString(Qt::ISODate).toStdString());
        const QTimeZone zone(change.zone);
        const JulianDay start = UniversalOfClock(change.date, QTime(0, 0), zone);
        const JulianDay end = UniversalOfClock(change.date.addDays(1), QTime(0, 0), zone);
        EXPECT_NEAR((end - start) * 24.0, change.hours, 1e-6);
        ExpectEveryEventOfTheDate(Observer::InZone(-change.longitudeEast, change.latitude, zone), zone, change.date,
                                  start, end, -change.longitudeEast, change.latitude);
    }
}

// The first instant whose clock reading falls on date or later, by Qt alone:
// these zones' dates never run backwards, so the reading's date can be halved
// towards it, to the millisecond, between 15 hours either side of the date's
// universal midnight.
JulianDay FirstInstantOfDate(QDate date, const QTimeZone& zone) {
    const qint64 midnight = QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
    qint64 before = midnight - 15 * 3600000LL, from = midnight + 15 * 3600000LL;
    while (from - before > 1) {
        const qint64 middle = before + (from - before) / 2;
        (QDateTime::fromMSecsSinceEpoch(middle, zone).date() >= date ? from : before) = middle;
    }
    return UniversalFromUnixMilliseconds(from);
}

// Zones whose clocks change at midnight: Havana's repeats the hour after it
// (00:59:59 CDT, then 00:00 CST on the first Sunday of November) and skips it
// in March; Santiago, Asunción, Beirut and Cairo go back from 24:00 to 23:00
// and forward from 24:00 to 01:00. Every change of 2023-2026 the zone database
// holds, the dates it touches and those either side: each runs from its first instant to the next
// date's, and every event lies on the date its clock shows.
struct MidnightZone {
    const char* zone;
    double latitude, longitudeEast;
};
const MidnightZone kMidnightZones[] = {
    {"America/Havana", 23.1136, -82.3666},   {"America/Santiago", -33.4489, -70.6693},
    {"America/Asuncion", -25.2637, -57.5759}, {"Asia/Beirut", 33.8938, 35.5018},
    {"Africa/Cairo", 30.0444, 31.2357},
};

TEST(CliClockChange, DatesWhoseMidnightRepeatsOrIsSkipped) {
    for (const MidnightZone& place : kMidnightZones) {
        const QTimeZone zone(place.zone);
        const Observer observer = Observer::InZone(-place.longitudeEast, place.latitude, zone);
        const auto changes = zone.transitions(QDateTime(QDate(2023, 1, 1), QTime(0, 0), Qt::UTC),
                                              QDateTime(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC));
        ASSERT_GE(changes.size(), 5) << place.zone;
        for (const QTimeZone::OffsetData& change : changes) {
            const QDate before = change.atUtc.addMSecs(-1).toTimeZone(zone).date();
            const QDate after = change.atUtc.toTimeZone(zone).date();
            for (QDate date = before.addDays(-1); date <= after.addDays(1); date = date.addDays(1)) {
                SCOPED_TRACE(std::string(place.zone) + " " + date.toString(Qt::ISODate).toStdString());
                const JulianDay start = FirstInstantOfDate(date, zone);
                EXPECT_NEAR(observer.clock().DayStart(date), start, kSameInstantDays);
                ExpectEveryEventOfTheDate(observer, zone, date, start, FirstInstantOfDate(date.addDays(1), zone),
                                          -place.longitudeEast, place.latitude);
            }
        }
    }
}

// Havana, 1 November 2026: the Moon rises in the first pass of the hour after
// midnight (−04:00), so on the 1st; 31 October ends at that first midnight
// and has no moonrise.
TEST(CliClockChange, HavanasMoonriseInTheRepeatedHour) {
    const QTimeZone havana("America/Havana");
    const Observer observer = Observer::InZone(82.3666, 23.1136, havana);
    const JulianDay firstMidnight = UniversalOfClock(QDate(2026, 11, 1), QTime(4, 0), QTimeZone::utc());
    const auto rising = FindCrossings(SunOrMoon::Moon, kMoonStandardAltitude, UniversalTime{firstMidnight},
                                      UniversalTime{firstMidnight} + Days{1.0 / 24}, 82.3666, 23.1136);
    ASSERT_EQ(rising.size(), 1u);
    const json october = EventsOf(DayJsonOf(ComputeDay(observer, QDate(2026, 10, 31)), observer));
    EXPECT_EQ(october["moonrise"]["reason"], "none_on_date");
    const json november = EventsOf(DayJsonOf(ComputeDay(observer, QDate(2026, 11, 1)), observer));
    const std::string moonrise = november["moonrise"]["time"];
    EXPECT_EQ(moonrise, ClockIso(rising[0].universal.jd, havana));
    EXPECT_EQ(moonrise.substr(0, 13) + moonrise.substr(19), "2026-11-01T00-04:00") << moonrise;
}

// Samoa skipped 30 December 2011 whole, from 29 December 23:59:59 at −10:00
// to 31 December 00:00 at +14:00 (the zone database): the date is empty, each
// event none on it, and the dates around it whole.
TEST(CliClockChange, ADateTheClockSkipsWholeIsEmpty) {
    const QTimeZone apia("Pacific/Apia");
    const Observer observer = Observer::InZone(171.7667, -13.8333, apia);
    const QDate skipped(2011, 12, 30);
    EXPECT_EQ(observer.DayStart(skipped), observer.DayStart(skipped.addDays(1)));
    EXPECT_NEAR(observer.DayStart(skipped), FirstInstantOfDate(skipped.addDays(1), apia), kSameInstantDays);
    const std::vector<DayReport> days = ComputeRange(observer, skipped.addDays(-1), skipped.addDays(1));
    ASSERT_EQ(days.size(), 3u);
    for (const Event& event : days[1].events) {
        EXPECT_FALSE(event.universal);
        EXPECT_EQ(event.reason.code, "none_on_date");
    }
    for (const std::size_t whole : {0u, 2u}) EXPECT_TRUE(days[whole].events.front().universal) << "sunrise";
}

// The cases people saw go wrong: Helsinki's sunset an hour early on the first
// day of summer time (clocks read 19:56), Berlin's likewise, and Helsinki's
// Moon transit in the last hour of the 25-hour day lost.
TEST(CliClockChange, TheCasesThatWereWrong) {
    const QTimeZone helsinki("Europe/Helsinki"), berlin("Europe/Berlin");
    const Observer atHelsinki = Observer::InZone(-24.94, 60.17, helsinki);
    const std::string spring = DayTextOf(ComputeDay(atHelsinki, QDate(2026, 3, 29)), atHelsinki);
    EXPECT_NE(spring.find("UTC offset      : UTC+02:00\nClock change    : 04:00:00 UTC+03:00\n"), std::string::npos)
        << spring;
    EXPECT_TRUE(std::regex_search(spring, std::regex("\n  Sunset        : 19:5[5-7]:[0-9]{2} UTC\\+03:00\n"))) << spring;

    const Observer atBerlin = Observer::InZone(-13.40, 52.52, berlin);
    const json berlinDay = DayJsonOf(ComputeDay(atBerlin, QDate(2027, 3, 28)), atBerlin);
    const std::string sunset = berlinDay["sun"]["sunset"]["time"];
    EXPECT_EQ(sunset.substr(10, 3), "T19") << sunset;
    EXPECT_EQ(sunset.substr(19), "+02:00");

    const json autumn = DayJsonOf(ComputeDay(atHelsinki, QDate(2026, 10, 25)), atHelsinki);
    const std::string transit = autumn["moon"]["moon_transit"]["time"];
    EXPECT_EQ(transit.substr(0, 13), "2026-10-25T23") << transit;
    EXPECT_EQ(transit.substr(19), "+02:00");
}

// The window's clock stays available: one offset a date, --tz's at the date's
// local midnight.
TEST(CliClockChange, TheWindowsClockTakesTheOffsetAtLocalMidnight) {
    const Observer madrid = Observer::FromOptions({"40.4N", "3.7W", "Europe/Madrid", "", "", true});
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 3, 31)), kUtPlusOne);
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 4, 1)), kUtPlusTwo);
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 10, 27)), kUtPlusTwo);
    EXPECT_EQ(madrid.ZoneOn(QDate(2024, 10, 28)), kUtPlusOne);
    const Observer india = Observer::FromOptions({"28.6N", "77.2E", "", "+05:30", ""});
    EXPECT_EQ(india.ZoneOn(QDate(2024, 7, 1)), -82.5);
    EXPECT_EQ(india.LocalTime(UniversalOfClock(QDate(2024, 7, 1), QTime(0, 0), QTimeZone::utc())).offsetFromUtc(),
              19800);
}

class CliStore : public IsolatedSettings {
protected:
    // The store and today of the fixture, in a system zone of the test's choice.
    Surroundings InSystemZone(const char* zone) const {
        Surroundings around = Around();
        around.zone = [zone] { return QTimeZone(zone); };
        around.timeZone = [zone] { return TimeZoneRecordFor(QTimeZone(zone), 2027); };
        return around;
    }
};

// Without options: the system's zone with its history (Sydney keeps summer time
// in January, New York took it only on 2 April in 2006) and the zone's
// principal city, said once.
TEST_F(CliStore, WithoutOptionsTheSystemsZoneAndItsPrincipalCity) {
    const Observer sydney = Observer::FromOptions({}, InSystemZone("Australia/Sydney"));
    EXPECT_NEAR(sydney.Latitude(), -(33.0 + 52.0 / 60.0), 1e-9);
    EXPECT_NEAR(sydney.LongitudeWest(), -(151.0 + 13.0 / 60.0), 1e-9);
    ASSERT_EQ(sydney.Notes().size(), 1u);
    EXPECT_EQ(sydney.Notes()[0],
              "no place given or kept: taking Sydney (33.87S 151.22E), the principal place of Australia/Sydney");
    const json day = DayJsonOf(ComputeDay(sydney, QDate(2027, 1, 15)), sydney);
    EXPECT_EQ(day["utc_offset"], "+11:00");
    EXPECT_EQ(day["sun"]["sunrise"]["time"].get<std::string>().substr(19), "+11:00");

    const Observer newYork = Observer::FromOptions({}, InSystemZone("America/New_York"));
    EXPECT_EQ(DayJsonOf(ComputeDay(newYork, QDate(2006, 3, 20)), newYork)["utc_offset"], "-05:00");
    EXPECT_EQ(DayJsonOf(ComputeDay(newYork, QDate(2006, 4, 3)), newYork)["utc_offset"], "-04:00");
}

TEST_F(CliStore, TheWindowsStoredPlaceInTheSystemsZone) {
    const LocationSettings madrid{kMadridWest, kMadridLatitude, -15.0, -15.0, true};
    WriteStoredSettings(madrid, '.', IsolatedStore());
    const Observer stored = Observer::FromOptions({}, InSystemZone("Europe/Madrid"));
    EXPECT_DOUBLE_EQ(stored.LongitudeWest(), kMadridWest);
    EXPECT_DOUBLE_EQ(stored.Latitude(), kMadridLatitude);
    EXPECT_TRUE(stored.Notes().empty());
    // The window's clock on request: its daylight decision, date by date.
    PlaceOptions windowsClock;
    windowsClock.asWindow = true;
    const Observer window = Observer::FromOptions(windowsClock, Around());
    const TimeZoneRecord system = Around().timeZone();
    for (const QDate date : {QDate(2024, 1, 15), QDate(2024, 3, 31), QDate(2024, 4, 1), QDate(2024, 7, 1)})
        EXPECT_EQ(window.ZoneOn(date), EffectiveZoneOn(madrid, Day(date.year(), date.month(), date.day()), system))
            << date.toString(Qt::ISODate).toStdString();
}

// The clock alone: which source each line takes it from.
TEST_F(CliStore, TheClockFromTheOffsetTheZoneThePlaceTheSystemOrTheWindow) {
    const Surroundings around = InSystemZone("Australia/Sydney");
    const KeptPlace none;
    const auto clock = [&](PlaceOptions options) {
        std::vector<std::string> notes;
        return ResolveClock(options, NamedPlace(options, notes), none, around);
    };
    const Clock fixed = clock({"", "", "", "+05:30", ""});
    EXPECT_EQ(fixed.kind(), Clock::Kind::Fixed);
    EXPECT_EQ(fixed.source(), ClockSource::GivenOffset);
    EXPECT_EQ(fixed.ZoneOn(QDate(2026, 1, 1)), -82.5);
    const Clock given = clock({"", "", "Europe/Madrid", "", "Oslo"});
    EXPECT_EQ(given.source(), ClockSource::GivenZone) << "--tz before the place's zone";
    EXPECT_EQ(given.zone()->id(), "Europe/Madrid");
    const Clock placed = clock({"", "", "", "", "Oslo"});
    EXPECT_EQ(placed.source(), ClockSource::PlaceZone);
    EXPECT_EQ(placed.zone()->id(), "Europe/Oslo");
    const Clock system = clock({});
    EXPECT_EQ(system.source(), ClockSource::SystemZone);
    EXPECT_EQ(system.zone()->id(), "Australia/Sydney");
    const Clock window = clock({"", "", "", "", "", true});
    EXPECT_EQ(window.kind(), Clock::Kind::Window);
    EXPECT_EQ(window.source(), ClockSource::WindowRule);
    EXPECT_FALSE(window.zone());
    EXPECT_EQ(clock({"", "", "Europe/Madrid", "", "", true}).zone()->id(), "Europe/Madrid");
}

// The place alone: given, named, stored, the zone's city, or the window's default.
TEST_F(CliStore, ThePlaceFromTheLineTheStoreTheZonesCityOrTheDefault) {
    const Surroundings around = InSystemZone("Europe/Madrid");
    const TimeZoneRecord system = around.timeZone();
    const Clock madrid = Clock::OfZone(QTimeZone("Europe/Madrid"), ClockSource::SystemZone);
    const auto place = [&](PlaceOptions options, const KeptPlace& store, const Clock& clock) {
        std::vector<std::string> notes;
        return ResolvePlace(options, NamedPlace(options, notes), store, clock, system);
    };
    const KeptPlace none;
    EXPECT_EQ(place({"1N", "2W", "", "", ""}, none, madrid).source, PlaceSource::Given);
    EXPECT_EQ(place({"1N", "2W", "", "", ""}, none, madrid).longitudeWest, 2.0);
    const Place oslo = place({"", "", "", "", "Oslo"}, none, madrid);
    EXPECT_EQ(oslo.source, PlaceSource::Named);
    EXPECT_EQ(oslo.name, "Oslo, NO");
    KeptPlace stored;
    stored.latitude = kMadridLatitude;
    stored.longitudeWest = kMadridWest;
    EXPECT_EQ(place({}, stored, madrid).source, PlaceSource::Stored);
    EXPECT_EQ(place({}, stored, madrid).latitude, kMadridLatitude);
    const Place city = place({}, none, madrid);
    EXPECT_EQ(city.source, PlaceSource::ZoneCity);
    EXPECT_EQ(city.name, "Madrid");
    EXPECT_EQ(*AssumedPlaceNote(city),
              "no place given or kept: taking Madrid (40.40N 3.68W), the principal place of Europe/Madrid");
    EXPECT_EQ(MessageOf([&] { place({}, none, Clock::OfZone(QTimeZone::utc(), ClockSource::SystemZone)); }),
              "no place: give --place NAME, --lat and --lon, or --coords, or keep one with 'helune-cli place set NAME'")
        << "UTC names no city, and no place is taken for want of one";
    const Place window = place({}, none, Clock::Window({}, {}, system, ClockSource::WindowRule));
    EXPECT_EQ(window.source, PlaceSource::WindowDefault) << "the window's clock takes the window's place";
    EXPECT_EQ(*AssumedPlaceNote(window), "no place given or kept: taking the window's default, the zone's meridian on "
                                         "the equator (0.00N 15.00E)");
    EXPECT_FALSE(AssumedPlaceNote(oslo));
}

// A place the window saved under a comma locale, read by a script under cron's
// C locale: both separators are read, and a value that is neither is named.
TEST_F(CliStore, ACommaSavedStoreReadsUnderAnyLocale) {
    WriteStoredSettings({kMadridWest, kMadridLatitude, -15.0, -15.0, true}, ',', IsolatedStore());
    QString text;
    ASSERT_TRUE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Latitud", text, IsolatedStore()));
    ASSERT_EQ(text, "40,4168") << "the store holds the comma";
    const Observer observer = Observer::FromOptions({}, InSystemZone("Europe/Madrid"));
    EXPECT_DOUBLE_EQ(observer.Latitude(), kMadridLatitude);
    EXPECT_DOUBLE_EQ(observer.LongitudeWest(), kMadridWest);

    ASSERT_TRUE(WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Latitud", "forty", kRegText, IsolatedStore()));
    const Observer unreadable = Observer::FromOptions({}, InSystemZone("Europe/Madrid"));
    ASSERT_FALSE(unreadable.Notes().empty());
    EXPECT_EQ(unreadable.Notes()[0], "the window's stored Latitud is not a value the window can take; it is left aside");
    EXPECT_NE(unreadable.Latitude(), 0.0) << "not silently the equator";
}

// Utqiagvik, Alaska (71.29°N): the midnight sun in June, the polar night in
// December. The Sun still crosses the meridian, at 90° − 71.29° ± 23.44°.
class CliPolar : public testing::Test {
protected:
    const Observer utqiagvik = Observer::InZone(156.79, 71.29, QTimeZone("America/Anchorage"));
    const DayReport june = ComputeDay(utqiagvik, QDate(2026, 6, 21));
    const DayReport december = ComputeDay(utqiagvik, QDate(2026, 12, 21));
};

TEST_F(CliPolar, JsonGivesTheReasonsAsCodes) {
    const json summer = EventsOf(DayJsonOf(june, utqiagvik));
    const json winter = EventsOf(DayJsonOf(december, utqiagvik));
    EXPECT_EQ(summer["sunrise"], (json{{"time", nullptr}, {"reason", "polar_day"}}));
    EXPECT_EQ(summer["sunset"]["reason"], "polar_day");
    EXPECT_EQ(winter["sunset"], (json{{"time", nullptr}, {"reason", "polar_night"}}));
    EXPECT_EQ(summer["astronomical_dusk"]["reason"], "stays_above");
    EXPECT_EQ(summer["sunrise"].size(), 2u) << "no prose among the codes";
    constexpr double kNoonAltitudeTolerance = 0.1;  // the declination near the solstice, and refraction left out
    EXPECT_NEAR(summer["solar_noon"]["altitude"].get<double>(), 90.0 - 71.29 + 23.44, kNoonAltitudeTolerance);
    EXPECT_NEAR(winter["solar_noon"]["altitude"].get<double>(), 90.0 - 71.29 - 23.44, kNoonAltitudeTolerance);
    EXPECT_TRUE(winter["civil_dawn"]["time"].is_string()) << "the Sun comes within 6° of the horizon at noon";
    EXPECT_DOUBLE_EQ(DayJsonOf(june, utqiagvik)["sun"]["day_length_hours"].get<double>(), 24.0);
    EXPECT_DOUBLE_EQ(DayJsonOf(december, utqiagvik)["sun"]["day_length_hours"].get<double>(), 0.0);
}

TEST_F(CliPolar, TextAndCsvSayWhyARowIsEmpty) {
    const std::string summer = DayTextOf(june, utqiagvik);
    EXPECT_NE(summer.find("  Sunrise       : - (polar day)\n"), std::string::npos) << summer;
    EXPECT_NE(summer.find("  Astro. dusk   : - (sun stays above -18°)\n"), std::string::npos) << summer;
    EXPECT_TRUE(std::regex_search(summer, std::regex("\n  Noon          : [0-9:]{8}  42\\.[0-9]° high\n"))) << summer;
    const std::string winter = DayTextOf(december, utqiagvik);
    EXPECT_NE(winter.find("  Sunset        : - (polar night)\n"), std::string::npos) << winter;
    EXPECT_NE(winter.find("  Day length    : 00:00:00"), std::string::npos) << winter;

    // Times and reasons in columns of their own, each time's offset beside it.
    const std::vector<std::string> csv = SplitCrlf(DayTextOf(june, utqiagvik, Format::Csv));
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[0].substr(0, 126), "date,utc_offset,clock_change,clock_change_utc_offset,clock_change_reason,sunrise,"
                                     "sunrise_utc_offset,sunrise_reason,solar_noon,");
    EXPECT_EQ(csv[1].substr(0, 44), "2026-06-21,-08:00,,,,,,polar_day,2026-06-21T");
    EXPECT_EQ(csv[0].substr(csv[0].size() - 72),
              ",astronomical_dusk,astronomical_dusk_utc_offset,astronomical_dusk_reason");
    EXPECT_EQ(csv[1].substr(csv[1].size() - 13), ",,stays_above") << csv[1];
    EXPECT_EQ(csv[1].find("polar day"), std::string::npos) << "no prose in CSV";
}

// Madrid on 28 January 2008 has no moonrise: the Moon rises at 23:59 the day
// before and just after midnight on the 29th. At 78°N the Moon of 19 December
// 2024, near the northern limit of its orbit, stays up all day.
TEST(CliReasons, TheMoonsMissingEventsSayWhy) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const json moonrise = EventsOf(DayJsonOf(ComputeDay(madrid, QDate(2008, 1, 28)), madrid))["moonrise"];
    EXPECT_EQ(moonrise, (json{{"time", nullptr}, {"reason", "none_on_date"}}));
    EXPECT_NE(DayTextOf(ComputeDay(madrid, QDate(2008, 1, 28)), madrid).find("Moonrise      : - (no moonrise this date)"),
              std::string::npos);
    const Observer svalbard = Observer::InZone(-15.6, 78.0, QTimeZone("Europe/Oslo"));
    const json up = EventsOf(DayJsonOf(ComputeDay(svalbard, QDate(2024, 12, 19)), svalbard));
    EXPECT_EQ(up["moonset"]["reason"], "stays_above");
    EXPECT_EQ(up["moonrise"]["reason"], "stays_above");
    EXPECT_NE(DayTextOf(ComputeDay(svalbard, QDate(2024, 12, 19)), svalbard).find("Moonset       : - (moon up all day)"),
              std::string::npos);
}

// The length of the day is the time between sunrise and sunset where both fall
// on the date; its change is against the day before. USNO (riset_sun.txt):
// Atlanta's sunrise 07:07 and sunset 18:34 EST on 1 March 2007, 07:05 and
// 18:35 on the 2nd.
TEST(CliDayLength, BetweenSunriseAndSunsetAndAgainstTheDayBefore) {
    constexpr double kLengthToleranceHours = 1.0 / 60.0;  // two times to the minute
    const Observer atlanta = Observer::Fixed(84.0 + 25.0 / 60.0, 33.0 + 46.0 / 60.0, 75.0);
    const DayReport first = ComputeDay(atlanta, QDate(2007, 3, 1));
    EXPECT_NEAR(first.dayLength, 11.0 + 27.0 / 60.0, kLengthToleranceHours);
    EXPECT_NEAR(first.dayLength, (*first.events[2].universal - *first.events[0].universal) * 24.0, 1e-9);
    const std::vector<DayReport> range = ComputeRange(atlanta, QDate(2007, 3, 1), QDate(2007, 3, 2));
    EXPECT_NEAR(range[1].dayLength, 11.0 + 30.0 / 60.0, kLengthToleranceHours);
    EXPECT_NEAR(range[1].dayLengthChange, range[1].dayLength - range[0].dayLength, 1e-9);
    EXPECT_NEAR(range[0].dayLengthChange, first.dayLengthChange, 1e-9);
}

// A long range is searched a year at a time: the dates each side of a seam
// are reported as each date alone is, and the day length's change runs on.
TEST(CliDayLength, ARangeAcrossTheSeamsOfItsSearchesAsDateByDate) {
    constexpr double kSameEventDays = 1e-6;  // the polish's own tolerance, 0.1 s
    const Observer madrid = Observer::InZone(kMadridWest, kMadridLatitude, QTimeZone("Europe/Madrid"));
    const QDate first(2024, 1, 1);
    const std::vector<DayReport> range = ComputeRange(madrid, first, first.addDays(400));
    ASSERT_EQ(range.size(), 401u);
    for (const int at : {365, 366, 367}) {
        const DayReport alone = ComputeDay(madrid, first.addDays(at));
        const DayReport& ranged = range[static_cast<std::size_t>(at)];
        ASSERT_EQ(ranged.date, alone.date);
        for (std::size_t i = 0; i < alone.events.size(); ++i) {
            ASSERT_EQ(ranged.events[i].universal.has_value(), alone.events[i].universal.has_value()) << at << " " << i;
            if (alone.events[i].universal) {
                EXPECT_NEAR(*ranged.events[i].universal, *alone.events[i].universal, kSameEventDays) << at << " " << i;
            }
        }
        EXPECT_NEAR(ranged.dayLengthChange, ranged.dayLength - range[static_cast<std::size_t>(at) - 1].dayLength, 1e-12);
        EXPECT_NEAR(ranged.moonAgeDays, alone.moonAgeDays, kSameEventDays);
    }
}

// The Moon's age at noon counts from the last new moon: USNO gives the new
// moon of 2008-01-08 at 11:37 UT and the full moon of 2008-01-22 at 13:35 UT.
TEST(CliDayMoon, AgeAndLightAtNoon) {
    constexpr double kAgeTolerance = 2.0 * kMinuteOfDay;
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const DayReport report = ComputeDay(madrid, QDate(2008, 1, 18));
    EXPECT_NEAR(report.moonAgeDays, JulianDayFromDate(18, 1, 2008, 11, 0) - JulianDayFromDate(8, 1, 2008, 11, 37),
                kAgeTolerance);
    EXPECT_GT(ComputeDay(madrid, QDate(2008, 1, 22)).illuminatedFraction, 0.99);
    EXPECT_LT(ComputeDay(madrid, QDate(2008, 1, 8)).illuminatedFraction, 0.01);
    const json day = DayJsonOf(report, madrid);
    ASSERT_EQ(day["phases"].size(), 4u);
    EXPECT_EQ(day["phases"][2]["event"], "full_moon");
    EXPECT_EQ(day["phases"][2]["time"].get<std::string>().substr(0, 16), "2008-01-22T14:35");
}

// --altitude: the Sun's risings and settings through any altitude; Madrid's
// golden hour ends when the Sun is 6° up.
TEST(CliAltitudes, AnyAltitudeOfTheSun) {
    const Observer madrid = Observer::InZone(kMadridWest, kMadridLatitude, QTimeZone("Europe/Madrid"));
    const DayReport report = ComputeDay(madrid, QDate(2024, 6, 21), {{6.0, -6.0}, {}});
    const json events = EventsOf(DayJsonOf(report, madrid));
    const auto crossings = FindCrossings(SunOrMoon::Sun, 6.0, UniversalTime{report.start}, UniversalTime{report.end},
                                         kMadridWest, kMadridLatitude);
    ASSERT_EQ(crossings.size(), 2u);
    EXPECT_EQ(events["rising_at_+6"]["time"], ClockIso(crossings[0].universal.jd, QTimeZone("Europe/Madrid")));
    EXPECT_EQ(events["setting_at_+6"]["time"], ClockIso(crossings[1].universal.jd, QTimeZone("Europe/Madrid")));
    EXPECT_EQ(events["setting_at_-6"], events["civil_dusk"]) << "the same altitude, the same instant";
    EXPECT_NE(DayTextOf(report, madrid).find("Altitudes\n  Up at +6°     : "), std::string::npos);
}

// The bands by name and as a pair of altitudes.
TEST(CliAltitudes, BandsByNameAndByPair) {
    EXPECT_EQ(BandNamed("golden_hour")->low, -4.0);
    EXPECT_EQ(BandNamed("golden_hour")->high, 6.0);
    EXPECT_EQ(BandNamed("blue_hour")->low, -6.0);
    EXPECT_EQ(BandNamed("blue_hour")->high, -4.0);
    const SunBand pair = *BandNamed("-2.5,10");
    EXPECT_EQ(pair.key, "between_-2.5_and_+10");
    EXPECT_EQ(pair.low, -2.5);
    EXPECT_FALSE(BandNamed("magic_hour"));
    EXPECT_FALSE(BandNamed("6"));
    EXPECT_EQ(MessageOf([] { BandNamed("6,-4"); }), "--altitude: '6,-4' is not LOW,HIGH with LOW below HIGH");
    EXPECT_EQ(MessageOf([] { BandNamed("1,95"); }), "--altitude: '95' is not a number of degrees from -90 to 90");
}

// Golden and blue hour as people plan by them, against the engine's own
// crossings of the bands' edges: Madrid at midsummer, where every edge
// happens; Tromsø (69.6°N) under the midnight sun, where the Sun never sinks
// to the bands, and at midwinter, where it never climbs to +6°; Sydney in its
// winter. Each edge found is a crossing of its altitude in its direction, the
// Sun stands within the band between the edges and outside it beyond them;
// each edge missing says why, as the Sun's altitude over the date bears out.
struct BandCase {
    const char* name;
    double west, latitude;
    const char* zone;
    QDate date;
};
const BandCase kBandCases[] = {
    {"Madrid", kMadridWest, kMadridLatitude, "Europe/Madrid", QDate(2024, 6, 21)},
    {"Tromsø", -18.9553, 69.6492, "Europe/Oslo", QDate(2026, 6, 21)},
    {"Tromsø", -18.9553, 69.6492, "Europe/Oslo", QDate(2026, 12, 21)},
    {"Sydney", -151.2093, -33.8688, "Australia/Sydney", QDate(2026, 6, 21)},
};

double SunAltitude(const BandCase& place, JulianDay t) {
    return FindPosition(SunOrMoon::Sun, UniversalTime{t}, place.west, place.latitude).altitude;
}

// The edge found is a crossing of the altitude in the direction.
void ExpectCrossing(const BandCase& place, const Event& edge, double altitude, bool rising) {
    const auto crossings =
        FindCrossings(SunOrMoon::Sun, altitude, UniversalTime{*edge.universal - 0.01}, UniversalTime{*edge.universal + 0.01},
                      place.west, place.latitude);
    ASSERT_EQ(crossings.size(), 1u);
    EXPECT_NEAR(crossings[0].universal.jd, *edge.universal, kSameInstantDays);
    EXPECT_EQ(crossings[0].rising, rising);
}

// The edge missing: the Sun stays on the reason's side of the altitude all the date.
void ExpectReason(const BandCase& place, const Event& edge, double altitude, JulianDay start, JulianDay end) {
    ASSERT_TRUE(edge.reason.code == "stays_above" || edge.reason.code == "stays_below") << edge.reason.code;
    const bool above = edge.reason.code == "stays_above";
    for (JulianDay t = start; t < end; t += 10.0 * kMinuteOfDay)
        ASSERT_EQ(SunAltitude(place, t) > altitude, above) << edge.reason.prose;
}

void ExpectInterval(const BandCase& place, const SunBand& band, const Interval& interval, bool morning,
                    const DayReport& report) {
    const double first = morning ? band.low : band.high, last = morning ? band.high : band.low;
    const auto inside = [&](JulianDay t) { return SunAltitude(place, t) > band.low && SunAltitude(place, t) < band.high; };
    if (interval.begin.universal) {
        ExpectCrossing(place, interval.begin, first, morning);
        EXPECT_FALSE(inside(*interval.begin.universal - kMinuteOfDay));
        EXPECT_TRUE(inside(*interval.begin.universal + kMinuteOfDay));
    } else {
        ExpectReason(place, interval.begin, first, report.start, report.end);
    }
    if (interval.end.universal) {
        ExpectCrossing(place, interval.end, last, morning);
        EXPECT_TRUE(inside(*interval.end.universal - kMinuteOfDay));
        EXPECT_FALSE(inside(*interval.end.universal + kMinuteOfDay));
    } else {
        ExpectReason(place, interval.end, last, report.start, report.end);
    }
    const Event& onDate = morning ? interval.end : interval.begin;
    if (onDate.universal) {
        EXPECT_TRUE(*onDate.universal >= report.start && *onDate.universal < report.end);
    }
}

TEST(CliBands, GoldenAndBlueHourAgainstTheEnginesCrossings) {
    int edgesFound = 0, edgesMissing = 0;
    for (const BandCase& place : kBandCases) {
        const Observer observer = Observer::InZone(place.west, place.latitude, QTimeZone(place.zone));
        const DayReport report = ComputeDay(observer, place.date, {{}, NamedBands()});
        ASSERT_EQ(report.bands.size(), 2u);
        for (const DailyBand& band : report.bands) {
            SCOPED_TRACE(std::string(place.name) + " " + place.date.toString(Qt::ISODate).toStdString() + " " +
                         band.band.key);
            ExpectInterval(place, band.band, band.morning, true, report);
            ExpectInterval(place, band.band, band.evening, false, report);
            for (const Event* edge : {&band.morning.begin, &band.morning.end, &band.evening.begin, &band.evening.end})
                ++(edge->universal ? edgesFound : edgesMissing);
        }
    }
    EXPECT_GE(edgesFound, 16) << "Madrid's and Sydney's every edge, and Tromsø's in the dark";
    EXPECT_GE(edgesMissing, 4) << "Tromsø's where the Sun does not reach an edge";
}

// next golden_hour: each span the Sun spends in the band, whole, in time order.
TEST(CliBands, TheNextSpansInTheBand) {
    const Observer madrid = Observer::InZone(kMadridWest, kMadridLatitude, QTimeZone("Europe/Madrid"));
    const SunBand golden = *BandNamed("golden_hour");
    const JulianDay from = UniversalOfClock(QDate(2024, 6, 21), QTime(7, 0), QTimeZone("Europe/Madrid"));
    const std::vector<BandSpan> spans = NextBandSpans(madrid, golden, from, 3);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_LT(spans[0].begin, from) << "the morning's golden hour under way at 07:00 counts, from its beginning";
    EXPECT_TRUE(spans[0].morning);
    EXPECT_FALSE(spans[1].morning);
    EXPECT_TRUE(spans[2].morning);
    const DayReport day = ComputeDay(madrid, QDate(2024, 6, 21), {{}, {golden}});
    EXPECT_NEAR(spans[0].begin, *day.bands[0].morning.begin.universal, kSameInstantDays);
    EXPECT_NEAR(spans[1].end, *day.bands[0].evening.end.universal, kSameInstantDays);
    for (std::size_t i = 1; i < spans.size(); ++i) EXPECT_GT(spans[i].begin, spans[i - 1].end);
}

TEST(CliCsv, FieldsAreQuotedOnlyWhenTheyMustBe) {
    EXPECT_EQ(CsvField("2024-03-31"), "2024-03-31");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(CsvField(""), "");
}

TEST(CliJson, ThePlaceHasNoNegativeZero) {
    const Observer greenwich = Observer::Fixed(-0.0, 51.4769, 0.0);
    const std::string text = DayTextOf(ComputeDay(greenwich, QDate(2024, 3, 20)), greenwich, Format::Json);
    EXPECT_NE(text.find("\"longitude\": 0.0,"), std::string::npos) << text.substr(0, 160);
}

std::vector<std::string> Calendar(const std::vector<PrincipalPhase>& phases, const std::vector<SeasonStart>& seasons,
                                  const Observer& observer, bool allDay) {
    std::ostringstream out;
    const std::unique_ptr<Writer> writer =
        MakeWriter(Format::Ics, out, {Layout::Lines, {}, "events", {}}, observer.clock(),
                   {allDay, QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC)});
    for (const Record& record : AlmanacRecords(phases, seasons)) writer->Add(record);
    writer->Finish();
    return SplitCrlf(out.str());
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

// USNO: full moon 2008-01-22 13:35 UT, last quarter 2008-01-30 05:03 UT. The
// UID depends on neither the place nor the zone.
TEST(CliIcs, ACalendarOfPhasesWithStableIds) {
    const auto phases =
        FindPhases(UniversalTime{JulianDayFromDate(20, 1, 2008, 0, 0)}, UniversalTime{JulianDayFromDate(1, 2, 2008, 0, 0)});
    const std::vector<std::string> madrid = Calendar(phases, {}, Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne), false);
    ASSERT_GE(madrid.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(madrid.begin(), madrid.begin() + 4),
              (std::vector<std::string>{"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Velmora//Helune//EN",
                                        "CALSCALE:GREGORIAN"}));
    EXPECT_EQ(madrid.back(), "END:VCALENDAR");
    std::vector<std::string> uids;
    for (const std::string& line : madrid)
        if (line.rfind("UID:", 0) == 0) uids.push_back(line.substr(4));
    EXPECT_EQ(uids, (std::vector<std::string>{"full-moon-20080122T1335Z@helune", "last-quarter-20080130T0503Z@helune"}));
    std::vector<std::string> sydneyUids;
    for (const std::string& line : Calendar(phases, {}, Observer::Fixed(-151.21, -33.87, -165.0), false))
        if (line.rfind("UID:", 0) == 0) sydneyUids.push_back(line.substr(4));
    EXPECT_EQ(sydneyUids, uids);
}

// One all-day event on the phase's local date, the time in the description,
// no place: the full moon of 2008-01-22 13:35 UT is on the 22nd in Madrid and
// on the 23rd in Sydney (00:35 next day, UT+11).
TEST(CliIcs, AllDayEventsLineByLine) {
    const auto full =
        FindPhases(UniversalTime{JulianDayFromDate(22, 1, 2008, 0, 0)}, UniversalTime{JulianDayFromDate(23, 1, 2008, 0, 0)});
    ASSERT_EQ(full.size(), 1u);
    const std::vector<std::string> madrid = Calendar(full, {}, Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne), true);
    ASSERT_EQ(madrid.size(), 14u);
    const std::vector<std::string> event(madrid.begin() + 4, madrid.end() - 1);
    EXPECT_EQ(event[0], "BEGIN:VEVENT");
    EXPECT_EQ(event[1], "UID:full-moon-20080122T1335Z@helune");
    EXPECT_EQ(event[2], "DTSTAMP:20260101T120000Z");
    EXPECT_EQ(event[3], "DTSTART;VALUE=DATE:20080122");
    EXPECT_EQ(event[4], "DTEND;VALUE=DATE:20080123");
    EXPECT_EQ(event[5], "TRANSP:TRANSPARENT");
    EXPECT_EQ(event[6], "SUMMARY:Full moon");
    EXPECT_TRUE(std::regex_match(
        event[7], std::regex(R"(DESCRIPTION:Full moon at 14:35:[0-5][0-9] local time \(UTC\+01:00\)\\, 13:35:[0-5][0-9] UTC)")))
        << event[7];
    EXPECT_EQ(event[8], "END:VEVENT");
    for (const std::string& line : madrid) {
        EXPECT_EQ(line.find("LOCATION"), std::string::npos);
        EXPECT_EQ(line.find("GEO"), std::string::npos);
        EXPECT_EQ(line.find("40.4"), std::string::npos);
    }
    const std::vector<std::string> sydney = Calendar(full, {}, Observer::Fixed(-151.21, -33.87, -165.0), true);
    EXPECT_EQ(sydney[4 + 3], "DTSTART;VALUE=DATE:20080123");
}

// Equinoxes and solstices in the same calendar, in time order. USNO: March
// equinox 2018-03-20 16:15 UT.
TEST(CliIcs, SeasonsJoinThePhasesInTimeOrder) {
    const JulianDay from = JulianDayFromDate(15, 3, 2018, 0, 0), to = JulianDayFromDate(25, 3, 2018, 0, 0);
    const std::vector<std::string> lines =
        Calendar(FindPhases(UniversalTime{from}, UniversalTime{to}), FindSeasons(UniversalTime{from}, UniversalTime{to}),
                 Observer::Fixed(0.0, 51.48, 0.0), false);
    std::vector<std::string> uids;
    for (const std::string& line : lines)
        if (line.rfind("UID:", 0) == 0) uids.push_back(line.substr(4, line.find('-', 4) - 4));
    EXPECT_EQ(uids, (std::vector<std::string>{"new", "march", "first"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "UID:march-equinox-20180320T1615Z@helune"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SUMMARY:March equinox"), lines.end());
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

// day --as-window is the window's chart as text, its lines in the window's order.
TEST(CliChartLines, TheChartAsTextHoldsTheWindowsLinesInOrder) {
    const Observer madrid = Observer::Fixed(kMadridWest, kMadridLatitude, kUtPlusOne);
    const DayFacts facts = ChartFacts(madrid, QDate(2008, 1, 18));
    std::string text;
    for (const std::string& line : ChartTextLines(facts)) text += line + "\n";
    std::size_t at = 0;
    for (const ChartItem& item : ComposeDayChart(facts, WindowChartLayout(UserDecimalSeparator()), QtTextMeasure()))
        if (const auto* t = std::get_if<ChartText>(&item)) {
            const std::size_t found = text.find(t->text.toStdString(), at);
            ASSERT_NE(found, std::string::npos) << t->text.toStdString() << " in\n" << text;
            at = found;
        }
}

}  // namespace
}  // namespace helune::cli
