// SPDX-License-Identifier: MIT
// Mean elements, the Sun's geocentric pipeline with its corrections, and the Moon.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "Positions.h"

namespace helune {
namespace {

constexpr double kArcsecond = 1.0 / 3600.0;  // degrees
constexpr double kPi = 3.14159265358979323846;

// 1992 October 13.0: the Sun of Meeus, Astronomical Algorithms, example 25.b.
constexpr JulianDay kSunExample = 2448908.5;
// 1992 April 12.0: the Moon of Meeus, example 47.a.
constexpr JulianDay kMoonExample = 2448724.5;

TEST(HelioElement, AtJ2000EachElementIsItsFirstTwoCoefficients) {
    // T = 1e-9 at exactly J2000.0, so every element is c0 + c1·1e-9.
    for (int16_t row = 0; row < kPlanetRows; ++row)
        for (int16_t code = 0; code < 6; ++code) {
            const double* c = ElementTable[row][code];
            EXPECT_NEAR(HelioElement(static_cast<Row>(row), static_cast<Element>(code), kJ2000), c[0] + c[1] * 1e-9,
                        1e-12)
                << row << " " << code;
        }
    // The Earth's mean longitude: 100.466449 + 36000.7698231e-9.
    EXPECT_NEAR(HelioElement(kEarthRow, Element::MeanLongitude, kJ2000), 100.466485001, 1e-9);
}

TEST(HelioElement, AnglesReducedDistancesNot) {
    // Mercury's mean longitude at T = 1 is 149726.323459088° before 415 turns come off.
    EXPECT_NEAR(HelioElement(Row::Mercury, Element::MeanLongitude, 2488070.0), 326.323459088, 1e-8);
    // Semi-major axes are not reduced: Mercury's is constant, Jupiter's drifts.
    EXPECT_EQ(HelioElement(Row::Mercury, Element::SemiMajorAxis, 2488070.0), 0.38709831);
    EXPECT_EQ(HelioElement(Row::Mercury, Element::SemiMajorAxis, 2415020.0), 0.38709831);
    EXPECT_NEAR(HelioElement(Row::Jupiter, Element::SemiMajorAxis, 2488070.0), 5.202603191 + 0.0000001913, 1e-12);
    // Saturn's node, reduced into [0, 360] also for large negative T.
    const double node = HelioElement(Row::Saturn, Element::AscendingNode, 2451545.0 - 3e6);
    EXPECT_GE(node, 0.0);
    EXPECT_LE(node, 360.0);
}

TEST(HelioElement, EarthsSeriesInDegreesAndAU) {
    // VSOP87D at J2000.0: L = 1.75192452 rad = 100.3778809°, R = 0.98332768 AU.
    EXPECT_NEAR(HelioElement(kEarthRow, Element::HelioLongitude, kJ2000), 100.3778809, 1e-7);
    EXPECT_NEAR(HelioElement(kEarthRow, Element::HelioLatitude, kJ2000), -0.00022721, 1e-8);
    EXPECT_NEAR(HelioElement(kEarthRow, Element::RadiusVector, kJ2000), 0.98332768, 1e-8);
}

TEST(HelioElement, WhatItCannotServeAnswersZero) {
    for (int16_t code : {-1, 9, 10, 100})
        EXPECT_EQ(HelioElement(kEarthRow, static_cast<Element>(code), kJ2000), 0.0);
    for (int16_t row : {-1, 8, 9, 26})
        EXPECT_EQ(HelioElement(static_cast<Row>(row), Element::MeanLongitude, kJ2000), 0.0);
    // No planet but the Earth has heliocentric series.
    for (Row row : {Row::Mercury, Row::Venus, Row::Mars, Row::Jupiter, Row::Saturn, Row::Uranus, Row::Neptune})
        for (Element element : {Element::HelioLongitude, Element::HelioLatitude, Element::RadiusVector})
            EXPECT_EQ(HelioElement(row, element, kJ2000), 0.0);
}

TEST(PlanetPosition, GeometricSunOfMeeusExample25b) {
    // The Earth's VSOP87D position reversed: λ = 19.9072972° + 180°, β = −B, Δ = R.
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, 0, 0, 0, kSunExample), 199.9072972, 1e-7);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::EclipticLatitude, 0, 0, 0, kSunExample), 0.0002066, 1e-7);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Distance, 0, 0, 0, kSunExample), 0.99760852, 1e-8);
}

