// SPDX-License-Identifier: MIT
// Text for people: a document's fields as labelled lines under the titles of
// their groups, as a table, as one line a record, or as one answer. The times
// of a record that holds a date are clock readings on that date (with their
// offset where the clocks change during it); other times are ISO 8601.
#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "Vocabulary.h"
#include "WriterKinds.h"

namespace helune::cli {

namespace {

constexpr int kLabelWidth = 16;       // a top-level label; a group's is indented within it
constexpr char kIndent[] = "  ";
constexpr char kColumnGap[] = "  ";
constexpr char kMissingEdge[] = "…";
constexpr char kClockChangeMark[] = "*";

// What the times of a record read against.
struct TimeContext {
    std::optional<QDate> date;  // times on this date are clock readings
    bool clocksChange = false;  // during the date: the readings carry their offset
};

TimeContext ContextOf(const Record& record) {
    TimeContext context;
    if (const Field* date = FindField(record, keys::kDate.key)) context.date = std::get<QDate>(date->value);
    if (const Field* offset = FindField(record, keys::kUtcOffset.key))
        context.clocksChange = std::get<UtcOffset>(offset->value).changes;
    return context;
}

// The characters of UTF-8 text (not its bytes: "°" is two).
int Characters(const std::string& text) {
    int characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters;
}

std::string Padded(const std::string& text, int width) {
    return text + std::string(static_cast<std::size_t>(std::max(0, width - Characters(text))), ' ');
}

std::string Fixed(double value, int decimals) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << (value == 0.0 ? 0.0 : value);
    return text.str();
}

// 13:08:52 of a number of hours, truncated to the second.
std::string Duration(double hours) {
    const auto seconds = static_cast<long>(std::floor(hours * 3600.0 + 1e-6));
    std::ostringstream text;
    text << std::setfill('0') << std::setw(2) << seconds / 3600 << ':' << std::setw(2) << seconds / 60 % 60 << ':'
         << std::setw(2) << seconds % 60;
    return text.str();
}

// +3m 43s of a change in minutes, rounded to the second.
std::string Change(double minutes) {
    const long seconds = std::lround(minutes * 60.0);
    const long a = std::labs(seconds);
    std::ostringstream text;
    text << (seconds < 0 ? '-' : '+') << a / 60 << "m " << std::setfill('0') << std::setw(2) << a % 60 << 's';
    return text.str();
}

// The short word of a table's cell for why an event does not happen.
std::string CellReason(const Word& reason) {
    if (reason.code == terms::kStaysAbove.code || reason.code == terms::kPolarDay.code) return "above";
    if (reason.code == terms::kStaysBelow.code || reason.code == terms::kPolarNight.code) return "below";
    return "-";
}

// The text of values, in full (Sections, Lines, Answer) or as a table's cell.
class TextValues {
public:
    TextValues(const Clock& clock, bool cells) : clock_(clock), cells_(cells) {}

    std::string Of(const Value& value, const TimeContext& context) const {
        return std::visit([&](const auto& v) { return Text(v, context); }, value);
    }

private:
    std::string Text(bool value, const TimeContext&) const { return value ? "yes" : "no"; }
    std::string Text(const QDate& date, const TimeContext&) const { return date.toString(Qt::ISODate).toStdString(); }
    std::string Text(const UtcOffset& offset, const TimeContext&) const {
        if (cells_) return OffsetText(offset.seconds) + (offset.changes ? kClockChangeMark : "");
        return "UTC" + OffsetText(offset.seconds);
    }
    std::string Text(const Word& word, const TimeContext&) const { return word.prose; }
    std::string Text(const Instant& instant, const TimeContext& context) const {
        return Time(instant.universal, context);
    }
    std::string Text(const UtcInstant& instant, const TimeContext&) const { return UtcIso(instant.universal); }

    std::string Text(const Quantity& quantity, const TimeContext&) const {
        const double v = quantity.value;
        if (std::isnan(v)) return cells_ ? "-" : "unknown";
        switch (quantity.unit) {
            case Unit::Degrees: return Fixed(v, 1) + "°";
            case Unit::Hours: return Duration(v);
            case Unit::MinutesChange: return Change(v);
            case Unit::Fraction: return Fixed(v * 100.0, 1) + "%";
            case Unit::Days: return Fixed(v, 1) + (cells_ ? "" : " days");
            case Unit::Kilometres: return Fixed(v, 0) + (cells_ ? "" : " km");
            case Unit::Metres: return Fixed(v, 0) + (cells_ ? "" : " m");
        }
        return "";
    }

