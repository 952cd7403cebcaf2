# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Shipped to Windows users: the MSI installs, upgrades and goes away again
under Wine's msiexec, its shortcut starts a program that rings with the
installed bell, and the zip rings from wherever it is unpacked."""
import os
import re
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
from wine_desktop import WineDesktop  # noqa: E402

VERSION = os.environ["ALARM_CLOCK_VERSION"]
WINDOWS_BUILD = os.environ["ALARM_CLOCK_WINDOWS_BUILD"]
NAME = f"alarm-clock-{VERSION}-win64"
MSI = os.path.join(WINDOWS_BUILD, NAME + ".msi")
ZIP = os.path.join(WINDOWS_BUILD, NAME + ".zip")
PACKAGE_DIR = os.path.join(WINDOWS_BUILD, "package")
STAGE = os.path.join(PACKAGE_DIR, NAME)  # the files both packages hold
FILES = sorted(["alarm-clock.exe", "alarm.wav", "LICENSE.txt", "README.txt"])
PUBLISHER = "Alarm Clock developers"
INSTALL_DIR = r"AppData\Local\Programs\Alarm Clock"
SHORTCUT = r"AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Alarm Clock.lnk"
# Wine keeps a per-user product's entry under HKLM; Windows under HKCU.
UNINSTALL_KEYS = [rf"{hive}\Software\Microsoft\Windows\CurrentVersion\Uninstall" for hive in ("HKCU", "HKLM")]
OWN_KEY = r"HKCU\Software\Alarm Clock developers"
PICKER = "SysDateTimePick32"


def read_shortcut(path):
    """The target, working folder and icon of a shell link (.lnk), from its bytes."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:4] == b"L\0\0\0", f"{path} is not a shell link"
    flags = struct.unpack_from("<I", data, 0x14)[0]
    pos = 0x4C
    if flags & 0x01:  # the item id list
        pos += 2 + struct.unpack_from("<H", data, pos)[0]
    link = {}
    if flags & 0x02:  # the link info: the local path, in two parts
        size, _, _, _, base, _, suffix = struct.unpack_from("<7I", data, pos)
        part = [data[pos + at:data.index(b"\0", pos + at)].decode("cp1252") for at in (base, suffix)]
        link["target"] = "".join(part)
        pos += size
    width, codec = (2, "utf-16-le") if flags & 0x80 else (1, "cp1252")
    for bit, name in ((0x04, "description"), (0x08, "relative_path"), (0x10, "working_folder"),
                      (0x20, "arguments"), (0x40, "icon")):
        if flags & bit:
            count = struct.unpack_from("<H", data, pos)[0]
            link[name] = data[pos + 2:pos + 2 + count * width].decode(codec).rstrip("\0")
            pos += 2 + count * width
    return link


