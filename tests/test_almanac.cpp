// SPDX-License-Identifier: MIT
// The interval interface: crossings and transits against the model found by a
// plain scan, positions against Meeus's worked examples, phases and seasons
// against the U.S. Naval Observatory.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <string>

#include "Almanac.h"
#include "Efemerides.h"
#include "Phases.h"
#include "model_scan.h"
#include "usno.h"

namespace helune {
namespace {

// The search and the scan place the same model's instants to these, seconds,
// and see the same altitude to this (degrees: the nutation in the sidereal
// time, of the theories' instant in one, of the universal in the other).
constexpr double kSameModelSeconds = 0.05;
constexpr double kSameAltitude = 1e-6;

int16_t BodyCode(SunOrMoon body) { return body == SunOrMoon::Sun ? kBodySun : kBodyMoon; }

// A Julian day read as universal time.
constexpr UniversalTime UT(JulianDay jd) { return {jd}; }

struct Observer {
    double longitudeWest, latitude;
};
constexpr Observer kMadrid{3.7038, 40.4168};
constexpr Observer kTromso{-18.9553, 69.6492};
constexpr Observer kNorthPole{0.0, 90.0};

void ExpectCrossingsAsScanned(SunOrMoon body, double altitude, JulianDay from, JulianDay to, const Observer& at) {
    const auto found = FindCrossings(body, altitude, UT(from), UT(to), at.longitudeWest, at.latitude);
    const auto scanned = scan::Crossings(BodyCode(body), altitude, from, to, at.longitudeWest, at.latitude, 2.0);
    ASSERT_EQ(found.size(), scanned.size()) << "altitude " << altitude << " at latitude " << at.latitude;
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].rising, scanned[i].rising) << i;
        EXPECT_NEAR((found[i].universal.jd - scanned[i].universal) * 86400.0, 0.0, kSameModelSeconds) << i;
    }
}

TEST(FindCrossings, TheScannedModelAtAnyAltitude) {
    const JulianDay june2026 = JulianDayFromDate(1, 6, 2026, 0, 0);
    // Madrid's sunrise and sunset, and the golden hour's upper edge, for ten days.
    ExpectCrossingsAsScanned(SunOrMoon::Sun, kSunStandardAltitude, june2026, june2026 + 10.0, kMadrid);
    ExpectCrossingsAsScanned(SunOrMoon::Sun, kGoldenHourEnds, june2026, june2026 + 10.0, kMadrid);
    // The Moon at Tromsø through a fortnight in which it stops rising and setting.
    const JulianDay november2026 = JulianDayFromDate(10, 11, 2026, 0, 0);
    ExpectCrossingsAsScanned(SunOrMoon::Moon, kMoonStandardAltitude, november2026, november2026 + 14.0, kTromso);
    // The pole: one sunrise near the March equinox of 2022 (USNO: 18 March 13:02 UT).
    const JulianDay march2022 = JulianDayFromDate(15, 3, 2022, 0, 0);
    ExpectCrossingsAsScanned(SunOrMoon::Sun, kSunStandardAltitude, march2022, march2022 + 7.0, kNorthPole);
    const auto poleRising =
        FindCrossings(SunOrMoon::Sun, kSunStandardAltitude, UT(march2022), UT(march2022 + 7.0), 0.0, 90.0);
    ASSERT_EQ(poleRising.size(), 1u);
    // At the pole the Sun climbs 1″ a minute: the horizons of USNO and of the
    // engine, a few arc seconds apart, part the instants by minutes.
    constexpr double kPoleMinutes = 10.0;
    EXPECT_NEAR((poleRising[0].universal.jd - JulianDayFromDate(18, 3, 2022, 13, 2)) * 1440.0, 0.0, kPoleMinutes);
}

