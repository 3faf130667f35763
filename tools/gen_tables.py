#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the engine's generated C++ tables from the raw coefficient data.

Each generated file comes from one function of GENERATED, which reads the data
directory and returns the file's whole text. Without options the files are
written (only when their text changed); with --check they are compared with the
committed ones instead.

Exit status: 0 when every file is written or matches; 1 when --check finds a
file that differs; 2 on malformed or missing data; 77 when --check finds no data
directory at all (the tests skip then).
"""

import argparse
import csv
import re
import sys
from pathlib import Path

REPO_ROOT = Path(__file__).resolve().parent.parent
DEFAULT_DATA_DIR = REPO_ROOT / "data"

EXIT_DIFFERS = 1
EXIT_BAD_DATA = 2
EXIT_SKIPPED = 77


class DataError(Exception):
    """The raw data is not what the generator expects."""


# ---------------------------------------------------------------------------
# VSOP87D, the Earth

VSOP_FILE = "VSOP87D.ear"
VSOP_RECORD_LENGTH = 132
VSOP_EARTH_BODY = "3"  # the body digit of a term record: Mercury 1, Venus 2, Earth 3
VSOP_EARTH_ROW = 2     # the Earth's row in the engine's tables (Mercury 0)
VSOP_ROWS = 9
VSOP_POWERS = 6
VSOP_BODIES = ["Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn",
               "Uranus", "Neptune", "reserved"]
INT16_MAX = 32767

# Coordinate number of the file (VARIABLE n) -> series letter and its meaning.
VSOP_COORDINATES = {1: ("L", "longitude"), 2: ("B", "latitude"), 3: ("R", "radius vector")}

# The series the Earth's file holds, in file order: L0..L5, B0..B4, R0..R5.
VSOP_EARTH_SERIES = ([(1, p) for p in range(6)] + [(2, p) for p in range(5)]
                     + [(3, p) for p in range(6)])

# The licence of the project, which the generated sources share.
SPDX_LINE = "// SPDX-License-Identifier: MIT"

VSOP_HEADER = re.compile(
    r" VSOP87 VERSION D4\s+EARTH\s+VARIABLE (\d) \(LBR\)\s+\*T\*\*(\d)\s+(\d+) TERMS")
VSOP_NUMBER = re.compile(r"-?\d+\.\d+")

# 0-based slices of the 1-based columns of a term record.
VSOP_FIELDS = {"A": slice(79, 97), "B": slice(97, 111), "C": slice(111, 131)}


def read_vsop_records(path):
    """The file's records, each checked for length; raises DataError."""
    if not path.is_file():
        raise DataError(f"{path}: file not found")
    try:
        records = path.read_text(encoding="ascii").split("\n")
    except UnicodeDecodeError as error:
        raise DataError(f"{path}: not ASCII text ({error.reason} at byte {error.start})")
    if records and records[-1] == "":
        records.pop()
    for number, record in enumerate(records, start=1):
        if len(record) != VSOP_RECORD_LENGTH:
            raise DataError(f"{path}:{number}: record of {len(record)} characters, "
                            f"expected {VSOP_RECORD_LENGTH}")
    return records


def parse_vsop_term(path, number, record, variable, power, index):
    """The (A, B, C) digit strings of one term record, checked against its series."""
    where = f"{path}:{number}"
    code = record[1:5]
    expected = f"4{VSOP_EARTH_BODY}{variable}{power}"
    if code != expected:
        raise DataError(f"{where}: term record starts '{code}', expected '{expected}' "
                        f"(a series has fewer terms than its header says?)")
    if record[5:10].strip() != str(index):
        raise DataError(f"{where}: term index '{record[5:10].strip()}', expected {index}")
    digits = []
    for name, columns in VSOP_FIELDS.items():
        text = record[columns].strip()
        if not VSOP_NUMBER.fullmatch(text):
            raise DataError(f"{where}: {name} is '{text}', not a decimal number")
        digits.append(text)
    return tuple(digits)


def parse_vsop_earth(path):
    """The Earth's series in file order: a list of (variable, power, terms)."""
    records = read_vsop_records(path)
    series = []
    position = 0
    for variable, power in VSOP_EARTH_SERIES:
        if position >= len(records):
            raise DataError(f"{path}: ends before the header of variable {variable} "
                            f"power {power}")
        header = VSOP_HEADER.match(records[position])
        if not header:
            raise DataError(f"{path}:{position + 1}: expected a series header, found "
                            f"'{records[position][:60].rstrip()}'")
        found = (int(header.group(1)), int(header.group(2)))
        if found != (variable, power):
            raise DataError(f"{path}:{position + 1}: header of variable {found[0]} power "
                            f"{found[1]}, expected variable {variable} power {power}")
        count = int(header.group(3))
        if not 0 < count <= INT16_MAX:
            raise DataError(f"{path}:{position + 1}: term count {count} out of range")
        if position + 1 + count > len(records):
            raise DataError(f"{path}:{position + 1}: header announces {count} terms, "
                            f"the file ends after {len(records) - position - 1}")
        terms = [parse_vsop_term(path, position + 2 + i, records[position + 1 + i],
                                 variable, power, i + 1)
                 for i in range(count)]
        series.append((variable, power, terms))
        position += 1 + count
    if position != len(records):
        raise DataError(f"{path}:{position + 1}: {len(records) - position} records after "
                        f"the last series, expected none")
    return series


