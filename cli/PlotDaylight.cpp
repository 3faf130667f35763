// SPDX-License-Identifier: MIT
#include "PlotDaylight.h"

#include <QLocale>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

#include "Days.h"
#include "Plots.h"
#include "Writers.h"

namespace helune::cli {

namespace {

constexpr double kMillisecondsPerHour = 3600000.0;
constexpr int kDaylightLevel = 4;

// The Sun's altitudes that divide its levels, lowest first: the twilights'
// and the rising's, each lowered by the dip of the observer's horizon.
std::vector<double> LevelAltitudes(const Observer& observer) {
    std::vector<double> altitudes;
    for (const char* key : {"astronomical_dawn", "nautical_dawn", "civil_dawn", "sunrise"})
        altitudes.push_back(SearchedAltitude(ReportedEvent(key), observer));
    return altitudes;
}

// A crossing of one of several altitudes, lowest first.
struct Passage {
    JulianDay at;
    int index;
    bool rising;
    // The body's level after it: above the altitude once risen through it.
    int LevelAfter() const { return rising ? index + 1 : index; }
};

std::vector<Passage> Passages(SunOrMoon body, const std::vector<double>& altitudes, JulianDay from, JulianDay to,
                              const Observer& observer) {
    const auto lists = FindCrossings(body, altitudes, UniversalTime{from}, UniversalTime{to},
                                     observer.LongitudeWest(), observer.Latitude());
    std::vector<Passage> passages;
    for (std::size_t i = 0; i < lists.size(); ++i)
        for (const Crossing& c : lists[i]) passages.push_back({c.universal.jd, static_cast<int>(i), c.rising});
    std::sort(passages.begin(), passages.end(), [](const Passage& a, const Passage& b) { return a.at < b.at; });
    return passages;
}

int LevelAt(double altitude, const std::vector<double>& altitudes) {
    return static_cast<int>(std::count_if(altitudes.begin(), altitudes.end(), [&](double a) { return altitude > a; }));
}

// The first instants of the year's dates and of the next year's first.
std::vector<JulianDay> DateStarts(const Observer& observer, int year) {
    std::vector<JulianDay> starts;
    for (QDate date(year, 1, 1); date <= QDate(year + 1, 1, 1); date = date.addDays(1))
        starts.push_back(observer.DayStart(date));
    return starts;
}

// The hour an instant reads on a date's clock: 0 at the date's first instant,
// 24 at the next date's.
double ClockHour(const Observer& observer, QDate date, JulianDay at) {
    const QDateTime local = observer.LocalTime(at);
    if (local.date() < date) return 0.0;
    if (local.date() > date) return kHoursPerDay;
    return local.time().msecsSinceStartOfDay() / kMillisecondsPerHour;
}

ClockMark MarkOf(const Observer& observer, QDate date, JulianDay at) {
    const QDateTime local = observer.LocalTime(at);
    const double hour = local.date() == date ? local.time().msecsSinceStartOfDay() / kMillisecondsPerHour
                                             : ClockHour(observer, date, at);
    return {hour, local.offsetFromUtc()};
}

// An instant at which the clock goes back, and by how many seconds.
struct SetBack {
    JulianDay at;
    int seconds;
};

// The clock's set-backs in (from, to): where a date's stretches are cut.
std::vector<SetBack> ClockSetBacks(const Clock& clock, JulianDay from, JulianDay to) {
    std::vector<SetBack> found;
    if (clock.kind() != Clock::Kind::Zone) return found;
    const auto utc = [](JulianDay t) { return QDateTime::fromMSecsSinceEpoch(UnixMilliseconds(t), QTimeZone::utc()); };
    for (const QTimeZone::OffsetData& change : clock.zone()->transitions(utc(from), utc(to))) {
        const JulianDay at = UniversalFromUnixMilliseconds(change.atUtc.toMSecsSinceEpoch());
        const int back = clock.zone()->offsetFromUtc(change.atUtc.addMSecs(-1)) - change.offsetFromUtc;
        if (at > from && at < to && back > 0) found.push_back({at, back});
    }
    return found;
}

// Walks the dates from their first instants, cutting each into the stretches
// between the passages at the level each leaves; an asked band's stretches
// are those inside it, the light's all of them.
class Stretcher {
public:
    Stretcher(const Observer& observer, const std::vector<JulianDay>& starts, int year)
        : observer_(observer),
          starts_(starts),
          first_(year, 1, 1),
          setBacks_(ClockSetBacks(observer.clock(), starts.front(), starts.back())) {}

