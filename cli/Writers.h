// SPDX-License-Identifier: MIT
// The console's formats, one writer each, any of which lays out any document:
// text for people, JSON (one document with its schema version, place and
// clock), CSV (RFC 4180, one row a record, the heading left out) and
// iCalendar (RFC 5545, one event a record of an instant). Local times are on
// the observer's clock, each with the offset in force at its own instant.
#pragma once

#include <QDateTime>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Records.h"

namespace helune::cli {

// The documents' formats, then the pictures' (written by the plots alone).
enum class Format { Text, Json, Csv, Ics, Svg, Png, Pdf };

// "text", "json", "csv", "ics", "svg", "png", "pdf", and back (nothing for another word).
const char* FormatName(Format format);
std::optional<Format> FormatNamed(const std::string& name);
// Whether a format is a picture's (the plots') rather than a document's.
inline bool IsPicture(Format format) { return format == Format::Svg || format == Format::Png || format == Format::Pdf; }
// What each format is, for help and completion.
const char* FormatMeaning(Format format);

// How text lays a document out; the other formats lay every document out alike.
enum class Layout {
    Sections,  // a line a field, each group under its title (day, now)
    Table,     // a row a record, a column a field (range)
    Lines,     // a line a record, its fields side by side (phases, seasons, next)
    Answer,    // the text of one field alone (poll)
};

struct Document {
    Layout layout;
    Record heading;         // written once: place, clock, an asked event
    std::string listKey;    // Table and Lines: the key of the records' JSON array
    std::string answerKey;  // Answer: the field whose text answers
};

// The calendar's choices: one all-day event on each local date (the time in
// the description) or an event at its instant; stamp: the creation (DTSTAMP).
struct CalendarOptions {
    bool allDay = false;
    QDateTime stamp;
};

// A writer has begun the document when made; it writes each record as it is
// added, and ends the document on Finish.
class Writer {
public:
    virtual ~Writer() = default;
    virtual void Add(const Record& record) = 0;
    virtual void Finish() = 0;
};

std::unique_ptr<Writer> MakeWriter(Format format, std::ostream& out, const Document& document, const Clock& clock,
                                   const CalendarOptions& calendar = {});

// A document of one record, written whole.
void WriteDocument(Format format, std::ostream& out, const Document& document, const Record& record,
                   const Clock& clock, const CalendarOptions& calendar = {});

// The local time of an instant as ISO 8601 with its offset, to the second.
std::string LocalIso(JulianDay universal, const Clock& clock);
// The universal time of an instant as ISO 8601 with Z, in the proleptic Gregorian calendar.
std::string UtcIso(JulianDay universal);

// Whether the instant's local date falls in the years 1 to 9999 that ISO 8601
// times are written in.
bool Writable(JulianDay universal, const Clock& clock);

// A place as text says it: "59.91°N 10.75°E, Oslo, 120 m up", with where it
// came from unless given; and a clock: its zone, its fixed offset or the
// window's rule, with where it came from unless given.
std::string PlaceText(const Place& place);
std::string ClockText(const Clock& clock);

// A number of a quantity as JSON and CSV give it: rounded to what its unit
// holds (a hundredth of a second of time, a ten-thousandth of a degree).
double MachineNumber(const Quantity& quantity);

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// An iCalendar content line folded at 75 octets, never inside a UTF-8
// character, with CRLF line ends.
std::string FoldContentLine(const std::string& line);

// The UID of an event of a kind at a universal minute, the same wherever the
// calendar is made: "full-moon-20080122T1335Z@helune".
std::string CalendarUid(const std::string& code, JulianDay universal);

}  // namespace helune::cli
