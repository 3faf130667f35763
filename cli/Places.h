// SPDX-License-Identifier: MIT
// Places of the system's time-zone database: the principal location of each
// zone, from zone1970.tab and, for the zones it folds into others (Oslo,
// Reykjavik), zone.tab. They give the console's --place and its place when
// none is given or stored.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace helune::cli {

struct ZonePlace {
    std::string zone;  // "Europe/Oslo"
    std::string city;  // "Oslo": the zone name's last part, underscores as spaces
    double latitude;   // degrees, North positive
    double longitudeEast;
};

// The places of the tables in folder, each zone once.
std::vector<ZonePlace> ZonePlaces(const std::string& folder = "/usr/share/zoneinfo");

// The place of a zone ("Europe/Madrid"), and the place of a city named
// without regard to case, spaces or underscores ("new york"), or nothing.
std::optional<ZonePlace> PlaceOfZone(const std::string& zone, const std::string& folder = "/usr/share/zoneinfo");
std::optional<ZonePlace> PlaceNamed(const std::string& city, const std::string& folder = "/usr/share/zoneinfo");

// ISO 6709 coordinates as the tables write them, ±DDMM±DDDMM or
// ±DDMMSS±DDDMMSS: latitude and longitude (East positive) in degrees.
std::optional<std::pair<double, double>> ParseIso6709(const std::string& text);

}  // namespace helune::cli
