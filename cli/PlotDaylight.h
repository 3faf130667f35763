// SPDX-License-Identifier: MIT
// The year's daylight at a place: each date a column, the local clock from
// 00:00 at the bottom to 24:00 at the top, filled by how high the Sun stands
// (night, astronomical, nautical and civil twilight, daylight), with sunrise,
// solar noon and sunset as lines, the clock's changes as the steps they make,
// the equinoxes and solstices, and on request the Moon's risings and settings
// and the Sun's passage through bands such as the golden hour.
#pragma once

#include <QDate>
#include <optional>
#include <vector>

#include "Observer.h"
#include "PlotScene.h"
#include "Report.h"

namespace helune::cli {

// A stretch of a date's column: from one clock hour to another (0 to 24; on
// the date the clocks go back, the repeated hour's stretches overlap), the
// Sun at one level: how many of the altitudes it stands above, of the
// twilights' and the rising's (0 night … 4 daylight), or of a band's two
// (1 inside).
struct ClockSpan {
    double from, to;
    int level;
};

// An event on a date's clock: the hour it reads, and the clock's offset from
// universal time then (seconds), whose change between dates is a step.
struct ClockMark {
    double hour;
    int offset;
};

struct DaylightDate {
    QDate date;
    std::vector<ClockSpan> light;               // the whole column, in time order
    std::vector<std::vector<ClockSpan>> bands;  // for each asked band, its stretches inside
    std::optional<ClockMark> sunrise, solarNoon, sunset;  // the first of the date
    std::vector<double> moonrises, moonsets;    // clock hours
    double daylightHours;                       // the Sun above its rising altitude
};

struct SeasonMark {
    Season season;
    QDate date;
    double hour;
};

struct DaylightYear {
    int year;
    std::vector<SunBand> bands;  // asked
    bool moon;                   // the Moon's risings and settings asked
    std::vector<DaylightDate> dates;
    std::vector<SeasonMark> seasons;
};

// What the chart is asked to show beyond the Sun's levels and lines.
struct DaylightQuestions {
    std::vector<SunBand> bands;
    bool moon = false;
};

// The year's dates at the observer.
DaylightYear ComputeDaylight(const Observer& observer, int year, const DaylightQuestions& questions = {});

// Where the chart's dates and hours fall in a picture of its size: date i's
// column and a clock hour's height.
struct DaylightAxes {
    QRectF plot;
    int dates;
    double ColumnLeft(int i) const { return plot.left() + plot.width() * i / dates; }
    double ColumnCentre(int i) const { return plot.left() + plot.width() * (i + 0.5) / dates; }
    double Y(double hour) const { return plot.bottom() - plot.height() * hour / 24.0; }
};
DaylightAxes DaylightAxesOf(QSizeF size, const DaylightYear& year);

// The chart as shapes, titled with the place and its clock.
Scene LayOutDaylight(const DaylightYear& year, const Observer& observer, QSizeF size);

}  // namespace helune::cli
