// SPDX-License-Identifier: MIT
// Angle helpers, time argument, mean arguments, obliquity, nutation, sidereal
// time, the coordinate transforms, and the packed sines and cosines they use.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Frames.h"
#include "SinCos.h"

namespace helune {
namespace {

constexpr double kArcsecond = 1.0 / 3600.0;  // degrees
constexpr double kPi = 3.14159265358979323846;

// A literal walk of whole turns: the definition ReduceAngle must reproduce.
double WalkTurns(double value, double modulus) {
    while (value > modulus) value -= modulus;
    while (value < 0.0) value += modulus;
    return value;
}

TEST(UnitConversions, RoundTripsAndFixedPoints) {
    EXPECT_DOUBLE_EQ(RadToDeg(kPi), 180.0);
    EXPECT_DOUBLE_EQ(DegToRad(180.0), kPi);
    EXPECT_DOUBLE_EQ(RadToHours(kPi), 12.0);
    EXPECT_DOUBLE_EQ(DegToHours(180.0), 12.0);
    EXPECT_DOUBLE_EQ(HoursToDeg(6.0), 90.0);
    EXPECT_DOUBLE_EQ(RadToDeg(DegToRad(23.4392911)), 23.4392911);
}

TEST(JulianCenturies, EpochGivesTheSmallNonZeroValue) {
    EXPECT_EQ(JulianCenturies(2451545.0), 1e-9);
    EXPECT_EQ(JulianCenturies(2488070.0), 1.0);
    EXPECT_EQ(JulianCenturies(2415020.0), -1.0);
}

TEST(ReduceAngle, KeepsTheDefinitionsBoundaries) {
    EXPECT_EQ(ReduceAngle(360.0, 360.0), 360.0);  // equal to the modulus: stays
    EXPECT_EQ(ReduceAngle(720.0, 360.0), 360.0);  // a positive multiple: the modulus
    EXPECT_EQ(ReduceAngle(720.5, 360.0), 0.5);
    EXPECT_EQ(ReduceAngle(-10.0, 360.0), 350.0);
    EXPECT_EQ(ReduceAngle(-720.0, 360.0), 0.0);   // a negative multiple: 0
    EXPECT_EQ(ReduceAngle(0.0, 360.0), 0.0);
    EXPECT_EQ(ReduceAngle(25.0, 24.0), 1.0);
    EXPECT_EQ(ReduceAngle(1.0, 1.0), 1.0);
    EXPECT_EQ(ReduceAngle(-0.25, 1.0), 0.75);
}

TEST(ReduceAngle, LargeMagnitudesAnswerAtOnceAndExactly) {
    // 1e12 = 2777777777 × 360 + 280; 1e15 = 2777777777777 × 360 + 280.
    EXPECT_EQ(ReduceAngle(1e12, 360.0), 280.0);
    EXPECT_EQ(ReduceAngle(-1e12, 360.0), 80.0);
    EXPECT_EQ(ReduceAngle(1e15 + 80.0, 360.0), 360.0);
    EXPECT_EQ(ReduceAngle(-(1e15 + 80.0), 360.0), 0.0);
    EXPECT_EQ(ReduceAngle(1e300, 360.0), 360.0);  // the double 1e300 is a whole multiple of 360
}

TEST(ReduceAngle, AgreesWithTheWalkOfTurnsBitForBit) {
    // The integer moduli at any magnitude the walk can finish in a test.
    for (double modulus : {360.0, 180.0, 24.0, 1.0})
        for (double value = -300.0 * modulus; value <= 300.0 * modulus; value += modulus * 0.377)
            EXPECT_EQ(ReduceAngle(value, modulus), WalkTurns(value, modulus)) << value << " " << modulus;
    // 2π, whose subtractions round, within the tens of turns the engine reduces.
    for (double value = -60.0 * 2.0 * kPi; value <= 60.0 * 2.0 * kPi; value += 0.0377)
        EXPECT_EQ(ReduceAngle(value, 2.0 * kPi), WalkTurns(value, 2.0 * kPi)) << value;
    for (double modulus : {360.0, 24.0, 1.0})
        for (double turns = -1000.0; turns <= 1000.0; turns += 1.0)
            EXPECT_EQ(ReduceAngle(turns * modulus, modulus), WalkTurns(turns * modulus, modulus));
}

TEST(ReduceAngle, NonFiniteInputGivesNaN) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::isnan(ReduceAngle(inf, 360.0)));
    EXPECT_TRUE(std::isnan(ReduceAngle(-inf, 360.0)));
    EXPECT_TRUE(std::isnan(ReduceAngle(std::nan(""), 360.0)));
    EXPECT_TRUE(std::isnan(ReduceAngle(10.0, 0.0)));
    EXPECT_TRUE(std::isnan(ReduceAngle(10.0, -360.0)));
    EXPECT_TRUE(std::isnan(ReduceAngle(10.0, inf)));
}

