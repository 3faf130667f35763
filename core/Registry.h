// SPDX-License-Identifier: MIT
// The per-user settings store: text values under one key of the current user's
// store. On Windows this is the registry key HKEY_CURRENT_USER\<keyPath>; on
// other systems an INI file under a configuration folder, named after the key's
// last two parts: <folder>/Velmora/Helune.conf. The file is only ever read
// when it is a regular file of a sensible size, and only ever replaced whole by
// a new one that has been written and read back; every line of it that the
// program does not set (a person's comments, other keys) is kept as it was.
// Each save reads, edits and replaces the file under a lock beside it
// (Helune.conf.lock), so that saves made at once by several programs all
// land; a file that is a symbolic link is saved where it links to, and stays
// a link; what a killed save left beside the file goes at the next save.
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace helune {

// Where the store lives: folder empty, the user's configuration folder
// ($XDG_CONFIG_HOME as it is at each call, else ~/.config), or on Windows the
// registry; a folder of the caller's (tests) otherwise, on every system.
struct RegistryStore {
    QString folder;
};

enum class RegistryRoot { CurrentUser };

inline constexpr char RegistryKeyPath[] = "Software\\Velmora\\Helune";

// Value kinds of WriteRegValue.
inline constexpr int kRegText = 1;
inline constexpr int kRegInteger = 4;

// Writes one value: kind 4 the text converted to a 32-bit integer, any other
// kind the text itself. The key is created when missing; the values already
// stored stay as they were. Returns whether the value was written; a store
// that cannot be replaced whole (a full disk, a folder that cannot be written,
// a store that is no regular file) is left as it was.
bool WriteRegValue(RegistryRoot root, const QString& keyPath, const QString& name, const QString& text, int kind,
                   const RegistryStore& store = {});

// Writes several text values in one replacement of the store, so that they
// are kept all together or not at all; why, where given, says why not.
bool WriteRegValues(RegistryRoot root, const QString& keyPath, const std::vector<std::pair<QString, QString>>& values,
                    const RegistryStore& store = {}, QString* why = nullptr);

// Deletes values, in one replacement of the store; the others stay as they were.
bool DeleteRegValues(RegistryRoot root, const QString& keyPath, const std::vector<QString>& names,
                     const RegistryStore& store = {}, QString* why = nullptr);

// Where the store lives, as a person would look for it: the file's path, or
// the registry key.
QString RegistryLocation(RegistryRoot root, const QString& keyPath, const RegistryStore& store = {});

// Reads one value as text. Returns false, leaving text unchanged, when the key
// does not exist; otherwise sets text (empty for an absent value) and returns
// whether it is not empty.
bool ReadRegValue(RegistryRoot root, const QString& keyPath, const QString& name, QString& text,
                  const RegistryStore& store = {});

}  // namespace helune
