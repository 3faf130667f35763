// SPDX-License-Identifier: MIT
// The window's chart as text (day --as-window): its lines in the window's order.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Composition.h"

namespace helune::cli {

// The chart's lines as text, from its composed items.
std::vector<std::string> ChartLines(const std::vector<ChartItem>& items);

// The window's chart of the facts, line by line.
void WriteChart(std::ostream& out, const DayFacts& facts);

}  // namespace helune::cli
