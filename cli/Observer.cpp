#include "Observer.h"

#include <QDateTime>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace helune::cli {

namespace {

constexpr double kMinutesPerDegreeOfZone = 4.0;
constexpr int kLatestOffsetMinutes = 14 * 60;  // the widest zones in use are UT±14
// No number of degrees needs more characters than this.
constexpr std::size_t kLongestNumber = 32;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The unsigned decimal number that text is, whole: digits with at most one
// point ("3.7", "12.", ".5"), read in the C notation whatever the locale.
std::optional<double> DecimalNumber(std::string_view text) {
    if (text.empty() || text.size() > kLongestNumber) return std::nullopt;
    int digits = 0, points = 0;
    for (const char c : text) {
        if (IsDigit(c))
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// Whole digits at [at, at + count) of text, or nothing.
std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Degrees with an optional sign or a trailing hemisphere letter; the letter
// that makes the value negative is the second of hemispheres ("NS" or "EW").
double ParseDegrees(const std::string& option, const std::string& text, const char* hemispheres, double limit) {
    std::string_view number = text;
    double sign = 1.0;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        sign = number.front() == '-' ? -1.0 : 1.0;
        number.remove_prefix(1);
    } else if (!number.empty() && std::isalpha(static_cast<unsigned char>(number.back()))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(number.back())));
        number.remove_suffix(1);
        if (DecimalNumber(number) && letter != hemispheres[0] && letter != hemispheres[1])
            throw UsageError{option + ": '" + text + "' has a hemisphere other than " + hemispheres[0] + " or " +
                             hemispheres[1]};
        sign = letter == hemispheres[1] ? -1.0 : 1.0;
    }
    const std::optional<double> magnitude = DecimalNumber(number);
    if (!magnitude) throw UsageError{option + ": '" + text + "' is not a number of degrees"};
    if (*magnitude > limit)
        throw UsageError{option + ": '" + text + "' is beyond " + std::to_string(static_cast<int>(limit)) + " degrees"};
    return sign * *magnitude;
}

}  // namespace

double ParseLatitude(const std::string& option, const std::string& text) {
    return ParseDegrees(option, text, "NS", 90.0);
}

double ParseLongitudeEast(const std::string& option, const std::string& text) {
    return ParseDegrees(option, text, "EW", 180.0);
}

// ±HH:MM, the minutes below 60.
int ParseUtcOffset(const std::string& option, const std::string& text) {
    const std::optional<int> hours = Digits(text, 1, 2), minutes = Digits(text, 4, 2);
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' || !hours || !minutes ||
        *minutes >= 60)
        throw UsageError{option + ": '" + text + "' is not an offset like +01:00 or -05:30"};
    const int total = *hours * 60 + *minutes;
    if (total > kLatestOffsetMinutes) throw UsageError{option + ": '" + text + "' is beyond 14 hours"};
    return text[0] == '-' ? -total : total;
}

// YYYY-MM-DD of a date of the Gregorian calendar.
QDate ParseDate(const std::string& name, const std::string& text) {
    const std::optional<int> year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && year && month && day;
    const QDate date = shaped ? QDate(*year, *month, *day) : QDate();
    if (!date.isValid()) throw UsageError{name + ": '" + text + "' is not a date YYYY-MM-DD"};
    return date;
}

Observer Observer::FromOptions(const PlaceOptions& options, const Surroundings& system) {
    Observer observer;
    observer.systemZone_ = system.timeZone();
    const StoredSettings stored = ReadStoredSettings(LocationSettings{}, UserDecimalSeparator(), system.store);
    observer.stored_ = stored.missing ? DefaultSettings(observer.systemZone_) : stored.settings;
    observer.longitudeWest_ = options.longitude.empty() ? observer.stored_.Longitud
                                                        : -ParseLongitudeEast("--lon", options.longitude);
    observer.latitude_ = options.latitude.empty() ? observer.stored_.Latitud : ParseLatitude("--lat", options.latitude);
    if (!options.timeZone.empty()) {
        const QTimeZone zone(QByteArray::fromStdString(options.timeZone));
        if (!zone.isValid()) throw UsageError{"--tz: '" + options.timeZone + "' is not a known time zone"};
        observer.timeZone_ = zone;
    }
    if (!options.utcOffset.empty())
        observer.fixedZone_ = -ParseUtcOffset("--utc-offset", options.utcOffset) / kMinutesPerDegreeOfZone;
    return observer;
}

Observer Observer::Fixed(double longitudeWest, double latitude, double zone) {
    Observer observer;
    observer.longitudeWest_ = longitudeWest;
    observer.latitude_ = latitude;
    observer.fixedZone_ = zone;
    return observer;
}

double Observer::ZoneOn(QDate date) const {
    if (fixedZone_) return *fixedZone_;
    if (timeZone_) {
        const QDateTime midnight(date, QTime(0, 0), *timeZone_);
        return -midnight.offsetFromUtc() / 60.0 / kMinutesPerDegreeOfZone;
    }
    return EffectiveZoneOn(stored_, static_cast<DayCount>(date.toJulianDay()), systemZone_);
}

int OffsetMinutes(double zone) { return static_cast<int>(std::lround(-zone * kMinutesPerDegreeOfZone)); }

}  // namespace helune::cli
