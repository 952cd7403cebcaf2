"""What the end-to-end tests share about the program under test."""
import os
import re
import tempfile
import time

BINARY = os.environ.get("ALARM_CLOCK_BIN") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "alarm-clock")
TITLE = "Alarm Clock"
PICKER = "Time when alarm should go off"


def start(desk, cwd=None, extra_env=None):
    """Starts the program in a folder of its own (no alarm.wav there unless the
    test puts one) and waits for its window; returns (program, window id)."""
    cwd = cwd or tempfile.mkdtemp(dir=desk.tmp)
    env = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
    env.update(extra_env or {})
    program = desk.start_program([BINARY], cwd=cwd, extra_env=env)
    try:
        wid = desk.wait_window(TITLE, timeout=20)
    except Exception:
        print(program.output())
        raise
    return program, wid


def controls(desk, app):
    """The window's controls as AT-SPI shows them, by their names."""
    frame = desk.find(app, "frame", TITLE)
    found = {
        "set": desk.find(frame, "push button", "Set"),
        "cancel": desk.find(frame, "push button", "Cancel"),
        "exit": desk.find(frame, "push button", "Exit"),
        "picker": desk.find(frame, "spin button", PICKER),
    }
    labels = desk.find_all(frame, "label")
    found["time"] = next(l for l in labels if re.fullmatch(r"\d\d:\d\d:\d\d", l.name or ""))
    found["frame"] = frame
    return found


def seconds_of_day(hhmmss):
    h, m, s = (int(x) for x in hhmmss.split(":"))
    return h * 3600 + m * 60 + s


def now_seconds_of_day():
    t = time.localtime()
    return t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec


def extents(acc):
    """(x, y, width, height) of an accessible on the screen."""
    import pyatspi
    box = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def count_colour(png, rect, accept):
    """How many pixels in rect (x, y, w, h) of a screenshot accept(r, g, b) takes."""
    import subprocess
    x, y, w, h = rect
    out = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True).stdout
    return sum(1 for i in range(0, len(out) - 2, 3) if accept(out[i], out[i + 1], out[i + 2]))
