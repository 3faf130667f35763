// SPDX-License-Identifier: MIT
#include "Records.h"

namespace helune::cli {

namespace {

Word WordOf(const Term& term, const char* prose) { return {term.code, prose}; }

}  // namespace

Field MakeField(const Key& key, Value value, Shown shown) { return {key.key, key.title, std::move(value), shown}; }

const Field* FindField(const Record& record, const std::string& key) {
    for (const Field& field : record) {
        if (field.key == key) return &field;
        if (const auto* group = std::get_if<Group>(&field.value))
            if (const Field* found = FindField(group->fields, key)) return found;
    }
    return nullptr;
}

Word SourceWord(PlaceSource source) {
    switch (source) {
        case PlaceSource::Given: return WordOf(terms::kGiven, "given");
        case PlaceSource::Named: return WordOf(terms::kNamed, "named");
        case PlaceSource::Stored: return WordOf(terms::kStored, "kept");
        case PlaceSource::ZoneCity: return WordOf(terms::kZoneCity, "the principal place of the zone");
        case PlaceSource::WindowDefault: return WordOf(terms::kWindowDefault, "the window's default");
    }
    return {};
}

Word SourceWord(ClockSource source) {
    switch (source) {
        case ClockSource::GivenZone:
        case ClockSource::GivenOffset: return WordOf(terms::kGiven, "given");
        case ClockSource::PlaceZone: return WordOf(terms::kNamed, "the place's zone");
        case ClockSource::StoredZone: return WordOf(terms::kStored, "the kept zone");
        case ClockSource::SystemZone: return WordOf(terms::kSystem, "the system's zone");
        case ClockSource::WindowRule: return WordOf(terms::kWindowRule, "the window's zone and daylight rule");
    }
    return {};
}

}  // namespace helune::cli
