"""The lines on the screen, pixel for pixel, as the pointer goes everywhere: from the
exe, from the exe without the functions newer than Windows 7, and from clang's exe."""

from harness import CLANG_EXE, FALLBACKS_EXE, Look, PlumbmarkTest


class Crosshair(PlumbmarkTest):
    def test_first_start_follows_the_pointer_to_every_edge_and_creates_no_file(self):
        # NOTE: openbox keeps part of every window on the screen and would push a line
        # asked for at the last column off it; Windows does not, so no window manager here.
        look = Look(300, 200)  # 5-pixel blue lines from the pixel after the pointer's own
        s, _ = self.started(look, window_manager=False)
        for x, y in [(0, 0), (1023, 0), (0, 767), (1019, 763), (1022, 766), (1023, 767), (40, 30)]:
            with self.subTest(pointer=(x, y)):
                s.move(look, x, y)
        self.assertEqual([p.name for p in s.folder.iterdir()], ["plumbmark.exe"])


class FallbacksCrosshair(Crosshair):
    exe = FALLBACKS_EXE


class ClangCrosshair(Crosshair):
    exe = CLANG_EXE
