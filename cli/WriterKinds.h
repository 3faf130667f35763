// SPDX-License-Identifier: MIT
// The four writers behind MakeWriter, each in its own file.
#pragma once

#include "Writers.h"

namespace helune::cli {

std::unique_ptr<Writer> MakeTextWriter(std::ostream& out, const Document& document, const Clock& clock);
std::unique_ptr<Writer> MakeJsonWriter(std::ostream& out, const Document& document, const Clock& clock);
std::unique_ptr<Writer> MakeCsvWriter(std::ostream& out, const Clock& clock);
std::unique_ptr<Writer> MakeIcsWriter(std::ostream& out, const Clock& clock, const CalendarOptions& calendar);

}  // namespace helune::cli
