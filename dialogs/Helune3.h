// SPDX-License-Identifier: MIT
// The about window: the date of the last update and the address of the update
// page, which opens in the user's web browser.
#pragma once

#include <QDialog>
#include <memory>

#include "Clicks.h"

namespace Ui {
class TForm3;
}

namespace helune {

inline constexpr char kUpdateUrl[] = "https://www.velmora.example/Eng/Helune.htm";

class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    void FormCreate();
    // Opens the update page; the window stays open whatever the browser does.
    void UpdateUrlClick();
    // Esc closes the window; other keys do nothing.
    void FormKeyUp(int key);

    Ui::TForm3* form() const { return ui_.get(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TForm3> ui_;
    ClickTracker clicks_;
};

}  // namespace helune
