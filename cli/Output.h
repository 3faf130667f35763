// The console's reports as text for people, and as JSON, CSV (RFC 4180) and
// iCalendar (RFC 5545) for programs.
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
// stamp: the calendar's creation instant (DTSTAMP).
void WritePhases(std::ostream& out, const std::vector<PhaseInstant>& phases, const Observer& observer, Format format,
                 const QDateTime& stamp);

// A CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// An iCalendar content line folded at 75 octets, never inside a UTF-8
// character, with CRLF line ends.
std::string FoldContentLine(const std::string& line);

// The UID of a phase: its kind and universal minute, "full-moon-20080122T1335Z@helune".
std::string PhaseUid(const PhaseInstant& phase);

// The chart's lines as text, from its composed items.
std::vector<std::string> ChartLines(const std::vector<ChartItem>& items);

}  // namespace helune::cli
