// SPDX-License-Identifier: MIT
// The settings store as the main window uses it, the system zone's defaults and
// the daylight-saving decision.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>

#include "Calendar.h"
#include "Helune1.h"
#include "Registry.h"
#include "Settings.h"
#include "gui_fixture.h"
#include "ui_Helune1.h"

namespace helune {
namespace {

// Eastern Australia: into summer time on the first Sunday of October at 02:00,
// back on the first Sunday of April at 03:00.
TimeZoneRecord EasternAustralia() {
    TimeZoneRecord zone;
    zone.Bias = -600;
    zone.DaylightBias = -60;
    zone.DaylightDate = {10, 0, 1, 2, 0, 0, 0};
    zone.StandardDate = {4, 0, 1, 3, 0, 0, 0};
    return zone;
}

LocationSettings Observing(double latitude, const TimeZoneRecord& zone) {
    LocationSettings s = DefaultSettings(zone);
    s.Latitud = latitude;
    return s;
}

TEST(DayCount, CountsFromMidnightHalfADayAfterTheJulianDay) {
    // 2000 January 1 is QDate's day 2451545; its midnight is the Julian day
    // 2451544.5 and its noon 2451545.0 (Meeus, Astronomical Algorithms, ch. 7).
    EXPECT_EQ(DayCountOf(JulianDayFromDate(1, 1, 2000, 0, 0)), static_cast<DayCount>(QDate(2000, 1, 1).toJulianDay()));
    EXPECT_EQ(JulianDayOf(2451545.0), 2451544.5);
    EXPECT_EQ(DateOfDayCount(2451545.0), QDate(2000, 1, 1));
    EXPECT_EQ(DateOfDayCount(2451545.99), QDate(2000, 1, 1));
    EXPECT_EQ(DateOfJulianDay(2451545.0), QDate(2000, 1, 1));   // noon
    EXPECT_EQ(DateOfJulianDay(2451545.49), QDate(2000, 1, 1));  // 23:45
    EXPECT_EQ(DateOfJulianDay(2451545.5), QDate(2000, 1, 2));
}

TEST(DaylightTransition, LastAndFirstSundays) {
    // March 2023 has four Sundays (5, 12, 19, 26): "the last" is the fourth.
    EXPECT_EQ(DaylightTransition(2023, {3, 0, 5, 2, 0, 0, 0}), Day(2023, 3, 26) + 2.0 / 24.0);
    // March 2026 has five (1 … 29).
    EXPECT_EQ(DaylightTransition(2026, {3, 0, 5, 2, 0, 0, 0}), Day(2026, 3, 29) + 2.0 / 24.0);
    // The second Sunday of March 2024 (New York) and the first of October 2024.
    EXPECT_EQ(DaylightTransition(2024, {3, 0, 2, 2, 0, 0, 0}), Day(2024, 3, 10) + 2.0 / 24.0);
    EXPECT_EQ(DaylightTransition(2024, {10, 0, 1, 2, 0, 0, 0}), Day(2024, 10, 6) + 2.0 / 24.0);
    // A Saturday rule with seconds and milliseconds.
    EXPECT_NEAR(DaylightTransition(2024, {9, 6, 1, 23, 59, 59, 500}) - Day(2024, 9, 7), (86399.5) / 86400.0, 1e-9);
}

TEST(DaylightSavingApplies, NorthernChangeDaysAtMidnight) {
    const TimeZoneRecord zone = CentralEurope();
    const LocationSettings madrid = Observing(40.4, zone);
    // 31 March 2024 at 00:00 is before the change at 02:00; the day after is summer.
    EXPECT_FALSE(DaylightSavingApplies(madrid, Day(2024, 3, 31), zone));
    EXPECT_TRUE(DaylightSavingApplies(madrid, Day(2024, 4, 1), zone));
    // 27 October 2024 at 00:00 is still summer; the day after is not.
    EXPECT_TRUE(DaylightSavingApplies(madrid, Day(2024, 10, 27), zone));
    EXPECT_FALSE(DaylightSavingApplies(madrid, Day(2024, 10, 28), zone));
    EXPECT_EQ(EffectiveZoneOn(madrid, Day(2024, 7, 1), zone), -30.0);
    EXPECT_EQ(EffectiveZoneOn(madrid, Day(2024, 1, 1), zone), -15.0);
}

TEST(DaylightSavingApplies, SouthernZoneAndLatitude) {
    const TimeZoneRecord zone = EasternAustralia();
    const LocationSettings sydney = Observing(-33.9, zone);
    EXPECT_TRUE(DaylightSavingApplies(sydney, Day(2024, 1, 15), zone));
    EXPECT_FALSE(DaylightSavingApplies(sydney, Day(2024, 7, 15), zone));
    EXPECT_TRUE(DaylightSavingApplies(sydney, Day(2024, 12, 31), zone));
    // The start on 6 October 2024 at 02:00: that day at 00:00 is still standard time.
    EXPECT_FALSE(DaylightSavingApplies(sydney, Day(2024, 10, 6), zone));
    EXPECT_TRUE(DaylightSavingApplies(sydney, Day(2024, 10, 7), zone));
    // The end on 7 April 2024 at 03:00: that day at 00:00 is still summer time.
    EXPECT_TRUE(DaylightSavingApplies(sydney, Day(2024, 4, 7), zone));
    EXPECT_FALSE(DaylightSavingApplies(sydney, Day(2024, 4, 8), zone));
    EXPECT_EQ(EffectiveZoneOn(sydney, Day(2024, 1, 15), zone), -165.0);
}

TEST(DaylightSavingApplies, SouthernLatitudeUnderNorthernRules) {
    // The latitude's sign decides which side of the northern interval is summer.
    const TimeZoneRecord zone = CentralEurope();
    const LocationSettings south = Observing(-40.0, zone);
    EXPECT_TRUE(DaylightSavingApplies(south, Day(2024, 1, 15), zone));
    EXPECT_FALSE(DaylightSavingApplies(south, Day(2024, 7, 15), zone));
}

TEST(DaylightSavingApplies, NeverWithoutRulesOrWithoutVerano) {
    TimeZoneRecord noRules;
    noRules.Bias = -330;
    LocationSettings s = DefaultSettings(noRules);
    EXPECT_FALSE(s.Verano);
    s.Verano = true;  // stored as observed, but the zone has no transitions
    s.Ajuste = -15.0;
    EXPECT_FALSE(DaylightSavingApplies(s, Day(2024, 7, 1), noRules));
    EXPECT_EQ(EffectiveZoneOn(s, Day(2024, 7, 1), noRules), -82.5);
    LocationSettings off = Observing(40.0, CentralEurope());
    off.Verano = false;
    EXPECT_FALSE(DaylightSavingApplies(off, Day(2024, 7, 1), CentralEurope()));
}

TEST(DefaultSettings, FromTheSystemZone) {
    const LocationSettings s = DefaultSettings(CentralEurope());
    EXPECT_EQ(s.Huso, -15.0);
    EXPECT_EQ(s.Longitud, -15.0);  // the zone's meridian, 15° East
    EXPECT_EQ(s.Latitud, 0.0);
    EXPECT_EQ(s.Ajuste, -15.0);
    EXPECT_TRUE(s.Verano);
}

TEST(ParseSetting, OnlyTheUsersSeparatorConverts) {
    EXPECT_EQ(ParseSetting("3.68333333333333", '.'), 3.68333333333333);
    EXPECT_EQ(ParseSetting("-15", '.'), -15.0);
    EXPECT_EQ(ParseSetting("40,4166666666667", ','), 40.4166666666667);
    EXPECT_FALSE(ParseSetting("40.4166666666667", ','));
    EXPECT_FALSE(ParseSetting("40,4", '.'));
    EXPECT_FALSE(ParseSetting("abc", '.'));
    EXPECT_FALSE(ParseSetting("", '.'));
    EXPECT_FALSE(ParseSetting("inf", '.'));
    EXPECT_FALSE(ParseVerano("true"));
    EXPECT_TRUE(ParseVerano("True"));
}

class StoredSettingsTest : public IsolatedSettings {
protected:
    void Store(const char* name, const QString& text) {
        ASSERT_TRUE(WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text, kRegText, IsolatedStore()));
    }
    bool StoreExists() const { return QDir(config_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size() > 0; }
    void StoreAll() {
        Store("Longitud", "3.7");
        Store("Latitud", "40.4");
        Store("Huso", "-15");
        Store("Verano", "True");
        Store("Ajuste", "-15");
    }
};

TEST_F(StoredSettingsTest, FirstStartTakesDefaultsWarnsAndWritesNothing) {
    TForm1 window(Services());
    EXPECT_EQ(window.Latitud, 0.0);
    EXPECT_EQ(window.Longitud, window.Huso);
    EXPECT_EQ(window.Huso, -15.0);  // Madrid keeps Central European Time
    EXPECT_TRUE(window.Verano);
    EXPECT_EQ(window.EffectiveZone, -30.0);  // 1 July is summer
    EXPECT_EQ(window.form()->Opciones->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(window.form()->Opciones->toolTip(),
              QString("You have to define your Location and Timezone to get proper results"));
    EXPECT_FALSE(StoreExists());
}

TEST_F(StoredSettingsTest, AllFiveStoredAreUsed) {
    StoreAll();
    TForm1 window(Services());
    EXPECT_EQ(window.Settings(), (LocationSettings{3.7, 40.4, -15.0, -15.0, true}));
    EXPECT_NE(window.form()->Opciones->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(window.form()->Opciones->toolTip().isEmpty());
    EXPECT_EQ(window.ShownDate, Day(2024, 7, 1));
    EXPECT_EQ(window.EffectiveZone, -30.0);
}

TEST_F(StoredSettingsTest, OneMissingReplacesAllFive) {
    StoreAll();
    Store("Latitud", "");
    TForm1 window(Services());
    EXPECT_EQ(window.Longitud, -15.0);
    EXPECT_EQ(window.Latitud, 0.0);
    EXPECT_EQ(window.form()->Opciones->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

TEST_F(StoredSettingsTest, ValueThatDoesNotConvertCountsAsAbsent) {
    StoreAll();
    Store("Huso", "minus fifteen");
    TForm1 window(Services());
    EXPECT_EQ(window.Longitud, -15.0);  // defaults for all five
    EXPECT_EQ(window.Latitud, 0.0);
}

// Values the options dialog cannot write (a hand edit, a damaged file) count
// as absent too: the defaults and the red link, and never an offset of
// "+4916121:36" or a latitude of "-2147483648°" on the chart.
TEST_F(StoredSettingsTest, ValuesBeyondWhatTheDialogWritesCountAsAbsent) {
    for (const auto& [name, text] : {std::pair{"Latitud", "95"}, std::pair{"Latitud", "1e308"},
                                     std::pair{"Longitud", "181"}, std::pair{"Huso", "1e9"},
                                     std::pair{"Ajuste", "-195"}, std::pair{"Latitud", "nan"}}) {
        StoreAll();
        Store(name, text);
        TForm1 window(Services());
        EXPECT_EQ(window.Latitud, 0.0) << name << "=" << text;
        EXPECT_EQ(window.Huso, -15.0) << name << "=" << text;
        EXPECT_EQ(window.form()->Opciones->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    StoreAll();
    Store("Latitud", "90.9833333333333");  // 90° 59′, the dialog's largest
    EXPECT_NEAR(TForm1(Services()).Latitud, 90.0 + 59.0 / 60.0, 1e-12);
}

TEST_F(StoredSettingsTest, LowerCaseTrueTurnsDaylightSavingOff) {
    StoreAll();
    Store("Verano", "true");
    TForm1 window(Services());
    EXPECT_FALSE(window.Verano);
    EXPECT_EQ(window.Latitud, 40.4);
    EXPECT_EQ(window.EffectiveZone, -15.0);
}

TEST_F(StoredSettingsTest, StoreAndFetchRoundTrip) {
    LocationSettings stored;
    {
        TForm1 window(Services());
        window.SetSettings({3.0 + 41.0 / 60.0, -(33.0 + 52.0 / 60.0), 75.0, -15.0, false});
        stored = window.Settings();
        window.StoreParameters();
    }
    QString text;
    ASSERT_TRUE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Verano", text, IsolatedStore()));
    EXPECT_EQ(text, QString("False"));
    ASSERT_TRUE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Longitud", text, IsolatedStore()));
    EXPECT_EQ(text, QString("3.68333333333333"));
    TForm1 again(Services());
    EXPECT_NEAR(again.Longitud, stored.Longitud, 1e-14);
    EXPECT_NEAR(again.Latitud, stored.Latitud, 1e-13);
    EXPECT_EQ(again.Huso, 75.0);
    EXPECT_EQ(again.Ajuste, -15.0);
    EXPECT_FALSE(again.Verano);
    EXPECT_EQ(again.EffectiveZone, 75.0);
}

TEST_F(StoredSettingsTest, ClosingStoresOnlyThePosition) {
    {
        TForm1 window(Services());
        window.move(120, 80);
        window.close();
    }
    QString text;
    EXPECT_TRUE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Left", text, IsolatedStore()));
    EXPECT_EQ(text, QString("120"));
    EXPECT_TRUE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Top", text, IsolatedStore()));
    EXPECT_EQ(text, QString("80"));
    EXPECT_FALSE(ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Huso", text, IsolatedStore()));
    TForm1 again(Services());
    EXPECT_EQ(again.pos(), QPoint(120, 80));
}

TEST_F(StoredSettingsTest, PositionOffEveryScreenIsNotApplied) {
    Store("Left", "-50000");
    Store("Top", "90000");
    TForm1 window(Services());
    EXPECT_NE(window.pos(), QPoint(-50000, 90000));
}

// A position at the end of the integers would overflow the window's rectangle.
TEST_F(StoredSettingsTest, PositionsBeyondAnyScreensRangeAreIgnored) {
    for (const char* far : {"2147483647", "-2147483648", "2000000"}) {
        Store("Left", far);
        Store("Top", far);
        TForm1 window(Services());
        EXPECT_FALSE(window.testAttribute(Qt::WA_Moved)) << far;
    }
}

TEST_F(StoredSettingsTest, StepsAcrossMonthsAndTheSpringChange) {
    StoreAll();
    SetToday(QDate(2024, 3, 30));
    TForm1 window(Services());
    EXPECT_EQ(window.EffectiveZone, -15.0);
    window.diaClick(window.form()->dMas);  // 31 March: the change is at 02:00
    EXPECT_EQ(window.ShownDay, 31);
    EXPECT_EQ(window.EffectiveZone, -15.0);
    window.diaClick(window.form()->dMas);  // 1 April: summer time
    EXPECT_EQ(window.ShownMonth, 4);
    EXPECT_EQ(window.ShownDay, 1);
    EXPECT_EQ(window.EffectiveZone, -30.0);
    window.diaClick(window.form()->dMen);
    window.diaClick(window.form()->dMen);
    EXPECT_EQ(window.ShownDay, 30);
    EXPECT_EQ(window.ShownMonth, 3);
}

TEST_F(StoredSettingsTest, WindowShowsTheChartInEnglish) {
    StoreAll();
    TForm1 window(Services());
    EXPECT_EQ(window.windowTitle(), QString("Sun and Moon Helune"));
    EXPECT_EQ(window.form()->Opciones->text(), QString("Options"));
    EXPECT_EQ(window.form()->Updates->text(), QString("Updates"));
    EXPECT_EQ(window.form()->Cerrar->text(), QString("Close"));
    EXPECT_EQ(window.size(), QSize(195, 220));
    EXPECT_EQ(window.ChartWidth, 195);
    EXPECT_EQ(window.ChartHeight, 201);
    const QPixmap chart = window.form()->Imagen->pixmap();
    ASSERT_EQ(chart.size(), QSize(195, 201));
    // The Sun picture is drawn at (5, top): not black there.
    EXPECT_NE(chart.toImage().pixelColor(25, 35), QColor(0, 0, 0));
}

}  // namespace
}  // namespace helune
