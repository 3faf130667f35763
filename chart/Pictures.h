// SPDX-License-Identifier: MIT
// The program's pictures, from its resources: the Sun and the Moon of the
// chart (JPEG, decoded with libjpeg), the program's icon and the about
// window's background.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace helune {

// A JPEG picture of the resources; where it is missing or does not decode, an
// empty picture and the reason in error.
QImage LoadPicture(const QString& resource, QString& error);

struct ChartPictures {
    QImage sun, moon;  // empty where they could not be read (the reasons in errors)
    QString errors;
};
ChartPictures LoadChartPictures();

// The program's icon, which is also the application's (needs a QGuiApplication).
QIcon ProgramIcon();
QPixmap AboutBackground();

}  // namespace helune
