// Today's date by the system's local clock, from one place that tests can set.
#pragma once

#include <QDate>

namespace helune {

QDate LocalToday();

// Makes LocalToday answer date (an invalid date restores the system clock).
void SetLocalTodayForTesting(QDate date);

}  // namespace helune
