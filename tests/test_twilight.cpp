// SPDX-License-Identifier: MIT
// Dawn and dusk: the Sun's centre at 6°, 12° and 18° below the horizon, against
// USNO's twilight table, and the Sun's own altitude at the instants found.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "Efemerides.h"
#include "Events.h"
#include "Positions.h"
#include "model_scan.h"
#include "usno.h"

namespace helune {
namespace {

struct Twilight {
    int16_t quantity;
    double altitude;  // of the Sun's centre, degrees
};
// In the order of the table's columns: astronomical, nautical, civil dawn, then
// civil, nautical, astronomical dusk.
constexpr Twilight kColumns[] = {{26, -18.0}, {24, -12.0}, {22, -6.0}, {23, -6.0}, {25, -12.0}, {27, -18.0}};

// Orlando is five hours behind UT; every event of the table falls on the local
// date of its search start.
constexpr double kOrlandoZone = 75.0;

JulianDay Instant(const char* stamp) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    std::sscanf(stamp, "%d-%d-%dT%d:%dZ", &year, &month, &day, &hour, &minute);
    return JulianDayFromDate(static_cast<int16_t>(day), static_cast<int16_t>(month), static_cast<int16_t>(year),
                             static_cast<int16_t>(hour), static_cast<int16_t>(minute));
}

TEST(Twilight, MatchesUsnoAndPutsTheSunAtItsAltitude) {
    const std::string dir = usno::DataDirectory();
    // USNO's minutes are rounded; the Sun moves about a quarter of a degree a minute
    // at these latitudes.
    constexpr double kToleranceMinutes = 2.0;
    constexpr double kAltitudeTolerance = 0.1;  // degrees
    std::ifstream file(dir + "/twilight.txt");
    std::vector<double> errors;
    for (std::string line; std::getline(file, line);) {
        double latitude = 0.0, longitudeEast = 0.0;
        char start[32] = {}, stamps[6][32] = {};
        if (std::sscanf(line.c_str(), "%lf %lf %31s %31s %31s %31s %31s %31s %31s", &latitude, &longitudeEast, start,
                        stamps[0], stamps[1], stamps[2], stamps[3], stamps[4], stamps[5]) != 9)
            continue;
        const double longitudeWest = -longitudeEast;
        const JulianDay localMidnight = Instant(start) - std::fmod(Instant(start) + 0.5, 1.0);
        const JulianDay noon = localMidnight + 0.5;  // local clock
        for (int column = 0; column < 6; ++column) {
            const Twilight& t = kColumns[column];
            const double hours = CalcEfemeride(kBodySun, t.quantity, 0, noon, longitudeWest, latitude, kOrlandoZone);
            ASSERT_GE(hours, 0.0) << line << " column " << column;
            const JulianDay found = localMidnight + hours / 24.0 + kOrlandoZone / 360.0;  // UT
            errors.push_back(std::fabs(found - Instant(stamps[column])) * 1440.0);
            EXPECT_LE(errors.back(), kToleranceMinutes) << line << " column " << column;
            const double altitude = CalcEfemeride(kBodySun, kQuantityAltitude, 0, localMidnight + hours / 24.0,
                                                  longitudeWest, latitude, kOrlandoZone);
            EXPECT_NEAR(altitude, t.altitude, kAltitudeTolerance) << line << " column " << column;
        }
    }
    const usno::Summary s = usno::Summarize(errors);
    std::cout << "twilight against USNO at Orlando: " << s.count << " events, median " << s.median << " min, max "
              << s.max << " min\n";
    EXPECT_EQ(s.count, 36u);
}

TEST(Twilight, DawnComesBeforeSunriseAndDuskAfterSunset) {
    // Madrid on 21 June 2024, two hours ahead of UT.
    const JulianDay noon = JulianDayFromDate(21, 6, 2024, 12, 0);
    auto at = [&](int16_t quantity) { return CalcEfemeride(kBodySun, quantity, 0, noon, 3.7038, 40.4168, -30.0); };
    EXPECT_LT(at(26), at(24));
    EXPECT_LT(at(24), at(22));
    EXPECT_LT(at(22), at(kQuantityRising));
    EXPECT_LT(at(kQuantitySetting), at(23));
    EXPECT_LT(at(23), at(25));
    EXPECT_LT(at(25), at(27));
}

TEST(Twilight, AWhiteNightHasNoAstronomicalDuskAndTheMoonNoTwilight) {
    // At 60°N in midsummer the Sun goes no lower than 6.5° below the horizon.
    const JulianDay noon = JulianDayFromDate(21, 6, 2024, 12, 0);
    EXPECT_EQ(CalcEfemeride(kBodySun, 27, 0, noon, -25.0, 60.0, -45.0), -1.0);
    EXPECT_EQ(CalcEfemeride(kBodySun, 26, 0, noon, -25.0, 60.0, -45.0), -1.0);
    EXPECT_GE(CalcEfemeride(kBodySun, 23, 0, noon, -25.0, 60.0, -45.0), 0.0);
    for (int16_t quantity = kQuantityCivilDawn; quantity <= kQuantityAstronomicalDusk; ++quantity)
        EXPECT_EQ(CalcEfemeride(kBodyMoon, quantity, 0, noon, 0.0, 40.0, 0.0), 0.0) << quantity;
    for (int16_t event = kCivilDawn; event <= kAstronomicalDusk; ++event)
        EXPECT_EQ(CalcEventTime(kMoonRow, event, 0.0, 0.0, 40.0, noon), 0.0) << event;
}

// Every dawn and dusk of each date against the model's crossings found by a
// plain scan of the Sun's altitude (one sampling for a run of dates): the same
// model, so the two agree to the scan's own precision.
struct TwilightSweep {
    int afterMidnight = 0;  // dusks in the small hours, on the date they fall on
    int without = 0;        // dawns and dusks that a date lacks
};
TwilightSweep ExpectTwilightAsScanned(double longitudeWest, double latitude, double zone, JulianDay firstMidnight,
                                      int days) {
    constexpr double kToleranceSeconds = 0.1;
    const JulianDay from = firstMidnight + zone / 360.0;  // UT
    std::vector<double> levels;
    for (const Twilight& t : kColumns) levels.push_back(t.altitude);
    const auto crossings = scan::Crossings(kBodySun, levels, from, from + days, longitudeWest, latitude, 2.0);
    TwilightSweep sweep;
    for (int i = 0; i < days; ++i) {
        const JulianDay start = from + i;
        for (std::size_t column = 0; column < std::size(kColumns); ++column) {
            const Twilight& t = kColumns[column];
            const bool dawn = t.quantity % 2 == 0;
            const scan::Crossing* expected = nullptr;
            for (const scan::Crossing& c : crossings[column])
                if (c.rising == dawn && c.universal >= start && c.universal < start + 1.0) {
                    expected = &c;
                    break;
                }
            const double hours =
                CalcEfemeride(kBodySun, t.quantity, 0, firstMidnight + i + 0.5, longitudeWest, latitude, zone);
            if (!expected) {
                ++sweep.without;
                EXPECT_EQ(hours, -1.0) << "date " << i << " quantity " << t.quantity;
                continue;
            }
            sweep.afterMidnight += !dawn && hours < 6.0;
            EXPECT_NEAR((start + hours / 24.0 - expected->universal) * 86400.0, 0.0, kToleranceSeconds)
                << "date " << i << " quantity " << t.quantity << ": " << hours << " h";
        }
    }
    return sweep;
}

TEST(Twilight, WhiteNightsHaveNoFalseDusksAndLateDusksKeepTheirDate) {
    // Anchorage (61.2181°N, 149.9003°W, UT−8 in summer) from 20 May 2026: civil
    // dusk ends early in June and comes back in July.
    const TwilightSweep anchorage =
        ExpectTwilightAsScanned(149.9003, 61.2181, 120.0, JulianDayFromDate(20, 5, 2026, 0, 0), 60);
    EXPECT_GT(anchorage.without, 60);
    // Helsinki (60.1699°N, 24.9384°E, UT+3 in summer) from 10 April: nautical and
    // astronomical dusk move past local midnight before they stop.
    const TwilightSweep helsinki =
        ExpectTwilightAsScanned(-24.9384, 60.1699, -45.0, JulianDayFromDate(10, 4, 2026, 0, 0), 45);
    EXPECT_GT(helsinki.afterMidnight, 10);
}

}  // namespace
}  // namespace helune
