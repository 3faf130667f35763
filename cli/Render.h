// SPDX-License-Identifier: MIT
// The window's day chart as a picture, painted as the window paints it. Needs
// a QGuiApplication.
#pragma once

#include <QDate>
#include <QImage>

#include "Observer.h"

namespace helune::cli {

QImage RenderDayChart(const Observer& observer, QDate date);

}  // namespace helune::cli
