// SPDX-License-Identifier: MIT
#include "Painting.h"

#include <QFontMetrics>
#include <QPainter>

#include "Fonts.h"

namespace helune {

QColor ColourOf(ChartColour colour) { return colour == ChartColour::Footer ? kChartFooterColour : kChartTextColour; }

QFont ToQFont(const ChartFont& font) {
    return DesignFont(QStringLiteral("Arial"), font.pointSize, font.boldUnderlined, font.boldUnderlined);
}

QSize QtTextMeasure::Measure(const QString& text, const ChartFont& font) const {
    const QFontMetrics metrics(ToQFont(font));
    return {metrics.horizontalAdvance(text), metrics.height()};
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
            painter.setPen(ColourOf(text->colour));
            painter.drawText(text->at + QPoint(0, QFontMetrics(font).ascent()), text->text);
        } else {
            const auto& picture = std::get<ChartPicture>(item);
            painter.drawImage(picture.at, picture.picture == Picture::Sun ? sun : moon);
        }
    }
}

}  // namespace helune
