// SPDX-License-Identifier: MIT
// The system's time-zone record: biases and the two yearly transition rules
// of the zone in force, derived from the system's IANA zone (TZ honoured).
#pragma once

#include <QTimeZone>
#include <cstdint>

namespace helune {

// A yearly change of clock: the occurrence-th weekday of a month (5 = the last)
// at a local clock time. A zone without daylight saving has month 0.
struct TransitionRule {
    int16_t Month = 0;         // 1..12, 0 for none
    int16_t DayOfWeek = 0;     // 0 = Sunday … 6 = Saturday
    int16_t Occurrence = 0;    // 1..5, 5 = the last of the month
    int16_t Hour = 0;
    int16_t Minute = 0;
    int16_t Second = 0;
    int16_t Milliseconds = 0;
};

// Minutes, with universal time = local time + bias.
struct TimeZoneRecord {
    int32_t Bias = 0;          // minus the standard offset
    int32_t StandardBias = 0;  // always 0: Bias already holds the standard offset
    int32_t DaylightBias = 0;  // minus the extra offset of daylight time
    TransitionRule StandardDate;  // back to standard time, in local daylight clock time
    TransitionRule DaylightDate;  // into daylight time, in local standard clock time
};

// The record of zone for year.
TimeZoneRecord TimeZoneRecordFor(const QTimeZone& zone, int year);

// The record of the system's zone for the current year.
TimeZoneRecord GetTimeZoneInformation();

}  // namespace helune
