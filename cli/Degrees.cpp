// SPDX-License-Identifier: MIT
#include "Degrees.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace helune::cli {

namespace {

constexpr std::size_t kLongestAngle = 48;
constexpr double kSixty = 60.0;

enum class Unit { Next, Degrees, Minutes, Seconds };

struct Marker {
    std::string_view text;
    Unit unit;
};
// Longest first, so that '' reads as seconds before ' as minutes.
constexpr Marker kMarkers[] = {{"''", Unit::Seconds}, {"\u00B0", Unit::Degrees}, {"\u00BA", Unit::Degrees},
                               {"\u2032", Unit::Minutes}, {"\u2033", Unit::Seconds}, {"d", Unit::Degrees},
                               {"'", Unit::Minutes},      {"m", Unit::Minutes},       {"\"", Unit::Seconds},
                               {"s", Unit::Seconds},      {":", Unit::Next}};

struct Part {
    std::string_view number;
    Unit unit;
};

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }

// The numbers of text, each with the unit its marker gives (Next: none).
std::optional<std::vector<Part>> PartsOf(std::string_view text) {
    std::vector<Part> parts;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t begin = at;
        while (at < text.size() && IsNumberChar(text[at])) ++at;
        if (at == begin) return std::nullopt;
        Part part{text.substr(begin, at - begin), Unit::Next};
        while (at < text.size() && text[at] == ' ') ++at;
        for (const Marker& marker : kMarkers)
            if (text.substr(at, marker.text.size()) == marker.text) {
                part.unit = marker.unit;
                at += marker.text.size();
                break;
            }
        parts.push_back(part);
    }
    return parts;
}

std::optional<double> NumberOf(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> SexagesimalDegrees(std::string_view text) {
    if (text.size() > kLongestAngle) return std::nullopt;
    const std::optional<std::vector<Part>> parts = PartsOf(text);
    if (!parts || parts->empty() || parts->size() > 3) return std::nullopt;
    double degrees = 0.0;
    Unit last = Unit::Next;  // below Degrees
    for (std::size_t i = 0; i < parts->size(); ++i) {
        const Part& part = (*parts)[i];
        // A number without a marker, or with a colon, takes the unit after the last.
        const Unit unit = part.unit == Unit::Next ? static_cast<Unit>(static_cast<int>(last) + 1) : part.unit;
        const bool fraction = part.number.find('.') != std::string_view::npos;
        const std::optional<double> value = NumberOf(part.number);
        if (unit <= last || unit > Unit::Seconds || (i == 0 && unit != Unit::Degrees) || !value ||
            (fraction && i + 1 < parts->size()) || (unit != Unit::Degrees && *value >= kSixty))
            return std::nullopt;
        const double scale = unit == Unit::Degrees ? 1.0 : unit == Unit::Minutes ? kSixty : kSixty * kSixty;
        degrees += *value / scale;
        last = unit;
    }
    return degrees;
}

}  // namespace helune::cli
