// SPDX-License-Identifier: MIT
#include "Render.h"

#include <QPainter>
#include <QPixmap>
#include <cstdio>

#include "Composition.h"
#include "Painting.h"
#include "Pictures.h"
#include "Report.h"

namespace helune::cli {

QImage RenderDayChart(const Observer& observer, QDate date) {
    const ChartLayout layout = WindowChartLayout(UserDecimalSeparator());
    const ChartPictures pictures = LoadChartPictures();
    if (!pictures.errors.isEmpty()) std::fprintf(stderr, "helune-cli: %s\n", qPrintable(pictures.errors));
    QPixmap bitmap(layout.chart);
    QPainter painter(&bitmap);
    PaintDayChart(painter, layout.chart, ComposeDayChart(ChartFacts(observer, date), layout, QtTextMeasure()), pictures.sun,
                  pictures.moon);
    painter.end();
    return bitmap.toImage();
}

}  // namespace helune::cli
