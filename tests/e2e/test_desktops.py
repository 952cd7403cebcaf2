# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program on a real desktop (ALARM_CLOCK_DESKTOP: gnome, gnome-notray,
plasma or xfce), started as it starts by default, driven with real input and
read back from the shell and through AT-SPI. The same cases run on each."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
import shells  # noqa: E402
import stress  # noqa: E402
from desktop import states, wait_until  # noqa: E402

DESKTOP = os.environ.get("ALARM_CLOCK_DESKTOP", "xfce")
shell = None


def setUpModule():
    global shell
    try:
        shell = shells.by_name(DESKTOP)().__enter__()
    except shells.Unavailable as missing:
        raise unittest.SkipTest(str(missing))


def tearDownModule():
    if shell is not None:
        shell.__exit__(None, None, None)


class DesktopTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(dir=shell.tmp)
        self.env = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
        self.prog = None

    def tearDown(self):
        if self.prog is not None:
            program.finish(self, self.prog)
            wait_until(lambda: not shell.has_tray or not shell.icon_shown(), 15,
                       "the icon to go with the program")

    def start(self, extra_env=None):
        self.prog = shell.start_program([program.BINARY], cwd=self.folder,
                                        extra_env={**self.env, **(extra_env or {})})
        self.win = shell.wait_shell_window(self.prog.pid)
        if shell.has_tray:
            wait_until(shell.icon_shown, 20, "the icon in the notification area")
        return self.win

    def need_tray(self):
        if not shell.has_tray:
            self.skipTest(f"{shell.name} has no notification area")

    def hide(self):
        shell.minimize_window(self.win)
        shell.wait_no_shell_window(self.prog.pid)

    def wait_restored(self):
        return shell.wait_shell_window(self.prog.pid, minimized=False, focused=True)

    def test_window_is_shown_and_focused_at_start(self):
        win = self.start()
        self.assertEqual(self.wait_restored().id, win.id)
        if shell.wayland:
            self.assertTrue(win.x11, "runs through XWayland under a Wayland session")

    def test_minimizing_hides_into_the_tray_or_only_minimizes(self):
        self.start()
        shell.minimize_window(self.win)
        if shell.has_tray:
            shell.wait_no_shell_window(self.prog.pid)
            self.assertTrue(shell.icon_shown(), "the icon stays")
        else:
            # Nothing could bring a hidden window back: it stays minimized, and
            # the desktop's own switcher restores it.
            shell.wait_shell_window(self.prog.pid, minimized=True)
            shell.activate_window(self.win)
            self.wait_restored()

    def test_icon_brings_the_window_back_focused(self):
        self.need_tray()
        self.start()
        clicks = [False, True] if shell.single_click == "restore" else [True]
        for double in clicks:
            with self.subTest(double=double):
                self.hide()
                shell.click_icon(double=double)
                self.wait_restored()

    def test_menu_restores_then_exits(self):
        self.need_tray()
        self.start()
        self.hide()
        shell.open_icon_menu()
        shell.choose_menu_item("Restore")
        self.wait_restored()
        shell.open_icon_menu()
        shell.choose_menu_item("Exit")
        self.assertEqual(self.prog.wait_exit(10), 0)
        wait_until(lambda: not shell.icon_shown(), 15, "no icon left behind")

    def test_closing_the_window_leaves_no_icon(self):
        self.start()
        shell.close_window(self.win)
        self.assertEqual(self.prog.wait_exit(10), 0)
        if shell.has_tray:
            wait_until(lambda: not shell.icon_shown(), 15, "no icon left behind")

    def test_exit_button_leaves_no_icon(self):
        self.start()
        shell.activate_window(self.win)
        self.wait_restored()
        shell.key("alt+x")
        self.assertEqual(self.prog.wait_exit(10), 0)
        if shell.has_tray:
            wait_until(lambda: not shell.icon_shown(), 15, "no icon left behind")

    def test_ringing_box_comes_above_another_focused_window_and_is_heard(self):
        program.beep_file(self.folder)
        clock = os.path.join(self.folder, "clock")
        desktop.set_fake_time(clock, "2026-12-07 07:29:55")
        self.start(program.fake_clock_env(clock))
        app = program.app_of(shell, self.prog)
        c = program.controls(shell, app)
        shell.activate_window(self.win)
        self.wait_restored()
        shell.key("Home", "shift+Right", "shift+Right")
        shell.type_text("073000")
        shell.key("alt+s")
        wait_until(lambda: "enabled" in states(c["cancel"]), 5, "the alarm to be armed")
        other, other_win = shell.start_other_window()
        recorder = shell.record(os.path.join(shell.tmp, f"ring-{self.prog.pid}.wav"))

        box = shell.wait_shell_window(self.prog.pid, title=program.TITLE, focused=True,
                                      timeout=20, minimized=False)
        self.assertNotEqual(box.id, self.win.id, "the box, not the main window, has the focus")
        self.assertTrue(box.above, "the box stays above other windows")
        alert = program.wait_box(shell, app)
        self.assertEqual(alert.text, "The alarm clock is going off")
        program.dismiss_box(shell, alert)
        wait_until(lambda: "enabled" in states(c["set"]), 10, "the alarm to disarm")
        heard = desktop.sound_segments(recorder.stop())
        self.assertTrue(heard, "the bell was heard through the sound server")
        other.stop()


load_tests = stress.load_tests_of(DesktopTest, ["test_icon_brings_the_window_back_focused",
                                               "test_menu_restores_then_exits"])

if __name__ == "__main__":
    unittest.main(verbosity=2)
