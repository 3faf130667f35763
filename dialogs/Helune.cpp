// SPDX-License-Identifier: MIT
// The program: its main window, captioned "Sun and Moon Helune" (the title the
// task bar shows), the only window that exists from the start. Of its
// arguments only --version and --help are read, each answered on standard
// output without a display; any other is left aside.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "Dialogs.h"
#include "Helune1.h"

namespace {

constexpr char kHelp[] =
    "Usage: helune [--version | --help]\n"
    "A small window with the times of the Sun and the Moon for one day at one place: their risings,\n"
    "transits and settings, and the Moon's principal phases around the day. Drag it by the chart or\n"
    "the banner; << and >> step the day; Options sets the date, the place and the clock.\n";

// The answer to --version or --help, or nothing when neither is asked.
const char* Answer(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) return "helune " HELUNE_VERSION "\n";
        if (std::strcmp(argv[i], "--help") == 0) return kHelp;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (const char* answer = Answer(argc, argv)) {
        std::fputs(answer, stdout);
        if (answer == kHelp) std::printf("%s\nThe console: helune-cli --help.\n", helune::kWindowKeys);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    QApplication application(argc, argv);
    helune::NameTheApplication();
    helune::TForm1 window(helune::WithDialogs({}));
    window.show();
    return QApplication::exec();
}
