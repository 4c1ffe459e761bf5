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
The same mutated theme is then run through check --fix: a sheet whose mistake
--fix undoes must load as its lines mean, with no finding left.
The seed is fixed in the test suite; pass any other by hand.
"""
import argparse
import itertools
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
    """A bundled sheet: its lines, per line of a declaration the style of its
    rule, and its rules as (selector, "{", "}") line indexes."""

    def __init__(self, name, text):
        self.name, self.lines, self.decls, self.rules = name, text.split("\r\n"), {}, []
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


def hex_color(c):
    return "#%02X%02X%02X" % tuple(v % 256 for v in c)


def rgb_parts(v):
    return [int(x) for x in v[4:-1].split(",")]


def is_rgb(v):
    return v.startswith("rgb(")


def is_url(v):
    return v.startswith("url(")


def is_text(v):
    return not is_rgb(v) and not is_url(v)


def traced(n, prop, old):
    """The value of its own that the n-th declaration gets."""
    if "rgb(" in old:
        return "rgb(%d, %d, %d)" % (n % 256, (255 - n) % 256, (n * 37 + 11) % 256)
    if is_url(old):
        return old if old.endswith(".png)") else "url(V%d)" % n  # pictures are theme pieces
    return "Face%d, serif" % n if prop == "font-family" else "v%d" % n


def split_decl(line):
    prop, value = line[1:].split(":", 1)
    value = value.strip()
    return prop, value[:-1] if value.endswith(";") else value


def percent(r):
    p = [r.choice([0, 10, 50, 100]) for _ in range(3)]
    return "rgb(%d%%, %d%%, %d%%)" % tuple(p), hex_color([round(x * 255 / 100) for x in p])


def rgb(form, same=True):
    """A mutation of an rgb() value: form(parts) written, meaning the same
    color or (same=False) none that CSS can read."""
    return is_rgb, lambda v, r: (form(rgb_parts(v)), hex_color(rgb_parts(v)) if same else None)


# Value mutations: (name, applies to value, make(value, rnd) -> (written, meant)).
# `meant` is what the line means, as load should store it: a string, or None
# when CSS gives it no value (a finding is then due whatever is stored).
VALUE_MUTATIONS = [(name, is_text, lambda v, r, form=form: (form % v, v)) for name, form in [
    ("comment", "%s; /* note */"), ("double-semicolon", "%s;"), ("space-before-semicolon", "%s "),
    ("tab-after-colon", "\t%s"), ("important", "%s !important"),
    ("second-declaration", "%s; color: rgb(1, 2, 3)")]] + [
    ("text-clean", is_text, lambda v, r: (v.upper(), v.upper())),
    ("rgb-percent", is_rgb, lambda v, r: percent(r)),
    ("rgb-tab", *rgb(lambda p: "rgb(%d,\t%d, %d)" % tuple(p))),
    ("rgb-missing", *rgb(lambda p: "rgb(%d, %d, )" % tuple(p[:2]), False)),
    ("rgb-empty-middle", *rgb(lambda p: "rgb(%d, , %d)" % (p[0], p[2]), False)),
    ("rgba", *rgb(lambda p: "rgba(%d, %d, %d, 0.5)" % tuple(p), False)),
    ("rgb-four", *rgb(lambda p: "rgb(%d, %d, %d, 4)" % tuple(p), False)),
    ("rgb-hex-digits", *rgb(lambda p: "rgb(0x10, %d, %d)" % tuple(p[1:]), False)),
    ("rgb-short", *rgb(lambda p: "rgb(%d, %d)" % tuple(p[:2]), False)),
    ("rgb-range", *rgb(lambda p: "rgb(300, %d, %d)" % tuple(p[1:]), False)),
    ("rgb-case", *rgb(lambda p: "RGB(%d, %d, %d)" % tuple(p))),
    ("rgb-spaces", *rgb(lambda p: "rgb( %d,%d ,%d )" % tuple(p))),
    ("rgb-comment", *rgb(lambda p: "rgb(%d, %d, %d) /* x */" % tuple(p))),
    ("hex", *rgb(lambda p: "#%02x%02x%02x" % tuple(p))),
    ("color-name", is_rgb, lambda v, r: ("red", "#FF0000")),
    ("url-quotes", is_url, lambda v, r: ("url('%s')" % v[4:-1], v[4:-1])),
    ("url-spaces", is_url, lambda v, r: ("url( %s )" % v[4:-1], v[4:-1])),
    ("url-unclosed", is_url, lambda v, r: ("url(%s" % v[4:-1], None)),
]


def splice(s, start, end, new):
    """Puts the lines `new` in place of lines start..end-1 and gives `start`,
    the index of the line changed."""
    s.lines[start:end] = new
    return start


def retext(s, i, edit):
    return splice(s, i, i + 1, [edit(s.lines[i])])


def rule(s, r):
    return r.choice(s.rules)


def decl(s, r):
    return (r.choice(sorted(s.decls)),)


def rule_where(test):
    def pick(s, r):
        rules = [x for x in s.rules if test(s.lines[x[0]])]
        return r.choice(rules) if rules else None
    return pick


# Layout mutations: (name, pick(sheet, rnd) -> a rule (selector, "{", "}") or
# (line,), or None when the mutation does not apply, edit(sheet, rnd, *picked)
# -> the index of the line it changed in sheet.lines, or None).
LAYOUT_MUTATIONS = [
    ("comment_line", rule, lambda s, r, sel, o, c: splice(s, sel, sel, ["/* %s */" % s.lines[sel]])),
    ("near_selector", rule, lambda s, r, sel, o, c: retext(s, sel, lambda l: l[:-1])),
    ("selector_case", rule, lambda s, r, sel, o, c: retext(s, sel, str.upper)),
    ("property_case", decl,
     lambda s, r, i: retext(s, i, lambda l: l[:l.index(":")].upper() + l[l.index(":"):])),
    ("blank_lines", rule,
     lambda s, r, sel, o, c: splice(s, o + 1, c + 1, [""] + s.lines[o + 1:c + 1] + [""])),
    ("brace_on_selector", rule, lambda s, r, sel, o, c: splice(s, sel, o + 1, [s.lines[sel] + " {"])),
    ("blank_before_brace", rule, lambda s, r, sel, o, c: splice(s, o, o, [""])),
    ("space_indent", decl, lambda s, r, i: retext(s, i, lambda l: "    " + l[1:])),
    ("lf_line", lambda s, r: (r.randrange(1, len(s.lines) - 2),),
     lambda s, r, i: splice(s, i, i + 2, ["\n".join(s.lines[i:i + 2])])),
    ("drop_close", rule, lambda s, r, sel, o, c: splice(s, c, c + 1, [])),
    ("unknown_selector", rule,
     lambda s, r, sel, o, c: retext(s, sel, lambda l: r.choice(["h7", "p", "a:hover", ".mstheme-nothing"]))),
    ("near_property", decl,
     lambda s, r, i: retext(s, i, lambda l: l.replace("color:", "colour:").replace("image", "imge", 1))),
    ("one_line_rule", rule, lambda s, r, sel, o, c: splice(
        s, sel, c + 1, ["%s { %s }" % (s.lines[sel], "; ".join(l.strip() for l in s.lines[o + 1:c]))])),
    ("bare_prefix", rule_where(lambda sel: sel.startswith(".mstheme-")),
     lambda s, r, sel, o, c: retext(s, sel, lambda l: ".mstheme-")),
    ("a_prefix", rule_where(lambda sel: not sel.startswith("a:")),
     lambda s, r, sel, o, c: retext(s, sel, lambda l: "a:" + l.removeprefix(".mstheme-"))),
    ("reopen", lambda s, r: r.choice(s.rules[1:]), lambda s, r, sel, o, c: splice(s, sel, sel + 1, [])),
    ("brace_tab", rule, lambda s, r, sel, o, c: retext(s, o, lambda l: "{\t")),
    ("close_early", rule,
     lambda s, r, sel, o, c: None if c - o < 2 else splice(s, o + 1, c + 1, ["}"] + s.lines[o + 1:c])),
    ("one_line_after_rule", lambda s, r: rule(s, r) if s.name == "theme.css" else None,
     lambda s, r, sel, o, c: splice(s, c + 1, c + 1, ["body { background-image: url(topbar.png) }"])),
]

# The mutations that check --fix undoes: the sheet then loads with the
# values its lines mean.
FIXABLE = {"comment", "double-semicolon", "space-before-semicolon", "tab-after-colon",
           "important", "text-clean", "rgb-percent", "rgb-tab", "rgb-case", "rgb-spaces",
           "rgb-comment", "hex", "color-name", "url-quotes", "url-spaces", "brace_on_selector",
           "blank_before_brace", "space_indent", "lf_line", "one_line_rule", "brace_tab",
           "one_line_after_rule", "comment_line", "property_case", "blank_lines"}


def written_line(sheet, value):
    """The editor line of the mutated sheet that declares the traced `value`
    (a color as #RRGGBB), or None when no line or several do."""
    forms = [value]
    if re.fullmatch(r"#[0-9A-F]{6}", value):
        forms = ["rgb(%d, %d, %d)" % tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))]
    parts = [part for text in sheet.lines for part in text.split("\n")]
    found = [n + 1 for n, part in enumerate(parts)
             if any((": %s;" % f) in part or (": %s " % f) in part for f in forms)]
    return found[0] if len(found) == 1 else None


