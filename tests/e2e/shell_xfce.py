# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""XFCE 4.18 on X11: Xvfb, xfwm4 and xfce4-panel with its notification area
(the systray plugin, which is the StatusNotifierItem watcher and host).
Window facts come from EWMH as xfwm4 keeps them; input is XTEST via xdotool."""
import os
import shutil
import subprocess

import Xlib.X

import shells
from desktop import wait_until

WATCHER = "org.kde.StatusNotifierWatcher"

# Two panels: the notification area alone at the top, a task list at the
# bottom (its red window icons never mix with the tray icon's, and its entries
# come and go without moving the tray).
PANEL_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <value type="int" value="2"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
    <property name="panel-2" type="empty">
      <property name="position" type="string" value="p=10;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="2"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray">
      <property name="square-icons" type="bool" value="true"/>
    </property>
    <property name="plugin-2" type="string" value="tasklist"/>
  </property>
</channel>
"""


def _is_red(r, g, b):
    return r > 180 and g < 80 and b < 80


class XfceShell(shells.Shell):
    name = "xfce"
    single_click = "restore"
    wayland = False

    def __init__(self, sound="pulse", **kwargs):
        # XFCE users often run PulseAudio; the other desktops cover PipeWire.
        super().__init__(sound=sound, **kwargs)

    # -- start-up

    def _start_shell(self):
        missing = [p for p in ("Xvfb", "xfwm4", "xfce4-panel", "xdotool", "wmctrl", "xcalc")
                   if not shutil.which(p)]
        if missing:
            raise shells.Unavailable(f"not installed: {', '.join(missing)}")
        self._start_xvfb()
        self.export_to_session(DISPLAY=self.display)
        channels = self._mkdir("config/xfce4/xfconf/xfce-perchannel-xml")
        with open(os.path.join(channels, "xfce4-panel.xml"), "w") as f:
            f.write(PANEL_CONFIG)
        self._start_service("xfwm4", ["xfwm4", "--compositor=off", "--sm-client-disable"])

        def wm_ready():
            self._check_alive("xfwm4")
            return (self._x.get_selection_owner(self._atom("WM_S0")) != Xlib.X.NONE
                    and self._root_property("_NET_SUPPORTING_WM_CHECK"))
        wait_until(wm_ready, 15, "xfwm4 to own WM_S0")
        self._start_service("xfce4-panel", ["xfce4-panel", "--sm-client-disable"])

        def host_ready():
            self._check_alive("xfce4-panel")
            return self._watcher_property("IsStatusNotifierHostRegistered") == "true"
        wait_until(host_ready, 20, "the panel's notification area to host icons", interval=0.1)

    def _watcher_property(self, prop):
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=" + WATCHER,
             "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
             "string:" + WATCHER, "string:" + prop],
            env=self.env, capture_output=True, text=True, timeout=10)
        return reply.stdout.split()[-1] if reply.returncode == 0 and reply.stdout.split() else None

    # -- windows, read back from xfwm4's EWMH properties

    def shell_windows(self, pid):
        active = self.active_window()
        found = []
        for wid in self.managed_windows():
            if list(self._property(wid, "_NET_WM_PID") or []) != [pid]:
                continue
            state = self.window_state(wid)
            minimized = state.wm == "Iconic" or "_NET_WM_STATE_HIDDEN" in state.net
            if not minimized and not self.is_mapped(wid):
                continue
            found.append(shells.ShellWindow(
                wid, self.title(wid), pid, minimized, wid == active,
                "_NET_WM_STATE_ABOVE" in state.net, True))
        return found

    def minimize_window(self, win):
        self.minimize(win.id)

    def activate_window(self, win):
        self.activate(win.id)

    def close_window(self, win):
        self._run(["wmctrl", "-i", "-c", hex(win.id)])

    def start_other_window(self):
        # xcalc takes the keyboard focus (xclock never accepts it).
        other = self.start_program(["xcalc"])
        wid = wait_until(lambda: next(iter(self.windows("Calculator")), None), 10,
                         "xcalc's window")
        self.activate(wid)
        return other, shells.ShellWindow(wid, "Calculator", other.pid, False, True, False, True)

    # -- the notification area

    def _tray_panel(self):
        """(x, y, w, h) of the top panel, the one with the notification area."""
        dock = self._atom("_NET_WM_WINDOW_TYPE_DOCK")
        for wid in self.managed_windows():
            if dock in (self._property(wid, "_NET_WM_WINDOW_TYPE") or []):
                area = self.window_geometry(wid)
                if area[1] == 0:
                    return area
        return None

    def icon_position(self):
        """The middle of the red clock the top panel draws, or None."""
        area = self._tray_panel()
        if area is None:
            return None
        x0, y0, w, h = area
        shot = self.screenshot(os.path.join(self.tmp, "panel.png"))
        pixels = subprocess.run(["convert", shot, "-crop", f"{w}x{h}+{x0}+{y0}", "-depth", "8",
                                 "rgb:-"], capture_output=True, check=True).stdout
        red = [i // 3 for i in range(0, len(pixels) - 2, 3) if _is_red(*pixels[i:i + 3])]
        if len(red) < 10:
            return None
        xs, ys = [i % w for i in red], [i // w for i in red]
        return x0 + (min(xs) + max(xs)) // 2, y0 + (min(ys) + max(ys)) // 2

    def icon_shown(self):
        return self.icon_position() is not None

    def _icon(self):
        return wait_until(self.icon_position, 10, "the icon in the panel")

    def click_icon(self, double=False):
        (self.double_click if double else self.click)(*self._icon())

    def open_icon_menu(self):
        with self.watch_keyboard_grab() as grab:
            self.click(*self._icon(), button=3)
            grab.wait(5, "the icon's menu to take the keyboard")

    def choose_menu_item(self, label):
        self.key(label[0].lower())
