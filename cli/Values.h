// SPDX-License-Identifier: MIT
// The values of the console's command line, read whole and checked: numbers in
// the C notation whatever the locale, degrees, offsets, dates and zone names.
// Each reader names the option or argument in its error.
#pragma once

#include <QDate>
#include <QTimeZone>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace helune::cli {

// A bad option or value: the message names it.
struct UsageError {
    std::string message;
};

// Characters as the C locale classes and cases them, whatever the user's: a
// Turkish locale's dotless i must not change what a word is.
inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A value as an error message quotes it: between quotes, cut to its first 40
// bytes (never inside a character) so that one line stays one line.
std::string Quoted(std::string_view text);

// A decimal number written whole in the C notation whatever the locale:
// optional sign, digits with at most one point, nothing else (no exponent,
// no hexadecimal, no "inf"), at most 32 characters.
std::optional<double> ParseDecimal(std::string_view text);

// The whole number written by count digits at text[at], or nothing.
std::optional<int> DigitsAt(std::string_view text, std::size_t at, std::size_t count);

// A whole number from least to most; name names it in the error.
int ParseWholeNumber(const std::string& name, const std::string& text, int least, int most);

// The dates whose reports the console answers: each date's report reaches a
// lunation before it (the Moon's age) and six weeks after it (the window's
// phase lines), and every time it writes stays within the years 1 to 9999 of
// ISO 8601.
inline const QDate kFirstAnsweredDate{1, 2, 1};
inline const QDate kLastAnsweredDate{9999, 11, 15};

// "40.4", "-3.7", "40.4N", "3.7W", "59°55′N", "59 55 N", "10d45m E": signed
// degrees, North and East positive, or unsigned with a hemisphere letter at
// either end; decimal, or in degrees, minutes and seconds. option names the
// option in errors.
double ParseLatitude(const std::string& option, const std::string& text);
double ParseLongitudeEast(const std::string& option, const std::string& text);

// A place as maps copy it, "59.9139, 10.7522", or "59°55′N 10°45′E": the
// latitude and the longitude (East positive), degrees.
std::pair<double, double> ParseCoordinates(const std::string& option, const std::string& text);

// "+01:00", "-05:30": minutes ahead of universal time, at most 14 hours.
int ParseUtcOffset(const std::string& option, const std::string& text);

// An ISO date, YYYY-MM-DD (the Gregorian calendar, also before 1582), from
// kFirstAnsweredDate to kLastAnsweredDate.
QDate ParseDate(const std::string& name, const std::string& text);

// A date as people say it: YYYY-MM-DD, today, tomorrow, yesterday, or +N and
// -N days from today (the place's today), within the dates answered.
QDate ParseDateFrom(const std::string& name, const std::string& text, QDate today);

// The zone of --tz: a name of the system's zone database, and nothing else
// (Qt would take any word for a zone at UTC); the error suggests the zones a
// word may have meant.
QTimeZone ParseZone(const std::string& option, const std::string& name);

// The hours and minutes ahead of universal time of an offset in seconds: "+01:00".
std::string OffsetText(int seconds);

}  // namespace helune::cli
