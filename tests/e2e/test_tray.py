# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The notification-area icon, driven by real pointer clicks on trayer's dock."""
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
import stress  # noqa: E402
from desktop import states, wait_until  # noqa: E402

desk = program.SharedDesktop(tray=True, sound=False)
setUpModule, tearDownModule = desk.start, desk.stop


def center(icon):
    return icon.x + icon.w // 2, icon.y + icon.h // 2


def red_pixels(icon):
    shot = desk.screenshot(os.path.join(desk.tmp, "tray.png"))
    return program.count_colour(shot, (icon.x, icon.y, icon.w, icon.h),
                                lambda r, g, b: r > 180 and g < 80 and b < 80)


def choose(menu, label):
    item = next(i for i in desktop.children(menu) if desktop.name(i) == label)
    desk.click(*desktop.center(item))


class TrayTest(unittest.TestCase):
    def setUp(self):
        # The program's window deactivations since its window was minimized
        # (Qt then names the window by its icon text, which is empty), heard
        # through all window events: Qt's bridge sends none to a listener of
        # "window:deactivate" alone.
        self.deactivations = desktop.EventWatch(
            "window:", lambda e: e.type == "window:deactivate" and not e.any_data
            and e.host_application.get_process_id() == self.prog.pid)
        self.addCleanup(self.deactivations.close)
        self.prog, self.wid = program.start(desk)
        # trayer lays a docked icon out anew after docking it: click only an
        # icon that is drawn where it was found.
        self.icon = wait_until(self.settled_icon, 10, "the icon to be drawn in the tray")

    def settled_icon(self):
        icons = desk.wait_tray_icon(count=1, timeout=10)
        return icons[0] if red_pixels(icons[0]) > 10 and desk.tray_icons() == icons else None

    def tearDown(self):
        program.finish(self, self.prog)
        wait_until(lambda: not desk.tray_icons(), 10, "the icon to leave the tray")

    def shown(self):
        return desk.windows(program.TITLE)

    def minimize_into_tray(self):
        desk.activate(self.wid)
        self.deactivations.seen.clear()
        desk.minimize(self.wid)
        # openbox can sit on a request it has read until fresh X activity wakes it.
        wait_until(lambda: self.wid not in self.shown(), 10, "the window to leave the screen",
                   on_poll=desk._nudge_now_and_then)
        # Withdrawn, not iconic: gone from the taskbar too.
        wait_until(lambda: desk.window_state(self.wid).wm == "Withdrawn", 5, "the window to be withdrawn")
        # Qt tells of the window hiding at once, and of the program going
        # inactive once the focus has not come back for a moment. Going
        # inactive closes the program's menus, one opened in between too.
        self.deactivations.wait(5)
        self.deactivations.wait(5)

    def test_icon_docks_with_the_program_icon(self):
        self.assertGreaterEqual(self.icon.w, 16)
        self.assertGreater(red_pixels(self.icon), 10, "the red clock is drawn in the tray")

    def test_minimize_hides_and_a_click_restores(self):
        self.minimize_into_tray()
        desk.click(*center(self.icon))
        wait_until(self.shown, 10, "the window to come back")
        self.assertEqual(desk.window_state(self.wid).wm, "Normal")
        wait_until(lambda: desk.active_window() == self.wid, 5, "the window in the foreground")

    def test_double_click_gives_one_restored_window(self):
        self.minimize_into_tray()
        desk.double_click(*center(self.icon))
        wait_until(self.shown, 10, "the window to come back")
        time.sleep(0.5)
        self.assertEqual(self.shown(), [self.wid])
        self.assertEqual(desk.window_state(self.wid).wm, "Normal")

    def test_right_click_opens_the_menu_and_restore_works(self):
        self.minimize_into_tray()
        with desk.watch_popup_menus() as menus:
            x, y = center(self.icon)
            desk.click(x, y, button=3)
            menu = menus.wait(5)
        items = [desktop.name(i) for i in desktop.children(menu)]
        self.assertEqual(items, ["Restore", "Exit"])
        mx, my, _, _ = program.extents(menu)
        # At the pointer; a menu that would leave the screen is moved up onto it.
        self.assertEqual(mx, min(x, desk.width - program.extents(menu)[2]))
        self.assertLessEqual(my, y)
        self.assertFalse(self.shown(), "a hidden window stays hidden")
        choose(menu, "Restore")
        wait_until(self.shown, 10, "Restore to bring the window back")
        wait_until(lambda: desk.active_window() == self.wid, 5, "the window in the foreground")

    def test_right_click_on_a_shown_window_leaves_it_shown(self):
        with desk.watch_popup_menus() as menus:
            desk.click(*center(self.icon), button=3)
            menus.wait(5)
        desk.key("Escape")
        time.sleep(0.3)
        self.assertEqual(self.shown(), [self.wid])
        self.assertTrue(self.prog.is_running())

    def test_exit_from_the_menu_while_armed_never_rings(self):
        app = program.app_of(desk, self.prog)
        c = program.controls(desk, app)
        program.wait_past_start(c)
        desk.activate(self.wid)
        desk.key("alt+s")
        wait_until(lambda: "enabled" in states(c["cancel"]), 5, "the alarm to be armed")
        self.minimize_into_tray()
        with desk.watch_popup_menus() as menus:
            desk.click(*center(self.icon), button=3)
            menu = menus.wait(5)
        choose(menu, "Exit")
        self.assertEqual(self.prog.wait_exit(10), 0)
        wait_until(lambda: not desk.tray_icons(), 10, "the icon to go with the program")

    def test_closing_the_window_removes_the_icon(self):
        desk.close_window(self.wid)
        self.assertEqual(self.prog.wait_exit(10), 0)
        self.assertEqual(desk.tray_icons(), [])

    def test_exit_button_leaves_no_icon_behind(self):
        desk.activate(self.wid)
        desk.key("alt+x")
        self.assertEqual(self.prog.wait_exit(10), 0)
        wait_until(lambda: not desk.tray_icons(), 10, "the icon to go with the program")

    def test_box_and_menu_closing_with_the_window_hidden_keep_it_running(self):
        self.minimize_into_tray()
        with desk.watch_popup_menus() as menus:
            desk.click(*center(self.icon), button=3)
            menus.wait(5)
        desk.key("Escape")
        time.sleep(0.5)
        self.assertTrue(self.prog.is_running())
        desk.click(*center(self.icon))
        wait_until(self.shown, 10, "the window to come back")


load_tests = stress.load_tests_of(TrayTest, ["test_minimize_hides_and_a_click_restores",
                                            "test_double_click_gives_one_restored_window",
                                            "test_right_click_opens_the_menu_and_restore_works",
                                            "test_box_and_menu_closing_with_the_window_hidden_keep_it_running"])

if __name__ == "__main__":
    unittest.main(verbosity=2)
