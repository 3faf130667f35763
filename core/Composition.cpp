// SPDX-License-Identifier: MIT
#include "Composition.h"

namespace helune {

namespace {

// The chart's fonts: the title, the event and phase rows, the footer.
constexpr ChartFont kTitleFont{10, true};
constexpr ChartFont kRowFont{9, false};
constexpr ChartFont kFooterFont{8, false};

// Offsets within a row: the colon and the time after the label, the clock
// after a phase's date.
constexpr int kColonOffset = 45;
constexpr int kTimeOffset = 50;
constexpr int kClockOffset = 102;
constexpr int kPictureLeft = 5;
constexpr int kPictureGap = 10;
constexpr int kBlockGap = 5;

constexpr QSize kSunPictureSize{40, 40};
constexpr QSize kMoonPictureSize{30, 30};

// Composes the chart top to bottom, keeping the running position.
class Composer {
public:
    explicit Composer(const TextMeasure& measure) : measure_(measure) {}

    QSize Text(QPoint at, const QString& text, ChartFont font, ChartColour colour = ChartColour::Text) {
        items_.push_back(ChartText{at, text, font, colour});
        return measure_.Measure(text, font);
    }
    void Picture(QPoint at, helune::Picture picture) { items_.push_back(ChartPicture{at, picture}); }

    // "Rising", "Transit" and "Setting" rows from y on; returns the y after them.
    int EventRows(int x, int y, double rising, double transit, double setting) {
        const std::pair<const char*, double> rows[] = {{"Rising", rising}, {"Transit", transit}, {"Setting", setting}};
        for (const auto& [label, time] : rows) {
            Text({x, y}, label, kRowFont);
            const QSize colon = Text({x + kColonOffset, y}, ":", kRowFont);
            if (time >= 0.0) Text({x + kTimeOffset, y}, FormatHours(time), kRowFont);
            y += colon.height();
        }
        return y;
    }

    // The phase lines; returns the y after them.
    int PhaseLines(int x, int y, const PhaseTable& phases) {
        for (const PhaseEvent& p : ShownPhases(phases)) {
            Text({x, y}, PhasePrefix(p.PhaseCode) + FormatDate(p.Day, p.Month, p.Year), kRowFont);
            y += Text({x + kClockOffset, y}, FormatClock(p.Hour, p.Minute, p.Second), kRowFont).height();
        }
        return y;
    }

    std::vector<ChartItem> Take() { return std::move(items_); }

private:
    const TextMeasure& measure_;
    std::vector<ChartItem> items_;
};

}  // namespace

ChartLayout WindowChartLayout(QChar decimalSeparator) {
    return {kChartSize, kSunPictureSize, kMoonPictureSize, decimalSeparator};
}

std::vector<ChartItem> ComposeDayChart(const DayFacts& facts, const ChartLayout& layout, const TextMeasure& measure) {
    Composer c(measure);
    const int width = layout.chart.width();

    const QString title = FormatDate(facts.day, facts.month, facts.year);
    const QSize titleSize = measure.Measure(title, kTitleFont);
    c.Text({(width - titleSize.width()) / 2, 1}, title, kTitleFont);
    const int sunTop = 1 + titleSize.height() + 1;

    const int rowsLeft = layout.sunPicture.width() + kPictureGap;
    int y = c.EventRows(rowsLeft, sunTop, facts.sunRising, facts.sunTransit, facts.sunSetting);
    c.Picture({kPictureLeft, sunTop}, Picture::Sun);
    const int moonTop = y + kBlockGap;

    y = c.EventRows(rowsLeft, moonTop, facts.moonRising, facts.moonTransit, facts.moonSetting);
    c.Picture({kPictureLeft, moonTop}, Picture::Moon);
    const int phaseTop = y + kBlockGap;

    y = c.PhaseLines(layout.moonPicture.width() + kPictureGap, phaseTop, facts.phases);
    c.Picture({kPictureLeft, phaseTop + (y - phaseTop - layout.moonPicture.height()) / 2}, Picture::Moon);

    const QString footer = FooterText(facts, layout.decimalSeparator);
    const QSize footerSize = measure.Measure(footer, kFooterFont);
    c.Text({(width - footerSize.width()) / 2, layout.chart.height() - footerSize.height() - 1}, footer, kFooterFont,
           ChartColour::Footer);
    return c.Take();
}

}  // namespace helune
