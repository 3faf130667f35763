// SPDX-License-Identifier: MIT
// The observer's place and zone settings, their stored text forms, the defaults
// from the system's time-zone record, and the daylight-saving decision.
// Degrees throughout; longitude and zones positive West (a zone one hour ahead of
// universal time is −15).
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

#include "Days.h"
#include "Registry.h"
#include "TimeZoneRecord.h"

namespace helune {

struct LocationSettings {
    double Longitud = 0.0;  // positive West
    double Latitud = 0.0;   // positive North
    double Huso = 0.0;      // standard zone: universal minus local standard time, 15 per hour
    double Ajuste = 0.0;    // daylight-saving adjustment, same sign rule
    bool Verano = false;    // daylight saving observed
    bool operator==(const LocationSettings&) const = default;
};

// The shown date and the five settings: what the main window holds and the
// options dialog edits.
struct ShownSettings : LocationSettings {
    DayCount ShownDate = 0.0;
};

// The stored text of a setting and back. A stored number that does not convert
// (another decimal separator, not a number, not finite) is nothing.
QString SettingText(double value, QChar decimalSeparator);
std::optional<double> ParseSetting(const QString& text, QChar decimalSeparator);
QString SettingText(bool value);  // "True" or "False"
bool ParseVerano(const QString& text);  // true only for exactly "True"

// The user's decimal separator.
QChar UserDecimalSeparator();

// The settings a first start takes from the system's zone: the standard zone's
// meridian as longitude, the equator as latitude.
LocationSettings DefaultSettings(const TimeZoneRecord& zone);

// The local date and clock time of a yearly transition in year.
DayCount DaylightTransition(int16_t year, const TransitionRule& rule);

// Whether daylight saving applies on the date shownDate (at 00:00): between the
// two transitions of the system's rules in the northern hemisphere (latitude 0
// or more), outside them in the southern. Never without rules to apply.
bool DaylightSavingApplies(const LocationSettings& settings, DayCount shownDate, const TimeZoneRecord& zone);

// The zone in force on shownDate: Huso, plus Ajuste while daylight saving applies.
double EffectiveZoneOn(const LocationSettings& settings, DayCount shownDate, const TimeZoneRecord& zone);

// The settings as stored: each value that is present, converts and lies within
// what the options dialog can write replaces the one in current; missing is set
// when any is absent or unusable, unreadable names those present that are
// unusable (no number, or one out of range), absent those not stored.
struct StoredSettings {
    LocationSettings settings;
    bool missing = false;
    QStringList unreadable;
    QStringList absent = {};
};
// The decimal separators a stored number may use: the user's alone, as the
// window reads its own store, or either '.' or ',', as the console reads it
// under a locale that may not be the one that wrote it.
enum class StoredSeparators { Users, Either };
StoredSettings ReadStoredSettings(const LocationSettings& current, QChar decimalSeparator,
                                  const RegistryStore& store = {},
                                  StoredSeparators separators = StoredSeparators::Users);

// The names of the five settings in the store.
inline constexpr const char* kStoredSettingNames[] = {"Verano", "Huso", "Longitud", "Latitud", "Ajuste"};

// Writes the five settings ("Verano", "Huso", "Longitud", "Latitud", "Ajuste")
// in one replacement of the store, all or none; whether they were written,
// and where why is given, why not.
bool WriteStoredSettings(const LocationSettings& settings, QChar decimalSeparator, const RegistryStore& store = {},
                         QString* why = nullptr);

}  // namespace helune
