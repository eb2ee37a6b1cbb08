#!/usr/bin/env bash
# Draws the application icon, plumbmark.ico: a blue plumb line and level line
# crossing on a white disc with a dark rim, a small gap where they meet, in
# 16, 32, 48 and 256 pixels. Each size is drawn at its own scale so that the
# small ones stay sharp. Needs ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {
  local size=$1
  # Geometry in a 16-unit grid, scaled to the size.
  local s
  s=$(awk -v n="$size" 'BEGIN { printf "%.4f", n / 16 }')
  local c; c=$(awk -v s="$s" 'BEGIN { printf "%.2f", 8 * s - 0.5 }')
  local r; r=$(awk -v s="$s" 'BEGIN { printf "%.2f", 6.6 * s }')
  local rim; rim=$(awk -v s="$s" 'BEGIN { w = s * 0.9; if (w < 1) w = 1; printf "%.2f", w }')
  local line; line=$(awk -v s="$s" 'BEGIN { w = int(s * 1.6 + 0.5); if (w < 1) w = 1; printf "%d", w }')
  local gap; gap=$(awk -v s="$s" 'BEGIN { printf "%d", int(s * 1.8 + 0.5) }')
  local dot; dot=$(awk -v s="$s" 'BEGIN { d = int(s * 0.9 + 0.5); if (d < 1) d = 1; printf "%d", d }')
  local mid=$((size / 2)) half=$((line / 2))
  local lo=$((mid - half)) hi=$((mid - half + line - 1))
  local a=$((mid - gap - 1)) b=$((mid + gap))
  convert -size "${size}x${size}" xc:none \
    -fill white -stroke '#2b2b33' -strokewidth "$rim" \
    -draw "circle $c,$c $c,$(awk -v c="$c" -v r="$r" 'BEGIN { printf "%.2f", c - r }')" \
    -stroke none -fill '#0050ff' \
    -draw "rectangle $lo,0 $hi,$a" -draw "rectangle $lo,$b $hi,$((size - 1))" \
    -draw "rectangle 0,$lo $a,$hi" -draw "rectangle $b,$lo $((size - 1)),$hi" \
    -fill '#e03020' -draw "rectangle $((mid - dot)),$((mid - dot)) $((mid + dot - 1)),$((mid + dot - 1))" \
    "PNG32:$work/icon-$size.png"
}

for size in 16 32 48 256; do draw "$size"; done
convert "$work/icon-16.png" "$work/icon-32.png" "$work/icon-48.png" "$work/icon-256.png" \
  plumbmark.ico
echo "wrote $(pwd)/plumbmark.ico"