TEST(MeanObliquity, LaskarsPolynomial) {
    // J2000.0: 84381.448″ = 23.439291111°.
    EXPECT_NEAR(MeanObliquity(2451545.0), 23.439291111, 1e-9);
    // Meeus example 22.a, 1987 April 10 0h: ε0 = 23°26′27.407″.
    EXPECT_NEAR(MeanObliquity(2446895.5), 23.0 + 26.0 / 60.0 + 27.407 / 3600.0, 0.0005 * kArcsecond);
}

TEST(LunaArg, MeanArgumentsOnAprilTwelfth1992) {
    // Meeus example 47.a, 1992 April 12 0h TD (the printed values, 6 decimals).
    constexpr double kPrinted = 1e-6;
    const double jd = 2448724.5;
    EXPECT_NEAR(LunaArg(MeanArgument::MeanLongitude, jd), 134.290186, kPrinted);  // L′
    EXPECT_NEAR(LunaArg(MeanArgument::Elongation, jd), 113.842309, kPrinted);  // D
    EXPECT_NEAR(LunaArg(MeanArgument::SunAnomaly, jd), 97.643514, kPrinted);   // M
    EXPECT_NEAR(LunaArg(MeanArgument::MoonAnomaly, jd), 5.150839, kPrinted);    // M′
    EXPECT_NEAR(LunaArg(MeanArgument::Latitude, jd), 219.889726, kPrinted);  // F
}

TEST(LunaArg, ReducedAndBoundedByIndex) {
    for (double jd = 2415020.5; jd < 2488070.5; jd += 1234.567)
        for (int16_t index = 0; index < kLunaArgCount; ++index) {
            const double value = LunaArg(static_cast<MeanArgument>(index), jd);
            EXPECT_GE(value, 0.0);
            EXPECT_LE(value, 360.0);
        }
    // At J2000.0 each argument is c0 + c1·1e-9.
    EXPECT_NEAR(LunaArg(MeanArgument::Node, 2451545.0), 125.044555 - 1934.1361849e-9, 1e-12);
    EXPECT_EQ(LunaArg(static_cast<MeanArgument>(7), 2451545.0), 0.0);
    EXPECT_EQ(LunaArg(static_cast<MeanArgument>(-1), 2451545.0), 0.0);
}

TEST(Nutation, MeeusExample22a) {
    // 1987 April 10 0h: Δψ = −3.788″, Δε = +9.443″ (the 63-term series gives 9.4425″).
    constexpr double kPrinted = 0.001 * kArcsecond;
    EXPECT_NEAR(Nutation(NutationKind::Longitude, 2446895.5), -3.788 * kArcsecond, kPrinted);
    EXPECT_NEAR(Nutation(NutationKind::Obliquity, 2446895.5), 9.443 * kArcsecond, kPrinted);
    EXPECT_EQ(Nutation(static_cast<NutationKind>(2), 2446895.5), 0.0);
    EXPECT_EQ(Nutation(static_cast<NutationKind>(-1), 2446895.5), 0.0);
}

