#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a number of seconds each, starting
# from the seed corpus in fuzz/corpus/<target>/ when there is one.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for exe in "$build"/fuzz/*_fuzz; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  work=$(mktemp -d)
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  echo "== $name: ${seconds}s"
  if ! "$exe" -max_total_time="$seconds" -print_final_stats=1 "$work" "${seeds[@]}" 2>"$work.log"; then
    tail -n 60 "$work.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done' "$work.log" | tail -n 2 || true
  fi
  rm -rf "$work" "$work.log"
done
exit $status
