// SPDX-License-Identifier: MIT
// The console's table of commands against what is read from it: both levels
// of help, the manual page and the shells' completion name every command and
// every option of the table, and no other; and the command line parsed by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "Completion.h"
#include "Console.h"
#include "Handlers.h"
#include "Help.h"

namespace helune::cli {
namespace {

std::vector<std::string> NamesOf(const std::vector<Choice>& choices) {
    std::vector<std::string> names;
    for (const Choice& choice : choices) names.push_back(choice.name);
    return names;
}

// The manual's text as a reader sees it: hyphens without their escapes.
std::string ManualText() {
    std::string page = ManualPage("0.0.0", "2026-01-01");
    for (std::size_t at; (at = page.find("\\-")) != std::string::npos;) page.erase(at, 1);
    return page;
}

// The names of the options a help text lists as items.
std::set<std::string> OptionItemsIn(const std::string& help) {
    std::set<std::string> items;
    for (const OptionRow& option : Options())
        if (help.find("\n  " + OptionItem(option)) != std::string::npos) items.insert(std::string(option.name));
    return items;
}

TEST(CliTable, EveryCommandInTheHelpTheManualAndTheCompletion) {
    const std::string help = ProgramHelp(), manual = ManualText();
    std::vector<std::string> commands;
    for (const CommandRow& command : Commands()) {
        SCOPED_TRACE(std::string(command.name));
        commands.emplace_back(command.name);
        EXPECT_NE(help.find("\n  " + std::string(command.name)), std::string::npos);
        EXPECT_NE(help.find(std::string(command.summary)), std::string::npos);
        EXPECT_NE(manual.find(UsageLine(command) + "\n"), std::string::npos);
    }
    commands.insert(commands.end(), {"--help", "--version"});
    EXPECT_EQ(NamesOf(Completions({""})), commands);
}

TEST(CliTable, EachCommandsOptionsInItsHelpTheManualAndTheCompletion) {
    const std::string manual = ManualText();
    for (const CommandRow& command : Commands()) {
        SCOPED_TRACE(std::string(command.name));
        const std::set<std::string> own(command.options.begin(), command.options.end());
        EXPECT_EQ(OptionItemsIn(CommandHelp(command)), own) << "the help lists the command's options, no other";
        std::vector<std::string> offered(command.options.begin(), command.options.end());
        offered.emplace_back("--help");
        EXPECT_EQ(NamesOf(Completions({std::string(command.name), "--"})), offered);
        for (const std::string_view option : command.options)
            EXPECT_NE(manual.find(OptionItem(*OptionNamed(option))), std::string::npos) << option;
    }
}

// What completes each option's value: its choices, the command's formats, the
// zones, the places, file names, the columns.
TEST(CliTable, ValuesCompleteFromTheTable) {
    for (const CommandRow& command : Commands()) {
        for (const std::string_view name : command.options) {
            const OptionRow& option = *OptionNamed(name);
            if (option.value.empty()) continue;  // a flag: the next word is the command's
            SCOPED_TRACE(std::string(command.name) + " " + std::string(name));
            const std::vector<std::string> offered = NamesOf(Completions({std::string(command.name), std::string(name), ""}));
            const auto offers = [&](const char* word) {
                return std::find(offered.begin(), offered.end(), word) != offered.end();
            };
            switch (option.completion) {
                case Completion::Choices: EXPECT_EQ(offered, NamesOf(option.choices())); break;
                case Completion::Formats: {
                    std::vector<std::string> formats;
                    for (const Format format : command.formats) formats.emplace_back(FormatName(format));
                    EXPECT_EQ(offered, formats);
                    break;
                }
                case Completion::Zones: EXPECT_TRUE(offers("Europe/Madrid")); break;
                case Completion::Places: EXPECT_TRUE(offers("Oslo") && offers("New_York")); break;
                case Completion::Files: EXPECT_EQ(offered, std::vector<std::string>{std::string(kFileNames)}); break;
                case Completion::Columns: EXPECT_TRUE(offers("sunrise") && offers("moon") && offers("day_length_hours")); break;
                case Completion::Nothing: EXPECT_TRUE(offered.empty()); break;
            }
        }
    }
}

TEST(CliTable, ArgumentsCompleteFromTheirChoices) {
    for (const CommandRow& command : Commands()) {
        if (command.arguments.empty()) continue;
        const ArgumentRow& first = command.arguments.front();
        SCOPED_TRACE(std::string(command.name));
        const std::vector<std::string> offered = NamesOf(Completions({std::string(command.name), ""}));
        EXPECT_EQ(offered, first.choices ? NamesOf(first.choices()) : std::vector<std::string>{});
    }
    EXPECT_EQ(NamesOf(Completions({"next", "--count", "3", "full"})), std::vector<std::string>{"full_moon"})
        << "an option's value is no argument";
    EXPECT_EQ(NamesOf(Completions({"--lat", "1", "--for"})), std::vector<std::string>{"--format"}) << "the day's";
}

// Every command's help, in one style: its usage with the program's name, and status 0.
TEST(CliTable, EveryCommandsHelpInOneStyleWithStatusZero) {
    for (const CommandRow& command : Commands()) {
        std::ostringstream out;
        Console console{out};
        EXPECT_EQ(RunConsole({std::string(command.name), "--help"}, console), 0) << command.name;
        EXPECT_EQ(out.str().rfind("Usage: helune-cli " + std::string(command.name), 0), 0u) << out.str();
        EXPECT_EQ(out.str().find("TEXT"), std::string::npos) << "no placeholder of the argument library";
    }
}

std::string MessageOf(const CommandRow& command, const std::vector<std::string>& words) {
    try {
        CommandLine::Parse(command, words);
    } catch (const UsageError& error) {
        return error.message;
    }
    return "no error";
}

TEST(CliParse, ArgumentsOptionsAndTheirFaults) {
    const CommandLine events = CommandLine::Parse(*CommandNamed("events"), {"18", "1", "2008", "-3.7", "40.4", "-15"});
    EXPECT_EQ(events.GivenArguments(), (std::vector<std::string>{"18", "1", "2008", "-3.7", "40.4", "-15"}))
        << "negative numbers are arguments";
    EXPECT_EQ(CommandLine::Parse(*CommandNamed("events"), {"-"}).GivenArguments(), std::vector<std::string>{"-"});
    const CommandLine day = CommandLine::Parse(*CommandNamed("day"), {"--altitude", "6", "--altitude=-4", "--lat", "1", "--lat", "2"});
    EXPECT_EQ(day.Values("--altitude"), (std::vector<std::string>{"6", "-4"}));
    EXPECT_EQ(day.Value("--lat"), "2") << "the last of a repeated option";
    EXPECT_FALSE(day.Value("--lon"));
    EXPECT_TRUE(CommandLine::Parse(*CommandNamed("calc"), {"--help"}).HelpAsked());

    EXPECT_EQ(MessageOf(*CommandNamed("day"), {"--tz", "UTC", "--utc-offset", "+01:00"}), "--tz excludes --utc-offset");
    EXPECT_EQ(MessageOf(*CommandNamed("day"), {"--lat", ""}), "--lat: the value is empty");
    EXPECT_EQ(MessageOf(*CommandNamed("range"), {"2026-01-01"}), "TO is required");
    EXPECT_EQ(MessageOf(*CommandNamed("now"), {"--count", "3"}), "The following arguments were not expected: 3 --count")
        << "an option of another command";
}

}  // namespace
}  // namespace helune::cli
