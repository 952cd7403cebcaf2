# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private X desktop for end-to-end tests of a Qt 6 program.

    with Desktop() as desk:
        prog = desk.start_program(["./alarm-clock"])
        win = desk.wait_window("Alarm Clock")
        app = desk.app("Alarm Clock")
        press(desk.find(app, "push button", "Start"))

Run under Debian's /usr/bin/python3 (pyatspi and Xlib live there).
pyatspi binds to an accessibility bus on first use and keeps it for the life
of the process: a Desktop points os.environ at its private buses, and only the
first Desktop whose accessibility is used in a process can be reached.  So
start one Desktop per test file (setUpModule) and run each file in its own
process; leave pyatspi calls to after the Desktop has started.
"""
import array
import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings
import wave
from collections import namedtuple
from dataclasses import dataclass, field

import Xlib.display
import Xlib.error
import Xlib.X
import Xlib.Xatom
import Xlib.xobject.drawable

FAKETIME_LIB = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
AT_SPI_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

WindowState = namedtuple("WindowState", "wm net")
TrayIcon = namedtuple("TrayIcon", "window x y w h")


class DesktopError(RuntimeError):
    pass


def wait_until(predicate, timeout, what, interval=0.05, on_poll=None):
    """Polls predicate until it returns something truthy, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        if on_poll:
            on_poll()
        result = predicate()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


# --- processes ---------------------------------------------------------------

def _proc_stat(pid):
    """(state, ppid, starttime) of a process, or None once it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return None
    return fields[0], int(fields[1]), fields[19]


def pid_alive(pid):
    """False for a zombie too: init reaps orphans slowly on this machine."""
    stat = _proc_stat(pid)
    return stat is not None and stat[0] not in ("Z", "X")


def _descendants(pid):
    """(pid, starttime) of every living descendant, to stop them by PID later."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            stat = _proc_stat(int(entry))
            if stat:
                children.setdefault(stat[1], []).append((int(entry), stat[2]))
    found, todo = [], [pid]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child)
            todo.append(child[0])
    return found


def _signal(pid, sig):
    try:
        os.kill(pid, sig)
    except ProcessLookupError:
        pass


def _stop_pid(pid, popen=None, grace=3.0):
    """SIGTERM, then SIGKILL after grace seconds; reaps it when it is our child."""
    def gone():
        if popen is not None and popen.poll() is not None:
            return True
        return not pid_alive(pid)
    if gone():
        return
    _signal(pid, signal.SIGTERM)
    try:
        wait_until(gone, grace, f"process {pid} to end")
    except TimeoutError:
        _signal(pid, signal.SIGKILL)
        wait_until(gone, 5, f"process {pid} to die after SIGKILL")


