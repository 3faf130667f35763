// SPDX-License-Identifier: MIT
// The main window as a user meets it: dragging, the arrows, the options and the
// about window, driven through the real widgets.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "Dialogs.h"
#include "Helune1.h"
#include "Helune2.h"
#include "Helune3.h"
#include "Pictures.h"
#include "Registry.h"
#include "gui_fixture.h"
#include "ui_Helune1.h"
#include "ui_Helune2.h"
#include "ui_Helune3.h"

namespace helune {
namespace {

// Collects the addresses handed to the user's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class WindowTest : public IsolatedSettings {
protected:
    WindowTest() : IsolatedSettings(QDate(2024, 10, 26)) {}

    void StoreMadrid() {
        const std::pair<const char*, const char*> values[] = {
            {"Longitud", "3.7"}, {"Latitud", "40.4"}, {"Huso", "-15"}, {"Verano", "True"}, {"Ajuste", "-15"}};
        for (const auto& [name, text] : values)
            ASSERT_TRUE(WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text, kRegText, IsolatedStore()));
    }
    QString Stored(const char* name) {
        QString text;
        ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text, IsolatedStore());
        return text;
    }
    static void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
};

TEST_F(WindowTest, LeftButtonDragsByTheChartAndTheBanner) {
    TForm1 window(Services());
    window.move(100, 100);
    QWidget* chart = window.form()->Imagen;
    Mouse(chart, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    Mouse(chart, QEvent::MouseMove, {30, 25}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(120, 115));
    QWidget* banner = window.form()->Banner;
    Mouse(banner, QEvent::MouseButtonPress, {100, 5}, Qt::LeftButton, Qt::LeftButton);
    Mouse(banner, QEvent::MouseMove, {90, 5}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(110, 115));
}

TEST_F(WindowTest, OtherButtonsAndTheLinksDoNotDrag) {
    TForm1 window(Services());
    window.move(100, 100);
    QWidget* chart = window.form()->Imagen;
    Mouse(chart, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);  // origin (10, 10)
    Mouse(chart, QEvent::MouseButtonPress, {50, 50}, Qt::RightButton, Qt::RightButton);
    Mouse(chart, QEvent::MouseMove, {80, 90}, Qt::NoButton, Qt::RightButton);
    Mouse(chart, QEvent::MouseMove, {80, 90}, Qt::NoButton, Qt::MiddleButton);
    EXPECT_EQ(window.pos(), QPoint(100, 100));
    // A press on an arrow does not set the origin: the next left-button move on
    // the chart still moves from (10, 10).
    Mouse(window.form()->dMas, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    Mouse(chart, QEvent::MouseMove, {15, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(105, 100));
}

TEST_F(WindowTest, ArrowsStepAcrossTheAutumnChangeAndTheYearEnd) {
    StoreMadrid();
    TForm1 window(Services());
    EXPECT_EQ(window.EffectiveZone, -30.0);  // 26 October 2024, summer time
    QTest::mouseClick(window.form()->dMas, Qt::LeftButton);
    EXPECT_EQ(window.ShownDay, 27);
    EXPECT_EQ(window.EffectiveZone, -30.0);  // the change is at 03:00
    QTest::mouseClick(window.form()->dMas, Qt::LeftButton);
    EXPECT_EQ(window.EffectiveZone, -15.0);
    SetToday(QDate(2024, 12, 31));
    window.FetchParameters();
    QTest::mouseClick(window.form()->dMas, Qt::LeftButton);
    EXPECT_EQ(window.ShownYear, 2025);
    EXPECT_EQ(window.ShownMonth, 1);
    EXPECT_EQ(window.ShownDay, 1);
    QTest::mouseClick(window.form()->dMen, Qt::LeftButton);
    EXPECT_EQ(window.ShownYear, 2024);
    EXPECT_EQ(window.ShownDay, 31);
    QTest::mouseClick(window.form()->dMas, Qt::RightButton);  // not a click of the arrow
    EXPECT_EQ(window.ShownYear, 2024);
}

TEST_F(WindowTest, CancelAndUnchangedAcceptStoreNothingAndKeepTheWarning) {
    TForm1 window(Services());  // first start: defaults and a red link
    const QColor red(255, 0, 0);
    const auto cancel = WhenOpen<TForm2>([](TForm2& options) { options.CancelaClick(); });
    window.OpcionesClick();
    const auto accept = WhenOpen<TForm2>([](TForm2& options) { options.AceptaClick(); });
    window.OpcionesClick();
    EXPECT_EQ(Stored("Huso"), QString());
    EXPECT_EQ(window.form()->Opciones->palette().color(QPalette::WindowText), red);
}

TEST_F(WindowTest, AcceptingANewDateStoresAllFiveAndRedraws) {
    TForm1 window(Services());
    const QImage before = window.form()->Imagen->pixmap().toImage();
    const auto watch = WhenOpen<TForm2>([](TForm2& options) {
        options.form()->Fecha->setDate(QDate(2024, 12, 25));
        options.AceptaClick();
    });
    window.OpcionesClick();
    EXPECT_EQ(window.ShownMonth, 12);
    EXPECT_EQ(window.ShownDay, 25);
    EXPECT_EQ(Stored("Huso"), QString("-15"));
    EXPECT_EQ(Stored("Longitud"), QString("-15"));
    EXPECT_EQ(Stored("Latitud"), QString("0"));
    EXPECT_EQ(Stored("Verano"), QString("True"));
    EXPECT_EQ(Stored("Ajuste"), QString("-15"));
    EXPECT_NE(window.form()->Opciones->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_NE(window.form()->Imagen->pixmap().toImage(), before);
    EXPECT_EQ(window.EffectiveZone, -15.0);  // winter
}

TEST_F(WindowTest, AcceptingANewPlaceMovesTheFooter) {
    StoreMadrid();
    TForm1 window(Services());
    const auto watch = WhenOpen<TForm2>([](TForm2& options) {
        options.form()->LatGra->setText("33");
        options.form()->LatMin->setText("52");
        options.form()->LatHem->setCurrentIndex(1);  // South
        options.AceptaClick();
    });
    window.OpcionesClick();
    EXPECT_NEAR(window.Latitud, -(33.0 + 52.0 / 60.0), 1e-12);
    EXPECT_EQ(Stored("Latitud"), QString("-33.8666666666667"));
}

TEST_F(WindowTest, AboutWindowOpensTheAddressAndClosesOnEsc) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    TForm3 about;
    about.show();
    EXPECT_EQ(about.windowTitle(), QString("Helune Updates"));
    EXPECT_EQ(about.form()->LastUpdate->text(), QString("Helune Last Update : Jan 08, 2010"));
    EXPECT_EQ(about.size(), QSize(312, 284));
    QTest::mouseClick(about.form()->UpdateUrl, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened.front().path(), QString("/Eng/Helune.htm"));
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(&about, Qt::Key_Return);
    QTest::keyClick(&about, Qt::Key_A);
    EXPECT_TRUE(about.isVisible());
    QTest::keyPress(&about, Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());  // it is the release that closes
    QTest::keyRelease(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    QDesktopServices::unsetUrlHandler("https");
}

TEST_F(WindowTest, AModalWindowOfAnotherKindFailsTheTestInsteadOfHangingIt) {
    TForm1 window(Services());
    EXPECT_NONFATAL_FAILURE(
        {
            const auto watch = WhenOpen<TForm2>([](TForm2& options) { options.CancelaClick(); });
            window.UpdatesClick();  // the about window, not the options
        },
        "the expected dialog is not the modal window");
}

TEST_F(WindowTest, UpdatesLinkShowsTheAboutWindowModally) {
    TForm1 window(Services());
    bool shown = false;
    const auto watch = WhenOpen<TForm3>([&shown](TForm3& about) {
        shown = true;
        QTest::keyRelease(&about, Qt::Key_Escape);
    });
    QTest::mouseClick(window.form()->Updates, Qt::LeftButton);
    EXPECT_TRUE(shown);
}

// The options dialog as the window opens it, over the window: its designed
// 8-point bold font (11 pixels on the 96-dpi canvas), and every caption whole
// within its control.
TEST_F(WindowTest, TheOptionsDialogOverTheWindowHasItsDesignedFontAndWholeCaptions) {
    TForm1 window(Services());
    window.show();
    bool checked = false;
    const auto watch = WhenOpen<TForm2>([&checked](TForm2& options) {
        checked = true;
        EXPECT_EQ(options.parentWidget()->window()->objectName(), QString("TForm1"));
        for (QLabel* label : options.findChildren<QLabel*>()) {
            EXPECT_TRUE(label->font().bold()) << label->objectName().toStdString();
            EXPECT_EQ(label->font().pixelSize(), 11) << label->objectName().toStdString();
            EXPECT_LE(label->sizeHint().width(), label->width())
                << label->objectName().toStdString() << " '" << label->text().toStdString() << "' is clipped";
        }
        for (QAbstractButton* button : options.findChildren<QAbstractButton*>()) {
            const QString caption = QString(button->text()).remove('&');
            EXPECT_LT(button->fontMetrics().horizontalAdvance(caption), button->width())
                << button->text().toStdString() << " is clipped";
        }
        EXPECT_LE(options.form()->chkAju->sizeHint().width(), options.form()->chkAju->width());
        const QGroupBox* group = options.form()->grpAju;
        EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()) + 16, group->width());
        options.CancelaClick();
    });
    window.OpcionesClick();
    EXPECT_TRUE(checked);
}

// Captions are exactly the windows' own: the platform appends an application
// display name to every caption, so the program sets none.
TEST_F(WindowTest, CaptionsAreExactlyTheWindowsOwn) {
    NameTheApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName())
        << "a display name would be appended to every caption";
    TForm1 window(Services());
    EXPECT_EQ(window.windowTitle(), QString("Sun and Moon Helune"));
    const auto watch = WhenOpen<TForm2>([](TForm2& options) {
        EXPECT_EQ(options.windowTitle(), QString("Helune Options"));
        options.form()->LonGra->setText("x");
        const auto box = WhenOpen<QMessageBox>([](QMessageBox& message) {
            EXPECT_EQ(message.windowTitle(), QString("Options"));
            EXPECT_EQ(message.text(), QString("Longitude degrees are not valid"));
            message.accept();
        });
        options.ShowMessage = [&options](const QString& text) {
            QMessageBox::warning(&options, QStringLiteral("Options"), text);
        };
        options.AceptaClick();
        options.CancelaClick();
    });
    window.OpcionesClick();
}

// First start: no stored position, and the platform places the window.
TEST_F(WindowTest, WithoutAStoredPositionThePlatformPlacesTheWindow) {
    TForm1 window(Services());
    EXPECT_FALSE(window.testAttribute(Qt::WA_Moved)) << "the window moved itself to " << window.x() << ","
                                                     << window.y();
}

// A stored position is kept wholly on the screen (the offscreen screen is
// 800 × 600); one on no screen at all is left aside.
TEST_F(WindowTest, AStoredPositionIsKeptWhollyOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const auto openAt = [this](const char* left, const char* top) {
        WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Left", left, kRegText, IsolatedStore());
        WriteRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, "Top", top, kRegText, IsolatedStore());
        return std::make_unique<TForm1>(Services());
    };
    EXPECT_EQ(openAt("100", "50")->pos(), QPoint(100, 50));
    const auto partly = openAt(QByteArray::number(screen.right() - 100).constData(),
                               QByteArray::number(screen.bottom() - 100).constData());
    EXPECT_EQ(partly->pos(), QPoint(screen.right() + 1 - 195, screen.bottom() + 1 - 220));
    EXPECT_FALSE(openAt("-5000", "-5000")->testAttribute(Qt::WA_Moved));
}

