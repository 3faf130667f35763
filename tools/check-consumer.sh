#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Uses the engine as an outside project would: installs the build into a
# scratch prefix, then builds examples/ against it with CMake's
# find_package(Helune), and the same program with pkg-config, shared and
# static, and runs each: the C++ standard comes from the target and from the
# pkg-config file, not from the program's own build.
#   tools/check-consumer.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
installed=$(cd "$work/prefix/include/helune" && ls | tr '\n' ' ')
public="Almanac.h Calendar.h Codes.h Corrections.h Efemerides.h Events.h HeluneApi.h PhaseCodes.h TimeScales.h "
[[ $installed == "$public" ]] || { echo "installed headers: $installed, not $public" >&2; exit 1; }

expect() {  # program: its lines for Madrid from 8 December 2026 (USNO: full moon 24 December 01:28 UT)
  local out
  out=$("$@" 40.4168 -3.7038 2026-12-08)
  grep -q '^  next sunrise    2026-12-08 07:2[4-6]:[0-9][0-9] UT$' <<<"$out" || { echo "unexpected: $out" >&2; exit 1; }
  grep -q '^  next full moon  2026-12-24 01:2[89]:[0-9][0-9] UT$' <<<"$out" || { echo "unexpected: $out" >&2; exit 1; }
}

cmake -S "$source/examples" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
expect "$work/cmake/next-events"
echo "find_package(Helune): built and ran"

export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$work/prefix" -name helune-ephemeris.pc)")
read -r -a flags <<<"$(pkg-config --cflags --libs helune-ephemeris)"
g++ "$source/examples/next_events.cpp" "${flags[@]}" -o "$work/shared"
LD_LIBRARY_PATH=$(pkg-config --variable=libdir helune-ephemeris) expect "$work/shared"
g++ "$source/examples/next_events.cpp" $(pkg-config --cflags helune-ephemeris) \
  "$(pkg-config --variable=libdir helune-ephemeris)/libhelune-ephemeris.a" -lm -o "$work/static"
expect "$work/static"
echo "pkg-config: built and ran, shared and static"
