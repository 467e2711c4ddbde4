"""morlune.check: findings as values, coverage, and fonts that are none."""

import unittest

import morlune
from support import shapes_source

# "A" calls shape 0042, which the font lacks (code 7, subshape).
MISSING = shapes_source([(0x41, 3, "7,042,0"), (0x43, 1, "0")])


class CheckTest(unittest.TestCase):
    def test_findings(self):
        check = morlune.check(morlune.compile(MISSING), coverage="U+0041-0043", label="f.kqx")
        self.assertEqual((check.label, check.variant, check.from_source), ("f.kqx", "shapes11", False))
        found = {finding.id: finding for finding in check.findings}
        missing = found["missing-subshape"]
        self.assertEqual((missing.severity, missing.code, missing.line), ("FAIL", 0x41, None))
        self.assertEqual(found["coverage-missing"].missing, [("B", "B")])
        self.assertEqual(check.counts["FAIL"], sum(f.severity == "FAIL" for f in check.findings))
        self.assertTrue(check.lines.startswith("f.kqx: "))

    def test_source_text_and_coverage_of_a_text(self):
        check = morlune.check(MISSING.encode(), coverage_text="AC")
        self.assertTrue(check.from_source)
        self.assertNotIn("coverage-missing", [finding.id for finding in check.findings])

    def test_no_font_and_refusals(self):
        check = morlune.check(b"no font at all")
        self.assertIsNone(check.variant)
        self.assertEqual([finding.id for finding in check.findings], ["not-a-font"])
        table = [
            ("an unknown code page", dict(encoding="no-such-code-page")),
            ("a range that is none", dict(coverage="U+ZZZZ")),
            ("both sets", dict(coverage="U+0041", coverage_text="A")),
        ]
        for what, keywords in table:
            with self.subTest(what):
                with self.assertRaises(ValueError):
                    morlune.check(b"no font at all", **keywords)


if __name__ == "__main__":
    unittest.main()
