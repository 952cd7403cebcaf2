# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end tests share about the program under test."""
import os
import re
import tempfile
import time

import desktop

BINARY = os.environ.get("ALARM_CLOCK_BIN") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "alarm-clock")
TITLE = "Alarm Clock"
PICKER = "Time when alarm should go off"


def start(desk, cwd=None, extra_env=None, timeout=30, wrapper=()):
    """Starts the program in a folder of its own (no alarm.wav there unless the
    test puts one) and waits for its own window (by its process id, as other
    copies may run); returns (program, window id). A program whose window never comes is
    stopped again. A wrapper (a command that ends by exec'ing its last argument,
    so that the process id stays) runs it under other conditions."""
    cwd = cwd or tempfile.mkdtemp(dir=desk.tmp)
    env = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
    env.update(extra_env or {})
    prog = desk.start_program([*wrapper, BINARY], cwd=cwd, extra_env=env)
    try:
        wid = desk.wait_window(TITLE, timeout, pid=prog.pid)
    except Exception:
        print(prog.output())
        prog.stop()
        raise
    return prog, wid


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


def shown_time(found):
    """The time the window shows now (read afresh, never from a cache)."""
    found["time"].clear_cache()
    return found["time"].name


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


def pixels(png, rect):
    """The RGB bytes of rect (x, y, w, h) of a screenshot, row by row."""
    import subprocess
    x, y, w, h = rect
    return subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout


def count_colour(png, rect, accept):
    """How many pixels in rect (x, y, w, h) of a screenshot accept(r, g, b) takes."""
    out = pixels(png, rect)
    return sum(1 for i in range(0, len(out) - 2, 3) if accept(out[i], out[i + 1], out[i + 2]))


def arm_for(desk, wid, hhmmss):
    """Types a time into the picker with real keys, then presses Alt+S."""
    desk.activate(wid)
    desk.key("Home", "shift+Right", "shift+Right")  # select the hours field
    desk.type_text(hhmmss.replace(":", ""))  # each full field moves on to the next
    desk.key("alt+s")


def beep_file(folder, tone_s=0.4, pause_s=0.6):
    """An alarm.wav of a tone and a pause, so that each repetition shows apart."""
    import subprocess
    path = os.path.join(folder, "alarm.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-b", "16", "-c", "1", path, "synth",
                    str(tone_s), "sine", "660", "vol", "0.5", "pad", "0", str(pause_s)],
                   check=True, capture_output=True)
    return path


def wait_box(desk, app, timeout=20):
    """The ringing box: an alert of the program's, with its text and buttons.
    (Qt does not give a message box the showing state; while it exists, it is up.)"""
    from desktop import Alert, children, role, walk, wait_until, name, _pump_events

    def lookup():
        _pump_events()
        app.clear_cache()  # a new top-level window is not always announced to the cache
        return next((a for a in children(app) if role(a) == "alert"), None)
    acc = wait_until(lookup, timeout, "the ringing box", interval=0.05)
    labels = [name(a) for a in walk(acc) if role(a) == "label" and name(a)]
    buttons = {name(a): a for a in walk(acc) if role(a) == "push button"}
    return Alert(acc, "\n".join(labels), buttons)


def wait_past_start(found, timeout=5):
    """Waits until the clock has left the second of start-up. The picker starts
    at that time, and Set arms it for its next coming: within that very second
    it is still to come and rings a second later; after it, only tomorrow."""
    desktop.wait_until(lambda: shown_time(found) != desktop.text(found["picker"]), timeout,
                       "the clock to leave the second of start-up", interval=0.05)


def wait_focused(acc, what, timeout=5):
    """Waits until the accessible has the keyboard focus: a key pressed before
    would go to whatever had it until then."""
    def focused():
        desktop._pump_events()
        acc.clear_cache()
        return "focused" in desktop.states(acc)
    desktop.wait_until(focused, timeout, f"{what} to have the focus", interval=0.05)


def dismiss_box(desk, alert):
    """OK on the ringing box by its default key, once the box has the focus."""
    desktop.wait_until(lambda: alert.ok is not None, 5, "the box's OK button")
    wait_focused(alert.ok, "the box's OK button")
    desk.key("Return")


def app_of(desk, prog, timeout=15):
    """The accessible application of this very process (an earlier run of the
    program may still linger in the registry under the same name)."""
    def lookup():
        for application in desk.applications():
            try:
                if application.get_process_id() == prog.pid and desktop.children(application):
                    return application
            except Exception:
                pass
        return None
    return desktop.wait_until(lookup, timeout, f"the accessible application of pid {prog.pid}", interval=0.1)


def fake_clock_env(clock_file):
    """The program's wall clock from clock_file. Its timers keep the real
    monotonic clock: libfaketime's faked one was seen to stall them for seconds,
    and the program's ticks follow the wall clock by themselves."""
    return dict(desktop.faketime_env(clock_file), FAKETIME_DONT_FAKE_MONOTONIC="1")


SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


def finish(test, prog):
    """Stops the program if it still runs, then fails the test if the program
    reported a memory or undefined-behaviour error (sanitizer builds)."""
    prog.stop()
    errors = prog.output()[1]
    for report in SANITIZER_REPORTS:
        test.assertNotIn(report, errors, errors[-3000:])


def epoch(when, zone="UTC", fold=0):
    """Seconds since the epoch of a local time "YYYY-mm-dd HH:MM:SS" in a zone;
    fold=1 picks the second pass of a time the autumn change repeats."""
    import datetime
    import zoneinfo
    local = datetime.datetime.strptime(when, "%Y-%m-%d %H:%M:%S")
    return local.replace(tzinfo=zoneinfo.ZoneInfo(zone), fold=fold).timestamp()


def set_clock(clock_file, at_epoch):
    """Moves the program's wall clock (under fake_clock_env) to at_epoch, from
    where it runs on in real time. Written as an offset from the real clock, so
    that times the autumn change repeats are not ambiguous."""
    tmp = clock_file + ".new"
    with open(tmp, "w") as f:
        f.write(f"{at_epoch - time.time():+.3f}\n")
    os.replace(tmp, clock_file)


def box_count(app):
    app.clear_cache()
    return sum(1 for a in desktop.children(app) if desktop.role(a) == "alert")


def has_box(app):
    return box_count(app) > 0


class SharedDesktop:
    """The one private desktop of a test file (pyatspi binds to one per process):
        desk = program.SharedDesktop(tray=True, sound=False)
        setUpModule, tearDownModule = desk.start, desk.stop
    and then desk.<anything> is the running Desktop's."""

    def __init__(self, **options):
        self._options = options
        self._desk = None

    def start(self):
        self._desk = desktop.Desktop(**self._options).__enter__()

    def stop(self):
        if self._desk is not None:
            self._desk.__exit__(None, None, None)
            self._desk = None

    def __getattr__(self, name):
        if self._desk is None:
            raise AttributeError(f"the desktop is not started ({name})")
        return getattr(self._desk, name)
