#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program on the desktop; without a display, says how to see it.
set -euo pipefail
program="$1"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cat <<MSG
Helune is a desktop window, and this session has no display (neither DISPLAY nor
WAYLAND_DISPLAY is set). To see it:
  - run 'make run' from a graphical session, or
  - start a virtual display and look at a screenshot of it:
      Xvfb :99 -screen 0 640x480x24 & DISPLAY=:99 $program &
      sleep 2; DISPLAY=:99 import -window root helune.png
MSG
  exit 1
fi
exec "$program"
