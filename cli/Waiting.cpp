// SPDX-License-Identifier: MIT
#include "Waiting.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "Days.h"
#include "Writers.h"

namespace helune::cli {

namespace {

constexpr double kLongestLunationDays = 29.9;
constexpr double kLongestYearDays = 366.0;
// A wait wakes at least this often to look at the wall clock, and counts as
// missed when it wakes this much after its target.
constexpr double kLongestSleepSeconds = 60.0;
constexpr double kMissedAfterSeconds = 60.0;

struct PhaseName {
    const char* name;
    int16_t code;
};
constexpr PhaseName kPhaseNames[] = {
    {"new_moon", kNewMoon}, {"first_quarter", kFirstQuarter}, {"full_moon", kFullMoon}, {"last_quarter", kLastQuarter}};

struct SeasonName {
    const char* name;
    std::vector<Season> seasons;
};
const std::vector<SeasonName>& SeasonNames() {
    static const std::vector<SeasonName> kNames = {
        {"equinox", {Season::MarchEquinox, Season::SeptemberEquinox}},
        {"solstice", {Season::JuneSolstice, Season::DecemberSolstice}},
        {"march_equinox", {Season::MarchEquinox}},
        {"june_solstice", {Season::JuneSolstice}},
        {"september_equinox", {Season::SeptemberEquinox}},
        {"december_solstice", {Season::DecemberSolstice}},
    };
    return kNames;
}

bool IsWaitable(const EventKind& kind) { return kind.key != "moon_transit"; }

std::optional<Upcoming> DayEventNamed(const std::string& name, std::optional<double> altitude) {
    for (const EventKind& kind : ReportedEvents()) {
        if (name != kind.key) continue;
        if (!altitude) return Upcoming{kind, std::nullopt, {}};
        // Through another altitude: the Sun's risings and settings only.
        if (kind.body != SunOrMoon::Sun || kind.type == EventType::Transit) return std::nullopt;
        return Upcoming{AltitudeEvent(*altitude, kind.type), std::nullopt, {}};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Upcoming> UpcomingNamed(const std::string& name, std::optional<double> altitude) {
    if (auto event = DayEventNamed(name, altitude)) return event;
    if (altitude) return std::nullopt;
    for (const PhaseName& p : kPhaseNames)
        if (name == p.name) return Upcoming{std::nullopt, p.code, {}};
    for (const SeasonName& s : SeasonNames())
        if (name == s.name) return Upcoming{std::nullopt, std::nullopt, s.seasons};
    return std::nullopt;
}

std::vector<std::string> UpcomingNames() {
    std::vector<std::string> names;
    for (const EventKind& kind : ReportedEvents()) names.push_back(kind.key);
    for (const PhaseName& p : kPhaseNames) names.emplace_back(p.name);
    for (const SeasonName& s : SeasonNames()) names.emplace_back(s.name);
    return names;
}

std::optional<Upcoming> WaitableNamed(const std::string& name, std::optional<double> altitude) {
    const std::optional<Upcoming> event = DayEventNamed(name, altitude);
    if (!event || !IsWaitable(*event->event)) return std::nullopt;
    return event;
}

std::vector<std::string> WaitableNames() {
    std::vector<std::string> names;
    for (const EventKind& kind : ReportedEvents())
        if (IsWaitable(kind)) names.push_back(kind.key);
    return names;
}

std::vector<JulianDay> NextInstants(const Observer& observer, const Upcoming& upcoming, JulianDay from, int count) {
    if (count <= 0) return {};
    if (upcoming.event) return NextEvents(observer, *upcoming.event, from, count);
    std::vector<JulianDay> found;
    if (upcoming.phase) {
        // Four phases a lunation: count lunations and one more hold count of each.
        for (const PrincipalPhase& p :
             FindPhases(UniversalTime{from}, UniversalTime{from + (count + 1) * kLongestLunationDays}))
            if (p.code == *upcoming.phase && p.universal.jd > from) found.push_back(p.universal.jd);
    } else {
        for (const SeasonStart& s : FindSeasons(UniversalTime{from}, UniversalTime{from + (count + 1) * kLongestYearDays}))
            if (std::find(upcoming.seasons.begin(), upcoming.seasons.end(), s.season) != upcoming.seasons.end() &&
                s.universal.jd > from)
                found.push_back(s.universal.jd);
    }
    if (static_cast<int>(found.size()) > count) found.resize(static_cast<std::size_t>(count));
    return found;
}

double UnixSeconds(JulianDay universal) { return (universal - kUnixEpoch) * kSecondsPerDay; }

JulianDay UniversalFromUnix(double seconds) { return kUnixEpoch + seconds / kSecondsPerDay; }

WallClock SystemWallClock() {
    using Clock = std::chrono::system_clock;
    return {[] { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); },
            [](double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }};
}

bool SleepUntil(double target, const WallClock& clock) {
    double now = clock.now();
    while (now < target) {
        clock.sleep(std::min(target - now, kLongestSleepSeconds));
        now = clock.now();
    }
    return now - target <= kMissedAfterSeconds;
}

std::optional<JulianDay> WaitForNext(const Observer& observer, const Upcoming& upcoming, double offsetMinutes,
                                     IfMissed ifMissed, const WallClock& clock,
                                     const std::function<void(const std::string&)>& say) {
    const double offsetDays = offsetMinutes / 1440.0;
    for (;;) {
        // The event whose moment lies ahead: after now less the offset.
        const JulianDay now = UniversalFromUnix(clock.now());
        const std::vector<JulianDay> next = NextInstants(observer, upcoming, now - offsetDays, 1);
        if (next.empty()) return std::nullopt;
        const JulianDay moment = next.front() + offsetDays;
        say("waiting until " + LocalIso(moment, observer.clock()));
        if (SleepUntil(UnixSeconds(moment), clock)) return moment;
        const std::string late = "woke at " + LocalIso(UniversalFromUnix(clock.now()), observer.clock()) + ", after " +
                                 LocalIso(moment, observer.clock());
        if (ifMissed == IfMissed::Run) {
            say(late + ": running late");
            return moment;
        }
        say(late + ": skipping it");
    }
}

}  // namespace helune::cli
