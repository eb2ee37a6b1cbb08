"""The lines over the whole desktop: two monitors side by side, and a display whose
mode changes while the program runs, told by a display change or only by a settings or
scaling notice."""

from harness import Look, PlumbmarkTest, run


class Display(PlumbmarkTest):
    seconds = 12

    def test_lines_span_both_monitors_wherever_the_pointer_is(self):
        # Without a window manager the vertical line can go past the last column. NOTE: a
        # program started there gets x 799 from Wine for the pointer at x 800 to 1023.
        for managed, points in [(True, [(1300, 200), (300, 500), (1700, 590), (10, 700)]),
                                (False, [(1300, 200), (1823, 300), (1023, 767), (1024, 0)])]:
            with self.subTest(window_manager=managed):
                look = Look(*points[0], size=(1824, 768), outside=[(1024, 600, 1824, 768)])
                s, _ = self.started(look, screen="two monitors", window_manager=managed)
                for x, y in points[1:]:
                    s.move(look, x, y)
                s.close()

    def test_a_display_change_respans_both_lines_at_their_thickness(self):
        # A mode change Windows reports as a display change ("mode"), or a larger desktop
        # Wine tells no window of, followed only by a scaling (0x2E0) or settings (0x1A)
        # notice, as Windows may send for a change of scaling. Only a larger desktop
        # shows lines that were not spanned again.
        look = Look(500, 400)
        s, _ = self.started(look, screen="modes")
        look.vertical = look.horizontal = 6
        s.press("Up", look)
        for how, width, height in [("mode", 1280, 800), ("mode", 1024, 768), (0x2E0, 1280, 800),
                                   ("mode", 1024, 768), (0x1A, 1280, 800)]:
            with self.subTest(how=how, size=(width, height)):
                if how == "mode":
                    self.assertEqual(s.probe("mode", width, height).values["mode"], "0")
                else:
                    run(["xrandr", "-s", f"{width}x{height}"], s.xenv()).check_returncode()
                    self.assertEqual(s.probe("send", "Plumbmark", how, 96 * 0x10001, 0)
                                     .values["answered"], "1")
                look.size = (width, height)
                s.move(look, width - 80, height - 100)
