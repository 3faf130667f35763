// The day chart as data: what ShowData draws (texts with their fonts, colours
// and top-left corners, and the pictures), composed from the engine's answers
// and measured text sizes, so that it can be checked without pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>
#include <variant>
#include <vector>

#include "Phases.h"

class QPainter;
class QImage;

namespace helune {

// Angles and times as the chart writes them.
//   kind 1 longitude (W for 0 or more, E below), 2 latitude (N, S), other none;
//   parts 1 degrees, 2 degrees and minutes (minutes rounded, halves to even),
//   3 or more degrees, minutes and seconds (truncated).
QString FormatAngle(int16_t kind, int16_t parts, double value);
QString FormatHours(double value);  // hh:mm:ss, every field truncated
QString FormatDate(int16_t day, int16_t month, int16_t year);  // "Jan 08, 2010"
QString FormatClock(int16_t hour, int16_t minute, int16_t second);

// A double as stored text: general format, at most 15 significant digits, with
// the given decimal separator; −0 is written 0.
QString DecimalText(double value, QChar decimalSeparator);

// Fonts of the chart: Arial at a point size (on a 96-dpi canvas), bold and
// underlined or plain.
struct ChartFont {
    int pointSize;
    bool boldUnderlined;
    bool operator==(const ChartFont&) const = default;
};
QFont ToQFont(const ChartFont& font);

// Sizes of a text in a font, as the canvas measures them.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual QSize Measure(const QString& text, const ChartFont& font) const = 0;
};

// The measure of Qt's font metrics for the chart's fonts.
class QtTextMeasure : public TextMeasure {
public:
    QSize Measure(const QString& text, const ChartFont& font) const override;
};

inline const QColor kChartBackground{0, 0, 0};
inline const QColor kChartText{240, 255, 112};    // pale yellow
inline const QColor kChartFooter{250, 128, 114};  // salmon

struct ChartText {
    QPoint at;
    QString text;
    ChartFont font;
    QColor colour;
};

enum class Picture { Sun, Moon };
struct ChartPicture {
    QPoint at;
    Picture picture;
};

using ChartItem = std::variant<ChartText, ChartPicture>;

// What the chart shows for one day: the engine's answers for the shown date
// and place.
struct DayFacts {
    int16_t day, month, year;
    double longitud, latitud, effectiveZone;  // degrees, positive West
    double sunRising, sunSetting, sunTransit;  // local hours, negative: none
    double moonRising, moonSetting, moonTransit;
    PhaseTable phases;
};

// Asks the engine for the six events of a local date; the phases are left empty
// (FindChartPhases fills them).
DayFacts ComputeDayEvents(int16_t day, int16_t month, int16_t year, double longitud, double latitud,
                    double effectiveZone);

// The chart's phase lines: the table's entries in order, each phase once (an
// entry with the code of the one before is the same phase found again), failed
// searches left out, at most four.
std::vector<PhaseEvent> ShownPhases(const PhaseTable& phases);

// FindFasesLuna's table as far as the chart's phase lines read it: its entries
// from the first until they show four lines (or all eight); the entries after
// are left unsearched, with no phase.
PhaseTable FindChartPhases(int16_t day, int16_t month, int16_t year, double zone);

struct ChartLayout {
    QSize chart;        // the chart's size (195 × 201)
    QSize sunPicture;   // 40 × 40
    QSize moonPicture;  // 30 × 30
    QChar decimalSeparator;
};

// The items of the chart in drawing order.
std::vector<ChartItem> ComposeDayChart(const DayFacts& facts, const ChartLayout& layout, const TextMeasure& measure);

// Draws the items over a black background of the chart's size.
void PaintDayChart(QPainter& painter, QSize chart, const std::vector<ChartItem>& items, const QImage& sun,
                   const QImage& moon);

}  // namespace helune
