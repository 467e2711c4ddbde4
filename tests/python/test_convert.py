"""Font.export and morlune.import_font: a font 21 units high goes to
Hershey glyph lines unscaled and comes back the same; losses as values."""

import unittest

import morlune

# "!" a line 10 units east from the origin; "(" adds a quarter circle of
# radius 5 (octant arc: radius 5, from octant 0 through 2 octants).
LINE = "*0,4,s\n21,0,0,0\n*021,3,e\n1,0A0,0\n"
ARC = LINE + "*028,5,p\n1,10,5,002,0\n"

# Line 32 (the space, which the font lacks) is empty; "!": margins -5 and
# +5 ("M", "W"), then (-5, 9) and (5, 9), y down from the baseline at 9.
LINE_AS_JHF = b"   32  1RR\n   33  3MWM[W[\n"


class ExportTest(unittest.TestCase):
    def test_worked_by_hand(self):
        exported = morlune.Font(morlune.compile(LINE)).export("jhf")
        self.assertEqual(exported.bytes, LINE_AS_JHF)
        self.assertEqual(exported.losses, [])

    def test_losses_and_strict(self):
        font = morlune.Font(morlune.compile(ARC))
        losses = font.export("jhf").losses
        flattened = [loss for loss in losses if loss.kind == "arcs_flattened"]
        self.assertEqual([loss.count for loss in flattened], [1])
        self.assertGreater(flattened[0].largest, 0)
        self.assertTrue(str(flattened[0]).startswith("arcs flattened: 1 (at most "))
        with self.assertRaises(ValueError):
            font.export("jhf", strict=True)

    def test_refused(self):
        font = morlune.Font(morlune.compile(LINE))
        table = [
            ("a shape format", dict(format="kqx")),
            ("no format at all", dict(format="ttf")),
            ("an unknown code page", dict(format="svg", encoding="no-such-code-page")),
        ]
        for what, keywords in table:
            with self.subTest(what):
                with self.assertRaises(ValueError):
                    font.export(**keywords)


class ImportTest(unittest.TestCase):
    def test_hershey_lines_come_back_the_same(self):
        imported = morlune.import_font(LINE_AS_JHF, "jhf", name="line")
        self.assertEqual(imported.height_units, 21)
        self.assertEqual(imported.largest_error, 0)
        self.assertEqual(imported.font.variant, "shapes11")
        self.assertEqual(morlune.compile(imported.source_text), imported.font.bytes)
        self.assertIn("21 units per capital height, largest error 0", imported.report[-1])
        self.assertEqual(imported.font.export("jhf").bytes, LINE_AS_JHF)

    def test_refused(self):
        table = [
            ("no glyph lines", b"", "jhf", {}, morlune.FontError),
            ("a format of no interchange", LINE_AS_JHF, "kqs", {}, ValueError),
            ("shapes 1.0 is never new", LINE_AS_JHF, "jhf", dict(variant="shapes10"), ValueError),
            ("a str", "   32  1RR\n", "jhf", {}, TypeError),
        ]
        for what, data, format, keywords, error in table:
            with self.subTest(what):
                with self.assertRaises(error):
                    morlune.import_font(data, format, **keywords)


if __name__ == "__main__":
    unittest.main()