    std::string Text(const Event& event, const TimeContext& context) const {
        if (!event.universal) return cells_ ? CellReason(event.reason) : "- (" + event.reason.prose + ")";
        std::string text = cells_ ? ClockReading(*event.universal, false) : Time(*event.universal, context);
        if (cells_) return text;
        if (event.altitude) text += kColumnGap + Fixed(*event.altitude, 1) + "° high";
        if (event.azimuth) text += kColumnGap + std::string("azimuth ") + Fixed(*event.azimuth, 1) + "°";
        return text;
    }

    std::string Text(const MorningAndEvening& band, const TimeContext& context) const {
        if (cells_) return Edges(band.morning, "–") + " " + Edges(band.evening, "–");
        return "morning " + Span(band.morning, true, context) + ", evening " + Span(band.evening, false, context);
    }

    std::string Text(const PlaceValue& value, const TimeContext&) const { return PlaceText(value.place); }

    std::string Text(const ClockValue& value, const TimeContext&) const { return ClockText(value.clock); }

    std::string Text(const Group&, const TimeContext&) const { return ""; }
    std::string Text(const List&, const TimeContext&) const { return ""; }

    // hh:mm:ss of an instant, with its offset when asked.
    std::string ClockReading(JulianDay universal, bool withOffset) const {
        const QDateTime local = clock_.LocalTime(universal);
        std::string text = local.toString("HH:mm:ss").toStdString();
        if (withOffset) text += " UTC" + OffsetText(local.offsetFromUtc());
        return text;
    }

    std::string Time(JulianDay universal, const TimeContext& context) const {
        if (context.date && clock_.LocalTime(universal).date() == *context.date)
            return ClockReading(universal, context.clocksChange);
        return LocalIso(universal, clock_);
    }

    std::string Span(const Interval& interval, bool morning, const TimeContext& context) const {
        const Event &begin = interval.begin, &end = interval.end;
        if (!begin.universal && !end.universal) {
            // The Sun never enters the band: said by the edge it stays beyond,
            // the high one (which the morning ends at) or the low one.
            const bool above = begin.reason.code == terms::kStaysAbove.code;
            return "none (" + (above == morning ? end : begin).reason.prose + ")";
        }
        const auto edge = [&](const Event& e) { return e.universal ? Time(*e.universal, context) : kMissingEdge; };
        std::string text = edge(begin) + " to " + edge(end);
        for (const Event* e : {&begin, &end})
            if (!e->universal) text += " (" + e->reason.prose + ")";
        return text;
    }

    std::string Edges(const Interval& interval, const char* dash) const {
        const auto edge = [&](const Event& e) {
            return e.universal ? clock_.LocalTime(*e.universal).toString("HH:mm").toStdString() : kMissingEdge;
        };
        return edge(interval.begin) + dash + edge(interval.end);
    }

    const Clock& clock_;
    bool cells_;
};

bool Shows(const Field& field) {
    if (field.shown != Shown::Everywhere) return false;
    const auto* event = std::get_if<Event>(&field.value);
    // An event with nothing to say (no clock change) is no line.
    return !event || event->universal || !event->reason.code.empty();
}

class TextWriter : public Writer {
public:
    TextWriter(std::ostream& out, const Document& document, const Clock& clock)
        : out_(out), document_(document), full_(clock, false), cells_(clock, true) {
        if (document.layout == Layout::Sections || document.layout == Layout::Table)
            for (const Field& field : document.heading) Line(field, {}, "");
    }

    void Add(const Record& record) override {
        const TimeContext context = ContextOf(record);
        switch (document_.layout) {
            case Layout::Sections: return Sections(record, context);
            case Layout::Table: return TableRow(record, context);
            case Layout::Lines: return SideBySide(record, context);
            case Layout::Answer:
                if (const Field* answer = FindField(record, document_.answerKey))
                    out_ << full_.Of(answer->value, context) << "\n";
                return;
        }
    }

    void Finish() override {
        if (marked_) out_ << kClockChangeMark << " the clocks change on this date: each time is on the clock in force at it\n";
        if (reasons_)
            out_ << "- no such event this date; above, below: the body stays above or below the event's altitude "
                    "all day\n";
    }

private:
    void Line(const Field& field, const TimeContext& context, const std::string& indent) {
        if (!Shows(field)) return;
        const int width = kLabelWidth - static_cast<int>(indent.size());
        out_ << indent << Padded(field.title, width) << ": " << full_.Of(field.value, context);
        if (!field.note.empty()) out_ << " (" << field.note << ")";
        out_ << "\n";
    }

