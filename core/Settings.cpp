// SPDX-License-Identifier: MIT
#include "Settings.h"

#include <QDate>
#include <QLocale>
#include <cmath>

#include "DayFacts.h"

namespace helune {

namespace {

constexpr int kMinutesPerZoneDegree = 4;

bool HasRules(const TimeZoneRecord& zone) { return zone.StandardDate.Month != 0 && zone.DaylightDate.Month != 0; }

QString Read(const char* name, bool& present, const RegistryStore& store) {
    QString text;
    present = ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, name, text, store);
    return text;
}

std::optional<double> ParseStored(const QString& text, QChar separator, StoredSeparators separators) {
    if (separators == StoredSeparators::Users) return ParseSetting(text, separator);
    if (const std::optional<double> point = ParseSetting(text, '.')) return point;
    return ParseSetting(text, ',');
}

// The largest size of each stored number the options dialog can write:
// 180° 59′ of longitude, 90° 59′ of latitude, 12 h 59 min of zone or
// adjustment (in degrees, 15 an hour). A stored value beyond it (a hand edit,
// a damaged file) would make no sense of the chart.
constexpr double kLargestLongitude = 180.0 + 59.0 / 60.0;
constexpr double kLargestLatitude = 90.0 + 59.0 / 60.0;
constexpr double kLargestZone = (12.0 + 59.0 / 60.0) * 15.0;

double LargestOf(const char* name) {
    const QLatin1StringView setting(name);
    if (setting == QLatin1StringView("Longitud")) return kLargestLongitude;
    if (setting == QLatin1StringView("Latitud")) return kLargestLatitude;
    return kLargestZone;
}

void ReadNumber(const char* name, double& field, QChar separator, StoredSeparators separators, StoredSettings& stored,
                const RegistryStore& store) {
    bool present = false;
    const QString text = Read(name, present, store);
    std::optional<double> value = present ? ParseStored(text, separator, separators) : std::nullopt;
    if (value && !(std::fabs(*value) <= LargestOf(name))) value.reset();
    if (value) {
        field = *value;
        return;
    }
    stored.missing = true;
    (present ? stored.unreadable : stored.absent) << name;
}

}  // namespace

QString SettingText(double value, QChar decimalSeparator) { return DecimalText(value, decimalSeparator); }

std::optional<double> ParseSetting(const QString& text, QChar decimalSeparator) {
    QString plain = text.trimmed();
    if (decimalSeparator != '.') {
        if (plain.contains('.')) return std::nullopt;
        plain.replace(decimalSeparator, '.');
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(plain, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

QString SettingText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

bool ParseVerano(const QString& text) { return text == QLatin1String("True"); }

QChar UserDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.front();
}

LocationSettings DefaultSettings(const TimeZoneRecord& zone) {
    LocationSettings s;
    s.Huso = static_cast<double>(zone.Bias + zone.StandardBias) / kMinutesPerZoneDegree;
    s.Longitud = s.Huso;
    s.Latitud = 0.0;
    s.Verano = HasRules(zone);
    s.Ajuste = static_cast<double>(zone.DaylightBias) / kMinutesPerZoneDegree;
    return s;
}

DayCount DaylightTransition(int16_t year, const TransitionRule& rule) {
    // Weekdays numbered Monday 1 … Sunday 7, as QDate numbers them.
    const int weekday = rule.DayOfWeek == 0 ? 7 : rule.DayOfWeek;
    const QDate firstOfMonth(year, rule.Month, 1);
    const int first = firstOfMonth.dayOfWeek();
    int day = first <= weekday ? weekday - first + 1 : weekday - first + 8;
    day += 7 * (rule.Occurrence - 1);
    if (rule.Occurrence == 5 && day > firstOfMonth.daysInMonth()) day -= 7;
    const double hours = rule.Hour + rule.Minute / 60.0 + (rule.Second + rule.Milliseconds / 1000.0) / 3600.0;
    return static_cast<double>(QDate(year, rule.Month, day).toJulianDay()) + hours / 24.0;
}

bool DaylightSavingApplies(const LocationSettings& settings, DayCount shownDate, const TimeZoneRecord& zone) {
    // Without rules there is no transition to decide by, whatever Verano says.
    if (!settings.Verano || !HasRules(zone)) return false;
    const auto year = static_cast<int16_t>(DateOfDayCount(shownDate).year());
    const DayCount start = DaylightTransition(year, zone.DaylightDate);
    const DayCount end = DaylightTransition(year, zone.StandardDate);
    const DayCount lo = std::min(start, end), hi = std::max(start, end);
    if (settings.Latitud < 0.0) return shownDate <= lo || shownDate >= hi;
    return lo < shownDate && shownDate < hi;
}

double EffectiveZoneOn(const LocationSettings& settings, DayCount shownDate, const TimeZoneRecord& zone) {
    return DaylightSavingApplies(settings, shownDate, zone) ? settings.Huso + settings.Ajuste : settings.Huso;
}

StoredSettings ReadStoredSettings(const LocationSettings& current, QChar decimalSeparator,
                                  const RegistryStore& store, StoredSeparators separators) {
    StoredSettings stored{current, false, {}};
    ReadNumber("Longitud", stored.settings.Longitud, decimalSeparator, separators, stored, store);
    ReadNumber("Latitud", stored.settings.Latitud, decimalSeparator, separators, stored, store);
    ReadNumber("Huso", stored.settings.Huso, decimalSeparator, separators, stored, store);
    bool present = false;
    const QString verano = Read("Verano", present, store);
    if (present) {
        stored.settings.Verano = ParseVerano(verano);
    } else {
        stored.missing = true;
        stored.absent << QStringLiteral("Verano");
    }
    ReadNumber("Ajuste", stored.settings.Ajuste, decimalSeparator, separators, stored, store);
    return stored;
}

bool WriteStoredSettings(const LocationSettings& settings, QChar decimalSeparator, const RegistryStore& store,
                         QString* why) {
    // One replacement of the store for the five, so that no crash between them
    // leaves a mixture of old and new.
    return WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                   {{QStringLiteral("Verano"), SettingText(settings.Verano)},
                    {QStringLiteral("Huso"), SettingText(settings.Huso, decimalSeparator)},
                    {QStringLiteral("Longitud"), SettingText(settings.Longitud, decimalSeparator)},
                    {QStringLiteral("Latitud"), SettingText(settings.Latitud, decimalSeparator)},
                    {QStringLiteral("Ajuste"), SettingText(settings.Ajuste, decimalSeparator)}},
                   store, why);
}

}  // namespace helune
