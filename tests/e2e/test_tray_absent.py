# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Without a notification area the window must never be lost: minimizing only minimizes."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import program  # noqa: E402
from desktop import wait_until  # noqa: E402

desk = program.SharedDesktop(tray=False, sound=False)
setUpModule, tearDownModule = desk.start, desk.stop


class NoTrayTest(unittest.TestCase):
    def test_minimizing_keeps_the_window_in_the_taskbar(self):
        prog, wid = program.start(desk)
        try:
            desk.minimize(wid)
            wait_until(lambda: desk.window_state(wid).wm == "Iconic", 10, "the window to be iconic")
            time.sleep(0.5)
            self.assertIn(wid, desk.managed_windows())
            self.assertEqual(desk.window_state(wid).wm, "Iconic")
            desk.activate(wid)  # the taskbar's way back
            wait_until(lambda: desk.window_state(wid).wm == "Normal", 10, "the window to return")
        finally:
            program.finish(self, prog)

    def test_tray_appearing_later_makes_hiding_work(self):
        prog, wid = program.start(desk)
        try:
            desk.start_tray()
            icon = desk.wait_tray_icon(count=1, timeout=15)[0]
            desk.minimize(wid)
            wait_until(lambda: not desk.windows(program.TITLE), 10, "the window to hide")
            desk.click(icon.x + icon.w // 2, icon.y + icon.h // 2)
            wait_until(lambda: desk.windows(program.TITLE), 10, "the window to come back")
        finally:
            program.finish(self, prog)
            desk.kill_tray()


if __name__ == "__main__":
    unittest.main(verbosity=2)