def _die_with_parent():
    """Runs in the child before exec: SIGTERM it if the test process dies
    without cleaning up (killed by a runner's timeout, say)."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


class Program:
    """A started process with its output captured to files."""

    def __init__(self, argv, env, cwd, out_path, err_path):
        self.argv = list(argv)
        self.out_path, self.err_path = out_path, err_path
        with open(out_path, "wb") as out, open(err_path, "wb") as err:
            self.popen = subprocess.Popen(
                self.argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                stdout=out, stderr=err, start_new_session=True,
                preexec_fn=_die_with_parent)
        self.pid = self.popen.pid

    def is_running(self):
        return self.popen.poll() is None and pid_alive(self.pid)

    def wait_exit(self, timeout=10):
        """Waits for the process to end and returns its exit status."""
        wait_until(lambda: not self.is_running(), timeout,
                   f"{self.argv[0]} (pid {self.pid}) to exit")
        try:
            return self.popen.wait(timeout=5)
        except subprocess.TimeoutExpired:
            return None

    def stop(self):
        """Ends the process (and what it started) if it is still running."""
        _stop_family(_descendants(self.pid))
        _stop_pid(self.pid, self.popen)

    def output(self):
        """(stdout, stderr) so far, as text."""
        def read(path):
            with open(path, "rb") as f:
                return f.read().decode("utf-8", "replace")
        return read(self.out_path), read(self.err_path)

    def stdout(self):
        return self.output()[0]


def _stop_family(family):
    """Stops descendants deepest first, so that their parents reap them."""
    for pid, start in reversed(family):
        stat = _proc_stat(pid)
        if stat and stat[2] == start and stat[0] not in ("Z", "X"):
            _stop_pid(pid)


def _log_tail(path, lines=15):
    try:
        with open(path, errors="replace") as f:
            return "".join(f.readlines()[-lines:])
    except OSError:
        return ""


# --- sound -------------------------------------------------------------------

class Recorder:
    """Records what reaches a null sink of the private server into a WAV file."""

    def __init__(self, env, path, sink="null"):
        self.path = path
        self._parec = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--file-format=wav", "--format=s16le",
             "--rate=44100", "--channels=1", "--latency-msec=10", path],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        try:
            wait_until(lambda: self._recorded_bytes() > 441, 10,
                       f"parec to record into {path}")
        except BaseException:
            self.stop()
            raise

    def _recorded_bytes(self):
        if self._parec.poll() is not None:
            raise DesktopError(f"parec ended: {self._parec.stderr.read().decode()}")
        try:
            return os.path.getsize(self.path) - 44
        except OSError:
            return 0

    def stop(self):
        """Ends the recording (completing the WAV header) and returns its path."""
        if self._parec.poll() is None:
            self._parec.send_signal(signal.SIGINT)
            try:
                self._parec.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self._parec.kill()
                self._parec.wait()
        self._parec.stderr.close()
        return self.path


def sound_segments(path, threshold=0.02, window_s=0.01, gap_s=0.05):
    """(start_s, end_s) of each span whose RMS in 10 ms windows exceeds
    threshold (a fraction of full scale); gaps shorter than gap_s are joined."""
    with wave.open(path, "rb") as wav:
        if wav.getsampwidth() != 2:
            raise DesktopError(f"{path}: expected 16-bit PCM")
        rate, channels = wav.getframerate(), wav.getnchannels()
        samples = array.array("h", wav.readframes(wav.getnframes()))
    if sys.byteorder == "big":
        samples.byteswap()
    step = max(1, int(rate * window_s)) * channels
    limit = (threshold * 32768) ** 2
    segments = []
    for start in range(0, len(samples), step):
        chunk = samples[start:start + step]
        if sum(s * s for s in chunk) / len(chunk) <= limit:
            continue
        begin, end = start / channels / rate, (start + len(chunk)) / channels / rate
        if segments and begin - segments[-1][1] <= gap_s:
            segments[-1] = (segments[-1][0], end)
        else:
            segments.append((begin, end))
    return [(round(a, 3), round(b, 3)) for a, b in segments]


def make_tone(path, seconds, freq=880, volume=0.5):
    """Writes a sine tone WAV (16-bit mono 44.1 kHz) with sox."""
    subprocess.run(["sox", "-n", "-r", "44100", "-b", "16", "-c", "1", path,
                    "synth", str(seconds), "sine", str(freq), "vol", str(volume)],
                   check=True, capture_output=True)
    return path


# --- time ------------------------------------------------------------------------

def faketime_env(timestamp_file):
    """Environment entries that let libfaketime read the program's clock from
    timestamp_file, re-read on every call so that rewriting it moves the clock."""
    return {"LD_PRELOAD": FAKETIME_LIB,
            "FAKETIME_TIMESTAMP_FILE": timestamp_file,
            "FAKETIME_NO_CACHE": "1"}


def set_fake_time(timestamp_file, when, stand_still=False):
    """when: "YYYY-mm-dd HH:MM:SS"; the faked clock starts there and runs on,
    or with stand_still stays there until set again."""
    time.strptime(when, "%Y-%m-%d %H:%M:%S")
    tmp = timestamp_file + ".new"
    with open(tmp, "w") as f:
        f.write(f"{'' if stand_still else '@'}{when}\n")
    os.replace(tmp, timestamp_file)


# --- accessibility ---------------------------------------------------------------

_atspi_bound_to = None   # the Desktop whose bus pyatspi uses in this process


def _pyatspi():
    warnings.filterwarnings("ignore", category=DeprecationWarning, module=r"pyatspi\.")
    warnings.filterwarnings("ignore", "DynamicImporter", ImportWarning)
    import pyatspi
    return pyatspi


def _tolerant(lookup):
    """An accessible can vanish while it is being looked at: treat that as
    "not found yet" and let the caller poll again."""
    def attempt():
        _pump_events()
        try:
            return lookup()
        except Exception:
            return None
    return attempt


def _pump_events():
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def name(acc):
    return acc.name or ""


def role(acc):
    return acc.getRoleName()


def text(acc):
    """The contents of the Text interface ("" when it has none)."""
    try:
        t = acc.queryText()
    except NotImplementedError:
        return ""
    return t.getText(0, -1)


def states(acc):
    """States as names like {"enabled", "sensitive", "focused", "showing"}."""
    return {s.value_nick for s in acc.get_state_set().get_states()}


def children(acc):
    try:
        return [c for c in acc if c is not None]
    except Exception:
        return []


def walk(root):
    """Every accessible under root, breadth first, root included."""
    todo = [root]
    while todo:
        acc = todo.pop(0)
        yield acc
        todo.extend(children(acc))


def center(acc):
    """Screen position of the middle of the accessible, to click at."""
    box = acc.queryComponent().getExtents(_pyatspi().DESKTOP_COORDS)
    return (box.x + box.width // 2, box.y + box.height // 2)


def press(acc):
    """Runs the accessible's "Press" action, as a user clicking it would."""
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        raise DesktopError(f"{role(acc)} {name(acc)!r} has no Press action: {names}")
    action.doAction(names.index("Press"))


