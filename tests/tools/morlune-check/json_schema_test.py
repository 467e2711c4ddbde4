"""morlune-check --json against its schema, and against its own lines.

usage: json_schema_test.py MORLUNE_CHECK SCHEMA EXAMPLES_DIR

The schema is checked by a small validator of the keywords it uses (any
other keyword fails the test, so the schema cannot say more than is
checked); the documents come from runs over the sample fonts, hand-made
faulty fonts, source text, an input that is no font and one that is missing.
"""
import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

CHECK, SCHEMA, EXAMPLES = sys.argv[1:4]

KNOWN = {"$schema", "title", "description", "type", "required", "additionalProperties", "properties", "items",
         "enum", "const", "minimum", "maximum", "minItems", "maxItems", "pattern", "$ref", "$defs"}
TYPES = {"object": dict, "array": list, "string": str, "boolean": bool, "null": type(None)}


def validate(value, schema, root, where="$"):
    """Raises AssertionError at the first place where value breaks schema."""
    unknown = set(schema) - KNOWN
    assert not unknown, f"{where}: the schema uses keywords this test does not check: {unknown}"
    if "$ref" in schema:
        name = schema["$ref"].removeprefix("#/$defs/")
        return validate(value, root["$defs"][name], root, where)
    kind = schema.get("type")
    if kind == "integer":
        assert isinstance(value, int) and not isinstance(value, bool), f"{where}: {value!r} is no integer"
    elif kind is not None:
        assert isinstance(value, TYPES[kind]) and not (kind != "boolean" and isinstance(value, bool)), \
            f"{where}: {value!r} is no {kind}"
    if "const" in schema:
        assert value == schema["const"], f"{where}: {value!r} is not {schema['const']!r}"
    if "enum" in schema:
        assert value in schema["enum"], f"{where}: {value!r} is none of {schema['enum']}"
    if "minimum" in schema:
        assert value >= schema["minimum"], f"{where}: {value} is below {schema['minimum']}"
    if "maximum" in schema:
        assert value <= schema["maximum"], f"{where}: {value} is above {schema['maximum']}"
    if "pattern" in schema:
        assert re.search(schema["pattern"], value), f"{where}: {value!r} does not match {schema['pattern']}"
    if isinstance(value, dict):
        for name in schema.get("required", []):
            assert name in value, f"{where}: {name} is missing"
        properties = schema.get("properties", {})
        for name, item in value.items():
            if name in properties:
                validate(item, properties[name], root, f"{where}.{name}")
            else:
                assert schema.get("additionalProperties", True), f"{where}: {name} is not in the schema"
    if isinstance(value, list):
        assert len(value) >= schema.get("minItems", 0), f"{where}: too few items"
        assert len(value) <= schema.get("maxItems", len(value)), f"{where}: too many items"
        for i, item in enumerate(value):
            if "items" in schema:
                validate(item, schema["items"], root, f"{where}[{i}]")


def shapes_font(records):
    """A shapes 1.1 font: (code, name bytes, data bytes) records."""
    body = b"".join(name + b"\0" + bytes(data) for _, name, data in records)
    index = b"".join(struct.pack("<HH", code, len(name) + 1 + len(data)) for code, name, data in records)
    return b"Vormald-86 shapes 1.1\r\n\x1a" + struct.pack("<HHH", 0, 0, len(records)) + index + body


def lines_of(document):
    """The human lines that the JSON document stands for."""
    lines = []
    for font in document["fonts"]:
        for finding in font["findings"]:
            place = (f":{finding['line']}:{finding['column']}" if "line" in finding
                     else f": {finding['code']:04X}" if "code" in finding else "")
            lines.append(f"{font['font']}{place}: {finding['severity']} {finding['id']}: {finding['text']}")
    return lines


