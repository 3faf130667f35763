// SPDX-License-Identifier: MIT
#include "Plots.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Writers.h"

namespace helune::cli {

namespace {

constexpr double kAverageCharacterWidth = 0.56;  // of the font's size
constexpr double kSwatchSide = 16.0;             // at scale 1
constexpr double kSwatchGap = 7.0;
constexpr double kEntryGap = 26.0;
constexpr double kRowHeight = 26.0;

int Characters(const std::string& text) {
    int characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters;
}

double EntryWidth(const LegendEntry& entry, double scale) {
    return (kSwatchSide + kSwatchGap) * scale + TextWidth(entry.label, TextSize::Small, scale);
}

// Walks the entries as rows fill width: each entry's left and its row.
template <class Place>
int FlowEntries(const std::vector<LegendEntry>& entries, double width, double scale, Place place) {
    int row = 0;
    double x = 0.0;
    for (const LegendEntry& entry : entries) {
        const double w = EntryWidth(entry, scale);
        if (x > 0.0 && x + w > width) {
            ++row;
            x = 0.0;
        }
        place(entry, x, row);
        x += w + kEntryGap * scale;
    }
    return entries.empty() ? 0 : row + 1;
}

}  // namespace

std::string HourText(double hour) {
    const long minutes = std::lround(std::clamp(hour, 0.0, 24.0) * 60.0);
    char text[24];
    std::snprintf(text, sizeof text, "%02ld:%02ld", minutes / 60, minutes % 60);
    return text;
}

std::string DayMonthText(QDate date) { return QLocale::c().toString(date, QStringLiteral("d MMMM")).toStdString(); }

std::string ShortDateText(QDate date) { return QLocale::c().toString(date, QStringLiteral("MMM d")).toStdString(); }

std::string PlaceTitle(const Observer& observer) {
    const Place& place = observer.place();
    if (!place.name.empty()) return place.name.substr(0, place.name.find(','));
    return PlaceText(Place{place.latitude, place.longitudeWest, PlaceSource::Given, {}, {}, 0.0});
}

int DateIndex(const std::vector<JulianDay>& starts, JulianDay at) {
    const int i = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
    return i + 1 < static_cast<int>(starts.size()) ? i : -1;
}

double TextWidth(const std::string& text, TextSize size, double scale) {
    return Characters(text) * kAverageCharacterWidth * TextPixels(size, scale);
}

double AddHeading(Scene& scene, const std::string& title, const std::string& subtitle, double margin) {
    const double s = scene.scale;
    scene.shapes.push_back(Text{title, {margin, margin}, Anchor::TopLeft, Ink::Text, TextSize::Title, true});
    const double below = margin + TextPixels(TextSize::Title, s) * 1.3;
    scene.shapes.push_back(Text{subtitle, {margin, below}, Anchor::TopLeft, Ink::Muted, TextSize::Heading});
    return below + TextPixels(TextSize::Heading, s) * 1.5;
}

double AddLegend(Scene& scene, const std::vector<LegendEntry>& entries, QPointF topLeft, double width) {
    const double s = scene.scale;
    const int rows = FlowEntries(entries, width, s, [&](const LegendEntry& entry, double x, int row) {
        const QPointF at = topLeft + QPointF(x, row * kRowHeight * s);
        scene.shapes.push_back(Swatch{entry.ink, QRectF(at, QSizeF(kSwatchSide * s, kSwatchSide * s))});
        scene.shapes.push_back(Text{entry.label, at + QPointF((kSwatchSide + kSwatchGap) * s, kSwatchSide * s / 2),
                                    Anchor::MiddleLeft, Ink::Text, TextSize::Small});
    });
    return rows * kRowHeight * s;
}

double LegendHeight(const std::vector<LegendEntry>& entries, double width, double scale) {
    return FlowEntries(entries, width, scale, [](const LegendEntry&, double, int) {}) * kRowHeight * scale;
}

}  // namespace helune::cli
