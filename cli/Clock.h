// SPDX-License-Identifier: MIT
// The clock of the console's answers: how a universal instant reads on the
// place's clock, and which span of universal time a local date is. A zone with
// its real history (--tz, the named place's zone, the system's), a fixed offset
// (--utc-offset), or the window's clock (--as-window): one offset a date, the
// zone's at the date's local midnight or the window's daylight-saving rule.
// Instants are Julian days of universal time; zones in degrees are universal
// minus local time, 15 per hour, positive West, as the engine has them.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>
#include <optional>
#include <string>
#include <vector>

#include "Calendar.h"
#include "Settings.h"

namespace helune::cli {

// Where the clock came from.
enum class ClockSource { GivenZone, GivenOffset, PlaceZone, StoredZone, SystemZone, WindowRule };

class Clock {
public:
    enum class Kind { Zone, Fixed, Window };

    static Clock OfZone(const QTimeZone& zone, ClockSource source = ClockSource::GivenZone);
    static Clock Fixed(double zone, ClockSource source = ClockSource::GivenOffset);
    // The window's clock: the zone's offset at each date's local midnight, or
    // without a zone the window's own rule over its stored settings.
    static Clock Window(std::optional<QTimeZone> zone, const LocationSettings& stored, const TimeZoneRecord& system,
                        ClockSource source);

    Kind kind() const { return kind_; }
    ClockSource source() const { return source_; }
    // Whether this is universal time standing in for a system zone that cannot
    // be used (see UsableZone).
    bool StandsInForTheSystemZone() const { return kind_ == Kind::Fixed && source_ == ClockSource::SystemZone; }
    // The zone with its history, where the clock has one.
    const std::optional<QTimeZone>& zone() const { return zone_; }

    // The one zone of a date as the window's chart takes it (degrees).
    double ZoneOn(QDate date) const;
    // The universal instant at which a local date begins: its first instant,
    // whether its midnight happens once, twice or (skipped) not at all; for a
    // date the clock skips whole, the next date's.
    JulianDay DayStart(QDate date) const;
    // The local time of an instant, with its offset.
    QDateTime LocalTime(JulianDay universal) const;
    // The instant at which the clock reads time on date (in a repeated hour,
    // the first; in a skipped one, as far past as the gap is long).
    JulianDay UniversalOf(QDate date, QTime time) const;
    // Every instant at which the clock reads time on date: none where its
    // zone skips the reading, two where it repeats it.
    std::vector<JulianDay> Readings(QDate date, QTime time) const;

private:
    Kind kind_ = Kind::Fixed;
    ClockSource source_ = ClockSource::GivenOffset;
    std::optional<QTimeZone> zone_;
    double fixedZone_ = 0.0;
    LocationSettings stored_;
    TimeZoneRecord system_;
};

// Minutes ahead of universal time of a zone in degrees positive West.
int OffsetMinutes(double zone);

// Julian days of universal time and the milliseconds of the Unix clock.
qint64 UnixMilliseconds(JulianDay universal);
JulianDay UniversalFromUnixMilliseconds(qint64 milliseconds);

// An instant as people and tools write it: ISO 8601 and RFC 3339 with T or a
// space, the seconds and their fraction optional, with Z or an offset
// (+02:00, +0200, +02), or without (read on the clock); a date alone (its
// first instant), or a word of ParseDateFrom (today, +1 …); @SECONDS of the
// Unix clock. note: what the clock's reading meant where its zone repeats it
// (the first instant) or skips it.
struct ReadInstant {
    JulianDay universal;
    std::optional<std::string> note;
};
ReadInstant ParseInstant(const std::string& option, const std::string& text, const Clock& clock, QDate today);

}  // namespace helune::cli
