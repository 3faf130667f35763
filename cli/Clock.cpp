// SPDX-License-Identifier: MIT
#include "Clock.h"

#include <cmath>

#include "Days.h"
#include "Values.h"

namespace helune::cli {

namespace {

constexpr double kMinutesPerDegreeOfZone = 4.0;
constexpr double kMillisecondsPerDay = 86400000.0;
constexpr double kMinutesPerDay = 1440.0;
constexpr JulianDay kUnixEpoch = 2440587.5;

}  // namespace

Clock Clock::OfZone(const QTimeZone& zone, ClockSource source) {
    Clock clock;
    clock.kind_ = Kind::Zone;
    clock.source_ = source;
    clock.zone_ = zone;
    return clock;
}

Clock Clock::Fixed(double zone, ClockSource source) {
    Clock clock;
    clock.kind_ = Kind::Fixed;
    clock.source_ = source;
    clock.fixedZone_ = zone;
    return clock;
}

Clock Clock::Window(std::optional<QTimeZone> zone, const LocationSettings& stored, const TimeZoneRecord& system,
                    ClockSource source) {
    Clock clock;
    clock.kind_ = Kind::Window;
    clock.source_ = source;
    clock.zone_ = std::move(zone);
    clock.stored_ = stored;
    clock.system_ = system;
    return clock;
}

double Clock::ZoneOn(QDate date) const {
    if (kind_ == Kind::Fixed) return fixedZone_;
    if (zone_) return -zone_->offsetFromUtc(date.startOfDay(*zone_)) / 60.0 / kMinutesPerDegreeOfZone;
    return EffectiveZoneOn(stored_, static_cast<DayCount>(date.toJulianDay()), system_);
}

JulianDay Clock::DayStart(QDate date) const {
    if (kind_ == Kind::Zone) return UniversalFromUnixMilliseconds(date.startOfDay(*zone_).toMSecsSinceEpoch());
    // The Gregorian calendar throughout, as Qt's dates and times have it.
    return JulianDayOf(static_cast<DayCount>(date.toJulianDay())) + ZoneOn(date) / 360.0;
}

QDateTime Clock::LocalTime(JulianDay universal) const {
    const qint64 ms = UnixMilliseconds(universal);
    if (kind_ == Kind::Zone) return QDateTime::fromMSecsSinceEpoch(ms, *zone_);
    if (kind_ == Kind::Fixed)
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, OffsetMinutes(fixedZone_) * 60);
    // The window's: the offset of the date the instant falls on by it.
    QDate date = DateOfJulianDay(universal - ZoneOn(DateOfJulianDay(universal)) / 360.0);
    if (universal < DayStart(date)) date = date.addDays(-1);
    if (universal >= DayStart(date.addDays(1))) date = date.addDays(1);
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, OffsetMinutes(ZoneOn(date)) * 60);
}

JulianDay Clock::UniversalOf(QDate date, QTime time) const {
    if (kind_ == Kind::Zone)
        return UniversalFromUnixMilliseconds(QDateTime(date, time, *zone_).toMSecsSinceEpoch());
    return DayStart(date) + time.msecsSinceStartOfDay() / kMillisecondsPerDay;
}

int OffsetMinutes(double zone) { return static_cast<int>(std::lround(-zone * kMinutesPerDegreeOfZone)); }

qint64 UnixMilliseconds(JulianDay universal) {
    return static_cast<qint64>(std::llround((universal - kUnixEpoch) * kMillisecondsPerDay));
}

JulianDay UniversalFromUnixMilliseconds(qint64 milliseconds) {
    return kUnixEpoch + static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

namespace {

// The clock reading of an instant's text, "12:00" or "12:00:00" at text[11];
// at: where the text after it begins.
QTime ClockReading(const std::string& text, std::size_t& at) {
    const std::optional<int> hours = DigitsAt(text, 11, 2), minutes = DigitsAt(text, 14, 2);
    at = 16;
    std::optional<int> seconds = 0;
    if (text.size() > at && text[at] == ':') {
        seconds = DigitsAt(text, at + 1, 2);
        at += 3;
    }
    return hours && minutes && seconds && text[13] == ':' ? QTime(*hours, *minutes, *seconds) : QTime();
}

}  // namespace

JulianDay ParseInstant(const std::string& option, const std::string& text, const Clock& clock) {
    const UsageError bad{option + ": " + Quoted(text) +
                         " is not an instant like 2026-06-21T12:00 or 2026-06-21T12:00:00+02:00"};
    if (text.size() < 16 || text[10] != 'T') throw bad;
    QDate date;
    try {
        date = ParseDate(option, text.substr(0, 10));
    } catch (const UsageError&) {
        throw bad;
    }
    std::size_t at = 0;
    const QTime time = ClockReading(text, at);
    if (!time.isValid()) throw bad;
    const std::string zone = text.substr(at);
    if (zone.empty()) return clock.UniversalOf(date, time);
    int offset = 0;
    try {
        offset = zone == "Z" ? 0 : ParseUtcOffset(option, zone);
    } catch (const UsageError&) {
        throw bad;
    }
    return UniversalFromUnixMilliseconds(QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch()) - offset / kMinutesPerDay;
}

}  // namespace helune::cli
