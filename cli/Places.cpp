// SPDX-License-Identifier: MIT
#include "Places.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "Values.h"

namespace helune::cli {

namespace {

// The tables, the one that lists every zone of its own first.
constexpr const char* kTables[] = {"zone1970.tab", "zone.tab"};

std::optional<double> Angle(const std::string& text, std::size_t degreeDigits) {
    if (text.size() != 1 + degreeDigits + 2 && text.size() != 1 + degreeDigits + 4) return std::nullopt;
    if (text[0] != '+' && text[0] != '-') return std::nullopt;
    if (!std::all_of(text.begin() + 1, text.end(), IsAsciiDigit))
        return std::nullopt;
    const double degrees = std::stoi(text.substr(1, degreeDigits));
    const double minutes = std::stoi(text.substr(1 + degreeDigits, 2));
    const double seconds = text.size() > 1 + degreeDigits + 2 ? std::stoi(text.substr(3 + degreeDigits, 2)) : 0.0;
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return text[0] == '-' ? -value : value;
}

std::string CityOf(const std::string& zone) {
    std::string city = zone.substr(zone.rfind('/') + 1);
    std::replace(city.begin(), city.end(), '_', ' ');
    return city;
}

// Letters and digits in lower case, as the C locale cases them: "New_York",
// "new york" and "NEW YORK" alike.
std::string Folded(const std::string& text) {
    std::string folded;
    for (const char c : text)
        if (IsAsciiLetter(c) || IsAsciiDigit(c)) folded += AsciiLower(c);
    return folded;
}

}  // namespace

std::optional<std::pair<double, double>> ParseIso6709(const std::string& text) {
    const std::size_t split = text.find_first_of("+-", 1);
    if (split == std::string::npos) return std::nullopt;
    const std::optional<double> latitude = Angle(text.substr(0, split), 2);
    const std::optional<double> longitude = Angle(text.substr(split), 3);
    if (!latitude || !longitude) return std::nullopt;
    return std::pair{*latitude, *longitude};
}

std::vector<ZonePlace> ZonePlaces(const std::string& folder) {
    std::vector<ZonePlace> places;
    std::set<std::string> seen;
    for (const char* table : kTables) {
        std::ifstream file(folder + "/" + table);
        for (std::string line; std::getline(file, line);) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            std::string countries, coordinates, zone;
            if (!std::getline(fields, countries, '\t') || !std::getline(fields, coordinates, '\t') ||
                !std::getline(fields, zone, '\t'))
                continue;
            const auto position = ParseIso6709(coordinates);
            if (!position || !seen.insert(zone).second) continue;
            places.push_back({zone, CityOf(zone), position->first, position->second});
        }
    }
    return places;
}

std::optional<ZonePlace> PlaceOfZone(const std::string& zone, const std::string& folder) {
    for (const ZonePlace& place : ZonePlaces(folder))
        if (place.zone == zone) return place;
    return std::nullopt;
}

std::optional<ZonePlace> PlaceNamed(const std::string& city, const std::string& folder) {
    const std::string wanted = Folded(city);
    if (wanted.empty()) return std::nullopt;
    // Each line's zone is compared before anything of it is parsed: a name is
    // looked up at every --place.
    for (const char* table : kTables) {
        std::ifstream file(folder + "/" + table);
        for (std::string line; std::getline(file, line);) {
            const std::size_t zoneStart = line.find('\t', line.find('\t') + 1) + 1;
            const std::string zone = line.substr(zoneStart, line.find('\t', zoneStart) - zoneStart);
            if (line.empty() || line[0] == '#' || zoneStart == 0 ||
                (Folded(CityOf(zone)) != wanted && Folded(zone) != wanted))
                continue;
            std::istringstream fields(line);
            std::string countries, coordinates;
            std::getline(fields, countries, '\t');
            std::getline(fields, coordinates, '\t');
            if (const auto position = ParseIso6709(coordinates))
                return ZonePlace{zone, CityOf(zone), position->first, position->second};
        }
    }
    return std::nullopt;
}

}  // namespace helune::cli
