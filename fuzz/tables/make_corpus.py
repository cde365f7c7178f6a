#!/usr/bin/env python3
"""Writes the seed corpora of the stroke table and simplified/traditional fuzz
targets (corpus/hzbh/, corpus/hzjf/).

hzbh.dat, little-endian: ItemCount, carried, FirstCode, LastCode, GroupCount
(u32 each), 12 carried bytes; GroupCount u32 entry offsets; LastCode-FirstCode+1
u32 entry offsets (code index); ItemCount 16-byte entries (6 carried bytes,
Marks u8, carried u8, Text u32 string offset, Link u32 entry offset); the string
pool with exactly ItemCount NUL bytes. Offsets are file offsets, 0 for none.

hzjf.dat: 8-byte records, simplified u32 and traditional u32.
"""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def hzbh(first, last, groups, codes, entries, pool, item_count=None, group_count=None):
    """groups, codes: entry indices or None; entries: (marks, text, link) with
    text a pool offset or None and link an entry index or None."""
    n = last - first + 1
    base = 32 + 4 * len(groups) + 4 * n
    pool_start = base + 16 * len(entries)
    entry = lambda k: 0 if k is None else base + 16 * k
    out = struct.pack("<IIIII", len(entries) if item_count is None else item_count, 0, first,
                      last, len(groups) if group_count is None else group_count) + bytes(12)
    out += b"".join(struct.pack("<I", entry(g)) for g in groups)
    out += b"".join(struct.pack("<I", entry(c)) for c in codes)
    for marks, text, link in entries:
        out += bytes(6) + struct.pack("<BBII", marks, 0, 0 if text is None else pool_start + text,
                                      entry(link))
    return out + pool


small = hzbh(0x4E00, 0x4E03, [0, 1], [0, 1, None, 2],
             [(2, 0, None), (0, 2, 2), (2, 4, None)], b"1\x002\x003\x00")
hzbh_seeds = {
    "small.dat": small,
    "truncated.dat": small[:60],
    "header-only.dat": small[:32],
    "nul-count.dat": small + b"\x00",
    "padded.dat": small + b"padding",
    "overflow.dat": hzbh(0x4E00, 0x4E03, [0, 1], [0, 1, None, 2],
                         [(2, 0, None)], b"1\x00", group_count=0x40000000),
    "last-code-below-first.dat": hzbh(0x4E03, 0x4E00, [], [], [(0, 0, None)], b"1\x00"),
    "beyond-table.dat": hzbh(0x2FFFF, 0x30000, [0], [0, 0], [(2, 0, None)], b"1\x00"),
    "bad-offsets.dat": hzbh(0x4E00, 0x4E01, [5, None], [0, None],
                            [(0xFF, 1000, 7), (2, 1, 0)], b"12\x00\x00"),
}

pairs = lambda ps: b"".join(struct.pack("<II", s, t) for s, t in ps)
hzjf_seeds = {
    "pairs.dat": pairs([(0x4E07, 0x842C), (0x53F0, 0x81FA), (0x53F0, 0x6AAF), (0x53F0, 0x81FA)]),
    "trailing.dat": pairs([(0x53D1, 0x767C), (0x53D1, 0x9AEE)]) + b"\x01\x02\x03",
    "beyond-table.dat": pairs([(0x4E07, 0x842C), (0x30000, 0x4E07), (0x4E0E, 0x8207)]),
    "self.dat": pairs([(0x2FFFF, 0x2FFFF), (0, 0)]),
}

for folder, seeds in (("hzbh", hzbh_seeds), ("hzjf", hzjf_seeds)):
    path = os.path.join(here, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(path, name), "wb") as f:
            f.write(data)
