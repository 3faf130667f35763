// SPDX-License-Identifier: MIT
#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace helune {

namespace {

int Area(const QRect& r) { return r.isEmpty() ? 0 : r.width() * r.height(); }

// The window's position moved the least that keeps it within area; a window
// larger than the area keeps its top-left corner in it.
QPoint Within(QPoint at, QSize size, const QRect& area) {
    const int x = std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace

std::optional<QPoint> OnScreen(QPoint wanted, QSize size) {
    const QRect window(wanted, size);
    const QScreen* best = nullptr;
    int bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const int area = Area(screen->availableGeometry().intersected(window));
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    if (!best) return std::nullopt;
    return Within(wanted, size, best->availableGeometry());
}

void CentreOnScreen(QWidget* dialog) {
    const QWidget* parent = dialog->parentWidget();
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(), dialog->size());
    frame.moveCenter(screen->availableGeometry().center());
    dialog->move(frame.topLeft());
}

}  // namespace helune
