// SPDX-License-Identifier: MIT
// Where the program's windows open: a stored position kept wholly on a screen,
// and the dialogs centred on the screen.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

class QWidget;

namespace helune {

// The position nearest wanted at which a window of the size lies wholly
// within the available area of the screen it overlaps most; nothing where it
// overlaps none (a screen since removed).
std::optional<QPoint> OnScreen(QPoint wanted, QSize size);

// Keeps a dialog centred, its frame included, on the screen its parent is on
// (the primary screen without a parent): at once, with the frame the last
// framed dialog had, and again on showing and once the window manager has
// framed it, when its own frame is known.
void CentreOnScreen(QWidget* dialog);

}  // namespace helune
