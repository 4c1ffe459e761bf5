#!/usr/bin/env python3
"""rxtheme check against rxtheme load on randomly mutated sample themes.

    check_mutations_test.py RXTHEME SOURCE_DIR [--seed N] [--rounds N] [--keep DIR]

Each round copies a sample theme, gives every declaration a value of its own,
loads that copy as the truth, then plants one mutation into some of its style
sheets (at most one per sheet) and packs, checks and loads the result in both
variants. It fails when
  - a value loads otherwise than its line means (as CSS reads it) and check
    says nothing at that line (a value mutation) or nothing in that sheet (a
    layout mutation);
  - a finding says a value "is stored as" something the load does not store;
  - a sheet left as it was gets a finding, or loads otherwise than before;
  - the load stops at an error that check does not report.
The seed is fixed in the test suite; pass any other by hand.
"""
import argparse
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

SHEETS = ["color0.css", "color1.css", "graph0.css", "graph1.css", "theme.css"]

class Sheet:
    """A bundled sheet: its lines and, per line of a declaration, the style of
    its rule."""

    def __init__(self, name, text):
        self.name = name
        self.lines = text.split("\r\n")
        self.decls = {}  # line index -> style selector
        self.rules = []  # (selector index, "{" index, "}" index)
        selector = None
        start = None
        for i, line in enumerate(self.lines):
            if line == "{":
                start = i
            elif line == "}" and start is not None:
                self.rules.append((start - 1, start, i))
                start = None
            elif start is not None and line.startswith("\t"):
                self.decls[i] = self.lines[start - 1]

    def text(self):
        return "\r\n".join(self.lines)


def rgb_text(c):
    return "rgb(%d, %d, %d)" % tuple(c)


def hex_color(c):
    return "#%02X%02X%02X" % tuple(v % 256 for v in c)


class Tracer:
    """Gives each declaration a value of its own."""

    def __init__(self):
        self.n = 0

    def value(self, prop, old):
        self.n += 1
        n = self.n
        if "rgb(" in old:
            return rgb_text((n % 256, (255 - n) % 256, (n * 37 + 11) % 256))
        if old.startswith("url(") and old.endswith(".png)"):
            return old  # pictures must be pieces of the theme
        if old.startswith("url("):
            return "url(V%d)" % n
        if prop == "font-family":
            return "Face%d, serif" % n
        return "v%d" % n


def split_decl(line):
    body = line[1:]
    prop, value = body.split(":", 1)
    value = value.strip()
    if value.endswith(";"):
        value = value[:-1]
    return prop, value


# Value mutations: (name, applies to value, make(value, rnd) -> (written, meant)).
# `meant` is what the line means, as load should store it: a string, or None
# when CSS gives it no value (a finding is then due whatever is stored).
def is_rgb(v):
    return v.startswith("rgb(")


def is_text(v):
    return not v.startswith("rgb(") and not v.startswith("url(")


def rgb_parts(v):
    return [int(x) for x in v[4:-1].split(",")]


