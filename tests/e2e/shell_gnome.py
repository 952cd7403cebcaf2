# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""GNOME Shell 43, headless on Wayland with XWayland, for test_desktops.py.

Everything is read back from the shell and driven inside it through
org.gnome.Shell.Eval, with the helpers of the tests' own extension
(shell_gnome_extension.js): its windows (MetaWindow), the AppIndicator
extension's icon in the top bar, and real pointer input through a Clutter
virtual pointer. Keys go to the focused X client through XWayland's XTEST.
"""
import glob
import json
import os
import shutil
import subprocess

from gi.repository import Gio, GLib

import desktop
import shells
from desktop import wait_until

APPINDICATOR = "ubuntu-appindicators@ubuntu.com"
HELPER = "e2e-helpers@alarm-clock"
HELPER_SOURCE = os.path.join(os.path.dirname(__file__), "shell_gnome_extension.js")


class GnomeShell(shells.Shell):
    name = "gnome"
    wayland = True
    # The AppIndicator extension opens the menu on a single click (of an item
    # that has one) and asks the program to activate on a double click.
    single_click = "menu"
    extensions = (APPINDICATOR, HELPER)

    def _start_shell(self):
        self._require_programs()
        self._base_env["HOME"] = self._mkdir("home")
        self._base_env["GSETTINGS_BACKEND"] = "keyfile"  # settings in XDG_CONFIG_HOME
        self._install_helper()
        subprocess.run(["gsettings", "set", "org.gnome.shell", "enabled-extensions",
                        str(list(self.extensions))], env=self.env, check=True)
        # The shell dies without a system bus to connect to; an empty private
        # one (no logind on it) is enough for it.
        system_bus = self._start_reporting(
            "system-bus", ["dbus-daemon", "--session", "--nofork", "--print-address={fd}",
                           "--address=unix:path=" + os.path.join(self.tmp, "system-bus")],
            env=self._base_env)
        self._shell = self._start_service("gnome-shell", [
            "gnome-shell", "--headless", "--wayland", "--virtual-monitor", self.size,
            "--wayland-display", "wayland-e2e", "--sm-disable"],
            env={**self.env, "XDG_SESSION_TYPE": "wayland", "DBUS_SYSTEM_BUS_ADDRESS": system_bus})
        self._bus = Gio.DBusConnection.new_for_address_sync(
            self.bus_address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

        def started():
            self._check_alive("gnome-shell")
            try:
                return self.eval("e2e.ready()")
            except (GLib.Error, desktop.DesktopError):
                return None  # not up yet, or our extension not enabled yet
        # Mutter takes the first free X display: ask the shell which one.
        self.display = wait_until(started, 60, "GNOME Shell to start up", interval=0.1)
        auth = glob.glob(os.path.join(self.runtime_dir, ".mutter-Xwaylandauth.*"))
        self.export_to_session(DISPLAY=self.display, XAUTHORITY=auth[0],
                               WAYLAND_DISPLAY="wayland-e2e")

    def _require_programs(self):
        missing = [p for p in ("gnome-shell", "Xwayland", "gsettings") if not shutil.which(p)]
        if APPINDICATOR in self.extensions and not glob.glob(
                f"/usr/share/gnome-shell/extensions/{APPINDICATOR}/extension.js"):
            missing.append("gnome-shell-extension-appindicator")
        if missing:
            raise shells.Unavailable("GNOME Shell needs " + ", ".join(missing))

    def _install_helper(self):
        folder = os.path.join(self._base_env["XDG_DATA_HOME"], "gnome-shell", "extensions", HELPER)
        os.makedirs(folder)
        shutil.copy(HELPER_SOURCE, os.path.join(folder, "extension.js"))
        with open(os.path.join(folder, "metadata.json"), "w") as f:
            json.dump({"uuid": HELPER, "name": "Test helpers", "shell-version": ["43"],
                       "description": "Eval and input helpers for the tests"}, f)

    def eval(self, code):
        """The value of JavaScript code evaluated inside the shell."""
        ok, result = self._bus.call_sync(
            "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
            GLib.Variant("(s)", (code,)), GLib.VariantType("(bs)"),
            Gio.DBusCallFlags.NONE, 10000, None).unpack()
        if not ok:
            raise desktop.DesktopError(f"Eval of {code!r} failed: {result}")
        return json.loads(result) if result else None

    def __exit__(self, *exc):
        # The shell first: killing XWayland under it makes it abort.
        if getattr(self, "_shell", None) is not None:
            desktop._stop_pid(self._shell.pid, self._shell, grace=10)
        return super().__exit__(*exc)

    # -- windows

    def shell_windows(self, pid):
        return [shells.ShellWindow(*facts) for facts in self.eval(f"e2e.windows({int(pid)})")]

    def minimize_window(self, win):
        self.eval(f"e2e.minimize({win.id})")

    def activate_window(self, win):
        self.eval(f"e2e.activate({win.id})")

    def close_window(self, win):
        self.eval(f"e2e.close({win.id})")

    def start_other_window(self):
        # An X client that takes the keyboard focus (xclock would not).
        other = self.start_program(["xcalc"])
        win = self.wait_shell_window(other.pid, title="Calculator")
        self.activate_window(win)
        return other, self.wait_shell_window(other.pid, title="Calculator", focused=True)

    # -- the icon

    def icon_shown(self):
        return self.eval("e2e.iconShown()")

    def click_icon(self, double=False):
        if not self.eval(f"e2e.clickIcon(1, {2 if double else 1})"):
            raise desktop.DesktopError("no icon of the program to click")

    def open_icon_menu(self):
        if not self.eval("e2e.clickIcon(3, 1)"):
            raise desktop.DesktopError("no icon of the program to click")
        wait_until(lambda: self.eval("e2e.menuShown()"), 5, "the icon's menu to show")

    def choose_menu_item(self, label):
        wait_until(lambda: self.eval(f"e2e.chooseMenuItem({json.dumps(label)})"), 5,
                   f"the menu item {label!r} to click")


class GnomeShellWithoutTray(GnomeShell):
    """The same shell as it comes: no AppIndicator extension, so no
    notification area at all."""
    name = "gnome-notray"
    has_tray = False
    extensions = (HELPER,)
