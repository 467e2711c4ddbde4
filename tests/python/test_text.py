"""morlune.layout_text: text set at a height, width factor and oblique
angle, with a bigfont for two-byte codes, and what is missing."""

import unittest

import morlune
from support import GeometryTestCase, bigfont_source, line, shapes_source, unifont_source

# Height 10. "A" goes up 10, right 4 and back down with the pen up;
# "B" is a half circle under the chord (0, 0) to (4, 0).
SHAPES = shapes_source([
    (0x41, 6, "0A4,040,2,0AC,1,0"),
    (0x42, 5, "12,(4,0,127),0"),
    (0xE9, 2, "040,0"),  # é in Latin-1
    (0x82, 2, "040,0"),  # é in code page 437
])
UNIFONT = unifont_source([(0x263A, 2, "040,0"), (0x41, 2, "040,0")])
# Height 5: at a text height of 20 its units are 4 drawing units.
BIGFONT = bigfont_source([(0x81, 0x9F)], [(0x41, 2, "040,0"), (0x82A0, 2, "040,0")], height=5)


class LayoutTest(GeometryTestCase):
    @classmethod
    def setUpClass(cls):
        cls.fonts = {name: morlune.Font(morlune.compile(source))
                     for name, source in (("shapes", SHAPES), ("unifont", UNIFONT), ("bigfont", BIGFONT))}

    def test_rules(self):
        # (what, text, font, keywords, glyphs as (code, origin), segments,
        # advance, bounds, missing). A font's units become height / its
        # own height; x is then multiplied by the width factor and moved
        # by y times the tangent of the oblique angle.
        table = [
            ("height 20 over a font height of 10", "AA", "shapes", dict(height=20),
             [(0x41, (0, 0)), (0x41, (8, 0))],
             [line(0, 0, 0, 20), line(0, 20, 8, 20), line(8, 0, 8, 20), line(8, 20, 16, 20)],
             (16, 0), (0, 0, 16, 20), ""),
            ("width factor", "AA", "shapes", dict(height=20, width_factor=0.5),
             [(0x41, (0, 0)), (0x41, (4, 0))],
             [line(0, 0, 0, 20), line(0, 20, 4, 20), line(4, 0, 4, 20), line(4, 20, 8, 20)],
             (8, 0), (0, 0, 8, 20), ""),
            ("oblique 45 degrees", "AA", "shapes", dict(height=20, oblique=45),
             [(0x41, (0, 0)), (0x41, (8, 0))],
             [line(0, 0, 20, 20), line(20, 20, 28, 20), line(8, 0, 28, 20), line(28, 20, 36, 20)],
             (16, 0), (0, 0, 36, 20), ""),
            ("an arc stretched to an ellipse, its lowest point in the bounds", "B", "shapes",
             dict(height=20, width_factor=0.5),
             [(0x42, (0, 0))], [("arc", (0, 0), (4, 0), (2, 0), (2, 4), 180)],
             (4, 0), (0, -4, 4, 0), ""),
            # Sheared by tan 45 = 1: x = 4 + 4 cos t + 4 sin t, least at
            # t = 225 degrees, 4 - 4 sqrt 2.
            ("an arc set oblique, its shear the seventh item", "B", "shapes", dict(height=20, oblique=45),
             [(0x42, (0, 0))], [("arc", (0, 0), (8, 0), (4, 0), (4, 4), 180, 1)],
             (8, 0), (4 - 4 * 2 ** 0.5, -4, 8, 0), ""),
            ("a character the font lacks, told once", "ZAZ", "shapes", dict(height=10),
             [(0x41, (0, 0))], [line(0, 0, 0, 10), line(0, 10, 4, 10)], (4, 0), (0, 0, 4, 10), "Z"),
            ("nothing drawn", "Z", "shapes", dict(), [], [], (0, 0), None, "Z"),
            ("no text", "", "shapes", dict(), [], [], (0, 0), None, ""),
            ("a shapes font takes Latin-1", "\u00e9", "shapes", dict(height=10),
             [(0xE9, (0, 0))], [line(0, 0, 4, 0)], (4, 0), (0, 0, 4, 0), ""),
            ("or the code page named", "\u00e9", "shapes", dict(height=10, encoding="CP437"),
             [(0x82, (0, 0))], [line(0, 0, 4, 0)], (4, 0), (0, 0, 4, 0), ""),
            ("a unifont takes code points up to U+FFFF", "\u263aA\U0001F600", "unifont", dict(height=10),
             [(0x263A, (0, 0)), (0x41, (4, 0))], [line(0, 0, 4, 0), line(4, 0, 8, 0)],
             (8, 0), (0, 0, 8, 0), "\U0001F600"),
            ("a bigfont alone takes the bytes", "A", "bigfont", dict(height=5),
             [(0x41, (0, 0))], [line(0, 0, 4, 0)], (4, 0), (0, 0, 4, 0), ""),
        ]
        for what, text, font, keywords, glyphs, segments, advance, bounds, missing in table:
            with self.subTest(what):
                layout = morlune.layout_text(text, self.fonts[font], **keywords)
                self.assertEqual([glyph.code for glyph in layout.glyphs], [code for code, _ in glyphs])
                self.assertNear([glyph.origin for glyph in layout.glyphs], [origin for _, origin in glyphs],
                                "origins")
                self.assertNear(layout.segments, segments, "segments")
                self.assertNear(layout.advance, advance, "advance")
                if bounds is None:
                    self.assertIsNone(layout.bounds)
                else:
                    self.assertNear(layout.bounds, bounds, "bounds")
                self.assertEqual(layout.missing, missing)

    def test_bigfont_with_a_shapes_font(self):
        # In code page 932 "あ" is 0x82 0xA0; 0x82 is in the bigfont's
        # escape range, so the two bytes are one code of the bigfont, at
        # its own scale (20 / 5); "A" is a byte of the shapes font (20 / 10).
        layout = morlune.layout_text("A\u3042", self.fonts["shapes"], bigfont=self.fonts["bigfont"],
                                     height=20, encoding="CP932")
        self.assertEqual(layout.glyphs, [(0x41, (0.0, 0.0), False), (0x82A0, (8.0, 0.0), True)])
        self.assertEqual(layout.glyphs[1].code, 0x82A0)
        self.assertTrue(layout.glyphs[1].from_bigfont)
        self.assertNear(layout.segments, [line(0, 0, 0, 20), line(0, 20, 8, 20), line(8, 0, 24, 0)], "segments")
        self.assertNear(layout.advance, (24, 0), "advance")
        self.assertNear(layout.bounds, (0, 0, 24, 20), "bounds")

    def test_warnings_as_values(self):
        # "\u0100" is past a shapes font's codes; "C" has no shape; the
        # order is the characters left out first, then the codes lacked.
        layout = morlune.layout_text("AC\u0100", self.fonts["shapes"], height=10)
        warnings = layout.warnings
        self.assertEqual([(w.kind, w.code, w.character) for w in warnings],
                         [("not_writable", 0, "\u0100"), ("no_such_shape", 0x43, None)])
        self.assertEqual(str(warnings[1]), "shape 0043: the font has no such shape; the character is left out")
        self.assertIsNone(warnings[1].glyph_warning)
        self.assertEqual(layout.missing, "\u0100C")

    def test_refused_styles(self):
        font = self.fonts["shapes"]
        table = [
            ("a height of 0", dict(height=0), ValueError),
            ("an encoding no one knows", dict(encoding="no-such-code-page"), ValueError),
            ("a bigfont that is no Font", dict(bigfont=b"font"), TypeError),
        ]
        for what, keywords, error in table:
            with self.subTest(what):
                with self.assertRaises(error):
                    morlune.layout_text("A", font, **keywords)


if __name__ == "__main__":
    unittest.main()