VALUE_MUTATIONS = [
    ("comment", is_text, lambda v, r: (v + "; /* note */", v)),
    ("double-semicolon", is_text, lambda v, r: (v + ";", v)),
    ("space-before-semicolon", is_text, lambda v, r: (v + " ", v)),
    ("tab-after-colon", is_text, lambda v, r: ("\t" + v, v)),
    ("important", is_text, lambda v, r: (v + " !important", v)),
    ("second-declaration", is_text, lambda v, r: (v + "; color: rgb(1, 2, 3)", v)),
    ("text-clean", is_text, lambda v, r: (v.upper(), v.upper())),
    ("rgb-percent", is_rgb, lambda v, r: percent(r)),
    ("rgb-tab", is_rgb, lambda v, r: ("rgb(%d,\t%d, %d)" % tuple(rgb_parts(v)), hex_color(rgb_parts(v)))),
    ("rgb-missing", is_rgb, lambda v, r: ("rgb(%d, %d, )" % tuple(rgb_parts(v)[:2]), None)),
    ("rgb-empty-middle", is_rgb, lambda v, r: ("rgb(%d, , %d)" % (rgb_parts(v)[0], rgb_parts(v)[2]), None)),
    ("rgba", is_rgb, lambda v, r: ("rgba(%d, %d, %d, 0.5)" % tuple(rgb_parts(v)), None)),
    ("rgb-four", is_rgb, lambda v, r: ("rgb(%d, %d, %d, 4)" % tuple(rgb_parts(v)), None)),
    ("rgb-hex-digits", is_rgb, lambda v, r: ("rgb(0x10, %d, %d)" % tuple(rgb_parts(v)[1:]), None)),
    ("rgb-short", is_rgb, lambda v, r: ("rgb(%d, %d)" % tuple(rgb_parts(v)[:2]), None)),
    ("rgb-range", is_rgb, lambda v, r: ("rgb(300, %d, %d)" % tuple(rgb_parts(v)[1:]), None)),
    ("rgb-case", is_rgb, lambda v, r: (v.upper(), hex_color(rgb_parts(v)))),
    ("rgb-spaces", is_rgb, lambda v, r: ("rgb( %d,%d ,%d )" % tuple(rgb_parts(v)), hex_color(rgb_parts(v)))),
    ("rgb-comment", is_rgb, lambda v, r: (v + " /* x */", hex_color(rgb_parts(v)))),
    ("hex", is_rgb, lambda v, r: ("#%02x%02x%02x" % tuple(rgb_parts(v)), hex_color(rgb_parts(v)))),
    ("color-name", is_rgb, lambda v, r: ("red", "#FF0000")),
    ("url-quotes", lambda v: v.startswith("url("), lambda v, r: ("url('%s')" % v[4:-1], v[4:-1])),
    ("url-spaces", lambda v: v.startswith("url("), lambda v, r: ("url( %s )" % v[4:-1], v[4:-1])),
    ("url-unclosed", lambda v: v.startswith("url("), lambda v, r: ("url(%s" % v[4:-1], None)),
]


def percent(r):
    p = [r.choice([0, 10, 50, 100]) for _ in range(3)]
    return "rgb(%d%%, %d%%, %d%%)" % tuple(p), hex_color([round(x * 255 / 100) for x in p])


def meant_of(value):
    """What a traced (clean) value loads as."""
    if is_rgb(value):
        return hex_color(rgb_parts(value))
    if value.startswith("url("):
        return value[4:-1]
    return value


# Layout mutations: make(sheet, rnd) changes sheet.lines in place and returns
# the index of the line it changed, or None when it does not apply.
def m_brace_on_selector(s, r):
    i = r.choice(s.rules)
    s.lines[i[0]] += " {"
    del s.lines[i[1]]
    return i[0]


def m_blank_before_brace(s, r):
    i = r.choice(s.rules)
    s.lines.insert(i[1], "")
    return i[1]


def m_space_indent(s, r):
    i = r.choice(sorted(s.decls))
    s.lines[i] = "    " + s.lines[i][1:]
    return i


def m_lf_line(s, r):
    i = r.randrange(1, len(s.lines) - 2)
    s.lines[i] = s.lines[i] + "\n" + s.lines[i + 1]
    del s.lines[i + 1]
    return i


def m_drop_close(s, r):
    i = r.choice(s.rules)
    del s.lines[i[2]]
    return i[2]


def m_unknown_selector(s, r):
    i = r.choice(s.rules)
    s.lines[i[0]] = r.choice(["h7", "p", "a:hover", ".mstheme-nothing"])
    return i[0]


def m_near_property(s, r):
    i = r.choice(sorted(s.decls))
    s.lines[i] = s.lines[i].replace("color:", "colour:").replace("image", "imge", 1)
    return i


def m_one_line_rule(s, r):
    sel, open_, close = r.choice(s.rules)
    body = "; ".join(l.strip() for l in s.lines[open_ + 1:close])
    s.lines[sel:close + 1] = ["%s { %s }" % (s.lines[sel], body)]
    return sel


def m_bare_prefix(s, r):
    rules = [x for x in s.rules if s.lines[x[0]].startswith(".mstheme-")]
    if not rules:
        return None
    i = r.choice(rules)
    s.lines[i[0]] = ".mstheme-"
    return i[0]


def m_a_prefix(s, r):
    rules = [x for x in s.rules if not s.lines[x[0]].startswith("a:")]
    i = r.choice(rules)
    name = s.lines[i[0]]
    s.lines[i[0]] = "a:" + (name[len(".mstheme-"):] if name.startswith(".mstheme-") else name)
    return i[0]


