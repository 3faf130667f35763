#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs, with apt-get, every Debian 12 package that Helune needs to build, test,
# benchmark and run; packages already present are left alone, and nothing is
# fetched when all of them are there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-aarch64-linux-gnu qemu-user clang valgrind
  libjpeg-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev poppler-utils
  libcli11-dev nlohmann-json3-dev libgeonames-dev
  libnova-dev
  fonts-liberation
  xvfb openbox imagemagick
  appstream desktop-file-utils librsvg2-bin
  zsh fish python3-jsonschema
  dpkg-dev file lintian
  locales
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if ((EUID != 0)); then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