TEST(PlanetPosition, LightTimeStepTakesTheEarthEarlier) {
    // One light-time step: τ = 0.0057617 d, λ = 199.9015942°, about 20.5″ less.
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, efLightTime, 0, 0, kSunExample), 199.9015942, 1e-7);
    const EclipticPosition earth{HelioElement(kEarthRow, Element::HelioLongitude, kSunExample),
                                 HelioElement(kEarthRow, Element::HelioLatitude, kSunExample),
                                 HelioElement(kEarthRow, Element::RadiusVector, kSunExample)};
    double beta = 0.0, lambda = 0.0, delta = 0.0;
    GeocentricFromHelio(LightTime::Ignored, kEarthRow, beta, lambda, delta, kSunExample, DegToRad(earth.beta),
                        DegToRad(earth.lambda), earth.distance);
    EXPECT_NEAR(delta, 0.99760852, 1e-8);
    const double tau = GeocentricFromHelio(LightTime::OneStep, kEarthRow, beta, lambda, delta, kSunExample,
                                           DegToRad(earth.beta), DegToRad(earth.lambda), earth.distance);
    EXPECT_NEAR(tau, 0.0057617, 1e-7);
}

TEST(PlanetPosition, CorrectionsOfTheSunAtMeeusExample25b) {
    const double sun = DegToRad(199.9072972);
    // Aberration: λ changes by −20.5378″, β by a negligible amount.
    double beta = DegToRad(0.0002066), lambda = sun;
    Aberration(beta, lambda, kSunExample, sun);
    EXPECT_NEAR(RadToDeg(lambda - sun), -20.5378 * kArcsecond, 0.0001 * kArcsecond);
    EXPECT_NEAR(RadToDeg(beta) - 0.0002066, 0.0, 1e-5 * kArcsecond);
    // FK5: λ by −0.09033″, β by −0.0234″.
    beta = DegToRad(0.0002066);
    lambda = sun;
    FK5Correction(beta, lambda, kSunExample);
    EXPECT_NEAR(RadToDeg(lambda - sun), -0.09033 * kArcsecond, 0.00001 * kArcsecond);
    EXPECT_NEAR(RadToDeg(beta) - 0.0002066, -0.0234 * kArcsecond, 0.0001 * kArcsecond);
}

TEST(PlanetPosition, EachFlagAddsItsOwnCorrection) {
    const double plain = PlanetPosition(kEarthRow, Quantity::EclipticLongitude, 0, 0, 0, kSunExample);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, efNutation, 0, 0, kSunExample) - plain,
                Nutation(NutationKind::Longitude, kSunExample), 1e-10);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, efAberration, 0, 0, kSunExample) - plain,
                -20.5378 * kArcsecond, 0.001 * kArcsecond);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, efFK5, 0, 0, kSunExample) - plain, -0.09033 * kArcsecond,
                0.00001 * kArcsecond);
    // The distance does not depend on the aberration, FK5 or nutation bits.
    EXPECT_EQ(PlanetPosition(kEarthRow, Quantity::Distance, efAberration | efFK5 | efNutation, 0, 0, kSunExample),
              PlanetPosition(kEarthRow, Quantity::Distance, 0, 0, 0, kSunExample));
    // Bits above efNutation are ignored.
    EXPECT_EQ(PlanetPosition(kEarthRow, Quantity::EclipticLongitude, 16 | 32 | 1024, 0, 0, kSunExample), plain);
}

TEST(PlanetPosition, ElongationOfTheSunFromItself) {
    // The geometric Sun against the light-time Sun: about 20.5″ = 0.0057°, not 0.
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Elongation, 0, 0, 0, kSunExample), 0.0057, 0.0001);
    // With the light-time step on both sides only the Sun's latitude is left.
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Elongation, efLightTime, 0, 0, kSunExample), 0.0002066, 1e-6);
}

