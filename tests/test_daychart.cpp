// SPDX-License-Identifier: MIT
// The day chart: its texts, their positions from measured sizes, and its pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <cmath>
#include <cstdio>

#include "Composition.h"
#include "Painting.h"

namespace helune {
namespace {

// A measure with round numbers, so positions can be worked out by hand: every
// character is (point size − 3) pixels wide and each line (point size + 5) high.
class FixedMeasure : public TextMeasure {
public:
    QSize Measure(const QString& text, const ChartFont& font) const override {
        return {static_cast<int>(text.size()) * (font.pointSize - 3), font.pointSize + 5};
    }
};

const ChartLayout kLayout{QSize(195, 201), QSize(40, 40), QSize(30, 30), QChar('.')};

// 18 January 2008 at Madrid (3.7° W, 40.4° N), zone −15; times and phases chosen.
DayFacts SampleDay() {
    DayFacts facts{18, 1, 2008, 3.7, 40.4, -15.0, 8.5, 18.0, 13.25, 11.0, 1.5, 18.75, {}};
    facts.phases = {{{8, 1, 2008, 12, 37, 10, 4},
                     {15, 1, 2008, 20, 46, 5, 3},
                     {15, 1, 2008, 20, 46, 5, 3},
                     {22, 1, 2008, 14, 35, 59, 2},
                     {30, 1, 2008, 6, 3, 1, 1},
                     {7, 2, 2008, 4, 44, 0, 4},
                     {14, 2, 2008, 4, 33, 0, 3},
                     {21, 2, 2008, 4, 30, 0, 2}}};
    return facts;
}

std::vector<ChartText> Texts(const std::vector<ChartItem>& items) {
    std::vector<ChartText> texts;
    for (const ChartItem& item : items)
        if (const auto* t = std::get_if<ChartText>(&item)) texts.push_back(*t);
    return texts;
}

std::vector<ChartPicture> Pictures(const std::vector<ChartItem>& items) {
    std::vector<ChartPicture> pictures;
    for (const ChartItem& item : items)
        if (const auto* p = std::get_if<ChartPicture>(&item)) pictures.push_back(*p);
    return pictures;
}

QStringList Strings(const std::vector<ChartText>& texts) {
    QStringList list;
    for (const ChartText& t : texts) list << t.text;
    return list;
}

TEST(FormatAngle, DegreesMinutesAndHemisphere) {
    EXPECT_EQ(FormatAngle(1, 2, 3.7), QString("   3°42'W"));
    EXPECT_EQ(FormatAngle(2, 2, 40.4), QString("  40°24'N"));
    EXPECT_EQ(FormatAngle(1, 2, -15.0), QString("  15°00'E"));
    EXPECT_EQ(FormatAngle(2, 2, -33.8688), QString("  33°52'S"));
    EXPECT_EQ(FormatAngle(1, 2, 0.0), QString("   0°00'W"));  // zero counts as West
    EXPECT_EQ(FormatAngle(2, 2, 0.0), QString("   0°00'N"));
    // Whole minutes stored as a fraction of a degree come back whole.
    EXPECT_EQ(FormatAngle(1, 2, 3.0 + 41.0 / 60.0), QString("   3°41'W"));
    EXPECT_EQ(FormatAngle(2, 2, 40.0 + 25.0 / 60.0), QString("  40°25'N"));
    EXPECT_EQ(FormatAngle(0, 2, 123.5), QString(" 123°30'"));
}

TEST(FormatAngle, WholeDegreesRoundHalvesToEvenAndSecondsTruncate) {
    EXPECT_EQ(FormatAngle(0, 1, 2.5), QString("   2°"));
    EXPECT_EQ(FormatAngle(0, 1, 3.5), QString("   4°"));
    EXPECT_EQ(FormatAngle(2, 1, -7.6), QString("   8°S"));
    EXPECT_EQ(FormatAngle(1, 3, 3.0 + 42.0 / 60.0 + 59.9 / 3600.0), QString("   3°42'59\"W"));
}

TEST(FormatHours, TruncatesEveryField) {
    EXPECT_EQ(FormatHours(6.0 + 59.0 / 60.0 + 59.9 / 3600.0), QString("06:59:59"));
    EXPECT_EQ(FormatHours(0.0), QString("00:00:00"));
    EXPECT_EQ(FormatHours(13.25), QString("13:15:00"));
    EXPECT_EQ(FormatHours(24.0), QString("24:00:00"));
}

TEST(FormatDate, MonthAbbreviationAndZeroFill) {
    EXPECT_EQ(FormatDate(8, 1, 2010), QString("Jan 08, 2010"));
    EXPECT_EQ(FormatDate(5, 3, 2010), QString("Mar 05, 2010"));
    EXPECT_EQ(FormatDate(31, 12, 999), QString("Dec 31, 0999"));
    EXPECT_EQ(FormatClock(7, 5, 3), QString("07:05:03"));
}

TEST(DecimalText, GeneralFormatWithTheUsersSeparator) {
    EXPECT_EQ(DecimalText(-15.0, '.'), QString("-15"));
    EXPECT_EQ(DecimalText(3.0 + 41.0 / 60.0, '.'), QString("3.68333333333333"));
    EXPECT_EQ(DecimalText(40.0 + 25.0 / 60.0, '.'), QString("40.4166666666667"));
    EXPECT_EQ(DecimalText(40.0 + 25.0 / 60.0, ','), QString("40,4166666666667"));
    EXPECT_EQ(DecimalText(-0.0, '.'), QString("0"));
    EXPECT_EQ(DecimalText(1e20, '.'), QString("1E20"));
    EXPECT_EQ(DecimalText(-2.5e-7, ','), QString("-2,5E-7"));
}

TEST(ComposeDayChart, TextsInDrawingOrder) {
    const std::vector<ChartItem> items = ComposeDayChart(SampleDay(), kLayout, FixedMeasure());
    const QStringList expected = {
        "Jan 18, 2008",
        "Rising", ":", "08:30:00", "Transit", ":", "13:15:00", "Setting", ":", "18:00:00",
        "Rising", ":", "11:00:00", "Transit", ":", "18:45:00", "Setting", ":", "01:30:00",
        "NM: Jan 08, 2008", "12:37:10", "FQ : Jan 15, 2008", "20:46:05",
        "FM : Jan 22, 2008", "14:35:59", "LQ : Jan 30, 2008", "06:03:01",
        "Lo:   3°42'W La:  40°24'N Dif:1",
    };
    EXPECT_EQ(Strings(Texts(items)), expected);
}

TEST(ComposeDayChart, PositionsFromMeasuredSizes) {
    const std::vector<ChartText> t = Texts(ComposeDayChart(SampleDay(), kLayout, FixedMeasure()));
    // Title: 12 characters × 7 = 84 wide, 15 high, centred: (195 − 84) / 2 = 55.
    EXPECT_EQ(t[0].at, QPoint(55, 1));
    EXPECT_EQ(t[0].font, (ChartFont{10, true}));
    // Sun rows from y = 1 + 15 + 1 = 17, 14 apart, at x = 40 + 10, colon at +45,
    // time at +50.
    EXPECT_EQ(t[1].at, QPoint(50, 17));
    EXPECT_EQ(t[2].at, QPoint(95, 17));
    EXPECT_EQ(t[3].at, QPoint(100, 17));
    EXPECT_EQ(t[4].at, QPoint(50, 31));
    EXPECT_EQ(t[7].at, QPoint(50, 45));
    // Moon rows after a gap of 5: 17 + 3 × 14 + 5 = 64.
    EXPECT_EQ(t[10].at, QPoint(50, 64));
    // Phase lines at x = 30 + 10 from 64 + 42 + 5 = 111, the clock 102 further.
    EXPECT_EQ(t[19].at, QPoint(40, 111));
    EXPECT_EQ(t[20].at, QPoint(142, 111));
    EXPECT_EQ(t[25].at, QPoint(40, 153));
    // Footer: 31 characters × 5 = 155 wide, 13 high: ((195 − 155) / 2, 201 − 13 − 1).
    EXPECT_EQ(t.back().at, QPoint(20, 187));
    EXPECT_EQ(t.back().colour, ChartColour::Footer);
    EXPECT_EQ(t[5].colour, ChartColour::Text);
}

TEST(ComposeDayChart, PicturesBesideTheirBlocks) {
    const std::vector<ChartPicture> p = Pictures(ComposeDayChart(SampleDay(), kLayout, FixedMeasure()));
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].picture, Picture::Sun);
    EXPECT_EQ(p[0].at, QPoint(5, 17));
    EXPECT_EQ(p[1].at, QPoint(5, 64));
    // Centred on four phase lines, 111 to 167: 111 + (56 − 30) / 2.
    EXPECT_EQ(p[2].at, QPoint(5, 124));
}

