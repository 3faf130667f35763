// SPDX-License-Identifier: MIT
// Rising and setting of the Sun and the Moon on local dates against the U.S.
// Naval Observatory's tables: every place-year of riseset.txt (1750-2050, up
// to ±90° of latitude), each in its own zone and in one on the other side of
// UT, and the one-place tables of Atlanta, Boston and Fairbanks. Differences
// are printed by latitude band.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "Efemerides.h"
#include "Events.h"
#include "Phases.h"
#include "model_scan.h"
#include "usno.h"

namespace helune {
namespace {

// USNO rounds to the minute and uses the upper limb with standard refraction:
// for the Sun the same altitude of the centre as the engine, so that only the
// rounding and the theories part them; for the Moon an altitude of 0.087° to
// 0.179° with its distance, where the engine keeps 0.125° (±0.5 min at
// middle latitudes).
constexpr double kSunToleranceMinutes = 0.75;
constexpr double kMoonToleranceMinutes = 1.25;
// Where the bodies cross the horizon slowly (near the poles, and the Moon at
// high latitudes) these altitudes part the times by more; an event beyond the
// tolerance in time must then be within the horizon's spread in altitude: the
// engine's altitude at USNO's instant, less what the minute's rounding moves it.
constexpr double kSunHorizonSpread = 0.01;   // degrees
constexpr double kMoonHorizonSpread = 0.06;  // degrees, 0.125° against 0.087°-0.179°

// A date's event of the one source that the other lacks, or two first events
// of a kind far apart, are excused where the truth grazes the altitude: where
// raising or lowering the engine's altitude by the horizon's spread makes or
// unmakes the date's first event of the kind, or moves it by more than
// kGrazeMinutes (a plain scan of the model tells); and an event within a minute
// of local midnight, which USNO's rounding may carry into the next date.
constexpr double kRoundingMinutes = 1.0;
constexpr double kGrazeMinutes = 30.0;

struct Band {
    const char* name;
    double upTo;  // |latitude|, degrees
};
constexpr Band kBands[] = {{"up to 50°", 50.0}, {"50°-61°", 61.0}, {"61°-66.5°", 66.5}, {"66.5°-90°", 90.0}};

int BandOf(double latitude) {
    int band = 0;
    while (std::fabs(latitude) > kBands[band].upTo) ++band;
    return band;
}

struct Tally {
    std::vector<double> minutes;   // |engine − USNO| where both have the event
    std::vector<double> altitude;  // the same in altitude, degrees, where beyond the time's tolerance
    int missing = 0, extra = 0, excused = 0;
};

// (band, body, "risings" or "settings")
using Tallies = std::map<std::tuple<int, std::string, std::string>, Tally>;

int16_t BodyCode(const std::string& body) { return body == "Sun" ? kBodySun : kBodyMoon; }
double StandardAltitudeOf(const std::string& body) {
    return body == "Sun" ? kSunStandardAltitude : kMoonStandardAltitude;
}
double SpreadOf(const std::string& body) { return body == "Sun" ? kSunHorizonSpread : kMoonHorizonSpread; }
double ToleranceOf(const std::string& body) { return body == "Sun" ? kSunToleranceMinutes : kMoonToleranceMinutes; }

struct Site {
    std::string body;
    double longitudeWest, latitude;
    int zoneHours;  // local time minus UT
};

JulianDay LocalMidnightUt(const Site& site, const usno::Date& date) {
    return JulianDayFromDate(static_cast<int16_t>(date.day), static_cast<int16_t>(date.month),
                             static_cast<int16_t>(date.year), 0, 0) -
           site.zoneHours / 24.0;
}

// Whether the model's first event of the kind on the date comes, goes or
// jumps as its altitude moves by the horizon's spread.
bool Grazes(const Site& site, const usno::Date& date, bool rising) {
    const JulianDay from = LocalMidnightUt(site, date);
    const double h0 = StandardAltitudeOf(site.body), spread = SpreadOf(site.body);
    auto first = [&](double altitude) -> std::optional<JulianDay> {
        const auto crossings =
            scan::Crossings(BodyCode(site.body), altitude, from, from + 1.0, site.longitudeWest, site.latitude);
        const scan::Crossing* c = scan::First(crossings, rising);
        return c ? std::optional<JulianDay>(c->universal) : std::nullopt;
    };
    const std::optional<JulianDay> lower = first(h0 - spread), higher = first(h0 + spread);
    if (!lower || !higher) return lower.has_value() != higher.has_value();
    return std::fabs(*lower - *higher) > kGrazeMinutes * scan::kMinute;
}

bool NearMidnight(double minutes) {
    return minutes < kRoundingMinutes || minutes > 1440.0 - kRoundingMinutes;
}

// One kind of event at one site on one date: USNO's minutes after local
// midnight (earliest first; none when the date has none) against the engine.
void Compare(const Site& site, const usno::Date& date, bool rising, std::vector<int> truth, Tally& tally) {
    std::sort(truth.begin(), truth.end());
    const double noon = JulianDayFromDate(static_cast<int16_t>(date.day), static_cast<int16_t>(date.month),
                                          static_cast<int16_t>(date.year), 12, 0);
    const double hours = CalcEfemeride(BodyCode(site.body), rising ? kQuantityRising : kQuantitySetting, 0, noon,
                                       site.longitudeWest, site.latitude, -15.0 * site.zoneHours);
    const std::string what = site.body + (rising ? " rising " : " setting ") + std::to_string(date.year) + "-" +
                             std::to_string(date.month) + "-" + std::to_string(date.day) + " at " +
                             std::to_string(site.latitude) + "°, UT" + std::to_string(site.zoneHours);
    const bool both = hours >= 0.0 && !truth.empty();
    if (both && (std::fabs(hours * 60.0 - truth.front()) <= kGrazeMinutes || !Grazes(site, date, rising))) {
        const double difference = hours * 60.0 - truth.front();
        tally.minutes.push_back(std::fabs(difference));
        if (std::fabs(difference) > ToleranceOf(site.body)) {
            // The engine's altitude at USNO's minute, less the minute's rounding.
            const JulianDay at = LocalMidnightUt(site, date) + truth.front() / 1440.0;
            const double rate = std::fabs(scan::Altitude(BodyCode(site.body), at + scan::kMinute, site.longitudeWest,
                                                         site.latitude) -
                                          scan::Altitude(BodyCode(site.body), at, site.longitudeWest, site.latitude));
            const double off = std::fabs(scan::Altitude(BodyCode(site.body), at, site.longitudeWest, site.latitude) -
                                         StandardAltitudeOf(site.body));
            tally.altitude.push_back(std::max(0.0, off - 0.5 * rate));
        }
        return;
    }
    if (hours < 0.0 && truth.empty()) return;
    const bool excused = both || Grazes(site, date, rising) ||
                         (truth.empty() ? NearMidnight(hours * 60.0) : NearMidnight(truth.front()));
    if (excused) {
        ++tally.excused;
        std::printf("  excused: %s (engine %.4f h, USNO %s)\n", what.c_str(), hours,
                    truth.empty() ? "none" : std::to_string(truth.front()).c_str());
    } else if (hours < 0.0) {
        ++tally.missing;
        ADD_FAILURE() << "missing: " << what << ", USNO at minute " << truth.front();
    } else {
        ++tally.extra;
        ADD_FAILURE() << "extra: " << what << ", engine " << hours << " h";
    }
}

// Every date from first to last (both included) at the site, both kinds.
void CompareDates(const Site& site, const usno::PlaceYear& events, usno::Date first, usno::Date last, Tallies& tallies) {
    const int band = BandOf(site.latitude);
    for (JulianDay jd = JulianDayFromDate(static_cast<int16_t>(first.day), static_cast<int16_t>(first.month),
                                          static_cast<int16_t>(first.year), 12, 0);
         ; jd += 1.0) {
        PhaseEvent d{};
        JulianDayToDate(d, jd);
        const usno::Date date{d.Year, d.Month, d.Day};
        if (last < date) break;
        for (const bool rising : {true, false}) {
            const auto& table = rising ? events.risings : events.settings;
            const auto found = table.find(date);
            Compare(site, date, rising, found == table.end() ? std::vector<int>{} : found->second,
                    tallies[{band, site.body, rising ? "risings" : "settings"}]);
        }
    }
}

void PrintAndCheck(const Tallies& tallies) {
    for (const auto& [key, tally] : tallies) {
        const auto& [band, body, kind] = key;
        const usno::Summary time = usno::Summarize(tally.minutes);
        const usno::Summary altitude = usno::Summarize(tally.altitude);
        std::printf("%-10s %-4s %-8s: %4zu compared, median %.2f min, max %.2f min", kBands[band].name, body.c_str(),
                    kind.c_str(), time.count, time.median, time.max);
        if (altitude.count) std::printf(" (%zu beyond %.2f min, within %.3f° in altitude)", altitude.count,
                                        ToleranceOf(body), altitude.max);
        std::printf("; %d missing, %d extra, %d excused grazes or midnights\n", tally.missing, tally.extra,
                    tally.excused);
        EXPECT_LE(altitude.max, SpreadOf(body)) << kBands[band].name << " " << body << " " << kind;
    }
}

// The place-years of riseset.txt: body, whole-degree longitude (East) and
// latitude, first and last year.
struct RiseSetSite {
    std::string body;
    int longitudeEast, latitude, firstYear, lastYear;
};
std::vector<RiseSetSite> RiseSetSites() {
    std::ifstream file(usno::DataDirectory() + "/riseset.txt");
    std::map<std::tuple<std::string, int, int>, std::pair<int, int>> years;
    std::vector<RiseSetSite> sites;
    for (std::string line; std::getline(file, line);) {
        std::istringstream fields(line);
        std::string body, stamp;
        int lon = 0, lat = 0;
        if (!(fields >> body >> lon >> lat >> stamp)) continue;
        const int year = std::stoi(stamp.substr(0, 4));
        const auto key = std::tuple{body, lon, lat};
        auto [it, inserted] = years.try_emplace(key, year, year);
        it->second.first = std::min(it->second.first, year);
        it->second.second = std::max(it->second.second, year);
    }
    for (const auto& [key, span] : years)
        sites.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key), span.first, span.second});
    return sites;
}

