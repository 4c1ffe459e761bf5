#!/usr/bin/env bash
# Demo: writes a small saved page state (plain values, a font and a null
# reference) as bag contents, then reads it back with `rxtheme bag dump`.
# Usage: tools/demo.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
exe="$build/apps/cli/rxtheme"
[ -x "$exe" ] || { echo "build the CLI first: $exe is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/page.bag" <<'PY'
import struct, sys
def text(tag, s):
    u = [ord(c) for c in s] if isinstance(s, str) else s
    return struct.pack("<Hi", tag, len(u)) + b"".join(struct.pack("<H", x) for x in u)
def image(code, value=b""):
    return struct.pack("<HH", 4, code) + b"\0" * 6 + value.ljust(8, b"\0")
def record(name, obj_type, value):
    return text(1, name) + text(2, obj_type) + value
font = (record("Bold", "", image(11, struct.pack("<h", -1)))
        + record("Name", "", text(3, "Verdana"))
        + record("Size", "", image(6, struct.pack("<q", 120000)))
        + record("Weight", "", image(2, struct.pack("<h", 700))))
page = (record("UseThemeSettings", "", image(11, struct.pack("<h", -1)))
        + record("ColorIndex", "", image(2, struct.pack("<h", 1)))
        + record("CurrentThemeName", "", text(3, "Ocean Breeze"))
        + record("HeadingFont", "Font", text(3, [u for (u,) in struct.iter_unpack("<H", font)]))
        + record("Background", " ", image(0)))
open(sys.argv[1], "wb").write(page)
PY

echo "== saved page state ($(wc -c <"$work/page.bag") bytes), read back:"
"$exe" bag dump "$work/page.bag"
echo "== as JSON:"
"$exe" bag dump "$work/page.bag" --json

# ---- The theme picker: list, preview page, window or screenshot ----
"$(dirname "$0")/demo-picker.sh" "$build"
