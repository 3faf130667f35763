// SPDX-License-Identifier: MIT
// helune-cli(1) in roff, from the table of commands and the vocabulary of the
// formats.
#include "Handlers.h"
#include "Help.h"
#include "Report.h"
#include "Vocabulary.h"

namespace helune::cli {

namespace {

// Text as roff reads it: a backslash and a hyphen escaped, no line taken for a request.
std::string Roff(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
        if (c == '\n') out += "\\&";
    }
    return (out.empty() || (out[0] != '.' && out[0] != '\'')) ? out : "\\&" + out;
}

std::string ManSection(std::string_view title) { return ".SH " + std::string(title) + "\n"; }
std::string Subsection(std::string_view title) { return ".SS " + std::string(title) + "\n"; }
std::string Paragraph(std::string_view text) { return ".PP\n" + Roff(text) + "\n"; }
std::string Tagged(std::string_view tag, std::string_view text) {
    return ".TP\n.B " + Roff(tag) + "\n" + Roff(text) + "\n";
}

std::string Synopsis() {
    std::string text = ManSection("SYNOPSIS");
    for (const CommandRow& command : Commands()) {
        text += Roff(UsageLine(command)) + "\n.br\n";
        if (!command.otherUsage.empty())
            text += Roff(std::string(Program().name) + " " + std::string(command.name) + " " +
                         std::string(command.otherUsage)) +
                    "\n.br\n";
    }
    return text;
}

std::string CommandsSection() {
    std::string text = ManSection("COMMANDS");
    for (const CommandRow& command : Commands()) {
        text += Tagged(UsageLine(command).substr(Program().name.size() + 1), command.description);
        for (const ArgumentRow& argument : command.arguments)
            text += ".RS\n" + Tagged(argument.name, argument.help) + ".RE\n";
        std::string options;
        for (const std::string_view name : command.options) options += (options.empty() ? "" : ", ") + std::string(name);
        if (!options.empty()) text += ".IP\n" + Roff("Options: " + options + ".") + "\n";
        if (!command.formats.empty()) text += ".IP\n" + Roff("Formats: " + FormatsSentence(command) + ".") + "\n";
    }
    return text;
}

// The commands that take an option.
std::string TakenBy(std::string_view option) {
    std::string names;
    for (const CommandRow& command : Commands())
        if (std::find(command.options.begin(), command.options.end(), option) != command.options.end())
            names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

std::string OptionsSection() {
    std::string text = ManSection("OPTIONS");
    std::string_view group;
    for (const OptionRow& option : Options()) {
        if (option.group != group) text += Subsection(group = option.group);
        text += Tagged(OptionItem(option), std::string(option.help) + " (" + TakenBy(option.name) + ")");
    }
    return text + Tagged("-h, --help", "the help of the program, or of the command it follows") +
           Tagged("--version", "the version");
}

std::string Terms(std::span<const Term* const> terms) {
    std::string text;
    for (const Term* term : terms) text += Tagged(term->code, term->meaning);
    return text;
}

std::string EventKeys() {
    std::string text = Subsection("EVENTS");
    for (const EventKind& kind : ReportedEvents()) text += Tagged(kind.key, kind.meaning);
    text += Tagged("rising_at_A, setting_at_A", "--altitude A: the Sun's centre rising or setting through A degrees");
    for (const SunBand& band : NamedBands())
        text += Tagged(band.key, band.title + ": the morning's and the evening's intervals of the Sun's centre from " +
                                     std::to_string(static_cast<int>(band.low)) + " to " +
                                     std::to_string(static_cast<int>(band.high)) + " degrees");
    return text + Tagged("between_LOW_and_HIGH", "--altitude LOW,HIGH: the intervals between two altitudes");
}

std::string PhaseCodes() {
    std::string text = Subsection("PHASES");
    for (const Word& word : MoonPhaseWords()) text += Tagged(word.code, "now: the Moon's phase, " + word.prose);
    for (const Season season : {Season::MarchEquinox, Season::JuneSolstice, Season::SeptemberEquinox,
                                Season::DecemberSolstice})
        text += Tagged(SeasonWord(season).code, "phases and seasons: the " + SeasonWord(season).prose);
    return text;
}

std::string FormatsSection() {
    std::string text = ManSection("FORMATS");
    for (const Format format : {Format::Text, Format::Json, Format::Csv, Format::Ics})
        text += Tagged(FormatName(format), FormatMeaning(format));
    text += Paragraph(
        "A JSON document holds its schema version, the place (where the answer depends on it) and the clock, then "
        "the answer's fields, or for range, phases, seasons and next an array of records. Events are objects of a "
        "time and a reason, either null; the principal phases in a day's record are its phases. The JSON Schema of "
        "each command's document is installed with the program.");
    text += Paragraph(
        "A CSV row is a record: its groups open into their members, each a column under its JSON key. An event or "
        "an instant K gives K (the local time, ISO 8601 without the offset), K_utc_offset and, for an event, "
        "K_reason, K_altitude of a transit; a band K gives K_morning_begin, K_morning_end, K_evening_begin and "
        "K_evening_end, each as an event. Empty cells are nothing: no event, no reason.");
    text += Subsection("KEYS");
    for (const Key* key : DocumentKeys()) text += Tagged(key->key, key->meaning);
    text += EventKeys() + Subsection("REASONS") + Terms(ReasonTerms()) + Subsection("STATES") + Terms(LightTerms());
    return text + Subsection("SOURCES") + Terms(SourceTerms()) + PhaseCodes();
}

std::string Listing(std::string_view title, const std::vector<Numbered>& items) {
    std::string text = ManSection(title);
    for (const Numbered& item : items) text += Tagged(item.number, item.meaning);
    return text;
}

std::string ExamplesSection() {
    std::string text = ManSection("EXAMPLES");
    for (const Example& example : Program().examples)
        text += Paragraph(std::string(example.comment) + ":") + ".IP\n.nf\n" + Roff(example.line) + "\n.fi\n";
    return text;
}

}  // namespace

std::string ManualPage(const std::string& version, const std::string& date) {
    const ProgramText& program = Program();
    std::string page = ".TH HELUNE\\-CLI 1 \"" + date + "\" \"" + std::string(program.name) + " " + version +
                       "\" \"User Commands\"\n";
    page += ManSection("NAME") + Roff(std::string(program.name) + " - " + std::string(program.summary)) + "\n";
    page += Synopsis() + ManSection("DESCRIPTION") + Roff(program.description) + "\n";
    page += CommandsSection() + OptionsSection() + FormatsSection();
    page += Listing("EXIT STATUS", program.exitStatus) + Listing("ENVIRONMENT", program.environment);
    page += Listing("FILES", program.files) + ExamplesSection();
    page += ManSection("THE ENGINE'S CONVENTIONS") + Roff(program.engineConventions) + "\n";
    return page + ManSection("SEE ALSO") + ".BR helune (1)\n";
}

}  // namespace helune::cli
