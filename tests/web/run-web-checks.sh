#!/usr/bin/env bash
# Runs export_checks.mjs on the bundled themes and the hostile one, with the
# npm packages of package-lock.json installed (npm ci) into WORK_DIR on the
# first run. A client that is missing fails the test with one line saying so.
# usage: run-web-checks.sh RXTHEME SOURCE_DIR WORK_DIR
set -u
rxtheme=$1
source_dir=$2
work=$3
here=$source_dir/tests/web

missing() {
  echo "web checks: $1 is missing ($2); nothing was checked"
  exit 1
}
command -v node >/dev/null || missing "node" "tools/install-deps.sh web"
command -v npm >/dev/null || missing "npm" "tools/install-deps.sh web"
[ -x /usr/bin/chromium ] || missing "/usr/bin/chromium" "tools/install-deps.sh web"

mkdir -p "$work"
# Installed again when the lock file changes.
if ! cmp -s "$here/package-lock.json" "$work/package-lock.json" || [ ! -d "$work/node_modules" ]; then
  cp "$here/package.json" "$here/package-lock.json" "$work/"
  if ! (cd "$work" && npm ci --no-audit --no-fund --loglevel=error >npm-ci.log 2>&1); then
    missing "the npm packages of tests/web/package-lock.json" "npm ci failed: $(tail -n 1 "$work/npm-ci.log")"
  fi
fi
cp "$here/export_checks.mjs" "$work/"
exec node "$work/export_checks.mjs" "$rxtheme" \
  "$source_dir/themes/harbor" "$source_dir/themes/meadow" "$source_dir/themes/ember" \
  "$here/hostile"