def vsop_array_name(variable, power):
    return f"kEarth{VSOP_COORDINATES[variable][0]}{power}"


def vsop_term_arrays(series):
    lines = []
    for variable, power, terms in series:
        letter, meaning = VSOP_COORDINATES[variable]
        lines.append(f"// {letter}{power}: {meaning}, tau^{power}, {len(terms)} terms")
        lines.append(f"constexpr VsopTerm {vsop_array_name(variable, power)}[] = {{")
        lines.extend(f"    {{{a}, {b}, {c}}}," for a, b, c in terms)
        lines.append("};")
        lines.append("")
    return lines


def vsop_row_tables(series, variable):
    """The pointer and count tables of one coordinate, Earth's row filled."""
    letter = VSOP_COORDINATES[variable][0]
    present = {power: len(terms) for v, power, terms in series if v == variable}
    pointers = [vsop_array_name(variable, p) if p in present else "nullptr"
                for p in range(VSOP_POWERS)]
    counts = [str(present.get(p, 0)) for p in range(VSOP_POWERS)]
    lines = [f"const VsopTerm* const VsopSeries{letter}[kVsopRows][kVsopPowers] = {{"]
    lines += vsop_rows(", ".join(pointers))
    lines += ["};", "",
              f"const int16_t VsopCount{letter}[kVsopRows][kVsopPowers] = {{"]
    lines += vsop_rows(", ".join(counts))
    lines += ["};", ""]
    return lines


def vsop_rows(earth_row):
    """One line per body row: the Earth's given, every other one empty."""
    return [f"    {{{earth_row if row == VSOP_EARTH_ROW else ''}}},  // {row} {body}"
            for row, body in enumerate(VSOP_BODIES)]


def vsop_earth_source(data_dir):
    series = parse_vsop_earth(data_dir / VSOP_FILE)
    total = sum(len(terms) for _, _, terms in series)
    lines = [
        SPDX_LINE,
        f"// Generated by tools/gen_tables.py from {VSOP_FILE}; do not edit. "
        "Regenerate: python3 tools/gen_tables.py",
        f"// The Earth's {total} periodic terms of VSOP87D {{A, B, C}} in the file's order",
        "// and digits; each adds A·cos(B + C·tau) to its series.",
        "#include \"VSOPEarD.h\"",
        "",
        "namespace helune {",
        "",
        "namespace {",
        "",
    ]
    lines += vsop_term_arrays(series)
    lines += ["}  // namespace", ""]
    for variable in VSOP_COORDINATES:
        lines += vsop_row_tables(series, variable)
    lines.append("}  // namespace helune")
    return "\n".join(lines) + "\n"


# ---------------------------------------------------------------------------
# The Moon: Meeus, Astronomical Algorithms, tables 47.A and 47.B

LUNA_TERMS = 60
LUNA_LR_FILE = "elp_meeus_47a.csv"
LUNA_B_FILE = "elp_meeus_47b.csv"
LUNA_MULTIPLIERS = ["D", "M", "Mp", "F"]


def scaled_decimal(integer_text, decimals):
    """The published integer times 10^-decimals, written exactly as a decimal."""
    value = int(integer_text)
    sign = "-" if value < 0 else ""
    digits = str(abs(value)).rjust(decimals + 1, "0")
    return f"{sign}{digits[:-decimals]}.{digits[-decimals:]}"


def read_lunar_csv(path, columns):
    """The rows of one lunar table, each checked to be integers in its columns."""
    if not path.is_file():
        raise DataError(f"{path}: file not found")
    with path.open(newline="", encoding="ascii") as f:
        reader = csv.DictReader(f)
        if reader.fieldnames != columns:
            raise DataError(f"{path}: columns {reader.fieldnames}, expected {columns}")
        rows = list(reader)
    if len(rows) != LUNA_TERMS:
        raise DataError(f"{path}: {len(rows)} terms, expected {LUNA_TERMS}")
    for number, row in enumerate(rows, start=2):
        if any(not re.fullmatch(r"-?\d+", row[c] or "") for c in columns):
            raise DataError(f"{path}:{number}: not {len(columns)} whole numbers")
        if any(abs(int(row[c])) > 4 for c in LUNA_MULTIPLIERS):
            raise DataError(f"{path}:{number}: a multiplier beyond 4")
    return rows


