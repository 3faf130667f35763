#include "Efemerides.h"

#include <vector>

#include "Events.h"
#include "Positions.h"

namespace helune {

namespace {

// The Moon's mean-argument quantities and the indexes of CalcLuna that serve them.
constexpr int16_t kMoonMeanLongitude = 0;
constexpr int16_t kMoonNode = 5;
constexpr int16_t kMoonPerigee = 6;

double Dispatch(int row, int q, int16_t flags, JulianDay universal, double longitude, double latitude,
                double zone) {
    if (row >= 10) return 0.0;
    const auto r = static_cast<int16_t>(row);
    const auto code = static_cast<int16_t>(q);
    if (q >= 9) {
        if (q >= 18)
            return CalcEventTime(r, static_cast<int16_t>(q - 17), zone, longitude, latitude, universal);
        if (row == kMoonRow) return CalcLuna(code, flags, longitude, latitude, universal);
        return PlanetPosition(r, code, flags, longitude, latitude, universal);
    }
    if (row == kMoonRow) {
        if (q == 0) return CalcLuna(kMoonMeanLongitude, flags, longitude, latitude, universal);
        if (q == 4) return CalcLuna(kMoonNode, flags, longitude, latitude, universal);
        if (q == 5) return CalcLuna(kMoonPerigee, flags, longitude, latitude, universal);
        return 0.0;
    }
    if (row < 8) return HelioElement(r, code, universal);
    return 0.0;
}

bool Refused(int row, int q) { return (row == 8 && q < 6) || (row > 9 && q > 0) || row < 0 || row > 26; }

}  // namespace

double CalcEfemeride(int16_t Body, int16_t Quantity, int16_t Flags, JulianDay JD, double Longitude,
                     double Latitude, double Zone) {
    const int row = Body - 1;
    const int q = Quantity - 1;
    if (Refused(row, q)) return 0.0;
    const JulianDay universal = JD + Zone / 360.0;
    double result = Dispatch(row, q, Flags, universal, Longitude, Latitude, Zone);
    // The node and the right ascension are answered in hours.
    if (q == 4 || q == 12) result /= 15.0;
    return result;
}

// The events go to CalcEventTimes together; every other quantity alone.
void CalcEfemerides(int16_t Body, std::span<const int16_t> Quantities, int16_t Flags, JulianDay JD, double Longitude,
                    double Latitude, double Zone, std::span<double> Results) {
    const int row = Body - 1;
    std::vector<int16_t> events;
    std::vector<std::size_t> where;
    for (std::size_t i = 0; i < Quantities.size() && i < Results.size(); ++i) {
        const int q = Quantities[i] - 1;
        if (!Refused(row, q) && row < 10 && q >= 18) {
            events.push_back(static_cast<int16_t>(q - 17));
            where.push_back(i);
        } else {
            Results[i] = CalcEfemeride(Body, Quantities[i], Flags, JD, Longitude, Latitude, Zone);
        }
    }
    if (events.empty()) return;
    std::vector<double> times(events.size());
    CalcEventTimes(static_cast<int16_t>(row), events, Zone, Longitude, Latitude, JD + Zone / 360.0, times);
    for (std::size_t k = 0; k < events.size(); ++k) Results[where[k]] = times[k];
}

}  // namespace helune