TEST(FindCrossings, LongIntervalsInPiecesAndEmptyOnes) {
    // A year of Madrid's sunrises, searched in pieces: one a day, in order.
    const JulianDay from = JulianDayFromDate(1, 1, 2026, 0, 0);
    const auto year = FindCrossings(SunOrMoon::Sun, kSunStandardAltitude, UT(from), UT(from + 365.0),
                                    kMadrid.longitudeWest, kMadrid.latitude);
    EXPECT_EQ(year.size(), 730u);
    for (std::size_t i = 1; i < year.size(); ++i) {
        EXPECT_LT(year[i - 1].universal, year[i].universal);
        EXPECT_NE(year[i - 1].rising, year[i].rising);
    }
    // Several altitudes in one search: each list as its own search gives it.
    const double altitudes[] = {kSunStandardAltitude, kGoldenHourEnds, kBlueHourBegins};
    const auto together = FindCrossings(SunOrMoon::Sun, altitudes, UT(from), UT(from + 30.0), kMadrid.longitudeWest,
                                        kMadrid.latitude);
    ASSERT_EQ(together.size(), std::size(altitudes));
    for (std::size_t i = 0; i < std::size(altitudes); ++i) {
        const auto alone = FindCrossings(SunOrMoon::Sun, altitudes[i], UT(from), UT(from + 30.0),
                                         kMadrid.longitudeWest, kMadrid.latitude);
        ASSERT_EQ(together[i].size(), alone.size()) << altitudes[i];
        for (std::size_t k = 0; k < alone.size(); ++k) EXPECT_EQ(together[i][k].universal, alone[k].universal);
    }
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(FindCrossings(SunOrMoon::Sun, 0.0, UT(from + 1.0), UT(from), 0.0, 40.0).empty());
    EXPECT_TRUE(FindCrossings(SunOrMoon::Sun, 0.0, UT(kNaN), UT(from), 0.0, 40.0).empty());
    EXPECT_TRUE(FindTransits(SunOrMoon::Moon, UT(from), UT(std::numeric_limits<double>::infinity()), 0.0, 40.0).empty());
    EXPECT_TRUE(FindPhases(UT(from), UT(from)).empty());
}

TEST(FindTransits, UpperAsScannedWithALowerBetweenAndTheirAltitudes) {
    const JulianDay from = JulianDayFromDate(10, 11, 2026, 0, 0), to = from + 10.0;
    for (SunOrMoon body : {SunOrMoon::Sun, SunOrMoon::Moon}) {
        const auto transits = FindTransits(body, UT(from), UT(to), kTromso.longitudeWest, kTromso.latitude);
        const auto upper = scan::UpperTransits(BodyCode(body), from, to, kTromso.longitudeWest, kTromso.latitude);
        std::size_t u = 0;
        for (std::size_t i = 0; i < transits.size(); ++i) {
            if (i > 0) {
                EXPECT_NE(transits[i].upper, transits[i - 1].upper) << i;
            }
            EXPECT_NEAR(transits[i].altitude,
                        scan::Altitude(BodyCode(body), transits[i].universal.jd, kTromso.longitudeWest, kTromso.latitude),
                        kSameAltitude);
            if (!transits[i].upper) continue;
            ASSERT_LT(u, upper.size());
            EXPECT_NEAR((transits[i].universal.jd - upper[u++]) * 86400.0, 0.0, kSameModelSeconds) << i;
        }
        EXPECT_EQ(u, upper.size());
        // The upper transit is the day's highest point: at Tromsø in November the
        // Sun culminates below the horizon.
        for (const Transit& t : transits) {
            const BodyPosition p = FindPosition(body, t.universal, kTromso.longitudeWest, kTromso.latitude);
            EXPECT_NEAR(p.altitude, t.altitude, 1e-9);
            EXPECT_NEAR(std::remainder(p.azimuth - (t.upper ? 180.0 : 0.0), 360.0), 0.0, 0.01);
        }
    }
}

TEST(FindPosition, MeeusWorkedExamples) {
    // Meeus, Astronomical Algorithms, example 47.a and 48.a: 1992 April 12 at 0h TD,
    // the Moon 368409.7 km away, its disc 0.6786 illuminated at a phase angle of
    // 69.0756°; asked at the universal instant of that dynamical one.
    const BodyPosition moon = FindPosition(SunOrMoon::Moon, ToUniversal(DynamicalTime{2448724.5}), 0.0, 0.0);
    EXPECT_NEAR(moon.distance, 368409.7, 0.1);
    EXPECT_NEAR(moon.illuminatedFraction, 0.6786, 0.0005);
    EXPECT_NEAR(moon.phaseAngle, 69.0756, 0.05);
    EXPECT_NEAR(moon.brightLimb, 285.0, 0.05);  // χ, example 48.a
    // Example 25.b: 1992 October 13 at 0h TD, the Sun 0.99760775 AU away (geometric;
    // the light-time step moves it by under 500 km).
    const BodyPosition sun = FindPosition(SunOrMoon::Sun, ToUniversal(DynamicalTime{2448908.5}), 0.0, 0.0);
    EXPECT_NEAR(sun.distance, 0.99760775 * 149597870.7, 500.0);
    EXPECT_EQ(sun.illuminatedFraction, 1.0);
    EXPECT_EQ(sun.phaseAngle, 0.0);
    // Azimuth from North towards East: at a Madrid sunrise the Sun stands in the East.
    const auto rising = FindCrossings(SunOrMoon::Sun, kSunStandardAltitude, UT(2461192.5), UT(2461193.5),
                                      kMadrid.longitudeWest, kMadrid.latitude);
    ASSERT_FALSE(rising.empty());
    const BodyPosition east = FindPosition(SunOrMoon::Sun, rising[0].universal, kMadrid.longitudeWest, kMadrid.latitude);
    EXPECT_NEAR(east.altitude, kSunStandardAltitude, 1e-6);
    EXPECT_GT(east.azimuth, 45.0);
    EXPECT_LT(east.azimuth, 135.0);
}

