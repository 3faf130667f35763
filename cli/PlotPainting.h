// SPDX-License-Identifier: MIT
// A plot's scene painted in a theme, and written as SVG, PNG or PDF: the same
// scene gives the same bytes, each with its title and summary as the text
// alternative its format carries. Needs a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QPainter>

#include "PlotScene.h"

namespace helune::cli {

enum class Theme { Light, Dark };

void PaintScene(QPainter& painter, const Scene& scene, Theme theme);

// An SVG of the scene's size, its <title> and <desc> the scene's.
QByteArray SceneSvg(const Scene& scene, Theme theme);
// A PNG of the scene's size in pixels, with Title and Description text.
QByteArray ScenePng(const Scene& scene, Theme theme);
// A landscape page of paper, the scene laid out at PdfPageSize's units;
// the title in the document's information, the summary in its XMP metadata.
QByteArray ScenePdf(const Scene& scene, Theme theme, const QPageSize& paper);
// The size, in the units ScenePdf paints in, of a landscape page of paper.
QSizeF PdfPageSize(const QPageSize& paper);

}  // namespace helune::cli
