// SPDX-License-Identifier: MIT
// The console's picture and text of the chart against the window's own.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QProcess>
#include <sstream>

#include "Console.h"
#include "Helune1.h"
#include "Render.h"
#include "gui_fixture.h"
#include "ui_Helune1.h"

namespace helune::cli {
namespace {

class CliRender : public IsolatedSettings {
protected:
    CliRender() : IsolatedSettings(QDate(2024, 3, 31)) {}

    void StoreMadrid() { WriteStoredSettings({3.7038, 40.4168, -15.0, -15.0, true}, UserDecimalSeparator(), IsolatedStore()); }

    QImage WindowChart() {
        TForm1 window(Services());
        return window.form()->Imagen->pixmap().toImage();
    }
};

TEST_F(CliRender, TheStoredPlaceDrawsTheWindowsPixels) {
    StoreMadrid();
    const QImage window = WindowChart();
    PlaceOptions windowsClock;
    windowsClock.asWindow = true;
    const QImage console = RenderDayChart(Observer::FromOptions(windowsClock, Around()), QDate(2024, 3, 31));
    ASSERT_EQ(console.size(), window.size());
    EXPECT_EQ(console.convertToFormat(QImage::Format_RGB32), window.convertToFormat(QImage::Format_RGB32));
}

TEST_F(CliRender, ThePlaceOnTheCommandLineDrawsTheSameChart) {
    StoreMadrid();
    const QImage window = WindowChart();
    const QString png = config_.filePath("chart.png");
    QProcess cli;
    cli.start(HELUNE_CLI, {"render", "2024-03-31", "--lat", "40.4168", "--lon", "-3.7038", "--tz", "Europe/Madrid",
                           "--output", png});
    ASSERT_TRUE(cli.waitForFinished(30000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), window.convertToFormat(QImage::Format_RGB32));
}

// Assistive technology reads the chart as the console prints it: its title
// as the name, every line as the description (day --as-window, the stored
// place on the window's clock), again after the date changes.
TEST_F(CliRender, TheChartsAccessibleTextsAreTheConsolesChart) {
    StoreMadrid();
    TForm1 window(Services());
    for (const char* date : {"2024-03-31", "2024-04-01"}) {
        std::ostringstream out;
        Console console{out};
        console.system = Around();
        ASSERT_EQ(RunConsole({"day", date, "--as-window"}, console), 0);
        const QStringList lines = QString::fromStdString(out.str()).trimmed().split('\n');
        const QLabel* chart = window.form()->Imagen;
        EXPECT_EQ(chart->accessibleName(), lines.front());
        EXPECT_EQ(chart->accessibleDescription(), lines.join('\n'));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(window.form()->Imagen)->text(QAccessible::Description),
                  lines.join('\n'));
        window.diaClick(window.form()->dMas);
    }
}

}  // namespace
}  // namespace helune::cli
