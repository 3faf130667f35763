// SPDX-License-Identifier: MIT
// What --place NAME means: a city of the gazetteer by its name, folded (in
// English first, then in the library's other languages), with
// its state or country after a comma where people add one ("Portland, Oregon",
// "Paris, FR"); else a city of the system's time-zone tables ("McMurdo",
// "America/New_York"). A name of several cities takes the most populous and
// says so; a name of none is an error that names the closest spellings.
#pragma once

#include <optional>
#include <string>

#include "Gazetteer.h"

namespace helune::cli {

struct NamedCity {
    City city;
    std::optional<std::string> note;  // which of several it took, for standard error
};

// The city; option names the option in errors and notes.
NamedCity LookUpPlace(const std::string& option, const std::string& text, const Gazetteer& gazetteer);

// A city as people read it: "Portland, Oregon, US".
std::string CityTitle(const City& city);

}  // namespace helune::cli
