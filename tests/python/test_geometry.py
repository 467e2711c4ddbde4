"""Font.glyph and Font.listing: what each item draws, as segments and as
the listing, and the two views agreeing."""

import unittest

import morlune
from support import GeometryTestCase, arc, line, shapes_source


# (code, count, data, advance, segments, warnings as (kind, code, count),
# the code None where the warning concerns no record of its own),
# in a shapes font of height 10. Worked by hand: vectors move length times
# the direction's step, arcs start at the pen, a long form's record is
# stretched by frame / height.
GLYPHS = [
    (0x41, 2, "040,0", (4, 0), [line(0, 0, 4, 0)], []),
    # Pen up, move (1, 2), pen down, up 3.
    (0x42, 7, "2,8,(1,2),1,034,0", (1, 5), [line(1, 2, 1, 5)], []),
    # A pop with the pen down draws back to the pushed place.
    (0x45, 5, "5,044,6,040,0", (4, 0), [line(0, 0, 0, 4), line(0, 4, 0, 0), line(0, 0, 4, 0)], []),
    # Octant arcs: radius 2 from octant 0 over 4 octants counterclockwise;
    # radius 4 from octant 2 over 2 clockwise (-022 is 0xA2).
    (0x47, 4, "10,(2,004),0", (-4, 0), [arc((0, 0), (-4, 0), (-2, 0), (2, 2), 180)], []),
    (0x48, 4, "10,(4,-022),0", (4, -4), [arc((0, 0), (4, -4), (0, -4), (4, 4), -90)], []),
    # A full circle is two half circles.
    (0x49, 4, "10,(3,000),0", (0, 0),
     [arc((0, 0), (-6, 0), (-3, 0), (3, 3), 180), arc((-6, 0), (0, 0), (-3, 0), (3, 3), 180)], []),
    # Bulges over the chord (4, 0): a half circle each way, and a line.
    (0x4A, 5, "12,(4,0,127),0", (4, 0), [arc((0, 0), (4, 0), (2, 0), (2, 2), 180)], []),
    (0x4B, 5, "12,(4,0,-127),0", (4, 0), [arc((0, 0), (4, 0), (2, 0), (2, 2), -180)], []),
    (0x4C, 5, "12,(4,0,0),0", (4, 0), [line(0, 0, 4, 0)], []),
    (0x4D, 5, "7,041,7,041,0", (8, 0), [line(0, 0, 4, 0), line(4, 0, 8, 0)], []),
    # Long forms: 0x41 in a 5 by 5 frame at the pen, then mirrored in a
    # frame at (2, 1); the pen stays where the code 7 found it.
    (0x4E, 9, "7,(0,041,0,0,5,5),0", (0, 0), [line(0, 0, 2, 0)], []),
    (0x4F, 9, "7,(0,041,2,1,-5,5),0", (0, 0), [line(2, 1, 0, 1)], []),
    # The half circle of 0x4A in frames 10 by 5 and -10 by 5: ellipses.
    (0x50, 9, "7,(0,04A,0,0,10,5),0", (0, 0), [arc((0, 0), (4, 0), (2, 0), (2, 1), 180)], []),
    (0x51, 9, "7,(0,04A,0,0,-10,5),0", (0, 0), [arc((0, 0), (-4, 0), (-2, 0), (-2, 1), 180)], []),
    (0x52, 7, "4,2,12,(4,0,127),0", (8, 0), [arc((0, 0), (8, 0), (4, 0), (4, 4), 180)], []),
    # The pen up draws nothing.
    (0x56, 3, "2,040,0", (4, 0), [], []),
    # What is skipped is told, and the rest is drawn.
    # A pop with nothing pushed names the record whose item it is, the
    # subshape's where a subshape pops.
    (0x57, 3, "6,040,0", (4, 0), [line(0, 0, 4, 0)], [("stack_empty", 0x57, 1)]),
    (0x58, 3, "6,6,0", (0, 0), [], [("stack_empty", 0x58, 2)]),
    (0x59, 3, "7,057,0", (4, 0), [line(0, 0, 4, 0)], [("stack_empty", 0x57, 1)]),
    (0x5B, 4, "7,07F,040,0", (4, 0), [line(0, 0, 4, 0)], [("no_such_shape", 0x7F, 1)]),
    (0x5C, 4, "7,05C,040,0", (4, 0), [line(0, 0, 4, 0)], [("already_drawn", 0x5C, 1)]),
]

# A second record of 0x41: the first one the walk visits is drawn.
GEOMETRY_FONT = shapes_source([glyph[:3] for glyph in GLYPHS] + [(0x41, 2, "044,0")])


