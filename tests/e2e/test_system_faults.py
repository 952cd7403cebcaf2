# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop around the alarm fails: the sound server dies mid-ring, the
notification area goes away and comes back, and two copies run side by side."""
import os
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402

desk = program.SharedDesktop(tray=True, sound=True)
setUpModule, tearDownModule = desk.start, desk.stop


class Copy:
    """One running copy of the program with its own folder, clock and controls."""

    def __init__(self, test, start_at):
        self.folder = tempfile.mkdtemp(dir=desk.tmp)
        program.beep_file(self.folder)
        self.clock = os.path.join(self.folder, "clock")
        program.set_clock(self.clock, program.epoch(start_at))
        self.prog, self.wid = program.start(desk, cwd=self.folder,
                                            extra_env=dict(program.fake_clock_env(self.clock), TZ="UTC"))
        test.addCleanup(program.finish, test, self.prog)
        self.app = program.app_of(desk, self.prog)
        self.c = program.controls(desk, self.app)

    def arm(self, hhmmss):
        program.arm_for(desk, self.wid, hhmmss)
        wait_until(lambda: "enabled" in states(self.c["cancel"]), 5, "the alarm to be armed")

    def wait_ring(self, timeout=15):
        wait_until(lambda: program.has_box(self.app), timeout, "the ringing box", interval=0.05)

    def armed(self):
        return "enabled" in states(self.c["cancel"])

    def dismiss(self):
        """OK on the ringing box, by its default key; returns how long disarming took."""
        alert = program.wait_box(desk, self.app)
        pressed = time.monotonic()
        program.dismiss_box(desk, alert)
        wait_until(lambda: not self.armed(), 5, "OK to disarm")
        return time.monotonic() - pressed


class SoundServerTest(unittest.TestCase):
    def tearDown(self):
        if desk._service("pulseaudio") is None:
            desk.start_sound_server()

    def test_server_killed_while_ringing_then_back(self):
        copy = Copy(self, "2026-12-07 07:29:56")
        copy.arm("07:30:00")
        copy.wait_ring()
        desk.kill_sound_server()
        time.sleep(1)
        self.assertTrue(program.has_box(copy.app), "the box stays")
        self.assertTrue(copy.prog.is_running())

        self.assertLess(copy.dismiss(), 1.5, "the last play returns at once")

        desk.start_sound_server()
        recorder = desk.record(os.path.join(copy.folder, "heard.wav"))
        program.set_clock(copy.clock, program.epoch("2026-12-07 07:39:56"))
        copy.arm("07:40:00")
        copy.wait_ring()
        time.sleep(1.5)
        copy.dismiss()
        time.sleep(1.0)
        self.assertGreaterEqual(len(desktop.sound_segments(recorder.stop())), 2,
                                "the next ring is heard again")


class TrayHostTest(unittest.TestCase):
    def tearDown(self):
        if desk._service("trayer") is None:
            desk.start_tray()

    def test_icon_comes_back_and_restores_a_window_hidden_meanwhile(self):
        copy = Copy(self, "2026-12-07 07:00:00")
        desk.wait_tray_icon(count=1)
        desk.minimize(copy.wid)
        wait_until(lambda: copy.wid not in desk.windows(program.TITLE), 10, "the window to hide")

        desk.kill_tray()
        desk.start_tray()
        icon = desk.wait_tray_icon(count=1, timeout=15)[0]
        desk.click(icon.x + icon.w // 2, icon.y + icon.h // 2)
        wait_until(lambda: copy.wid in desk.windows(program.TITLE), 10, "the window to come back")

    def test_without_the_host_minimizing_only_minimizes(self):
        copy = Copy(self, "2026-12-07 07:00:00")
        desk.wait_tray_icon(count=1)
        desk.kill_tray()
        time.sleep(0.5)
        desk.minimize(copy.wid)
        wait_until(lambda: desk.window_state(copy.wid).wm == "Iconic", 10, "the window to be iconic")
        desk.start_tray()
        desk.wait_tray_icon(count=1, timeout=15)


class TwoCopiesTest(unittest.TestCase):
    def test_each_copy_has_its_own_icon_and_alarm(self):
        first = Copy(self, "2026-12-07 07:29:55")
        second = Copy(self, "2026-12-07 07:29:55")
        wait_until(lambda: len(desk.tray_icons()) == 2, 15, "an icon for each copy")
        first.arm("07:30:00")
        second.arm("07:31:00")
        first.wait_ring()
        time.sleep(1.5)
        self.assertFalse(program.has_box(second.app), "the second copy's alarm is not due")
        self.assertTrue(second.armed())
        program.set_clock(second.clock, program.epoch("2026-12-07 07:30:58"))
        second.wait_ring()
        self.assertTrue(program.has_box(first.app), "the first box is still open")


if __name__ == "__main__":
    unittest.main(verbosity=2)
