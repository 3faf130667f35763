// SPDX-License-Identifier: MIT
// Rising, transit and setting on local dates where the universal day's events
// fall elsewhere: each checked against the model found by a plain scan of the
// apparent altitude and hour angle over the local date.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "Efemerides.h"
#include "Events.h"
#include "Phases.h"
#include "model_scan.h"

namespace helune {
namespace {

// Where the tabulated method's answer lies within 10 s of the model's, it stands.
constexpr double kSameEventSeconds = 10.0;
// The scan's own bisection.
constexpr double kScanSeconds = 0.01;

struct Place {
    const char* name;
    double longitudeWest, latitude;
    double zone;  // UT minus local time, degrees
};

// The coordinates of each town (degrees) and its standard zone.
constexpr Place kTromso{"Tromsø", -18.9553, 69.6492, -15.0};
constexpr Place kReykjavik{"Reykjavik", 21.9426, 64.1466, 0.0};
constexpr Place kAnchorage{"Anchorage", 149.9003, 61.2181, 135.0};
constexpr Place kUtqiagvik{"Utqiagvik", 156.7886, 71.2906, 135.0};
constexpr Place kMcMurdo{"McMurdo", -166.6863, -77.8419, -195.0};  // UT+13 in February
constexpr Place kFairbanks{"Fairbanks", 147.75, 64.81, 120.0};      // USNO's table: W147°45′, N64°48.6′, UT−8

struct Day {
    const Place& place;
    int16_t day, month, year;

