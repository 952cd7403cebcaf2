# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Installed like a desktop program: a staged install and the Debian package put
every file where desktops look for it, and both ring from wherever they lie."""
import configparser
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("ALARM_CLOCK_BUILD_DIR") or os.path.join(SOURCE, "build")
ICON_SIZES = (16, 32, 48, 64, 128, 256)
APP_ID = "io.github.alarm_clock.alarm_clock"
DESKTOP_ENTRY = f"share/applications/{APP_ID}.desktop"
METAINFO = f"share/metainfo/{APP_ID}.metainfo.xml"
HELPER = "libexec/alarm-clock/alarm-clock-wake"
INSTALLED = ["bin/alarm-clock",
             HELPER,
             "share/alarm-clock/alarm.wav",
             DESKTOP_ENTRY,
             METAINFO,
             "share/man/man1/alarm-clock.1.gz",
             "share/doc/alarm-clock/changelog.gz",
             "share/doc/alarm-clock/copyright",
             "share/icons/hicolor/scalable/apps/alarm-clock.svg"] + [
             f"share/icons/hicolor/{n}x{n}/apps/alarm-clock.png" for n in ICON_SIZES]
TONE_S = 0.4

desk = program.SharedDesktop(tray=True, sound=True)
setUpModule, tearDownModule = desk.start, desk.stop


def run(argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, **kwargs)


def files_under(root):
    return sorted(os.path.relpath(os.path.join(folder, name), root)
                  for folder, _, names in os.walk(root) for name in names)


def png_size(path):
    with open(path, "rb") as f:
        header = f.read(24)
    assert header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG"
    return struct.unpack(">II", header[16:24])


def desktop_entry(path):
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(path, encoding="utf-8")
    return entry["Desktop Entry"]


def without_make_jobserver():
    """The environment for a nested build: a `make test` around this test
    would otherwise hand its jobserver flags down to a make that has no access."""
    return {k: v for k, v in os.environ.items() if k not in ("MAKEFLAGS", "MFLAGS", "MAKELEVEL")}


class InstallCase(unittest.TestCase):
    def check_layout(self, prefix):
        """prefix: the installed tree's prefix folder (with bin/ and share/)."""
        self.assertEqual(files_under(prefix), sorted(INSTALLED), "exactly the program's files, nothing else")
        self.assertTrue(os.access(os.path.join(prefix, "bin/alarm-clock"), os.X_OK))
        self.assertTrue(os.access(os.path.join(prefix, HELPER), os.X_OK))
        for n in ICON_SIZES:
            self.assertEqual(png_size(os.path.join(prefix, f"share/icons/hicolor/{n}x{n}/apps/alarm-clock.png")),
                             (n, n))

        entry_path = os.path.join(prefix, DESKTOP_ENTRY)
        validated = run(["desktop-file-validate", entry_path])
        self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
        self.assertEqual(validated.stdout.strip(), "", "no warnings either")
        entry = desktop_entry(entry_path)
        self.assertEqual(entry["Type"], "Application")
        self.assertEqual(entry["Name"], "Alarm Clock")
        self.assertEqual(entry["Exec"], "alarm-clock", "found on PATH, with no arguments")
        self.assertEqual(entry["Icon"], "alarm-clock", "the hicolor icon's name")
        self.assertEqual(entry["Terminal"], "false")
        self.assertEqual(entry["StartupNotify"], "true")
        self.assertEqual(entry["Categories"].split(";")[:2], ["Utility", "Clock"])
        self.assertIn("alarm", entry["Keywords"].split(";"))
        self.assertTrue(entry["Comment"])

        validated = run(["appstreamcli", "validate", "--no-net", os.path.join(prefix, METAINFO)])
        self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
        # The manual page as man finds it under the prefix.
        page = run(["man", "--warnings", "-l", os.path.join(prefix, "share/man/man1/alarm-clock.1.gz")],
                   env=dict(os.environ, MANWIDTH="80"))
        self.assertEqual(page.returncode, 0, page.stderr)
        self.assertEqual(page.stderr, "", "no warnings either")
        self.assertIn("alarm.wav", page.stdout)

    def ring(self, binary):
        """Starts binary from an empty folder under a faked clock, lets it ring
        and dismisses the box; returns the sound segments heard meanwhile."""
        cwd = tempfile.mkdtemp(dir=desk.tmp)
        for folder in (cwd, os.path.dirname(binary)):
            self.assertNotIn("alarm.wav", os.listdir(folder), "only the data folder has the sound")
        clock = os.path.join(cwd, "clock")
        desktop.set_fake_time(clock, "2026-12-07 07:29:54")
        env = {"LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", **program.fake_clock_env(clock)}
        prog = desk.start_program([binary], cwd=cwd, extra_env=env)
        try:
            wid = desk.wait_window(program.TITLE, timeout=20)
            app = program.app_of(desk, prog)
            c = program.controls(desk, app)
            recorder = desk.record(os.path.join(desk.tmp, f"heard-{prog.pid}.wav"))
            program.arm_for(desk, wid, "07:30:00")
            wait_until(lambda: "enabled" in states(c["cancel"]), 5, "the alarm to be armed")
            alert = program.wait_box(desk, app)
            self.assertEqual(alert.text, "The alarm clock is going off")
            time.sleep(2.6)  # the loop goes on while the box is up
            program.dismiss_box(desk, alert)
            wait_until(lambda: "enabled" in states(c["set"]), 10, "the alarm to disarm")
            time.sleep(1.6)  # the last play
            return desktop.sound_segments(recorder.stop())
        finally:
            program.finish(self, prog)


