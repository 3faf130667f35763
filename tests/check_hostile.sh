#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The console against what a careless script or a hostile value gives it: a
# comma locale, empty values, endless input, output that cannot be written, a
# full disk, no fonts.
# Each case: the status and one line on standard error, or the answer.
#   tests/check_hostile.sh HELUNE_CLI
set -uo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config TZ=Europe/Madrid
failures=0
fail() { echo "$*" >&2; failures=$((failures + 1)); }

# expect STATUS STDERR-REGEX -- COMMAND...: the status, and standard error as one matching line.
expect() {
  local status=$1 pattern=$2
  shift 3
  local err
  err=$(timeout 60 "$@" 2>&1 >/dev/null)
  local got=$?
  [[ $got == "$status" ]] || fail "$*: status $got, expected $status ($err)"
  [[ $err =~ $pattern ]] || fail "$*: stderr '$err' does not match '$pattern'"
  [[ $(wc -l <<<"$err") == 1 || -z $err ]] || fail "$*: more than one line on stderr: $err"
}
madrid=(--lat 40.4168 --lon -3.7038 --tz Europe/Madrid)

# A comma locale: numbers are still read in the C notation, whole.
localedef -i de_DE -f UTF-8 "$work/de_DE.UTF-8" 2>/dev/null || fail "localedef could not make de_DE.UTF-8"
json=$(LOCPATH=$work LC_ALL=de_DE.UTF-8 "$cli" day 2026-12-08 "${madrid[@]}" --altitude 6.5 --format json)
grep -q '"latitude": 40.4168,' <<<"$json" || fail "comma locale: latitude not 40.4168"
grep -q '"longitude": -3.7038,' <<<"$json" || fail "comma locale: longitude not -3.7038"
grep -q '"rising_at_+6.5"' <<<"$json" || fail "comma locale: --altitude 6.5 not read"
expect 2 "^helune-cli: --offset: '-30,5' is not a number of minutes within a year$" -- \
  env LOCPATH="$work" LC_ALL=de_DE.UTF-8 "$cli" wait sunset --offset -30,5 "${madrid[@]}"
expect 2 "^helune-cli: --offset: '0x10' is not a number" -- "$cli" wait sunset --offset 0x10 "${madrid[@]}"
expect 2 "^helune-cli: --offset: '1.3e8' is not a number" -- "$cli" wait sunset --offset 1.3e8 "${madrid[@]}"
expect 2 "^helune-cli: --offset: '130000000' is not a number of minutes within a year$" -- \
  "$cli" wait sunset --offset 130000000 "${madrid[@]}"

# Long values: refused in one line that quotes their start.
long=$(printf '1%.0s' {1..400})
expect 2 "^helune-cli: --lat: '1{40}…' is not a number of degrees$" -- "$cli" day --lat "$long" --lon 0
huge=$(printf 'x%.0s' {1..40000})
expect 2 "^helune-cli: --tz: 'x{40}…' is not a zone" -- "$cli" day --tz "$huge" --lat 1 --lon 1

# Zones: only the database's names; what a word may have meant.
expect 2 "perhaps America/Los_Angeles" -- "$cli" day --tz PST --lat 1 --lon 1
expect 2 "perhaps Europe/Madrid$" -- "$cli" day --tz Madrid --lat 1 --lon 1
expect 2 "^helune-cli: --tz: 'UTC\+23:59' is not a zone" -- "$cli" day --tz UTC+23:59 --lat 1 --lon 1
expect 0 "" -- "$cli" day 2026-12-08 --tz EST --lat 1 --lon 1

# Empty values are not "not given".
expect 2 "^helune-cli: --lat: the value is empty$" -- "$cli" day --lat "" --lon 1
expect 2 "^helune-cli: --tz: the value is empty$" -- "$cli" day --tz "" --lat 1 --lon 1
expect 2 "^helune-cli: DATE: the value is empty$" -- "$cli" day "" --lat 1 --lon 1

