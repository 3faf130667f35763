// SPDX-License-Identifier: MIT
// The main window: a borderless black panel with the day chart, two arrows
// that step the shown date and three links on a bottom banner.
#pragma once

#include <QDate>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "Clicks.h"
#include "Phases.h"
#include "Settings.h"
#include "Surroundings.h"

namespace Ui {
class TForm1;
}
class QKeyEvent;
class QLabel;
class QMouseEvent;

namespace helune {

struct DayFacts;

// The main window's keys, as its help and accessible description say them.
inline constexpr char kWindowKeys[] =
    "Keys: Left or Page Up, the day before; Right or Page Down, the day after; Home, today; O, Options; "
    "U, Updates; Ctrl+Q, Close.";

// What the main window takes from its surroundings, and the two dialogs its
// links open (without them the links do nothing).
struct WindowServices : Surroundings {
    // Shows the options dialog over parent, editing record; true when accepting changed it.
    std::function<bool(ShownSettings& record, QWidget* parent)> options;
    std::function<void(QWidget* parent)> about;
};

// The shown date and the five settings are the window's own record, which the
// options dialog edits.
class TForm1 : public QWidget, public ShownSettings {
    Q_OBJECT

public:
    explicit TForm1(WindowServices services = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Recomputes and redraws the chart of ShownDate for the place and zone in force.
    void ShowData();
    // Fills PhaseTable around the shown date, as far as the chart reads it.
    void FindFasesLuna();
    // Today's date, the stored window position and settings, the zone in force.
    void FetchParameters();
    // Writes the five settings.
    void StoreParameters();
    // Fills in the system zone's defaults when asked, then sets EffectiveZone for
    // ShownDate.
    void GetInitialValues(bool applyDefaults);

    // Handlers of the window's controls.
    void diaClick(QObject* sender);
    void OpcionesClick();
    void UpdatesClick();
    void CerrarClick();
    void ControlMouseDown(Qt::MouseButtons buttons, QPoint at);
    void ControlMouseMove(Qt::MouseButtons buttons, QPoint at);
    // Back to the system's today, as at the start.
    void ShowToday();

    // Fields read by the chart and the options.
    int16_t DragOriginX = 0, DragOriginY = 0;
    int16_t ShownDay = 0, ShownMonth = 0, ShownYear = 0;
    int16_t ChartWidth = 0, ChartHeight = 0;
    QPixmap ChartBitmap;
    double NoonJulianDay = 0.0;
    double EffectiveZone = 0.0;
    PhaseTable Phases{};

    LocationSettings Settings() const;
    void SetSettings(const LocationSettings& settings);

    // Says that a save failed, once for each failure; a warning box unless replaced.
    std::function<void(const QString&)> ShowMessage;

    Ui::TForm1* form() const { return ui_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The window's keys (see kWindowKeys).
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void RestoreStoredPosition();
    void NameForAssistiveTechnology(const DayFacts& facts);
    void Act(QObject* control);

    // What a left-button press began, until its release: a drag from the
    // chart or the banner, or a press on an arrow or a link (which moves
    // nothing, wherever the mouse goes).
    enum class Gesture { None, Drag, Control };
    Gesture gesture_ = Gesture::None;

    WindowServices services_;
    std::unique_ptr<Ui::TForm1> ui_;
    QImage sunPicture_, moonPicture_;
    ClickTracker clicks_;
    bool followsScreen_ = false;
};

}  // namespace helune
