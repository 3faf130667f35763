#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Instructions a day of the window's work at Madrid, counted by callgrind (the
# same count on every run of the same build): each mode of
# helune-callgrind-days over DAYS consecutive dates, less a run of no dates.
#   tools/callgrind_days.sh [BUILD_DIR] [DAYS]
set -euo pipefail
build=${1:-build}
days=${2:-3650}
driver="$build/bench/helune-callgrind-days"
[[ -x $driver ]] || { echo "callgrind_days: $driver not built (make bench)" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "callgrind_days: valgrind is not installed" >&2; exit 2; }

count() {
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$driver" "$1" "$2" 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

for mode in events dayview table; do
  empty=$(count "$mode" 0)
  full=$(count "$mode" "$days")
  echo "$mode: $(( (full - empty) / days )) instructions a day over $days days"
done
