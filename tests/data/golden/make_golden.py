#!/usr/bin/env python3
"""Writes the expected export files, independently of the C++ code.

zeros.txt            export of an all-zero parameter area
pattern.txt          export of the area filled with pattern(address)
pattern_repaired.txt the same after the range repair against an all-zero reference area

Run from anywhere: python3 make_golden.py
"""
import os

RANGES = [
    ("Tx Power = ", 0xF400, 0xF668),
    ("Rx Tuning = ", 0xF700, 0xF760),
    ("Tx Mod = ", 0xF800, 0xF910),
    ("Tone = ", 0xF918, 0xFB38),
    ("Rx Test = ", 0xF760, 0xF7A8),
    ("SQL = ", 0xFB48, 0xFC00),
    ("RSSI = ", 0xFC00, 0xFC24),
    ("Rx Tuning Right = ", 0xFC24, 0xFC4A),
    ("SQL Right = ", 0xFC50, 0xFCA0),
    ("RSSI Right = ", 0xFCA0, 0xFCA8),
]

# (slots as (ValueBase, RowCount), stride, fields as (offset, size, maximum))
REPAIR = [
    ([(0xF700, 0), (0xF704, 0), (0xF708, 0), (0xF726, 3), (0xF710, 6), (0xFC24, 6),
      (0xF71C, 5), (0xF730, 9), (0xF742, 13), (0xFC30, 13), (0x0000, 0)],
     2, [(0, 2, 0x3FF)]),
    ([(0xF800, 3), (0xF818, 3), (0xF830, 3), (0, 0), (0xF848, 6), (0xF878, 5), (0xF8A0, 6),
      (0xF8D0, 9), (0, 0)],
     8, [(0, 1, 7), (1, 1, 7), (2, 2, 0x2A73), (4, 2, 0x2A73), (6, 2, 0x3FFF)]),
    ([(0xF918, 3), (0xF948, 3), (0xF978, 3), (0, 0), (0xF9A8, 6), (0xFA08, 5), (0xFA58, 6),
      (0xFAB8, 9), (0, 0)],
     16, [(o, 2, 0x3FFF) for o in (0, 2, 4, 6, 8, 10)]),
    ([(0xF760 + 8 * i, 1) for i in range(9)],
     8, [(0, 1, 7), (1, 1, 7), (2, 2, 0x2A73), (4, 2, 0x2A73)]),
    ([(0xFB48, 1), (0xFB50, 1), (0xFB58, 2), (0xFB68, 2), (0xFB78, 3), (0xFC50, 3),
      (0xFB90, 3), (0xFBA8, 3), (0xFBC0, 5), (0xFC68, 5), (0xFBE8, 3)],
     8, [(o, 2, 0x3FFF) for o in (0, 2, 4, 6)]),
    ([(0xFC00, 1), (0xFC04, 1), (0xFC08, 1), (0xFC0C, 1), (0xFC10, 1), (0xFCA0, 1),
      (0xFC14, 1), (0xFC18, 1), (0xFC1C, 1), (0xFCA4, 1), (0xFC20, 1)],
     4, [(0, 2, 0x3FFF), (2, 2, 0x3FFF)]),
]


def pattern(a):
    return (a * 37 + (a >> 8) * 11) & 0xFF


def export(area):
    out = []
    for label, start, end in RANGES:
        out.append(label + "{")
        for a in range(start, end):
            if a % 8 == 0 and a != 0:
                out.append("\r\n")
            out.append("0x%02x" % area[a] if a == end - 1 else "0x%02x, " % area[a])
        out.append("\r\n};\r\n\r\n")
    return "".join(out).encode("ascii")


def repair(area, reference):
    for slots, stride, fields in REPAIR:
        for base, count in slots:
            for j in range(count):
                for offset, size, maximum in fields:
                    a = (base + j * stride + offset) % 65536
                    value = area[a] if size == 1 else area[a] | area[(a + 1) % 65536] << 8
                    if value > maximum:
                        for k in range(size):
                            area[(a + k) % 65536] = reference[(a + k) % 65536]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    zeros = bytearray(65536)
    patterned = bytearray(pattern(a) for a in range(65536))
    repaired = bytearray(patterned)
    repair(repaired, bytearray(65536))
    for name, area in (("zeros.txt", zeros), ("pattern.txt", patterned),
                       ("pattern_repaired.txt", repaired)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(export(area))


if __name__ == "__main__":
    main()
