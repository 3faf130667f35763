// SPDX-License-Identifier: MIT
#include "Values.h"

#include <QDateTime>
#include <QFileInfo>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <sstream>
#include <vector>

#include "Degrees.h"

namespace helune::cli {

namespace {

constexpr int kLatestOffsetMinutes = 14 * 60;  // the widest zones in use are UT±14
// No number of degrees needs more characters than this.
constexpr std::size_t kLongestNumber = 32;
constexpr std::size_t kLongestQuoted = 40;
constexpr char kZoneFolder[] = "/usr/share/zoneinfo/";
// Longer than any zone's name, and than any word worth a suggestion.
constexpr std::size_t kLongestZoneName = 64;
constexpr std::size_t kLongestSuggestedWord = 32;
constexpr std::size_t kMostSuggestedZones = 3;


// The unsigned decimal number that text is, whole: digits with at most one
// point ("3.7", "12.", ".5"), read in the C notation whatever the locale.
std::optional<double> DecimalNumber(std::string_view text) {
    if (text.empty() || text.size() > kLongestNumber) return std::nullopt;
    int digits = 0, points = 0;
    for (const char c : text) {
        if (IsAsciiDigit(c))
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

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The hemisphere letter at either end of text, taken off it, or 0. A lower
// case s after a number is the seconds' mark where the text marks degrees or
// minutes with letters ("10d45m30s"), and the South otherwise ("33.9s").
char TakeHemisphere(std::string_view& text) {
    const auto isHemisphere = [](char c) { return std::string_view("NSEWnsew").find(c) != std::string_view::npos; };
    if (!text.empty() && isHemisphere(text.front())) {
        const char letter = AsciiUpper(text.front());
        text = Trimmed(text.substr(1));
        return letter;
    }
    const bool secondsMark = text.find_first_of("dm") != std::string_view::npos;
    if (text.empty() || !isHemisphere(text.back()) || (text.back() == 's' && secondsMark)) return 0;
    const char letter = AsciiUpper(text.back());
    text = Trimmed(text.substr(0, text.size() - 1));
    return letter;
}

// Degrees with an optional sign or a hemisphere letter at either end, in
// decimal or in degrees, minutes and seconds (Degrees.h); the letter that
// makes the value negative is the second of hemispheres ("NS" or "EW").
double ParseDegrees(const std::string& option, const std::string& text, const char* hemispheres, double limit) {
    std::string_view body = Trimmed(text);
    double sign = 1.0;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        sign = body.front() == '-' ? -1.0 : 1.0;
        body.remove_prefix(1);
    } else if (const char letter = TakeHemisphere(body)) {
        if (SexagesimalDegrees(body) && letter != hemispheres[0] && letter != hemispheres[1])
            throw UsageError{option + ": " + Quoted(text) + " has a hemisphere other than " + hemispheres[0] + " or " +
                             hemispheres[1]};
        sign = letter == hemispheres[1] ? -1.0 : 1.0;
    }
    const std::optional<double> magnitude = SexagesimalDegrees(body);
    if (!magnitude) throw UsageError{option + ": " + Quoted(text) + " is not a number of degrees"};
    if (*magnitude > limit)
        throw UsageError{option + ": " + Quoted(text) + " is beyond " + std::to_string(static_cast<int>(limit)) +
                         " degrees"};
    return sign * *magnitude;
}

// The zone of name where it is one of the system's database: a file of the
// database that Qt reads (the cheap test, first), or one Qt lists.
std::optional<QTimeZone> ZoneInDatabase(const std::string& name) {
    const QByteArray id = QByteArray::fromStdString(name);
    const bool plainName = !name.empty() && name.front() != '/' && name.find("..") == std::string::npos;
    if (plainName && QFileInfo(QString::fromStdString(kZoneFolder + name)).isFile()) {
        QTimeZone zone(id);
        if (zone.isValid()) return zone;
    }
    if (QTimeZone::isTimeZoneIdAvailable(id)) return QTimeZone(id);
    return std::nullopt;
}

std::string Upper(std::string text) {
    for (char& c : text) c = AsciiUpper(c);
    return text;
}

// The zones a word that is none may have meant: those whose city it names
// ("Madrid"), else those that go by it as an abbreviation in winter or in
// summer ("PST", "CEST"); at most three.
std::vector<std::string> ZonesMeant(const std::string& word) {
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
    if (meant.size() > kMostSuggestedZones) meant.resize(kMostSuggestedZones);
    return meant;
}

}  // namespace

std::string Quoted(std::string_view text) {
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

std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || !IsAsciiDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    const std::optional<double> magnitude = DecimalNumber(text);
    if (!magnitude) return std::nullopt;
    return negative ? -*magnitude : *magnitude;
}

int ParseWholeNumber(const std::string& name, const std::string& text, int least, int most) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value || *value != std::floor(*value) || *value < least || *value > most)
        throw UsageError{name + ": " + Quoted(text) + " is not a whole number from " + std::to_string(least) + " to " +
                         std::to_string(most)};
    return static_cast<int>(*value);
}