TEST(PlanetPosition, EquatorialQuantitiesInTheirUnits) {
    const double lambda = PlanetPosition(kEarthRow, Quantity::EclipticLongitude, 0, 0, 0, kSunExample);
    const double beta = PlanetPosition(kEarthRow, Quantity::EclipticLatitude, 0, 0, 0, kSunExample);
    // Code 12 in degrees, code 13 in hours, code 14 in degrees.
    EXPECT_EQ(PlanetPosition(kEarthRow, Quantity::RightAscension, 0, 10, 20, kSunExample),
              EclipticToEquatorial(Quantity::RightAscension, 0, lambda, beta, 10, 20, kSunExample));
    EXPECT_EQ(PlanetPosition(kEarthRow, Quantity::HourAngle, 0, 10, 20, kSunExample),
              EclipticToEquatorial(Quantity::HourAngle, 0, lambda, beta, 10, 20, kSunExample));
    EXPECT_EQ(PlanetPosition(kEarthRow, Quantity::Declination, 0, 10, 20, kSunExample),
              EclipticToEquatorial(Quantity::Declination, 0, lambda, beta, 10, 20, kSunExample));
    // Meeus example 25.a gives the Sun at α 198.38°, δ −7.78° that day.
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::RightAscension, 0, 0, 0, kSunExample), 198.38, 0.01);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Declination, 0, 0, 0, kSunExample), -7.78, 0.01);
}

TEST(PlanetPosition, SunsCourseOverGreenwich) {
    // 1992 October 13 at Greenwich (longitude 0, latitude 51.4769° N): the Sun stands
    // in the East in the morning (azimuth < 0), in the West in the afternoon, and
    // near noon at altitude 90° − φ + δ. Swapping longitude and latitude, a slip
    // between degrees and radians or a sign error shows here.
    constexpr double kLatitude = 51.4769;
    const double morning = kSunExample + 8.0 / 24.0;
    const double afternoon = kSunExample + 16.0 / 24.0;
    EXPECT_LT(PlanetPosition(kEarthRow, Quantity::Azimuth, 0, 0.0, kLatitude, morning), -30.0);
    EXPECT_GT(PlanetPosition(kEarthRow, Quantity::Azimuth, 0, 0.0, kLatitude, afternoon), 30.0);
    const double noon = kSunExample + (12.0 - 13.6 / 60.0) / 24.0;  // equation of time +13.6 min
    const double declination = PlanetPosition(kEarthRow, Quantity::Declination, 0, 0.0, kLatitude, noon);
    EXPECT_NEAR(declination, -7.97, 0.01);  // −7.785° at 0h (Meeus 25.a), −0.38° a day
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Azimuth, 0, 0.0, kLatitude, noon), 0.0, 0.5);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Altitude, 0, 0.0, kLatitude, noon), 90.0 - kLatitude + declination, 0.01);
    // 90° further West the Sun culminates six hours later.
    const double later = PlanetPosition(kEarthRow, Quantity::Declination, 0, 90.0, kLatitude, noon + 0.25);
    EXPECT_NEAR(PlanetPosition(kEarthRow, Quantity::Altitude, 0, 90.0, kLatitude, noon + 0.25), 90.0 - kLatitude + later, 0.01);
}

// The Sun through the public pieces of the pipeline, every series summed at
// the instant each step names: the pipeline as written out in Positions.h.
EclipticPosition SunThroughThePieces(int16_t flags, JulianDay jd) {
    const double L = DegToRad(HelioElement(kEarthRow, Element::HelioLongitude, jd)), B = DegToRad(HelioElement(kEarthRow, Element::HelioLatitude, jd)),
                 R = HelioElement(kEarthRow, Element::RadiusVector, jd);
    double beta = 0.0, lambda = 0.0, delta = 0.0;
    GeocentricFromHelio(LightTime::Ignored, kEarthRow, beta, lambda, delta, jd, B, L, R);
    if (flags & efLightTime) GeocentricFromHelio(LightTime::OneStep, kEarthRow, beta, lambda, delta, jd, B, L, R);
    if (flags & efAberration) Aberration(beta, lambda, jd, ReduceAngle(L - kPi, 2.0 * kPi));
    if (flags & efFK5) FK5Correction(beta, lambda, jd);
    if (flags & efNutation) lambda += DegToRad(Nutation(NutationKind::Longitude, jd));
    return {ReduceAngle(RadToDeg(lambda), 360.0), RadToDeg(beta), delta};
}

