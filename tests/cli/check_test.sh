#!/usr/bin/env bash
# rxtheme check: one mistake planted at a time into a copy of a bundled theme
# gives one finding, on the right file and line; the bundled themes give
# none. pack leaves out what is not the theme.
#   check_test.sh RXTHEME SOURCE_DIR BUILD_DIR
RXTHEME=$1
SRC=$2
BUILD=$3
. "$SRC/tests/cli/cli_test_lib.sh"

for name in harbor meadow ember; do
  for path in "$SRC/themes/$name" "$BUILD/themes/$name" "$BUILD/themes/$name/$name.elm"; do
    out=$("$RXTHEME" check "$path" --strict) || fail "check $path exited $?"
    [ "$out" = "0 errors, 0 warnings" ] || fail "check $path: $out"
  done
done

# line FILE N TEXT: line N of FILE (CR LF lines) becomes TEXT, whose "\r\n"
# splits it into lines; an empty TEXT deletes the line.
line() {
  awk -v n="$2" -v t="$3" 'BEGIN { RS = ORS = "\r\n" } NR == n { if (t != "") print t; next } 1' \
    "$1" >"$1.new" && mv "$1.new" "$1"
}
# elm OUT DIR [NAME=TEXT...]: a package of DIR's files as they are, and of
# the pieces given, in name order.
elm() {
  python3 - "$@" <<'PY'
import os, sys
out, folder, extra = sys.argv[1], sys.argv[2], sys.argv[3:]
pieces = {n: open(os.path.join(folder, n), "rb").read() for n in os.listdir(folder)
          if not n.endswith(".inf") and n != "version.txt"}
pieces.update((e.split("=", 1)[0], e.split("=", 1)[1].encode()) for e in extra)
names = sorted(pieces)
head = "1.0\n%d\n" % len(names) + "".join("%s,%d\n" % (n, len(pieces[n])) for n in names)
open(out, "wb").write(head.encode() + b"".join(b"<==MS-Theme==>" + pieces[n] for n in names))
PY
}
# damage FILE: the second piece's marker in upper case.
damage() {
  python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); m = b"<==MS-Theme==>"
j = d.index(m, d.index(m) + 1); open(sys.argv[1], "wb").write(d[:j] + m.upper() + d[j + 14:])' "$1"
}
inst() { mkdir -p i/harbor && elm i/harbor/harbor.elm t && cp t/harbor.inf i/harbor/; }
many=$(for i in $(seq 200); do printf 'a-long-picture-name-%03d.gif=x ' "$i"; done)

