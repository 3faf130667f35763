#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fuzzes the JPEG decoder with libFuzzer for a while (60 s unless given), seeded
# with the program's own pictures in grey, progressive and CMYK variants. Needs
# clang with its fuzzer runtime and ImageMagick: apt-get install clang
# libclang-rt-14-dev imagemagick. Not part of 'make test'.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp resources/sun.jpg resources/moon.jpg "$work/corpus/"
convert resources/sun.jpg -colorspace Gray "$work/corpus/grey.jpg"
convert resources/sun.jpg -interlace Plane "$work/corpus/progressive.jpg"
convert resources/moon.jpg -colorspace CMYK "$work/corpus/cmyk.jpg"
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -Ichart \
  $(pkg-config --cflags Qt6Gui) tests/fuzz_jpeg.cpp chart/JpegDecoder.cpp \
  $(pkg-config --libs Qt6Gui) -ljpeg -o "$work/fuzz_jpeg"
QT_QPA_PLATFORM=offscreen "$work/fuzz_jpeg" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 "$work/corpus"
