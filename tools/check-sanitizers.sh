#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole project built with AddressSanitizer and UndefinedBehaviorSanitizer
# in a build folder of its own, and every test run there; any report of either
# ends the test it comes from, and so fails the run. The tests that build an
# outside program against the installed engine, or make the Debian packages,
# are left to the plain build: sanitized libraries are for this build alone.
#   tools/check-sanitizers.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
jobs=$(nproc)
# GCC 12's instrumentation makes it see uninitialized members in std::variant
# where there are none; the plain build keeps that warning.
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -Wno-maybe-uninitialized"
# The sanitizers bring their own checks of what the fortified sources would check.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHELUNE_DEBIAN_FLAGS=OFF -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
# Only the summary when all pass; when some fail, what each of them printed.
cd "$build"
if ctest -j "$jobs" --output-on-failure -E '^(Consumer|Package)\.' >ctest.log 2>&1; then
  tail -n 3 ctest.log
else
  awk '/\*\*\*(Failed|Timeout|Exception|Not Run)/ {show = 1}
       /^ *Start +[0-9]+:|^ *[0-9]+\/[0-9]+ Test +#/ && !/\*\*\*/ {show = 0}
       show' ctest.log | tail -n 200
  sed -n "/tests passed, /,\$p" ctest.log
  exit 1
fi
