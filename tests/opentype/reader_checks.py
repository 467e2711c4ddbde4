"""The OpenType export read by the real readers: every font of examples/,
the test fonts with arcs, subshapes and frames, a font of 3,000 Hershey
glyphs and a bigfont through a CJK code page, each written as TTF and WOFF2
by morlune-convert, then:

  ots-sanitize  accepts every file, and writes every TTF's tables back unchanged
  fontTools     reads every table, checksums and checkSumAdjustment right
  fc-query      reports the family, Regular and the characters of the font
  hb-shape      advances equal morlune-draw --list's within a font unit
  hb-view       renders a line as morlune-draw --pen-width draws it (IoU of
                inked pixels at a 64-pixel capital >= 0.97), and every glyph
                that draws, the Hershey font's 2,898 too, >= 0.9 (glyph_sheets.py;
                see ARTEFACT_DARKNESS for the thinnest glyphs)
  chromium      renders a page that loads every WOFF2 with @font-face, each
                line as the pen draws it (IoU >= 0.96, see BROWSER_IOU;
                browser_page.py)

A reader given as "-" is not installed: its check is skipped with a line
saying so. Exits 1 when any check fails.

usage: reader_checks.py SOURCE_DIR CONVERT DRAW OTS HB_SHAPE HB_VIEW FC_QUERY RSVG CHROMIUM
"""
import codecs
import glob
import json
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

import browser_page
import glyph_sheets
import ink

CAPITAL_PIXELS = 64
MARGIN = 16
LINE_IOU = 0.97
GLYPH_IOU = 0.90
# Chromium's text against the pen's picture. The font is not what keeps
# it under LINE_IOU: the same glyph outlines, as HarfBuzz reads them from
# the TTF, filled by cairo at the places Chromium draws them, match the pen
# at 0.988 to 0.996, but Chromium's own text rasteriser agrees with that
# fill of the very same outlines only to 0.969 (the sample fonts), 0.978
# (arcs and frames) and 0.983 (Hershey); the check measures all three.
# Its glyph masks take coverage in quarter steps down a pixel, so that a
# pixel of a horizontal edge that cairo covers between a half and five
# eighths comes out half covered, about 125 of 255, under the 128 every
# picture here is cut at; over a whole line the two carry the same ink to
# within a thousandth. Against the pen the lines measure 0.967, 0.976 and
# 0.984.
BROWSER_IOU = 0.96
# A glyph below GLYPH_IOU whose cell has no pixel darker or lighter than
# the pen's picture by more than this (of 255) differs only where edge
# pixels, near half covered in both, fell on different sides of 128: at a
# 64-pixel capital a stroke is some 4.3 pixels wide, and one column of its
# edge turning over takes a fifth off a single stroke's IoU, while the
# outlines agree within a quarter of a pixel everywhere.
ARTEFACT_DARKNESS = 64
HERSHEY_GLYPHS = 3000
failures = []


def fail(message):
    failures.append(message)
    print("  FAIL: " + message)


run = ink.run


# ---- the fonts --------------------------------------------------------------


def hershey_font(convert, work):
    """A unifont of HERSHEY_GLYPHS glyphs from Debian's Hershey fonts, every
    glyph of them imported and taken round again, at U+0021 on (the
    surrogates skipped)."""
    sources = sorted(glob.glob("/usr/share/hershey-fonts/*.jhf"))
    if not sources:
        return None
    header = re.compile(rb"\*([0-9A-Fa-f]+),(\d+),[^\n]*\n")
    records = []
    for path in sources:
        out = os.path.join(work, os.path.basename(path)[:-4] + ".kqs")
        run([convert, path, out])
        text = open(out, "rb").read()
        heads = list(header.finditer(text))
        for head, after in zip(heads, heads[1:] + [None]):
            digits = head.group(1)
            code = int(digits, 16) if digits.startswith(b"0") else int(digits)
            if code != 0:
                records.append((head.group(2), text[head.end():after.start() if after else len(text)].strip()))
    codes = [c for c in range(0x21, 0x21 + HERSHEY_GLYPHS + 0x800) if not 0xD800 <= c <= 0xDFFF][:HERSHEY_GLYPHS]
    path = os.path.join(work, "hershey.kqs")
    with open(path, "wb") as font:
        font.write(b"*UNIFONT,6,Hershey Merged\n21,7,0,0,0,0\n")
        for k, code in enumerate(codes):
            count, items = records[k % len(records)]
            font.write(b"\n*0%04X,%s,\n%s\n" % (code, count, items))
    return path


