// SPDX-License-Identifier: MIT
#include "Helune3.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QUrl>

#include "Fonts.h"
#include "Helune1.h"
#include "Pictures.h"
#include "Placement.h"
#include "ui_Helune3.h"

namespace helune {

namespace {

QFont AboutFont(bool underlined) { return DesignFont(QStringLiteral("Tahoma"), 8, true, underlined); }

}  // namespace

TForm3::TForm3(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ui_(std::make_unique<Ui::TForm3>()) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    ui_->Fondo->setPixmap(AboutBackground());
    ui_->LastUpdate->setFont(AboutFont(false));
    ui_->CheckUpdates->setFont(AboutFont(false));
    ui_->UpdateUrl->setFont(AboutFont(true));
    ui_->UpdateUrl->installEventFilter(this);
    // The main window's keys, where a user looking for help looks.
    ui_->Fondo->setToolTip(QString::fromLatin1(kWindowKeys));
    CentreOnScreen(this);
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::FormCreate() {
    setWindowTitle(QStringLiteral("Helune Updates"));
    ui_->UpdateUrl->setText(kUpdateUrl);
    ui_->LastUpdate->setText(QStringLiteral("Helune Last Update : Jan 08, 2010"));
    ui_->CheckUpdates->setText(QStringLiteral("Check for updates at:"));
}

void TForm3::UpdateUrlClick() { QDesktopServices::openUrl(QUrl(ui_->UpdateUrl->text())); }

void TForm3::FormKeyUp(int key) {
    if (key == Qt::Key_Escape) close();
}

// Esc acts when it is released, not as a dialog's usual press.
void TForm3::keyPressEvent(QKeyEvent* event) { event->accept(); }

void TForm3::keyReleaseEvent(QKeyEvent* event) { FormKeyUp(event->key()); }

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->UpdateUrl && ClickTracker::IsLeftButton(event)) {
        if (clicks_.Clicked(watched, event)) UpdateUrlClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace helune
