// SPDX-License-Identifier: MIT
#include "Pictures.h"

#include <QFile>
#include <QGuiApplication>

#include "JpegDecoder.h"

// The pictures live in a static library, whose resources are registered by hand.
static void RegisterPictures() { Q_INIT_RESOURCE(helune); }

namespace helune {

QImage LoadPicture(const QString& resource, QString& error) {
    RegisterPictures();
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("the picture %1 is missing").arg(resource);
        return {};
    }
    DecodedJpeg decoded = DecodeJpeg(file.readAll());
    if (!decoded.error.isEmpty()) error = resource + QStringLiteral(": ") + decoded.error;
    return decoded.image;
}

ChartPictures LoadChartPictures() {
    ChartPictures pictures;
    QString sunError, moonError;
    pictures.sun = LoadPicture(QStringLiteral(":/sun.jpg"), sunError);
    pictures.moon = LoadPicture(QStringLiteral(":/moon.jpg"), moonError);
    pictures.errors = (sunError + (sunError.isEmpty() || moonError.isEmpty() ? "" : "; ") + moonError);
    return pictures;
}

// The application's icon, made once: each window that made its own would
// leave the icon's scaled copies in the pixmap cache under a new key.
QIcon ProgramIcon() {
    if (QGuiApplication::windowIcon().isNull()) {
        RegisterPictures();
        QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/helune.png")));
    }
    return QGuiApplication::windowIcon();
}

QPixmap AboutBackground() {
    RegisterPictures();
    return QPixmap(QStringLiteral(":/about.bmp"));
}

}  // namespace helune