def character_of(code, variant, encoding):
    """A code's character as the export maps it, worked out here apart."""
    if variant == "unifont":
        return code
    if variant == "bigfont":
        raw = bytes([code]) if code < 0x100 else bytes([code >> 8, code & 0xFF])
        try:
            text = codecs.decode(raw, encoding)
        except UnicodeDecodeError:
            return None
        return ord(text) if len(text) == 1 else None
    return {127: 0xB0, 128: 0xB1, 129: 0x2300}.get(code, code)


def listed(draw, font, args=()):
    """morlune-draw --list: (code, advance x, path data) a shape."""
    out = run([draw, "--list", *args, font]).stdout.decode()
    rows = []
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) >= 2 and re.fullmatch(r"[0-9A-Fa-f]+", parts[0]):
            rows.append((int(parts[0], 16), float(parts[1].split(",")[0]), parts[2] if len(parts) > 2 else ""))
    return rows


def variant_of(path):
    data = open(path, "rb").read(64)
    if b"UNIFONT" in data.upper():
        return "unifont"
    if b"BIGFONT" in data.upper():
        return "bigfont"
    return "shapes"


# ---- the readers ------------------------------------------------------------


def whole_file_checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(f">{len(data) // 4}I", data)) & 0xFFFFFFFF


def check_ots(ots, path, work):
    out = os.path.join(work, "sanitized")
    result = subprocess.run([ots, path, out], capture_output=True)
    if result.returncode != 0:
        fail(f"{path}: ots-sanitize refuses it: {result.stdout.decode()} {result.stderr.decode()}")
        return
    if path.endswith(".ttf"):
        from fontTools.ttLib import TTFont
        a, b = TTFont(path), TTFont(out)
        # The file's checksum adjustment follows the sanitizer's own layout
        # of the file; every table's content must come back as it went.
        def content(font, tag):
            data = font.reader[tag]
            return data[:8] + data[12:] if tag == "head" else data
        changed = [tag for tag in a.reader.keys() if content(a, tag) != content(b, tag)]
        if changed:
            fail(f"{path}: ots-sanitize changes {changed}")


def check_fonttools(path, characters):
    from fontTools.ttLib import TTFont
    font = TTFont(path, checkChecksums=2)
    for tag in font.keys():
        font[tag]
    if path.endswith(".ttf") and whole_file_checksum(open(path, "rb").read()) != 0xB1B0AFBA:
        fail(f"{path}: checkSumAdjustment does not make the file sum to B1B0AFBA")
    cmap = set(font.getBestCmap())
    if cmap != characters:
        fail(f"{path}: the map holds {len(cmap)} characters, the font {len(characters)} "
             f"(first differences {sorted(cmap ^ characters)[:5]})")
    return font


def check_fc_query(fc_query, path, family, characters):
    out = run([fc_query, "--format=%{family}|%{style}|%{charset}\n", path]).stdout.decode()
    got_family, got_style, charset = out.strip().split("|", 2)
    got = set()
    for part in charset.split():
        a, _, b = part.partition("-")
        got.update(range(int(a, 16), int(b or a, 16) + 1))
    # fontconfig leaves out characters whose glyph draws nothing.
    if got_family != family or got_style != "Regular" or got - characters:
        fail(f"{path}: fc-query gives {got_family!r}, {got_style!r}, {len(got - characters)} characters not in the font")
    return len(got)


def shaped(hb_shape, path, text):
    funcs = ["--font-funcs=ft"] if path.endswith(".woff2") else []
    out = run([hb_shape, *funcs, "--no-glyph-names", "--output-format=json", "--font-size=2048", path,
               "--text=" + text]).stdout
    return json.loads(out)


def check_advances(hb_shape, path, line, advances, scale):
    """hb-shape's advances (output units) against morlune-draw's, scaled."""
    worst = 0.0
    for glyph, want in zip(shaped(hb_shape, path, line), advances):
        worst = max(worst, abs(glyph["ax"] / scale - want) * scale)
    if worst > 1:
        fail(f"{path}: an advance differs from the shape font's by {worst:.3f} output units")
    return worst


