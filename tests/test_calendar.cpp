// SPDX-License-Identifier: MIT
// Calendar and time: Julian day numbers, month lengths, ΔT.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "Calendar.h"
#include "DeltaTTable.h"

namespace helune {
namespace {

// Julian days of whole minutes are exact to well under a microsecond.
constexpr double kJulianDayTolerance = 1e-9;

TEST(JulianDayFromDate, WorkedExamplesOfMeeusChapter7) {
    struct Case {
        int16_t day, month, year, hour, minute;
        double expected;
    };
    // Meeus, Astronomical Algorithms, 2nd ed., example 7.b and the table after it.
    const Case cases[] = {
        {1, 1, 2000, 12, 0, 2451545.0},  {1, 1, 1999, 0, 0, 2451179.5},
        {27, 1, 1988, 0, 0, 2447187.5},  {19, 6, 1987, 12, 0, 2446966.0},
        {27, 1, 333, 12, 0, 1842713.0},  {1, 1, 1600, 0, 0, 2305447.5},
        {31, 12, 1600, 0, 0, 2305812.5}, {31, 12, -123, 0, 0, 1676496.5},
        {1, 1, -122, 0, 0, 1676497.5},   {12, 7, -1000, 12, 0, 1356001.0},
        {29, 2, -1000, 0, 0, 1355866.5}, {1, 1, -4712, 12, 0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(JulianDayFromDate(c.day, c.month, c.year, c.hour, c.minute), c.expected,
                    kJulianDayTolerance)
            << c.day << "/" << c.month << "/" << c.year;
}

TEST(JulianDayFromDate, CalendarReformOf1582) {
    // 4 October 1582 (Julian) is followed by 15 October 1582 (Gregorian).
    EXPECT_EQ(JulianDayFromDate(4, 10, 1582, 0, 0), 2299159.5);
    EXPECT_EQ(JulianDayFromDate(15, 10, 1582, 0, 0), 2299160.5);
    // A dropped day is read as a Julian date: 10 October (Julian) is 20 October
    // (Gregorian).
    EXPECT_EQ(JulianDayFromDate(10, 10, 1582, 0, 0), 2299165.5);
    EXPECT_EQ(JulianDayFromDate(14, 10, 1582, 0, 0), 2299169.5);
    EXPECT_EQ(JulianDayFromDate(20, 10, 1582, 0, 0), 2299165.5);
}

TEST(JulianDayFromDate, RejectsDatesThatDoNotExist) {
    EXPECT_EQ(JulianDayFromDate(29, 2, 1900, 0, 0), -1.0);  // Gregorian century
    EXPECT_EQ(JulianDayFromDate(1, 0, 2000, 0, 0), -1.0);
    EXPECT_EQ(JulianDayFromDate(1, 13, 2000, 0, 0), -1.0);
    EXPECT_EQ(JulianDayFromDate(0, 5, 2000, 0, 0), -1.0);
    EXPECT_EQ(JulianDayFromDate(31, 4, 2000, 0, 0), -1.0);
    EXPECT_EQ(JulianDayFromDate(32, 1, 2000, 0, 0), -1.0);
    EXPECT_EQ(JulianDayFromDate(-1, 1, 2000, 0, 0), -1.0);
}

TEST(JulianDayFromDate, LeapDaysOfBothCalendars) {
    EXPECT_GT(JulianDayFromDate(29, 2, 2000, 0, 0), 0.0);  // Gregorian, divisible by 400
    EXPECT_GT(JulianDayFromDate(29, 2, 1600, 0, 0), 0.0);
    EXPECT_GT(JulianDayFromDate(29, 2, 1500, 0, 0), 0.0);  // Julian: every fourth year
    EXPECT_EQ(JulianDayFromDate(1, 3, 1500, 0, 0) - JulianDayFromDate(28, 2, 1500, 0, 0), 2.0);
    EXPECT_EQ(JulianDayFromDate(1, 3, 1900, 0, 0) - JulianDayFromDate(28, 2, 1900, 0, 0), 1.0);
}

TEST(JulianDayFromDate, ClockTimeCarriesIntoTheNextDay) {
    const double midnight = JulianDayFromDate(1, 1, 2000, 0, 0);
    EXPECT_EQ(midnight, 2451544.5);
    EXPECT_NEAR(JulianDayFromDate(1, 1, 2000, 25, 0) - midnight, 1.0 + 1.0 / 24.0, kJulianDayTolerance);
    EXPECT_NEAR(JulianDayFromDate(1, 1, 2000, 0, 90) - midnight, 1.5 / 24.0, kJulianDayTolerance);
}

TEST(DiasMes, MonthLengthsUnderEachCalendar) {
    EXPECT_EQ(DiasMes(2, 1900), 28);
    EXPECT_EQ(DiasMes(2, 2000), 29);
    EXPECT_EQ(DiasMes(2, 1500), 29);
    EXPECT_EQ(DiasMes(2, 2023), 28);
    const int16_t expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int16_t month = 1; month <= 12; ++month) EXPECT_EQ(DiasMes(month, 2023), expected[month - 1]);
}

TEST(DiasMes, AgreesWithTheDayCountAcrossCenturies) {
    for (int16_t year = -100; year <= 2400; year += 7)
        for (int16_t month = 1; month <= 12; ++month) {
            const double first = JulianDayFromDate(1, month, year, 0, 0);
            const int16_t nextMonth = month == 12 ? 1 : month + 1;
            const int16_t nextYear = month == 12 ? year + 1 : year;
            const double next = JulianDayFromDate(1, nextMonth, nextYear, 0, 0);
            if (year == 1582 && month == 10) continue;  // ten days dropped
            EXPECT_EQ(next - first, DiasMes(month, year)) << month << "/" << year;
        }
}

// ΔT values printed to whole seconds or tenths; the formulas give them to within
// the last printed digit.
constexpr double kTableSecondTolerance = 1e-9;
constexpr double kPrintedTenthTolerance = 0.05;

TEST(DeltaT, TableYearsInterpolateLinearly) {
    // Rows 1700 (9 s) and 1702 (9 s).
    EXPECT_NEAR(DeltaT(JulianDayFromDate(1, 1, 1700, 0, 0)), 9.0, kTableSecondTolerance);
    // Exactly at 1620 January 1.0 the table's first row, 124 s.
    EXPECT_NEAR(DeltaT(JulianDayFromDate(1, 1, 1620, 0, 0)), 124.0, kTableSecondTolerance);
    // 1650 January 1.0 still counts as 1649 (the year turns at noon): rows 1648 and
    // 1650, 50 + (48 − 50)/2 × (2 years less half a day) / 365.25 = 47.9986 s.
    EXPECT_NEAR(DeltaT(JulianDayFromDate(1, 1, 1650, 0, 0)), 47.9986, 1e-4);
    // Between 1720 and 1724 one row spans four years.
    EXPECT_NEAR(DeltaT(JulianDayFromDate(1, 7, 1722, 0, 0)), 11.0, kTableSecondTolerance);
    // 1760: 15 s, 1792: 16 s (falling after the 1790 maximum of 17 s).
    EXPECT_NEAR(DeltaT(JulianDayFromDate(2, 1, 1760, 0, 0)), 15.0, 0.01);
    EXPECT_NEAR(DeltaT(JulianDayFromDate(2, 1, 1792, 0, 0)), 16.0, 0.01);
}

TEST(DeltaT, SpansBefore1988AreNotBlended) {
    const double jd1620 = JulianDayFromDate(1, 1, 1620, 0, 0);
    EXPECT_NEAR(DeltaT(jd1620 - 1e-6), 119.0, 0.5);  // the parabola before the table
    const double jd1900 = 2415020.5;
    EXPECT_NEAR(DeltaT(jd1900 - 1e-6), -0.8, kPrintedTenthTolerance);
    EXPECT_NEAR(DeltaT(jd1900), -1.728, 1e-9);  // 86400 × −0.00002
    // At 1988 January 1.0 the polynomial of 1900-1987 (55.43 s) meets USNO's
    // measured 55.8197 s.
    const double jd1988 = JulianDayFromDate(1, 1, 1988, 0, 0);
    EXPECT_NEAR(DeltaT(jd1988 - 1e-6), 55.4, kPrintedTenthTolerance);
    EXPECT_NEAR(DeltaT(jd1988), 55.8197, kTableSecondTolerance);
}

TEST(DeltaT, ParabolasBefore1620) {
    // Year 0, before 948: 2715.6 + 573.36 T + 46.5 T² with T = −19.99...
    const double jd0 = JulianDayFromDate(1, 1, 0, 0, 0);
    const double T = (jd0 - 2451545.0) / 36525.0;
    EXPECT_NEAR(DeltaT(jd0), 2715.6 + 573.36 * T + 46.5 * T * T, 1e-9);
    // Year 1500, between 948 and 1620: 50.6 + 67.5 T + 22.5 T².
    const double jd1500 = JulianDayFromDate(1, 1, 1500, 0, 0);
    const double T1500 = (jd1500 - 2451545.0) / 36525.0;
    EXPECT_NEAR(DeltaT(jd1500), 50.6 + 67.5 * T1500 + 22.5 * T1500 * T1500, 1e-9);
}

// The raw files of data/deltat: (Julian day of 0h UT, seconds) of each line.
std::vector<std::pair<double, double>> ReadMeasured(const std::string& name) {
    std::ifstream file(std::string(HELUNE_DATA_DIR) + "/deltat/" + name);
    std::vector<std::pair<double, double>> rows;
    for (std::string line; std::getline(file, line);) {
        int year = 0, month = 0, day = 0;
        double seconds = 0.0;
        if (line.empty() || line[0] == '#' ||
            std::sscanf(line.c_str(), "%d %d %d %lf", &year, &month, &day, &seconds) != 4)
            continue;
        rows.emplace_back(JulianDayFromDate(static_cast<int16_t>(day), static_cast<int16_t>(month),
                                            static_cast<int16_t>(year), 0, 0),
                          seconds);
    }
    return rows;
}

TEST(DeltaT, MeasuredValuesFrom1988OnAtTheirEpochs) {
    // USNO's monthly determinations 1973-2019 and IERS's yearly values since 2020.
    std::vector<std::pair<double, double>> measured = ReadMeasured("deltat_usno_monthly.txt");
    const auto yearly = ReadMeasured("yearly_since_2020.txt");
    measured.insert(measured.end(), yearly.begin(), yearly.end());
    ASSERT_GT(measured.size(), 500u);
    int compared = 0;
    for (const auto& [jd, seconds] : measured) {
        if (jd < JulianDayFromDate(1, 1, 1988, 0, 0)) continue;
        EXPECT_NEAR(DeltaT(jd), seconds, kTableSecondTolerance) << jd;
        ++compared;
    }
    EXPECT_EQ(compared, kMeasuredDeltaTCount);
    // 2000 January 1.0: 63.8285 s measured, where the old parabola gave 102.3 s.
    EXPECT_NEAR(DeltaT(2451544.5), 63.8285, kTableSecondTolerance);
    // Halfway between 2019 June 1 (69.3540 s) and 2020 January 1 (69.36 s) in time.
    const double june2019 = JulianDayFromDate(1, 6, 2019, 0, 0), january2020 = JulianDayFromDate(1, 1, 2020, 0, 0);
    EXPECT_NEAR(DeltaT((june2019 + january2020) / 2.0), (69.3540 + 69.36) / 2.0, kTableSecondTolerance);
}

// Espenak and Meeus (2006), ΔT in seconds at the decimal year y, worked by hand
// from the published polynomials for the checks below.
TEST(DeltaT, LongTermModelAfterTheLastMeasurement) {
    constexpr double kTolerance = 0.01;  // seconds; the decimal years below are rounded
    auto at = [](double year) { return DeltaT(2451544.5 + (year - 2000.0) * 365.2425); };
    // 2026.0: the last measurement, 69.10 s; the model says 75.08 s there.
    EXPECT_NEAR(at(2026.0019), 69.10, kTolerance);
    // 2038: the model's 62.92 + 0.32217·38 + 0.005589·38² = 83.233 s, less half
    // the 5.976-s shift at 2026.
    EXPECT_NEAR(at(2038.0), 83.233 - 5.976 * 12.0 / 23.998, kTolerance);
    // 2100: −20 + 32·2.8² − 0.5628·50 = 202.74 s; 2200: −20 + 32·3.8² = 442.08 s.
    EXPECT_NEAR(at(2100.0), 202.74, kTolerance);
    EXPECT_NEAR(at(2200.0), 442.08, kTolerance);
}

TEST(DeltaT, NoJumpFrom1988On) {
    // Across 1988 January 1.0 the 0.39-s step between the polynomial and the
    // measurement; nowhere after it as much as half a second, at the last
    // measurement, 2050 and 2150 as at every measured epoch.
    constexpr double kLargestJump = 0.5;  // seconds
    constexpr double kEpsilon = 1e-6;     // days
    const double jd1988 = JulianDayFromDate(1, 1, 1988, 0, 0);
    EXPECT_NEAR(DeltaT(jd1988) - DeltaT(jd1988 - kEpsilon), 0.39, 0.01);
    std::vector<double> junctions;
    for (const DeltaTSample& sample : MeasuredDeltaT) junctions.push_back(sample.jd);
    junctions.push_back(2451544.5 + 50.0 * 365.2425);   // 2050.0 as the model's decimal year
    junctions.push_back(2451544.5 + 150.0 * 365.2425);  // 2150.0
    for (double jd : junctions) {
        if (jd == jd1988) continue;
        EXPECT_LT(std::fabs(DeltaT(jd + kEpsilon) - DeltaT(jd - kEpsilon)), 1e-3) << jd;
    }
    // And a day-by-day walk from 1988 to 2200 never steps by half a second.
    double previous = DeltaT(jd1988);
    for (double jd = jd1988 + 1.0; jd < JulianDayFromDate(1, 1, 2200, 0, 0); jd += 1.0) {
        const double value = DeltaT(jd);
        ASSERT_LT(std::fabs(value - previous), kLargestJump) << jd;
        previous = value;
    }
}

TEST(DeltaT, GeneratedTableStartsAt1988AndAscends) {
    EXPECT_EQ(MeasuredDeltaT[0].jd, JulianDayFromDate(1, 1, 1988, 0, 0));
    for (int i = 1; i < kMeasuredDeltaTCount; ++i) EXPECT_LT(MeasuredDeltaT[i - 1].jd, MeasuredDeltaT[i].jd) << i;
}

}  // namespace
}  // namespace helune
