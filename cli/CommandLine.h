// SPDX-License-Identifier: MIT
// A command line read by its command's row of the table: the values of its
// arguments and options by name, every one checked for presence and shape
// (unknown options, missing arguments, options that exclude each other and
// empty values are errors), none yet converted.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CommandTable.h"
#include "Observer.h"

namespace helune::cli {

class CommandLine {
public:
    // words: what follows the command's name.
    static CommandLine Parse(const CommandRow& command, const std::vector<std::string>& words);

    const CommandRow& command() const { return *command_; }
    const std::vector<std::string>& words() const { return words_; }
    bool HelpAsked() const { return helpAsked_; }

    // An argument's value, empty when not given; the arguments given, in order.
    std::string Argument(std::string_view name) const;
    std::vector<std::string> GivenArguments() const;
    // An option's last value, or nothing; all its values, in order.
    std::optional<std::string> Value(std::string_view option) const;
    std::vector<std::string> Values(std::string_view option) const;
    bool Flag(std::string_view option) const;

    // --format, one of the command's formats (the first by default).
    Format FormatAsked() const;
    // What the place and clock options say.
    PlaceOptions PlaceAsked() const;
    // The date of an argument (ParseDateFrom's forms), today when not given.
    QDate DateAsked(std::string_view name, QDate today) const;
    // The instant of --at (ParseInstant's forms), now when not given; what a
    // repeated or skipped reading of the clock meant goes to standard error.
    JulianDay InstantAsked(const Clock& clock, const Console& console) const;

private:
    const CommandRow* command_ = nullptr;
    std::vector<std::string> words_;
    std::map<std::string, std::string, std::less<>> arguments_;
    std::map<std::string, std::vector<std::string>, std::less<>> values_;
    std::map<std::string, bool, std::less<>> flags_;
    bool helpAsked_ = false;
};

// The date of now on the clock: the place's today, not the machine's.
QDate TodayOn(const Clock& clock, const Console& console);

}  // namespace helune::cli
