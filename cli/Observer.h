// SPDX-License-Identifier: MIT
// The observer of the console's commands: the place, and the clock that turns
// instants into local times and local dates into spans of universal time; from
// the command line or, where it says nothing, from the system's zone and the
// window's stored place. The engine's conventions throughout: degrees, longitude
// positive West, zone = universal minus local clock time (15 per hour).
#pragma once

#include <QDate>
#include <QTimeZone>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calendar.h"
#include "Settings.h"
#include "Surroundings.h"

namespace helune::cli {

// A bad option or value: the message names it.
struct UsageError {
    std::string message;
};

// A value as an error message quotes it: between quotes, cut to its first 40
// bytes (never inside a character) so that one line stays one line.
std::string Quoted(std::string_view text);

// A decimal number written whole in the C notation whatever the locale:
// optional sign, digits with at most one point, nothing else (no exponent,
// no hexadecimal, no "inf"), at most 32 characters.
std::optional<double> ParseDecimal(std::string_view text);

// The dates whose reports the console answers: each date's report reaches a
// lunation before it (the Moon's age) and six weeks after it (the window's
// phase lines), and every time it writes stays within the years 1 to 9999 of
// ISO 8601.
inline const QDate kFirstAnsweredDate{1, 2, 1};
inline const QDate kLastAnsweredDate{9999, 11, 15};

// "40.4", "-3.7", "40.4N", "3.7W": signed degrees, North and East positive, or
// unsigned with a hemisphere letter. option names the option in errors.
double ParseLatitude(const std::string& option, const std::string& text);
double ParseLongitudeEast(const std::string& option, const std::string& text);

// "+01:00", "-05:30": minutes ahead of universal time.
int ParseUtcOffset(const std::string& option, const std::string& text);

// An ISO date, YYYY-MM-DD (the Gregorian calendar, also before 1582), from
// kFirstAnsweredDate to kLastAnsweredDate.
QDate ParseDate(const std::string& name, const std::string& text);

// What the command line says about the place and the zone; empty: not given.
struct PlaceOptions {
    std::string latitude, longitude, timeZone, utcOffset, place;
    bool asWindow = false;  // the window's chart: one zone a date, its daylight rule by default
};

// The observer of a command: a place and a clock. The clock is a zone with its
// real history (--tz, or the system's zone), a fixed offset (--utc-offset), or,
// as the window has it (--as-window), one offset for each date: --tz's at the
// date's local midnight, the fixed one, or the window's daylight rule.
class Observer {
public:
    // The place and zone of the options. Without --lat and --lon (or --place),
    // the window's stored place; failing that, the zone's principal city (said
    // in Notes()), and for the window's clock its own defaults.
    static Observer FromOptions(const PlaceOptions& options, const Surroundings& system = {});
    // A fixed place under a fixed offset (zone: degrees, positive West).
    static Observer Fixed(double longitudeWest, double latitude, double zone);
    // A fixed place in a zone with its history.
    static Observer InZone(double longitudeWest, double latitude, const QTimeZone& zone);

    double LongitudeWest() const { return longitudeWest_; }
    double Latitude() const { return latitude_; }
    // What was assumed for want of options or store, one line each, for standard error.
    const std::vector<std::string>& Notes() const { return notes_; }

    // The one zone of a date as the window's chart takes it: the fixed offset,
    // the zone's at the date's local midnight, or the window's daylight rule.
    double ZoneOn(QDate date) const;

    // The clock: the universal instant at which a local date begins, and the
    // local time of an instant, with its offset.
    JulianDay DayStart(QDate date) const;
    QDateTime LocalTime(JulianDay universal) const;
    // The instant at which the local clock reads time on date (in a repeated
    // hour, the first; in a skipped one, as far past as the gap is long).
    JulianDay UniversalOf(QDate date, QTime time) const;

private:
    enum class Clock { Zone, Fixed, Window };

    double longitudeWest_ = 0.0;
    double latitude_ = 0.0;
    Clock clock_ = Clock::Fixed;
    std::optional<QTimeZone> timeZone_;
    double fixedZone_ = 0.0;
    LocationSettings stored_;
    TimeZoneRecord systemZone_;
    std::vector<std::string> notes_;
};

// An instant as ISO 8601, "2026-06-21T12:00", seconds optional, with "Z" or an
// offset ("+02:00"), or without, on the observer's clock.
JulianDay ParseInstant(const std::string& option, const std::string& text, const Observer& observer);

// Minutes ahead of universal time of a zone in degrees positive West.
int OffsetMinutes(double zone);

// Julian days of universal time and the milliseconds of the Unix clock.
qint64 UnixMilliseconds(JulianDay universal);
JulianDay UniversalFromUnixMilliseconds(qint64 milliseconds);

}  // namespace helune::cli
