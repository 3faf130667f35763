// SPDX-License-Identifier: MIT
// render in helune-render: the window's chart painted as the window paints it,
// on the offscreen platform, and written whole.
#include <QBuffer>
#include <QGuiApplication>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Handlers.h"
#include "Render.h"

namespace helune::cli {

namespace {

// Qt's notes about its platform (a missing runtime folder under the offscreen
// platform) are no concern of a script; its errors still show.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "helune-cli: %s\n", qPrintable(message));
}

// The picture goes to a file beside the output and takes its name only when
// it is whole: a full disk leaves the previous picture, or none.
void WriteWhole(const std::string& path, const QByteArray& png) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) throw UsageError{"--output: cannot write " + Quoted(path)};
    errno = 0;
    if (file.write(png) != png.size() || !file.commit()) {
        const std::string reason = errno != 0 ? std::strerror(errno) : file.errorString().toStdString();
        throw WriteError{"--output: " + Quoted(path) + " could not be written whole (" + reason +
                         "); it is left as it was"};
    }
}

}  // namespace

int RunRender(const CommandLine& line, Console& console) {
    const std::optional<std::string> output = line.Value("--output");
    if (!output) throw UsageError{"--output is required"};
    PlaceOptions options = line.PlaceAsked();
    options.asWindow = true;
    const Observer observer = Observer::FromOptions(options, console.system);
    const QDate day = line.DateAsked("DATE", TodayOn(observer.clock(), console));
    for (const std::string& note : observer.Notes()) std::fprintf(stderr, "helune-cli: %s\n", note.c_str());
    // No display is needed nor wanted, whatever the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtNotes);
    int argc = 1;
    char name[] = "helune-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    // Encoded in memory first: writing is then one step, whose failure is ours to report.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !RenderDayChart(observer, day).save(&buffer, "PNG"))
        throw WriteError{"the picture could not be made"};
    if (*output != "-") return WriteWhole(*output, png), 0;
    console.out.write(png.constData(), png.size());
    return 0;
}

}  // namespace helune::cli
