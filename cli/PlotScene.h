// SPDX-License-Identifier: MIT
// A picture as shapes in the order they are painted, each with the ink it is
// painted in (the theme gives the colour): what the plots compute, apart from
// the painter that draws it, so that its geometry is tested without pixels.
// Coordinates in the picture's units (pixels of a PNG, points of a PDF page),
// x to the right and y down.
#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <algorithm>
#include <string>
#include <variant>
#include <vector>

namespace helune::cli {

// What a shape is painted with; the painter's theme says how.
enum class Ink {
    // The daylight chart's levels, darkest first, then the asked bands over them.
    Night, AstronomicalTwilight, NauticalTwilight, CivilTwilight, Daylight, GoldenHour, BlueHour, OtherBand,
    // Lines and marks.
    Grid, Frame, Sunrise, SolarNoon, Sunset, Moonrise, Moonset, Season,
    // The Moon's calendar.
    Cell, MoonDark, MoonLit, Phase,
    // Texts.
    Text, Muted,
};

// The daylight bands' inks by the Sun's level: 0 night … 4 daylight.
inline constexpr Ink kLightInks[] = {Ink::Night, Ink::AstronomicalTwilight, Ink::NauticalTwilight,
                                     Ink::CivilTwilight, Ink::Daylight};

// Rectangles filled as one region (no seams between neighbours).
struct Fill {
    Ink ink;
    std::vector<QRectF> rects;
};
// A closed outline, filled.
struct Outline {
    Ink ink;
    std::vector<QPointF> points;
};
// A line through points, stroked.
struct Polyline {
    Ink ink;
    std::vector<QPointF> points;
};
// Separate straight lines, stroked.
struct Segments {
    Ink ink;
    std::vector<QLineF> lines;
};
// Round marks of one radius at points.
struct Dots {
    Ink ink;
    std::vector<QPointF> centres;
    double radius;
};
// A filled disc.
struct Disc {
    Ink ink;
    QPointF centre;
    double radius;
};
// A swatch of a legend: a small square of an ink (or a stroke of a line's).
struct Swatch {
    Ink ink;
    QRectF rect;
};

// Text sizes, and the font's size in the picture's units for each.
enum class TextSize { Title, Heading, Label, Small };
inline double TextPixels(TextSize size, double scale) {
    constexpr double kPixels[] = {34.0, 21.0, 17.0, 14.0};
    return kPixels[static_cast<int>(size)] * scale;
}
// A line of text placed by a point of its box: horizontally its left, centre
// or right; vertically its top, middle or baseline.
enum class Anchor { TopLeft, TopCentre, TopRight, MiddleLeft, MiddleCentre, MiddleRight, BaseLeft, BaseCentre };
struct Text {
    std::string text;
    QPointF at;
    Anchor anchor;
    Ink ink = Ink::Text;
    TextSize size = TextSize::Label;
    bool bold = false;
};

using Shape = std::variant<Fill, Outline, Polyline, Segments, Dots, Disc, Swatch, Text>;

struct Scene {
    QSizeF size;
    double scale;        // text sizes and strokes grow with it: 1 for a 1600 × 1000 picture
    std::string title;   // the picture's text alternative: its title
    std::string summary; // and what it shows, in sentences
    std::vector<Shape> shapes;
};

// The shapes of a kind and an ink, in order.
template <class Kind>
std::vector<const Kind*> ShapesOf(const Scene& scene, Ink ink) {
    std::vector<const Kind*> found;
    for (const Shape& shape : scene.shapes)
        if (const Kind* kind = std::get_if<Kind>(&shape); kind && kind->ink == ink) found.push_back(kind);
    return found;
}

// The scale of a picture of a size: its width's part of 1600 or its height's
// of 1000, whichever is smaller.
inline double SceneScale(QSizeF size) { return std::min(size.width() / 1600.0, size.height() / 1000.0); }

}  // namespace helune::cli
