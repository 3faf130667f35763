#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws Helune's pictures into resources/: the Sun and Moon pictures of the day view, the
# program's icon at each size and the about window's night sky. Needs ImageMagick's
# convert (Debian's imagemagick package) and rsvg-convert (librsvg2-bin). Every shape is drawn four times larger than the picture and then
# scaled down, which smooths its edges. The results are committed; run this again only to
# change them.
set -euo pipefail

if ! command -v convert >/dev/null 2>&1 || ! command -v rsvg-convert >/dev/null 2>&1; then
  echo "draw_pictures.sh needs convert and rsvg-convert: apt-get install imagemagick librsvg2-bin" >&2
  exit 1
fi

resources="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/resources"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$resources"

# No dates or other metadata in the files, so that drawing again gives the same bytes.
plain=(-strip -define png:exclude-chunks=date,time)

sky_blue='#87ceeb'
sun_yellow='#ffd21f'
sun_rim='#f5a623'
night_blue='#12245c'
moon_white='#ffffff'

# Eight rays around a centre, from radius inner to radius outer, as ImageMagick line
# primitives.
rays() {
  local cx=$1 cy=$2 inner=$3 outer=$4
  awk -v cx="$cx" -v cy="$cy" -v r1="$inner" -v r2="$outer" 'BEGIN {
    for (i = 0; i < 8; i++) {
      a = i * 3.14159265 / 4
      printf "line %.1f,%.1f %.1f,%.1f ", cx + r1 * cos(a), cy + r1 * sin(a), cx + r2 * cos(a), cy + r2 * sin(a)
    }
  }'
}

# sun.jpg, 40 × 40: a yellow disc with short rays on a sky-blue ground.
convert -size 160x160 "xc:$sky_blue" \
  -stroke "$sun_yellow" -strokewidth 8 -draw "$(rays 80 80 52 70)" \
  -stroke "$sun_rim" -strokewidth 6 -fill "$sun_yellow" -draw "circle 80,80 80,38" \
  -resize 40x40 -quality 90 "${plain[@]}" "$resources/sun.jpg"

# moon.jpg, 30 × 30: a white crescent and small white stars on a dark blue disc, white
# in the corners. The crescent is a white disc covered in part by a blue one.
convert -size 120x120 "xc:$moon_white" \
  -fill "$night_blue" -draw "circle 60,60 60,1" \
  -fill "$moon_white" -draw "circle 52,60 52,22" \
  -fill "$night_blue" -draw "circle 68,52 68,18" \
  -fill "$moon_white" -draw "circle 84,84 84,88 circle 92,34 92,37 circle 74,100 74,103 circle 100,64 100,66" \
  -resize 30x30 -quality 90 "${plain[@]}" "$resources/moon.jpg"

# The program's icon at the sizes of the desktop's icon theme, from its drawing
# (icons/helune.svg: the Sun, and before it a crescent Moon); the window takes
# the 64-pixel one.
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$resources/icons/helune.svg" \
    --output "$resources/icons/helune-$size.png"
done

# about.bmp, 311 × 284 with 256 colours: a night sky fading towards the horizon, its stars
# placed by a fixed sequence of numbers, and dark hills in front.
stars=""
seed=20240611
for _ in $(seq 60); do
  seed=$(((seed * 1103515245 + 12345) % 2147483648))
  x=$((seed % 311))
  seed=$(((seed * 1103515245 + 12345) % 2147483648))
  y=$((seed % 200))
  seed=$(((seed * 1103515245 + 12345) % 2147483648))
  if ((seed % 5 == 0)); then
    stars+="circle $x,$y $x,$((y + 1)) "
  else
    stars+="point $x,$y "
  fi
done
convert -size 311x284 gradient:'#060b26-#34427e' \
  -fill '#f4f2e6' -stroke none -draw "$stars" \
  -fill '#0b1a1c' -draw "path 'M 0,232 C 60,206 110,214 160,228 C 210,242 255,214 311,222 L 311,284 L 0,284 Z'" \
  -fill '#081214' -draw "path 'M 0,258 C 80,240 140,250 200,262 C 250,272 285,252 311,256 L 311,284 L 0,284 Z'" \
  -type Palette -colors 256 -compress None "${plain[@]}" "BMP3:$resources/about.bmp"

echo "Drew sun.jpg, moon.jpg, the icons and about.bmp in $resources"
