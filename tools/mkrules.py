#!/usr/bin/env python3
"""Regenerates the built-in polyphone rule text, data/pinyin/BuiltInRules.txt.

Sources:
  - the word list json/complete.json of the npm package @pinyin-pro/data
    (ISC licence, https://github.com/chinese-data/pinyin-pro-data): about
    350,000 words, each with its pinyin (one tone-marked syllable per
    character) and a frequency;
  - the readings of our own pinyin table, build/share/velmora6/zi/hzpy.dat
    (written by tools/mkdata/mkhzpy from Unihan): build the project first.

Rules written, one block per character that has two or more readings in the
table: for each reading other than the character's usual one that the word
list uses, a head line "CHAR<TAB>syllable" and then context lines
"CHAR<TAB>syllable<TAB>word" for the most frequent words of 2 to 4 Han
characters in which the character has that reading. The usual reading is the
one the word list gives the character on its own, else the one its words use
most. Tone-sandhi spellings of 一 (yí, yì) and 不 (bú) are read as yī and bù
first; a word is kept only when the character's syllable in it is one of the
character's readings in the table, and when it is one of the few most
frequent words of that reading.

Usage: tools/mkrules.py [--table hzpy.dat] [--words complete.json] [--out FILE]
Without --words the script fetches the package with `npm pack` into a
temporary folder (needs npm and network access to the npm registry).
"""
import argparse
import json
import os
import struct
import subprocess
import sys
import tarfile
import tempfile

PACKAGE = "@pinyin-pro/data@1.3.1"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

INITIALS = ["", "b", "c", "ch", "d", "f", "g", "h", "j", "k", "l", "m", "n", "p", "q", "r",
            "s", "sh", "t", "w", "x", "y", "z", "zh"]
FINALS = ["", "a", "ai", "an", "ang", "ao", "e", "ei", "en", "eng", "er", "i", "ia", "ian",
          "iang", "iao", "ie", "in", "ing", "iong", "iu", "o", "ong", "ou", "u", "ua", "uai",
          "uan", "uang", "ue", "ui", "un", "uo", "v"]
MARKS = {}
for base, marked in (("a", "āáǎà"), ("e", "ēéěè"), ("i", "īíǐì"), ("o", "ōóǒò"),
                     ("u", "ūúǔù"), ("v", "ǖǘǚǜ")):
    for tone, ch in enumerate(marked, 1):
        MARKS[ch] = (base, tone)
MARKS["ü"] = ("v", 5)

# How many words a reading keeps at most, and how rare a word may be
# (frequency per word of running text).
MAX_WORDS = 16
MIN_FREQUENCY = 3e-12


def read_table(path):
    """Code point -> {plain syllable: set of tones}, in slot order, from hzpy.dat."""
    with open(path, "rb") as f:
        data = f.read()
    magic, created = struct.unpack_from("<II", data, 0)
    if magic != 0x1A6C6556 or created // 100 < 20091010:
        sys.exit("mkrules: %s is not a current pinyin table file" % path)
    (count,) = struct.unpack_from("<I", data, 16)
    readings = {}
    for i in range(count):
        code, _id, syllable, _freq, _flags = struct.unpack_from("<IHHII", data, 20 + 16 * i)
        initial, final = syllable & 0x1F, (syllable >> 5) & 0x3F
        if initial >= len(INITIALS) or final >= len(FINALS):
            continue
        plain = INITIALS[initial] + FINALS[final]
        tones = {t for t in range(1, 6) if syllable & (1 << (10 + t))}
        readings.setdefault(code, {}).setdefault(plain, set()).update(tones)
    return readings


def read_syllable(written):
    """'lüè' -> ('lue', 4); 'me' -> ('me', 5); None for anything else."""
    plain, tone = "", 5
    for ch in written:
        if ch in MARKS:
            base, t = MARKS[ch]
            plain += base
            if t != 5:
                tone = t
        elif "a" <= ch <= "z":
            plain += ch
        else:
            return None
    if plain in ("lve", "nve"):
        plain = plain[0] + "ue"
    return plain, tone


