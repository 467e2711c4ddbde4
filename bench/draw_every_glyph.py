"""Draws every glyph of a font through the Python module, as a script would:
each record's code, its Glyph and the segments as tuples. Prints how many
segments it made.

usage: python3 draw_every_glyph.py FONT
"""
import sys

import morlune

font = morlune.Font.open(sys.argv[1])
segments = 0
for record in font.records:
    if record.code != 0:
        segments += len(font.glyph(record.code).segments)
print(segments)
