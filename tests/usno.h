// SPDX-License-Identifier: MIT
// Reading the U.S. Naval Observatory's rising and setting tables, grouped by the
// local date of a chosen zone, for comparisons with the engine.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace helune::usno {

struct Date {
    int year, month, day;
    auto operator<=>(const Date&) const = default;
};

// The events of one body at one place, by local date: minutes after local
// midnight of each rising ('r') and setting ('s'), in time order.
struct PlaceYear {
    std::map<Date, std::vector<int>> risings;
    std::map<Date, std::vector<int>> settings;
};

// The directory of USNO's tables in the repository's data.
std::string DataDirectory();

// Events of riseset.txt for BODY ("Sun", "Moon") at whole-degree longitude (East
// positive) and latitude, in local time zoneHours ahead of UT.
PlaceYear ReadRiseSet(const std::string& body, int longitudeEast, int latitude, int zoneHours);

// The median and the largest of a list of values (0 for an empty list).
struct Summary {
    double median, max;
    std::size_t count;
};
Summary Summarize(std::vector<double> values);

}  // namespace helune::usno
