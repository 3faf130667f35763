#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fuzzes the engine's interval interface with libFuzzer under AddressSanitizer
# and UndefinedBehaviorSanitizer for a while (60 s unless given): any instants,
# intervals, altitudes and places, each answer checked (tests/fuzz_almanac.cpp).
# Needs clang and its fuzzer runtime (Debian's clang, libclang-rt-14-dev).
#   tools/fuzz_almanac.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/build"
# The engine's exported header, as CMake generates it for a static build.
printf '#pragma once\n#define HELUNE_API\n' >"$work/build/HeluneApi.h"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Iephemeris -I"$work/build" tests/fuzz_almanac.cpp ephemeris/*.cpp -o "$work/fuzz_almanac"
status=0
"$work/fuzz_almanac" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || status=$?
# The run's figures, and what went wrong if anything did.
grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' "$work/log" || true
if ((status != 0)); then
  grep -vE '^(#[0-9]+ |INFO:)' "$work/log" | head -n 60 >&2
  for found in "$work"/crash-* "$work"/timeout-* "$work"/oom-*; do [[ -e $found ]] && od -An -tx1 "$found" | head -n 4 >&2; done
fi
exit "$status"
