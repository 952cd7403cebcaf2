# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Benchmarks of the alarm clock beside the clocks a user might run instead.

Run under Debian's /usr/bin/python3 (pyatspi and Xlib live there), normally
through bench/run.sh.  One private X desktop per run (tests/e2e/desktop.py):

    bench.py --build build                  start-up, memory, idle CPU and wake-ups,
                                            tick lag, alarm sound timing
    bench.py --build build --soak           24 simulated hours of hourly alarms

Figures are reported, never judged: nothing here fails on a slow number.
Results are merged into bench/results-latest.json (one section per figure).
"""
import argparse
import array
import datetime
import json
import math
import os
import platform
import re
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import traceback
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
E2E = os.path.join(HERE, "..", "tests", "e2e")
sys.path.insert(0, E2E)

CLK_TCK = os.sysconf("SC_CLK_TCK")
RATE = 44100
TIME_RE = re.compile(r"\d\d:\d\d:\d\d")


def log(*args):
    print(time.strftime("%H:%M:%S"), *args, file=sys.stderr, flush=True)


def rounded(x, digits=1):
    return None if x is None else round(x, digits)


def summary_ms(values):
    """min / median / max (and count) of values in seconds, as milliseconds."""
    values = [v for v in values if v is not None]
    if not values:
        return {"n": 0}
    return {"n": len(values), "min_ms": rounded(min(values) * 1000),
            "median_ms": rounded(statistics.median(values) * 1000),
            "max_ms": rounded(max(values) * 1000)}


# --- /proc -----------------------------------------------------------------------

def proc_cpu_s(pid):
    """utime + stime of the whole process (all its threads, live and ended), in s."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLK_TCK


def proc_tasks(pid):
    try:
        return os.listdir(f"/proc/{pid}/task")
    except OSError:
        return []


def proc_runtime_ns(pid):
    """Time on the CPU per thread (schedstat, nanoseconds), by thread id."""
    found = {}
    for tid in proc_tasks(pid):
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                found[tid] = int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return found


def proc_switches(pid):
    """voluntary + nonvoluntary context switches per thread, by thread id."""
    found = {}
    for tid in proc_tasks(pid):
        total = 0
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
        except OSError:
            continue
        found[tid] = total
    return found


def proc_thread_counts(pid):
    """Per thread id: its name, voluntary switches (it slept and was woken),
    involuntary ones (it was preempted) and time on the CPU in ns."""
    found = {}
    for tid in proc_tasks(pid):
        entry = {"name": "?", "voluntary": 0, "involuntary": 0, "oncpu_ns": 0}
        try:
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    if line.startswith("Name:"):
                        entry["name"] = line.split(None, 1)[1].strip()
                    elif line.startswith("voluntary_ctxt_switches"):
                        entry["voluntary"] = int(line.split()[1])
                    elif line.startswith("nonvoluntary_ctxt_switches"):
                        entry["involuntary"] = int(line.split()[1])
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                entry["oncpu_ns"] = int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            continue
        found[tid] = entry
    return found


def machine_busy():
    """(busy, total) jiffies of all CPUs, from /proc/stat: how loaded the
    machine was over a period, other developers' work included."""
    with open("/proc/stat") as f:
        values = [int(v) for v in f.readline().split()[1:]]
    idle = values[3] + values[4]
    return sum(values) - idle, sum(values)


def per_thread_delta(before, after):
    """Growth summed over threads; a thread born in between counts from zero
    (one that ended in between is lost: /proc no longer shows it)."""
    return sum(value - before.get(tid, 0) for tid, value in after.items())


def proc_memory_kib(pid):
    """VmRSS from status, Rss and Pss from smaps_rollup, in KiB."""
    found = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(("VmRSS:", "Threads:")):
                found[line.split(":")[0]] = int(line.split()[1])
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            key = line.split(":")[0]
            if key in ("Rss", "Pss"):
                found[key] = int(line.split()[1])
    return {"vmrss_kib": found.get("VmRSS"), "rss_kib": found.get("Rss"),
            "pss_kib": found.get("Pss"), "threads": found.get("Threads")}


class IdleSample:
    """CPU time, on-CPU time and context switches of one process over a period."""

    def __init__(self, pid):
        self.pid = pid
        self.t0 = time.monotonic()
        self.cpu0 = proc_cpu_s(pid)
        self.run0 = proc_runtime_ns(pid)
        self.sw0 = proc_switches(pid)
        self.threads0 = len(proc_tasks(pid))
        self.counts0 = proc_thread_counts(pid)
        self.busy0 = machine_busy()

    def finish(self):
        seconds = time.monotonic() - self.t0
        cpu = proc_cpu_s(self.pid) - self.cpu0
        run_ns = per_thread_delta(self.run0, proc_runtime_ns(self.pid))
        switches = per_thread_delta(self.sw0, proc_switches(self.pid))
        counts = proc_thread_counts(self.pid)
        threads = []
        for tid, now in sorted(counts.items(), key=lambda item: int(item[0])):
            then = self.counts0.get(tid, {})
            delta = {k: now[k] - then.get(k, 0) for k in ("voluntary", "involuntary", "oncpu_ns")}
            threads.append({"tid": int(tid), "name": now["name"],
                            "wakeups_per_s": round(delta["voluntary"] / seconds, 2),
                            "preemptions_per_s": round(delta["involuntary"] / seconds, 2),
                            "oncpu_ms": round(delta["oncpu_ns"] / 1e6, 1)})
        busy1 = machine_busy()
        total = busy1[1] - self.busy0[1]
        return {"seconds": round(seconds, 2),
                "threads_detail": threads,
                "voluntary_per_s": round(sum(t["wakeups_per_s"] for t in threads), 2),
                "involuntary_per_s": round(sum(t["preemptions_per_s"] for t in threads), 2),
                # One tick a second for both clocks: on-CPU time per second is per tick.
                "oncpu_per_tick_ms": round(run_ns / 1e6 / seconds, 3),
                "oncpu_ms_per_min": round(run_ns / 1e6 * 60 / seconds, 1),
                "machine_busy_percent": round(100 * (busy1[0] - self.busy0[0]) / total, 1) if total else None,
                "loadavg_after": loadavg(),
                "cpu_ms": round(cpu * 1000),
                "cpu_percent": round(100 * cpu / seconds, 3),
                "oncpu_ms": round(run_ns / 1e6, 1),
                "switches": switches,
                "wakeups_per_s": round(switches / seconds, 2),
                "threads": len(proc_tasks(self.pid)),
                "threads_before": self.threads0,
                "threads_ended": len(set(self.sw0) - set(proc_switches(self.pid)))}


