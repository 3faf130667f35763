// The program: the application titled "Sun and Moon Helune" and its main window,
// the only window that exists from the start. No arguments are read.
#include <QApplication>
#include <QIcon>

#include "Dialogs.h"
#include "Lenguajes.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("helune"));
    QApplication::setApplicationDisplayName(helune::kApplicationTitle);
    QApplication::setDesktopFileName(QStringLiteral("helune"));
    helune::TForm1 window(helune::WithDialogs({}));
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return QApplication::exec();
}
