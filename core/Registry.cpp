// SPDX-License-Identifier: MIT
#include "Registry.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace helune {
namespace {

// The organization and application of a key path "Software\<organization>\<application>":
// on Windows, QSettings keeps that pair's values under exactly that key.
struct StoreName {
    QString organization;
    QString application;
    QString folder;  // empty: the user's
};

std::optional<StoreName> StoreNameOf(RegistryRoot root, const QString& keyPath, const RegistryStore& where) {
    if (root != RegistryRoot::CurrentUser)
        return std::nullopt;
    const QStringList parts = keyPath.split(QLatin1Char('\\'));
    if (parts.size() != 3 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0 ||
        parts[1].isEmpty() || parts[2].isEmpty())
        return std::nullopt;
    return StoreName{parts[1], parts[2], where.folder};
}

// A fresh view of the store for every call, so that no handle stays open between calls. On
// Windows the native store is the registry key itself. Elsewhere the file is named here,
// because QSettings settles the user's configuration folder once, when it is first used,
// while the store should follow $XDG_CONFIG_HOME as it is at each call.
std::unique_ptr<QSettings> OpenStore(const StoreName& store) {
    QString folder = store.folder;
    if (folder.isEmpty()) {
#ifdef Q_OS_WIN
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, store.organization,
                                           store.application);
#else
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    }
    return std::make_unique<QSettings>(
        QStringLiteral("%1/%2/%3.conf").arg(folder, store.organization, store.application), QSettings::IniFormat);
}

std::optional<QVariant> ValueOfKind(const QString& text, int kind) {
    if (kind != kRegInteger)
        return QVariant(text);
    bool converted = false;
    const int number = text.toInt(&converted);
    if (!converted)
        return std::nullopt;
    return QVariant(number);
}

// An unquoted value holding commas, as a person may type into the file, is read by
// QSettings as a list of the pieces between the commas.
QString StoredText(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool SaveValue(QSettings& settings, const QString& name, const QVariant& value) {
    settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// QSettings rewrites a damaged file from the lines it could read, and then reports the
// damage in place of any failure to write, so such a file is first moved beside the store,
// where the user keeps every byte of it, and the store is rebuilt from its readable values.
bool RebuildDamagedStore(const StoreName& store, const QString& fileName, const QVariantMap& readable,
                         const QString& name, const QVariant& value) {
    const QString damagedName = fileName + QLatin1String(".damaged");
    QFile::remove(damagedName);
    if (!QFile::rename(fileName, damagedName))
        return false;
    const std::unique_ptr<QSettings> rebuilt = OpenStore(store);
    for (auto kept = readable.cbegin(); kept != readable.cend(); ++kept)
        rebuilt->setValue(kept.key(), kept.value());
    return SaveValue(*rebuilt, name, value);
}

}  // namespace

bool WriteRegValue(RegistryRoot root, const QString& keyPath, const QString& name, const QString& text, int kind,
                   const RegistryStore& where) {
    const std::optional<StoreName> store = StoreNameOf(root, keyPath, where);
    const std::optional<QVariant> value = ValueOfKind(text, kind);
    if (!store || !value || name.isEmpty())
        return false;

    QString fileName;
    QVariantMap readable;
    {
        const std::unique_ptr<QSettings> settings = OpenStore(*store);
        // QSettings parses each group of the file only when it is first asked for, so the
        // damage of a file shows in status() only once every name has been listed.
        const QStringList names = settings->allKeys();
        if (settings->status() != QSettings::FormatError)
            return SaveValue(*settings, name, *value);
        fileName = settings->fileName();
        for (const QString& kept : names)
            readable.insert(kept, settings->value(kept));
    }
    return RebuildDamagedStore(*store, fileName, readable, name, *value);
}

bool ReadRegValue(RegistryRoot root, const QString& keyPath, const QString& name, QString& text,
                  const RegistryStore& where) {
    const std::optional<StoreName> store = StoreNameOf(root, keyPath, where);
    if (!store)
        return false;
    const std::unique_ptr<QSettings> settings = OpenStore(*store);
    if (settings->allKeys().isEmpty())
        return false;
    text = name.isEmpty() ? QString() : StoredText(settings->value(name));
    return !text.isEmpty();
}

}  // namespace helune
