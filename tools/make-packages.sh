#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The three Debian packages, built as they ship: a build of what is packaged
# (no tests, no benchmarks) with Debian's hardening, then CPack and lintian.
# For another architecture (arm64 on an amd64 machine) the build is a cross
# build against that architecture's development packages (multiarch; see
# tools/install-deps.sh ARCH and tools/arm64-multiarch.cmake).
#   tools/make-packages.sh ARCH BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$1
build=$2
native=$(dpkg --print-architecture)

cross=()
if [[ $arch != "$native" ]]; then
  toolchain=tools/$arch-multiarch.cmake
  [[ -e $toolchain ]] || { echo "make-packages: no cross build for $arch (no $toolchain)" >&2; exit 2; }
  cross=(-DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain")
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "${cross[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
lintian --fail-on error,warning "$build"/*.deb 2> >(grep -v 'root privileges' >&2)
ls "$build"/*.deb
