#!/usr/bin/env bash
# Command-line tests of load, save, restore and pack, on the sample themes and
# on packages made here.
#   theme_commands_test.sh RXTHEME SOURCE_DIR
RXTHEME=$1
SRC=$2
. "$SRC/tests/cli/cli_test_lib.sh"

# --- pack
"$RXTHEME" pack "$SRC/themes/harbor" -o harbor.elm >pack.txt || fail "pack harbor"
pieces=$(ls "$SRC/themes/harbor" | grep -v -e '\.inf$' -e '^version.txt$' | wc -l)
[ "$(sed -n 2p harbor.elm)" = "$pieces" ] || fail "pack: count line"
[ "$(cat pack.txt)" = "Packed $pieces pieces ($(stat -c %s harbor.elm) bytes) into $TMP/harbor.elm" ] ||
  fail "pack printed $(cat pack.txt)"
[ "$(sed -n 3p harbor.elm)" = "background.png,$(stat -c %s "$SRC/themes/harbor/background.png")" ] ||
  fail "pack: pieces in name order with their sizes"

# Paths keep their bytes, whatever they spell.
mkdir lfé
printf 'body\n{\n\tcolor: rgb(1, 2, 3);\n}\n' >lfé/color0.css
printf 'PIC' >lfé/Pic.GIF
"$RXTHEME" pack lfé -o lfé.elm --version "v 7" >/dev/null 2>&1 || fail "pack lf"
# LF alone: the check refuses the sheet, which --force packs as it is.
"$RXTHEME" pack lfé -o lf-kept.elm --keep-line-ends 2>/dev/null && fail "pack of LF-only sheets"
"$RXTHEME" pack lfé -o lf-kept.elm --keep-line-ends --force >/dev/null 2>&1 || fail "pack --keep-line-ends"
[ "$(head -n1 lfé.elm)" = "v 7" ] || fail "pack --version"
grep -aq '^color0.css,35$' lfé.elm || fail "pack: style sheet not converted to CR LF"
grep -aq '^color0.css,31$' lf-kept.elm || fail "pack --keep-line-ends changed the sheet"

# --- load
# Every sample theme fills every style of every section in both variants.
for name in harbor meadow ember; do
  "$RXTHEME" pack "$SRC/themes/$name" -o "$name.elm" >/dev/null || fail "pack $name"
  for v in 0 1; do
    "$RXTHEME" load "$name.elm" --working-folder "w-$name" --color-index $v --graph-index $v \
      --json >"$name-$v.json" || fail "load $name"
    json_check "$name-$v.json" \
      'all(any(v for k, v in s.items() if k[:3] != "Use") for sec in ("color", "graph", "base") for s in j[sec].values())'
  done
done

"$RXTHEME" load harbor.elm --working-folder page --json >load.json || fail "load --json"
json_check load.json \
  'list(j)[:3] == ["version", "colorIndex", "graphIndex"] and list(j)[-3:] == ["color", "graph", "base"]' \
  'j["version"] == "1.0" and j["colorIndex"] == 0 and j["useThemeSettings"] is True' \
  'j["color"]["body"]["Color"] == "#182840" and j["base"]["body"]["BackgroundImage"] == "background.png"' \
  'j["graph"]["navtxthome"]["NavButtonHomeNormal"] == "home-normal.png"' \
  'j["workingFolder"].endswith("/page")'
[ -f page/banner.png ] && cmp -s page/banner.png "$SRC/themes/harbor/banner.png" || fail "load: banner.png"

"$RXTHEME" load harbor.elm --working-folder page --color-index 1 --graph-index 1 --include-path \
  --json >vivid.json || fail "load vivid"
json_check vivid.json 'j["colorIndex"] == 1 and j["includePath"] is True' \
  'j["graph"]["navtxthome"]["NavButtonHomeNormal"].endswith("/page/home-normal-a.png")' \
  'j["color"]["link"]["Color"] != "" and j["color"]["link"]["Color"] != "#2060A0"'

"$RXTHEME" load harbor.elm --working-folder page >load.txt || fail "load (text)"
grep -q '^Version: 1.0$' load.txt || fail "text: version"
grep -q '^    Color: #182840$' load.txt || fail "text: body color"
grep -q 'BackgroundColor: $' load.txt && fail "text: empty values are left out"

"$RXTHEME" load lfé.elm --working-folder wörk --json >lf.json || fail "load lf"
json_check lf.json 'j["version"] == "v 7"' 'j["color"]["body"]["Color"] == "#010203"'
[ "$(cat wörk/pic.gif)" = "PIC" ] || fail "piece names are lower-cased"

