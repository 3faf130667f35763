// SPDX-License-Identifier: MIT
#include "Registry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <filesystem>
#include <functional>
#include <memory>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif
#include <optional>

#include "IniFile.h"

namespace helune {
namespace {

// A settings file this large is no settings file: it is neither read nor rewritten.
constexpr qint64 kLargestStore = 1 << 20;

// The organization and application of a key path "Software\<organization>\<application>".
struct StoreName {
    QString organization;
    QString application;
    QString folder;  // empty: the user's
};

std::optional<StoreName> StoreNameOf(RegistryRoot root, const QString& keyPath, const RegistryStore& where) {
    if (root != RegistryRoot::CurrentUser) return std::nullopt;
    const QStringList parts = keyPath.split(QLatin1Char('\\'));
    if (parts.size() != 3 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0 ||
        parts[1].isEmpty() || parts[2].isEmpty())
        return std::nullopt;
    return StoreName{parts[1], parts[2], where.folder};
}

#ifdef Q_OS_WIN
// On Windows the user's store is the registry key itself.
bool IsRegistry(const StoreName& store) { return store.folder.isEmpty(); }
std::unique_ptr<QSettings> RegistryKey(const StoreName& store) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, store.organization,
                                       store.application);
}
#endif

// The store's file, named at each call so that it follows $XDG_CONFIG_HOME as
// it is then.
QString FileOf(const StoreName& store) {
    const QString folder = store.folder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                               : store.folder;
    return QStringLiteral("%1/%2/%3.conf").arg(folder, store.organization, store.application);
}

// The file's bytes: empty when there is no file; nothing when it is no regular
// file (a FIFO would block the program), is too large, or cannot be read.
std::optional<QByteArray> Contents(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.exists() && !info.isSymLink()) return QByteArray();
    if (!info.isFile() || info.size() > kLargestStore) return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.read(kLargestStore + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestStore) return std::nullopt;
    return bytes;
}

// Whether the file's bytes have reached the disk (and not a cache that a
// crash or a full disk could still lose).
bool OnDisk(QFile& file) {
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return fsync(file.handle()) == 0;
#endif
}

// Why a save failed, for the caller to say.
using Failure = QString;

// Replaces the file by one holding bytes: written beside it, flushed to the
// disk and read back whole before it takes the file's name, so that a full
// disk or a failed write leaves the old file as it was. The file written
// beside it is removed on any failure.
std::optional<Failure> Replace(const QString& fileName, const QByteArray& bytes) {
    const QFileInfo info(fileName);
    QTemporaryFile fresh(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!fresh.open()) return QStringLiteral("cannot write in %1: %2").arg(info.absolutePath(), fresh.errorString());
    if (fresh.write(bytes) != bytes.size() || !fresh.flush() || !OnDisk(fresh))
        return QStringLiteral("cannot write %1 whole: %2").arg(fresh.fileName(), fresh.errorString());
    if (info.exists()) fresh.setPermissions(QFile::permissions(fileName));
    fresh.close();
    const std::optional<QByteArray> written = Contents(fresh.fileName());
    if (!written || *written != bytes) return QStringLiteral("%1 did not read back as written").arg(fresh.fileName());
    std::error_code failed;
    std::filesystem::rename(QFile::encodeName(fresh.fileName()).toStdString(),
                            QFile::encodeName(info.absoluteFilePath()).toStdString(), failed);
    if (failed) return QStringLiteral("cannot replace %1: %2").arg(fileName, QString::fromStdString(failed.message()));
    fresh.setAutoRemove(false);  // it is the store now
    return std::nullopt;
}

// The file a save changes: the store's, or where it links to (a settings
// file kept with a person's other dotfiles), so that the link stays a link.
QString SavedFile(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.isSymLink()) return info.absoluteFilePath();
    return QFileInfo(info.symLinkTarget()).absoluteFilePath();
}

// What saves killed before their end left beside the file: its name and six
// characters, a minute old or more.
void RemoveLeftovers(const QString& fileName) {
    constexpr int kLeftoverSeconds = 60;
    const QFileInfo info(fileName);
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-kLeftoverSeconds);
    const QDir folder = info.absoluteDir();
    for (const QFileInfo& leftover :
         folder.entryInfoList({info.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden))
        if (leftover.lastModified().toUTC() < old) QFile::remove(leftover.absoluteFilePath());
}

