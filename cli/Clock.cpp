// SPDX-License-Identifier: MIT
#include "Clock.h"

#include <algorithm>
#include <cmath>

#include "Days.h"
#include "Values.h"

namespace helune::cli {

namespace {

constexpr double kMinutesPerDegreeOfZone = 4.0;

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

// A zone's date begins at its first midnight where its clocks repeat the hour
// after midnight (the date before ends there), and where they skip midnight,
// at the first instant after the gap.
JulianDay Clock::DayStart(QDate date) const {
    if (kind_ == Kind::Zone) {
        const std::vector<JulianDay> midnights = Readings(date, QTime(0, 0));
        if (!midnights.empty()) return midnights.front();
        const QDateTime start = date.startOfDay(*zone_);
        if (start.isValid()) return UniversalFromUnixMilliseconds(start.toMSecsSinceEpoch());
        // A date the clock skips whole (Samoa's 30 December 2011) has no
        // instant: it begins, and ends, where the next date begins.
        return DayStart(date.addDays(1));
    }
    // The Gregorian calendar throughout, as Qt's dates and times have it.
    return UniversalOfLocal(JulianDayOf(static_cast<DayCount>(date.toJulianDay())), ZoneOn(date)).jd;
}

QDateTime Clock::LocalTime(JulianDay universal) const {
    const qint64 ms = UnixMilliseconds(universal);
    if (kind_ == Kind::Zone) return QDateTime::fromMSecsSinceEpoch(ms, *zone_);
    if (kind_ == Kind::Fixed)
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, OffsetMinutes(fixedZone_) * 60);
    // The window's: the offset of the date the instant falls on by it.
    QDate date = DateOfJulianDay(LocalJulianDay(UniversalTime{universal}, ZoneOn(DateOfJulianDay(universal))));
    if (universal < DayStart(date)) date = date.addDays(-1);
    if (universal >= DayStart(date.addDays(1))) date = date.addDays(1);
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, OffsetMinutes(ZoneOn(date)) * 60);
}

std::vector<JulianDay> Clock::Readings(QDate date, QTime time) const {
    if (kind_ != Kind::Zone) return {DayStart(date) + time.msecsSinceStartOfDay() / kMillisecondsPerDay};
    // The reading as if on universal time, less each offset in force around it.
    const qint64 naive = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    std::vector<JulianDay> readings;
    for (const qint64 aside : {-kMillisecondsPerDay, kMillisecondsPerDay}) {
        const int offset = zone_->offsetFromUtc(QDateTime::fromMSecsSinceEpoch(naive + static_cast<qint64>(aside), Qt::UTC));
        const JulianDay t = UniversalFromUnixMilliseconds(naive - offset * 1000LL);
        const QDateTime local = LocalTime(t);
        if (local.date() == date && local.time() == time && (readings.empty() || readings.front() != t))
            readings.push_back(t);
    }
    std::sort(readings.begin(), readings.end());
    return readings;
}

JulianDay Clock::UniversalOf(QDate date, QTime time) const {
    const std::vector<JulianDay> readings = Readings(date, time);
    if (!readings.empty()) return readings.front();
    return UniversalFromUnixMilliseconds(QDateTime(date, time, *zone_).toMSecsSinceEpoch());
}

int OffsetMinutes(double zone) { return static_cast<int>(std::lround(-zone * kMinutesPerDegreeOfZone)); }

qint64 UnixMilliseconds(JulianDay universal) {
    return static_cast<qint64>(std::llround((universal - kUnixEpoch) * kMillisecondsPerDay));
}

