// SPDX-License-Identifier: MIT
#include "Console.h"

#include <cstdio>
#include <iostream>
#include <new>

#include "Completion.h"
#include "Handlers.h"
#include "Help.h"

namespace helune::cli {

namespace {

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h" || word == "help"; }

std::string CommandNames() {
    std::string names;
    for (const CommandRow& command : Commands()) names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

// What the program itself answers, before any command: its help, version,
// manual and completion; nothing when the line is a command's.
std::optional<std::string> ProgramAnswer(const std::vector<std::string>& words) {
    if (words.empty()) return std::nullopt;
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (IsHelp(words.front()) && rest.empty()) return ProgramHelp();
    if (words.front() == "help" && rest.size() == 1 && CommandNamed(rest.front())) return CommandHelp(*CommandNamed(rest.front()));
    if (words.front() == "--version") return std::string(Program().name) + " " + HELUNE_VERSION + "\n";
    if (words.front() == "__complete") return CompletionLines(rest);
    if (words.front() == "__manual") return ManualPage(HELUNE_VERSION, HELUNE_RELEASE_DATE);
    return std::nullopt;
}

const CommandRow& CommandOf(std::vector<std::string>& words) {
    if (words.empty() || (words.front().rfind('-', 0) == 0 && !CommandNamed(words.front())))
        words.insert(words.begin(), std::string(kDefaultCommand));
    const CommandRow* command = CommandNamed(words.front());
    if (!command) throw UsageError{"unknown command " + Quoted(words.front()) + " (" + CommandNames() + "; see --help)"};
    return *command;
}

int Dispatch(std::vector<std::string> words, Console& console, int& usageStatus) {
    if (const std::optional<std::string> answer = ProgramAnswer(words)) {
        console.out << *answer;
        return 0;
    }
    const CommandRow& command = CommandOf(words);
    usageStatus = command.usageStatus;
    const CommandLine line = CommandLine::Parse(command, {words.begin() + 1, words.end()});
    if (!line.HelpAsked()) return command.run(line, console);
    console.out << CommandHelp(command);
    return 0;
}

int Failed(const std::string& message, int status) {
    std::fprintf(stderr, "helune-cli: %s\n", message.c_str());
    return status;
}

}  // namespace

int RunConsole(const std::vector<std::string>& words, Console& console) {
    int usageStatus = 2;
    int status = 0;
    try {
        status = Dispatch(words, console, usageStatus);
    } catch (const UsageError& error) {
        return Failed(error.message, usageStatus);
    } catch (const WriteError& error) {
        return Failed(error.message, kExitFailure);
    } catch (const std::bad_alloc&) {
        return Failed("out of memory", kExitFailure);
    } catch (const std::exception& error) {
        // Nothing the command line holds should come here; if it does, one line all the same.
        return Failed(error.what(), kExitFailure);
    }
    // What was answered must have been written: a full disk or a closed pipe is a failure.
    console.out.flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || !console.out) return Failed("cannot write standard output", kExitFailure);
    return status;
}

}  // namespace helune::cli