@dataclass
class Alert:
    acc: object
    text: str
    buttons: dict = field(default_factory=dict)

    @property
    def ok(self):
        return self.buttons.get("OK")


class EventWatch:
    """Collects AT-SPI events of one type, e.g. popup menus being shown."""

    def __init__(self, event_type, accept):
        self.event_type, self._accept = event_type, accept
        self.seen = []
        _pyatspi().Registry.registerEventListener(self._on_event, event_type)

    def _on_event(self, event):
        try:
            if self._accept(event):
                self.seen.append(event.source)
        except Exception:
            pass

    def wait(self, timeout=5):
        """The source of the first matching event not yet taken."""
        wait_until(lambda: self.seen, timeout, f"AT-SPI event {self.event_type}",
                   on_poll=_pump_events)
        return self.seen.pop(0)

    def close(self):
        _pyatspi().Registry.deregisterEventListener(self._on_event, self.event_type)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class KeyboardGrabWatch:
    """Notices a keyboard grab without taking part in it. Trying a grab of our
    own would do, but it can collide with the client's and make that fail.
    An active grab moves the focus away with mode NotifyGrab, and the window
    that held the focus (the root, when none did) is told."""

    def __init__(self, display):
        self._x = Xlib.display.Display(display)
        self._x.set_error_handler(lambda *error: None)  # a window may go meanwhile
        root = self._x.screen().root
        watched = [root]
        focus = self._x.get_input_focus().focus
        while isinstance(focus, Xlib.xobject.drawable.Window) and focus != root:
            watched.append(focus)
            try:
                focus = focus.query_tree().parent
            except Xlib.error.XError:
                break
        for window in watched:
            window.change_attributes(event_mask=Xlib.X.FocusChangeMask)
        self._x.sync()
        self.grabbed = False

    def _read(self):
        while self._x.pending_events():
            event = self._x.next_event()
            if event.type in (Xlib.X.FocusIn, Xlib.X.FocusOut):
                if event.mode == Xlib.X.NotifyGrab:
                    self.grabbed = True
                elif event.mode == Xlib.X.NotifyUngrab:
                    self.grabbed = False
        return self.grabbed

    def wait(self, timeout=5, what="another client to take the keyboard"):
        wait_until(self._read, timeout, what)

    def close(self):
        self._x.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


class PopupMenuWatch(EventWatch):
    """Popup menus being shown, each given out once it holds the input: the
    menu is announced as showing before it is mapped, and a click or a key
    before it takes the keyboard would miss it."""

    def __init__(self, display):
        super().__init__("object:state-changed:showing",
                         lambda e: e.detail1 == 1 and role(e.source) == "popup menu")
        self._grab = KeyboardGrabWatch(display)

    def wait(self, timeout=5):
        menu = super().wait(timeout)
        self._grab.wait(timeout, "the menu to take the keyboard")
        return menu

    def close(self):
        super().close()
        self._grab.close()


# --- the desktop -------------------------------------------------------------------