    JulianDay Midnight() const { return JulianDayFromDate(day, month, year, 0, 0) + place.zone / 360.0; }  // UT
    double Event(int16_t body, int16_t quantity) const {
        return CalcEfemeride(body, quantity, 0, JulianDayFromDate(day, month, year, 12, 0), place.longitudeWest,
                             place.latitude, place.zone);
    }
    std::string Name() const {
        return std::string(place.name) + " " + std::to_string(year) + "-" + std::to_string(month) + "-" +
               std::to_string(day);
    }
};

// The engine's rising or setting of the date against the scan's earliest of
// that kind; returns the engine's clock hours.
double ExpectCrossingAsScanned(const Day& d, int16_t body, bool rising, double altitude) {
    const JulianDay from = d.Midnight();
    const auto crossings =
        scan::Crossings(body, altitude, from, from + 1.0, d.place.longitudeWest, d.place.latitude);
    const scan::Crossing* first = scan::First(crossings, rising);
    const double hours = d.Event(body, rising ? kQuantityRising : kQuantitySetting);
    if (!first) {
        EXPECT_EQ(hours, -1.0) << d.Name() << (rising ? " rising" : " setting");
    } else {
        EXPECT_NEAR((from + hours / 24.0 - first->universal) * 86400.0, 0.0, kSameEventSeconds + kScanSeconds)
            << d.Name() << (rising ? " rising" : " setting") << ": engine " << hours << " h, model "
            << (first->universal - from) * 24.0 << " h";
    }
    return hours;
}

// The transit: none on a date on which the body neither rises nor sets.
void ExpectTransitAsScanned(const Day& d, int16_t body, double altitude) {
    const JulianDay from = d.Midnight();
    const auto transits = scan::UpperTransits(body, from, from + 1.0, d.place.longitudeWest, d.place.latitude);
    const bool risesOrSets =
        !scan::Crossings(body, altitude, from, from + 1.0, d.place.longitudeWest, d.place.latitude).empty();
    const double hours = d.Event(body, kQuantityTransit);
    if (transits.empty() || !risesOrSets) {
        EXPECT_EQ(hours, -1.0) << d.Name() << " transit";
    } else {
        EXPECT_NEAR((from + hours / 24.0 - transits.front()) * 86400.0, 0.0, kSameEventSeconds + kScanSeconds)
            << d.Name() << " transit: engine " << hours << " h, model " << (transits.front() - from) * 24.0 << " h";
    }
}

void ExpectDateAsScanned(const Day& d, int16_t body) {
    const double altitude = body == kBodySun ? kSunStandardAltitude : kMoonStandardAltitude;
    ExpectCrossingAsScanned(d, body, true, altitude);
    ExpectCrossingAsScanned(d, body, false, altitude);
    ExpectTransitAsScanned(d, body, altitude);
}

double Clock(int hours, int minutes) { return hours + minutes / 60.0; }
constexpr double kOneMinute = 1.0 / 60.0;  // hours

TEST(LocalDates, TromsoMoonsetIsNotTheMoonrise) {
    // 2026-11-17: the Moon sets at 21:53, not at 14:22 (the instant of its rising
    // taken for a setting).
    const Day d{kTromso, 17, 11, 2026};
    ExpectDateAsScanned(d, kBodyMoon);
    EXPECT_NEAR(d.Event(kBodyMoon, kQuantitySetting), Clock(21, 53), kOneMinute);
}

TEST(LocalDates, ReykjavikMoonriseIsNotTheMoonset) {
    // 2026-10-04: the Moon sets at 18:43 and rises at 22:49.
    const Day d{kReykjavik, 4, 10, 2026};
    ExpectDateAsScanned(d, kBodyMoon);
    EXPECT_NEAR(d.Event(kBodyMoon, kQuantityRising), Clock(22, 49), kOneMinute);
    EXPECT_NEAR(d.Event(kBodyMoon, kQuantitySetting), Clock(18, 43), kOneMinute);
}

TEST(LocalDates, AnchorageMoonInTheNewYear) {
    ExpectDateAsScanned({kAnchorage, 2, 1, 2026}, kBodyMoon);
    ExpectDateAsScanned({kAnchorage, 2, 1, 2026}, kBodySun);
}

TEST(LocalDates, UtqiagvikFirstSunriseAfterThePolarNight) {
    // The Sun comes back on 22 January 2026; the dates before have no event.
    for (int16_t day = 18; day <= 26; ++day) ExpectDateAsScanned({kUtqiagvik, day, 1, 2026}, kBodySun);
    EXPECT_GE(Day({kUtqiagvik, 22, 1, 2026}).Event(kBodySun, kQuantityRising), 0.0);
    EXPECT_EQ(Day({kUtqiagvik, 20, 1, 2026}).Event(kBodySun, kQuantityRising), -1.0);
}

TEST(LocalDates, ReykjavikSunsetAfterLocalMidnight) {
    // Around midsummer the Sun sets just after midnight: 15 June 2026 has no
    // sunset of its own (the one at 00:00 belongs to the 16th).
    for (int16_t day = 13; day <= 18; ++day) ExpectDateAsScanned({kReykjavik, day, 6, 2026}, kBodySun);
}

TEST(LocalDates, McMurdoAtTheEndOfThePolarDay) {
    for (int16_t day = 18; day <= 23; ++day) {
        ExpectDateAsScanned({kMcMurdo, day, 2, 2026}, kBodySun);
        ExpectDateAsScanned({kMcMurdo, day, 2, 2026}, kBodyMoon);
    }
}

TEST(LocalDates, FairbanksMoonAgainstUsno) {
    // USNO, Fairbanks, zone 8 h behind UT: 27 June 2006 the Moon sets at 03:02 and
    // rises at 04:07; 23 June it rises at 00:13 and does not set; 24-26 June it
    // neither rises nor sets. The Moon rises and sets at a slant at 65°N, where
    // the horizons of USNO (0.09° to 0.18°) and of the engine (0.125°) part the
    // instants by more than the minute they do further south.
    constexpr double kUsnoMinutes = 2.5 * kOneMinute;
    const Day june27{kFairbanks, 27, 6, 2006}, june23{kFairbanks, 23, 6, 2006};
    for (int16_t day = 15; day <= 30; ++day) ExpectDateAsScanned({kFairbanks, day, 6, 2006}, kBodyMoon);
    EXPECT_NEAR(june27.Event(kBodyMoon, kQuantitySetting), Clock(3, 2), kUsnoMinutes);
    EXPECT_NEAR(june27.Event(kBodyMoon, kQuantityRising), Clock(4, 7), kUsnoMinutes);
    EXPECT_NEAR(june23.Event(kBodyMoon, kQuantityRising), Clock(0, 13), kUsnoMinutes);
    EXPECT_EQ(june23.Event(kBodyMoon, kQuantitySetting), -1.0);
    for (int16_t day = 24; day <= 26; ++day) {
        const Day d{kFairbanks, day, 6, 2006};
        EXPECT_EQ(d.Event(kBodyMoon, kQuantityRising), -1.0) << day;
        EXPECT_EQ(d.Event(kBodyMoon, kQuantitySetting), -1.0) << day;
        EXPECT_EQ(d.Event(kBodyMoon, kQuantityTransit), -1.0) << day;
    }
}

// At Greenwich's meridian twelve hours ahead of UT the Sun culminates near
// local midnight; where the equation of time passes zero (about 15 April,
// 13 June, 1 September and 25 December) one date may have two solar noons (the
// earliest is the answer) and another none.
TEST(LocalDates, SolarNoonNearLocalMidnight) {
    constexpr Place kTwelveAhead{"0°E, UT+12", 0.0, 0.0, -180.0};
    struct Span {
        int16_t month, firstDay;
    };
    constexpr Span kZeroesOfTheEquationOfTime[] = {{4, 9}, {6, 7}, {8, 26}, {12, 19}};
    constexpr int kDaysAround = 13;
    int twice = 0, never = 0;
    for (int16_t year = 2024; year <= 2027; ++year) {
        for (const Span& span : kZeroesOfTheEquationOfTime) {
            const JulianDay firstNoon = JulianDayFromDate(span.firstDay, span.month, year, 12, 0);
            for (JulianDay noon = firstNoon; noon < firstNoon + kDaysAround; noon += 1.0) {
                PhaseEvent date{};
                JulianDayToDate(date, noon);
                const Day d{kTwelveAhead, date.Day, date.Month, date.Year};
                const JulianDay from = d.Midnight();
                const auto transits = scan::UpperTransits(kBodySun, from, from + 1.0, 0.0, 0.0);
                const double hours = d.Event(kBodySun, kQuantityTransit);
                twice += transits.size() == 2;
                never += transits.empty();
                if (transits.empty()) {
                    EXPECT_EQ(hours, -1.0) << d.Name();
                } else {
                    EXPECT_NEAR((from + hours / 24.0 - transits.front()) * 86400.0, 0.0,
                                kSameEventSeconds + kScanSeconds)
                        << d.Name();
                }
            }
        }
    }
    EXPECT_GT(twice, 0);
    EXPECT_GT(never, 0);
}

// A year of the Moon at Tromsø, where it turns circumpolar and stops rising
// twice a month: every event of every date as the model has it, from one scan
// of the year (two-minute steps).
TEST(LocalDates, TromsoMoonThroughAYear) {
    const Place& p = kTromso;
    const JulianDay first = Day{p, 1, 1, 2026}.Midnight();
    constexpr int kDays = 365;
    const auto crossings = scan::Crossings(kBodyMoon, kMoonStandardAltitude, first, first + kDays, p.longitudeWest,
                                           p.latitude, 2.0);
    const auto transits = scan::UpperTransits(kBodyMoon, first, first + kDays, p.longitudeWest, p.latitude);
    int events = 0, dates = 0;
    for (int i = 0; i < kDays; ++i) {
        const JulianDay from = first + i, to = from + 1.0;
        PhaseEvent date{};
        JulianDayToDate(date, from - p.zone / 360.0 + 0.5);
        const Day d{p, date.Day, date.Month, date.Year};
        std::optional<JulianDay> rising, setting, transit;
        for (const scan::Crossing& c : crossings) {
            if (c.universal < from || c.universal >= to) continue;
            std::optional<JulianDay>& kind = c.rising ? rising : setting;
            if (!kind) kind = c.universal;
        }
        for (JulianDay t : transits)
            if (!transit && t >= from && t < to) transit = t;
        if (!rising && !setting) transit.reset();
        const std::pair<int16_t, std::optional<JulianDay>> expected[] = {
            {kQuantityRising, rising}, {kQuantitySetting, setting}, {kQuantityTransit, transit}};
        for (const auto& [quantity, instant] : expected) {
            const double hours = d.Event(kBodyMoon, quantity);
            if (!instant) {
                EXPECT_EQ(hours, -1.0) << d.Name() << " quantity " << quantity;
                continue;
            }
            ++events;
            EXPECT_NEAR((from + hours / 24.0 - *instant) * 86400.0, 0.0, kSameEventSeconds + kScanSeconds)
                << d.Name() << " quantity " << quantity << ": engine " << hours << " h";
        }
        dates += !rising || !setting;
    }
    std::printf("Tromsø 2026: %d Moon events, %d dates without a rising or a setting\n", events, dates);
    EXPECT_GT(dates, 40);
}

}  // namespace
}  // namespace helune
