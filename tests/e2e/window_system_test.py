"""The line windows among other windows: back above another program's topmost window at
the next move, taking keys only on the vertical line and only once for a held key; clicks
going through them to the window beneath; a few keys as the window system delivers them."""

import re
import subprocess
import time

from harness import Look, PlumbmarkTest, poll, rgb, wine_env

COLOUR = "色変更"


class WindowSystem(PlumbmarkTest):
    def test_lines_come_back_above_a_topmost_window_and_take_keys_on_the_vertical_line(self):
        look = Look(480, 320)
        s, program = self.started(look)
        vertical, horizontal = s.lines
        # Another program's topmost window with the keyboard, over the crosshair.
        other = s.other_window("other", (40, 30, 900, 700))
        s.foreground("other")
        area = [(20, 10, 970, 760)]  # the window with its frame, and then some
        self.assertTrue(poll(lambda: s.screenshot() and s.pixel(482, 400) == 0xFFFFFF),
                        "the topmost window never came above the lines")
        s.move(look, 500, 330, area)  # the next move: above it again
        stacking = re.findall(r"0x[0-9a-f]+", s.xprop("-root", "_NET_CLIENT_LIST_STACKING"))
        order = [int(w, 16) for w in stacking]
        self.assertLess(order.index(other), order.index(vertical))
        self.assertLess(order.index(other), order.index(horizontal))

        s.key("Tab")  # goes to the other window
        s.activate(vertical)
        look.vertical = look.horizontal = 6
        s.press("Up", look, area)
        # The horizontal line takes no keys and is never activated, even when asked.
        s.xdotool("windowactivate", horizontal)
        s.key("Tab")
        look.color = rgb(65280)
        s.wait_for_look(look, area)
        self.assertNotEqual(s.probe().values["focus"], "Form1")

        # Shift hides and shows the horizontal line, Ctrl the vertical one, F1 both, and
        # F1 held acts once: no screenshot while it repeats shows the lines otherwise.
        for key, vertical_px, horizontal_px in [
                ("Shift_L", 6, 0), ("Control_L", 0, 0), ("F1", 6, 6), ("F1", 0, 0),
                ("Shift_L", 0, 6), ("Control_L", 6, 6), ("Down", 5, 5)]:
            with self.subTest(key=key):
                look.vertical, look.horizontal = vertical_px, horizontal_px
                s.xdotool("keydown", key)
                s.wait_for_look(look, area)
                end = time.monotonic() + (1.5 if key == "F1" else 0)
                while time.monotonic() < end:
                    self.assertTrue(look.picture(s.screenshot(), area) == s.shot, "acted again")
                s.xdotool("keyup", key)
        look.vertical = look.horizontal = 20  # Up held goes on
        s.xdotool("keydown", "Up", "sleep", 2.5, "keyup", "Up")
        s.wait_for_look(look, area)
        # C held opens the colour dialog, and its repeats type nothing there.
        s.xdotool("keydown", "c", "sleep", 1.5, "keyup", "c")
        s.window(COLOUR, program.pid)
        self.assertEqual(s.probe().find(COLOUR).controls_of("ComboBox")[0].text, "緑")

    def test_a_click_on_a_line_goes_to_the_window_beneath_which_keeps_the_keys(self):
        # NOTE: no window manager. Wine 8 gives a layered, transparent window no X input
        # shape, so a window manager sees the click on the line first, and Wine answers its
        # WM_TAKE_FOCUS by focusing the program's last active window. On Windows hit
        # testing skips the line: no window of the program hears of the click.
        look, notepad = Look(300, 300), "Untitled - Notepad"
        s, _ = self.started(look, window_manager=False)
        s.programs.append(subprocess.Popen(["wine", "notepad"], env=wine_env(s.prefix, s.display),
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.assertTrue(poll(lambda: s.probe().find(notepad), 60), "Notepad never came")
        s.foreground(notepad)
        window = s.probe().find(notepad).outer  # it opened above the lines
        x, y = (window[0] + window[2]) // 2, (window[1] + window[3]) // 2
        s.move(look, x, y, [window])  # the next move: back above it
        for dx, dy in ((2, 0), (0, 2)):  # onto the vertical line, then the horizontal one
            s.xdotool("mousemove", x + dx, y + dy, "click", 1)
            s.key("s", "Tab")
        text = lambda: s.probe().find(notepad).controls_of("Edit")[0].text
        self.assertTrue(poll(lambda: text() == "s\ts\t"), f"Notepad got {text()!r}")
        s.foreground(notepad)
        s.move(look, x, y, [window])  # still blue: Tab changed no colour
        s.assert_file(None)

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
                    self.assertTrue(poll(lambda: "normal" in s.probe().find(title).state))
                    s.wait_for_look(look)
        # Moved, and sized where it is to a size it never had: put back at the next tick.
        for title, rect in (("Plumbmark", (700, 10, 40, 300)), ("Form1", (10, 600, 300, 40)),
                            ("Plumbmark", (401, 0, 41, 301)), ("Form1", (0, 301, 301, 41))):
            with self.subTest(title=title, moved=rect):
                self.assertEqual(s.probe("move", title, *rect).values["moved"],
                                 " ".join(map(str, rect)))  # it was there for a moment
                s.wait_for_look(look)