# PATH checked | mistake planted into t (a copy of harbor) | the finding
while IFS='|' read -r path plant want; do
  rm -rf t i s p.elm && cp -r "$SRC/themes/harbor" t && eval "$plant"
  out=$("$RXTHEME" check "$path" --strict)
  status=$?
  want=${want//\[/\\[} # "[code]" is no bracket expression
  [[ $status = 1 && $(wc -l <<<"$out") = 2 && $(head -n1 <<<"$out") == $want ]] ||
    fail "$plant: exit $status, got: $out"
done <<'TABLE'
t|line t/color0.css 2 'a:link {'|t/color0.css:2: warning: * [brace-not-alone]
t|line t/color0.css 4 '    color: rgb(1, 2, 3);'|t/color0.css:4: warning: * [space-indent]
t|line t/color0.css 24 h7|t/color0.css:24: warning: * [unknown-selector]
t|line t/graph0.css 57 .mstheme-navtxthom|t/graph0.css:57: warning: *navtxthome* [unknown-selector]
t|line t/color0.css 4 '\tcolour: rgb(1, 2, 3);'|t/color0.css:4: warning: *did you mean color?* [unknown-property]
t|line t/color0.css 4 '\tcolor rgb(1, 2, 3);'|t/color0.css:4: warning: * [ignored-line]
t|line t/color0.css 6 '\tcolor: rgb(1, 2, 3);'|t/color0.css:6: warning: * [outside-rule]
t|line t/color0.css 6 '}\r\na:visited'|t/color0.css:6: warning: * [stray-close]
t|line t/color0.css 6 ''|t/color0.css:6: warning: * [reopened-rule]
t|line t/color0.css 7 '\r\n{'|t/color0.css:8: warning: * [selector-gap]
t|line t/color0.css 5 ''|t/color0.css:6: warning: * [missing-close]
t|line t/color0.css 47 ''|t/color0.css:45: warning: * [missing-close]
t|line t/color0.css 6 'a:visited { color: rgb(1, 2, 3) }'|t/color0.css:6: warning: * [one-line-rule]
t|line t/theme.css 63 'h1 { color: rgb(1, 2, 3) }\r\n/* */'|t/theme.css:63: warning: *folder of "h1"; write it as a block [one-line-rule]
p.elm|tr -d '\r' <t/color0.css >c && mv c t/color0.css && elm p.elm t|p.elm(color0.css):1: error: * [line-ends]
t|line t/color0.css 4 '\tcolor: rgb(300, 0, -5);'|t/color0.css:4: warning: *300 becomes 44, -5 becomes 251*#2C00FB [rgb-range]
t|line t/color0.css 4 '\tcolor: rgb(1, 2);'|t/color0.css:4: warning: *#000000 [rgb-malformed]
t|line t/color0.css 4 '\tcolor: #070809;'|t/color0.css:4: warning: *rgb(7, 8, 9) [color-form]
t|line t/color0.css 4 '\tcolor: rgb(10%, 50%, 100%);'|t/color0.css:4: warning: *10% is read as 10 (not 26)*stored as #0A3264, not as rgb(26, 128, 255)* [rgb-form]
t|line t/color0.css 4 '\tcolor: rgb(200,\t100, 50);'|t/color0.css:4: warning: *tab before 100 makes it 0*#C80032* [rgb-form]
t|line t/color0.css 4 '\tcolor: rgb(1, , 3);'|t/color0.css:4: warning: *missing number is read as 0*#010003 [rgb-form]
t|line t/color0.css 4 '\tcolor: rgba(200, 100, 50, 0.5);'|t/color0.css:4: warning: *"0.5" after the third is dropped*#C86432 [rgb-form]
t|line t/color0.css 4 '\tcolor: rgb(0x10, 2, 3);'|t/color0.css:4: warning: *"0x10" is read as 0*#000203 [rgb-form]
t|line t/color0.css 4 '\tcolor: red;'|t/color0.css:4: warning: *write rgb(255, 0, 0) [color-form]
t|line t/theme.css 9 '\tfont-family: Georgia, serif; /* headings */'|t/theme.css:9: warning: *stored as "Georgia, serif; /\* headings \*/"* [value-kept]
t|line t/theme.css 10 '\tfont-weight: bold;;'|t/theme.css:10: warning: *stored as "bold;"* [value-kept]
t|line t/theme.css 12 '\ttext-align: left !important;'|t/theme.css:12: warning: *stored as "left !important"* [value-kept]
t|line t/graph0.css 30 .mstheme-|t/graph0.css:30: warning: *".mstheme-" is read as "base"* [selector-read-as]
t|line t/graph0.css 30 a:bannertxt|t/graph0.css:30: warning: *"a:bannertxt" is read as "bannertxt"* [selector-read-as]
t|line t/color0.css 3 '{\t'|t/color0.css:3: warning: a tab after "{" * [brace-not-alone]
t|line t/theme.css 5 '\tnavbutton-background-color: #2060A0;'|t/theme.css:5: warning: * [url-form]
t|line t/graph0.css 4 '\tnav-banner-image: url( banner.png );'|t/graph0.css:4: warning: * [url-spaces]
t|line t/graph0.css 4 "\tnav-banner-image: url('banner.png');"|t/graph0.css:4: warning: * [url-quotes]
t|line t/graph0.css 4 '\tnav-banner-image: url(banner.png;'|t/graph0.css:4: error: * [url-unclosed]
t|line t/graph0.css 9 '\tnavbutton-horiz-normal: url(missing.png);'|t/graph0.css:9: error: * [missing-picture]
t|line t/graph0.css 9 '\tnavbutton-horiz-normal: url(horiz-normal.pgn);'|t/graph0.css:9: error: *did you mean horiz-normal.png?) [missing-picture]
t|printf x >t/notes.txt|t/notes.txt: warning: * [unused-piece]
t|rm t/harbor.inf|t: warning: no information file: *t.inf* [no-info]
s/harbor|mkdir s && cp -r t s/harbor && mv s/harbor/harbor.inf s/harbor/Harbor.inf|s/harbor/Harbor.inf: warning: the picker looks for harbor.inf * [info-name]
t|printf '<style>\r\n</style>\r\n' >t/color1.css|t/color1.css: error: this sheet sets no value* [sets-nothing]
t|line t/color1.css 21 ''|t/color1.css: warning: color0.css sets TableBorderColorLight of "table", this sheet does not: with the vivid colors a page gets none [variant-unset]
t|mv t/banner.png t/Banner.PNG && line t/graph0.css 4 '\tnav-banner-image: url(Banner.PNG);'|t/graph0.css:4: warning: * [picture-case]
t|rm t/color1.css|t: warning: no color1.css: the vivid colors * [missing-sheet]
t|cp t/color1.css t/color2.css|t/color2.css:4: error: * [bad-variant]
p.elm|elm p.elm t .DS_Store=x|p.elm:3: warning: * [stray-piece]
p.elm|elm p.elm t ../x.gif=x|p.elm:3: error: * [bad-piece-name]
p.elm|elm p.elm t $many|p.elm: error: * [header-size]
p.elm|elm p.elm t && truncate -s 3000 p.elm|p.elm:4: error: * [truncated]
p.elm|elm p.elm t && damage p.elm|p.elm:4: error: * [bad-marker]
p.elm|printf 'hello\n' >p.elm|p.elm: error: * [not-a-package]
i/harbor|inst && printf '[info]\r\n' >i/harbor/harbor.inf|i/harbor/harbor.inf: warning: * [no-title]
i/harbor|inst && printf '[info]\r\ntitle=%080d\r\n' 0 >i/harbor/harbor.inf|i/harbor/harbor.inf: warning: *80 characters* [long-title]
i/harbor|inst && mv i/harbor/harbor.elm i/harbor/harbour.elm|i/harbor: error: *harbour.elm [theme-names]
TABLE

