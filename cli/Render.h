// SPDX-License-Identifier: MIT
// The pictures of helune-render: the window's day chart painted as the window
// paints it, and what its commands share to paint without a display and to
// write what they painted.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <optional>
#include <string>

#include "CommandTable.h"
#include "Observer.h"

namespace helune::cli {

QImage RenderDayChart(const Observer& observer, QDate date);

// Qt's GUI on the offscreen platform, whatever the environment names, with
// its notes about the platform kept off standard error: painting needs it,
// no display does. Where an application runs already (the tests'), that one.
// Without any font to draw text with, a WriteError.
class OffscreenPainting {
public:
    OffscreenPainting();

private:
    // The platform and the message handler, set before the application reads them.
    static bool Prepare();
    bool prepared_ = Prepare();
    int argc_ = 1;
    char name_[11] = "helune-cli";
    char* argv_[2] = {name_, nullptr};
    std::optional<QGuiApplication> application_;
};

// The picture to path, which takes its name only once it is whole (a full
// disk leaves the previous picture, or none), or to the console's output for "-".
void WritePicture(const std::string& path, const QByteArray& bytes, Console& console);

}  // namespace helune::cli
