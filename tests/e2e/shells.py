# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktops people run, started headless and private to a test:

    with shells.by_name("gnome")() as shell:
        prog = shell.start_program([BINARY])
        win = shell.wait_shell_window(prog.pid)

Each desktop is a Shell: a Desktop (private XDG folders, session bus, AT-SPI
bus, cleanup by PID) whose window manager, notification area and sound server
are the real desktop's. A backend (shell_gnome.py, shell_plasma.py,
shell_xfce.py) fills in how its shell is started, how its windows are read back
(GNOME's Eval, KWin scripts, EWMH) and how its icon is clicked with real input.
The program is started as it starts by default: no QT_QPA_PLATFORM.
"""
import os
import subprocess
from collections import namedtuple

import desktop
from desktop import wait_until

# A top-level window as the shell sees it. id is whatever the backend needs to
# act on it again; x11 tells whether it is an X client (through XWayland).
ShellWindow = namedtuple("ShellWindow", "id title pid minimized focused above x11")


class Unavailable(RuntimeError):
    """The desktop's programs are not installed here: its tests are skipped."""


class Shell(desktop.Desktop):
    name = ""
    has_tray = True
    # What a single left click on the icon does on this desktop's notification
    # area: "restore", or "menu" where the host opens the menu instead.
    single_click = "restore"
    wayland = False

    def __init__(self, sound="pipewire", size="1280x800"):
        super().__init__(tray=False, sound=False, accessibility=True, size=size)
        self.sound_server = sound

    # -- what a backend provides

    def _start_shell(self):
        raise NotImplementedError

    def shell_windows(self, pid):
        """ShellWindow of each top-level window of the process that the shell
        manages and shows (a minimized one included, a hidden one not)."""
        raise NotImplementedError

    def minimize_window(self, win):
        """Minimizes as the window's own title-bar button would."""
        raise NotImplementedError

    def activate_window(self, win):
        """Gives the window the focus, as a click on its taskbar entry would."""
        raise NotImplementedError

    def close_window(self, win):
        """Closes the window as its close box would."""
        raise NotImplementedError

    def click_icon(self, double=False):
        """A real left click (or double click) on the program's icon."""
        raise NotImplementedError

    def open_icon_menu(self):
        """A real right click on the program's icon; returns once the menu shows."""
        raise NotImplementedError

    def choose_menu_item(self, label):
        """Chooses "Restore" or "Exit" in the icon's open menu with real input."""
        raise NotImplementedError

    def icon_shown(self):
        """Whether the notification area shows an icon titled "Alarm Clock"."""
        raise NotImplementedError

    def start_other_window(self):
        """Starts another program with a window and gives it the focus;
        returns (Program, its ShellWindow)."""
        raise NotImplementedError

    # -- shared

    def _start(self):
        self._prepare_environment()
        self._base_env.pop("QT_QPA_PLATFORM", None)
        self._start_session_bus()
        self._bind_test_process()
        self._start_accessibility_bus()
        self._start_shell()
        if self.sound_server == "pipewire":
            self.start_pipewire()
        elif self.sound_server == "pulse":
            self.start_sound_server()

    def _start_session_bus(self):
        # A bus of its own without DISPLAY: the shell brings its own.
        self.bus_address = self._start_reporting(
            "dbus", ["dbus-daemon", "--session", "--nofork", "--print-address={fd}",
                     "--address=unix:path=" + os.path.join(self.tmp, "session-bus")],
            env=self._base_env)

    def _start_accessibility_bus(self):
        self._start_service("at-spi", [desktop.AT_SPI_LAUNCHER, "--launch-immediately"])

        def answers():
            return subprocess.run(
                ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                 "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                env=self.env, capture_output=True).returncode == 0
        wait_until(answers, 10, "the accessibility bus")

    def _bind_test_process(self):
        # No display yet: the shell brings its own (export_to_session).
        self._saved_environ = dict(os.environ)
        for var in ("AT_SPI_BUS_ADDRESS", "DISPLAY"):
            os.environ.pop(var, None)
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=self.bus_address,
                          XDG_RUNTIME_DIR=self.runtime_dir)

    def export_to_session(self, **variables):
        """Sets variables for the program and for D-Bus-activated services."""
        self._base_env.update(variables)
        if self.accessibility:
            os.environ.update(variables)
        subprocess.run(["dbus-update-activation-environment", *variables], env=self.env,
                       capture_output=True, check=True)

    @property
    def env(self):
        env = dict(self._base_env)
        if getattr(self, "bus_address", None):  # not yet while the bus starts
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return env

    def wait_shell_window(self, pid, timeout=30, title="Alarm Clock", **state):
        """The process's window titled title, once the shell shows it in the
        given state (minimized=True, focused=True, ...)."""
        def found():
            for win in self.shell_windows(pid):
                if win.title == title and all(getattr(win, k) == v for k, v in state.items()):
                    return win
            return None
        what = f"{title!r} of pid {pid}" + (f" with {state}" if state else "")
        return wait_until(found, timeout, what, interval=0.1)

    def wait_no_shell_window(self, pid, timeout=10, title="Alarm Clock"):
        wait_until(lambda: not [w for w in self.shell_windows(pid) if w.title == title],
                   timeout, f"no window {title!r} of pid {pid} shown", interval=0.1)


def by_name(name):
    """The Shell class of a desktop: gnome, gnome-notray, plasma, xfce."""
    if name.startswith("gnome"):
        import shell_gnome
        return shell_gnome.GnomeShell if name == "gnome" else shell_gnome.GnomeShellWithoutTray
    if name == "plasma":
        import shell_plasma
        return shell_plasma.PlasmaShell
    if name == "xfce":
        import shell_xfce
        return shell_xfce.XfceShell
    raise ValueError(f"no such desktop: {name}")
