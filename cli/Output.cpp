#include "Output.h"

#include <cmath>
#include <iomanip>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Efemerides.h"
#include "Settings.h"

namespace helune::cli {

namespace {

using json = nlohmann::ordered_json;

// The chart's fixed offsets are pixels; a character of its row font is about five.
constexpr int kPixelsPerColumn = 5;
constexpr char kBlockIndent[] = "  ";
constexpr std::size_t kIcsLineOctets = 75;
constexpr char kCrlf[] = "\r\n";
constexpr int kTimeColumnWidth = 9;

std::string Iso(const QDateTime& time) { return time.toString(Qt::ISODate).toStdString(); }

std::string OffsetText(double zone) {
    const int minutes = OffsetMinutes(zone);
    const int a = std::abs(minutes);
    std::ostringstream text;
    text << (minutes < 0 ? '-' : '+') << std::setfill('0') << std::setw(2) << a / 60 << ':' << std::setw(2) << a % 60;
    return text.str();
}

std::string DateText(QDate date) { return date.toString(Qt::ISODate).toStdString(); }

std::string ClockText(const DayReport& report, std::size_t event) {
    const EventTime& e = report.events[event];
    return e.hours ? LocalDateTime(report.date, *e.hours, report.zone).time().toString("HH:mm:ss").toStdString() : "-";
}

std::string EventIso(const DayReport& report, std::size_t event) {
    const EventTime& e = report.events[event];
    return e.hours ? Iso(LocalDateTime(report.date, *e.hours, report.zone)) : "";
}

std::string Number(double value, int decimals) {
    if (std::isnan(value)) return "";
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

json NumberOrNull(double value) { return std::isnan(value) ? json(nullptr) : json(value); }

json DayJson(const DayReport& report, const Observer& observer) {
    json events = json::object();
    for (std::size_t i = 0; i < ReportedEvents().size(); ++i) {
        const EventTime& e = report.events[i];
        events[ReportedEvents()[i].key] = e.hours ? json{{"time", EventIso(report, i)}}
                                                  : json{{"time", nullptr}, {"reason", e.reason}};
    }
    return {{"date", DateText(report.date)},
            {"latitude", observer.Latitude()},
            {"longitude", -observer.LongitudeWest()},
            {"utc_offset", OffsetText(report.zone)},
            {"events", events},
            {"moon",
             {{"illuminated_fraction", report.illuminatedFraction}, {"age_days", NumberOrNull(report.moonAgeDays)}}}};
}

std::string CsvHeader() {
    std::string header = "date,utc_offset";
    for (const EventKind& kind : ReportedEvents()) header += std::string(",") + kind.key;
    return header + ",illuminated_fraction,moon_age_days" + kCrlf;
}

std::string CsvRow(const DayReport& report) {
    std::vector<std::string> fields = {DateText(report.date), OffsetText(report.zone)};
    for (std::size_t i = 0; i < ReportedEvents().size(); ++i) fields.push_back(EventIso(report, i));
    fields.push_back(Number(report.illuminatedFraction, 4));
    fields.push_back(Number(report.moonAgeDays, 2));
    std::string row;
    for (const std::string& field : fields) {
        if (!row.empty()) row += ',';
        row += CsvField(field);
    }
    return row + kCrlf;
}

// The events the chart does not show: dawn and dusk.
std::vector<std::string> TwilightLines(const DayReport& report) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < ReportedEvents().size(); ++i) {
        const EventKind& kind = ReportedEvents()[i];
        if (kind.body != kBodySun || kind.quantity < kQuantityCivilDawn) continue;
        const EventTime& e = report.events[i];
        std::ostringstream line;
        line << std::left << std::setw(14) << kind.title << ": " << (e.hours ? ClockText(report, i) : "- (" + e.reason + ")");
        lines.push_back(line.str());
    }
    return lines;
}

std::string MoonLine(const DayReport& report) {
    std::string line = "Moon at noon: " + Number(report.illuminatedFraction * 100.0, 1) + "% illuminated";
    if (!std::isnan(report.moonAgeDays)) line += ", " + Number(report.moonAgeDays, 1) + " days since new moon";
    return line;
}

// A text measure for text output: one column a character, one line a row.
class CharacterCells : public TextMeasure {
public:
    QSize Measure(const QString& text, const ChartFont&) const override { return {static_cast<int>(text.size()), 1}; }
};

std::string EscapeIcsText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == ',' || c == ';' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string IcsUtc(const QDateTime& time) {
    return time.toUTC().toString("yyyyMMdd'T'HHmmss'Z'").toStdString();
}

std::string Capitalized(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

void WritePhaseEvent(std::ostream& out, const PhaseInstant& phase, const Observer& observer, const QDateTime& stamp) {
    const QDateTime local = LocalPhaseTime(observer, phase);
    const std::string description = Capitalized(PhaseName(phase.code)) + " at " +
                                    local.toString("HH:mm:ss").toStdString() + " local time (UTC" +
                                    OffsetText(-local.offsetFromUtc() / 240.0) + ") for the observer at " +
                                    FormatAngle(1, 2, observer.LongitudeWest()).trimmed().toStdString() + " " +
                                    FormatAngle(2, 2, observer.Latitude()).trimmed().toStdString();
    for (const std::string& line : {std::string("BEGIN:VEVENT"), "UID:" + PhaseUid(phase), "DTSTAMP:" + IcsUtc(stamp),
                                    "DTSTART:" + IcsUtc(PhaseUtc(phase)),
                                    "SUMMARY:" + EscapeIcsText(Capitalized(PhaseName(phase.code))),
                                    "DESCRIPTION:" + EscapeIcsText(description), std::string("END:VEVENT")})
        out << FoldContentLine(line);
}

}  // namespace

Format ParseFormat(const std::string& text) {
    static const std::map<std::string, Format> kFormats = {
        {"text", Format::Text}, {"json", Format::Json}, {"csv", Format::Csv}, {"ics", Format::Ics}};
    return kFormats.at(text);
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

std::string PhaseUid(const PhaseInstant& phase) {
    std::string kind = PhaseName(phase.code);
    for (char& c : kind)
        if (c == ' ') c = '-';
    return kind + "-" + PhaseUtc(phase).toString("yyyyMMdd'T'HHmm'Z'").toStdString() + "@helune";
}

std::vector<std::string> ChartLines(const std::vector<ChartItem>& items) {
    struct Row {
        int x, y;
        std::string text;
    };
    std::vector<std::string> lines;
    std::vector<Row> pending;
    int moonPictures = 0;
    for (const ChartItem& item : items) {
        if (const auto* text = std::get_if<ChartText>(&item)) {
            const std::string words = text->text.toStdString();
            if (pending.empty() || pending.back().y != text->at.y()) {
                pending.push_back({text->at.x(), text->at.y(), words});
                continue;
            }
            Row& row = pending.back();
            const std::size_t column = static_cast<std::size_t>((text->at.x() - row.x) / kPixelsPerColumn);
            row.text.resize(std::max(column, row.text.size() + 1), ' ');
            row.text += words;
            continue;
        }
        // A picture closes the block of rows it stands beside; the title comes before the first.
        if (lines.empty() && !pending.empty()) {
            lines.push_back(pending.front().text);
            pending.erase(pending.begin());
        }
        const bool sun = std::get<ChartPicture>(item).picture == Picture::Sun;
        lines.push_back(sun ? "Sun" : moonPictures++ == 0 ? "Moon" : "Phases");
        for (const Row& row : pending) lines.push_back(kBlockIndent + row.text);
        pending.clear();
    }
    for (const Row& row : pending) lines.push_back(row.text);
    return lines;
}

void WriteDay(std::ostream& out, const DayReport& report, const Observer& observer, Format format) {
    if (format == Format::Json) {
        json day = DayJson(report, observer);
        day["phases"] = json::array();
        for (const PhaseEvent& p : ShownPhases(report.facts.phases))
            day["phases"].push_back(
                {{"phase", PhaseName(p.PhaseCode)},
                 {"time", Iso(QDateTime(QDate(p.Year, p.Month, p.Day), QTime(p.Hour, p.Minute, p.Second),
                                        Qt::OffsetFromUTC, OffsetMinutes(report.zone) * 60))}});
        out << day.dump(2) << "\n";
    } else if (format == Format::Csv) {
        out << CsvHeader() << CsvRow(report);
    } else {
        // The window's layout; in character cells only the order of the rows matters.
        const ChartLayout layout{QSize(195, 201), QSize(40, 40), QSize(30, 30), UserDecimalSeparator()};
        for (const std::string& line : ChartLines(ComposeDayChart(report.facts, layout, CharacterCells())))
            out << line << "\n";
        out << MoonLine(report) << "\n";
        for (const std::string& line : TwilightLines(report)) out << line << "\n";
    }
}

void WriteRange(std::ostream& out, const std::vector<DayReport>& reports, const Observer& observer, Format format) {
    if (format == Format::Json) {
        json days = json::array();
        for (const DayReport& report : reports) days.push_back(DayJson(report, observer));
        out << days.dump(2) << "\n";
        return;
    }
    if (format == Format::Csv) {
        out << CsvHeader();
        for (const DayReport& report : reports) out << CsvRow(report);
        return;
    }
    out << std::left << std::setw(11) << "Date" << std::setw(7) << "UTC";
    for (const EventKind& kind : ReportedEvents()) out << std::setw(kTimeColumnWidth) << kind.title;
    out << "Illum.  Age\n";
    for (const DayReport& report : reports) {
        out << std::setw(11) << DateText(report.date) << std::setw(7) << OffsetText(report.zone);
        for (std::size_t i = 0; i < ReportedEvents().size(); ++i)
            out << std::setw(kTimeColumnWidth) << ClockText(report, i);
        out << std::setw(8) << Number(report.illuminatedFraction, 3) << Number(report.moonAgeDays, 1) << "\n";
    }
}

void WritePhases(std::ostream& out, const std::vector<PhaseInstant>& phases, const Observer& observer, Format format,
                 const QDateTime& stamp) {
    switch (format) {
        case Format::Json: {
            json list = json::array();
            for (const PhaseInstant& p : phases)
                list.push_back({{"phase", PhaseName(p.code)},
                                {"time", Iso(LocalPhaseTime(observer, p))},
                                {"utc", Iso(PhaseUtc(p))}});
            out << list.dump(2) << "\n";
            break;
        }
        case Format::Csv:
            out << "phase,time,utc" << kCrlf;
            for (const PhaseInstant& p : phases)
                out << CsvField(PhaseName(p.code)) << "," << CsvField(Iso(LocalPhaseTime(observer, p))) << ","
                    << CsvField(Iso(PhaseUtc(p))) << kCrlf;
            break;
        case Format::Ics:
            out << FoldContentLine("BEGIN:VCALENDAR") << FoldContentLine("VERSION:2.0")
                << FoldContentLine("PRODID:-//Velmora//Helune//EN") << FoldContentLine("CALSCALE:GREGORIAN");
            for (const PhaseInstant& p : phases) WritePhaseEvent(out, p, observer, stamp);
            out << FoldContentLine("END:VCALENDAR");
            break;
        case Format::Text:
            for (const PhaseInstant& p : phases)
                out << LocalPhaseTime(observer, p).toString("yyyy-MM-dd HH:mm:ss t").toStdString() << "  "
                    << PhaseName(p.code) << "\n";
            break;
    }
}

}  // namespace helune::cli
