// SPDX-License-Identifier: MIT
// The per-user settings store: text values under one key of the current user's
// store. On Windows this is the registry key HKEY_CURRENT_USER\<keyPath>; on
// other systems an INI file under a configuration folder, named after the key's
// last two parts: <folder>/Velmora/Helune.conf.
#pragma once

#include <QString>

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
// stored stay as they were, and the file is replaced atomically. A file that
// cannot be read whole is first moved beside the store as "<file>.damaged" and
// the store rebuilt from the values that could be read. Returns whether the
// value was written.
bool WriteRegValue(RegistryRoot root, const QString& keyPath, const QString& name, const QString& text, int kind,
                   const RegistryStore& store = {});

// Reads one value as text. Returns false, leaving text unchanged, when the key
// does not exist; otherwise sets text (empty for an absent value) and returns
// whether it is not empty.
bool ReadRegValue(RegistryRoot root, const QString& keyPath, const QString& name, QString& text,
                  const RegistryStore& store = {});

}  // namespace helune
