# Shared by the command-line test scripts: a scratch folder that becomes
# current, a failure counter and checks of exit codes and JSON output.
set -u
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect_error EXIT_CODE TEXT -- command...: the exit code and a stderr line.
expect_error() {
  local code=$1 text=$2
  shift 3
  "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$code" ] || fail "$* exited $got, wanted $code"
  grep -qF -- "$text" err.txt || fail "$*: stderr lacks '$text': $(cat err.txt)"
}

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