# --- the programs ------------------------------------------------------------------

class Subject:
    """How one program is started and recognised."""

    def __init__(self, key, label, argv, title=None, extra_env=None, ours=False,
                 accessible=False, tray_only_ok=False, expect=("window",)):
        self.key, self.label, self.argv, self.title = key, label, argv, title
        self.extra_env = extra_env or {}
        self.ours, self.accessible, self.tray_only_ok = ours, accessible, tray_only_ok
        # What start-up waits for; a window not expected is still timed if it comes.
        self.expect = set(expect) | ({"label"} if ours and accessible else set())


def subjects(binary):
    c_locale = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}
    return [
        Subject("ours", "alarm-clock (accessibility on)", [binary], "Alarm Clock",
                dict(c_locale), ours=True, accessible=True, expect=("window", "icon")),
        Subject("ours_noa11y", "alarm-clock (accessibility off)", [binary], "Alarm Clock",
                dict(c_locale, QT_LINUX_ACCESSIBILITY_ALWAYS_ON=None), ours=True,
                expect=("window", "icon")),
        Subject("xclock", "xclock -update 1", ["xclock", "-update", "1"], "xclock"),
        Subject("gnome_clocks", "gnome-clocks", ["gnome-clocks"], "Clocks"),
        Subject("xcalc", "xcalc (holds the focus when alarm-clock has not)", ["xcalc"], "Calculator"),
        Subject("applet", "alarm-clock-applet", ["alarm-clock-applet"], "Alarms",
                tray_only_ok=True, expect=("icon",)),
    ]


def installed(subject):
    return shutil.which(subject.argv[0]) is not None or os.access(subject.argv[0], os.X_OK)


class ScreenReaderStandIn:
    """Listens to AT-SPI events as a screen reader does: Qt sends its events
    only while some client has asked for them.  The events wait unread in
    this process's bus connection until close() counts them."""

    EVENTS = ("object:property-change", "object:text-changed", "object:state-changed",
              "object:children-changed", "object:visible-data-changed", "window:", "focus:")

    def __init__(self, desk):
        self.pyatspi = desk._require_accessibility()
        self.heard = {}
        for event in self.EVENTS:
            self.pyatspi.Registry.registerEventListener(self._on_event, event)
        time.sleep(0.5)   # the programs learn of the listener over the bus

    def _on_event(self, event):
        try:
            who = event.host_application.name or "?"
        except Exception:
            who = "(a program that has ended)"
        key = f"{who}: {event.type}"
        self.heard[key] = self.heard.get(key, 0) + 1

    def close(self):
        from desktop import _pump_events
        _pump_events()
        for event in self.EVENTS:
            self.pyatspi.Registry.deregisterEventListener(self._on_event, event)
        _pump_events()
        return dict(self.heard)


# --- the bench -----------------------------------------------------------------------