TEST(Nutation, StaysWithinTheLeadingTermsAmplitude) {
    // The 18.6-year term dominates: |Δψ| < 17.2″ + 1.4″ + …, |Δε| < 9.2″ + 0.6″ + ….
    for (double jd = 2415020.5; jd < 2488070.5; jd += 97.3) {
        EXPECT_LT(std::fabs(Nutation(NutationKind::Longitude, jd)), 20.0 * kArcsecond);
        EXPECT_LT(std::fabs(Nutation(NutationKind::Obliquity, jd)), 11.0 * kArcsecond);
    }
}

// The nutation as the loops over the table with std::sin and std::cos, each
// argument summed in degrees and converted on its own.
NutationAngles PlainNutation(JulianDay jd) {
    const double T = JulianCenturies(jd);
    const double D = LunaArg(MeanArgument::Elongation, jd), M = LunaArg(MeanArgument::SunAnomaly, jd), Mp = LunaArg(MeanArgument::MoonAnomaly, jd), F = LunaArg(MeanArgument::Latitude, jd),
                 Omega = LunaArg(MeanArgument::Node, jd);
    double psi = 0.0, eps = 0.0;
    for (const NutationTerm& n : NutationTable) {
        const double argument = DegToRad(n.D * D + n.M * M + n.Mp * Mp + n.F * F + n.Omega * Omega);
        psi += std::sin(argument) * (n.psi + n.psiRate * T * 0.0001);
        eps += std::cos(argument) * (n.eps + n.epsRate * T * 0.0001);
    }
    return {psi / 3600.0, eps / 3600.0};
}

TEST(NutationAt, BothKindsInOnePassAgreeWithThePlainLoops) {
    // Packed sines and cosines (within 4e-16) of arguments converted first and
    // summed in lanes: a few units in the last place of the 17″ leading term.
    constexpr double kAgreement = 1e-16;  // degrees
    for (double jd = 2415020.5; jd < 2488070.5; jd += 37.31) {
        const NutationAngles plain = PlainNutation(jd);
        const NutationAngles both = NutationAt(jd);
        ASSERT_NEAR(both.longitude, plain.longitude, kAgreement) << jd;
        ASSERT_NEAR(both.obliquity, plain.obliquity, kAgreement) << jd;
        EXPECT_EQ(Nutation(NutationKind::Longitude, jd), both.longitude);
        EXPECT_EQ(Nutation(NutationKind::Obliquity, jd), both.obliquity);
    }
}

TEST(EarthOrientationAt, HoldsWhatThePublicRoutinesAnswer) {
    for (double jd = 2415020.5; jd < 2488070.5; jd += 731.3) {
        const EarthOrientation o = EarthOrientationAt(jd);
        EXPECT_EQ(o.meanObliquity, MeanObliquity(jd));
        EXPECT_EQ(o.nutation.longitude, Nutation(NutationKind::Longitude, jd));
        EXPECT_EQ(o.nutation.obliquity, Nutation(NutationKind::Obliquity, jd));
        EXPECT_EQ(o.siderealTime, SiderealTime(jd));
        EXPECT_EQ(Obliquity(o, 0), o.meanObliquity);
        EXPECT_EQ(Obliquity(o, efNutation), o.meanObliquity + o.nutation.obliquity);
    }
}

TEST(EarthOrientationAt, WithoutTheNutationGivesTheMeanSiderealTime) {
    // The apparent sidereal time is the mean one plus Δψ·cos ε, in hours.
    constexpr double kRounding = 1e-12;  // hours
    for (double jd = 2415020.5; jd < 2488070.5; jd += 731.3) {
        const EarthOrientation mean = EarthOrientationAt(jd, false);
        const EarthOrientation apparent = EarthOrientationAt(jd);
        EXPECT_EQ(mean.nutation.longitude, 0.0);
        EXPECT_EQ(mean.nutation.obliquity, 0.0);
        EXPECT_EQ(mean.meanObliquity, apparent.meanObliquity);
        const double equation = apparent.nutation.longitude *
                                std::cos(DegToRad(Obliquity(apparent, efNutation))) / 15.0;
        const double difference = ReduceAngle(apparent.siderealTime - mean.siderealTime + 12.0, 24.0) - 12.0;
        EXPECT_NEAR(difference, equation, kRounding) << jd;
    }
}

