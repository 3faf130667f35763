// SPDX-License-Identifier: MIT
// The window's chart as text: its lines in the window's order, as the
// console's day --as-window prints them and the window gives them to
// assistive technology.
#pragma once

#include <string>
#include <vector>

#include "Composition.h"

namespace helune {

// The chart's lines as text, from its composed items.
std::vector<std::string> ChartLines(const std::vector<ChartItem>& items);

// The window's chart of the facts, line by line: the title, then each block
// (the Sun's, the Moon's, the phases') under its name, then the footer.
std::vector<std::string> ChartTextLines(const DayFacts& facts);

}  // namespace helune
