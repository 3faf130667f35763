// SPDX-License-Identifier: MIT
// The options window: the shown date, the observer's place, the standard zone
// and the daylight-saving adjustment, edited as whole degrees, hours and minutes.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

namespace Ui {
class TForm2;
}
class QDate;
class QKeyEvent;

namespace helune {

struct LocationSettings;
struct ShownSettings;

class TForm2 : public QDialog {
    Q_OBJECT

public:
    // main: the main window's record of the shown date and the settings.
    explicit TForm2(ShownSettings& main, QWidget* parent = nullptr);
    ~TForm2() override;

    // Fills the controls from the main window's date and settings.
    void FormCreate();
    // Checks the entries, writes the values that differ into the main window's
    // record and closes; an entry that is not valid is reported and the window stays.
    void AceptaClick();
    // Closes without touching the main window's record.
    void CancelaClick();

    // Set when accepting wrote any value into the main window's record.
    bool SettingsChanged = false;

    // Reports an entry that is not valid; a warning box unless replaced.
    std::function<void(const QString&)> ShowMessage;

    Ui::TForm2* form() const { return ui_.get(); }

protected:
    // Esc leaves the window open: only the buttons and the close box end it;
    // Return or Enter presses a focused button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetEnglishTexts();
    void NameTheFields();
    void ShowSettings();
    void StoreChanges(const QDate& date, const LocationSettings& chosen);

    ShownSettings& main_;
    std::unique_ptr<Ui::TForm2> ui_;
};

}  // namespace helune
