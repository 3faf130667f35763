// SPDX-License-Identifier: MIT
#include "Phases.h"

#include <cmath>

#include "Positions.h"
#include "TimeScales.h"

namespace helune {

namespace {

// Days per turn of the Sun−Moon longitude difference used as the search's slope.
constexpr double kDaysPerTurn = 29.55;
constexpr double kSettled = 0.0001;  // degrees
// Real searches settle within a handful of steps; a start that is not a number
// or a pathological one must not hold the window forever.
constexpr int kMaxSteps = 100;

constexpr int kFirstSearchBackOff = 10;  // days before the shown date
constexpr int kSearchStep = 7;           // days between later start dates

struct Date {
    int16_t day, month, year;
};

Date AddDays(Date d, int days) {
    int day = d.day + days;
    int16_t month = d.month, year = d.year;
    while (day <= 0) {
        month = month == 1 ? 12 : static_cast<int16_t>(month - 1);
        if (month == 12) --year;
        day += DiasMes(month, year);
    }
    while (day > DiasMes(month, year)) {
        day -= DiasMes(month, year);
        month = month == 12 ? 1 : static_cast<int16_t>(month + 1);
        if (month == 1) ++year;
    }
    return {static_cast<int16_t>(day), month, year};
}

// The start date at 0:00:00, with no phase.
void MarkNoPhase(PhaseEvent& event) {
    event.Hour = event.Minute = event.Second = 0;
    event.PhaseCode = kNoPhase;
}

}  // namespace

// Only the longitude series of either body are summed.
double Elongation(JulianDay jd) {
    const double sun = PlanetEcliptic(kEarthRow, 0, jd, 0.0, PositionParts::Longitude).lambda;
    return ReduceAngle(sun - LunaLongitude(jd), 360.0);
}

double PhaseTarget(double e) {
    if (e >= 45.0 && e < 135.0) return 90.0;
    if (e >= 135.0 && e < 225.0) return 180.0;
    if (e >= 225.0 && e < 315.0) return 270.0;
    return 360.0;
}

double PhaseStep(double target, double e) {
    const double d = target - e;
    return d >= 315.0 ? d - target : d;
}

// Meeus, Astronomical Algorithms, ch. 7.
void JulianDayToDate(PhaseEvent& event, JulianDay jd) {
    const double x = jd + 0.5;
    const double N = std::trunc(x);

    const double h = 24.0 * (x - N);
    event.Hour = static_cast<int16_t>(h);
    const double m = 60.0 * (h - event.Hour);
    event.Minute = static_cast<int16_t>(m);
    event.Second = static_cast<int16_t>(60.0 * (m - event.Minute));

    double A = N;
    if (N >= 2299161.0) {
        const double alpha = std::floor((N - 1867216.25) / 36524.25);
        A = N + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double B = A + 1524.0;
    const double C = std::floor((B - 122.1) / 365.25);
    const double D = std::floor(365.25 * C);
    const double E = std::floor((B - D) / 30.6001);
    event.Day = static_cast<int16_t>(B - D - std::floor(30.6001 * E));
    event.Month = static_cast<int16_t>(E < 14.0 ? E - 1.0 : E - 13.0);
    event.Year = static_cast<int16_t>(event.Month > 2 ? C - 4716.0 : C - 4715.0);
}

// The step that settles the search is the last: the difference at the instant
// it reaches is not needed.
void FindFase(PhaseEvent& event, double zone) {
    JulianDay jd = JulianDayFromDate(event.Day, event.Month, event.Year, 0, 0);
    if (jd < 0.0) return MarkNoPhase(event);
    double e = Elongation(jd);
    const double target = PhaseTarget(e);
    bool settled = false;
    for (int step = 0; step < kMaxSteps && !settled; ++step) {
        const double d = PhaseStep(target, e);
        jd -= d * kDaysPerTurn / 360.0;
        settled = std::fabs(d) <= kSettled;
        if (!settled) e = Elongation(jd);
    }
    if (!settled || !std::isfinite(jd)) return MarkNoPhase(event);
    event.PhaseCode = static_cast<int16_t>(std::floor(target / 90.0));
    // The theories ran on dynamical time: the phase's universal instant is ΔT earlier.
    JulianDayToDate(event, LocalJulianDay(ToUniversal(DynamicalTime{jd}), zone));
}

PhaseTableSearch::PhaseTableSearch(int16_t day, int16_t month, int16_t year, double zone) : zone_(zone) {
    const Date start = AddDays({day, month, year}, -kFirstSearchBackOff);
    day_ = start.day;
    month_ = start.month;
    year_ = start.year;
}

PhaseEvent PhaseTableSearch::Next() {
    PhaseEvent event{day_, month_, year_, 0, 0, 0, kNoPhase};
    FindFase(event, zone_);
    // The later searches step from the local date of the first phase found.
    const Date from = found_ == 0 ? Date{event.Day, event.Month, event.Year} : Date{day_, month_, year_};
    const Date next = AddDays(from, kSearchStep);
    day_ = next.day;
    month_ = next.month;
    year_ = next.year;
    ++found_;
    return event;
}

PhaseTable FindFasesLuna(int16_t day, int16_t month, int16_t year, double zone) {
    PhaseTable table{};
    PhaseTableSearch search(day, month, year, zone);
    for (PhaseEvent& entry : table) entry = search.Next();
    return table;
}

}  // namespace helune
