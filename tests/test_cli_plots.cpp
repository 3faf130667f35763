// SPDX-License-Identifier: MIT
// The plots without pixels: the daylight chart's bands and lines where the
// day's report puts its events, polar columns where it says the Sun neither
// rises nor sets; the Moon's lit part against an independent computation;
// then each format as the command writes it: valid, titled, not blank, and
// the same bytes every time.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <cmath>

#include "PlotDaylight.h"
#include "PlotMoon.h"
#include "Report.h"

namespace helune::cli {
namespace {

// --- The daylight chart ------------------------------------------------------

struct ChartPlace {
    const char* zone;
    double latitude, longitudeEast;
    std::vector<QDate> dates;
};

// Oslo, whose clocks change on 28 March and 31 October 2027; Tromsø, above the
// Arctic circle (polar night in December, midnight Sun in June, white nights
// without astronomical night between); Sydney, whose clocks change on 4 April
// and 3 October 2027.
const ChartPlace kChartPlaces[] = {
    {"Europe/Oslo", 59.9139, 10.7522,
     {QDate(2027, 1, 15), QDate(2027, 2, 20), QDate(2027, 3, 27), QDate(2027, 3, 28), QDate(2027, 5, 1),
      QDate(2027, 6, 21), QDate(2027, 8, 10), QDate(2027, 10, 30), QDate(2027, 10, 31), QDate(2027, 12, 21)}},
    {"Europe/Oslo", 69.6492, 18.9553,
     {QDate(2027, 1, 5), QDate(2027, 1, 25), QDate(2027, 3, 28), QDate(2027, 4, 20), QDate(2027, 5, 10),
      QDate(2027, 6, 21), QDate(2027, 8, 1), QDate(2027, 9, 15), QDate(2027, 10, 31), QDate(2027, 12, 21)}},
    {"Australia/Sydney", -33.8688, 151.2093,
     {QDate(2027, 1, 1), QDate(2027, 2, 14), QDate(2027, 4, 3), QDate(2027, 4, 4), QDate(2027, 6, 21),
      QDate(2027, 8, 30), QDate(2027, 10, 2), QDate(2027, 10, 3), QDate(2027, 11, 11), QDate(2027, 12, 22)}},
};

const QSizeF kPicture(1600, 1000);

// The rectangles of an ink in date i's column.
std::vector<QRectF> ColumnRects(const Scene& scene, Ink ink, const DaylightAxes& axes, int i) {
    std::vector<QRectF> found;
    for (const Fill* fill : ShapesOf<Fill>(scene, ink))
        for (const QRectF& r : fill->rects)
            if (std::fabs(r.left() - axes.ColumnLeft(i)) < 1e-9) found.push_back(r);
    return found;
}

// An event's clock hour on its zone's clock, by Qt alone.
double ClockHourOf(JulianDay universal, const QTimeZone& zone) {
    const auto ms = static_cast<qint64>(std::llround((universal - 2440587.5) * 86400000.0));
    return QDateTime::fromMSecsSinceEpoch(ms, zone).time().msecsSinceStartOfDay() / 3600000.0;
}

// Each of the day's twilights, rising and setting bounds a level's band: the
// dawn its bottom, the dusk its top. Tolerance: a pixel of the chart's height,
// and the 10 s by which the day's tabulated events may stand from the chart's.
TEST(PlotDaylight, BandsAndLinesWhereTheDaysEventsAre) {
    const std::pair<const char*, Ink> kEdges[] = {{"sunrise", Ink::Daylight},
                                                  {"civil_dawn", Ink::CivilTwilight},
                                                  {"nautical_dawn", Ink::NauticalTwilight},
                                                  {"astronomical_dawn", Ink::AstronomicalTwilight}};
    for (const ChartPlace& place : kChartPlaces) {
        const QTimeZone zone(place.zone);
        const Observer observer = Observer::InZone(-place.longitudeEast, place.latitude, zone);
        const DaylightYear year = ComputeDaylight(observer, 2027);
        const Scene scene = LayOutDaylight(year, observer, kPicture);
        const DaylightAxes axes = DaylightAxesOf(kPicture, year);
        const double tolerance = axes.plot.height() / 24.0 / 3600.0 * 10.0 + 1.0;
        for (const QDate date : place.dates) {
            SCOPED_TRACE(std::string(place.zone) + " " + std::to_string(place.latitude) + " " +
                         date.toString(Qt::ISODate).toStdString());
            const int i = static_cast<int>(QDate(2027, 1, 1).daysTo(date));
            const DayReport day = ComputeDay(observer, date);
            const auto event = [&](const std::string& key) {
                for (std::size_t k = 0; k < day.kinds.size(); ++k)
                    if (day.kinds[k].key == key) return day.events[k];
                return Event{};
            };
            for (const auto& [dawn, ink] : kEdges) {
                std::string dusk = dawn == std::string("sunrise") ? "sunset" : dawn;
                if (dusk != "sunset") dusk.replace(dusk.find("dawn"), 4, "dusk");
                const std::vector<QRectF> rects = ColumnRects(scene, ink, axes, i);
                const auto edgeAt = [&](double y, bool bottom) {
                    return std::any_of(rects.begin(), rects.end(), [&](const QRectF& r) {
                        return std::fabs((bottom ? r.bottom() : r.top()) - y) <= tolerance;
                    });
                };
                if (const Event rise = event(dawn); rise.universal) {
                    EXPECT_TRUE(edgeAt(axes.Y(ClockHourOf(*rise.universal, zone)), true)) << dawn;
                }
                if (const Event set = event(dusk); set.universal) {
                    EXPECT_TRUE(edgeAt(axes.Y(ClockHourOf(*set.universal, zone)), false)) << dusk;
                }
            }
            // Polar day: one column of daylight; polar night: none.
            const Event sunrise = event("sunrise");
            const std::vector<QRectF> daylight = ColumnRects(scene, Ink::Daylight, axes, i);
            if (sunrise.reason.code == "polar_day") {
                ASSERT_EQ(daylight.size(), 1u);
                EXPECT_NEAR(daylight[0].top(), axes.plot.top(), 1e-9);
                EXPECT_NEAR(daylight[0].bottom(), axes.plot.bottom(), 1e-9);
            }
            if (sunrise.reason.code == "polar_night") {
                EXPECT_TRUE(daylight.empty());
            }
            // Sunrise's line passes through the column's centre at its hour.
            if (sunrise.universal) {
                const QPointF expected(axes.ColumnCentre(i), axes.Y(ClockHourOf(*sunrise.universal, zone)));
                bool found = false;
                for (const Polyline* line : ShapesOf<Polyline>(scene, Ink::Sunrise))
                    for (const QPointF& p : line->points)
                        found |= std::fabs(p.x() - expected.x()) < 1e-9 && std::fabs(p.y() - expected.y()) <= tolerance;
                EXPECT_TRUE(found);
            }
        }
    }
}

// The year at Tromsø holds both: 2027-06-21 is polar day, 2027-12-21 polar
// night, as the day's report says (so the test above saw them).
TEST(PlotDaylight, TromsoHasPolarDayAndNight) {
    const Observer tromso = Observer::InZone(-18.9553, 69.6492, QTimeZone("Europe/Oslo"));
    const auto reason = [&](QDate date) {
        const DayReport day = ComputeDay(tromso, date);
        return day.events.front().reason.code;
    };
    EXPECT_EQ(reason(QDate(2027, 6, 21)), "polar_day");
    EXPECT_EQ(reason(QDate(2027, 12, 21)), "polar_night");
}

// The clocks' change is a step of an hour at the border of the change's date
// (Oslo, 28 March 2027: sunrise 06:5x after 05:5x); the seasons fall on their
// dates: Meeus's mean instants (Astronomical Algorithms, table 27.C) are 20
// March 20:29, 21 June 14:11, 23 September 06:01 and 22 December 02:42 UT,
// each more than two hours from a midnight of Oslo's clock.
TEST(PlotDaylight, ClockChangesAsStepsAndTheSeasonsOnTheirDates) {
    const QTimeZone oslo("Europe/Oslo");
    const Observer observer = Observer::InZone(-10.7522, 59.9139, oslo);
    const DaylightYear year = ComputeDaylight(observer, 2027);
    const Scene scene = LayOutDaylight(year, observer, kPicture);
    const DaylightAxes axes = DaylightAxesOf(kPicture, year);
    const int change = static_cast<int>(QDate(2027, 1, 1).daysTo(QDate(2027, 3, 28)));
    const double hour = axes.plot.height() / 24.0;
    bool step = false;
    for (const Polyline* line : ShapesOf<Polyline>(scene, Ink::Sunrise))
        for (std::size_t k = 1; k < line->points.size(); ++k) {
            const QPointF a = line->points[k - 1], b = line->points[k];
            if (a.x() == axes.ColumnLeft(change) && b.x() == a.x())
                step |= std::fabs((a.y() - b.y()) - hour) < 0.1 * hour;
        }
    EXPECT_TRUE(step) << "sunrise an hour later on the clock";
    ASSERT_EQ(year.seasons.size(), 4u);
    const QDate expected[] = {QDate(2027, 3, 20), QDate(2027, 6, 21), QDate(2027, 9, 23), QDate(2027, 12, 22)};
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(year.seasons[k].date, expected[k]);
}

// --- The Moon's month ----------------------------------------------------------

constexpr double kRadians = M_PI / 180.0;

double Wrapped(double degrees) { return std::remainder(degrees, 360.0); }

// The Moon's lit fraction and the middle of its lit side (degrees
// counterclockwise from the zenith's direction) from the low-precision Sun and
// Moon of the Astronomical Almanac (sections C and D: about 0.01° and 0.3°),
// the ecliptic to the equator by the mean obliquity, the mean sidereal time,
// and Meeus's formulas 48.1-48.5 and 14.1 written out anew.
struct SimpleMoon {
    double illuminated, litAngle;
};
SimpleMoon SimpleMoonAt(JulianDay jd, double latitude, double longitudeEast) {
    const double n = jd - 2451545.0, t = n / 36525.0;
    const double g = (357.528 + 0.9856003 * n) * kRadians;
    const double sunLongitude = (280.460 + 0.9856474 * n) * kRadians + (1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kRadians;
    const auto term = [&](double a, double b) { return std::sin((a + b * t) * kRadians); };
    const double moonLongitude = (218.32 + 481267.881 * t + 6.29 * term(135.0, 477198.87) - 1.27 * term(259.3, -413335.36) +
                                  0.66 * term(235.7, 890534.22) + 0.21 * term(269.9, 954397.74) -
                                  0.19 * term(357.5, 35999.05) - 0.11 * term(186.5, 966404.03)) * kRadians;
    const double moonLatitude = (5.13 * term(93.3, 483202.02) + 0.28 * term(228.2, 960400.89) -
                                 0.28 * term(318.3, 6003.15) - 0.17 * term(217.6, -407332.21)) * kRadians;
    const auto cosTerm = [&](double a, double b) { return std::cos((a + b * t) * kRadians); };
    const double parallax = (0.9508 + 0.0518 * cosTerm(135.0, 477198.87) + 0.0095 * cosTerm(259.3, -413335.36) +
                             0.0078 * cosTerm(235.7, 890534.22) + 0.0028 * cosTerm(269.9, 954397.74)) * kRadians;
    const double moonKm = 6378.14 / std::sin(parallax), sunKm = 149597870.7 * (1.00014 - 0.01671 * std::cos(g));
    const double elongation = std::acos(std::cos(moonLatitude) * std::cos(moonLongitude - sunLongitude));
    const double phaseAngle = std::atan2(sunKm * std::sin(elongation), moonKm - sunKm * std::cos(elongation));

    const double obliquity = (23.439 - 0.0000004 * n) * kRadians;
    const auto equatorial = [&](double lon, double lat) {
        const double ra = std::atan2(std::sin(lon) * std::cos(obliquity) - std::tan(lat) * std::sin(obliquity), std::cos(lon));
        const double dec = std::asin(std::sin(lat) * std::cos(obliquity) + std::cos(lat) * std::sin(obliquity) * std::sin(lon));
        return std::pair{ra, dec};
    };
    const auto [a0, d0] = equatorial(sunLongitude, 0.0);
    const auto [a, d] = equatorial(moonLongitude, moonLatitude);
    const double chi = std::atan2(std::cos(d0) * std::sin(a0 - a),
                                  std::sin(d0) * std::cos(d) - std::cos(d0) * std::sin(d) * std::cos(a0 - a));
    const double sidereal = (280.46061837 + 360.98564736629 * n + longitudeEast) * kRadians;
    const double h = sidereal - a, phi = latitude * kRadians;
    const double q = std::atan2(std::sin(h), std::tan(phi) * std::cos(d) - std::sin(d) * std::cos(h));
    return {(1.0 + std::cos(phaseAngle)) / 2.0, Wrapped((chi - q) / kRadians)};
}

// The area of a polygon (the shoelace).
double Area(const std::vector<QPointF>& points) {
    double twice = 0.0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const QPointF& p = points[k];
        const QPointF& q = points[(k + 1) % points.size()];
        twice += p.x() * q.y() - q.x() * p.y();
    }
    return std::fabs(twice) / 2.0;
}

// Eight dates of March 2027 away from the new moon (8 March) and the full
// moon (22 March), where the lit side's direction rests on a small angle
// between the bodies, at Oslo and at Sydney: the lit fraction within 0.01 and
// its side within 2°, as the low-precision positions allow; the lit outline drawn in each cell covers
// that fraction of the disc, its middle towards that side.
TEST(PlotMoon, TheLitPartAgainstAnIndependentComputation) {
    constexpr double kFractionTolerance = 0.01, kAngleTolerance = 2.0;
    const std::tuple<const char*, double, double> kPlaces[] = {{"Europe/Oslo", 59.9139, 10.7522},
                                                               {"Australia/Sydney", -33.8688, 151.2093}};
    const int kDays[] = {1, 4, 12, 15, 18, 20, 26, 30};
    for (const auto& [zone, latitude, longitudeEast] : kPlaces) {
        const Observer observer = Observer::InZone(-longitudeEast, latitude, QTimeZone(zone));
        const MoonMonth month = ComputeMoonMonth(observer, 2027, 3, QTime(21, 0));
        const Scene scene = LayOutMoonMonth(month, observer, kPicture);
        const std::vector<MoonCell> cells = MoonCellsOf(kPicture, month);
        const std::vector<const Outline*> lit = ShapesOf<Outline>(scene, Ink::MoonLit);
        ASSERT_EQ(lit.size(), 31u);
        for (const int day : kDays) {
            SCOPED_TRACE(std::string(zone) + " 2027-03-" + std::to_string(day));
            const MoonDate& date = month.dates[static_cast<std::size_t>(day - 1)];
            const SimpleMoon expected = SimpleMoonAt(date.at, latitude, longitudeEast);
            EXPECT_NEAR(date.illuminated, expected.illuminated, kFractionTolerance);
            EXPECT_NEAR(Wrapped(date.litAngle - expected.litAngle), 0.0, kAngleTolerance);

            const MoonCell& cell = cells[static_cast<std::size_t>(day - 1)];
            const std::vector<QPointF>& outline = lit[static_cast<std::size_t>(day - 1)]->points;
            EXPECT_NEAR(Area(outline) / (M_PI * cell.radius * cell.radius), date.illuminated, kFractionTolerance);
            QPointF middle;
            for (const QPointF& p : outline) middle += p;
            middle /= static_cast<double>(outline.size());
            const QPointF towards = middle - cell.centre;
            EXPECT_NEAR(Wrapped(std::atan2(-towards.x(), -towards.y()) / kRadians - date.litAngle), 0.0, 1.0);
        }
    }
}

// The outline at the ends of the month: nothing lit, all lit, a half.
TEST(PlotMoon, TheOutlineCoversTheFractionLit) {
    for (const double fraction : {0.0, 0.1, 0.5, 0.9, 1.0})
        EXPECT_NEAR(Area(LitOutline({0, 0}, 100.0, fraction, 30.0, 256)) / (M_PI * 100.0 * 100.0), fraction, 1e-3)
            << fraction;
}

// The calendar's weeks: March 2027 begins on a Monday, so five rows from
// Monday, six from Sunday (the 1st in the second column).
TEST(PlotMoon, WeeksFromTheFirstWeekday) {
    const Observer oslo = Observer::InZone(-10.7522, 59.9139, QTimeZone("Europe/Oslo"));
    const auto cells = [&](Qt::DayOfWeek first) {
        return MoonCellsOf(kPicture, ComputeMoonMonth(oslo, 2027, 3, std::nullopt, first));
    };
    const std::vector<MoonCell> monday = cells(Qt::Monday), sunday = cells(Qt::Sunday);
    EXPECT_EQ(monday.front().cell.left(), monday[7].cell.left());
    EXPECT_LT(monday.front().cell.left(), monday[1].cell.left());
    EXPECT_GT(sunday.front().cell.left(), sunday.back().cell.left() - 4 * sunday.front().cell.width());
    EXPECT_LT(sunday[6].cell.top(), sunday[5].cell.bottom() + 1) << "the 7th, a Sunday, opens the second row";
    EXPECT_GT(sunday[6].cell.top(), sunday[5].cell.top());
}

// --- The files ---------------------------------------------------------------

struct Written {
    int status;
    QByteArray bytes, err;
};
Written Plot(const QStringList& args) {
    static QTemporaryDir config;
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("TZ", "Europe/Oslo");
    cli.setProcessEnvironment(environment);
    cli.start(HELUNE_CLI, QStringList{"plot"} + args + QStringList{"--output", "-", "--place", "Oslo"});
    EXPECT_TRUE(cli.waitForFinished(60000));
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

TEST(PlotFiles, SvgIsXmlWithItsTitleAndTheSameEveryTime) {
    const Written svg = Plot({"daylight", "2027", "--format", "svg", "--moon", "--altitude", "golden_hour"});
    ASSERT_EQ(svg.status, 0) << svg.err.toStdString();
    QXmlStreamReader xml(svg.bytes);
    QString title, description;
    int shapes = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("title")) title = xml.readElementText();
        if (xml.isStartElement() && xml.name() == QStringLiteral("desc")) description = xml.readElementText();
        shapes += xml.isStartElement();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(title, "Daylight at Oslo, 2027");
    EXPECT_TRUE(description.contains("The longest day is 2")) << description.toStdString();
    EXPECT_GT(shapes, 500) << "bands, lines, dots and texts";
    EXPECT_EQ(Plot({"daylight", "2027", "--format", "svg", "--moon", "--altitude", "golden_hour"}).bytes, svg.bytes);
}

TEST(PlotFiles, PngOfTheAskedSizeNotBlankAndTheSameEveryTime) {
    const Written png = Plot({"moon", "2027-03", "--format", "png", "--width", "900", "--height", "600", "--theme", "dark"});
    ASSERT_EQ(png.status, 0) << png.err.toStdString();
    EXPECT_TRUE(png.bytes.startsWith("\x89PNG\r\n\x1a\n"));
    const QImage image = QImage::fromData(png.bytes, "PNG");
    ASSERT_EQ(image.size(), QSize(900, 600));
    EXPECT_EQ(image.text("Title"), "The Moon at Oslo, March 2027");
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
    const QImage again = QImage::fromData(Plot({"moon", "2027-03", "--format", "png", "--width", "900", "--height",
                                                "600", "--theme", "dark"}).bytes, "PNG");
    EXPECT_EQ(again, image);
}

TEST(PlotFiles, PdfIsOnePageOfItsPaperWithItsTitleAndTheSameEveryTime) {
    const Written pdf = Plot({"moon", "2027-03", "--format", "pdf", "--paper", "letter"});
    ASSERT_EQ(pdf.status, 0) << pdf.err.toStdString();
    QTemporaryDir dir;
    const QString path = dir.filePath("moon.pdf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pdf.bytes) == pdf.bytes.size());
    file.close();
    QProcess info;
    info.start("pdfinfo", {path});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString text = info.readAllStandardOutput();
    EXPECT_EQ(info.exitCode(), 0) << info.readAllStandardError().toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Title: +The Moon at Oslo, March 2027\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Pages: +1\n")));
    EXPECT_TRUE(text.contains(QRegularExpression("Page size: +792 x 612 pts \\(letter\\)"))) << text.toStdString();
    EXPECT_TRUE(pdf.bytes.contains("<dc:description>")) << "the summary in its metadata";
    QProcess words;
    words.start("pdftotext", {path, "-"});
    ASSERT_TRUE(words.waitForFinished(30000));
    EXPECT_TRUE(words.readAllStandardOutput().contains("Full moon")) << "not blank";
    EXPECT_EQ(Plot({"moon", "2027-03", "--format", "pdf", "--paper", "letter"}).bytes, pdf.bytes);
}

}  // namespace
}  // namespace helune::cli
