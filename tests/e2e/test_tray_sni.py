# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The icon on a StatusNotifierItem host (the D-Bus protocol most panels speak
today), here a standalone tray at the bottom of the screen."""
import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import program  # noqa: E402
from desktop import wait_until  # noqa: E402

WATCHER, HOST = "status-notifier-watcher", "gtk-sni-tray-standalone"
desk = program.SharedDesktop(tray=False, sound=False)
services = []


def setUpModule():
    if not (shutil.which(WATCHER) and shutil.which(HOST)):
        raise unittest.SkipTest(f"{WATCHER} or {HOST} is not installed")
    desk.start()
    log = open(os.path.join(desk.tmp, "sni.log"), "w")  # noqa: SIM115 (lives as long as the services)
    services.append(subprocess.Popen([WATCHER], env=desk.env, stdout=log, stderr=log))
    wait_until(lambda: registered_items() is not None, 10, "the StatusNotifierWatcher")
    services.append(subprocess.Popen([HOST, "--bottom"], env=desk.env, stdout=log, stderr=log))
    time.sleep(1)


def tearDownModule():
    for service in reversed(services):
        service.terminate()
        service.wait(5)
    desk.stop()


def registered_items():
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.kde.StatusNotifierWatcher",
         "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
         "string:org.kde.StatusNotifierWatcher", "string:RegisteredStatusNotifierItems"],
        env=desk.env, capture_output=True, text=True)
    if reply.returncode != 0:
        return None
    return [line.split('"')[1] for line in reply.stdout.splitlines() if line.strip().startswith("string")]


class StatusNotifierTest(unittest.TestCase):
    def setUp(self):
        self.prog, self.wid = program.start(desk)
        wait_until(lambda: registered_items(), 10, "the icon to register with the watcher")
        self.icon = (15, desk.height - 15)  # the first icon of the tray at the bottom
        wait_until(self.icon_drawn, 10, "the host to draw the icon")

    def icon_drawn(self):
        shot = desk.screenshot(os.path.join(desk.tmp, "tray.png"))
        x, y = self.icon
        red = program.count_colour(shot, (x - 12, y - 12, 24, 24), lambda r, g, b: r > 180 and g < 80 and b < 80)
        return red > 10

    def tearDown(self):
        program.finish(self, self.prog)
        wait_until(lambda: registered_items() == [], 10, "the icon to unregister")

    def hide(self):
        desk.minimize(self.wid)
        wait_until(lambda: self.wid not in desk.windows(program.TITLE), 10, "the window to hide")

    def shown(self):
        return self.wid in desk.windows(program.TITLE)

    def test_click_restores_a_hidden_window(self):
        self.hide()
        desk.click(*self.icon)
        wait_until(self.shown, 10, "the window to come back")

    def test_menu_from_the_host_restores_and_exits(self):
        self.hide()
        with desk.watch_keyboard_grab() as grab:
            desk.click(*self.icon, button=3)
            grab.wait(5, "the host's menu to take the keyboard")
        self.assertFalse(self.shown(), "a right click leaves the window hidden")
        desk.key("r")
        wait_until(self.shown, 10, "Restore to bring the window back")
        with desk.watch_keyboard_grab() as grab:
            desk.click(*self.icon, button=3)
            grab.wait(5, "the host's menu to take the keyboard")
        desk.key("e")
        self.assertEqual(self.prog.wait_exit(10), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
