# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""With no sound server at all the alarm still rings: silently, with its box."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402

desk = program.SharedDesktop(tray=True, sound=False)
setUpModule, tearDownModule = desk.start, desk.stop


class SilentRingTest(unittest.TestCase):
    def test_rings_without_a_sound_server(self):
        folder = tempfile.mkdtemp(dir=desk.tmp)
        program.beep_file(folder)
        clock = os.path.join(folder, "clock")
        desktop.set_fake_time(clock, "2026-12-07 07:29:55")
        prog, wid = program.start(desk, cwd=folder, extra_env=program.fake_clock_env(clock))
        try:
            c = program.controls(desk, program.app_of(desk, prog))
            program.arm_for(desk, wid, "07:30:00")
            alert = program.wait_box(desk, program.app_of(desk, prog))
            self.assertEqual(alert.text, "The alarm clock is going off")
            program.dismiss_box(desk, alert)
            wait_until(lambda: "enabled" in states(c["set"]), 5, "the alarm to disarm at once")
            self.assertNotIn("enabled", states(c["cancel"]))
            self.assertTrue(prog.is_running())
            self.assertNotIn("ALSA", prog.output()[1], "no noise on the terminal")
        finally:
            program.finish(self, prog)


if __name__ == "__main__":
    unittest.main(verbosity=2)