TEST(ComposeDayChart, MissingEventsKeepLabelAndColon) {
    DayFacts facts = SampleDay();
    facts.moonRising = -1.0;  // a day without moonrise
    facts.sunRising = facts.sunSetting = facts.sunTransit = -1.0;  // polar night
    const QStringList texts = Strings(Texts(ComposeDayChart(facts, kLayout, FixedMeasure())));
    EXPECT_EQ(texts.mid(1, 6), (QStringList{"Rising", ":", "Transit", ":", "Setting", ":"}));
    EXPECT_EQ(texts.mid(7, 7), (QStringList{"Rising", ":", "Transit", ":", "18:45:00", "Setting", ":"}));
}

TEST(ComposeDayChart, PhaseLinesSkipRepeatsAndUnknownCodes) {
    DayFacts facts = SampleDay();
    facts.phases[3].PhaseCode = 0;  // a search that did not settle
    for (int i = 4; i < 8; ++i) facts.phases[i] = facts.phases[3];
    const std::vector<ChartItem> items = ComposeDayChart(facts, kLayout, FixedMeasure());
    const QStringList texts = Strings(Texts(items));
    EXPECT_EQ(texts.filter(": Jan").size(), 2);  // FQ once, NM once
    EXPECT_TRUE(texts.contains("NM: Jan 08, 2008"));
    // Two lines, 111 to 139: the Moon centred at 111 + (28 − 30) / 2 = 110.
    EXPECT_EQ(Pictures(items)[2].at, QPoint(5, 110));
}

