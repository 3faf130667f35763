// SPDX-License-Identifier: MIT
// The console's commands and options, each defined once: a command by its
// name, arguments, options, help, formats and handler; an option by its name,
// value, help and what completes it. Parsing, dispatch, both levels of help,
// the manual page and the shells' completion are all read from these tables.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Surroundings.h"
#include "Waiting.h"
#include "Writers.h"

namespace helune::cli {

class CommandLine;

// What a command works with besides its command line: where its answer goes,
// the system's zone, store and date, and the wall clock.
struct Console {
    std::ostream& out;
    Surroundings system = {};
    WallClock clock = SystemWallClock();
};

// A word that may stand as a value, with what it means (the shells show it).
struct Choice {
    std::string name, meaning;
};

// What completes an option's or an argument's value in the shells.
enum class Completion { Nothing, Choices, Formats, Zones, Places, Files, Columns };

struct OptionRow {
    std::string_view name;    // "--lat"
    std::string_view value;   // "DEGREES"; empty for a flag
    std::string_view help;    // what it does, a paragraph
    std::string_view group;   // the heading it is listed under
    Completion completion = Completion::Nothing;
    std::vector<Choice> (*choices)() = nullptr;  // for Completion::Choices
    std::vector<std::string_view> excludes = {};  // options it cannot stand with
};

struct ArgumentRow {
    std::string_view name;  // "DATE"
    std::string_view help;
    bool required = false;
    std::vector<Choice> (*choices)() = nullptr;
};

struct CommandRow {
    std::string_view name;
    std::string_view summary;      // one line, for the command list
    std::string_view description;  // paragraphs, for its own help and the manual
    std::vector<ArgumentRow> arguments;
    std::vector<std::string_view> options;  // by name, in the order its help lists them
    std::vector<Format> formats;            // for --format; the first is the default
    int (*run)(const CommandLine& line, Console& console);
    int usageStatus = 2;                   // of a bad command line
    std::string_view otherUsage = {};      // a second form of its arguments ("-")
};

// The heading of the options every command that answers for a place takes.
inline constexpr std::string_view kPlaceAndClock = "Place and clock";

const std::vector<OptionRow>& Options();
const OptionRow* OptionNamed(std::string_view name);

const std::vector<CommandRow>& Commands();
const CommandRow* CommandNamed(std::string_view name);
// The command a line without one means.
inline constexpr std::string_view kDefaultCommand = "day";

// The program as its help and manual describe it.
struct Numbered {
    std::string_view number, meaning;
};
struct Example {
    std::string_view comment, line;
};
struct ProgramText {
    std::string_view name, summary, description;
    std::vector<Numbered> exitStatus;
    std::vector<Example> examples;
    std::vector<Numbered> environment, files;  // a name and what it is
    std::string_view engineConventions;       // of calc and events
};
const ProgramText& Program();

}  // namespace helune::cli
