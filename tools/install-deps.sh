#!/usr/bin/env bash
# Installs the Debian packages that a make target needs and the machine lacks.
# Usage: tools/install-deps.sh GROUP...   (groups: build qt fuzz wine demo web)
# As root it runs apt-get; otherwise it prints the exact line to run.
set -euo pipefail

declare -A GROUP
GROUP[build]="cmake make g++ pkgconf python3 libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev tar time"
GROUP[qt]="qt6-base-dev qt6-qpa-plugins libgl1-mesa-dev fonts-dejavu-core"
GROUP[fuzz]="clang libclang-rt-14-dev"
GROUP[wine]="wine64 mingw-w64 mingw-w64-tools libwine-dev xvfb"
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
