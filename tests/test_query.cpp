// SPDX-License-Identifier: MIT
// The ephemeris query: dispatch by body and quantity, units, the zone.
#include <gtest/gtest.h>

#include "Efemerides.h"
#include "Positions.h"

namespace helune {
namespace {

constexpr JulianDay kInstant = 2448908.5;

TEST(CalcEfemeride, SunsGeometricLongitudeAnywhere) {
    const double expected = PlanetPosition(kEarthRow, Quantity::EclipticLongitude, 0, 0, 0, kInstant);
    EXPECT_EQ(CalcEfemeride(kBodySun, 10, 0, kInstant, 0, 0, 0), expected);
    EXPECT_EQ(CalcEfemeride(kBodySun, 10, 0, kInstant, 120.0, -33.0, 0), expected);
    EXPECT_NEAR(expected, 199.9072972, 1e-7);
}

TEST(CalcEfemeride, ZoneShiftsTheInstant) {
    // Zone −30 (two hours ahead of UT) at JD is the same instant as zone 0 at JD − 1/12.
    EXPECT_NEAR(CalcEfemeride(kBodySun, 10, 0, kInstant, 0, 0, -30.0),
                CalcEfemeride(kBodySun, 10, 0, kInstant - 1.0 / 12.0, 0, 0, 0), 1e-12);
    EXPECT_NEAR(CalcEfemeride(kBodyMoon, 10, 0, kInstant, 0, 0, 75.0),
                CalcEfemeride(kBodyMoon, 10, 0, kInstant + 75.0 / 360.0, 0, 0, 0), 1e-12);
}

TEST(CalcEfemeride, MeanElementsOfThePlanets) {
    EXPECT_EQ(CalcEfemeride(1, 2, 0, kInstant, 0, 0, 0), 0.38709831);
    // Mercury's node at J2000.0, divided by 15: (48.330893 + 1.186189e-9) / 15.
    EXPECT_NEAR(CalcEfemeride(1, 5, 0, 2451545.0, 0, 0, 0), 3.2220595, 1e-7);
    EXPECT_EQ(CalcEfemeride(4, 3, 0, kInstant, 0, 0, 0), HelioElement(Row::Mars, Element::Eccentricity, kInstant));
    EXPECT_EQ(CalcEfemeride(3, 9, 0, kInstant, 0, 0, 0), HelioElement(kEarthRow, Element::RadiusVector, kInstant));
}

TEST(CalcEfemeride, RightAscensionAndNodeInHours) {
    const double alpha = PlanetPosition(kEarthRow, Quantity::RightAscension, 0, 10, 20, kInstant);
    EXPECT_EQ(CalcEfemeride(kBodySun, 13, 0, kInstant, 10, 20, 0), alpha / 15.0);
    // The hour angle is already in hours and is not divided again.
    EXPECT_EQ(CalcEfemeride(kBodySun, 14, 0, kInstant, 10, 20, 0), PlanetPosition(kEarthRow, Quantity::HourAngle, 0, 10, 20, kInstant));
    // A right ascension of 180° answers 12: the Sun at the autumn equinox of 2024,
    // 22 September 12:44 UT, stands within a few hundredths of an hour of it.
    EXPECT_NEAR(CalcEfemeride(kBodySun, 13, 0, 2460576.03, 0, 0, 0), 12.0, 0.01);
}

TEST(CalcEfemeride, MoonsMeanArguments) {
    EXPECT_EQ(CalcEfemeride(kBodyMoon, 1, 0, kInstant, 0, 0, 0), LunaArg(MeanArgument::MeanLongitude, kInstant));
    EXPECT_EQ(CalcEfemeride(kBodyMoon, 5, 0, kInstant, 0, 0, 0), LunaArg(MeanArgument::Node, kInstant) / 15.0);
    EXPECT_EQ(CalcEfemeride(kBodyMoon, 6, 0, kInstant, 0, 0, 0), LunaArg(MeanArgument::Perigee, kInstant));
    EXPECT_EQ(CalcEfemeride(kBodyMoon, 10, 8, kInstant, 0, 0, 0), CalcLuna(Quantity::EclipticLongitude, 8, 0, 0, kInstant));
}

TEST(CalcEfemeride, WhatItCannotServeAnswersZero) {
    const int16_t pairs[][2] = {{10, 2}, {10, 8}, {9, 1}, {9, 9}, {0, 10}, {11, 10}, {-1, 1}, {3, 0},
                                {3, -5}, {27, 1}, {1, 10}, {4, 7}, {9, 20}, {1, 20}, {3, 28}, {10, 22}, {10, 27}, {1, 22}};
    for (const auto& [body, quantity] : pairs)
        EXPECT_EQ(CalcEfemeride(body, quantity, 15, kInstant, 10, 20, -15), 0.0) << body << " " << quantity;
}

TEST(CalcEfemeride, EventsInLocalHours) {
    const double noon = JulianDayFromDate(20, 3, 2024, 12, 0);
    // Greenwich at the equinox: the Sun transits near 12:07 UT, 13:07 at zone −15.
    EXPECT_NEAR(CalcEfemeride(kBodySun, 19, 0, noon, 0, 51.48, 0), 12.0 + 7.0 / 60.0, 1.0 / 60.0);
    EXPECT_NEAR(CalcEfemeride(kBodySun, 19, 0, noon, 0, 51.48, -15), 13.0 + 7.0 / 60.0, 1.0 / 60.0);
}

TEST(CalcEfemerides, AnswersAsTheQueryDoesOneByOne) {
    // Madrid, Tromsø and McMurdo through a month each: every event (including a
    // code the query refuses) and a position beside them.
    const int16_t quantities[] = {20, 21, 19, 22, 23, 24, 25, 26, 27, 17, 28};
    struct Place {
        double longitude, latitude, zone;
    };
    const Place places[] = {{3.7038, 40.4168, -15.0}, {-18.9553, 69.6492, -15.0}, {-166.6863, -77.8419, -195.0}};
    for (const Place& place : places)
        for (double noon = JulianDayFromDate(1, 1, 2026, 12, 0); noon < JulianDayFromDate(1, 2, 2026, 12, 0); noon += 3.0)
            for (int16_t body : {kBodySun, kBodyMoon}) {
                double together[std::size(quantities)];
                CalcEfemerides(body, quantities, 0, noon, place.longitude, place.latitude, place.zone, together);
                for (std::size_t i = 0; i < std::size(quantities); ++i)
                    EXPECT_EQ(together[i], CalcEfemeride(body, quantities[i], 0, noon, place.longitude, place.latitude,
                                                         place.zone))
                        << body << " " << quantities[i] << " " << noon;
            }
}

}  // namespace
}  // namespace helune
