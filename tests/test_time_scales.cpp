// SPDX-License-Identifier: MIT
// The time scales: universal and dynamical instants apart, ΔT between them,
// the proleptic Gregorian calendar of the date helper; and the events placed
// in the theories' time, against the model composed independently.
#include <gtest/gtest.h>

#include <cmath>

#include "Almanac.h"
#include "Efemerides.h"
#include "model_scan.h"

namespace helune {
namespace {

// Dates and Julian days of the proleptic Gregorian calendar: Meeus,
// Astronomical Algorithms, ch. 7 (the reform's first day, 1582 October 15, is
// JD 2299160.5; JD 0 is −4713 November 24 at noon, Gregorian) and the count
// of days (0001-01-01 is JD 1721425.5; a century back, 101 years of which 25
// leap, 36 890 days, −100 January 1).
struct GregorianDay {
    JulianDay jd;
    int year, month, day;
};
constexpr GregorianDay kGregorianDays[] = {
    {2299160.5, 1582, 10, 15}, {2299159.5, 1582, 10, 14}, {2086302.5, 1000, 1, 1}, {1721425.5, 1, 1, 1},
    {1684535.5, -100, 1, 1},   {2451544.5, 2000, 1, 1},   {-0.5, -4713, 11, 24},
};

TEST(CalendarTime, TheProlepticGregorianCalendarEveryYear) {
    for (const GregorianDay& g : kGregorianDays) {
        const CalendarTime t = CalendarTimeOf(UniversalTime{g.jd});
        EXPECT_EQ(t.year, g.year) << g.jd;
        EXPECT_EQ(t.month, g.month) << g.jd;
        EXPECT_EQ(t.day, g.day) << g.jd;
        EXPECT_EQ(t.hour, 0);
        EXPECT_EQ(UniversalTimeOf({g.year, g.month, g.day, 0, 0, 0.0}).jd, g.jd);
    }
    const CalendarTime noon = CalendarTimeOf(UniversalTime{2451545.25 + 1.5 / 86400.0});  // J2000 + 6 h 0 min 1.5 s
    EXPECT_EQ(noon.hour, 18);
    EXPECT_EQ(noon.minute, 0);
    EXPECT_NEAR(noon.second, 1.5, 1e-4);
    EXPECT_EQ(UniversalTimeOf({2026, 12, 8, 0, 0, 90.0}).jd, UniversalTimeOf({2026, 12, 8, 0, 1, 30.0}).jd)
        << "seconds carry into minutes";
}

// ΔT at 2000.0: 63.8 s (the U.S. Naval Observatory's measured value); the two
// conversions undo each other to a microsecond.
TEST(TimeScales, DeltaTBetweenTheScales) {
    constexpr double kMicrosecondDays = 1e-6 / 86400.0;
    const UniversalTime j2000{kJ2000};
    EXPECT_NEAR((ToDynamical(j2000).jd - j2000.jd) * 86400.0, 63.8, 0.1);
    for (const double jd : {1721425.5, 2299160.5, kJ2000, 2597641.5, 2816787.5}) {
        const UniversalTime ut{jd};
        EXPECT_NEAR(ToUniversal(ToDynamical(ut)).jd, jd, kMicrosecondDays) << jd;
    }
    EXPECT_EQ((UniversalTime{10.0} + Days{2.5} - UniversalTime{10.0}).count, 2.5);
}

// The Moon's upper transit over Singapore on the query's dates against the
// model composed from the query's own quantities, the position at the
// dynamical time of each universal instant (model_scan.h): the events no
// longer run ahead by ΔT × 0.037 (2.5 s now, 42 s in 2400, 169 s in 3000).
TEST(TimeScales, TheMoonsTransitInTheTheoriesTime) {
    constexpr double kSameEventSeconds = 10.0;  // the tabulated method's answer stands within this
    constexpr double kLongitudeWest = -103.8198, kLatitude = 1.3521, kZone = -120.0;
    for (const int16_t year : {1000, 2000, 2400, 3000}) {
        for (int16_t day = 1; day <= 28; day += 9) {
            const JulianDay midnight = JulianDayFromDate(day, 3, year, 0, 0);
            const DateEvents events = EventsOnDate(SunOrMoon::Moon, midnight, kZone, kLongitudeWest, kLatitude);
            const JulianDay start = midnight + kZone / 360.0;
            const auto transits = scan::UpperTransits(kBodyMoon, start, start + 1.0, kLongitudeWest, kLatitude);
            ASSERT_EQ(events.transit.has_value(), !transits.empty()) << year << "-03-" << day;
            if (transits.empty()) continue;
            EXPECT_NEAR((events.transit->jd - transits.front()) * 86400.0, 0.0, kSameEventSeconds)
                << year << "-03-" << day;
        }
    }
}

// 2400 April 1 and 2 at Singapore (UT+8): the Moon sets 45 s after the
// midnight between them, on the 2nd; taken a ΔT early it set at 23:59:59 on
// the 1st.
TEST(TimeScales, AMoonsetAcrossMidnightIn2400) {
    constexpr double kLongitudeWest = -103.8198, kLatitude = 1.3521, kZone = -120.0;
    const JulianDay april1 = JulianDayFromDate(1, 4, 2400, 0, 0), april2 = april1 + 1.0;
    const auto settings = scan::Crossings(kBodyMoon, kMoonStandardAltitude, april1 + kZone / 360.0,
                                          april2 + 1.0 + kZone / 360.0, kLongitudeWest, kLatitude);
    const scan::Crossing* setting = scan::First(settings, false);
    ASSERT_NE(setting, nullptr);
    const double localMinutes = (setting->universal - kZone / 360.0 - april2) * 1440.0;
    EXPECT_GT(localMinutes, 0.0) << "the model sets it after midnight";
    EXPECT_LT(localMinutes, 2.0);
    EXPECT_FALSE(EventsOnDate(SunOrMoon::Moon, april1, kZone, kLongitudeWest, kLatitude).setting);
    const auto onSecond = EventsOnDate(SunOrMoon::Moon, april2, kZone, kLongitudeWest, kLatitude).setting;
    ASSERT_TRUE(onSecond);
    EXPECT_NEAR((onSecond->jd - setting->universal) * 86400.0, 0.0, 10.0);
}

}  // namespace
}  // namespace helune
