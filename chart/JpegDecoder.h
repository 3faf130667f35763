// SPDX-License-Identifier: MIT
// JPEG pictures decoded with libjpeg; a bad picture never ends the program.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace helune {

struct DecodedJpeg {
    QImage image;   // null when decoding failed
    QString error;  // empty on success
};

DecodedJpeg DecodeJpeg(const QByteArray& data);

}  // namespace helune
