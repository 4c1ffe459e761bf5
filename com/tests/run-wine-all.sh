#!/usr/bin/env bash
# Runs run-wine-tests.sh for each DLL in turn, each in a prefix of its own,
# with every line of a run marked by its DLL's architecture; the last line
# is the sum over all runs, "wine: N passed, M failed".
#
# Usage: com/tests/run-wine-all.sh NATIVE_RXTHEME DLL...
# Environment: RXTHEME_SKIP_I686 names why the i686 DLL cannot run here (no
# 32-bit Wine); it is then not run, and every summary says so.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cli=$1
shift

passed=0
failed=0
notes=""
for dll in "$@"; do
  arch=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(4096)
m = struct.unpack_from("<H", d, struct.unpack_from("<I", d, 0x3c)[0] + 4)[0]
print({0x14c: "i686", 0x8664: "x64"}.get(m, "%x" % m))' "$dll") || arch=unknown
  if [ "$arch" = i686 ] && [ -n "${RXTHEME_SKIP_I686:-}" ]; then
    echo "[i686] not run: ${RXTHEME_SKIP_I686}"
    notes="; i686 not run: ${RXTHEME_SKIP_I686}"
    continue
  fi
  log=$(mktemp)
  "$here/run-wine-tests.sh" "$dll" "$cli" 2>&1 | tee "$log" | sed "s/^/[$arch] /"
  summary=$(tail -n 1 "$log")
  rm -f "$log"
  if [[ "$summary" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
  else
    echo "[$arch] FAIL: the run ended without its summary line"
    failed=$((failed + 1))
  fi
done

echo "wine: $passed passed, $failed failed$notes"
[ "$failed" -eq 0 ]