// The parallactic angle q closes the astronomical triangle of pole, zenith and
// body (Meeus ch. 14) with the query's hour angle H, declination δ and
// altitude h: sin q cos h = cos φ sin H and cos q cos h cos δ = sin φ − sin h
// sin δ. The query takes its instant as dynamical time: ΔT moves the Moon by
// under 0.05°. Seen from the North the waxing Moon's lit side is on the
// right (turned up in the evening, the Sun far below the western horizon),
// from the South on the left.
TEST(FindPosition, TheDiscAsTheObserverSeesIt) {
    constexpr double kTriangleTolerance = 2e-3;
    const Observer sydney{-151.2093, -33.8688};
    for (const Observer& place : {kMadrid, kTromso, sydney})
        for (const SunOrMoon body : {SunOrMoon::Sun, SunOrMoon::Moon})
            for (const JulianDay jd : {2461000.3, 2461007.8, 2461015.1, 2461022.6}) {
                const BodyPosition p = FindPosition(body, UT(jd), place.longitudeWest, place.latitude);
                const int16_t code = body == SunOrMoon::Sun ? kBodySun : kBodyMoon;
                const auto radians = [](double degrees) { return degrees * M_PI / 180.0; };
                const auto query = [&](Quantity q) {
                    return radians(CalcEfemeride(code, QuantityCode(q), 15, jd, place.longitudeWest, place.latitude, 0.0));
                };
                const double hourAngle = query(Quantity::HourAngle) * 15.0, delta = query(Quantity::Declination);
                const double h = radians(p.altitude), q = radians(p.parallactic), phi = radians(place.latitude);
                EXPECT_NEAR(std::sin(q) * std::cos(h), std::cos(phi) * std::sin(hourAngle), kTriangleTolerance);
                EXPECT_NEAR(std::cos(q) * std::cos(h) * std::cos(delta),
                            std::sin(phi) - std::sin(h) * std::sin(delta), kTriangleTolerance);
            }
    // 20 December 2026, four days before full moon, the Sun to the West: the
    // evening's Moon high in the South at Madrid (18:00 UT) and in the North at
    // Sydney (09:00 UT).
    const auto litSide = [](const Observer& place, JulianDay jd) {
        const BodyPosition moon = FindPosition(SunOrMoon::Moon, UT(jd), place.longitudeWest, place.latitude);
        return std::remainder(moon.brightLimb - moon.parallactic, 360.0);
    };
    const double madrid = litSide(kMadrid, 2461395.25), south = litSide(sydney, 2461394.875);
    EXPECT_TRUE(madrid < -20.0 && madrid > -160.0) << madrid << "°: the right, counterclockwise from the top";
    EXPECT_TRUE(south > 20.0 && south < 160.0) << south << "°: the left";
}

// USNO's principal phases of the years in moonphases.txt, read as (code, UT).
std::vector<PrincipalPhase> UsnoPhases(int firstYear, int lastYear) {
    std::ifstream file(usno::DataDirectory() + "/moonphases.txt");
    const int16_t codeOf[] = {kNewMoon, kFirstQuarter, kFullMoon, kLastQuarter};
    std::vector<PrincipalPhase> phases;
    for (std::string line; std::getline(file, line);) {
        int quarter = 0, year = 0, month = 0, day = 0, hour = 0, minute = 0;
        if (std::sscanf(line.c_str(), "%d %d-%d-%dT%d:%d", &quarter, &year, &month, &day, &hour, &minute) == 6 &&
            year >= firstYear && year <= lastYear)
            phases.push_back({codeOf[quarter], UT(JulianDayFromDate(static_cast<int16_t>(day), static_cast<int16_t>(month),
                                                                    static_cast<int16_t>(year), static_cast<int16_t>(hour),
                                                                    static_cast<int16_t>(minute)))});
    }
    return phases;
}

