#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the desktop test helpers against xclock and a small Qt program.

Run: /usr/bin/python3 tests/e2e/test_desktop_selfcheck.py
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402

PROBE_SOURCE = r"""
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <cstdio>

static void say(const char *what) { std::puts(what); std::fflush(stdout); }

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Selfcheck");
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLineEdit);
    auto *press = new QPushButton("&Press me");
    auto *message = new QPushButton("Show &message");
    layout->addWidget(press);
    layout->addWidget(message);
    QObject::connect(press, &QPushButton::clicked, [] { say("pressed"); });
    QObject::connect(message, &QPushButton::clicked, [&] {
        QMessageBox::information(&window, "Selfcheck", "Hello from the box");
        say("message closed");
    });
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::red);
    QSystemTrayIcon tray{QIcon(pixmap)};
    QMenu menu;
    menu.addAction("Say hello", [] { say("hello"); });
    tray.setContextMenu(&menu);
    QObject::connect(&tray, &QSystemTrayIcon::activated, [](QSystemTrayIcon::ActivationReason r) {
        say(r == QSystemTrayIcon::Trigger ? "trigger"
            : r == QSystemTrayIcon::DoubleClick ? "double click" : "other activation");
    });
    tray.show();
    window.resize(320, 160);
    window.show();
    return app.exec();
}
"""

TITLE = "Selfcheck"


def build_probe(folder):
    """Compiles the Qt probe; returns (path, None) or (None, why not)."""
    # Named like its window, so that its tray icon window carries the same title.
    source, binary = os.path.join(folder, "probe.cpp"), os.path.join(folder, TITLE)
    with open(source, "w") as f:
        f.write(PROBE_SOURCE)
    try:
        flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt6Widgets"],
                               capture_output=True, text=True, check=True).stdout.split()
        subprocess.run(["g++", "-std=c++20", "-fPIC", source, "-o", binary, *flags],
                       capture_output=True, text=True, check=True, timeout=300)
    except (OSError, subprocess.SubprocessError) as error:
        details = getattr(error, "stderr", "") or ""
        return None, f"cannot build the Qt probe: {error}\n{details[-2000:]}"
    return binary, None


def wait_output(program, line, timeout=5):
    desktop.wait_until(lambda: line in program.stdout().splitlines(), timeout,
                       f"{line!r} on the stdout of {program.argv[0]}")


def setUpModule():
    """One desktop for the whole file: pyatspi stays bound to the first one."""
    global DESK, PROBE, PROBE_ERROR
    build_dir = tempfile.mkdtemp(prefix="e2e-probe-")
    unittest.addModuleCleanup(shutil.rmtree, build_dir, ignore_errors=True)
    PROBE, PROBE_ERROR = build_probe(build_dir)
    started = time.monotonic()
    DESK = desktop.Desktop(tray=True, sound=True).__enter__()
    unittest.addModuleCleanup(stop_desktop)
    print(f"desktop started in {time.monotonic() - started:.2f} s in {DESK.tmp}",
          file=sys.stderr)


def stop_desktop():
    started = time.monotonic()
    DESK.__exit__(None, None, None)
    print(f"desktop stopped in {time.monotonic() - started:.2f} s", file=sys.stderr)


class SharedDesktopTest(unittest.TestCase):
    def setUp(self):
        self.desk = DESK

    def start_probe(self):
        if PROBE is None:
            self.skipTest(PROBE_ERROR)
        program = self.desk.start_program([PROBE])
        self.addCleanup(program.stop)
        window = self.desk.wait_window(TITLE, pid=program.pid)
        return program, window

    def docked_icon(self):
        icons = self.desk.wait_tray_icon()
        self.assertEqual(len(icons), 1, icons)
        return icons[0]


