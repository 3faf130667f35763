// SPDX-License-Identifier: MIT
// Angles as people write them: decimal degrees ("59.9139"), or degrees,
// minutes and seconds marked with °′″, '", the letters d m s, or colons, or
// set apart by spaces alone ("59°55′30″", "59 55 30", "10d45m", "59:55"), the
// last number alone with a fraction ("59°55.5′").
#pragma once

#include <optional>
#include <string_view>

namespace helune::cli {

// The angle that text (no sign, no hemisphere) writes, degrees; nothing when
// it writes none (minutes or seconds of 60 and more among them).
std::optional<double> SexagesimalDegrees(std::string_view text);

}  // namespace helune::cli
