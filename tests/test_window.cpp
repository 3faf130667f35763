// SPDX-License-Identifier: MIT
// The main window as a user meets it: dragging, the arrows, the options and the
// about window, driven through the real widgets.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAccessible>
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
    // Services whose two dialogs only count how often they are opened.
    WindowServices CountingDialogs(int& options, int& abouts) {
        WindowServices services = Services();
        services.options = [&options](ShownSettings&, QWidget*) { return ++options, false; };
        services.about = [&abouts](QWidget*) { ++abouts; };
        return services;
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
    // A press on an arrow owns its gesture: no move drags until it is released.
    Mouse(window.form()->dMas, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    Mouse(chart, QEvent::MouseMove, {15, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), QPoint(100, 100));
}

// Opens the options dialog and then the about window from the window's links,
// hands each to check as it is shown, and closes it.
void OpenBothDialogs(TForm1& window, const std::function<void(QWidget&)>& check) {
    const auto options = WhenOpen<TForm2>([&](TForm2& dialog) {
        check(dialog);
        dialog.CancelaClick();
    });
    window.OpcionesClick();
    const auto about = WhenOpen<TForm3>([&](TForm3& dialog) {
        check(dialog);
        dialog.close();
    });
    window.UpdatesClick();
}

// A press on any arrow or link, then a hand's move of 1 px or a drag of 30 px
// before the release: the window stays where it is; released over the
// control (1 px) it acts, released off it (30 px down, below every control) it
// does nothing.
TEST_F(WindowTest, APressOnAControlOwnsItsGestureUntilReleased) {
    for (const int moved : {1, 30}) {
        int options = 0, abouts = 0;
        TForm1 window(CountingDialogs(options, abouts));
        window.move(100, 100);
        window.show();
        const int16_t day = window.ShownDay;
        for (QLabel* control : {window.form()->dMen, window.form()->dMas, window.form()->Opciones,
                                window.form()->Updates, window.form()->Cerrar}) {
            SCOPED_TRACE(control->objectName().toStdString() + " moved " + std::to_string(moved));
            const QPoint at(3, 3), to = at + QPoint(moved, moved == 1 ? 0 : moved);
            Mouse(control, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            Mouse(control, QEvent::MouseMove, (at + to) / 2, Qt::NoButton, Qt::LeftButton);
            Mouse(control, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
            EXPECT_EQ(window.pos(), QPoint(100, 100));
            Mouse(control, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
        }
        const bool acted = moved == 1;
        EXPECT_EQ(window.ShownDay, day) << "a day back and a day forward, or neither";
        EXPECT_EQ(options, acted ? 1 : 0);
        EXPECT_EQ(abouts, acted ? 1 : 0);
        EXPECT_EQ(window.isVisible(), !acted) << "Close";
    }
}

// The window's keys: the arrows' steps, today, the two dialogs and Close
// (which keeps the window's position, as the link does).
TEST_F(WindowTest, KeysStepTheDayOpenTheDialogsAndClose) {
    int options = 0, abouts = 0;
    TForm1 window(CountingDialogs(options, abouts));
    window.move(140, 90);
    window.show();
    const QDate today(2024, 10, 26);
    const auto shown = [&window] { return QDate(window.ShownYear, window.ShownMonth, window.ShownDay); };
    const std::pair<Qt::Key, int> steps[] = {
        {Qt::Key_Right, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_Left, 1}, {Qt::Key_PageUp, 0}, {Qt::Key_PageUp, -1}};
    for (const auto& [key, days] : steps) {
        QTest::keyClick(&window, key);
        EXPECT_EQ(shown(), today.addDays(days)) << key;
    }
    QTest::keyClick(&window, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(shown(), today.addDays(-1)) << "Ctrl+Right is no key of the window";
    QTest::keyClick(&window, Qt::Key_Home);
    EXPECT_EQ(shown(), today);
    QTest::keyClick(&window, Qt::Key_O);
    QTest::keyClick(&window, Qt::Key_U);
    EXPECT_EQ(options, 1);
    EXPECT_EQ(abouts, 1);
    QTest::keyClick(&window, Qt::Key_Q);
    EXPECT_TRUE(window.isVisible()) << "Q alone";
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(Stored("Left"), QString::number(window.x()));
    EXPECT_EQ(Stored("Top"), QString::number(window.y()));
}

// To assistive technology the arrows and links are buttons, named, whose
// press action is their click; the window says its keys.
TEST_F(WindowTest, ArrowsAndLinksAreAccessibleButtons) {
    int options = 0, abouts = 0;
    TForm1 window(CountingDialogs(options, abouts));
    window.show();
    const int16_t day = window.ShownDay;
    const std::pair<QLabel*, const char*> buttons[] = {{window.form()->dMas, "Next day"},
                                                       {window.form()->dMen, "Previous day"},
                                                       {window.form()->Opciones, "Options"},
                                                       {window.form()->Updates, "Updates"},
                                                       {window.form()->Cerrar, "Close"}};
    for (const auto& [label, name] : buttons) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(label);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->role(), QAccessible::Button) << name;
        EXPECT_EQ(button->text(QAccessible::Name), name);
        ASSERT_NE(button->actionInterface(), nullptr) << name;
        EXPECT_EQ(button->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    EXPECT_EQ(window.ShownDay, day);
    EXPECT_EQ(options, 1);
    EXPECT_EQ(abouts, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Description).contains("Home, today"));
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
    OpenBothDialogs(window, centred);
}

// A save that fails (here the store's folder cannot be made: a file stands
// in its way) is said once, with its reason, and the window goes on; closing
// says so for the position, accepting new settings for them.
TEST_F(WindowTest, AFailedSaveIsSaidOnce) {
    QFile inTheWay(config_.path() + "/Velmora");
    ASSERT_TRUE(inTheWay.open(QIODevice::WriteOnly) && inTheWay.write("in the way") == 10);
    inTheWay.close();
    WindowServices services = Services();
    services.options = [](ShownSettings& record, QWidget*) {
        record.Latitud = 40.4;
        return true;
    };
    TForm1 window(services);
    QStringList messages;
    window.ShowMessage = [&messages](const QString& text) { messages << text; };
    window.show();
    window.OpcionesClick();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "The settings could not be saved: cannot make the folder " + config_.path() + "/Velmora.");
    EXPECT_EQ(window.Latitud, 40.4) << "in force for the session";
    window.close();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].startsWith("The window's position could not be saved: ")) << messages[1].toStdString();
}

// Under a window manager (check_window_manager.sh runs these under Xvfb with
// openbox), each dialog's frame, its title bar included, is centred on the
// screen of the main window, to the pixel the halving allows.
class OnAWindowManager : public WindowTest {};

TEST_F(OnAWindowManager, BothDialogsAreCentredFrameIncluded) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs a display with a window manager: tests/check_window_manager.sh";
    TForm1 window(Services());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint centre = window.screen()->availableGeometry().center();
    const auto centred = [&centre](QWidget& dialog) {
        const auto framed = [&dialog] { return !dialog.windowHandle()->frameMargins().isNull(); };
        EXPECT_TRUE(QTest::qWaitFor(framed, 3000)) << "the window manager framed no dialog";
        const auto atCentre = [&] { return (dialog.frameGeometry().center() - centre).manhattanLength() <= 1; };
        const bool reached = QTest::qWaitFor(atCentre, 3000);
        const QRect frame = dialog.frameGeometry();
        EXPECT_TRUE(reached) << dialog.windowTitle().toStdString() << ": frame " << frame.x() << "," << frame.y()
                                << " " << frame.width() << "x" << frame.height() << ", the screen's centre "
                                << centre.x() << "," << centre.y();
    };
    OpenBothDialogs(window, centred);
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
