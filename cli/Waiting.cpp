#include "Waiting.h"

#include <cmath>

#include "Efemerides.h"

namespace helune::cli {

namespace {

constexpr JulianDay kUnixEpoch = 2440587.5;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kMinutesPerDay = 1440.0;
constexpr int kDaysSearched = 367;

bool IsWaitable(const EventKind& kind) { return kind.key != std::string("moon_transit"); }

}  // namespace

const EventKind* WaitableEvent(const std::string& name) {
    for (const EventKind& kind : ReportedEvents())
        if (name == kind.key && IsWaitable(kind)) return &kind;
    return nullptr;
}

std::string WaitableEventNames() {
    std::string names;
    for (const EventKind& kind : ReportedEvents())
        if (IsWaitable(kind)) names += (names.empty() ? "" : ", ") + std::string(kind.key);
    return names;
}

std::optional<JulianDay> NextEventInstant(const Observer& observer, const EventKind& event, double offsetMinutes,
                                          JulianDay now) {
    // From two days back: an event of an earlier date, moved forward by the offset, may still be ahead.
    const QDate first = DateOfJulianDay(now).addDays(-2);
    for (QDate date = first; date < first.addDays(kDaysSearched); date = date.addDays(1)) {
        const double zone = observer.ZoneOn(date);
        const JulianDay noon = JulianDayFromDate(static_cast<int16_t>(date.day()), static_cast<int16_t>(date.month()),
                                                 static_cast<int16_t>(date.year()), 12, 0);
        const double hours =
            CalcEfemeride(event.body, event.quantity, 0, noon, observer.LongitudeWest(), observer.Latitude(), zone);
        if (hours < 0.0) continue;
        const JulianDay at = UniversalInstant(date, hours, zone) + offsetMinutes / kMinutesPerDay;
        if (at > now) return at;
    }
    return std::nullopt;
}

double UnixSeconds(JulianDay universal) { return (universal - kUnixEpoch) * kSecondsPerDay; }

JulianDay UniversalFromUnix(double seconds) { return kUnixEpoch + seconds / kSecondsPerDay; }

}  // namespace helune::cli
