#!/usr/bin/env bash
# Installs the Debian packages that a make target needs and the machine lacks.
# Usage: tools/install-deps.sh GROUP...   (groups: build qt fuzz wine wine32 demo web)
# As root it runs apt-get; otherwise it prints the exact line to run.
#
# wine32 is the 32-bit Wine that runs the i686 DLL: it needs the i386
# architecture and its package lists. It is the one group allowed to fail:
# then this prints one line naming the cause and exits 3, so that the caller
# can run the 64-bit half alone and say so.
set -euo pipefail

if [ "${1:-}" = wine32 ]; then
  if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    exit 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "32-bit Wine is missing; as root run: dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386" >&2
    exit 3
  fi
  echo "Installing: wine32:i386 (adding the i386 architecture)"
  export DEBIAN_FRONTEND=noninteractive
  log=$(mktemp)
  if ! dpkg --print-foreign-architectures | grep -qx i386 && ! dpkg --add-architecture i386 >"$log" 2>&1; then
    echo "32-bit Wine unavailable: dpkg --add-architecture i386 failed: $(tail -n 1 "$log")" >&2
    exit 3
  fi
  if ! apt-get update -qq >"$log" 2>&1; then
    echo "32-bit Wine unavailable: apt-get update failed: $(grep -m1 -E '^(E|Err):' "$log" || tail -n 1 "$log")" >&2
    exit 3
  fi
  if ! apt-get install -y -qq --no-install-recommends wine32:i386 >"$log" 2>&1; then
    echo "32-bit Wine unavailable: apt-get install wine32:i386 failed: $(grep -m1 '^E:' "$log" || tail -n 1 "$log")" >&2
    exit 3
  fi
  rm -f "$log"
  exit 0
fi

declare -A GROUP
GROUP[build]="cmake make g++ pkgconf python3 libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev tar time"
GROUP[qt]="qt6-base-dev qt6-qpa-plugins libgl1-mesa-dev fonts-dejavu-core"
GROUP[fuzz]="clang libclang-rt-14-dev"
GROUP[wine]="wine64 mingw-w64 mingw-w64-tools libwine-dev xvfb googletest"
GROUP[demo]=""
# The clients that read what `rxtheme export` writes: a browser, and Node for
# the npm packages of tests/web. npm comes with some builds of nodejs; the
# Debian package is wanted only when the command is missing.
GROUP[web]="chromium nodejs $(command -v npm >/dev/null || echo npm)"

wanted=()
for g in "$@"; do
  for p in ${GROUP[$g]:-}; do wanted+=("$p"); done
done
missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "rxTheme needs these Debian packages. Run as root:" >&2
  echo "  apt-get update && $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
