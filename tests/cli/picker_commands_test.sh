#!/usr/bin/env bash
# Command-line tests of list, preview and pick, on the sample themes packed
# into a themes folder made here.
#   picker_commands_test.sh RXTHEME SOURCE_DIR HAVE_QT(0|1)
RXTHEME=$1
SRC=$2
HAVE_QT=$3
. "$SRC/tests/cli/cli_test_lib.sh"

# A themes folder: the three samples, one folder without its .inf (not
# listed) and one whose .inf has no title (listed with an empty title, first).
for name in harbor meadow ember; do
  mkdir -p themes/$name
  "$RXTHEME" pack "$SRC/themes/$name" -o themes/$name/$name.elm >/dev/null || fail "pack $name"
  cp "$SRC/themes/$name/$name.inf" themes/$name/
done
mkdir -p themes/bare themes/untitled themes/ctl
printf '[info]\r\nauthor=x\r\n' > themes/untitled/untitled.inf
printf '[info]\r\ntitle=\033[31mRed\r\n' > themes/ctl/ctl.inf  # shown escaped

"$RXTHEME" list themes > list.txt || fail "list exited $?"
printf '\tPKG/untitled/untitled.elm\n\\x1B[31mRed\tPKG/ctl/ctl.elm\nEmber\tPKG/ember/ember.elm\nHarbor\tPKG/harbor/harbor.elm\nMeadow\tPKG/meadow/meadow.elm\n' \
  | sed "s|PKG|$TMP/themes|g" > want.txt
cmp -s list.txt want.txt || fail "list text: $(cat list.txt)"

"$RXTHEME" list themes --json > list.json || fail "list --json exited $?"
ARG="$TMP/themes" json_check list.json \
  '[e["title"] for e in j] == ["", "\x1b[31mRed", "Ember", "Harbor", "Meadow"]' \
  'all(set(e) == {"title", "package"} for e in j)' 'j[3]["package"] == a + "/harbor/harbor.elm"'

# preview: the pages that preview_test keeps, with this working folder; the
# options choose the variants and the background picture.
"$RXTHEME" preview themes/harbor/harbor.elm --working-folder page > no.html || fail "preview"
"$RXTHEME" preview themes/harbor/harbor.elm --working-folder page --vivid --active --background \
  -o all.html || fail "preview -o"
for options in no all; do
  sed "s|$TMP/page/|/site/|g" $options.html | cmp -s - "$SRC/tests/picker/data/harbor-$options-options.html" ||
    fail "preview with $options options: $(head -2 $options.html)"
done
[ -f page/banner.png ] || fail "pictures not unpacked into the working folder"

# A theme whose values carry markup and script: the page escapes them, --raw
# keeps the component's exact page.
mkdir evil
printf 'h1\r\n{\r\n\tfont-family: Arial"><script>alert(1)</script>;\r\n}\r\n' >evil/theme.css
printf '.mstheme\r\n{\r\n\tnav-banner-image: url(x" onerror="alert(2)");\r\n}\r\n' >evil/graph0.css
"$RXTHEME" pack evil -o evil.elm --force >/dev/null 2>&1 || fail "pack evil"
"$RXTHEME" preview evil.elm --working-folder page3 >safe.html || fail "preview evil"
"$RXTHEME" preview evil.elm --working-folder page3 --raw >raw.html || fail "preview --raw"
grep -q '<script' raw.html && grep -q ' onerror="' raw.html || fail "--raw page: $(head -5 raw.html)"
grep -Eq '<script|onerror="' safe.html && fail "unescaped values: $(grep -E '<script|onerror=' safe.html)"

# A cut-off package loads (its last pieces empty) and says so.
head -c 20000 themes/harbor/harbor.elm >cut.elm
"$RXTHEME" preview cut.elm --working-folder page4 >cut.html 2>cut.err || fail "preview cut.elm"
grep -Eq "^rxtheme: warning: $TMP/cut.elm: [0-9]+ of 52 pieces are cut off and were unpacked empty\$" \
  cut.err || fail "cut-off warning: $(cat cut.err)"

# pick: with the window (offscreen) a theme is clicked and the dialog
# photographed and closed (result 0); without it, error 429. Qt's font
# libraries keep allocations to the end, which the sanitizer build would
# report as leaks: leak detection is off for this one run.
if [ "$HAVE_QT" = 1 ]; then
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "$RXTHEME" pick themes --working-folder page2 --theme Meadow \
    --screenshot shot.png --state state.bin > pick.txt 2> pick.err || fail "pick: $(cat pick.err)"
  printf 'result: 0\ntheme: Meadow\n' | cmp -s - pick.txt || fail "pick printed: $(cat pick.txt)"
  head -c 8 shot.png | od -An -c | grep -q 'P   N   G' || fail "no PNG screenshot"
  [ -e state.bin ] && fail "state saved although the dialog was not closed with OK"
  ls -a | grep -q '^\.rxtheme-' && fail "temporary files left: $(ls -a)"
else
  QT_QPA_PLATFORM=offscreen "$RXTHEME" pick themes --working-folder page2 > out.txt 2> err.txt
  grep -q 'error 429: .*without Qt' err.txt || fail "pick without a window: $(cat err.txt)"
fi
# Only pick loads the window toolkit, through a program of its own.
ldd "$RXTHEME" | grep -q libQt && fail "rxtheme links Qt"

finish "picker commands"
