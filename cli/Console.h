// SPDX-License-Identifier: MIT
// The console's run: a command line read by the table of commands, handed to
// its command, and every failure one line on standard error with its status.
#pragma once

#include <string>
#include <vector>

#include "CommandTable.h"

namespace helune::cli {

inline constexpr int kExitFailure = 1;

// Runs the words after the program's name; answers the exit status.
int RunConsole(const std::vector<std::string>& words, Console& console);

}  // namespace helune::cli
