// SPDX-License-Identifier: MIT
// Places, dates and instants as people say them: cities by name from the
// gazetteer, coordinates in every common form, today at the place, --at as
// tools print instants, and a place kept in the window's store.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTimeZone>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Almanac.h"
#include "Console.h"
#include "PlaceNames.h"
#include "PlaceStore.h"
#include "Places.h"
#include "Values.h"
#include "cli_places.h"
#include "gui_fixture.h"

namespace helune::cli {
namespace {

using nlohmann::json;

// The console in this process reads the build's gazetteer.
const bool kGazetteerNamed = qputenv("HELUNE_GAZETTEER", HELUNE_GAZETTEER_FILE);

const Gazetteer& TheGazetteer() {
    static const Gazetteer gazetteer(HELUNE_GAZETTEER_FILE);
    return gazetteer;
}

// Places as people type them, with the coordinates of their centres as
// Wikipedia's articles give them (rounded to 0.0001°, East positive) and the
// zone the IANA database keeps for them. Within 0.1°: a city's extent.
struct TypedPlace {
    const char* typed;
    double latitude, longitudeEast;
    const char* zone;
};
const TypedPlace kTypedPlaces[] = {
    {"Munich", 48.1375, 11.5750, "Europe/Berlin"},
    {"munich", 48.1375, 11.5750, "Europe/Berlin"},
    {"Tromso", 69.6496, 18.9560, "Europe/Oslo"},
    {"Tromsø", 69.6496, 18.9560, "Europe/Oslo"},
    {"TROMSØ", 69.6496, 18.9560, "Europe/Oslo"},
    {"Portland, Oregon", 45.5152, -122.6784, "America/Los_Angeles"},
    {"Portland, US", 45.5152, -122.6784, "America/Los_Angeles"},
    {"Portland, Maine", 43.6591, -70.2568, "America/New_York"},
    {"Portland", 45.5152, -122.6784, "America/Los_Angeles"},
    {"Paris, FR", 48.8566, 2.3522, "Europe/Paris"},
    {"Paris, Texas", 33.6609, -95.5555, "America/Chicago"},
    {"Paris", 48.8566, 2.3522, "Europe/Paris"},
    {"São Paulo", -23.5505, -46.6333, "America/Sao_Paulo"},
    {"Sao Paulo", -23.5505, -46.6333, "America/Sao_Paulo"},
    {"Seattle", 47.6062, -122.3321, "America/Los_Angeles"},
    {"San Francisco", 37.7749, -122.4194, "America/Los_Angeles"},
    {"Beijing", 39.9042, 116.4074, "Asia/Shanghai"},
    {"Delhi", 28.6100, 77.2300, "Asia/Kolkata"},
    {"Mumbai", 19.0760, 72.8777, "Asia/Kolkata"},
    {"Cape Town", -33.9249, 18.4241, "Africa/Johannesburg"},
    {"Zürich", 47.3769, 8.5417, "Europe/Zurich"},
    {"Kraków, Poland", 50.0647, 19.9450, "Europe/Warsaw"},
    {"Malmö", 55.6050, 13.0038, "Europe/Stockholm"},
    {"Reykjavík", 64.1466, -21.9426, "Atlantic/Reykjavik"},
    {"Düsseldorf", 51.2277, 6.7735, "Europe/Berlin"},
    {"Montréal", 45.5017, -73.5673, "America/Toronto"},
    {"Nuuk", 64.1814, -51.6941, "America/Nuuk"},
    {"Longyearbyen", 78.2232, 15.6267, "Arctic/Longyearbyen"},
    {"Ushuaia", -54.8019, -68.3030, "America/Argentina/Ushuaia"},
    {"Anchorage, Alaska", 61.2181, -149.9003, "America/Anchorage"},
    {"Honolulu", 21.3069, -157.8583, "Pacific/Honolulu"},
    {"Tokyo", 35.6762, 139.6503, "Asia/Tokyo"},
    {"Auckland", -36.8485, 174.7633, "Pacific/Auckland"},
    {"Nairobi", -1.2921, 36.8219, "Africa/Nairobi"},
    {"Cairo", 30.0444, 31.2357, "Africa/Cairo"},
    {"Lima, Peru", -12.0464, -77.0428, "America/Lima"},
    {"Istanbul", 41.0082, 28.9784, "Europe/Istanbul"},
    {"Helsinki", 60.1699, 24.9384, "Europe/Helsinki"},
    {"Moscow, RU", 55.7558, 37.6173, "Europe/Moscow"},
    {"Kathmandu", 27.7172, 85.3240, "Asia/Kathmandu"},
    {"Mexico City", 19.4326, -99.1332, "America/Mexico_City"},
    {"Buenos Aires", -34.6037, -58.3816, "America/Argentina/Buenos_Aires"},
    {"Rio de Janeiro", -22.9068, -43.1729, "America/Sao_Paulo"},
    {"Saint Petersburg, Russia", 59.9343, 30.3351, "Europe/Moscow"},
    {"Murmansk", 68.9585, 33.0827, "Europe/Moscow"},
    {"London, UK", 51.5072, -0.1276, "Europe/London"},
    // Names in other languages; a name in English comes first.
    {"München", 48.1375, 11.5750, "Europe/Berlin"},
    {"Wien", 48.2082, 16.3738, "Europe/Vienna"},
    {"Köln", 50.9375, 6.9603, "Europe/Berlin"},
    {"Lisboa", 38.7223, -9.1393, "Europe/Lisbon"},
    {"Москва", 55.7558, 37.6173, "Europe/Moscow"},
    {"Sevilla, ES", 37.3891, -5.9845, "Europe/Madrid"},
    {"Sevilla", 4.2667, -75.9333, "America/Bogota"},
    // Names of the time-zone tables mean what they always meant.
    {"Singapore", 1.3521, 103.8198, "Asia/Singapore"},
    {"New_York", 40.7128, -74.0060, "America/New_York"},
    {"America/Los_Angeles", 34.0522, -118.2437, "America/Los_Angeles"},
    {"McMurdo", -77.8419, 166.6863, "Antarctica/McMurdo"},
    {"Jamaica", 17.9714, -76.7931, "America/Jamaica"},
};
constexpr double kCityExtentDegrees = 0.1;

TEST(CliPlaceNames, PlacesAsPeopleTypeThem) {
    ASSERT_GT(TheGazetteer().Size(), 20000u) << "the gazetteer made from libgeonames";
    for (const TypedPlace& place : kTypedPlaces) {
        SCOPED_TRACE(place.typed);
        const City city = LookUpPlace("--place", place.typed, TheGazetteer()).city;
        EXPECT_NEAR(city.latitude, place.latitude, kCityExtentDegrees);
        EXPECT_NEAR(city.longitudeEast, place.longitudeEast, kCityExtentDegrees);
        EXPECT_EQ(city.zone, place.zone);
    }
}

TEST(CliPlaceNames, SeveralOfANameOrNoneAreSaid) {
    const NamedCity portland = LookUpPlace("--place", "Portland", TheGazetteer());
    ASSERT_TRUE(portland.note);
    EXPECT_EQ(portland.note->rfind("--place: 'Portland' names ", 0), 0u) << *portland.note;
    EXPECT_NE(portland.note->find("taking Portland, Oregon, US; also Portland, State of Maine, US"), std::string::npos)
        << *portland.note;
    EXPECT_FALSE(LookUpPlace("--place", "Portland, Oregon", TheGazetteer()).note);
    EXPECT_EQ(MessageOf([] { LookUpPlace("--place", "Xyzzyville", TheGazetteer()); }),
              "--place: 'Xyzzyville' is no place the gazetteer knows (or give --lat and --lon)");
    const std::string typo = MessageOf([] { LookUpPlace("--place", "Muncih", TheGazetteer()); });
    EXPECT_EQ(typo.rfind("--place: 'Muncih' is no place the gazetteer knows; perhaps ", 0), 0u) << typo;
    EXPECT_NE(typo.find("Munich, Bavaria, DE"), std::string::npos) << typo;
    const std::string german = MessageOf([] { LookUpPlace("--place", "Muenchen", TheGazetteer()); });
    EXPECT_NE(german.find("perhaps Munich, Bavaria, DE;"), std::string::npos) << german;
    EXPECT_NE(MessageOf([] { LookUpPlace("--place", "Portland, Oregano", TheGazetteer()); }).find("perhaps"),
              std::string::npos);
    EXPECT_EQ(MessageOf([] { LookUpPlace("--place", " , ", TheGazetteer()); }), "--place: ' , ' names no place");
}

// Each place --place took before the gazetteer, by the last part of its
// zone's name, still means that zone.
TEST(CliPlaceNames, EveryCityOfTheTimeZoneTablesKeepsItsZone) {
    int cities = 0;
    for (const ZonePlace& place : ZonePlaces()) {
        SCOPED_TRACE(place.zone);
        std::string typed = place.city;
        std::replace(typed.begin(), typed.end(), ' ', '_');
        EXPECT_EQ(LookUpPlace("--place", typed, TheGazetteer()).city.zone, place.zone);
        ++cities;
    }
    EXPECT_GT(cities, 300);
}

// Coordinates as people write them, each with the degrees it means.
TEST(CliCoordinates, EveryCommonForm) {
    const struct {
        const char* text;
        double latitude;
    } kLatitudes[] = {{"59.9139", 59.9139},         {"-33.9", -33.9},         {"40.4N", 40.4},
                      {"33.9s", -33.9},             {"N 40.4", 40.4},         {"59°55′N", 59.0 + 55.0 / 60.0},
                      {"59°55'30\"N", 59.0 + 55.5 / 60.0}, {"59 55 N", 59.0 + 55.0 / 60.0}, {"59 55 30 S", -(59.0 + 55.5 / 60.0)},
                      {"59d55m30s N", 59.0 + 55.5 / 60.0}, {"59:55:30", 59.0 + 55.5 / 60.0}, {"-59°55.5′", -(59.0 + 55.5 / 60.0)},
                      {"59º55′N", 59.0 + 55.0 / 60.0},   {"59°55′30″N", 59.0 + 55.5 / 60.0}};
    for (const auto& [text, latitude] : kLatitudes) EXPECT_NEAR(ParseLatitude("--lat", text), latitude, 1e-12) << text;
    EXPECT_NEAR(ParseLongitudeEast("--lon", "10d45m E"), 10.75, 1e-12);
    EXPECT_NEAR(ParseLongitudeEast("--lon", "3°42′W"), -3.7, 1e-12);
    for (const char* bad : {"59°75′N", "59°55′70″", "59.5°30′", "N", "59 55 30 10", "55′", "59°55′N 3"})
        EXPECT_EQ(MessageOf([&] { ParseLatitude("--lat", bad); }), "--lat: '" + std::string(bad) + "' is not a number of degrees")
            << bad;
    EXPECT_EQ(MessageOf([] { ParseLatitude("--lat", "91°"); }), "--lat: '91°' is beyond 90 degrees");
    EXPECT_EQ(MessageOf([] { ParseLatitude("--lat", "59°55′E"); }), "--lat: '59°55′E' has a hemisphere other than N or S");

    const auto coords = [](const char* text) { return ParseCoordinates("--coords", text); };
    EXPECT_EQ(coords("59.9139, 10.7522"), (std::pair{59.9139, 10.7522}));
    EXPECT_EQ(coords("59.9139,10.7522"), (std::pair{59.9139, 10.7522}));
    EXPECT_EQ(coords("-33.8688 151.2093"), (std::pair{-33.8688, 151.2093}));
    EXPECT_NEAR(coords("59°55′N 10°45′E").second, 10.75, 1e-12);
    EXPECT_NEAR(coords("33°52′S 151°12′E").first, -(33.0 + 52.0 / 60.0), 1e-12);
    EXPECT_EQ(MessageOf([&] { coords("59.9139"); }), "--coords: '59.9139' is not LATITUDE, LONGITUDE (59.9139, 10.7522)");
    EXPECT_EQ(MessageOf([&] { coords("1, 2, 3"); }), "--coords: '1, 2, 3' is not LATITUDE, LONGITUDE (59.9139, 10.7522)");
    EXPECT_EQ(MessageOf([&] { coords("95, 10"); }), "--coords: '95' is beyond 90 degrees");
}

// Dates said relative to the place's today.
TEST(CliDates, WordsAndDaysFromToday) {
    const QDate today(2026, 12, 8);
    EXPECT_EQ(ParseDateFrom("DATE", "today", today), today);
    EXPECT_EQ(ParseDateFrom("DATE", "tomorrow", today), QDate(2026, 12, 9));
    EXPECT_EQ(ParseDateFrom("DATE", "yesterday", today), QDate(2026, 12, 7));
    EXPECT_EQ(ParseDateFrom("DATE", "+30", today), QDate(2027, 1, 7));
    EXPECT_EQ(ParseDateFrom("DATE", "-365", today), QDate(2025, 12, 8));
    EXPECT_EQ(ParseDateFrom("DATE", "2024-02-29", today), QDate(2024, 2, 29));
    EXPECT_EQ(MessageOf([&] { ParseDateFrom("DATE", "+9999999", today); }),
              "DATE: '+9999999' is beyond the dates answered, 0001-02-01 to 9999-11-15");
    EXPECT_EQ(MessageOf([&] { ParseDateFrom("DATE", "next week", today); }), "DATE: 'next week' is not a date YYYY-MM-DD");
}

// --at as tools print instants, each with the instant it must mean: noon UT
// of 2024-06-21, 14:00 on Madrid's summer clock.
TEST(CliInstants, EveryFormThatToolsPrint) {
    const Clock madrid = Clock::OfZone(QTimeZone("Europe/Madrid"));
    const QDate today(2024, 6, 20);
    const qint64 noon = QDateTime(QDate(2024, 6, 21), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
    const struct {
        const char* text;
        qint64 milliseconds;  // after noon UT
    } kForms[] = {
        {"2024-06-21T12:00Z", 0},         {"2024-06-21T12:00:00z", 0},       {"2024-06-21T14:00+02:00", 0},
        {"2024-06-21T14:00:00+0200", 0},  {"2024-06-21T14:00:00+02", 0},     {"2024-06-21T09:00:00-03", 0},
        {"2024-06-21T14:00", 0},          {"2024-06-21 14:00:00", 0},        {"2024-06-21T12:00:00.250Z", 250},
        {"2024-06-21T12:00:00,5Z", 500},  {"2024-06-21T12:00:00.123456Z", 123}, {"@1718971200", 0},
        {"@1718971200.75", 750},          {"2024-06-21", -14 * 3600000LL},   {"tomorrow", -14 * 3600000LL},
        {"tomorrow 14:00", 0},
    };
    for (const auto& [text, milliseconds] : kForms) {
        const ReadInstant read = ParseInstant("--at", text, madrid, today);
        EXPECT_EQ(UnixMilliseconds(read.universal), noon + milliseconds) << text;
        EXPECT_FALSE(read.note) << text;
    }
    for (const char* bad : {"noon", "2024-06-21T25:00", "2024-06-21T12:00+2", "2024-06-21T12:00+15:00",
                            "2024-06-21X12:00", "@soon", "2024-06-21T12"})
        EXPECT_NE(MessageOf([&] { ParseInstant("--at", bad, madrid, today); }).find("is not an instant like"),
                  std::string::npos)
            << bad;
}

// A reading of the clock that its zone repeats is the first, one it skips is
// taken as far past as the gap: both are said. Europe/Madrid, 2024: the
// clocks go back at 03:00 on 27 October and forward at 02:00 on 31 March.
TEST(CliInstants, RepeatedAndSkippedReadingsAreSaid) {
    const Clock madrid = Clock::OfZone(QTimeZone("Europe/Madrid"));
    const ReadInstant twice = ParseInstant("--at", "2024-10-27T02:30", madrid, {});
    EXPECT_EQ(UnixMilliseconds(twice.universal), QDateTime(QDate(2024, 10, 27), QTime(0, 30), Qt::UTC).toMSecsSinceEpoch());
    ASSERT_TRUE(twice.note);
    EXPECT_EQ(*twice.note, "--at: 2024-10-27T02:30:00 happens twice on Europe/Madrid's clock; taking the first, "
                           "2024-10-27T02:30:00+02:00, not 2024-10-27T02:30:00+01:00");
    const ReadInstant skipped = ParseInstant("--at", "2024-03-31T02:30", madrid, {});
    EXPECT_EQ(UnixMilliseconds(skipped.universal), QDateTime(QDate(2024, 3, 31), QTime(1, 30), Qt::UTC).toMSecsSinceEpoch());
    ASSERT_TRUE(skipped.note);
    EXPECT_EQ(*skipped.note, "--at: 2024-03-31T02:30:00 does not happen on Europe/Madrid's clock; taking "
                             "2024-03-31T03:30:00+02:00");
}

// The console run in process: its own store, the system's zone and the wall
// clock of the test.
class CliConsole : public IsolatedSettings {
protected:
    struct Run {
        int status;
        std::string out;
    };
    Run RunAt(const std::vector<std::string>& words, const char* systemZone, QDateTime now) {
        std::ostringstream out;
        Console console{out};
        console.system = Around();
        console.system.zone = [systemZone] { return QTimeZone(systemZone); };
        console.system.timeZone = [systemZone] { return TimeZoneRecordFor(QTimeZone(systemZone), 2026); };
        const double seconds = now.toMSecsSinceEpoch() / 1000.0;
        console.clock = {[seconds] { return seconds; }, [](double) {}};
        return {RunConsole(words, console), out.str()};
    }
    const QDateTime kNow{QDate(2026, 12, 8), QTime(11, 30), Qt::UTC};
};

// At 11:30 UT on 8 December it is already the 9th in Auckland (UT+13) and
// still the 8th in Honolulu (UT−10), whatever the machine's own date.
TEST_F(CliConsole, TodayIsThePlacesDate) {
    for (const auto& [place, date, tomorrow] : {std::tuple{"Auckland", "2026-12-09", "2026-12-10"},
                                                std::tuple{"Honolulu", "2026-12-08", "2026-12-09"}}) {
        const Run today = RunAt({"day", "--place", place, "--format", "json"}, "Europe/Madrid", kNow);
        ASSERT_EQ(today.status, 0) << place;
        EXPECT_EQ(json::parse(today.out)["date"], date) << place;
        const Run next = RunAt({"day", "tomorrow", "--place", place, "--format", "json"}, "Europe/Madrid", kNow);
        EXPECT_EQ(json::parse(next.out)["date"], tomorrow) << place;
    }
}

// A height lowers the horizon of rising, setting and twilight, not the
// altitudes asked of the Sun's centre nor the transit.
TEST_F(CliConsole, AHeightLowersTheHorizonOfRisingSettingAndTwilight) {
    const std::vector<std::string> madrid = {"day", "2026-06-21", "--lat", "40.4168", "--lon", "-3.7038", "--tz",
                                             "Europe/Madrid", "--altitude", "golden_hour", "--format", "json"};
    std::vector<std::string> raised = madrid;
    raised.insert(raised.end(), {"--elevation", "1000"});
    const json sea = json::parse(RunAt(madrid, "UTC", kNow).out), high = json::parse(RunAt(raised, "UTC", kNow).out);
    EXPECT_EQ(high["place"]["elevation"], 1000.0);
    EXPECT_LT(high["sun"]["sunrise"]["time"], sea["sun"]["sunrise"]["time"]);
    EXPECT_GT(high["sun"]["sunset"]["time"], sea["sun"]["sunset"]["time"]);
    EXPECT_LT(high["twilight"]["civil_dawn"]["time"], sea["twilight"]["civil_dawn"]["time"]);
    EXPECT_LT(high["moon"]["moonrise"]["time"], sea["moon"]["moonrise"]["time"]);
    EXPECT_EQ(high["sun"]["solar_noon"], sea["sun"]["solar_noon"]);
    EXPECT_EQ(high["altitudes"]["golden_hour"], sea["altitudes"]["golden_hour"]);
    // The engine's own crossing from the same height.
    const UniversalTime from{2440587.5 + QDateTime(QDate(2026, 6, 21), QTime(0, 0), QTimeZone("Europe/Madrid"))
                                              .toMSecsSinceEpoch() / 86400000.0};
    const auto sunrise = FindHorizonCrossings(SunOrMoon::Sun, kSunStandardAltitude, from, from + Days{0.5},
                                              {kMadridWest, kMadridLatitude, 1000.0});
    ASSERT_FALSE(sunrise.empty());
    EXPECT_EQ(high["sun"]["sunrise"]["time"],
              QDateTime::fromMSecsSinceEpoch(UnixMilliseconds(sunrise[0].universal.jd), QTimeZone("Europe/Madrid"))
                  .toString(Qt::ISODate)
                  .toStdString());
}

// A server on UTC, nothing kept: no answer for 0°N 0°E, but how to give a place.
TEST_F(CliConsole, NoPlaceAnywhereIsAnError) {
    const Run run = RunAt({"day"}, "UTC", kNow);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(RunAt({"phases", "today", "+30"}, "UTC", kNow).status, 0) << "a phase needs no place";
}

// place set writes the window's five values as its options dialog would
// (Oslo: one hour ahead, an hour more in summer) and the console's zone and
// height, and nothing else of the store changes; show and the commands take
// the kept place; forget takes it out.
TEST_F(CliConsole, APlaceKeptInTheWindowsStore) {
    const QString file = config_.path() + "/Velmora/Helune.conf";
    ASSERT_TRUE(QDir().mkpath(config_.path() + "/Velmora"));
    const QByteArray before = "# my own settings\n[General]\nLeft=120\nTop=80\n\n[Other]\nkey=kept\n";
    QFile seed(file);
    ASSERT_TRUE(seed.open(QIODevice::WriteOnly) && seed.write(before) == before.size());
    seed.close();

    const Run set = RunAt({"place", "set", "Oslo", "--elevation", "120"}, "Europe/Madrid", kNow);
    ASSERT_EQ(set.status, 0);
    const StoredSettings window = ReadStoredSettings({}, UserDecimalSeparator(), IsolatedStore());
    EXPECT_FALSE(window.missing) << "the window reads all five";
    EXPECT_NEAR(window.settings.Latitud, 59.91, 0.05);
    EXPECT_NEAR(window.settings.Longitud, -10.75, 0.05) << "positive West";
    EXPECT_EQ(window.settings.Huso, -15.0) << "one hour ahead of UT";
    EXPECT_TRUE(window.settings.Verano);
    EXPECT_EQ(window.settings.Ajuste, -15.0) << "an hour more in summer";
    const KeptPlace kept = ReadKeptPlace(IsolatedStore());
    EXPECT_EQ(kept.zone->id(), "Europe/Oslo");
    EXPECT_EQ(kept.height, 120.0);

    const Run shown = RunAt({"place", "show", "--format", "json"}, "UTC", kNow);
    ASSERT_EQ(shown.status, 0);
    const json show = json::parse(shown.out);
    EXPECT_EQ(show["place"]["source"], "stored");
    EXPECT_EQ(show["place"]["elevation"], 120.0);
    EXPECT_EQ(show["clock"]["zone"], "Europe/Oslo");
    EXPECT_EQ(show["clock"]["source"], "stored");
    EXPECT_EQ(show["kept"], true);
    EXPECT_EQ(json::parse(RunAt({"day", "--format", "json"}, "UTC", kNow).out)["place"]["source"], "stored");

    ASSERT_EQ(RunAt({"place", "forget"}, "UTC", kNow).status, 0);
    QFile after(file);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before) << "the lines it did not set, as they were";
    EXPECT_EQ(RunAt({"day"}, "UTC", kNow).status, 2) << "nothing kept any more";
}

// A store that cannot be written: place set and forget fail with status 1.
TEST_F(CliConsole, AStoreThatCannotBeWrittenFailsTheSave) {
    QFile inTheWay(config_.path() + "/Velmora");
    ASSERT_TRUE(inTheWay.open(QIODevice::WriteOnly) && inTheWay.write("x") == 1);
    inTheWay.close();
    EXPECT_EQ(RunAt({"place", "set", "Oslo"}, "UTC", kNow).status, 1);
    EXPECT_EQ(RunAt({"place", "forget"}, "UTC", kNow).status, 1);
}

TEST_F(CliConsole, APlaceKeptBadlyIsRefusedAndAnIncompleteOneSaid) {
    EXPECT_EQ(RunAt({"place", "set"}, "UTC", kNow).status, 2);
    EXPECT_EQ(RunAt({"place", "set", "Oslo", "--utc-offset", "+01:00"}, "UTC", kNow).status, 2);
    EXPECT_EQ(RunAt({"place", "set", "Oslo", "--elevation", "9001"}, "UTC", kNow).status, 2);
    EXPECT_EQ(RunAt({"place", "keep"}, "UTC", kNow).status, 2);
    ASSERT_TRUE(WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                               {{"Latitud", "59.9"}, {"Longitud", "-10.7"}, {"Huso", "-15"}}, IsolatedStore()));
    const KeptPlace kept = ReadKeptPlace(IsolatedStore());
    ASSERT_TRUE(kept.latitude) << "the place itself is whole";
    ASSERT_EQ(kept.notes.size(), 1u);
    EXPECT_EQ(kept.notes[0], "the window's stored place lacks Verano, Ajuste");
}

}  // namespace
}  // namespace helune::cli