class StagedInstallTest(InstallCase):
    def install(self):
        staging = tempfile.mkdtemp(dir=desk.tmp)
        installed = run(["cmake", "--install", BUILD, "--prefix", staging])
        self.assertEqual(installed.returncode, 0, installed.stdout + installed.stderr)
        return staging

    def test_lays_out_every_file(self):
        staging = self.install()
        self.check_layout(staging)
        with open(os.path.join(BUILD, "alarm.wav"), "rb") as built, \
                open(os.path.join(staging, "share/alarm-clock/alarm.wav"), "rb") as staged:
            self.assertTrue(staged.read() == built.read(), "the default bell")

    def test_rings_with_the_sound_from_its_data_folder(self):
        staging = self.install()
        # A tone unlike the bell shows that the staged file is the one played,
        # not a copy in the compiled-in folder.
        os.remove(os.path.join(staging, "share/alarm-clock/alarm.wav"))
        program.beep_file(os.path.join(staging, "share/alarm-clock"), TONE_S, 0.6)
        segments = self.ring(os.path.join(staging, "bin/alarm-clock"))
        self.assertGreaterEqual(len(segments), 3, f"the loop, then one last play: {segments}")
        for start, end in segments:
            self.assertAlmostEqual(end - start, TONE_S, delta=0.12, msg=segments)


class DebianPackageTest(InstallCase):
    @classmethod
    def setUpClass(cls):
        if not shutil.which("dpkg-deb"):
            raise unittest.SkipTest("dpkg-deb is missing: no Debian package to check")
        # Under CTest the package is already built, by the package_build test.
        cls.build = os.environ.get("ALARM_CLOCK_PACKAGE_BUILD")
        if not cls.build:
            cls.build = os.path.join(desk.tmp, "build-package")
            made = run(["make", "-C", SOURCE, "package", f"PACKAGE_BUILD={cls.build}", "JOBS=2"],
                       env=without_make_jobserver(), timeout=480)
            assert made.returncode == 0, made.stdout[-3000:] + made.stderr[-3000:]
        debs = [name for name in os.listdir(cls.build) if name.endswith(".deb")]
        assert len(debs) == 1, debs
        cls.deb = os.path.join(cls.build, debs[0])
        cls.root = tempfile.mkdtemp(dir=desk.tmp)
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)

    def control(self):
        fields = {}
        for line in run(["dpkg-deb", "-f", self.deb], check=True).stdout.splitlines():
            if not line.startswith(" "):
                key, _, value = line.partition(":")
                fields[key] = value.strip()
        return fields

    def test_control_names_what_it_needs(self):
        fields = self.control()
        self.assertEqual(fields["Package"], "alarm-clock")
        self.assertEqual(fields["Section"], "utils")
        self.assertEqual(fields["Maintainer"], "Alarm Clock developers <alarm-clock@users.noreply.github.com>")
        self.assertEqual(fields["Architecture"], run(["dpkg", "--print-architecture"]).stdout.strip())
        depends = [d.strip().split(" ")[0] for d in fields["Depends"].split(",")]
        for package in ("libqt6core6", "libqt6gui6", "libqt6widgets6", "libsdl2-mixer-2.0-0",
                        "libc6", "libstdc++6", "qt6-qpa-plugins", "libpulse0", "libcap2-bin"):
            self.assertIn(package, depends)
        self.assertEqual(fields["Recommends"], "pulseaudio | pipewire-pulse")
        self.assertEqual(fields["Description"], "small desktop alarm clock")

    def test_dependencies_resolve_on_this_system(self):
        simulated = run(["apt-get", "install", "--simulate", "--no-install-recommends",
                         "-o", "Debug::NoLocking=1", self.deb])
        self.assertEqual(simulated.returncode, 0, simulated.stdout + simulated.stderr)
        self.assertIn("Inst alarm-clock", simulated.stdout)

    def test_lays_out_its_files_under_usr(self):
        self.assertEqual(os.listdir(self.root), ["usr"])
        self.check_layout(os.path.join(self.root, "usr"))
        # The description's desktop entry is found where it says, as software centres look it up.
        validated = run(["appstreamcli", "validate-tree", "--no-net", self.root])
        self.assertEqual(validated.returncode, 0, validated.stdout + validated.stderr)
        # The compiled-in data folder, a UTF-16 string literal.
        data_folder = "/usr/share/alarm-clock\0".encode("utf-16-le")
        with open(os.path.join(self.root, "usr/bin/alarm-clock"), "rb") as f:
            self.assertTrue(data_folder in f.read(), "built for the prefix it installs to")

    def test_configuring_grants_the_helper_its_capability(self):
        """The package's postinst, run as dpkg runs it, with the unpacked
        tree's libexec/ in place of the system's (in a mount namespace of its own)."""
        scripts = tempfile.mkdtemp(dir=desk.tmp)
        subprocess.run(["dpkg-deb", "-e", self.deb, scripts], check=True)
        helper = os.path.join(self.root, "usr", HELPER)
        self.assertEqual(run(["getcap", helper]).stdout, "", "none in the archive itself")
        configured = run(["unshare", "--mount", "--propagation", "private", "sh", "-c",
                          'mount --bind "$0" /usr/libexec && exec "$1" configure',
                          os.path.join(self.root, "usr/libexec"), os.path.join(scripts, "postinst")])
        self.assertEqual(configured.returncode, 0, configured.stdout + configured.stderr)
        self.assertEqual(configured.stdout + configured.stderr, "")
        self.assertEqual(run(["getcap", helper]).stdout.split(), [helper, "cap_wake_alarm=ep"])

    def test_rings_from_the_unpacked_tree(self):
        segments = self.ring(os.path.join(self.root, "usr/bin/alarm-clock"))
        self.assertTrue(segments, "the packaged bell is heard")
        self.assertGreater(sum(end - start for start, end in segments), 1.0, segments)


if __name__ == "__main__":
    unittest.main(verbosity=2)
