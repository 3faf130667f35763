// SPDX-License-Identifier: MIT
// The observer of the console's commands: a place (with its height) and a
// clock, each resolved from the command line or, where it says nothing, from
// the kept place and the system's zone; each says which source it came from.
// The engine's conventions throughout: degrees, longitude positive West.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Clock.h"
#include "PlaceNames.h"
#include "PlaceStore.h"
#include "Surroundings.h"
#include "Values.h"

namespace helune::cli {

// What the command line says about the place and the clock; empty: not given.
struct PlaceOptions {
    std::string latitude, longitude, timeZone, utcOffset, place;
    bool asWindow = false;  // the window's clock: one offset a date, its daylight rule by default
    std::string coordinates = {}, elevation = {};
};

// Where the place came from: --lat and --lon or --coords, --place, the kept
// place, the principal city of the clock's zone, or (for the window's clock)
// the window's default, the zone's meridian on the equator.
enum class PlaceSource { Given, Named, Stored, ZoneCity, WindowDefault };

struct Place {
    double latitude = 0.0;
    double longitudeWest = 0.0;
    PlaceSource source = PlaceSource::Given;
    std::string name;   // the city of --place or of the zone, as people read it
    std::string zone;   // the zone whose city it is
    double height = 0.0;  // metres above the sea
};

// The city --place names, or nothing when none is asked (the gazetteer is read
// only then); which of several it took goes to notes.
std::optional<City> NamedPlace(const PlaceOptions& options, std::vector<std::string>& notes);

// The clock: --utc-offset; --tz, else the named city's zone, else the kept
// place's zone where the place is the kept one, else (for the window's clock)
// its daylight rule, else the system's zone.
Clock ResolveClock(const PlaceOptions& options, const std::optional<City>& named, const KeptPlace& kept,
                   const Surroundings& system);

// The place: --place, --lat and --lon or --coords, the kept place, the
// window's default for its clock, the principal city of the clock's zone. No
// place at all is an error that says how to give one. Its height: --elevation,
// else the kept one where the place is kept, else the sea's.
Place ResolvePlace(const PlaceOptions& options, const std::optional<City>& named, const KeptPlace& kept,
                   const Clock& clock, const TimeZoneRecord& systemZone);

// The clock of the options alone, for answers that need no place.
Clock ClockOf(const PlaceOptions& options, const Surroundings& system = {});

// What standard error says of a clock that stands in for an unusable system
// zone, or nothing.
std::optional<std::string> UnusableZoneNote(const Clock& clock, const Surroundings& system);
// The refusal of a command that needs the place's own clock where only the
// stand-in is had.
UsageError NoLocalClock(const Surroundings& system);

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
    double Height() const { return place_.height; }
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

}  // namespace helune::cli
