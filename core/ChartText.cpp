// SPDX-License-Identifier: MIT
#include "ChartText.h"

#include <algorithm>

#include "Settings.h"

namespace helune {

namespace {

// The chart's fixed offsets are pixels; a character of its row font is about five.
constexpr int kPixelsPerColumn = 5;
constexpr char kBlockIndent[] = "  ";

// A text measure for text output: one column a character, one line a row.
class CharacterCells : public TextMeasure {
public:
    QSize Measure(const QString& text, const ChartFont&) const override { return {static_cast<int>(text.size()), 1}; }
};

}  // namespace

std::vector<std::string> ChartLines(const std::vector<ChartItem>& items) {
    struct Row {
        int x, y;
        std::string text;
    };
    std::vector<std::string> lines;
    std::vector<Row> pending;
    int moonPictures = 0;
    for (const ChartItem& item : items) {
        if (const auto* text = std::get_if<ChartText>(&item)) {
            const std::string words = text->text.toStdString();
            if (pending.empty() || pending.back().y != text->at.y()) {
                pending.push_back({text->at.x(), text->at.y(), words});
                continue;
            }
            Row& row = pending.back();
            const std::size_t column = static_cast<std::size_t>((text->at.x() - row.x) / kPixelsPerColumn);
            row.text.resize(std::max(column, row.text.size() + 1), ' ');
            row.text += words;
            continue;
        }
        // A picture closes the block of rows it stands beside; the title comes before the first.
        if (lines.empty() && !pending.empty()) {
            lines.push_back(pending.front().text);
            pending.erase(pending.begin());
        }
        const bool sun = std::get<ChartPicture>(item).picture == Picture::Sun;
        lines.push_back(sun ? "Sun" : moonPictures++ == 0 ? "Moon" : "Phases");
        for (const Row& row : pending) lines.push_back(kBlockIndent + row.text);
        pending.clear();
    }
    for (const Row& row : pending) lines.push_back(row.text);
    return lines;
}

std::vector<std::string> ChartTextLines(const DayFacts& facts) {
    // The window's layout; in character cells only the order of the rows matters.
    return ChartLines(ComposeDayChart(facts, WindowChartLayout(UserDecimalSeparator()), CharacterCells()));
}

}  // namespace helune
