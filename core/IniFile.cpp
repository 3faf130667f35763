// SPDX-License-Identifier: MIT
#include "IniFile.h"

#include <optional>

namespace helune {

namespace {

// A line of the file with its own ending ("\n", "\r\n", or none at the end).
struct Line {
    QByteArray text;
    QByteArray ending;
};

std::vector<Line> Lines(const QByteArray& file) {
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < file.size()) {
        const qsizetype newline = file.indexOf('\n', start);
        if (newline < 0) {
            lines.push_back({file.mid(start), {}});
            break;
        }
        const bool crlf = newline > start && file[newline - 1] == '\r';
        const qsizetype end = crlf ? newline - 1 : newline;
        lines.push_back({file.mid(start, end - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        start = newline + 1;
    }
    return lines;
}

QByteArray Joined(const std::vector<Line>& lines) {
    QByteArray file;
    for (const Line& line : lines) file += line.text + line.ending;
    return file;
}

// "[Name]" of a section header, or nothing.
std::optional<QByteArray> SectionOf(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith('[') || !trimmed.endsWith(']')) return std::nullopt;
    return trimmed.mid(1, trimmed.size() - 2);
}

bool IsGeneral(const QByteArray& section) { return section.isEmpty() || section == "General"; }

// The key of a "key=value" line; nothing for comments, headers and lines without "=".
std::optional<QByteArray> KeyOf(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#') || SectionOf(text)) return std::nullopt;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0) return std::nullopt;
    return text.left(equals).trimmed();
}

// Each line's place: in the general section or not.
std::vector<bool> GeneralLines(const std::vector<Line>& lines) {
    std::vector<bool> general;
    bool inGeneral = true;  // the lines before any header
    for (const Line& line : lines) {
        if (const auto section = SectionOf(line.text)) inGeneral = IsGeneral(*section);
        general.push_back(inGeneral);
    }
    return general;
}

// The last line of the general section that holds name, or nothing.
std::optional<std::size_t> LineOf(const std::vector<Line>& lines, const std::vector<bool>& general,
                                  const QByteArray& name) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (general[i] && KeyOf(lines[i].text) == name) found = i;
    return found;
}

// Where new values go: after the last line of the general section that is
// not blank; nothing when the file has no general section to speak of.
std::optional<std::size_t> EndOfGeneral(const std::vector<Line>& lines, const std::vector<bool>& general) {
    std::optional<std::size_t> end;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (general[i] && (!lines[i].text.trimmed().isEmpty() || SectionOf(lines[i].text))) end = i + 1;
    return end;
}

bool NeedsQuotes(const QByteArray& text) {
    if (text.isEmpty()) return false;
    if (text.front() == ' ' || text.back() == ' ' || text.front() == '@') return true;
    for (const char c : text)
        if (c == ',' || c == ';' || c == '#' || c == '"' || c == '\\' || c == '=' || static_cast<unsigned char>(c) < 0x20)
            return true;
    return false;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

QByteArray IniEncoded(const QString& value) {
    const QByteArray text = value.toUtf8();
    if (!NeedsQuotes(text)) return text;
    QByteArray quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    quoted += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
                else
                    quoted += c;
        }
    }
    return quoted + "\"";
}

QString IniDecoded(const QByteArray& raw) {
    const QByteArray text = raw.trimmed();
    if (text.startsWith("@@")) return QString::fromUtf8(text.mid(1));
    if (!text.startsWith('"')) return QString::fromUtf8(text);
    QByteArray value;
    qsizetype i = 1;
    for (; i < text.size() && text[i] != '"'; ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            value += text[i];
            continue;
        }
        const char escaped = text[++i];
        if (escaped == 'n') value += '\n';
        else if (escaped == 'r') value += '\r';
        else if (escaped == 't') value += '\t';
        else if (escaped == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            value += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else value += escaped;
    }
    // Anything after the closing quote, as Qt's settings join list items.
    if (i + 1 < text.size()) value += text.mid(i + 1).trimmed();
    return QString::fromUtf8(value);
}

std::optional<QString> IniValue(const QByteArray& file, const QString& name) {
    const std::vector<Line> lines = Lines(file);
    const std::vector<bool> general = GeneralLines(lines);
    const auto at = LineOf(lines, general, name.toUtf8());
    if (!at) return std::nullopt;
    const QByteArray& text = lines[*at].text;
    return IniDecoded(text.mid(text.indexOf('=') + 1));
}

bool IniHasValues(const QByteArray& file) {
    const std::vector<Line> lines = Lines(file);
    const std::vector<bool> general = GeneralLines(lines);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (general[i] && KeyOf(lines[i].text)) return true;
    return false;
}

QByteArray IniWithValues(const QByteArray& file, const std::vector<std::pair<QString, QString>>& values) {
    std::vector<Line> lines = Lines(file);
    const QByteArray ending = !lines.empty() && lines.front().ending == "\r\n" ? QByteArray("\r\n") : QByteArray("\n");
    for (const auto& [name, value] : values) {
        const QByteArray key = name.toUtf8();
        const Line line{key + "=" + IniEncoded(value), ending};
        const std::vector<bool> general = GeneralLines(lines);
        if (const auto at = LineOf(lines, general, key)) {
            lines[*at].text = line.text;
            continue;
        }
        std::optional<std::size_t> end = EndOfGeneral(lines, general);
        if (!end) {
            // A general section of its own at the top, apart from what follows.
            std::vector<Line> top = {{"[General]", ending}};
            if (!lines.empty()) top.push_back({{}, ending});
            lines.insert(lines.begin(), top.begin(), top.end());
            end = 1;
        }
        if (*end > 0 && lines[*end - 1].ending.isEmpty()) lines[*end - 1].ending = ending;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*end), line);
    }
    return Joined(lines);
}

QByteArray IniWithoutValues(const QByteArray& file, const std::vector<QString>& names) {
    std::vector<Line> lines = Lines(file);
    for (const QString& name : names) {
        const std::vector<bool> general = GeneralLines(lines);
        if (const auto at = LineOf(lines, general, name.toUtf8()))
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*at));
    }
    return Joined(lines);
}

}  // namespace helune