// Replaces the store's file by the edit of its text, the reading, the edit
// and the replacement under a lock beside the file, so that saves made at
// once by windows and consoles all land.
std::optional<Failure> EditFile(const StoreName& store, const std::function<QByteArray(const QByteArray&)>& edit) {
    constexpr int kStaleLockMs = 10000, kLockWaitMs = 5000;
    const QString fileName = SavedFile(FileOf(store));
    const QFileInfo info(fileName);
    if (!QDir().mkpath(info.absolutePath())) return QStringLiteral("cannot make the folder %1").arg(info.absolutePath());
    QLockFile lock(fileName + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) return QStringLiteral("cannot lock %1: another save holds it").arg(fileName);
    RemoveLeftovers(fileName);
    // Only a regular file, or none, is ever replaced.
    if ((info.exists() || info.isSymLink()) && !info.isFile())
        return QStringLiteral("%1 is not a regular file").arg(fileName);
    const std::optional<QByteArray> old = Contents(fileName);
    if (!old) return QStringLiteral("cannot read %1").arg(fileName);
    return Replace(fileName, edit(*old));
}

std::optional<Failure> SetValues(const StoreName& store, const std::vector<std::pair<QString, QString>>& values) {
#ifdef Q_OS_WIN
    if (IsRegistry(store)) {
        const std::unique_ptr<QSettings> key = RegistryKey(store);
        for (const auto& [name, text] : values) key->setValue(name, text);
        key->sync();
        if (key->status() == QSettings::NoError) return std::nullopt;
        return QStringLiteral("cannot write the registry key");
    }
#endif
    return EditFile(store, [&](const QByteArray& old) { return IniWithValues(old, values); });
}

std::optional<Failure> RemoveValues(const StoreName& store, const std::vector<QString>& names) {
#ifdef Q_OS_WIN
    if (IsRegistry(store)) {
        const std::unique_ptr<QSettings> key = RegistryKey(store);
        for (const QString& name : names) key->remove(name);
        key->sync();
        if (key->status() == QSettings::NoError) return std::nullopt;
        return QStringLiteral("cannot write the registry key");
    }
#endif
    return EditFile(store, [&](const QByteArray& old) { return IniWithoutValues(old, names); });
}

// Whether a save succeeded, saying why not where asked.
bool Saved(const std::optional<Failure>& failure, QString* why) {
    if (failure && why) *why = *failure;
    return !failure;
}

// Integers are stored as their plain decimal text.
std::optional<QString> TextOfKind(const QString& text, int kind) {
    if (kind != kRegInteger) return text;
    bool converted = false;
    const int number = text.toInt(&converted);
    if (!converted) return std::nullopt;
    return QString::number(number);
}

}  // namespace

bool WriteRegValues(RegistryRoot root, const QString& keyPath, const std::vector<std::pair<QString, QString>>& values,
                    const RegistryStore& where, QString* why) {
    const std::optional<StoreName> store = StoreNameOf(root, keyPath, where);
    if (!store) return Saved(QStringLiteral("no key %1").arg(keyPath), why);
    for (const auto& value : values)
        if (value.first.isEmpty()) return Saved(QStringLiteral("a value without a name"), why);
    return Saved(SetValues(*store, values), why);
}

bool DeleteRegValues(RegistryRoot root, const QString& keyPath, const std::vector<QString>& names,
                     const RegistryStore& where, QString* why) {
    const std::optional<StoreName> store = StoreNameOf(root, keyPath, where);
    if (!store) return Saved(QStringLiteral("no key %1").arg(keyPath), why);
    return Saved(RemoveValues(*store, names), why);
}

bool WriteRegValue(RegistryRoot root, const QString& keyPath, const QString& name, const QString& text, int kind,
                   const RegistryStore& where) {
    const std::optional<QString> value = TextOfKind(text, kind);
    if (!value) return false;
    return WriteRegValues(root, keyPath, {{name, *value}}, where);
}

QString RegistryLocation(RegistryRoot root, const QString& keyPath, const RegistryStore& where) {
    const std::optional<StoreName> store = StoreNameOf(root, keyPath, where);
    if (!store) return {};
#ifdef Q_OS_WIN
    if (IsRegistry(*store)) return QStringLiteral("HKEY_CURRENT_USER\\") + keyPath;
#endif
    return FileOf(*store);
}

bool ReadRegValue(RegistryRoot root, const QString& keyPath, const QString& name, QString& text,
                  const RegistryStore& where) {
    const std::optional<StoreName> store = StoreNameOf(root, keyPath, where);
    if (!store) return false;
#ifdef Q_OS_WIN
    if (IsRegistry(*store)) {
        const std::unique_ptr<QSettings> key = RegistryKey(*store);
        if (key->allKeys().isEmpty()) return false;
        text = name.isEmpty() ? QString() : key->value(name).toString();
        return !text.isEmpty();
    }
#endif
    const std::optional<QByteArray> file = Contents(FileOf(*store));
    if (!file || !IniHasValues(*file)) return false;
    text = name.isEmpty() ? QString() : IniValue(*file, name).value_or(QString());
    return !text.isEmpty();
}

}  // namespace helune
