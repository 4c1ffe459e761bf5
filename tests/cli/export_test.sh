#!/usr/bin/env bash
# Command-line tests of export and gallery: what each takes, what it writes
# and keeps, and the themes it cannot read.
#   export_test.sh RXTHEME SOURCE_DIR
RXTHEME=$1
SRC=$2
. "$SRC/tests/cli/cli_test_lib.sh"

files="theme.css tokens.json theme.json styles/vivid-colors.json styles/active-graphics.json
  index.html normal.html vivid.html active.html vivid-active.html banner.png bullet1-a.png"

# A source folder: packed on the side, nothing new in the folder, files
# written, pictures beside theme.css, other files in the target kept.
cp -r "$SRC/themes/harbor" src
ls src > before.txt
mkdir out && echo keep > out/notes.txt && echo old > out/theme.css
"$RXTHEME" export src -o out > out.txt 2> err.txt || fail "export of a source folder exited $?: $(cat err.txt)"
grep -qx "Exported Harbor (10 files and the pictures) into $TMP/out" out.txt || fail "export line: $(cat out.txt)"
[ -s err.txt ] && fail "export of Harbor warns: $(cat err.txt)"
ls src | cmp -s - before.txt || fail "export wrote into the source folder: $(ls src)"
for f in $files; do [ -s "out/$f" ] || fail "out/$f missing"; done
[ "$(cat out/notes.txt)" = keep ] || fail "a file of the folder's own was touched"
grep -q -- '--rx-color-body-background-color: #F4F8FC;' out/theme.css || fail "theme.css not replaced"
json_check out/tokens.json 'j["color"]["body"]["background-color"] == {"$type": "color", "$value": "#F4F8FC"}' \
  'j["color-vivid"]["link"]["color"]["$value"] == "#0058C8"' \
  'j["graph-active"]["base"]["list-image-1"] == {"$type": "asset", "$value": "bullet1-a.png"}' \
  '"base-active" not in j and "color" in j and "graph" in j and "base" in j'
json_check out/theme.json 'j["version"] == 3 and j["title"] == "Harbor"' \
  'j["styles"]["elements"]["link"][":visited"]["color"]["text"] == "#143E68"' \
  'j["styles"]["elements"]["h1"]["color"]["text"] == "#2060A0"' \
  'j["styles"]["background"]["backgroundImage"]["url"] == "background.png"' \
  'len({p["color"] for p in j["settings"]["color"]["palette"]}) == len(j["settings"]["color"]["palette"])' \
  'len({p["slug"] for p in j["settings"]["color"]["palette"]}) == len(j["settings"]["color"]["palette"])'
json_check out/styles/vivid-colors.json 'j["title"] == "Vivid colors"' 'j["styles"]["color"]["background"] == "#E9EFF5"'

# An installed theme and a package give the same files; the title comes
# from the .inf, or from the package's name.
mkdir -p themes/harbor && cp src/harbor.inf themes/harbor/
"$RXTHEME" pack src -o themes/harbor/harbor.elm > /dev/null || fail "pack"
"$RXTHEME" export themes/harbor -o out2 > /dev/null || fail "export of an installed theme"
"$RXTHEME" export themes/harbor/harbor.elm -o out3 > out3.txt || fail "export of a package"
for f in theme.css tokens.json; do
  cmp -s out/$f out2/$f && cmp -s out/$f out3/$f || fail "$f differs between source, installed theme and package"
done
grep -q "<title>harbor &#8212;" out3/index.html || fail "package title: $(grep '<title>' out3/index.html)"

# What export cannot take.
"$RXTHEME" export missing.elm -o out4 2> err.txt; [ $? = 1 ] && grep -q 'error 53' err.txt || fail "missing source: $(cat err.txt)"
echo x > notes.txt
"$RXTHEME" export notes.txt -o out4 2> err.txt; [ $? = 1 ] && grep -q 'error 5' err.txt || fail "no package: $(cat err.txt)"
"$RXTHEME" export themes/harbor -o notes.txt/sub 2> err.txt; [ $? = 1 ] && grep -q 'error 76' err.txt || fail "output under a file: $(cat err.txt)"

