# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The alarm under a clock that misbehaves: set forward or back, daylight-saving
changes, and a process stopped across its moment."""
import os
import signal
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402
from program import epoch, set_clock  # noqa: E402

desk = program.SharedDesktop(tray=True, sound=False)
setUpModule, tearDownModule = desk.start, desk.stop


class ClockFaultTest(unittest.TestCase):
    zone = "UTC"

    def start(self, when, fold=0):
        folder = tempfile.mkdtemp(dir=desk.tmp)
        self.clock = os.path.join(folder, "clock")
        set_clock(self.clock, epoch(when, self.zone, fold))
        self.started = time.monotonic()
        env = dict(program.fake_clock_env(self.clock), TZ=self.zone)
        self.prog, self.wid = program.start(desk, cwd=folder, extra_env=env)
        self.app = program.app_of(desk, self.prog)
        self.c = program.controls(desk, self.app)

    def tearDown(self):
        program.finish(self, self.prog)

    def arm(self, hhmmss):
        program.arm_for(desk, self.wid, hhmmss)
        wait_until(lambda: "enabled" in states(self.c["cancel"]), 5, "the alarm to be armed")

    def move_clock(self, when, fold=0):
        set_clock(self.clock, epoch(when, self.zone, fold))

    def wait_ring(self, timeout=10):
        """Waits for the box and returns the time shown when it appeared."""
        wait_until(lambda: program.has_box(self.app), timeout, "the ringing box", interval=0.05)
        return program.shown_time(self.c)

    def dismiss(self):
        program.dismiss_box(desk, program.wait_box(desk, self.app))
        wait_until(lambda: "enabled" in states(self.c["set"]), 5, "the alarm to disarm")

    def assert_no_ring_for(self, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.assertFalse(program.has_box(self.app), "no ring expected now")
            time.sleep(0.2)


class JumpTest(ClockFaultTest):
    def test_jump_forward_past_the_moment_rings_once_at_the_next_check(self):
        self.start("2026-12-07 06:00:00")
        self.arm("07:00:00")
        self.assert_no_ring_for(1.5)
        self.move_clock("2026-12-07 07:10:00")
        moved = time.monotonic()
        self.assertIn(self.wait_ring(), ("07:10:00", "07:10:01", "07:10:02"))
        self.assertLess(time.monotonic() - moved, 2.5)
        self.dismiss()
        self.assert_no_ring_for(2.5)

    def test_jump_back_an_hour_rings_at_the_moment_and_once(self):
        self.start("2026-12-07 06:59:50")
        self.arm("07:00:00")
        self.move_clock("2026-12-07 05:59:55")
        self.assert_no_ring_for(11)  # past 07:00 as the clock was before the jump
        self.move_clock("2026-12-07 06:59:57")
        self.assertIn(self.wait_ring(), ("07:00:01", "07:00:02"))
        self.dismiss()
        self.assert_no_ring_for(2)

    def test_stopped_across_the_moment_rings_once_when_continued(self):
        self.start("2026-12-07 06:59:57")
        self.arm("07:00:00")
        os.kill(self.prog.pid, signal.SIGSTOP)
        try:
            time.sleep(62)  # as a laptop asleep over the alarm
        finally:
            os.kill(self.prog.pid, signal.SIGCONT)
        continued = time.monotonic()
        self.wait_ring(timeout=5)
        self.assertLess(time.monotonic() - continued, 2.0, "rings at once")
        # Within a second the time shown is the present one, not a stale or replayed one.
        expected = program.seconds_of_day("06:59:57") + round(time.monotonic() - self.started)
        wait_until(lambda: abs(program.seconds_of_day(program.shown_time(self.c)) - expected) <= 1, 1.5,
                   "the shown time to catch up")
        time.sleep(1.5)
        self.assertEqual(program.box_count(self.app), 1, "no burst of queued checks")
        self.dismiss()
        self.assert_no_ring_for(1.5)


class SpringChangeTest(ClockFaultTest):
    zone = "Europe/Berlin"  # on 29 March 2026 the clock goes from 02:00 to 03:00

    def test_alarm_in_the_skipped_hour_rings_once_when_the_gap_ends(self):
        self.start("2026-03-29 01:59:52")
        self.arm("02:30:00")
        # The clock shows 01:59:59, then 03:00:00: the first check after the gap rings.
        self.assertIn(self.wait_ring(timeout=15), ("03:00:00", "03:00:01"))
        self.dismiss()
        self.assert_no_ring_for(2)


class AutumnChangeTest(ClockFaultTest):
    zone = "Europe/Berlin"  # on 25 October 2026 02:00-02:59 comes twice

    def test_alarm_in_the_repeated_hour_rings_once_at_its_first_pass(self):
        self.start("2026-10-25 02:29:52", fold=0)
        armed = time.monotonic()
        self.arm("02:30:00")
        self.assertIn(self.wait_ring(timeout=15), ("02:30:01", "02:30:02"))
        self.assertLess(time.monotonic() - armed, 15, "at the first pass, not an hour later")
        self.dismiss()
        self.move_clock("2026-10-25 02:29:57", fold=1)  # the second pass
        self.assert_no_ring_for(6)


if __name__ == "__main__":
    unittest.main(verbosity=2)
