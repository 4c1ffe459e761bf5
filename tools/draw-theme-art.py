#!/usr/bin/env python3
"""Draws the sample themes under themes/<name>/: the pictures (PNG, written with
zlib and struct only), the style sheets (CR LF, the layout the section parsers
read: selector line, "{" alone, tab-indented declarations, "}" alone) and the
information file. Each theme is one palette below; run the script again after
changing a palette and commit what it writes.

    tools/draw-theme-art.py [OUTPUT_DIR]   (default: themes/ beside tools/)
"""
import math
import pathlib
import struct
import sys
import zlib

# name, title, version, fonts (body, headings), palette.
THEMES = [
    {
        "name": "harbor", "title": "Harbor", "version": "1.0",
        "body_font": "Verdana, Arial, sans-serif", "head_font": "Georgia, serif",
        "ink": (24, 40, 64), "paper": (244, 248, 252), "accent": (32, 96, 160),
        "accent2": (224, 120, 48), "vivid": (0, 88, 200), "vivid2": (255, 96, 0),
        "shade": (200, 216, 232),
    },
    {
        "name": "meadow", "title": "Meadow", "version": "1.1",
        "body_font": "Trebuchet MS, Arial, sans-serif", "head_font": "Palatino, serif",
        "ink": (40, 56, 24), "paper": (248, 252, 236), "accent": (72, 136, 48),
        "accent2": (200, 168, 40), "vivid": (32, 168, 0), "vivid2": (255, 200, 0),
        "shade": (216, 232, 192),
    },
    {
        "name": "ember", "title": "Ember", "version": "2.0",
        "body_font": "Tahoma, Arial, sans-serif", "head_font": "Book Antiqua, serif",
        "ink": (56, 24, 16), "paper": (255, 246, 236), "accent": (176, 64, 32),
        "accent2": (96, 48, 32), "vivid": (232, 48, 0), "vivid2": (128, 32, 0),
        "shade": (240, 208, 184),
    },
]


# ---------------------------------------------------------------- pictures

