// SPDX-License-Identifier: MIT
// Rising, transit and setting, checked on their own and against USNO tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "Efemerides.h"
#include "Events.h"
#include "Positions.h"

namespace helune {
namespace {

constexpr Row kSunRow = Row::Earth;

// An event of a body on a local date, through the query as the day view asks it.
double EventOn(int16_t body, int16_t quantity, int16_t day, int16_t month, int16_t year, double longitude,
               double latitude, double zone) {
    return CalcEfemeride(body, quantity, 0, JulianDayFromDate(day, month, year, 12, 0), longitude, latitude, zone);
}

TEST(CalcEventTime, PolarDayAndNightHaveNoEvents) {
    // 80° N: the midnight Sun in June, the polar night in December.
    for (int16_t month : {6, 12})
        for (int16_t q : {kQuantityRising, kQuantityTransit, kQuantitySetting})
            EXPECT_EQ(EventOn(kBodySun, q, 21, month, 2024, -15.0, 80.0, -15.0), -1.0) << month << " " << q;
    // The same dates at 40° N have all three.
    for (int16_t q : {kQuantityRising, kQuantityTransit, kQuantitySetting})
        EXPECT_GT(EventOn(kBodySun, q, 21, 12, 2024, -15.0, 40.0, -15.0), 0.0);
}

TEST(CalcEventTime, SunAtTheEquinoxOverGreenwich) {
    // 20 March 2024 at Greenwich: USNO gives sunrise 06:02, transit 12:07, sunset 18:13
    // UT; the tabulated method with one correction stays within two minutes.
    constexpr double kTwoMinutes = 2.0 / 60.0;
    const double latitude = 51.4769;
    EXPECT_NEAR(EventOn(kBodySun, kQuantityRising, 20, 3, 2024, 0.0, latitude, 0.0), 6.0 + 2.0 / 60.0, kTwoMinutes);
    EXPECT_NEAR(EventOn(kBodySun, kQuantityTransit, 20, 3, 2024, 0.0, latitude, 0.0), 12.0 + 7.0 / 60.0,
                kTwoMinutes);
    EXPECT_NEAR(EventOn(kBodySun, kQuantitySetting, 20, 3, 2024, 0.0, latitude, 0.0), 18.0 + 13.0 / 60.0,
                kTwoMinutes);
}

TEST(CalcEventTime, WhatItCannotServeAnswersZero) {
    for (int16_t event : {0, 10, 11, -1}) EXPECT_EQ(CalcEventTime(kSunRow, event, 0, 0, 40, 2451545.0), 0.0);
    for (int16_t event = kCivilDawn; event <= kAstronomicalDusk; ++event)
        EXPECT_EQ(CalcEventTime(kMoonRow, event, 0, 0, 40, 2451545.0), 0.0);
    for (Row row : {Row::Mercury, Row::Venus, Row::Mars, Row::Neptune, Row::Reserved})
        EXPECT_EQ(CalcEventTime(row, kRising, 0, 0, 40, 2451545.0), 0.0);
}

TEST(CalcEventTime, TimesStayWithinTheClosedDay) {
    for (double jd = 2460310.0; jd < 2460310.0 + 366; jd += 1.0)
        for (Row body : {kSunRow, kMoonRow})
            for (int16_t event : {kTransit, kRising, kSetting}) {
                const double t = CalcEventTime(body, event, -30.0, -24.0, 60.0, jd + 30.0 / 360.0);
                ASSERT_TRUE(t == -1.0 || (t >= 0.0 && t <= 24.0)) << jd << " " << RowIndex(body) << " " << event;
            }
}

TEST(RefineTransit, MoonHasNoTransitOnOneDateOfEachLunation) {
    // The Moon transits about 50 minutes later each day, so about once a lunation
    // a local date has none: the transit before it is late on the previous date
    // and the one after it early on the next.
    int withoutTransit = 0;
    double previous = EventOn(kBodyMoon, kQuantityTransit, 31, 12, 2023, 3.7, 40.4, -15.0);
    for (double jd = JulianDayFromDate(1, 1, 2024, 12, 0); jd < JulianDayFromDate(1, 1, 2025, 12, 0); jd += 1.0) {
        const double t = CalcEfemeride(kBodyMoon, kQuantityTransit, 0, jd, 3.7, 40.4, -15.0);
        if (t < 0.0) {
            ++withoutTransit;
            EXPECT_GT(previous, 22.5) << jd;
            const double next = CalcEfemeride(kBodyMoon, kQuantityTransit, 0, jd + 1.0, 3.7, 40.4, -15.0);
            EXPECT_GE(next, 0.0);
            EXPECT_LT(next, 1.5) << jd;
        }
        previous = t;
    }
    EXPECT_GE(withoutTransit, 11);
    EXPECT_LE(withoutTransit, 13);
}

TEST(CheckMoonEventDay, BostonJanuary1984HasNoMoonset) {
    // USNO, Boston (W071°05′, N42°19′), Eastern Standard Time: 11 January 1984 has a
    // moonrise at 11:38 and no moonset; 10 January sets at 23:47, 12 January at 00:48.
    const double longitude = 71.0 + 5.0 / 60.0, latitude = 42.0 + 19.0 / 60.0, zone = 75.0;
    constexpr double kTwoMinutes = 2.0 / 60.0;
    EXPECT_EQ(EventOn(kBodyMoon, kQuantitySetting, 11, 1, 1984, longitude, latitude, zone), -1.0);
    EXPECT_NEAR(EventOn(kBodyMoon, kQuantityRising, 11, 1, 1984, longitude, latitude, zone), 11.0 + 38.0 / 60.0,
                kTwoMinutes);
    EXPECT_GT(EventOn(kBodyMoon, kQuantityTransit, 11, 1, 1984, longitude, latitude, zone), 0.0);
    EXPECT_NEAR(EventOn(kBodyMoon, kQuantitySetting, 10, 1, 1984, longitude, latitude, zone), 23.0 + 47.0 / 60.0,
                kTwoMinutes);
}

}  // namespace
}  // namespace helune
