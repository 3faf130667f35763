// SPDX-License-Identifier: MIT
// iCalendar (RFC 5545): one event a record of an instant (its event's code and
// prose, its time), at its instant or all day on its local date. A phase or a
// season is the same everywhere, so the calendar names no place; its UID is
// the event's code and universal minute, so that a calendar imported twice
// keeps one event for each.
#include "Vocabulary.h"
#include "WriterKinds.h"

namespace helune::cli {

namespace {

std::string EscapeText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == ',' || c == ';' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string Capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string IcsUtc(const QDateTime& time) { return time.toUTC().toString("yyyyMMdd'T'HHmmss'Z'").toStdString(); }

class IcsWriter : public Writer {
public:
    IcsWriter(std::ostream& out, const Clock& clock, const CalendarOptions& calendar)
        : out_(out), clock_(clock), calendar_(calendar) {
        for (const char* line : {"BEGIN:VCALENDAR", "VERSION:2.0", "PRODID:-//Velmora//Helune//EN", "CALSCALE:GREGORIAN"})
            out_ << FoldContentLine(line);
    }

    void Add(const Record& record) override {
        const Field* event = FindField(record, keys::kEvent.key);
        const Field* time = FindField(record, keys::kTime.key);
        if (!event || !time) return;
        const Word& word = std::get<Word>(event->value);
        const JulianDay universal = std::get<Instant>(time->value).universal;
        for (const std::string& line : EventLines(word, universal)) out_ << FoldContentLine(line);
    }

    void Finish() override { out_ << FoldContentLine("END:VCALENDAR"); }

private:
    std::vector<std::string> EventLines(const Word& word, JulianDay universal) const {
        const QDateTime local = clock_.LocalTime(universal);
        const QDateTime utc = local.toUTC();
        const std::string summary = Capitalized(word.prose);
        const std::string description = summary + " at " + local.toString("HH:mm:ss").toStdString() +
                                        " local time (UTC" + OffsetText(local.offsetFromUtc()) + "), " +
                                        utc.toString("HH:mm:ss").toStdString() + " UTC";
        std::vector<std::string> lines = {"BEGIN:VEVENT", "UID:" + CalendarUid(word.code, universal),
                                          "DTSTAMP:" + IcsUtc(calendar_.stamp)};
        if (calendar_.allDay) {
            lines.push_back("DTSTART;VALUE=DATE:" + local.date().toString("yyyyMMdd").toStdString());
            lines.push_back("DTEND;VALUE=DATE:" + local.date().addDays(1).toString("yyyyMMdd").toStdString());
            lines.push_back("TRANSP:TRANSPARENT");
        } else {
            lines.push_back("DTSTART:" + IcsUtc(utc));
        }
        lines.push_back("SUMMARY:" + EscapeText(summary));
        lines.push_back("DESCRIPTION:" + EscapeText(description));
        lines.push_back("END:VEVENT");
        return lines;
    }

    std::ostream& out_;
    const Clock& clock_;
    CalendarOptions calendar_;
};

}  // namespace

std::unique_ptr<Writer> MakeIcsWriter(std::ostream& out, const Clock& clock, const CalendarOptions& calendar) {
    return std::make_unique<IcsWriter>(out, clock, calendar);
}

}  // namespace helune::cli
