// SPDX-License-Identifier: MIT
#include "Surroundings.h"

#include <QDateTime>
#include <QFileInfo>
#include <cstdlib>

namespace helune {

namespace {

constexpr int kLargestOffsetSeconds = 14 * 3600;
// Where Debian and others keep the zone database's files.
constexpr const char* kZoneFolders[] = {"/usr/share/zoneinfo/", "/usr/lib/zoneinfo/", "/usr/share/lib/zoneinfo/"};

}  // namespace

QDate LocalToday() { return QDate::currentDate(); }

QTimeZone SystemTimeZone() {
    QByteArray tz = qgetenv("TZ");
    // Unset or empty (universal time, as the C library reads it): Qt's own reading.
    if (tz.isEmpty()) return QTimeZone::systemTimeZone();
    if (tz.startsWith(':')) tz.remove(0, 1);
    if (!tz.startsWith('/')) return QTimeZone(tz);
    // A zone file by path: the zone the database keeps there.
    const QString file = QFileInfo(QString::fromLocal8Bit(tz)).canonicalFilePath();
    for (const char* folder : kZoneFolders)
        if (file.startsWith(QLatin1String(folder))) return QTimeZone(file.mid(int(std::strlen(folder))).toUtf8());
    return QTimeZone();
}

std::string SystemTimeZoneName() {
    const QByteArray tz = qgetenv("TZ");
    return (tz.isEmpty() ? QTimeZone::systemTimeZoneId() : tz).toStdString();
}

bool UsableZone(const QTimeZone& zone) {
    if (!zone.isValid()) return false;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return std::abs(zone.offsetFromUtc(now)) <= kLargestOffsetSeconds &&
           std::abs(zone.standardTimeOffset(now)) <= kLargestOffsetSeconds;
}

}  // namespace helune
