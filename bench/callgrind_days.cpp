// SPDX-License-Identifier: MIT
// A driver for instruction counts: the window's work for consecutive dates at
// Madrid from 18 January 2008, one mode a run, to be counted by
//   valgrind --tool=callgrind helune-callgrind-days MODE DAYS
// (tools/callgrind_days.sh runs it and gives the count a day).
//   events   the six events of the chart, as the window asks them
//   dayview  the six events and the chart's phase lines
//   table    the six events and the whole eight-entry phase table
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "DayFacts.h"
#include "Phases.h"

namespace {

// Madrid, in the engine's conventions (longitude positive West), one hour ahead of UT.
constexpr double kLongitudeWest = 3.7038;
constexpr double kLatitude = 40.4168;
constexpr double kZone = -15.0;
constexpr helune::JulianDay kFirstNoon = 2454484.0;  // 18 January 2008

enum class Mode { Events, DayView, Table };

bool ParseMode(const char* text, Mode& mode) {
    if (std::strcmp(text, "events") == 0) mode = Mode::Events;
    else if (std::strcmp(text, "dayview") == 0) mode = Mode::DayView;
    else if (std::strcmp(text, "table") == 0) mode = Mode::Table;
    else return false;
    return true;
}

// A sum of everything computed, so that none of it can be left out.
double RunDays(Mode mode, int days) {
    double sum = 0.0;
    for (int i = 0; i < days; ++i) {
        helune::PhaseEvent d{};
        helune::JulianDayToDate(d, kFirstNoon + i);
        const helune::DayFacts f = helune::ComputeDayEvents(d.Day, d.Month, d.Year, kLongitudeWest, kLatitude, kZone);
        sum += f.sunRising + f.sunSetting + f.sunTransit + f.moonRising + f.moonSetting + f.moonTransit;
        if (mode == Mode::Events) continue;
        const helune::PhaseTable phases = mode == Mode::DayView
                                              ? helune::FindChartPhases(d.Day, d.Month, d.Year, kZone)
                                              : helune::FindFasesLuna(d.Day, d.Month, d.Year, kZone);
        for (const helune::PhaseEvent& p : phases) sum += p.Hour * 3600 + p.Minute * 60 + p.Second;
    }
    return sum;
}

}  // namespace

int main(int argc, char** argv) {
    Mode mode{};
    if (argc != 3 || !ParseMode(argv[1], mode)) {
        std::fprintf(stderr, "usage: helune-callgrind-days events|dayview|table DAYS\n");
        return 2;
    }
    std::printf("%.17g\n", RunDays(mode, std::atoi(argv[2])));
    return 0;
}
