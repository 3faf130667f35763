// SPDX-License-Identifier: MIT
// The people's commands: each reads its line, asks the reports, and hands the
// records to the writer of the format asked.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "Answers.h"
#include "ChartText.h"
#include "Handlers.h"

namespace helune::cli {

namespace {

constexpr int kMostUpcoming = 1000;
constexpr int kPollDay = 2, kPollNight = 3, kPollTwilight = 4;
constexpr int kInside = 0, kOutside = 1, kNotFound = 1;
constexpr double kLargestAltitude = 90.0;

// What was assumed goes to standard error once the command line has proved
// sound, before the answer.
void SayNotes(const Observer& observer) {
    for (const std::string& note : observer.Notes()) std::fprintf(stderr, "helune-cli: %s\n", note.c_str());
}

void CheckWritten(const Console& console) {
    if (!console.out || std::ferror(stdout)) throw WriteError{"cannot write standard output"};
}

// The local dates FROM to TO.
std::pair<QDate, QDate> Dates(const CommandLine& line, const Clock& clock, const Console& console) {
    const QDate today = TodayOn(clock, console);
    const QDate from = line.DateAsked("FROM", today), to = line.DateAsked("TO", today);
    if (to < from)
        throw UsageError{"TO: '" + to.toString(Qt::ISODate).toStdString() + "' is before FROM '" +
                         from.toString(Qt::ISODate).toStdString() + "'"};
    return {from, to};
}

double AltitudeNumber(const std::string& text, const char* alternatives) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || std::fabs(*value) > kLargestAltitude)
        throw UsageError{"--altitude: " + Quoted(text) + " is not a number of degrees from -90 to 90" + alternatives};
    return *value;
}

// --altitude of day and range: numbers, and bands by name or as LOW,HIGH, each once.
DayQuestions Questions(const CommandLine& line) {
    DayQuestions questions;
    for (const std::string& text : line.Values("--altitude")) {
        if (const std::optional<SunBand> band = BandNamed(text)) {
            if (std::none_of(questions.bands.begin(), questions.bands.end(),
                             [&](const SunBand& b) { return b.key == band->key; }))
                questions.bands.push_back(*band);
            continue;
        }
        const double altitude = AltitudeNumber(text, ", golden_hour, blue_hour nor LOW,HIGH");
        if (std::find(questions.altitudes.begin(), questions.altitudes.end(), altitude) == questions.altitudes.end())
            questions.altitudes.push_back(altitude);
    }
    return questions;
}

// The one altitude next and wait take.
std::optional<double> SingleAltitude(const CommandLine& line) {
    const std::vector<std::string> texts = line.Values("--altitude");
    if (texts.empty()) return std::nullopt;
    if (texts.size() > 1 || BandNamed(texts.front()))
        throw UsageError{"--altitude: next and wait take one number of degrees"};
    return AltitudeNumber(texts.front(), "");
}

std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

int RunDay(const CommandLine& line, Console& console) {
    const Format format = line.FormatAsked();
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    const QDate date = line.DateAsked("DATE", TodayOn(observer.clock(), console));
    const DayQuestions questions = Questions(line);
    SayNotes(observer);
    if (line.Flag("--as-window") && format == Format::Text) {
        if (!questions.altitudes.empty() || !questions.bands.empty())
            throw UsageError{"--altitude: the window's chart has none (drop --as-window)"};
        for (const std::string& text : ChartTextLines(ChartFacts(observer, date))) console.out << text << "\n";
        return 0;
    }
    const Record record = DayRecord(ComputeDay(observer, date, questions), observer, true);
    WriteDocument(format, console.out, {Layout::Sections, Heading(observer), {}, {}}, record, observer.clock());
    return 0;
}