    void Sections(const Record& record, const TimeContext& context) {
        for (const Field& field : record) {
            if (const auto* group = std::get_if<Group>(&field.value)) {
                out_ << field.title << "\n";
                for (const Field& member : group->fields) Line(member, context, kIndent);
            } else if (const auto* list = std::get_if<List>(&field.value)) {
                out_ << field.title << "\n";
                for (const Record& item : list->items) ListLine(item, context);
            } else {
                Line(field, context, "");
            }
        }
    }

    // An item of a list as a line: its first field as the label, the rest after.
    void ListLine(const Record& item, const TimeContext& context) {
        std::string rest;
        for (std::size_t i = 1; i < item.size(); ++i)
            if (Shows(item[i])) rest += (rest.empty() ? "" : kColumnGap) + full_.Of(item[i].value, context);
        out_ << kIndent << Padded(full_.Of(item.front().value, context), kLabelWidth - 2) << ": " << rest << "\n";
    }

    void SideBySide(const Record& record, const TimeContext& context) {
        std::string line;
        for (const Field& field : record)
            if (Shows(field)) line += (line.empty() ? "" : kColumnGap) + full_.Of(field.value, context);
        out_ << line << "\n";
    }

    // The table's columns: the record's fields, its groups opened.
    static void Columns(const Record& record, std::vector<const Field*>& columns) {
        for (const Field& field : record) {
            if (const auto* group = std::get_if<Group>(&field.value))
                Columns(group->fields, columns);
            else if (field.shown == Shown::Everywhere && !std::holds_alternative<List>(field.value))
                columns.push_back(&field);
        }
    }

    void TableRow(const Record& record, const TimeContext& context) {
        std::vector<const Field*> columns;
        Columns(record, columns);
        std::vector<std::string> cells;
        for (const Field* field : columns) {
            cells.push_back(cells_.Of(field->value, context));
            const auto* event = std::get_if<Event>(&field->value);
            reasons_ = reasons_ || (event && !event->universal);
        }
        marked_ = marked_ || context.clocksChange;
        if (widths_.empty()) TableHeader(columns, cells);
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += i + 1 == cells.size() ? cells[i] : Padded(cells[i], widths_[i]) + kColumnGap;
        out_ << line << "\n";
    }

    void TableHeader(const std::vector<const Field*>& columns, const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            widths_.push_back(std::max({Characters(columns[i]->title), Characters(cells[i]), kShortestCell}));
            line += i + 1 == columns.size() ? columns[i]->title : Padded(columns[i]->title, widths_[i]) + kColumnGap;
        }
        out_ << line << "\n";
    }

    // Wide enough for a time of day, whatever the first row held.
    static constexpr int kShortestCell = 8;

    std::ostream& out_;
    Document document_;
    TextValues full_, cells_;
    std::vector<int> widths_;
    bool marked_ = false, reasons_ = false;
};

}  // namespace

std::unique_ptr<Writer> MakeTextWriter(std::ostream& out, const Document& document, const Clock& clock) {
    return std::make_unique<TextWriter>(out, document, clock);
}

std::string PlaceText(const Place& place) {
    const auto degrees = [](double value, char positive, char negative) {
        return Fixed(std::fabs(value), 2) + "°" + (value < 0.0 ? negative : positive);
    };
    std::string text = degrees(place.latitude, 'N', 'S') + " " + degrees(-place.longitudeWest, 'E', 'W');
    if (!place.name.empty()) text += ", " + place.name;
    if (place.height > 0.0) text += ", " + Fixed(place.height, 0) + " m up";
    if (place.source != PlaceSource::Given && place.source != PlaceSource::Named)
        text += " (" + SourceWord(place.source).prose + ")";
    return text;
}

std::string ClockText(const Clock& clock) {
    const std::string zone = clock.zone() ? clock.zone()->id().toStdString() : "";
    if (clock.kind() == Clock::Kind::Fixed) return "UTC" + OffsetText(OffsetMinutes(clock.ZoneOn({})) * 60);
    if (clock.kind() == Clock::Kind::Zone)
        return clock.source() == ClockSource::GivenZone ? zone : zone + " (" + SourceWord(clock.source()).prose + ")";
    return "the window's, one offset a date (" + (zone.empty() ? SourceWord(clock.source()).prose : zone) + ")";
}

}  // namespace helune::cli
