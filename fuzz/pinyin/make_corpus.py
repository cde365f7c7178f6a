#!/usr/bin/env python3
"""Writes the seed corpora of the pinyin fuzz targets (corpus/hzpy/, corpus/rules/).

hzpy inputs are one control byte (bit 0: scrambled, bit 1: fix the checksum,
bit 2: edit and save) and a pinyin table file image, little-endian:
  current: magic 0x1A6C6556, created 2009101006, saved, checksum of bytes 16..end,
           N, N 16-byte readings (code u32, ID u16, syllable u16, frequency u32,
           flags u32), S u16, LastID u16, S 40-byte syllables (tones u8,
           plain len+6, four marked forms len+7, code page 936), L u32, bitmap.
  old:     magic, created 2009100905, N, N 18-byte readings (syllable u16, 0 u16,
           code u32, packed flags/frequency u32, 0 u32, ID u16), then the same.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
INITIALS = ["", "b", "c", "ch", "d", "f", "g", "h", "j", "k", "l", "m", "n", "p", "q", "r",
            "s", "sh", "t", "w", "x", "y", "z", "zh"]
FINALS = ["", "a", "ai", "an", "ang", "ao", "e", "ei", "en", "eng", "er", "i", "ia", "ian",
          "iang", "iao", "ie", "in", "ing", "iong", "iu", "o", "ong", "ou", "u", "ua", "uai",
          "uan", "uang", "ue", "ui", "un", "uo", "v"]
KEY = b"QadRoty"
ROT = [3, 6, 1, 5, 2, 7]
MARKED = {"a": "āáǎà", "e": "ēéěè", "i": "īíǐì", "o": "ōóǒò", "u": "ūúǔù", "v": "ǖǘǚǜ"}


def code(plain, tones):
    for i in range(len(INITIALS) - 1, -1, -1):
        if plain.startswith(INITIALS[i]) and plain[len(INITIALS[i]):] in FINALS:
            return i | (FINALS.index(plain[len(INITIALS[i]):]) << 5) | (tones << 11)
    raise ValueError(plain)


def marked(plain, tone):
    for v in "aeo":
        if v in plain:
            at = plain.index(v)
            break
    else:
        at = max(plain.rfind(v) for v in "iuv")
    return plain[:at] + MARKED[plain[at]][tone - 1] + plain[at + 1:]


def scramble(block):
    out = bytearray()
    for i, b in enumerate(block):
        b ^= KEY[i % 7]
        r = ROT[i % 6] % 8
        out.append(((b >> r) | (b << (8 - r))) & 0xFF)
    return bytes(out)


def checksum(data):
    a = sum(data)
    b = sum(struct.unpack_from("<%dH" % (len(data) // 2), data)) + (data[-1] if len(data) % 2 else 0)
    while a > 0xFFFF:
        a = (a & 0xFFFF) + (a >> 16)
    while b > 0xFFFF:
        b = (b & 0xFFFF) + (b >> 16)
    return (b << 16) + a


def short(text, size):
    data = text.encode("gbk")[:size]
    return bytes([len(data)]) + data + bytes(size - len(data))


def table(old=False, scrambled=False, bitmap=b"\x00\x40", readings=3072):
    real = [(0x4E2D, "zhong", 0b01001), (0x4E2D, "chong", 0b00010), (0x4E50, "le", 0b01000),
            (0x4E50, "yue", 0b01000), (0x884C, "xing", 0b00010), (0x884C, "hang", 0b00010)]
    rows = real + [(0x20000 + i, "a", 1) for i in range(readings - len(real))]
    block = b""
    for i, (cp, plain, tones) in enumerate(rows):
        if old:
            block += struct.pack("<HHIIIH", code(plain, tones), 0, cp, (i << 5) | 0x10, 0, i + 1)
        else:
            block += struct.pack("<IHHII", cp, i + 1, code(plain, tones), i, 8)
    plains = sorted({plain for _, plain, _ in rows})
    syllables = b"".join(bytes([1]) + short(p, 6) + b"".join(short(marked(p, t), 7) for t in (1, 2, 3, 4))
                         for p in plains)
    if scrambled:
        block, syllables = scramble(block), scramble(syllables)
    body = struct.pack("<I", len(rows)) + block + struct.pack("<HH", len(plains), 0) + syllables
    if bitmap is not None:
        body += struct.pack("<I", len(bitmap)) + bitmap
    if old:
        return struct.pack("<II", 0x1A6C6556, 2009100905) + body
    return struct.pack("<IIII", 0x1A6C6556, 2009101006, 2024010101, checksum(body)) + body


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


current = table()
write("hzpy", "current.bin", b"\x00" + current)
write("hzpy", "current-edit.bin", b"\x04" + current)
write("hzpy", "scrambled.bin", b"\x01" + table(scrambled=True))
write("hzpy", "old.bin", b"\x00" + table(old=True))
write("hzpy", "old-scrambled-edit.bin", b"\x05" + table(old=True, scrambled=True))
write("hzpy", "no-bitmap.bin", b"\x00" + table(bitmap=None))
write("hzpy", "bad-checksum-fixed.bin", b"\x02" + current[:12] + b"\0\0\0\0" + current[16:])
write("hzpy", "truncated.bin", b"\x00" + current[:30000])
write("hzpy", "header-only.bin", b"\x00" + current[:20])

rules = ("乐\tyuè\tA\r\n乐\tyue\t^乐和$\r\n乐\tyue\t乐器\n丁\tzheng\tX\n丁\tzheng\t伐木丁丁\n"
         "万\tmo\n万\tmo\t^万俟\n万\tmo\t万俟$\n#comment\n;comment\n 行\thang\n行\thang\t银行\n"
         "和\thuo\t暖和\n和\thu\n\U00020000\the\n\U00020000\the\t\U00020000和\n")
write("rules", "utf8.txt", rules.encode("utf-8"))
write("rules", "utf8-bom.txt", b"\xef\xbb\xbf" + rules.encode("utf-8"))
write("rules", "utf16le.txt", b"\xff\xfe" + rules.encode("utf-16-le"))
write("rules", "utf16be.txt", b"\xfe\xff" + rules.encode("utf-16-be"))
write("rules", "gbk.txt", rules.replace("\U00020000", "").encode("gbk"))
write("rules", "empty.txt", b"")
