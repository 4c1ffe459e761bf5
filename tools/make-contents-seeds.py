#!/usr/bin/env python3
"""Writes the seed inputs of the contents fuzz target (run once; the files are
kept in fuzz/corpus/contents_fuzz/)."""
import pathlib
import struct
import sys

from contents_fields import image, record, text_field, units


font = (record("Name", "", text_field(3, "Verdana"))
        + record("Size", "", image(6, struct.pack("<q", 120000)))
        + record("Bold", "", image(11, struct.pack("<h", -1))))
seeds = {
    "empty": b"\0\0",
    "index_i2": record("Index", "", image(2, struct.pack("<h", 1))),
    "index_bool": record("Index", "", image(11, struct.pack("<h", -1))),
    "strings": record("A", "", text_field(3, "")) + record("B", "", text_field(3, "x y")),
    "font": record("Font", "Font", text_field(3, units(font))),
    "null_ref": record("Ref", " ", image(0)),
    "nested": record("Obj", "rxTheme.CColorObject",
                     text_field(3, units(record("Color(0)", "", text_field(3, "#FFFFFF"))))),
    "scalars": b"".join(record(f"V{code}", "", image(code, bytes(range(1, 9))))
                        for code in (0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 14, 17)),
}
out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "fuzz/corpus/contents_fuzz")
out.mkdir(parents=True, exist_ok=True)
for name, data in seeds.items():
    (out / name).write_bytes(data)
