#include "Today.h"

namespace helune {
namespace {

QDate& DateSetForTesting() {
    static QDate date;
    return date;
}

}  // namespace

QDate LocalToday() {
    const QDate set = DateSetForTesting();
    return set.isValid() ? set : QDate::currentDate();
}

void SetLocalTodayForTesting(QDate date) {
    DateSetForTesting() = date;
}

}  // namespace helune
