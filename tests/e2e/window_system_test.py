"""The line windows among other windows: kept above them, taking keys only on the
vertical line, and a few keys as the window system delivers them."""

import re
import subprocess

from harness import Look, PlumbmarkTest, poll, rgb


class WindowSystem(PlumbmarkTest):
    def test_lines_stay_above_a_focused_window_and_take_keys_on_the_vertical_line(self):
        look = Look(480, 320)
        s, program = self.started(look)
        vertical, horizontal = s.lines

        # An ordinary window with the keyboard; not the screen's size, which openbox
        # would take for a full-screen window and stack above all others.
        s.processes.append(subprocess.Popen(["xev", "-geometry", "900x700+40+30"], env=s.xenv(),
                                            stdout=subprocess.DEVNULL))
        other = poll(lambda: set(s.windows()) - set(s.windows(program.pid)))
        self.assertTrue(other, "the ordinary window never came")
        other = other.pop()
        s.activate(other)
        area = [(20, 10, 970, 760)]  # the window with its frame, and then some
        s.wait_for_look(look, area)
        self.assertEqual(s.pixel(800, 100), 0xFFFFFF, "the ordinary window is not there")
        stacking = re.findall(r"0x[0-9a-f]+", s.xprop("-root", "_NET_CLIENT_LIST_STACKING"))
        order = [int(w, 16) for w in stacking]
        self.assertLess(order.index(other), order.index(vertical))
        self.assertLess(order.index(other), order.index(horizontal))

        s.key("Tab")  # goes to the ordinary window
        s.activate(vertical)
        look.vertical = look.horizontal = 6
        s.press("Up", look, area)

        s.activate(horizontal)
        s.foreground("Form1")
        s.key("Tab", "F1", "Up")  # do nothing on the horizontal line
        s.activate(vertical)
        s.foreground("Plumbmark")
        look.color = rgb(65280)
        s.press("Tab", look, area)

        # Shift hides and shows the horizontal line, Ctrl the vertical one, F1 both.
        for key, vertical_px, horizontal_px in [("Shift_L", 6, 0), ("Control_L", 0, 0),
                                                ("F1", 6, 6), ("F1", 0, 0), ("Shift_L", 0, 6),
                                                ("Control_L", 6, 6), ("Down", 5, 5)]:
            with self.subTest(key=key):
                look.vertical, look.horizontal = vertical_px, horizontal_px
                s.press(key, look, area)

    def test_a_line_moved_sized_minimised_or_maximised_from_outside_is_a_line_again(self):
        # NOTE: under a window manager Wine 8 asks it to iconify the window; when the
        # restore is quicker, the iconify lands last and the X window stays unmapped
        # while Windows' own state says restored. Windows has no such race.
        look = Look(400, 300)
        s, _ = self.started(look, window_manager=False)
        # Another program's ShowWindow is undone (the system menu's commands are refused:
        # tests/win32).
        for title in ("Plumbmark", "Form1"):
            for command in (6, 3):  # SW_MINIMIZE, SW_MAXIMIZE
                with self.subTest(title=title, command=command):
                    s.probe("show", title, command)
                    self.assertTrue(poll(lambda: s.probe().find(title).state == "normal"))
                    s.wait_for_look(look)
        for title, rect in (("Plumbmark", (700, 10, 40, 300)), ("Form1", (10, 600, 300, 40))):
            with self.subTest(title=title, moved=rect):
                self.assertEqual(s.probe("move", title, *rect).values["moved"], "1")
                s.wait_for_look(look)
