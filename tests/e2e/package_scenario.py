"""The release zip as a user meets it, run by the package stage with PLUMBMARK_ZIP (its
name keeps it out of the e2e stage): unpacked into a folder named in Japanese with a
space, the exe starts there, S saves beside it and says so, and Esc ends it."""

import os
import zipfile

from harness import REACTION, SAVED, Look, PlumbmarkTest, settings


class Package(PlumbmarkTest):
    def test_the_unpacked_exe_saves_beside_itself_and_ends_on_esc(self):
        s = self.session(folder="ダウンロード 先/Plumbmark")
        # Unpacked over the session's copy of the exe: the zip's own runs.
        zipfile.ZipFile(os.environ["PLUMBMARK_ZIP"]).extractall(s.folder.parent)
        program = s.start(Look(400, 300))
        s.key("s")
        s.answer(program, SAVED[0])
        s.assert_file(settings())
        s.foreground("Plumbmark")
        s.key("Escape")
        self.assertEqual(program.wait(REACTION), 0)
