// SPDX-License-Identifier: MIT
// The console's gazetteer, made at build time from Debian's libgeonames: a
// line a city, KEY NAME STATE COUNTRY CODE ZONE LATITUDE LONGITUDE POPULATION
// parted by tabs, sorted by KEY (the name folded as the console folds what
// people type), so that a lookup is a binary search in the file rather than
// the library's own query, which folds every city's name each time (some 800
// million instructions a query).
//   helune-make-gazetteer OUTPUT
#include <geonames/geonames.h>

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "Folding.h"

namespace {

// A field as the file holds it: no tab nor line break inside.
QString Field(const char* text) {
    QString field = QString::fromUtf8(text ? text : "");
    field.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return field;
}

QString CityLine(int index) {
    GeonamesCity* city = geonames_get_city(index);
    const QString name = Field(geonames_city_get_name(city));
    const QString line = helune::cli::FoldedName(name) + '\t' + name + '\t' + Field(geonames_city_get_state(city)) + '\t' +
                         Field(geonames_city_get_country(city)) + '\t' + Field(geonames_city_get_country_code(city)) +
                         '\t' + Field(geonames_city_get_timezone(city)) + '\t' +
                         QString::number(geonames_city_get_latitude(city), 'f', 4) + '\t' +
                         QString::number(geonames_city_get_longitude(city), 'f', 4) + '\t' +
                         QString::number(geonames_city_get_population(city)) + '\n';
    geonames_city_free(city);
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: helune-make-gazetteer OUTPUT\n");
        return 2;
    }
    std::vector<QByteArray> lines;
    for (int i = 0; i < geonames_get_n_cities(); ++i) lines.push_back(CityLine(i).toUtf8());
    std::sort(lines.begin(), lines.end());
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly)) return 1;
    for (const QByteArray& line : lines) out.write(line);
    if (!out.commit()) {
        std::fprintf(stderr, "helune-make-gazetteer: %s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
