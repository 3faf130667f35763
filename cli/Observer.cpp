// SPDX-License-Identifier: MIT
#include "Observer.h"

#include <cmath>
#include <iomanip>
#include <sstream>

namespace helune::cli {

namespace {

constexpr double kMinutesPerDegreeOfZone = 4.0;

std::string Degrees(double value, char positive, char negative) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << std::fabs(value) << (value < 0.0 ? negative : positive);
    return text.str();
}

std::string Coordinates(const Place& place) {
    return Degrees(place.latitude, 'N', 'S') + " " + Degrees(-place.longitudeWest, 'E', 'W');
}

Place PlaceAt(double latitude, double longitudeWest, PlaceSource source, std::string name = {}, std::string zone = {}) {
    return {latitude, longitudeWest, source, std::move(name), std::move(zone)};
}

Place CityPlace(const ZonePlace& city, PlaceSource source) {
    return PlaceAt(city.latitude, -city.longitudeEast, source, city.city, city.zone);
}

bool PlaceGiven(const PlaceOptions& options) { return !options.place.empty() || !options.latitude.empty(); }

}  // namespace

WindowStore ReadWindowStore(const Surroundings& system) {
    WindowStore store;
    store.stored = ReadStoredSettings(LocationSettings{}, UserDecimalSeparator(), system.store, StoredSeparators::Either);
    for (const QString& name : store.stored.unreadable)
        store.notes.push_back("the window's stored " + name.toStdString() +
                              " is not a value the window can take; it is left aside");
    return store;
}

std::optional<ZonePlace> NamedPlace(const PlaceOptions& options) {
    if (options.place.empty()) return std::nullopt;
    std::optional<ZonePlace> named = PlaceNamed(options.place);
    if (!named) throw UsageError{"--place: " + Quoted(options.place) + " is no city of the system's time-zone database"};
    return named;
}

Clock ResolveClock(const PlaceOptions& options, const std::optional<ZonePlace>& named, const WindowStore& store,
                   const Surroundings& system) {
    if (!options.utcOffset.empty())
        return Clock::Fixed(-ParseUtcOffset("--utc-offset", options.utcOffset) / kMinutesPerDegreeOfZone);
    std::optional<QTimeZone> zone;
    ClockSource source = ClockSource::SystemZone;
    if (!options.timeZone.empty()) {
        zone = ParseZone("--tz", options.timeZone);
        source = ClockSource::GivenZone;
    } else if (named) {
        zone = QTimeZone(QByteArray::fromStdString(named->zone));
        source = ClockSource::PlaceZone;
    }
    if (options.asWindow) {
        const LocationSettings settings =
            store.stored.missing ? DefaultSettings(system.timeZone()) : store.stored.settings;
        return Clock::Window(zone, settings, system.timeZone(), zone ? source : ClockSource::WindowRule);
    }
    return zone ? Clock::OfZone(*zone, source) : Clock::OfZone(system.zone(), ClockSource::SystemZone);
}

Place ResolvePlace(const PlaceOptions& options, const std::optional<ZonePlace>& named, const WindowStore& store,
                   const Clock& clock, const TimeZoneRecord& systemZone) {
    if (options.latitude.empty() != options.longitude.empty())
        throw UsageError{options.latitude.empty() ? "--lon needs --lat" : "--lat needs --lon"};
    if (named) return CityPlace(*named, PlaceSource::Named);
    if (!options.latitude.empty())
        return PlaceAt(ParseLatitude("--lat", options.latitude), -ParseLongitudeEast("--lon", options.longitude),
                       PlaceSource::Given);
    const LocationSettings& stored = store.stored.settings;
    if (!store.stored.missing) return PlaceAt(stored.Latitud, stored.Longitud, PlaceSource::Stored);
    if (clock.kind() != Clock::Kind::Window && clock.zone())
        if (const auto city = PlaceOfZone(clock.zone()->id().toStdString()))
            return CityPlace(*city, PlaceSource::ZoneCity);
    const LocationSettings defaults = DefaultSettings(systemZone);
    return PlaceAt(defaults.Latitud, defaults.Longitud, PlaceSource::WindowDefault);
}

Clock ClockOf(const PlaceOptions& options, const Surroundings& system) {
    const std::optional<ZonePlace> named = NamedPlace(options);
    const bool storeMatters = options.asWindow && options.timeZone.empty() && !named;
    return ResolveClock(options, named, storeMatters ? ReadWindowStore(system) : WindowStore{}, system);
}

std::optional<std::string> AssumedPlaceNote(const Place& place) {
    switch (place.source) {
        case PlaceSource::ZoneCity:
            return "no place given or stored: taking " + place.name + " (" + Coordinates(place) +
                   "), the principal place of " + place.zone;
        case PlaceSource::WindowDefault:
            return "no place given or stored: taking the window's default, the zone's meridian on the equator (" +
                   Coordinates(place) + ")";
        default:
            return std::nullopt;
    }
}

Observer Observer::FromOptions(const PlaceOptions& options, const Surroundings& system) {
    if (!options.place.empty() && !options.latitude.empty()) throw UsageError{"--place excludes --lat and --lon"};
    const std::optional<ZonePlace> named = NamedPlace(options);
    // The store matters to the window's clock and where no place is given.
    const WindowStore store = PlaceGiven(options) && !options.asWindow ? WindowStore{} : ReadWindowStore(system);
    Clock clock = ResolveClock(options, named, store, system);
    Observer observer(ResolvePlace(options, named, store, clock, system.timeZone()), std::move(clock));
    observer.notes_ = store.notes;
    if (const auto note = AssumedPlaceNote(observer.place_)) observer.notes_.push_back(*note);
    return observer;
}

Observer Observer::Fixed(double longitudeWest, double latitude, double zone) {
    return {Place{latitude, longitudeWest, PlaceSource::Given, {}, {}}, Clock::Fixed(zone)};
}

Observer Observer::InZone(double longitudeWest, double latitude, const QTimeZone& zone) {
    return {Place{latitude, longitudeWest, PlaceSource::Given, {}, {}}, Clock::OfZone(zone)};
}

}  // namespace helune::cli