def run(args):
    return subprocess.run(args, capture_output=True, text=True)


def load_all(rxtheme, package, folder):
    """The values both variants load, keyed (section, variant, style,
    property), and the errors of the loads that fail."""
    values, errors = {}, []
    for variant in (0, 1):
        p = run([rxtheme, "load", package, "--working-folder", folder, "--json",
                 "--color-index", str(variant), "--graph-index", str(variant)])
        if p.returncode != 0:
            errors.append(p.stderr.strip())
            continue
        j = json.loads(p.stdout)
        for section in ("color", "graph") + (("base",) if variant == 0 else ()):
            for style, props in j[section].items():
                values.update(((section, variant, style, prop), value)
                              for prop, value in props.items() if not isinstance(value, bool))
    return values, errors


def sheet_of(key):
    return "theme.css" if key[0] == "base" else "%s%d.css" % key[:2]


def pack(rxtheme, folder, out):
    p = run([rxtheme, "pack", folder, "-o", out, "--keep-line-ends", "--force"])
    if p.returncode != 0:
        raise RuntimeError("pack %s: %s" % (folder, p.stderr))


def findings_of(rxtheme, *args):
    return json.loads(run([rxtheme, "check", *args, "--json"]).stdout)


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


def plant(s, rnd):
    """Plants one mutation into the sheet: (kind, line index, meant value or
    "layout"), or None when the one drawn does not apply."""
    if rnd.random() < 0.5:
        i = rnd.choice(sorted(s.decls))
        prop, value = split_decl(s.lines[i])
        kind, _, make = rnd.choice([m for m in VALUE_MUTATIONS if m[1](value)])
        written, meant = make(value, rnd)
        s.lines[i] = "\t%s: %s;" % (prop, written)
        return kind, i, meant
    kind, pick, edit = rnd.choice(LAYOUT_MUTATIONS)
    picked = pick(s, rnd)
    i = None if picked is None else edit(s, rnd, *picked)
    return None if i is None else (kind, i, "layout")


