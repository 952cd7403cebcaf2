# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Wine's shell desktop on a private X display, for end-to-end tests of the
Windows program:

    with WineDesktop(probe_exe) as desk:
        prog = desk.start_program(exe, folder)
        main = desk.wait(lambda s: s.main, "the window")
        desk.click(*main.center_of("Button", "&Set"))

Xvfb and PulseAudio (null sink, recorded from its monitor) come from
desktop.Desktop. On top: a Wine prefix of the run's own, `wine explorer
/desktop=shell,WxH` (a taskbar and a notification area that answer clicks),
and the probe, a Win32 helper running in the same desktop that reads the
windows back through the Win32 API. Windows inside Wine's desktop are no X
windows of their own: input goes through XTEST (xdotool) at screen positions.
"""
import json
import os
import select
import shutil
import subprocess
import time

import desktop
from desktop import DesktopError, wait_until

TITLE = "Alarm Clock"
SHELL_DESKTOP = "shell"


class Window:
    """A top-level window as the probe saw it."""

    def __init__(self, data):
        self.data = data
        self.hwnd = data["hwnd"]
        self.controls = data.get("controls", [])

    def __getattr__(self, name):
        try:
            return self.data[name]
        except KeyError:
            raise AttributeError(name) from None

    def control(self, cls, text=None, cid=None):
        """The first control of this class (and text, or identifier); None if none."""
        return next((c for c in self.controls if c["class"].lower() == cls.lower()
                     and (text is None or c["text"] == text) and (cid is None or c["id"] == cid)),
                    None)

    def focused(self):
        return next((c for c in self.controls if c["hwnd"] == self.data["focus"]), None)

    @property
    def texts(self):
        return [c["text"] for c in self.controls]


def center(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


class State:
    """One snapshot of what Wine shows."""

    def __init__(self, data):
        self.data = data
        self.mains = [Window(w) for w in data["mains"]]
        self.boxes = [Window(w) for w in data["boxes"]]
        self.menus = data["menus"]
        self.foreground = data["foreground"]
        self.taskbar = data["taskbar"]
        # Wine's taskbar keeps the tooltip of an icon it has taken away, with
        # an empty rectangle: only the icons drawn count.
        self.icons = [i for i in data["icons"] if i["tip"] == TITLE and i["rect"][0] < i["rect"][2]]
        self.shell = data["shell"]

    @property
    def main(self):
        """The program's window, or None (a second one is a fault of its own)."""
        if len(self.mains) > 1:
            raise AssertionError(f"{len(self.mains)} windows titled {TITLE!r}")
        return self.mains[0] if self.mains else None

    @property
    def shown(self):
        """The main window when it is on the screen (visible, not minimized)."""
        main = self.main
        return main if main and main.visible and not main.iconic else None

    @property
    def box(self):
        return self.boxes[0] if len(self.boxes) == 1 and self.boxes[0].visible else None

    def is_foreground(self, window):
        return window is not None and self.foreground is not None \
            and self.foreground["hwnd"] == window.hwnd

    def __repr__(self):
        return json.dumps(self.data)


class Probe:
    """The Win32 helper, kept running: one command line in, one JSON line out."""

    def __init__(self, argv, env, log):
        self._log = open(log, "wb")
        self.popen = subprocess.Popen(argv, env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                      stderr=self._log, start_new_session=True,
                                      preexec_fn=desktop._die_with_parent)

    def ask(self, command, timeout=10):
        self.popen.stdin.write((command + "\n").encode())
        self.popen.stdin.flush()
        line, deadline = b"", time.monotonic() + timeout
        while not line.endswith(b"\n"):
            if self.popen.poll() is not None:
                raise DesktopError(f"the probe ended ({self.popen.returncode})")
            if not select.select([self.popen.stdout], [], [], max(0, deadline - time.monotonic()))[0]:
                raise DesktopError(f"the probe gave no answer to {command!r} in {timeout} s")
            line += os.read(self.popen.stdout.fileno(), 65536)
        return json.loads(line)

    def stop(self):
        if self.popen.poll() is None:
            try:
                self.popen.stdin.write(b"quit\n")
                self.popen.stdin.close()
                self.popen.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                desktop._stop_pid(self.popen.pid, self.popen)
        self.popen.stdout.close()
        self._log.close()


class WineDesktop(desktop.Desktop):
    """Xvfb, PulseAudio, a fresh Wine prefix with Wine's shell desktop and
    the probe, all private to this object and stopped again on exit."""

    def __init__(self, probe_exe, size="1024x700"):
        super().__init__(tray=False, sound=True, accessibility=False, size=size)
        self.probe_exe = probe_exe
        self.prefix = None
        self.probe = None
        self.origin = (0, 0)

    def _start(self):
        self._prepare_environment()
        self._start_xvfb()
        self.start_sound_server()
        self.prefix = os.path.join(self.tmp, "prefix")
        self._base_env.update({
            "WINEPREFIX": self.prefix,
            "WINEDEBUG": "-all",
            # No offers to install Mono or Gecko, no menu entries for the machine.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winemenubuilder.exe=d",
            "TZ": "UTC",
            "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
        })
        self._wine(["wineboot", "-i"], timeout=180)
        self._wine(["wineserver", "-w"], timeout=60)
        self._make_shell_the_default_desktop()
        self._start_shell_and_probe()

    def _start_shell_and_probe(self):
        self.start_shell()
        self.probe = Probe(["wine", self.probe_exe], self.env, os.path.join(self.tmp, "probe.log"))
        self.wait(lambda s: s.shell, "Wine's taskbar (Shell_TrayWnd)", timeout=30)

    def _wine(self, argv, timeout):
        result = subprocess.run(argv, env=self.env, capture_output=True, timeout=timeout)
        if result.returncode != 0:
            raise DesktopError(f"{' '.join(argv)} failed ({result.returncode}): {result.stderr[-2000:]}")

    def _make_shell_the_default_desktop(self):
        """Every Wine process of this prefix (the program, the probe) opens
        the shell's desktop, not a desktop of its own. Written while the
        server is down, so that it reads the setting at its next start."""
        with open(os.path.join(self.prefix, "user.reg"), "a") as reg:
            reg.write(f'\n[Software\\\\Wine\\\\Explorer]\n"Desktop"="{SHELL_DESKTOP}"\n'
                      f'\n[Software\\\\Wine\\\\Explorer\\\\Desktops]\n"{SHELL_DESKTOP}"="{self.size}"\n')

    def start_shell(self):
        self._start_service("shell", ["wine", "explorer", f"/desktop={SHELL_DESKTOP},{self.size}"])
        title = f"{SHELL_DESKTOP} - Wine desktop"
        top = wait_until(lambda: next((w for w in self._root.query_tree().children
                                       if self.title(w.id) == title), None),
                         30, f"the X window {title!r}", interval=0.1,
                         on_poll=lambda: self._check_alive("shell"))
        x, y, _, _ = wait_until(lambda: self.is_mapped(top.id) and self.window_geometry(top.id), 10,
                                "Wine's desktop window to be mapped")
        self.origin = (x, y)

    def __exit__(self, *exc):
        errors = []
        for step in (lambda: self.probe and self.probe.stop(), self._kill_wine):
            try:
                step()
            except Exception as error:
                errors.append(error)
        super().__exit__(*exc)
        if errors and exc[0] is None:
            raise DesktopError(f"stopping Wine failed: {errors}")
        return False

    def set_registry(self, key, name, value):
        """A string value in the prefix's registry, read by programs started after."""
        self._wine(["wine", "reg", "add", key, "/v", name, "/d", value, "/f"], timeout=60)

    @property
    def server_log(self):
        """Where Wine's server writes: it is started by the shell."""
        return self._service("shell")[2]

    def restart_server(self):
        """A fresh Wine server, with the shell and the probe. A program that
        asks for the server's trace raises it for every process, until the
        server ends."""
        self.probe.stop()
        self._kill_wine()
        self._stop_service("shell")
        self._start_shell_and_probe()

    def _kill_wine(self):
        if self.prefix and os.path.isdir(self.prefix):
            subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True, timeout=30)

    # -- reading back

    def state(self):
        return State(self.probe.ask("state"))

    def wait(self, predicate, what, timeout=10, interval=0.05):
        """Polls the probe until predicate(state) is truthy and returns that;
        the last state seen is told on time-out."""
        last = []

        def check():
            last[:] = [self.state()]
            return predicate(last[0])
        try:
            return wait_until(check, timeout, what, interval=interval)
        except TimeoutError as error:
            raise TimeoutError(f"{error}; last state: {last[0] if last else None}") from None

    def notify_calls(self):
        """The program's Shell_NotifyIcon calls since the last look: dicts of
        message (0 add, 1 modify, 2 delete), hwnd, id, flags and callback."""
        answer = self.probe.ask("notify")
        if not answer["first"]:
            raise DesktopError("the probe no longer stands first in front of the taskbar")
        return answer["calls"]

    def broadcast_taskbar_created(self):
        self.probe.ask("broadcast")

    def forget_icons(self, window):
        """Takes the window's icon away as a shell that ends takes its icons
        with it (the program is not told)."""
        self.probe.ask(f"forget {window.hwnd}")

    # -- input, at Win32 screen positions

    def click(self, x, y, button=1):
        super().click(x + self.origin[0], y + self.origin[1], button)

    def double_click(self, x, y, button=1):
        super().double_click(x + self.origin[0], y + self.origin[1], button)

    # -- the program

    def start_program(self, exe, folder, cwd, extra_env=None):
        """Starts a copy of exe placed in folder, from the working folder cwd."""
        copy = os.path.join(folder, os.path.basename(exe))
        shutil.copy(exe, copy)
        return super().start_program(["wine", copy], cwd=cwd, extra_env=extra_env)
