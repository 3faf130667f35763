// SPDX-License-Identifier: MIT
// JSON: one document, its schema version, its heading (place, clock …), then
// the record's fields or an array of records, written as each comes.
#include <cmath>
#include <nlohmann/json.hpp>

#include "Vocabulary.h"
#include "WriterKinds.h"

namespace helune::cli {

namespace {

using json = nlohmann::ordered_json;

constexpr int kSchemaVersion = 1;
constexpr int kIndent = 2;

class JsonValues {
public:
    explicit JsonValues(const Clock& clock) : clock_(clock) {}

    json Of(const Value& value) const {
        return std::visit([this](const auto& v) { return Json(v); }, value);
    }

    json Of(const Record& record) const {
        json object = json::object();
        for (const Field& field : record) object[field.key] = Of(field.value);
        return object;
    }

private:
    json Json(bool value) const { return value; }
    json Json(const QDate& date) const { return date.toString(Qt::ISODate).toStdString(); }
    json Json(const UtcOffset& offset) const { return OffsetText(offset.seconds); }
    json Json(const Quantity& quantity) const {
        return std::isnan(quantity.value) ? json(nullptr) : json(MachineNumber(quantity));
    }
    json Json(const Word& word) const { return word.code; }
    json Json(const Instant& instant) const { return LocalIso(instant.universal, clock_); }
    json Json(const UtcInstant& instant) const { return UtcIso(instant.universal); }

    json Json(const Event& event) const {
        json object = {{keys::kTime.key, event.universal ? json(LocalIso(*event.universal, clock_)) : json(nullptr)},
                       {keys::kReason.key, event.universal || event.reason.code.empty() ? json(nullptr)
                                                                                         : json(event.reason.code)}};
        if (event.altitude) object[keys::kAltitude.key] = Json(Quantity{*event.altitude, Unit::Degrees});
        if (event.azimuth) object[keys::kAzimuth.key] = Json(Quantity{*event.azimuth, Unit::Degrees});
        return object;
    }

    json Json(const Interval& interval) const {
        return {{keys::kBegin.key, Json(interval.begin)}, {keys::kEnd.key, Json(interval.end)}};
    }

    json Json(const MorningAndEvening& band) const {
        return {{keys::kMorning.key, Json(band.morning)}, {keys::kEvening.key, Json(band.evening)}};
    }

    json Json(const PlaceValue& value) const {
        const Place& place = value.place;
        json object = {{"latitude", Json(Quantity{place.latitude, Unit::Degrees})},
                       {"longitude", Json(Quantity{-place.longitudeWest, Unit::Degrees})},
                       {"elevation", Json(Quantity{place.height, Unit::Metres})},
                       {"source", SourceWord(place.source).code}};
        if (!place.name.empty()) object["name"] = place.name;
        return object;
    }

    json Json(const ClockValue& value) const {
        const Clock& clock = value.clock;
        const bool fixed = clock.kind() == Clock::Kind::Fixed;
        return {{"zone", clock.zone() ? json(clock.zone()->id().toStdString()) : json(nullptr)},
                {"utc_offset", fixed ? json(OffsetText(OffsetMinutes(clock.ZoneOn({})) * 60)) : json(nullptr)},
                {"window", clock.kind() == Clock::Kind::Window},
                {"source", SourceWord(clock.source()).code}};
    }

    json Json(const Group& group) const { return Of(group.fields); }

    json Json(const List& list) const {
        json array = json::array();
        for (const Record& item : list.items) array.push_back(Of(item));
        return array;
    }

    const Clock& clock_;
};

// text indented by spaces after each line break, as an element of an array in
// a whole document's dump would be.
std::string Indented(const std::string& text, const std::string& spaces) {
    std::string indented = spaces;
    for (const char c : text) {
        indented += c;
        if (c == '\n') indented += spaces;
    }
    return indented;
}

class JsonWriter : public Writer {
public:
    JsonWriter(std::ostream& out, const Document& document, const Clock& clock)
        : out_(out), values_(clock), listKey_(document.listKey) {
        head_ = {{keys::kSchema.key, kSchemaVersion}};
        head_.update(values_.Of(document.heading));
    }

    void Add(const Record& record) override {
        if (listKey_.empty()) return head_.update(values_.Of(record));
        if (rows_++ == 0) {
            // The heading whole but its closing brace, then the array's opening.
            const std::string head = head_.dump(kIndent);
            out_ << head.substr(0, head.rfind('\n')) << ",\n" << Indented("\"" + listKey_ + "\": [", "  ") << "\n";
        } else {
            out_ << ",\n";
        }
        out_ << Indented(values_.Of(record).dump(kIndent), "    ");
    }

    void Finish() override {
        if (listKey_.empty()) {
            out_ << head_.dump(kIndent) << "\n";
        } else if (rows_ == 0) {
            head_[listKey_] = json::array();
            out_ << head_.dump(kIndent) << "\n";
        } else {
            out_ << "\n  ]\n}\n";
        }
    }

private:
    std::ostream& out_;
    JsonValues values_;
    std::string listKey_;
    json head_;
    long rows_ = 0;
};

}  // namespace

std::unique_ptr<Writer> MakeJsonWriter(std::ostream& out, const Document& document, const Clock& clock) {
    return std::make_unique<JsonWriter>(out, document, clock);
}

}  // namespace helune::cli
