"""The exe as Windows describes it: version block and icon, and the headers and imports
the loader reads."""

import re

from harness import EXE, PlumbmarkTest, run


class Exe(PlumbmarkTest):
    seconds = 3

    def test_version_block_and_one_icon(self):
        s = self.session(display=False)
        self.assertEqual(s.probe("version", s.folder / "plumbmark.exe").values, {
            "fixed": "1.0.0.2", "language": str(0x0411), "ProductName": "Plumbmark",
            "FileVersion": "1.00.0002", "icon groups": "1"})

    def test_headers_and_imports(self):
        headers = run(["x86_64-w64-mingw32-objdump", "-p", EXE]).stdout.decode()
        self.assertIn("TERMINAL_SERVICE_AWARE", headers)
        imported = set(re.findall(r"^\t[0-9a-f]+\t +\d+ +(\w+)$", headers, re.M))
        self.assertIn("GetCursorPos", imported, "the import table was not read")
        # Never joins another program's input queue; finds the DLL search setting by name.
        self.assertNotIn("AttachThreadInput", imported)
        self.assertNotIn("SetDefaultDllDirectories", imported)
        self.assertIn(b"SetDefaultDllDirectories", EXE.read_bytes())
