#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs bash's completion of helune-cli on a few command lines, as a user's TAB
# would, and checks what it offers.
#   tests/check_completion.sh DIRECTORY_OF_HELUNE_CLI COMPLETION_SCRIPT
set -uo pipefail
PATH="$1:$PATH"
source "$2"
failures=0

offers() {  # offers "EXPECTED WORDS" WORD... : the line's last word is being typed
  local expected=$1
  shift
  COMP_WORDS=(helune-cli "$@")
  COMP_CWORD=$#
  _helune_cli
  local got="${COMPREPLY[*]}"
  if [[ $got != "$expected" ]]; then
    echo "helune-cli $*<TAB>: offered '$got', expected '$expected'" >&2
    failures=$((failures + 1))
  fi
}

offers "now next" n
offers "full_moon" next full
offers "--format" day --for
offers "text json csv" day --format ""
offers "text json csv ics" phases 2026-01-01 2026-12-31 --format ""
offers "Europe/Madrid" day --tz Europe/Mad
offers "skip" wait sunset --if-missed s
offers "golden_hour" range 2026-01-01 2026-01-31 --altitude g
offers "civil_dawn civil_dusk" wait civ
offers "" calc 3
exit $((failures > 0))