double ParseLatitude(const std::string& option, const std::string& text) {
    return ParseDegrees(option, text, "NS", 90.0);
}

double ParseLongitudeEast(const std::string& option, const std::string& text) {
    return ParseDegrees(option, text, "EW", 180.0);
}

std::pair<double, double> ParseCoordinates(const std::string& option, const std::string& text) {
    const std::string_view whole = Trimmed(text);
    std::size_t split = whole.find(',');
    std::size_t skip = 1;
    if (split == std::string_view::npos) {
        // After the latitude's hemisphere, or between two numbers.
        split = whole.find_first_of("NSns");
        const bool afterLetter = split != std::string_view::npos && split + 1 < whole.size();
        split = afterLetter ? split + 1 : whole.find(' ');
        skip = afterLetter ? 0 : 1;
    }
    if (split == std::string_view::npos || whole.find(',', split + 1) != std::string_view::npos)
        throw UsageError{option + ": " + Quoted(text) + " is not LATITUDE, LONGITUDE (59.9139, 10.7522)"};
    return {ParseLatitude(option, std::string(whole.substr(0, split))),
            ParseLongitudeEast(option, std::string(whole.substr(split + skip)))};
}

// ±HH:MM, the minutes below 60.
int ParseUtcOffset(const std::string& option, const std::string& text) {
    const std::optional<int> hours = DigitsAt(text, 1, 2), minutes = DigitsAt(text, 4, 2);
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':' || !hours || !minutes ||
        *minutes >= 60)
        throw UsageError{option + ": " + Quoted(text) + " is not an offset like +01:00 or -05:30"};
    const int total = *hours * 60 + *minutes;
    if (total > kLatestOffsetMinutes) throw UsageError{option + ": " + Quoted(text) + " is beyond 14 hours"};
    return text[0] == '-' ? -total : total;
}

namespace {

UsageError Beyond(const std::string& name, const std::string& text) {
    return {name + ": " + Quoted(text) + " is beyond the dates answered, " +
            kFirstAnsweredDate.toString(Qt::ISODate).toStdString() + " to " +
            kLastAnsweredDate.toString(Qt::ISODate).toStdString()};
}

}  // namespace

// YYYY-MM-DD of a date of the Gregorian calendar.
QDate ParseDate(const std::string& name, const std::string& text) {
    const std::optional<int> year = DigitsAt(text, 0, 4), month = DigitsAt(text, 5, 2), day = DigitsAt(text, 8, 2);
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && year && month && day;
    const QDate date = shaped ? QDate(*year, *month, *day) : QDate();
    if (!date.isValid()) throw UsageError{name + ": " + Quoted(text) + " is not a date YYYY-MM-DD"};
    if (date < kFirstAnsweredDate || date > kLastAnsweredDate) throw Beyond(name, text);
    return date;
}

QDate ParseDateFrom(const std::string& name, const std::string& text, QDate today) {
    constexpr int kLongestDayCount = 7;  // more days than the dates answered span
    int days = 0;
    if (text == "today" || text == "tomorrow" || text == "yesterday") {
        days = text == "today" ? 0 : text == "tomorrow" ? 1 : -1;
    } else if (!text.empty() && (text[0] == '+' || text[0] == '-') && text.size() > 1 &&
               text.size() <= kLongestDayCount + 1 && DigitsAt(text, 1, text.size() - 1)) {
        days = *DigitsAt(text, 1, text.size() - 1) * (text[0] == '-' ? -1 : 1);
    } else {
        return ParseDate(name, text);
    }
    const QDate date = today.addDays(days);
    if (!date.isValid() || date < kFirstAnsweredDate || date > kLastAnsweredDate) throw Beyond(name, text);
    return date;
}

QTimeZone ParseZone(const std::string& option, const std::string& name) {
    if (name.size() <= kLongestZoneName)
        if (std::optional<QTimeZone> zone = ZoneInDatabase(name)) return *zone;
    std::string message = option + ": " + Quoted(name) + " is not a zone of the system's time-zone database";
    const std::vector<std::string> meant =
        name.size() <= kLongestSuggestedWord ? ZonesMeant(name) : std::vector<std::string>{};
    for (std::size_t i = 0; i < meant.size(); ++i)
        message += (i == 0 ? "; perhaps " : i + 1 == meant.size() ? " or " : ", ") + meant[i];
    throw UsageError{message + (meant.empty() ? " (Europe/Madrid, America/New_York, UTC …)" : "")};
}

std::string OffsetText(int seconds) {
    const int minutes = seconds / 60, a = std::abs(minutes);
    std::ostringstream text;
    text << (minutes < 0 ? '-' : '+') << std::setfill('0') << std::setw(2) << a / 60 << ':' << std::setw(2) << a % 60;
    return text.str();
}

}  // namespace helune::cli
