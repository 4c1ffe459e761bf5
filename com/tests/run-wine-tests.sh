#!/usr/bin/env bash
# Runs the automation tests under Wine: a fresh prefix on a virtual X display,
# the DLL registered with regsvr32, the Windows build's unit tests
# (win_tests.exe: the Env contract for the Windows file system and the owners
# of Windows resources), every *_test.vbs through cscript, the checks of the
# contents exchanged with the native build, and the picker's window driven by
# picker_test.exe, which saves a screenshot of the dialog beside the DLL as
# picker-win32.png. Both programs are built beside the DLL.
#
# Usage: com/tests/run-wine-tests.sh DLL NATIVE_RXTHEME
#   DLL            rxTheme.dll, 64-bit or 32-bit
#   NATIVE_RXTHEME the native command-line program (rxtheme), which packs the
#                  sample themes and saves and restores contents
# Environment: WINE (default: wine, wine64 or Debian's /usr/lib/wine/wine64
# for a 64-bit DLL; wine or /usr/lib/wine/wine for a 32-bit one, which also
# gets a 32-bit prefix unless WINEARCH says otherwise), KEEP=1 keeps the
# temporary folder.
#
# Wine's script host ends a script silently, with status 0, at an unhandled
# error, so each script's result is its own last line, "N passed, M failed";
# a script without it counts as failed. The last line of this runner is the
# sum over all scripts and checks.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
dll=$(realpath "$1")
cli=$(realpath "$2")

find_tool() {
  for candidate in "$@"; do
    if command -v "$candidate" >/dev/null 2>&1; then command -v "$candidate"; return 0; fi
    if [ -x "$candidate" ]; then echo "$candidate"; return 0; fi
  done
  return 1
}
# The DLL's machine, from its PE header: 14c is 32-bit x86.
machine=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(4096)
print("%x" % struct.unpack_from("<H", d, struct.unpack_from("<I", d, 0x3c)[0] + 4)[0])' "$dll")
if [ "$machine" = 14c ]; then
  export WINEARCH=${WINEARCH:-win32}
  wine=${WINE:-$(find_tool wine /usr/lib/wine/wine)} || { echo "32-bit wine not found" >&2; exit 1; }
else
  wine=${WINE:-$(find_tool wine wine64 /usr/lib/wine/wine64)} || { echo "wine not found" >&2; exit 1; }
fi
# The server that belongs to the loader, else any.
wineserver=$(find_tool "$(dirname "$wine")/wineserver" wineserver wineserver64 \
  /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver) || wineserver=""

