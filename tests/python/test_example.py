"""The example script of docs/python.md: a word set in a font, written as an SVG."""

import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

import morlune
from support import shapes_source

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "python", "set_word.py")

# Height 6. T: a bar at the top and a stem; O: a full circle of radius 3
# from its leftmost point, counterclockwise.
FONT = shapes_source([
    (0x54, 11, "2,064,1,040,2,028,1,06C,2,040,0"),
    (0x4F, 13, "2,8,(0,3),1,10,(3,040),2,8,(6,-3),0"),
], height=6)


def parse(data):
    """The path data as (command, numbers) pairs."""
    tokens, commands = data.split(), []
    sizes = {"M": 2, "L": 2, "A": 7}
    while tokens:
        command = tokens.pop(0)
        commands.append((command, [float(token) for token in tokens[:sizes[command]]]))
        del tokens[:sizes[command]]
    return commands


class ExampleTest(unittest.TestCase):
    def test_word_as_svg(self):
        with tempfile.TemporaryDirectory() as folder:
            font_path = os.path.join(folder, "font.kqx")
            svg_path = os.path.join(folder, "word.svg")
            with open(font_path, "wb") as file:
                file.write(morlune.compile(FONT))
            run = subprocess.run([sys.executable, SCRIPT, font_path, "TOx", svg_path],
                                 capture_output=True, text=True, env=os.environ)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertIn("x", run.stderr)  # the font has no x
            root = ElementTree.parse(svg_path).getroot()
        # 40 drawing units over a font height of 6; the picture's y is the
        # font's turned down. T: (0, 6)-(4, 6) and (2, 6)-(2, 0). O at T's
        # advance of 6: two half circles of radius 20 through the bottom,
        # counterclockwise as the font draws them, so clockwise is 0.
        k = 40 / 6
        expected = [
            ("M", [0, -6 * k]), ("L", [4 * k, -6 * k]),
            ("M", [2 * k, -6 * k]), ("L", [2 * k, 0]),
            ("M", [40, -20]), ("A", [20, 20, 0, 0, 0, 80, -20]),
            ("M", [80, -20]), ("A", [20, 20, 0, 0, 0, 40, -20]),
        ]
        path = root.find("{http://www.w3.org/2000/svg}path")
        got = parse(path.get("d"))
        self.assertEqual([command for command, _ in got], [command for command, _ in expected])
        for (_, numbers), (_, expected_numbers) in zip(got, expected):
            for number, expected_number in zip(numbers, expected_numbers):
                self.assertAlmostEqual(number, expected_number, delta=1e-3)
        # The box of the drawing, y from -40 to 0 (the circles reach the
        # baseline), with 4 units round it.
        self.assertEqual([float(v) for v in root.get("viewBox").split()], [-4, -44, 88, 48])


if __name__ == "__main__":
    unittest.main()
