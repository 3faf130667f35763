// SPDX-License-Identifier: MIT
// The observer of the console's commands: a place and a clock, each resolved
// from the command line or, where it says nothing, from the window's store and
// the system's zone; each says which source it came from. The engine's
// conventions throughout: degrees, longitude positive West.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "Places.h"
#include "Settings.h"
#include "Surroundings.h"
#include "Values.h"

namespace helune::cli {

// What the command line says about the place and the clock; empty: not given.
struct PlaceOptions {
    std::string latitude, longitude, timeZone, utcOffset, place;
    bool asWindow = false;  // the window's clock: one offset a date, its daylight rule by default
};

// Where the place came from: --lat and --lon, --place, the window's stored
// place, the principal city of the clock's zone, or the window's default (the
// zone's meridian on the equator).
enum class PlaceSource { Given, Named, Stored, ZoneCity, WindowDefault };

struct Place {
    double latitude = 0.0;
    double longitudeWest = 0.0;
    PlaceSource source = PlaceSource::Given;
    std::string name;  // the city of --place or of the zone
    std::string zone;  // the zone whose city it is
};

// The window's stored settings as the console reads them (either decimal
// separator), with a note for each stored value it leaves aside.
struct WindowStore {
    StoredSettings stored{{}, true, {}};
    std::vector<std::string> notes;
};
WindowStore ReadWindowStore(const Surroundings& system);

// The city of --place, or nothing when none is asked; an unknown name is an error.
std::optional<ZonePlace> NamedPlace(const PlaceOptions& options);

// The clock: --utc-offset; --tz, else the named city's zone, else (for the
// window's clock) its daylight rule, else the system's zone.
Clock ResolveClock(const PlaceOptions& options, const std::optional<ZonePlace>& named, const WindowStore& store,
                   const Surroundings& system);

// The place: --place, --lat and --lon, the window's stored place, the window's
// default for its clock, the principal city of the clock's zone, or the
// window's default.
Place ResolvePlace(const PlaceOptions& options, const std::optional<ZonePlace>& named, const WindowStore& store,
                   const Clock& clock, const TimeZoneRecord& systemZone);

// The clock of the options alone, for answers that need no place: the window's
// store is read only for the window's clock.
Clock ClockOf(const PlaceOptions& options, const Surroundings& system = {});

// What standard error says of a place the command line did not give, or nothing.
std::optional<std::string> AssumedPlaceNote(const Place& place);

class Observer {
public:
    // The place and clock of the options (see ResolvePlace and ResolveClock).
    static Observer FromOptions(const PlaceOptions& options, const Surroundings& system = {});
    // A fixed place under a fixed offset (zone: degrees, positive West).
    static Observer Fixed(double longitudeWest, double latitude, double zone);
    // A fixed place in a zone with its history.
    static Observer InZone(double longitudeWest, double latitude, const QTimeZone& zone);

    Observer(Place place, Clock clock) : place_(std::move(place)), clock_(std::move(clock)) {}

    const Place& place() const { return place_; }
    const Clock& clock() const { return clock_; }
    double LongitudeWest() const { return place_.longitudeWest; }
    double Latitude() const { return place_.latitude; }
    // What was assumed or left aside, one line each, for standard error.
    const std::vector<std::string>& Notes() const { return notes_; }

    double ZoneOn(QDate date) const { return clock_.ZoneOn(date); }
    JulianDay DayStart(QDate date) const { return clock_.DayStart(date); }
    QDateTime LocalTime(JulianDay universal) const { return clock_.LocalTime(universal); }
    JulianDay UniversalOf(QDate date, QTime time) const { return clock_.UniversalOf(date, time); }

private:
    Place place_;
    Clock clock_;
    std::vector<std::string> notes_;
};

// An instant as ISO 8601 on the observer's clock (see the clock's ParseInstant).
inline JulianDay ParseInstant(const std::string& option, const std::string& text, const Observer& observer) {
    return ParseInstant(option, text, observer.clock());
}

}  // namespace helune::cli
