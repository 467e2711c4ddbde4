"""Font.export and morlune.import_font: a font 21 units high goes to
Hershey glyph lines unscaled and comes back the same; losses as values."""

import struct
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


def sfnt_tables(data):
    """The tables of an OpenType file by tag, read from its directory."""
    count = struct.unpack(">H", data[4:6])[0]
    tables = {}
    for k in range(count):
        tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * k : 28 + 16 * k])
        tables[tag.decode()] = data[offset : offset + length]
    return tables


class OpenTypeTest(unittest.TestCase):
    # LINE is 21 units to the capital: 65 output units per font unit (a
    # capital of 1365), so "!" (10 units) advances 650 and the default pen
    # is 1365 / 14 = 97.5 units wide.
    def test_the_font_as_the_rules_make_it(self):
        data = morlune.Font(morlune.compile(LINE)).to_opentype(family="Line Test")
        self.assertEqual(data[:4], b"\0\1\0\0")
        tables = sfnt_tables(data)
        for tag in ("cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "name", "OS/2", "post"):
            self.assertIn(tag, tables)
        self.assertEqual(struct.unpack(">H", tables["head"][18:20])[0], 2048)
        # .notdef, the space added, "!": in character order.
        self.assertEqual(struct.unpack(">H", tables["maxp"][4:6])[0], 3)
        advances = [struct.unpack(">H", tables["hmtx"][4 * k : 4 * k + 2])[0] for k in range(3)]
        self.assertEqual(advances[2], 650)
        self.assertIn("Line Test".encode("utf-16-be"), tables["name"])
        # post's underline is as thick as the pen.
        self.assertEqual(struct.unpack(">h", tables["post"][10:12])[0], 98)

    def test_pen_and_packing(self):
        font = morlune.Font(morlune.compile(ARC))
        for pen, thickness in ((200.0, 200), (150, 150), ("20%", 273)):
            with self.subTest(pen=pen):
                data = font.to_opentype(pen_width=pen)
                self.assertEqual(struct.unpack(">h", sfnt_tables(data)["post"][10:12])[0], thickness)
        self.assertEqual(font.to_opentype(woff2=True)[:4], b"wOF2")
        # Whole units cannot hold an arc within a sixteenth of a unit.
        with self.assertRaises(ValueError):
            font.to_opentype(tolerance=0.0625, strict=True)

    def test_refused(self):
        font = morlune.Font(morlune.compile(LINE))
        table = [
            ("a pen of no width", dict(pen_width=0), ValueError),
            ("a share without its sign", dict(pen_width="7"), ValueError),
            ("a negative tolerance", dict(tolerance=-1.0), ValueError),
            ("an unknown code page", dict(encoding="no-such-code-page"), ValueError),
            ("a pen as a list", dict(pen_width=[1]), TypeError),
        ]
        for what, keywords, error in table:
            with self.subTest(what):
                with self.assertRaises(error):
                    font.to_opentype(**keywords)


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
