// SPDX-License-Identifier: MIT
#include "Observer.h"

#include <QDateTime>
#include <QFileInfo>
#include <cctype>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string_view>

#include "Days.h"
#include "Places.h"

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
            throw UsageError{option + ": " + Quoted(text) + " has a hemisphere other than " + hemispheres[0] + " or " +
                             hemispheres[1]};
        sign = letter == hemispheres[1] ? -1.0 : 1.0;
    }
    const std::optional<double> magnitude = DecimalNumber(number);
    if (!magnitude) throw UsageError{option + ": " + Quoted(text) + " is not a number of degrees"};
    if (*magnitude > limit)
        throw UsageError{option + ": " + Quoted(text) + " is beyond " + std::to_string(static_cast<int>(limit)) +
                         " degrees"};
    return sign * *magnitude;
}

}  // namespace

std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongestQuoted = 40;
    std::size_t cut = text.size();
    if (cut > kLongestQuoted) {
        cut = kLongestQuoted;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    }
    std::string quoted(1, '\'');
    quoted.append(text.substr(0, cut));
    if (cut < text.size()) quoted.append("…");
    quoted.push_back('\'');
    return quoted;
}

std::optional<double> ParseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const std::optional<double> magnitude = DecimalNumber(text);
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

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
        throw UsageError{option + ": " + Quoted(text) + " is not an offset like +01:00 or -05:30"};
    const int total = *hours * 60 + *minutes;
    if (total > kLatestOffsetMinutes) throw UsageError{option + ": " + Quoted(text) + " is beyond 14 hours"};
    return text[0] == '-' ? -total : total;
}

// YYYY-MM-DD of a date of the Gregorian calendar.
QDate ParseDate(const std::string& name, const std::string& text) {
    const std::optional<int> year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && year && month && day;
    const QDate date = shaped ? QDate(*year, *month, *day) : QDate();
    if (!date.isValid()) throw UsageError{name + ": " + Quoted(text) + " is not a date YYYY-MM-DD"};
    if (date < kFirstAnsweredDate || date > kLastAnsweredDate)
        throw UsageError{name + ": " + Quoted(text) + " is beyond the dates answered, " +
                         kFirstAnsweredDate.toString(Qt::ISODate).toStdString() + " to " +
                         kLastAnsweredDate.toString(Qt::ISODate).toStdString()};
    return date;
}

namespace {

constexpr JulianDay kUnixEpoch = 2440587.5;
constexpr char kZoneFolder[] = "/usr/share/zoneinfo/";
// Longer than any zone's name, and than any word worth a suggestion.
constexpr std::size_t kLongestZoneName = 64;
constexpr std::size_t kLongestSuggestedWord = 32;

// Whether name is a zone of the system's database: one Qt lists (the tables'
// zones and UTC), or a file of the database itself (GMT, EST).
bool InZoneDatabase(const std::string& name) {
    const QByteArray id = QByteArray::fromStdString(name);
    if (QTimeZone::isTimeZoneIdAvailable(id)) return true;
    const bool plainName = !name.empty() && name.front() != '/' && name.find("..") == std::string::npos;
    return plainName && QFileInfo(QString::fromStdString(kZoneFolder + name)).isFile() && QTimeZone(id).isValid();
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The zones a word that is none may have meant: those whose city it names
// ("Madrid"), else those that go by it as an abbreviation in winter or in
// summer ("PST", "CEST"); at most three.
std::vector<std::string> ZonesMeant(const std::string& word) {
    constexpr std::size_t kMostSuggested = 3;
    std::vector<std::string> byCity, byAbbreviation;
    const QDateTime winter(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC), summer(QDate(2026, 7, 15), QTime(12, 0), Qt::UTC);
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        const std::string name = id.toStdString();
        if (Upper(name.substr(name.rfind('/') + 1)) == Upper(word)) byCity.push_back(name);
        const QTimeZone zone(id);
        if (zone.abbreviation(winter).toStdString() == word || zone.abbreviation(summer).toStdString() == word)
            byAbbreviation.push_back(name);
    }
    std::vector<std::string>& meant = byCity.empty() ? byAbbreviation : byCity;
    if (meant.size() > kMostSuggested) meant.resize(kMostSuggested);
    return meant;
}

// The zone of --tz: a name of the system's zone database, and nothing else
// (Qt would take any word for a zone at UTC).
QTimeZone KnownZone(const std::string& name) {
    if (name.size() <= kLongestZoneName && InZoneDatabase(name)) return QTimeZone(QByteArray::fromStdString(name));
    std::string message = "--tz: " + Quoted(name) + " is not a zone of the system's time-zone database";
    const std::vector<std::string> meant =
        name.size() <= kLongestSuggestedWord ? ZonesMeant(name) : std::vector<std::string>{};
    for (std::size_t i = 0; i < meant.size(); ++i)
        message += (i == 0 ? "; perhaps " : i + 1 == meant.size() ? " or " : ", ") + meant[i];
    throw UsageError{message + (meant.empty() ? " (Europe/Madrid, America/New_York, UTC …)" : "")};
}
constexpr double kMillisecondsPerDay = 86400000.0;

std::string Degrees(double value, char positive, char negative) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << std::fabs(value) << (value < 0.0 ? negative : positive);
    return text.str();
}

