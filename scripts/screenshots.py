#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Takes the README's screenshots from the real program on the end-to-end
tests' private desktop: the window with the alarm armed, then the ringing box;
given the Windows build, also the Windows program's window under Wine.

    scripts/screenshots.py [build/alarm-clock] [docs/screenshots] [build-windows]

The clock is faked to a few seconds before the alarm, so the pictures show the
same times on every run."""
import os
import subprocess
import sys
import tempfile

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
binary = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE, "build", "alarm-clock"))
out = os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else os.path.join(SOURCE, "docs", "screenshots"))
os.environ["ALARM_CLOCK_BIN"] = binary
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
import desktop  # noqa: E402
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402

ALARM = "07:30:00"


def shoot(desk, wid, name):
    """The window in its frame, as a PNG without time stamps in it (the same
    picture gives the same file)."""
    path = os.path.join(out, name)
    desk.screenshot(path + ".tmp.png", wid)
    subprocess.run(["convert", path + ".tmp.png", "-strip", path], check=True)
    os.remove(path + ".tmp.png")
    print(path)


def shoot_windows(build):
    """The Windows program's window, armed, cut from Wine's shell desktop."""
    import wine_desktop
    with wine_desktop.WineDesktop(os.path.join(build, "wine-probe.exe")) as desk:
        folder = tempfile.mkdtemp(dir=desk.tmp)
        clock = os.path.join(folder, "clock")
        desktop.set_fake_time(clock, "2026-12-07 07:29:50")
        exe_folder = os.path.join(folder, "program")
        os.makedirs(exe_folder)
        prog = desk.start_program(os.path.join(build, "alarm-clock.exe"), exe_folder, folder,
                                  program.fake_clock_env(clock))
        try:
            desk.wait(lambda s: s.shown and s.main.focused(), "the window", timeout=30)
            hh, mm, ss = ALARM.split(":")
            desk.key("Tab", "shift+Tab", "Right", *hh, "Right", *mm, "Right", *ss, "alt+s")
            main = desk.wait(lambda s: not s.main.control("Button", "&Set")["enabled"] and s.main,
                             "the alarm to be armed")
            left, top, right, bottom = main.rect
            x, y = left + desk.origin[0], top + desk.origin[1]
            shot = desk.screenshot(os.path.join(folder, "screen.png"))
            path = os.path.join(out, "windows.png")
            subprocess.run(["convert", shot, "-crop", f"{right - left}x{bottom - top}+{x}+{y}", "+repage",
                            "-strip", path], check=True)
            print(path)
        finally:
            prog.stop()


def main():
    os.makedirs(out, exist_ok=True)
    with desktop.Desktop(tray=True, sound=False) as desk:
        folder = tempfile.mkdtemp(dir=desk.tmp)
        clock = os.path.join(folder, "clock")
        desktop.set_fake_time(clock, "2026-12-07 07:29:50")
        prog, wid = program.start(desk, cwd=folder, extra_env=program.fake_clock_env(clock))
        try:
            app = program.app_of(desk, prog)
            c = program.controls(desk, app)
            program.arm_for(desk, wid, ALARM)
            wait_until(lambda: "enabled" in states(c["cancel"]), 5, "the alarm to be armed")
            wait_until(lambda: desktop.text(c["picker"]) == ALARM, 5, "the picker to show the alarm")
            shoot(desk, wid, "window.png")

            alert = program.wait_box(desk, app)
            assert alert.text == "The alarm clock is going off", alert.text
            box = wait_until(lambda: [w for w in desk.windows() if w != wid and w in desk.windows(
                program.TITLE)], 10, "the ringing box's window")[-1]
            desk.activate(box)
            shoot(desk, box, "ringing.png")
            desk.key("Return")
            wait_until(lambda: "enabled" in states(c["set"]), 10, "the alarm to disarm")
        finally:
            prog.stop()
    if len(sys.argv) > 3:
        shoot_windows(os.path.abspath(sys.argv[3]))


if __name__ == "__main__":
    main()