TEST(PlanetEcliptic, AgreesWithThePipelineOfItsPieces) {
    // With light time the aberration takes the solar longitude at jd from the
    // Earth's at jd − τ and its mean motion: 3.4e-6 rad off at most, which
    // reaches λ as less than 1e-13 rad through κ·cos(⊙ − λ). Without light time
    // only rounding differs.
    constexpr double kSolarLongitudeStandIn = 1e-11;  // degrees
    constexpr double kDistanceRounding = 1e-15;       // AU
    for (double jd = 2415020.5; jd < 2488070.5; jd += 333.3)
        for (int16_t flags = 0; flags < 16; ++flags) {
            const EclipticPosition pieces = SunThroughThePieces(flags, jd);
            const EclipticPosition sun = PlanetEcliptic(kEarthRow, flags, jd);
            EXPECT_NEAR(ReduceAngle(sun.lambda - pieces.lambda + 180.0, 360.0), 180.0, kSolarLongitudeStandIn)
                << jd << " " << flags;
            EXPECT_NEAR(sun.beta, pieces.beta, kSolarLongitudeStandIn) << jd << " " << flags;
            EXPECT_NEAR(sun.distance, pieces.distance, kDistanceRounding) << jd << " " << flags;
        }
}

TEST(PlanetEcliptic, PartsLeftOutChangeTheRestByRoundingOnly) {
    // Within the theory's span, and far outside it, where every series is summed.
    constexpr double kRounding = 1e-12;  // degrees
    const JulianDay instants[] = {2415020.5, 2448908.5, 2451545.0, 2460000.25, kJ2000 + 40 * 365250.0,
                                  kJ2000 - 40 * 365250.0, kJ2000 + 60 * 365250.0, kJ2000 - 60 * 365250.0};
    for (JulianDay jd : instants)
        for (int16_t flags = 0; flags < 16; ++flags) {
            const double nutation = Nutation(NutationKind::Longitude, jd);
            const EclipticPosition full = PlanetEcliptic(kEarthRow, flags, jd, nutation, PositionParts::Full);
            const EclipticPosition direction = PlanetEcliptic(kEarthRow, flags, jd, nutation, PositionParts::Direction);
            const EclipticPosition longitude = PlanetEcliptic(kEarthRow, flags, jd, nutation, PositionParts::Longitude);
            EXPECT_EQ(full.lambda, PlanetEcliptic(kEarthRow, flags, jd).lambda);
            EXPECT_NEAR(ReduceAngle(direction.lambda - full.lambda + 180.0, 360.0), 180.0, kRounding) << jd;
            EXPECT_NEAR(ReduceAngle(longitude.lambda - full.lambda + 180.0, 360.0), 180.0, kRounding) << jd;
            EXPECT_NEAR(direction.beta, full.beta, kRounding) << jd << " " << flags;
            EXPECT_EQ(direction.distance, 0.0);
            EXPECT_EQ(longitude.beta, 0.0);
            EXPECT_EQ(longitude.distance, 0.0);
        }
}

TEST(PlanetEcliptic, TheNutationGivenIsReadUnderItsFlagOnly) {
    const EclipticPosition plain = PlanetEcliptic(kEarthRow, 0, kSunExample, 1.0, PositionParts::Full);
    const EclipticPosition nutated = PlanetEcliptic(kEarthRow, efNutation, kSunExample, 1.0, PositionParts::Full);
    EXPECT_EQ(plain.lambda, PlanetEcliptic(kEarthRow, 0, kSunExample).lambda);
    EXPECT_NEAR(ReduceAngle(nutated.lambda - plain.lambda, 360.0), 1.0, 1e-12);
    for (int16_t row : {-1, 0, 3, 7, 9}) {
        const EclipticPosition none = PlanetEcliptic(static_cast<Row>(row), 15, kSunExample, 1.0, PositionParts::Full);
        EXPECT_EQ(none.lambda, 0.0);
        EXPECT_EQ(none.distance, 0.0);
    }
}