namespace {

// The fields of record that are asked for, or hold one that is; the date always.
Record Selected(const Record& record, const std::set<std::string>& asked) {
    Record kept;
    for (const Field& field : record) {
        if (asked.count(field.key) || field.key == keys::kDate.key) {
            kept.push_back(field);
        } else if (const auto* group = std::get_if<Group>(&field.value)) {
            Group members{Selected(group->fields, asked)};
            if (!members.fields.empty()) kept.push_back({field.key, field.title, std::move(members), field.shown});
        }
    }
    return kept;
}

// The columns of a range: --columns, else for text those that fit a screen
// and what --altitude asked; nothing: every column.
std::set<std::string> RangeColumns(const CommandLine& line, Format format, const Record& sample) {
    static const std::set<std::string> kTextColumns = {
        "date", "utc_offset", "sunrise", "solar_noon", "sunset", "day_length_hours", "moonrise", "moonset",
        "illuminated_fraction", keys::kAltitudes.key};
    const std::optional<std::string> asked = line.Value("--columns");
    if (!asked) return format == Format::Text ? kTextColumns : std::set<std::string>{};
    const std::set<std::string> known = KeysOf(sample);
    std::set<std::string> columns;
    std::size_t start = 0;
    for (std::size_t end = 0; end != std::string::npos; start = end + 1) {
        end = asked->find(',', start);
        const std::string key = asked->substr(start, end == std::string::npos ? end : end - start);
        if (!known.count(key))
            throw UsageError{"--columns: " + Quoted(key) + " is not one of " +
                             Listed(std::vector<std::string>(known.begin(), known.end()))};
        columns.insert(key);
    }
    return columns;
}

}  // namespace

int RunRange(const CommandLine& line, Console& console) {
    const Format format = line.FormatAsked();
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    const auto [from, to] = Dates(line, observer.clock(), console);
    const DayQuestions questions = Questions(line);
    const std::set<std::string> columns = RangeColumns(line, format, DayShape(questions));
    SayNotes(observer);
    const Document document{Layout::Table, Heading(observer), keys::kDays.key, {}};
    const std::unique_ptr<Writer> writer = MakeWriter(format, console.out, document, observer.clock());
    // Each date is written as soon as it is known; a write that fails ends the run.
    ForEachDay(observer, from, to, questions, [&](const DayReport& report) {
        const Record record = DayRecord(report, observer, false);
        writer->Add(columns.empty() ? record : Selected(record, columns));
        CheckWritten(console);
    });
    writer->Finish();
    return 0;
}

namespace {

// The principal phases and (withSeasons) the seasons of the local dates FROM
// to TO, one record each; a phase is the same everywhere, so no place is read.
int ListAlmanac(const CommandLine& line, Console& console, bool withSeasons) {
    const Format format = line.FormatAsked();
    const Clock clock = ClockOf(line.PlaceAsked(), console.system);
    const auto [from, to] = Dates(line, clock, console);
    if (const auto note = UnusableZoneNote(clock, console.system)) std::fprintf(stderr, "helune-cli: %s\n", note->c_str());
    if (line.Flag("--all-day") && format != Format::Ics) throw UsageError{"--all-day: only with --format ics"};
    const UniversalTime start{clock.DayStart(from)}, end{clock.DayStart(to.addDays(1))};
    const bool phases = line.command().name == "phases";
    const std::vector<Record> records = AlmanacRecords(phases ? FindPhases(start, end) : std::vector<PrincipalPhase>{},
                                                       withSeasons ? FindSeasons(start, end) : std::vector<SeasonStart>{});
    const Document document{Layout::Lines, {MakeField(keys::kClock, ClockValue{clock})}, keys::kEvents.key, {}};
    const std::unique_ptr<Writer> writer =
        MakeWriter(format, console.out, document, clock, {line.Flag("--all-day"), QDateTime::currentDateTimeUtc()});
    for (const Record& record : records) writer->Add(record);
    writer->Finish();
    return 0;
}

}  // namespace

int RunPhases(const CommandLine& line, Console& console) { return ListAlmanac(line, console, line.Flag("--seasons")); }

int RunSeasons(const CommandLine& line, Console& console) { return ListAlmanac(line, console, true); }

int RunNow(const CommandLine& line, Console& console) {
    const Format format = line.FormatAsked();
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    const JulianDay instant = line.InstantAsked(observer.clock(), console);
    SayNotes(observer);
    SkyNow sky = ComputeNow(observer, instant);
    for (BodyNow* body : {&sky.sun, &sky.moon})
        for (Event* next : {&body->nextRising, &body->nextSetting})
            if (next->universal && !Writable(*next->universal, observer.clock()))
                *next = {std::nullopt, {terms::kNoneOnDate.code, "beyond the year 9999"}, std::nullopt, NAN};
    WriteDocument(format, console.out, {Layout::Sections, Heading(observer), {}, {}}, NowRecord(sky), observer.clock());
    return 0;
}

