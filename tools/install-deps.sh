#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs, with apt-get, every Debian 12 package that Helune needs to build, test,
# benchmark and run; packages already present are left alone, and nothing is
# fetched when all of them are there. With an architecture (arm64), also what
# cross-building the packages for it takes: Debian's cross compiler and that
# architecture's development packages beside this machine's (multiarch).
#   tools/install-deps.sh [ARCH]
set -euo pipefail
native=$(dpkg --print-architecture)
target=${1:-$native}

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
  dpkg-dev file lintian devscripts
  locales
)
if [[ $target != "$native" ]]; then
  packages+=("crossbuild-essential-$target")
  for p in qt6-base-dev qt6-svg-dev libjpeg-dev libgeonames-dev; do packages+=("$p:$target"); done
fi

# Whether a package (or package:arch) is installed for its architecture, or for all.
installed() {
  local name=${1%%:*} arch=$native
  [[ $1 == *:* ]] && arch=${1#*:}
  dpkg-query -W -f='${Status} ${Architecture}\n' "$name" 2>/dev/null | grep -Eq "^install ok installed ($arch|all)$"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if ((EUID != 0)); then
  sudo=(sudo)
fi
if [[ $target != "$native" ]] && ! dpkg --print-foreign-architectures | grep -qx "$target"; then
  "${sudo[@]}" dpkg --add-architecture "$target"
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
