// SPDX-License-Identifier: MIT
#include "Writers.h"

#include <cmath>

#include "WriterKinds.h"

namespace helune::cli {

namespace {

constexpr std::size_t kIcsLineOctets = 75;
constexpr char kCrlf[] = "\r\n";

struct FormatRow {
    Format format;
    const char* name;
    const char* meaning;
};
constexpr FormatRow kFormats[] = {
    {Format::Text, "text", "for people (the default)"},
    {Format::Json, "json", "one JSON document with its schema version, place and clock"},
    {Format::Csv, "csv", "RFC 4180, a header and one row a record"},
    {Format::Ics, "ics", "an iCalendar file, one event a phase or season"},
    {Format::Svg, "svg", "a scalable picture, its title and description inside"},
    {Format::Png, "png", "a picture of --width by --height pixels"},
    {Format::Pdf, "pdf", "a printable page of --paper, its title and description in its metadata"},
};

// Decimals a machine format keeps of each unit.
int MachineDecimals(Unit unit) {
    switch (unit) {
        case Unit::Hours: return 6;
        case Unit::Kilometres:
        case Unit::Metres: return 1;
        default: return 4;
    }
}

}  // namespace

const char* FormatName(Format format) {
    for (const FormatRow& row : kFormats)
        if (row.format == format) return row.name;
    return "";
}

const char* FormatMeaning(Format format) {
    for (const FormatRow& row : kFormats)
        if (row.format == format) return row.meaning;
    return "";
}

std::optional<Format> FormatNamed(const std::string& name) {
    for (const FormatRow& row : kFormats)
        if (name == row.name) return row.format;
    return std::nullopt;
}

std::unique_ptr<Writer> MakeWriter(Format format, std::ostream& out, const Document& document, const Clock& clock,
                                   const CalendarOptions& calendar) {
    switch (format) {
        case Format::Json: return MakeJsonWriter(out, document, clock);
        case Format::Csv: return MakeCsvWriter(out, clock);
        case Format::Ics: return MakeIcsWriter(out, clock, calendar);
        case Format::Text: return MakeTextWriter(out, document, clock);
        case Format::Svg:
        case Format::Png:
        case Format::Pdf: break;
    }
    throw UsageError{std::string("--format: ") + FormatName(format) + " is a picture's"};
}

void WriteDocument(Format format, std::ostream& out, const Document& document, const Record& record,
                   const Clock& clock, const CalendarOptions& calendar) {
    const std::unique_ptr<Writer> writer = MakeWriter(format, out, document, clock, calendar);
    writer->Add(record);
    writer->Finish();
}

std::string LocalIso(JulianDay universal, const Clock& clock) {
    return clock.LocalTime(universal).toString(Qt::ISODate).toStdString();
}

std::string UtcIso(JulianDay universal) {
    return QDateTime::fromMSecsSinceEpoch(UnixMilliseconds(universal), Qt::UTC).toString(Qt::ISODate).toStdString();
}

bool Writable(JulianDay universal, const Clock& clock) {
    const QDate date = clock.LocalTime(universal).date();
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

double MachineNumber(const Quantity& quantity) {
    const double scale = std::pow(10.0, MachineDecimals(quantity.unit));
    const double rounded = std::round(quantity.value * scale) / scale;
    return rounded == 0.0 ? 0.0 : rounded;  // no minus sign on zero
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string FoldContentLine(const std::string& line) {
    std::string folded;
    std::size_t start = 0;
    std::size_t limit = kIcsLineOctets;  // continuation lines spend one octet on the leading space
    while (line.size() - start > limit) {
        std::size_t end = start + limit;
        while (end > start && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
        folded += line.substr(start, end - start) + kCrlf + " ";
        start = end;
        limit = kIcsLineOctets - 1;
    }
    return folded + line.substr(start) + kCrlf;
}

std::string CalendarUid(const std::string& code, JulianDay universal) {
    std::string uid = code;
    for (char& c : uid)
        if (c == '_') c = '-';
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(UnixMilliseconds(universal), Qt::UTC);
    return uid + "-" + utc.toString("yyyyMMdd'T'HHmm'Z'").toStdString() + "@helune";
}

}  // namespace helune::cli