class Bench:
    def __init__(self, desk, binary, quick=False):
        import Xlib.display
        self.desk, self.binary, self.quick = desk, binary, quick
        self.x = Xlib.display.Display(desk.display)
        self.x.set_error_handler(lambda *args: None)
        self.has_damage = self.x.has_extension("DAMAGE")
        if self.has_damage:
            self.x.damage_query_version()
        self.subjects = {s.key: s for s in subjects(binary)}
        self.work = tempfile.mkdtemp(prefix="bench-", dir=desk.tmp)

    # -- starting and finding windows

    def start(self, subject, cwd=None, extra_env=None):
        cwd = cwd or tempfile.mkdtemp(dir=self.work)
        env = dict(subject.extra_env)
        env.update(extra_env or {})
        return self.desk.start_program(subject.argv, cwd=cwd, extra_env=env)

    def new_mapped_windows(self, before):
        return [w for w in self.desk.managed_windows()
                if w not in before and self.desk.is_mapped(w)]

    def stop(self, prog):
        prog.stop()

    def time_startup(self, subject, timeout=30):
        """Seconds from exec to the window mapped and managed, to the tray icon
        docked and (ours, accessibility on) to the time label read through AT-SPI."""
        from desktop import _pump_events, children, name, role, walk
        before = set(self.desk.managed_windows())
        icons_before = len(self.desk.tray_icons())
        t0 = time.monotonic()
        prog = self.start(subject)
        found = {"window": None, "icon": None, "label": None}
        wid = None
        want_label = subject.ours and subject.accessible
        last_nudge = t0
        deadline = t0 + timeout
        while time.monotonic() < deadline:
            now = time.monotonic()
            if found["window"] is None:
                new = self.new_mapped_windows(before)
                if new:
                    found["window"], wid = time.monotonic() - t0, new[0]
            if ("icon" in subject.expect and found["icon"] is None
                    and len(self.desk.tray_icons()) > icons_before):
                found["icon"] = time.monotonic() - t0
            if want_label and found["label"] is None and found["window"] is not None:
                try:
                    _pump_events()
                    for app in children(self.desk._require_accessibility().Registry.getDesktop(0)):
                        if app.get_process_id() == prog.pid:
                            if any(role(a) == "label" and TIME_RE.fullmatch(name(a))
                                   for a in walk(app)):
                                found["label"] = time.monotonic() - t0
                except Exception:
                    pass
            done = all(found[what] is not None for what in subject.expect)
            if done and found["window"] is None and "window" not in subject.expect:
                # A tray-only program may still open a window: give it a moment.
                done = time.monotonic() - t0 > max(found.values(), key=lambda v: v or 0) + 3
            if done or (not prog.is_running()):
                break
            if now - last_nudge > 1:   # openbox can doze right after start-up
                self.desk.nudge()
                last_nudge = now
            time.sleep(0.005)
        title = self.desk.title(wid) if wid else None
        return prog, found, title

    def wait_gone(self, prog, icons_before):
        prog.stop()
        try:
            from desktop import wait_until
            wait_until(lambda: len(self.desk.tray_icons()) <= icons_before, 5,
                       "the icon to leave the tray")
        except TimeoutError:
            pass

    # -- 1. start-up

    def bench_startup(self, runs):
        results = {}
        for key in ("ours", "ours_noa11y", "xclock", "gnome_clocks", "applet"):
            subject = self.subjects[key]
            if not installed(subject):
                results[key] = {"label": subject.label, "status": "not installed"}
                continue
            times = {"window": [], "icon": [], "label": []}
            titles, failures = set(), []
            for i in range(runs):
                icons_before = len(self.desk.tray_icons())
                prog, found, title = self.time_startup(subject)
                if title:
                    titles.add(title)
                if found["window"] is None and found["icon"] is None:
                    out, err = prog.output()
                    failures.append(err.strip()[-300:] or f"exit {prog.popen.poll()}")
                for what, value in found.items():
                    times[what].append(value)
                self.wait_gone(prog, icons_before)
                time.sleep(0.3)
            entry = {"label": subject.label, "runs": runs, "titles": sorted(titles),
                     "to_window": summary_ms(times["window"]),
                     "each_ms": {what: [rounded(v * 1000) if v is not None else None for v in values]
                                 for what, values in times.items() if any(v is not None for v in values)},
                     "window_missing": times["window"].count(None),
                     "to_tray_icon": summary_ms(times["icon"]),
                     "icon_missing": times["icon"].count(None)}
            if subject.ours and subject.accessible:
                entry["to_label"] = summary_ms(times["label"])
            if failures:
                entry["failures"] = failures[:3]
            if times["window"].count(None) == runs and times["icon"].count(None) == runs:
                entry["status"] = "did not start"
            results[key] = entry
            log("start-up", key, json.dumps(entry))
        return results

    # -- damage (repaints) of windows

    def watch_damage(self, windows):
        """Starts collecting repaints of these windows: {wid: damage id}."""
        from Xlib.ext import damage
        ids = {}
        for wid in windows:
            window = self.x.create_resource_object("window", wid)
            ids[wid] = window.damage_create(damage.DamageReportRawRectangles)
        self.x.sync()
        return ids

    def collect_damage(self, ids, seconds, on_idle=None):
        """(time.time() on arrival, wid, (x, y, w, h)) of each DamageNotify."""
        events = []
        end = time.monotonic() + seconds
        while True:
            left = end - time.monotonic()
            if left <= 0:
                break
            if self.x.pending_events() == 0:
                select.select([self.x.fileno()], [], [], min(left, 0.5))
            stamp = time.time()
            while self.x.pending_events():
                e = self.x.next_event()
                if getattr(e, "damage", None) in ids.values():
                    a = e.area
                    events.append((stamp, e.drawable.id, (a.x, a.y, a.width, a.height)))
        return events

    def stop_damage(self, ids):
        for did in ids.values():
            self.x.damage_destroy(did)
        self.x.sync()

    @staticmethod
    def bursts(events, wid, rect=None, skip_before=None, join_s=0.1):
        """Start time of each repaint burst of wid (optionally only those that
        touch rect), joining events less than join_s apart."""
        def touches(area):
            if rect is None:
                return True
            x, y, w, h = area
            rx, ry, rw, rh = rect
            return x < rx + rw and rx < x + w and y < ry + rh and ry < y + h
        starts, last = [], None
        for stamp, drawable, area in events:
            if drawable != wid or not touches(area):
                continue
            if skip_before is not None and stamp < skip_before:
                continue
            if last is None or stamp - last > join_s:
                starts.append(stamp)
            last = stamp
        return starts

    @staticmethod
    def lag_summary(starts, seconds):
        """Lag of each repaint behind the wall clock's second before it."""
        lags = [t - math.floor(t) for t in starts]
        result = {"repaints": len(starts), "per_s": round(len(starts) / seconds, 2)}
        if lags:
            result.update({"median_ms": rounded(statistics.median(lags) * 1000),
                           "min_ms": rounded(min(lags) * 1000),
                           "worst_ms": rounded(max(lags) * 1000),
                           "p90_ms": rounded(sorted(lags)[int(0.9 * (len(lags) - 1))] * 1000)})
        return result

    # -- window placement, so that no measured window is covered

    def place(self, wid, x, y):
        self.desk._run(["xdotool", "windowmove", "--sync", str(wid), str(x), str(y)])

    def label_rect(self, app, wid):
        """The time label's rectangle inside the window, from AT-SPI."""
        import program
        frame_x, frame_y, _, _ = self.desk.window_geometry(wid)
        found = program.controls(self.desk, app)
        x, y, w, h = program.extents(found["time"])
        return (x - frame_x, y - frame_y, w, h), found

    # -- 2-5. memory, idle CPU, wake-ups, tick lag

    def bench_idle(self, idle_s, solo_s):
        import program
        keys = [k for k in ("ours", "ours_noa11y", "xclock", "gnome_clocks", "applet")
                if installed(self.subjects[k])]
        running = {}
        status = {}
        for key in keys:
            entry = self.start_idle(key)
            if isinstance(entry, str):
                status[key] = entry
            else:
                running[key] = entry

        # Lay the windows out side by side: a covered window is never repainted.
        layout = {"gnome_clocks": (0, 0), "ours": (880, 0), "ours_noa11y": (880, 175),
                  "xclock": (880, 350), "applet": (880, 565)}
        for key, (x, y) in layout.items():
            if key in running and running[key]["wid"]:
                try:
                    self.place(running[key]["wid"], x, y)
                except Exception as error:
                    log("could not move", key, error)
        time.sleep(0.5)

        rect = None
        if "ours" in running:
            app = program.app_of(self.desk, running["ours"]["prog"])
            rect, _ = self.label_rect(app, running["ours"]["wid"])
            running["ours"]["app"] = app
        overlaps = self.overlaps({k: running[k]["wid"] for k in running if running[k]["wid"]})

        # 2. memory 5 s after each start
        memory = {}
        for key in sorted(running, key=lambda k: running[k]["started"]):
            entry = running[key]
            delay = entry["started"] + 5 - time.monotonic()
            if delay > 0:
                time.sleep(delay)
            memory[key] = proc_memory_kib(entry["prog"].pid)
            memory[key]["after_s"] = round(time.monotonic() - entry["started"], 2)
            memory[key]["software_gl"] = self.maps_software_gl(entry["prog"].pid)

        # 3-5. one idle period for all, each measured on its own, while an
        # accessibility client listens as a screen reader would.
        listener = ScreenReaderStandIn(self.desk)
        together = self.idle_period({k: running[k] for k in running}, idle_s, rect)
        together["atspi_events_heard"] = listener.close()

        verify = self.verify_label(running["ours"], rect) if "ours" in running else None

        # Then ours alone: accessibility on with and without a listener, then off.
        solo = {}
        if solo_s:
            for key in [k for k in running if k != "ours"]:
                running.pop(key)["prog"].stop()
            time.sleep(3)   # let the tray settle after the other icons left
            if "ours" in running:
                listener = ScreenReaderStandIn(self.desk)
                solo["ours_listened"] = self.idle_period({"ours": running["ours"]}, solo_s, rect)["ours"]
                solo["ours_listened"]["atspi_events_heard"] = listener.close()
                time.sleep(1)
                solo["ours"] = self.idle_period({"ours": running["ours"]}, solo_s, rect)["ours"]
                running.pop("ours")["prog"].stop()
                time.sleep(2)
            entry = self.start_idle("ours_noa11y")
            if not isinstance(entry, str):
                running["ours_noa11y"] = entry
                self.place(entry["wid"], 880, 175)
                time.sleep(max(0.0, entry["started"] + 5 - time.monotonic()))
                solo["ours_noa11y"] = self.idle_period({"ours_noa11y": entry}, solo_s, rect)["ours_noa11y"]
        for entry in running.values():
            entry["prog"].stop()

        return {"status": status, "memory": memory, "together": together, "label_rect": rect,
                "overlaps": overlaps, "verify": verify, "alone": solo, "idle_s": idle_s,
                "labels": {k: self.subjects[k].label for k in keys}}

    def start_idle(self, key, by_title=False):
        """Starts a program and waits until it shows; its entry, or why not.
        by_title: only a window with the program's title counts (trayer's
        panel, for one, can map anew as an icon docks)."""
        from desktop import wait_until
        subject = self.subjects[key]
        before = set(self.desk.managed_windows())
        icons_before = len(self.desk.tray_icons())
        started = time.monotonic()
        prog = self.start(subject)
        try:
            shown = wait_until(lambda: [w for w in self.new_mapped_windows(before)
                                        if not by_title or self.desk.title(w) == subject.title]
                               or (subject.tray_only_ok and len(self.desk.tray_icons()) > icons_before
                                   and ["tray"]),
                               30, f"{subject.label} to show", interval=0.02,
                               on_poll=self.desk._nudge_now_and_then)
        except TimeoutError:
            prog.stop()
            return "did not start: " + prog.output()[1].strip()[-300:]
        wid = shown[0] if shown[0] != "tray" else None
        log("idle: started", key, hex(wid) if wid else "(tray only)")
        return {"prog": prog, "wid": wid, "started": started}

    def idle_period(self, running, seconds, rect):
        """CPU, wake-ups and repaint lag of each running program over one period."""
        measured = [k for k in running if running[k]["wid"]]
        ids = self.watch_damage([running[k]["wid"] for k in measured]) if self.has_damage else {}
        samples = {k: IdleSample(running[k]["prog"].pid) for k in running}
        active = self.desk.active_window()
        t_start = time.time()
        log(f"idle: {seconds} s:", ", ".join(running))
        events = self.collect_damage(ids, seconds) if ids else time.sleep(seconds) or []
        result = {k: samples[k].finish() for k in samples}
        for key in running:
            result[key]["rss_after_kib"] = proc_memory_kib(running[key]["prog"].pid)["rss_kib"]
            result[key]["focused"] = active is not None and active == running[key]["wid"]
        if ids:
            self.stop_damage(ids)
            for key in measured:
                use_rect = rect if self.subjects[key].ours else None
                starts = self.bursts(events, running[key]["wid"], use_rect, skip_before=t_start + 0.3)
                result[key]["lag"] = self.lag_summary(starts, seconds - 0.3)
                result[key]["lag"]["region"] = "time label" if use_rect else "whole window"
        return result

    @staticmethod
    def maps_software_gl(pid):
        """Whether Mesa's software renderer is mapped into the process."""
        try:
            with open(f"/proc/{pid}/maps") as f:
                return any(("swrast" in line or "libgallium" in line or "llvmpipe" in line
                            or "libLLVM" in line) for line in f)
        except OSError:
            return None

    def overlaps(self, wids):
        """Pairs of windows whose frames overlap (a covered part is not repainted)."""
        boxes = {}
        for key, wid in wids.items():
            x, y, w, h = self.desk.window_geometry(wid)
            boxes[key] = (x - 4, y - 30, w + 8, h + 34)   # roughly with the frame
        found = []
        items = list(boxes.items())
        for i, (a, (ax, ay, aw, ah)) in enumerate(items):
            for b, (bx, by, bw, bh) in items[i + 1:]:
                if ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah:
                    found.append((a, b))
        return found

    def verify_label(self, entry, rect, ticks=5):
        """Does each label repaint show the wall clock's present second?
        Reads the label through AT-SPI right after each repaint."""
        import program
        found = program.controls(self.desk, entry["app"])
        ids = self.watch_damage([entry["wid"]])
        ok, seen = 0, []
        for _ in range(ticks):
            self.collect_damage(ids, 0.01)   # drop what came in meanwhile
            events = []
            deadline = time.monotonic() + 2
            while not events and time.monotonic() < deadline:
                events = [e for e in self.collect_damage(ids, 0.02)
                          if self.bursts([e], entry["wid"], rect)]
            if not events:
                continue
            stamp = events[0][0]
            shown = program.shown_time(found)
            read_ms = round((time.time() - stamp) * 1000, 1)
            wall = time.strftime("%H:%M:%S", time.localtime(math.floor(stamp)))
            seen.append((wall, shown, read_ms))
            ok += shown == wall
            time.sleep(0.5)
        self.stop_damage(ids)
        return {"ticks": len(seen), "matching": ok, "wall_shown_readms": seen}

    # -- 6. the alarm's sound

    def bench_alarm(self, rings):
        results = {"rings": []}
        for i in range(rings):
            try:
                results["rings"].append(self.one_ring(i, self.subjects["ours"]))
            except Exception as error:
                traceback.print_exc()
                results["rings"].append({"error": f"{type(error).__name__}: {error}"})
            log("ring", i + 1, json.dumps(results["rings"][-1]))
        good = [r for r in results["rings"] if "error" not in r]
        for key in ("check_to_sound", "check_to_box", "ok_to_loop_silent", "ok_to_final_start",
                    "ok_to_final_end"):
            results[key] = summary_ms([r.get(key) for r in good])
        results["final_tone"] = summary_ms([r.get("final_tone") for r in good])
        results["stimulus_offset"] = summary_ms([r.get("stimulus_offset") for r in good])
        results["check_to_sound_corrected"] = summary_ms(
            [r["check_to_sound"] - min(0.0, r["stimulus_offset"]) for r in good
             if r.get("stimulus_offset") is not None])
        return results

    def recording(self, path):
        """A recording of the sink, with a log of (time.time(), samples in the
        file) taken every millisecond to put its samples on the wall clock."""
        recorder = self.desk.record(path)
        log_ = []
        stop = threading.Event()

        def watch():
            while not stop.is_set():
                try:
                    n = (os.path.getsize(path) - 44) // 2
                except OSError:
                    n = 0
                log_.append((time.time(), n))
                time.sleep(0.001)
        thread = threading.Thread(target=watch, daemon=True)
        thread.start()

        def finish():
            stop.set()
            thread.join()
            recorder.stop()
            return log_
        return finish

    @staticmethod
    def sample_clock(size_log):
        """Wall time of sample 0: every sample in the file was written no later
        than when the file was seen holding it, so the earliest (t - n/rate)
        bounds it; that bound is late by parec's delivery delay (about 0-10 ms)."""
        points = [t - n / RATE for t, n in size_log if n > RATE // 10]
        return min(points), max(points) - min(points)

    @staticmethod
    def samples_of(path):
        with wave.open(path, "rb") as w:
            data = array.array("h", w.readframes(w.getnframes()))
        if sys.byteorder == "big":
            data.byteswap()
        return data

    @staticmethod
    def segments(samples, threshold=0.05, gap_s=0.005):
        """(first, last) sample index of each sound, to the sample: runs of
        samples above threshold, joined over gaps shorter than gap_s."""
        limit = threshold * 32768
        gap = int(gap_s * RATE)
        found, start, last = [], None, None
        for i, s in enumerate(samples):
            if s > limit or s < -limit:
                if start is None:
                    start = i
                elif i - last > gap:
                    found.append((start, last))
                    start = i
                last = i
        if start is not None:
            found.append((start, last))
        return found

    def stimulus(self, tone):
        """Plays tone with paplay under strace: returns the moment its samples
        were handed to the sound server (the first large send on its socket),
        a moment the tone cannot be heard before.  None without strace."""
        if not shutil.which("strace"):
            return None
        trace = os.path.join(self.work, "paplay.trace")
        subprocess.run(["strace", "-f", "-ttt", "-e", "trace=sendto,sendmsg,write,writev",
                        "-o", trace, "paplay", "-d", "null", tone],
                       env=self.desk.env, check=True, capture_output=True)
        with open(trace) as f:
            for line in f:
                parts = line.split()
                match = re.search(r"= (\d+)$", line.strip())
                if (len(parts) > 2 and parts[2].startswith(("sendto(", "sendmsg(", "writev("))
                        and match and int(match.group(1)) >= 1000):
                    return float(parts[1])
        return None

    def one_ring(self, index, subject):
        import desktop
        import program
        from desktop import states, wait_until
        folder = tempfile.mkdtemp(dir=self.work)
        program.beep_file(folder, 0.4, 0.6)
        tone = desktop.make_tone(os.path.join(folder, "stimulus.wav"), 0.1, freq=1000)
        clock_file = os.path.join(folder, "clock")
        # A whole number of seconds ahead or behind: the program's seconds
        # turn exactly when the real ones do.
        alarm = datetime.datetime(2026, 12, 7, 7, 30, 0)
        offset = int(alarm.timestamp() - 7) - math.floor(time.time())
        with open(clock_file, "w") as f:
            f.write(f"{offset:+d}\n")
        prog, wid = program.start(self.desk, cwd=folder, extra_env=program.fake_clock_env(clock_file))
        try:
            app = program.app_of(self.desk, prog)
            found = program.controls(self.desk, app)
            path = os.path.join(folder, "heard.wav")
            finish = self.recording(path)
            time.sleep(0.2)
            sent_at = self.stimulus(tone)
            program.arm_for(self.desk, wid, alarm.strftime("%H:%M:%S"))
            wait_until(lambda: "enabled" in states(found["cancel"]), 5, "the alarm to be armed")
            # The check that rings runs at the first tick after the alarm's
            # second has passed: one second later, 5 ms into it.
            check_at = alarm.timestamp() + 1 - offset + 0.005
            if time.time() > check_at - 0.5:
                raise RuntimeError("armed too late to time the ring")
            before = set(self.desk.managed_windows())
            box_at = None
            while time.time() < check_at + 10:
                if self.new_mapped_windows(before):
                    box_at = time.time()
                    break
                time.sleep(0.005)
            if box_at is None:
                raise RuntimeError("no ringing box")
            # Let the loop play a while, then OK, in the middle of a tone.
            wait_for = check_at + 1.25 - time.time()
            if wait_for > 0:
                time.sleep(wait_for)
            ok_at = self.press_return()
            wait_until(lambda: "enabled" in states(found["set"]), 10, "the alarm to disarm")
            time.sleep(1.5)
            size_log = finish()
        finally:
            prog.stop()
        base, spread = self.sample_clock(size_log)
        samples = self.samples_of(path)
        segs = [(base + a / RATE, base + b / RATE) for a, b in self.segments(samples)]
        stimulus_offset = None
        if sent_at is not None:
            heard = [a for a, _ in segs if sent_at - 0.1 < a < check_at - 0.5]
            if heard:
                stimulus_offset = heard[0] - sent_at
        segs = [s for s in segs if s[0] > check_at - 0.5]
        if not segs:
            raise RuntimeError("nothing heard")
        before_ok = [s for s in segs if s[0] < ok_at]
        after_ok = [s for s in segs if s[0] >= ok_at]
        result = {
            "check_to_sound": segs[0][0] - check_at,
            "check_to_box": box_at - check_at,
            "loop_tones": len(before_ok),
            "ok_to_final_start": (after_ok[-1][0] - ok_at) if after_ok else None,
            "ok_to_final_end": segs[-1][1] - ok_at,
            "final_tone": (after_ok[-1][1] - after_ok[-1][0]) if after_ok else None,
            "sample_clock_spread_ms": round(spread * 1000, 1),
            "stimulus_offset": stimulus_offset,
        }
        if before_ok and before_ok[-1][1] > ok_at:   # OK came in the middle of a tone
            result["ok_to_loop_silent"] = before_ok[-1][1] - ok_at
        if len(after_ok) != 1:
            result["note"] = f"{len(after_ok)} sounds after OK"
        return {k: (round(v, 4) if isinstance(v, float) else v) for k, v in result.items()}

    def press_return(self):
        """Return through XTEST (as a keyboard would), sent now; returns the moment."""
        from Xlib import X, XK
        from Xlib.ext import xtest
        code = self.x.keysym_to_keycode(XK.string_to_keysym("Return"))
        stamp = time.time()
        xtest.fake_input(self.x, X.KeyPress, code)
        self.x.sync()
        stamp = (stamp + time.time()) / 2
        xtest.fake_input(self.x, X.KeyRelease, code)
        self.x.sync()
        return stamp

    # -- 8. idle disarmed and armed, beside xclock

    def bench_armed_idle(self, idle_s):
        """Wake-ups and CPU of alarm-clock (accessibility on and off) and
        xclock over one period Disarmed, then one Armed: Set with real keys for
        a time twelve hours away, so that it never rings meanwhile."""
        import program
        from desktop import states, wait_until
        keys = [k for k in ("ours", "ours_noa11y", "xclock") if installed(self.subjects[k])]
        running = {}
        for key in keys:
            entry = self.start_idle(key)
            if not isinstance(entry, str):
                running[key] = entry
        for key, (x, y) in {"ours": (880, 0), "ours_noa11y": (880, 175), "xclock": (880, 350)}.items():
            if key in running:
                self.place(running[key]["wid"], x, y)
        time.sleep(max(0.0, max(e["started"] for e in running.values()) + 5 - time.monotonic()))
        result = {"idle_s": idle_s, "disarmed": self.idle_period(running, idle_s, None)}
        far = (datetime.datetime.now() + datetime.timedelta(hours=12)).strftime("%H:%M:%S")
        armed = {}
        for key in ("ours", "ours_noa11y"):
            if key in running:
                wid = running[key]["wid"]
                try:
                    program.arm_for(self.desk, wid, far)
                except TimeoutError:
                    # openbox may refuse a pager's activation after a long idle:
                    # a click on the title bar focuses it as a user's would.
                    x, y, w, _ = self.desk.window_geometry(wid)
                    self.desk.click(x + w // 2, y - 10)
                    program.arm_for(self.desk, wid, far)
        if "ours" in running:
            found = program.controls(self.desk, program.app_of(self.desk, running["ours"]["prog"]))
            wait_until(lambda: "enabled" in states(found["cancel"]), 5, "the alarm to be armed")
            armed["ours"] = True
        # Set hands the focus to Cancel: no caret blinks in the armed period.
        time.sleep(2)
        result["armed"] = self.idle_period(running, idle_s, None)
        result["armed_for"] = far
        result["armed_checked"] = armed
        for entry in running.values():
            entry["prog"].stop()
        return result

    # -- 9. the tick: wake-ups apart from preemptions, quiet and with a sound stream

    TICK_SETTINGS = (("quiet", "disarmed", "unfocused"), ("quiet", "disarmed", "focused"),
                     ("stream", "disarmed", "focused"), ("stream", "disarmed", "unfocused"),
                     ("stream", "armed", "unfocused"), ("stream", "armed", "focused"),
                     ("quiet", "armed", "focused"), ("quiet", "armed", "unfocused"))

    def sound_stream(self):
        """A tone at a listening level into the sound server, as a music player
        plays: PulseAudio, its mixing thread and the stream's client keep waking."""
        command = ("sox -q -n -r 44100 -c 2 -b 16 -t raw - synth 3600 sine 440 vol 0.3 | "
                   "pacat --playback --raw --rate=44100 --channels=2 --format=s16le -d null")
        return subprocess.Popen(["sh", "-c", command], env=self.desk.env, start_new_session=True,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @staticmethod
    def stop_stream(stream):
        if stream and stream.poll() is None:
            os.killpg(stream.pid, 15)
            stream.wait(5)

    def focus(self, running, focused):
        """Gives the focus to alarm-clock's window or to xcalc's, then waits
        out the caret's first seconds of blinking (it stops after 10 s idle)."""
        target = running["ours"]["wid"] if focused else self.focus_holder["wid"]
        try:
            self.desk.activate(target)
        except Exception:
            # openbox may refuse a pager's activation after a long idle: a
            # click on the title bar focuses the window as a user's would.
            x, y, w, _ = self.desk.window_geometry(target)
            self.desk.click(x + w // 2, y - 10)
            time.sleep(0.5)
            if self.desk.active_window() != target:
                log("tick: could not focus", hex(target))
        time.sleep(11 if focused else 2)

    TICK_WARM_UP_S = 65

    def bench_tick(self, idle_s):
        """alarm-clock (accessibility on, nobody listening) beside xclock over a
        period in each setting: quiet or with a sound stream playing, the
        window focused or not, Disarmed or Armed (Set for hours away)."""
        import program
        from desktop import states, wait_until
        running = {}
        for key in ("ours", "xclock"):
            entry = self.start_idle(key, by_title=True)
            if isinstance(entry, str):
                return {"status": {key: entry}}
            running[key] = entry
        self.place(running["ours"]["wid"], 880, 0)
        self.place(running["xclock"]["wid"], 880, 350)
        holder = self.start_idle("xcalc", by_title=True)
        if isinstance(holder, str):
            return {"status": {"xcalc": holder}}
        self.focus_holder = holder
        self.place(holder["wid"], 0, 0)
        time.sleep(0.5)
        app = program.app_of(self.desk, running["ours"]["prog"])
        rect, found = self.label_rect(app, running["ours"]["wid"])
        overlaps = self.overlaps({"ours": running["ours"]["wid"], "xclock": running["xclock"]["wid"],
                                  "xcalc": holder["wid"]})
        # The idle tick, not the start: alarm-clock's first minute makes the
        # copies its label's changed digits are put back from afterwards.
        time.sleep(max(0.0, max(e["started"] for e in running.values()) + self.TICK_WARM_UP_S
                       - time.monotonic()))
        periods, stream, armed_for = [], None, None
        try:
            for sound, alarm, focus in self.TICK_SETTINGS:
                if sound == "stream" and stream is None:
                    stream = self.sound_stream()
                    time.sleep(2)
                elif sound == "quiet" and stream is not None:
                    self.stop_stream(stream)
                    stream = None
                    time.sleep(2)
                if alarm == "armed" and armed_for is None:
                    armed_for = (datetime.datetime.now() + datetime.timedelta(hours=12)).strftime("%H:%M:%S")
                    program.arm_for(self.desk, running["ours"]["wid"], armed_for)
                    wait_until(lambda: "enabled" in states(found["cancel"]), 5, "the alarm to be armed")
                self.focus(running, focus == "focused")
                if stream is not None and stream.poll() is not None:
                    raise RuntimeError("the sound stream ended")
                result = self.idle_period(running, idle_s, rect)
                periods.append({"sound": sound, "alarm": alarm, "focus": focus, "result": result})
                log("tick:", sound, alarm, focus, json.dumps(
                    {k: (v["voluntary_per_s"], v["involuntary_per_s"], v["oncpu_per_tick_ms"],
                         (v.get("lag") or {}).get("median_ms")) for k, v in result.items()}))
        finally:
            self.stop_stream(stream)
            for entry in [*running.values(), holder]:
                entry["prog"].stop()
        return {"idle_s": idle_s, "periods": periods, "armed_for": armed_for, "label_rect": rect,
                "overlaps": overlaps}

    # -- 7. soak

    def bench_soak(self, hours):
        import desktop
        import program
        from desktop import states, wait_until
        folder = tempfile.mkdtemp(dir=self.work)
        program.beep_file(folder, 0.2, 0.3)
        clock_file = os.path.join(folder, "clock")
        first = datetime.datetime(2026, 12, 7, 0, 0, 0)

        def jump_to(moment):
            offset = int(moment.timestamp()) - math.floor(time.time())
            with open(clock_file + ".new", "w") as f:
                f.write(f"{offset:+d}\n")
            os.replace(clock_file + ".new", clock_file)
            return offset

        jump_to(first)
        started_prog = time.monotonic()
        prog, wid = program.start(self.desk, cwd=folder, extra_env=program.fake_clock_env(clock_file))
        app = program.app_of(self.desk, prog)
        found = program.controls(self.desk, app)
        time.sleep(max(0.0, 5 - (time.monotonic() - started_prog)))
        at_start = proc_memory_kib(prog.pid)
        hourly, problems = [], []
        started = time.monotonic()
        try:
            for hour in range(1, hours + 1):
                alarm = first + datetime.timedelta(hours=hour)
                offset = jump_to(alarm - datetime.timedelta(seconds=5))
                recorder = self.desk.record(os.path.join(folder, f"hour-{hour}.wav"))
                program.arm_for(self.desk, wid, alarm.strftime("%H:%M:%S"))
                wait_until(lambda: "enabled" in states(found["cancel"]), 5, "the alarm to be armed")
                before = set(self.desk.managed_windows())
                box = program.wait_box(self.desk, app, timeout=15)
                box_fake = datetime.datetime.fromtimestamp(time.time() + offset)
                shown = program.shown_time(found)
                expected = [(alarm + datetime.timedelta(seconds=s)).strftime("%H:%M:%S") for s in (1, 2)]
                boxes = [w for w in self.new_mapped_windows(before) if w != wid]
                if box.text != "The alarm clock is going off" or shown not in expected:
                    problems.append(f"hour {hour}: box {box.text!r} with {shown} shown, wanted {expected[0]}")
                time.sleep(0.6)   # the loop starts over once (0.5 s file)
                self.press_return()
                wait_until(lambda: "enabled" in states(found["set"]), 10, "the alarm to disarm")
                time.sleep(0.8)   # the last play (0.5 s file)
                heard = len(desktop.sound_segments(recorder.stop()))
                if heard < 2:
                    problems.append(f"hour {hour}: {heard} sound(s) heard, wanted the loop and a last play")
                again = [w for w in self.desk.windows(program.TITLE) if w != wid]
                if again:
                    problems.append(f"hour {hour}: a box is still up after OK")
                memory = proc_memory_kib(prog.pid)
                hourly.append({"hour": hour, "alarm": alarm.strftime("%m-%d %H:%M:%S"),
                               "shown_at_box": shown,
                               "box_at": box_fake.strftime("%H:%M:%S.%f")[:-3],
                               "rss_kib": memory["rss_kib"], "pss_kib": memory["pss_kib"],
                               "boxes": len(boxes), "sounds": heard})
                log("soak", json.dumps(hourly[-1]))
        finally:
            prog.stop()
        result = {"hours": len(hourly), "hourly": hourly, "problems": problems,
                  "rss_before_first_ring_kib": at_start["rss_kib"],
                  "wall_s": round(time.monotonic() - started, 1)}
        if hourly:
            result["rss_after_hour1_kib"] = hourly[0]["rss_kib"]
            result["rss_end_kib"] = hourly[-1]["rss_kib"]
            result["rss_growth_kib"] = hourly[-1]["rss_kib"] - hourly[0]["rss_kib"]
            result["pss_growth_kib"] = hourly[-1]["pss_kib"] - hourly[0]["pss_kib"]
            result["within_1_mib"] = abs(result["rss_growth_kib"]) <= 1024
            result["rang_every_hour"] = len(hourly) == hours and not problems
        return result


# --- running it ----------------------------------------------------------------------

def loadavg():
    """The 1, 5 and 15 minute load averages: other work on the machine skews
    every figure here."""
    with open("/proc/loadavg") as f:
        return [float(x) for x in f.read().split()[:3]]


def machine():
    cpu = "?"
    try:
        with open("/proc/cpuinfo") as f:
            cpu = next(l.split(":", 1)[1].strip() for l in f if l.startswith("model name"))
    except (OSError, StopIteration):
        pass

    def version(package):
        out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                             capture_output=True, text=True)
        return out.stdout.strip() or None
    return {"cpu": cpu, "cores": os.cpu_count(), "kernel": platform.release(),
            "date": datetime.datetime.now().astimezone().isoformat(timespec="seconds"),
            "versions": {p: version(p) for p in ("libqt6widgets6", "x11-apps", "gnome-clocks",
                                                  "alarm-clock-applet", "xvfb", "openbox",
                                                  "pulseaudio", "libfaketime")}}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--out", help="results file (default bench/results-latest.json, "
                        "or bench/results-quick.json with --quick)")
    parser.add_argument("--soak", action="store_true", help="run only the 24-hour soak")
    parser.add_argument("--quick", action="store_true", help="fewer runs, shorter idle (trying it out)")
    parser.add_argument("--armed-only", action="store_true",
                        help="run only the idle figures Disarmed and Armed beside xclock")
    parser.add_argument("--tick-only", action="store_true",
                        help="run only the tick's figures beside xclock, quiet and with a sound stream")
    parser.add_argument("--section", default="tick",
                        help="where --tick-only puts its figures (e.g. tick_before for an older build)")
    args = parser.parse_args()
    args.out = args.out or os.path.join(HERE, "results-quick.json" if args.quick else "results-latest.json")

    binary = os.path.abspath(os.path.join(args.build, "alarm-clock"))
    os.environ["ALARM_CLOCK_BIN"] = binary
    from desktop import Desktop

    try:
        with open(args.out) as f:
            results = json.load(f)
    except (OSError, ValueError):
        results = {}
    results["machine"] = machine()

    this_section = ("soak" if args.soak else "armed_idle" if args.armed_only
                    else args.section if args.tick_only else "main")
    load_before = loadavg()
    started = time.monotonic()
    with Desktop(tray=True, sound=True) as desk:
        bench = Bench(desk, binary, quick=args.quick)
        if args.soak:
            log("soak: 24 simulated hours")
            results["soak"] = dict(bench.bench_soak(3 if args.quick else 24),
                                   date=results["machine"]["date"])
        elif args.tick_only:
            log("the tick, quiet and with a sound stream")
            results[args.section] = dict(bench.bench_tick(15 if args.quick else 30),
                                         date=results["machine"]["date"], binary=binary)
        elif args.armed_only:
            log("idle, disarmed and armed")
            results["armed_idle"] = dict(bench.bench_armed_idle(15 if args.quick else 60),
                                         date=results["machine"]["date"])
        else:
            runs = 3 if args.quick else 10
            section = {"date": results["machine"]["date"], "damage_extension": bench.has_damage}
            log("start-up")
            section["startup"] = bench.bench_startup(runs)
            log("memory, idle, tick lag")
            section["idle"] = bench.bench_idle(15 if args.quick else 60, 15 if args.quick else 60)
            log("alarm sound")
            section["alarm"] = bench.bench_alarm(runs)
            log("idle, disarmed and armed")
            results["armed_idle"] = dict(bench.bench_armed_idle(15 if args.quick else 60),
                                         date=results["machine"]["date"])
            log("the tick, quiet and with a sound stream")
            results["tick"] = dict(bench.bench_tick(15 if args.quick else 30),
                                   date=results["machine"]["date"], binary=binary)
            section["run_s"] = round(time.monotonic() - started, 1)
            results["main"] = section
    results.pop("last_run_s", None)
    results[this_section]["loadavg_before"] = load_before
    results[this_section]["loadavg_after"] = loadavg()
    with open(args.out + ".new", "w") as f:
        json.dump(results, f, indent=1, sort_keys=True)
    os.replace(args.out + ".new", args.out)
    log("wrote", args.out)


if __name__ == "__main__":
    main()
