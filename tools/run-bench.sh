#!/usr/bin/env bash
# Runs every benchmark program of a build directory.
# Usage: tools/run-bench.sh BUILD_DIR [extra Google Benchmark flags...]
set -euo pipefail
build=${1:-build}
shift || true
status=0
found=0
for exe in "$build"/bench/*_bench; do
  [ -x "$exe" ] || continue
  found=1
  echo "== $(basename "$exe")"
  "$exe" "$@" || status=1
done
[ $found -eq 1 ] || { echo "no benchmark programs in $build/bench" >&2; exit 1; }
exit $status
