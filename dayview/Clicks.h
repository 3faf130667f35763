// SPDX-License-Identifier: MIT
// Labels that act as buttons do: a click is a left-button press and a release
// inside the same label, so that moving off before releasing cancels it.
#pragma once

class QEvent;
class QObject;

namespace helune {

class ClickTracker {
public:
    // Follows the left button's presses and releases on the watched labels:
    // answers whether event ends a click on watched. A press is taken, so that
    // it starts nothing beneath the label.
    bool Clicked(QObject* watched, QEvent* event);
    // Whether event is a left-button press or release that Clicked has taken.
    static bool IsLeftButton(QEvent* event);

private:
    QObject* pressed_ = nullptr;
};

}  // namespace helune
