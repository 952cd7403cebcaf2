# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""While the alarm is set, the helper alarm-clock-wake holds a timer on the
real-time alarm clock (clockid 8, the one that wakes a suspended computer) for
the ring's moment less the lead; it moves with the zone, and goes with every
way out of Armed and with the program. Without CAP_WAKE_ALARM the alarm rings
as before. The program's clock is faked from the real one on, so that its
moments are the helper's; the zone is a file of its own mounted over
/etc/localtime, which the test rewrites."""
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(__file__))
import program  # noqa: E402
import stress  # noqa: E402
from desktop import pid_alive, states, wait_until  # noqa: E402

desk = program.SharedDesktop(tray=False, sound=False)
setUpModule, tearDownModule = desk.start, desk.stop

HELPER = os.path.join(os.path.dirname(program.BINARY), "alarm-clock-wake")
LEAD = 15
CAP_WAKE_ALARM = 1 << 35
ZONES = "/usr/share/zoneinfo"


def read(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:
        return ""


def helpers_of(pid):
    """The helper processes the program started, alive."""
    return [int(p) for p in os.listdir("/proc") if p.isdigit() and pid_alive(int(p))
            and re.match(rf"\d+ \(alarm-clock-wak\) \S+ {pid} ", read(f"/proc/{p}/stat"))]


def wake_timers(pid):
    """The moments (seconds since the epoch) of the armed alarm-clock timers the process holds."""
    folder = f"/proc/{pid}/fdinfo"
    infos = [read(os.path.join(folder, fd)) for fd in (os.listdir(folder) if os.path.isdir(folder) else [])]
    return [time.time() + int(sec) + int(nsec) / 1e9 for info in infos
            for sec, nsec in re.findall(r"clockid: 8\n(?:.*\n)*?it_value: \((\d+), (\d+)\)", info)
            if (sec, nsec) != ("0", "0")]


def program_wakes(prog):
    return [m for h in helpers_of(prog.pid) for m in wake_timers(h)]


def is_at(moments, expected):
    return len(moments) == 1 and abs(moments[0] - expected) < 0.5


class Run:
    """The program under a clock faked from the real one, in a zone file of its own."""

    def __init__(self, test, wrapper=()):
        folder = tempfile.mkdtemp(dir=desk.tmp)
        self.clock = os.path.join(folder, "clock")
        program.set_clock(self.clock, time.time())
        self.zone = os.path.join(folder, "localtime")
        shutil.copyfile(os.path.join(ZONES, "UTC"), self.zone)
        zone_mount = ["unshare", "--mount", "--propagation", "private",
                      "sh", "-c", 'mount --bind "$0" /etc/localtime && exec "$1"', self.zone]
        env = dict(program.fake_clock_env(self.clock), TZ=None)
        self.prog, self.wid = program.start(desk, cwd=folder, extra_env=env, wrapper=[*wrapper, *zone_mount])
        test.addCleanup(program.finish, test, self.prog)
        self.app = program.app_of(desk, self.prog)
        self.c = program.controls(desk, self.app)

    def set_zone(self, name):
        """Rewrites the zone file in place, as an edit of /etc/localtime would."""
        with open(os.path.join(ZONES, name), "rb") as source, open(self.zone, "r+b") as target:
            target.write(source.read())
            target.truncate()
        later = os.stat(self.zone).st_mtime + 60  # the C library reads it again when its time changes
        os.utime(self.zone, (later, later))

    def armed(self):
        return "enabled" in states(self.c["cancel"])

    def arm_ahead(self, minutes):
        """Sets the alarm that many minutes ahead, to the second (UTC); returns the ring's moment."""
        at = datetime.datetime.fromtimestamp(int(time.time()) + 60 * minutes, datetime.timezone.utc)
        program.arm_for(desk, self.wid, at.strftime("%H:%M:%S"))
        wait_until(self.armed, 5, "the alarm to be armed")
        return at.timestamp() + 1  # the first moment past the alarm's second

    def ring_and_ok(self, ring):
        program.set_clock(self.clock, ring - 3)
        program.dismiss_box(desk, program.wait_box(desk, self.app))
        wait_until(lambda: not self.armed(), 5, "OK to disarm")