// The window's stored place and zone settings, each number read whichever
// decimal separator wrote it; a stored value that does not convert is said.
StoredSettings StoredPlace(const Surroundings& system, std::vector<std::string>& notes) {
    const StoredSettings stored =
        ReadStoredSettings(LocationSettings{}, UserDecimalSeparator(), system.store, StoredSeparators::Either);
    for (const QString& name : stored.unreadable)
        notes.push_back("the window's stored " + name.toStdString() + " is not a value the window can take; it is left aside");
    return stored;
}

}  // namespace

Observer Observer::FromOptions(const PlaceOptions& options, const Surroundings& system) {
    Observer observer;
    if (options.latitude.empty() != options.longitude.empty())
        throw UsageError{options.latitude.empty() ? "--lon needs --lat" : "--lat needs --lon"};
    if (!options.place.empty() && !options.latitude.empty()) throw UsageError{"--place excludes --lat and --lon"};

    std::optional<ZonePlace> named;
    if (!options.place.empty()) {
        named = PlaceNamed(options.place);
        if (!named)
            throw UsageError{"--place: " + Quoted(options.place) + " is no city of the system's time-zone database"};
    }
    if (!options.timeZone.empty()) {
        observer.timeZone_ = KnownZone(options.timeZone);
    } else if (named) {
        observer.timeZone_ = QTimeZone(QByteArray::fromStdString(named->zone));
    }
    if (!options.utcOffset.empty()) {
        observer.clock_ = Clock::Fixed;
        observer.fixedZone_ = -ParseUtcOffset("--utc-offset", options.utcOffset) / kMinutesPerDegreeOfZone;
    } else if (options.asWindow) {
        observer.clock_ = Clock::Window;
    } else {
        observer.clock_ = Clock::Zone;
        if (!observer.timeZone_) observer.timeZone_ = system.zone();
    }

    observer.systemZone_ = system.timeZone();
    // The store matters to the window's clock and where no place is given.
    const bool placeGiven = named || !options.latitude.empty();
    const StoredSettings stored = placeGiven && !options.asWindow ? StoredSettings{{}, true, {}}
                                                                  : StoredPlace(system, observer.notes_);
    observer.stored_ = stored.missing ? DefaultSettings(observer.systemZone_) : stored.settings;
    if (named) {
        observer.latitude_ = named->latitude;
        observer.longitudeWest_ = -named->longitudeEast;
    } else if (!options.latitude.empty()) {
        observer.latitude_ = ParseLatitude("--lat", options.latitude);
        observer.longitudeWest_ = -ParseLongitudeEast("--lon", options.longitude);
    } else if (!stored.missing || options.asWindow) {
        // The window's place, or its own defaults, as the window would show them.
        observer.latitude_ = observer.stored_.Latitud;
        observer.longitudeWest_ = observer.stored_.Longitud;
        if (stored.missing)
            observer.notes_.push_back("no place given or stored: taking the window's default, " +
                                      Degrees(observer.latitude_, 'N', 'S') + " " +
                                      Degrees(-observer.longitudeWest_, 'E', 'W'));
    } else if (const auto city = observer.timeZone_ ? PlaceOfZone(observer.timeZone_->id().toStdString())
                                                    : std::nullopt) {
        observer.latitude_ = city->latitude;
        observer.longitudeWest_ = -city->longitudeEast;
        observer.notes_.push_back("no place given or stored: taking " + city->city + " (" +
                                  Degrees(city->latitude, 'N', 'S') + " " + Degrees(city->longitudeEast, 'E', 'W') +
                                  "), the principal place of " + city->zone);
    } else {
        observer.latitude_ = observer.stored_.Latitud;
        observer.longitudeWest_ = observer.stored_.Longitud;
        observer.notes_.push_back("no place given or stored, and the zone names none: taking the zone's meridian "
                                  "on the equator");
    }
    return observer;
}