# A rule left open swallows a later one-line rule: both lines are reported,
# and the lost rule is not said to go to the open one.
rm -rf t && cp -r "$SRC/themes/harbor" t && line t/theme.css 61 '}\r\nbody { background-image: url(topbar.png) }'
out=$("$RXTHEME" check t)
[[ $out == *'t/theme.css:62: warning: '*'[brace-not-alone]'* &&
  $out == *'t/theme.css:64: warning: a one-line rule inside the rule of "h6"'*'is lost'*'[missing-close]'* ]] ||
  fail "one-line rule in an open rule: $out"

# Every LF-only line of a package is reported, and lines are numbered as an
# editor numbers them.
rm -rf t && cp -r "$SRC/themes/harbor" t
# Lines 16 and 21 end with LF; line 42 is indented by spaces.
python3 -c 'import sys; p = sys.argv[1]; d = open(p, "rb").read().split(b"\r\n")
d[41] = b"    " + d[41][1:]
open(p, "wb").write(b"".join(l + (b"\n" if n in (16, 21) else b"\r\n") for n, l in enumerate(d[:-1], 1)) + d[-1])' t/color0.css
elm p.elm t
out=$("$RXTHEME" check p.elm)
[[ $(grep -c '\[line-ends\]' <<<"$out") = 2 && $out == *'p.elm(color0.css):16: warning: '*'[line-ends]'* &&
  $out == *'p.elm(color0.css):21: warning: '*'[line-ends]'* &&
  $out == *'p.elm(color0.css):42: warning: '*'[space-indent]'* ]] || fail "LF-only lines: $out"

# A theme that sets nothing is an error of its own; a picture named in a
# sheet whose rules are lost is not reported unused as well.
rm -rf t && mkdir t && cp "$SRC/themes/harbor/banner.png" "$SRC/themes/harbor/harbor.inf" t
printf '.mstheme {\r\n\tnav-banner-image: url(banner.png);\r\n}\r\n' >t/graph0.css
out=$("$RXTHEME" check t)
[[ $out == *'t: error: the theme sets no value'*'[sets-nothing]'* &&
  $out == *'t/graph0.css: error: this sheet sets no value'*'[sets-nothing]'* &&
  $out == *'t/graph0.css:1: warning: '*'[brace-not-alone]'* && $out != *unused-piece* ]] ||
  fail "a theme that sets nothing: $out"

# A value of the preview page left unset in one variant: both said of the
# sheet that lacks it.
rm -rf t && cp -r "$SRC/themes/harbor" t && line t/graph1.css 7 ''
out=$("$RXTHEME" check t)
[[ $out == *'t/graph1.css: warning: the preview page shows ListImage2 of "base", which this sheet leaves unset [preview-unset]'* &&
  $out == *'t/graph1.css: warning: graph0.css sets ListImage2 of "base", this sheet does not: with the active graphics a page gets none [variant-unset]'* ]] ||
  fail "values left unset: $out"

# check takes a single sheet.
rm -rf t && cp -r "$SRC/themes/harbor" t && line t/color0.css 4 '\tcolor: rgb(1, 2);'
out=$("$RXTHEME" check t/color0.css)
[[ $? = 0 && $out == 't/color0.css:4: warning: '*'[rgb-malformed]'*'0 errors, 1 warning' ]] || fail "one sheet: $out"

