// SPDX-License-Identifier: MIT
// The console's help and manual page, read from the table of commands: the
// program's help lists the commands and the options they share, each
// command's help its own arguments and options, all in one layout; the manual
// page (roff) holds every command and option, and the formats' every key,
// code and column.
#pragma once

#include <string>

#include "CommandTable.h"

namespace helune::cli {

// One line of usage: "helune-cli day [DATE] [OPTION]...".
std::string UsageLine(const CommandRow& command);

std::string ProgramHelp();
std::string CommandHelp(const CommandRow& command);

// The manual page, helune-cli(1), of a version released on a date (YYYY-MM-DD).
std::string ManualPage(const std::string& version, const std::string& date);

// An option as its help lists it: "--lat DEGREES".
std::string OptionItem(const OptionRow& option);

// A command's formats as a sentence: "text (the default), json or csv".
std::string FormatsSentence(const CommandRow& command);

}  // namespace helune::cli