Observer Observer::Fixed(double longitudeWest, double latitude, double zone) {
    Observer observer;
    observer.longitudeWest_ = longitudeWest;
    observer.latitude_ = latitude;
    observer.clock_ = Clock::Fixed;
    observer.fixedZone_ = zone;
    return observer;
}

Observer Observer::InZone(double longitudeWest, double latitude, const QTimeZone& zone) {
    Observer observer;
    observer.longitudeWest_ = longitudeWest;
    observer.latitude_ = latitude;
    observer.clock_ = Clock::Zone;
    observer.timeZone_ = zone;
    return observer;
}

double Observer::ZoneOn(QDate date) const {
    if (clock_ == Clock::Fixed) return fixedZone_;
    if (timeZone_) return -timeZone_->offsetFromUtc(date.startOfDay(*timeZone_)) / 60.0 / kMinutesPerDegreeOfZone;
    return EffectiveZoneOn(stored_, static_cast<DayCount>(date.toJulianDay()), systemZone_);
}

JulianDay Observer::DayStart(QDate date) const {
    if (clock_ == Clock::Zone) return UniversalFromUnixMilliseconds(date.startOfDay(*timeZone_).toMSecsSinceEpoch());
    // The Gregorian calendar throughout, as Qt's dates and times have it.
    return JulianDayOf(static_cast<DayCount>(date.toJulianDay())) + ZoneOn(date) / 360.0;
}

QDateTime Observer::LocalTime(JulianDay universal) const {
    const qint64 ms = UnixMilliseconds(universal);
    if (clock_ == Clock::Zone) return QDateTime::fromMSecsSinceEpoch(ms, *timeZone_);
    if (clock_ == Clock::Fixed)
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, OffsetMinutes(fixedZone_) * 60);
    // The window's: the offset of the date the instant falls on by it.
    QDate date = DateOfJulianDay(universal - ZoneOn(DateOfJulianDay(universal)) / 360.0);
    if (universal < DayStart(date)) date = date.addDays(-1);
    if (universal >= DayStart(date.addDays(1))) date = date.addDays(1);
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, OffsetMinutes(ZoneOn(date)) * 60);
}

JulianDay Observer::UniversalOf(QDate date, QTime time) const {
    if (clock_ == Clock::Zone)
        return UniversalFromUnixMilliseconds(QDateTime(date, time, *timeZone_).toMSecsSinceEpoch());
    return DayStart(date) + time.msecsSinceStartOfDay() / kMillisecondsPerDay;
}

JulianDay ParseInstant(const std::string& option, const std::string& text, const Observer& observer) {
    const auto bad = [&] {
        return UsageError{option + ": " + Quoted(text) +
                          " is not an instant like 2026-06-21T12:00 or 2026-06-21T12:00:00+02:00"};
    };
    if (text.size() < 16 || text[10] != 'T') throw bad();
    const QDate date = [&] {
        try {
            return ParseDate(option, text.substr(0, 10));
        } catch (const UsageError&) {
            throw bad();
        }
    }();
    const std::optional<int> hours = Digits(text, 11, 2), minutes = Digits(text, 14, 2);
    std::size_t at = 16;
    std::optional<int> seconds = 0;
    if (text.size() > at && text[at] == ':') {
        seconds = Digits(text, at + 1, 2);
        at += 3;
    }
    const QTime time = hours && minutes && seconds && text[13] == ':' ? QTime(*hours, *minutes, *seconds) : QTime();
    if (!time.isValid()) throw bad();
    const std::string zone = text.substr(at);
    if (zone.empty()) return observer.UniversalOf(date, time);
    int offset = 0;
    if (zone != "Z") {
        try {
            offset = ParseUtcOffset(option, zone);
        } catch (const UsageError&) {
            throw bad();
        }
    }
    return UniversalFromUnixMilliseconds(QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch()) -
           offset / (24.0 * 60.0);
}

int OffsetMinutes(double zone) { return static_cast<int>(std::lround(-zone * kMinutesPerDegreeOfZone)); }

qint64 UnixMilliseconds(JulianDay universal) {
    return static_cast<qint64>(std::llround((universal - kUnixEpoch) * kMillisecondsPerDay));
}

JulianDay UniversalFromUnixMilliseconds(qint64 milliseconds) {
    return kUnixEpoch + static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

}  // namespace helune::cli
