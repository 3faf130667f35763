// SPDX-License-Identifier: MIT
// The settings file's text, as the store reads and changes it: an INI file in
// the layout Qt's settings write (values of no section under "[General]";
// strings with commas, quotes or outer spaces quoted and escaped), whose lines
// are all kept as they are but for the values the program sets. A person's
// comments, other sections and other keys survive every write byte for byte.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace helune {

// The value of name in the file's general section (the lines before any
// section header, and "[General]"), decoded; nothing when it has none.
std::optional<QString> IniValue(const QByteArray& file, const QString& name);

// Whether the file's general section holds any value at all.
bool IniHasValues(const QByteArray& file);

// The file with each name set to its value: a name's line replaced where it
// is, a new name added at the end of the general section (which a file
// without one gains at its top). Every other line is kept as it was.
QByteArray IniWithValues(const QByteArray& file, const std::vector<std::pair<QString, QString>>& values);

// The file without the lines of the names in its general section; every
// other line is kept as it was.
QByteArray IniWithoutValues(const QByteArray& file, const std::vector<QString>& names);

// A value as the file writes it (plain, or quoted with backslash escapes) and
// back.
QByteArray IniEncoded(const QString& value);
QString IniDecoded(const QByteArray& text);

}  // namespace helune