# check --fix: ordinary CSS becomes the parsers' layout, with a backup of
# each sheet; --dry-run writes nothing; a second --fix changes nothing.
rm -rf t && cp -r "$SRC/themes/harbor" t && mv t/bullet1.png t/Bullet1.PNG
printf '<style>\n.mstheme {\n    list-image-1: url("Bullet1.PNG");\n    color: #0a0b0c;\n    font-weight: bold;; /* x */\n}\n.mstheme-bannertxt, .mstheme-navtxthome\n{\n\tcolor: rgb(10%%, 50%%, 100%%);\n}\n</style>\n' >t/graph0.css
cp t/graph0.css before.css
"$RXTHEME" check t --fix --dry-run >dry.out
cmp -s t/graph0.css before.css && [ -e t/Bullet1.PNG ] && [ ! -e t/graph0.css.bak ] &&
  grep -q '^+++ t/graph0.css (fixed)' dry.out && grep -q 't/Bullet1.PNG: would be renamed to bullet1.png' dry.out ||
  fail "--dry-run: $(cat dry.out)"
"$RXTHEME" check t --fix >fix.out
cmp -s t/graph0.css.bak before.css && [ -e t/bullet1.png ] &&
  grep -q 't/graph0.css:4: fixed: "color: #0a0b0c;" written as "color: rgb(10, 11, 12);"' fix.out ||
  fail "--fix: $(cat fix.out)"
[ "$(printf '<style>\r\n.mstheme\r\n{\r\n\tlist-image-1: url(bullet1.png);\r\n\tcolor: rgb(10, 11, 12);\r\n\tfont-weight: bold;\r\n\t/* x */\r\n}\r\n.mstheme-bannertxt\r\n{\r\n\tcolor: rgb(26, 128, 255);\r\n}\r\n.mstheme-navtxthome\r\n{\r\n\tcolor: rgb(26, 128, 255);\r\n}\r\n</style>\r\n')" = "$(cat t/graph0.css)" ] ||
  fail "--fix wrote: $(cat -A t/graph0.css)"
"$RXTHEME" check t --fix >fix2.out
! grep -q 'fixed:' fix2.out || fail "a second --fix: $(cat fix2.out)"
# ... and one sheet.
printf 'h1 {\n  color: navy;\n}\n' >t/color1.css
"$RXTHEME" check t/color1.css --fix >fix3.out
[ "$(cat t/color1.css)" = "$(printf 'h1\r\n{\r\n\tcolor: rgb(0, 0, 128);\r\n}\r\n')" ] &&
  grep -q '^t/color1.css: written; the sheet as it was is t/color1.css.bak$' fix3.out ||
  fail "--fix of one sheet: $(cat fix3.out)"

# A sheet whose reading stops early hides no unused piece, and the pictures
# named in its unread rest are not called unused.
rm -rf t && cp -r "$SRC/themes/harbor" t && printf x >t/notes.txt
line t/graph0.css 4 '\tnav-banner-image: url(banner.png;'
out=$("$RXTHEME" check t --strict)
[[ $(grep -c '\[url-unclosed\]' <<<"$out") = 1 && $(grep -c '\[unused-piece\]' <<<"$out") = 1 &&
  $out == *'t/notes.txt: warning: '*'[unused-piece]'* ]] || fail "unused piece beside an error: $out"

rm -rf t && cp -r "$SRC/themes/harbor" t && line t/color0.css 2 'a:link {'
"$RXTHEME" check t --json >check.json
json_check check.json \
  'j == [{"file": "t/color0.css", "line": 2, "severity": "warning", "code": "brace-not-alone", "message": j[0]["message"]}]'

# pack leaves out hidden files, backups, old packages and links, and says so.
rm -rf t && cp -r "$SRC/themes/harbor" t && "$RXTHEME" pack t -o clean.elm >/dev/null
touch t/.DS_Store t/color0.css~ && cp clean.elm t/old.elm && ln -s /etc/hostname t/host.png
"$RXTHEME" pack t -o t/new.elm >/dev/null 2>pack.err || fail "pack with strays: $(cat pack.err)"
cmp -s clean.elm t/new.elm || fail "pack with strays packed more than the theme"
[ "$(grep -c 'note: left out of the package' pack.err)" = 4 ] || fail "left out: $(cat pack.err)"

# The README shows the reference as the command prints it.
awk '/^<!-- rxtheme reference -->/ { f = 1; next } f && /^```$/ { exit } f && !/^```text$/' \
  "$SRC/README.md" | cmp -s - <("$RXTHEME" reference) || fail "README: the reference differs"
"$RXTHEME" reference --json >reference.json
json_check reference.json '[k["files"] for k in j] == [["color0.css", "color1.css"], ["graph0.css", "graph1.css"], ["theme.css"]]' \
  '["topbarfont", "topbar-font"] in j[2]["styles"] and {"declaration": "nav-banner-image:", "kind": "picture", "written": "url(name)", "property": "NavBannerImage"} in j[1]["declarations"]'
finish "check"
