"""morlune.Font: opening fonts, their records, header values, escape ranges
and source text."""

import os
import pathlib
import tempfile
import unittest

import morlune
from support import BANNER, bigfont_source, shapes_source, unifont_source

RECORDS = [(0x41, 2, "040,0"), (0x2B, 3, "044,0,0")]


class KindTest(unittest.TestCase):
    def test_each_variant(self):
        table = [
            ("shapes10", morlune.compile(shapes_source(RECORDS), variant="shapes10")),
            ("shapes11", morlune.compile(shapes_source(RECORDS))),
            ("bigfont", morlune.compile(bigfont_source([(0x81, 0x9F)], RECORDS))),
            ("unifont", morlune.compile(unifont_source(RECORDS))),
        ]
        for kind, data in table:
            with self.subTest(kind):
                font = morlune.Font(data)
                self.assertEqual(font.variant, kind)
                self.assertEqual(font.bytes, data)
                self.assertEqual(len(font), 3)
                # The old names, kept for one release.
                self.assertEqual((font.kind, font.compiled), (font.variant, font.bytes))


class RecordsTest(unittest.TestCase):
    def test_shapes_records_in_the_order_of_the_index(self):
        source = b"*0,4,Demo\n10,3,2,0\n*041,2,\n040,0\n*0263A,3,caf\xe9\n044,2,0\n*02B,1,plus\n0\n"
        font = morlune.Font(morlune.compile(source))
        table = [
            # code, name as stored, default name, data
            (0, b"Demo", None, b"\x0a\x03\x02\x00"),
            (0x41, b"", "uca", b"\x40\x00"),
            (0x263A, b"caf\xe9", None, b"\x44\x02\x00"),
            (0x2B, b"plus", "kpls", b"\x00"),
        ]
        self.assertEqual(len(font.records), len(table))
        for record, (code, name, default_name, data) in zip(font.records, table):
            with self.subTest(code=code):
                self.assertEqual(record.code, code)
                self.assertEqual(record.name, name)
                self.assertEqual(record.default_name, default_name)
                self.assertEqual(record.data, data)
        self.assertEqual((font.height, font.depth, font.modes), (10, 3, 2))
        self.assertIn(0x263A, font)
        self.assertNotIn(0x42, font)

    def test_bigfont_in_code_order(self):
        # The text lists 0x8241 before 0x8140; the walk goes by code.
        source = bigfont_source([(0x81, 0x9F), (0xE0, 0xFC)],
                                [(0x8241, 2, "040,0"), (0x8140, 2, "044,0")], height=8, depth=1)
        font = morlune.Font(morlune.compile(source))
        self.assertEqual([record.code for record in font.records], [0, 0x8140, 0x8241])
        self.assertEqual(font.escape_ranges, [(0x81, 0x9F), (0xE0, 0xFC)])
        self.assertEqual((font.height, font.depth), (8, 1))

    def test_no_escape_ranges_but_in_a_bigfont(self):
        for data in (morlune.compile(shapes_source(RECORDS)), morlune.compile(unifont_source(RECORDS))):
            self.assertEqual(morlune.Font(data).escape_ranges, [])

    def test_records_outlive_their_font(self):
        font = morlune.Font(morlune.compile(shapes_source(RECORDS)))
        records = font.records
        del font
        self.assertEqual(records[1].data, b"\x40\x00")


class CodesTest(unittest.TestCase):
    """Codes as a script gives them: any int; one past what a record can
    have is simply absent."""

    def setUp(self):
        self.font = morlune.Font(morlune.compile(shapes_source(RECORDS)))

    def test_lookups(self):
        table = [
            # code, in the font, find's record code (None: none)
            (0x41, True, 0x41),
            (0x42, False, None),
            (0, True, 0),
            (-1, False, None),
            (2 ** 32, False, None),
            (2 ** 32 + 0x41, False, None),  # not wrapped to 0x41
            (2 ** 40, False, None),
            (2 ** 70, False, None),
        ]
        for code, present, found in table:
            with self.subTest(code=code):
                self.assertEqual(code in self.font, present)
                record = self.font.find(code)
                self.assertEqual(None if record is None else record.code, found)
                if code != 0 and not present:
                    with self.assertRaises(KeyError):
                        self.font.glyph(code)
        with self.assertRaises(TypeError):
            self.font.glyph("A")

    def test_compile_back(self):
        # Names that are all set: the text compiles back to the same bytes.
        data = morlune.compile(b"*0,4,f\n1,2,3,0\n*041,2,a\n040,0\n")
        font = morlune.Font(data)
        self.assertEqual(font.compile_back(), data)
        with self.assertRaises(ValueError):
            font.compile_back(variant="shapes12")


