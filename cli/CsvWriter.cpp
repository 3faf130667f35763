// SPDX-License-Identifier: MIT
// CSV (RFC 4180): a header, then one row a record. A record's groups open
// into their fields, each a column under its own key; an event or an instant
// is its local time (ISO 8601 without the offset), its offset beside it and,
// for an event, the code of why it does not happen; a band's two intervals
// give each edge so. Lists and the heading are not rows.
#include <cmath>
#include <iomanip>
#include <sstream>

#include "Vocabulary.h"
#include "WriterKinds.h"

namespace helune::cli {

namespace {

constexpr char kCrlf[] = "\r\n";
// More than any rounded quantity holds.
constexpr int kSignificantDigits = 15;

struct Column {
    std::string name, text;
};
using Row = std::vector<Column>;

class CsvRow {
public:
    explicit CsvRow(const Clock& clock) : clock_(clock) {}

    Row Of(const Record& record) {
        row_.clear();
        for (const Field& field : record) Add(field.key, field.value);
        return row_;
    }

private:
    void Add(const std::string& name, const Value& value) {
        std::visit([&](const auto& v) { Cells(name, v); }, value);
    }

    void Cell(const std::string& name, std::string text) { row_.push_back({name, std::move(text)}); }

    void Cells(const std::string& name, bool value) { Cell(name, value ? "true" : "false"); }
    void Cells(const std::string& name, const QDate& date) { Cell(name, date.toString(Qt::ISODate).toStdString()); }
    void Cells(const std::string& name, const UtcOffset& offset) { Cell(name, OffsetText(offset.seconds)); }
    void Cells(const std::string& name, const Quantity& quantity) {
        std::ostringstream text;
        if (!std::isnan(quantity.value)) text << std::setprecision(kSignificantDigits) << MachineNumber(quantity);
        Cell(name, text.str());
    }
    void Cells(const std::string& name, const Word& word) { Cell(name, word.code); }
    void Cells(const std::string& name, const UtcInstant& instant) { Cell(name, UtcIso(instant.universal)); }

    void LocalTime(const std::string& name, std::optional<JulianDay> universal) {
        const QDateTime local = universal ? clock_.LocalTime(*universal) : QDateTime();
        Cell(name, universal ? local.toString("yyyy-MM-ddTHH:mm:ss").toStdString() : "");
        Cell(name + "_" + keys::kUtcOffset.key, universal ? OffsetText(local.offsetFromUtc()) : "");
    }
    void Cells(const std::string& name, const Instant& instant) { LocalTime(name, instant.universal); }

    void Cells(const std::string& name, const Event& event) {
        LocalTime(name, event.universal);
        Cell(name + "_" + keys::kReason.key, event.universal ? "" : event.reason.code);
        if (event.altitude) Cells(name + "_" + keys::kAltitude.key, Quantity{*event.altitude, Unit::Degrees});
        if (event.azimuth) Cells(name + "_" + keys::kAzimuth.key, Quantity{*event.azimuth, Unit::Degrees});
    }

    void Cells(const std::string& name, const MorningAndEvening& band) {
        for (const auto& [part, interval] : {std::pair{keys::kMorning.key, &band.morning}, {keys::kEvening.key, &band.evening}}) {
            Cells(name + "_" + part + "_" + keys::kBegin.key, interval->begin);
            Cells(name + "_" + part + "_" + keys::kEnd.key, interval->end);
        }
    }

    void Cells(const std::string&, const Group& group) {
        for (const Field& field : group.fields) Add(field.key, field.value);
    }
    void Cells(const std::string&, const List&) {}
    void Cells(const std::string&, const PlaceValue&) {}
    void Cells(const std::string&, const ClockValue&) {}

    const Clock& clock_;
    Row row_;
};

class CsvWriter : public Writer {
public:
    CsvWriter(std::ostream& out, const Clock& clock) : out_(out), rows_(clock) {}

    void Add(const Record& record) override {
        const Row row = rows_.Of(record);
        if (!headed_) Line(row, &Column::name);
        headed_ = true;
        Line(row, &Column::text);
    }

    void Finish() override {}

private:
    void Line(const Row& row, std::string Column::*part) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) line += ',';
            line += CsvField(row[i].*part);
        }
        out_ << line << kCrlf;
    }

    std::ostream& out_;
    CsvRow rows_;
    bool headed_ = false;
};

}  // namespace

std::unique_ptr<Writer> MakeCsvWriter(std::ostream& out, const Clock& clock) {
    return std::make_unique<CsvWriter>(out, clock);
}

}  // namespace helune::cli