def m_reopen(s, r):
    i = r.choice(s.rules[1:])
    del s.lines[i[0]]
    return i[0]


def m_brace_tab(s, r):
    i = r.choice(s.rules)
    s.lines[i[1]] = "{\t"
    return i[1]


def m_close_early(s, r):
    sel, open_, close = r.choice(s.rules)
    if close - open_ < 2:
        return None
    s.lines.insert(open_ + 1, "}")
    del s.lines[close + 1]
    return open_ + 1


def m_one_line_after_rule(s, r):
    if s.name != "theme.css":
        return None
    i = r.choice(s.rules)
    s.lines.insert(i[2] + 1, "body { background-image: url(topbar.png) }")
    return i[2] + 1


def m_comment_line(s, r):
    i = r.choice(s.rules)
    s.lines.insert(i[0], "/* %s */" % s.lines[i[0]])
    return i[0]


def m_near_selector(s, r):
    i = r.choice(s.rules)
    s.lines[i[0]] = s.lines[i[0]][:-1]
    return i[0]


def m_selector_case(s, r):
    i = r.choice(s.rules)
    s.lines[i[0]] = s.lines[i[0]].upper()
    return i[0]


def m_property_case(s, r):
    i = r.choice(sorted(s.decls))
    prop, value = s.lines[i][1:].split(":", 1)
    s.lines[i] = "\t" + prop.upper() + ":" + value
    return i


def m_blank_lines(s, r):
    i = r.choice(s.rules)
    s.lines.insert(i[2] + 1, "")
    s.lines.insert(i[1] + 1, "")
    return i[1] + 1


LAYOUT_MUTATIONS = [m_comment_line, m_near_selector, m_selector_case, m_property_case,
                    m_blank_lines, m_brace_on_selector, m_blank_before_brace, m_space_indent, m_lf_line,
                    m_drop_close, m_unknown_selector, m_near_property, m_one_line_rule,
                    m_bare_prefix, m_a_prefix, m_reopen, m_brace_tab, m_close_early,
                    m_one_line_after_rule]


def written_line(sheet, value):
    """The editor line of the mutated sheet that declares the traced `value`
    (a color as #RRGGBB), or None when no line or several do."""
    forms = [value]
    if re.fullmatch(r"#[0-9A-F]{6}", value):
        forms = ["rgb(%d, %d, %d)" % tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))]
    found = []
    line = 1
    for text in sheet.lines:
        for part in text.split("\n"):
            if any((": %s;" % f) in part or (": %s " % f) in part for f in forms):
                found.append(line)
            line += 1
    return found[0] if len(found) == 1 else None


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def load(rxtheme, package, folder, variant):
    p = run([rxtheme, "load", package, "--working-folder", folder, "--json",
             "--color-index", str(variant), "--graph-index", str(variant)])
    if p.returncode != 0:
        return None, p.stderr.strip()
    j = json.loads(p.stdout)
    values = {}
    for section in ("color", "graph", "base"):
        if section == "base" and variant == 1:
            continue
        for style, props in j[section].items():
            for prop, value in props.items():
                if not isinstance(value, bool):
                    values[(section, variant, style, prop)] = value
    return values, ""


def sheet_of(key):
    section, variant = key[0], key[1]
    return {"color": "color%d.css", "graph": "graph%d.css"}.get(section, "theme.css") % (
        () if section == "base" else (variant,))


def load_all(rxtheme, package, folder):
    values, errors = {}, []
    for variant in (0, 1):
        v, err = load(rxtheme, package, folder, variant)
        if v is None:
            errors.append(err)
        else:
            values.update(v)
    return values, errors


def pack(rxtheme, folder, out):
    p = run([rxtheme, "pack", folder, "-o", out, "--keep-line-ends", "--force"])
    if p.returncode != 0:
        raise RuntimeError("pack %s: %s" % (folder, p.stderr))


STORED = re.compile(r'stored as ("[^"]*"|#[0-9A-F]{6}|empty)')


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("rxtheme")
    ap.add_argument("source")
    ap.add_argument("--seed", type=int, default=None)
    ap.add_argument("--rounds", type=int, default=40)
    ap.add_argument("--keep", help="a folder to keep the failing rounds' themes in")
    a = ap.parse_args()
    seed = a.seed if a.seed is not None else random.randrange(1 << 30)
    rnd = random.Random(seed)
    failures = []
    work = tempfile.mkdtemp()
    try:
        for round_no in range(a.rounds):
            failures += one_round(a, rnd, work, round_no)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL:", f)
    print("check mutations (seed %d, %d rounds): %d failure(s)" % (seed, a.rounds, len(failures)))
    return 1 if failures else 0