class DecompileTest(unittest.TestCase):
    def test_text_as_the_decompiler_writes_it(self):
        # Written in the decompiler's own form, the text comes back as it is.
        body = (b"*0,4,Demo\n10,3,0,0\n\n"
                b"*00041,7,uca\n2,8,(1,2),1,044,0\n\n"
                b"*0A1A2,2,\xe9t\xe9\n040,0\n\n")
        font = morlune.Font(morlune.compile(BANNER + body))
        self.assertEqual(font.decompile(), BANNER + body)
        decimal = body.replace(b"*00041", b"*65").replace(b"*0A1A2", b"*41378")
        self.assertEqual(font.decompile(decimal=True), BANNER + decimal)

    def test_escape_names(self):
        # An unnamed two-byte code whose bytes are both printable gets "esc:"
        # and the two bytes, high first; without escaped, "unspecified".
        source = bigfont_source([(0xA1, 0xA1)], [(0xA1A2, 2, "040,0", "")])
        font = morlune.Font(morlune.compile(source))
        self.assertIn(b"*0A1A2,2,unspecified\n", font.decompile())
        self.assertIn(b"*0A1A2,2,esc:\xa1\xa2\n", font.decompile(escaped=True))


class OpeningTest(unittest.TestCase):
    def setUp(self):
        self.data = morlune.compile(shapes_source(RECORDS))
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = pathlib.Path(folder.name)

    def test_from_bytes_like_objects_and_files(self):
        path = self.folder / "font.kqx"
        path.write_bytes(self.data)
        table = [
            ("bytes", lambda: morlune.Font(self.data)),
            ("bytearray", lambda: morlune.Font(bytearray(self.data))),
            ("memoryview", lambda: morlune.Font(memoryview(self.data))),
            ("a path as str", lambda: morlune.Font.open(str(path))),
            ("a path-like object", lambda: morlune.Font.open(path)),
        ]
        for label, opened in table:
            with self.subTest(label):
                font = opened()
                self.assertEqual(font.compiled, self.data)
                self.assertEqual([record.code for record in font.records], [0, 0x41, 0x2B])

    def test_source_text_is_compiled_with_its_warnings_kept(self):
        # The *BIGFONT line says 5 records of the font's 2: a warning at the 5.
        source = bigfont_source([(0x81, 0x9F)], [(0x8140, 2, "040,0")]).replace("*BIGFONT 2", "*BIGFONT 5")
        path = self.folder / "big.kqs"
        path.write_text(source)
        for font in (morlune.Font(source.encode()), morlune.Font.open(path)):
            self.assertEqual(font.kind, "bigfont")
            self.assertEqual([(line, column) for line, column, _ in font.diagnostics], [(1, 10)])
        self.assertEqual(morlune.Font(self.data).diagnostics, [])

    def test_failures(self):
        table = [
            ("bytes that are no font", lambda: morlune.Font(b"\x00\x01 no font here"), morlune.FontError),
            ("an empty file", lambda: morlune.Font(b""), morlune.FontError),
            ("source text with an error", lambda: morlune.Font(b"*041,3,A\n040,0\n"), morlune.CompileError),
            ("a file that is not there", lambda: morlune.Font.open(self.folder / "missing.kqx"), OSError),
            ("a folder", lambda: morlune.Font.open(self.folder), OSError),
            ("a str", lambda: morlune.Font("*041,2,A\n040,0\n"), TypeError),
        ]
        for label, opened, error in table:
            with self.subTest(label):
                with self.assertRaises(error):
                    opened()
        self.assertTrue(issubclass(morlune.FontError, ValueError))
        self.assertTrue(issubclass(morlune.CompileError, ValueError))

    def test_a_font_cut_short_tells_what_could_not_be_read(self):
        # 30 bytes: the signature (24) and the index's three words, but no
        # entry; the decompiler says so on standard error.
        self.assertEqual(morlune.Font(self.data[:30]).notices, ["Could not read shape index"])
        self.assertEqual(morlune.Font(self.data).notices, [])

    def test_cut_short_at_every_length(self):
        # Any prefix of a font opens as a font or fails with FontError;
        # nothing else escapes.
        for length in range(len(self.data)):
            try:
                font = morlune.Font(self.data[:length])
            except morlune.FontError:
                continue
            for record in font.records:
                self.assertLessEqual(len(record.data), length)
            font.decompile()
            font.listing()


if __name__ == "__main__":
    unittest.main()
