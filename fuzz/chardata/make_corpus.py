#!/usr/bin/env python3
"""Writes the seed corpus of the radical index fuzz target (corpus/hzbs/).

Layout of hzbs.dat, little-endian: Reserved, ItemCount, RadicalCount, FirstCode,
LastCode (i32 each); RadicalCount 13-byte radicals (code u32, first item i32,
count i32, strokes u8); LastCode-FirstCode+1 HzIndex i32; ItemCount 11-byte
characters (code u32, carried u16, extra strokes u8, carried u32).
"""
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "hzbs")
os.makedirs(here, exist_ok=True)


def index(radicals, items, first, last, reserved=0):
    out = struct.pack("<iiiii", reserved, len(items), len(radicals), first, last)
    for code, first_item, count, strokes in radicals:
        out += struct.pack("<IiiB", code, first_item, count, strokes)
    out += b"".join(struct.pack("<i", -1) for _ in range(last - first + 1))
    for code, extra in items:
        out += struct.pack("<IHBI", code, 0, extra, 0)
    return out


small = index([(0x4E00, 0, 2, 1), (0x6C34, 2, 3, 4), (0x9F8D, 5, 0, 16)],
              [(0x4E01, 1), (0x4E03, 1), (0x6C34, 0), (0x6C38, 1), (0x6C5F, 3)],
              0x4E01, 0x4E03)
seeds = {
    "small.dat": small,
    "truncated.dat": small[:40],
    "header-only.dat": small[:20],
    "zero-radicals.dat": struct.pack("<iiiii", 0, 1, 0, 0, 0),
    "absurd-header.dat": struct.pack("<iiiii", 0, 0x7FFFFFFF, 0x7FFFFFFF, -0x80000000, 0x7FFFFFFF),
    "negative-range.dat": index([(0x4E00, -3, 10, 1), (0x4E8C, 4, 0x7FFFFFFF, 2)],
                                [(0x4E01, 1), (0x4E03, 2)], 0x4E01, 0x4E01),
}
for name, data in seeds.items():
    with open(os.path.join(here, name), "wb") as f:
        f.write(data)
