// SPDX-License-Identifier: MIT
// plot in helune-render: the year's daylight or the Moon's month, computed,
// laid out at the picture's size, painted in its theme and written whole.
#include <QLocale>
#include <QPageSize>
#include <QRegularExpression>
#include <cstdio>

#include "Handlers.h"
#include "PlotDaylight.h"
#include "PlotMoon.h"
#include "PlotPainting.h"
#include "Render.h"

namespace helune::cli {

namespace {

constexpr int kLeastPixels = 200, kMostPixels = 8000;
constexpr int kDefaultWidth = 1600, kDefaultHeight = 1000;
// The years and months whose every date the console takes (0001-02-01 to 9999-11-15).
constexpr int kFirstYear = 2, kLastYear = 9998;

std::optional<Format> FormatOfExtension(const std::string& path) {
    const QString suffix = QString::fromStdString(path).section('.', -1).toLower();
    if (!QString::fromStdString(path).contains('.')) return std::nullopt;
    return FormatNamed(suffix.toStdString());
}

// --format, else the extension of --output; the two must agree.
Format PictureFormat(const CommandLine& line, const std::string& output) {
    std::optional<Format> byName;
    if (output != "-") byName = FormatOfExtension(output);
    const std::optional<std::string> asked = line.Value("--format");
    if (!asked) {
        if (output == "-") throw UsageError{"--format is required with --output -"};
        if (!byName || !IsPicture(*byName))
            throw UsageError{"--output: " + Quoted(output) + " does not end in .svg, .png or .pdf (or give --format)"};
        return *byName;
    }
    const Format format = line.FormatAsked();
    if (byName && *byName != format)
        throw UsageError{"--format " + *asked + " does not match --output " + Quoted(output)};
    return format;
}

void Refuse(const CommandLine& line, std::string_view option, const std::string& why) {
    if (!line.Values(option).empty() || line.Flag(option)) throw UsageError{std::string(option) + ": " + why};
}

// The year of WHEN: YYYY, or any date's.
int YearAsked(const CommandLine& line, QDate today) {
    const std::string when = line.Argument("WHEN");
    const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    const int asked = when.empty()                                    ? today.year()
                      : year.match(QString::fromStdString(when)).hasMatch() ? std::stoi(when)
                                                                    : line.DateAsked("WHEN", today).year();
    if (asked < kFirstYear || asked > kLastYear)
        throw UsageError{"WHEN: " + Quoted(when) + " is not a year from 0002 to 9998"};
    return asked;
}

// The month of WHEN: YYYY-MM, or any date's.
QDate MonthAsked(const CommandLine& line, QDate today) {
    const std::string when = line.Argument("WHEN");
    const QRegularExpression month(QStringLiteral("^([0-9]{4})-([0-9]{2})$"));
    const QRegularExpressionMatch match = month.match(QString::fromStdString(when));
    QDate first = when.empty() ? QDate(today.year(), today.month(), 1)
                  : match.hasMatch() ? QDate(match.captured(1).toInt(), match.captured(2).toInt(), 1)
                                     : line.DateAsked("WHEN", today);
    if (!first.isValid()) throw UsageError{"WHEN: " + Quoted(when) + " is not a month YYYY-MM"};
    if (first.year() < kFirstYear || first.year() > kLastYear)
        throw UsageError{"WHEN: " + Quoted(when) + " is not a month from 0002-01 to 9998-12"};
    return QDate(first.year(), first.month(), 1);
}

// --altitude's bands: golden_hour, blue_hour and one LOW,HIGH, each once.
std::vector<SunBand> BandsAsked(const CommandLine& line) {
    std::vector<SunBand> bands;
    for (const std::string& text : line.Values("--altitude")) {
        const std::optional<SunBand> band = BandNamed(text);
        if (!band) throw UsageError{"--altitude: plot takes bands: golden_hour, blue_hour or LOW,HIGH"};
        const bool named = band->key == "golden_hour" || band->key == "blue_hour";
        for (const SunBand& kept : bands)
            if (kept.key == band->key || (!named && kept.key != "golden_hour" && kept.key != "blue_hour"))
                throw UsageError{"--altitude: plot shows each band once, and one LOW,HIGH"};
        bands.push_back(*band);
    }
    return bands;
}

std::optional<QTime> MomentAsked(const CommandLine& line) {
    const std::optional<std::string> at = line.Value("--at");
    if (!at) return std::nullopt;
    const QTime time = QTime::fromString(QString::fromStdString(*at), QStringLiteral("HH:mm"));
    if (!time.isValid()) throw UsageError{"--at: " + Quoted(*at) + " is not a clock time HH:MM"};
    return time;
}

Theme ThemeAsked(const CommandLine& line) {
    return OneOf("--theme", line.Value("--theme").value_or("light"), ThemeChoices()) == "dark" ? Theme::Dark
                                                                                               : Theme::Light;
}

// --paper, else Letter where the system's measures are the United States', A4 elsewhere.
QPageSize PaperAsked(const CommandLine& line) {
    const std::optional<std::string> paper = line.Value("--paper");
    if (!paper) {
        const bool us = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
        return QPageSize(us ? QPageSize::Letter : QPageSize::A4);
    }
    return QPageSize(OneOf("--paper", *paper, PaperChoices()) == "letter" ? QPageSize::Letter : QPageSize::A4);
}

QSizeF PixelsAsked(const CommandLine& line) {
    const auto side = [&](std::string_view option, int otherwise) {
        const std::optional<std::string> text = line.Value(option);
        return text ? ParseWholeNumber(std::string(option), *text, kLeastPixels, kMostPixels) : otherwise;
    };
    return QSizeF(side("--width", kDefaultWidth), side("--height", kDefaultHeight));
}

}  // namespace

int RunPlot(const CommandLine& line, Console& console) {
    const std::string kind = OneOf("KIND", line.Argument("KIND"), PlotChoices());
    const std::optional<std::string> output = line.Value("--output");
    if (!output) throw UsageError{"--output is required"};
    const Format format = PictureFormat(line, *output);
    if (kind == "daylight") Refuse(line, "--at", "only with plot moon");
    if (kind == "moon") {
        Refuse(line, "--moon", "only with plot daylight");
        Refuse(line, "--altitude", "only with plot daylight");
    }
    if (format == Format::Pdf) {
        Refuse(line, "--width", "not with PDF, whose page --paper sets");
        Refuse(line, "--height", "not with PDF, whose page --paper sets");
    } else {
        Refuse(line, "--paper", "only with PDF");
    }
    const Theme theme = ThemeAsked(line);
    const std::optional<QTime> moment = MomentAsked(line);
    const std::vector<SunBand> bands = BandsAsked(line);
    const QSizeF pixels = format == Format::Pdf ? QSizeF() : PixelsAsked(line);
    const std::optional<QPageSize> paper = format == Format::Pdf ? std::optional(PaperAsked(line)) : std::nullopt;
    const Observer observer = Observer::FromOptions(line.PlaceAsked(), console.system);
    const QDate today = TodayOn(observer.clock(), console);
    const int year = kind == "daylight" ? YearAsked(line, today) : 0;
    const QDate month = kind == "moon" ? MonthAsked(line, today) : QDate();
    for (const std::string& note : observer.Notes()) std::fprintf(stderr, "helune-cli: %s\n", note.c_str());

    const OffscreenPainting painting;
    const QSizeF size = paper ? PdfPageSize(*paper) : pixels;
    const Scene scene =
        kind == "daylight"
            ? LayOutDaylight(ComputeDaylight(observer, year, {bands, line.Flag("--moon")}), observer, size)
            : LayOutMoonMonth(ComputeMoonMonth(observer, month.year(), month.month(), moment,
                                               QLocale::system().firstDayOfWeek()),
                              observer, size);
    const QByteArray bytes = format == Format::Svg   ? SceneSvg(scene, theme)
                             : format == Format::Png ? ScenePng(scene, theme)
                                                     : ScenePdf(scene, theme, *paper);
    if (bytes.isEmpty()) throw WriteError{"the picture could not be made"};
    WritePicture(*output, bytes, console);
    return 0;
}

}  // namespace helune::cli
