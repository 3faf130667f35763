// The observer of the console's commands: the place and the zone in force on
// each date, from the command line or, where it says nothing, from the window's
// stored settings. The engine's conventions throughout: degrees, longitude
// positive West, zone = universal minus local clock time (15 per hour).
#pragma once

#include <QDate>
#include <QTimeZone>
#include <optional>
#include <string>

#include "Settings.h"
#include "Surroundings.h"

namespace helune::cli {

// A bad option or value: the message names it.
struct UsageError {
    std::string message;
};

// "40.4", "-3.7", "40.4N", "3.7W": signed degrees, North and East positive, or
// unsigned with a hemisphere letter. option names the option in errors.
double ParseLatitude(const std::string& option, const std::string& text);
double ParseLongitudeEast(const std::string& option, const std::string& text);

// "+01:00", "-05:30": minutes ahead of universal time.
int ParseUtcOffset(const std::string& option, const std::string& text);

// An ISO date, YYYY-MM-DD.
QDate ParseDate(const std::string& name, const std::string& text);

// What the command line says about the place and the zone; empty: not given.
struct PlaceOptions {
    std::string latitude, longitude, timeZone, utcOffset;
};

class Observer {
public:
    // The place and zone of the options, each missing part from the window's
    // store (with the window's defaults, from the system's zone, when the store
    // is incomplete).
    static Observer FromOptions(const PlaceOptions& options, const Surroundings& system = {});
    // A fixed place in a fixed zone (zone: degrees, positive West).
    static Observer Fixed(double longitudeWest, double latitude, double zone);

    double LongitudeWest() const { return longitudeWest_; }
    double Latitude() const { return latitude_; }
    // The zone in force on date: an IANA zone's offset at the date's local
    // midnight, a fixed offset, or the window's daylight-saving decision.
    double ZoneOn(QDate date) const;

private:
    double longitudeWest_ = 0.0;
    double latitude_ = 0.0;
    std::optional<QTimeZone> timeZone_;
    std::optional<double> fixedZone_;
    LocationSettings stored_;
    TimeZoneRecord systemZone_;
};

// Minutes ahead of universal time of a zone in degrees positive West.
int OffsetMinutes(double zone);

}  // namespace helune::cli
