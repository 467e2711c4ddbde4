"""Sets a word in a shape font and writes it as an SVG picture:
python3 set_word.py FONT WORD OUT.svg"""
import sys

import morlune


def xy(point):  # y runs up in the font, down in SVG
    return "%g %g" % (point[0], 0 - point[1])


font_path, word, svg_path = sys.argv[1:]
line = morlune.layout_text(word, morlune.Font.open(font_path), height=40)
left, bottom, right, top = line.bounds or (0, 0, 0, 0)
data = []
for kind, start, end, *arc in line.segments:
    data.append("M " + xy(start))
    if kind == "line":
        data.append("L " + xy(end))
    else:
        centre, (ax, ay), sweep, *shear = arc  # shear: text set oblique
        clockwise = (sweep < 0) == (ax * ay > 0)  # a mirrored arc turns the other way
        data.append("A %g %g 0 %d %d %s" % (abs(ax), abs(ay), abs(sweep) > 180, clockwise, xy(end)))
with open(svg_path, "w") as svg:
    svg.write('<svg xmlns="http://www.w3.org/2000/svg" viewBox="%g %g %g %g">\n'
              % (left - 4, -top - 4, right - left + 8, top - bottom + 8))
    svg.write('<path fill="none" stroke="black" d="%s"/>\n</svg>\n' % " ".join(data))
if line.missing:
    print("not in the font:", line.missing, file=sys.stderr)
