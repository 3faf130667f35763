// SPDX-License-Identifier: MIT
// The cities of the gazetteer made from Debian's libgeonames (some 24 000, with
// their state, country, IANA zone and population): looked up by name, folded
// (Folding.h), in English or in another language the library has names in
// (München, Wien, Москва), in the file the build makes, read only when a name
// is asked.
#pragma once

#include <QFile>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace helune::cli {

struct City {
    std::string name, state, country, countryCode, zone;
    double latitude, longitudeEast;  // degrees, North and East positive
    long population;
};

class Gazetteer {
public:
    // The gazetteer of a file (mapped, not read), or of the one installed with the program (beside
    // it in a build, in ../share/helune-cli otherwise; HELUNE_GAZETTEER names
    // another). An unreadable file is an empty gazetteer.
    explicit Gazetteer(const std::string& path = DefaultPath());
    static std::string DefaultPath();

    std::size_t Size() const;  // of cities

    // The cities whose folded English name is folded, the most populous first.
    std::vector<City> Named(const std::string& folded) const;
    // The cities named so in another language and otherwise in English, the most populous first.
    std::vector<City> AlsoNamed(const std::string& folded) const;
    // The cities whose folded names in any language come closest to folded (at most count,
    // within two letters changed, or beginning with it), the nearest and most
    // populous first.
    std::vector<City> Nearest(const std::string& folded, std::size_t count) const;

private:
    std::vector<City> Cities(const std::string& folded, bool otherNames) const;

    std::unique_ptr<QFile> file_;
    std::string_view text_;  // the file, mapped
};

}  // namespace helune::cli
