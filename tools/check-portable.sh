#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The engine off x86-64 and off GCC: cross-compiled for aarch64 with Debian's
# g++-aarch64-linux-gnu, its tests run under qemu-user; then built with clang on
# this machine and tested. Both builds take the engine alone (no Qt).
#   tools/check-portable.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-portable}
jobs=$(nproc)

run() {
  local name=$1
  shift
  echo "== $name"
  cmake -S . -B "$build/$name" -DCMAKE_BUILD_TYPE=Release -DHELUNE_ENGINE_ONLY=ON "$@" >/dev/null
  cmake --build "$build/$name" -j "$jobs" >/dev/null
  (cd "$build/$name" && ctest --output-on-failure -j "$jobs" | tail -n 3)
}

run aarch64 -DCMAKE_TOOLCHAIN_FILE=tools/aarch64-linux-gnu.cmake -DHELUNE_GTEST_SOURCE=/usr/src/googletest
run clang -DCMAKE_CXX_COMPILER=clang++
