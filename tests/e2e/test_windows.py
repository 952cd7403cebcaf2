# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows program under Wine, in Wine's shell desktop with a taskbar and
a notification area: real keys and clicks, the windows read back through the
Win32 API by the probe, what it plays recorded from a null sink, and a faked
wall clock for the program alone. One Wine prefix serves every case; each
case starts the program afresh."""
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest
import wave

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
import stress  # noqa: E402
import wine_desktop  # noqa: E402
from desktop import wait_until  # noqa: E402

BUILD = os.environ.get("ALARM_CLOCK_WINDOWS_BUILD") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build-windows")
EXE = os.path.join(BUILD, "alarm-clock.exe")
PROBE = os.path.join(BUILD, "wine-probe.exe")
TITLE = wine_desktop.TITLE
BOX_TEXT = "The alarm clock is going off"
# The bell of the ring tests: a lead of silence, then a tone, so that each
# play shows apart and a play from the start shows by its silent lead.
LEAD_S, TONE_S = 0.6, 0.4
DROPOUT_S = 0.25  # shorter than the bell's silence between its tones

WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_THICKFRAME, WS_SYSMENU, WS_CAPTION = \
    0x10000, 0x20000, 0x40000, 0x80000, 0xC00000
WS_EX_TOPMOST = 0x8
NIM_ADD, NIM_MODIFY, NIM_DELETE = 0, 1, 2
WM_APP = 0x8000
WM_KEYDOWN, WM_SYSCOMMAND, SC_MOVE, VK_RETURN, VK_ESCAPE, GUI_INMOVESIZE = 0x100, 0x112, 0xF010, 0x0D, 0x1B, 0x2

# Each control at its place in the client area (twips at 15 per pixel).
LAYOUT = [  # class, text (None: changes), left, top, width, height, enabled
    ("Static", "Current time", 120, 120, 975, 255, True),
    ("Static", None, 2520, 120, 1575, 255, True),
    ("Static", "Time when alarm should go off", 120, 600, 2295, 255, True),
    ("SysDateTimePick32", None, 2520, 540, 1575, 375, True),
    ("Button", "&Set", 960, 1080, 975, 375, True),
    ("Button", "Cancel", 2040, 1080, 975, 375, False),
    ("Button", "E&xit", 3120, 1080, 975, 375, True),
]

desk = None


def setUpModule():
    global desk
    for path in (EXE, PROBE):
        if not os.path.exists(path):
            raise unittest.SkipTest(f"{path} is not built (make windows)")
    desk = wine_desktop.WineDesktop(PROBE).__enter__()


def tearDownModule():
    if desk is not None:
        desk.__exit__(None, None, None)


def seconds_of_day(text):
    """Seconds of the day of a time as Windows writes it ("7:29:52 AM", "07:29:52")."""
    found = re.search(r"(\d{1,2}):(\d\d):(\d\d)\s*([AaPp])?", text or "")
    if not found:
        return None
    hours, minutes, secs = (int(g) for g in found.groups()[:3])
    if found.group(4):
        hours = hours % 12 + (12 if found.group(4) in "Pp" else 0)
    return hours * 3600 + minutes * 60 + secs


def hms(text):
    return seconds_of_day(text.split(" ", 1)[1] if re.match(r"\d{4}-", text) else text)


def heard(recorder):
    """Sound segments recorded so far, in seconds from the recording's start."""
    with open(recorder.path, "rb") as f:
        raw = f.read()
    pcm = raw[raw.find(b"data") + 8:]
    copy = recorder.path + ".so-far.wav"
    with wave.open(copy, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(44100)
        out.writeframes(pcm[:len(pcm) // 2 * 2])
    return desktop.sound_segments(copy)


def tones_in(segments):
    """(start, end, seconds sounding) of each tone: segments less than
    DROPOUT_S apart are one tone that the sound server under load let drop out."""
    tones = []
    for start, end in segments:
        if tones and start - tones[-1][1] < DROPOUT_S:
            first, _, sounding = tones[-1]
            tones[-1] = (first, end, round(sounding + end - start, 3))
        else:
            tones.append((start, end, round(end - start, 3)))
    return tones


class WindowsProgramTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(dir=desk.tmp)
        self.clock_file = os.path.join(self.folder, "clock")
        self.prog = None
        desk.notify_calls()  # what earlier cases left

    def tearDown(self):
        if self.prog is not None:
            self.prog.stop()
        # The next case starts from a desktop without the program.
        desk.wait(lambda s: not s.mains and not s.boxes and not s.icons,
                  "the program's windows and icon to go", timeout=15)

    # -- helpers

    def start(self, at="2026-12-07 07:29:52", bell="tone", folder="program", trace=None):
        """Starts the program from another working folder, its clock at `at`
        (UTC), with `bell` beside it: "tone", the tone in another of sox's
        encodings ("u-law", "ima-adpcm"), "broken" or None (missing); `trace`:
        Wine's debug channels for the program."""
        self.set_clock(at)
        exe_folder = os.path.join(self.folder, folder)
        os.makedirs(exe_folder)
        wav = os.path.join(exe_folder, "alarm.wav")
        if bell not in ("broken", None):
            tone = os.path.join(self.folder, "tone.wav")
            subprocess.run(
                ["sox", "-n", "-r", "44100", "-b", "16", "-c", "1", tone, "synth", str(TONE_S), "sine",
                 "660", "vol", "0.5", "pad", str(LEAD_S), "0"], check=True, capture_output=True)
            subprocess.run(["sox", tone] + ([] if bell == "tone" else ["-e", bell]) + [wav], check=True,
                           capture_output=True)
        elif bell == "broken":
            with open(wav, "wb") as f:
                f.write(b"RIFF\xff\xff\xff\x7fWAVEfmt \x02\x00\x00\x00\x01" + os.urandom(4000))
        cwd = os.path.join(self.folder, "elsewhere")
        os.makedirs(cwd, exist_ok=True)
        env = program.fake_clock_env(self.clock_file)
        if trace:
            env["WINEDEBUG"] = trace
        self.prog = desk.start_program(EXE, exe_folder, cwd, env)
        state = desk.wait(lambda s: s.shown and s.icons and s, "the window and its icon", timeout=30)
        self.hwnd = state.main.hwnd
        self.assertIconCalls([NIM_ADD])
        return state

    def set_clock(self, at):
        """Moves the program's clock to `at` (UTC), from where it runs on."""
        self.clock_offset = program.epoch(at) - time.time()
        program.set_clock(self.clock_file, program.epoch(at))

    def fake_now(self):
        """Seconds of the day on the program's clock now."""
        return int(time.time() + self.clock_offset) % 86400

    def assertShowsTheTime(self, read):
        """The time label, read by read(), shows the program's clock: the
        present second, or the one before when a tick is just due."""
        before = self.fake_now()
        shown = self.label(read())
        self.assertIn(shown, range(before - 1, self.fake_now() + 1))
        return shown

    def assertIconCalls(self, messages):
        """The program's Shell_NotifyIcon calls since the last look: these
        messages, each for its window's icon 1, with the tip, the icon and a
        callback message of its own (flags 7, WM_APP + n). The window's own
        pointer-move message as the callback would act on every move."""
        calls = desk.notify_calls()
        self.assertEqual([c["message"] for c in calls], messages, calls)
        for call in calls:
            self.assertEqual((call["hwnd"], call["id"]), (self.hwnd, 1), calls)
            if call["message"] == NIM_ADD:
                self.assertEqual(call["flags"], 7, calls)
                self.assertTrue(WM_APP <= call["callback"] < 0xC000, calls)
                self.icon_callback = call["callback"]

    def label(self, state):
        return seconds_of_day(self.time_label(state.main)["text"])

    @staticmethod
    def time_label(main):
        return next(c for c in main.controls if c["class"] == "Static" and seconds_of_day(c["text"]) is not None)

    @staticmethod
    def picker(main):
        return main.control("SysDateTimePick32")

    @staticmethod
    def armed(main):
        return (not main.control("Button", "&Set")["enabled"] and main.control("Button", "Cancel")["enabled"]
                and not main.control("SysDateTimePick32")["enabled"])

    @staticmethod
    def disarmed(main):
        return (main.control("Button", "&Set")["enabled"] and not main.control("Button", "Cancel")["enabled"]
                and main.control("SysDateTimePick32")["enabled"])

    def focus_on(self, cls, text=None):
        return desk.wait(lambda s: s.main and (f := s.main.focused()) and f["class"] == cls
                         and (text is None or f["text"] == text) and s, f"the focus on {cls} {text or ''}")

    def arm_for(self, hh, mm, ss):
        """Types the time into the picker with real keys and presses Alt+S."""
        self.focus_on("SysDateTimePick32")
        # Leaving the picker and coming back clears its field selection: the
        # first Right then selects the hours.
        desk.key("Tab")
        self.focus_on("Button", "&Set")
        desk.key("shift+Tab")
        self.focus_on("SysDateTimePick32")
        desk.key("Right", *hh, "Right", *mm, "Right", *ss)
        want = seconds_of_day(f"{hh}:{mm}:{ss}")
        desk.wait(lambda s: hms(self.picker(s.main)["value"] or "") == want, "the picker to hold the time typed")
        desk.key("alt+s")
        return desk.wait(lambda s: self.armed(s.main) and s, "the alarm to be armed")

    def click_icon(self, double=False):
        icon = desk.state().icons[0]
        (desk.double_click if double else desk.click)(*wine_desktop.center(icon["rect"]))

    # At once, also right after a single click on the icon (within the
    # double-click time): the window hides all the same.
    def minimize(self):
        corners = desk.probe.ask(f"caption {self.hwnd}")
        desk.click(*corners["minbox"])
        state = desk.wait(lambda s: s.main and not s.main.visible and TITLE not in s.taskbar and s,
                          "the window to hide, off the taskbar")
        self.assertTrue(state.icons, "the icon stays")

    def wait_restored(self):
        return desk.wait(lambda s: s.shown and s.is_foreground(s.main) and TITLE in s.taskbar and s,
                         "the window back on the screen and the taskbar, in the foreground")

    def open_icon_menu(self):
        icon = desk.state().icons[0]
        desk.click(*wine_desktop.center(icon["rect"]), button=3)
        return desk.wait(lambda s: s.menus and s.menus[0], "the icon's menu")

    def choose(self, menu, index, count=2):
        """Clicks the index-th of the menu's count items (all of one height)."""
        left, top, right, bottom = menu
        desk.click((left + right) // 2, top + (bottom - top) * (2 * index + 1) // (2 * count))

    def wait_ended(self):
        """The program ends: no window, no box, no icon left behind."""
        seen = []
        desk.wait(lambda s: seen.append(s) or not s.mains, "the window to go")
        self.assertFalse(any(s.boxes for s in seen), "no ring")
        self.prog.wait_exit(timeout=10)
        # Wine's taskbar drops the icon of a window that is gone by itself:
        # the program's own NIM_DELETE shows in its calls.
        self.assertIconCalls([NIM_DELETE])
        state = desk.state()
        self.assertEqual((state.mains, state.boxes, state.icons), ([], [], []), "nothing left behind")

    def ring(self, hidden=False):
        """Arms for 07:30:00 at 07:29:52, lets it ring and dismisses the box.
        Returns (the recorder; recording times of: the box, and the pair between
        which the program took the OK)."""
        recorder = desk.record(os.path.join(self.folder, "heard.wav"))
        origin = time.monotonic()
        self.arm_for("07", "30", "00")
        before = None
        if hidden:
            self.minimize()
            before = desk.state().foreground
        state = desk.wait(lambda s: s.box and s, "the ringing box", timeout=15)
        box_at = time.monotonic() - origin
        box = state.box
        self.assertIsNotNone(box, state)
        self.assertEqual(box.title, TITLE)
        self.assertIn(BOX_TEXT, box.texts)
        self.assertTrue(box.exstyle & WS_EX_TOPMOST, "above every window")
        self.assertIn(self.label(state), (seconds_of_day("07:30:01"), seconds_of_day("07:30:02")),
                      "rings at the first tick past its second")
        self.assertTrue(self.armed(state.main), "still armed while the box is open")
        state = desk.wait(lambda s: s.is_foreground(s.box) and s, "the box to take the foreground")
        rang_at = self.label(state)
        # Over several ticks: one box, and the window stays as it was.
        seen = []
        desk.wait(lambda s: seen.append(s) or self.label(s) >= rang_at + 4, "four more ticks", timeout=8)
        for s in seen:
            self.assertEqual(len(s.boxes), 1, f"one box while it is open: {s}")
            self.assertEqual(bool(s.shown), not hidden, s)
        desk.key("Return")
        # The program took the OK after the last look that still found the box
        # open was asked for, and before the first that found it closed was
        # answered; each look is asked for after the one before was answered.
        asked = time.monotonic() - origin
        ok_at = [asked, None]

        def disarmed(s):
            nonlocal asked
            answered = time.monotonic() - origin
            if s.boxes:
                ok_at[0] = asked
            elif ok_at[1] is None:
                ok_at[1] = answered
            asked = answered
            return not s.boxes and self.disarmed(s.main) and s
        state = desk.wait(disarmed, "the alarm to disarm")
        self.assertEqual(bool(state.shown), not hidden, "the ring leaves the window as it was")
        if hidden:
            # The keyboard goes back to the window the user was in, never to the hidden one.
            state = desk.wait(lambda s: s.foreground == before and s, f"the foreground back to {before}")
            self.assertFalse(state.is_foreground(state.main), state)
        return recorder, box_at, tuple(ok_at)

    # -- cases

    def test_start_up(self):
        state = self.start()
        main = state.main
        self.assertEqual(main.title, TITLE)
        self.assertEqual(main.style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)
        self.assertFalse(main.style & (WS_THICKFRAME | WS_MAXIMIZEBOX), "a fixed border, no maximize box")
        # The layout at 96 DPI, grown as a whole where the font's texts need it.
        left, top, right, bottom = main.client
        scale = (right - left) / 281
        self.assertGreaterEqual(scale, 1.0)
        self.assertAlmostEqual(bottom - top, 107 * scale, delta=1, msg="the client area grows evenly")

        def pixels(twips):
            return twips * scale / 15
        for cls, text, x, y, w, h, enabled in LAYOUT:
            with self.subTest(control=text or cls):
                found = [c for c in main.controls if c["class"] == cls and (text is None or c["text"] == text)
                         and abs(c["rect"][0] - left - pixels(x)) <= 1 and abs(c["rect"][1] - top - pixels(y)) <= 1]
                self.assertEqual(len(found), 1, main.controls)
                rect = found[0]["rect"]
                self.assertAlmostEqual(rect[2] - rect[0], pixels(w), delta=1)
                self.assertAlmostEqual(rect[3] - rect[1], pixels(h), delta=1)
                self.assertEqual(found[0]["enabled"], enabled)
        # Windows names a control after the label just before it among its siblings.
        texts = {c["hwnd"]: c["text"] for c in main.controls}
        self.assertEqual([texts.get(self.time_label(main)["prev"]), texts.get(self.picker(main)["prev"])],
                         ["Current time", "Time when alarm should go off"])
        started = self.assertShowsTheTime(desk.state)
        value = self.picker(main)["value"]
        self.assertTrue(value.startswith("2026-12-07 "), value)
        self.assertIn(hms(value), range(seconds_of_day("07:29:52"), started + 1), "the start-up time")
        self.assertEqual(main.focused()["class"], "SysDateTimePick32", "the focus on the picker")
        self.assertTrue(state.is_foreground(main))
        self.assertIn(TITLE, state.taskbar)
        self.assertEqual(len(state.icons), 1, "one icon, with its tip")

        # The label follows the clock, also when it jumps.
        self.set_clock("2026-12-07 13:14:15")
        desk.wait(lambda s: self.label(s) >= seconds_of_day("13:14:15"), "the label to follow")
        now = self.assertShowsTheTime(desk.state)
        desk.wait(lambda s: self.label(s) == now + 1, "the next second", timeout=3)

    def test_set_and_cancel_from_the_keyboard(self):
        self.start()
        state = self.arm_for("09", "15", "30")
        self.assertEqual(hms(self.picker(state.main)["value"]), seconds_of_day("09:15:30"))
        # Set is disabled now: Tab leads to Cancel, and the space bar presses it.
        for _ in range(4):
            if (f := desk.state().main.focused()) and f["text"] == "Cancel":
                break
            before = f and f["hwnd"]
            desk.key("Tab")
            desk.wait(lambda s: (f := s.main.focused()) and f["hwnd"] != before, "the focus to move")
        self.focus_on("Button", "Cancel")
        desk.key("space")
        state = desk.wait(lambda s: self.disarmed(s.main) and s, "the alarm to disarm")
        self.assertEqual(hms(self.picker(state.main)["value"]), seconds_of_day("09:15:30"), "the picker keeps it")

    def test_labels_in_the_system_text_colour(self):
        """(High contrast, with the system's window colours, is always off under Wine.)"""
        colours = r"HKCU\Control Panel\Colors"
        desk.set_registry(colours, "WindowText", "192 0 0")  # read by the programs started next
        self.addCleanup(desk.set_registry, colours, "WindowText", "0 0 0")
        self.start()
        left, top, right, bottom = self.time_label(desk.state().main)["rect"]
        png = desk.screenshot(os.path.join(self.folder, "window.png"))
        rect = (left + desk.origin[0], top + desk.origin[1], right - left, bottom - top)
        self.assertGreater(program.count_colour(png, rect, lambda *rgb: rgb == (192, 0, 0)), 20)

    def test_keys(self):
        """Access keys act with Alt only; Tab and Shift+Tab go round the
        enabled controls; Enter presses the focused button, as in a dialog;
        Enter and Esc elsewhere do nothing. Each step's last key moves the
        focus, which shows that the keys before it were handled."""
        self.start()
        steps = [  # keys; then the focus on (None: the picker), armed
            ("Tab", "&Set", False), ("Tab", "E&xit", False), ("Tab", None, False),
            ("shift+Tab", "E&xit", False), ("shift+Tab", "&Set", False), ("shift+Tab", None, False),
            ("Return Escape Tab", "&Set", False), ("s x Tab", "E&xit", False), ("x s shift+Tab", "&Set", False),
            ("Return", "Cancel", True), ("x s Escape Tab", "E&xit", True), ("shift+Tab", "Cancel", True),
            ("Return", "&Set", False)]
        for keys, focus, armed in steps:
            with self.subTest(keys=keys, focus=focus):
                desk.key(*keys.split())
                state = self.focus_on("Button", focus) if focus else self.focus_on("SysDateTimePick32")
                self.assertEqual(self.armed(state.main), armed)
        # Enter held down repeats its key-down (bit 30 set): only the first one presses.
        desk.probe.ask(f"post {state.main.focus} {WM_KEYDOWN} {VK_RETURN} {0x40000001}")
        desk.key("Tab")
        state = self.focus_on("Button", "E&xit")
        self.assertTrue(self.disarmed(state.main), "a repeat presses nothing")

    def test_a_tick_leaves_other_loops_their_keys(self):
        """The box's, a menu's and a drag's modal loops run the ticks too: a
        key queued for them when a tick comes stays theirs."""
        self.start()

        def in_loop(s):
            return s.menus or s.boxes or s.main.threadflags & GUI_INMOVESIZE
        for loop, begin in (("menu", self.open_icon_menu),
                            ("drag", lambda: desk.probe.ask(f"post {self.hwnd} {WM_SYSCOMMAND} {SC_MOVE} 0")),
                            ("box", lambda: self.arm_for("07", "30", "00"))):
            with self.subTest(loop):
                begin()
                desk.wait(in_loop, f"the {loop}'s loop", timeout=15)
                desk.probe.ask(f"tick {self.hwnd} {VK_ESCAPE}")
                desk.wait(lambda s: not in_loop(s), f"Esc to end the {loop}")

    def test_ring_at_its_second(self):
        self.start()
        recorder, box_at, ok_at = self.ring()
        self.check_heard(recorder, box_at, ok_at)

    def test_ring_while_hidden_in_the_notification_area(self):
        self.start()
        recorder, box_at, ok_at = self.ring(hidden=True)
        self.check_heard(recorder, box_at, ok_at)
        self.assertTrue(desk.state().icons, "the icon stays")

    def test_wake_timer_and_the_output_read_at_the_ring(self):
        """Read from Wine's traces of the program: its server requests (the
        timer's due time, as an absolute FILETIME), its NtSetTimer calls (the
        fifth value is the resume flag) and its Core Audio calls. Wine's
        endpoint volume answers unmuted at full volume and reaches no sound
        server: the program reads it at the ring and has nothing to set."""
        self.addCleanup(desk.restart_server)  # the server's trace holds until it ends
        log_from = os.path.getsize(desk.server_log)
        main = self.start(trace="+server,trace+sync,trace+mmdevapi").main

        def timer_calls():
            """The program's requests on its one timer: (set or cancel, expire)."""
            with open(desk.server_log, errors="replace") as log:
                log.seek(log_from)
                text = log.read()
            tid = re.search(rf"^\w+: init_first_thread\(\) = 0 {{ pid={main.pid:04x}, tid=(\w+)", text, re.M)[1]
            created = re.search(rf"^{tid}: create_timer\(\) = 0 {{ handle=(\w+) }}", text, re.M)
            return created and re.findall(rf"^{tid}: (set|cancel)_timer\( handle={created[1]}(?:, expire=(\w+))?",
                                          text, re.M)

        def armed_for(at):
            return ("set", f"{int((program.epoch(at) + 11644473600) * 10**7):x}")
        # The lead before the ring's moment, the first second past the alarm's.
        self.arm_for("07", "31", "00")
        wait_until(lambda: timer_calls() == [armed_for("2026-12-07 07:30:46")], 10, "the wake timer", interval=0.2)
        desk.click(*wine_desktop.center(desk.state().main.control("Button", "Cancel")["rect"]))
        wait_until(lambda: timer_calls()[1:] == [("cancel", "")], 10, "Cancel to end it", interval=0.2)
        self.assertNotIn("AEV_", self.prog.output()[1], "the output is left alone until the ring")
        # The lead has begun: the wake at the ring itself; the ring ends it.
        self.set_clock("2026-12-07 07:29:52")
        desk.key("shift+Tab")  # from Set, where Cancel left the focus, to the picker
        self.ring()[0].stop()
        self.assertEqual(timer_calls()[2:], [armed_for("2026-12-07 07:30:01"), ("cancel", "")])
        err = self.prog.output()[1]
        self.assertEqual(re.findall(r"trace:sync:NtSetTimer \(\w+,\w+,\(nil\),\(nil\),(\d+),", err),
                         ["00000001"] * 2, "with the resume flag")
        calls = set(re.findall(r"trace:mmdevapi:(AEV_\w+)", err))
        self.assertLessEqual({"AEV_GetMute", "AEV_GetMasterVolumeLevelScalar"}, calls, err)
        self.assertFalse({call for call in calls if call.startswith("AEV_Set")}, err)

    def check_heard(self, recorder, box_at, ok_at):
        """The loop while the box is open, with no restart; then one play from
        the start, after OK (ok_at: the times between which the program took it)."""
        took_from, took_by = ok_at
        # A tone of the loop began before the program took the OK; the last
        # play's tone only after a lead of silence from then.
        split = took_from + LEAD_S - 0.15

        def last_play_heard():
            tones = tones_in(heard(recorder))
            recorded = self.recorded_s(recorder)
            return (tones and tones[-1][0] >= split and tones[-1][1] < recorded - 0.3
                    and recorded > took_by + LEAD_S + TONE_S + 0.5 and tones)
        try:
            tones = wait_until(last_play_heard, 10, "the last play to be heard to its end", interval=0.3)
        finally:
            recorder.stop()
        looped = [tone for tone in tones if tone[0] < split]
        after = [tone for tone in tones if tone[0] >= split]
        self.assertGreaterEqual(len(looped), 3, f"the loop while the box is open: {tones}")
        self.assertGreater(looped[0][0], box_at - LEAD_S - TONE_S - 0.5, f"nothing before the ring: {tones}")
        for a, b in zip(looped, looped[1:]):
            self.assertAlmostEqual(b[0] - a[0], LEAD_S + TONE_S, delta=0.1, msg=f"an even loop: {tones}")
        for _, _, sounding in looped[:-1]:
            self.assertAlmostEqual(sounding, TONE_S, delta=0.1, msg=tones)
        self.assertEqual(len(after), 1, f"one last play, from its start: {tones}")
        # To its end; Wine's sound driver sometimes repeats a few hundredths
        # of a second of it as the device closes.
        self.assertGreater(after[0][2], TONE_S - 0.1, f"the whole tone: {tones}")
        self.assertLess(after[0][2], TONE_S + 0.2, f"the tone once: {tones}")

    @staticmethod
    def recorded_s(recorder):
        return (os.path.getsize(recorder.path) - 44) / 2 / 44100

    def restart(self, **start):
        """Ends the program, then starts it again as start() is told."""
        self.tearDown()
        desk.notify_calls()
        return self.start(**start)

    def test_compressed_bells_ring_audibly(self):
        for encoding in ("u-law", "ima-adpcm"):
            with self.subTest(encoding=encoding):
                (self.restart if self.prog else self.start)(bell=encoding, folder=encoding)
                self.check_heard(*self.ring())

    def test_names_and_texts_outside_the_code_page(self):
        with self.subTest("a program folder named in Greek and Chinese rings"):
            self.start(folder="Ξυπνητήρι 鬧鐘")
            self.check_heard(*self.ring())
        with self.subTest("a Korean AM designator in the label"):
            reg = ["wine", "reg", "add", r"HKCU\Control Panel\International", "/v", "s1159", "/f", "/d"]
            subprocess.run(reg + ["오전"], env=desk.env, check=True, capture_output=True)
            try:
                state = self.restart()
            finally:
                subprocess.run(reg + ["AM"], env=desk.env, check=True, capture_output=True)
            self.assertRegex(self.time_label(state.main)["text"], r"^\d{1,2}:\d\d:\d\d 오전$")

    def ring_silently(self, bell):
        self.start(bell=bell)
        recorder, _, _ = self.ring()
        self.assertEqual(heard(recorder), [], "silence")
        recorder.stop()

    def test_missing_bell_rings_silently(self):
        self.ring_silently(None)

    def test_broken_bell_rings_silently(self):
        self.ring_silently("broken")

    def test_minimize_hides_and_the_icon_brings_it_back(self):
        self.start()
        for how in ("click", "double click", "menu Restore"):
            with self.subTest(how=how):
                self.minimize()
                if how in ("click", "double click"):
                    self.click_icon(double=how == "double click")
                else:
                    self.choose(self.open_icon_menu(), 0)
                self.wait_restored()

    def test_exit_while_armed_never_rings_and_leaves_no_icon(self):
        self.start()
        self.arm_for("07", "31", "00")
        desk.key("alt+x")
        self.wait_ended()

    def test_close_box_removes_the_icon(self):
        self.start()
        desk.click(*desk.probe.ask(f"caption {self.hwnd}")["closebox"])
        self.wait_ended()

    def test_menu_exit_while_hidden_leaves_no_icon(self):
        self.start()
        self.minimize()
        self.choose(self.open_icon_menu(), 1)
        self.wait_ended()

    def test_icon_stays_through_taskbar_created_and_a_press_does_nothing(self):
        self.start()
        # Sent also when only the shell's settings or the screen's scale changed.
        desk.broadcast_taskbar_created()
        self.assertIconCalls([NIM_ADD, NIM_MODIFY])
        self.minimize()
        for event in (0x201, 0x205):  # a left press; the right release after it opens the menu
            desk.probe.ask(f"post {self.hwnd} {self.icon_callback} 1 {event}")
        state = desk.wait(lambda s: s.menus and s, "the icon's menu")
        self.assertFalse(state.main.visible, "the press leaves the window hidden")
        self.choose(state.menus[0], 0)
        self.wait_restored()

    def test_a_window_that_cannot_be_made_ends_the_program(self):
        """Wine without its display makes none; the report's box cannot show either."""
        os.makedirs(folder := os.path.join(self.folder, "program"))
        self.prog = desk.start_program(EXE, folder, self.folder, {"DISPLAY": None})
        self.assertEqual(self.prog.wait_exit(timeout=60), 1)

    def test_icon_comes_back_when_the_shell_restarts(self):
        self.start()
        self.minimize()
        state = desk.state()
        # A shell that ends takes its icons with it; the next one, once up,
        # tells every window "TaskbarCreated".
        desk.forget_icons(state.main)
        desk.wait(lambda s: not s.icons, "the icon to go with the shell")
        desk.notify_calls()
        desk.broadcast_taskbar_created()
        state = desk.wait(lambda s: s.icons and s, "the icon to come back")
        self.assertIconCalls([NIM_ADD])
        desk.click(*wine_desktop.center(state.icons[0]["rect"]))
        self.wait_restored()


load_tests = stress.load_tests_of(WindowsProgramTest, ["test_minimize_hides_and_the_icon_brings_it_back",
                                                      "test_wake_timer_and_the_output_read_at_the_ring"])

if __name__ == "__main__":
    unittest.main(verbosity=2)