def one_round(a, rnd, work, round_no):
    name = rnd.choice(["harbor", "meadow", "ember"])
    base = os.path.join(work, "r%d" % round_no)
    clean, mutated = base + "-clean", base + "-t"
    shutil.copytree(os.path.join(a.source, "themes", name), clean)
    count = itertools.count(1)
    sheets = {}
    for fname in SHEETS:
        with open(os.path.join(clean, fname), newline="") as f:
            s = sheets[fname] = Sheet(fname, f.read())
        for i in s.decls:
            prop, value = split_decl(s.lines[i])
            s.lines[i] = "\t%s: %s;" % (prop, traced(next(count), prop, value))
        with open(os.path.join(clean, fname), "w", newline="") as f:
            f.write(s.text())
    pack(a.rxtheme, clean, base + "-clean.elm")
    truth, errors = load_all(a.rxtheme, base + "-clean.elm", base + "-wf")
    if errors:
        return ["round %d: the traced theme does not load: %s" % (round_no, errors)]

    shutil.copytree(clean, mutated)
    planted = {}  # sheet -> (kind, line index, meant value or "layout")
    for fname in SHEETS:
        if rnd.random() < 0.4 or not (p := plant(sheets[fname], rnd)):
            continue
        planted[fname] = p
        with open(os.path.join(mutated, fname), "w", newline="") as f:
            f.write(sheets[fname].text())
    if not planted:
        return []

    package = base + ".elm"
    pack(a.rxtheme, mutated, package)
    findings = findings_of(a.rxtheme, package)
    got, load_errors = load_all(a.rxtheme, package, base + "-wf2")
    label = "round %d (%s, %s)" % (round_no, name, ", ".join(
        "%s: %s line %d" % (f, p[0], p[1] + 1) for f, p in sorted(planted.items())))
    problems = judge(package, sheets, planted, truth, got, findings, load_errors)
    if problems and a.keep:
        shutil.copytree(mutated, os.path.join(a.keep, "round%d-%s" % (round_no, name)),
                        dirs_exist_ok=True)
    label_fix = "round %d (%s) after --fix" % (round_no, name)
    return (["%s: %s" % (label, p) for p in problems] +
            ["%s: %s" % (label_fix, p) for p in judge_fix(a.rxtheme, base, mutated, planted, truth)])


