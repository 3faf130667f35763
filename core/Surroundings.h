// SPDX-License-Identifier: MIT
// What the day view takes from the system: today's date by the local clock,
// the system's time-zone record and the settings store, each the system's own
// unless handed in (tests hand in their own, so that they change nothing of
// the process they run in).
#pragma once

#include <QDate>
#include <QTimeZone>
#include <functional>
#include <string>

#include "Registry.h"
#include "TimeZoneRecord.h"

namespace helune {

QDate LocalToday();

// The system's time zone: TZ, a zone's name or its zone file by path (with or
// without a leading ':'), else the zone the system is configured with;
// invalid where Qt cannot read it (an unknown name, a file outside the zone
// database or not a zone file).
QTimeZone SystemTimeZone();
// What names the system's zone in a message: TZ's value, else the
// configured zone's name.
std::string SystemTimeZoneName();
// Whether a zone can serve as a clock: Qt reads it, and it keeps within 14
// hours of universal time, as every zone of the database does.
bool UsableZone(const QTimeZone& zone);

struct Surroundings {
    std::function<QDate()> today = LocalToday;
    std::function<TimeZoneRecord()> timeZone = GetTimeZoneInformation;
    RegistryStore store;
    // The system's zone itself, with its history, and its name for messages.
    std::function<QTimeZone()> zone = SystemTimeZone;
    std::function<std::string()> zoneName = SystemTimeZoneName;
};

}  // namespace helune
