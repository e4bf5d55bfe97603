#!/bin/sh
# Renders the program's icon from its drawing into the hicolor sizes installed with the program.
# Needs rsvg-convert; the build only installs the committed results.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$here/hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$here/org.velmora.Velmora.svg" \
        -o "$here/hicolor/${size}x${size}/apps/org.velmora.Velmora.png"
done
