"""The exe's resources as the resource compiler reads them back (version block, one icon)
and the headers and imports the loader reads, which must let it start on Windows 7 SP1."""

import re
from pathlib import Path

from harness import CLANG_EXE, EXE, FALLBACKS_EXE, PlumbmarkTest, run


# windows7_imports.txt holds every function the exe may import, a line "DLL: function ..."
# per DLL: each is in Windows 7 SP1 x64 (Microsoft Learn's "minimum supported client";
# msvcrt's are those of Windows 7's own msvcrt.dll). An import missing there fails this
# test until it has been checked and added; anything newer is looked up at run time.
def allowed_imports():
    """{(dll, function)} from windows7_imports.txt."""
    text = (Path(__file__).parent / "windows7_imports.txt").read_text()
    lines = (line.partition(":") for line in text.splitlines())
    return {(dll.lower(), name) for dll, _, names in lines for name in names.split()}


class Exe(PlumbmarkTest):
    seconds = 5

    def test_version_block_one_icon_headers_and_imports(self):
        for exe in (EXE, FALLBACKS_EXE, CLANG_EXE):
            with self.subTest(exe=exe.name):
                rc = run(["x86_64-w64-mingw32-windres", "-i", exe, "-O", "rc"]).stdout.decode()
                for value in (" FILEVERSION 1, 0, 0, 2\n", 'BLOCK "041104b0"',
                              'VALUE "ProductName", "Plumbmark"', 'VALUE "FileVersion", "1.00.0002"',
                              'VALUE "Translation", 0x411, 1200'):
                    self.assertIn(value, rc)
                self.assertEqual(rc.count("RT_GROUP_ICON */"), 1)
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
