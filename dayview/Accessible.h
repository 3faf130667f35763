// SPDX-License-Identifier: MIT
// What assistive technology is told of controls Qt would describe otherwise:
// labels that act as buttons, and combo boxes named as their row is.
#pragma once

#include <QString>

class QComboBox;
class QLabel;

namespace helune {

// Shows label as a button, named by its accessible name, whose press action
// is a left-button click at its centre.
void MakeAccessibleButton(QLabel* label);

// Names box: Qt names a combo box on Linux by its value, leaving its name to
// a label's relation, and a box without a label of its own would have none.
void NameComboBox(QComboBox* box, const QString& name);

}  // namespace helune