def one_round(a, rnd, work, round_no):
    name = rnd.choice(["harbor", "meadow", "ember"])
    base = os.path.join(work, "r%d" % round_no)
    clean, mutated = base + "-clean", base + "-t"
    shutil.copytree(os.path.join(a.source, "themes", name), clean)
    tracer = Tracer()
    sheets = {}
    for fname in SHEETS:
        with open(os.path.join(clean, fname), newline="") as f:
            s = Sheet(fname, f.read())
        for i, style in s.decls.items():
            prop, value = split_decl(s.lines[i])
            s.lines[i] = "\t%s: %s;" % (prop, tracer.value(prop, value))
        with open(os.path.join(clean, fname), "w", newline="") as f:
            f.write(s.text())
        sheets[fname] = s
    pack(a.rxtheme, clean, base + "-clean.elm")
    truth, errors = load_all(a.rxtheme, base + "-clean.elm", base + "-wf")
    if errors:
        return ["round %d: the traced theme does not load: %s" % (round_no, errors)]

    shutil.copytree(clean, mutated)
    planted = {}  # sheet -> (kind, line index, meant value or "layout")
    for fname in SHEETS:
        if rnd.random() < 0.4:
            continue
        s = sheets[fname]
        if rnd.random() < 0.5:
            i = rnd.choice(sorted(s.decls))
            prop, value = split_decl(s.lines[i])
            options = [m for m in VALUE_MUTATIONS if m[1](value)]
            kind, _, make = rnd.choice(options)
            written, meant = make(value, rnd)
            s.lines[i] = "\t%s: %s;" % (prop, written)
            planted[fname] = (kind, i, meant)
        else:
            mutation = rnd.choice(LAYOUT_MUTATIONS)
            i = mutation(s, rnd)
            if i is None:
                continue
            planted[fname] = (mutation.__name__[2:], i, "layout")
        with open(os.path.join(mutated, fname), "w", newline="") as f:
            f.write(s.text())
    if not planted:
        return []

    package = base + ".elm"
    pack(a.rxtheme, mutated, package)
    p = run([a.rxtheme, "check", package, "--json"])
    findings = json.loads(p.stdout)
    got, load_errors = load_all(a.rxtheme, package, base + "-wf2")
    problems = judge(round_no, name, package, sheets, planted, truth, got, findings, load_errors,
                     a.keep, mutated)
    return problems + judge_fix(a, round_no, name, base, mutated, planted, truth)


# The mutations that check --fix undoes: the sheet then loads with the
# values its lines mean.
FIXABLE = {"comment", "double-semicolon", "space-before-semicolon", "tab-after-colon",
           "important", "text-clean", "rgb-percent", "rgb-tab", "rgb-case", "rgb-spaces",
           "rgb-comment", "hex", "color-name", "url-quotes", "url-spaces", "brace_on_selector",
           "blank_before_brace", "space_indent", "lf_line", "one_line_rule", "brace_tab",
           "one_line_after_rule", "comment_line", "property_case", "blank_lines"}


def judge_fix(a, round_no, theme, base, mutated, planted, truth):
    fixed = base + "-fixed"
    shutil.copytree(mutated, fixed)
    p = run([a.rxtheme, "check", fixed, "--fix", "--json"])
    label = "round %d (%s) after --fix" % (round_no, theme)
    findings = json.loads(p.stdout)
    pack(a.rxtheme, fixed, base + "-fixed.elm")
    got, errors = load_all(a.rxtheme, base + "-fixed.elm", base + "-wf3")
    problems = []
    if errors and any(p[0] not in FIXABLE for p in planted.values()):
        return []  # a mistake that --fix leaves stops the load
    for fname in SHEETS:
        kind = planted.get(fname, ("as it was", 0, None))[0]
        if fname in planted and kind not in FIXABLE:
            continue
        if errors:
            problems.append("%s (%s): the fixed theme does not load: %s" % (fname, kind, errors[0]))
            break
        own = [x for x in findings if x["file"] == "%s/%s" % (fixed, fname) and x["severity"] != "note"]
        if own:
            problems.append("%s (%s): after --fix: %s" % (fname, kind, own[0]["message"]))
        meant = planted.get(fname, (None, 0, None))[2]
        wrong = [k for k in truth if sheet_of(k) == fname and got.get(k) != truth[k]
                 and got.get(k) != meant]
        for k in wrong[:3]:
            problems.append("%s (%s): after --fix %s loads %r, not %r" % (fname, kind, k, got.get(k), truth[k]))
    return ["%s: %s" % (label, p) for p in problems]


