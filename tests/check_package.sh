#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian packages from the build into a scratch folder, checks them
# with lintian (no error, no warning) and their descriptions as Debian's policy
# asks, unpacks them into a scratch root with dpkg -x, checks the programs'
# hardening and that they load the engine's shared library from its package,
# and runs helune-cli from there.
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
fail() { echo "$*" >&2; exit 1; }

# A synopsis under 80 characters, without an article or a full stop, that is
# not the product's name; then an extended description of its own.
for package in "${packages[@]}"; do
  name=$(dpkg-deb --field "$package" Package)
  description=$(dpkg-deb --field "$package" Description)
  synopsis=${description%%$'\n'*}
  extended=${description#*$'\n'}
  ((${#synopsis} < 80)) || fail "$name: synopsis of ${#synopsis} characters"
  [[ ! $synopsis =~ ^(A|An|The)[[:space:]] ]] || fail "$name: synopsis begins with an article: $synopsis"
  [[ $synopsis != *. ]] || fail "$name: synopsis ends with a full stop: $synopsis"
  [[ $synopsis != "Sun and Moon Helune" ]] || fail "$name: the synopsis is the product's name"
  [[ $extended != "$description" && $(wc -l <<<"$extended") -ge 2 ]] || fail "$name: no extended description"
  ! grep -q '^ *;' <<<"$extended" || fail "$name: a description line begins with ';'"
done

for package in "${packages[@]}"; do dpkg -x "$package" "$work/root"; done
library=$(find "$work/root/usr/lib" -name 'libhelune-ephemeris.so.*.*')
programs=("$work/root/usr/bin/helune" "$work/root/usr/bin/helune-cli" "$work/root/usr/libexec/helune/helune-render")

# Built as Debian builds: fortified, stack-protected, relocations read-only
# and bound at start, position independent. (Debian 12's flags do not ask for
# control-flow protection; the engine calls no function fortification guards.)
hardening-check --nocfprotection "${programs[@]}"
hardening-check --nocfprotection --nofortify "$library"

# One engine: each program loads the shared library the packages ship.
for program in "${programs[@]}"; do
  [[ $(readelf -d "$program") == *'(NEEDED)'*'[libhelune-ephemeris.so.0]'* ]] ||
    fail "${program##*/} does not load libhelune-ephemeris.so.0"
done
export LD_LIBRARY_PATH=${library%/*}

answer=$("$work/root/usr/bin/helune-cli" --version)
[[ $answer == "helune-cli $version" ]] || { echo "--version answered '$answer'" >&2; exit 1; }
for file in usr/bin/helune usr/libexec/helune/helune-render usr/share/man/man1/helune-cli.1.gz \
            usr/share/bash-completion/completions/helune-cli usr/include/helune/Almanac.h \
            usr/share/doc/helune/copyright; do
  [[ -e $work/root/$file ]] || { echo "missing from the packages: /$file" >&2; exit 1; }
done
[[ $("$work/root/usr/bin/helune-cli" day 2026-12-08 --place Oslo --format json) == *'"utc_offset": "+01:00"'* ]] ||
  fail "the packaged console does not answer Oslo's winter offset"
echo "packages: ${packages[*]##*/}"
