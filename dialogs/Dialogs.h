// SPDX-License-Identifier: MIT
// The two dialogs as the main window's links open them: each made for its
// use, run modally over the main window, and released.
#pragma once

#include "Helune1.h"

namespace helune {

// services with the options dialog (TForm2) and the about window (TForm3).
WindowServices WithDialogs(WindowServices services);

// Names the running application for the desktop: "helune" (its windows'
// class on X11, which its desktop entry names), with its desktop entry (and
// so its icon) by the application's id. No display name: the platform would append it to every window's
// caption ("Helune Options — …").
void NameTheApplication();

}  // namespace helune
