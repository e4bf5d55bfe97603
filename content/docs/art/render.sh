#!/usr/bin/env bash
# Renders the SVG sources of the documents' pictures to the PNG files the pages show.
# The PNGs are committed, so the build needs no renderer; run this after changing a source.
# Needs rsvg-convert (librsvg2-bin) and the Noto CJK SC faces (fonts-noto-cjk).
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p ../pictures
for source in *.svg; do
  rsvg-convert --format=png --output="../pictures/${source%.svg}.png" "$source"
done
