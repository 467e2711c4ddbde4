"""Chromium's rendering of the WOFF2 fonts, compared with the round pen's
pictures of the same text.

One page loads every font with @font-face and sets a line of each; the
page itself reports where Chromium laid each character and each line's
baseline. The pen's strokes are then laid at those places, rendered by
rsvg-convert, and compared with Chromium's screenshot line by line. So are
the fonts' own outlines, as hb-view draws them from the TTFs, filled by
rsvg-convert at the same places: what is left between those and the
screenshot is Chromium's rasteriser, not the font.

Two things of Chromium's own are matched rather than measured:
- Hinting. On Linux Chromium hints as fontconfig says, and Debian's
  fontconfig says "slight": FreeType's autohinter moves the horizontal
  edges of a font without instructions to the pixel grid. The switch that
  turns it off for headless runs (--font-render-hinting) is not read by
  this Chromium's headless mode, so the browser is given a fontconfig
  that includes the system's and turns hinting off.
- Glyph positions. Chromium draws a glyph at its laid-out position
  rounded to a quarter of a pixel across and to a whole pixel down (its
  glyph cache holds four phases a glyph); the pen's strokes go to those
  rounded places."""
import json
import math
import os
import re

import ink

MARGIN = 16
FONTCONFIG = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="pattern">
    <edit name="hinting" mode="assign"><bool>false</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintnone</const></edit>
  </match>
</fontconfig>
"""
# Each line's character positions and baseline, and the line's box,
# written into the page once the fonts have loaded.
SCRIPT = """
document.fonts.ready.then(() => {
  const lines = [];
  for (const p of document.querySelectorAll("p")) {
    const text = p.firstChild, xs = [];
    for (let i = 0; i < text.length; i += text.data.codePointAt(i) > 0xFFFF ? 2 : 1) {
      const range = document.createRange();
      range.setStart(text, i);
      range.setEnd(text, i + (text.data.codePointAt(i) > 0xFFFF ? 2 : 1));
      xs.push(range.getBoundingClientRect().left);
    }
    const box = p.getBoundingClientRect();
    const baseline = p.lastElementChild.getBoundingClientRect().bottom;
    lines.push({xs: xs, baseline: baseline, top: box.top, bottom: box.bottom});
  }
  document.getElementById("laid").textContent = JSON.stringify(lines);
});
"""


class Line:
    """A font's line on the page: the WOFF2 and the TTF it was written
    beside, its size in pixels an em, the text, and the pen's strokes of it
    as (index of the character, path data in font units); f the pixels a
    font unit takes, pen the stroke's width in font units."""

    def __init__(self, woff2, ttf, size, text, strokes, f, pen):
        self.woff2, self.ttf, self.size, self.text = woff2, ttf, size, text
        self.strokes, self.f, self.pen = strokes, f, pen


def page(lines):
    faces = "".join(f"@font-face{{font-family:F{k};src:url('{os.path.basename(line.woff2)}') format('woff2')}}"
                    for k, line in enumerate(lines))
    styles = "".join(f"#l{k}{{font:{line.size}px F{k}}}" for k, line in enumerate(lines))
    body = "".join(f'<p id="l{k}">' + "".join(f"&#{ord(c)};" for c in line.text)
                   + '<span style="display:inline-block;width:0;height:0"></span></p>'
                   for k, line in enumerate(lines))
    return ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>" + faces + styles
            + f"body{{margin:0;background:#fff}}p{{margin:{MARGIN}px;white-space:pre;color:#000}}"
            + "</style></head><body>" + body + '<pre id="laid" hidden></pre><script>' + SCRIPT
            + "</script></body></html>")


def chromium(executable, work, url, width, height, output):
    profile = os.path.join(work, "chromium-profile")
    fontconfig = os.path.join(work, "fonts.conf")
    with open(fontconfig, "w") as out:
        out.write(FONTCONFIG)
    env = dict(os.environ, FONTCONFIG_FILE=fontconfig)
    return ink.run(
        [executable, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         f"--user-data-dir={profile}", "--hide-scrollbars", "--force-device-scale-factor=1",
         f"--window-size={width},{height}", "--virtual-time-budget=10000", *output, url],
        env=env, timeout=120).stdout


