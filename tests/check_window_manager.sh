#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window tests that need a display with a window manager (OnAWindowManager.*),
# run under Xvfb with openbox; skipped (status 77) where either is missing.
#   tests/check_window_manager.sh HELUNE_GUI_TESTS
set -euo pipefail
tests=$1
if ! command -v xvfb-run >/dev/null || ! command -v openbox >/dev/null; then
  echo "skipped: needs xvfb-run and openbox (Debian's xvfb and openbox)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# openbox runs its startup command once it manages the screen.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  openbox --startup "touch $1/ready" >/dev/null 2>&1 &
  for _ in $(seq 100); do [[ -e $1/ready ]] && break; sleep 0.1; done
  [[ -e $1/ready ]] || { echo "openbox did not start" >&2; exit 1; }
  QT_QPA_PLATFORM=xcb "$2" --gtest_filter="OnAWindowManager.*"
' _ "$work" "$tests"