class WindowTest(SharedDesktopTest):
    def test_xclock_is_managed_and_closes_like_from_its_close_box(self):
        program = self.desk.start_program(["xclock", "-update", "1"])
        self.addCleanup(program.stop)
        window = self.desk.wait_window("xclock")
        self.assertEqual(self.desk.window_state(window).wm, "Normal")
        x, y, w, h = self.desk.window_geometry(window)
        self.assertTrue(0 <= x and 0 <= y and x + w <= 1280 and y + h <= 800, (x, y, w, h))
        self.desk.close_window(window)
        program.wait_exit(5)
        self.desk.wait_window_gone("xclock", 2)

    def test_probe_window_is_found_but_not_its_tray_icon_window(self):
        _, window = self.start_probe()
        self.docked_icon()
        self.assertEqual(self.desk.windows(TITLE), [window])

    def test_minimize_shows_iconic_and_activate_restores(self):
        _, window = self.start_probe()
        self.desk.minimize(window)
        desktop.wait_until(lambda: self.desk.window_state(window).wm == "Iconic", 5,
                           "the window to become iconic")
        self.assertIn("_NET_WM_STATE_HIDDEN", self.desk.window_state(window).net)
        self.assertFalse(self.desk.is_mapped(window))
        self.desk.activate(window)
        self.assertEqual(self.desk.window_state(window).wm, "Normal")
        self.assertTrue(self.desk.is_mapped(window))

    def test_keys_reach_the_active_window(self):
        program, window = self.start_probe()
        self.desk.activate(window)
        self.desk.key("alt+p")
        wait_output(program, "pressed")

    def test_typed_text_lands_in_the_focused_field(self):
        _, window = self.start_probe()
        self.desk.activate(window)
        self.desk.type_text("07:30 wake up")
        field = self.desk.find(self.desk.app(TITLE), "text")
        desktop.wait_until(lambda: desktop.text(field) == "07:30 wake up", 5,
                           "the typed text in the line edit")

    def test_click_at_a_button_presses_it(self):
        program, _ = self.start_probe()
        button = self.desk.find(self.desk.app(TITLE), "push button", "Press me")
        self.desk.click(*desktop.center(button))
        wait_output(program, "pressed")

    def test_closing_the_window_ends_the_program(self):
        program, window = self.start_probe()
        self.desk.close_window(window)
        self.assertEqual(program.wait_exit(5), 0)
        self.assertFalse(program.is_running())
        self.desk.wait_window_gone(TITLE, 2)

    def test_screenshot_covers_the_screen(self):
        path = self.desk.screenshot(os.path.join(self.desk.tmp, "screen.png"))
        size = subprocess.run(["identify", "-format", "%wx%h", path],
                              capture_output=True, text=True, check=True).stdout
        self.assertEqual(size, "1280x800")


class AccessibilityTest(SharedDesktopTest):
    def test_button_is_found_by_caption_and_pressed(self):
        program, _ = self.start_probe()
        button = self.desk.find(self.desk.app(TITLE), "push button", "Press me")
        self.assertTrue({"enabled", "sensitive", "showing"} <= desktop.states(button))
        desktop.press(button)
        wait_output(program, "pressed")

    def test_message_box_shows_as_alert(self):
        program, _ = self.start_probe()
        desktop.press(self.desk.find(self.desk.app(TITLE), "push button", "Show message"))
        alert = self.desk.wait_alert()
        self.assertEqual(alert.text, "Hello from the box")
        desktop.press(alert.ok)
        wait_output(program, "message closed")

    def test_missing_button_times_out_naming_it(self):
        self.start_probe()
        with self.assertRaisesRegex(TimeoutError, "push button 'No such'"):
            self.desk.find(self.desk.app(TITLE), "push button", "No such", timeout=0.5)


