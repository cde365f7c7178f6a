#!/usr/bin/env python3
"""Writes the seed corpora of the font fuzz targets: corpus/otf/ (whole font
files and collections) and corpus/cmapdat/ (coverage cache files).

Font files are big-endian: an offset table (sfntVersion u32, numTables u16,
three u16 search fields) and 16-byte table records (tag, checksum, offset,
length), or a "ttcf" header (tag, version u32, numFonts u32, offsets u32...).
'name': format, count, stringOffset (u16), 12-byte records (platform, encoding,
language, nameID, length, offset), strings. 'cmap': version, numTables (u16),
8-byte encoding records (platform u16, encoding u16, offset u32), subtables:
format 4 (format, length, language, segCountX2, 3 search fields, endCode[],
pad, startCode[], idDelta[], idRangeOffset[]) and format 12 (format, reserved,
length u32, language u32, numGroups u32, groups of start, end, glyph u32).

cmap.dat: a 0x6000-byte bitmap (bit c%8 of byte c/8) and a UTF-16LE chain
description ended by a zero unit; 0x6000 to 0x67FF bytes in all.
"""
import os
import struct

here = os.path.dirname(os.path.abspath(__file__))


def utf16be(text):
    return text.encode("utf-16-be")


def name_table(records):
    """records: (platform, encoding, language, nameID, bytes)"""
    out = struct.pack(">HHH", 0, len(records), 6 + 12 * len(records))
    strings, offset = b"", 0
    for platform, encoding, language, name_id, text in records:
        out += struct.pack(">HHHHHH", platform, encoding, language, name_id, len(text), offset)
        strings += text
        offset += len(text)
    return out + strings


def format4(segments):
    segments = segments + [(0xFFFF, 0xFFFF)]
    n = len(segments)
    out = struct.pack(">HHHHHHH", 4, 16 + 8 * n, 0, 2 * n, 0, 0, 0)
    out += b"".join(struct.pack(">H", end) for _, end in segments) + b"\0\0"
    out += b"".join(struct.pack(">H", start) for start, _ in segments)
    return out + b"\0\1" * n + b"\0\0" * n


def format12(groups):
    out = struct.pack(">HHIII", 12, 0, 16 + 12 * len(groups), 0, len(groups))
    return out + b"".join(struct.pack(">III", a, b, 1) for a, b in groups)


def cmap_table(subtables):
    out = struct.pack(">HH", 0, len(subtables))
    offset = 4 + 8 * len(subtables)
    body = b""
    for platform, encoding, data in subtables:
        out += struct.pack(">HHI", platform, encoding, offset)
        offset += len(data)
        body += data
    return out + body


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def directory(tables, tables_at):
    out = struct.pack(">IHHHH", 0x00010000, len(tables), 0, 0, 0)
    at = tables_at
    for tag, data in tables:
        out += tag + struct.pack(">III", 0, at, len(data))
        at += len(pad4(data))
    return out


def font(tables):
    head = directory(tables, 12 + 16 * len(tables))
    return head + b"".join(pad4(d) for _, d in tables)


def collection(faces):
    out = b"ttcf" + struct.pack(">II", 0x00010000, len(faces))
    at = 12 + 4 * len(faces)
    bodies = []
    for tables in faces:
        out += struct.pack(">I", at)
        size = 12 + 16 * len(tables)
        body = directory(tables, at + size) + b"".join(pad4(d) for _, d in tables)
        bodies.append(body)
        at += len(body)
    return out + b"".join(bodies)


def face(names, bmp, groups=None, extra_names=()):
    records = [(3, 1, 0x0409, 4, utf16be(n)) for n in names] + list(extra_names)
    subtables = [(3, 1, format4(bmp))]
    if groups:
        subtables.append((3, 10, format12(groups)))
    return [(b"cmap", cmap_table(subtables)), (b"name", name_table(records))]


prc = [(3, 3, 0x0804, 4, "中文字体".encode("gbk")),
       (3, 3, 0x0804, 4, b"".join(b"\0" + bytes([c]) for c in "宋体".encode("gbk"))),
       (3, 0, 0x0409, 4, b"HanD" + utf16be("x")),
       (3, 1, 0x0804, 4, utf16be("黑体")),
       (1, 0, 0, 4, b"Mac Name")]
single = font(face(["Alpha Sans", "ALPHA sans"], [(0x20, 0x7E), (0x4E00, 0x9FA5), (0x5A, 0x41)],
                   [(0x20000, 0x2A6D6), (0x10000, 0x1000F)], prc))
ttc = collection([face(["Zero"], [(0x41, 0x5A)]),
                  [(b"cmap", cmap_table([(3, 1, format4([(0x43, 0x43)]))]))],
                  face(["Two", "贰"], [(0x4E00, 0x4E10)], [(0x20000, 0x20010)])])
# A name table whose stringOffset leaves room for no record, and a cmap whose
# counts reach far past its end.
odd_name = struct.pack(">HHH", 0, 3, 5) + b"\0" * 40
odd_cmap = struct.pack(">HH", 0, 400) + struct.pack(">HHI", 3, 1, 12) + \
    struct.pack(">HHHH", 4, 0, 0, 0xFFFE) + struct.pack(">HHI", 3, 10, 0x7FFFFFF0)
odd = font([(b"cmap", odd_cmap), (b"name", odd_name)])
# A table record pointing outside the file.
outside = bytearray(font(face(["Outside"], [(0x41, 0x41)])))
outside[12 + 8:12 + 16] = struct.pack(">II", 0xFFFFFF00, 0x1000)
# A collection announcing more faces than its first block holds.
many = b"ttcf" + struct.pack(">II", 0x00010000, 300) + struct.pack(">I", 0) * 300

otf = {
    "single.ttf": single,
    "collection.ttc": ttc,
    "truncated.ttf": single[:len(single) // 2],
    "odd-counts.ttf": odd,
    "table-outside.ttf": bytes(outside),
    "many-faces.ttc": many,
    "empty.ttf": b"",
}

bitmap = bytearray(0x6000)
for c in (0, 0x41, 0x4E2D, 0x20000, 0x2FFFF):
    bitmap[c // 8] |= 1 << (c % 8)


def record(description, terminate=True):
    text = description.encode("utf-16-le") + (b"\0\0" if terminate else b"")
    return bytes(bitmap) + text


cmapdat = {
    "valid.dat": record("(Alpha;Beta){本身}|Gamma{通用回退}"),
    "no-names.dat": record("Alpha{本身}"),
    "empty-parens.dat": record("(){本身}"),
    "unterminated.dat": record("(Alpha;Beta", False),
    "largest.dat": record("(A;B){本身}").ljust(0x67FF, b"\0"),
    "too-small.dat": bytes(bitmap[:0x5FFF]),
}

for sub, files in (("otf", otf), ("cmapdat", cmapdat)):
    folder = os.path.join(here, "corpus", sub)
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
