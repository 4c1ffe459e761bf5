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
# Folders the picker passes over, each named on standard error with why; a
# folder of other files (bare) is no theme and is not named.
mkdir themes/noinf themes/wrongcase themes/nopackage themes/otherinf
cp "$SRC/themes/meadow/color0.css" themes/noinf/
cp themes/harbor/harbor.inf themes/wrongcase/WrongCase.inf
cp themes/harbor/harbor.inf themes/nopackage/nopackage.inf
cp themes/harbor/harbor.inf themes/otherinf/theme.inf
: >themes/bare/notes.txt

"$RXTHEME" list themes > list.txt 2>list.err || fail "list exited $?"
printf '\tPKG/untitled/untitled.elm\n\\x1B[31mRed\tPKG/ctl/ctl.elm\nEmber\tPKG/ember/ember.elm\nHarbor\tPKG/harbor/harbor.elm\nHarbor\tPKG/nopackage/nopackage.elm\nMeadow\tPKG/meadow/meadow.elm\n' \
  | sed "s|PKG|$TMP/themes|g" > want.txt
cmp -s list.txt want.txt || fail "list text: $(cat list.txt)"
{
  echo "rxtheme: list: skipped $TMP/themes/noinf: no noinf.inf (the picker lists a folder by its information file)"
  echo "rxtheme: list: skipped $TMP/themes/otherinf: no otherinf.inf (it holds theme.inf; the information file is named after the folder)"
  echo "rxtheme: list: skipped $TMP/themes/wrongcase: its information file is WrongCase.inf; the picker reads wrongcase.inf (letter case differs)"
  for f in ctl nopackage untitled; do
    echo "rxtheme: list: $TMP/themes/$f: no package $f.elm and no style sheet to read instead; the picker lists it but cannot load it"
  done
} >want.err
cmp -s list.err want.err || fail "list skips: $(cat list.err)"

# A source folder (its .inf, style sheets, no package) is listed by its path.
mkdir -p src-themes/fresh
cp "$SRC/themes/meadow/"* src-themes/fresh/
mv src-themes/fresh/meadow.inf src-themes/fresh/fresh.inf
"$RXTHEME" list src-themes >src.txt 2>src.err || fail "list of a source folder"
[ "$(cat src.txt)" = "$(printf 'Meadow\t%s/src-themes/fresh/' "$TMP")" ] || fail "source folder listed: $(cat src.txt)"
[ -s src.err ] && fail "source folder list said: $(cat src.err)"
# A folder with nothing the picker shows says so, and lists nothing.
mkdir -p empty-themes/only && cp themes/harbor/harbor.inf empty-themes/only/Only.inf
"$RXTHEME" list empty-themes >empty.txt 2>empty.err || fail "list of no themes exited $?"
[ -s empty.txt ] && fail "list of no themes printed $(cat empty.txt)"
grep -q "^rxtheme: list: themes folder $TMP/empty-themes holds no theme the picker would show" \
  empty.err || fail "empty list: $(cat empty.err)"

"$RXTHEME" list themes --json > list.json 2>/dev/null || fail "list --json exited $?"
ARG="$TMP/themes" json_check list.json \
  '[e["title"] for e in j] == ["", "\x1b[31mRed", "Ember", "Harbor", "Harbor", "Meadow"]' \
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

# A source folder previews as its package does, and nothing is written into it.
"$RXTHEME" preview src-themes/fresh --working-folder page --vivid --active -o fresh-dir.html ||
  fail "preview of a source folder"
"$RXTHEME" pack src-themes/fresh -o fresh.elm >/dev/null || fail "pack fresh"
"$RXTHEME" preview fresh.elm --working-folder page --vivid --active -o fresh-elm.html
cmp -s fresh-dir.html fresh-elm.html || fail "folder preview differs from the package's"
ls src-themes/fresh | grep -q '\.elm$' && fail "preview wrote a package into the source folder"

# --variants: one page whose four frames hold, whole, the pages of the four
# variants (here a theme with a non-ASCII byte in a value and a CR LF page).
cp -r src-themes/fresh accent && printf 'h1\r\n{\r\n\tfont-family: Caf\351;\r\n}\r\n' >>accent/theme.css
for v in "" --vivid --active "--vivid --active"; do
  "$RXTHEME" preview accent --working-folder page7 $v --background -o "one$(echo $v | tr -d ' -').html" ||
    fail "preview accent $v"
