// SPDX-License-Identifier: MIT
#include "Clicks.h"

#include <QMouseEvent>
#include <QWidget>

namespace helune {

bool ClickTracker::IsLeftButton(QEvent* event) {
    const bool mouse = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease;
    return mouse && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

bool ClickTracker::Clicked(QObject* watched, QEvent* event) {
    if (!IsLeftButton(event)) return false;
    if (event->type() == QEvent::MouseButtonPress) {
        pressed_ = watched;
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    const bool inside =
        widget && widget->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
    const bool clicked = pressed_ == watched && inside;
    pressed_ = nullptr;
    return clicked;
}

}  // namespace helune