    // Every date's stretches under the altitudes; each also gives its hours
    // of the highest level.
    std::vector<std::vector<ClockSpan>> Walk(const std::vector<double>& altitudes, const std::vector<Passage>& passages,
                                             std::vector<double>* topHours = nullptr) const {
        const std::size_t dates = starts_.size() - 1;
        std::vector<std::vector<ClockSpan>> spans(dates);
        if (topHours) topHours->assign(dates, 0.0);
        const BodyPosition start = FindPosition(SunOrMoon::Sun, UniversalTime{starts_.front()},
                                                observer_.LongitudeWest(), observer_.Latitude());
        int level = LevelAt(start.altitude, altitudes);
        std::size_t next = 0;
        for (std::size_t i = 0; i < dates; ++i) {
            JulianDay from = starts_[i];
            const auto stretch = [&](JulianDay to) {
                Add(spans[i], i, from, to, level);
                if (topHours && level == static_cast<int>(altitudes.size())) (*topHours)[i] += (to - from) * kHoursPerDay;
                from = to;
            };
            for (; next < passages.size() && passages[next].at < starts_[i + 1]; ++next) {
                stretch(passages[next].at);
                level = passages[next].LevelAfter();
            }
            stretch(starts_[i + 1]);
        }
        return spans;
    }

private:
    // The stretch [from, to) of date i, cut where the clock goes back so that
    // each piece reads forwards; the date's first instant is 00:00 and its
    // end 24:00 even where midnight is skipped.
    void Add(std::vector<ClockSpan>& spans, std::size_t i, JulianDay from, JulianDay to, int level) const {
        if (to <= from) return;
        const QDate date = first_.addDays(static_cast<qint64>(i));
        const auto hour = [&](JulianDay t) {
            if (t == starts_[i]) return 0.0;
            if (t == starts_[i + 1]) return kHoursPerDay;
            return ClockHour(observer_, date, t);
        };
        double begin = hour(from);
        for (const SetBack& back : setBacks_) {
            if (back.at <= from || back.at >= to) continue;
            const double after = ClockHour(observer_, date, back.at);
            Push(spans, {begin, after + back.seconds / 3600.0, level});
            begin = after;
        }
        Push(spans, {begin, hour(to), level});
    }

    static void Push(std::vector<ClockSpan>& spans, ClockSpan span) {
        if (!spans.empty() && spans.back().level == span.level && spans.back().to == span.from)
            spans.back().to = span.to;
        else
            spans.push_back(span);
    }

