// SPDX-License-Identifier: MIT
// The options window: what it shows of the main window's date and settings, how
// it checks the entries, and what accepting writes back.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <memory>
#include <ostream>
#include <vector>

#include "Helune1.h"
#include "Helune2.h"
#include "Settings.h"
#include "gui_fixture.h"
#include "ui_Helune2.h"

namespace helune {
namespace {

// The settings a first start takes in Madrid: Central European Time with an
// hour of summer time, the zone's meridian as longitude.
LocationSettings MadridDefaults() { return DefaultSettings(CentralEurope()); }

// 3° 41' W, 33° 52' S, five hours behind universal time, no summer time.
const LocationSettings kWestSouth{3.0 + 41.0 / 60.0, -(33.0 + 52.0 / 60.0), 75.0, -15.0, false};

// Each test case has its own settings folder, the Madrid zone and 1 July 2024 as
// today; messages are collected instead of shown.
class OptionsTest : public IsolatedSettings {
protected:
    void SetUp() override {
        IsolatedSettings::SetUp();
        main_ = std::make_unique<TForm1>(Services());
    }

    // The options window over the main window showing settings.
    std::unique_ptr<TForm2> Open(const LocationSettings& settings) {
        main_->SetSettings(settings);
        auto options = std::make_unique<TForm2>(*main_);
        options->ShowMessage = [this](const QString& message) { messages_ << message; };
        return options;
    }

