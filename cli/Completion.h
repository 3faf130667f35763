// SPDX-License-Identifier: MIT
// What the shells' completion offers, read from the table of commands: the
// commands, a command's options, an option's values and an argument's, each
// with what it means (zsh and fish show it, bash does not).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CommandTable.h"

namespace helune::cli {

// The one answer that asks the shell for file names instead.
inline constexpr std::string_view kFileNames = "@files";

// The choices that may stand where the last of words (the words after the
// program's name) is being typed, each beginning as it does.
std::vector<Choice> Completions(std::vector<std::string> words);

// The answers of helune-cli __complete: a line each, the word and its meaning
// parted by a tab.
std::string CompletionLines(const std::vector<std::string>& words);

}  // namespace helune::cli