TEST(FindChartPhases, TheTablesEntriesAsFarAsTheLinesRead) {
    // A year of shown dates at Madrid: the chart shows the same four lines from
    // the shortened table as from the whole one, whose entries it repeats.
    int searches = 0, dates = 0;
    for (double noon = JulianDayFromDate(1, 1, 2026, 12, 0); noon < JulianDayFromDate(1, 1, 2027, 12, 0); noon += 5.0) {
        PhaseEvent d{};
        JulianDayToDate(d, noon);
        const PhaseTable whole = FindFasesLuna(d.Day, d.Month, d.Year, -15.0);
        const PhaseTable chart = FindChartPhases(d.Day, d.Month, d.Year, -15.0);
        const auto lines = ShownPhases(chart);
        ASSERT_EQ(lines.size(), 4u);
        const auto wholeLines = ShownPhases(whole);
        for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_TRUE(lines[i] == wholeLines[i]) << noon << " " << i;
        int searched = 0;
        for (std::size_t i = 0; i < chart.size(); ++i) {
            if (chart[i].PhaseCode == kNoPhase) break;
            EXPECT_TRUE(chart[i] == whole[i]);
            ++searched;
        }
        searches += searched;
        ++dates;
    }
    std::printf("the chart's phase lines took %.2f searches a date (of %d)\n", static_cast<double>(searches) / dates,
                kPhaseSearches);
    EXPECT_LT(searches, 6 * dates);
}

TEST(ComposeDayChart, FooterZoneText) {
    DayFacts facts = SampleDay();
    auto footer = [&](double zone, QChar separator) {
        facts.effectiveZone = zone;
        const ChartLayout layout{kLayout.chart, kLayout.sunPicture, kLayout.moonPicture, separator};
        return Texts(ComposeDayChart(facts, layout, FixedMeasure())).back().text;
    };
    EXPECT_TRUE(footer(-82.5, '.').endsWith("Dif:5.5"));
    EXPECT_TRUE(footer(-82.5, ',').endsWith("Dif:5,5"));
    EXPECT_TRUE(footer(-5.0, '.').endsWith("Dif:0.3333"));  // a third, cut to six characters
    EXPECT_TRUE(footer(75.0, '.').endsWith("Dif:-5"));
    EXPECT_TRUE(footer(0.0, '.').endsWith("Dif:0"));
    EXPECT_EQ(footer(-30.0, '.'), QString("Lo:   3°42'W La:  40°24'N Dif:2"));
}

TEST(PaintDayChart, ColoursAndPicturesLandWhereComposed) {
    QImage sun(40, 40, QImage::Format_RGB32);
    sun.fill(QColor(255, 200, 0));
    QImage moon(30, 30, QImage::Format_RGB32);
    moon.fill(QColor(20, 30, 120));
    const std::vector<ChartItem> items = ComposeDayChart(SampleDay(), kLayout, QtTextMeasure());
    QImage chart(195, 201, QImage::Format_RGB32);
    QPainter painter(&chart);
    PaintDayChart(painter, chart.size(), items, sun, moon);
    painter.end();

    const std::vector<ChartText> texts = Texts(items);
    const ChartText& title = texts.front();
    const ChartText& footer = texts.back();
    // Text is smoothed onto black, so its pixels are the colour scaled down:
    // count those at least a third as bright as the colour itself.
    auto countColour = [&](QRect area, QColor colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = chart.pixelColor(x, y);
                const double scale = static_cast<double>(c.red()) / colour.red();
                n += scale > 0.33 && std::abs(c.green() - scale * colour.green()) < 12 &&
                     std::abs(c.blue() - scale * colour.blue()) < 12;
            }
        return n;
    };
    const QSize titleSize = QtTextMeasure().Measure(title.text, title.font);
    EXPECT_GT(countColour(QRect(title.at, titleSize), kChartTextColour), 20);
    const QSize footerSize = QtTextMeasure().Measure(footer.text, footer.font);
    EXPECT_GT(countColour(QRect(footer.at, footerSize), kChartFooterColour), 20);
    EXPECT_EQ(countColour(QRect(footer.at, footerSize), kChartTextColour), 0);
    const QPoint sunAt = Pictures(items).front().at;
    EXPECT_EQ(sunAt.x(), 5);
    EXPECT_EQ(chart.pixelColor(sunAt), QColor(255, 200, 0));
    EXPECT_EQ(chart.pixelColor(sunAt + QPoint(39, 39)), QColor(255, 200, 0));
    EXPECT_EQ(chart.pixelColor(sunAt + QPoint(40, 0)), QColor(0, 0, 0));
    EXPECT_EQ(chart.pixelColor(0, 200), QColor(0, 0, 0));
}

}  // namespace
}  // namespace helune