TEST(SiderealTime, MeeusExample12a) {
    // 1987 April 10 0h UT: apparent sidereal time 13h10m46.1351s.
    EXPECT_NEAR(SiderealTime(2446895.5), 13.0 + 10.0 / 60.0 + 46.1351 / 3600.0, 0.001 / 3600.0);
}

TEST(SiderealTime, NeverNegativeNeverAbove24) {
    for (double jd = 2299160.5; jd < 2488070.5; jd += 3.37) {
        const double theta = SiderealTime(jd);
        ASSERT_GE(theta, 0.0) << jd;
        ASSERT_LE(theta, 24.0) << jd;
    }
}

TEST(EclipticToEquatorial, EquinoxAndSolsticePoints) {
    const double jd = 2451545.0;
    EXPECT_NEAR(EclipticToEquatorial(Quantity::RightAscension, 0, 90.0, 0.0, 0.0, 0.0, jd), 90.0, 1e-9);
    EXPECT_NEAR(EclipticToEquatorial(Quantity::Declination, 0, 90.0, 0.0, 0.0, 0.0, jd), 23.4392911, 1e-7);
    // A longitude just below 360 must give a right ascension just below 360, not a
    // negative angle.
    const double alpha = EclipticToEquatorial(Quantity::RightAscension, 0, 359.0, 0.0, 0.0, 0.0, jd);
    EXPECT_GT(alpha, 358.0);
    EXPECT_LT(alpha, 360.0);
}

TEST(EclipticToEquatorial, PolluxOfMeeusExample13a) {
    // λ = 113.215630°, β = 6.684170°, ε = 23.4392911° (the mean obliquity at J2000.0)
    // give α = 116.328942°, δ = 28.026183°.
    const double jd = 2451545.0;
    EXPECT_NEAR(EclipticToEquatorial(Quantity::RightAscension, 0, 113.215630, 6.684170, 0, 0, jd), 116.328942, 1e-6);
    EXPECT_NEAR(EclipticToEquatorial(Quantity::Declination, 0, 113.215630, 6.684170, 0, 0, jd), 28.026183, 1e-6);
}

TEST(EclipticToEquatorial, NutationFlagUsesTheTrueObliquity) {
    const double jd = 2446895.5;
    const double mean = EclipticToEquatorial(Quantity::Declination, 0, 90.0, 0.0, 0.0, 0.0, jd);
    const double apparent = EclipticToEquatorial(Quantity::Declination, efNutation, 90.0, 0.0, 0.0, 0.0, jd);
    EXPECT_NEAR(apparent - mean, Nutation(NutationKind::Obliquity, jd), 1e-12);
    // Other bits are not read.
    EXPECT_EQ(EclipticToEquatorial(Quantity::Declination, efLightTime | efAberration | efFK5, 90.0, 0.0, 0.0, 0.0, jd),
              mean);
}

TEST(EclipticToEquatorial, HourAngleCountsWestFromTheMeridian) {
    const double jd = 2446895.5;
    const double alpha = EclipticToEquatorial(Quantity::RightAscension, 0, 40.0, 0.0, 0.0, 0.0, jd);
    const double theta = SiderealTime(jd);
    // At Greenwich H = θ − α; 15° further West the hour angle is one hour less.
    const double atGreenwich = EclipticToEquatorial(Quantity::HourAngle, 0, 40.0, 0.0, 0.0, 0.0, jd);
    EXPECT_NEAR(atGreenwich, ReduceAngle(theta - alpha / 15.0, 24.0), 1e-9);
    const double west = EclipticToEquatorial(Quantity::HourAngle, 0, 40.0, 0.0, 15.0, 0.0, jd);
    EXPECT_NEAR(ReduceAngle(atGreenwich - west, 24.0), 1.0, 1e-9);
}

TEST(EclipticToEquatorial, OtherQuantitiesAnswerZero) {
    for (int16_t kind : {0, 9, 11, 16, 17, -3})
        EXPECT_EQ(EclipticToEquatorial(static_cast<Quantity>(kind), 0, 90.0, 10.0, 30.0, 40.0, 2451545.0), 0.0);
}

