# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window as a person meets it: started, read, typed at and closed."""
import os
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402

desk = program.SharedDesktop(tray=True, sound=False)
setUpModule, tearDownModule = desk.start, desk.stop


class WindowTest(unittest.TestCase):
    def setUp(self):
        self.prog, self.wid = program.start(desk)
        self.app = program.app_of(desk, self.prog)
        self.c = program.controls(desk, self.app)

    def tearDown(self):
        program.finish(self, self.prog)

    def test_starts_disarmed_showing_the_time(self):
        self.assertEqual(desk.title(self.wid), "Alarm Clock")
        self.assertIn("enabled", states(self.c["set"]))
        self.assertNotIn("enabled", states(self.c["cancel"]))
        self.assertIn("enabled", states(self.c["exit"]))
        self.assertIn("enabled", states(self.c["picker"]))
        shown = program.seconds_of_day(program.shown_time(self.c))
        self.assertLessEqual(abs(program.now_seconds_of_day() - shown) % 86399, 2)
        picked = program.seconds_of_day(desktop.text(self.c["picker"]))
        self.assertLessEqual(abs(program.now_seconds_of_day() - picked) % 86399, 10)
        self.assertTrue(any("focused" in states(a) for a in desktop.walk(self.c["picker"])),
                        "the picker has the focus at start")

    def test_sound_libraries_wait_for_the_first_ring(self):
        with open(f"/proc/{self.prog.pid}/maps") as maps:
            self.assertNotIn("libSDL2", maps.read())

    def test_window_has_a_fixed_size(self):
        hints = desk._window(self.wid).get_wm_normal_hints()
        self.assertEqual((hints.min_width, hints.min_height), (hints.max_width, hints.max_height))
        self.assertGreaterEqual(hints.min_width, 281)
        self.assertGreaterEqual(hints.min_height, 107)

    def test_a_second_drawn_on_its_tick_looks_as_a_window_drawn_whole(self):
        """Each tick draws only the changed digits, straight into the window:
        a copy ticked from :45 to :46 must show what a copy started at :46,
        drawn whole, shows. Both clocks stand still (libfaketime)."""
        folder = tempfile.mkdtemp(dir=desk.tmp)
        labels = []
        for name, times in (("ticked", ("06:12:45", "06:12:46")), ("whole", ("06:12:46",))):
            clock = os.path.join(folder, name)
            desktop.set_fake_time(clock, f"2026-12-07 {times[0]}", stand_still=True)
            prog, wid = program.start(desk, extra_env=program.fake_clock_env(clock))
            self.addCleanup(prog.stop)
            found = program.controls(desk, program.app_of(desk, prog))
            for at in times:
                desktop.set_fake_time(clock, f"2026-12-07 {at}", stand_still=True)
                wait_until(lambda: program.shown_time(found) == at, 5, f"{name} to show {at}")
            desk._run(["xdotool", "windowmove", "--sync", str(wid), str(400 * len(labels)), "0"])
            labels.append(found["time"])
        time.sleep(0.3)  # a tick after the move, drawing nothing new
        shot = desk.screenshot(os.path.join(folder, "both.png"))
        crops = [program.pixels(shot, program.extents(label)) for label in labels]
        self.assertGreater(len(set(crops[1])), 2, "the label's text is in the picture")
        self.assertTrue(crops[0] == crops[1], "the ticked label differs from the one drawn whole")

    def test_time_follows_the_real_clock_every_second(self):
        seen = []
        deadline = time.monotonic() + 5.5
        while time.monotonic() < deadline:
            shown = program.shown_time(self.c)
            now = program.now_seconds_of_day()
            if not seen or seen[-1] != shown:
                seen.append(shown)
                # Never behind by more than the moment it takes to read it.
                self.assertIn((now - program.seconds_of_day(shown)) % 86400, (0, 1), seen)
            time.sleep(0.05)
        steps = [(program.seconds_of_day(b) - program.seconds_of_day(a)) % 86400
                 for a, b in zip(seen, seen[1:])]
        self.assertGreaterEqual(len(steps), 4, seen)
        self.assertEqual(set(steps), {1}, seen)

    def test_set_and_cancel_from_the_keyboard(self):
        program.wait_past_start(self.c)
        desk.activate(self.wid)
        desk.key("alt+s")
        desktop.wait_until(lambda: "enabled" in states(self.c["cancel"]), 5, "Cancel enabled")
        self.assertNotIn("enabled", states(self.c["set"]))
        self.assertNotIn("enabled", states(self.c["picker"]))
        program.wait_focused(self.c["cancel"], "Cancel")
        desk.key("space")
        desktop.wait_until(lambda: "enabled" in states(self.c["set"]), 5, "Set enabled")
        self.assertNotIn("enabled", states(self.c["cancel"]))
        desk.key("Return", "Escape")  # no button answers these
        time.sleep(0.3)
        self.assertIn("enabled", states(self.c["set"]))
        self.assertTrue(self.prog.is_running())

    def test_alt_x_ends_the_program(self):
        desk.activate(self.wid)
        desk.key("alt+x")
        self.assertEqual(self.prog.wait_exit(10), 0)
        desk.wait_window_gone(program.TITLE, 10)

    def test_close_box_ends_the_program(self):
        desk.close_window(self.wid)
        self.assertEqual(self.prog.wait_exit(10), 0)
        desk.wait_window_gone(program.TITLE, 10)


if __name__ == "__main__":
    unittest.main(verbosity=2)
