// SPDX-License-Identifier: MIT
// The words of the console's machine formats, each defined once with what it
// means: the keys of JSON and the columns of CSV they make, and the codes that
// stand for reasons, states and sources. The commands build their records from
// these, and the manual's FORMATS section lists them.
#pragma once

#include <span>
#include <string>

namespace helune::cli {

// A key of the records: its JSON and CSV name, its label in text, its meaning.
struct Key {
    const char* key;
    const char* title;
    const char* meaning;
};

// A code of a value: its word, its meaning.
struct Term {
    const char* code;
    const char* meaning;
};

namespace keys {
// The document.
inline constexpr Key kSchema{"schema", "Schema", "the version of the document's layout (1)"};
inline constexpr Key kPlace{"place", "Place",
                            "where the answer is for: latitude, longitude (degrees, North and East positive), "
                            "elevation (metres above the sea), source (see SOURCES), name (of a city, where one was "
                            "taken)"};
inline constexpr Key kClock{"clock", "Clock",
                            "the clock of the local times: zone (IANA name) or utc_offset (a fixed offset), window "
                            "(true for the window's clock: one offset a date), source (see SOURCES)"};
inline constexpr Key kDays{"days", "Days", "range: one record a date, as day gives it without phases"};
inline constexpr Key kEvents{"events", "Events", "phases and seasons: one record an event, in time order"};
inline constexpr Key kTimes{"times", "Times", "next: one record an event, each with its time"};
inline constexpr Key kEvent{"event", "Event", "the code of an event, a phase or a season (full_moon …)"};
// A date.
inline constexpr Key kDate{"date", "Date", "the local date, YYYY-MM-DD"};
inline constexpr Key kUtcOffset{"utc_offset", "UTC offset", "the offset from universal time at the date's start"};
inline constexpr Key kClockChange{"clock_change", "Clock change",
                                  "the first instant on a new offset where the clocks change during the date"};
inline constexpr Key kSun{"sun", "Sun", "the Sun's events and quantities"};
inline constexpr Key kMoon{"moon", "Moon", "the Moon's events and quantities"};
inline constexpr Key kTwilight{"twilight", "Twilight", "dawn and dusk: the Sun's centre 6, 12 and 18 degrees down"};
inline constexpr Key kAltitudes{"altitudes", "Altitudes", "what --altitude asked: crossings and intervals"};
inline constexpr Key kPhases{"phases", "Phases", "the principal phases around the date that the window lists"};
inline constexpr Key kDayLength{"day_length_hours", "Day length",
                                "hours the Sun's centre stands above its rising altitude on the date"};
inline constexpr Key kDayLengthChange{"day_length_change_minutes", "Change", "minutes against the date before"};
inline constexpr Key kIlluminatedAtNoon{"illuminated_fraction", "Illuminated",
                                        "the Moon's illuminated fraction of its disc, 0 to 1 (day: at local noon)"};
inline constexpr Key kAgeAtNoon{"age_days", "Age",
                                "days since the last new moon (day: at local noon), null where unknown"};
// An event, an interval.
inline constexpr Key kTime{"time", "Time",
                           "a local time, ISO 8601 with its offset (an event's: null where it does not happen)"};
inline constexpr Key kUtc{"utc", "UTC", "the same instant in universal time, ISO 8601 with Z"};
inline constexpr Key kReason{"reason", "Reason", "why an event does not happen (see REASONS); null where it does"};
inline constexpr Key kAltitude{"altitude", "Altitude",
                               "degrees: of a transit, the body's centre; in now, apparent, with refraction"};
inline constexpr Key kAzimuth{"azimuth", "Azimuth", "degrees from North, clockwise"};
inline constexpr Key kMorning{"morning", "Morning", "an interval as the Sun rises"};
inline constexpr Key kEvening{"evening", "Evening", "an interval as the Sun sets"};
inline constexpr Key kBegin{"begin", "Begin", "the event that begins an interval"};
inline constexpr Key kEnd{"end", "End", "the event that ends an interval"};
// The sky of an instant.
inline constexpr Key kUp{"up", "Up",
                         "whether the body is risen: its centre above the altitude of its rising and setting"};
inline constexpr Key kNextRising{"next_rising", "Next rising", "the next rising, with its azimuth"};
inline constexpr Key kNextSetting{"next_setting", "Next setting", "the next setting, with its azimuth"};
inline constexpr Key kDistance{"distance_km", "Distance", "from the Earth's centre, kilometres"};
inline constexpr Key kMoonPhase{"phase", "Phase", "the Moon's phase by eighths of the lunation (see PHASES)"};
inline constexpr Key kWaxing{"waxing", "Waxing", "whether the Moon waxes"};
// Day or night.
inline constexpr Key kLight{"light", "Light", "day, twilight or night (see STATES)"};
inline constexpr Key kInterval{"interval", "Interval",
                               "the band poll was asked about: golden_hour, blue_hour, between_LOW_and_HIGH, or "
                               "above_A (the Sun's centre above A degrees)"};
inline constexpr Key kState{"state", "State", "inside or outside the interval poll was asked about"};
// The kept place.
inline constexpr Key kStore{"store", "Store", "place: where the per-user store lives (its file, or registry key)"};
inline constexpr Key kKept{"kept", "Kept", "place: whether the store keeps a place"};
}  // namespace keys

// Every key above, in the manual's order.
std::span<const Key* const> DocumentKeys();

namespace terms {
// Why an event does not happen.
inline constexpr Term kPolarDay{"polar_day", "the Sun stays above the horizon all day"};
inline constexpr Term kPolarNight{"polar_night", "the Sun stays below the horizon all day"};
inline constexpr Term kStaysAbove{"stays_above", "the body stays above the event's altitude all day"};
inline constexpr Term kStaysBelow{"stays_below", "the body stays below the event's altitude all day"};
inline constexpr Term kNoneOnDate{"none_on_date",
                                  "the body crosses the altitude, but not this way on this date (the Moon rises "
                                  "about 50 minutes later each day and skips a date)"};
// Light.
inline constexpr Term kDay{"day", "the Sun's upper limb above the horizon"};
inline constexpr Term kCivilTwilight{"civil_twilight", "the Sun's centre from 0.833 to 6 degrees down"};
inline constexpr Term kNauticalTwilight{"nautical_twilight", "from 6 to 12 degrees down"};
inline constexpr Term kAstronomicalTwilight{"astronomical_twilight", "from 12 to 18 degrees down"};
inline constexpr Term kNight{"night", "more than 18 degrees down"};
inline constexpr Term kInside{"inside", "the Sun's centre within the interval's altitudes"};
inline constexpr Term kOutside{"outside", "the Sun's centre outside them"};
// Where the place and the clock came from.
inline constexpr Term kGiven{"given", "the command line: --lat and --lon, --tz or --utc-offset"};
inline constexpr Term kNamed{"named", "--place: the city's coordinates, and its zone unless --tz or --utc-offset"};
inline constexpr Term kStored{"stored", "the kept place (helune-cli place set, or the window's own), its zone"};
inline constexpr Term kZoneCity{"zone_city", "the principal city of the clock's zone"};
inline constexpr Term kWindowDefault{"window_default", "the window's default: the zone's meridian on the equator"};
inline constexpr Term kSystem{"system", "the system's zone (TZ, else the configured one)"};
inline constexpr Term kWindowRule{"window_rule", "the window's stored zone and daylight-saving rule"};
}  // namespace terms

std::span<const Term* const> ReasonTerms();
std::span<const Term* const> LightTerms();
std::span<const Term* const> SourceTerms();

}  // namespace helune::cli