TEST(EquatorialOf, AgreesWithTheTransformsFormulas) {
    // Meeus, ch. 13, with std::sin, std::cos and std::tan; the packed sines and
    // cosines move α and δ by rounding only.
    constexpr double kRounding = 1e-12;  // degrees
    constexpr double kDegree = kPi / 180.0;
    for (double lambda = 0.0; lambda < 360.0; lambda += 7.3)
        for (double beta : {-80.0, -5.1, 0.0, 1e-4, 5.3, 60.0})
            for (double epsilon : {23.0, 23.4392911, 24.5}) {
                const double l = lambda * kDegree, b = beta * kDegree, e = epsilon * kDegree;
                const double delta = std::asin(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l));
                const double alpha = std::atan2(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l));
                const EquatorialPosition p = EquatorialOf(lambda, beta, epsilon);
                EXPECT_NEAR(p.delta, delta / kDegree, kRounding) << lambda << " " << beta;
                EXPECT_NEAR(ReduceAngle(p.alpha - alpha / kDegree + 180.0, 360.0), 180.0, kRounding)
                    << lambda << " " << beta;
                EXPECT_GE(p.alpha, 0.0);
                EXPECT_LE(p.alpha, 360.0);
            }
}

TEST(EquatorialOf, IsWhatEclipticToEquatorialAnswers) {
    const double jd = 2446895.5;
    const EarthOrientation o = EarthOrientationAt(jd);
    for (int16_t flags : {int16_t{0}, efNutation}) {
        const EquatorialPosition p = EquatorialOf(113.2, 6.7, Obliquity(o, flags));
        EXPECT_EQ(p.alpha, EclipticToEquatorial(Quantity::RightAscension, flags, 113.2, 6.7, 0.0, 0.0, jd));
        EXPECT_EQ(p.delta, EclipticToEquatorial(Quantity::Declination, flags, 113.2, 6.7, 0.0, 0.0, jd));
        EXPECT_EQ(HourAngle(o.siderealTime, 15.0, p.alpha),
                  EclipticToEquatorial(Quantity::HourAngle, flags, 113.2, 6.7, 15.0, 0.0, jd));
    }
    for (Quantity kind : {Quantity::Altitude, Quantity::Azimuth, Quantity::RightAscension})
        EXPECT_EQ(HorizontalOf(kind, 200.0, 10.0, 30.0, 40.0, o.siderealTime),
                  EquatorialToHorizontal(kind, 200.0, 10.0, 30.0, 40.0, jd));
}

TEST(EquatorialToHorizontal, VenusOverWashingtonOfMeeusExample13b) {
    // 1987 April 10, 19:21:00 UT; 77°03′56″ W, 38°55′17″ N; α = 23h09m16.641s,
    // δ = −6°43′11.61″: azimuth 68.0337°, altitude 15.1249°. The example steps the
    // sidereal time on from 0h; computing it at the instant moves H by about 0.4″.
    constexpr double kPrinted = 2e-4;
    const double jd = 2446895.5 + (19.0 + 21.0 / 60.0) / 24.0;
    const double longitude = 77.0 + 3.0 / 60.0 + 56.0 / 3600.0;
    const double latitude = 38.0 + 55.0 / 60.0 + 17.0 / 3600.0;
    const double alpha = (23.0 + 9.0 / 60.0 + 16.641 / 3600.0) * 15.0;
    const double delta = -(6.0 + 43.0 / 60.0 + 11.61 / 3600.0);
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Azimuth, alpha, delta, longitude, latitude, jd), 68.0337, kPrinted);
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Altitude, alpha, delta, longitude, latitude, jd), 15.1249, kPrinted);
}

