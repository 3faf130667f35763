// SPDX-License-Identifier: MIT
// What the day view takes from the system: today's date by the local clock,
// the system's time-zone record and the settings store, each the system's own
// unless handed in (tests hand in their own, so that they change nothing of
// the process they run in).
#pragma once

#include <QDate>
#include <QTimeZone>
#include <functional>

#include "Registry.h"
#include "TimeZoneRecord.h"

namespace helune {

QDate LocalToday();

struct Surroundings {
    std::function<QDate()> today = LocalToday;
    std::function<TimeZoneRecord()> timeZone = GetTimeZoneInformation;
    RegistryStore store;
    // The system's zone itself, with its history (TZ, else the configured one).
    std::function<QTimeZone()> zone = [] { return QTimeZone::systemTimeZone(); };
};

}  // namespace helune