TEST(FindPhases, EveryPhaseOfUsnosYears1950To2050) {
    // USNO gives the minute from apparent longitudes, about 40 s before the
    // geometric convention's instant.
    constexpr double kToleranceMinutes = 1.5;
    std::vector<double> errors;
    for (int year = 1950; year <= 2050; year += 10) {
        const std::vector<PrincipalPhase> expected = UsnoPhases(year, year);
        const std::vector<PrincipalPhase> found =
            FindPhases(UT(JulianDayFromDate(1, 1, static_cast<int16_t>(year), 0, 0)),
                       UT(JulianDayFromDate(1, 1, static_cast<int16_t>(year + 1), 0, 0)));
        ASSERT_EQ(found.size(), expected.size()) << year;
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].code, expected[i].code) << year << " " << i;
            errors.push_back(std::fabs((found[i].universal - expected[i].universal).count) * 1440.0);
        }
    }
    const usno::Summary s = usno::Summarize(errors);
    std::printf("FindPhases against USNO, 1950-2050: %zu phases, median %.2f min, max %.2f min\n", s.count, s.median,
                s.max);
    EXPECT_LE(s.max, kToleranceMinutes);
}

TEST(FindPhases, TheSameInstantsAsTheWindowsSearch) {
    // FindFase's search stops within 0.0001° of the phase (under a second).
    constexpr double kSearchSeconds = 1.0;
    const JulianDay from = JulianDayFromDate(1, 1, 2008, 0, 0);
    for (const PrincipalPhase& p : FindPhases(UT(from), UT(from + 120.0))) {
        PhaseEvent start{};
        JulianDayToDate(start, p.universal.jd);
        PhaseEvent e{start.Day, start.Month, start.Year, 0, 0, 0, kNoPhase};
        FindFase(e, 0.0);
        ASSERT_EQ(e.PhaseCode, p.code);
        const JulianDay table = JulianDayFromDate(e.Day, e.Month, e.Year, e.Hour, e.Minute) + e.Second / 86400.0;
        EXPECT_NEAR((table - p.universal.jd) * 86400.0, 0.0, kSearchSeconds);
    }
}

TEST(FindSeasons, UsnoEarthsSeasons2016To2019) {
    // U.S. Naval Observatory, "Earth's Seasons" (equinoxes and solstices, UT, to
    // the minute).
    constexpr double kToleranceMinutes = 1.0;
    struct Expected {
        int16_t year, month, day, hour, minute;
    };
    const Expected usno[] = {
        {2016, 3, 20, 4, 30},  {2016, 6, 20, 22, 34}, {2016, 9, 22, 14, 21}, {2016, 12, 21, 10, 44},
        {2017, 3, 20, 10, 29}, {2017, 6, 21, 4, 24},  {2017, 9, 22, 20, 2},  {2017, 12, 21, 16, 28},
        {2018, 3, 20, 16, 15}, {2018, 6, 21, 10, 7},  {2018, 9, 23, 1, 54},  {2018, 12, 21, 22, 23},
        {2019, 3, 20, 21, 58}, {2019, 6, 21, 15, 54}, {2019, 9, 23, 7, 50},  {2019, 12, 22, 4, 19},
    };
    const auto found = FindSeasons(UT(JulianDayFromDate(1, 1, 2016, 0, 0)), UT(JulianDayFromDate(1, 1, 2020, 0, 0)));
    ASSERT_EQ(found.size(), std::size(usno));
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(static_cast<int>(found[i].season), static_cast<int>(i % 4)) << i;
        const Expected& e = usno[i];
        EXPECT_NEAR((found[i].universal.jd - JulianDayFromDate(e.day, e.month, e.year, e.hour, e.minute)) * 1440.0, 0.0,
                    kToleranceMinutes)
            << i;
    }
}

TEST(EventsOnDate, TheQuerysAnswersAndTheTransitOfCircumpolarDates) {
    // Fairbanks (W147°45′, N64°48.6′), 8 h behind UT: USNO lists the Moon's transit
    // at 14:08 on 25 June 2006, a date on which it neither rises nor sets.
    const double longitude = 147.75, latitude = 64.81, zone = 120.0;
    for (int16_t day = 20; day <= 30; ++day) {
        const JulianDay midnight = JulianDayFromDate(day, 6, 2006, 0, 0);
        const DateEvents events = EventsOnDate(SunOrMoon::Moon, midnight, zone, longitude, latitude);
        const std::pair<std::optional<UniversalTime>, int16_t> pairs[] = {
            {events.rising, kQuantityRising}, {events.transit, kQuantityTransit}, {events.setting, kQuantitySetting}};
        for (const auto& [instant, quantity] : pairs) {
            const double hours = CalcEfemeride(kBodyMoon, quantity, 0, midnight + 0.5, longitude, latitude, zone);
            ASSERT_EQ(instant.has_value(), hours >= 0.0) << day << " " << quantity;
            if (instant) {
                EXPECT_NEAR((instant->jd - midnight - zone / 360.0) * 24.0, hours, 1e-7);  // Julian days keep 10 µs
            }
        }
    }
    const JulianDay june25 = JulianDayFromDate(25, 6, 2006, 0, 0);
    EXPECT_FALSE(EventsOnDate(SunOrMoon::Moon, june25, zone, longitude, latitude).transit);
    const DateEvents always = EventsOnDate(SunOrMoon::Moon, june25, zone, longitude, latitude, kTransitAlways);
    ASSERT_TRUE(always.transit);
    EXPECT_NEAR((always.transit->jd - june25 - zone / 360.0) * 1440.0, 14 * 60 + 8, 1.0);
}

