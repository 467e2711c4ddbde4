#!/usr/bin/env python3
"""Writes the seed inputs of both fuzz targets into fuzz/corpus/.

Small compiled fonts of the four variants, built field by field here, and
specification byte runs for the decoder alone. A seed of the run target is
one option byte (0 none, 1 -d, 2 -e, 3 -de) followed by the font; a seed of
the decoder target is a setup byte (variant in the low two bits, -d in bit
2) followed by shapes, each a counter word and its specification bytes.
Run it again after changing it; it replaces only the files named seed-*.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

SIGNATURES = {
    "shapes10": b"Vormald-86 shapes 1.0\r\n\x1a",
    "shapes11": b"Vormald-86 shapes 1.1\r\n\x1a",
    "bigfont": b"Vormald-86 bigfont 1.0\r\n\x1a",
    "unifont": b"Vormald-86 unifont 1.0\r\n\x1a",
}


def word(value):
    return struct.pack("<H", value & 0xFFFF)


def dword(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def signed(value):
    return value & 0xFF


# Specification bytes that take every code once, both forms of code 7, lists
# that close, signed-magnitude operands with and without the sign, and
# hexadecimal items, ending on a 0 code.
EVERY_CODE = bytes([
    1, 2, 8, 5, signed(-3), 3, 2, 4, 2, 5, 6,
    7, 0x42,
    7, 0, 0x41, 0x90, 0xFE, 2, 5, 6,
    9, 1, 2, signed(-3), 4, 0, 0,
    10, 3, 0x92, 10, 0xC8, 0x12,
    11, 1, 2, 3, 200, 0x85,
    12, 5, 0xFB, 0x7F,
    13, 1, 2, 3, 0, 5, 7, 0, 0,
    14, 8, 1, 2,
    0x0F, 0x2F, 0xFF, 0, 1, 0,
])

# Code 7 as a unifont reads it: always one 16-bit operand, high byte first.
UNIFONT_CODES = bytes([1, 7, 0x01, 0x90, 7, 0, 0x41, 2, 8, 1, signed(-1), 0])


def record(name, data):
    return name + b"\0" + data


def font_header(name, values):
    return record(name, bytes(signed(v) for v in values))


def shapes_font(kind, records, ignored=(1, 0x7F)):
    """records: (code, record bytes) in index order."""
    out = SIGNATURES[kind] + word(ignored[0]) + word(ignored[1]) + word(len(records))
    for code, body in records:
        out += word(code) + word(len(body))
    for _, body in records:
        out += body
    return out


def bigfont(entries, ranges, tail_records=True, entry_size=8, count=None):
    """entries: (code, record bytes or (length, offset)) in index order; the
    records follow the index in reverse index order, so that file order,
    index order and code order all differ."""
    head = SIGNATURES["bigfont"] + word(entry_size)
    head += word(len(entries) if count is None else count) + word(len(ranges))
    for first, last in ranges:
        head += word(first) + word(last)
    offset = len(head) + 8 * len(entries)
    index = b""
    bodies = b""
    placed = []
    for code, body in reversed(entries):
        if isinstance(body, tuple):
            placed.append((code, body[0], body[1]))
        else:
            placed.append((code, len(body), offset + len(bodies)))
            bodies += body
    for code, length, at in reversed(placed):
        index += word(code) + word(length) + dword(at)
    return head + index + (bodies if tail_records else b"")


def unifont(records, count=None):
    out = SIGNATURES["unifont"] + word(len(records) if count is None else count)
    for code, body in records:
        out += word(code) + word(len(body)) + body
    return out


def run_seeds():
    demo_shapes = [
        (0, font_header(b"Seed", [0x15, -5, 2, 0])),
        (0x41, record(b"", EVERY_CODE)),
        (0x42, record(b"bee", bytes([1, 0x24, 0]))),
        (0x2030, record(b"", bytes([2, 8, 3]))),      # ends on code 8: operands past the end
        (0x8000, record(b"\xe9%%", bytes([0x20, 13, 1, 1, 1, 0, 0, 0]))),
        (0x43, record(b"", b"")),                      # counter below zero
    ]
    fonts = {
        "shapes11": shapes_font("shapes11", demo_shapes),
        "shapes10": shapes_font("shapes10", demo_shapes[:3]),
        "bigfont": bigfont(
            [
                (0x8140, record(b"", bytes([1, 7, 0x81, 2, 0]))),
                (0, font_header(b"Seed", [8, 0, 0, 8])),
                (0x41, record(b"", EVERY_CODE)),
                (0x42, (0, 0)),                        # empty entry: skipped
                (0xE0A1, record(b"wide", bytes([9, 1, 1, 0, 0, 0]))),
            ],
            [(0x81, 0x9F), (0xE0, 0xFC)],
        ),
        "unifont": unifont([
            (0, font_header(b"Seed", [0x15, -5, 2, 0, 1, 0])),
            (0x41, record(b"", UNIFONT_CODES)),
            (0x414, record(b"", bytes([1, 0x30, 0]))),
            (0x2041, record(b"", bytes([2, 0]))),      # -e gives an escape name
        ]),
    }
    seeds = {}
    for kind, font in fonts.items():
        for options, suffix in enumerate(["", "-d", "-e", "-de"]):
            seeds[f"seed-{kind}{suffix}"] = bytes([options]) + font

    edge = {
        "shapes-count0": shapes_font("shapes11", []),
        "shapes-index-cut": shapes_font("shapes11", demo_shapes)[:40],
        "shapes-count-cut": SIGNATURES["shapes11"] + b"\0\0\0\0\x05",
        "shapes-record-cut": shapes_font("shapes11", demo_shapes)[:-30],
        "bigfont-entry-size7": bigfont([(0x41, record(b"", b"\1\0"))], [], entry_size=7),
        "bigfont-count-negative": bigfont([(0x41, record(b"", b"\1\0"))], [], count=0x8000),
        "bigfont-index-cut": bigfont([(0x41, record(b"", b"\1\0"))] * 3, [(0x81, 0x9F)])[:50],
        "bigfont-count0": bigfont([], [(0x81, 0x9F)]),
        "bigfont-offset-past-end": bigfont([(0x41, (5, 5000)), (0x42, record(b"", b"\1\0"))], []),
        "bigfont-offset-negative": bigfont([(0x41, (5, 0x80000000))], []),
        "bigfont-long-length": bigfont([(0, (0x9000, 0)), (0x41, (0x7FFF, 40))], [(1, 2)]),
        "unifont-count-over": unifont([(0x41, record(b"", b"\1\0"))], count=9),
        "unifont-count0": unifont([]),
        "unifont-long-name": unifont([(0, font_header(b"N" * 1100, [1, 2, 3, 4, 5, 6])),
                                      (0x41, record(b"L" * 1030, b"\1\0"))]),
        "unifont-list13-open": unifont([(0x41, record(b"", bytes([13, 1, 2, 3, 4])))]),
        "unifont-list9-open": unifont([(0x41, record(b"", bytes([9, 1, 2])))]),
        "unifont-header-cut": unifont([(0, font_header(b"Seed", [1, 2, 3, 4, 5, 6]))])[:-3],
        "not-a-font": b"Vormald-86 shapes 1.2\r\n\x1a\0\0",
        "signature-nul": b"Vormald-86 shapes 1.1\r\n\0tail\x1a\0\0\0\0\0\0",
        "empty": b"",
    }
    for name, font in edge.items():
        seeds[f"seed-{name}"] = bytes([0]) + font
    return seeds


def spec_seeds():
    def shape(counter, data):
        return word(counter) + data

    seeds = {}
    for setup, suffix in [(1, "shapes"), (1 | 4, "shapes-d"), (3, "unifont"), (3 | 4, "unifont-d")]:
        codes = UNIFONT_CODES if setup & 3 == 3 else EVERY_CODE
        seeds[f"seed-{suffix}"] = bytes([setup]) + shape(len(codes), codes) + shape(3, b"\1\2\0")
    seeds["seed-short-counter"] = bytes([1]) + shape(1, bytes([8, 1, 2])) + shape(3, bytes([13, 1, 2, 3, 0, 0]))
    seeds["seed-negative-counter"] = bytes([2]) + shape(0xFFFE, b"") + shape(2, bytes([3, 0x80]))
    seeds["seed-list9-open"] = bytes([0]) + shape(40, bytes([9, 1, 2]))
    seeds["seed-list13-open"] = bytes([0]) + shape(40, bytes([13, 1, 2, 3, 4]))
    seeds["seed-operands-cut"] = bytes([1]) + shape(5, bytes([8]))
    seeds["seed-long-line"] = bytes([1]) + shape(200, bytes([0x10 + i % 200 for i in range(200)]))
    return seeds


def compile_seeds():
    """Source texts for the compiler: an option byte (bits 0-1 the
    decompiler's -d and -e, bit 2 --drop-default-names, bit 3
    --take-counted, bits 4-6 --variant: 0 none, 1 shapes10, 2 shapes11,
    3 bigfont, 4 unifont), then the text."""
    top = os.path.dirname(HERE)
    seeds = {}
    for folder, suffix in [("examples", ".kqs"), (os.path.join("tests", "e2e", "golden"), ".txt")]:
        for name in sorted(os.listdir(os.path.join(top, folder))):
            if not name.endswith(suffix) or name[:-len(suffix)].endswith(("_d", "_e")):
                continue
            with open(os.path.join(top, folder, name), "rb") as text:
                source = text.read()
            variant = 1 << 4 if "shapes10" in name else 0
            stem = name[:-len(suffix)]
            seeds[f"seed-{stem}"] = bytes([variant]) + source
            seeds[f"seed-{stem}-de-drop"] = bytes([variant | 0x07]) + source
    seeds["seed-hand"] = bytes([0x08]) + (
        b"; by hand\r\n*0,4,hand\r\n1,-2,0FF,0\r\n*065,9,a;b\r\n2,(8,(-1,1)),010,7,0,(09,0a)\r\n"
        b"*66,12,b\n9,(1,2),(0,0),13,(1,2,-3),(0,0),10,(3,-000)\n*067\n,13,\n11,(1,2,3,4,-07F),12,(1,2,3),7,(0,0102,1,2,3,4),0,")
    seeds["seed-bigfont-line"] = bytes([0]) + b"*BIGFONT 2,1,081,09F\n*0,5,big\n8,0,0,8,0\n*08140,2,\n1,0\n"
    seeds["seed-unifont"] = bytes([0x02]) + b"*UNIFONT,6,u\n1,2,3,4,5,0\n*8364,4,euro\n7,0FFFF,0\n"
    return seeds


def write(folder, seeds):
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        if name.startswith("seed-"):
            os.remove(os.path.join(folder, name))
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus")
    write(os.path.join(corpus, "run"), run_seeds())
    write(os.path.join(corpus, "spec"), spec_seeds())
    write(os.path.join(corpus, "compile"), compile_seeds())


if __name__ == "__main__":
    main()