    static void Type(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    std::unique_ptr<TForm1> main_;
    QStringList messages_;
};

// ---------------------------------------------------------------------------------------
// What the window shows

struct Shown {
    LocationSettings settings;
    QStringList entries;  // LonGra, LonMin, LatGra, LatMin, DifHor, DifMin, AjuHor, AjuMin
    int lonHem, latHem;
};

std::ostream& operator<<(std::ostream& out, const Shown& shown) {
    return out << shown.entries.join(' ').toStdString();
}

QStringList Entries(const Ui::TForm2& form) {
    return {form.LonGra->text(), form.LonMin->text(), form.LatGra->text(), form.LatMin->text(),
            form.DifHor->text(), form.DifMin->text(), form.AjuHor->text(), form.AjuMin->text()};
}

// Zones and adjustments as the local clock's lead on universal time; places as
// whole degrees and minutes.
const std::vector<Shown> kShown{
    // Madrid's defaults: 15° E, the equator, an hour ahead plus an hour of summer time.
    {MadridDefaults(), {"15", "0", "0", "0", "1", "0", "1", "0"}, 0, 0},
    {kWestSouth, {"3", "41", "33", "52", "-5", "0", "1", "0"}, 1, 1},
    // Tokyo: nine hours ahead.
    {{-(139.0 + 41.0 / 60.0), 35.0 + 41.0 / 60.0, -135.0, -15.0, false}, {"139", "41", "35", "41", "9", "0", "1", "0"}, 0, 0},
    // India: five and a half hours ahead.
    {{-(77.0 + 13.0 / 60.0), 28.0 + 37.0 / 60.0, -82.5, -15.0, false}, {"77", "13", "28", "37", "5", "30", "1", "0"}, 0, 0},
    // Newfoundland: three and a half hours behind; the minutes stay unsigned.
    {{52.0 + 43.0 / 60.0, 47.0 + 34.0 / 60.0, 52.5, -15.0, true}, {"52", "43", "47", "34", "-3", "30", "1", "0"}, 1, 0},
    // Lord Howe Island: ten and a half hours ahead, half an hour of summer time.
    {{-(159.0 + 5.0 / 60.0), -(31.0 + 33.0 / 60.0), -157.5, -7.5, true}, {"159", "5", "31", "33", "10", "30", "0", "30"}, 0, 1},
    // Half an hour ahead shows no sign on the hours.
    {{0.0, 0.0, -7.5, 0.0, false}, {"0", "0", "0", "0", "0", "30", "0", "0"}, 1, 0},
    // The far ends of each range.
    {{180.0, -90.0, -180.0, -15.0, true}, {"180", "0", "90", "0", "12", "0", "1", "0"}, 1, 1},
    {{-180.0, 90.0, 180.0, -15.0, true}, {"180", "0", "90", "0", "-12", "0", "1", "0"}, 0, 0},
};

TEST_F(OptionsTest, ShowsSettingsAsWholeDegreesHoursAndMinutes) {
    for (const Shown& shown : kShown) {
        SCOPED_TRACE(testing::PrintToString(shown));
        const auto options = Open(shown.settings);
        const Ui::TForm2& form = *options->form();
        EXPECT_EQ(Entries(form), shown.entries);
        EXPECT_EQ(form.LonHem->currentIndex(), shown.lonHem);
        EXPECT_EQ(form.LatHem->currentIndex(), shown.latHem);
        EXPECT_EQ(form.chkAju->isChecked(), shown.settings.Verano);
        EXPECT_EQ(form.Fecha->date(), QDate(2024, 7, 1));
        EXPECT_FALSE(options->SettingsChanged);
    }
}

TEST_F(OptionsTest, AcceptingAsShownChangesNothing) {
    for (const Shown& shown : kShown) {
        SCOPED_TRACE(testing::PrintToString(shown));
        const auto options = Open(shown.settings);
        options->AceptaClick();
        EXPECT_EQ(options->result(), QDialog::Accepted);
        EXPECT_FALSE(options->SettingsChanged);
        EXPECT_EQ(main_->Settings(), shown.settings);
        EXPECT_EQ(main_->ShownDate, Day(2024, 7, 1));
        EXPECT_TRUE(messages_.isEmpty());
    }
}

TEST_F(OptionsTest, MinutesRoundHalfToEvenAndCarryIntoTheDegrees) {
    // 2.375° = 2° 22.5' and 2.125° = 2° 7.5': halves go to the even minute.
    auto options = Open({2.375, 2.125, 0.0, 0.0, false});
    EXPECT_EQ(options->form()->LonMin->text(), QString("22"));
    EXPECT_EQ(options->form()->LatMin->text(), QString("8"));
    // 3.9999° is 3° 59.994': shown as 4° 0', which can be accepted as it is.
    options = Open({3.9999, -0.99999, 74.9999, -15.0001, false});
    EXPECT_EQ(Entries(*options->form()), QStringList({"4", "0", "1", "0", "-5", "0", "1", "0"}));
    options->AceptaClick();
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(main_->Settings(), (LocationSettings{4.0, -1.0, 75.0, -15.0, false}));
}

// ---------------------------------------------------------------------------------------
// Checking the entries

struct BadEntry {
    QLineEdit* Ui::TForm2::*field;
    const char* text;
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const BadEntry& bad) { return out << '"' << bad.text << '"'; }

const std::vector<BadEntry> kBadEntries{
    {&Ui::TForm2::LonGra, "abc", "Longitude degrees are not valid"},
    {&Ui::TForm2::LonGra, "181", "Longitude degrees are not valid"},
    {&Ui::TForm2::LonGra, "-1", "Longitude degrees are not valid"},
    {&Ui::TForm2::LonMin, "", "Longitude minutes are not valid"},
    {&Ui::TForm2::LonMin, "60", "Longitude minutes are not valid"},
    {&Ui::TForm2::LatGra, "1.5", "Latitude degrees are not valid"},
    {&Ui::TForm2::LatGra, "91", "Latitude degrees are not valid"},
    {&Ui::TForm2::LatMin, "x", "Latitude minutes are not valid"},
    {&Ui::TForm2::LatMin, "-1", "Latitude minutes are not valid"},
    {&Ui::TForm2::DifHor, "13", "Hour of difference is not valid"},
    {&Ui::TForm2::DifHor, "-13", "Hour of difference is not valid"},
    {&Ui::TForm2::DifHor, "40000", "Hour of difference is not valid"},  // beyond 16 bits
    {&Ui::TForm2::DifMin, "", "Minutes of difference are not valid"},
    {&Ui::TForm2::DifMin, "60", "Minutes of difference are not valid"},
    {&Ui::TForm2::AjuHor, "+", "Hour of adjustment is not valid"},
    {&Ui::TForm2::AjuHor, "13", "Hour of adjustment is not valid"},
    {&Ui::TForm2::AjuMin, "", "Minutes of adjustment are not valid"},  // even with summer time off
    {&Ui::TForm2::AjuMin, "60", "Minutes of adjustment are not valid"},
};

TEST_F(OptionsTest, EachBadEntryIsReportedAndTheWindowStaysOpen) {
    for (const BadEntry& bad : kBadEntries) {
        SCOPED_TRACE(testing::PrintToString(bad));
        messages_.clear();
        const auto options = Open(kWestSouth);
        options->show();
        QLineEdit* field = options->form()->*bad.field;
        Type(field, bad.text);
        options->form()->chkAju->setChecked(true);  // a change that must not be written
        options->AceptaClick();
        EXPECT_EQ(messages_, QStringList(bad.message));
        EXPECT_TRUE(options->isVisible());
        EXPECT_EQ(field->text(), QString(bad.text));
        EXPECT_FALSE(options->SettingsChanged);
        EXPECT_EQ(main_->Settings(), kWestSouth);
        options->close();
    }
}

TEST_F(OptionsTest, EntriesAreReadInScreenOrderBeforeAnyBoundIsChecked) {
    auto options = Open(kWestSouth);
    options->form()->LonGra->setText("y");
    options->form()->LatMin->setText("x");
    options->AceptaClick();
    EXPECT_EQ(messages_, QStringList("Longitude degrees are not valid"));

    // Degrees out of bounds come first on the screen, but an empty entry is found
    // while reading, before any bound is checked.
    messages_.clear();
    options = Open(kWestSouth);
    options->form()->LonGra->setText("999");
    options->form()->AjuMin->clear();
    options->AceptaClick();
    EXPECT_EQ(messages_, QStringList("Minutes of adjustment are not valid"));
}

TEST_F(OptionsTest, BoundsAreCheckedHoursFirstThenDegreesThenMinutes) {
    struct Pair {
        QLineEdit* Ui::TForm2::*first;
        const char* firstText;
        QLineEdit* Ui::TForm2::*second;
        const char* secondText;
        const char* message;
    };
    const std::vector<Pair> pairs{
        {&Ui::TForm2::LonGra, "181", &Ui::TForm2::DifHor, "13", "Hour of difference is not valid"},
        {&Ui::TForm2::DifHor, "13", &Ui::TForm2::AjuHor, "13", "Hour of difference is not valid"},
        {&Ui::TForm2::LonGra, "181", &Ui::TForm2::AjuHor, "-13", "Hour of adjustment is not valid"},
        {&Ui::TForm2::LatGra, "91", &Ui::TForm2::LonGra, "181", "Longitude degrees are not valid"},
        {&Ui::TForm2::LonMin, "60", &Ui::TForm2::LatGra, "91", "Latitude degrees are not valid"},
        {&Ui::TForm2::DifMin, "60", &Ui::TForm2::LatMin, "60", "Latitude minutes are not valid"},
        {&Ui::TForm2::AjuMin, "60", &Ui::TForm2::DifMin, "60", "Minutes of difference are not valid"},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(pair.message);
        messages_.clear();
        const auto options = Open(kWestSouth);
        (options->form()->*pair.first)->setText(pair.firstText);
        (options->form()->*pair.second)->setText(pair.secondText);
        options->AceptaClick();
        EXPECT_EQ(messages_, QStringList(pair.message));
        EXPECT_EQ(main_->Settings(), kWestSouth);
    }
}

TEST_F(OptionsTest, RealMessageIsAWarningNamedOptions) {
    const auto options = std::make_unique<TForm2>(*main_);
    bool shown = false;
    // The box is modal: look at it and close it once it is up.
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QString("Options"));
        EXPECT_EQ(box->text(), QString("Longitude degrees are not valid"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        shown = true;
        box->accept();
    });
    options->form()->LonGra->setText("abc");
    options->AceptaClick();
    EXPECT_TRUE(shown);
}

// ---------------------------------------------------------------------------------------
// What accepting writes

TEST_F(OptionsTest, FarthestHoursAndDegreesAreAccepted) {
    const auto options = Open(kWestSouth);
    Type(options->form()->DifHor, "-12");
    Type(options->form()->DifMin, "59");
    Type(options->form()->LonGra, "180");
    Type(options->form()->LonMin, "30");
    Type(options->form()->LatGra, "90");
    Type(options->form()->LatMin, "0");
    options->AceptaClick();
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(options->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(main_->Huso, 194.75);  // 12 h 59 min behind: (12 + 59/60) × 15
    EXPECT_EQ(main_->Longitud, 180.5);      // still West
    EXPECT_EQ(main_->Latitud, -90.0);       // still South
    EXPECT_TRUE(options->SettingsChanged);
}

TEST_F(OptionsTest, HalfAnHourAheadIsAZoneOfMinusSevenAndAHalf) {
    const auto options = Open(kWestSouth);
    Type(options->form()->DifHor, "0");
    Type(options->form()->DifMin, "30");
    options->AceptaClick();
    EXPECT_EQ(main_->Huso, -7.5);
}

TEST_F(OptionsTest, NegativeAdjustmentHoursTurnTheClockBack) {
    // As for the zone, the sign of the hours applies to the minutes too.
    const auto options = Open(kWestSouth);
    Type(options->form()->AjuHor, "-1");
    Type(options->form()->AjuMin, "30");
    options->AceptaClick();
    EXPECT_EQ(main_->Ajuste, 22.5);
}

TEST_F(OptionsTest, PositiveAdjustmentShowsItsSignAndIsKept) {
    LocationSettings back = kWestSouth;
    back.Ajuste = 15.0;
    const auto options = Open(back);
    EXPECT_EQ(options->form()->AjuHor->text(), QString("-1"));
    options->AceptaClick();
    EXPECT_EQ(main_->Ajuste, 15.0);
    EXPECT_FALSE(options->SettingsChanged);
}

TEST_F(OptionsTest, TypedHemisphereCountsOnlyWhenItNamesAnItem) {
    auto options = Open(kWestSouth);  // West and South chosen
    QLineEdit* lonHem = options->form()->LonHem->lineEdit();
    lonHem->selectAll();
    QTest::keyClicks(lonHem, "Somewhere");
    QLineEdit* latHem = options->form()->LatHem->lineEdit();
    latHem->selectAll();
    QTest::keyClicks(latHem, "Nowhere");
    ASSERT_EQ(options->form()->LonHem->currentText(), QString("Somewhere"));
    ASSERT_EQ(options->form()->LatHem->currentText(), QString("Nowhere"));
    options->AceptaClick();
    EXPECT_EQ(main_->Longitud, -(3.0 + 41.0 / 60.0));  // no item: East
    EXPECT_EQ(main_->Latitud, -(33.0 + 52.0 / 60.0));  // no item: South
    EXPECT_TRUE(options->SettingsChanged);

    options = Open(kWestSouth);
    options->form()->LatHem->setEditText("north");
    options->AceptaClick();
    EXPECT_EQ(main_->Latitud, 33.0 + 52.0 / 60.0);
}

TEST_F(OptionsTest, OnlyANewDateChangesOnlyTheDate) {
    const auto options = Open(kWestSouth);
    options->form()->Fecha->setDate(QDate(2024, 12, 25));
    options->AceptaClick();
    EXPECT_TRUE(options->SettingsChanged);
    EXPECT_EQ(main_->ShownDate, Day(2024, 12, 25));
    EXPECT_EQ(main_->Settings(), kWestSouth);
}

TEST_F(OptionsTest, EachChangedSettingIsWritten) {
    const auto options = Open(kWestSouth);
    options->form()->chkAju->setChecked(true);
    options->AceptaClick();
    EXPECT_TRUE(options->SettingsChanged);
    LocationSettings expected = kWestSouth;
    expected.Verano = true;
    EXPECT_EQ(main_->Settings(), expected);
    EXPECT_EQ(main_->ShownDate, Day(2024, 7, 1));
}

TEST_F(OptionsTest, ReopeningStartsAgainFromTheMainWindow) {
    const auto options = Open(kWestSouth);
    options->form()->chkAju->setChecked(true);
    options->AceptaClick();
    ASSERT_TRUE(options->SettingsChanged);
    main_->Verano = false;
    options->FormCreate();
    EXPECT_FALSE(options->SettingsChanged);
    EXPECT_FALSE(options->form()->chkAju->isChecked());
    EXPECT_EQ(options->form()->LonHem->count(), 2);
}

// ---------------------------------------------------------------------------------------
// Closing

TEST_F(OptionsTest, CancelAndTheCloseBoxTouchNothing) {
    for (const bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        const auto options = Open(kWestSouth);
        options->show();
        Type(options->form()->LonGra, "100");
        options->form()->Fecha->setDate(QDate(2024, 12, 25));
        options->form()->chkAju->setChecked(true);
        if (closeBox)
            options->close();
        else
            QTest::mouseClick(options->form()->Cancela, Qt::LeftButton);
        EXPECT_FALSE(options->isVisible());
        EXPECT_EQ(options->result(), QDialog::Rejected);
        EXPECT_FALSE(options->SettingsChanged);
        EXPECT_EQ(main_->Settings(), kWestSouth);
        EXPECT_EQ(main_->ShownDate, Day(2024, 7, 1));
    }
}

TEST_F(OptionsTest, AcceptButtonClosesAlsoWhenNothingChanged) {
    const auto options = Open(kWestSouth);
    options->show();
    QTest::mouseClick(options->form()->Acepta, Qt::LeftButton);
    EXPECT_FALSE(options->isVisible());
    EXPECT_EQ(options->result(), QDialog::Accepted);
    EXPECT_FALSE(options->SettingsChanged);
}

TEST_F(OptionsTest, EnterAndEscapeDoNotCloseTheWindow) {
    const auto options = Open(kWestSouth);
    options->show();
    EXPECT_FALSE(options->form()->Acepta->isDefault());
    EXPECT_FALSE(options->form()->Cancela->isDefault());
    Type(options->form()->LonGra, "100");
    QTest::keyClick(options->form()->LonGra, Qt::Key_Return);
    QTest::keyClick(options->form()->LonGra, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(options->form()->LonGra, Qt::Key_Escape);
    QTest::keyClick(options.get(), Qt::Key_Escape);
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(main_->Settings(), kWestSouth);
    EXPECT_EQ(options->form()->LonGra->text(), QString("100"));
}

// ---------------------------------------------------------------------------------------
// The window as designed

TEST_F(OptionsTest, TextsAreEnglish) {
    const auto options = Open(kWestSouth);
    const Ui::TForm2& form = *options->form();
    EXPECT_EQ(options->windowTitle(), QString("Helune Options"));
    EXPECT_EQ(form.Label1->text(), QString("Da&te :"));
    EXPECT_EQ(form.Label2->text(), QString("L&ongitude    :"));
    EXPECT_EQ(form.Label3->text(), QString("L&atitude      :"));
    EXPECT_EQ(form.Label4->text(), QString("Di&fference  :"));
    EXPECT_EQ(form.grpAju->title(), QString("Daylight Saving Time"));
    EXPECT_EQ(form.chkAju->text(), QString("&Use Daylight Saving Time"));
    EXPECT_EQ(form.Label11->text(), QString("A&djust :"));
    EXPECT_EQ(form.Acepta->text(), QString("Acc&ept"));
    EXPECT_EQ(form.Cancela->text(), QString("&Cancel"));
    const auto items = [](const QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(form.LonHem), QStringList({"East", "West"}));
    EXPECT_EQ(items(form.LatHem), QStringList({"North", "South"}));
    // Unit marks and the date pattern keep their designed texts.
    EXPECT_EQ(form.Label5->text(), QString("°"));
    EXPECT_EQ(form.Label9->text(), QString("'"));
    EXPECT_EQ(form.Label7->text(), QString("h"));
    EXPECT_EQ(form.Label12->text(), QString("m"));
    EXPECT_EQ(form.Fecha->displayFormat(), QString("ddd, d 'de' MMMM 'de' yyyy"));
    EXPECT_TRUE(form.Fecha->calendarPopup());
    EXPECT_EQ(form.Label1->buddy(), form.Fecha);
    EXPECT_EQ(form.Label11->buddy(), form.AjuHor);
    EXPECT_TRUE(form.LonHem->isEditable());
}

TEST_F(OptionsTest, ToolWindowCentredWithTheDesignedFont) {
    const auto options = Open(kWestSouth);
    const Qt::WindowFlags flags = options->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(options->size(), QSize(239, 186));
    EXPECT_EQ(options->minimumSize(), options->maximumSize());
    EXPECT_EQ(options->geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    EXPECT_EQ(options->palette().color(QPalette::Window), options->palette().color(QPalette::Button));
    EXPECT_FALSE(options->windowIcon().isNull());
    EXPECT_EQ(options->font().family(), QString("MS Sans Serif"));
    EXPECT_EQ(options->font().pixelSize(), 11);
    EXPECT_TRUE(options->font().bold());
    EXPECT_TRUE(options->form()->LonGra->font().bold());
    EXPECT_FALSE(options->form()->Fecha->font().bold());
    EXPECT_EQ(options->form()->Fecha->font().pixelSize(), 11);
}

TEST_F(OptionsTest, ControlsSitWhereDesigned) {
    const auto options = Open(kWestSouth);
    const Ui::TForm2& form = *options->form();
    EXPECT_EQ(form.Fecha->geometry(), QRect(48, 3, 190, 21));
    EXPECT_EQ(form.LonGra->geometry(), QRect(80, 28, 45, 21));
    EXPECT_EQ(form.LatHem->geometry(), QRect(176, 52, 60, 21));
    EXPECT_EQ(form.DifMin->geometry(), QRect(132, 76, 35, 21));
    EXPECT_EQ(form.grpAju->geometry(), QRect(5, 95, 230, 60));
    EXPECT_EQ(form.AjuHor->parentWidget(), form.grpAju);
    EXPECT_EQ(form.AjuHor->geometry(), QRect(64, 32, 45, 21));
    EXPECT_EQ(form.chkAju->geometry(), QRect(19, 16, 180, 17));
    EXPECT_EQ(form.Acepta->geometry(), QRect(24, 160, 75, 22));
    EXPECT_EQ(form.Cancela->geometry(), QRect(128, 160, 75, 22));
    EXPECT_EQ(form.Label4->geometry(), QRect(3, 80, 71, 13));
    EXPECT_EQ(form.Label13->geometry(), QRect(109, 35, 8, 13));
}

TEST_F(OptionsTest, TabVisitsTheControlsInScreenOrder) {
    const auto options = Open(kWestSouth);
    const Ui::TForm2& form = *options->form();
    options->show();
    QApplication::setActiveWindow(options.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(options.get()));
    // Tab steps through the date's day, month and year before leaving it, so the
    // round starts on the longitude and ends back on the date.
    const std::vector<QWidget*> order{form.LonGra, form.LonMin, form.LonHem, form.LatGra, form.LatMin,
                                      form.LatHem, form.DifHor, form.DifMin, form.chkAju, form.AjuHor,
                                      form.AjuMin, form.Acepta, form.Cancela, form.Fecha};
    order.front()->setFocus();
    for (std::size_t i = 1; i < order.size(); ++i) {
        SCOPED_TRACE(order[i - 1]->objectName().toStdString());
        ASSERT_TRUE(order[i - 1]->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(order[i]->hasFocus());
    }
    form.LonGra->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(form.Fecha->hasFocus());
}

// ---------------------------------------------------------------------------------------
// The keyboard and assistive technology

// Return and Enter press a focused button, as Space does; in a field they do
// nothing, nor does Esc: the window has no default and no cancel button.
TEST_F(OptionsTest, ReturnOnAFocusedButtonPressesIt) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        for (const bool accept : {true, false}) {
            const auto options = Open(kWestSouth);
            options->show();
            QApplication::setActiveWindow(options.get());
            ASSERT_TRUE(QTest::qWaitForWindowActive(options.get()));
            options->form()->LonGra->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            EXPECT_TRUE(options->isVisible()) << "Return in a field, and Esc";
            QPushButton* button = accept ? options->form()->Acepta : options->form()->Cancela;
            button->setFocus();
            QTest::keyClick(button, key);
            EXPECT_FALSE(options->isVisible());
            EXPECT_EQ(options->result(), accept ? QDialog::Accepted : QDialog::Rejected);
        }
    }
}

// Typed into the date field, digits set the day, the month and the year as
// they are typed (the weekday follows, the day kept within the month), and a
// month's name sets the month; a half-typed year that makes a date the field
// takes stays on Tab, one that makes none leaves the year as it was (the
// field takes none before 14 September 1752).
TEST_F(OptionsTest, TypedDatesAreTakenPartByPart) {
    const auto options = Open(kWestSouth);
    QDateEdit* date = options->form()->Fecha;
    options->show();
    QApplication::setActiveWindow(options.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(options.get()));
    const auto typed = [&](QDate from, QDateTimeEdit::Section section, const QString& keys) {
        date->setDate(from);
        date->setFocus();
        date->setCurrentSection(section);
        QTest::keyClicks(date, keys);
        return date->date();
    };
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::DaySection, "15"), QDate(2024, 7, 15));
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::DaySection, "9"), QDate(2024, 7, 9));
    EXPECT_EQ(typed(QDate(2024, 7, 31), QDateTimeEdit::MonthSection, "9"), QDate(2024, 9, 30));
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::MonthSection, "12"), QDate(2024, 12, 1));
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::MonthSection, "Sep"), QDate(2024, 9, 1));
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::YearSection, "2031"), QDate(2031, 7, 1));
    EXPECT_EQ(typed(QDate(2024, 2, 29), QDateTimeEdit::YearSection, "2025"), QDate(2025, 2, 28));
    EXPECT_TRUE(date->text().startsWith("Fri, 28 de")) << date->text().toStdString();
    // Half a year: 199 makes no date the field takes; 1999 does, and stays.
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::YearSection, "199"), QDate(2024, 7, 1));
    QTest::keyClicks(date, "9");
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(date->date(), QDate(1999, 7, 1));
    EXPECT_TRUE(options->form()->LonGra->hasFocus()) << "Tab from the year leaves the field";
    EXPECT_EQ(typed(QDate(2024, 7, 1), QDateTimeEdit::YearSection, "20"), QDate(2024, 7, 1));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(date->date(), QDate(2024, 7, 1)) << "no jump to another year";
    EXPECT_TRUE(options->form()->LonGra->hasFocus());
}

// Every field is named by its label and unit, the two boxes by their row.
TEST_F(OptionsTest, EveryFieldIsNamedForAssistiveTechnology) {
    const auto options = Open(kWestSouth);
    const Ui::TForm2& form = *options->form();
    const std::pair<QWidget*, const char*> names[] = {
        {form.Fecha, "Date"},
        {form.LonGra, "Longitude degrees"},  {form.LonMin, "Longitude minutes"},  {form.LonHem, "Longitude hemisphere"},
        {form.LatGra, "Latitude degrees"},   {form.LatMin, "Latitude minutes"},   {form.LatHem, "Latitude hemisphere"},
        {form.DifHor, "Difference hours"},   {form.DifMin, "Difference minutes"}, {form.chkAju, "Use Daylight Saving Time"},
        {form.AjuHor, "Adjust hours"},       {form.AjuMin, "Adjust minutes"},     {form.Acepta, "Accept"},
        {form.Cancela, "Cancel"},
    };
    for (const auto& [widget, name] : names)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name)
            << widget->objectName().toStdString();
}

}  // namespace
}  // namespace helune
