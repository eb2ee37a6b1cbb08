"""The colour and interval dialogs: texts, lists, preselection and size at 96 and
144 DPI, what their button and close box apply, and the windows beside them; the
same without the functions newer than Windows 7, which in a dark colour scheme
must also draw them pixel for pixel alike."""

import shutil

from harness import EXE, FALLBACKS_EXE, REACTION, SAVED, Look, PlumbmarkTest, poll, rgb, settings

COLOUR, INTERVAL = "色変更", "線の更新時間変更"
COLOURS = ["黄色", "青", "緑", "赤", "オレンジ", "水色", "紫", "灰色"]
INTERVALS = [str(ms) for ms in range(50, 501, 50)]


class Dialogs(PlumbmarkTest):
    seconds = 40

    def assert_dialog(self, report, title, items, selected, sizes, texts):
        """A dialog's list with its preselected entry, its client size and its other texts."""
        dialog = report.find(title)
        self.assertIsNotNone(dialog, f"no dialog {title}")
        [combo] = dialog.controls_of("ComboBox")
        self.assertEqual((combo.items, combo.selected, combo.text),
                         (items, selected, items[selected]))
        self.assertIn(dialog.client, sizes)
        self.assertEqual([c.text for c in dialog.controls if c.klass != "ComboBox"], texts)

    def assert_selected(self, s, title, index):
        def selected():
            return s.probe().find(title).controls_of("ComboBox")[0].selected
        self.assertTrue(poll(lambda: selected() == index), f"{title}: not entry {index}")

    def test_at_96_dpi_the_button_applies_the_close_box_does_not_and_s_saves_it(self):
        look = Look(600, 400)
        s, program = self.started(look)
        look.color = rgb(65280)
        s.press("Tab", look)
        s.open_dialog(program, "c", COLOUR)
        self.assert_dialog(s.probe(), COLOUR, COLOURS, 2, [(145, 66)], [COLOUR])
        s.key("Return", "Escape", "Down")  # no button is Enter's or Esc's; 赤, abandoned
        self.assert_selected(s, COLOUR, 3)
        outer = s.probe().find(COLOUR).outer
        s.click(look, outer[2] - 12, outer[1] + 11, [outer])  # the close box
        s.window(COLOUR, program.pid, present=False)
        s.foreground("Plumbmark")
        s.wait_for_look(look)

        interval = s.open_dialog(program, "i", INTERVAL)
        self.assert_dialog(s.probe(), INTERVAL, INTERVALS, 1, [(106, 65)], ["/ms", "更新時間変更"])
        s.activate(s.lines[0])
        s.open_dialog(program, "c", COLOUR)
        windows = s.windows(program.pid)
        self.assertEqual(len(windows), 4)
        self.assertEqual([t for t, states in windows.values()
                          if "_NET_WM_STATE_SKIP_TASKBAR" not in states], ["Plumbmark"], "taskbar")
        icons = [s.xprop("-id", line, "_NET_WM_ICON") for line in s.lines]
        self.assertNotEqual(icons[0], icons[1], "the icon Wine gives windows without one")
        self.assertEqual({w for w, (_, states) in windows.items()
                          if "_NET_WM_STATE_ABOVE" in states}, set(s.lines), "always on top")

        s.key(*["Down"] * 5)  # 緑 to 灰色
        self.assert_selected(s, COLOUR, 7)
        report = s.probe()
        dialogs = [report.find(COLOUR).outer, report.find(INTERVAL).outer]
        s.click(look, *report.find(COLOUR).controls_of("Button")[0].centre(), dialogs)
        s.window(COLOUR, program.pid, present=False)
        look.color = rgb(13421772)
        s.wait_for_look(look, dialogs[1:])

        s.activate(interval)
        s.foreground(INTERVAL)
        s.key("Return", "Escape", *["Down"] * 8, "Tab", "space")  # 500, then the button
        s.window(INTERVAL, program.pid, present=False)
        s.foreground("Plumbmark")
        s.key("s")
        s.window(SAVED[0], program.pid)
        box = s.probe().find(SAVED[0])
        self.assertEqual((box.text(), len(box.controls_of("Button"))), (SAVED[1], 1))
        s.assert_file(settings(color=13421772, interval=500))
        s.answer(program, SAVED[0])

        s.foreground("Plumbmark")
        look.vertical = look.horizontal = 6
        s.press("Up", look)
        s.key("Escape")
        self.assertEqual(program.wait(REACTION), 0)
        s.wait_for_look(Look(0, 0, vertical=0, horizontal=0))  # an empty screen
        self.assertTrue(poll(lambda: not s.windows(program.pid)), "windows left")
        s.assert_file(settings(size=6, color=13421772, interval=500))

    def test_at_144_dpi_lines_stay_exact_and_dialogs_are_sized_at_10_twips_a_pixel(self):
        look = Look(333, 222, rgb(255), 9, 9)
        s, program = self.started(look, settings(size=9, color=255, interval=250), dpi=144)
        self.assertEqual(s.probe().values["dpi"], "144", "the test would prove nothing")
        look.vertical = look.horizontal = 10
        s.press("Up", look)
        s.move(look, 1000, 10)

        s.open_dialog(program, "c", COLOUR)
        # 2175 x 990 and 1590 x 975 twips: the half pixel may round either way.
        self.assert_dialog(s.probe(), COLOUR, COLOURS, 3, [(217, 99), (218, 99)], [COLOUR])
        s.activate(s.lines[0])
        s.open_dialog(program, "i", INTERVAL)
        self.assert_dialog(s.probe(), INTERVAL, INTERVALS, 4, [(159, 97), (159, 98)],
                           ["/ms", "更新時間変更"])


class FallbacksDialogs(Dialogs):
    exe = FALLBACKS_EXE


class Appearance(PlumbmarkTest):
    def test_in_a_dark_scheme_without_the_newer_functions_both_dialogs_look_the_same(self):
        # High contrast: the interval dialog's label is drawn in the scheme's button text colour.
        s = self.session(colors={"ButtonFace": "0 0 0", "ButtonText": "255 255 0"})
        shots = []
        for exe in (EXE, FALLBACKS_EXE):
            shutil.copy(exe, s.folder / "plumbmark.exe")
            program = s.start(Look(900, 700))
            for key, title in (("c", COLOUR), ("i", INTERVAL)):
                s.open_dialog(program, key, title)
                s.activate(s.lines[0])  # inactive: no caret blinks in the picture
            report = s.probe()
            shots.append(s.settled([report.find(title).outer for title in (COLOUR, INTERVAL)]))
            left, top, right, bottom = report.find(INTERVAL).controls_of("Static")[0].rect
            label = {s.pixel(x, y) for y in range(top, bottom) for x in range(left, right)}
            self.assertIn(0xFFFF00, label, f"{exe.name}: the label's text is not in ButtonText")
            program.kill()
            program.wait()
        self.assertEqual(shots[0], shots[1])