namespace {

// The records of next: each instant of the event, or each span of a band.
std::vector<Record> UpcomingRecords(const std::string& event, const CommandLine& line, const Observer& observer,
                             JulianDay from, int count) {
    std::vector<Record> records;
    if (const std::optional<SunBand> band = BandNamed(event)) {
        for (const BandSpan& span : NextBandSpans(observer, *band, from, count))
            if (Writable(span.end, observer.clock())) records.push_back(SpanRecord(span, *band));
        return records;
    }
    const auto upcoming = UpcomingNamed(event, SingleAltitude(line));
    if (!upcoming)
        throw UsageError{"EVENT: " + Quoted(event) + " is not one of " + Listed(UpcomingNames()) +
                         (line.Values("--altitude").empty() ? "" : " (with --altitude: the Sun's risings and settings)")};
    for (const JulianDay t : NextInstants(observer, *upcoming, from, count))
        if (Writable(t, observer.clock())) records.push_back({MakeField(keys::kTime, Instant{t})});
    return records;
}

}  // namespace

int RunNext(const CommandLine& line, Console& console) {
    const Format format = line.FormatAsked();
    const std::string event = line.Argument("EVENT");
    const int count = ParseWholeNumber("--count", line.Value("--count").value_or("1"), 1, kMostUpcoming);
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    const JulianDay from = line.InstantAsked(observer.clock(), console);
    const std::vector<Record> records = UpcomingRecords(event, line, observer, from, count);
    SayNotes(observer);
    Record heading = Heading(observer);
    heading.push_back(MakeField(keys::kEvent, Word{event, event}));
    const std::unique_ptr<Writer> writer =
        MakeWriter(format, console.out, {Layout::Lines, heading, keys::kTimes.key, {}}, observer.clock());
    for (const Record& record : records) writer->Add(record);
    writer->Finish();
    if (static_cast<int>(records.size()) == count) return 0;
    std::fprintf(stderr, "helune-cli: %s: %zu found within the search's reach\n", event.c_str(), records.size());
    return kNotFound;
}

namespace {

// The band poll asks about: BAND, or --altitude's band or one number (the Sun above it).
std::optional<SunBand> PolledBand(const CommandLine& line) {
    std::vector<std::string> asked = line.Values("--altitude");
    if (const std::string band = line.Argument("BAND"); !band.empty()) asked.push_back(band);
    if (asked.empty()) return std::nullopt;
    if (asked.size() > 1) throw UsageError{"--altitude: poll takes one band or number"};
    if (std::optional<SunBand> band = BandNamed(asked.front())) return band;
    return BandAbove(AltitudeNumber(asked.front(), ", golden_hour, blue_hour nor LOW,HIGH"));
}

}  // namespace

int RunPoll(const CommandLine& line, Console& console) {
    const Format format = line.FormatAsked();
    const std::optional<SunBand> band = PolledBand(line);
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    if (observer.clock().StandsInForTheSystemZone()) throw NoLocalClock(console.system);
    const JulianDay instant = line.InstantAsked(observer.clock(), console);
    SayNotes(observer);
    const Word light = LightAt(observer, instant);
    const bool inside = band && InBand(observer, *band, instant);
    const Document document{Layout::Answer, Heading(observer), {}, band ? keys::kState.key : keys::kLight.key};
    WriteDocument(format, console.out, document, LightRecord(instant, light, band, inside), observer.clock());
    if (band) return inside ? kInside : kOutside;
    if (light.code == terms::kDay.code) return kPollDay;
    return light.code == terms::kNight.code ? kPollNight : kPollTwilight;
}

