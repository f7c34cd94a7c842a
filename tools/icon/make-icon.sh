#!/usr/bin/env bash
# Draws the product's mark (a page with a folded corner and a quill stroke on a rounded blue
# square) and writes the application icon: 256, 48, 32 and 16 pixels at 32 bits per pixel.
# Usage: make-icon.sh OUTPUT.ico
set -euo pipefail
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert -size 256x256 xc:none \
  -fill '#1f5f99' -draw 'roundrectangle 8,8 247,247 44,44' \
  -fill '#2f7fbf' -draw 'roundrectangle 8,8 247,200 44,44' \
  -fill white -draw 'polygon 72,44 160,44 196,80 196,212 72,212' \
  -fill '#cfe3f3' -draw 'polygon 160,44 160,80 196,80' \
  -stroke '#9fbfd9' -strokewidth 8 -draw 'line 96,108 172,108' -draw 'line 96,136 172,136' \
  -draw 'line 96,164 148,164' \
  -stroke none -fill '#1aa39a' -draw 'polygon 212,36 226,50 150,178 132,190 138,168' \
  "$tmp/mark.png"
for size in 48 32 16; do
  convert "$tmp/mark.png" -resize ${size}x${size} "$tmp/mark$size.png"
done
convert "$tmp/mark.png" "$tmp/mark48.png" "$tmp/mark32.png" "$tmp/mark16.png" \
  -depth 8 -type TrueColorAlpha "$out"
