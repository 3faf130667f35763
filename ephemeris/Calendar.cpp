// SPDX-License-Identifier: MIT
#include "Calendar.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "DeltaTTable.h"
#include "Polynomial.h"

namespace helune {

namespace {

// The calendar reform: 15 October 1582 is the first Gregorian date.
inline constexpr int16_t kReformYear = 1582;

bool IsGregorian(int day, int month, int year) {
    if (year != kReformYear) return year > kReformYear;
    return month > 10 || (month == 10 && day > 14);
}

// Leap years up to 1582 follow the Julian rule and later ones the Gregorian;
// 1582 is common under both, so the year alone decides.
bool IsLeapYear(int year) {
    if (year <= kReformYear) return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// ΔT in whole seconds every two years from 1620 to 1802 (1722 is absent).
struct DeltaTRow {
    int16_t year;
    int16_t seconds;
};
constexpr DeltaTRow kDeltaTTable[] = {
    {1620, 124}, {1622, 115}, {1624, 106}, {1626, 98}, {1628, 91},
    {1630, 85},  {1632, 79},  {1634, 74},  {1636, 70}, {1638, 65},
    {1640, 62},  {1642, 58},  {1644, 55},  {1646, 53}, {1648, 50},
    {1650, 48},  {1652, 46},  {1654, 44},  {1656, 42}, {1658, 40},
    {1660, 37},  {1662, 35},  {1664, 33},  {1666, 31}, {1668, 28},
    {1670, 26},  {1672, 24},  {1674, 22},  {1676, 20}, {1678, 18},
    {1680, 16},  {1682, 14},  {1684, 13},  {1686, 12}, {1688, 11},
    {1690, 10},  {1692, 9},   {1694, 9},   {1696, 9},  {1698, 9},
    {1700, 9},   {1702, 9},   {1704, 9},   {1706, 9},  {1708, 10},
    {1710, 10},  {1712, 10},  {1714, 10},  {1716, 10}, {1718, 11},
    {1720, 11},  {1724, 11},  {1726, 11},  {1728, 11}, {1730, 11},
    {1732, 11},  {1734, 12},  {1736, 12},  {1738, 12}, {1740, 12},
    {1742, 12},  {1744, 13},  {1746, 13},  {1748, 13}, {1750, 13},
    {1752, 14},  {1754, 14},  {1756, 14},  {1758, 15}, {1760, 15},
    {1762, 15},  {1764, 15},  {1766, 16},  {1768, 16}, {1770, 16},
    {1772, 16},  {1774, 16},  {1776, 17},  {1778, 17}, {1780, 17},
    {1782, 17},  {1784, 17},  {1786, 17},  {1788, 17}, {1790, 17},
    {1792, 16},  {1794, 16},  {1796, 15},  {1798, 14}, {1800, 14},
    {1802, 13},
};

// ΔT polynomials in days per power of t, t in Julian centuries from 1900 January 1.0.
constexpr double kDeltaT1800[] = {
    -0.000009, 0.003844, 0.083563, 0.865736, 4.867575, 15.845535,
    31.332267, 38.291999, 28.316289, 11.636204, 2.043794,
};
constexpr double kDeltaT1900[] = {
    -0.00002, 0.000297, 0.025184, -0.181133, 0.55304, -0.861938, 0.677066, -0.212591,
};

// Span limits of DeltaT, as Julian days at 0h.
constexpr JulianDay kJD948 = 2067315.5;    // 948 January 2.0 (Julian)
constexpr JulianDay kJD1620 = 2312752.5;
constexpr JulianDay kJD1800 = 2378496.5;
constexpr JulianDay kJD1900 = 2415020.5;
constexpr JulianDay kJD1988 = 2447161.5;


// Gregorian year of the calendar date of jd − 0.5 day, so that it turns at noon
// of 1 January, and never earlier than the table's first year.
int TableYear(JulianDay jd) {
    const double x = std::floor(jd + 10.0);
    const double y0 = std::floor(x / 365.25) - 4712.0;
    const double y = std::floor((x + std::floor(std::fabs(y0 / 100.0)) -
                                 std::floor(std::fabs(y0 / 400.0)) + 4.0 - 16.0) / 365.25) - 4712.0;
    return y < kDeltaTTable[0].year ? kDeltaTTable[0].year : static_cast<int>(y);
}

double InterpolateDeltaTTable(JulianDay jd) {
    const int year = TableYear(jd);
    std::size_t upper = 0;
    while (kDeltaTTable[upper].year <= year) ++upper;  // the table runs past 1799
    const DeltaTRow& lo = kDeltaTTable[upper - 1];
    const DeltaTRow& hi = kDeltaTTable[upper];
    const JulianDay startOfLowerYear = JulianDayFromDate(1, 1, lo.year, 0, 0);
    return lo.seconds + static_cast<double>(hi.seconds - lo.seconds) / (hi.year - lo.year) *
                            (jd - startOfLowerYear) / 365.25;
}

const DeltaTSample& LastMeasurement() { return MeasuredDeltaT[kMeasuredDeltaTCount - 1]; }

// Linearly between the measured values, which begin at kJD1988 (DeltaTTable.cpp).
double InterpolateMeasuredDeltaT(JulianDay jd) {
    const DeltaTSample* after = std::upper_bound(
        std::begin(MeasuredDeltaT), std::end(MeasuredDeltaT), jd,
        [](JulianDay x, const DeltaTSample& sample) { return x < sample.jd; });
    const DeltaTSample& lo = after[-1];
    const DeltaTSample& hi = after[0];
    return lo.seconds + (hi.seconds - lo.seconds) * (jd - lo.jd) / (hi.jd - lo.jd);
}

// Espenak and Meeus, "Five Millennium Canon of Solar Eclipses" (NASA/TP-2006-214141):
// ΔT in seconds for the decimal year y from 2005 on.
double EspenakMeeusDeltaT(double y) {
    const double u = (y - 1820.0) / 100.0;
    if (y < 2050.0) {
        const double t = y - 2000.0;
        return 62.92 + 0.32217 * t + 0.005589 * t * t;
    }
    if (y < 2150.0) return -20.0 + 32.0 * u * u - 0.5628 * (2150.0 - y);
    return -20.0 + 32.0 * u * u;
}

// The decimal year of jd, counted in mean Gregorian years from 2000 January 1.0.
double DecimalYear(JulianDay jd) { return 2000.0 + (jd - 2451544.5) / 365.2425; }

// The model's year by which it has taken over from the last measurement.
constexpr double kModelYear = 2050.0;

// After the last measurement the model, shifted to meet it there; the shift
// fades linearly to nothing by 2050, so that neither junction jumps.
double ExtrapolatedDeltaT(JulianDay jd) {
    const double y = DecimalYear(jd);
    const double lastYear = DecimalYear(LastMeasurement().jd);
    const double model = EspenakMeeusDeltaT(y);
    if (y >= kModelYear) return model;
    const double shift = LastMeasurement().seconds - EspenakMeeusDeltaT(lastYear);
    return model + shift * (kModelYear - y) / (kModelYear - lastYear);
}

}  // namespace

int16_t DiasMes(int16_t month, int16_t year) {
    if (month == 2) return IsLeapYear(year) ? 29 : 28;
    return static_cast<int16_t>(30 + (month + month / 8) % 2);
}

JulianDay JulianDayFromDate(int16_t day, int16_t month, int16_t year, int16_t hour, int16_t minute) {
    if (month < 1 || month > 12 || day < 1 || day > DiasMes(month, year)) return -1.0;

    double n = std::floor(365.25 * (year + 4712.0));
    for (int16_t m = 1; m < month; ++m) n += DiasMes(m, year);
    n += day - (IsLeapYear(year) ? 1 : 0);
    if (IsGregorian(day, month, year))
        n += -std::floor(year / 100.0) + std::floor(year / 400.0) + 2.0;
    return n - 0.5 + (hour + minute / 60.0) / 24.0;
}

double DeltaT(JulianDay jd) {
    const double T = (jd - kJ2000) / 36525.0;
    const double t = (jd - kJD1900) / 36525.0;
    if (jd < kJD948) return 2715.6 + 573.36 * T + 46.5 * T * T;
    if (jd < kJD1620) return 50.6 + 67.5 * T + 22.5 * T * T;
    if (jd < kJD1800) return InterpolateDeltaTTable(jd);
    if (jd < kJD1900) return 86400.0 * Polynomial(kDeltaT1800, t);
    if (jd < kJD1988) return 86400.0 * Polynomial(kDeltaT1900, t);
    if (jd < LastMeasurement().jd) return InterpolateMeasuredDeltaT(jd);
    return ExtrapolatedDeltaT(jd);
}

}  // namespace helune
