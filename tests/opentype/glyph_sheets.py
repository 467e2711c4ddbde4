"""Every glyph of a font rendered from its TTF by hb-view and compared with
the round pen's picture of it, a sheet of many glyphs at a time.

A sheet is lines of glyphs set apart by spaces, so that no glyph's ink
comes near another's. hb-view draws the sheet's outlines in one run, the
pen's strokes are laid where hb-view lays each glyph, rsvg-convert renders
both, and each glyph is compared inside its own cell: the rectangle of the
sheet nearer to it than to any other glyph, so that ink strayed from a
glyph still counts against it.

hb-view draws the sheet as SVG, not PNG: its cairo drawing gives the font
placeholder extents of one em, and cairo then clips every glyph to one em
above and below its baseline, which cuts the tall signs of a Hershey font
(brackets, integrals) in half. Its SVG holds each glyph's whole outline as
HarfBuzz reads it from the TTF, under that clip; the clip is dropped and
rsvg-convert, cairo again, fills the outlines.

A default-ignorable character (a soft hyphen, a joiner) is one that text
never shows: HarfBuzz sets the space's glyph in its place, with no
advance. Its glyph is laid out so, and drawn into hb-view's picture from
the outline fontTools reads.

hb-view lays a sheet out as fixed rules make it: the text shaped at
font-size x 64 (its sub-pixel units) without any script's reordering or
mark placement (the fallback shaper, left to right), the baselines a whole
number of pixels apart (the font extents given to it)."""
import json
import math
import os
import re

import ink

MARGIN = 16
# White between the boxes of two neighbouring glyphs, in pixels: cells
# split it, so a glyph's pen picture may reach half of it past the glyph's
# box and still be weighed against that glyph.
GAP = 12
SHEET_WIDTH = 2400
SHEET_HEIGHT = 6000


class Font:
    """What laying out a sheet needs of a font: size is the pixels an em
    takes, px the pixels an output unit takes, scale the output units a
    font unit takes, pen the pen's width in output units; boxes[c] =
    (xmin, xmax) and advances[c] of each character in output units; space
    and space_glyph the space's advance and glyph; ymin, ymax the font's
    vertical extent; outline(c) a character's glyph as SVG path data in
    output units (y up)."""

    def __init__(self, ttf, size, px, scale, pen, boxes, advances, space, space_glyph, ymin, ymax, outline):
        self.ttf, self.size, self.px, self.scale, self.pen = ttf, size, px, scale, pen
        self.boxes, self.advances, self.space, self.space_glyph = boxes, advances, space, space_glyph
        self.ymin, self.ymax, self.outline = ymin, ymax, outline


def lines_of(font, characters, hidden):
    """The characters parted into lines of text, each glyph preceded by as
    many spaces as keep GAP pixels clear of the previous glyph's box (or of
    the picture's left edge); a line ends with as many as keep the last
    box clear of the right edge. A hidden character takes no advance."""
    space = font.space * font.px
    if space <= 0:
        raise ValueError("the space is not wide: glyphs cannot be set apart")
    lines, text, pen_x, right = [], "", MARGIN, 0.0
    for c in characters:
        xmin, xmax = (v * font.px for v in font.boxes[c])
        advance = 0 if c in hidden else font.advances[c] * font.px
        def spaces_before(x, edge):
            return max(0, math.ceil((edge + GAP - (x + xmin)) / space))
        n = spaces_before(pen_x, right)
        if text and pen_x + n * space + max(xmax, advance) + GAP > SHEET_WIDTH:
            lines.append(text + " " * math.ceil(max(0, right + GAP - pen_x) / space))
            text, pen_x, right = "", MARGIN, 0.0
            n = spaces_before(pen_x, right)
        text += " " * n + c
        pen_x += n * space
        right = pen_x + xmax
        pen_x += advance
    if text:
        lines.append(text + " " * math.ceil(max(0, right + GAP - pen_x) / space))
    return lines


def origins(tools, font, lines, work):
    """Each line's glyphs as hb-view sets them: (origin in pixels, glyph,
    advance in pixels) a character."""
    path = os.path.join(work, "sheet-shape.txt")
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    shaped = ink.run([tools["hb-shape"], "--shapers=fallback", "--direction=ltr", "--no-glyph-names",
                  "--output-format=json", f"--font-size={font.size * 64}", font.ttf,
                  f"--text-file={path}"]).stdout.decode().splitlines()
    result = []
    for text, row in zip(lines, shaped):
        glyphs = json.loads(row)
        if len(glyphs) != len(text):
            raise ValueError("the fallback shaper did not give one glyph a character")
        x, placed = 0, []
        for glyph in glyphs:
            placed.append((MARGIN + x / 64, glyph["g"], glyph["ax"] / 64))
            x += glyph["ax"]
        result.append(placed)
    return result


