"""Writes the source text of a large unifont made of real stroke glyphs: the
glyphs of the shape source texts given (JHF fonts imported by
morlune-convert), numbered from 1 on and taken round again until the font
holds 65,534 glyphs. Generated fonts are regular where real ones are not:
real glyphs change between pen codes, moves and short runs of vectors every
few bytes.

usage: python3 hershey_font.py [--glyphs N] OUT.kqs SOURCE.kqs...
  --glyphs N  N glyphs instead of 65,534 (the OpenType benchmark's 3,000)
"""
import re
import sys

HEADER = re.compile(rb"\*([0-9A-Fa-f]+),(\d+),[^\n]*\n")


def glyphs(path):
    """The (count, items) of each record of a source text but its font header."""
    text = open(path, "rb").read()
    heads = list(HEADER.finditer(text))
    for head, after in zip(heads, heads[1:] + [None]):
        digits = head.group(1)
        code = int(digits, 16) if digits.startswith(b"0") else int(digits)
        if code != 0:
            yield head.group(2), text[head.end():after.start() if after else len(text)].strip()


def main():
    args = sys.argv[1:]
    count = 65534
    if args[:1] == ["--glyphs"]:
        count, args = int(args[1]), args[2:]
    out, sources = args[0], args[1:]
    records = [record for path in sources for record in glyphs(path)]
    if not records:
        sys.exit("hershey_font.py: no glyphs in " + " ".join(sources))
    with open(out, "wb") as font:
        font.write(b"*UNIFONT,6,hershey glyphs\n21,7,0,0,0,0\n")
        for code in range(1, count + 1):
            count, items = records[(code - 1) % len(records)]
            font.write(b"\n*0%04X,%s,\n%s\n" % (code, count, items))


main()
