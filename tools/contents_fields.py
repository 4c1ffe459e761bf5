"""Bag contents written field by field, as 16-bit little-endian units: shared by
the seed writer of the contents fuzz target and the `rxtheme bag dump` test."""
import struct


def text_field(tag, units):
    """A text field; `units` is a str or a list of 16-bit units."""
    units = [ord(c) for c in units] if isinstance(units, str) else units
    return struct.pack("<Hi", tag, len(units)) + b"".join(struct.pack("<H", u) for u in units)


def image(code, value=b""):
    """A variant image field (tag 4): the type code, six zero bytes, the value."""
    return struct.pack("<HH", 4, code) + b"\0" * 6 + value.ljust(8, b"\0")


def record(name, obj_type, value_field):
    return text_field(1, name) + text_field(2, obj_type) + value_field


def units(contents):
    """The 16-bit units of encoded contents, for nesting them in a text field."""
    return [u for (u,) in struct.iter_unpack("<H", contents)]