def largest_difference(a, b):
    """The most two runs of grey bytes differ by at one pixel."""
    return max((abs(p - q) for p, q in zip(a, b)), default=0)


def hidden_characters(tools, font, characters, work):
    """The characters HarfBuzz sets as a space of no advance."""
    placed = origins(tools, font, ["".join(characters)], work)[0]
    return {c for c, (_, glyph, advance) in zip(characters, placed)
            if glyph == font.space_glyph and advance == 0 and c != " "}


def sheet_iou(tools, font, lines, drawn, hidden, work, tag, below):
    """hb-view's picture of the lines against the pen's, glyph by glyph:
    [(IoU, character, difference)] for every character that is not a
    space, difference the most a pixel of the glyph's cell differs in grey
    between the pictures where the IoU is below `below` (else None)."""
    ascent = math.ceil(font.ymax * font.px) + GAP // 2
    descent = math.ceil(-font.ymin * font.px) + GAP // 2
    text_path = os.path.join(work, tag + ".txt")
    with open(text_path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))
    drawing = ink.run([tools["hb-view"], "--shapers=fallback", "--direction=ltr", f"--font-size={font.size}",
                   f"--margin={MARGIN}", f"--font-extents={ascent},{descent},0", "-O", "svg", font.ttf,
                   f"--text-file={text_path}"]).stdout.decode()
    size = re.search(r'width="[0-9.]+pt" height="[0-9.]+pt" viewBox="0 0 ([0-9.]+) ([0-9.]+)"', drawing)
    width, height = math.ceil(float(size.group(1))), math.ceil(float(size.group(2)))
    # Whole pixels, one to a unit of the drawing, and no clip.
    drawing = (drawing[:size.start()] + f'width="{width}" height="{height}" viewBox="0 0 {width} {height}"'
               + drawing[size.end():])
    drawing = re.sub(r' clip-path="url\(#[^)]*\)"', "", drawing)
    f = font.px * font.scale
    paths, cells, unshown = [], [], []
    for i, (text, placed) in enumerate(zip(lines, origins(tools, font, lines, work))):
        baseline = MARGIN + ascent + i * (ascent + descent)
        top = 0 if i == 0 else baseline - ascent
        bottom = height if i == len(lines) - 1 else baseline + descent
        boxes = []
        for c, (x, _, _) in zip(text, placed):
            if c == " ":
                continue
            if c in hidden:
                unshown.append(f'<path transform="translate({x},{baseline}) scale({font.px},{-font.px})" '
                               f'd="{font.outline(c)}"/>')
            paths.append(f'<path transform="translate({x},{baseline}) scale({f:.6f},{-f:.6f})" d="{drawn[c]}"/>')
            xmin, xmax = font.boxes[c]
            boxes.append((c, x + xmin * font.px, x + xmax * font.px))
        for k, (c, left, right) in enumerate(boxes):
            x0 = 0 if k == 0 else math.floor((boxes[k - 1][2] + left) / 2)
            x1 = width if k == len(boxes) - 1 else math.floor((right + boxes[k + 1][1]) / 2)
            cells.append((c, top, bottom, x0, x1))
    end = drawing.rindex("</svg>")
    drawing = drawing[:end] + '<g fill="black">' + "".join(unshown) + "</g>" + drawing[end:]
    rendered = ink.render(tools["rsvg-convert"], drawing, width, height, os.path.join(work, tag + ".hb"))
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">'
           f'<rect width="{width}" height="{height}" fill="white"/><g fill="none" stroke="black" '
           f'stroke-width="{font.pen / font.scale}" stroke-linecap="round" stroke-linejoin="round">'
           + "".join(paths) + "</g></svg>")
    reference = ink.render(tools["rsvg-convert"], svg, width, height, os.path.join(work, tag + ".ref"))
    results = []
    for c, top, bottom, x0, x1 in cells:
        value = ink.iou(rendered.rows(top, bottom, x0, x1), reference.rows(top, bottom, x0, x1))
        difference = None
        if value < below:
            difference = largest_difference(rendered.rows(top, bottom, x0, x1, rendered.grey),
                                            reference.rows(top, bottom, x0, x1, reference.grey))
        results.append((value, c, difference))
    return results


def every_glyph_iou(tools, font, drawn, work, tag, below):
    """sheet_iou's findings for every character of drawn (character: the
    pen's path data in font units), a sheet at a time, and the characters
    that HarfBuzz hides."""
    characters = sorted(drawn)
    hidden = hidden_characters(tools, font, characters, work)
    lines = lines_of(font, characters, hidden)
    pitch = math.ceil((font.ymax - font.ymin) * font.px) + GAP
    per_sheet = max(1, (SHEET_HEIGHT - 2 * MARGIN) // pitch)
    results = []
    for start in range(0, len(lines), per_sheet):
        results += sheet_iou(tools, font, lines[start:start + per_sheet], drawn, hidden, work,
                             f"{tag}-sheet{start}", below)
    return results, hidden
