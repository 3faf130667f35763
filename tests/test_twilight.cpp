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

}  // namespace
}  // namespace helune
