#!/usr/bin/env bash
# The picker part of `make demo`: lists the bundled themes as the picker
# shows them; with a display ($DISPLAY set) opens the picker window on them;
# without one writes the preview page of a bundled theme and a PNG screenshot
# of the dialog (Qt's offscreen platform) and prints their paths.
# Usage: tools/demo-picker.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
exe="$build/apps/cli/rxtheme"
themes="$build/themes"
[ -x "$exe" ] || { echo "build the CLI first: $exe is missing" >&2; exit 1; }
[ -d "$themes" ] || { echo "the packed sample themes are missing: $themes" >&2; exit 1; }
out="$build/demo-picker"
rm -rf "$out"
mkdir -p "$out"

echo "== installed themes, as the picker lists them:"
"$exe" list "$themes"

if [ -n "${DISPLAY:-}" ]; then
  echo "== opening the picker (choose a theme, then OK or Cancel):"
  "$exe" pick "$themes" --working-folder "$out/page" --state "$out/page.state"
  [ -f "$out/page.state" ] && "$exe" restore "$out/page.state" | head -20
else
  first=$("$exe" list "$themes" | head -1 | cut -f1)
  package=$("$exe" list "$themes" | head -1 | cut -f2)
  "$exe" preview "$package" --working-folder "$out/page" --active --background \
    -o "$out/preview.html"
  QT_QPA_PLATFORM=offscreen "$exe" pick "$themes" --working-folder "$out/page" \
    --theme "$first" --screenshot "$out/picker.png" 2> >(grep -v XDG_RUNTIME_DIR >&2)
  echo "== no display: the preview page of \"$first\" and a screenshot of the picker:"
  echo "preview page: $out/preview.html"
  echo "screenshot:   $out/picker.png"
fi