work=$(mktemp -d -t rxtheme-wine.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
  [ -n "$wineserver" ] && "$wineserver" -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  if [ "${KEEP:-0}" = 1 ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

# Every Wine process of the run shares one virtual display, on a free number.
if command -v Xvfb >/dev/null 2>&1; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  # Xvfb writes its display number once it accepts connections; a busy
  # machine may take a while to get there.
  for _ in $(seq 600); do [ -s "$work/display" ] && break; sleep 0.1; done
  if [ -s "$work/display" ]; then
    export DISPLAY=":$(head -n 1 "$work/display")"
  else
    echo "FAIL: Xvfb did not start within 60 s: $(tail -n 3 "$work/xvfb.log")"
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  fi
fi

# Wine maps the root of the file system to drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

passed=0
failed=0
count_check() {  # count_check STATUS: one check of the runner itself
  if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

start=$(now)
"$wine" wineboot -i >"$work/wineboot.log" 2>&1
echo "wine prefix created in $(elapsed "$start") s ($("$wine" --version 2>/dev/null))"

start=$(now)
if ! "$wine" regsvr32 "$(winpath "$dll")" 2>&1 | tee "$work/regsvr32.log" | grep -q "Successfully registered"; then
  cat "$work/regsvr32.log"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "registered $(basename "$dll") in $(elapsed "$start") s"

# Inputs made by the native build.
data="$work/data"
mkdir -p "$data" "$work/native-work"
set -e
"$cli" pack "$repo/themes/harbor" -o "$data/harbor.elm" >/dev/null
for v in 0 1; do
  "$cli" load "$data/harbor.elm" --working-folder "$work/native-work" \
    --color-index $v --graph-index $v --json >"$work/load$v.json"
done
"$cli" save "$data/harbor.elm" --working-folder "$work/native-work" -o "$data/native-loaded.state" \
  --color-index 1 --theme-name Harbor --custom color.h1.Color=#123456 >/dev/null
"$cli" save --working-folder /rxtheme/wf -o "$work/native-fresh.state" --color-index 1 --graph-index 1 \
  --include-path --use-background-image --themes-folder themes --theme-name Harbor \
  --theme-file harbor.elm --custom color.h1.Color=#123456 \
  --custom graph.navtxthome.FontFamily=Verdana --custom base.body.Color=#654321 >/dev/null
python3 "$here/wine_checks.py" expected "$work/load0.json" "$work/load1.json" "$work/expected.vbs" >/dev/null
set +e

# Counts a run whose last line is its summary, "N passed, M failed" (after
# an optional "NAME: "), and shows its other lines; a run without one failed.
tally() {  # tally NAME OUTPUT START
  local name=$1 summary
  summary=$(tail -n 1 "$2")
  if [[ "$summary" =~ ^(.*: )?([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[2]))
    failed=$((failed + BASH_REMATCH[3]))
    grep -v -x -F "$summary" "$2" | sed "s/^/  /"
    echo "$name: ${BASH_REMATCH[2]} passed, ${BASH_REMATCH[3]} failed ($(elapsed "$3") s)"
  else
    failed=$((failed + 1))
    sed "s/^/  /" "$2"
    echo "$name: FAIL: no summary line (it stopped early)"
  fi
}

# The unit tests of the Windows build, counted by their summary line.
unit_tests="$(dirname "$dll")/win_tests.exe"
start=$(now)
if [ -f "$unit_tests" ]; then
  timeout 300 "$wine" "$(winpath "$unit_tests")" 2>&1 | tr -d '\r' | grep -v ':fixme:' \
    >"$work/win_tests.txt"
  tally "windows unit tests" "$work/win_tests.txt" "$start"
else
  echo "  FAIL: $unit_tests was not built"
  failed=$((failed + 1))
fi

# Each script runs as the shared helpers, the generated expectations and the
# script itself, in one file; its result is its summary line.
run_script() {  # run_script NAME SOURCE
  local name=$1 script="$work/$1.vbs" start
  cat "$here/lib.vbs" "$work/expected.vbs" "$2" | sed 's/\r*$/\r/' >"$script"
  start=$(now)
  timeout 300 "$wine" cscript //nologo "$(winpath "$script")" "$(winpath "$data")" \
    >"$work/$name.out" 2>&1
  tr -d '\r' <"$work/$name.out" | grep -v '^[0-9a-f]*:fixme:' >"$work/$name.txt"
  tally "$name" "$work/$name.txt" "$start"
}

for test in "$here"/*_test.vbs; do
  run_script "$(basename "$test" .vbs)" "$test"
done

# Contents crossing between the builds, byte for byte and value for value.
check() { "$@" | sed "s/^/  /"; count_check "${PIPESTATUS[0]}"; }
for written in native-loaded.roundtrip native-loaded.resaved; do
  check python3 "$here/wine_checks.py" same-bytes "$data/native-loaded.state" "$data/$written.state"
done
check python3 "$here/wine_checks.py" same-bytes "$work/native-fresh.state" "$data/windows-fresh.state"
if [ -f "$data/windows-loaded.state" ]; then
  python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); sys.stdout.buffer.write(d[2:] if d[:2] == b"\xff\xfe" else d)' \
    "$data/windows-loaded.state" >"$work/windows-loaded.state"
  "$cli" restore "$work/windows-loaded.state" --json >"$work/restored.json" 2>"$work/restore.err"
  count_check $?
  check python3 "$here/wine_checks.py" same-theme "$work/load0.json" "$work/restored.json"
else
  echo "  FAIL: windows-loaded.state was not written"
  count_check 1
fi
echo "exchange checks done"

# The picker's window: themes packed by the native build, Torn with a damaged
# package.
picker="$(dirname "$dll")/picker_test.exe"
shot="$(dirname "$dll")/picker-win32.png"
themes="$work/themes"
mkdir -p "$themes/torn" "$work/picker-work"
for t in ember harbor meadow; do
  mkdir -p "$themes/$t"
  "$cli" pack "$repo/themes/$t" -o "$themes/$t/$t.elm" >/dev/null
  cp "$repo/themes/$t/$t.inf" "$themes/$t/"
done
printf '[info]\r\ntitle=Torn\r\n' >"$themes/torn/torn.inf"
printf 'not a theme package' >"$themes/torn/torn.elm"
# Themes that are only listed, titled to test the list's order (the code
# page's quotation marks, E with acute in both cases, a digit in front).
titles="$work/titles"
for entry in "zeta:Zeta" "quoted:\x93Dawn\x94" "acute:\xc9meraude" "dawn:Dawn" "ember:ember" \
  "plain:Emeraude" "lower:\xe9meraude" "digit:2 Rivers"; do
  mkdir -p "$titles/${entry%%:*}"
  printf "[info]\r\ntitle=${entry#*:}\r\n" >"$titles/${entry%%:*}/${entry%%:*}.inf"
done
start=$(now)
if [ -z "$xvfb_pid" ] || [ ! -f "$picker" ]; then
  echo "  FAIL: the picker's window needs Xvfb and $picker"
  failed=$((failed + 1))
else
  timeout 300 "$wine" "$(winpath "$picker")" "$(winpath "$themes")" "$(winpath "$work/picker-work")" \
    "$(winpath "$shot")" "$(winpath "$titles")" 2>&1 | tr -d '\r' | grep -v ':fixme:' >"$work/picker.txt"
  tally "win32 picker" "$work/picker.txt" "$start"
  # A display that went away during the run explains failures to show the dialog.
  kill -0 "$xvfb_pid" 2>/dev/null || echo "  note: Xvfb ($DISPLAY) is no longer running"
  echo "  screenshot: $shot"
fi

# Unregistering removes the classes again.
if "$wine" regsvr32 /u "$(winpath "$dll")" 2>&1 | grep -q "Successfully unregistered"; then
  count_check 0
  run_script unregistered "$here/unregistered.vbs"
else
  echo "  FAIL: regsvr32 /u"
  count_check 1
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
