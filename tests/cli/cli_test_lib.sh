# Shared by the command-line test scripts: a scratch folder that becomes
# current, a failure counter and checks of JSON output.
set -u
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# json_check FILE PYTHON-EXPRESSIONS...: each expression must hold, with j the
# parsed JSON and a the ARG variable's value.
json_check() {
  local file=$1
  shift
  ARG=${ARG:-} python3 - "$file" "$@" <<'PY' || fail "json check on $file: $(head -c 300 "$file")"
import json, os, sys
with open(sys.argv[1]) as f:
    j = json.load(f)
bad = [e for e in sys.argv[2:] if not eval(e, {"j": j, "a": os.environ["ARG"]})]
for e in bad:
    print("  not true:", e)
sys.exit(1 if bad else 0)
PY
}

# finish NAME: the summary line and the script's exit status.
finish() {
  echo "$1: $failures failure(s)"
  [ "$failures" = 0 ]
}
