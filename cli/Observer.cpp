// SPDX-License-Identifier: MIT
#include "Observer.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "Places.h"

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
    return {latitude, longitudeWest, source, std::move(name), std::move(zone), 0.0};
}

Place CityPlace(const City& city, PlaceSource source) {
    return PlaceAt(city.latitude, -city.longitudeEast, source, CityTitle(city), city.zone);
}

bool PlaceGiven(const PlaceOptions& options) {
    return !options.place.empty() || !options.latitude.empty() || !options.coordinates.empty();
}

// --lat and --lon, or --coords, as a place; nothing when neither is given.
std::optional<Place> GivenPlace(const PlaceOptions& options) {
    if (options.latitude.empty() != options.longitude.empty())
        throw UsageError{options.latitude.empty() ? "--lon needs --lat" : "--lat needs --lon"};
    if (!options.coordinates.empty()) {
        const auto [latitude, longitudeEast] = ParseCoordinates("--coords", options.coordinates);
        return PlaceAt(latitude, -longitudeEast, PlaceSource::Given);
    }
    if (options.latitude.empty()) return std::nullopt;
    return PlaceAt(ParseLatitude("--lat", options.latitude), -ParseLongitudeEast("--lon", options.longitude),
                   PlaceSource::Given);
}

double HeightOf(const PlaceOptions& options, const Place& place, const KeptPlace& kept) {
    if (!options.elevation.empty()) {
        const std::optional<double> height = ParseDecimal(options.elevation);
        if (!height || *height < 0.0 || *height > kHighestElevation)
            throw UsageError{"--elevation: " + Quoted(options.elevation) + " is not a number of metres from 0 to 9000"};
        return *height;
    }
    return place.source == PlaceSource::Stored ? kept.height.value_or(0.0) : 0.0;
}

const char kNoPlace[] =
    "no place: give --place NAME, --lat and --lon, or --coords, or keep one with 'helune-cli place set NAME'";

}  // namespace

std::optional<City> NamedPlace(const PlaceOptions& options, std::vector<std::string>& notes) {
    if (options.place.empty()) return std::nullopt;
    const NamedCity named = LookUpPlace("--place", options.place, Gazetteer());
    if (named.note) notes.push_back(*named.note);
    return named.city;
}

Clock ResolveClock(const PlaceOptions& options, const std::optional<City>& named, const KeptPlace& kept,
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
    } else if (!PlaceGiven(options) && kept.latitude && kept.zone && UsableZone(*kept.zone)) {
        zone = kept.zone;
        source = ClockSource::StoredZone;
    }
    if (options.asWindow) {
        const LocationSettings settings = kept.window.missing ? DefaultSettings(system.timeZone()) : kept.window.settings;
        return Clock::Window(zone, settings, system.timeZone(), zone ? source : ClockSource::WindowRule);
    }
    if (zone) return Clock::OfZone(*zone, source);
    // A system zone Qt cannot use would answer with any offset at all:
    // universal time stands in for it, and says so.
    const QTimeZone systemZone = system.zone();
    if (UsableZone(systemZone)) return Clock::OfZone(systemZone, ClockSource::SystemZone);
    return Clock::Fixed(0.0, ClockSource::SystemZone);
}

std::optional<std::string> UnusableZoneNote(const Clock& clock, const Surroundings& system) {
    if (!clock.StandsInForTheSystemZone()) return std::nullopt;
    return "the system's time zone " + Quoted(system.zoneName()) +
           " cannot be used: answering in universal time (give --tz or --utc-offset)";
}

UsageError NoLocalClock(const Surroundings& system) {
    return {"the system's time zone " + Quoted(system.zoneName()) +
            " cannot be used, and the answer needs the place's clock: give --tz or --utc-offset"};
}

Place ResolvePlace(const PlaceOptions& options, const std::optional<City>& named, const KeptPlace& kept,
                   const Clock& clock, const TimeZoneRecord& systemZone) {
    std::optional<Place> place = named ? CityPlace(*named, PlaceSource::Named) : GivenPlace(options);
    if (!place && kept.latitude) place = PlaceAt(*kept.latitude, *kept.longitudeWest, PlaceSource::Stored);
    if (!place && clock.kind() != Clock::Kind::Window && clock.zone())
        if (const auto city = PlaceOfZone(clock.zone()->id().toStdString()))
            place = CityPlace(City{city->city, "", "", "", city->zone, city->latitude, city->longitudeEast, 0},
                              PlaceSource::ZoneCity);
    if (!place && clock.kind() != Clock::Kind::Window) throw UsageError{kNoPlace};
    if (!place) {
        const LocationSettings defaults = DefaultSettings(systemZone);
        place = PlaceAt(defaults.Latitud, defaults.Longitud, PlaceSource::WindowDefault);
    }
    place->height = HeightOf(options, *place, kept);
    return *place;
}

Clock ClockOf(const PlaceOptions& options, const Surroundings& system) {
    std::vector<std::string> notes;
    const std::optional<City> named = NamedPlace(options, notes);
    const bool storeMatters = !PlaceGiven(options) && options.timeZone.empty() && options.utcOffset.empty();
    return ResolveClock(options, named, storeMatters ? ReadKeptPlace(system.store) : KeptPlace{}, system);
}

std::optional<std::string> AssumedPlaceNote(const Place& place) {
    switch (place.source) {
        case PlaceSource::ZoneCity:
            return "no place given or kept: taking " + place.name + " (" + Coordinates(place) +
                   "), the principal place of " + place.zone;
        case PlaceSource::WindowDefault:
            return "no place given or kept: taking the window's default, the zone's meridian on the equator (" +
                   Coordinates(place) + ")";
        default:
            return std::nullopt;
    }
}

Observer Observer::FromOptions(const PlaceOptions& options, const Surroundings& system) {
    if (!options.place.empty() && (!options.latitude.empty() || !options.coordinates.empty()))
        throw UsageError{"--place excludes --lat, --lon and --coords"};
    std::vector<std::string> notes;
    const std::optional<City> named = NamedPlace(options, notes);
    // The store matters to the window's clock and where no place is given.
    const KeptPlace kept = PlaceGiven(options) && !options.asWindow ? KeptPlace{} : ReadKeptPlace(system.store);
    Clock clock = ResolveClock(options, named, kept, system);
    Observer observer(ResolvePlace(options, named, kept, clock, system.timeZone()), std::move(clock));
    observer.notes_ = kept.notes;
    observer.notes_.insert(observer.notes_.end(), notes.begin(), notes.end());
    if (const auto note = UnusableZoneNote(observer.clock_, system)) observer.notes_.push_back(*note);
    if (const auto note = AssumedPlaceNote(observer.place_)) observer.notes_.push_back(*note);
    return observer;
}

Observer Observer::Fixed(double longitudeWest, double latitude, double zone) {
    return {Place{latitude, longitudeWest, PlaceSource::Given, {}, {}, 0.0}, Clock::Fixed(zone)};
}

Observer Observer::InZone(double longitudeWest, double latitude, const QTimeZone& zone) {
    return {Place{latitude, longitudeWest, PlaceSource::Given, {}, {}, 0.0}, Clock::OfZone(zone)};
}

}  // namespace helune::cli