def glyph_x(x):
    """Where Chromium draws a glyph laid at x: the nearest quarter pixel."""
    return math.floor(x * 4 + 0.5) / 4


def outlines(tools, lines, laid, work, width, height):
    """The fonts' own outlines, as HarfBuzz reads them from the TTFs (hb-view's
    drawing), filled by rsvg-convert at the places Chromium draws the
    glyphs: what Chromium's text would be under cairo's rasteriser. None
    where hb-view's drawing does not hold a glyph a character."""
    defs, uses = [], []
    for k, (line, where) in enumerate(zip(lines, laid)):
        drawing = ink.run([tools["hb-view"], f"--font-size={line.size}", "-O", "svg", line.ttf,
                           "--text=" + line.text]).stdout.decode()
        drawing = drawing.replace('id="glyph', f'id="f{k}-glyph').replace('href="#glyph', f'href="#f{k}-glyph')
        # The uses are placed anew, without the clip hb-view sets one em
        # about the baseline (glyph_sheets.py says why).
        glyphs = re.findall(r'<use xlink:href="(#[^"]+)"', drawing)
        if len(glyphs) != len(where["xs"]):
            return None
        defs.append(re.search(r"<defs>(.*?)</defs>", drawing, re.S).group(1))
        uses += [f'<use xlink:href="{g}" x="{glyph_x(x)}" y="{where["baseline"]}"/>'
                 for g, x in zip(glyphs, where["xs"])]
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="{width}" '
           f'height="{height}"><defs>' + "".join(defs) + f'</defs><rect width="{width}" height="{height}" '
           'fill="white"/><g fill="black">' + "".join(uses) + "</g></svg>")
    return ink.render(tools["rsvg-convert"], svg, width, height, os.path.join(work, "browser.outlines"))


def line_ious(tools, lines, work, width, height):
    """Each line's IoUs: Chromium's screenshot against the pen's strokes
    laid where Chromium laid the glyphs; against the fonts' own outlines
    there filled by cairo; and those outlines against the pen's strokes
    (the last two None if hb-view's drawing did not serve)."""
    path = os.path.join(work, "browser.html")
    with open(path, "w", encoding="utf-8") as out:
        out.write(page(lines))
    dom = chromium(tools["chromium"], work, "file://" + path, width, height, ["--dump-dom"]).decode()
    laid = json.loads(re.search(r'<pre id="laid" hidden="">([^<]*)</pre>', dom).group(1))
    shot = os.path.join(work, "browser.png")
    chromium(tools["chromium"], work, "file://" + path, width, height, [f"--screenshot={shot}"])
    screen = ink.read(shot)
    paths = []
    for line, where in zip(lines, laid):
        baseline = where["baseline"]
        for k, d in line.strokes:
            paths.append(f'<path transform="translate({glyph_x(where["xs"][k])},{baseline}) '
                         f'scale({line.f:.6f},{-line.f:.6f})" stroke-width="{line.pen}" d="{d}"/>')
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{screen.width}" height="{screen.height}">'
           f'<rect width="{screen.width}" height="{screen.height}" fill="white"/><g fill="none" stroke="black" '
           'stroke-linecap="round" stroke-linejoin="round">' + "".join(paths) + "</g></svg>")
    reference = ink.render(tools["rsvg-convert"], svg, screen.width, screen.height, os.path.join(work, "browser.ref"))
    filled = outlines(tools, lines, laid, work, screen.width, screen.height)
    result = []
    # Each line is weighed over the rows nearer to it than to the lines
    # beside it.
    for k, where in enumerate(laid):
        top = 0 if k == 0 else math.floor((laid[k - 1]["bottom"] + where["top"]) / 2)
        bottom = screen.height if k == len(laid) - 1 else math.floor((where["bottom"] + laid[k + 1]["top"]) / 2)
        shown, pen = screen.rows(top, bottom, 0, screen.width), reference.rows(top, bottom, 0, screen.width)
        own = filled and filled.rows(top, bottom, 0, screen.width)
        result.append((ink.iou(shown, pen), own and ink.iou(shown, own), own and ink.iou(own, pen)))
    return result
