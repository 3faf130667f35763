// SPDX-License-Identifier: MIT
#include "Help.h"

#include <algorithm>
#include <sstream>

namespace helune::cli {

namespace {

constexpr std::size_t kLineWidth = 79;
constexpr std::size_t kTextColumn = 24;  // where an item's text begins
constexpr char kItemIndent[] = "  ";

// The characters of UTF-8 text (not its bytes: "°" is two).
std::size_t Characters(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// text's words in lines of at most kLineWidth characters, each after indent.
std::string Wrapped(std::string_view text, std::size_t indent) {
    std::istringstream words{std::string(text)};
    std::string out, line;
    for (std::string word; words >> word;) {
        if (!line.empty() && indent + Characters(line) + 1 + Characters(word) > kLineWidth) {
            out += std::string(indent, ' ') + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) out += std::string(indent, ' ') + line + "\n";
    return out;
}

// An item and its text from the text column, or from the next line when the
// item is too long.
std::string Item(const std::string& item, std::string_view text) {
    const std::string head = kItemIndent + item;
    std::string wrapped = Wrapped(text, kTextColumn);
    if (head.size() + 2 > kTextColumn) return head + "\n" + wrapped;
    return head + wrapped.substr(head.size());
}

std::string Heading(std::string_view title) { return std::string(title) + ":\n"; }

std::string ArgumentsText(const CommandRow& command) {
    std::string text;
    for (const ArgumentRow& argument : command.arguments) {
        const bool required = argument.required || !command.otherUsage.empty();
        text.append(required ? " " : " [").append(argument.name).append(required ? "" : "]");
    }
    return text;
}

std::string ChoicesSentence(const ArgumentRow& argument) {
    if (!argument.choices) return std::string(argument.help);
    std::string names;
    for (const Choice& choice : argument.choices()) names += (names.empty() ? "" : ", ") + choice.name;
    return std::string(argument.help) + ": " + names;
}

// The help of an option in a command's help: --format names the command's formats.
std::string OptionText(const OptionRow& option, const CommandRow& command) {
    if (option.completion == Completion::Formats) return std::string(option.help) + ": " + FormatsSentence(command);
    return std::string(option.help);
}

// The command's options under the headings of their groups, in the table's order of groups.
std::string OptionsText(const CommandRow& command) {
    std::string text;
    std::vector<std::string_view> groups;
    for (const OptionRow& option : Options())
        if (std::find(groups.begin(), groups.end(), option.group) == groups.end()) groups.push_back(option.group);
    for (const std::string_view group : groups) {
        std::string items;
        for (const std::string_view name : command.options)
            if (const OptionRow* option = OptionNamed(name); option->group == group)
                items += Item(OptionItem(*option), OptionText(*option, command));
        if (!items.empty()) text += Heading(group) + items;
    }
    return text;
}

}  // namespace

std::string OptionItem(const OptionRow& option) {
    std::string item(option.name);
    if (!option.value.empty()) item.append(" ").append(option.value);
    return item;
}

std::string FormatsSentence(const CommandRow& command) {
    std::string text;
    for (std::size_t i = 0; i < command.formats.size(); ++i) {
        text += i == 0 ? "" : i + 1 == command.formats.size() ? " or " : ", ";
        text += FormatName(command.formats[i]);
        if (i == 0 && !IsPicture(command.formats[i])) text += " (the default)";
    }
    if (!command.formats.empty() && IsPicture(command.formats.front())) text += ", by default by --output's ending";
    return text;
}

std::string UsageLine(const CommandRow& command) {
    std::string line = std::string(Program().name) + " " + std::string(command.name) + ArgumentsText(command);
    if (!command.options.empty()) line += " [OPTION]...";
    return line;
}

std::string ProgramHelp() {
    const ProgramText& program = Program();
    std::string text = "Usage: " + std::string(program.name) + " [COMMAND] [ARGUMENT]... [OPTION]...\n";
    text += Wrapped(program.description, 0) + "\n" + Heading("Commands");
    for (const CommandRow& command : Commands())
        text += Item(std::string(command.name) + ArgumentsText(command), command.summary);
    text += "\n'" + std::string(program.name) + " COMMAND --help' gives a command's arguments and options.\n\n";
    text += Heading("Place and clock, for every command that answers for a place");
    for (const OptionRow& option : Options())
        if (option.group == kPlaceAndClock) text += Item(OptionItem(option), option.help);
    text += '\n';
    text += Heading("Exit status");
    for (const Numbered& status : program.exitStatus) text += Item(std::string(status.number), status.meaning);
    text += '\n';
    text += Heading("Examples");
    for (const Example& example : program.examples)
        text += Wrapped(std::string(example.comment) + ":", 2) + "    " + std::string(example.line) + "\n";
    return text;
}

std::string CommandHelp(const CommandRow& command) {
    std::string text = "Usage: " + UsageLine(command) + "\n";
    if (!command.otherUsage.empty())
        text += "   or: " + std::string(Program().name) + " " + std::string(command.name) + " " +
                std::string(command.otherUsage) + "\n";
    text += Wrapped(command.description, 0);
    if (command.name == "calc" || command.name == "events") {
        text += '\n';
        text += Wrapped(Program().engineConventions, 0);
    }
    text += "\n";
    if (!command.arguments.empty()) text += Heading("Arguments");
    for (const ArgumentRow& argument : command.arguments)
        text += Item(std::string(argument.name), ChoicesSentence(argument));
    text += OptionsText(command);
    text += Item("-h, --help", "this help");
    return text;
}

}  // namespace helune::cli
