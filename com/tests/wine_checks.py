#!/usr/bin/env python3
"""Helpers of the Wine test run.

  wine_checks.py expected LOAD0.json LOAD1.json OUT.vbs
      writes the VBScript Sub ExpectLoadedValues(theme, variant) that checks
      every settings value of a loaded theme against the native build's
      `rxtheme load --json` output for variant 0 and variant 1.
  wine_checks.py same-bytes NATIVE WINDOWS
      compares a native contents file with one written by a script (which
      starts with a byte-order mark).
  wine_checks.py same-theme LOADED.json RESTORED.json
      compares the native build's view of a theme restored from Windows
      contents with the native load of the same package: every style value
      equal, except the custom color that the script set on h1.
Each check prints "ok: ..." or "FAIL: ..." and exits 0 or 1.
"""
import json
import sys

ACCESSOR = {"color": "Color", "graph": "Graph", "base": "Base"}


def vbs_string(text):
    """A VBScript expression for a text; units above 126 as Chr(n)."""
    parts, plain = [], ""
    for ch in text:
        code = ord(ch)
        if 32 <= code < 127:
            plain += '""' if ch == '"' else ch
        else:
            if plain:
                parts.append('"' + plain + '"')
                plain = ""
            parts.append("Chr(%d)" % code if code < 256 else "ChrW(%d)" % code)
    if plain or not parts:
        parts.append('"' + plain + '"')
    return " & ".join(parts)


def expected(load0, load1, out):
    lines = ["Sub ExpectLoadedValues(theme, variant)"]
    for variant, path in ((0, load0), (1, load1)):
        with open(path, encoding="utf-8") as f:
            theme = json.load(f)
        lines.append("  If variant = %d Then" % variant)
        for section, accessor in ACCESSOR.items():
            for style, values in theme[section].items():
                for prop, value in values.items():
                    label = "%s.%s.%s(%d)" % (section, style, prop, variant)
                    member = 'theme.%s("%s").%s' % (accessor, style, prop)
                    if isinstance(value, bool):
                        lines.append('    Check "%s", %s = %s' % (label, member, value))
                    else:
                        lines.append('    CheckEqual "%s", %s, %s' % (label, member, vbs_string(value)))
        lines.append("  End If")
    lines.append("End Sub")
    with open(out, "w", encoding="latin-1", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")
    print("ok: %d expected values" % (len(lines) - 5))
    return 0


def same_bytes(native, windows):
    with open(native, "rb") as f:
        a = f.read()
    try:
        with open(windows, "rb") as f:
            b = f.read()
    except OSError:
        print("FAIL: %s was not written" % windows)
        return 1
    if b.startswith(b"\xff\xfe"):
        b = b[2:]
    if a == b:
        print("ok: %s equals %s (%d bytes)" % (windows, native, len(a)))
        return 0
    at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
    print("FAIL: %s differs from %s at byte %d (%d vs %d bytes)" % (windows, native, at, len(b), len(a)))
    return 1


def same_theme(loaded_path, restored_path):
    with open(loaded_path, encoding="utf-8") as f:
        loaded = json.load(f)
    with open(restored_path, encoding="utf-8") as f:
        restored = json.load(f)
    loaded["color"]["h1"]["Color"] = "#123456"
    loaded["color"]["h1"]["UseCustomSettings"] = True
    problems = []
    for key in ("version", "colorIndex", "graphIndex", "currentThemeName"):
        if loaded.get(key) != restored.get(key):
            problems.append("%s: %r vs %r" % (key, restored.get(key), loaded.get(key)))
    for section in ACCESSOR:
        for style, values in loaded[section].items():
            for prop, value in values.items():
                got = restored[section].get(style, {}).get(prop)
                if got != value:
                    problems.append("%s.%s.%s: %r vs %r" % (section, style, prop, got, value))
    if problems:
        print("FAIL: restored theme differs: " + "; ".join(problems[:10]))
        return 1
    print("ok: the native build restores the Windows contents with every value")
    return 0


COMMANDS = {"expected": expected, "same-bytes": same_bytes, "same-theme": same_theme}


def main(argv):
    if argv[1] not in COMMANDS:
        print("unknown command " + argv[1])
        return 2
    return COMMANDS[argv[1]](*argv[2:])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