// The dip of the sea horizon as the Nautical Almanac tabulates it (its Dip
// table, 1.76′√h): 5.6′ at 10 m, 17.6′ at 100 m, 55.7′ at 1000 m; none at the
// sea itself or below it.
TEST(AlmanacHeight, TheDipOfTheHorizon) {
    constexpr double kTableTolerance = 0.05;  // arcminutes: the table's last figure
    EXPECT_EQ(HorizonDip(0.0), 0.0);
    EXPECT_EQ(HorizonDip(-5.0), 0.0);
    EXPECT_NEAR(HorizonDip(10.0) * 60.0, 5.6, kTableTolerance);
    EXPECT_NEAR(HorizonDip(100.0) * 60.0, 17.6, kTableTolerance);
    EXPECT_NEAR(HorizonDip(1000.0) * 60.0, 55.7, kTableTolerance);
}

// From 1000 m above Madrid the Sun rises earlier and sets later, when its
// centre stands the dip lower than the standard altitude.
TEST(AlmanacHeight, RisingAndSettingSeenFromAHeight) {
    const Site high{3.7038, 40.4168, 1000.0};
    const UniversalTime from = UT(JulianDayFromDate(21, 6, 2024, 0, 0)), to = from + Days{1.0};
    const auto sea = FindCrossings(SunOrMoon::Sun, kSunStandardAltitude, from, to, high.longitude, high.latitude);
    const auto seen = FindHorizonCrossings(SunOrMoon::Sun, kSunStandardAltitude, from, to, high);
    ASSERT_EQ(sea.size(), 2u);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_LT(seen[0].universal, sea[0].universal);
    EXPECT_GT(seen[1].universal, sea[1].universal);
    for (const Crossing& c : seen)
        EXPECT_NEAR(FindPosition(SunOrMoon::Sun, c.universal, high.longitude, high.latitude).altitude,
                    kSunStandardAltitude - HorizonDip(high.height), 1e-4);
    const auto level =
        FindHorizonCrossings(SunOrMoon::Sun, kSunStandardAltitude, from, to, {high.longitude, high.latitude, 0.0});
    EXPECT_EQ(level[0].universal, sea[0].universal) << "at the sea, the horizon's own altitude";
}

// Instants and places no theory holds answer at once, with nothing or −1.
TEST(HostileInputs, AnswerAtOnceWithNothing) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kHuge = 1e300;
    for (double jd : {kNaN, kHuge, -kHuge, 1e15})
        for (int16_t body : {kBodySun, kBodyMoon})
            for (int16_t quantity : {19, 20, 21, 23}) {
                const double hours = CalcEfemeride(body, quantity, 0, jd, 3.7, 40.4, -15.0);
                EXPECT_TRUE(hours == -1.0 || hours == 0.0 || std::isnan(hours)) << jd << " " << quantity;
            }
    const JulianDay june2026 = JulianDayFromDate(1, 6, 2026, 12, 0);
    for (double latitude : {kNaN, 1e9, -91.0})
        for (int16_t quantity : {19, 20, 21}) CalcEfemeride(kBodyMoon, quantity, 0, june2026, 3.7, latitude, -15.0);
    EXPECT_TRUE(FindSeasons(UT(kNaN), UT(june2026)).empty());
    EXPECT_TRUE(FindSeasons(UT(-kHuge), UT(kHuge)).empty());
    EXPECT_TRUE(FindPhases(UT(1e15), UT(1e15 + 30.0)).empty());
    EXPECT_TRUE(FindTransits(SunOrMoon::Sun, UT(1e15), UT(1e15 + 1.0), 0.0, 0.0).empty());
    EXPECT_TRUE(FindCrossings(SunOrMoon::Moon, 0.0, UT(june2026), UT(june2026 + 2.0), kNaN, 40.0).empty());
}

}  // namespace
}  // namespace helune
