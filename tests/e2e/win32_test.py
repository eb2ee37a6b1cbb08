"""The Win32 backend's own checks (tests/win32), each in a process of its own under Wine
on a display of their own: what the backend does where Wine's rules would hide a fault
from the scenarios."""

import os
import shutil
from pathlib import Path

from harness import PlumbmarkTest, run, wine_env

CHECKS = Path(os.environ["PLUMBMARK_WIN32_TESTS"])


class Win32Backend(PlumbmarkTest):
    seconds = 8

    def test_the_backends_own_checks_hold(self):
        s = self.session(window_manager=False)
        shutil.copy(CHECKS, s.folder)
        env = wine_env(s.prefix, s.display)
        names = run(["wine", s.folder / CHECKS.name], env).stdout.decode().split()
        self.assertTrue(names, "no checks listed")
        for name in names:
            with self.subTest(name):
                result = run(["wine", s.folder / CHECKS.name, name], env)
                self.assertEqual(result.returncode, 0, result.stdout.decode())
