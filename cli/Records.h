// SPDX-License-Identifier: MIT
// What the console's commands answer, as typed records that each format lays
// out its own way: a record is a list of fields, each with a key (JSON and CSV
// name), a title (the text's label) and a value that says what it is (an
// instant, an event or why it does not happen, a quantity with its unit, a
// state code with its prose …), never how it is written.
#pragma once

#include <QDate>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Calendar.h"
#include "Observer.h"
#include "Vocabulary.h"

namespace helune::cli {

// A stable word for scripts and its prose for people: "polar_day" and "polar day".
struct Word {
    std::string code;
    std::string prose;
};

// An instant that happens.
struct Instant {
    JulianDay universal;
};

// An instant written in universal time, whatever the clock.
struct UtcInstant {
    JulianDay universal;
};

// An event at an instant, or why it does not happen (reason); with the body's
// altitude (a transit's) or azimuth (a rising's or setting's) where asked.
struct Event {
    std::optional<JulianDay> universal;
    Word reason;
    std::optional<double> altitude, azimuth;
};

// The span between two events, each of which may fail to happen.
struct Interval {
    Event begin, end;
};

// A band of the Sun's altitude as it is crossed in the morning and in the evening.
struct MorningAndEvening {
    Interval morning, evening;
};

// A quantity with its unit, written as its unit asks (NaN: unknown).
enum class Unit { Degrees, Hours, MinutesChange, Fraction, Days, Kilometres, Metres };
struct Quantity {
    double value;
    Unit unit;
};

// The offset from universal time in force, in seconds; for a date, at its
// start, and whether the clocks change during it.
struct UtcOffset {
    int seconds;
    bool changes = false;
};

// The observer's place and clock, with their sources.
struct PlaceValue {
    Place place;
};
struct ClockValue {
    Clock clock;
};

struct Field;
// Fields under one heading: a section of text, an object of JSON.
struct Group {
    std::vector<Field> fields;
};
// Records in order: lines of text, an array of JSON.
struct List {
    std::vector<std::vector<Field>> items;
};

using Value = std::variant<bool, QDate, UtcOffset, Quantity, Word, Instant, UtcInstant, Event, MorningAndEvening,
                           PlaceValue, ClockValue, Group, List>;

// Where a field is written: everywhere, or only in the formats for programs
// (a universal time beside the local one, which text does not repeat).
enum class Shown { Everywhere, MachinesOnly };

struct Field {
    std::string key;    // JSON and CSV name
    std::string title;  // text label
    Value value;
    Shown shown = Shown::Everywhere;
    std::string note = {};  // said after the value in text: "apparent, with refraction"
};

using Record = std::vector<Field>;

// A field of a key of the vocabulary.
Field MakeField(const Key& key, Value value, Shown shown = Shown::Everywhere);

// The field of record under key, at any depth, or nothing.
const Field* FindField(const Record& record, const std::string& key);

// The code and prose of where a place and a clock came from.
Word SourceWord(PlaceSource source);
Word SourceWord(ClockSource source);

}  // namespace helune::cli
