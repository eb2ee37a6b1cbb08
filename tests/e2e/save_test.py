"""Saving next to the program: the bytes written, what others put in the file, a
folder name outside the ANSI code page, and a folder whose path is too long for the
Windows profile functions (a folder in the file's place: startup_test)."""

import time

from harness import SAVE_FAILED, SAVED, Look, PlumbmarkTest, rgb

# Already in the form Wine writes back (CRLF, no blank lines), so that the bytes
# after a save are the same whether the writer edits in place or rewrites.
FOREIGN = ("; kept by hand\r\n[Other]\r\nKey=Value\r\n[Plumbmark]\r\nColor=255\r\n"
           "; about the size\r\nExtra=keep me\r\nSize=7\r\n[Tail]\r\nX=1\r\n")


class Save(PlumbmarkTest):
    def test_s_keeps_foreign_lines_in_a_folder_outside_the_ansi_code_page(self):
        look = Look(444, 333, rgb(255), 7, 7)
        # A folder name whose last two characters are outside the first plane.
        s, program = self.started(look, FOREIGN.encode(), folder="線 ✓ Ω 😀 𠮷")
        look.color = rgb(33023)
        s.press("Tab", look)
        look.vertical = look.horizontal = 8
        s.press("Up", look)
        s.key("s")
        s.answer(program, SAVED[0])
        s.assert_file(FOREIGN.replace("Color=255", "Color=33023").replace(
            "Size=7\r\n", "Size=8\r\nVertical=0\r\nInterval=100\r\nHorizon=0\r\n").encode())

    def test_past_the_path_limit_no_file_is_read_and_none_is_written(self):
        parts = ["d" * 55] * 5  # after C:, with the exe's name: past MAX_PATH
        s = self.session(folder="/".join(["prefix", "drive_c", *parts]))
        ini = b"[Plumbmark]\r\nSize=4\r\nColor=255\r\n"
        s.ini.write_bytes(ini)
        time.sleep(1.1)  # a file written from here on is newer, at any time granularity
        since = s.ini.stat().st_mtime
        program = s.start(Look(500, 400))  # the defaults, not the file's 4-pixel red
        s.key("s")
        s.window(SAVE_FAILED[0], program.pid)
        text = s.probe().find(SAVE_FAILED[0]).text()
        self.assertTrue(text.startswith(SAVE_FAILED[1]), text)
        self.assertIn("\\".join(["C:", *parts, "Plumbmark.ini"]), text)
        s.answer(program, SAVE_FAILED[0])
        s.close()
        s.assert_file(ini)
        self.assertEqual([p for p in s.prefix.rglob("*") if p.is_file() and p.suffix != ".reg"
                          and p.stat().st_mtime > since], [], "files written")