# The ends of the calendar: refused where an answer would fall outside the years 1 to 9999.
expect 2 "^helune-cli: DATE: '9999-12-20' is beyond the dates answered, 0001-02-01 to 9999-11-15$" -- \
  "$cli" day 9999-12-20 --lat 1 --lon 1
json=$("$cli" phases 0001-02-01 0001-03-31 --lat 1 --lon 1 --utc-offset +00:00 --format json)
grep -q '"time": ""' <<<"$json" && fail "phases of year 1: an empty time"
json=$("$cli" day 9999-11-15 --lat 1 --lon 1 --utc-offset +00:00 --format json)
grep -q '"time": ""' <<<"$json" && fail "9999-11-15: an empty time"

# Eight thousand years are written as they are found: the first rows come at
# once (a reader that stops after them ends the run), and memory stays flat.
first=$(timeout 120 bash -c "\"$cli\" range 1000-01-01 9000-12-31 --lat 1 --lon 1 --utc-offset +00:00 --format json |
  head -c 400")
[[ $first == *$'"days": [\n    {\n      "date": "1000-01-01",'* ]] || fail "a long range did not begin at once: '$first'"

# Output that cannot be written: one line and status 1, at once.
expect 1 "^helune-cli: cannot write standard output$" -- \
  sh -c "exec \"$cli\" range 2000-01-01 2099-12-31 --lat 1 --lon 1 --utc-offset +00:00 --format csv >/dev/full"
expect 1 "^helune-cli: cannot write standard output$" -- \
  sh -c "exec \"$cli\" day 2026-12-08 --lat 1 --lon 1 --format json >&-"
expect 1 "^helune-cli: cannot write standard output$" -- \
  sh -c "exec \"$cli\" render 2026-12-08 --lat 1 --lon 1 --output - >/dev/full"

# A full disk (a file size limit): the picture is not cut short, the old one stays.
echo "the previous picture" >"$work/chart.png"
expect 1 "could not be written whole \(File too large\); it is left as it was$" -- \
  bash -c "ulimit -f 4; trap '' XFSZ; exec \"$cli\" render 2026-12-08 --lat 1 --lon 1 --output \"$work/chart.png\""
[[ $(cat "$work/chart.png") == "the previous picture" ]] || fail "render: the previous picture was changed"
[[ $(ls "$work" | grep -c chart) == 1 ]] || fail "render: a temporary file was left: $(ls "$work")"

# An endless line of standard input is refused as soon as it is too long, in
# little memory; with no font the pictures are refused, not drawn as boxes.
# AddressSanitizer reserves terabytes of address space, so a sanitized build
# is held to the same gigabyte by its resident size instead. (Never `ldd |
# grep -q` here: grep leaving early can fail ldd with a broken pipe.)
if [[ $(ldd "$cli") == *libasan* ]]; then
  limit="export ASAN_OPTIONS=\${ASAN_OPTIONS:-}:hard_rss_limit_mb=1000"
else
  limit="ulimit -v 1000000"
fi
expect 2 "^helune-cli: line 1: longer than 1000 bytes$" -- \
  bash -c "$limit; exec \"$cli\" events - </dev/zero"
printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' "$work/fonts" >"$work/fonts.conf"
for picture in "render 2026-12-08" "plot moon 2026-12"; do
  expect 1 "^helune-cli: no font to draw the picture's text with" -- \
    env FONTCONFIG_FILE="$work/fonts.conf" "$cli" $picture --lat 1 --lon 1 --output "$work/boxes.png"
done
[[ ! -e $work/boxes.png ]] || fail "a picture without fonts was written"

# render needs no display, whatever the environment names.
expect 0 "" -- env QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY= "$cli" render 2026-12-08 --lat 1 --lon 1 \
  --output "$work/shown.png"
exit $((failures > 0))
