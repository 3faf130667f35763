// SPDX-License-Identifier: MIT
// place set, show and forget: a place of one's own, kept in the per-user store
// that the window reads.
#include <QDateTime>
#include <cstdio>

#include "Answers.h"
#include "Handlers.h"

namespace helune::cli {

namespace {

std::string StoreLocation(const Console& console) {
    return RegistryLocation(RegistryRoot::CurrentUser, RegistryKeyPath, console.system.store).toStdString();
}

void Say(const std::vector<std::string>& notes) {
    for (const std::string& note : notes) std::fprintf(stderr, "helune-cli: %s\n", note.c_str());
}

// What the commands take, and where it comes from.
int Show(const CommandLine& line, Console& console) {
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    Say(observer.Notes());
    const bool kept = ReadKeptPlace(console.system.store).latitude.has_value();
    const Record record = {MakeField(keys::kStore, Word{StoreLocation(console), StoreLocation(console)}),
                           MakeField(keys::kKept, kept)};
    WriteDocument(line.FormatAsked(), console.out, {Layout::Sections, Heading(observer), {}, {}}, record,
                  observer.clock());
    return 0;
}

// The place to keep, from NAME or the place options; its zone from --tz, the
// city, or the system.
struct ToKeep {
    double latitude, longitudeWest;
    QTimeZone zone;
};

ToKeep PlaceToKeep(const CommandLine& line, const Console& console) {
    PlaceOptions options = line.PlaceAsked();
    const std::string name = line.Argument("NAME");
    if (!name.empty() && !options.place.empty()) throw UsageError{"NAME: give the city once, as NAME or --place"};
    if (!name.empty()) options.place = name;
    if (!options.utcOffset.empty()) throw UsageError{"--utc-offset: a kept place keeps a zone; give --tz"};
    if (options.place.empty() && options.latitude.empty() && options.coordinates.empty())
        throw UsageError{"place set: give NAME, or --lat and --lon, or --coords"};
    options.asWindow = false;
    const Observer observer = Observer::FromOptions(options, console.system);
    Say(observer.Notes());
    const Clock& clock = observer.clock();
    if (clock.source() == ClockSource::SystemZone)
        std::fprintf(stderr, "helune-cli: keeping the system's zone, %s (--tz for another)\n",
                     clock.zone()->id().constData());
    return {observer.Latitude(), observer.LongitudeWest(), *clock.zone()};
}

int Set(const CommandLine& line, Console& console) {
    const ToKeep place = PlaceToKeep(line, console);
    const std::optional<std::string> elevation = line.Value("--elevation");
    const double height = elevation ? *ParseDecimal(*elevation) : 0.0;  // checked by the observer
    const int year = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(console.clock.now() * 1000.0)).date().year();
    QString why;
    if (!KeepPlace(place.latitude, place.longitudeWest, place.zone, height, year, &why, console.system.store))
        throw WriteError{"the place could not be kept in " + StoreLocation(console) + " (" + why.toStdString() +
                         "); it is left as it was"};
    const Observer observer = Observer::FromOptions({}, console.system);
    const Record record = {MakeField(keys::kStore, Word{StoreLocation(console), StoreLocation(console)}),
                           MakeField(keys::kKept, true)};
    WriteDocument(line.FormatAsked(), console.out, {Layout::Sections, Heading(observer), {}, {}}, record,
                  observer.clock());
    return 0;
}

int Forget(const CommandLine& line, Console& console) {
    QString why;
    if (!ForgetPlace(console.system.store, &why))
        throw WriteError{"the kept place could not be taken out of " + StoreLocation(console) + " (" +
                         why.toStdString() + "); it is left as it was"};
    const Record record = {MakeField(keys::kStore, Word{StoreLocation(console), StoreLocation(console)}),
                           MakeField(keys::kKept, false)};
    WriteDocument(line.FormatAsked(), console.out, {Layout::Sections, {}, {}, {}}, record, Clock::Fixed(0.0));
    return 0;
}

}  // namespace

int RunPlace(const CommandLine& line, Console& console) {
    const std::string action = line.Argument("ACTION");
    if (action == "show") return Show(line, console);
    if (action == "set") return Set(line, console);
    if (action == "forget") return Forget(line, console);
    throw UsageError{"ACTION: " + Quoted(action) + " is not set, show or forget"};
}

std::vector<Choice> PlaceActionChoices() {
    return {{"set", "keep a place"}, {"show", "the place, clock and height the commands take"},
            {"forget", "take the kept place out of the store"}};
}

}  // namespace helune::cli
