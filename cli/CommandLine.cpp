// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>

namespace helune::cli {

namespace {

std::string Listed(const std::vector<Format>& formats) {
    std::string text;
    for (const Format format : formats) text += (text.empty() ? "" : ", ") + std::string(FormatName(format));
    return text;
}

// The options of the command in CLI11's terms, each collecting its values,
// and the exclusions among them.
void DefineOptions(CLI::App& app, const CommandRow& command, std::map<std::string, std::vector<std::string>, std::less<>>& values,
                   std::map<std::string, bool, std::less<>>& flags) {
    std::map<std::string_view, CLI::Option*> defined;
    for (const std::string_view name : command.options) {
        const OptionRow& row = *OptionNamed(name);
        const std::string key(name);
        defined[name] = row.value.empty()
                            ? app.add_flag(key, flags[key])
                            : app.add_option(key, values[key])
                                  ->expected(1)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
    for (const auto& [name, option] : defined)
        for (const std::string_view other : OptionNamed(name)->excludes)
            if (const auto found = defined.find(other); found != defined.end()) option->excludes(found->second);
}

}  // namespace

CommandLine CommandLine::Parse(const CommandRow& command, const std::vector<std::string>& words) {
    CommandLine line;
    line.command_ = &command;
    line.words_ = words;
    CLI::App app;
    app.set_help_flag("-h,--help");
    for (const ArgumentRow& argument : command.arguments) {
        CLI::Option* option = app.add_option(std::string(argument.name), line.arguments_[std::string(argument.name)]);
        if (argument.required) option->required();
    }
    DefineOptions(app, command, line.values_, line.flags_);
    std::vector<std::string> reversed(words.rbegin(), words.rend());  // CLI11 takes its arguments last first
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        line.helpAsked_ = true;
        return line;
    } catch (const CLI::ParseError& error) {
        throw UsageError{error.what()};
    }
    // An empty value is refused: an unset shell variable would otherwise pass
    // for "not given" and quietly pick another place, zone or date.
    for (const auto& [name, given] : line.values_)
        if (std::find(given.begin(), given.end(), "") != given.end()) throw UsageError{name + ": the value is empty"};
    for (const auto& [name, given] : line.arguments_)
        if (given.empty() && app.get_option(name)->count() > 0) throw UsageError{name + ": the value is empty"};
    return line;
}

std::string CommandLine::Argument(std::string_view name) const {
    const auto found = arguments_.find(name);
    return found == arguments_.end() ? std::string() : found->second;
}

std::vector<std::string> CommandLine::GivenArguments() const {
    std::vector<std::string> given;
    for (const ArgumentRow& argument : command_->arguments)
        if (const std::string value = Argument(argument.name); !value.empty()) given.push_back(value);
    return given;
}

std::optional<std::string> CommandLine::Value(std::string_view option) const {
    const auto found = values_.find(option);
    if (found == values_.end() || found->second.empty()) return std::nullopt;
    return found->second.back();
}

std::vector<std::string> CommandLine::Values(std::string_view option) const {
    const auto found = values_.find(option);
    return found == values_.end() ? std::vector<std::string>{} : found->second;
}

bool CommandLine::Flag(std::string_view option) const {
    const auto found = flags_.find(option);
    return found != flags_.end() && found->second;
}

Format CommandLine::FormatAsked() const {
    const std::vector<Format>& allowed = command_->formats;
    const std::optional<std::string> asked = Value("--format");
    if (!asked) return allowed.empty() ? Format::Text : allowed.front();
    const std::optional<Format> format = FormatNamed(*asked);
    if (!format || std::find(allowed.begin(), allowed.end(), *format) == allowed.end())
        throw UsageError{"--format: " + Quoted(*asked) + " is not one of " + Listed(allowed)};
    return *format;
}

PlaceOptions CommandLine::PlaceAsked() const {
    return {Value("--lat").value_or(""),   Value("--lon").value_or(""),
            Value("--tz").value_or(""),    Value("--utc-offset").value_or(""),
            Value("--place").value_or(""), Flag("--as-window"),
            Value("--coords").value_or(""), Value("--elevation").value_or("")};
}

QDate CommandLine::DateAsked(std::string_view name, QDate today) const {
    const std::string text = Argument(name);
    return text.empty() ? today : ParseDateFrom(std::string(name), text, today);
}

JulianDay CommandLine::InstantAsked(const Clock& clock, const Console& console) const {
    const std::optional<std::string> at = Value("--at");
    if (!at) return UniversalFromUnix(console.clock.now());
    const ReadInstant instant = ParseInstant("--at", *at, clock, TodayOn(clock, console));
    if (instant.note) std::fprintf(stderr, "helune-cli: %s\n", instant.note->c_str());
    return instant.universal;
}

QDate TodayOn(const Clock& clock, const Console& console) {
    return clock.LocalTime(UniversalFromUnix(console.clock.now())).date();
}

}  // namespace helune::cli