mkdir comma && cp src/*.css comma/ && echo x > 'comma/a,b.png'
"$RXTHEME" export comma -o out6 2> err.txt; [ $? = 1 ] && grep -q 'error 5: The file name "a,b.png" cannot be a piece name' err.txt ||
  fail "a folder pack cannot take: $(cat err.txt)"
cp src/theme.css theme.css.before
"$RXTHEME" export src -o src/ 2> err.txt; [ $? = 1 ] && grep -Eq "error 5: .*export folder $TMP/src/? is the theme's own folder" err.txt ||
  fail "export into the source folder: $(cat err.txt)"
cmp -s src/theme.css theme.css.before || fail "the source's theme.css was replaced"

# A value the style sheet cannot hold is left out with a warning that names it.
mkdir odd && printf 'h1\r\n{\r\n\tfont-weight: bold; color: red\r\n\tfont-family: A;}B\r\n}\r\n' > odd/theme.css
"$RXTHEME" export odd -o out5 > /dev/null 2> err.txt || fail "export odd"
grep -q '^rxtheme: warning: odd: rx-base-h1-font-weight: "bold; color: red" is none of the keywords of font-weight; left out$' err.txt ||
  fail "warning: $(cat err.txt)"
grep -q -- '--rx-base-h1-font-family: "A\\3B \\7D B";' out5/theme.css || fail "font quoted: $(grep h1-font out5/theme.css)"

# gallery: a themes folder with the samples, one damaged package and a title
# holding markup; every theme shows, in the picker's order.
for name in meadow ember; do
  mkdir -p themes/$name && cp "$SRC/themes/$name/$name.inf" themes/$name/
  "$RXTHEME" pack "$SRC/themes/$name" -o themes/$name/$name.elm > /dev/null || fail "pack $name"
done
mkdir -p themes/broken themes/marked
printf '[info]\ntitle=Broken\n' > themes/broken/broken.inf && echo 'not a package' > themes/broken/broken.elm
printf '[info]\ntitle=<b>Marked</b>\n' > themes/marked/marked.inf && cp themes/harbor/harbor.elm themes/marked/marked.elm
"$RXTHEME" gallery themes -o gallery > out.txt 2> err.txt || fail "gallery exited $?: $(cat err.txt)"
grep -qx "Wrote a gallery of 5 themes (1 cannot be read) into $TMP/gallery/index.html" out.txt || fail "gallery line: $(cat out.txt)"
grep -q 'rxtheme: warning: Broken: error 5' err.txt || fail "broken theme not named: $(cat err.txt)"
grep -o '<h2>[^<]*</h2>' gallery/index.html | tr '\n' ' ' > titles.txt
[ "$(cat titles.txt)" = "<h2>&lt;b&gt;Marked&lt;/b&gt;</h2> <h2>Broken</h2> <h2>Ember</h2> <h2>Harbor</h2> <h2>Meadow</h2> " ] ||
  fail "gallery titles: $(cat titles.txt)"
grep -q 'class="card broken"' gallery/index.html || fail "no card for the broken theme"
grep -q 'check: 0 errors, 0 warnings' gallery/index.html || fail "no check summary"
[ "$(grep -c '<iframe' gallery/index.html)" = 16 ] || fail "four variant pages for each readable theme"
for f in $(grep -o 'src="[^"]*"' gallery/index.html | sed 's/src="//; s/"$//'); do
  [ -f "gallery/$f" ] || fail "gallery names a missing page: $f"
done

# gallery of one theme: its four variants.
"$RXTHEME" gallery src -o one > /dev/null || fail "gallery of one theme"
grep -q '<h1>Harbor</h1>' one/index.html && [ "$(grep -c '<iframe' one/index.html)" = 4 ] || fail "one-theme gallery"

finish export
