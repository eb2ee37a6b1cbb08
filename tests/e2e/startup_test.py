"""Start-up: odd settings files as the Windows profile reader gives them, and a
second copy that refuses to start; the first copy runs on, through a save that fails
as well."""

from harness import SAVE_FAILED, SECOND_COPY, START, Look, PlumbmarkTest, poll, rgb


class StartUp(PlumbmarkTest):
    def test_odd_settings_files_read_as_windows_reads_them(self):
        # Digits then garbage and an empty value; names in other cases.
        for text, look in [
                (b"[Plumbmark]\r\nSize=7px\r\nColor=\r\n", Look(512, 300, vertical=7, horizontal=7)),
                (b"[PLUMBMARK]\r\ncolor=255\r\nSIZE=3\r\n", Look(512, 300, rgb(255), 3, 3))]:
            with self.subTest(text):
                s, _ = self.started(look, text, window_manager=False)
                self.assertEqual(s.ini.read_bytes(), text, "start-up changed the file")

    def test_a_second_copy_and_a_failed_save_are_reported_and_the_first_copy_runs_on(self):
        look = Look(256, 192)
        s, program = self.started(look)
        second = s.launch()
        box = s.window(SECOND_COPY[0], second.pid, deadline=START)
        report = s.probe().find(SECOND_COPY[0])
        self.assertEqual(report.text(), SECOND_COPY[1])
        # No hidden owner, so a taskbar button of its own (topmost too: Wine 8 ignores
        # MB_TOPMOST, tests/win32 checks that it is asked for).
        self.assertEqual(report.state, {"normal"})
        self.assertEqual(s.windows(second.pid), {box: (SECOND_COPY[0], set())},
                         "the second copy showed more than its box, or no taskbar button")
        s.answer(second, SECOND_COPY[0])
        self.assertTrue(poll(lambda: second.poll() is not None), "the second copy did not end")
        self.assertFalse(s.ini.exists())

        s.ini.mkdir()  # as root Wine writes through permission bits; into a folder, never
        s.move(look, 600, 300)
        s.activate(s.lines[0])
        s.foreground("Plumbmark")
        s.key("s")
        s.window(SAVE_FAILED[0], program.pid)
        self.assertTrue(s.probe().find(SAVE_FAILED[0]).text().startswith(SAVE_FAILED[1]))
        s.answer(program, SAVE_FAILED[0])
        s.foreground("Plumbmark")
        look.color = rgb(65280)
        s.press("Tab", look)
        titles = sorted(t for t, _ in s.windows(program.pid).values())
        self.assertEqual(titles, ["Form1", "Plumbmark"], "a box is left, a confirmation perhaps")
        self.assertTrue(s.ini.is_dir())
