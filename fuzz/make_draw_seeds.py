#!/usr/bin/env python3
"""Writes the seed inputs of the draw fuzz target into fuzz/corpus/draw/.

A seed is one mode byte (0 the listing, 1 the specimen, 2 a line of text,
3 the specimen of a range of codes) followed by a compiled font: the sample
fonts of examples/, and fonts made here to reach every bound of the
drawing. Run it again after changing it; it replaces only the files named
seed-*.
"""
import os
import sys

from make_seeds import HERE, bigfont, font_header, record, shapes_font, signed, unifont, write

LIST, SPECIMEN, TEXT, RANGE = 0, 1, 2, 3


def data(*values):
    return bytes(signed(v) for v in values)


def shapes(records, height=4):
    """records: (code, specification bytes); a font-header record first."""
    return shapes_font("shapes11", [(0, font_header(b"Seed", [height, 1, 0, 0]))] +
                       [(code, record(b"", spec)) for code, spec in records])


def draw_seeds():
    seeds = {}
    for stem in ("strokes_shapes10", "strokes_shapes11", "strokes_bigfont", "strokes_unifont"):
        with open(os.path.join(HERE, "..", "examples", stem + ".kqx"), "rb") as font:
            sample = font.read()
        seeds["seed-" + stem + "-list"] = bytes([LIST]) + sample
        seeds["seed-" + stem + "-text"] = bytes([TEXT]) + sample
    seeds["seed-self-referring"] = bytes([SPECIMEN]) + shapes([
        (0x41, data(7, 0x41, 0x10)),
        (0x42, data(7, 0x43)),
        (0x43, data(7, 0x42, 0x10)),
        (0x44, data(7, 0, 0, 0x44, 0, 0, 2, 2)),
        (0x45, data(7, 0, 0, 0x46, 0, 0, -4, 4)),
        (0x46, data(12, 4, 0, 127, 7, 0, 0, 0x45, 1, 1, 1, 1)),
    ])
    # Each code calls the next, 65,535 of them: every character stops at
    # depth 17.
    chain = [(code, record(b"", data(7, (code + 1) >> 8 & 0xFF, (code + 1) & 0xFF)))
             for code in range(1, 0x10000)]
    seeds["seed-nested-65535"] = bytes([LIST]) + unifont(chain)
    # The same as a specimen: 65,535 cells, most drawing nothing, which the
    # harness must read in one pass.
    seeds["seed-nested-65535-specimen"] = bytes([SPECIMEN]) + unifont(chain)
    seeds["seed-scale-255"] = bytes([SPECIMEN]) + shapes([
        (0x30, data(*([4, 255] * 12), 0x10)),
        (0x31, data(*([3, 255] * 12), 0x10)),
        (0x32, data(4, 255, 4, 255, 4, 255, *([0xF0] * 12))),
        (0x33, data(4, 0, 3, 0, 4, 1, 0x10)),
    ])
    seeds["seed-radius-65535"] = bytes([RANGE]) + shapes([
        (0x30, data(11, 0, 0, 255, 255, 0x00)),
        (0x31, data(4, 255, 4, 255, 11, 0, 128, 255, 255, 0x87)),
        (0x32, data(4, 255, 4, 255, 10, 255, 0x10)),
        (0x33, data(4, 255, 12, 127, 127, 1, 13, -128, 127, 1, 0, 0)),
    ])
    unclosed_pairs = data(9, *([1, 1] * 1000))
    unclosed_entries = data(13, *([1, 2, 3] * 700))
    seeds["seed-unclosed-lists"] = bytes([SPECIMEN]) + shapes([
        (0x30, unclosed_pairs),
        (0x31, unclosed_entries),
        (0x32, data(14, *unclosed_pairs)),
        (0x33, data(*([7, 0x30, 7, 0x31] * 500))),
    ])
    seeds["seed-run-bound"] = bytes([LIST]) + shapes(
        [(0x20, data(*([0x10] * 2000)))] + [(code, data(*([7, 0x20] * 40))) for code in range(0x41, 0x56)])
    frames = [
        (0x30, data(10, 2, 0x20, 12, 4, 0, 90)),
        (0x31, data(7, 0, 0, 0x30, 1, 1, 0, 4)),          # no width
        (0x32, data(7, 0, 0, 0x30, 8, 0, -4, 4)),         # mirrored
        (0x33, data(7, 0, 0, 0x32, 0, 0, 4, -8, 0x10)),   # a mirrored frame in a mirrored frame
        (0x34, data(4, 255, 4, 255, 7, 0, 0, 0x33, 127, 127, 127, 127)),
    ]
    seeds["seed-frames"] = bytes([SPECIMEN]) + shapes(frames)
    seeds["seed-frames-no-height"] = bytes([LIST]) + shapes(frames, height=0)
    shared = record(b"", data(2, 8, 1, 1, 1, 0x44, 7, 0x82, 0x40, 9, 1, 2, 0, 0))
    seeds["seed-bigfont-overlapping"] = bytes([TEXT]) + bigfont(
        [(0, font_header(b"Big", [8, 0, 0, 8]))] + [(0x8240 + i, shared) for i in range(200)] +
        [(0xFFFF, (len(shared), 0x80000000))], [(0x81, 0x9F)])
    # Found by a differential run: a long form's corner past 2^31, where the
    # framed record's first segment starts, written unchecked.
    seeds["found-frame-corner-past-bound"] = bytes([LIST]) + shapes([
        (0x41, data(4, 128, 4, 128, 4, 128, 4, 128, 7, 0, 0, 0x42, 9, 0, 4, 4)),
        (0x42, data(0x18)),
    ])
    # Found by a differential run: a list that code 14 skips counted as one
    # item, not one per pair; ten calls of 10,000 skipped pairs each.
    seeds["found-skipped-list-pairs"] = bytes([SPECIMEN]) + shapes([
        (0x41, data(*([7, 0x42] * 10), *([0x0F] * 9), 0x10)),
        (0x42, data(14, 9, *([1, 1] * 10000), 0, 0)),
    ])
    seeds["seed-index-cut-short"] = bytes([SPECIMEN]) + shapes_font("shapes10", [(0x41, b"\0\x10")])[:31]
    return seeds


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus")
    write(os.path.join(corpus, "draw"), draw_seeds())


if __name__ == "__main__":
    main()