# A source folder loads as its package: the same theme, the same pictures,
# and nothing written into the folder.
ls -la --time-style=+%s "$SRC/themes/harbor" >before.txt
for v in 0 1; do
  "$RXTHEME" load harbor.elm --working-folder from-elm --color-index $v --graph-index $v --json \
    >elm-$v.json || fail "load harbor.elm $v"
  "$RXTHEME" load "$SRC/themes/harbor" --working-folder from-dir --color-index $v --graph-index $v \
    --json >dir-$v.json || fail "load harbor folder $v"
  sed 's|/from-elm"|/from-dir"|' elm-$v.json | cmp -s - dir-$v.json || fail "folder load $v differs"
done
diff -r from-elm from-dir >/dev/null || fail "folder load unpacked other pictures"
ls -la --time-style=+%s "$SRC/themes/harbor" | cmp -s - before.txt || fail "the source folder changed"
"$RXTHEME" save "$SRC/themes/harbor" --working-folder from-dir -o dir.bin >/dev/null || fail "save dir"
"$RXTHEME" save harbor.elm --working-folder from-dir -o elm.bin >/dev/null || fail "save elm"
cmp -s dir.bin elm.bin || fail "state saved from the folder differs"
"$RXTHEME" load lfé --working-folder lf-dir --json >lf-dir.json || fail "load lf folder"
json_check lf-dir.json 'j["version"] == "1.0"' 'j["color"]["body"]["Color"] == "#010203"'
# What pack cannot write cannot be loaded either; the refusal names the folder.
mkdir comma && printf 'x' >comma/a,b.gif && printf 'h1\n{\n}\n' >comma/theme.css
"$RXTHEME" load comma --working-folder wc 2>err.txt && fail "load of an unpackable folder"
[ "$(cat err.txt)" = "rxtheme: error 5: The file name \"a,b.gif\" cannot be a piece name: theme folder $TMP/comma" ] ||
  fail "unpackable folder: $(cat err.txt)"

# Its pictures are not unpacked into the folder itself.
"$RXTHEME" load lfé --working-folder ./lfé/ 2>err.txt && fail "load of a folder into itself"
[ "$(cat err.txt)" = "rxtheme: load: the working folder is theme folder $TMP/lfé itself; loading would write its pictures into it (name another working folder)" ] ||
  fail "folder into itself: $(cat err.txt)"
[ -e lfé/pic.gif ] && fail "pictures unpacked into the source folder"

# A pack that the check stops says what to run, without an error number
# (LF-only lines, and so a theme that sets nothing).
"$RXTHEME" pack lfé -o refused.elm --keep-line-ends 2>err.txt && fail "pack of LF-only sheets"
[ "$(tail -n1 err.txt)" = "rxtheme: pack: 2 errors in theme folder lfé; nothing written (run rxtheme check 'lfé'; --force writes it anyway)" ] ||
  fail "pack refusal: $(tail -n1 err.txt)"
[ -e refused.elm ] && fail "refused pack wrote its package"

# --- save and restore
"$RXTHEME" save harbor.elm --working-folder page -o state.bin --color-index 1 --graph-index 1 \
  --use-custom-settings --use-background-image --theme-name 'Harbor Zoë' --themes-folder /themes \
  --custom color.body.Color=#FF0000 --custom graph.NavTxtHome.navbuttonhomenormal=mine.png \
  --custom base.h1.FontFamily=Courier >/dev/null || fail "save"
"$RXTHEME" restore state.bin --json >restored.json || fail "restore"
json_check restored.json \
  'j["currentThemeName"] == "Harbor Zo\u00eb" and j["themesFolder"] == "/themes"' \
  'j["colorIndex"] == 1 and j["graphIndex"] == 1 and j["useBackgroundImage"] is True' \
  'j["useCustomSettings"] is False and j["color"]["h6"]["UseCustomSettings"] is True' \
  'j["color"]["body"]["Color"] == "#FF0000"' \
  'j["graph"]["navtxthome"]["NavButtonHomeNormal"] == "mine.png"' \
  'j["base"]["h1"]["FontFamily"] == "Courier" and j["base"]["h2"]["FontFamily"] != ""'
# Without custom values switched on, the restored theme answers as a load does.
"$RXTHEME" save harbor.elm --working-folder page -o plain.bin --color-index 1 >/dev/null || fail "save plain"
"$RXTHEME" restore plain.bin --json >plain.json || fail "restore plain"
"$RXTHEME" load harbor.elm --working-folder page --color-index 1 --json >plain-load.json
cmp -s plain.json plain-load.json || fail "restored theme differs from the loaded one"
"$RXTHEME" save --working-folder '' -o empty.bin >saved.txt || fail "save without a package"
[ "$(cat saved.txt)" = "Saved the page state to $TMP/empty.bin" ] || fail "save printed $(cat saved.txt)"
"$RXTHEME" restore empty.bin --json >empty.json || fail "restore empty"
json_check empty.json 'j["version"] == "" and j["color"]["body"]["Color"] == ""' \
  'j["workingFolder"] == ""'

finish "theme commands"
