#include "Render.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

#include "DayChart.h"
#include "JpegDecoder.h"
#include "Report.h"
#include "ui_Helune1.h"

// The pictures live in the window's static library, whose resources are
// registered by hand.
static void RegisterPictures() { Q_INIT_RESOURCE(helune); }

namespace helune::cli {

namespace {

QImage LoadPicture(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "helune-cli: the picture %s is missing\n", qPrintable(resource));
        return {};
    }
    DecodedJpeg decoded = DecodeJpeg(file.readAll());
    if (!decoded.error.isEmpty())
        std::fprintf(stderr, "helune-cli: %s: %s\n", qPrintable(resource), qPrintable(decoded.error));
    return decoded.image;
}

// The chart's size as the window's form lays it out.
QSize ChartSize() {
    QWidget form;
    Ui::TForm1 ui;
    ui.setupUi(&form);
    return ui.Imagen->size();
}

}  // namespace

QImage RenderDayChart(const Observer& observer, QDate date) {
    RegisterPictures();
    const DayReport report = ComputeDay(observer, date, {}, true);
    const QSize chart = ChartSize();
    const ChartLayout layout{chart, QSize(40, 40), QSize(30, 30), UserDecimalSeparator()};
    QPixmap bitmap(chart);
    QPainter painter(&bitmap);
    PaintDayChart(painter, chart, ComposeDayChart(report.facts, layout, QtTextMeasure()),
                  LoadPicture(QStringLiteral(":/sun.jpg")), LoadPicture(QStringLiteral(":/moon.jpg")));
    painter.end();
    return bitmap.toImage();
}

}  // namespace helune::cli
