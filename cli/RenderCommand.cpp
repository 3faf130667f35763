// SPDX-License-Identifier: MIT
// render in helune-render: the window's chart painted as the window paints it,
// on the offscreen platform, and written whole.
#include <QBuffer>
#include <QFontMetricsF>
#include <QHashFunctions>
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

}  // namespace

bool OffscreenPainting::Prepare() {
    if (QCoreApplication::instance()) return false;
    // The PDF writer keeps its fonts in a hash: a seed of its own each run
    // would embed them in another order, and the same picture in other bytes.
    QHashSeed::setDeterministicGlobalSeed();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtNotes);
    return true;
}

OffscreenPainting::OffscreenPainting() {
    if (!QCoreApplication::instance()) application_.emplace(argc_, argv_);
    // Without a font every text would be drawn as empty boxes (the system's
    // font aliases are still named, but draw no letter).
    if (!QFontMetricsF(QFont(QStringLiteral("sans-serif"))).inFont(QLatin1Char('A')))
        throw WriteError{"no font to draw the picture's text with: install one (Debian's fonts-dejavu-core)"};
}

void WritePicture(const std::string& path, const QByteArray& bytes, Console& console) {
    if (path == "-") {
        console.out.write(bytes.constData(), bytes.size());
        return;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) throw UsageError{"--output: cannot write " + Quoted(path)};
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const std::string reason = errno != 0 ? std::strerror(errno) : file.errorString().toStdString();
        throw WriteError{"--output: " + Quoted(path) + " could not be written whole (" + reason +
                         "); it is left as it was"};
    }
}

int RunRender(const CommandLine& line, Console& console) {
    const std::optional<std::string> output = line.Value("--output");
    if (!output) throw UsageError{"--output is required"};
    PlaceOptions options = line.PlaceAsked();
    options.asWindow = true;
    const Observer observer = Observer::FromOptions(options, console.system);
    const QDate day = line.DateAsked("DATE", TodayOn(observer.clock(), console));
    for (const std::string& note : observer.Notes()) std::fprintf(stderr, "helune-cli: %s\n", note.c_str());
    const OffscreenPainting painting;
    // Encoded in memory first: writing is then one step, whose failure is ours to report.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !RenderDayChart(observer, day).save(&buffer, "PNG"))
        throw WriteError{"the picture could not be made"};
    WritePicture(*output, png, console);
    return 0;
}

}  // namespace helune::cli