TEST(GeocentricQuantity, TheOrientationGivenAnswersAsTheInstant) {
    const EclipticPosition p = PlanetEcliptic(kEarthRow, 15, kSunExample);
    const EarthOrientation orientation = EarthOrientationAt(kSunExample);
    for (int16_t code = 8; code <= 18; ++code)
        for (int16_t flags : {int16_t{0}, efNutation}) {
            const auto quantity = static_cast<Quantity>(code);
            EXPECT_EQ(GeocentricQuantity(quantity, flags, p, -3.7, 40.4, orientation, kSunExample),
                      GeocentricQuantity(quantity, flags, p, -3.7, 40.4, kSunExample))
                << code << " " << flags;
        }
}

TEST(PlanetPosition, WhatItCannotServeAnswersZero) {
    for (int16_t code : {0, 8, 18, -1})
        EXPECT_EQ(PlanetPosition(kEarthRow, static_cast<Quantity>(code), 0, 0, 0, kSunExample), 0.0);
    for (int16_t row : {0, 1, 3, 7, 8, 9, -1})
        for (int16_t code = 9; code <= 17; ++code)
            EXPECT_EQ(PlanetPosition(static_cast<Row>(row), static_cast<Quantity>(code), 15, 10, 20, kSunExample), 0.0)
                << row << " " << code;
}

TEST(CalcLuna, MoonOfMeeusExample47a) {
    // λ ≈ 133.16266°, β ≈ −3.22913°, Δ ≈ 368409.68 km, with the mean arguments of
    // LunaArgs (Meeus prints 133.162655°, −3.229126°, 368409.7 km with his own).
    EXPECT_NEAR(CalcLuna(Quantity::EclipticLongitude, 0, 0, 0, kMoonExample), 133.16266, 1e-5);
    EXPECT_NEAR(CalcLuna(Quantity::EclipticLatitude, 0, 0, 0, kMoonExample), -3.22913, 1e-5);
    EXPECT_NEAR(CalcLuna(Quantity::Distance, 0, 0, 0, kMoonExample) * 149504201.0, 368409.68, 0.01);
    EXPECT_NEAR(CalcLuna(Quantity::Distance, 0, 0, 0, kMoonExample), 0.00246421, 1e-8);
}

TEST(CalcLuna, NutationFlagAndElongation) {
    const double plain = CalcLuna(Quantity::EclipticLongitude, 0, 0, 0, kMoonExample);
    EXPECT_NEAR(CalcLuna(Quantity::EclipticLongitude, efNutation, 0, 0, kMoonExample) - plain, Nutation(NutationKind::Longitude, kMoonExample), 1e-10);
    EXPECT_EQ(CalcLuna(Quantity::EclipticLatitude, efNutation, 0, 0, kMoonExample), CalcLuna(Quantity::EclipticLatitude, 0, 0, 0, kMoonExample));
    EXPECT_EQ(CalcLuna(Quantity::Distance, efNutation, 0, 0, kMoonExample), CalcLuna(Quantity::Distance, 0, 0, 0, kMoonExample));
    // The elongation always uses the nutated longitude.
    EXPECT_EQ(CalcLuna(Quantity::Elongation, 0, 0, 0, kMoonExample), CalcLuna(Quantity::Elongation, efNutation, 0, 0, kMoonExample));
    // Near first quarter on 1992 April 12 (about 120° from the Sun: λ☾ 133°, λ☉ 22°).
    EXPECT_NEAR(CalcLuna(Quantity::Elongation, 0, 0, 0, kMoonExample), 111.0, 1.0);
    // Other bits do nothing.
    EXPECT_EQ(CalcLuna(Quantity::EclipticLongitude, efLightTime | efAberration | efFK5, 0, 0, kMoonExample), plain);
}

TEST(CalcLuna, MeanArgumentsAndUnknownIndexes) {
    for (int16_t index = 0; index < kLunaArgCount; ++index) {
        const auto argument = static_cast<MeanArgument>(index);
        EXPECT_EQ(CalcLuna(argument, kMoonExample), LunaArg(argument, kMoonExample));
    }
    for (int16_t index : {0, 7, 8, 18, -1, 100})
        EXPECT_EQ(CalcLuna(static_cast<Quantity>(index), 0, 0, 0, kMoonExample), 0.0);
}