def judge_fix(rxtheme, base, mutated, planted, truth):
    fixed = base + "-fixed"
    shutil.copytree(mutated, fixed)
    findings = findings_of(rxtheme, fixed, "--fix")
    pack(rxtheme, fixed, base + "-fixed.elm")
    got, errors = load_all(rxtheme, base + "-fixed.elm", base + "-wf3")
    if errors:  # a mistake that --fix leaves may stop the load
        fixable = all(p[0] in FIXABLE for p in planted.values())
        return ["the fixed theme does not load: %s" % errors[0]] if fixable else []
    problems = []
    for fname in SHEETS:
        kind, _, meant = planted.get(fname, ("as it was", 0, None))
        if kind not in FIXABLE and fname in planted:
            continue
        own = [x for x in findings if x["file"] == "%s/%s" % (fixed, fname) and x["severity"] != "note"]
        if own:
            problems.append("%s (%s): after --fix: %s" % (fname, kind, own[0]["message"]))
        wrong = [k for k in truth if sheet_of(k) == fname and got.get(k) not in (truth[k], meant)]
        problems += ["%s (%s): after --fix %s loads %r, not %r" % (fname, kind, k, got.get(k), truth[k])
                     for k in wrong[:3]]
    return problems


def judge(package, sheets, planted, truth, got, findings, load_errors):
    problems = []
    if load_errors and not any(x["severity"] == "error" and x["file"].startswith(package + "(")
                               for x in findings):
        problems.append("the load fails (%s) and check reports no error in a sheet" % load_errors[0])
    for fname in SHEETS:
        s = sheets[fname]
        own = [x for x in findings if x["file"] == "%s(%s)" % (package, fname) and x["severity"] != "note"]
        # Nothing to compare when the load stopped.
        changed = [] if load_errors else [k for k in truth if sheet_of(k) == fname and got.get(k) != truth[k]]
        if fname not in planted:
            if own:
                problems.append("%s is as it was, yet: %s" % (fname, own[0]["message"]))
            problems += ["%s is as it was, yet %s loads %r, not %r" % (fname, k, got.get(k), truth[k])
                         for k in changed]
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
                lines = [written_line(s, truth[k])] + ([written_line(s, got[k])] if got.get(k) else [])
                line = None if None in lines else max(lines)
                if line and not any(x["line"] is None or x["line"] <= line for x in own):
                    problems.append("%s: %s changes %s on line %d (%r, not %r), and the findings "
                                    "come after it" % (fname, kind, k, line, got.get(k), truth[k]))
            continue
        line = i + 1
        at_line = [x for x in own if x["line"] == line]
        if not at_line:
            problems += ["%s line %d (%s): %s loads %r without a finding" % (fname, line, kind, k, got.get(k))
                         for k in changed if meant is None or got.get(k) != meant]
            if meant is None and not load_errors:
                problems.append("%s line %d (%s): a value CSS cannot read, and no finding"
                                % (fname, line, kind))
        # A finding that names the stored value must name what load stores
        # (unless a later line of the sheet sets the same value again).
        prop = s.lines[i][1:].split(":", 1)[0]
        if load_errors or any(l.startswith(s.decls.get(i) + " {") and (prop + ":") in l
                              for l in s.lines[i + 1:]):
            continue
        for x in at_line:
            m = STORED.search(x["message"])
            if not m:
                continue
            said = "" if m.group(1) == "empty" else m.group(1).strip('"')
            keys = [k for k in truth if sheet_of(k) == fname]
            targets = [k for k in keys if truth[k] != got.get(k)] or [k for k in keys if got.get(k) == said]
            if not any(got.get(k) == said for k in targets):
                problems.append("%s line %d (%s): check says stored as %r, load stores %r"
                                % (fname, line, kind, said, [got.get(k) for k in targets][:3]))
    return problems


if __name__ == "__main__":
    sys.exit(main())
