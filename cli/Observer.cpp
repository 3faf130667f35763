#include "Observer.h"

#include <QDateTime>
#include <cmath>
#include <regex>

namespace helune::cli {

namespace {

constexpr double kMinutesPerDegreeOfZone = 4.0;
constexpr int kLatestOffsetMinutes = 14 * 60;  // the widest zones in use are UT±14

// Degrees with an optional sign or a trailing hemisphere letter; the letter
// that makes the value negative is the second of hemispheres ("NS" or "EW").
double ParseDegrees(const std::string& option, const std::string& text, const char* hemispheres, double limit) {
    static const std::regex kSigned(R"([+-]?(\d+(\.\d*)?|\.\d+))");
    static const std::regex kLettered(R"((\d+(\.\d*)?|\.\d+)([A-Za-z]))");
    std::smatch match;
    double value = 0.0;
    if (std::regex_match(text, kSigned)) {
        value = std::stod(text);
    } else if (std::regex_match(text, match, kLettered)) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(match[3].str()[0])));
        if (letter != hemispheres[0] && letter != hemispheres[1])
            throw UsageError{option + ": '" + text + "' has a hemisphere other than " + hemispheres[0] + " or " +
                             hemispheres[1]};
        value = std::stod(match[1].str()) * (letter == hemispheres[1] ? -1.0 : 1.0);
    } else {
        throw UsageError{option + ": '" + text + "' is not a number of degrees"};
    }
    if (std::fabs(value) > limit)
        throw UsageError{option + ": '" + text + "' is beyond " + std::to_string(static_cast<int>(limit)) + " degrees"};
    return value;
}

}  // namespace

double ParseLatitude(const std::string& option, const std::string& text) {
    return ParseDegrees(option, text, "NS", 90.0);
}

double ParseLongitudeEast(const std::string& option, const std::string& text) {
    return ParseDegrees(option, text, "EW", 180.0);
}

int ParseUtcOffset(const std::string& option, const std::string& text) {
    static const std::regex kOffset(R"(([+-])(\d\d):([0-5]\d))");
    std::smatch match;
    if (!std::regex_match(text, match, kOffset))
        throw UsageError{option + ": '" + text + "' is not an offset like +01:00 or -05:30"};
    const int minutes = std::stoi(match[2].str()) * 60 + std::stoi(match[3].str());
    if (minutes > kLatestOffsetMinutes)
        throw UsageError{option + ": '" + text + "' is beyond 14 hours"};
    return match[1].str() == "-" ? -minutes : minutes;
}

QDate ParseDate(const std::string& name, const std::string& text) {
    static const std::regex kIsoDate(R"(\d{4}-\d\d-\d\d)");
    const QDate date = QDate::fromString(QString::fromStdString(text), Qt::ISODate);
    if (!std::regex_match(text, kIsoDate) || !date.isValid())
        throw UsageError{name + ": '" + text + "' is not a date YYYY-MM-DD"};
    return date;
}

Observer Observer::FromOptions(const PlaceOptions& options) {
    Observer observer;
    observer.systemZone_ = GetTimeZoneInformation();
    const StoredSettings stored = ReadStoredSettings(LocationSettings{}, UserDecimalSeparator());
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
