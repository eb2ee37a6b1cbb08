"""The Win32 backend's own checks (tests/win32) under Wine on a display of their own: what
the backend does where Wine's rules would hide a fault from the scenarios."""

import os
from pathlib import Path

from harness import PlumbmarkTest, run, wine_env

CHECKS = Path(os.environ["PLUMBMARK_WIN32_TESTS"])


class Win32Backend(PlumbmarkTest):
    def test_the_backends_own_checks_hold(self):
        s = self.session(window_manager=False)
        result = run(["wine", CHECKS], wine_env(s.prefix, s.display), timeout=120)
        self.assertEqual(result.returncode, 0, result.stdout.decode())
