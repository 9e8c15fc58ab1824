#!/usr/bin/env bash
# Draws the program's PNG icons from the SVG sources (run after changing an SVG; the PNGs are
# committed, so a build needs no drawing tool). Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
id=org.pelmor.Invoicer
for size in 16 22 24 32 48 64 128 256; do
  source=$id.svg
  # The smallest size has its own drawing on the pixel grid.
  [ "$size" -eq 16 ] && source=$id-16.svg
  mkdir -p "${size}x${size}"
  rsvg-convert -w "$size" -h "$size" "$source" -o "${size}x${size}/$id.png"
done
