// SPDX-License-Identifier: MIT
#include "PlotPainting.h"

#include <QBuffer>
#include <QImage>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace helune::cli {

namespace {

// PDF pages are painted at twice their points, so that the texts' whole
// pixel sizes are half points.
constexpr int kPdfResolution = 144;
constexpr int kPointsPerInch = 72;
// zlib's third level of effort: a tenth larger than its best, in a third of the work.
constexpr int kPngQuality = 70;

struct Palette {
    QColor background;
    QColor inks[static_cast<int>(Ink::Muted) + 1];
};

Palette LightPalette() {
    Palette p{QColor(0xffffff), {}};
    const auto set = [&](Ink ink, QColor colour) { p.inks[static_cast<int>(ink)] = colour; };
    set(Ink::Night, QColor(0x1b2440));
    set(Ink::AstronomicalTwilight, QColor(0x33467a));
    set(Ink::NauticalTwilight, QColor(0x5673ad));
    set(Ink::CivilTwilight, QColor(0x97b3de));
    set(Ink::Daylight, QColor(0xfcf1c2));
    set(Ink::GoldenHour, QColor(255, 166, 38, 150));
    set(Ink::BlueHour, QColor(40, 110, 255, 130));
    set(Ink::OtherBand, QColor(200, 80, 210, 130));
    set(Ink::Grid, QColor(120, 120, 120, 70));
    set(Ink::Frame, QColor(0x4a4a4a));
    set(Ink::Sunrise, QColor(0xd9480f));
    set(Ink::Sunset, QColor(0xd9480f));
    set(Ink::SolarNoon, QColor(0xb08600));
    set(Ink::Moonrise, QColor(0x7b2cbf));
    set(Ink::Moonset, QColor(0x0b8a74));
    set(Ink::Season, QColor(0x505050));
    set(Ink::Cell, QColor(0xc9c9c9));
    set(Ink::MoonDark, QColor(0x343a4a));
    set(Ink::MoonLit, QColor(0xf6f0d6));
    set(Ink::Phase, QColor(0xb34700));
    set(Ink::Text, QColor(0x1a1a1a));
    set(Ink::Muted, QColor(0x5a5a5a));
    return p;
}

Palette DarkPalette() {
    Palette p = LightPalette();
    p.background = QColor(0x14161b);
    const auto set = [&](Ink ink, QColor colour) { p.inks[static_cast<int>(ink)] = colour; };
    set(Ink::Night, QColor(0x0b0f1c));
    set(Ink::AstronomicalTwilight, QColor(0x1c2747));
    set(Ink::NauticalTwilight, QColor(0x304777));
    set(Ink::CivilTwilight, QColor(0x5b78aa));
    set(Ink::Daylight, QColor(0xc9b977));
    set(Ink::Grid, QColor(200, 200, 200, 60));
    set(Ink::Frame, QColor(0x9a9a9a));
    set(Ink::Sunrise, QColor(0xff7a3d));
    set(Ink::Sunset, QColor(0xff7a3d));
    set(Ink::SolarNoon, QColor(0xffd24d));
    set(Ink::Moonrise, QColor(0xc792ff));
    set(Ink::Moonset, QColor(0x3fe0c0));
    set(Ink::Season, QColor(0xb8b8b8));
    set(Ink::Cell, QColor(0x3b3f48));
    set(Ink::MoonDark, QColor(0x2a2f3b));
    set(Ink::Phase, QColor(0xff9a4d));
    set(Ink::Text, QColor(0xececec));
    set(Ink::Muted, QColor(0xa6aab2));
    return p;
}

const Palette& PaletteOf(Theme theme) {
    static const Palette light = LightPalette(), dark = DarkPalette();
    return theme == Theme::Dark ? dark : light;
}

// How an ink's lines are stroked: width at scale 1 and style; 0 for inks that fill.
struct Stroke {
    double width;
    Qt::PenStyle style = Qt::SolidLine;
};
Stroke StrokeOf(Ink ink) {
    switch (ink) {
        case Ink::Grid: return {0.8};
        case Ink::Frame:
        case Ink::Cell: return {1.2};
        case Ink::Sunrise:
        case Ink::Sunset: return {2.6};
        case Ink::SolarNoon: return {2.0};
        case Ink::Season: return {1.4, Qt::DashLine};
        default: return {0.0};
    }
}

bool IsDot(Ink ink) { return ink == Ink::Moonrise || ink == Ink::Moonset; }

class Painter {
public:
    Painter(QPainter& painter, const Scene& scene, Theme theme)
        : p_(painter), scene_(scene), palette_(PaletteOf(theme)),
          raster_(painter.device()->devType() == QInternal::Image) {}