def luna_multiplier_rows(rows):
    return [f"    {{{', '.join(f'{int(r[c]):2d}' for c in LUNA_MULTIPLIERS)}}},  // {i}"
            for i, r in enumerate(rows, start=1)]


def luna_source(data_dir):
    lr = read_lunar_csv(data_dir / LUNA_LR_FILE, LUNA_MULTIPLIERS + ["sigma_l", "sigma_r"])
    b = read_lunar_csv(data_dir / LUNA_B_FILE, LUNA_MULTIPLIERS + ["sigma_b"])
    lines = [
        SPDX_LINE,
        f"// Generated by tools/gen_tables.py from {LUNA_LR_FILE} and {LUNA_B_FILE}; do not edit. "
        "Regenerate: python3 tools/gen_tables.py",
        "// The periodic terms of the truncated ELP-2000/82 lunar theory (Meeus, Astronomical",
        "// Algorithms, 2nd ed., tables 47.A and 47.B) in the published order; amplitudes are",
        "// the published integers scaled to degrees (x 1e-6) and kilometres (x 1e-3).",
        "#include \"Positions.h\"",
        "",
        "namespace helune {",
        "",
        "// Multipliers of D, M, M', F for longitude and distance.",
        "const int16_t LunaTermsLR[kLunaTerms][4] = {",
        *luna_multiplier_rows(lr),
        "};",
        "",
        "// Longitude (degrees) and distance (kilometres) amplitudes.",
        "const double LunaAmplitudesLR[kLunaTerms][2] = {",
        *[f"    {{{scaled_decimal(r['sigma_l'], 6)}, {scaled_decimal(r['sigma_r'], 3)}}},  // {i}"
          for i, r in enumerate(lr, start=1)],
        "};",
        "",
        "// Multipliers of D, M, M', F for latitude.",
        "const int16_t LunaTermsB[kLunaTerms][4] = {",
        *luna_multiplier_rows(b),
        "};",
        "",
        "// Latitude amplitudes (degrees).",
        "const double LunaAmplitudesB[kLunaTerms] = {",
        *[f"    {scaled_decimal(r['sigma_b'], 6)},  // {i}" for i, r in enumerate(b, start=1)],
        "};",
        "",
        "}  // namespace helune",
    ]
    return "\n".join(lines) + "\n"


# ---------------------------------------------------------------------------
# ΔT measured: USNO's monthly values, then one a year from IERS Bulletin A

DELTAT_MONTHLY_FILE = "deltat/deltat_usno_monthly.txt"
DELTAT_YEARLY_FILE = "deltat/yearly_since_2020.txt"
DELTAT_FIRST = (1988, 1, 1)  # the measured values take over from the polynomials here
DELTAT_ROW = re.compile(r"\s*(\d{4})\s+(\d{1,2})\s+(\d{1,2})\s+(\d+\.\d+)\s*")


