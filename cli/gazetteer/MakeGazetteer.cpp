// SPDX-License-Identifier: MIT
// The console's gazetteer, made at build time from Debian's libgeonames, as a
// file sorted by KEY (a name folded as the console folds what people type), so
// that a lookup is a binary search in the file rather than the library's own
// query, which folds every city's name each time (some 800 million
// instructions a query). Two kinds of line, fields parted by tabs:
//   KEY NAME STATE COUNTRY CODE ZONE LATITUDE LONGITUDE POPULATION
//     a city by its English name;
//   KEY @OFFSET
//     the same city by a name of another language (München, Wien, Москва),
//     OFFSET the byte of the file where the city's own line begins, written
//     with kOffsetDigits digits so that every line's length is known before
//     the offsets are.
//   helune-make-gazetteer OUTPUT
#include <geonames/geonames.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <tuple>
#include <vector>

#include "Folding.h"

namespace {

constexpr int kOffsetDigits = 8;
// Where the library's translations of its names are installed.
constexpr const char* kLocaleFolder = "/usr/share/locale";

// A field as the file holds it: no tab nor line break inside.
QString Field(const char* text) {
    QString field = QString::fromUtf8(text ? text : "");
    field.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return field;
}

QByteArray Key(const char* name) { return helune::cli::FoldedName(Field(name)).toUtf8(); }

struct Line {
    QByteArray key;
    QByteArray rest;  // a city's fields after its key; empty for another name of a city
    int city;
    auto Order() const { return std::tie(key, rest, city); }
};

Line CityLine(int index) {
    GeonamesCity* city = geonames_get_city(index);
    const QString rest = Field(geonames_city_get_name(city)) + '\t' + Field(geonames_city_get_state(city)) + '\t' +
                         Field(geonames_city_get_country(city)) + '\t' + Field(geonames_city_get_country_code(city)) +
                         '\t' + Field(geonames_city_get_timezone(city)) + '\t' +
                         QString::number(geonames_city_get_latitude(city), 'f', 4) + '\t' +
                         QString::number(geonames_city_get_longitude(city), 'f', 4) + '\t' +
                         QString::number(geonames_city_get_population(city));
    Line line{Key(geonames_city_get_name(city)), rest.toUtf8(), index};
    geonames_city_free(city);
    return line;
}

// The languages the library has names in.
QStringList Languages() {
    QStringList languages;
    for (const QString& language : QDir(kLocaleFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (QFile::exists(QString("%1/%2/LC_MESSAGES/geonames.mo").arg(kLocaleFolder, language)))
            languages << language;
    return languages;
}

// Each city's names in the other languages that fold otherwise than its own.
// The library translates through gettext, which reads LANGUAGE under any
// locale but C and takes a changed LANGUAGE only when the locale is set anew.
std::set<std::pair<QByteArray, int>> OtherNames(const std::vector<Line>& own) {
    std::set<std::pair<QByteArray, int>> names;
    for (const QString& language : Languages()) {
        setenv("LANGUAGE", language.toUtf8().constData(), 1);
        std::setlocale(LC_ALL, "C");
        std::setlocale(LC_ALL, "C.UTF-8");
        for (const Line& line : own) {
            GeonamesCity* city = geonames_get_city(line.city);
            const QByteArray key = Key(geonames_city_get_name(city));
            geonames_city_free(city);
            if (!key.isEmpty() && key != line.key) names.emplace(key, line.city);
        }
    }
    std::setlocale(LC_ALL, "C");
    return names;
}

// The file's text: the lines in order of key, each other name pointing at its city's line.
QByteArray Text(std::vector<Line> lines) {
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.Order() < b.Order(); });
    std::vector<qsizetype> offsetOfCity(lines.size());
    qsizetype offset = 0;
    for (const Line& line : lines) {
        if (!line.rest.isEmpty()) offsetOfCity[line.city] = offset;
        offset += line.key.size() + 1 + (line.rest.isEmpty() ? 1 + kOffsetDigits : line.rest.size()) + 1;
    }
    QByteArray text;
    text.reserve(offset);
    for (const Line& line : lines)
        text += line.key + '\t' +
                (line.rest.isEmpty() ? '@' + QByteArray::number(offsetOfCity[line.city]).rightJustified(kOffsetDigits, '0')
                                     : line.rest) +
                '\n';
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: helune-make-gazetteer OUTPUT\n");
        return 2;
    }
    std::vector<Line> lines;
    for (int i = 0; i < geonames_get_n_cities(); ++i) lines.push_back(CityLine(i));
    for (const auto& [key, city] : OtherNames(lines)) lines.push_back({key, {}, city});
    const QByteArray text = Text(std::move(lines));
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        std::fprintf(stderr, "helune-make-gazetteer: %s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