def png(width, height, pixel):
    """PNG bytes of an RGB picture; pixel(x, y) -> (r, g, b)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(bytes(max(0, min(255, int(c))) for c in pixel(x, y)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighter(c, t=0.35):
    return mix(c, (255, 255, 255), t)


def darker(c, t=0.3):
    return mix(c, (0, 0, 0), t)


def banner(p, c1, c2):
    w, h = 480, 56

    def px(x, y):
        base = mix(c1, c2, x / (w - 1))
        wave = h * 0.7 + 6 * math.sin(x / 30.0)
        return lighter(base, 0.25) if y > wave else base
    return png(w, h, px)


def bullet(p, color, shape):
    n = 14

    def inside(x, y):
        dx, dy = x - n / 2 + 0.5, y - n / 2 + 0.5
        if shape == "circle":
            return dx * dx + dy * dy <= (n / 2 - 1) ** 2
        if shape == "diamond":
            return abs(dx) + abs(dy) <= n / 2 - 1
        return abs(dx) <= n / 2 - 3 and abs(dy) <= n / 2 - 3
    return png(n, n, lambda x, y: color if inside(x, y) else p["paper"])


def separator(p, color):
    w, h = 480, 8
    return png(w, h, lambda x, y: color if y in (3, 4) or (x % 24 < 4 and y in (2, 5))
               else p["paper"])


def button(p, face, state, w, h, symbol=None):
    """A rounded button; hovered is lighter, pushed darker with the face moved
    down one pixel."""
    if state == "hovered":
        face = lighter(face)
    elif state == "pushed":
        face = darker(face)
    shift = 1 if state == "pushed" else 0
    r = min(w, h) // 3

    def inside(x, y):
        cx = min(max(x, r), w - 1 - r)
        cy = min(max(y, r), h - 1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def mark(x, y):
        x, y = x - w / 2, y - shift - h / 2
        s = min(w, h) / 4
        if symbol == "home":  # a roof over a square
            return (-s <= y <= 0 and abs(x) <= y + s) or (abs(x) <= s * 0.6 and 0 <= y <= s)
        if symbol == "next":
            return -s <= x <= s and abs(y) <= (s - x) / 2 + 0.5
        if symbol == "prev":
            return -s <= x <= s and abs(y) <= (s + x) / 2 + 0.5
        if symbol == "up":
            return -s <= y <= s and abs(x) <= (s + y) / 2 + 0.5
        if symbol == "vert":
            return -w / 2 + 6 <= x <= -w / 2 + 10 and abs(y) <= h / 4
        return False

    def px(x, y):
        if not inside(x, y):
            return p["paper"]
        if mark(x, y):
            return p["paper"]
        edge = y < 2 + shift and state != "pushed"
        return lighter(face, 0.5) if edge else face
    return png(w, h, px)


def background(p):
    n = 64

    def px(x, y):
        d = ((x - 32) ** 2 + (y - 32) ** 2) ** 0.5
        return mix(p["paper"], p["shade"], 0.35 if int(d) % 16 < 2 else 0.0)
    return png(n, n, px)


def pictures(p):
    """file name -> bytes. Names are lower case: the loader writes lower-cased
    names, and the style sheets refer to them as written."""
    out = {
        "banner.png": banner(p, p["accent"], p["accent2"]),
        "banner-a.png": banner(p, p["vivid"], p["vivid2"]),
        "separator.png": separator(p, p["accent"]),
        "background.png": background(p),
        "topbar.png": button(p, p["accent2"], "normal", 96, 22),
    }
    for i, shape in enumerate(("circle", "diamond", "square"), 1):
        out[f"bullet{i}.png"] = bullet(p, p["accent"], shape)
        out[f"bullet{i}-a.png"] = bullet(p, p["vivid"], shape)
    for suffix, face in (("", p["accent"]), ("-a", p["vivid"])):
        for state in ("normal", "hovered", "pushed"):
            out[f"horiz-{state}{suffix}.png"] = button(p, face, state, 112, 24)
            out[f"vert-{state}{suffix}.png"] = button(p, face, state, 136, 24, "vert")
            for sym in ("home", "next", "prev", "up"):
                out[f"{sym}-{state}{suffix}.png"] = button(p, face, state, 28, 28, sym)
    return out


# ---------------------------------------------------------------- style sheets

def rgb(c):
    return "rgb(%d, %d, %d)" % tuple(int(v) for v in c)


def sheet(rules, one_line_rules=()):
    """rules: [(selector, [(property, value), ...])] -> CR LF text.

    one_line_rules are written last, each as a whole rule on one line behind a
    comment line: the comment becomes the remembered selector, which names no
    style, so the base parser takes the next line as a one-line rule (it gives
    the style its working folder, and "body" its background picture)."""
    lines = ["<style>"]
    for selector, decls in rules:
        lines += [selector, "{"] + ["\t%s: %s;" % d for d in decls] + ["}"]
    for comment, rule in one_line_rules:
        lines += ["/* %s */" % comment, rule]
    lines.append("</style>")
    return ("\r\n".join(lines) + "\r\n").encode("latin-1")


def color_sheet(p, vivid):
    accent = p["vivid"] if vivid else p["accent"]
    accent2 = p["vivid2"] if vivid else p["accent2"]
    paper = p["paper"] if not vivid else lighter(p["shade"], 0.6)
    rules = [
        ("a:link", [("color", rgb(accent))]),
        ("a:visited", [("color", rgb(darker(accent, 0.35)))]),
        ("a:active", [("color", rgb(accent2))]),
        ("body", [("color", rgb(p["ink"])), ("background-color", rgb(paper))]),
        ("table", [("table-border-color-light", rgb(p["shade"])),
                   ("table-border-color-dark", rgb(darker(p["shade"], 0.4)))]),
    ]
    for level in range(1, 7):
        tone = mix(accent, p["ink"], (level - 1) / 6)
        rules.append((f"h{level}", [("color", rgb(tone))]))
    return sheet(rules)


def graph_sheet(p, active):
    a = "-a" if active else ""
    accent = p["vivid"] if active else p["accent"]

    def buttons(kind):
        return [(f"navbutton-{kind}-{state}", f"url({kind}-{state}{a}.png)")
                for state in ("normal", "hovered", "pushed")]

    base = [("nav-banner-image", f"url(banner{a}.png)"),
            ("separator-image", "url(separator.png)"),
            ("list-image-1", f"url(bullet1{a}.png)"),
            ("list-image-2", f"url(bullet2{a}.png)"),
            ("list-image-3", f"url(bullet3{a}.png)")]
    base += buttons("horiz") + buttons("vert")
    for sym in ("home", "next", "prev", "up"):
        base += buttons(sym)
    base += [("font-family", p["body_font"]), ("color", rgb(p["ink"]))]
    rules = [
        (".mstheme", base),
        (".mstheme-bannertxt", [("font-family", p["head_font"]), ("font-weight", "bold"),
                                ("color", rgb(p["paper"])), ("text-align", "center"),
                                ("vertical-align", "middle")]),
        (".mstheme-horiz-navtxt", buttons("horiz") +
         [("font-family", p["body_font"]), ("font-weight", "normal"),
          ("color", rgb(p["paper"])), ("text-align", "center")]),
        (".mstheme-vert-navtxt", buttons("vert") +
         [("font-family", p["body_font"]), ("color", rgb(p["paper"])),
          ("text-align", "left")]),
    ]
    for sym in ("home", "next", "prev", "up"):
        rules.append((f".mstheme-navtxt{sym}", buttons(sym) +
                      [("color", rgb(accent)), ("vertical-align", "middle")]))
    return sheet(rules)


def base_sheet(p):
    rules = [
        (".mstheme", [("top-bar-button", "url(topbar.png)"),
                      ("navbutton-background-color", "url(%s)" % "#%02X%02X%02X" % p["accent"])]),
        (".mstheme-topbar-font", [("font-family", p["head_font"]), ("font-weight", "bold"),
                                  ("color", rgb(p["accent2"])), ("text-align", "left")]),
        ("body", [("font-family", p["body_font"]), ("color", rgb(p["ink"])),
                  ("background-image", "url(background.png)")]),
    ]
    for level in range(1, 7):
        weight = "bold" if level <= 3 else "normal"
        rules.append((f"h{level}", [("font-family", p["head_font"]), ("font-weight", weight),
                                    ("color", rgb(mix(p["accent"], p["ink"], level / 7))),
                                    ("text-align", "left")]))
    return sheet(rules, [("page background",
                          "body { background-image: url('background.png') }")])


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else \
        pathlib.Path(__file__).resolve().parent.parent / "themes"
    for p in THEMES:
        folder = root / p["name"]
        folder.mkdir(parents=True, exist_ok=True)
        files = {
            f"{p['name']}.inf": f"[info]\r\ntitle={p['title']}\r\n".encode(),
            "version.txt": (p["version"] + "\n").encode(),
            "color0.css": color_sheet(p, False),
            "color1.css": color_sheet(p, True),
            "graph0.css": graph_sheet(p, False),
            "graph1.css": graph_sheet(p, True),
            "theme.css": base_sheet(p),
        }
        files.update(pictures(p))
        for name, data in files.items():
            (folder / name).write_bytes(data)
        print(f"{folder}: {len(files)} files")


if __name__ == "__main__":
    main()