    void Paint() {
        p_.setRenderHint(QPainter::Antialiasing);
        p_.fillRect(QRectF(QPointF(0, 0), scene_.size), palette_.background);
        for (const Shape& shape : scene_.shapes) std::visit([this](const auto& s) { Draw(s); }, shape);
    }

private:
    QColor Colour(Ink ink) const { return palette_.inks[static_cast<int>(ink)]; }

    QPen PenOf(Ink ink) const {
        const Stroke stroke = StrokeOf(ink);
        QPen pen(Colour(ink), stroke.width * scene_.scale, stroke.style, Qt::RoundCap, Qt::RoundJoin);
        return pen;
    }

    // On pixels, each rectangle alone and without smoothing: neighbours then
    // share their border pixels exactly, and filling is quick. Elsewhere one
    // path of them all, which viewers fill without seams.
    void Draw(const Fill& fill) {
        if (raster_) {
            p_.setRenderHint(QPainter::Antialiasing, false);
            for (const QRectF& rect : fill.rects) p_.fillRect(rect, Colour(fill.ink));
            p_.setRenderHint(QPainter::Antialiasing, true);
            return;
        }
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const QRectF& rect : fill.rects) path.addRect(rect);
        p_.fillPath(path, Colour(fill.ink));
    }

    void Draw(const Outline& outline) {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(outline.points.begin(), outline.points.end())));
        path.closeSubpath();
        p_.fillPath(path, Colour(outline.ink));
    }

    void Draw(const Polyline& line) {
        p_.setPen(PenOf(line.ink));
        p_.drawPolyline(line.points.data(), static_cast<int>(line.points.size()));
    }

    // The scenes' straight lines run along the axes: on pixels they are
    // sharpest, and quickest, unsmoothed.
    void Draw(const Segments& segments) {
        p_.setPen(PenOf(segments.ink));
        p_.setRenderHint(QPainter::Antialiasing, !raster_);
        p_.drawLines(segments.lines.data(), static_cast<int>(segments.lines.size()));
        p_.setRenderHint(QPainter::Antialiasing, true);
    }

    void Draw(const Dots& dots) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(Colour(dots.ink));
        for (const QPointF& centre : dots.centres) p_.drawEllipse(centre, dots.radius, dots.radius);
        p_.setBrush(Qt::NoBrush);
    }

    void Draw(const Disc& disc) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(Colour(disc.ink));
        p_.drawEllipse(disc.centre, disc.radius, disc.radius);
        p_.setBrush(Qt::NoBrush);
    }

    // A fill's square, a line's stroke or a dot, as the ink is drawn in the picture.
    void Draw(const Swatch& swatch) {
        const QRectF& r = swatch.rect;
        if (IsDot(swatch.ink)) return Draw(Dots{swatch.ink, {r.center()}, r.height() / 4});
        if (StrokeOf(swatch.ink).width > 0.0)
            return Draw(Segments{swatch.ink, {QLineF(r.left(), r.center().y(), r.right(), r.center().y())}});
        p_.fillRect(r, Colour(swatch.ink));
        p_.setPen(QPen(Colour(Ink::Frame), 0.6 * scene_.scale));
        p_.drawRect(r);
    }

    void Draw(const Text& text) {
        QFont font(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(TextPixels(text.size, scene_.scale)))));
        font.setBold(text.bold);
        p_.setFont(font);
        p_.setPen(Colour(text.ink));
        const QFontMetricsF metrics(font, p_.device());
        const QString line = QString::fromStdString(text.text);
        const double width = metrics.horizontalAdvance(line);
        double x = text.at.x(), y = text.at.y();
        switch (text.anchor) {
            case Anchor::TopCentre:
            case Anchor::MiddleCentre:
            case Anchor::BaseCentre: x -= width / 2; break;
            case Anchor::TopRight:
            case Anchor::MiddleRight: x -= width; break;
            default: break;
        }
        switch (text.anchor) {
            case Anchor::TopLeft:
            case Anchor::TopCentre:
            case Anchor::TopRight: y += metrics.ascent(); break;
            case Anchor::MiddleLeft:
            case Anchor::MiddleCentre:
            case Anchor::MiddleRight: y += (metrics.ascent() - metrics.descent()) / 2; break;
            default: break;
        }
        p_.drawText(QPointF(x, y), line);
    }

    QPainter& p_;
    const Scene& scene_;
    const Palette& palette_;
    bool raster_;
};

