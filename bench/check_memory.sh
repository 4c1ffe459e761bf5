#!/usr/bin/env bash
# Peak memory of `rxtheme check` and `pack` on a theme with one large style
# sheet, against the sheet's size (target: at most twice it) and against
# `rxtheme load` of the same theme's package in the same run (the loader
# holds the sheet in its parsers' wide form). The sheet is SIZE_MB (default
# 100) of the bundled theme Harbor's graphics sheet repeated: ordinary rules
# naming the theme's pictures on every few lines. Each command runs once, by
# GNU time (maximum resident set size).
# Usage: bench/check_memory.sh [BUILD_DIR] [SIZE_MB]   (BUILD_DIR default: build)
set -euo pipefail
build=${1:-build}
size_mb=${2:-100}
rxtheme=$(realpath "$build/apps/cli/rxtheme")
here=$(dirname "$(realpath "$0")")
[ -x "$rxtheme" ] || { echo "no rxtheme program at $rxtheme" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/big"
cp "$here/../themes/harbor/"* "$work/big/"
mv "$work/big/harbor.inf" "$work/big/big.inf"
python3 - "$work/big/graph0.css" "$size_mb" <<'PY'
import sys
path, size = sys.argv[1], int(sys.argv[2]) << 20
rules = open(path, "rb").read()
with open(path, "wb") as out:
    out.write(rules * max(1, size // len(rules)))
PY
"$rxtheme" pack "$work/big" -o "$work/big.elm" >/dev/null

python3 - "$work" "$rxtheme" <<'PY'
import os, re, subprocess, sys
work, rxtheme = sys.argv[1], sys.argv[2]
sheet = os.path.getsize(os.path.join(work, "big", "graph0.css")) / 2**20
runs = [
    ("check FOLDER", [rxtheme, "check", os.path.join(work, "big")]),
    ("check SHEET", [rxtheme, "check", os.path.join(work, "big", "graph0.css")]),
    ("check PACKAGE", [rxtheme, "check", os.path.join(work, "big.elm")]),
    ("pack FOLDER", [rxtheme, "pack", os.path.join(work, "big"), "-o", os.path.join(work, "again.elm")]),
    ("load PACKAGE", [rxtheme, "load", os.path.join(work, "big.elm"), "--working-folder",
                      os.path.join(work, "page")]),
]
peaks = {}
for name, cmd in runs:
    run = subprocess.run(["/usr/bin/time", "-v"] + cmd, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    peaks[name] = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", run.stderr)
                      .group(1)) / 1024
print("style sheet %.0f MB" % sheet)
for name, peak in peaks.items():
    print("%-14s peak %7.1f MB  %.2fx the sheet  %.2fx load" %
          (name, peak, peak / sheet, peak / peaks["load PACKAGE"]))
worst = max(peaks[n] for n in peaks if n != "load PACKAGE")
print("check and pack: at most %.2fx the sheet (target: at most 2)" % (worst / sheet))
PY