def same_bytes(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


class WindowsPackageTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.desk = WineDesktop(os.path.join(WINDOWS_BUILD, "wine-probe.exe")).__enter__()
        users = os.path.join(cls.desk.prefix, "drive_c", "users")
        cls.user = next(name for name in os.listdir(users) if name != "Public")
        cls.home = os.path.join(users, cls.user)

    @classmethod
    def tearDownClass(cls):
        cls.desk.__exit__(None, None, None)

    def unix(self, windows_path):
        """The Unix path of a path on Wine's drive C:."""
        drive, _, rest = windows_path.partition(":\\")
        self.assertEqual(drive.upper(), "C", windows_path)
        return os.path.join(self.desk.prefix, "drive_c", *rest.rstrip("\\").split("\\"))

    def wine(self, *argv, check=True):
        started = time.monotonic()
        result = subprocess.run(["wine", *argv], env=self.desk.env, capture_output=True, timeout=120)
        if check:
            self.assertEqual(result.returncode, 0, f"wine {' '.join(argv)}: {result.stderr[-2000:]}")
        return result, time.monotonic() - started

    def msiexec(self, *argv, check=True):
        """Runs msiexec without its dialogs: its exit code and the seconds it took."""
        result, seconds = self.wine("msiexec", *argv, "/qn", check=check)
        return result.returncode, seconds

    def entries(self):
        """The program's entries in the installed programs' list: {key: {value: data}}."""
        found = {}
        for root in UNINSTALL_KEYS:
            out = subprocess.run(["wine", "reg", "query", root, "/s"], env=self.desk.env,
                                 capture_output=True, text=True, timeout=60).stdout
            for block in re.split(r"\r?\n(?=HKEY_)", out):
                lines = block.strip().splitlines()
                values = dict(m.groups() for m in (re.match(r"\s+(\S+)\s+REG_\w+\s*(.*)", line)
                                                   for line in lines[1:]) if m)
                if values.get("DisplayName") == "Alarm Clock":
                    found[lines[0].strip()] = values
        return found

    def only_entry(self, version):
        entries = self.entries()
        self.assertEqual(len(entries), 1, entries)
        entry = next(iter(entries.values()))
        self.assertEqual(entry["DisplayVersion"], version, entry)
        return entry

    def msi_as(self, version):
        """The same files, packed as another version (a new product code too)."""
        path = os.path.join(self.desk.tmp, f"alarm-clock-{version}-win64.msi")
        subprocess.run(["wixl", "-a", "x64", "-D", f"Version={version}", "-o", path, "alarm-clock.wxs"],
                       cwd=PACKAGE_DIR, check=True, capture_output=True)
        return path

    def test_msi_and_program_name_the_version(self):
        out = subprocess.run(["msiinfo", "export", MSI, "Property"], capture_output=True, text=True,
                             check=True).stdout
        properties = dict(line.split("\t", 1) for line in out.splitlines() if "\t" in line)
        for name, value in (("ProductName", "Alarm Clock"), ("ProductVersion", VERSION),
                            ("Manufacturer", PUBLISHER), ("ARPPRODUCTICON", "AlarmClock.ico")):
            self.assertEqual(properties.get(name), value, name)
        self.assertTrue(properties.get("ARPHELPLINK", "").startswith("https://"), properties)
        with open(os.path.join(STAGE, "alarm-clock.exe"), "rb") as exe:
            resource = re.search(r"ProductVersion\0+([0-9.]+)", exe.read().decode("utf-16-le", "replace"))
        self.assertEqual(resource and resource.group(1), VERSION, "the program's version resource")

    def test_install_upgrade_remove(self):
        install_dir = os.path.join(self.home, *INSTALL_DIR.split("\\"))
        shortcut = os.path.join(self.home, *SHORTCUT.split("\\"))

        _, installed_s = self.msiexec("/i", self.msi_as("1.1.9"))
        self.only_entry("1.1.9")
        _, upgraded_s = self.msiexec("/i", MSI)
        entry = self.only_entry(VERSION)
        self.assertEqual(entry["Publisher"], PUBLISHER)
        self.assertTrue(entry["HelpLink"].startswith("https://"), entry)

        with self.subTest("the files"):
            self.assertEqual(sorted(os.listdir(install_dir)), FILES)
            for name in FILES:
                self.assertTrue(same_bytes(os.path.join(install_dir, name), os.path.join(STAGE, name)), name)

        with self.subTest("the shortcut"):
            link = read_shortcut(shortcut)
            self.assertEqual(self.unix(link["target"]), os.path.join(install_dir, "alarm-clock.exe"), link)
            self.assertEqual(self.unix(link["working_folder"]), install_dir, link)
            # The program's icon, kept by the installer in a folder of its own.
            icon = self.unix(link["icon"])
            self.assertTrue(same_bytes(icon, os.path.join(PACKAGE_DIR, "alarm-clock.ico")), link)

        with self.subTest("started through the shortcut, it rings with the installed bell"):
            self.assertRings(["start", rf"C:\users\{self.user}\{SHORTCUT}"], cwd=self.desk.tmp)

        with self.subTest("the same package again, another build of this version, and an older one"):
            self.msiexec("/i", MSI)
            self.only_entry(VERSION)
            self.msiexec("/i", self.msi_as(VERSION))
            entry = self.only_entry(VERSION)
            code, _ = self.msiexec("/i", self.msi_as("1.1.9"), check=False)
            self.assertNotEqual(code, 0, "an older version must not replace a newer one")
            self.only_entry(VERSION)
            self.assertEqual(sorted(os.listdir(install_dir)), FILES)

        product = re.search(r"\{[0-9A-F-]+\}", entry["UninstallString"], re.I).group(0)
        _, removed_s = self.msiexec("/x", product)
        self.assertEqual(self.entries(), {})
        self.assertFalse(os.path.exists(install_dir), "the program's folder is left")
        self.assertFalse(os.path.exists(shortcut), "the shortcut is left")
        result, _ = self.wine("reg", "query", OWN_KEY, check=False)
        self.assertNotEqual(result.returncode, 0, f"{OWN_KEY} is left")
        print(f"msiexec under Wine: install {installed_s:.2f} s, upgrade {upgraded_s:.2f} s, "
              f"removal {removed_s:.2f} s; sizes: exe {os.path.getsize(os.path.join(STAGE, 'alarm-clock.exe'))}, "
              f"msi {os.path.getsize(MSI)}, zip {os.path.getsize(ZIP)} bytes")

    def test_zip_rings_from_anywhere(self):
        with zipfile.ZipFile(ZIP) as archive:
            self.assertEqual(sorted(archive.namelist()),
                             sorted([NAME + "/"] + [f"{NAME}/{name}" for name in FILES]))
            folder = tempfile.mkdtemp(prefix="Réveil à l’heure ", dir=self.desk.tmp)
            archive.extractall(folder)
        elsewhere = tempfile.mkdtemp(prefix="elsewhere ", dir=self.desk.tmp)
        # A long tone unlike the bell, where a working-folder lookup would find it.
        desktop.make_tone(os.path.join(elsewhere, "alarm.wav"), 3.0, freq=440)
        self.assertRings([os.path.join(folder, NAME, "alarm-clock.exe")], cwd=elsewhere)

    def assertRings(self, argv, cwd):
        """Started by `wine argv` with its clock at 07:29:52 and armed for
        07:30:00, the program rings audibly, and no tone lasts longer than
        one play of the bell."""
        clock = os.path.join(self.desk.tmp, "clock")
        program.set_clock(clock, program.epoch("2026-12-07 07:29:52"))
        desktop.Desktop.start_program(self.desk, ["wine", *argv], cwd=cwd, extra_env=program.fake_clock_env(clock))
        main = self.desk.wait(lambda s: s.shown, "the window", timeout=30)
        recorder = self.desk.record(os.path.join(self.desk.tmp, f"heard-{main.pid}.wav"))
        try:
            # Away from the picker and back: its first Right then selects the hours.
            self.desk.key("Tab", "shift+Tab", "Right", "0", "7", "Right", "3", "0", "Right", "0", "0")
            self.desk.wait(lambda s: s.main.control(PICKER)["value"].endswith(" 07:30:00"), "the picker at 07:30:00")
            self.desk.key("alt+s")
            self.desk.wait(lambda s: s.box, "the ringing box", timeout=15)
            time.sleep(2.6)  # the loop goes on while the box is up
            self.desk.key("Return")
            self.desk.wait(lambda s: not s.boxes, "the box to close")
            time.sleep(1.6)  # the last play
            segments = desktop.sound_segments(recorder.stop())
            self.desk.key("alt+x")
            self.desk.wait(lambda s: not s.mains, "the program to end")
        finally:
            recorder.stop()
            if self.desk.state().mains:
                self.wine("taskkill", "/f", "/pid", str(main.pid), check=False)
        self.assertGreater(sum(end - start for start, end in segments), 1.0, f"the bell is heard: {segments}")
        self.assertLess(max(end - start for start, end in segments), 2.0, f"only the bell: {segments}")

if __name__ == "__main__":
    unittest.main()
