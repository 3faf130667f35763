// SPDX-License-Identifier: MIT
// What the plots share: the heading and the legend of a picture, and how
// their texts say hours and dates.
#pragma once

#include <QDate>
#include <string>
#include <vector>

#include "Observer.h"
#include "PlotScene.h"

namespace helune::cli {

// "06:05" of a clock hour from 0 to 24, to the nearest minute.
std::string HourText(double hour);
// "21 June" and "Jun 21", in English as the console's texts are.
std::string DayMonthText(QDate date);
std::string ShortDateText(QDate date);

// The place as a title names it: the city, or its coordinates.
std::string PlaceTitle(const Observer& observer);

// The index of the date an instant falls on, by the first instants of a run
// of dates and of the date after them; -1 outside them.
int DateIndex(const std::vector<JulianDay>& starts, JulianDay at);

// How wide a line of text is laid out to be: the sans fonts take under
// 0.56 of their size a character on average.
double TextWidth(const std::string& text, TextSize size, double scale);

// The title and the line under it, from the top margin; the height below which
// the picture may go on.
double AddHeading(Scene& scene, const std::string& title, const std::string& subtitle, double margin);

// A legend's entries, each a swatch of its ink and a label, in rows from
// topLeft within width; the height they take.
struct LegendEntry {
    Ink ink;
    std::string label;
};
double AddLegend(Scene& scene, const std::vector<LegendEntry>& entries, QPointF topLeft, double width);
// The height a legend takes in width, without laying it out.
double LegendHeight(const std::vector<LegendEntry>& entries, double width, double scale);

}  // namespace helune::cli