class TrayTest(SharedDesktopTest):
    def test_click_on_docked_icon_reaches_program(self):
        program, _ = self.start_probe()
        icon = self.docked_icon()
        self.assertTrue(icon.x + icon.w <= 1280 and icon.y + icon.h <= 800, icon)
        center = (icon.x + icon.w // 2, icon.y + icon.h // 2)
        self.desk.click(*center)
        wait_output(program, "trigger")
        self.assertEqual(self.desk.pointer(), center)

    def test_double_click_on_icon(self):
        program, _ = self.start_probe()
        icon = self.docked_icon()
        self.desk.double_click(icon.x + icon.w // 2, icon.y + icon.h // 2)
        wait_output(program, "double click")

    def test_context_menu_shows_as_popup_and_its_item_works(self):
        program, _ = self.start_probe()
        icon = self.docked_icon()
        with self.desk.watch_popup_menus() as popups:
            self.desk.click(icon.x + icon.w // 2, icon.y + icon.h // 2, button=3)
            menu = popups.wait(5)
        desktop.press(self.desk.find(menu, "menu item", "Say hello"))
        wait_output(program, "hello")

    def test_icon_docks_again_when_the_tray_comes_back(self):
        self.start_probe()
        self.docked_icon()
        self.desk.kill_tray()
        self.assertEqual(self.desk.tray_icons(), [])
        self.desk.start_tray()
        self.docked_icon()


class SoundTest(SharedDesktopTest):
    def test_played_tone_is_recorded_as_one_segment(self):
        tone = desktop.make_tone(os.path.join(self.desk.tmp, "tone.wav"), 0.5)
        recorder = self.desk.record(os.path.join(self.desk.tmp, "tone-rec.wav"))
        time.sleep(0.2)
        self.desk.play(tone)
        time.sleep(0.2)
        segments = desktop.sound_segments(recorder.stop())
        self.assertEqual(len(segments), 1, segments)
        start, end = segments[0]
        self.assertGreaterEqual(start, 0.15)
        self.assertAlmostEqual(end - start, 0.5, delta=0.05)

    def test_silence_has_no_segments(self):
        recorder = self.desk.record(os.path.join(self.desk.tmp, "silence.wav"))
        time.sleep(0.5)
        self.assertEqual(desktop.sound_segments(recorder.stop()), [])

    def test_sound_server_can_die_and_come_back(self):
        def server_answers():
            return subprocess.run(["pactl", "info"], env=self.desk.env,
                                  capture_output=True).returncode == 0
        self.desk.kill_sound_server()
        self.assertFalse(server_answers())
        self.desk.start_sound_server()
        self.assertTrue(server_answers())


class FakeTimeTest(unittest.TestCase):
    def test_clock_follows_the_timestamp_file(self):
        with tempfile.TemporaryDirectory() as folder:
            stamp = os.path.join(folder, "now")
            env = {**os.environ, **desktop.faketime_env(stamp)}

            def date():
                return subprocess.run(["date", "+%F %T"], env=env, capture_output=True,
                                      text=True, check=True).stdout.strip()
            desktop.set_fake_time(stamp, "2030-01-02 03:04:05")
            self.assertTrue(date().startswith("2030-01-02 03:04:0"))
            desktop.set_fake_time(stamp, "1999-12-31 23:59:58")
            self.assertTrue(date().startswith("1999-12-31 23:59:5"))


class LifeCycleTest(unittest.TestCase):
    def test_exit_stops_every_process_and_removes_the_folder(self):
        with desktop.Desktop(tray=True, sound=True, accessibility=False) as desk:
            program = desk.start_program(["xclock"])
            desk.wait_window("xclock")
            pids = desk.pids()
            folder = desk.tmp
            self.assertIn(program.pid, pids)
            self.assertGreaterEqual(len(pids), 7, "Xvfb, 2 buses, openbox, trayer, pulse, xclock")
        self.assertEqual([pid for pid in pids if desktop.pid_alive(pid)], [])
        self.assertFalse(os.path.exists(folder))

    def test_environment_for_the_program(self):
        with desktop.Desktop(tray=False, sound=False, accessibility=True) as desk:
            env = desk.env
            self.assertEqual(env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"], "1")
            self.assertEqual(env["QT_QPA_PLATFORM"], "xcb")
            self.assertNotIn("AT_SPI_BUS_ADDRESS", env)
            self.assertNotIn("SDL_AUDIODRIVER", env)
            self.assertTrue(env["XDG_RUNTIME_DIR"].startswith(desk.tmp))
            self.assertEqual(os.environ["DISPLAY"], desk.display)


if __name__ == "__main__":
    unittest.main(verbosity=2)
