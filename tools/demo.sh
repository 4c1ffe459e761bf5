#!/usr/bin/env bash
# Demo: a page takes a bundled theme into use, then its state is saved with a
# custom value and restored, and the restored theme answers the same.
# Usage: tools/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
exe="$build/apps/cli/rxtheme"
theme="$build/themes/harbor/harbor.elm"
[ -x "$exe" ] || { echo "build the CLI first: $exe is missing" >&2; exit 1; }
[ -f "$theme" ] || { echo "build the sample themes first: $theme is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Loading the sample theme Harbor into a page's working folder"
"$exe" load "$theme" --working-folder "$work/page" --include-path
echo
echo "== Pictures unpacked into the working folder:"
ls "$work/page" | tr '\n' ' ' | fold -s -w 100
echo
echo
echo "== Saving the page state with a custom body color and vivid colors"
"$exe" save "$theme" --working-folder "$work/page" -o "$work/page.state" --color-index 1 \
  --use-custom-settings --theme-name Harbor --theme-file "$theme" \
  --custom color.body.Color=#204060 --json >"$work/saved.json"
echo "saved $(wc -c <"$work/page.state") bytes of bag contents; the top of the saved state:"
"$exe" bag dump "$work/page.state" | head -n 12
echo
echo "== Restoring it into a new theme object"
"$exe" restore "$work/page.state" --json >"$work/restored.json"
python3 - "$work/saved.json" "$work/restored.json" <<'PY'
import json, sys
saved, restored = (json.load(open(p)) for p in sys.argv[1:3])
print("restored body color:", restored["color"]["body"]["Color"],
      "| link color (vivid):", restored["color"]["link"]["Color"],
      "| theme:", restored["currentThemeName"], restored["version"])
# The theme object's own UseCustomSettings switch is not part of the saved
# state (each settings object saves its own copy), so it is left out here.
for j in (saved, restored):
    j.pop("useCustomSettings")
if saved == restored:
    print("restored theme matches")
else:
    import difflib
    a = json.dumps(saved, indent=1).splitlines()
    b = json.dumps(restored, indent=1).splitlines()
    print("\n".join(difflib.unified_diff(a, b, "saved", "restored", lineterm="")))
    sys.exit("restored theme differs")
PY

# ---- The theme picker: list, preview page, window or screenshot ----
"$(dirname "$0")/demo-picker.sh" "$build"
