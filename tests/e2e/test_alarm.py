# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Rings as a person hears and sees it: a faked clock, real keys, a real sound server."""
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
TONE_S = 0.4


class RingTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(dir=desk.tmp)
        program.beep_file(self.folder, TONE_S, 0.6)
        self.clock_file = os.path.join(self.folder, "clock")
        desktop.set_fake_time(self.clock_file, "2026-12-07 07:29:52")
        self.prog, self.wid = program.start(desk, cwd=self.folder,
                                            extra_env=program.fake_clock_env(self.clock_file))
        self.app = program.app_of(desk, self.prog)
        self.c = program.controls(desk, self.app)

    def tearDown(self):
        program.finish(self, self.prog)

    def ring_and_dismiss(self, hidden=False):
        recorder = desk.record(os.path.join(self.folder, "heard.wav"))
        program.arm_for(desk, self.wid, "07:30:00")
        wait_until(lambda: "enabled" in states(self.c["cancel"]), 5, "the alarm to be armed")
        self.assertEqual(desktop.text(self.c["picker"]), "07:30:00")
        if hidden:
            desk.minimize(self.wid)
            wait_until(lambda: not desk.windows(program.TITLE), 10, "the window to hide")
            user_focus = desk.input_focus()

        alert = program.wait_box(desk, self.app)
        rang_at = program.seconds_of_day(program.shown_time(self.c))
        self.assertEqual(alert.text, "The alarm clock is going off")
        self.assertEqual(desktop.name(alert.acc), "Alarm Clock")
        self.assertIn(rang_at, (program.seconds_of_day("07:30:01"), program.seconds_of_day("07:30:02")))
        self.assertIn("enabled", states(self.c["cancel"]), "still armed while ringing")

        time.sleep(2.6)  # the loop repeats; the time goes on ticking meanwhile
        self.assertGreater(program.seconds_of_day(program.shown_time(self.c)), rang_at + 1)
        if hidden:
            self.assertNotIn(self.wid, desk.windows(program.TITLE), "the ring does not show the window")

        boxes = [w for w in desk.windows(program.TITLE) if w != self.wid]
        self.assertEqual(len(boxes), 1, "one box")
        self.assertIn("_NET_WM_STATE_ABOVE", desk.window_state(boxes[0]).net, "above every window")
        program.dismiss_box(desk, alert)
        wait_until(lambda: "enabled" in states(self.c["set"]), 10, "the alarm to disarm")
        self.assertNotIn("enabled", states(self.c["cancel"]))
        self.assertIn("enabled", states(self.c["picker"]))
        dismissed = time.monotonic()
        if hidden:
            # The keyboard goes back to where the user had it, not to the hidden window.
            wait_until(lambda: desk.input_focus() == user_focus, 5, f"the keyboard back on {user_focus}")
        time.sleep(TONE_S + 1.0)  # the last play
        segments = desktop.sound_segments(recorder.stop())
        return segments, dismissed, boxes

    def check_heard(self, segments):
        tones = [b - a for a, b in segments]
        self.assertGreaterEqual(len(segments), 4, f"the loop repeats, then one last play: {segments}")
        for length in tones[:-1]:
            self.assertAlmostEqual(length, TONE_S, delta=0.12, msg=segments)
        # The last play is heard whole; a loop tone the OK cut short runs straight into it.
        self.assertGreaterEqual(tones[-1], TONE_S - 0.12, segments)
        self.assertLessEqual(tones[-1], 2 * TONE_S + 0.12, segments)
        gaps = [b[0] - a[1] for a, b in zip(segments, segments[1:-1])]
        for gap in gaps:
            self.assertAlmostEqual(gap, 0.6, delta=0.12, msg=f"one file's pause between repeats: {segments}")

    def test_rings_at_its_second_loops_and_plays_once_more(self):
        segments, _, _ = self.ring_and_dismiss()
        self.check_heard(segments)
        self.assertEqual(desk.windows(program.TITLE), [self.wid])
        with open(f"/proc/{self.prog.pid}/maps") as maps:
            self.assertIn("libSDL2_mixer", maps.read(), "loaded for the ring")

    def test_rings_while_hidden_in_the_tray(self):
        segments, _, _ = self.ring_and_dismiss(hidden=True)
        self.check_heard(segments)
        self.assertNotIn(self.wid, desk.windows(program.TITLE), "still hidden after the ring")
        self.assertTrue(self.prog.is_running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
