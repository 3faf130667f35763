// SPDX-License-Identifier: MIT
#include "Answers.h"

#include <algorithm>

namespace helune::cli {

namespace {

using namespace keys;

constexpr double kMinutesPerHour = 60.0;

// The first instant on a new offset where the clock's zone changes during
// [start, end); a window's clock keeps one offset a date.
std::optional<JulianDay> ClockChange(const Clock& clock, JulianDay start, JulianDay end) {
    if (clock.kind() != Clock::Kind::Zone) return std::nullopt;
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(UnixMilliseconds(start), Qt::UTC);
    const QTimeZone::OffsetData next = clock.zone()->nextTransition(from);
    if (!next.atUtc.isValid()) return std::nullopt;
    const JulianDay at = UniversalFromUnixMilliseconds(next.atUtc.toMSecsSinceEpoch());
    if (at >= end || clock.LocalTime(at).offsetFromUtc() == clock.LocalTime(start).offsetFromUtc()) return std::nullopt;
    return at;
}

Field EventField(const EventKind& kind, const Event& event) { return {kind.key, kind.title, event}; }

// The events of a section, in the report's order.
std::vector<Field> SectionEvents(const DayReport& report, Section section) {
    std::vector<Field> fields;
    for (std::size_t i = 0; i < report.kinds.size(); ++i)
        if (report.kinds[i].section == section) fields.push_back(EventField(report.kinds[i], report.events[i]));
    return fields;
}

Group SunGroup(const DayReport& report) {
    Group sun{SectionEvents(report, Section::Sun)};
    sun.fields.push_back(MakeField(kDayLength, Quantity{report.dayLength, Unit::Hours}));
    sun.fields.push_back(MakeField(kDayLengthChange, Quantity{report.dayLengthChange * kMinutesPerHour,
                                                              Unit::MinutesChange}));
    return sun;
}

Group MoonGroup(const DayReport& report) {
    Group moon{SectionEvents(report, Section::Moon)};
    Field light = MakeField(kIlluminatedAtNoon, Quantity{report.illuminatedFraction, Unit::Fraction});
    light.note = "at noon";
    Field age = MakeField(kAgeAtNoon, Quantity{report.moonAgeDays, Unit::Days});
    age.note = "at noon, since the new moon";
    moon.fields.push_back(std::move(light));
    moon.fields.push_back(std::move(age));
    return moon;
}

Group AltitudesGroup(const DayReport& report) {
    Group asked{SectionEvents(report, Section::Altitudes)};
    for (const DailyBand& band : report.bands)
        asked.fields.push_back({band.band.key, band.band.title, MorningAndEvening{band.morning, band.evening}});
    return asked;
}

List PhaseList(const std::vector<PrincipalPhase>& phases) {
    List list;
    for (const PrincipalPhase& p : phases)
        list.items.push_back({MakeField(kEvent, PhaseWord(p.code)), MakeField(kTime, Instant{p.universal.jd})});
    return list;
}

Group BodyGroup(const BodyNow& body) {
    Field altitude = MakeField(kAltitude, Quantity{body.position.altitude, Unit::Degrees});
    altitude.note = "apparent, with standard refraction";
    return {{altitude, MakeField(kAzimuth, Quantity{body.position.azimuth, Unit::Degrees}), MakeField(kUp, body.up),
             MakeField(kNextRising, body.nextRising), MakeField(kNextSetting, body.nextSetting)}};
}

}  // namespace

Record Heading(const Observer& observer, bool withPlace) {
    Record heading;
    if (withPlace) heading.push_back(MakeField(kPlace, PlaceValue{observer.place()}));
    heading.push_back(MakeField(kClock, ClockValue{observer.clock()}));
    return heading;
}

Record DayRecord(const DayReport& report, const Observer& observer, bool withPhases) {
    const std::optional<JulianDay> change = ClockChange(observer.clock(), report.start, report.end);
    Record record = {MakeField(kDate, report.date),
                     MakeField(kUtcOffset, UtcOffset{observer.LocalTime(report.start).offsetFromUtc(), change.has_value()}),
                     MakeField(kClockChange, Event{change, {}, std::nullopt, std::nullopt}),
                     MakeField(kSun, SunGroup(report)),
                     MakeField(kMoon, MoonGroup(report)),
                     MakeField(kTwilight, Group{SectionEvents(report, Section::Twilight)})};
    const Group asked = AltitudesGroup(report);
    if (!asked.fields.empty()) record.push_back(MakeField(kAltitudes, asked));
    if (withPhases) record.push_back(MakeField(kPhases, PhaseList(report.phases)));
    return record;
}

Record DayShape(const DayQuestions& questions) {
    DayReport report{};
    report.kinds = KindsAsked(questions.altitudes);
    report.events.resize(report.kinds.size());
    for (const SunBand& band : questions.bands) report.bands.push_back({band, {}, {}});
    return DayRecord(report, Observer::Fixed(0.0, 0.0, 0.0), false);
}

std::set<std::string> KeysOf(const Record& record) {
    std::set<std::string> found;
    for (const Field& field : record) {
        found.insert(field.key);
        if (const auto* group = std::get_if<Group>(&field.value)) found.merge(KeysOf(group->fields));
    }
    return found;
}

Record NowRecord(const SkyNow& now) {
    Group moon = BodyGroup(now.moon);
    const auto after = moon.fields.begin() + 3;  // after altitude, azimuth and up
    moon.fields.insert(after, {MakeField(kDistance, Quantity{now.moon.position.distance, Unit::Kilometres}),
                               MakeField(kIlluminatedAtNoon, Quantity{now.moon.position.illuminatedFraction,
                                                                      Unit::Fraction}),
                               MakeField(kMoonPhase, now.phase.word), MakeField(kWaxing, now.phase.waxing),
                               MakeField(kAgeAtNoon, Quantity{now.moonAgeDays, Unit::Days})});
    return {MakeField(kTime, Instant{now.universal}), MakeField(kSun, BodyGroup(now.sun)), MakeField(kMoon, moon)};
}

Record LightRecord(JulianDay universal, const Word& light, const std::optional<SunBand>& band, bool inside) {
    Record record = {MakeField(kTime, Instant{universal}), MakeField(kLight, light)};
    if (!band) return record;
    std::string name = band->title;
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
    record.push_back(MakeField(kInterval, Word{band->key, name}));
    record.push_back(MakeField(kState, inside ? Word{terms::kInside.code, "in the " + name}
                                              : Word{terms::kOutside.code, "not in the " + name}));
    return record;
}

Record ListedRecord(JulianDay universal, const Word& event) {
    return {MakeField(kTime, Instant{universal}), MakeField(kEvent, event),
            MakeField(kUtc, UtcInstant{universal}, Shown::MachinesOnly)};
}

Record SpanRecord(const BandSpan& span, const SunBand& band) {
    const std::string part = span.morning ? "morning" : "evening";
    std::string name = band.title;
    name[0] = static_cast<char>(name[0] - 'A' + 'a');
    return {MakeField(kTime, Instant{span.begin}), MakeField(kEnd, Instant{span.end}),
            MakeField(kEvent, Word{band.key + "_" + part, name + ", " + part})};
}

std::vector<Record> AlmanacRecords(const std::vector<PrincipalPhase>& phases, const std::vector<SeasonStart>& seasons) {
    struct Listed {
        JulianDay universal;
        Word word;
    };
    std::vector<Listed> listed;
    for (const PrincipalPhase& p : phases) listed.push_back({p.universal.jd, PhaseWord(p.code)});
    for (const SeasonStart& s : seasons) listed.push_back({s.universal.jd, SeasonWord(s.season)});
    std::stable_sort(listed.begin(), listed.end(), [](const Listed& x, const Listed& y) { return x.universal < y.universal; });
    std::vector<Record> records;
    for (const Listed& l : listed) records.push_back(ListedRecord(l.universal, l.word));
    return records;
}

}  // namespace helune::cli
