// SPDX-License-Identifier: MIT
// Names as places are looked up by, whatever the user's locale: letters and
// digits in lower case with their accents and marks taken off ("São Paulo" and
// "SAO PAULO" alike, "Tromsø" as "tromso"), every run of anything else one
// space ("New_York", "new-york" and "New York" alike).
#pragma once

#include <QString>
#include <string>

namespace helune::cli {

QString FoldedName(const QString& name);
std::string FoldedName(const std::string& name);

}  // namespace helune::cli
