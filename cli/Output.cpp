// SPDX-License-Identifier: MIT
#include "Output.h"

#include <QTimeZone>
#include <cmath>
#include <iomanip>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "Composition.h"
#include "Settings.h"

namespace helune::cli {

namespace {

using json = nlohmann::ordered_json;

// The chart's fixed offsets are pixels; a character of its row font is about five.
constexpr int kPixelsPerColumn = 5;
constexpr char kBlockIndent[] = "  ";
constexpr std::size_t kIcsLineOctets = 75;
constexpr char kCrlf[] = "\r\n";
constexpr int kLabelWidth = 14;
constexpr int kDateColumnWidth = 11;
constexpr int kOffsetColumnWidth = 8;
constexpr int kTimeColumnWidth = 11;
constexpr int kFractionColumnWidth = 8;
constexpr double kMinutesPerHour = 60.0;
// The last instant of a date, a millisecond before the next begins.
constexpr double kLastMomentDays = 1.0 / 86400000.0;

std::string Iso(const QDateTime& time) { return time.toString(Qt::ISODate).toStdString(); }

// "+01:00" of an offset in seconds.
std::string OffsetText(int seconds) {
    const int minutes = seconds / 60, a = std::abs(minutes);
    std::ostringstream text;
    text << (minutes < 0 ? '-' : '+') << std::setfill('0') << std::setw(2) << a / 60 << ':' << std::setw(2) << a % 60;
    return text.str();
}

std::string DateText(QDate date) { return date.toString(Qt::ISODate).toStdString(); }

std::string Number(double value, int decimals) {
    if (std::isnan(value)) return "";
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals) << value;
    return text.str();
}

json NumberOrNull(double value) { return std::isnan(value) ? json(nullptr) : json(value); }

// Degrees with no minus sign on zero.
double Signed(double value) { return value == 0.0 ? 0.0 : value; }

// 13:08:52 of a number of hours, truncated to the second.
std::string Duration(double hours) {
    const auto seconds = static_cast<long>(std::floor(hours * 3600.0 + 1e-6));
    std::ostringstream text;
    text << std::setfill('0') << std::setw(2) << seconds / 3600 << ':' << std::setw(2) << seconds / 60 % 60 << ':'
         << std::setw(2) << seconds % 60;
    return text.str();
}

// +3m 43s of a change in hours, rounded to the second.
std::string Change(double hours) {
    const long seconds = std::lround(hours * 3600.0);
    const long a = std::labs(seconds);
    std::ostringstream text;
    text << (seconds < 0 ? '-' : '+') << a / 60 << "m " << std::setfill('0') << std::setw(2) << a % 60 << 's';
    return text.str();
}

// Whether the clocks change during the date.
bool ClocksChange(const DayReport& report, const Observer& observer) {
    return observer.LocalTime(report.end - kLastMomentDays).offsetFromUtc() !=
           observer.LocalTime(report.start).offsetFromUtc();
}

// The time of an event on the clock of its date: hh:mm:ss, with its offset on
// a date whose clocks change.
std::string ClockOnDate(JulianDay universal, const DayReport& report, const Observer& observer) {
    const QDateTime local = observer.LocalTime(universal);
    std::string text = local.toString("HH:mm:ss").toStdString();
    if (ClocksChange(report, observer)) text += " UTC" + OffsetText(local.offsetFromUtc());
    return text;
}

// The characters of UTF-8 text (not its bytes: "°" is two).
int Characters(const std::string& text) {
    int characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters;
}

// text and spaces to width characters.
std::string Padded(const std::string& text, int width) {
    return text + std::string(static_cast<std::size_t>(std::max(0, width - Characters(text))), ' ');
}

std::string Label(const std::string& title) { return kBlockIndent + Padded(title, kLabelWidth) + ": "; }

// A short form of a reason, for a table's cell.
std::string ShortReason(const Reason& reason) {
    static const std::map<std::string, std::string> kShort = {{"polar_day", "polar day"},
                                                              {"polar_night", "polar ngt"},
                                                              {"stays_above", "above"},
                                                              {"stays_below", "below"}};
    const auto found = kShort.find(reason.code);
    return found == kShort.end() ? "-" : found->second;
}

json EventJson(const Happening& h, const Observer& observer) {
    if (!h.universal) return {{"time", nullptr}, {"reason", h.reason.text}, {"reason_code", h.reason.code}};
    json event = {{"time", LocalIso(*h.universal, observer)}};
    if (h.altitude) event["altitude"] = std::round(*h.altitude * 1e4) / 1e4;
    return event;
}

// Degrees to the millionth (a tenth of a metre on the ground), with no minus sign on zero.
double Coordinate(double degrees) { return Signed(std::round(degrees * 1e6) / 1e6); }

json PlaceJson(const Observer& observer) {
    return {{"latitude", Coordinate(observer.Latitude())}, {"longitude", Coordinate(-observer.LongitudeWest())}};
}

json DayJson(const DayReport& report, const Observer& observer) {
    json events = json::object();
    for (std::size_t i = 0; i < report.kinds.size(); ++i) events[report.kinds[i].key] = EventJson(report.events[i], observer);
    json day = {{"date", DateText(report.date)}};
    day.update(PlaceJson(observer));
    day["utc_offset"] = OffsetText(observer.LocalTime(report.start).offsetFromUtc());
    day["events"] = events;
    day["day_length"] = {{"hours", report.dayLength},
                         {"change_minutes", report.dayLengthChange * kMinutesPerHour}};
    day["moon"] = {{"illuminated_fraction", report.illuminatedFraction},
                   {"age_days", NumberOrNull(report.moonAgeDays)}};
    return day;
}

std::string CsvHeader(const DayReport& report) {
    std::string header = "date,utc_offset";
    for (const EventKind& kind : report.kinds) header += "," + kind.key;
    return header + ",day_length,day_length_change_minutes,illuminated_fraction,moon_age_days" + kCrlf;
}

std::string CsvRow(const DayReport& report, const Observer& observer) {
    std::vector<std::string> fields = {DateText(report.date),
                                       OffsetText(observer.LocalTime(report.start).offsetFromUtc())};
    for (const Happening& h : report.events)
        fields.push_back(h.universal ? LocalIso(*h.universal, observer) : h.reason.text);
    fields.push_back(Duration(report.dayLength));
    fields.push_back(Number(report.dayLengthChange * kMinutesPerHour, 2));
    fields.push_back(Number(report.illuminatedFraction, 4));
    fields.push_back(Number(report.moonAgeDays, 2));
    std::string row;
    for (const std::string& field : fields) {
        if (!row.empty()) row += ',';
        row += CsvField(field);
    }
    return row + kCrlf;
}

// "2026-03-29  60.17°N 24.94°E  UTC+02:00, UTC+03:00 from 04:00:00"
std::string DayHeading(const DayReport& report, const Observer& observer) {
    const QDateTime first = observer.LocalTime(report.start), last = observer.LocalTime(report.end - kLastMomentDays);
    std::ostringstream text;
    text << DateText(report.date) << "  " << std::fixed << std::setprecision(2) << std::fabs(observer.Latitude())
         << (observer.Latitude() < 0.0 ? "°S " : "°N ") << std::fabs(observer.LongitudeWest())
         << (observer.LongitudeWest() > 0.0 ? "°W" : "°E") << "  UTC" << OffsetText(first.offsetFromUtc());
    if (last.offsetFromUtc() != first.offsetFromUtc()) {
        // The instant of the change: the first second on the later offset.
        JulianDay lo = report.start, hi = report.end - kLastMomentDays;
        while ((hi - lo) * 86400.0 > 0.5) {
            const JulianDay middle = (lo + hi) / 2.0;
            (observer.LocalTime(middle).offsetFromUtc() == first.offsetFromUtc() ? lo : hi) = middle;
        }
        text << ", UTC" << OffsetText(last.offsetFromUtc()) << " from "
             << observer.LocalTime(hi).toString("HH:mm:ss").toStdString();
    }
    return text.str();
}

std::string EventLine(const EventKind& kind, const Happening& h, const DayReport& report, const Observer& observer) {
    std::ostringstream line;
    line << Label(kind.title);
    if (!h.universal) {
        line << "- (" << h.reason.text << ")";
    } else {
        line << ClockOnDate(*h.universal, report, observer);
        if (h.altitude) line << "  " << Number(*h.altitude, 1) << "° high";
    }
    return line.str();
}


void WriteDayText(std::ostream& out, const DayReport& report, const Observer& observer) {
    out << DayHeading(report, observer) << "\n";
    const auto block = [&](const char* title, auto wanted) {
        out << title << "\n";
        for (std::size_t i = 0; i < report.kinds.size(); ++i)
            if (wanted(report.kinds[i], i)) out << EventLine(report.kinds[i], report.events[i], report, observer) << "\n";
    };
    // The rows of ReportedEvents(): the Sun's three, the Moon's three, then dawn and dusk.
    block("Sun", [](const EventKind&, std::size_t i) { return i < 3; });
    out << Label("Day length") << Duration(report.dayLength);
    out << "  (" << Change(report.dayLengthChange) << ")";
    out << "\n";
    block("Moon", [](const EventKind&, std::size_t i) { return i >= 3 && i < 6; });
    out << Label("At noon")
        << Number(report.illuminatedFraction * 100.0, 1) << "% illuminated";
    if (!std::isnan(report.moonAgeDays)) out << ", " << Number(report.moonAgeDays, 1) << " days since new moon";
    out << "\n";
    block("Twilight", [](const EventKind&, std::size_t i) { return i >= 6 && i < ReportedEvents().size(); });
    if (report.kinds.size() > ReportedEvents().size())
        block("Altitudes", [](const EventKind&, std::size_t i) { return i >= ReportedEvents().size(); });
    if (!report.phases.empty()) {
        out << "Phases\n";
        for (const PhaseInstant& p : report.phases)
            out << Label(PhaseName(p.code))
                << LocalIso(p.universal, observer) << "\n";
    }
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

// The UID of an event of a kind (its code) at a universal minute, the same
// wherever the calendar is made: "full-moon-20080122T1335Z@helune".
std::string CalendarUid(std::string code, JulianDay universal) {
    std::replace(code.begin(), code.end(), '_', '-');
    code += '-';
    code += UtcTime(universal).toString("yyyyMMdd'T'HHmm'Z'").toStdString();
    code += "@helune";
    return code;
}

std::string IcsUtc(const QDateTime& time) { return time.toUTC().toString("yyyyMMdd'T'HHmmss'Z'").toStdString(); }

std::string Capitalized(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// One calendar event at a universal instant, named summary; a phase or a
// season is the same everywhere, so only its time is local.
void WriteCalendarEvent(std::ostream& out, const std::string& uid, const std::string& summary, JulianDay universal,
                        const Observer& observer, const CalendarOptions& calendar) {
    const QDateTime local = observer.LocalTime(universal);
    const std::string description = summary + " at " + local.toString("HH:mm:ss").toStdString() +
                                    " local time (UTC" + OffsetText(local.offsetFromUtc()) + "), " +
                                    UtcTime(universal).toString("HH:mm:ss").toStdString() + " UTC";
    std::vector<std::string> lines = {"BEGIN:VEVENT", "UID:" + uid, "DTSTAMP:" + IcsUtc(calendar.stamp)};
    if (calendar.allDay) {
        lines.push_back("DTSTART;VALUE=DATE:" + local.date().toString("yyyyMMdd").toStdString());
        lines.push_back("DTEND;VALUE=DATE:" + local.date().addDays(1).toString("yyyyMMdd").toStdString());
        lines.push_back("TRANSP:TRANSPARENT");
    } else {
        lines.push_back("DTSTART:" + IcsUtc(UtcTime(universal)));
    }
    lines.push_back("SUMMARY:" + EscapeIcsText(summary));
    lines.push_back("DESCRIPTION:" + EscapeIcsText(description));
    lines.push_back("END:VEVENT");
    for (const std::string& line : lines) out << FoldContentLine(line);
}

void BeginCalendar(std::ostream& out) {
    out << FoldContentLine("BEGIN:VCALENDAR") << FoldContentLine("VERSION:2.0")
        << FoldContentLine("PRODID:-//Velmora//Helune//EN") << FoldContentLine("CALSCALE:GREGORIAN");
}

const char* SeasonCode(Season season) {
    switch (season) {
        case Season::MarchEquinox: return "march_equinox";
        case Season::JuneSolstice: return "june_solstice";
        case Season::SeptemberEquinox: return "september_equinox";
        case Season::DecemberSolstice: return "december_solstice";
    }
    return "";
}

std::string SeasonName(Season season) {
    std::string name = SeasonCode(season);
    std::replace(name.begin(), name.end(), '_', ' ');
    return Capitalized(name);
}

// Instants with their codes and names, as the phases and seasons lists write them.
struct Listed {
    std::string kind;  // "phase" or "season"
    std::string code, name, uid;
    JulianDay universal;
};

// The CSV's first column: the kind of every row, or "event" for both kinds.
std::string ListedColumn(const std::vector<Listed>& list) {
    for (const Listed& l : list)
        if (l.kind != list.front().kind) return "event";
    return list.empty() ? "phase" : list.front().kind;
}

void WriteListed(std::ostream& out, const std::vector<Listed>& list, const Observer& observer, Format format,
                 const CalendarOptions& calendar) {
    switch (format) {
        case Format::Json: {
            json items = json::array();
            for (const Listed& l : list)
                items.push_back(
                    {{l.kind, l.code}, {"time", LocalIso(l.universal, observer)}, {"utc", Iso(UtcTime(l.universal))}});
            out << items.dump(2) << "\n";
            break;
        }
        case Format::Csv:
            out << ListedColumn(list) << ",time,utc" << kCrlf;
            for (const Listed& l : list)
                out << CsvField(l.code) << "," << CsvField(LocalIso(l.universal, observer)) << ","
                    << CsvField(Iso(UtcTime(l.universal))) << kCrlf;
            break;
        case Format::Ics:
            BeginCalendar(out);
            for (const Listed& l : list) WriteCalendarEvent(out, l.uid, Capitalized(l.name), l.universal, observer, calendar);
            out << FoldContentLine("END:VCALENDAR");
            break;
        case Format::Text:
            for (const Listed& l : list)
                out << observer.LocalTime(l.universal).toString("yyyy-MM-dd HH:mm:ss").toStdString() << " UTC"
                    << OffsetText(observer.LocalTime(l.universal).offsetFromUtc()) << "  " << l.name << "\n";
            break;
    }
}

json BodyJson(const BodyNow& body, const Observer& observer) {
    const auto when = [&](const std::optional<JulianDay>& t) { return t ? json(LocalIso(*t, observer)) : json(nullptr); };
    return {{"altitude", std::round(body.position.altitude * 100.0) / 100.0},
            {"azimuth", std::round(body.position.azimuth * 100.0) / 100.0},
            {"up", body.up},
            {"next_rising", when(body.nextRising)},
            {"next_setting", when(body.nextSetting)}};
}

}  // namespace

Format ParseFormat(const std::string& text) {
    static const std::map<std::string, Format> kFormats = {
        {"text", Format::Text}, {"json", Format::Json}, {"csv", Format::Csv}, {"ics", Format::Ics}};
    return kFormats.at(text);
}

std::string LocalIso(JulianDay universal, const Observer& observer) { return Iso(observer.LocalTime(universal)); }

bool Writable(JulianDay universal, const Observer& observer) {
    const QDate date = observer.LocalTime(universal).date();
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
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

std::string PhaseCode(int16_t code) {
    std::string name = PhaseName(code);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

std::string PhaseUid(const PhaseInstant& phase) { return CalendarUid(PhaseCode(phase.code), phase.universal); }

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

void WriteChart(std::ostream& out, const DayFacts& facts) {
    // The window's layout; in character cells only the order of the rows matters.
    for (const std::string& line :
         ChartLines(ComposeDayChart(facts, WindowChartLayout(UserDecimalSeparator()), CharacterCells())))
        out << line << "\n";
}

void WriteDay(std::ostream& out, const DayReport& report, const Observer& observer, Format format) {
    if (format == Format::Json) {
        json day = DayJson(report, observer);
        day["phases"] = json::array();
        for (const PhaseInstant& p : report.phases)
            day["phases"].push_back({{"phase", PhaseCode(p.code)}, {"time", LocalIso(p.universal, observer)}});
        out << day.dump(2) << "\n";
    } else if (format == Format::Csv) {
        out << CsvHeader(report) << CsvRow(report, observer);
    } else {
        WriteDayText(out, report, observer);
    }
}

RangeWriter::RangeWriter(std::ostream& out, const Observer& observer, Format format)
    : out_(out), observer_(observer), format_(format) {}

// The text table: one row a date, a column an event, each as wide as its
// heading needs.
void RangeWriter::TableRow(const DayReport& report) {
    if (widths_.empty()) {
        out_ << Padded("Date", kDateColumnWidth) << Padded("UTC", kOffsetColumnWidth);
        for (const EventKind& kind : report.kinds) {
            widths_.push_back(std::max(kTimeColumnWidth, Characters(kind.title) + 1));
            out_ << Padded(kind.title, widths_.back());
        }
        out_ << Padded("Day length", kTimeColumnWidth) << "Illum.  Age\n";
    }
    const bool change = ClocksChange(report, observer_);
    clocksChange_ = clocksChange_ || change;
    // A date whose clocks change shows the offset it ends on.
    const JulianDay shown = change ? report.end - kLastMomentDays : report.start;
    out_ << Padded(DateText(report.date), kDateColumnWidth)
         << Padded(OffsetText(observer_.LocalTime(shown).offsetFromUtc()) + (change ? "*" : ""), kOffsetColumnWidth);
    for (std::size_t i = 0; i < report.events.size(); ++i) {
        const Happening& h = report.events[i];
        out_ << Padded(h.universal ? observer_.LocalTime(*h.universal).toString("HH:mm:ss").toStdString()
                                   : ShortReason(h.reason),
                       widths_[i]);
    }
    out_ << Padded(Duration(report.dayLength), kTimeColumnWidth)
         << Padded(Number(report.illuminatedFraction, 3), kFractionColumnWidth) << Number(report.moonAgeDays, 1) << "\n";
}

void RangeWriter::Add(const DayReport& report) {
    const bool first = rows_++ == 0;
    switch (format_) {
        case Format::Json: {
            // An element of the array as a whole array's dump would indent it.
            std::string element = DayJson(report, observer_).dump(2);
            std::string indented = "  ";
            for (const char c : element) {
                indented += c;
                if (c == '\n') indented += "  ";
            }
            out_ << (first ? "[\n" : ",\n") << indented;
            break;
        }
        case Format::Csv:
            if (first) out_ << CsvHeader(report);
            out_ << CsvRow(report, observer_);
            break;
        default:
            TableRow(report);
            break;
    }
}

void RangeWriter::Finish() {
    if (format_ == Format::Json) out_ << (rows_ == 0 ? "[]\n" : "\n]\n");
    if (format_ == Format::Text && clocksChange_)
        out_ << "* the clocks change on this date: each time is on the clock in force at it\n";
}

void WriteRange(std::ostream& out, const std::vector<DayReport>& reports, const Observer& observer, Format format) {
    RangeWriter writer(out, observer, format);
    for (const DayReport& report : reports) writer.Add(report);
    writer.Finish();
}

void WriteAlmanac(std::ostream& out, const std::vector<PhaseInstant>& phases, const std::vector<SeasonStart>& seasons,
                  const Observer& observer, Format format, const CalendarOptions& calendar) {
    std::vector<Listed> list;
    for (const PhaseInstant& p : phases)
        list.push_back({"phase", PhaseCode(p.code), PhaseName(p.code), PhaseUid(p), p.universal});
    for (const SeasonStart& s : seasons) {
        list.push_back({"season", SeasonCode(s.season), SeasonName(s.season), CalendarUid(SeasonCode(s.season), s.universal),
                        s.universal});
    }
    std::stable_sort(list.begin(), list.end(), [](const Listed& x, const Listed& y) { return x.universal < y.universal; });
    WriteListed(out, list, observer, format, calendar);
}

void WriteNow(std::ostream& out, const SkyNow& now, const Observer& observer, Format format) {
    if (format == Format::Json) {
        json sky = {{"time", LocalIso(now.universal, observer)}};
        sky.update(PlaceJson(observer));
        sky["sun"] = BodyJson(now.sun, observer);
        sky["moon"] = BodyJson(now.moon, observer);
        sky["moon"]["illuminated_fraction"] = std::round(now.moon.position.illuminatedFraction * 1e4) / 1e4;
        std::string phase = now.phase.name;
        std::replace(phase.begin(), phase.end(), ' ', '_');
        sky["moon"]["phase"] = phase;
        sky["moon"]["waxing"] = now.phase.waxing;
        out << sky.dump(2) << "\n";
        return;
    }
    out << LocalIso(now.universal, observer) << "\n";
    for (const auto& [name, body] : {std::pair<const char*, const BodyNow*>{"Sun", &now.sun}, {"Moon", &now.moon}}) {
        out << std::left << std::setw(5) << name << "altitude " << std::right << std::setw(6)
            << Number(body->position.altitude, 1) << "°  azimuth " << std::setw(5) << Number(body->position.azimuth, 1)
            << "°  " << (body->up ? "up" : "down") << "\n";
        const auto next = [&](const char* what, const std::optional<JulianDay>& t) {
            out << "  next " << std::left << std::setw(8) << what << ": " << (t ? LocalIso(*t, observer) : "none within a year")
                << "\n";
        };
        next("rising", body->nextRising);
        next("setting", body->nextSetting);
    }
    out << "Moon " << Number(now.moon.position.illuminatedFraction * 100.0, 1) << "% illuminated, " << now.phase.name
        << " (" << (now.phase.waxing ? "waxing" : "waning") << ")\n";
}

void WriteInstants(std::ostream& out, const std::vector<JulianDay>& instants, const Observer& observer) {
    for (const JulianDay t : instants) out << LocalIso(t, observer) << "\n";
}

void WriteLight(std::ostream& out, Light light, JulianDay universal, const Observer& observer, Format format) {
    if (format == Format::Json) {
        json answer = {{"time", LocalIso(universal, observer)}, {"light", LightName(light)}};
        out << answer.dump(2) << "\n";
        return;
    }
    out << LightName(light) << "\n";
}

}  // namespace helune::cli
