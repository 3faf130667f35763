// SPDX-License-Identifier: MIT
#include "Surroundings.h"

namespace helune {

QDate LocalToday() { return QDate::currentDate(); }

}  // namespace helune