class SegmentsTest(GeometryTestCase):
    def test_each_item(self):
        font = morlune.Font(morlune.compile(GEOMETRY_FONT))
        for code, _, data, advance, segments, warnings in GLYPHS:
            with self.subTest(code="%04X" % code, data=data):
                glyph = font.glyph(code)
                self.assertEqual(glyph.code, code)
                self.assertNear(glyph.advance, advance, "advance")
                self.assertNear(glyph.segments, segments, "segments")
                self.assertEqual([(w.kind, w.code if code is not None else None, w.count)
                                  for w, (_, code, _) in zip(glyph.warnings, warnings)], warnings)
                self.assertEqual(len(glyph.warnings), len(warnings))
                for warning in glyph.warnings:
                    self.assertTrue(str(warning))

    def test_a_record_cut_short(self):
        # 0x40, pen up, then a code 8 whose operands lie past the record's
        # end: the line stays and the record ends there.
        data = morlune.compile(shapes_source([(0x41, 3, "040,2,1")]))
        at = data.index(b"\x40\x02\x01")
        font = morlune.Font(data[:at] + b"\x40\x02\x08" + data[at + 3:])
        glyph = font.glyph(0x41)
        self.assertEqual(glyph.segments, [line(0.0, 0.0, 4.0, 0.0)])
        self.assertEqual(glyph.advance, (4.0, 0.0))
        self.assertEqual([(w.kind, w.code) for w in glyph.warnings], [("cut_short", 0x41)])

    def test_codes_no_record_has(self):
        font = morlune.Font(morlune.compile(GEOMETRY_FONT))
        for code in (0x7F, 0x10000):
            with self.subTest(code=code):
                # A code past 16 bits is named whole, not as the shape it wraps to.
                with self.assertRaisesRegex(KeyError, "no shape %04X'" % code):
                    font.glyph(code)
        # Past the codes a record can have: no record has it either.
        for code in (-1, 2 ** 32, 2 ** 64):
            with self.subTest(code=code):
                with self.assertRaises(KeyError):
                    font.glyph(code)
        with self.assertRaises(TypeError):
            font.glyph(1.0)


def listing_from_segments(segments):
    """What the listing's path data say about the segments, as numbers: an
    M where a segment starts away from the last end (as written, 6
    decimals), then L x y or A rx ry large sweep x y."""
    def written(point):
        return tuple(round(value, 6) for value in point)
    commands, end = [], None
    for segment in segments:
        if end is None or written(segment[1]) != end:
            commands.append(("M",) + segment[1])
        if segment[0] == "line":
            commands.append(("L",) + segment[2])
        else:
            _, _, to, _, (ax, ay), sweep = segment
            counterclockwise = (sweep > 0) == (ax * ay > 0)
            commands.append(("A", abs(ax), abs(ay), int(abs(sweep) > 180), int(counterclockwise)) + to)
        end = written(segment[2])
    return commands


def parse_path(text):
    tokens, commands = text.split(), []
    while tokens:
        command = tokens.pop(0)
        if command == "A":
            rx, ry, _, large, sweep, x, y = tokens[:7]
            del tokens[:7]
            commands.append(("A", float(rx), float(ry), int(large), int(sweep), float(x), float(y)))
        else:
            commands.append((command, float(tokens.pop(0)), float(tokens.pop(0))))
    return commands


class ListingTest(unittest.TestCase):
    def test_text(self):
        records = [
            (0x41, 3, "040,044,0"),
            (0x4A, 5, "12,(4,0,127),0"),
            (0x43, 6, "040,2,040,1,040,0"),
            (0x44, 5, "2,8,(1,-3),0"),
            (0x45, 4, "3,4,041,0"),
        ]
        expected = ("0041\t4,4\tM 0 0 L 4 0 L 4 4\n"
                    "004A\t4,0\tM 0 0 A 2 2 0 0 1 4 0\n"
                    "0043\t12,0\tM 0 0 L 4 0 M 8 0 L 12 0\n"
                    "0044\t1,-3\t\n"
                    "0045\t1,0.5\tM 0 0 L 1 0.5\n")
        self.assertEqual(morlune.Font(morlune.compile(shapes_source(records))).listing(), expected)

    def test_agrees_with_the_segments(self):
        # One geometry, two views: every line of the listing says what the
        # glyph of its code draws, record by record in the walk's order.
        font = morlune.Font(morlune.compile(GEOMETRY_FONT))
        lines = font.listing().splitlines()
        shapes = [record for record in font.records if record.code != 0]
        self.assertEqual(len(lines), len(shapes))
        for record, text in zip(shapes[:-1], lines):  # the last is the second 0x41
            with self.subTest(code="%04X" % record.code):
                code, advance, path = text.split("\t")
                glyph = font.glyph(record.code)
                self.assertEqual(int(code, 16), record.code)
                for got, expected in zip(map(float, advance.split(",")), glyph.advance):
                    self.assertAlmostEqual(got, expected, delta=1e-6)
                got, expected = parse_path(path), listing_from_segments(glyph.segments)
                self.assertEqual([c[0] for c in got], [c[0] for c in expected])
                for got_command, expected_command in zip(got, expected):
                    for got_value, expected_value in zip(got_command[1:], expected_command[1:]):
                        self.assertAlmostEqual(got_value, expected_value, delta=1e-6)


if __name__ == "__main__":
    unittest.main()
