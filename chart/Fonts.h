// SPDX-License-Identifier: MIT
// Fonts as the windows were designed: a family at a point size on a 96-dpi
// canvas, so sizes do not depend on the screen. Where the family is missing,
// Liberation Sans (with Arial's metrics) stands in.
#pragma once

#include <QFont>
#include <QStringList>
#include <cmath>

namespace helune {

inline QFont DesignFont(const QString& family, int pointSize, bool bold, bool underline = false) {
    QFont f;
    f.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(static_cast<int>(std::lround(pointSize * 96.0 / 72.0)));
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

}  // namespace helune
