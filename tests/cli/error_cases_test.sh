#!/usr/bin/env bash
# Every way a command line can be wrong: one line on standard error that
# names the file, folder or option, exit status 1 (2 for usage errors), and
# nothing written or unpacked.
#   error_cases_test.sh RXTHEME SOURCE_DIR
RXTHEME=$1
SRC=$2
. "$SRC/tests/cli/cli_test_lib.sh"

"$RXTHEME" pack "$SRC/themes/harbor" -o harbor.elm >/dev/null || fail "pack harbor"
mkdir -p themes/harbor && cp harbor.elm "$SRC/themes/harbor/harbor.inf" themes/harbor/
mkdir folder && mkfifo fifo && : >file.txt && ln -s harbor.elm link.elm
printf 'abc' >odd.bin
mkdir bad many
printf 'body\n{\n\tcolor: rgb(1, 2, 3);\n}\n' >bad/color2.css  # a third color variant
"$RXTHEME" pack bad -o bad.elm --force >/dev/null 2>&1 || fail "pack bad"
for i in $(seq 1 200); do printf x >"many/a-rather-long-picture-file-name-number-$i.gif"; done
"$RXTHEME" save --working-folder page -o state.bin >/dev/null || fail "save"
# Headers that Load refuses: a count beyond the entry lines, a negative size,
# a header past the first 4096 bytes.
printf '1.0\n3\na.css,1\n<==MS-Theme==>x' >count.elm
printf '1.0\n1\na.gif,-4\n<==MS-Theme==>x' >negative.elm
{ printf '1.0\n300\n'; for i in $(seq 300); do printf 'picture-%04d.gif,1\n' "$i"; done; } >long.elm
cp state.bin state.before

# row STATUS STDERR ARGS...: the exit status and the whole of standard error.
row() {
  local status=$1 want=$2
  shift 2
  (unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; timeout 20 "$RXTHEME" "$@") >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$status" ] || fail "$*: exit status $got, wanted $status"
  [ "$(cat err.txt)" = "$want" ] || fail "$*: stderr $(cat err.txt)"
}
E="rxtheme: error"
T=$TMP
row 1 "$E 53: File not found: $T/missing.elm" load missing.elm --working-folder page
row 1 "$E 53: File not found: $T/folder" load folder --working-folder page
row 1 "$E 53: File not found: $T/fifo" load fifo --working-folder page
row 1 "$E 53: File not found: $T/nothing.bin" restore nothing.bin
row 1 "$E 53: File not found: $T/fifo" bag dump fifo
row 1 "$E 53: File not found: $T/folder" pick themes --working-folder page --state folder
row 1 "$E 5: Invalid procedure call or argument: not a theme package: $SRC/docs/picker.png" \
  preview "$SRC/docs/picker.png" --working-folder page
row 1 "$E 9: Subscript out of range: $T/bad.elm" save bad.elm --working-folder page -o state.bin
for elm in count negative long; do
  row 1 "$E 5: Invalid procedure call or argument: $T/$elm.elm" load $elm.elm --working-folder fresh
  row 1 "$E 5: Invalid procedure call or argument: $T/$elm.elm" preview $elm.elm --working-folder fresh
  row 1 "$E 5: Invalid procedure call or argument: $T/$elm.elm" \
    save $elm.elm --working-folder fresh -o x.bin
done
row 1 "$E 999: Invalid Contents Value: $T/odd.bin" restore odd.bin
row 1 "$E 76: Path not found: working folder \"\" (empty)" load harbor.elm --working-folder ''
row 1 "$E 76: Path not found: working folder $T/file.txt/sub" \
  load harbor.elm --working-folder file.txt/sub
row 1 "$E 76: Path not found: working folder $T/a/b" preview harbor.elm --working-folder a/b
row 1 "$E 76: Path not found: themes folder $T/nope" list nope
row 1 "$E 76: Path not found: themes folder $T/file.txt" list file.txt
row 1 "$E 76: Path not found: themes folder $T/nope" pick nope --working-folder page
row 1 "$E 76: Path not found: $T/nodir/state.bin" save --working-folder page -o nodir/state.bin
row 1 "$E 75: Path/File access error: $T/link.elm" save --working-folder page -o link.elm
# A refusal is one plain line that names what to do.
row 1 "rxtheme: pick: --theme \"NoSuch\" names no theme in themes folder $T/themes (the title there is: Harbor)" \
  pick themes --working-folder page --theme NoSuch
row 1 "rxtheme: pick: --theme \"harbor\" names no theme in themes folder $T/themes; did you mean Harbor? (the title there is: Harbor)" \
  pick themes --working-folder page --theme harbor
row 1 "rxtheme: pick: --theme \"Harbr\" names no theme in themes folder $T/themes; did you mean Harbor? (the title there is: Harbor)" \
  pick themes --working-folder page --theme Harbr
row 1 "rxtheme: pick: --theme \"Harbor\" names no theme in themes folder $T/folder, which holds none (see rxtheme list $T/folder)" \
  pick folder --working-folder page --theme Harbor
row 2 "$E: preview: --watch requires --output (see rxtheme preview --help)" \
  preview harbor.elm --working-folder page --watch
row 1 "$E 429: Can't create object: no display for the picker window (DISPLAY is not set; QT_QPA_PLATFORM=offscreen draws without one)" \
  pick themes --working-folder page
row 1 "$E 53: File not found: $T/a\\x1Bb.elm" restore $'a\033b.elm'
row 1 "$E 5: The package header takes 9700 bytes; it must fit in 4096: theme folder $T/many" \
  pack many -o many.elm
row 2 "$E: load: unknown option --colour-index; did you mean --color-index? (see rxtheme load --help)" \
  load harbor.elm --working-folder page --colour-index 1
row 2 "$E: unknown command laod; did you mean load? (see rxtheme --help)" laod harbor.elm
row 2 "$E: load: --working-folder is required (see rxtheme load --help)" load harbor.elm
row 2 "$E: load: --graph-index: a variant index is 0 or 1, not 2 (see rxtheme load --help)" \
  load harbor.elm --working-folder fresh --graph-index 2
row 2 "$E: save: --color-index: a variant index is 0 or 1, not -1 (see rxtheme save --help)" \
  save harbor.elm --working-folder fresh -o x.bin --color-index=-1
while IFS='|' read -r custom text; do
  row 2 "$E: save: --custom: $text (see rxtheme save --help)" \
    save --working-folder page -o x.bin --custom "$custom"
done <<'TABLE'
color.body.Colour=1|unknown property "Colour" in "color.body.Colour=1"
color.p.Color=1|unknown color style "p" in "color.p.Color=1"
page.body.Color=1|unknown section "page" (color, graph or base) in "page.body.Color=1"
color.body|expected SECTION.STYLE.PROPERTY=VALUE, got "color.body"
TABLE

# Nothing was written or unpacked, and the old state is whole.
for path in x.bin missing.elm many.elm fresh a nodir; do [ -e "$path" ] && fail "$path exists"; done
cmp -s state.bin state.before || fail "a failed save changed the old state"
ls -a | grep -q '^\.rxtheme-' && fail "temporary files left: $(ls -a)"
finish "error cases"
