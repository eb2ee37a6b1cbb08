"""The options a user adds to Plumbmark.ini: a hot key that works while another program has
the keyboard, a hot key another program holds already, and lines that show nothing while a
window hides the pointer over it."""

from harness import START, Look, PlumbmarkTest, settings

HOT_KEY = b"HotKey=Ctrl+Shift+F11\r\n"
CTRL_SHIFT, F11 = 6, 122
TAKEN = ("エラー", "設定ファイルのホットキー「Ctrl+Shift+F11」は使えません。ほかのプログラムか "
         "Windows がすでに使っています。\n\nホットキーなしで動作します。")
# Another program's window, where no line of the crosshair at (300, 200) crosses it.
OTHER, AREA = (600, 450, 300, 200), [(580, 430, 920, 670)]


class Options(PlumbmarkTest):
    def test_the_hot_key_hides_and_shows_the_lines_while_another_program_keeps_the_keys(self):
        look = Look(300, 200)
        s, _ = self.started(look, settings() + HOT_KEY)
        s.other_window("other", OTHER)
        s.foreground("other")
        for shown in (0, 5):
            look.vertical = look.horizontal = shown
            s.press("ctrl+shift+F11", look, AREA)
            s.foreground("other")

    def test_a_hot_key_another_program_holds_is_told_and_the_program_runs_without(self):
        s = self.session()
        s.ini.write_bytes(settings() + HOT_KEY)
        s.other_window("holder", OTHER, CTRL_SHIFT, F11)
        s.foreground("holder")
        s.xdotool("mousemove", 300, 200)
        program = s.launch()
        s.activate(s.window(TAKEN[0], program.pid, deadline=START))
        self.assertEqual(s.probe().find(TAKEN[0]).text(), TAKEN[1])
        s.answer(program, TAKEN[0])
        s.wait_for_look(Look(300, 200), AREA)

    def test_with_hide_with_pointer_the_lines_go_while_a_window_hides_the_pointer(self):
        # NOTE: Wine's GetCursorInfo gives the shape the foreground thread set last: none
        # until the typing window has the keyboard and the pointer has moved over it.
        s = self.session()
        s.ini.write_bytes(settings() + b"HideWithPointer=1\r\n")
        s.xdotool("mousemove", 700, 500)
        s.window("Plumbmark", s.launch().pid, deadline=START)
        s.other_window("typing", OTHER, "nocursor")
        s.foreground("typing")
        look = Look(705, 505)
        s.move(look, look.x, look.y, AREA)
        s.press("a", Look(705, 505, vertical=0, horizontal=0), AREA)  # typing hides the pointer
        s.move(look, 710, 510, AREA)  # until the mouse moves
