// SPDX-License-Identifier: MIT
#include "PlaceNames.h"

#include <algorithm>

#include "Folding.h"
#include "Places.h"
#include "Values.h"

namespace helune::cli {

namespace {

constexpr std::size_t kMostAlternatives = 5;

// The words of what a qualifier may name, folded, each set apart by spaces at
// both ends so that a whole word or phrase is found: " state of maine ".
std::string Spaced(const std::string& text) {
    std::string spaced(1, ' ');
    spaced += FoldedName(text);
    spaced += ' ';
    return spaced;
}

// Whether the qualifier after the comma names the city's state, country or
// country code ("UK" is the code GB).
bool Qualifies(const City& city, const std::string& qualifier) {
    const std::string folded = FoldedName(qualifier);
    const std::string code = folded == "uk" ? "gb" : folded;
    const std::string word = Spaced(qualifier);
    return code == FoldedName(city.countryCode) || Spaced(city.state).find(word) != std::string::npos ||
           Spaced(city.country).find(word) != std::string::npos;
}

std::string Trim(std::string text) {
    const std::size_t begin = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ');
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

City ZoneCity(const ZonePlace& place) {
    return {place.city, "", "", "", place.zone, place.latitude, place.longitudeEast, 0};
}

std::string Titles(const std::vector<City>& cities, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < cities.size() && i < from + kMostAlternatives; ++i)
        text += (text.empty() ? "" : "; ") + CityTitle(cities[i]);
    if (cities.size() > from + kMostAlternatives) text += " …";
    return text;
}

UsageError Unknown(const std::string& option, const std::string& text, const std::vector<City>& nearest) {
    std::string message = option + ": " + Quoted(text) + " is no place the gazetteer knows";
    if (!nearest.empty()) message += "; perhaps " + Titles(nearest, 0);
    return UsageError{message + " (or give --lat and --lon)"};
}

}  // namespace

std::string CityTitle(const City& city) {
    std::string title = city.name;
    if (!city.state.empty() && city.state != city.name) title += ", " + city.state;
    if (!city.countryCode.empty()) title += ", " + city.countryCode;
    return title;
}

namespace {

// Of the cities of the name, the one taken and the others: a city of the
// time-zone tables keeps the meaning --place gave it before the gazetteer
// (Jamaica, Macau, Stanley), from the gazetteer where it holds that city in
// the same zone (better placed, with its state and country); else the most
// populous of the gazetteer's.
std::vector<City> Ranked(std::vector<City> cities, const std::optional<ZonePlace>& table) {
    if (!table) return cities;
    const auto sameZone = std::find_if(cities.begin(), cities.end(), [&](const City& c) { return c.zone == table->zone; });
    if (sameZone != cities.end())
        std::rotate(cities.begin(), sameZone, sameZone + 1);
    else
        cities.insert(cities.begin(), ZoneCity(*table));
    return cities;
}

}  // namespace

NamedCity LookUpPlace(const std::string& option, const std::string& text, const Gazetteer& gazetteer) {
    const std::size_t comma = text.find(',');
    const std::string name = Trim(text.substr(0, comma));
    const std::string qualifier = comma == std::string::npos ? "" : Trim(text.substr(comma + 1));
    const std::string folded = FoldedName(name);
    if (folded.empty()) throw UsageError{option + ": " + Quoted(text) + " names no place"};
    std::vector<City> cities = gazetteer.Named(folded);
    std::vector<City> otherwise = gazetteer.AlsoNamed(folded);
    if (!qualifier.empty()) {
        std::erase_if(cities, [&](const City& city) { return !Qualifies(city, qualifier); });
        std::erase_if(otherwise, [&](const City& city) { return !Qualifies(city, qualifier); });
    } else {
        cities = Ranked(std::move(cities), PlaceNamed(name));
    }
    // A name in English comes before the same name in another language: Sevilla
    // is the Colombian city, Seville (Sevilla, ES) the Spanish one.
    cities.insert(cities.end(), otherwise.begin(), otherwise.end());
    if (cities.empty()) throw Unknown(option, text, gazetteer.Nearest(folded, kMostAlternatives));
    NamedCity named{cities.front(), std::nullopt};
    if (cities.size() > 1)
        named.note = option + ": " + Quoted(text) + " names " + std::to_string(cities.size()) + " places: taking " +
                     CityTitle(cities.front()) + "; also " + Titles(cities, 1) + " (add the state or country: " +
                     Quoted(name + ", " + (cities[1].state.empty() ? cities[1].countryCode : cities[1].state)) + ")";
    return named;
}

}  // namespace helune::cli
