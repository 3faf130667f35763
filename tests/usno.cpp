// SPDX-License-Identifier: MIT
#include "usno.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Calendar.h"
#include "Phases.h"

namespace helune::usno {

std::string DataDirectory() { return (std::filesystem::path(HELUNE_DATA_DIR) / "usno").string(); }

PlaceYear ReadRiseSet(const std::string& body, int longitudeEast, int latitude, int zoneHours) {
    PlaceYear place;
    std::ifstream file(DataDirectory() + "/riseset.txt");
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        std::string name, stamp, kind;
        int lon = 0, lat = 0;
        if (!(fields >> name >> lon >> lat >> stamp >> kind)) continue;
        if (name != body || lon != longitudeEast || lat != latitude) continue;
        // YYYY-MM-DDTHH:MMZ in UT, moved into the zone.
        const int year = std::stoi(stamp.substr(0, 4)), month = std::stoi(stamp.substr(5, 2)),
                  day = std::stoi(stamp.substr(8, 2)), hour = std::stoi(stamp.substr(11, 2)),
                  minute = std::stoi(stamp.substr(14, 2));
        const double local = JulianDayFromDate(static_cast<int16_t>(day), static_cast<int16_t>(month),
                                               static_cast<int16_t>(year), static_cast<int16_t>(hour + zoneHours),
                                               static_cast<int16_t>(minute));
        PhaseEvent date{};
        JulianDayToDate(date, local + 1e-9);
        (kind == "r" ? place.risings : place.settings)[{date.Year, date.Month, date.Day}].push_back(
            date.Hour * 60 + date.Minute);
    }
    return place;
}

Summary Summarize(std::vector<double> values) {
    if (values.empty()) return {0.0, 0.0, 0};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back(), values.size()};
}

}  // namespace helune::usno