TEST(EquatorialToHorizontal, AzimuthFromTheSouthPositiveWest) {
    const double jd = 2451545.0;
    const double latitude = 40.0;
    const double localSidereal = HoursToDeg(SiderealTime(jd));  // at longitude 0
    // On the meridian south of the zenith: azimuth 0, altitude 90 − φ + δ.
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Azimuth, localSidereal, 10.0, 0.0, latitude, jd), 0.0, 1e-9);
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Altitude, localSidereal, 10.0, 0.0, latitude, jd), 60.0, 1e-9);
    // On the celestial equator at H = +90° it stands due West: azimuth +90, on the
    // horizon; at H = −90° due East.
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Azimuth, localSidereal - 90.0, 0.0, 0.0, latitude, jd), 90.0, 1e-9);
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Altitude, localSidereal - 90.0, 0.0, 0.0, latitude, jd), 0.0, 1e-9);
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Azimuth, localSidereal + 90.0, 0.0, 0.0, latitude, jd), -90.0, 1e-9);
    // Longitude is positive West: 30° East of Greenwich (−30) the local sidereal
    // time is two hours later, so the star due West there has α = θ + 30° − 90°.
    EXPECT_NEAR(EquatorialToHorizontal(Quantity::Azimuth, localSidereal - 60.0, 0.0, -30.0, latitude, jd), 90.0, 1e-9);
}

TEST(EquatorialToHorizontal, OtherQuantitiesAnswerZero) {
    for (int16_t kind : {0, 12, 13, 14, 18})
        EXPECT_EQ(EquatorialToHorizontal(static_cast<Quantity>(kind), 10.0, 20.0, 30.0, 40.0, 2451545.0), 0.0);
}

// The packed sines and cosines. Within 4e-16 of the library's functions, and
// within 2 units in the last place of a small sine.
constexpr double kKernelAgreement = 4e-16;
constexpr double kSmallSineAgreement = 4.5e-16;  // relative

std::vector<SimdPath> PathsOfThisProcessor() { return AvailableSimdPaths(); }

// Arguments over the kernel's whole range: magnitudes from 1e-300 to 2^24 of
// both signs, and the neighbours of multiples of pi/2 far out, where the
// reduction must keep its precision.
std::vector<double> WideArguments() {
    std::vector<double> x = {0.0, -0.0, 1e-300, -1e-300, 0x1p24, -0x1p24};
    for (double magnitude = 1e-12; magnitude < 0x1p24; magnitude *= 1.37) {
        x.push_back(magnitude);
        x.push_back(-magnitude * 1.0001);
    }
    for (double k : {1.0, 3.0, 1e3 + 1.0, 1e6 + 1.0, 1e7 - 1.0}) {
        const double multiple = k * kPi / 2.0;
        x.push_back(multiple);
        x.push_back(std::nextafter(multiple, 0.0));
        x.push_back(-std::nextafter(multiple, 1e300));
    }
    return x;
}

TEST(SinCos, AgreesWithTheLibraryOverTheWholeRangeOnEveryPath) {
    const std::vector<double> x = WideArguments();
    std::vector<double> sines(x.size()), cosines(x.size());
    for (SimdPath path : PathsOfThisProcessor()) {
        SinCosOn(path, x.data(), static_cast<int>(x.size()), sines.data(), cosines.data());
        for (std::size_t i = 0; i < x.size(); ++i) {
            ASSERT_NEAR(sines[i], std::sin(x[i]), kKernelAgreement) << x[i];
            ASSERT_NEAR(cosines[i], std::cos(x[i]), kKernelAgreement) << x[i];
            if (std::fabs(x[i]) < 1.0) {
                ASSERT_LE(std::fabs(sines[i] - std::sin(x[i])), kSmallSineAgreement * std::fabs(std::sin(x[i])))
                    << x[i];
            }
        }
    }
}

TEST(SinCos, ArgumentsBeyondTheKernelTakeTheLibrarysFunctions) {
    const double inf = std::numeric_limits<double>::infinity();
    const double x[] = {0.5, 0x1p24 * 1.5, 1e300, -1e20, inf, std::nan(""), -inf};
    constexpr int n = sizeof x / sizeof x[0];
    for (SimdPath path : PathsOfThisProcessor()) {
        double sines[n], cosines[n];
        SinCosOn(path, x, n, sines, cosines);
        for (int i = 1; i < n; ++i) {
            if (std::isnan(std::sin(x[i]))) {
                EXPECT_TRUE(std::isnan(sines[i]) && std::isnan(cosines[i])) << x[i];
            } else {
                EXPECT_EQ(sines[i], std::sin(x[i])) << x[i];
                EXPECT_EQ(cosines[i], std::cos(x[i])) << x[i];
            }
        }
        EXPECT_NEAR(sines[0], std::sin(0.5), kKernelAgreement);
    }
}

