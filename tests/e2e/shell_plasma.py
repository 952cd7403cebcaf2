# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""KDE Plasma 5.27 headless: kwin_wayland on a virtual output with XWayland,
kded5 (the StatusNotifierWatcher) and plasmashell, whose panel hosts the icon.

Window facts come from KWin scripts loaded through org.kde.kwin.Scripting; each
prints its answer, tagged, into KWin's log. plasmashell runs through XWayland,
so that xdotool's XTEST clicks reach its panel."""
import json
import os
import shutil
import socket
import subprocess

import Xlib.display
import Xlib.X
from gi.repository import Gio, GLib

import desktop
import shells
from desktop import wait_until

KWIN = "/usr/bin/kwin_wayland"
PACKAGES = (KWIN, "/usr/bin/kded5", "/usr/bin/plasmashell", "/usr/bin/Xwayland")


class PlasmaShell(shells.Shell):
    name = "plasma"
    wayland = True
    single_click = "restore"

    def _start_shell(self):
        missing = [p for p in PACKAGES if not os.path.exists(p)]
        if missing:
            raise shells.Unavailable(f"KDE Plasma is not installed: {missing}")
        self._queries = 0
        number, fds = self._reserve_x_display()
        # The installed binary carries a file capability that exec may refuse
        # in a container; a plain copy has none.
        kwin = shutil.copy(KWIN, os.path.join(self.tmp, "kwin_wayland"))
        wayland = "wayland-e2e"
        argv = [kwin, "--virtual", "--width", str(self.width), "--height", str(self.height),
                "--socket", wayland, "--xwayland", "--xwayland-display", f":{number}",
                "--no-lockscreen"]
        for fd in fds:
            argv += ["--xwayland-fd", str(fd.fileno())]
        env = {**self.env, "XDG_SESSION_TYPE": "wayland", "KDE_FULL_SESSION": "true",
               "XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5"}
        env.pop("DISPLAY", None)
        self._start_service("kwin", argv, env=env, pass_fds=[fd.fileno() for fd in fds])
        for fd in fds:
            fd.close()
        self.display = f":{number}"
        wait_until(self._x_answers, 30, "XWayland of KWin to answer")
        self._x = Xlib.display.Display(self.display)
        self._x.set_error_handler(lambda *args: None)
        self._root = self._x.screen().root
        self._bus = Gio.DBusConnection.new_for_address_sync(
            self.bus_address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self.export_to_session(DISPLAY=self.display, WAYLAND_DISPLAY=wayland,
                               XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="KDE",
                               KDE_FULL_SESSION="true", KDE_SESSION_VERSION="5")
        self._start_service("kded5", ["kded5"])
        self._start_service("plasmashell", ["plasmashell", "--no-respawn"],
                            env={**self.env, "QT_QPA_PLATFORM": "xcb"})
        wait_until(self._panel, 60, "plasmashell's panel", interval=0.2)

    # -- KWin scripts: each prints its answer into KWin's log, tagged

    def kwin(self, body):
        """Runs JavaScript in KWin; returns what it hands to report(value)."""
        self._queries += 1
        tag = f"E2E-{self._queries}"
        path = os.path.join(self.tmp, f"kwin-{self._queries}.js")
        with open(path, "w") as f:
            f.write(f"function report(v) {{ print({json.dumps(tag)} + ' ' + JSON.stringify(v)); }}\n"
                    f"{_KWIN_HELPERS}\n{body}\n")
        log = self._service("kwin")[2]
        start = os.path.getsize(log)
        script = self._call("/Scripting", "org.kde.kwin.Scripting", "loadScript",
                            GLib.Variant("(ss)", (path, tag)))[0]
        try:
            self._call(f"/{script}", "org.kde.kwin.Script", "run", None)

            def answer():
                self._check_alive("kwin")
                with open(log, "rb") as f:
                    f.seek(start)
                    for line in f.read().decode("utf-8", "replace").splitlines():
                        if line.startswith(f"js: {tag} "):
                            return [json.loads(line.split(" ", 2)[2])]
                return None
            return wait_until(answer, 10, f"KWin script {tag} to answer", interval=0.02)[0]
        finally:
            self._call("/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                       GLib.Variant("(s)", (tag,)))

    def _call(self, path, interface, method, args):
        return self._bus.call_sync("org.kde.KWin", path, interface, method, args, None,
                                   Gio.DBusCallFlags.NONE, 10000, None).unpack()

    # -- windows

    def shell_windows(self, pid):
        return [shells.ShellWindow(*w) for w in self.kwin(f"report(windows({int(pid)}));")]

    def _act(self, win, action):
        self.kwin(f"var c = byId({json.dumps(win.id)}); if (c) {{ {action}; }} report(!!c);")

    def minimize_window(self, win):
        self._act(win, "c.minimized = true")

    def activate_window(self, win):
        self._act(win, "workspace.activeClient = c")

    def close_window(self, win):
        self._act(win, "c.closeWindow()")

    def start_other_window(self):
        # An X client that takes the keyboard focus. It sets no _NET_WM_PID
        # (KWin reports pid 0): it is known by its title.
        other = self.start_program(["xcalc"])

        def calculator(focused=None):
            wins = [shells.ShellWindow(*w) for w in self.kwin(
                "report(workspace.clientList().filter(function (c) {"
                " return c.caption == 'Calculator'; }).map(facts));")]
            return next((w for w in wins if focused in (None, w.focused)), None)
        self.activate_window(wait_until(calculator, 30, "xcalc's window", interval=0.1))
        return other, wait_until(lambda: calculator(focused=True), 10, "xcalc to have the focus")

    # -- the icon, found in a picture of the panel by its red clock face

    def _panel(self):
        self._check_alive("plasmashell")
        panels = self.kwin("report(workspace.clientList().filter(function (c) {"
                           " return c.dock && c.resourceClass == 'plasmashell'; }).map(function (c) {"
                           " return [c.windowId, c.x, c.y, c.width, c.height]; }));")
        return panels[0] if panels else None

    def _icon_position(self):
        wid, x, y, w, h = self._panel()
        shot = os.path.join(self.tmp, "panel.png")
        subprocess.run(["import", "-window", str(wid), shot], env=self.env, check=True,
                       capture_output=True, timeout=20)
        # The tray sits at the right; the task manager's entries on the left
        # show the same icon.
        left = w // 2
        columns = _red_columns(shot, (left, 0, w - left, h))
        if len(columns) < 10:
            return None
        right = max(columns)
        near = [c for c in columns if c > right - 26]
        return x + left + sum(near) // len(near), y + h // 2

    def icon_shown(self):
        return self._icon_position() is not None

    def _icon(self):
        return wait_until(self._icon_position, 10, "the program's icon in the panel")

    def click_icon(self, double=False):
        x, y = self._icon()
        (self.double_click if double else self.click)(x, y)

    def open_icon_menu(self):
        before = self._popups()
        self.click(*self._icon(), button=3)
        wait_until(lambda: self._popups() - before, 5, "the icon's menu to show")

    def _popups(self):
        """Shown override-redirect windows: popup menus among them."""
        found = set()
        for top in self._root.query_tree().children:
            try:
                attributes = top.get_attributes()
            except Exception:
                continue
            if attributes.override_redirect and attributes.map_state == Xlib.X.IsViewable:
                found.add(top.id)
        return found

    def choose_menu_item(self, label):
        # The menu has the keyboard: an item's access key chooses it.
        self.key(label[0].lower())

    # -- XWayland's display, reserved here so that concurrent X servers keep off it

    def _reserve_x_display(self):
        for number in range(20, 200):
            lock = f"/tmp/.X{number}-lock"
            try:
                fd = os.open(lock, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o444)
            except FileExistsError:
                continue
            # The X servers' lock format: their pid, which here is the test's.
            os.write(fd, f"{os.getpid():10d}\n".encode())
            os.close(fd)
            path = f"/tmp/.X11-unix/X{number}"
            try:
                sockets = [self._listen(path), self._listen("\0" + path)]
            except OSError:
                os.unlink(lock)
                continue
            self._x_files = [lock, path]
            return number, sockets
        raise desktop.DesktopError("no free X display number")

    @staticmethod
    def _listen(address):
        sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        sock.bind(address)
        sock.listen(64)
        sock.set_inheritable(True)
        return sock

    def _x_answers(self):
        self._check_alive("kwin")
        return subprocess.run(["xdpyinfo"], env={**self.env, "DISPLAY": self.display},
                              capture_output=True).returncode == 0

    def __exit__(self, *exc):
        # KWin first: killing its XWayland under it makes it abort.
        kwin = self._service("kwin") if self._services else None
        if kwin is not None:
            try:
                self._close_x()
            except Exception:
                self._x = None
            desktop._stop_pid(kwin[1].pid, kwin[1], grace=10)
        try:
            return super().__exit__(*exc)
        finally:
            for path in getattr(self, "_x_files", []):
                try:
                    os.unlink(path)
                except FileNotFoundError:
                    pass


def _red_columns(png, rect):
    """The x (within rect) of each red pixel of the picture: the clock's face."""
    x, y, w, h = rect
    rgb = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8",
                          "rgb:-"], capture_output=True, check=True).stdout
    return [(i // 3) % w for i in range(0, len(rgb) - 2, 3)
            if rgb[i] > 180 and rgb[i + 1] < 80 and rgb[i + 2] < 80]


# Each window as (id, title, pid, minimized, focused, above, x11); KWin captions
# a second window of the same title "Title <2>" (and a left-to-right mark): the
# client's own title counts.
# An X client keeps its window id when it is hidden and shown again, where
# KWin manages it anew.
_KWIN_HELPERS = """
function facts(c) {
    return [String(c.windowId || c.internalId), c.caption.replace(/ <[0-9]+>\u200e?$/, ''), c.pid, c.minimized,
            c.active, c.keepAbove, !!c.windowId];
}
function windows(pid) {
    return workspace.clientList().filter(function (c) { return c.pid == pid; }).map(facts);
}
function byId(id) {
    return workspace.clientList().filter(function (c) { return String(c.windowId || c.internalId) == id; })[0];
}
"""