    const Observer& observer_;
    const std::vector<JulianDay>& starts_;
    QDate first_;
    std::vector<SetBack> setBacks_;
};

}  // namespace

DaylightYear ComputeDaylight(const Observer& observer, int year, const DaylightQuestions& questions) {
    DaylightYear result{year, questions.bands, questions.moon, {}, {}};
    const std::vector<JulianDay> starts = DateStarts(observer, year);
    const JulianDay from = starts.front(), to = starts.back();
    const Stretcher stretcher(observer, starts, year);

    const std::vector<double> levels = LevelAltitudes(observer);
    const std::vector<Passage> sun = Passages(SunOrMoon::Sun, levels, from, to, observer);
    std::vector<double> daylight;
    const auto light = stretcher.Walk(levels, sun, &daylight);
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        result.dates.push_back({QDate(year, 1, 1).addDays(static_cast<qint64>(i)), light[i], {}, {}, {}, {}, {}, {},
                                daylight[i]});

    for (const SunBand& band : questions.bands) {
        const std::vector<double> edges = {band.low, band.high};
        const auto inside = stretcher.Walk(edges, Passages(SunOrMoon::Sun, edges, from, to, observer));
        for (std::size_t i = 0; i < result.dates.size(); ++i) {
            std::vector<ClockSpan>& kept = result.dates[i].bands.emplace_back();
            std::copy_if(inside[i].begin(), inside[i].end(), std::back_inserter(kept),
                         [](const ClockSpan& s) { return s.level == 1; });
        }
    }

    // The first rising and setting of each date through the rising altitude, and its first noon.
    for (const Passage& p : sun) {
        const int i = DateIndex(starts, p.at);
        if (p.index != kDaylightLevel - 1 || i < 0) continue;
        DaylightDate& date = result.dates[static_cast<std::size_t>(i)];
        std::optional<ClockMark>& mark = p.rising ? date.sunrise : date.sunset;
        if (!mark) mark = MarkOf(observer, date.date, p.at);
    }
    for (const Transit& t : FindTransits(SunOrMoon::Sun, UniversalTime{from}, UniversalTime{to},
                                         observer.LongitudeWest(), observer.Latitude())) {
        const int i = DateIndex(starts, t.universal.jd);
        if (!t.upper || i < 0) continue;
        DaylightDate& date = result.dates[static_cast<std::size_t>(i)];
        if (!date.solarNoon) date.solarNoon = MarkOf(observer, date.date, t.universal.jd);
    }

    if (questions.moon) {
        const std::vector<double> horizon = {SearchedAltitude(ReportedEvent("moonrise"), observer)};
        for (const Passage& p : Passages(SunOrMoon::Moon, horizon, from, to, observer)) {
            const int i = DateIndex(starts, p.at);
            if (i < 0) continue;
            DaylightDate& date = result.dates[static_cast<std::size_t>(i)];
            (p.rising ? date.moonrises : date.moonsets).push_back(ClockHour(observer, date.date, p.at));
        }
    }

    for (const SeasonStart& s : FindSeasons(UniversalTime{from}, UniversalTime{to})) {
        const int i = DateIndex(starts, s.universal.jd);
        if (i < 0) continue;
        const QDate date = result.dates[static_cast<std::size_t>(i)].date;
        result.seasons.push_back({s.season, date, ClockHour(observer, date, s.universal.jd)});
    }
    return result;
}

namespace {

constexpr double kMargin = 28.0;       // at scale 1
constexpr double kLabelGap = 8.0;
constexpr double kLineDots = 2.4;      // the Moon's marks' radius
constexpr double kLineJumpHours = 3.0; // a line that moves more in a day without a clock change wraps

Ink BandInk(const SunBand& band) {
    if (band.key == "golden_hour") return Ink::GoldenHour;
    if (band.key == "blue_hour") return Ink::BlueHour;
    return Ink::OtherBand;
}

std::vector<LegendEntry> DaylightLegend(const DaylightYear& year) {
    std::vector<LegendEntry> legend = {{Ink::Night, "Night"},
                                       {Ink::AstronomicalTwilight, "Astronomical twilight"},
                                       {Ink::NauticalTwilight, "Nautical twilight"},
                                       {Ink::CivilTwilight, "Civil twilight"},
                                       {Ink::Daylight, "Daylight"}};
    for (const SunBand& band : year.bands) legend.push_back({BandInk(band), band.title});
    legend.push_back({Ink::Sunrise, "Sunrise and sunset"});
    legend.push_back({Ink::SolarNoon, "Solar noon"});
    if (year.moon) legend.insert(legend.end(), {{Ink::Moonrise, "Moonrise"}, {Ink::Moonset, "Moonset"}});
    legend.push_back({Ink::Season, "Equinox or solstice"});
    return legend;
}

// The heading's height: the title, the line under it and the row of the
// seasons' dates above the chart.
double HeadingBottom(double scale) {
    return kMargin * scale + TextPixels(TextSize::Title, scale) * 1.3 + TextPixels(TextSize::Heading, scale) * 1.5 +
           TextPixels(TextSize::Small, scale) * 1.6;
}

std::string SeasonText(Season season) {
    return season == Season::MarchEquinox || season == Season::SeptemberEquinox ? "equinox" : "solstice";
}

// The pieces of a daily line through the columns' centres: a change of the
// clock is a step at the dates' border, a date without the event a break.
std::vector<Polyline> LinePieces(const DaylightYear& year, const DaylightAxes& axes,
                                 std::optional<ClockMark> DaylightDate::*event, Ink ink) {
    std::vector<Polyline> pieces;
    Polyline piece{ink, {}};
    const auto flush = [&] {
        if (piece.points.size() > 1) pieces.push_back(piece);
        piece.points.clear();
    };
    std::optional<ClockMark> before;
    for (std::size_t i = 0; i < year.dates.size(); ++i) {
        const std::optional<ClockMark>& mark = year.dates[i].*event;
        const int column = static_cast<int>(i);
        if (mark && before && before->offset != mark->offset) {
            const double border = axes.ColumnLeft(column);
            piece.points.push_back({border, axes.Y(before->hour)});
            piece.points.push_back({border, axes.Y(mark->hour)});
        } else if (!mark || (before && std::fabs(mark->hour - before->hour) > kLineJumpHours)) {
            flush();
        }
        if (mark) piece.points.push_back({axes.ColumnCentre(column), axes.Y(mark->hour)});
        before = mark;
    }
    flush();
    return pieces;
}

// Sentences for the picture's text alternative: the longest and the shortest
// day, the Sun that neither rises nor sets, the clock's changes, the seasons.
std::string DaylightSummary(const DaylightYear& year, const Observer& observer) {
    const auto longer = [](const DaylightDate& a, const DaylightDate& b) { return a.daylightHours < b.daylightHours; };
    const DaylightDate& longest = *std::max_element(year.dates.begin(), year.dates.end(), longer);
    const DaylightDate& shortest = *std::min_element(year.dates.begin(), year.dates.end(), longer);
    const auto length = [](double hours) {
        const long minutes = std::lround(hours * 60.0);
        return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
    };
    const auto day = [&](const DaylightDate& d) {
        std::string text = DayMonthText(d.date) + " (" + length(d.daylightHours);
        if (d.sunrise && d.sunset) text += ", sunrise " + HourText(d.sunrise->hour) + ", sunset " + HourText(d.sunset->hour);
        return text + ")";
    };
    std::string text = "Daylight and twilight through " + std::to_string(year.year) + " at " +
                       PlaceText(observer.place()) + ", on the clock of " + ClockText(observer.clock()) + ". ";
    text += "The longest day is " + day(longest) + ", the shortest " + day(shortest) + ".";
    std::vector<std::string> changes;
    for (std::size_t i = 1; i < year.dates.size(); ++i) {
        const auto& a = year.dates[i - 1].solarNoon;
        const auto& b = year.dates[i].solarNoon;
        if (a && b && a->offset != b->offset) changes.push_back(DayMonthText(year.dates[i].date));
    }
    for (std::size_t i = 0; i < changes.size(); ++i)
        text += (i == 0 ? " The clocks change on " : i + 1 == changes.size() ? " and " : ", ") + changes[i] +
                (i + 1 == changes.size() ? "." : "");
    for (const SeasonMark& season : year.seasons)
        text += " The " + SeasonWord(season.season).prose + " falls on " + DayMonthText(season.date) + " at " +
                HourText(season.hour) + ".";
    return text;
}

}  // namespace

DaylightAxes DaylightAxesOf(QSizeF size, const DaylightYear& year) {
    const double s = SceneScale(size), margin = kMargin * s;
    const double legend = LegendHeight(DaylightLegend(year), size.width() - 2 * margin, s);
    const double left = margin + TextWidth("00:00", TextSize::Small, s) + kLabelGap * s;
    const double bottom = size.height() - margin - legend - TextPixels(TextSize::Label, s) * 1.8;
    const double top = HeadingBottom(s);
    return {QRectF(left, top, size.width() - margin - left, bottom - top), static_cast<int>(year.dates.size())};
}

Scene LayOutDaylight(const DaylightYear& year, const Observer& observer, QSizeF size) {
    Scene scene{size, SceneScale(size), "Daylight at " + PlaceTitle(observer) + ", " + std::to_string(year.year),
                DaylightSummary(year, observer), {}};
    const double s = scene.scale, margin = kMargin * s;
    AddHeading(scene, scene.title, PlaceText(observer.place()) + "  ·  " + ClockText(observer.clock()), margin);
    const DaylightAxes axes = DaylightAxesOf(size, year);
    const QRectF& plot = axes.plot;
    const auto columnRect = [&](std::size_t i, const ClockSpan& span) {
        const double left = axes.ColumnLeft(static_cast<int>(i)), right = axes.ColumnLeft(static_cast<int>(i) + 1);
        return QRectF(QPointF(left, axes.Y(span.to)), QPointF(right, axes.Y(span.from)));
    };

    for (int level = 0; level <= kDaylightLevel; ++level) {
        Fill fill{kLightInks[level], {}};
        for (std::size_t i = 0; i < year.dates.size(); ++i)
            for (const ClockSpan& span : year.dates[i].light)
                if (span.level == level) fill.rects.push_back(columnRect(i, span));
        scene.shapes.push_back(std::move(fill));
    }
    for (std::size_t b = 0; b < year.bands.size(); ++b) {
        Fill fill{BandInk(year.bands[b]), {}};
        for (std::size_t i = 0; i < year.dates.size(); ++i)
            for (const ClockSpan& span : year.dates[i].bands[b]) fill.rects.push_back(columnRect(i, span));
        scene.shapes.push_back(std::move(fill));
    }

    // The grid: every other hour, and the months' first dates.
    Segments grid{Ink::Grid, {}};
    for (int hour = 2; hour < 24; hour += 2) grid.lines.push_back({plot.left(), axes.Y(hour), plot.right(), axes.Y(hour)});
    for (int month = 2; month <= 12; ++month) {
        const double x = axes.ColumnLeft(QDate(year.year, 1, 1).daysTo(QDate(year.year, month, 1)));
        grid.lines.push_back({x, plot.top(), x, plot.bottom()});
    }
    scene.shapes.push_back(std::move(grid));

    Segments seasons{Ink::Season, {}};
    for (const SeasonMark& season : year.seasons) {
        const double x = axes.ColumnCentre(static_cast<int>(QDate(year.year, 1, 1).daysTo(season.date)));
        seasons.lines.push_back({x, plot.top(), x, plot.bottom()});
        // Centred over its date, or kept within the chart's width at its ends.
        const std::string label = ShortDateText(season.date) + " " + SeasonText(season.season);
        const double half = TextWidth(label, TextSize::Small, s) / 2;
        const double centre = std::clamp(x, plot.left() + half, plot.right() - half);
        scene.shapes.push_back(Text{label, {centre, plot.top() - TextPixels(TextSize::Small, s) * 0.4},
                                    Anchor::BaseCentre, Ink::Muted, TextSize::Small});
    }
    scene.shapes.push_back(std::move(seasons));

    for (const auto& [event, ink] : {std::pair{&DaylightDate::sunrise, Ink::Sunrise},
                                     std::pair{&DaylightDate::sunset, Ink::Sunset},
                                     std::pair{&DaylightDate::solarNoon, Ink::SolarNoon}})
        for (Polyline& piece : LinePieces(year, axes, event, ink)) scene.shapes.push_back(std::move(piece));
    if (year.moon) {
        Dots rises{Ink::Moonrise, {}, kLineDots * s}, sets{Ink::Moonset, {}, kLineDots * s};
        for (std::size_t i = 0; i < year.dates.size(); ++i) {
            const double x = axes.ColumnCentre(static_cast<int>(i));
            for (const double hour : year.dates[i].moonrises) rises.centres.push_back({x, axes.Y(hour)});
            for (const double hour : year.dates[i].moonsets) sets.centres.push_back({x, axes.Y(hour)});
        }
        scene.shapes.push_back(std::move(rises));
        scene.shapes.push_back(std::move(sets));
    }

    scene.shapes.push_back(Segments{Ink::Frame,
                                    {{plot.topLeft(), plot.topRight()},
                                     {plot.topRight(), plot.bottomRight()},
                                     {plot.bottomRight(), plot.bottomLeft()},
                                     {plot.bottomLeft(), plot.topLeft()}}});
    for (int hour = 0; hour <= 24; hour += 2)
        scene.shapes.push_back(Text{HourText(hour), {plot.left() - kLabelGap * s, axes.Y(hour)}, Anchor::MiddleRight,
                                    Ink::Muted, TextSize::Small});
    for (int month = 1; month <= 12; ++month) {
        const QDate first(year.year, month, 1);
        const int from = static_cast<int>(QDate(year.year, 1, 1).daysTo(first));
        const double middle = (axes.ColumnLeft(from) + axes.ColumnLeft(from + first.daysInMonth())) / 2.0;
        scene.shapes.push_back(Text{QLocale::c().monthName(month, QLocale::ShortFormat).toStdString(),
                                    {middle, plot.bottom() + kLabelGap * s}, Anchor::TopCentre, Ink::Muted,
                                    TextSize::Label});
    }
    AddLegend(scene, DaylightLegend(year), {margin, plot.bottom() + TextPixels(TextSize::Label, s) * 1.8},
              size.width() - 2 * margin);
    return scene;
}

}  // namespace helune::cli
