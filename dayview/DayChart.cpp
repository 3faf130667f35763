#include "DayChart.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "Efemerides.h"
#include "Fonts.h"
#include "Lenguajes.h"

namespace helune {

namespace {

constexpr QChar kDegreeSign(0x00B0);

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
constexpr std::size_t kMaxPhaseLines = 4;

QString TwoDigits(int value) { return QString::asprintf("%.2d", value); }

const char* PhasePrefix(int16_t code) {
    switch (code) {
        case kLastQuarter: return "LQ : ";
        case kFullMoon: return "FM : ";
        case kFirstQuarter: return "FQ : ";
        case kNewMoon: return "NM: ";
        default: return nullptr;
    }
}

// Composes the chart top to bottom, keeping the running position.
class Composer {
public:
    explicit Composer(const TextMeasure& measure) : measure_(measure) {}

    QSize Text(QPoint at, const QString& text, ChartFont font, QColor colour = kChartText) {
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

QString FooterText(const DayFacts& facts, QChar decimalSeparator) {
    QString zone = DecimalText(-facts.effectiveZone / 15.0, decimalSeparator).left(6);
    return ("Lo:" + FormatAngle(1, 2, facts.longitud) + " La:" + FormatAngle(2, 2, facts.latitud) + " Dif:" + zone)
        .trimmed();
}

}  // namespace

QString FormatAngle(int16_t kind, int16_t parts, double value) {
    const double a = std::fabs(value);
    const double degrees = parts >= 2 ? std::floor(a) : std::nearbyint(a);
    const double m = (a - degrees) * 60.0;
    const double minutes = parts >= 3 ? std::floor(m) : std::nearbyint(m);
    const double seconds = std::floor((m - minutes) * 60.0);

    QString text = QString::asprintf("%4d", static_cast<int>(degrees)) + kDegreeSign;
    if (parts == 2) {
        text += TwoDigits(static_cast<int>(minutes)) + "'";
    } else if (parts != 1) {
        text += TwoDigits(static_cast<int>(minutes)) + "'" + TwoDigits(static_cast<int>(seconds)) + "\"";
    }
    if (kind == 1) text += value >= 0.0 ? "W" : "E";
    if (kind == 2) text += value >= 0.0 ? "N" : "S";
    return text;
}

QString FormatHours(double value) {
    const double h = std::floor(value);
    const double m = (value - h) * 60.0;
    const double minutes = std::floor(m);
    const double seconds = std::floor((m - minutes) * 60.0);
    return FormatClock(static_cast<int16_t>(h), static_cast<int16_t>(minutes), static_cast<int16_t>(seconds));
}

QString FormatDate(int16_t day, int16_t month, int16_t year) {
    const char* name = month >= 1 && month <= 12 ? Meses[month] : "";
    return QString::asprintf("%s %.2d, %.4d", name, day, year);
}

QString FormatClock(int16_t hour, int16_t minute, int16_t second) {
    return QString::asprintf("%.2d:%.2d:%.2d", hour, minute, second);
}

QString DecimalText(double value, QChar decimalSeparator) {
    if (value == 0.0) value = 0.0;  // no minus sign on zero
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf('e');
    if (e >= 0) {
        // 1e+20 and 1e-05 are written 1E20 and 1E-5.
        const int exponent = text.mid(e + 1).toInt();
        text = text.left(e) + "E" + QString::number(exponent);
    }
    return text.replace('.', decimalSeparator);
}

QFont ToQFont(const ChartFont& font) {
    return DesignFont(QStringLiteral("Arial"), font.pointSize, font.boldUnderlined, font.boldUnderlined);
}

QSize QtTextMeasure::Measure(const QString& text, const ChartFont& font) const {
    const QFontMetrics metrics(ToQFont(font));
    return {metrics.horizontalAdvance(text), metrics.height()};
}

// Each body's three events in one call, which shares their date's work.
DayFacts ComputeDayEvents(int16_t day, int16_t month, int16_t year, double longitud, double latitud,
                    double effectiveZone) {
    const double noon = JulianDayFromDate(day, month, year, 12, 0);
    constexpr int16_t kEvents[] = {kQuantityRising, kQuantitySetting, kQuantityTransit};
    double sun[3], moon[3];
    CalcEfemerides(kBodySun, kEvents, 0, noon, longitud, latitud, effectiveZone, sun);
    CalcEfemerides(kBodyMoon, kEvents, 0, noon, longitud, latitud, effectiveZone, moon);
    return {day, month, year, longitud, latitud, effectiveZone, sun[0], sun[1], sun[2], moon[0], moon[1], moon[2], {}};
}

std::vector<PhaseEvent> ShownPhases(const PhaseTable& phases) {
    std::vector<PhaseEvent> shown;
    for (std::size_t i = 0; i < phases.size() && shown.size() < kMaxPhaseLines; ++i) {
        if (i > 0 && phases[i].PhaseCode == phases[i - 1].PhaseCode) continue;
        if (PhasePrefix(phases[i].PhaseCode)) shown.push_back(phases[i]);
    }
    return shown;
}

PhaseTable FindChartPhases(int16_t day, int16_t month, int16_t year, double zone) {
    PhaseTable phases{};
    PhaseTableSearch search(day, month, year, zone);
    while (search.Found() < kPhaseSearches && ShownPhases(phases).size() < kMaxPhaseLines) {
        const auto entry = static_cast<std::size_t>(search.Found());
        phases[entry] = search.Next();
    }
    return phases;
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
           kChartFooter);
    return c.Take();
}

void PaintDayChart(QPainter& painter, QSize chart, const std::vector<ChartItem>& items, const QImage& sun,
                   const QImage& moon) {
    painter.fillRect(QRect(QPoint(0, 0), chart), kChartBackground);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(kChartBackground);
    for (const ChartItem& item : items) {
        if (const auto* text = std::get_if<ChartText>(&item)) {
            const QFont font = ToQFont(text->font);
            painter.setFont(font);
            painter.setPen(text->colour);
            painter.drawText(text->at + QPoint(0, QFontMetrics(font).ascent()), text->text);
        } else {
            const auto& picture = std::get<ChartPicture>(item);
            painter.drawImage(picture.at, picture.picture == Picture::Sun ? sun : moon);
        }
    }
}

}  // namespace helune
