// SPDX-License-Identifier: MIT
// The Moon's month at a place: a calendar, a row a week, each date with the
// Moon as it looks then (the lit part as large as the illuminated fraction,
// turned as the place sees it with the zenith at the top), the principal
// phases at their clock times, and the first moonrise and moonset of each date.
#pragma once

#include <QDate>
#include <QTime>
#include <optional>
#include <vector>

#include "Observer.h"
#include "PlotScene.h"

namespace helune::cli {

struct MoonPhaseMark {
    int16_t code;  // PhaseCodes.h
    double hour;   // on the date's clock
};

struct MoonDate {
    QDate date;
    JulianDay at;        // the instant it is drawn at
    double illuminated;  // the fraction of the disc lit, 0 to 1
    // Where the lit side's middle points, degrees counterclockwise from the
    // top (the zenith): the bright limb's position angle less the parallactic.
    double litAngle;
    std::optional<MoonPhaseMark> phase;
    std::optional<double> moonrise, moonset;  // clock hours, the first of the date
};

struct MoonMonth {
    int year, month;
    std::optional<QTime> at;  // each date's clock time, or its first instant
    Qt::DayOfWeek firstDay;   // of the calendar's weeks
    std::vector<MoonDate> dates;
};

MoonMonth ComputeMoonMonth(const Observer& observer, int year, int month, std::optional<QTime> at,
                           Qt::DayOfWeek firstDay = Qt::Monday);

// The outline of a disc's lit part: the bright limb's half circle, then back
// along the terminator, half an ellipse whose width makes the lit area the
// fraction illuminated of the disc. litAngle as MoonDate's; steps points a half.
std::vector<QPointF> LitOutline(QPointF centre, double radius, double illuminated, double litAngle, int steps = 48);

// Where a date stands in the calendar: its cell and its Moon's disc.
struct MoonCell {
    QDate date;
    QRectF cell;
    QPointF centre;
    double radius;
};
std::vector<MoonCell> MoonCellsOf(QSizeF size, const MoonMonth& month);

// The calendar as shapes, titled with the place and its clock.
Scene LayOutMoonMonth(const MoonMonth& month, const Observer& observer, QSizeF size);

}  // namespace helune::cli
