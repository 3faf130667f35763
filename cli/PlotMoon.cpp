// SPDX-License-Identifier: MIT
#include "PlotMoon.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "Plots.h"
#include "Report.h"
#include "Values.h"
#include "Writers.h"

namespace helune::cli {

namespace {

constexpr double kMillisecondsPerHour = 3600000.0;
constexpr double kDegrees = M_PI / 180.0;

double ClockHour(const Observer& observer, JulianDay at) {
    return observer.LocalTime(at).time().msecsSinceStartOfDay() / kMillisecondsPerHour;
}

}  // namespace

MoonMonth ComputeMoonMonth(const Observer& observer, int year, int month, std::optional<QTime> at,
                           Qt::DayOfWeek firstDay) {
    MoonMonth result{year, month, at, firstDay, {}};
    const QDate first(year, month, 1);
    std::vector<JulianDay> starts;
    for (QDate date = first; date <= first.addMonths(1); date = date.addDays(1)) starts.push_back(observer.DayStart(date));
    for (int i = 0; i < first.daysInMonth(); ++i) {
        const QDate date = first.addDays(i);
        const JulianDay when = at ? observer.UniversalOf(date, *at) : starts[static_cast<std::size_t>(i)];
        const BodyPosition moon =
            FindPosition(SunOrMoon::Moon, UniversalTime{when}, observer.LongitudeWest(), observer.Latitude());
        result.dates.push_back({date, when, moon.illuminatedFraction,
                                std::remainder(moon.brightLimb - moon.parallactic, 360.0), {}, {}, {}});
    }
    const UniversalTime from{starts.front()}, to{starts.back()};
    for (const PrincipalPhase& phase : FindPhases(from, to))
        if (const int i = DateIndex(starts, phase.universal.jd); i >= 0)
            result.dates[static_cast<std::size_t>(i)].phase = MoonPhaseMark{phase.code, ClockHour(observer, phase.universal.jd)};
    for (const Crossing& c : FindCrossings(SunOrMoon::Moon, SearchedAltitude(ReportedEvent("moonrise"), observer), from, to,
                                           observer.LongitudeWest(), observer.Latitude())) {
        const int i = DateIndex(starts, c.universal.jd);
        if (i < 0) continue;
        std::optional<double>& event = c.rising ? result.dates[static_cast<std::size_t>(i)].moonrise
                                                : result.dates[static_cast<std::size_t>(i)].moonset;
        if (!event) event = ClockHour(observer, c.universal.jd);
    }
    return result;
}

std::vector<QPointF> LitOutline(QPointF centre, double radius, double illuminated, double litAngle, int steps) {
    const QPointF towards(-std::sin(litAngle * kDegrees), -std::cos(litAngle * kDegrees));
    const QPointF across(-towards.y(), towards.x());
    const double terminator = 1.0 - 2.0 * std::clamp(illuminated, 0.0, 1.0);
    std::vector<QPointF> outline;
    for (int i = 0; i <= steps; ++i) {  // the limb, from one horn to the other
        const double t = (-90.0 + 180.0 * i / steps) * kDegrees;
        outline.push_back(centre + radius * (std::cos(t) * towards + std::sin(t) * across));
    }
    for (int i = steps - 1; i > 0; --i) {  // and back along the terminator
        const double t = (-90.0 + 180.0 * i / steps) * kDegrees;
        outline.push_back(centre + radius * (terminator * std::cos(t) * towards + std::sin(t) * across));
    }
    return outline;
}

namespace {

constexpr double kMargin = 28.0;  // at scale 1
constexpr int kDaysPerWeek = 7;

// The column of a date in a week that begins on firstDay.
int WeekColumn(QDate date, Qt::DayOfWeek firstDay) { return (date.dayOfWeek() - firstDay + kDaysPerWeek) % kDaysPerWeek; }

int WeekRows(const MoonMonth& month) {
    const QDate first(month.year, month.month, 1);
    return (WeekColumn(first, month.firstDay) + first.daysInMonth() + kDaysPerWeek - 1) / kDaysPerWeek;
}

double GridTop(double scale) {
    return kMargin * scale + TextPixels(TextSize::Title, scale) * 1.3 + TextPixels(TextSize::Heading, scale) * 1.5 +
           TextPixels(TextSize::Label, scale) * 1.6;
}

double FootHeight(double scale) { return TextPixels(TextSize::Small, scale) * 2.2; }

std::string Capitalised(std::string text) {
    if (!text.empty()) text[0] = AsciiUpper(text[0]);
    return text;
}

std::string MonthTitle(const MoonMonth& month) {
    return QLocale::c().toString(QDate(month.year, month.month, 1), QStringLiteral("MMMM yyyy")).toStdString();
}

std::string MomentText(const MoonMonth& month) {
    return month.at ? "each date at " + HourText(month.at->msecsSinceStartOfDay() / kMillisecondsPerHour)
                    : "each date at its first instant";
}

std::string MoonSummary(const MoonMonth& month, const Observer& observer) {
    std::string text = "The Moon through " + MonthTitle(month) + " at " + PlaceText(observer.place()) +
                       " on the clock of " + ClockText(observer.clock()) + ", " + MomentText(month) + ".";
    for (const MoonDate& date : month.dates)
        if (date.phase) {
            text += ' ';
            text += Capitalised(PhaseWord(date.phase->code).prose) + " on " + DayMonthText(date.date) + " at " +
                    HourText(date.phase->hour) + ".";
        }
    const auto lit = [](const MoonDate& a, const MoonDate& b) { return a.illuminated < b.illuminated; };
    const MoonDate& least = *std::min_element(month.dates.begin(), month.dates.end(), lit);
    const MoonDate& most = *std::max_element(month.dates.begin(), month.dates.end(), lit);
    text += " Least lit on " + DayMonthText(least.date) + " (" + std::to_string(std::lround(least.illuminated * 100)) +
            "%), most on " + DayMonthText(most.date) + " (" + std::to_string(std::lround(most.illuminated * 100)) + "%).";
    return text;
}

}  // namespace

std::vector<MoonCell> MoonCellsOf(QSizeF size, const MoonMonth& month) {
    const double s = SceneScale(size), margin = kMargin * s, top = GridTop(s);
    const double width = (size.width() - 2 * margin) / kDaysPerWeek;
    const double height = (size.height() - margin - FootHeight(s) - top) / WeekRows(month);
    const QDate first(month.year, month.month, 1);
    std::vector<MoonCell> cells;
    for (int i = 0; i < first.daysInMonth(); ++i) {
        const int slot = WeekColumn(first, month.firstDay) + i;
        const QRectF cell(margin + width * (slot % kDaysPerWeek), top + height * (slot / kDaysPerWeek), width, height);
        const double radius = std::min(width, height) * 0.24;
        cells.push_back({first.addDays(i), cell, {cell.center().x(), cell.top() + height * 0.46}, radius});
    }
    return cells;
}

Scene LayOutMoonMonth(const MoonMonth& month, const Observer& observer, QSizeF size) {
    Scene scene{size, SceneScale(size), "The Moon at " + PlaceTitle(observer) + ", " + MonthTitle(month),
                MoonSummary(month, observer), {}};
    const double s = scene.scale, margin = kMargin * s;
    AddHeading(scene, scene.title, PlaceText(observer.place()) + "  ·  " + ClockText(observer.clock()), margin);

    const std::vector<MoonCell> cells = MoonCellsOf(size, month);
    const double width = cells.front().cell.width();
    for (int column = 0; column < kDaysPerWeek; ++column) {
        const int day = (month.firstDay - 1 + column) % kDaysPerWeek + 1;
        scene.shapes.push_back(Text{QLocale::c().dayName(day, QLocale::ShortFormat).toStdString(),
                                    {margin + width * (column + 0.5), GridTop(s) - TextPixels(TextSize::Label, s) * 0.4},
                                    Anchor::BaseCentre, Ink::Muted, TextSize::Label, true});
    }
    Segments borders{Ink::Cell, {}};
    for (const MoonCell& c : cells)
        borders.lines.insert(borders.lines.end(), {{c.cell.topLeft(), c.cell.topRight()},
                                                   {c.cell.topRight(), c.cell.bottomRight()},
                                                   {c.cell.bottomRight(), c.cell.bottomLeft()},
                                                   {c.cell.bottomLeft(), c.cell.topLeft()}});
    scene.shapes.push_back(std::move(borders));

    const double pad = TextPixels(TextSize::Small, s) * 0.5;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const MoonCell& c = cells[i];
        const MoonDate& date = month.dates[i];
        scene.shapes.push_back(Text{std::to_string(date.date.day()), c.cell.topLeft() + QPointF(pad, pad),
                                    Anchor::TopLeft, Ink::Text, TextSize::Label, true});
        scene.shapes.push_back(Disc{Ink::MoonDark, c.centre, c.radius});
        scene.shapes.push_back(Outline{Ink::MoonLit, LitOutline(c.centre, c.radius, date.illuminated, date.litAngle)});
        scene.shapes.push_back(Text{std::to_string(std::lround(date.illuminated * 100)) + "%",
                                    c.cell.topRight() + QPointF(-pad, pad), Anchor::TopRight, Ink::Muted,
                                    TextSize::Small});
        if (date.phase)
            scene.shapes.push_back(Text{Capitalised(PhaseWord(date.phase->code).prose) + " " + HourText(date.phase->hour),
                                        {c.centre.x(), c.centre.y() + c.radius + pad}, Anchor::TopCentre, Ink::Phase,
                                        TextSize::Small, true});
        const auto hour = [](const std::optional<double>& h) { return h ? HourText(*h) : std::string("–"); };
        std::string riseAndSet = "↑ ";
        riseAndSet += hour(date.moonrise);
        riseAndSet += "   ↓ ";
        riseAndSet += hour(date.moonset);
        scene.shapes.push_back(Text{riseAndSet,
                                    c.cell.bottomLeft() + QPointF(c.cell.width() / 2, -pad), Anchor::BaseCentre,
                                    Ink::Muted, TextSize::Small});
    }
    scene.shapes.push_back(Text{"↑ moonrise, ↓ moonset, the first of each date; the Moon drawn " + MomentText(month) +
                                    ", its lit side turned as it stands then, the zenith at the top",
                                {margin, size.height() - margin}, Anchor::BaseLeft, Ink::Muted, TextSize::Small});
    return scene;
}

}  // namespace helune::cli
