#!/usr/bin/env python3
"""`rxtheme bag dump` on generated contents files: JSON output, errors, exit codes.
Usage: bag_dump_test.py PATH_TO_RXTHEME"""
import json
import os
import struct
import subprocess
import sys
import tempfile

EXE = sys.argv[1]
failures = []


def text_field(tag, units):
    return struct.pack("<Hi", tag, len(units)) + b"".join(struct.pack("<H", u) for u in units)


def s(text):
    return [ord(c) for c in text]


def image(code, value=b""):
    return struct.pack("<HH", 4, code) + b"\0" * 6 + value.ljust(8, b"\0")


def record(name, obj_type, value_field):
    return text_field(1, s(name)) + text_field(2, s(obj_type)) + value_field


def nested(contents):
    return [u for (u,) in struct.iter_unpack("<H", contents)]


font = (record("Name", "", text_field(3, s("Verdana")))
        + record("Size", "", image(6, struct.pack("<q", 125000))))
child = record("Color(0)", "", text_field(3, s("#FF0000")))
page = (record("Index", "", image(2, struct.pack("<h", 1)))
        + record("Flag", "", image(11, struct.pack("<h", -1)))
        + record("Size", "", image(6, struct.pack("<q", 120000)))
        + record("Dec", "", struct.pack("<HH", 4, 14) + bytes([2, 0x80]) + struct.pack("<IQ", 0, 12345))
        + record("Nothing", "", image(1))
        + record("Text", "", text_field(3, [0x41, 0xD800, 0x42, 0xD83D, 0xDE00]))
        + record("Font", "Font", text_field(3, nested(font)))
        + record("Ref", " ", image(0))
        + record("Obj", "rxTheme.CColorObject", text_field(3, nested(child))))


def run(args, data=None):
    with tempfile.NamedTemporaryFile(delete=False) as f:
        if data is not None:
            f.write(data)
        path = f.name
    try:
        argv = [EXE] + [path if a == "FILE" else a for a in args]
        return subprocess.run(argv, capture_output=True)
    finally:
        os.unlink(path)


def check(what, cond):
    if not cond:
        failures.append(what)


r = run(["bag", "dump", "FILE", "--json"], page)
check("json exit 0", r.returncode == 0)
entries = json.loads(r.stdout.decode("utf-8", "surrogatepass"))
by_name = {e["name"]: e for e in entries}
check("order", [e["name"] for e in entries] ==
      ["Index", "Flag", "Size", "Dec", "Nothing", "Text", "Font", "Ref", "Obj"])
check("i2", by_name["Index"]["value"] == {"type": 2, "value": 1})
check("bool", by_name["Flag"]["value"] == {"type": 11, "value": True})
check("currency", by_name["Size"]["value"] == {"type": 6, "value": 12})
check("decimal", by_name["Dec"]["value"] == {"type": 14, "value": "-123.45"})
check("null", by_name["Nothing"]["value"] == {"type": 1, "value": None})
check("lone surrogate kept", by_name["Text"]["value"]["value"] == "A\ud800B\U0001F600")
check("font", by_name["Font"]["value"]["entries"] == [
    {"name": "Name", "objectType": "", "value": {"type": 8, "value": "Verdana"}},
    {"name": "Size", "objectType": "", "value": {"type": 6, "value": 12.5}}])
check("null reference", by_name["Ref"] == {"name": "Ref", "objectType": " ",
                                           "value": {"type": 0, "value": None}})
check("object", by_name["Obj"]["objectType"] == "rxTheme.CColorObject"
      and by_name["Obj"]["value"]["entries"][0]["value"]["value"] == "#FF0000")

r = run(["bag", "dump", "FILE"], page)
check("text exit 0", r.returncode == 0 and b"  Name (type 8): \"Verdana\"" in r.stdout)

check("empty bag", json.loads(run(["bag", "dump", "FILE", "--json"], b"\0\0").stdout) == [])

for what, data in [("tag 0", b"\0\0\0\0"), ("tag 5", record("A", "", struct.pack("<H", 5))),
                   ("odd byte", b"\0\0\0"),
                   ("bad nested", record("F", "Font", text_field(3, [0, 0])))]:
    r = run(["bag", "dump", "FILE", "--json"], data)
    check(what + ": exit 1", r.returncode == 1)
    check(what + ": message",
          r.stderr.decode() == "rxtheme: error 999: Invalid Contents Value\n")

r = subprocess.run([EXE, "bag", "dump", os.path.join(tempfile.gettempdir(), "no-such-rx")],
                   capture_output=True)
check("missing file", r.returncode == 1 and r.stderr.startswith(b"rxtheme: error 53: "))
check("usage: no file", run(["bag", "dump"]).returncode == 2)
check("usage: bad option", run(["bag", "dump", "FILE", "--nope"], b"\0\0").returncode == 2)
check("usage: no command", run([]).returncode == 2)
check("help", run(["bag", "dump", "--help"]).returncode == 0)

for f in failures:
    print("FAILED:", f)
print(f"bag dump: {len(failures)} failure(s)")
sys.exit(1 if failures else 0)
