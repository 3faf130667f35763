#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The desktop entry validates with no remark at all, and the software-centre
# description with no error or warning (offline: its screenshot is not fetched).
#   tests/check_desktop.sh DESKTOP_FILE METAINFO_FILE
set -euo pipefail
remarks=$(desktop-file-validate "$1" 2>&1) || { echo "$remarks" >&2; exit 1; }
if [[ -n $remarks ]]; then echo "$remarks" >&2; exit 1; fi
appstreamcli validate --no-net "$2"
