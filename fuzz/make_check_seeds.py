#!/usr/bin/env python3
"""Writes the seed inputs of the check fuzz target into fuzz/corpus/check/.

A seed is any input of morlune-check: the sample fonts and their sources,
and fonts made here with one planted fault of each kind that the checker
finds. The size of a seed modulo 4 picks its output, so each fault comes in
two lengths. Run it again after changing it; it replaces only the files
named seed-*.
"""
import os
import sys

from make_seeds import HERE, bigfont, font_header, record, shapes_font, signed, unifont, write


def data(*values):
    return bytes(signed(v) for v in values)


def shapes(records, header=(6, 2, 0, 0)):
    return shapes_font("shapes11", [(0, font_header(b"Seed", list(header)))] +
                       [(code, record(b"", spec)) for code, spec in records])


def check_seeds():
    faults = {
        "missing-subshape": shapes([(0x41, data(7, 0x43, 0x40, 0))]),
        "cycle": shapes([(0x41, data(7, 0x42, 0)), (0x42, data(7, 0x41, 0))]),
        "deep": shapes([(code, data(7, code + 1, 0)) for code in range(0x50, 0x62)] + [(0x62, data(0x40, 0))]),
        "above-and-below": shapes([(0x41, data(0x84, 0x8C, 0x3C, 0x34, 0x40, 0)),
                                   (0x42, data(10, 3, 0x12, 11, 0, 200, 0, 3, 0x83, 0))]),
        "advances": shapes([(0x41, data(0x48, 0)), (0x42, data(0x44, 0))]),
        "stack": shapes([(0x41, data(6, 5, 5, 5, 5, 5, 0x40, 0)), (0x42, data(5, 0))]),
        "scales": shapes([(0x41, data(3, 0, 4, 0, 4, 255, 4, 255, 4, 255, 4, 255, 0))]),
        "endings": shapes([(0x41, data(0x40, 9, 1, 2)), (0x42, data(0x40, 0, 1, 2)), (0x43, data(0x40))]) + b"\x05",
        "duplicates": shapes([(0x41, data(0x40, 0)), (0x41, data(0x20, 0))]),
        "height-zero": shapes([(0x41, data(7, 0, 0, 0x42, 0, 0, 4, 4, 0)), (0x42, data(0x40, 0))], (0, 2, 0, 0)),
        "header-short": shapes([(0x41, data(0x40, 0))], (6, 2, 0)),
        "names": shapes_font("shapes11", [(0, font_header(b"a\nb", [6, 2, 0, 0])), (0x41, record(b"x,y", b"\0")),
                                          (0x42, record(b"n" * 1100, b"\0"))]),
        "no-header": shapes_font("shapes11", [(0x41, record(b"", data(0x40, 0)))]),
        "unifont-zero": unifont([(0, font_header(b"Seed", [6, 2, 0, 0, 0, 0])), (0x41, record(b"", data(7, 0, 0, 0)))]),
        "bigfont-overlap": bigfont([(0, font_header(b"Big", [8, 0, 0, 0]))] +
                                   [(0x8140 + i, record(b"", data(0x40, 0))) for i in range(3)] +
                                   [(0x8150, (5, 30)), (0x8151, (9, 0x7FFFFFF0))], [(0x81, 0x9F)]),
        "source-warning": b"*BIGFONT 9,1,081,09F\n*0,4,test\n6,2,0,0\n*00041,2,\n040,0\n",
        "source-error": b"*0,4,test\n6,2,0,0\n*00041,3,\n040,0\n*00042,2,x\n9,(1,2\n",
    }
    seeds = {}
    for name, font in faults.items():
        seeds["seed-" + name + "-lines"] = font + b"\0" * ((-len(font)) % 4)
        seeds["seed-" + name + "-json"] = font + b"\0" * ((1 - len(font)) % 4)
    for stem in ("strokes_shapes10", "strokes_shapes11", "strokes_bigfont", "strokes_unifont"):
        for suffix in (".kqx", ".kqs"):
            with open(os.path.join(HERE, "..", "examples", stem + suffix), "rb") as sample:
                seeds["seed-" + stem + suffix.replace(".", "-")] = sample.read()
    return seeds


def main():
    corpus = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus")
    write(os.path.join(corpus, "check"), check_seeds())


if __name__ == "__main__":
    main()
