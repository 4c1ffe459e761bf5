#!/usr/bin/env python3
"""`rxtheme bag dump` on generated contents files: JSON output, errors, exit codes.
Usage: bag_dump_test.py PATH_TO_RXTHEME"""
import json
import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from contents_fields import image, record, text_field, units  # noqa: E402

EXE = sys.argv[1]
failures = []


def entry(name, var_type, value):
    return {"name": name, "objectType": "", "value": {"type": var_type, "value": value}}


FONT = (record("Name", "", text_field(3, "Verdana"))
        + record("Size", "", image(6, struct.pack("<q", 125000))))
CHILD = record("Color(0)", "", text_field(3, "#FF0000"))
DEC = struct.pack("<HH", 4, 14) + bytes([2, 0x80]) + struct.pack("<IQ", 0, 12345)
ROWS = [  # name, object type, value field; and the value as dumped
    ("Index", "", image(2, struct.pack("<h", 1)), {"type": 2, "value": 1}),
    ("Flag", "", image(11, struct.pack("<h", -1)), {"type": 11, "value": True}),
    ("Size", "", image(6, struct.pack("<q", 120000)), {"type": 6, "value": 12}),
    ("Dec", "", DEC, {"type": 14, "value": "-123.45"}),
    ("Nothing", "", image(1), {"type": 1, "value": None}),
    # Reals as stored, shortest form that reads back (not the runtime's 15 or 7 digits).
    ("Double", "", image(5, struct.pack("<d", 0.1 + 0.2)), {"type": 5, "value": 0.30000000000000004}),
    ("Single", "", image(4, struct.pack("<f", 1 / 3)), {"type": 4, "value": 0.33333334}),
    ("Big", "", image(5, struct.pack("<d", 123456789012345.6)), {"type": 5, "value": 123456789012345.6}),
    ("When", "", image(7, struct.pack("<d", 45123.4567890123)), {"type": 7, "value": 45123.4567890123}),
    ("Money", "", image(6, struct.pack("<q", 1234567890123456000)), {"type": 6, "value": 123456789012345.6}),
    ("Text", "", text_field(3, [0x41, 0xD800, 0x42, 0xD83D, 0xDE00]),  # a lone surrogate is kept
     {"type": 8, "value": "A\ud800B\U0001F600"}),
    ("Font", "Font", text_field(3, units(FONT)),
     {"entries": [entry("Name", 8, "Verdana"), entry("Size", 6, 12.5)]}),
    ("Ref", " ", image(0), {"type": 0, "value": None}),
    ("Obj", "rxTheme.CColorObject", text_field(3, units(CHILD)),
     {"entries": [entry("Color(0)", 8, "#FF0000")]}),
]
page = b"".join(record(name, obj_type, field) for name, obj_type, field, _ in ROWS)


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
dumped = json.loads(r.stdout.decode("utf-8", "surrogatepass"))
check("entry count", len(dumped) == len(ROWS))
for (name, obj_type, _, value), got in zip(ROWS, dumped):
    check(f"{name}: {got}", got == {"name": name, "objectType": obj_type, "value": value})

r = run(["bag", "dump", "FILE"], page)
check("text exit 0", r.returncode == 0 and b"  Name (string): \"Verdana\"" in r.stdout)
check("text type names", b"Flag (boolean): true" in r.stdout and b"Index (integer): 1" in r.stdout)
for line in [b"Double (double): 0.30000000000000004", b"Single (single): 0.33333334",
             b"Big (double): 123456789012345.6", b"When (date): 45123.4567890123",
             b"Money (currency): 123456789012345.6"]:
    check(f"text {line}", line + b"\n" in r.stdout)
# Control characters in names are escaped, a NUL included.
r = run(["bag", "dump", "FILE"], record("A\0B\x1b", "", text_field(3, "x")))
check("escaped name", r.stdout == b"A\\x00B\\x1B (string): \"x\"\n")

check("empty bag", json.loads(run(["bag", "dump", "FILE", "--json"], b"\0\0").stdout) == [])

for what, data in [("tag 5", record("A", "", struct.pack("<H", 5))), ("odd byte", b"\0\0\0"),
                   ("bad nested", record("F", "Font", text_field(3, [0, 0])))]:
    r = run(["bag", "dump", "FILE", "--json"], data)
    check(what, r.returncode == 1 and r.stderr.startswith(b"rxtheme: error 999: Invalid Contents Value: /")
          and r.stderr.count(b"\n") == 1)

r = subprocess.run([EXE, "bag", "dump", os.path.join(tempfile.gettempdir(), "no-such-rx")],
                   capture_output=True)
check("missing file", r.returncode == 1 and r.stderr.startswith(b"rxtheme: error 53: "))
for args, code in [(["bag", "dump"], 2), (["bag", "dump", "FILE", "--nope"], 2), ([], 2),
                   (["bag", "dump", "--help"], 0)]:
    check(f"exit code of {args}", run(args, b"\0\0").returncode == code)

for f in failures:
    print("FAILED:", f)
print(f"bag dump: {len(failures)} failure(s)")
sys.exit(1 if failures else 0)
