// SPDX-License-Identifier: MIT
#include "Efemerides.h"

#include <vector>

#include "Events.h"
#include "Positions.h"
#include "TimeScales.h"

namespace helune {

namespace {

// The quantity codes less one: the first of the geocentric quantities, the
// first of the events, and the Moon's mean arguments among the elements'.
constexpr int kFirstGeocentric = 9;
constexpr int kFirstEvent = 18;
constexpr int kMoonMeanLongitude = 0;
constexpr int kMoonNode = 4;
constexpr int kMoonPerigee = 5;

// The event code of the quantity code less one.
int16_t EventOf(int q) { return static_cast<int16_t>(q + 1 - EventQuantityCode(kTransit) + kTransit); }

// The codes turned into the engine's names, once, here.
double Dispatch(int row, int q, int16_t flags, JulianDay universal, double longitude, double latitude,
                double zone) {
    if (row >= 10) return 0.0;
    const auto body = static_cast<Row>(row);
    if (q >= kFirstGeocentric) {
        if (q >= kFirstEvent)
            return CalcEventTime(body, EventOf(q), zone, longitude, latitude, universal);
        const auto quantity = static_cast<Quantity>(q);
        if (body == kMoonRow) return CalcLuna(quantity, flags, longitude, latitude, universal);
        return PlanetPosition(body, quantity, flags, longitude, latitude, universal);
    }
    if (body == kMoonRow) {
        if (q == kMoonMeanLongitude) return CalcLuna(MeanArgument::MeanLongitude, universal);
        if (q == kMoonNode) return CalcLuna(MeanArgument::Node, universal);
        if (q == kMoonPerigee) return CalcLuna(MeanArgument::Perigee, universal);
        return 0.0;
    }
    if (row < 8) return HelioElement(body, static_cast<Element>(q), universal);
    return 0.0;
}

bool Refused(int row, int q) { return (row == 8 && q < 6) || (row > 9 && q > 0) || row < 0 || row > 26; }

}  // namespace

double CalcEfemeride(int16_t Body, int16_t Quantity, int16_t Flags, JulianDay JD, double Longitude,
                     double Latitude, double Zone) {
    const int row = Body - 1;
    const int q = Quantity - 1;
    if (Refused(row, q)) return 0.0;
    const JulianDay universal = UniversalOfLocal(JD, Zone).jd;
    double result = Dispatch(row, q, Flags, universal, Longitude, Latitude, Zone);
    // The node and the right ascension are answered in hours.
    if (q == static_cast<int>(Element::AscendingNode) || q == static_cast<int>(Quantity::RightAscension))
        result /= 15.0;
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
        if (!Refused(row, q) && row < 10 && q >= kFirstEvent) {
            events.push_back(EventOf(q));
            where.push_back(i);
        } else {
            Results[i] = CalcEfemeride(Body, Quantities[i], Flags, JD, Longitude, Latitude, Zone);
        }
    }
    if (events.empty()) return;
    std::vector<double> times(events.size());
    CalcEventTimes(static_cast<Row>(row), events, Zone, Longitude, Latitude, UniversalOfLocal(JD, Zone).jd, times);
    for (std::size_t k = 0; k < events.size(); ++k) Results[where[k]] = times[k];
}

}  // namespace helune
