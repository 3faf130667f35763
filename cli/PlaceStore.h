// SPDX-License-Identifier: MIT
// A place kept in the per-user store the window reads (Registry.h): the
// window's five values in its own fields and conventions (longitude positive
// West, zones in degrees, its daylight-saving flag and adjustment), and the
// console's own two, the IANA zone ("Zona") and the height in metres
// ("Altura"). Every other line of the store is kept as it was.
#pragma once

#include <QTimeZone>
#include <optional>
#include <string>
#include <vector>

#include "Registry.h"
#include "Settings.h"

namespace helune::cli {

inline constexpr char kStoredZone[] = "Zona";
inline constexpr char kStoredHeight[] = "Altura";

// What the store holds, read whichever decimal separator wrote it.
struct KeptPlace {
    StoredSettings window;                     // the window's five, as it reads them
    std::optional<double> latitude, longitudeWest;  // where both are stored and usable
    std::optional<QTimeZone> zone;
    std::optional<double> height;              // metres
    std::vector<std::string> notes;            // what is missing or unusable, for standard error
};
KeptPlace ReadKeptPlace(const RegistryStore& store);

// Keeps a place: its coordinates, the zone's standard offset, daylight-saving
// flag and adjustment as the options dialog would set them for the year, the
// zone's name and the height, in one replacement of the store. Answers
// whether all were written, and if not, why.
bool KeepPlace(double latitude, double longitudeWest, const QTimeZone& zone, double height, int year, QString* why,
               const RegistryStore& store);

// Takes the kept place out of the store, the window's five values and the
// console's two; answers whether the store was written, and if not, why.
bool ForgetPlace(const RegistryStore& store, QString* why);

// The heights --elevation and the store take, metres.
inline constexpr double kHighestElevation = 9000.0;

}  // namespace helune::cli