// A press on an arrow or a link that is released elsewhere does nothing, as a
// button's; released over the control, it acts.
TEST_F(WindowTest, AClickActsOnlyWhenReleasedOverThePressedControl) {
    WindowServices services = Services();
    int abouts = 0;
    services.about = [&abouts](QWidget*) { ++abouts; };
    TForm1 window(services);
    window.show();
    QLabel* next = window.form()->dMas;
    const int16_t day = window.ShownDay;
    QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(60, 80));  // moved off, over the chart
    EXPECT_EQ(window.ShownDay, day);
    QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(-400, -400));  // outside the window
    EXPECT_EQ(window.ShownDay, day);
    QTest::mousePress(next, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(next, Qt::LeftButton, {}, QPoint(10, 6));
    EXPECT_EQ(window.ShownDay, day + 1);

    QLabel* updates = window.form()->Updates;
    QTest::mousePress(updates, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(updates, Qt::LeftButton, {}, QPoint(5, -30));
    EXPECT_EQ(abouts, 0);
    QTest::mouseClick(updates, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(abouts, 1);
}

// Each link answers over its caption; the banner beside it starts a drag.
TEST_F(WindowTest, EachLinkAnswersOverItsCaptionAlone) {
    TForm1 window(Services());
    window.move(100, 100);
    for (QLabel* link : {window.form()->Opciones, window.form()->Updates, window.form()->Cerrar}) {
        const int caption = link->fontMetrics().horizontalAdvance(link->text());
        EXPECT_LE(link->width(), caption + 2) << link->text().toStdString();
        EXPECT_GE(link->width(), caption) << link->text().toStdString();
    }
    EXPECT_EQ(window.form()->Opciones->geometry().topLeft(), QPoint(3, 3));
    EXPECT_EQ(window.form()->Cerrar->geometry().topLeft(), QPoint(156, 3));
    QWidget* banner = window.form()->Banner;
    const QPoint beside(window.form()->Opciones->geometry().right() + 10, 8);
    EXPECT_EQ(banner->childAt(beside), nullptr);
    Mouse(banner, QEvent::MouseButtonPress, beside, Qt::LeftButton, Qt::LeftButton);
    Mouse(banner, QEvent::MouseMove, beside + QPoint(7, 3), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(107, 103));
}

// Both dialogs open at the centre of the screen, wherever the window stands
// (to within the frame the platform puts around them).
TEST_F(WindowTest, BothDialogsOpenAtTheCentreOfTheScreen) {
    static constexpr int kFrameTolerance = 8;
    TForm1 window(Services());
    window.move(0, 0);
    window.show();
    const QPoint centre = window.screen()->availableGeometry().center();
    const auto centred = [&centre](QWidget& dialog) {
        EXPECT_LE((dialog.geometry().center() - centre).manhattanLength(), kFrameTolerance)
            << dialog.windowTitle().toStdString() << " at " << dialog.x() << "," << dialog.y() << " size "
            << dialog.width() << "x" << dialog.height() << ", the screen's centre " << centre.x() << "," << centre.y();
    };
    const auto options = WhenOpen<TForm2>([&](TForm2& dialog) {
        centred(dialog);
        dialog.CancelaClick();
    });
    window.OpcionesClick();
    const auto about = WhenOpen<TForm3>([&](TForm3& dialog) {
        centred(dialog);
        dialog.close();
    });
    window.UpdatesClick();
}

// Every window shows the one icon of the application: an icon made anew for
// each dialog left its scaled copies in the pixmap cache, some 16 kB for each
// dialog opened.
TEST_F(WindowTest, EveryWindowSharesTheApplicationsIcon) {
    TForm1 window(Services());
    const qint64 icon = QGuiApplication::windowIcon().cacheKey();
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
    EXPECT_EQ(window.windowIcon().cacheKey(), icon);
    for (int i = 0; i < 2; ++i) {
        const auto options = WhenOpen<TForm2>([icon](TForm2& dialog) {
            EXPECT_EQ(dialog.windowIcon().cacheKey(), icon);
            dialog.CancelaClick();
        });
        window.OpcionesClick();
        const auto about = WhenOpen<TForm3>([icon](TForm3& dialog) {
            EXPECT_EQ(dialog.windowIcon().cacheKey(), icon);
            dialog.close();
        });
        window.UpdatesClick();
    }
}

}  // namespace
}  // namespace helune

#include "test_window.moc"
