// SPDX-License-Identifier: MIT
// The console's reports as text for people, and as JSON, CSV (RFC 4180) and
// iCalendar (RFC 5545) for programs. Times are local, each with the offset in
// force at its own instant; machine formats name events and phases by stable
// codes (sunrise, full_moon), and give a missing event's reason as text and code.
#pragma once

#include <QDateTime>
#include <ostream>
#include <string>
#include <vector>

#include "Report.h"

namespace helune::cli {

enum class Format { Text, Json, Csv, Ics };

// The format named by text ("text", "json", "csv", "ics").
Format ParseFormat(const std::string& text);

void WriteDay(std::ostream& out, const DayReport& report, const Observer& observer, Format format);
void WriteRange(std::ostream& out, const std::vector<DayReport>& reports, const Observer& observer, Format format);

// A range written a date at a time, as the reports come (JSON as an array
// written element by element): Add each report, then Finish.
class RangeWriter {
public:
    RangeWriter(std::ostream& out, const Observer& observer, Format format);
    void Add(const DayReport& report);
    void Finish();

private:
    void TableRow(const DayReport& report);

    std::ostream& out_;
    const Observer& observer_;
    Format format_;
    long rows_ = 0;
    std::vector<int> widths_;
    bool clocksChange_ = false;
};

// The window's chart as text, line by line.
void WriteChart(std::ostream& out, const DayFacts& facts);

// Calendars: one event per phase or season at its instant, or with allDay one
// all-day event on its local date (the time in the description). stamp: the
// calendar's creation instant (DTSTAMP).
struct CalendarOptions {
    bool allDay = false;
    QDateTime stamp;
};
// The principal phases and the seasons of an interval, in time order.
void WriteAlmanac(std::ostream& out, const std::vector<PhaseInstant>& phases, const std::vector<SeasonStart>& seasons,
                  const Observer& observer, Format format, const CalendarOptions& calendar);

void WriteNow(std::ostream& out, const SkyNow& now, const Observer& observer, Format format);

// Instants as ISO 8601 local times, one a line.
void WriteInstants(std::ostream& out, const std::vector<JulianDay>& instants, const Observer& observer);

void WriteLight(std::ostream& out, Light light, JulianDay universal, const Observer& observer, Format format);

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// An iCalendar content line folded at 75 octets, never inside a UTF-8
// character, with CRLF line ends.
std::string FoldContentLine(const std::string& line);

// The UID of a phase: its kind and universal minute, "full-moon-20080122T1335Z@helune".
std::string PhaseUid(const PhaseInstant& phase);

// The code of a phase ("full_moon") and its name ("full moon").
std::string PhaseCode(int16_t code);

// The local time of an instant as ISO 8601 with its offset, to the second.
std::string LocalIso(JulianDay universal, const Observer& observer);

// Whether the instant's local date falls in the years 1 to 9999 that ISO 8601
// times are written in.
bool Writable(JulianDay universal, const Observer& observer);

// The chart's lines as text, from its composed items.
std::vector<std::string> ChartLines(const std::vector<ChartItem>& items);

}  // namespace helune::cli
