// SPDX-License-Identifier: MIT
// The day chart as data: what ShowData draws (texts with their fonts, colours
// and top-left corners, and the pictures), composed from the day's facts and
// measured text sizes, so that it can be checked, and written as text, without
// pixels. Painting it is the chart layer's (Painting.h).
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <variant>
#include <vector>

#include "DayFacts.h"

namespace helune {

// Fonts of the chart: Arial at a point size (on a 96-dpi canvas), bold and
// underlined or plain.
struct ChartFont {
    int pointSize;
    bool boldUnderlined;
    bool operator==(const ChartFont&) const = default;
};

// Sizes of a text in a font, as the canvas measures them.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual QSize Measure(const QString& text, const ChartFont& font) const = 0;
};

// The colours of the chart's texts: the pale yellow of the rows, the salmon of
// the footer (Painting.h gives their values).
enum class ChartColour { Text, Footer };

struct ChartText {
    QPoint at;
    QString text;
    ChartFont font;
    ChartColour colour;
    bool operator==(const ChartText&) const = default;
};

enum class Picture { Sun, Moon };
struct ChartPicture {
    QPoint at;
    Picture picture;
    bool operator==(const ChartPicture&) const = default;
};

using ChartItem = std::variant<ChartText, ChartPicture>;

struct ChartLayout {
    QSize chart;        // the chart's size (195 × 201)
    QSize sunPicture;   // 40 × 40
    QSize moonPicture;  // 30 × 30
    QChar decimalSeparator;
};

// The window's layout: the chart of its form and the pictures' sizes.
inline constexpr QSize kChartSize{195, 201};
ChartLayout WindowChartLayout(QChar decimalSeparator);

// The items of the chart in drawing order.
std::vector<ChartItem> ComposeDayChart(const DayFacts& facts, const ChartLayout& layout, const TextMeasure& measure);

}  // namespace helune