done
"$RXTHEME" preview accent --working-folder page7 --variants --background -o four.html ||
  fail "preview --variants"
python3 - "$TMP" <<'EOF' || fail "--variants frames differ from the single pages"
import html, re, sys
page = open(sys.argv[1] + "/four.html", encoding="utf-8").read()
frames = [html.unescape(f).encode("latin-1") for f in re.findall(r'srcdoc="([^"]*)"', page)]
want = [open(f"{sys.argv[1]}/one{v}.html", "rb").read() for v in ("", "vivid", "active", "vividactive")]
assert b"Caf\xe9" in want[0] and b"\r\n" in want[0]
sys.exit(0 if frames == want else 1)
EOF
"$RXTHEME" preview accent --working-folder page7 --variants --vivid >/dev/null 2>&1 &&
  fail "--variants with --vivid accepted"

# The background of the escaped page has its full path even where the theme
# leaves it relative (and quoted); --raw keeps the theme's value.
mkdir bg
printf 'body\r\n{\r\n\tbackground-image: url("paper.png");\r\n}\r\n' >bg/theme.css
printf 'PNG' >bg/paper.png
"$RXTHEME" preview bg --working-folder page5 --background -o bg.html || fail "preview bg"
head -n1 bg.html | grep -q "^<body background=\"$TMP/page5/paper.png\" " ||
  fail "background: $(head -n1 bg.html)"
"$RXTHEME" preview bg --working-folder page5 --background --raw | head -n1 |
  grep -q '^<body background=""paper.png"" ' || fail "--raw background changed"

# --watch writes the page again when a file of the theme changes, and stops
# after --watch-count pages (or on Ctrl-C).
mkdir live && cp "$SRC/themes/harbor/"* live/
"$RXTHEME" preview live --working-folder page6 -o live.html --watch --watch-count 1 \
  >watch.txt 2>watch.err &
watcher=$!
for _ in $(seq 100); do grep -q '^Watching' watch.txt 2>/dev/null && break; sleep 0.1; done
# One rename, so that the page cannot be written from a half-made change.
sed 's/rgb(24, 40, 64)/rgb(1, 2, 3)/' live/color0.css >color0.new && mv color0.new live/color0.css
for _ in $(seq 100); do kill -0 $watcher 2>/dev/null || break; sleep 0.1; done
if kill -0 $watcher 2>/dev/null; then
  kill $watcher
  fail "--watch did not write the page within 10 s: $(cat watch.txt watch.err)"
fi
wait $watcher || fail "--watch exited $?: $(cat watch.err)"
grep -q 'text="#010203"' live.html || fail "watched page not rewritten: $(head -1 live.html)"
[ "$(grep -c '^Wrote ' watch.txt)" = 1 ] || fail "watch printed: $(cat watch.txt)"
# Ctrl-C ends a watch cleanly.
"$RXTHEME" preview live --working-folder page6 -o live.html --watch >watch2.txt 2>&1 &
watcher=$!
for _ in $(seq 100); do grep -q '^Watching' watch2.txt 2>/dev/null && break; sleep 0.1; done
kill -INT $watcher
for _ in $(seq 50); do kill -0 $watcher 2>/dev/null || break; sleep 0.1; done
kill -0 $watcher 2>/dev/null && { kill $watcher; fail "--watch ignored Ctrl-C"; }
wait $watcher || fail "--watch after Ctrl-C exited $?"

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
  # A source folder in the themes folder is picked as its package would be.
  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 "$RXTHEME" pick src-themes \
    --working-folder page7 --theme Meadow --screenshot shot2.png > pick2.txt 2> pick2.err ||
    fail "pick of a source folder: $(cat pick2.err)"
  printf 'result: 0\ntheme: Meadow\n' | cmp -s - pick2.txt || fail "pick printed: $(cat pick2.txt)"
  cmp -s page7/banner.png "$SRC/themes/meadow/banner.png" || fail "pick did not load the source folder"
  ls src-themes/fresh | grep -q '\.elm$' && fail "pick wrote a package into the source folder"
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
