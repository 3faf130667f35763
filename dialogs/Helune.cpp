// SPDX-License-Identifier: MIT
// The program: its main window, captioned "Sun and Moon Helune" (the title the
// task bar shows), the only window that exists from the start. No arguments
// are read.
#include <QApplication>

#include "Dialogs.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    helune::NameTheApplication();
    helune::TForm1 window(helune::WithDialogs({}));
    window.show();
    return QApplication::exec();
}
