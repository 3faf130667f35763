// SPDX-License-Identifier: MIT
#include "DayFacts.h"

#include <cmath>

#include "Efemerides.h"
#include "Lenguajes.h"

namespace helune {

namespace {

constexpr QChar kDegreeSign(0x00B0);

QString TwoDigits(int value) { return QString::asprintf("%.2d", value); }

struct PhaseTexts {
    int16_t code;
    const char* prefix;
    const char* name;
};
constexpr PhaseTexts kPhaseTexts[] = {{kLastQuarter, "LQ : ", "last quarter"},
                                      {kFullMoon, "FM : ", "full moon"},
                                      {kFirstQuarter, "FQ : ", "first quarter"},
                                      {kNewMoon, "NM: ", "new moon"}};

const PhaseTexts* TextsOf(int16_t code) {
    for (const PhaseTexts& t : kPhaseTexts)
        if (t.code == code) return &t;
    return nullptr;
}

}  // namespace

QString FormatAngle(int16_t kind, int16_t parts, double value) {
    const double a = std::fabs(value);
    const double degrees = parts >= 2 ? std::floor(a) : std::nearbyint(a);
    const double m = (a - degrees) * 60.0;
    const double minutes = parts >= 3 ? std::floor(m) : std::nearbyint(m);
    const double seconds = std::floor((m - minutes) * 60.0);

    QString text = QString::asprintf("%4d", static_cast<int>(degrees)) + kDegreeSign;
    if (parts == 2) {
        text += TwoDigits(static_cast<int>(minutes)) + "'";
    } else if (parts != 1) {
        text += TwoDigits(static_cast<int>(minutes)) + "'" + TwoDigits(static_cast<int>(seconds)) + "\"";
    }
    if (kind == 1) text += value >= 0.0 ? "W" : "E";
    if (kind == 2) text += value >= 0.0 ? "N" : "S";
    return text;
}

ClockTime ClockOf(double hours) {
    const double h = std::floor(hours);
    const double m = (hours - h) * 60.0;
    const double minutes = std::floor(m);
    const double seconds = std::floor((m - minutes) * 60.0);
    return {static_cast<int>(h), static_cast<int>(minutes), static_cast<int>(seconds)};
}

QString FormatHours(double value) {
    const ClockTime t = ClockOf(value);
    return FormatClock(static_cast<int16_t>(t.hour), static_cast<int16_t>(t.minute), static_cast<int16_t>(t.second));
}

QString FormatDate(int16_t day, int16_t month, int16_t year) {
    const char* name = month >= 1 && month <= 12 ? Meses[month] : "";
    return QString::asprintf("%s %.2d, %.4d", name, day, year);
}

QString FormatClock(int16_t hour, int16_t minute, int16_t second) {
    return QString::asprintf("%.2d:%.2d:%.2d", hour, minute, second);
}

QString DecimalText(double value, QChar decimalSeparator) {
    if (value == 0.0) value = 0.0;  // no minus sign on zero
    QString text = QString::number(value, 'g', 15);
    const qsizetype e = text.indexOf('e');
    if (e >= 0) {
        // 1e+20 and 1e-05 are written 1E20 and 1E-5.
        const int exponent = text.mid(e + 1).toInt();
        text = text.left(e) + "E" + QString::number(exponent);
    }
    return text.replace('.', decimalSeparator);
}

const char* PhasePrefix(int16_t code) {
    const PhaseTexts* t = TextsOf(code);
    return t ? t->prefix : nullptr;
}

const char* PhaseName(int16_t code) {
    const PhaseTexts* t = TextsOf(code);
    return t ? t->name : "";
}

// Each body's three events in one call, which shares their date's work.
DayFacts ComputeDayEvents(int16_t day, int16_t month, int16_t year, double longitud, double latitud,
                          double effectiveZone) {
    const double noon = JulianDayFromDate(day, month, year, 12, 0);
    double sun[3], moon[3];
    CalcEfemerides(kBodySun, kChartEvents, 0, noon, longitud, latitud, effectiveZone, sun);
    CalcEfemerides(kBodyMoon, kChartEvents, 0, noon, longitud, latitud, effectiveZone, moon);
    return {day, month, year, longitud, latitud, effectiveZone, sun[0], sun[1], sun[2], moon[0], moon[1], moon[2], {}};
}

std::vector<PhaseEvent> ShownPhases(const PhaseTable& phases) {
    std::vector<PhaseEvent> shown;
    for (std::size_t i = 0; i < phases.size() && shown.size() < kMaxPhaseLines; ++i) {
        if (i > 0 && phases[i].PhaseCode == phases[i - 1].PhaseCode) continue;
        if (PhasePrefix(phases[i].PhaseCode)) shown.push_back(phases[i]);
    }
    return shown;
}

PhaseTable FindChartPhases(int16_t day, int16_t month, int16_t year, double zone) {
    PhaseTable phases{};
    PhaseTableSearch search(day, month, year, zone);
    while (search.Found() < kPhaseSearches && ShownPhases(phases).size() < kMaxPhaseLines) {
        const auto entry = static_cast<std::size_t>(search.Found());
        phases[entry] = search.Next();
    }
    return phases;
}

QString FooterText(const DayFacts& facts, QChar decimalSeparator) {
    QString zone = DecimalText(-facts.effectiveZone / 15.0, decimalSeparator).left(6);
    return ("Lo:" + FormatAngle(1, 2, facts.longitud) + " La:" + FormatAngle(2, 2, facts.latitud) + " Dif:" + zone)
        .trimmed();
}

}  // namespace helune