def drawn_glyphs(draw, font, text, pen, draw_args):
    """morlune-draw --pen-width's picture of the line: each glyph's origin
    (font units), its path data and the stroke's width."""
    svg = run([draw, "--pen-width", f"{pen:.6f}", "--text", text, *draw_args, font]).stdout.decode()
    width = float(re.search(r"\.g\{[^}]*stroke-width:([0-9.e+-]+)", svg).group(1))
    glyphs = [(float(x), float(y), d) for x, y, d in
              re.findall(r'<path class="g" transform="translate\(([-0-9.e]+) ([-0-9.e]+)\)" d="([^"]*)"', svg)]
    return width, glyphs


def render_pair(tools, path, font, text, glyphs, pen, scale, capital, ascent, work, tag):
    """hb-view's rendering of the text, and morlune-draw's strokes of it put
    where hb-view puts the glyphs (cairo sets each origin on a whole pixel);
    the strokes as (index of the glyph, path data)."""
    size = round(CAPITAL_PIXELS * 2048 / capital)
    px = size / 2048
    png = os.path.join(work, tag + ".hb.png")
    run([tools["hb-view"], f"--font-size={size}", f"--margin={MARGIN}", "-O", "png", "-o", png, path, "--text=" + text])
    hb = ink.read(png)
    width, height = hb.width, hb.height
    baseline = math.floor(MARGIN + ascent * px + 0.5)
    x = float(MARGIN)
    paths = []
    placed = shaped(tools["hb-shape"], path, text)
    origins = []
    for glyph in placed:
        origins.append(math.floor(x + 0.5))
        x += glyph["ax"] * px
    # morlune-draw's glyphs go in order; those that draw nothing are absent,
    # so each is matched to the shaped glyph whose origin it has.
    starts = [0.0]
    for glyph in placed:
        starts.append(starts[-1] + glyph["ax"] / scale)
    # An advance's vertical part, which no TrueType advance holds, is a
    # loss the export reports: the glyphs stay on the baseline here too.
    strokes = [(min(range(len(placed)), key=lambda i: abs(starts[i] - gx)), d) for gx, _, d in glyphs]
    f = px * scale
    for k, d in strokes:
        paths.append(f'<path transform="translate({origins[k]},{baseline}) scale({f:.6f},{-f:.6f})" d="{d}"/>')
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}">'
           f'<rect width="{width}" height="{height}" fill="white"/><g fill="none" stroke="black" '
           f'stroke-width="{pen}" stroke-linecap="round" stroke-linejoin="round">' + "".join(paths) + "</g></svg>")
    return hb, ink.render(tools["rsvg-convert"], svg, width, height, os.path.join(work, tag + ".ref")), strokes


def check_rendering(tools, path, font, text, pen_units, scale, capital, ascent, draw_args, work, tag):
    """hb-view's line against the pen's: the line's IoU, and the strokes
    laid as the line's glyphs (index of the character, path data) for the
    browser's check."""
    pen = pen_units / scale
    width, glyphs = drawn_glyphs(tools["draw"], font, text, pen, draw_args)
    if abs(width - pen) > 1e-5 * pen:
        fail(f"{font}: morlune-draw's stroke is {width} wide, not the pen's {pen}")
    hb, ref, strokes = render_pair(tools, path, font, text, glyphs, pen, scale, capital, ascent, work, tag)
    line = ink.iou(hb.ink, ref.ink)
    if line < LINE_IOU:
        fail(f"{path}: the line's IoU {line:.4f} is below {LINE_IOU}")
    return line, strokes


def sheet_font(ttfont, path, drawn, size, scale, pen):
    """What laying the characters of drawn out in sheets takes of the TTF."""
    from fontTools.pens.svgPathPen import SVGPathPen
    cmap = ttfont.getBestCmap()
    glyf, hmtx = ttfont["glyf"], ttfont["hmtx"]
    def box(c):
        glyph = glyf[cmap[ord(c)]]
        return (glyph.xMin, glyph.xMax) if glyph.numberOfContours else (0, 0)
    glyphset = ttfont.getGlyphSet()
    def outline(c):
        pen = SVGPathPen(glyphset)
        glyphset[cmap[ord(c)]].draw(pen)
        return pen.getCommands()
    head = ttfont["head"]
    return glyph_sheets.Font(path, size, size / head.unitsPerEm, scale, pen, {c: box(c) for c in drawn},
                             {c: hmtx[cmap[ord(c)]][0] for c in drawn}, hmtx[cmap[32]][0],
                             ttfont.getGlyphID(cmap[32]), head.yMin, head.yMax, outline)