TEST(SinCos, WritesOnlyTheFirstNOfEachOutput) {
    constexpr double kUntouched = 7.0;
    const double x[] = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
    for (SimdPath path : PathsOfThisProcessor())
        for (int n = 0; n <= 8; ++n) {
            double sines[9], cosines[9];
            std::fill(sines, sines + 9, kUntouched);
            std::fill(cosines, cosines + 9, kUntouched);
            SinCosOn(path, x, n, sines, cosines);
            for (int i = 0; i < n; ++i) EXPECT_NEAR(sines[i], std::sin(x[i]), kKernelAgreement);
            for (int i = n; i < 9; ++i) {
                EXPECT_EQ(sines[i], kUntouched) << n;
                EXPECT_EQ(cosines[i], kUntouched) << n;
            }
        }
}

// Σ a·sin x and Σ b·cos x in index order with the library's functions.
SineCosineSums PlainSums(const std::vector<double>& x, const std::vector<double>& a, const std::vector<double>& b) {
    SineCosineSums sums{0.0, 0.0};
    for (std::size_t i = 0; i < x.size(); ++i) {
        sums.sines += a[i] * std::sin(x[i]);
        sums.cosines += b[i] * std::cos(x[i]);
    }
    return sums;
}

TEST(SumSinCos, AgreesWithThePlainSumsOnEveryPath) {
    // Terms of amplitude up to 1: each within 4e-16, and their additions in
    // lanes within a few units of the sums' last place, for up to 67 terms.
    constexpr double kSumAgreement = 67 * kKernelAgreement + 1e-14;
    for (SimdPath path : PathsOfThisProcessor())
        for (int n = 0; n <= 67; ++n) {
            std::vector<double> x(n), a(n), b(n);
            for (int i = 0; i < n; ++i) {
                x[i] = 1234.5 * std::sin(7.1 * i + n);
                a[i] = std::cos(3.3 * i);
                b[i] = std::sin(5.9 * i + 1.0);
            }
            const SineCosineSums packed = SumSinCosOn(path, x.data(), a.data(), b.data(), n);
            const SineCosineSums plain = PlainSums(x, a, b);
            EXPECT_NEAR(packed.sines, plain.sines, kSumAgreement) << n;
            EXPECT_NEAR(packed.cosines, plain.cosines, kSumAgreement) << n;
        }
}

TEST(SumSinCos, AnArgumentBeyondTheKernelSendsAllToTheLibrary) {
    const std::vector<double> x = {0.1, 1e30, 0.3, 0.4, 0.5}, a = {1, 2, 3, 4, 5}, b = {5, 4, 3, 2, 1};
    for (SimdPath path : PathsOfThisProcessor()) {
        const SineCosineSums packed = SumSinCosOn(path, x.data(), a.data(), b.data(), 5);
        const SineCosineSums plain = PlainSums(x, a, b);
        EXPECT_DOUBLE_EQ(packed.sines, plain.sines);
        EXPECT_DOUBLE_EQ(packed.cosines, plain.cosines);
    }
    const double nan[] = {std::nan("")}, one[] = {1.0};
    EXPECT_TRUE(std::isnan(SumSinCos(nan, one, one, 1).sines));
}

TEST(SumSinCos, TheFastestPathIsOneOfThem) {
    const double x[] = {0.25, 2.5, 25.0}, a[] = {1.0, -2.0, 3.0}, b[] = {0.5, 0.25, 0.125};
    const SineCosineSums fastest = SumSinCos(x, a, b, 3);
    const SineCosineSums named = SumSinCosOn(FastestSimdPath(), x, a, b, 3);
    EXPECT_EQ(fastest.sines, named.sines);
    EXPECT_EQ(fastest.cosines, named.cosines);
}

}  // namespace
}  // namespace helune
