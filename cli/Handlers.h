// SPDX-License-Identifier: MIT
// The commands' handlers, as the table of commands names them: each reads its
// command line and answers on the console's output, or throws a UsageError
// (a bad command line) or a WriteError (output that could not be written).
#pragma once

#include <string>
#include <vector>

#include "CommandLine.h"

namespace helune::cli {

// Output that could not be written: one line, and the failure's status.
struct WriteError {
    std::string message;
};

int RunDay(const CommandLine& line, Console& console);
int RunRange(const CommandLine& line, Console& console);
int RunPhases(const CommandLine& line, Console& console);
int RunSeasons(const CommandLine& line, Console& console);
int RunNow(const CommandLine& line, Console& console);
int RunNext(const CommandLine& line, Console& console);
int RunPoll(const CommandLine& line, Console& console);
int RunWait(const CommandLine& line, Console& console);
int RunPlace(const CommandLine& line, Console& console);
int RunCalc(const CommandLine& line, Console& console);
int RunEvents(const CommandLine& line, Console& console);
// The picture: painted here in helune-render, handed to it by helune-cli.
int RunRender(const CommandLine& line, Console& console);

// The year's daylight or the Moon's month as a picture: painted here in
// helune-render, handed to it by helune-cli.
int RunPlot(const CommandLine& line, Console& console);

// The values that complete EVENT, --altitude, --if-missed and --columns.
std::vector<Choice> UpcomingChoices();
std::vector<Choice> WaitableChoices();
std::vector<Choice> AltitudeChoices();
std::vector<Choice> BandChoices();
std::vector<Choice> IfMissedChoices();
std::vector<Choice> ColumnChoices();
std::vector<Choice> PlaceActionChoices();
std::vector<Choice> PlotChoices();
std::vector<Choice> ThemeChoices();
std::vector<Choice> PaperChoices();

// text, where it is one of the choices' names; else an error that names them
// ("--theme: 'blue' is not light or dark").
std::string OneOf(std::string_view name, const std::string& text, const std::vector<Choice>& choices);

}  // namespace helune::cli
