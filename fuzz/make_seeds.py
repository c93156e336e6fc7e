#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.

Seeds are small hand-picked inputs: the worked examples of each page, the
failures each page can meet, and the edges of reading and formatting. Page
inputs are an option byte, then the fields separated by zero bytes, each
class list preceded by a choice byte (below 0xC0: an item of the list by
index; from 0xC0: the text that follows).
"""
import hashlib
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
TYPED = 0xC0


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for seed in seeds:
        name = hashlib.sha1(seed).hexdigest()[:16]
        with open(os.path.join(folder, name), "wb") as f:
            f.write(seed)


def cp1251(text):
    return text.encode("cp1251")


def page(options, *parts):
    """parts: ints are choice bytes, strings are fields."""
    out = bytes([options])
    fields = []
    for part in parts:
        if isinstance(part, int):
            out += bytes([part])
        else:
            out += cp1251(part) + b"\0"
    return out


def class_item(index):
    return index


READ = ["", "   ", "-", "12", "  12", "+7", " -3", "12.5", ".5", "5.", ".", "0012", "2e3", "1E-2",
        "1e+05", "e5", "-0", "1,5", "-1,5", "12.5 ", "-12.5x", "1.2.3", "12,345.6", "1 000", "1e",
        "abc", "\t5", "0e6000", "1e400", "1e5119", "1e5120", "0e5119", "1e-5120", "1e-400",
        "4.9406564584124654e-324", "1.7976931348623157e308", "9" * 400 + ",", "9" * 5000,
        "0." + "0" * 4999 + "1", "1" + "0" * 4999 + "e-4999", "0.0e5121", "1.0e5120", "7e99999999999999999999"]
write("read_number", [t.encode("latin-1") for t in READ])

values = [12345.678, 0.5, 0.0, -0.0, -1234.56, -0.04, 0.125, 0.25, 0.35, 2.675, 99.95, 999.96, 0.0005,
          0.0004, 1234567.891, 1.5e20, float("inf"), float("-inf"), 1e18, 999999999999999872.0,
          5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 123456789012345.0625]
fmt = []
for i, v in enumerate(values):
    for option in (0, 4, 8, 10):
        fmt.append(struct.pack("<d", v) + bytes([(option + i) % 18]))
write("format_result", fmt)

HIST = [b"", b"\r\n", b"a\r\nb\r\n", b"a\nb", b"a\rb", b"a\n\rb", b"typed", b"a\0b\r\n",
        cp1251("Класс бетона В20 Класс арматуры А300C1\r\nПоперечная сила   14,307.2 кг\r\n\r\n"),
        b"\x98\xff\x80\r\r\n\n", b"\r"]
write("history_file", [cp1251("Поперечная сила   1.0 кг") + b"\0" + h for h in HIST] + [b"\0" + h for h in HIST])

C = {"15": 0, "20": 1, "25": 2, "30": 3, "35": 4, "40": 5}
R = {"240": 0, "300": 1, "400": 2}
write("stirrups", [
    page(0, C["20"], "", R["300"], "", "15", "0.57", "20", "40"),
    page(1, C["20"], "", R["300"], "", "15", "10000", "20", "40"),
    page(2, C["20"], "", R["300"], "", "", "", "", ""),
    page(0, C["20"], "", R["300"], "", "0", "1", "20", "40"),
    page(0, C["20"], "", R["300"], "", "15", "-0.57", "20", "40"),
    page(1, C["25"], "", R["400"], "", "15", "5", "0", "40"),
    page(1, C["25"], "", R["400"], "", "15", "0", "20", "0"),
    page(0, TYPED, "", R["240"], "", "15", "0.57", "20", "40"),
    page(0, C["15"], "", TYPED, "250", "15", "0.57", "20", "40"),
    page(4, C["30"], "", R["240"], "", "15,5", "0.57", "20", "40"),
    page(0, C["40"], "", R["240"], "", "1e400", "0.57", "20", "40"),
    page(1, C["40"], "", R["240"], "", "1", "1e200", "1e-200", "1e-200"),
    page(0, C["35"], "", R["300"], "", "1e-300", "1e300", "1e300", "1e300"),
    page(6, TYPED, "2e1", TYPED, "3e2 ", "0e6000", "1", "1", "1"),
])
write("bent_up_bars", [
    page(0, R["300"], "", "45", "2.26"),
    page(1, R["400"], "", "45", "5000"),
    page(1, R["400"], "", "0", "5000"),
    page(1, R["400"], "", "0", "0"),
    page(1, R["400"], "", "180", "5000"),
    page(0, R["240"], "", "6e20", "1e308"),
    page(3, TYPED, "", "45", "1"),
    page(2, R["240"], "", "45x", "1"),
    page(5, R["240"], "", "-90", "-1e300"),
])
write("no_reinforcement", [
    page(0, C["20"], "", "20", "36"),
    page(1, C["20"], "", "20", "36"),
    page(0, C["15"], "", "20", "0"),
    page(0, C["15"], "", "0", "36"),
    page(2, TYPED, "", "20", "36"),
    page(0, C["40"], "", "1e300", "1e300"),
    page(3, C["40"], "", "0e6000", "1"),
    page(1, C["25"], "", "-20", "-36"),
])
write("pull_off", [
    page(0, R["240"], "", "5000", "45"),
    page(1, R["240"], "", "5000", "45"),
    page(3, R["240"], "", "5000", ""),
    page(3, R["240"], "", "0", ""),
    page(1, R["300"], "", "5000", "0"),
    page(1, R["300"], "", "5000", "30,5"),
    page(0, R["300"], "", "5000", "1e400"),
    page(1, TYPED, "", "5000", "60"),
    page(5, R["400"], "", "1e308", "1e-300"),
])
write("punching", [
    page(0, C["20"], "", R["240"], "", "30000", "200", "20"),
    page(0, C["15"], "", R["240"], "", "50000", "200", "20"),
    page(1, C["30"], "", R["400"], "", "100000", "160", "25"),
    page(0, C["20"], "", R["240"], "", "", "", ""),
    page(2, C["20"], "", TYPED, "", "30000", "200", "20"),
    page(0, C["20"], "", R["240"], "", "0e6000", "0e6000", "1"),
    page(0, C["20"], "", R["240"], "", "1", "0e6000", "0"),
    page(3, C["40"], "", R["400"], "", "1e308", "1e300", "1e300"),
])
write("local_bearing", [
    page(1, C["20"], "", "100", "800", "20000"),
    page(0, C["15"], "", "100", "800", "30000"),
    page(0, C["25"], "", "200", "1000", "40000"),
    page(1, C["25"], "", "200", "1000", "40000"),
    page(1, C["20"], "", "100", "800", "23400"),
    page(0, C["20"], "", "", "", ""),
    page(0, C["20"], "", "", "800", ""),
    page(0, C["20"], "", "100", "", ""),
    page(0, C["20"], "", "-100", "800", ""),
    page(0, C["20"], "", "100", "0e6000", ""),
    page(2, TYPED, "", "100", "800", ""),
    page(0, C["40"], "", "1e308", "1e308", "1"),
    page(0, C["40"], "", "1e-300", "1e300", "1"),
])
