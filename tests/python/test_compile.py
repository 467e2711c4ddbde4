"""morlune.compile: source text to a compiled font's bytes, and its errors."""

import unittest

import morlune
from support import SIGNATURES, bigfont_source, long, shapes_source, unifont_source, word

DEMO_SHAPES = "*0,4,Demo\n10,3,0,0\n*041,3,A\n040,2,0\n"
# The font-header record: "Demo", its zero byte, 10, 3, 0, 0 (9 bytes);
# the shape: "A", its zero byte, 0x40, 2, 0 (5 bytes).
DEMO_RECORDS = b"Demo\x00\x0a\x03\x00\x00" + b"A\x00\x40\x02\x00"
# Lowest and highest code, the count, then (code, length) per record in the
# order of the text.
DEMO_SHAPES_HEAD = word(0) + word(0x41) + word(2) + word(0) + word(9) + word(0x41) + word(5)


class CompiledBytesTest(unittest.TestCase):
    """Each variant's layout, byte for byte: the zero bytes of names and
    data must come through whole."""

    def test_layouts(self):
        unifont = "*UNIFONT,6,Demo\n10,3,0,0,0,0\n*0263A,2,smile\n040,0\n"
        bigfont = "*BIGFONT 2,1,081,09F\n*0,4,Big\n5,0,0,0\n*08140,2,x\n040,0\n"
        # Bigfont: entry size, entry count, range count, the range, then the
        # index in code order with offsets from the start of the file. The
        # header is 25 + 6 + 4 + 2 * 8 = 51 bytes; "Big\0" and its four
        # values take 8, so the second record starts at 59.
        bigfont_bytes = (SIGNATURES["bigfont"] + word(8) + word(2) + word(1) + word(0x81) + word(0x9F)
                         + word(0) + word(8) + long(51) + word(0x8140) + word(4) + long(59)
                         + b"Big\x00\x05\x00\x00\x00" + b"x\x00\x40\x00")
        table = [
            ("shapes 1.1 by default", DEMO_SHAPES, None, SIGNATURES["shapes11"] + DEMO_SHAPES_HEAD + DEMO_RECORDS),
            ("shapes 1.0 when asked", DEMO_SHAPES, "shapes10",
             SIGNATURES["shapes10"] + DEMO_SHAPES_HEAD + DEMO_RECORDS),
            ("unifont: count, then code, length and bytes per record", unifont, None,
             SIGNATURES["unifont"] + word(2) + word(0) + word(11) + b"Demo\x00\x0a\x03\x00\x00\x00\x00"
             + word(0x263A) + word(8) + b"smile\x00\x40\x00"),
            ("bigfont: ranges, index and records", bigfont, None, bigfont_bytes),
        ]
        for label, source, variant, expected in table:
            with self.subTest(label):
                self.assertEqual(morlune.compile(source, variant=variant), expected)

    def test_source_as_bytes_or_str(self):
        # A name byte 0xE9 is the one byte as bytes and two (UTF-8) as str.
        as_bytes = morlune.compile(b"*041,2,caf\xe9\n040,0\n")
        as_str = morlune.compile("*041,2,caf\u00e9\n040,0\n")
        self.assertIn(b"caf\xe9\x00\x40\x00", as_bytes)
        self.assertIn(b"caf\xc3\xa9\x00\x40\x00", as_str)
        with self.assertRaises(TypeError):
            morlune.compile(41)

    def test_options(self):
        # With drop_default_names, a name equal to its code's default name
        # ("uca" for 0x41) is stored empty; other names stay.
        source = "*041,2,uca\n040,0\n*042,2,bee\n040,0\n"
        kept = morlune.compile(source)
        dropped = morlune.compile(source, drop_default_names=True)
        self.assertIn(b"uca\x00\x40\x00", kept)
        self.assertNotIn(b"uca", dropped)
        self.assertIn(b"\x00\x40\x00bee\x00\x40\x00", dropped)
        self.assertEqual(len(kept) - len(dropped), 3)
        # A count of 5 over numbers that make 2 bytes: with take_counted the
        # record takes the 2 bytes.
        miscounted = "*041,5,A\n040,0\n"
        with self.assertRaises(morlune.CompileError):
            morlune.compile(miscounted)
        self.assertTrue(morlune.compile(miscounted, take_counted=True).endswith(b"A\x00\x40\x00"))

    def test_unknown_variant(self):
        with self.assertRaises(ValueError) as caught:
            morlune.compile(DEMO_SHAPES, variant="shapes12")
        self.assertNotIsInstance(caught.exception, morlune.CompileError)


class CompileErrorTest(unittest.TestCase):
    """Each problem where it starts: line and column from 1, the column in
    bytes. (Where each kind of problem starts is the compiler's own tests'
    concern; these check that the places come through.)"""

    def test_places(self):
        table = [
            # (what, source, [(line, column)] of the errors)
            ("a count that differs, at the count", "*041,3,A\n040,0\n", [(1, 6)]),
            ("a vector byte out of range", "*041,2,A\n0400,0\n", [(2, 1)]),
            ("two records with one error each, in the order of the text",
             "*041,3,A\n040,0\n*042,2,B\n0400,0\n", [(1, 6), (4, 1)]),
        ]
        for label, source, places in table:
            with self.subTest(label):
                with self.assertRaises(morlune.CompileError) as caught:
                    morlune.compile(source)
                diagnostics = caught.exception.diagnostics
                self.assertEqual([(line, column) for line, column, _ in diagnostics], places)
                for _, _, message in diagnostics:
                    self.assertIsInstance(message, str)
                    self.assertTrue(message)

    def test_is_a_value_error_with_warnings_apart(self):
        # With take_counted, the count 5 of 0x41 over 2 bytes is a warning
        # at the count; the vector byte 0x400 of 0x42 is an error.
        source = "*041,5,A\n040,0\n*042,2,B\n0400,0\n"
        with self.assertRaises(ValueError) as caught:
            morlune.compile(source, take_counted=True)
        error = caught.exception
        self.assertIsInstance(error, morlune.CompileError)
        self.assertEqual([(line, column) for line, column, _ in error.diagnostics], [(4, 1)])
        self.assertEqual([(line, column) for line, column, _ in error.warnings], [(1, 6)])


class RoundTripTest(unittest.TestCase):
    """A font compiled from a text whose names are all set comes back byte
    for byte from its own decompiled text."""

    def test_each_variant(self):
        records = [(0x41, 7, "2,8,(1,2),1,044,0"), (0x42, 6, "12,(4,0,-127),040,0")]
        table = [
            ("shapes11", shapes_source(records)),
            ("shapes10", shapes_source(records)),
            ("unifont", unifont_source(records)),
            ("bigfont", bigfont_source([(0x81, 0x9F)], records + [(0x8140, 2, "040,0")])),
        ]
        for variant, source in table:
            with self.subTest(variant):
                font = morlune.compile(source, variant=variant)
                again = morlune.compile(morlune.Font(font).decompile(), variant=variant)
                self.assertEqual(again, font)


if __name__ == "__main__":
    unittest.main()
