#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the completion of helune-cli in bash, zsh and fish on a few command
# lines, as a user's TAB would, and checks what each offers: the words, and in
# zsh and fish their meanings; file names after --output. A shell that is not
# installed is said and passed over.
#   tests/check_completion.sh DIRECTORY_OF_HELUNE_CLI COMPLETIONS_FOLDER
set -uo pipefail
PATH="$(cd "$1" && pwd):$PATH"
folder=$(cd "$2" && pwd)
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/chart.png" "$work/chart.svg"

compare() {  # compare SHELL LINE GOT EXPECTED
  if [[ $3 != "$4" ]]; then
    echo "$1: helune-cli $2<TAB>: offered '$3', expected '$4'" >&2
    failures=$((failures + 1))
  fi
}

source "$folder/helune-cli.bash"
bash_offers() {  # bash_offers "EXPECTED WORDS" WORD... : the line's last word is being typed
  local expected=$1
  shift
  COMP_WORDS=(helune-cli "$@")
  COMP_CWORD=$#
  _helune_cli
  compare bash "$*" "${COMPREPLY[*]}" "$expected"
}

bash_offers "now next" n
bash_offers "full_moon" next full
bash_offers "--format" day --for
bash_offers "text json csv" day --format ""
bash_offers "text json csv ics" phases 2026-01-01 2026-12-31 --format ""
bash_offers "Europe/Madrid" day --tz Europe/Mad
bash_offers "skip" wait sunset --if-missed s
bash_offers "golden_hour" range 2026-01-01 2026-01-31 --altitude g
bash_offers "civil_dawn civil_dusk" wait civ
bash_offers "sunrise,sunset" range 2026-01-01 2026-01-31 --columns sunrise,suns
bash_offers "" calc 3
bash_offers "$work/chart.png" render --output "$work/chart.p"

if command -v zsh >/dev/null; then
  zsh_offers() {  # zsh_offers "EXPECTED NAME:MEANING..." WORD...
    local expected=$1
    shift
    local got
    got=$(zsh -f -c '
      _describe() { print -r -- "${(j: :)${(@P)4}}" }
      _files() { print -r -- "(files)" }
      words=(helune-cli "$@")
      CURRENT=$#words
      source "'"$folder/_helune-cli"'"' zsh "$@")
    compare zsh "$*" "$got" "$expected"
  }
  zsh_offers "now:the Sun and the Moon at an instant next:the next events as ISO 8601 times" n
  zsh_offers "--format:the format of the answer" day --for
  zsh_offers "skip:wait for the next" wait sunset --if-missed s
  zsh_offers "(files)" render --output ch
else
  echo "zsh is not installed: its completion is not tried" >&2
fi

if command -v fish >/dev/null; then
  fish_offers() {  # fish_offers "EXPECTED NAME<TAB>MEANING;..." LINE
    local got
    got=$(cd "$work" && fish --no-config -c "source '$folder/helune-cli.fish'; complete -C'helune-cli $2'" | paste -sd ';')
    compare fish "$2" "$got" "$1"
  }
  fish_offers $'next\tthe next events as ISO 8601 times;now\tthe Sun and the Moon at an instant' "n"
  fish_offers $'--format\tthe format of the answer' "day --for"
  fish_offers $'chart.png;chart.svg' "render --output ch"
else
  echo "fish is not installed: its completion is not tried" >&2
fi
exit $((failures > 0))
