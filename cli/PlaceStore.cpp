// SPDX-License-Identifier: MIT
#include "PlaceStore.h"

#include <cmath>

#include "TimeZoneRecord.h"
#include "Values.h"

namespace helune::cli {

namespace {

QString Stored(const char* name, const RegistryStore& store) {
    QString text;
    ReadRegValue(RegistryRoot::CurrentUser, RegistryKeyPath, QString::fromLatin1(name), text, store);
    return text;
}

std::string Listed(const QStringList& names) { return names.join(QStringLiteral(", ")).toStdString(); }

void ReadZone(KeptPlace& kept, const RegistryStore& store) {
    const QString name = Stored(kStoredZone, store);
    if (name.isEmpty()) return;
    try {
        kept.zone = ParseZone(kStoredZone, name.toStdString());
    } catch (const UsageError&) {
        kept.notes.push_back("the stored zone " + Quoted(name.toStdString()) + " is no zone; it is left aside");
    }
}

void ReadHeight(KeptPlace& kept, const RegistryStore& store) {
    const QString text = Stored(kStoredHeight, store);
    if (text.isEmpty()) return;
    std::optional<double> height = ParseSetting(text, QLatin1Char('.'));
    if (!height) height = ParseSetting(text, QLatin1Char(','));
    if (height && *height >= 0.0 && *height <= kHighestElevation)
        kept.height = *height;
    else
        kept.notes.push_back("the stored height " + Quoted(text.toStdString()) + " is not metres from 0 to 9000");
}

}  // namespace

KeptPlace ReadKeptPlace(const RegistryStore& store) {
    KeptPlace kept;
    kept.window = ReadStoredSettings(LocationSettings{}, UserDecimalSeparator(), store, StoredSeparators::Either);
    const QStringList& absent = kept.window.absent;
    for (const QString& name : kept.window.unreadable)
        kept.notes.push_back("the window's stored " + name.toStdString() +
                             " is not a value the window can take; it is left aside");
    const bool located = !kept.window.unreadable.contains(QStringLiteral("Latitud")) &&
                         !kept.window.unreadable.contains(QStringLiteral("Longitud")) &&
                         !absent.contains(QStringLiteral("Latitud")) && !absent.contains(QStringLiteral("Longitud"));
    if (located) {
        kept.latitude = kept.window.settings.Latitud;
        kept.longitudeWest = kept.window.settings.Longitud;
    }
    // Some of the window's values stored and not all: say which are missing.
    if (!absent.isEmpty() && absent.size() < static_cast<int>(std::size(kStoredSettingNames)))
        kept.notes.push_back("the window's stored place lacks " + Listed(absent));
    ReadZone(kept, store);
    ReadHeight(kept, store);
    return kept;
}

bool KeepPlace(double latitude, double longitudeWest, const QTimeZone& zone, double height, int year, QString* why,
               const RegistryStore& store) {
    LocationSettings settings = DefaultSettings(TimeZoneRecordFor(zone, year));
    settings.Latitud = latitude;
    settings.Longitud = longitudeWest;
    const QChar separator = UserDecimalSeparator();
    return WriteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath,
                          {{QStringLiteral("Verano"), SettingText(settings.Verano)},
                           {QStringLiteral("Huso"), SettingText(settings.Huso, separator)},
                           {QStringLiteral("Longitud"), SettingText(settings.Longitud, separator)},
                           {QStringLiteral("Latitud"), SettingText(settings.Latitud, separator)},
                           {QStringLiteral("Ajuste"), SettingText(settings.Ajuste, separator)},
                           {QString::fromLatin1(kStoredZone), QString::fromUtf8(zone.id())},
                           {QString::fromLatin1(kStoredHeight), SettingText(height, separator)}},
                          store, why);
}

bool ForgetPlace(const RegistryStore& store, QString* why) {
    std::vector<QString> names = {QString::fromLatin1(kStoredZone), QString::fromLatin1(kStoredHeight)};
    for (const char* name : kStoredSettingNames) names.push_back(QString::fromLatin1(name));
    return DeleteRegValues(RegistryRoot::CurrentUser, RegistryKeyPath, names, store, why);
}

}  // namespace helune::cli