def check_every_glyph(tools, font, drawn, work, tag):
    """Every glyph that draws, from the TTF by hb-view against the pen's
    picture (glyph_sheets.py), each at least GLYPH_IOU or a stated
    artefact of the threshold."""
    measured, hidden = glyph_sheets.every_glyph_iou(tools, font, drawn, work, tag, GLYPH_IOU)
    if not measured:
        fail(f"{font.ttf}: no glyph was measured")
        return
    lowest = min(measured, key=lambda r: r[0])
    print(f"  every glyph: {len(measured)} glyphs, lowest IoU {lowest[0]:.4f} (U+{ord(lowest[1]):04X}), "
          f"{sum(1 for r in measured if r[0] < GLYPH_IOU)} below {GLYPH_IOU}")
    if hidden:
        print("  every glyph: default-ignorable, so hidden by HarfBuzz and drawn from fontTools' outline: "
              + " ".join(f"U+{ord(c):04X} {v:.4f}" for v, c, _ in measured if c in hidden))
    for value, c, difference in sorted(r for r in measured if r[0] < GLYPH_IOU):
        if difference <= ARTEFACT_DARKNESS:
            print(f"  every glyph: U+{ord(c):04X} IoU {value:.4f}, but no pixel differs by more than "
                  f"{difference} of 255: edge pixels near half covered fell on different sides of 128")
        else:
            fail(f"{font.ttf}: U+{ord(c):04X}'s IoU {value:.4f} is below {GLYPH_IOU} "
                 f"and a pixel differs by {difference} of 255")


def check_sheets_see_faults(tools, font, drawn, work, tag):
    """The sheets told two glyphs whose pen pictures are swapped: each must
    come out under GLYPH_IOU and past the artefact's allowance, or the
    measurement could pass a font whatever its outlines."""
    a, b = sorted(drawn)[:2]
    swapped = {a: drawn[b], b: drawn[a]}
    for value, c, difference in glyph_sheets.every_glyph_iou(tools, font, swapped, work, tag, GLYPH_IOU)[0]:
        if value >= GLYPH_IOU or difference <= ARTEFACT_DARKNESS:
            fail(f"{font.ttf}: U+{ord(c):04X} drawn as another glyph still measures IoU {value}")


# ---- the run ----------------------------------------------------------------


