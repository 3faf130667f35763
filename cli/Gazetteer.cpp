// SPDX-License-Identifier: MIT
#include "Gazetteer.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace helune::cli {

namespace {

constexpr std::size_t kFields = 9;
constexpr std::size_t kMostChanges = 2;
constexpr qint64 kLargestFile = 64 << 20;  // far more than the gazetteer, far less than memory

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::optional<City> CityOf(std::string_view line) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != kFields) return std::nullopt;
    const auto text = [](std::string_view v) { return std::string(v); };
    return City{text(f[1]), text(f[2]), text(f[3]), text(f[4]), text(f[5]),
                std::strtod(text(f[6]).c_str(), nullptr), std::strtod(text(f[7]).c_str(), nullptr),
                std::strtol(text(f[8]).c_str(), nullptr, 10)};
}

// Where the city of a line of another name has its own line ("munchen\t@00123456").
std::optional<std::size_t> OffsetOf(std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.substr(tab + 1, 1) != "@") return std::nullopt;
    return std::strtoull(std::string(line.substr(tab + 2)).c_str(), nullptr, 10);
}

std::string_view KeyOf(std::string_view line) { return line.substr(0, line.find('\t')); }

// The line of text that holds at, and where it begins.
std::string_view LineAt(std::string_view text, std::size_t at, std::size_t& begin) {
    begin = text.rfind('\n', at == 0 ? 0 : at - 1);
    begin = begin == std::string_view::npos || at == 0 ? 0 : begin + 1;
    const std::size_t end = text.find('\n', begin);
    return text.substr(begin, end == std::string_view::npos ? end : end - begin);
}

// The city a line names, by its own name or by another: the city's line.
std::optional<City> CityOf(std::string_view text, std::string_view line) {
    const std::optional<std::size_t> offset = OffsetOf(line);
    if (!offset) return CityOf(line);
    if (*offset >= text.size()) return std::nullopt;
    std::size_t begin = 0;
    return CityOf(LineAt(text, *offset, begin));
}

// Letters to change, add or take away to make a into b (Levenshtein).
std::size_t Changes(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

bool MorePopulous(const City& a, const City& b) { return a.population > b.population; }

bool SameCity(const City& a, const City& b) {
    return a.name == b.name && a.latitude == b.latitude && a.longitudeEast == b.longitudeEast;
}

}  // namespace

Gazetteer::Gazetteer(const std::string& path) : file_(std::make_unique<QFile>(QString::fromStdString(path))) {
    // Only a regular file of sensible size: a FIFO would block, a huge file is no gazetteer.
    if (!QFileInfo(file_->fileName()).isFile() || !file_->open(QIODevice::ReadOnly) || file_->size() >= kLargestFile)
        return;
    if (const uchar* mapped = file_->map(0, file_->size()))
        text_ = std::string_view(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(file_->size()));
}

std::string Gazetteer::DefaultPath() {
    if (const char* named = std::getenv("HELUNE_GAZETTEER"); named && *named) return named;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path beside = program.parent_path() / "helune-places.tsv";
    if (std::filesystem::is_regular_file(beside, error)) return beside.string();
    return (program.parent_path().parent_path() / "share/helune-cli/places.tsv").string();
}

std::size_t Gazetteer::Size() const {
    std::size_t otherNames = 0;
    for (std::size_t at = text_.find("\t@"); at != std::string_view::npos; at = text_.find("\t@", at + 1)) ++otherNames;
    return static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) - otherNames;
}

std::vector<City> Gazetteer::Named(const std::string& folded) const { return Cities(folded, false); }

std::vector<City> Gazetteer::AlsoNamed(const std::string& folded) const { return Cities(folded, true); }

std::vector<City> Gazetteer::Cities(const std::string& folded, bool otherNames) const {
    const std::string_view text = text_;
    // The first line whose key is not below folded, by halving the text.
    std::size_t lo = 0, hi = text.size();
    while (lo < hi) {
        std::size_t begin = 0;
        const std::string_view line = LineAt(text, (lo + hi) / 2, begin);
        if (KeyOf(line) >= folded)
            hi = begin;
        else
            lo = begin + line.size() + 1;
    }
    std::vector<City> cities;
    for (std::size_t at = lo; at < text.size();) {
        std::size_t begin = 0;
        const std::string_view line = LineAt(text, at, begin);
        if (KeyOf(line) != folded) break;
        if (OffsetOf(line).has_value() == otherNames)
            if (const auto city = CityOf(text, line)) cities.push_back(*city);
        at = begin + line.size() + 1;
    }
    std::stable_sort(cities.begin(), cities.end(), MorePopulous);
    return cities;
}

std::vector<City> Gazetteer::Nearest(const std::string& folded, std::size_t count) const {
    struct Near {
        std::size_t changes;
        City city;
    };
    std::vector<Near> near;
    const std::string_view text = text_;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::string_view line = text.substr(begin, end - begin);
        const std::string_view key = KeyOf(line);
        begin = end + 1;
        const bool close = key.size() + kMostChanges >= folded.size() && key.size() <= folded.size() + kMostChanges;
        const std::size_t changes = key.rfind(folded, 0) == 0 ? 1 : close ? Changes(key, folded) : kMostChanges + 1;
        if (changes <= kMostChanges)
            if (const auto city = CityOf(text, line)) near.push_back({changes, *city});
    }
    std::stable_sort(near.begin(), near.end(), [](const Near& a, const Near& b) {
        return a.changes != b.changes ? a.changes < b.changes : MorePopulous(a.city, b.city);
    });
    // A city near by several of its names is offered once, by the nearest.
    std::vector<City> cities;
    for (std::size_t i = 0; i < near.size() && cities.size() < count; ++i)
        if (std::none_of(cities.begin(), cities.end(), [&](const City& c) { return SameCity(c, near[i].city); }))
            cities.push_back(near[i].city);
    return cities;
}

}  // namespace helune::cli
