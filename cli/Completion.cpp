// SPDX-License-Identifier: MIT
#include "Completion.h"

#include <QTimeZone>
#include <algorithm>

#include "Handlers.h"
#include "Places.h"
#include "Writers.h"

namespace helune::cli {

namespace {

// The first sentence of a help text, for a choice's meaning.
std::string FirstClause(std::string_view help) {
    const std::size_t end = help.find_first_of(";:(");
    std::string clause(help.substr(0, end));
    while (!clause.empty() && clause.back() == ' ') clause.pop_back();
    return clause;
}

std::vector<Choice> CommandChoices() {
    std::vector<Choice> choices;
    for (const CommandRow& command : Commands()) choices.push_back({std::string(command.name), std::string(command.summary)});
    choices.push_back({"--help", "the help"});
    choices.push_back({"--version", "the version"});
    return choices;
}

std::vector<Choice> OptionChoices(const CommandRow& command) {
    std::vector<Choice> choices;
    for (const std::string_view name : command.options)
        choices.push_back({std::string(name), FirstClause(OptionNamed(name)->help)});
    choices.push_back({"--help", "this command's help"});
    return choices;
}

std::vector<Choice> ZoneChoices() {
    std::vector<Choice> choices;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) choices.push_back({id.toStdString(), ""});
    return choices;
}

// The cities of --place, written as the shell passes them on (no spaces).
std::vector<Choice> PlaceChoices() {
    std::vector<Choice> choices;
    for (ZonePlace place : ZonePlaces()) {
        std::replace(place.city.begin(), place.city.end(), ' ', '_');
        choices.push_back({place.city, place.zone});
    }
    return choices;
}

// Columns are a comma-separated list: each choice completes the last one.
std::vector<Choice> ColumnListChoices(const std::string& typed) {
    const std::size_t comma = typed.rfind(',');
    const std::string before = comma == std::string::npos ? "" : typed.substr(0, comma + 1);
    std::vector<Choice> choices = ColumnChoices();
    for (Choice& choice : choices) choice.name = before + choice.name;
    return choices;
}

std::vector<Choice> ValueChoices(const OptionRow& option, const CommandRow& command, const std::string& typed) {
    switch (option.completion) {
        case Completion::Choices: return option.choices();
        case Completion::Zones: return ZoneChoices();
        case Completion::Places: return PlaceChoices();
        case Completion::Files: return {{std::string(kFileNames), ""}};
        case Completion::Columns: return ColumnListChoices(typed);
        case Completion::Formats: {
            std::vector<Choice> choices;
            for (const Format format : command.formats) choices.push_back({FormatName(format), FormatMeaning(format)});
            return choices;
        }
        case Completion::Nothing: break;
    }
    return {};
}

// The index of the argument being typed: the words before it that are
// neither options nor an option's value.
std::size_t ArgumentIndex(const std::vector<std::string>& words) {
    std::size_t index = 0;
    for (std::size_t i = 1; i + 1 < words.size(); ++i) {
        const OptionRow* option = OptionNamed(words[i]);
        if (option && !option->value.empty()) ++i;
        else if (words[i].rfind('-', 0) != 0 || words[i] == "-") ++index;
    }
    return index;
}

std::vector<Choice> Candidates(const std::vector<std::string>& words) {
    if (words.size() == 1) return CommandChoices();
    const CommandRow* command = CommandNamed(words.front());
    if (!command) return {};
    const std::string& typed = words.back();
    const OptionRow* before = OptionNamed(words[words.size() - 2]);
    const bool takesIt = before && std::find(command->options.begin(), command->options.end(), before->name) !=
                                       command->options.end();
    if (takesIt && !before->value.empty()) return ValueChoices(*before, *command, typed);
    if (typed.rfind('-', 0) == 0) return OptionChoices(*command);
    const std::size_t index = ArgumentIndex(words);
    if (index < command->arguments.size() && command->arguments[index].choices) return command->arguments[index].choices();
    return {};
}

}  // namespace

std::vector<Choice> Completions(std::vector<std::string> words) {
    if (words.empty()) words.emplace_back();
    // A line that begins with an option is the day's.
    if (words.size() > 1 && words.front().rfind('-', 0) == 0) words.insert(words.begin(), std::string(kDefaultCommand));
    const std::string& typed = words.back();
    std::vector<Choice> matching;
    for (Choice& choice : Candidates(words))
        if (choice.name == kFileNames || choice.name.rfind(typed, 0) == 0) matching.push_back(std::move(choice));
    return matching;
}

std::string CompletionLines(const std::vector<std::string>& words) {
    std::string lines;
    for (const Choice& choice : Completions(words)) lines += choice.name + (choice.meaning.empty() ? "" : "\t" + choice.meaning) + "\n";
    return lines;
}

}  // namespace helune::cli