class JsonOutput(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(SCHEMA, encoding="utf-8") as file:
            cls.schema = json.load(file)
        cls.folder = tempfile.TemporaryDirectory()
        header = (0, b"test", [6, 2, 0, 0])
        faults = {
            "faults.kqx": shapes_font([header, (0x41, b"a,b", [7, 0x43, 0x84, 0x8C, 0x40, 0]), (0x42, b"", [5, 0x48, 0, 1])]),
            "headless.kqx": shapes_font([(0x41, b"", [0x40, 0]), (0x41, b"", [0x40])]),
            "broken.kqs": b"*0,4,test\n6,2,0,0\n*00041,3,\n040,0\n",
            "counted.kqs": b"*BIGFONT 5,1,081,09F\n*0,4,test\n6,2,0,0\n*00041,2,\n040,0\n",
            "no-font.txt": b"hello\n",
        }
        for name, data in faults.items():
            with open(os.path.join(cls.folder.name, name), "wb") as file:
                file.write(data)
        cls.inputs = sorted(os.path.join(EXAMPLES, name) for name in os.listdir(EXAMPLES)
                            if name.endswith((".kqx", ".kqs")))
        cls.inputs += [os.path.join(cls.folder.name, name) for name in faults]
        cls.inputs.append(os.path.join(cls.folder.name, "missing.kqx"))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def run_check(self, *args):
        return subprocess.run([CHECK, *args], capture_output=True, check=False)

    def test_documents_follow_the_schema(self):
        for extra in ([], ["--fail-on", "INFO"], ["--coverage", "U+0020-007E"]):
            run = self.run_check("--json", *extra, *self.inputs)
            self.assertEqual(run.returncode, 2, "a missing input makes the status 2")
            document = json.loads(run.stdout.decode("utf-8"))
            validate(document, self.schema, self.schema)
            self.assertEqual([font["font"] for font in document["fonts"]], self.inputs)

    def test_counts_add_up(self):
        document = json.loads(self.run_check("--json", *self.inputs).stdout)
        total = {"FAIL": 0, "WARN": 0, "INFO": 0}
        for font in document["fonts"]:
            mine = {"FAIL": 0, "WARN": 0, "INFO": 0}
            for finding in font["findings"]:
                mine[finding["severity"]] += 1
            self.assertEqual(font["summary"], mine, font["font"])
            for severity, count in mine.items():
                total[severity] += count
        summary = document["summary"]
        self.assertEqual({key: summary[key] for key in total}, total)
        self.assertEqual((summary["fonts"], summary["unreadable"]), (len(self.inputs), 1))
        # Each identifier has one severity.
        severities = {}
        for font in document["fonts"]:
            for finding in font["findings"]:
                self.assertEqual(severities.setdefault(finding["id"], finding["severity"]), finding["severity"])

    def test_lines_and_json_are_one_list(self):
        for extra in ([], ["--coverage", "U+0041-005A"]):
            document = json.loads(self.run_check("--json", *extra, *self.inputs).stdout)
            lines = self.run_check(*extra, *self.inputs).stdout.decode("utf-8").splitlines()
            self.assertEqual(lines[:-1], lines_of(document))
            self.assertRegex(lines[-1], r"^\d+ fonts checked: \d+ FAIL, \d+ WARN, \d+ INFO; 1 could not be read$")

    def test_faulty_fonts_carry_their_findings(self):
        document = json.loads(self.run_check("--json", *self.inputs[-6:]).stdout)
        found = {os.path.basename(font["font"]): sorted((f["id"], f.get("code", f.get("line"))) for f in font["findings"])
                 for font in document["fonts"]}
        self.assertEqual(found["faults.kqx"], [("above-height", 0x41), ("bytes-after-end", 0x42),
                                              ("missing-subshape", 0x41), ("name-comma", 0x41),
                                              ("negative-advance", 0x42), ("push-without-pop", 0x42)])
        # The second A, never drawn, still has no ending 0.
        self.assertEqual(found["headless.kqx"], [("duplicate-code", 0x41), ("no-end-code", 0x41), ("no-font-header", None)])
        self.assertEqual(found["broken.kqs"], [("source-error", 3)])
        self.assertEqual(found["counted.kqs"], [("source-warning", 1)])
        self.assertEqual(found["no-font.txt"], [("not-a-font", None)])
        self.assertEqual(found["missing.kqx"], [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