class WakeTest(unittest.TestCase):
    def test_the_wake_follows_the_alarm(self):
        run = Run(self)
        self.assertEqual(program_wakes(run.prog), [], "none while Disarmed")

        ring = run.arm_ahead(10)
        wait_until(lambda: is_at(program_wakes(run.prog), ring - LEAD), 5, "the wake, the lead before the ring")
        helper, = helpers_of(run.prog.pid)
        with open(f"/proc/{helper}/status") as f:
            status = dict(line.split(":\t", 1) for line in f.read().splitlines())
        self.assertEqual(int(status["CapEff"], 16), CAP_WAKE_ALARM, "no privilege but the one")
        self.assertEqual(int(status["CapPrm"], 16), CAP_WAKE_ALARM)

        run.set_zone("Etc/GMT+5")  # five hours behind UTC
        wait_until(lambda: is_at(program_wakes(run.prog), ring + 5 * 3600 - LEAD), 5, "the wake to follow the zone")
        run.set_zone("UTC")
        wait_until(lambda: is_at(program_wakes(run.prog), ring - LEAD), 5, "the wake to follow the zone back")

        desk.key("space")  # Set leaves the focus on Cancel
        wait_until(lambda: not run.armed(), 5, "Cancel to disarm")
        wait_until(lambda: not helpers_of(run.prog.pid), 5, "the helper to end after Cancel")

        desk.key("alt+s")
        wait_until(lambda: is_at(program_wakes(run.prog), ring - LEAD), 5, "the wake, set again")
        run.ring_and_ok(ring)
        wait_until(lambda: not helpers_of(run.prog.pid), 5, "the helper to end with the ring")

        desk.key("alt+s")  # the time has passed: tomorrow's
        wait_until(lambda: is_at(program_wakes(run.prog), ring + 86400 - LEAD), 5, "tomorrow's wake")
        helper, = helpers_of(run.prog.pid)
        desk.key("alt+x")
        run.prog.wait_exit()
        wait_until(lambda: not pid_alive(helper), 5, "the helper to end after Exit")

    def test_the_helper_ends_with_a_killed_program(self):
        run = Run(self)
        ring = run.arm_ahead(10)
        wait_until(lambda: is_at(program_wakes(run.prog), ring - LEAD), 5, "the wake")
        helper, = helpers_of(run.prog.pid)
        os.kill(run.prog.pid, signal.SIGKILL)
        wait_until(lambda: not pid_alive(helper), 2, "the helper to end with the program")

    def test_without_the_capability_it_rings_as_before(self):
        run = Run(self, wrapper=["setpriv", "--bounding-set", "-wake_alarm", "--inh-caps", "-all", "--"])
        ring = run.arm_ahead(10)
        program.set_clock(run.clock, ring - LEAD + 1)  # into the lead: the wake is placed anew
        deadline = time.monotonic() + 4
        while time.monotonic() < deadline:
            self.assertEqual(program_wakes(run.prog), [], "no wake timer without the capability")
            time.sleep(0.05)
        run.ring_and_ok(ring)
        self.assertEqual(run.prog.output(), ("", ""), "nothing to say about it")

    def test_the_helper_takes_only_moments_to_come(self):
        now = int(time.time())
        for line in ("garbage", str(now - 100), str(now + 3 * 86400), f"{now + 60}x", "-1", ""):
            with self.subTest(line=line):
                ended = subprocess.run([HELPER], input=f"{line}\n", text=True, timeout=5, env={})
                self.assertEqual(ended.returncode, 2)
        helper = subprocess.Popen([HELPER], stdin=subprocess.PIPE, text=True, env={})
        try:
            for due in (now + 600, now + 86400):
                helper.stdin.write(f"{due}\n")
                helper.stdin.flush()
                wait_until(lambda: is_at(wake_timers(helper.pid), due), 5, "the timer to be set for the moment")
            helper.stdin.close()
            self.assertEqual(helper.wait(timeout=5), 0, "ends at the end of its input")
        finally:
            helper.kill()
            helper.wait()


load_tests = stress.load_tests_of(WakeTest, [name for name in dir(WakeTest) if name.startswith("test_")])

if __name__ == "__main__":
    unittest.main(verbosity=2)
