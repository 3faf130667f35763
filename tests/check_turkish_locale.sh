#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Places by name in a Turkish locale, where the user's case rules would turn
# I into a dotless ı: istanbul, HELSINKI and LIMA are found as in any other.
# The locale is generated for the test (skipped, status 77, where localedef
# or the locale's sources are missing).
#   tests/check_turkish_locale.sh HELUNE_CLI
set -euo pipefail
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! command -v localedef >/dev/null || ! localedef -i tr_TR -f UTF-8 "$work/tr_TR.UTF-8" 2>/dev/null; then
  echo "skipped: cannot generate tr_TR.UTF-8 (Debian's locales package)"
  exit 77
fi
export LOCPATH=$work LC_ALL=tr_TR.UTF-8 XDG_CONFIG_HOME=$work TZ=UTC
for typed in istanbul:Istanbul HELSINKI:Helsinki LIMA:Lima; do
  answer=$("$cli" day 2026-06-01 --place "${typed%%:*}" 2>/dev/null)
  answer=${answer%%$'\n'*}
  [[ $answer == *", ${typed#*:},"* ]] || { echo "--place ${typed%%:*} in tr_TR.UTF-8: $answer" >&2; exit 1; }
done
