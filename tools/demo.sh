#!/usr/bin/env bash
# The demo of `make demo`: one page takes the bundled theme Harbor into use,
# saves its state with values of its own, restores it, and then meets the
# theme picker (list, preview page, window). Each step says what it shows;
# every file it names is kept under BUILD_DIR/demo.
# Usage: tools/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
exe="$build/apps/cli/rxtheme"
themes="$build/themes"
theme="$themes/harbor/harbor.elm"
[ -x "$exe" ] || { echo "build the command first: $exe is missing" >&2; exit 1; }
[ -f "$theme" ] || { echo "build the sample themes first: $theme is missing" >&2; exit 1; }
out="$build/demo"
rm -rf "$out"
mkdir -p "$out"
step() { printf '\n%s\n' "$*"; }
# Lines FIRST to LAST of a file, indented (whole files are written first, so
# nothing is cut off in a pipe).
show() { sed -n "$2,$3p" "$1" | sed 's/^./    &/'; }

echo "rxTheme demo: the bundled theme Harbor on one page; the files are under $out."

step "1. Load: the package's pictures are unpacked into the page's working folder, and the page reads the theme's values (the first lines):"
"$exe" load "$theme" --working-folder "$out/page" --include-path >"$out/loaded.txt"
show "$out/loaded.txt" 1 18
pictures=("$out"/page/*)
echo "    ... and $(wc -l <"$out/loaded.txt") lines in all: $out/loaded.txt"
echo "    ${#pictures[@]} pictures in $out/page, such as $(cd "$out/page" && echo banner.png home-normal.png bullet1.png)"

step "2. Save: the page chooses vivid colors and a body color of its own; its whole state is written as bag contents:"
"$exe" save "$theme" --working-folder "$out/page" -o "$out/page.state" --color-index 1 \
  --use-custom-settings --theme-name Harbor --theme-file "$theme" \
  --custom color.body.Color=#204060 --json >"$out/saved.json"
"$exe" bag dump "$out/page.state" >"$out/page.state.txt"
echo "    $(wc -c <"$out/page.state") bytes; the top of what \`rxtheme bag dump\` shows ($out/page.state.txt):"
show "$out/page.state.txt" 1 9

step "3. Restore: a new theme object restored from that state answers as the saved one did:"
"$exe" restore "$out/page.state" --json >"$out/restored.json"
python3 - "$out/saved.json" "$out/restored.json" <<'PY'
import json, sys
saved, restored = (json.load(open(p)) for p in sys.argv[1:3])
print("    body color %s (the page's own), link color %s (vivid), theme %s, version %s" % (
    restored["color"]["body"]["Color"], restored["color"]["link"]["Color"],
    restored["currentThemeName"], restored["version"]))
# The theme object's own UseCustomSettings is not saved (each style saves its
# own), so a restored theme reads false there while its styles read true.
for j in (saved, restored):
    j.pop("useCustomSettings")
if saved != restored:
    sys.exit("    the restored theme differs from the saved one")
print("    every other value matches the saved theme")
PY

step "4. List: the installed themes, as the picker lists them (title, package):"
"$exe" list "$themes" >"$out/themes.txt"
show "$out/themes.txt" 1 '$'

step "5. Preview: the picker's preview page of Harbor with active graphics and its background:"
"$exe" preview "$theme" --working-folder "$out/page" --active --background -o "$out/preview.html"
echo "    $out/preview.html (open it in a browser)"

if [ ! -x "$build/apps/cli/rxtheme-picker" ]; then
  step "6. Pick: this build has no picker window (Qt 6 was not found)."
elif [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  step "6. Pick: the picker window; choose a theme, then OK (the page state is saved) or Cancel:"
  "$exe" pick "$themes" --working-folder "$out/page" --state "$out/page.state" | sed 's/^/    /'
else
  step "6. Pick: with no display, the picker window is drawn off screen with Harbor clicked:"
  QT_QPA_PLATFORM=offscreen "$exe" pick "$themes" --working-folder "$out/page" --theme Harbor \
    --screenshot "$out/picker.png" >"$out/pick.txt" 2>"$out/pick.log"
  echo "    $out/picker.png"
fi