JulianDay UniversalFromUnixMilliseconds(qint64 milliseconds) {
    return kUnixEpoch + static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

namespace {

constexpr int kLatestOffsetMinutes = 14 * 60;
constexpr std::size_t kLongestInstant = 48;

// hh:mm, hh:mm:ss or hh:mm:ss.fff… (a comma for the point too), to the millisecond.
std::optional<QTime> TimeOfDay(const std::string& text) {
    const std::optional<int> hours = DigitsAt(text, 0, 2), minutes = DigitsAt(text, 3, 2);
    if (!hours || !minutes || text.size() < 5 || text[2] != ':') return std::nullopt;
    int seconds = 0, milliseconds = 0;
    if (text.size() > 5) {
        const std::optional<int> s = DigitsAt(text, 6, 2);
        if (text[5] != ':' || !s) return std::nullopt;
        seconds = *s;
        if (text.size() > 8) {
            if ((text[8] != '.' && text[8] != ',') || text.size() == 9) return std::nullopt;
            for (std::size_t i = 9; i < text.size(); ++i) {
                if (!DigitsAt(text, i, 1)) return std::nullopt;
                if (i < 12) milliseconds = milliseconds * 10 + (text[i] - '0');
            }
            for (std::size_t i = text.size(); i < 12; ++i) milliseconds *= 10;
        }
    }
    const QTime time(*hours, *minutes, seconds, milliseconds);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

// Minutes ahead of universal time of Z, ±hh:mm, ±hhmm or ±hh; nothing for
// anything else or beyond 14 hours.
std::optional<int> OffsetOf(const std::string& text) {
    if (text == "Z" || text == "z") return 0;
    if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    const std::optional<int> hours = DigitsAt(text, 1, 2);
    std::optional<int> minutes = 0;
    if (text.size() == 6 && text[3] == ':') minutes = DigitsAt(text, 4, 2);
    else if (text.size() == 5) minutes = DigitsAt(text, 3, 2);
    else if (text.size() != 3) return std::nullopt;
    if (!hours || !minutes || *minutes >= 60 || *hours * 60 + *minutes > kLatestOffsetMinutes) return std::nullopt;
    return (text[0] == '-' ? -1 : 1) * (*hours * 60 + *minutes);
}

// The time and zone of text: "12:00", "12:00:00.5Z", "12:00+0200" …
std::optional<std::pair<QTime, std::optional<int>>> TimeAndOffset(const std::string& text) {
    const std::size_t zone = text.find_first_of("Zz+-", 5);
    const std::optional<QTime> time = TimeOfDay(text.substr(0, zone));
    if (!time) return std::nullopt;
    if (zone == std::string::npos) return std::pair{*time, std::optional<int>()};
    const std::optional<int> offset = OffsetOf(text.substr(zone));
    if (!offset) return std::nullopt;
    return std::pair{*time, offset};
}

// What a reading of the clock meant where its zone repeats it (the first
// instant is taken) or skips it (taken as far past as the gap is long).
std::optional<std::string> ReadingNote(const std::string& option, const Clock& clock, QDate date, QTime time,
                                       JulianDay taken) {
    if (clock.kind() != Clock::Kind::Zone) return std::nullopt;
    const std::vector<JulianDay> readings = clock.Readings(date, time);
    if (readings.size() == 1) return std::nullopt;
    const std::string reading = QDateTime(date, time).toString(Qt::ISODate).toStdString();
    const std::string zone = clock.zone()->id().toStdString();
    const auto iso = [&](JulianDay t) { return clock.LocalTime(t).toString(Qt::ISODate).toStdString(); };
    if (readings.empty()) return option + ": " + reading + " does not happen on " + zone + "'s clock; taking " + iso(taken);
    return option + ": " + reading + " happens twice on " + zone + "'s clock; taking the first, " + iso(readings[0]) +
           ", not " + iso(readings[1]);
}

std::optional<ReadInstant> UnixInstant(const std::string& text) {
    const std::optional<double> seconds = ParseDecimal(text.substr(1));
    if (text.empty() || text[0] != '@' || !seconds) return std::nullopt;
    return ReadInstant{UniversalFromUnixMilliseconds(std::llround(*seconds * 1000.0)), std::nullopt};
}

}  // namespace

ReadInstant ParseInstant(const std::string& option, const std::string& text, const Clock& clock, QDate today) {
    const UsageError bad{option + ": " + Quoted(text) +
                         " is not an instant like 2026-06-21T12:00, 2026-06-21 12:00:00+02:00, 2026-06-21, tomorrow "
                         "or @1782043200"};
    if (text.size() > kLongestInstant) throw bad;
    if (const std::optional<ReadInstant> unix = UnixInstant(text)) return *unix;
    const bool digits = !text.empty() && DigitsAt(text, 0, 1);
    const std::size_t split = digits ? 10 : text.find(' ');
    if (split < text.size() && text[split] != 'T' && text[split] != 't' && text[split] != ' ') throw bad;
    QDate date;
    try {
        date = ParseDateFrom(option, text.substr(0, split), today);
    } catch (const UsageError&) {
        throw bad;
    }
    if (split >= text.size()) return {clock.DayStart(date), std::nullopt};
    const auto timeAndOffset = TimeAndOffset(text.substr(split + 1));
    if (!timeAndOffset) throw bad;
    const auto [time, offset] = *timeAndOffset;
    if (offset)
        return {UniversalFromUnixMilliseconds(QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch()) -
                    *offset / kMinutesPerDay,
                std::nullopt};
    const JulianDay taken = clock.UniversalOf(date, time);
    return {taken, ReadingNote(option, clock, date, time, taken)};
}

}  // namespace helune::cli