TEST(UsnoRiseSet, EveryPlaceYearInTwoZones) {
    const std::vector<RiseSetSite> sites = RiseSetSites();
    ASSERT_EQ(sites.size(), 16u);  // 17 place-years: one site spans 2022 and 2023
    Tallies tallies;
    for (const RiseSetSite& s : sites) {
        // The zone of the place's meridian, and one twelve hours away on the other
        // side of UT, where local midnight falls near the place's noon.
        const int natural = static_cast<int>(std::lround(s.longitudeEast / 15.0));
        for (const int zone : {natural, natural > 0 ? natural - 12 : natural + 12}) {
            const Site site{s.body, -static_cast<double>(s.longitudeEast), static_cast<double>(s.latitude), zone};
            // The years' whole local dates: the first and last UT dates are cut.
            CompareDates(site, usno::ReadRiseSet(s.body, s.longitudeEast, s.latitude, zone), {s.firstYear, 1, 2},
                         {s.lastYear, 12, 30}, tallies);
        }
    }
    PrintAndCheck(tallies);
}

// USNO's one-year table of one place (day rows, a rising and a setting column
// for each month, hhmm in local time, blank where the date has none).
usno::PlaceYear ReadYearTable(const std::string& name, int year) {
    std::ifstream file(usno::DataDirectory() + "/" + name);
    usno::PlaceYear events;
    constexpr std::size_t kFirstColumn = 4, kMonthWidth = 11, kSetOffset = 5;
    for (std::string line; std::getline(file, line);) {
        if (line.size() < 2 || !std::isdigit(static_cast<unsigned char>(line[0])) ||
            !std::isdigit(static_cast<unsigned char>(line[1])))
            continue;
        const int day = std::stoi(line.substr(0, 2));
        for (int month = 1; month <= 12; ++month) {
            for (const bool rising : {true, false}) {
                const std::size_t at = kFirstColumn + (month - 1) * kMonthWidth + (rising ? 0 : kSetOffset);
                if (at + 4 > line.size() || line.substr(at, 4) == "    ") continue;
                const int hhmm = std::stoi(line.substr(at, 4));
                (rising ? events.risings : events.settings)[{year, month, day}].push_back(hhmm / 100 * 60 + hhmm % 100);
            }
        }
    }
    return events;
}

