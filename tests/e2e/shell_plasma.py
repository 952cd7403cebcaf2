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
import time

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
        env = {**self.env, "QT_LOGGING_RULES": "kwin_scripting=true",
               "XDG_SESSION_TYPE": "wayland", "KDE_FULL_SESSION": "true",
               "XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5"}
        env.pop("DISPLAY", None)
        self._start_service("kwin", argv, env=env, pass_fds=[fd.fileno() for fd in fds])
        for fd in fds:
            fd.close()
        self.display = f":{number}"
        wait_until(self._x_answers, 30, "XWayland of KWin to answer")
        self.export_to_session(DISPLAY=self.display, WAYLAND_DISPLAY=wayland,
                               XDG_SESSION_TYPE="wayland", XDG_CURRENT_DESKTOP="KDE",
                               KDE_FULL_SESSION="true", KDE_SESSION_VERSION="5")
        self._start_service("kded5", ["kded5"])
        self._start_service("plasmashell", ["plasmashell", "--no-respawn"],
                            env={**self.env, "QT_QPA_PLATFORM": "xcb"})

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
        try:
            return super().__exit__(*exc)
        finally:
            for path in getattr(self, "_x_files", []):
                try:
                    os.unlink(path)
                except FileNotFoundError:
                    pass