def is_han(ch):
    c = ord(ch)
    return (0x3400 <= c <= 0x9FFF or 0xF900 <= c <= 0xFAFF or 0x20000 <= c <= 0x2FFFF
            or c == 0x3007)


def fetch_words():
    work = tempfile.mkdtemp(prefix="mkrules-")
    subprocess.run(["npm", "pack", PACKAGE, "--silent", "--pack-destination", work],
                   check=True, stdout=subprocess.DEVNULL)
    tgz = [f for f in os.listdir(work) if f.endswith(".tgz")][0]
    with tarfile.open(os.path.join(work, tgz)) as tar:
        member = tar.getmember("package/json/complete.json")
        return json.load(tar.extractfile(member))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--table", default=os.path.join(ROOT, "build", "share", "velmora6", "zi",
                                                    "hzpy.dat"))
    ap.add_argument("--words", help="json/complete.json of %s" % PACKAGE)
    ap.add_argument("--out", default=os.path.join(ROOT, "data", "pinyin", "BuiltInRules.txt"))
    args = ap.parse_args()

    table = read_table(args.table)
    polyphones = {c: r for c, r in table.items() if len(r) >= 2}
    if args.words:
        with open(args.words, encoding="utf-8") as f:
            words = json.load(f)
    else:
        words = fetch_words()

    usual = {}  # character -> its reading on its own
    uses = {}   # (character, plain) -> [(frequency, word)]
    for word, (pinyin, frequency) in words.items():
        syllables = pinyin.split(" ")
        if len(word) == 1 and ord(word) in polyphones:
            read = read_syllable(syllables[0])
            if read and read[0] in polyphones[ord(word)]:
                usual[ord(word)] = read[0]
            continue
        if not 2 <= len(word) <= 4 or len(syllables) != len(word):
            continue
        if not all(is_han(ch) for ch in word) or frequency < MIN_FREQUENCY:
            continue
        for ch, written in zip(word, syllables):
            code = ord(ch)
            if code not in polyphones:
                continue
            read = read_syllable(written)
            if read is None:
                continue
            plain, tone = read
            # 一 and 不 are spelled with the tone they take before the next
            # syllable (yí, yì, bú); their reading is yī and bù.
            if ch == "一" and plain == "yi":
                tone = 1
            elif ch == "不" and plain == "bu" and tone == 2:
                tone = 4
            # The word's reading must be one of the table's: its syllable, in
            # one of its tones (a neutral tone is a matter of the word).
            tones = polyphones[code].get(plain)
            if tones is None or (tone != 5 and tone not in tones):
                continue
            found = uses.setdefault((code, plain), [])
            if (frequency, word) not in found[-1:]:  # a word that holds the character twice
                found.append((frequency, word))

    lines = []
    characters = heads = contexts = 0
    for code in sorted(polyphones):
        readings = [p for p in polyphones[code] if (code, p) in uses]
        if not readings:
            continue
        main_reading = usual.get(code)
        if main_reading is None:
            main_reading = max(readings, key=lambda p: sum(f for f, _ in uses[(code, p)]))
        others = [p for p in readings if p != main_reading]
        if not others:
            continue
        characters += 1
        ch = chr(code)
        for plain in others:
            chosen = sorted(uses[(code, plain)], key=lambda fw: (-fw[0], fw[1]))[:MAX_WORDS]
            lines.append("%s\t%s" % (ch, plain))
            heads += 1
            for _, word in sorted(chosen, key=lambda fw: fw[1]):
                lines.append("%s\t%s\t%s" % (ch, plain, word))
                contexts += 1

    header = [
        "# Built-in polyphone rules: CHAR<TAB>syllable opens a reading's group,",
        "# CHAR<TAB>syllable<TAB>word adds a word in which CHAR has that reading.",
        "# Generated by tools/mkrules.py from %s json/complete.json" % PACKAGE,
        "# (ISC licence, https://github.com/chinese-data/pinyin-pro-data) and the",
        "# readings of hzpy.dat; see data/pinyin/README.md.",
    ]
    with open(args.out, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(header + lines) + "\n")
    print("mkrules: %d characters, %d head lines, %d context lines, %d lines"
          % (characters, heads, contexts, len(header) + len(lines)))


if __name__ == "__main__":
    main()