TEST(UsnoRiseSet, OnePlaceYearTables) {
    // Atlanta (W084°25′, N33°46′) for 2007 and Boston (W071°05′, N42°19′) for 1984,
    // both in Eastern Standard Time.
    Tallies tallies;
    const Site atlanta{"Sun", 84.0 + 25.0 / 60.0, 33.0 + 46.0 / 60.0, -5};
    const usno::PlaceYear sun = ReadYearTable("riset_sun.txt", 2007);
    EXPECT_EQ(sun.risings.size(), 365u);
    CompareDates(atlanta, sun, {2007, 1, 1}, {2007, 12, 31}, tallies);
    const Site boston{"Moon", 71.0 + 5.0 / 60.0, 42.0 + 19.0 / 60.0, -5};
    const usno::PlaceYear moon = ReadYearTable("riset_moon.txt", 1984);
    EXPECT_GT(moon.risings.size(), 340u);
    CompareDates(boston, moon, {1984, 1, 1}, {1984, 12, 31}, tallies);
    PrintAndCheck(tallies);
}

// USNO's table of the Moon at Fairbanks (W147°45′, N64°48.6′), 8 h behind UT:
// date, rising, transit, setting ('*****' or blank: none on the date).
TEST(UsnoRiseSet, FairbanksMoonWithTransits) {
    constexpr double kTransitToleranceMinutes = 0.75;
    const Site fairbanks{"Moon", 147.75, 64.81, -8};
    std::ifstream file(usno::DataDirectory() + "/risettran_moon.txt");
    usno::PlaceYear events;
    std::map<usno::Date, int> transits;
    const std::map<std::string, int> months = {{"Jun", 6}, {"Jul", 7}};
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("2006 ", 0) != 0) continue;
        const usno::Date date{2006, months.at(line.substr(5, 3)), std::stoi(line.substr(9, 2))};
        auto minutes = [&](std::size_t at) { return std::stoi(line.substr(at, 2)) * 60 + std::stoi(line.substr(at + 3, 2)); };
        // The columns of the hours: rising 25, transit 42, setting 59.
        auto has = [&](std::size_t at) { return line.size() > at + 4 && std::isdigit(static_cast<unsigned char>(line[at])); };
        if (has(25)) events.risings[date].push_back(minutes(25));
        transits[date] = minutes(42);
        if (has(59)) events.settings[date].push_back(minutes(59));
    }
    ASSERT_EQ(transits.size(), 21u);
    Tallies tallies;
    CompareDates(fairbanks, events, {2006, 6, 15}, {2006, 7, 5}, tallies);
    PrintAndCheck(tallies);
    // The transit, but on the dates when the Moon neither rises nor sets, which
    // USNO lists and the chart leaves out.
    std::vector<double> errors;
    for (const auto& [date, minute] : transits) {
        const double hours = CalcEfemeride(kBodyMoon, kQuantityTransit, 0,
                                           JulianDayFromDate(static_cast<int16_t>(date.day),
                                                             static_cast<int16_t>(date.month), 2006, 12, 0),
                                           fairbanks.longitudeWest, fairbanks.latitude, 120.0);
        if (!events.risings.count(date) && !events.settings.count(date)) {
            EXPECT_EQ(hours, -1.0) << date.month << "-" << date.day;
            continue;
        }
        errors.push_back(std::fabs(hours * 60.0 - minute));
    }
    const usno::Summary s = usno::Summarize(errors);
    std::printf("Fairbanks Moon transits: %zu compared, median %.2f min, max %.2f min\n", s.count, s.median, s.max);
    EXPECT_EQ(s.count, 18u);
    EXPECT_LE(s.max, kTransitToleranceMinutes);
}

}  // namespace
}  // namespace helune
