// SPDX-License-Identifier: MIT
// render and plot in helune-cli, which links no GUI library so that it starts
// quickly: the pictures are helune-render's work, run with the same arguments
// and the same standard streams; its status is this program's.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

#include "Handlers.h"

namespace helune::cli {

namespace {

// helune-render, beside this program in a build, in libexec in an installation.
QString RenderProgram() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {here.filePath(QStringLiteral("helune-render")),
                                     here.filePath(QStringLiteral(HELUNE_RENDER_FROM_BIN "/helune-render"))})
        if (QFileInfo(candidate).isExecutable()) return candidate;
    return {};
}

int RunPictureProgram(const CommandLine& line, Console& console) {
    int argc = 1;
    char name[] = "helune-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const QString program = RenderProgram();
    if (program.isEmpty()) {
        std::fprintf(stderr, "helune-cli: %s: helune-render is not installed\n", std::string(line.command().name).c_str());
        return 1;
    }
    QStringList forwarded{QString::fromStdString(std::string(line.command().name))};
    for (const std::string& word : line.words()) forwarded << QString::fromStdString(word);
    console.out.flush();
    const int status = QProcess::execute(program, forwarded);
    return status < 0 ? 1 : status;
}

}  // namespace

int RunRender(const CommandLine& line, Console& console) { return RunPictureProgram(line, console); }

int RunPlot(const CommandLine& line, Console& console) { return RunPictureProgram(line, console); }

}  // namespace helune::cli