namespace {

double OffsetMinutesAsked(const CommandLine& line) {
    const std::optional<std::string> text = line.Value("--offset");
    if (!text) return 0.0;
    // A wait is for an event of the coming year, and so is its offset.
    constexpr double kLongestOffsetMinutes = 366.0 * 24.0 * 60.0;
    const std::optional<double> value = ParseDecimal(*text);
    if (!value || std::fabs(*value) > kLongestOffsetMinutes)
        throw UsageError{"--offset: " + Quoted(*text) + " is not a number of minutes within a year"};
    return *value;
}

IfMissed IfMissedAsked(const CommandLine& line) {
    const std::string text = line.Value("--if-missed").value_or("run");
    if (text != "run" && text != "skip") throw UsageError{"--if-missed: " + Quoted(text) + " is not run or skip"};
    return text == "skip" ? IfMissed::Skip : IfMissed::Run;
}

}  // namespace

int RunWait(const CommandLine& line, Console& console) {
    const std::string event = line.Argument("EVENT");
    const auto upcoming = WaitableNamed(event, SingleAltitude(line));
    if (!upcoming) throw UsageError{"EVENT: " + Quoted(event) + " is not one of " + Listed(WaitableNames())};
    const double offset = OffsetMinutesAsked(line);
    const IfMissed ifMissed = IfMissedAsked(line);
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    if (observer.clock().StandsInForTheSystemZone()) throw NoLocalClock(console.system);
    SayNotes(observer);
    const bool verbose = line.Flag("--verbose");
    const auto say = [&](const std::string& text) {
        if (!verbose) return;
        console.out << event << ": " << text << std::endl;
    };
    if (WaitForNext(observer, *upcoming, offset, ifMissed, console.clock, say)) return 0;
    std::fprintf(stderr, "helune-cli: no %s within a year at this place\n", event.c_str());
    return kNotFound;
}

namespace {

std::vector<Choice> EventChoices(const std::vector<std::string>& names) {
    std::vector<Choice> choices;
    for (const std::string& name : names) {
        std::string meaning = name;
        for (const EventKind& kind : ReportedEvents())
            if (kind.key == name) meaning = kind.meaning;
        std::replace(meaning.begin(), meaning.end(), '_', ' ');
        choices.push_back({name, meaning});
    }
    return choices;
}

}  // namespace

std::vector<Choice> UpcomingChoices() {
    std::vector<Choice> choices = EventChoices(UpcomingNames());
    const std::vector<Choice> bands = AltitudeChoices();
    choices.insert(choices.end(), bands.begin(), bands.end());
    return choices;
}

std::vector<Choice> WaitableChoices() { return EventChoices(WaitableNames()); }

std::vector<Choice> BandChoices() {
    std::vector<Choice> choices;
    for (const SunBand& band : NamedBands())
        choices.push_back({band.key, "the Sun's centre from " + std::to_string(static_cast<int>(band.low)) + " to " +
                                         std::to_string(static_cast<int>(band.high)) + " degrees"});
    choices.push_back({"LOW,HIGH", "the Sun's centre between two altitudes"});
    return choices;
}

std::vector<Choice> AltitudeChoices() {
    std::vector<Choice> choices = BandChoices();
    choices.pop_back();
    return choices;
}

std::vector<Choice> IfMissedChoices() {
    return {{"run", "exit 0 at once, late (the default)"}, {"skip", "wait for the next"}};
}

std::vector<Choice> ColumnChoices() {
    std::vector<Choice> choices;
    for (const std::string& key : KeysOf(DayShape({}))) choices.push_back({key, ""});
    return choices;
}

std::vector<Choice> PlotChoices() {
    return {{"daylight", "the year's daylight and twilight, a column a date"},
            {"moon", "the Moon's month, a calendar of its faces"}};
}

std::vector<Choice> ThemeChoices() {
    return {{"light", "dark ink on white (the default)"}, {"dark", "light ink on a dark ground"}};
}

std::vector<Choice> PaperChoices() { return {{"a4", "210 by 297 mm"}, {"letter", "8.5 by 11 inches"}}; }

std::string OneOf(std::string_view name, const std::string& text, const std::vector<Choice>& choices) {
    std::string names;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].name == text) return text;
        names += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i].name;
    }
    throw UsageError{std::string(name) + ": " + Quoted(text) + " is not " + names};
}

}  // namespace helune::cli
