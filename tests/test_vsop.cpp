// SPDX-License-Identifier: MIT
// The VSOP87D Earth tables and their sum EvalVSOP.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>
#include <ostream>
#include <vector>

#include "VSOPEarD.h"

namespace helune {

// Sets as their numbers in the messages of failures.
std::ostream& operator<<(std::ostream& out, Element set) { return out << static_cast<int>(set); }

namespace {

constexpr Row kEarth = Row::Earth;
constexpr int kEarthIndex = RowIndex(kEarth);
constexpr Element kSets[] = {kVsopSetL, kVsopSetB, kVsopSetR};
constexpr double kDaysPerMillennium = 365250.0;
constexpr double kJulianDayOfJ2000 = 2451545.0;

// Expected positions are printed to 8 decimals (10 for B); a sum that rounds
// to the printed digits is within half a unit of the last one.
constexpr double kHalfUnitIn8thDecimal = 5e-9;
constexpr double kHalfUnitIn7thDecimal = 5e-8;
constexpr double kHalfUnitIn10thDecimal = 5e-11;

// How far the fast sum may stray from the plain one: 2e-7 arcsecond, far
// below the theory's own precision.
constexpr double kAgreement = 1e-12;

const VsopTerm* const* SeriesOf(Element set, int row) {
    return set == kVsopSetL ? VsopSeriesL[row] : set == kVsopSetB ? VsopSeriesB[row] : VsopSeriesR[row];
}

const int16_t* CountsOf(Element set, int row) {
    return set == kVsopSetL ? VsopCountL[row] : set == kVsopSetB ? VsopCountB[row] : VsopCountR[row];
}

// The reference: every term through std::cos, in table order.
double PlainSum(Element set, double tau) {
    const VsopTerm* const* series = SeriesOf(set, kEarthIndex);
    const int16_t* counts = CountsOf(set, kEarthIndex);
    double total = 0.0;
    double power = 1.0;
    for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
        double sum = 0.0;
        for (int i = 0; i < counts[alpha]; ++i) {
            sum += series[alpha][i].A * std::cos(series[alpha][i].B + series[alpha][i].C * tau);
        }
        total += sum * power;
        power *= tau;
    }
    return total;
}

// Instants from -1 to +1 millennium finely, out to +-3 coarsely, then on
// either side of the end of the packed cosine's range (|tau| = 51.2 for the
// Earth's fastest term) and far beyond it, where the sum must go through
// std::cos.
std::vector<double> ManyTaus() {
    std::vector<double> taus = {0.0, -0.0, 1e-10, -1e-10, 10.0, -10.0, 51.0, -51.0, 51.2, -51.2, 51.3, -51.3,
                                1000.0, -2500.0};
    for (int i = -1000; i <= 1000; ++i) {
        taus.push_back(i * 1e-3 + 3.7e-7);
    }
    for (int i = -300; i <= 300; ++i) {
        taus.push_back(i * 1e-2 + 1.3e-6);
    }
    return taus;
}

double Tau(double jd) { return (jd - kJulianDayOfJ2000) / kDaysPerMillennium; }

double DegreesInOneTurn(double radians) {
    const double degrees = std::fmod(radians * 180.0 / std::numbers::pi, 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// Term counts of the 17 series headers of VSOP87D.ear.
TEST(EvalVSOP, EarthCountsAreThoseOfTheFileHeaders) {
    const int16_t l[kVsopPowers] = {559, 341, 142, 22, 11, 5};
    const int16_t b[kVsopPowers] = {184, 99, 49, 11, 5, 0};
    const int16_t r[kVsopPowers] = {526, 292, 139, 27, 10, 3};
    for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
        EXPECT_EQ(VsopCountL[kEarthIndex][alpha], l[alpha]) << "L" << alpha;
        EXPECT_EQ(VsopCountB[kEarthIndex][alpha], b[alpha]) << "B" << alpha;
        EXPECT_EQ(VsopCountR[kEarthIndex][alpha], r[alpha]) << "R" << alpha;
        for (Element set : kSets) {
            const bool hasTerms = CountsOf(set, kEarthIndex)[alpha] > 0;
            EXPECT_EQ(SeriesOf(set, kEarthIndex)[alpha] != nullptr, hasTerms) << set << " " << alpha;
        }
    }
}

TEST(EvalVSOP, OnlyTheEarthRowHoldsTerms) {
    for (int16_t row = 0; row < kVsopRows; ++row) {
        if (row == kEarthIndex) {
            continue;
        }
        for (Element set : kSets) {
            for (int alpha = 0; alpha < kVsopPowers; ++alpha) {
                EXPECT_EQ(CountsOf(set, row)[alpha], 0) << row << " " << set << " " << alpha;
                EXPECT_EQ(SeriesOf(set, row)[alpha], nullptr) << row << " " << set << " " << alpha;
            }
        }
    }
}

void ExpectTerm(const VsopTerm& term, double a, double b, double c) {
    EXPECT_EQ(term.A, a);
    EXPECT_EQ(term.B, b);
    EXPECT_EQ(term.C, c);
}

// Term records of VSOP87D.ear, columns A, B, C; the same decimal digits make
// the same doubles.
TEST(EvalVSOP, TermsKeepTheFileDigitsAndOrder) {
    ExpectTerm(VsopSeriesL[kEarthIndex][0][0], 1.75347045673, 0.0, 0.0);
    ExpectTerm(VsopSeriesL[kEarthIndex][0][1], 0.03341656456, 4.66925680417, 6283.0758499914);
    ExpectTerm(VsopSeriesL[kEarthIndex][0][558], 0.00000000049, 2.44790934886, 13613.804277336);
    ExpectTerm(VsopSeriesL[kEarthIndex][1][0], 6283.31966747491, 0.0, 0.0);
    ExpectTerm(VsopSeriesL[kEarthIndex][5][0], 0.00000000878, 3.14159265359, 0.0);
    ExpectTerm(VsopSeriesB[kEarthIndex][0][0], 0.0000027962, 3.19870156017, 84334.66158130829);
    EXPECT_EQ(VsopSeriesR[kEarthIndex][0][0].A, 1.00013988799);
    ExpectTerm(VsopSeriesR[kEarthIndex][0][1], 0.01670699626, 3.09846350771, 6283.0758499914);
    ExpectTerm(VsopSeriesR[kEarthIndex][5][0], 0.00000000086, 1.21579741687, 6283.0758499914);
    // The file is not sorted by amplitude: the 4th term of L0 is smaller than the 5th.
    EXPECT_EQ(VsopSeriesL[kEarthIndex][0][3].A, 0.00003417571);
    EXPECT_EQ(VsopSeriesL[kEarthIndex][0][4].A, 0.00003497056);
}

// Expected values: the series of VSOP87D.ear summed without rounding error
// (Python, math.fsum over every term and power), rounded to the digits shown.
TEST(EvalVSOP, EarthJustAfterJ2000) {
    const double tau = 1e-10;  // 3.2 s after JD 2451545.0; L1 already adds 6.3e-7 rad
    EXPECT_NEAR(EvalVSOP(kEarth, kVsopSetL, tau), 1.75192452, kHalfUnitIn8thDecimal);
    EXPECT_NEAR(EvalVSOP(kEarth, kVsopSetB, tau), -0.0000039656, kHalfUnitIn10thDecimal);
    EXPECT_NEAR(EvalVSOP(kEarth, kVsopSetR, tau), 0.98332768, kHalfUnitIn8thDecimal);
}

// 1992 October 13.0 TD, the date of Meeus's worked solar examples (Astronomical
// Algorithms, 2nd ed., ch. 25). Expected values summed as above.
TEST(EvalVSOP, EarthOn1992October13) {
    const double tau = Tau(2448908.5);
    const double l = EvalVSOP(kEarth, kVsopSetL, tau);
    EXPECT_NEAR(l, -43.63484927, kHalfUnitIn8thDecimal);
    EXPECT_NEAR(DegreesInOneTurn(l), 19.9072972, kHalfUnitIn7thDecimal);
    EXPECT_NEAR(EvalVSOP(kEarth, kVsopSetB, tau), -0.0000036067, kHalfUnitIn10thDecimal);
    EXPECT_NEAR(EvalVSOP(kEarth, kVsopSetR, tau), 0.99760852, kHalfUnitIn8thDecimal);
}

// B has no tau^5 series; at tau = 2 its weight would be 32.
TEST(EvalVSOP, LatitudePowerFiveContributesNothing) {
    const double tau = 2.0;
    double expected = 0.0;
    for (int alpha = 0; alpha < 5; ++alpha) {
        double sum = 0.0;
        for (int i = 0; i < VsopCountB[kEarthIndex][alpha]; ++i) {
            const VsopTerm& t = VsopSeriesB[kEarthIndex][alpha][i];
            sum += t.A * std::cos(t.B + t.C * tau);
        }
        expected += sum * std::pow(tau, alpha);
    }
    EXPECT_NEAR(EvalVSOP(kEarth, kVsopSetB, tau), expected, kAgreement);
}

TEST(EvalVSOP, UnknownSetsAndEmptyRowsAnswerZero) {
    for (double tau : {0.0, -0.3, 1.7}) {
        for (int16_t set : {int16_t{-1}, int16_t{0}, int16_t{5}, int16_t{9}}) {
            EXPECT_EQ(EvalVSOP(kEarth, static_cast<Element>(set), tau), 0.0) << set;
        }
        for (Element set : kSets) {
            EXPECT_EQ(EvalVSOP(static_cast<Row>(-1), set, tau), 0.0) << static_cast<int>(set);
            EXPECT_EQ(EvalVSOP(static_cast<Row>(kVsopRows), set, tau), 0.0) << static_cast<int>(set);
            for (int16_t row = 0; row < kVsopRows; ++row) {
                if (row != kEarthIndex) {
                    EXPECT_EQ(EvalVSOP(static_cast<Row>(row), set, tau), 0.0) << row << " " << static_cast<int>(set);
                }
            }
        }
    }
}

void ExpectAgreementWithPlainSum(const std::function<double(Element set, double tau)>& eval) {
    for (double tau : ManyTaus()) {
        for (Element set : kSets) {
            ASSERT_NEAR(eval(set, tau), PlainSum(set, tau), kAgreement) << "set " << set << " tau " << tau;
        }
    }
}

TEST(EvalVSOP, PhasesAndFrequenciesWithinWhatThePackedSumTakes) {
    // The packed sum decides from tau alone whether every argument B + C·tau
    // is within its kernel's range.
    for (int16_t row = 0; row < kVsopRows; ++row)
        for (Element set : kSets)
            for (int alpha = 0; alpha < kVsopPowers; ++alpha)
                for (int i = 0; i < CountsOf(set, row)[alpha]; ++i) {
                    const VsopTerm& term = SeriesOf(set, row)[alpha][i];
                    ASSERT_GE(term.B, 0.0) << set << " " << alpha << " " << i;
                    ASSERT_LT(term.B, 2.0 * std::numbers::pi) << set << " " << alpha << " " << i;
                    ASSERT_LE(std::fabs(term.C), kVsopFastestFrequency) << set << " " << alpha << " " << i;
                }
}

TEST(EvalVSOP, AgreesWithThePlainSum) {
    ExpectAgreementWithPlainSum([](Element set, double tau) { return EvalVSOP(kEarth, set, tau); });
}

TEST(EvalVSOP, EveryPathOfThisProcessorAgreesWithThePlainSum) {
    for (const VsopPath path : AvailableSimdPaths()) {
        SCOPED_TRACE(static_cast<int>(path));
        ExpectAgreementWithPlainSum([path](Element set, double tau) { return EvalVSOPOn(path, kEarth, set, tau); });
    }
}

}  // namespace
}  // namespace helune