def main():
    source, convert, draw, ots, hb_shape, hb_view, fc_query, rsvg, chromium = sys.argv[1:10]
    tools = {"draw": draw, "hb-shape": hb_shape, "hb-view": hb_view, "rsvg-convert": rsvg, "chromium": chromium}
    missing = [name for name, tool in (("ots-sanitize", ots), ("hb-shape", hb_shape), ("hb-view", hb_view),
                                       ("fc-query", fc_query), ("rsvg-convert", rsvg), ("chromium", chromium))
               if tool == "-"]
    try:
        import fontTools  # noqa: F401
    except ImportError:
        missing.append("fontTools")
    if shutil.which("pngtopnm") is None:
        missing.append("pngtopnm")
    for name in missing:
        print(f"SKIP the checks of {name}: it is not installed")
    work = tempfile.mkdtemp(prefix="morlune-opentype-")
    fonts = []  # (path, convert's extra options, draw's extra options, a line of text)
    for path in sorted(glob.glob(os.path.join(source, "examples", "*.kqx"))):
        big = variant_of(path) == "bigfont"
        fonts.append((path, ["--encoding", "CP932"] if big else [], ["--encoding", "CP932"] if big else []))
    fonts += [(p, [], []) for p in sorted(glob.glob(os.path.join(source, "tests/src/convert/fonts/*.kqs")))]
    hershey = hershey_font(convert, work)
    if hershey:
        fonts.append((hershey, [], []))
    else:
        print("SKIP the Hershey font: /usr/share/hershey-fonts is not installed")
    browser_lines, browser_heights = [], []
    for font, convert_args, draw_args in fonts:
        name = os.path.basename(font)
        variant = variant_of(font) if font.endswith(".kqx") else ("unifont" if "UNIFONT" in open(font, "rb").read(200).decode("latin-1").upper() else "shapes")
        encoding = "cp932" if "--encoding" in convert_args else None
        shapes = listed(draw, font)
        characters = {character_of(code, variant, encoding) for code, _, _ in shapes}
        characters = {c for c in characters if c and c <= 0x10FFFF and not 0xD800 <= c <= 0xDFFF and c != 0xFFFF}
        characters.add(32)
        family = None
        outputs = {}
        for suffix in ("ttf", "woff2"):
            out = os.path.join(work, f"{name}.{suffix}")
            result = run([convert, *convert_args, font, out])
            report = result.stderr.decode().strip().splitlines()[-1]
            outputs[suffix] = out
            sized = re.search(r"(\d+) glyphs, (\d+) bytes; outline within ([0-9.]+) units of the pen's "
                              r"\(tolerance ([0-9.]+), pen ([0-9.]+)\)", report)
            print(f"{name}.{suffix}: {report.split(': ', 2)[-1]}")
            pen = float(sized.group(5))
        if "fontTools" not in missing:
            from fontTools.ttLib import TTFont
            ttfont = TTFont(outputs["ttf"])
            family = ttfont["name"].getDebugName(1)
            scale = None
        for suffix, out in outputs.items():
            if ots != "-":
                check_ots(ots, out, work)
            if "fontTools" not in missing:
                check_fonttools(out, characters)
            if fc_query != "-" and family:
                count = check_fc_query(fc_query, out, family, characters)
                print(f"  {suffix}: fc-query {family!r} Regular, {count} characters")
        if "fontTools" in missing or hb_shape == "-":
            continue
        ttfont = TTFont(outputs["ttf"])
        capital = ttfont["OS/2"].sCapHeight
        ascent = ttfont["hhea"].ascent
        # A line of the font's own characters that draw, in code order.
        drawn = [character_of(code, variant, encoding) for code, _, d in shapes if d]
        line = "".join(chr(c) for c in drawn if c and c in characters and 0x20 < c < 0x10000)[:24]
        text_shapes = listed(draw, font, ["--text", line, *draw_args])
        # Output units per font unit, from a glyph's advance in both.
        advances = [adv for _, adv, _ in text_shapes]
        hb = shaped(hb_shape, outputs["ttf"], line)
        pairs = [(g["ax"], a) for g, a in zip(hb, advances) if a]
        scale = pairs[0][0] / pairs[0][1] if pairs else 1
        for suffix, out in outputs.items():
            worst = check_advances(hb_shape, out, line, advances, scale)
            print(f"  {suffix}: hb-shape advances of {len(line)} characters within {worst:.3f} output units")
        size = round(CAPITAL_PIXELS * ttfont["head"].unitsPerEm / capital)
        if hb_view != "-" and rsvg != "-" and "pngtopnm" not in missing:
            value, strokes = check_rendering(tools, outputs["ttf"], font, line, pen, scale, capital, ascent,
                                             draw_args, work, name)
            print(f"  rendering: line IoU {value:.4f}")
            paths = {}
            for code, _, d in shapes:
                c = character_of(code, variant, encoding)
                if d and c in characters and c > 0x20:
                    paths[chr(c)] = d
            glyphs = sheet_font(ttfont, outputs["ttf"], paths, size, scale, pen)
            check_every_glyph(tools, glyphs, paths, work, name)
            if font == fonts[0][0]:
                check_sheets_see_faults(tools, glyphs, paths, work, name + "-swapped")
            if chromium != "-":
                browser_lines.append(browser_page.Line(outputs["woff2"], outputs["ttf"], size, line, strokes,
                                                       size / ttfont["head"].unitsPerEm * scale, pen / scale))
                browser_heights.append(math.ceil((ttfont["hhea"].ascent - ttfont["hhea"].descent
                                                  + ttfont["hhea"].lineGap) * size / ttfont["head"].unitsPerEm))
    if browser_lines:
        height = sum(browser_heights) + browser_page.MARGIN * (len(browser_lines) + 1) + 100
        values = browser_page.line_ious(tools, browser_lines, work, 2400, height)
        for line, (value, chromium_own, own_pen) in zip(browser_lines, values):
            print(f"chromium: {os.path.basename(line.woff2)}'s line against the pen's, IoU {value:.4f}; "
                  + (f"against its own outlines filled by cairo there {chromium_own:.4f}, "
                     f"which match the pen's to {own_pen:.4f}" if own_pen is not None
                     else "hb-view's drawing of its outlines does not hold a glyph a character"))
            if value < BROWSER_IOU:
                fail(f"{line.woff2}: Chromium's line matches the pen's picture only to IoU {value:.4f}")
            if own_pen is not None and own_pen < LINE_IOU:
                fail(f"{line.ttf}: the outlines laid as Chromium lays them match the pen's only to {own_pen:.4f}")
    shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} checks failed" if failures else "every check passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