def gregorian_julian_day(year, month, day):
    """The Julian day of 0h of a Gregorian date (Meeus, Astronomical Algorithms, ch. 7)."""
    if month <= 2:
        year, month = year - 1, month + 12
    century = year // 100
    return (int(365.25 * (year + 4716)) + int(30.6001 * (month + 1)) + day
            + 2 - century + century // 4 - 1524.5)


def read_deltat_rows(path):
    """(year, month, day, seconds text) of each data line; '#' starts a comment."""
    if not path.is_file():
        raise DataError(f"{path}: file not found")
    rows = []
    for number, line in enumerate(path.read_text(encoding="ascii").splitlines(), start=1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        match = DELTAT_ROW.fullmatch(line)
        if not match:
            raise DataError(f"{path}:{number}: not 'YEAR MONTH DAY SECONDS'")
        year, month, day = (int(match.group(i)) for i in (1, 2, 3))
        if not (1 <= month <= 12 and day == 1):
            raise DataError(f"{path}:{number}: {year}-{month}-{day} is not the first of a month")
        rows.append((year, month, day, match.group(4)))
    return rows


def deltat_source(data_dir):
    monthly = [r for r in read_deltat_rows(data_dir / DELTAT_MONTHLY_FILE) if r[:3] >= DELTAT_FIRST]
    yearly = read_deltat_rows(data_dir / DELTAT_YEARLY_FILE)
    rows = monthly + yearly
    if not monthly or monthly[0][:3] != DELTAT_FIRST:
        raise DataError(f"{DELTAT_MONTHLY_FILE}: no value for {DELTAT_FIRST}")
    for before, after in zip(rows, rows[1:]):
        if after[:3] <= before[:3]:
            raise DataError(f"ΔT dates not ascending at {after[0]}-{after[1]:02d}-{after[2]:02d}")
    lines = [
        SPDX_LINE,
        f"// Generated by tools/gen_tables.py from {DELTAT_MONTHLY_FILE} and {DELTAT_YEARLY_FILE};",
        "// do not edit. Regenerate: python3 tools/gen_tables.py",
        "// ΔT = TT − UT1 as measured: the U.S. Naval Observatory's monthly determinations",
        f"// from {DELTAT_FIRST[0]}, then one value a year from IERS Bulletin A. {{Julian day of 0h UT,",
        "// seconds}, ascending.",
        "#include \"DeltaTTable.h\"",
        "",
        "namespace helune {",
        "",
        f"const DeltaTSample MeasuredDeltaT[kMeasuredDeltaTCount] = {{",
        *[f"    {{{gregorian_julian_day(y, m, d):.1f}, {seconds}}},  // {y}-{m:02d}-{d:02d}"
          for y, m, d, seconds in rows],
        "};",
        "",
        "}  // namespace helune",
    ]
    header = [
        SPDX_LINE,
        "// Generated by tools/gen_tables.py; do not edit.",
        "// ΔT = TT − UT1 as measured, for DeltaT (Calendar.cpp): see DeltaTTable.cpp.",
        "#pragma once",
        "",
        "#include \"Calendar.h\"",
        "",
        "namespace helune {",
        "",
        "struct DeltaTSample {",
        "    JulianDay jd;    // 0h UT of the first of a month",
        "    double seconds;  // TT − UT1",
        "};",
        "",
        f"inline constexpr int kMeasuredDeltaTCount = {len(rows)};",
        "extern const DeltaTSample MeasuredDeltaT[kMeasuredDeltaTCount];",
        "",
        "}  // namespace helune",
    ]
    return "\n".join(header) + "\n", "\n".join(lines) + "\n"


def deltat_header(data_dir):
    return deltat_source(data_dir)[0]


def deltat_table(data_dir):
    return deltat_source(data_dir)[1]


# ---------------------------------------------------------------------------

# (path relative to the repository root, function of the data directory that
# returns the file's text)
GENERATED = [
    ("ephemeris/VSOPEarD_terms.cpp", vsop_earth_source),
    ("ephemeris/LunaTerms.cpp", luna_source),
    ("ephemeris/DeltaTTable.h", deltat_header),
    ("ephemeris/DeltaTTable.cpp", deltat_table),
]


def first_difference(old, new):
    """The 1-based number of the first line where two texts differ."""
    old_lines, new_lines = old.splitlines(), new.splitlines()
    for number, (a, b) in enumerate(zip(old_lines, new_lines), start=1):
        if a != b:
            return number
    return min(len(old_lines), len(new_lines)) + 1


def check(outputs):
    differing = 0
    for relative, text in outputs:
        target = REPO_ROOT / relative
        if not target.is_file():
            print(f"gen_tables: {relative} is missing; run python3 tools/gen_tables.py",
                  file=sys.stderr)
            differing += 1
            continue
        committed = target.read_text(encoding="utf-8")
        if committed != text:
            print(f"gen_tables: {relative} differs from what the data gives, first at "
                  f"line {first_difference(committed, text)}; run python3 tools/gen_tables.py",
                  file=sys.stderr)
            differing += 1
    if differing:
        return EXIT_DIFFERS
    print(f"gen_tables: {len(outputs)} generated file(s) match the data")
    return 0


def write(outputs):
    for relative, text in outputs:
        target = REPO_ROOT / relative
        if target.is_file() and target.read_text(encoding="utf-8") == text:
            print(f"gen_tables: {relative} unchanged")
            continue
        target.write_text(text, encoding="utf-8")
        print(f"gen_tables: wrote {relative}")
    return 0


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed files instead of writing them")
    parser.add_argument("--data", type=Path, default=DEFAULT_DATA_DIR,
                        help=f"raw data directory (default: {DEFAULT_DATA_DIR})")
    args = parser.parse_args(argv)

    if not args.data.is_dir():
        print(f"gen_tables: data directory {args.data} not found", file=sys.stderr)
        return EXIT_SKIPPED if args.check else EXIT_BAD_DATA
    try:
        outputs = [(relative, generate(args.data)) for relative, generate in GENERATED]
    except DataError as error:
        print(f"gen_tables: bad data: {error}", file=sys.stderr)
        return EXIT_BAD_DATA
    return check(outputs) if args.check else write(outputs)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
