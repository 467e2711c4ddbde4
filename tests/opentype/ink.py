"""Pictures as inked pixels: a PNG read through netpbm into one byte a
pixel, 1 where the pixel is at least half dark on white, and the
intersection over union of two such pictures or of one rectangle of them.

The bytes are compared as whole numbers (one per rectangle), so that a
sheet of thousands of glyphs costs a few big-integer operations, not a
Python loop over its pixels."""
import re
import subprocess

# A pixel is inked when its darkness (255 - grey) is 128 or more, grey 127
# or less: half covered by black on white, rounded to the darker side.
INKED = bytes(1 if grey <= 127 else 0 for grey in range(256))


class Picture:
    def __init__(self, width, height, grey):
        self.width, self.height, self.grey = width, height, grey
        self.ink = grey.translate(INKED)

    def rows(self, top, bottom, left, right, pixels=None):
        """The ink (or other bytes a pixel) of a rectangle, row after row,
        clipped to the picture."""
        pixels = self.ink if pixels is None else pixels
        left, right = max(0, left), min(self.width, right)
        top, bottom = max(0, top), min(self.height, bottom)
        if left >= right:
            return b""
        w = self.width
        return b"".join(pixels[y * w + left:y * w + right] for y in range(top, bottom))


def greys(png):
    """A PNG's pixels as grey bytes, its alpha laid on white."""
    ppm = subprocess.run(["pngtopnm", "-mix", "-background=white", png], check=True, capture_output=True).stdout
    pgm = subprocess.run(["ppmtopgm"], input=ppm, check=True, capture_output=True).stdout
    head = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", pgm)
    if not head or head.group(3) != b"255":
        raise ValueError(f"{png}: not an 8-bit picture")
    width, height = int(head.group(1)), int(head.group(2))
    return width, height, pgm[head.end():head.end() + width * height]


def read(png):
    return Picture(*greys(png))


def run(args, **kw):
    """A reader's run, its output kept; a failure raises."""
    return subprocess.run(args, check=True, capture_output=True, **kw)


def render(rsvg, svg, width, height, stem):
    """An SVG picture filled by rsvg-convert at the size given, kept beside
    its PNG as stem.svg and stem.png, read as ink."""
    with open(stem + ".svg", "w") as out:
        out.write(svg)
    run([rsvg, "-w", str(width), "-h", str(height), "-o", stem + ".png", stem + ".svg"])
    return read(stem + ".png")


def iou(a, b):
    """Intersection over union of two runs of 0/1 bytes of one length; two
    blank runs agree wholly."""
    if len(a) != len(b):
        raise ValueError("pictures of different sizes")
    x, y = int.from_bytes(a, "big"), int.from_bytes(b, "big")
    union = (x | y).bit_count()
    return (x & y).bit_count() / union if union else 1.0
