#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian packages from the build into a scratch folder, checks them
# with lintian (no error, no warning), unpacks them into a scratch root with
# dpkg -x, and runs helune-cli from there.
#   tests/check_package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/packages" >/dev/null
shopt -s nullglob
packages=("$work"/packages/*.deb)
((${#packages[@]} == 3)) || { echo "expected 3 packages, made: ${packages[*]##*/}" >&2; exit 1; }
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "${packages[@]}" 2> >(grep -v 'root privileges' >&2)
fi
for package in "${packages[@]}"; do dpkg -x "$package" "$work/root"; done

answer=$("$work/root/usr/bin/helune-cli" --version)
[[ $answer == "helune-cli $version" ]] || { echo "--version answered '$answer'" >&2; exit 1; }
for file in usr/bin/helune usr/libexec/helune/helune-render usr/share/man/man1/helune-cli.1.gz \
            usr/share/bash-completion/completions/helune-cli usr/include/helune/Almanac.h \
            usr/share/doc/helune/copyright; do
  [[ -e $work/root/$file ]] || { echo "missing from the packages: /$file" >&2; exit 1; }
done
"$work/root/usr/bin/helune-cli" day 2026-12-08 --place Oslo --format json | grep -q '"utc_offset": "+01:00"'
echo "packages: ${packages[*]##*/}"
