"""The exe as Windows describes it: version block and icon."""

from harness import PlumbmarkTest


class Exe(PlumbmarkTest):
    seconds = 3

    def test_version_block_and_one_icon(self):
        s = self.session(display=False)
        self.assertEqual(s.probe("version", s.folder / "plumbmark.exe").values, {
            "fixed": "1.0.0.2", "language": str(0x0411), "ProductName": "Plumbmark",
            "FileVersion": "1.00.0002", "icon groups": "1"})
