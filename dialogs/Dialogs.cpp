// SPDX-License-Identifier: MIT
#include "Dialogs.h"

#include <QApplication>

#include "Helune2.h"
#include "Helune3.h"

namespace helune {

WindowServices WithDialogs(WindowServices services) {
    services.options = [](ShownSettings& record, QWidget* parent) {
        TForm2 options(record, parent);
        options.exec();
        return options.SettingsChanged;
    };
    services.about = [](QWidget* parent) {
        TForm3 about(parent);
        about.exec();
    };
    return services;
}

void NameTheApplication() {
    QApplication::setApplicationName(QStringLiteral(HELUNE_WINDOW_CLASS));
    QApplication::setDesktopFileName(QStringLiteral(HELUNE_APP_ID));
}

}  // namespace helune
