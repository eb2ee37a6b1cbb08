"""The exe as Windows describes it: version block and icon, and the headers and imports
the loader reads, which must let it start on Windows 7 SP1."""

import re
from pathlib import Path

from harness import CLANG_EXE, EXE, FALLBACKS_EXE, PlumbmarkTest, run


def allowed_imports():
    """{(dll, function)} from windows7_imports.txt: a line "DLL: function ..." per DLL."""
    text = re.sub(r"#.*", "", (Path(__file__).parent / "windows7_imports.txt").read_text())
    lines = (line.partition(":") for line in text.splitlines())
    return {(dll.lower(), name) for dll, _, names in lines for name in names.split()}


class Exe(PlumbmarkTest):
    seconds = 5

    def test_version_block_one_icon_headers_and_imports(self):
        s = self.session(display=False)
        for exe in (EXE, FALLBACKS_EXE, CLANG_EXE):
            with self.subTest(exe=exe.name):
                self.assertEqual(s.probe("version", exe).values, {
                    "fixed": "1.0.0.2", "language": str(0x0411), "ProductName": "Plumbmark",
                    "FileVersion": "1.00.0002", "icon groups": "1"})
                headers = run(["x86_64-w64-mingw32-objdump", "-p", exe]).stdout.decode()
                self.assertIn("TERMINAL_SERVICE_AWARE", headers)
                imported = {(dll.lower(), function) for block in headers.split("DLL Name: ")[1:]
                            for dll in [block.split()[0]]
                            for function in re.findall(r"^\t[0-9a-f]+\t +\d+ +(\w+)$", block, re.M)}
                self.assertIn(("user32.dll", "GetCursorPos"), imported, "no import table read")
                # Nothing newer than Windows 7 SP1, nor SHCORE (Windows 8.1), nor
                # AttachThreadInput; the DLL search setting is found by name at start.
                self.assertEqual(imported - allowed_imports(), set())
                self.assertNotIn("shcore.dll", {dll for dll, _ in imported})
                self.assertNotIn(("user32.dll", "AttachThreadInput"), imported)
                self.assertIn(b"SetDefaultDllDirectories", exe.read_bytes())
