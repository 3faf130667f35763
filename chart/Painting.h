// SPDX-License-Identifier: MIT
// The day chart in pixels: the chart's fonts measured and drawn by Qt, and the
// composed items painted over the chart's black.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <vector>

#include "Composition.h"

class QPainter;

namespace helune {

inline const QColor kChartBackground{0, 0, 0};
inline const QColor kChartTextColour{240, 255, 112};  // pale yellow
inline const QColor kChartFooterColour{250, 128, 114};  // salmon

QColor ColourOf(ChartColour colour);

QFont ToQFont(const ChartFont& font);

// The measure of Qt's font metrics for the chart's fonts.
class QtTextMeasure : public TextMeasure {
public:
    QSize Measure(const QString& text, const ChartFont& font) const override;
};

// Draws the items over a black background of the chart's size.
void PaintDayChart(QPainter& painter, QSize chart, const std::vector<ChartItem>& items, const QImage& sun,
                   const QImage& moon);

}  // namespace helune
