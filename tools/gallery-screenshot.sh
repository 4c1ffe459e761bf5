#!/usr/bin/env bash
# Writes the gallery of the bundled themes and a damaged one, and takes its
# screenshot with headless Chromium (docs/gallery.png in the README).
# usage: tools/gallery-screenshot.sh [BUILD_DIR] [PNG]
set -euo pipefail
build=${1:-build}
png=${2:-docs/gallery.png}
work=$build/gallery-shot
rm -rf "$work"
mkdir -p "$work/themes"
cp -r "$build"/themes/harbor "$build"/themes/meadow "$build"/themes/ember "$work/themes/"
# A package cut off in its header: the gallery shows why it cannot be read.
mkdir -p "$work/themes/driftwood"
printf '[info]\ntitle=Driftwood\n' > "$work/themes/driftwood/driftwood.inf"
printf '1.0\n52\ncolor0.css,4' > "$work/themes/driftwood/driftwood.elm"
"$build/apps/cli/rxtheme" gallery "$work/themes" -o "$work/out"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profile" --hide-scrollbars --window-size=2180,2400 \
  --virtual-time-budget=5000 --screenshot="$PWD/$png" \
  "file://$(realpath "$work/out/index.html")" 2>/dev/null
echo "Wrote $png"