def judge(round_no, theme, package, sheets, planted, truth, got, findings, load_errors, keep,
          mutated):
    label = "round %d (%s, %s)" % (round_no, theme,
                                   ", ".join("%s: %s line %d" % (f, p[0], p[1] + 1)
                                             for f, p in sorted(planted.items())))
    pkg = package
    by_sheet = {f: [x for x in findings if x["file"] == "%s(%s)" % (pkg, f)] for f in SHEETS}
    problems = []
    if load_errors:
        stops = [x for x in findings if x["severity"] == "error" and x["file"].startswith(pkg + "(")]
        if not stops:
            problems.append("the load fails (%s) and check reports no error in a sheet"
                            % load_errors[0])
    for fname in SHEETS:
        s = sheets[fname]
        own = [x for x in by_sheet[fname] if x["severity"] != "note"]
        keys = [k for k in truth if sheet_of(k) == fname]
        if load_errors:
            keys = []  # nothing to compare: the load stopped
        changed = [k for k in keys if got.get(k) != truth[k]]
        if fname not in planted:
            if own:
                problems.append("%s is as it was, yet: %s" % (fname, own[0]["message"]))
            for k in changed:
                problems.append("%s is as it was, yet %s loads %r, not %r" % (fname, k, got.get(k), truth[k]))
            continue
        kind, i, meant = planted[fname]
        if meant == "layout":
            if changed and not own:
                problems.append("%s: %s changes %d value(s) (%s: %r, not %r) without a finding"
                                % (fname, kind, len(changed), changed[0], got.get(changed[0]),
                                   truth[changed[0]]))
            # Each changed value is explained by a finding on its line, on the
            # line of the value that took its place, or before them.
            for k in changed if own else []:
                lines = [written_line(s, truth[k])] + (
                    [written_line(s, got[k])] if got.get(k) else [])
                line = None if None in lines else max(lines)
                if line and not any(x["line"] is None or x["line"] <= line for x in own):
                    problems.append("%s: %s changes %s on line %d (%r, not %r), and the "
                                    "findings come after it" % (fname, kind, k, line, got.get(k),
                                                                truth[k]))
            continue
        line = i + 1
        at_line = [x for x in own if x["line"] == line]
        prop = s.lines[i][1:].split(":", 1)[0]
        for k in changed:
            if load_errors:
                break
            if meant is not None and got.get(k) == meant:
                continue
            if not at_line:
                problems.append("%s line %d (%s): %s loads %r without a finding"
                                % (fname, line, kind, k, got.get(k)))
        if meant is None and not at_line and not load_errors:
            problems.append("%s line %d (%s): a value CSS cannot read, and no finding"
                            % (fname, line, kind))
        # A finding that names the stored value must name what load stores
        # (unless a later line of the sheet sets the same value again).
        selector = s.decls.get(i)
        later = any(l.startswith(selector + " {") and (prop + ":") in l for l in s.lines[i + 1:])
        for x in [] if later else at_line:
            m = STORED.search(x["message"])
            if not m or load_errors:
                continue
            said = "" if m.group(1) == "empty" else (
                m.group(1)[1:-1] if m.group(1).startswith('"') else m.group(1))
            targets = [k for k in truth if sheet_of(k) == fname and truth[k] != got.get(k)] or \
                [k for k in truth if sheet_of(k) == fname and got.get(k) == said]
            if not any(got.get(k) == said for k in targets):
                problems.append("%s line %d (%s): check says stored as %r, load stores %r"
                                % (fname, line, kind, said, [got.get(k) for k in targets][:3]))
    if problems and keep:
        shutil.copytree(mutated, os.path.join(keep, "round%d-%s" % (round_no, theme)),
                        dirs_exist_ok=True)
    return ["%s: %s" % (label, p) for p in problems]


if __name__ == "__main__":
    sys.exit(main())