TEST(CalcLuna, StaysWithinItsRangesForCenturies) {
    for (double jd = 2415020.5; jd < 2488070.5; jd += 3.7) {
        const double lambda = CalcLuna(Quantity::EclipticLongitude, 0, 0, 0, jd);
        ASSERT_GE(lambda, 0.0);
        ASSERT_LE(lambda, 360.0);
        ASSERT_LT(std::fabs(CalcLuna(Quantity::EclipticLatitude, 0, 0, 0, jd)), 5.35);
        const double km = CalcLuna(Quantity::Distance, 0, 0, 0, jd) * 149504201.0;
        ASSERT_GT(km, 356000.0);
        ASSERT_LT(km, 407000.0);
    }
}

TEST(CalcLuna, HorizontalQuantitiesFollowTheTransforms) {
    const double lambda = CalcLuna(Quantity::EclipticLongitude, 0, 0, 0, kMoonExample);
    const double beta = CalcLuna(Quantity::EclipticLatitude, 0, 0, 0, kMoonExample);
    const double alpha = EclipticToEquatorial(Quantity::RightAscension, 0, lambda, beta, -3.7, 40.4, kMoonExample);
    const double delta = EclipticToEquatorial(Quantity::Declination, 0, lambda, beta, -3.7, 40.4, kMoonExample);
    EXPECT_EQ(CalcLuna(Quantity::RightAscension, 0, -3.7, 40.4, kMoonExample), alpha);
    EXPECT_EQ(CalcLuna(Quantity::Declination, 0, -3.7, 40.4, kMoonExample), delta);
    EXPECT_EQ(CalcLuna(Quantity::Altitude, 0, -3.7, 40.4, kMoonExample),
              EquatorialToHorizontal(Quantity::Altitude, alpha, delta, -3.7, 40.4, kMoonExample));
    EXPECT_EQ(CalcLuna(Quantity::Azimuth, 0, -3.7, 40.4, kMoonExample),
              EquatorialToHorizontal(Quantity::Azimuth, alpha, delta, -3.7, 40.4, kMoonExample));
    // Swapping longitude and latitude changes the altitude.
    EXPECT_GT(std::fabs(CalcLuna(Quantity::Altitude, 0, 40.4, -3.7, kMoonExample) - CalcLuna(Quantity::Altitude, 0, -3.7, 40.4, kMoonExample)), 1.0);
}

// The Moon as the loops over tables 47.A and 47.B with std::sin and std::cos,
// in table order, the additive terms last.
EclipticPosition PlainMoon(JulianDay jd) {
    const double T = JulianCenturies(jd);
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T * T;
    const double Lp = DegToRad(LunaArg(MeanArgument::MeanLongitude, jd)), D = DegToRad(LunaArg(MeanArgument::Elongation, jd)), M = DegToRad(LunaArg(MeanArgument::SunAnomaly, jd)),
                 Mp = DegToRad(LunaArg(MeanArgument::MoonAnomaly, jd)), F = DegToRad(LunaArg(MeanArgument::Latitude, jd));
    const double A1 = DegToRad(ReduceAngle(119.75 + 131.849 * T, 360.0));
    const double A2 = DegToRad(ReduceAngle(53.09 + 479264.29 * T, 360.0));
    const double A3 = DegToRad(ReduceAngle(313.45 + 481266.484 * T, 360.0));
    auto factor = [E](int16_t m) { return std::abs(m) == 2 ? E * E : std::abs(m) == 1 ? E : 1.0; };
    double sumL = 0.0, sumR = 0.0, sumB = 0.0;
    for (int i = 0; i < kLunaTerms; ++i) {
        const int16_t* m = LunaTermsLR[i];
        const double x = m[0] * D + m[1] * M + m[2] * Mp + m[3] * F;
        sumL += LunaAmplitudesLR[i][0] * factor(m[1]) * std::sin(x);
        sumR += LunaAmplitudesLR[i][1] * factor(m[1]) * std::cos(x);
        const int16_t* n = LunaTermsB[i];
        sumB += LunaAmplitudesB[i] * factor(n[1]) * std::sin(n[0] * D + n[1] * M + n[2] * Mp + n[3] * F);
    }
    sumL += 0.003958 * std::sin(A1) + 0.000318 * std::sin(A2) + 0.001962 * std::sin(Lp - F);
    sumB += -0.002235 * std::sin(Lp) + 0.000382 * std::sin(A3) + 0.000175 * std::sin(A1 - F) +
            0.000175 * std::sin(A1 + F) + 0.000127 * std::sin(Lp - Mp) - 0.000115 * std::sin(Lp + Mp);
    return {ReduceAngle(LunaArg(MeanArgument::MeanLongitude, jd) + sumL, 360.0), sumB, (385000.56 + sumR) / 149504201.0};
}

