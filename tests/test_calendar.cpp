// Calendar and time: Julian day numbers, month lengths, ΔT.
#include <gtest/gtest.h>

#include "Calendar.h"

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

TEST(DeltaT, SpansAreNotBlended) {
    const double jd1620 = JulianDayFromDate(1, 1, 1620, 0, 0);
    EXPECT_NEAR(DeltaT(jd1620 - 1e-6), 119.0, 0.5);  // the parabola before the table
    const double jd1900 = 2415020.5;
    EXPECT_NEAR(DeltaT(jd1900 - 1e-6), -0.8, kPrintedTenthTolerance);
    EXPECT_NEAR(DeltaT(jd1900), -1.728, 1e-9);  // 86400 × −0.00002
    const double jd1988 = JulianDayFromDate(1, 1, 1988, 0, 0);
    EXPECT_NEAR(DeltaT(jd1988 - 1e-6), 55.4, kPrintedTenthTolerance);
    EXPECT_NEAR(DeltaT(jd1988), 88.0, kPrintedTenthTolerance);
}

TEST(DeltaT, ParabolasOutsideTheTables) {
    // 2000 January 1.0: (2451544.5 − 2382148)² / 41048480 − 15.
    EXPECT_NEAR(DeltaT(2451544.5), 102.3, kPrintedTenthTolerance);
    // Year 0, before 948: 2715.6 + 573.36 T + 46.5 T² with T = −19.99...
    const double jd0 = JulianDayFromDate(1, 1, 0, 0, 0);
    const double T = (jd0 - 2451545.0) / 36525.0;
    EXPECT_NEAR(DeltaT(jd0), 2715.6 + 573.36 * T + 46.5 * T * T, 1e-9);
    // Year 1500, between 948 and 1620: 50.6 + 67.5 T + 22.5 T².
    const double jd1500 = JulianDayFromDate(1, 1, 1500, 0, 0);
    const double T1500 = (jd1500 - 2451545.0) / 36525.0;
    EXPECT_NEAR(DeltaT(jd1500), 50.6 + 67.5 * T1500 + 22.5 * T1500 * T1500, 1e-9);
}

}  // namespace
}  // namespace helune
