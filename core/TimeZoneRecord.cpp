// SPDX-License-Identifier: MIT
#include "TimeZoneRecord.h"

#include <QDate>
#include <QDateTime>
#include <optional>

#include "Surroundings.h"

namespace helune {
namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kDaysPerWeek = 7;
constexpr int16_t kLastOccurrence = 5;

// One change of the clock: the offsets from universal time before and after it, and the
// local clock time, on the clock in force before it, at which it happens.
struct ClockChange {
    int offsetBefore = 0;
    int offsetAfter = 0;
    QDateTime clockBefore;
};

// Days in the last seven of a month count as the last occurrence of their weekday, so that
// a rule such as "the last Sunday" describes every year alike.
TransitionRule RuleOf(const QDateTime& clock) {
    const QDate date = clock.date();
    const QTime time = clock.time();
    TransitionRule rule;
    rule.Month = static_cast<int16_t>(date.month());
    rule.DayOfWeek = static_cast<int16_t>(date.dayOfWeek() % kDaysPerWeek);
    rule.Occurrence = date.day() > date.daysInMonth() - kDaysPerWeek
                          ? kLastOccurrence
                          : static_cast<int16_t>((date.day() - 1) / kDaysPerWeek + 1);
    rule.Hour = static_cast<int16_t>(time.hour());
    rule.Minute = static_cast<int16_t>(time.minute());
    rule.Second = static_cast<int16_t>(time.second());
    rule.Milliseconds = static_cast<int16_t>(time.msec());
    return rule;
}

ClockChange ChangeAt(const QTimeZone& zone, const QTimeZone::OffsetData& transition) {
    ClockChange change;
    change.offsetBefore = zone.offsetFromUtc(transition.atUtc.addSecs(-1));
    change.offsetAfter = transition.offsetFromUtc;
    const QDateTime universal = transition.atUtc.toUTC();
    change.clockBefore = QDateTime(universal.date(), universal.time(), Qt::UTC).addSecs(change.offsetBefore);
    return change;
}

// Daylight time is told from standard time by the offsets alone: the zone data of some
// places (Europe/Dublin) calls winter the daylight time, with a negative saving.
TimeZoneRecord RecordOfChanges(const ClockChange& forward, const ClockChange& back) {
    TimeZoneRecord record;
    record.Bias = -forward.offsetBefore / kSecondsPerMinute;
    record.DaylightBias = -(forward.offsetAfter - forward.offsetBefore) / kSecondsPerMinute;
    record.DaylightDate = RuleOf(forward.clockBefore);
    record.StandardDate = RuleOf(back.clockBefore);
    return record;
}

}  // namespace

TimeZoneRecord TimeZoneRecordFor(const QTimeZone& zone, int year) {
    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), zone);
    const QDateTime yearEnd(QDate(year, 12, 31), QTime(23, 59, 59, 999), zone);
    std::optional<ClockChange> forward;
    std::optional<ClockChange> back;
    for (const QTimeZone::OffsetData& transition : zone.transitions(yearStart, yearEnd)) {
        const ClockChange change = ChangeAt(zone, transition);
        if (change.offsetAfter > change.offsetBefore && !forward)
            forward = change;
        else if (change.offsetAfter < change.offsetBefore && !back)
            back = change;
    }
    if (forward && back)
        return RecordOfChanges(*forward, *back);

    TimeZoneRecord record;
    record.Bias = -zone.offsetFromUtc(yearEnd) / kSecondsPerMinute;
    return record;
}

TimeZoneRecord GetTimeZoneInformation() {
    const QTimeZone system = SystemTimeZone();
    return TimeZoneRecordFor(UsableZone(system) ? system : QTimeZone::utc(), QDate::currentDate().year());
}

}  // namespace helune
