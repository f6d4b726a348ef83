#!/usr/bin/env bash
# Renders the hand-written SVG icon to the PNG sizes the desktop installs.
# Run after editing the SVG and commit the PNGs; the build does not need
# an SVG renderer. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
id=io.github.txconfig.TxConfig
for size in 48 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$id.svg" -o "${size}x${size}/$id.png"
done
