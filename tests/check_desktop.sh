#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The desktop entry validates with no remark at all and names the class of the
# program's windows; the software-centre description validates with no error
# or warning (offline: its screenshot is not fetched) and its newest release
# note is CHANGELOG.md's section of the version; the manual pages' NAME lines
# are what apropos finds them by.
#   tests/check_desktop.sh DESKTOP_FILE METAINFO_FILE WINDOW_CLASS CHANGELOG VERSION MANUAL_PAGE...
set -euo pipefail
desktop=$1 metainfo=$2 class=$3 changelog=$4 version=$5
shift 5
fail() { echo "$*" >&2; exit 1; }

remarks=$(desktop-file-validate "$desktop" 2>&1) || fail "$remarks"
[[ -z $remarks ]] || fail "$remarks"
grep -qx "StartupWMClass=$class" "$desktop" || fail "the entry names no StartupWMClass=$class"

appstreamcli validate --no-net "$metainfo"
newest=$(grep -m1 '<release ' "$metainfo")
[[ $newest == *"version=\"$version\""* ]] || fail "the newest release note is not $version's: $newest"
# The first item of the version's section, as the notes write it (code marks dropped).
# (sed stops at the first: a reader that quits early would break the pipe under pipefail.)
item=$(sed -n "/^## $version /,/^## /{/^- /{s/^- //p;q}}" "$changelog" | tr -d '`' | cut -c1-60)
grep -qF "<li>$item" "$metainfo" || fail "the release notes lack CHANGELOG.md's '$item'"

for page in "$@"; do
  whatis=$(lexgrog "$page")
  [[ $whatis == *sunrise* && $whatis == *moon* ]] || fail "apropos would not find $page by sunrise and moon: $whatis"
done
