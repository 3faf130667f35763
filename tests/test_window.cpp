// The main window as a user meets it: dragging, the arrows, the options and the
// about window, driven through the real widgets.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "Helune1.h"
#include "Helune2.h"
#include "Helune3.h"
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

}  // namespace
}  // namespace helune

#include "test_window.moc"