class Desktop:
    """Xvfb, a session bus, the AT-SPI bus, openbox, trayer and PulseAudio
    (or with sound="pipewire", PipeWire and its pulse server), all private to
    this object and stopped again on exit."""

    def __init__(self, tray=True, sound=True, accessibility=True, size="1280x800"):
        self.tray, self.sound, self.accessibility = tray, sound, accessibility
        self.size = size
        self.tmp = self.runtime_dir = None
        self.display = None
        self._services = []        # (label, Popen, log path), in start order
        self._programs = []
        self._recorders = []
        self._saved_environ = None
        self._x = None
        self._counter = 0

    # -- life cycle

    def __enter__(self):
        self.tmp = tempfile.mkdtemp(prefix="e2e-desktop-")
        try:
            self._start()
        except BaseException:
            self.__exit__(*sys.exc_info())
            raise
        return self

    def __exit__(self, *exc):
        steps = [rec.stop for rec in self._recorders]
        steps += [prog.stop for prog in self._programs]
        for label, _, _ in reversed(self._services):
            if label == "xvfb":
                steps.append(self._close_x)
            steps.append(lambda label=label: self._stop_service(label))
        steps += [self._stop_strays, self._close_x, self._restore_environ]
        errors = []
        for step in steps:
            try:
                step()
            except Exception as error:  # keep cleaning up; report at the end
                errors.append(error)
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
        if errors and exc[0] is None:
            raise DesktopError(f"cleaning up the desktop failed: {errors}")
        return False

    def _close_x(self):
        if self._x is not None:
            self._x.close()
            self._x = None

    def _restore_environ(self):
        if self._saved_environ is not None:
            os.environ.clear()
            os.environ.update(self._saved_environ)
            self._saved_environ = None

    def _start(self):
        self._prepare_environment()
        self._start_xvfb()
        self._start_session_bus()
        self._bind_test_process()
        if self.accessibility:
            self._start_accessibility_bus()
        self._start_wm()
        if self.tray:
            self.start_tray()
        if self.sound == "pipewire":
            self.start_pipewire()
        elif self.sound:
            self.start_sound_server()

    def _start_accessibility_bus(self):
        self._start_service("at-spi", [AT_SPI_LAUNCHER, "--launch-immediately"])
        wait_until(lambda: self._root_property("AT_SPI_BUS"), 10,
                   "the AT-SPI bus launcher to publish AT_SPI_BUS")

    def _prepare_environment(self):
        """Private XDG folders and no trace of the machine's own session."""
        self.runtime_dir = self._mkdir("runtime")
        self._base_env = dict(os.environ)
        for var in ("AT_SPI_BUS_ADDRESS", "SDL_AUDIODRIVER", "WAYLAND_DISPLAY",
                    "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER", "DISPLAY"):
            self._base_env.pop(var, None)
        self._base_env.update({
            "XDG_RUNTIME_DIR": self.runtime_dir,
            "XDG_CONFIG_HOME": self._mkdir("config"),
            "XDG_DATA_HOME": self._mkdir("data"),
            "XDG_CACHE_HOME": self._mkdir("cache"),
            "QT_QPA_PLATFORM": "xcb",
            # Nothing listens here unless sound is on: "no server" is certain.
            "PULSE_SERVER": "unix:" + os.path.join(self.tmp, "pulse-native"),
        })

    def _mkdir(self, name):
        path = os.path.join(self.tmp, name)
        os.makedirs(path, mode=0o700, exist_ok=True)
        return path

    def _start_service(self, label, argv, **popen_args):
        log = os.path.join(self.tmp, label + ".log")
        with open(log, "ab") as out:
            popen = subprocess.Popen(
                argv, env=popen_args.pop("env", self.env),
                stdin=popen_args.pop("stdin", subprocess.DEVNULL),
                stdout=popen_args.pop("stdout", out), stderr=out,
                start_new_session=True, preexec_fn=_die_with_parent, **popen_args)
        self._services.append((label, popen, log))
        return popen

    def _service(self, label):
        for entry in self._services:
            if entry[0] == label:
                return entry
        return None

    def _stop_service(self, label):
        entry = self._service(label)
        if entry is None:
            return
        _stop_family(_descendants(entry[1].pid))
        _stop_pid(entry[1].pid, entry[1])
        self._services.remove(entry)

    def pids(self):
        """PIDs of every living process started in this desktop, found by the
        private XDG_RUNTIME_DIR in their environment: that also catches those
        started by D-Bus activation and re-parented to init (at-spi2-registryd)."""
        if self.runtime_dir is None:
            return []
        marker = f"\0XDG_RUNTIME_DIR={self.runtime_dir}\0".encode()
        found = []
        for entry in os.listdir("/proc"):
            if not entry.isdigit() or int(entry) == os.getpid():
                continue
            try:
                with open(f"/proc/{entry}/environ", "rb") as f:
                    environ = b"\0" + f.read()
            except OSError:
                continue
            if marker in environ and pid_alive(int(entry)):
                found.append(int(entry))
        return found

    def _stop_strays(self):
        for pid in self.pids():
            _stop_pid(pid)

    def _check_alive(self, label):
        entry = self._service(label)
        if entry and entry[1].poll() is not None:
            raise DesktopError(f"{label} exited with {entry[1].returncode}:\n"
                               + _log_tail(entry[2]))

    def _start_reporting(self, label, argv_with_fd, timeout=15, **popen_args):
        """Starts a service that writes one line (its address) to the file
        descriptor put in place of "{fd}" in its arguments; returns that line."""
        read_fd, write_fd = os.pipe()
        try:
            argv = [arg.replace("{fd}", str(write_fd)) for arg in argv_with_fd]
            self._start_service(label, argv, pass_fds=(write_fd,), **popen_args)
            os.close(write_fd)
            write_fd = None
            line, deadline = b"", time.monotonic() + timeout
            while not line.endswith(b"\n"):
                if not select.select([read_fd], [], [], max(0, deadline - time.monotonic()))[0]:
                    raise DesktopError(f"{label} reported no address in {timeout} s:\n"
                                       + _log_tail(self._service(label)[2]))
                chunk = os.read(read_fd, 256)
                if not chunk:
                    self._check_alive(label)
                    raise DesktopError(f"{label} closed its pipe without an address")
                line += chunk
            return line.decode().strip()
        finally:
            os.close(read_fd)
            if write_fd is not None:
                os.close(write_fd)

    def _start_xvfb(self):
        number = self._start_reporting(
            "xvfb", ["Xvfb", "-displayfd", "{fd}", "-noreset", "-nolisten", "tcp",
                     "-screen", "0", self.size + "x24"], env=self._base_env)
        self.display = ":" + number
        self._x = Xlib.display.Display(self.display)
        self._x.set_error_handler(lambda *args: None)
        self._root = self._x.screen().root

    def _start_session_bus(self):
        self.bus_address = self._start_reporting(
            "dbus", ["dbus-daemon", "--session", "--nofork", "--print-address={fd}",
                     "--address=unix:path=" + os.path.join(self.tmp, "session-bus")],
            env={**self._base_env, "DISPLAY": self.display})

    def _bind_test_process(self):
        """Points this process's environment (read by pyatspi on first use)
        at the private display and buses."""
        if not self.accessibility:
            return
        self._saved_environ = dict(os.environ)
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        os.environ.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.bus_address,
                          XDG_RUNTIME_DIR=self.runtime_dir)

    @property
    def env(self):
        """The environment to start the program under test with."""
        env = dict(self._base_env)
        env["DISPLAY"] = self.display
        if getattr(self, "bus_address", None):
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        if self.accessibility:
            env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return env

    # -- window manager

    def _start_wm(self):
        self._start_service("openbox", ["openbox", "--sm-disable"])

        def wm_ready():
            self._check_alive("openbox")
            return (self._x.get_selection_owner(self._atom("WM_S0")) != Xlib.X.NONE
                    and self._root_property("_NET_SUPPORTING_WM_CHECK"))
        wait_until(wm_ready, 15, "openbox to own WM_S0 and set _NET_SUPPORTING_WM_CHECK")
        # openbox can sit on events it has already read right after start-up;
        # fresh X activity wakes it.
        self._root.warp_pointer(self.width // 2, self.height // 2)
        self.nudge()

    @property
    def width(self):
        return int(self.size.split("x")[0])

    @property
    def height(self):
        return int(self.size.split("x")[1])

    def nudge(self):
        """Generates harmless X activity (a root property change)."""
        self._root.change_property(self._atom("_E2E_NUDGE"), Xlib.Xatom.CARDINAL,
                                   32, [int(time.monotonic() * 1000) & 0x7FFFFFFF])
        self._x.flush()

    # -- X helpers

    def _atom(self, atom_name):
        return self._x.intern_atom(atom_name)

    def _property(self, window, atom_name, prop_type=Xlib.X.AnyPropertyType):
        if isinstance(window, int):
            window = self._x.create_resource_object("window", window)
        try:
            prop = window.get_full_property(self._atom(atom_name), prop_type)
        except Xlib.error.XError:
            return None
        return prop.value if prop is not None else None

    def _root_property(self, atom_name):
        return self._property(self._root, atom_name)

    def _window(self, wid):
        return self._x.create_resource_object("window", wid)

    def title(self, wid):
        value = self._property(wid, "_NET_WM_NAME", self._atom("UTF8_STRING"))
        if value is None:
            value = self._property(wid, "WM_NAME")
        if value is None:
            return None
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else value

    def managed_windows(self):
        """Top-level windows the window manager manages, oldest first."""
        return list(self._root_property("_NET_CLIENT_LIST") or [])

    def windows(self, title=None):
        """Managed, mapped windows, optionally only those with this exact title."""
        return [w for w in self.managed_windows()
                if self.is_mapped(w) and (title is None or self.title(w) == title)]

    def is_mapped(self, wid):
        try:
            return self._window(wid).get_attributes().map_state == Xlib.X.IsViewable
        except Xlib.error.XError:
            return False

    def window_state(self, wid):
        """WindowState(wm="Normal"|"Iconic"|"Withdrawn", net={"_NET_WM_STATE_..."})."""
        wm_state = self._property(wid, "WM_STATE")
        wm = {1: "Normal", 3: "Iconic"}.get(wm_state[0] if wm_state else 0, "Withdrawn")
        net = {self._x.get_atom_name(a) for a in self._property(wid, "_NET_WM_STATE") or []}
        return WindowState(wm, net)

    def window_geometry(self, wid):
        """(x, y, width, height) of the window's inside, in screen coordinates."""
        window = self._window(wid)
        geometry = window.get_geometry()
        origin = window.translate_coords(self._root, 0, 0)
        return (-origin.x, -origin.y, geometry.width, geometry.height)

    def wait_window(self, title, timeout=10, pid=None):
        """Id of a mapped window with this title that the window manager manages
        (the tray icon's window shares the title but is never managed). With
        pid, only that process's window (_NET_WM_PID): a program that has just
        ended may still be listed, and X may hand its window id to the next one."""
        def found():
            return [w for w in self.windows(title)
                    if pid is None or list(self._property(w, "_NET_WM_PID") or []) == [pid]]
        return wait_until(found, timeout, f"a managed window titled {title!r}", interval=0.05,
                          on_poll=self._nudge_now_and_then)[-1]

    def wait_window_gone(self, title, timeout=10):
        wait_until(lambda: not self.windows(title), timeout,
                   f"no mapped window titled {title!r}", interval=0.1,
                   on_poll=self._nudge_now_and_then)

    def _nudge_now_and_then(self):
        now = time.monotonic()
        if now - getattr(self, "_last_nudge", 0) > 1:
            self._last_nudge = now
            self.nudge()

    def active_window(self):
        value = self._root_property("_NET_ACTIVE_WINDOW")
        return value[0] if value else None

    def input_focus(self):
        """The window that has the keyboard (or X's None or PointerRoot)."""
        focus = self._x.get_input_focus().focus
        return getattr(focus, "id", focus)

    def close_window(self, wid):
        """Asks the window to close, as its close box does."""
        self._run(["wmctrl", "-i", "-c", hex(wid)])

    def minimize(self, wid):
        self._run(["xdotool", "windowminimize", str(wid)])

    def activate(self, wid, timeout=5):
        self._run(["wmctrl", "-i", "-a", hex(wid)])
        wait_until(lambda: self.active_window() == wid, timeout,
                   f"window {hex(wid)} to become active", on_poll=self._nudge_now_and_then)

    def screenshot(self, path, wid=None):
        """The whole screen, or with wid that window in its window manager's frame."""
        self._run(["import", "-window", hex(self.frame(wid)) if wid else "root", path])
        return path

    def frame(self, wid):
        """The window manager's frame around a managed window (its top-level ancestor)."""
        window = self._window(wid)
        while True:
            parent = window.query_tree().parent
            if parent.id == self._root.id:
                return window.id
            window = parent

    def _run(self, argv, timeout=20):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True,
                                timeout=timeout)
        if result.returncode != 0:
            raise DesktopError(f"{' '.join(argv)} failed ({result.returncode}): "
                               f"{result.stderr.strip()}")
        return result.stdout

    # -- input: real XTEST events, which go to the focused window

    def key(self, *keys, delay_ms=30):
        """Keys in xdotool's names: "ctrl+q", "Return", "Tab", "alt+F4"."""
        self._run(["xdotool", "key", "--delay", str(delay_ms), *keys])

    def type_text(self, s, delay_ms=30):
        self._run(["xdotool", "type", "--delay", str(delay_ms), "--", s])

    def click(self, x, y, button=1):
        self._run(["xdotool", "mousemove", str(x), str(y), "click", str(button)])

    def double_click(self, x, y, button=1):
        self._run(["xdotool", "mousemove", str(x), str(y),
                   "click", "--repeat", "2", "--delay", "80", str(button)])

    def watch_keyboard_grab(self):
        """Starts watching for another client to take the keyboard, e.g. a
        popup menu once it is mapped and can take clicks and keys."""
        return KeyboardGrabWatch(self.display)

    def pointer(self):
        p = self._root.query_pointer()
        return (p.root_x, p.root_y)

    # -- programs

    def start_program(self, argv, cwd=None, extra_env=None):
        """Starts argv under env (plus extra_env; a None value removes a variable)."""
        env = self.env
        for var, value in (extra_env or {}).items():
            if value is None:
                env.pop(var, None)
            else:
                env[var] = value
        self._counter += 1
        stem = os.path.join(self.tmp, f"program-{self._counter}")
        program = Program(argv, env, cwd, stem + ".out", stem + ".err")
        self._programs.append(program)
        return program

    # -- further buses and services

    def start_bus(self, label):
        """Another private bus (a stand-in for the system bus, say); returns its address."""
        return self._start_reporting(
            label, ["dbus-daemon", "--session", "--nofork", "--print-address={fd}",
                    "--address=unix:path=" + os.path.join(self.tmp, label)],
            env={**self._base_env, "DISPLAY": self.display})

    def start_service(self, label, argv, extra_env=None):
        """Starts a helper of the test's (a mock service) under the session's
        environment; stop_service(label) ends it, and so does the desktop's end."""
        return self._start_service(label, argv, env={**self.env, **(extra_env or {})})

    def stop_service(self, label):
        self._stop_service(label)

    # -- tray

    def start_tray(self, timeout=10):
        self._start_service("trayer", ["trayer", "--edge", "bottom", "--align", "right",
                                       "--widthtype", "request", "--height", "32",
                                       "--SetDockType", "true", "--transparent", "false"])
        atom = self._atom("_NET_SYSTEM_TRAY_S0")

        def owned():
            self._check_alive("trayer")
            return self._x.get_selection_owner(atom) != Xlib.X.NONE
        wait_until(owned, timeout, "trayer to own _NET_SYSTEM_TRAY_S0")

    def kill_tray(self, timeout=10):
        self._stop_service("trayer")
        atom = self._atom("_NET_SYSTEM_TRAY_S0")
        wait_until(lambda: self._x.get_selection_owner(atom) == Xlib.X.NONE, timeout,
                   "_NET_SYSTEM_TRAY_S0 to lose its owner")

    def tray_icons(self):
        """TrayIcon(window, x, y, w, h) per icon docked in trayer, in screen
        coordinates, left to right."""
        icons = []
        for top in self._root.query_tree().children:
            if self._is_trayer(top) or any(self._is_trayer(c) for c in self._children(top)):
                icons.extend(self._docked_under(top))
        return sorted(icons, key=lambda icon: (icon.x, icon.y))

    def _children(self, window):
        try:
            return window.query_tree().children
        except Xlib.error.XError:
            return []

    def _is_trayer(self, window):
        try:
            cls = window.get_wm_class()
        except Xlib.error.XError:
            return False
        return cls is not None and "trayer" in (c.lower() for c in cls)

    def _docked_under(self, window):
        found = []
        for child in self._children(window):
            if self._property(child, "_XEMBED_INFO") is not None and self.is_mapped(child.id):
                x, y, w, h = self.window_geometry(child.id)
                found.append(TrayIcon(child.id, x, y, w, h))
            else:
                found.extend(self._docked_under(child))
        return found

    def wait_tray_icon(self, count=1, timeout=10):
        """Waits until at least count icons are docked; returns them all."""
        return wait_until(lambda: len(icons := self.tray_icons()) >= count and icons,
                          timeout, f"{count} icon(s) docked in the tray",
                          interval=0.1)

    # -- sound

    def start_sound_server(self, timeout=15):
        socket = os.path.join(self.tmp, "pulse-native")
        pulse_dir = self._mkdir("pulse")
        env = {**self.env, "PULSE_RUNTIME_PATH": pulse_dir, "PULSE_STATE_PATH": pulse_dir}
        self._start_service("pulseaudio", [
            "pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n",
            "--use-pid-file=no", "--disable-shm=yes", "--log-target=stderr",
            "--load=module-null-sink sink_name=null",
            f"--load=module-native-protocol-unix socket={socket} auth-anonymous=1"],
            env=env)

        def answers():
            self._check_alive("pulseaudio")
            return subprocess.run(["pactl", "info"], env=self.env, capture_output=True,
                                  timeout=10).returncode == 0
        wait_until(answers, timeout, "PulseAudio to answer `pactl info`", interval=0.1)
        self.keep_sink_awake("null")

    def start_pipewire(self, timeout=15):
        """PipeWire, WirePlumber and pipewire-pulse, with a null sink as the default."""
        self._base_env["PULSE_SERVER"] = "unix:" + os.path.join(self.runtime_dir, "pulse", "native")
        self._start_service("pipewire", ["pipewire"])
        # wireplumber gives up at once when pipewire is not listening yet.
        socket = os.path.join(self.runtime_dir, "pipewire-0")
        wait_until(lambda: self._check_alive("pipewire") or os.path.exists(socket), timeout,
                   "pipewire's socket", interval=0.05)
        self._start_service("wireplumber", ["wireplumber"])
        self._start_service("pipewire-pulse", ["pipewire-pulse"])

        def answers():
            for label in ("pipewire", "wireplumber", "pipewire-pulse"):
                self._check_alive(label)
            return subprocess.run(["pactl", "info"], env=self.env, capture_output=True,
                                  timeout=10).returncode == 0
        wait_until(answers, timeout, "pipewire-pulse to answer `pactl info`", interval=0.1)
        subprocess.run(["pactl", "load-module", "module-null-sink", "sink_name=null"],
                       env=self.env, capture_output=True, check=True, timeout=10)
        # pipewire-pulse creates the sink's node a moment after it answers.
        wait_until(lambda: subprocess.run(["pactl", "set-default-sink", "null"], env=self.env,
                                          capture_output=True, timeout=10).returncode == 0,
                   timeout, "the null sink to become the default", interval=0.1)
        self.keep_sink_awake("null")

    def keep_sink_awake(self, sink):
        """An idle null sink renders in large blocks, and a recording starts
        only about 2 s after a stream begins playing into it: keeps a silent
        low-latency stream playing into it for as long as the server runs."""
        with open("/dev/zero", "rb") as zeros:
            self._start_service(f"{sink}-keepalive", [
                "pacat", "--playback", "-d", sink, "--latency-msec=10"], stdin=zeros)

    def kill_sound_server(self):
        self._stop_service("null-keepalive")
        self._stop_service("pulseaudio")

    def record(self, path, sink="null"):
        """Starts recording a null sink's output; call .stop() on the result."""
        if self._service("pulseaudio") is None and self._service("pipewire-pulse") is None:
            raise DesktopError("no sound server is running")
        recorder = Recorder(self.env, path, sink)
        self._recorders.append(recorder)
        return recorder

    def play(self, wav_path):
        """Plays a file into the private sound server and waits until it ends."""
        self._run(["paplay", "-d", "null", wav_path], timeout=60)

    # -- accessibility

    def _require_accessibility(self):
        global _atspi_bound_to
        if not self.accessibility:
            raise DesktopError("this Desktop was started with accessibility=False")
        if _atspi_bound_to not in (None, self.tmp):
            raise DesktopError(
                "pyatspi stays bound to the first desktop it was used with: use one "
                "accessibility Desktop per process (e.g. one test file per process)")
        _atspi_bound_to = self.tmp
        pyatspi = _pyatspi()
        pyatspi.setTimeout(3000, 15000)
        return pyatspi

    def applications(self):
        pyatspi = self._require_accessibility()
        _pump_events()
        return children(pyatspi.Registry.getDesktop(0))

    def app(self, app_name, timeout=15):
        """The accessible application whose window title, or own name, is app_name.
        The newest wins; one that has ended (no children left) never does."""
        def lookup():
            for application in reversed(self.applications()):
                windows = children(application)
                if windows and app_name in [name(application)] + [name(w) for w in windows]:
                    return application
            return None
        return wait_until(_tolerant(lookup), timeout, f"an accessible application {app_name!r}",
                          interval=0.2)

    def find(self, root, role_name, acc_name=None, timeout=5):
        """First accessible under root with this role ("push button") and name."""
        self._require_accessibility()

        def lookup():
            for acc in walk(root):
                if role(acc) == role_name and (acc_name is None or name(acc) == acc_name):
                    return acc
            return None
        label = role_name + (f" {acc_name!r}" if acc_name is not None else "")
        return wait_until(_tolerant(lookup), timeout, f"a {label} under {name(root)!r}", interval=0.1)

    def find_all(self, root, role_name):
        self._require_accessibility()
        _pump_events()
        return [acc for acc in walk(root) if role(acc) == role_name]

    def watch_popup_menus(self):
        """Starts collecting popup menus as they are shown (Qt leaves them out
        of the application's children); .wait() returns the next one."""
        self._require_accessibility()
        return PopupMenuWatch(self.display)

    def wait_alert(self, timeout=10, app=None):
        """The first showing message box (role "alert": a top-level window of
        its application), with its text and buttons."""
        def lookup():
            for application in [app] if app is not None else self.applications():
                for acc in children(application):
                    if role(acc) == "alert" and "showing" in states(acc):
                        return acc
            return None
        self._require_accessibility()
        acc = wait_until(_tolerant(lookup), timeout,
                         "a message box (role alert) to show", interval=0.1)
        labels = [name(a) for a in walk(acc) if role(a) == "label" and name(a)]
        buttons = {name(a): a for a in walk(acc) if role(a) == "push button"}
        return Alert(acc, "\n".join(labels), buttons)