TEST(LunaEcliptic, AgreesWithThePlainLoops) {
    // Packed sines and cosines (within 4e-16) summed in lanes: a few units in
    // the last place of the 6.3° and 20905 km leading terms.
    constexpr double kAngleRounding = 1e-13;     // degrees
    constexpr double kDistanceRounding = 2e-18;  // AU: a few units in the last place, 3e-10 km
    for (double jd = 2415020.5; jd < 2488070.5; jd += 13.37) {
        const EclipticPosition plain = PlainMoon(jd);
        const EclipticPosition moon = LunaEcliptic(0, jd);
        ASSERT_NEAR(ReduceAngle(moon.lambda - plain.lambda + 180.0, 360.0), 180.0, kAngleRounding) << jd;
        ASSERT_NEAR(moon.beta, plain.beta, kAngleRounding) << jd;
        ASSERT_NEAR(moon.distance, plain.distance, kDistanceRounding) << jd;
        EXPECT_EQ(LunaLongitude(jd), moon.lambda);
    }
}

TEST(LunaEcliptic, TheNutationGivenIsReadUnderItsFlagOnly) {
    const double nutation = Nutation(NutationKind::Longitude, kMoonExample);
    EXPECT_EQ(LunaEcliptic(efNutation, kMoonExample, nutation).lambda, LunaEcliptic(efNutation, kMoonExample).lambda);
    EXPECT_EQ(LunaEcliptic(0, kMoonExample, 1.0).lambda, LunaEcliptic(0, kMoonExample).lambda);
    EXPECT_NEAR(LunaEcliptic(efNutation, kMoonExample, 1.0).lambda - LunaEcliptic(0, kMoonExample).lambda, 1.0,
                1e-12);
}

TEST(LunaTables, MultipliersWithinTheRangeTheArgumentsAreBuiltFrom) {
    // The Moon's arguments are sums of the multiples −4…4 of D, M, M′ and F, and
    // its eccentricity factors those of M's multipliers −2…2.
    for (int i = 0; i < kLunaTerms; ++i)
        for (const int16_t* m : {LunaTermsLR[i], LunaTermsB[i]}) {
            for (int k = 0; k < 4; ++k) EXPECT_LE(std::abs(m[k]), 4) << i;
            EXPECT_LE(std::abs(m[1]), 2) << i;
        }
}

TEST(LunaTables, TellingRowsOfTables47AAnd47B) {
    const int16_t first[4] = {0, 0, 1, 0};
    EXPECT_TRUE(std::equal(first, first + 4, LunaTermsLR[0]));
    EXPECT_EQ(LunaAmplitudesLR[0][0], 6.288774);
    EXPECT_EQ(LunaAmplitudesLR[0][1], -20905.355);
    EXPECT_EQ(LunaAmplitudesLR[1][0], 1.274027);
    EXPECT_EQ(LunaAmplitudesLR[2][1], -2955.968);
    EXPECT_EQ(LunaTermsLR[4][1], 1);
    EXPECT_EQ(LunaAmplitudesLR[4][0], -0.185116);
    EXPECT_EQ(LunaAmplitudesLR[4][1], 48.888);
    const int16_t last[4] = {2, 0, -1, -2};  // distance only
    EXPECT_TRUE(std::equal(last, last + 4, LunaTermsLR[59]));
    EXPECT_EQ(LunaAmplitudesLR[59][0], 0.0);
    EXPECT_EQ(LunaAmplitudesLR[59][1], 8.752);
    EXPECT_EQ(LunaAmplitudesB[0], 5.128122);
    EXPECT_EQ(LunaAmplitudesB[1], 0.280602);
    EXPECT_EQ(LunaAmplitudesB[2], 0.277693);
    const int16_t lastB[4] = {2, -2, 0, 1};
    EXPECT_TRUE(std::equal(lastB, lastB + 4, LunaTermsB[59]));
    EXPECT_EQ(LunaAmplitudesB[59], 0.000107);
}

}  // namespace
}  // namespace helune
