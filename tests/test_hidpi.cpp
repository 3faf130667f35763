// SPDX-License-Identifier: MIT
// The main window on a screen of twice the pixels (QT_SCALE_FACTOR=2, the
// test's environment): the layout in logical pixels as at 1×, the chart
// painted at the screen's ratio, a stored position kept on the screen.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QPainter>

#include "Helune1.h"
#include "Painting.h"
#include "Pictures.h"
#include "Registry.h"
#include "gui_fixture.h"
#include "ui_Helune1.h"

namespace helune {
namespace {

constexpr int kScale = 2;

// The chart's items of the window's date, composed as at 1×.
std::vector<ChartItem> ChartItems(const TForm1& window) {
    DayFacts facts = ComputeDayEvents(window.ShownDay, window.ShownMonth, window.ShownYear, window.Longitud,
                                      window.Latitud, window.EffectiveZone);
    facts.phases = window.Phases;
    return ComposeDayChart(facts, WindowChartLayout(UserDecimalSeparator()), QtTextMeasure());
}

// The chart painted at 1× and enlarged, as a screen scales a 1× picture.
QImage ChartEnlarged(const TForm1& window) {
    const ChartPictures pictures = LoadChartPictures();
    QImage chart(QSize(window.ChartWidth, window.ChartHeight), QImage::Format_RGB32);
    QPainter painter(&chart);
    PaintDayChart(painter, chart.size(), ChartItems(window), pictures.sun, pictures.moon);
    painter.end();
    return chart.scaled(chart.size() * kScale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The chart of the window's date drawn by hand at twice the size: every
// position doubled, every font at twice its pixel size, the pictures enlarged.
QImage ChartAtTwice(const TForm1& window) {
    const std::vector<ChartItem> items = ChartItems(window);
    const ChartPictures pictures = LoadChartPictures();
    QImage chart(QSize(window.ChartWidth, window.ChartHeight) * kScale, QImage::Format_RGB32);
    chart.fill(kChartBackground);
    QPainter painter(&chart);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(kChartBackground);
    for (const ChartItem& item : items) {
        if (const auto* text = std::get_if<ChartText>(&item)) {
            QFont font = ToQFont(text->font);
            font.setPixelSize(font.pixelSize() * kScale);
            painter.setFont(font);
            painter.setPen(ColourOf(text->colour));
            painter.drawText(text->at * kScale + QPoint(0, QFontMetrics(font).ascent()), text->text);
        } else {
            const auto& picture = std::get<ChartPicture>(item);
            const QImage& image = picture.picture == Picture::Sun ? pictures.sun : pictures.moon;
            painter.drawImage(QRect(picture.at * kScale, image.size() * kScale), image);
        }
    }
    return chart;
}

// The share of pixels whose colours differ by more than a quarter of the range
// in some channel.
double DifferentShare(const QImage& a, const QImage& b) {
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            different += std::abs(p.red() - q.red()) > 64 || std::abs(p.green() - q.green()) > 64 ||
                         std::abs(p.blue() - q.blue()) > 64;
        }
    return static_cast<double>(different) / (a.width() * a.height());
}

class AtTwiceTheScale : public IsolatedSettings {
protected:
    void SetUp() override {
        IsolatedSettings::SetUp();
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    }
};

TEST_F(AtTwiceTheScale, TheChartIsPaintedAtTheScreensRatio) {
    TForm1 window(Services());
    EXPECT_EQ(window.size(), QSize(195, 220)) << "the layout is in logical pixels";
    EXPECT_EQ(window.form()->Imagen->geometry(), QRect(0, 0, 195, 201));
    const QPixmap shown = window.form()->Imagen->pixmap();
    EXPECT_EQ(shown.devicePixelRatio(), 2.0);
    ASSERT_EQ(shown.size(), QSize(390, 402));
    const QImage chart = shown.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage reference = ChartAtTwice(window);
    // Glyphs rasterised at twice the size match the reference but for their
    // hinting; the 1× chart enlarged (what the screen showed before) does not.
    const double sharp = DifferentShare(chart, reference);
    const double blurred = DifferentShare(ChartEnlarged(window), reference);
    std::printf("pixels apart from the 2x reference: painted at 2x %.4f, the 1x chart enlarged %.4f\n", sharp, blurred);
    constexpr double kHintingShare = 0.02;
    EXPECT_LT(sharp, kHintingShare);
    EXPECT_GT(blurred, 3.0 * sharp);
}

// A position stored at 1× lies partly beyond the screen at 2×: the window is
// brought wholly onto it.
TEST_F(AtTwiceTheScale, AStoredPositionIsBroughtWhollyOntoTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint stored = screen.bottomRight() - QPoint(100, 100);
    WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Left", QString::number(stored.x()), kRegText,
                  IsolatedStore());
    WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Top", QString::number(stored.y()), kRegText,
                  IsolatedStore());
    TForm1 window(Services());
    EXPECT_TRUE(screen.contains(window.geometry())) << window.x() << "," << window.y() << " on a screen of "
                                                    << screen.width() << "x" << screen.height();
    EXPECT_EQ(window.geometry().bottomRight(), screen.bottomRight());
}

}  // namespace
}  // namespace helune