QString Qs(const std::string& text) { return QString::fromStdString(text); }

// XMP with the title and the summary as Dublin Core's, and nothing that
// changes from one writing to the next.
QByteArray XmpOf(const Scene& scene) {
    const auto escaped = [](const std::string& text) { return Qs(text).toHtmlEscaped().toUtf8(); };
    return "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
           "<x:xmpmeta xmlns:x='adobe:ns:meta/'>\n"
           "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>\n"
           "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>\n"
           "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>" + escaped(scene.title) +
           "</rdf:li></rdf:Alt></dc:title>\n"
           "<dc:description><rdf:Alt><rdf:li xml:lang='x-default'>" + escaped(scene.summary) +
           "</rdf:li></rdf:Alt></dc:description>\n"
           "</rdf:Description>\n</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end='w'?>";
}

// The PDF's creation date is the one thing that would differ between two
// writings of the same scene: it is blanked, its length kept so that the
// cross-reference table's offsets stay true (the entry is optional).
void BlankCreationDate(QByteArray& pdf) {
    const QByteArray key = "/CreationDate (";
    const qsizetype from = pdf.indexOf(key);
    if (from < 0) return;
    const qsizetype to = pdf.indexOf(')', from);
    if (to < 0) return;
    for (qsizetype i = from; i <= to; ++i) pdf[i] = ' ';
}

}  // namespace

void PaintScene(QPainter& painter, const Scene& scene, Theme theme) { Painter(painter, scene, theme).Paint(); }

QByteArray SceneSvg(const Scene& scene, Theme theme) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(scene.size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), scene.size));
    svg.setTitle(Qs(scene.title));
    svg.setDescription(Qs(scene.summary));
    QPainter painter(&svg);
    PaintScene(painter, scene, theme);
    painter.end();
    return bytes;
}

QByteArray ScenePng(const Scene& scene, Theme theme) {
    QImage image(scene.size.toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintScene(painter, scene, theme);
    painter.end();
    image.setText(QStringLiteral("Title"), Qs(scene.title));
    image.setText(QStringLiteral("Description"), Qs(scene.summary));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", kPngQuality);
    return bytes;
}

QSizeF PdfPageSize(const QPageSize& paper) {
    const QSizeF points = paper.size(QPageSize::Point).transposed();
    return points * (static_cast<double>(kPdfResolution) / kPointsPerInch);
}

QByteArray ScenePdf(const Scene& scene, Theme theme, const QPageSize& paper) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfResolution);
        pdf.setPageLayout(QPageLayout(paper, QPageLayout::Landscape, QMarginsF()));
        pdf.setTitle(Qs(scene.title));
        pdf.setCreator(QStringLiteral("Helune"));
        pdf.setDocumentXmpMetadata(XmpOf(scene));
        QPainter painter(&pdf);
        PaintScene(painter, scene, theme);
    }
    BlankCreationDate(bytes);
    return bytes;
}

}  // namespace helune::cli
