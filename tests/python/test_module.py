"""The module as a whole: its version is the library's, and the stub beside
it names what the module has, no more and no less."""

import ast
import pathlib
import re
import unittest

import morlune

SOURCE = pathlib.Path(__file__).resolve().parents[2]


class ModuleTest(unittest.TestCase):
    def test_version_is_the_headers(self):
        header = (SOURCE / "include" / "morlune" / "version.h").read_text()
        self.assertEqual(morlune.__version__, re.search(r'MORLUNE_VERSION_STRING "([^"]+)"', header).group(1))

    def test_stub_names_what_the_module_has(self):
        stub = pathlib.Path(morlune.__file__).with_name("morlune.pyi")
        tree = ast.parse(stub.read_text())
        names = set()
        for node in tree.body:
            if isinstance(node, (ast.ClassDef, ast.FunctionDef)):
                names.add(node.name)
            elif isinstance(node, ast.AnnAssign):
                names.add(node.target.id)
            if not isinstance(node, ast.ClassDef):
                continue
            members = {item.name for item in node.body if isinstance(item, ast.FunctionDef)}
            members |= {item.target.id for item in node.body if isinstance(item, ast.AnnAssign)}
            kind = getattr(morlune, node.name)
            with self.subTest(node.name):
                if issubclass(kind, BaseException):
                    continue
                if hasattr(kind, "_fields"):  # a named tuple: its fields
                    self.assertEqual(members, set(kind._fields))
                    continue
                public = {name for name in dir(kind) if not name.startswith("_")}
                self.assertEqual({name for name in members if not name.startswith("_")}, public)
        public = {name for name in dir(morlune) if not name.startswith("_")}
        self.assertEqual(names - {"Point", "Segment", "Buffer"}, public | {"__version__"})


if __name__ == "__main__":
    unittest.main()
