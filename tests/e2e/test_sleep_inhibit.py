# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""While the alarm is set, the desktop is asked not to suspend the computer by
itself: through the XDG portal, else the GNOME session manager, else the
PowerManagement service of KDE and Xfce (stood in for by python3-dbusmock on
the private session bus). The hold ends with every way out of Armed. While it
rings, logind (mocked on a private system bus) is asked to leave a closed lid
alone."""
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import dbus

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
from desktop import states, wait_until  # noqa: E402

desk = program.SharedDesktop(tray=False, sound=False)
bus = None


def setUpModule():
    global bus
    desk.start()
    bus = dbus.bus.BusConnection(desk.bus_address)


def tearDownModule():
    if bus is not None:
        bus.close()
    desk.stop()


SUSPEND = 4
REASON = "Alarm set for 07:30:00"
LID_BLOCK = ("handle-lid-switch", "Alarm Clock", "The alarm clock is going off", "block")
HOLDS_IFACE = "org.example.Holds"   # the mocks' own: what they hold now

# The mocks keep their holds in self.holds: token -> (reason, flags).
COOKIE_INHIBIT = """
self.holds = getattr(self, "holds", dict())
self.serial = getattr(self, "serial", 0) + 1
self.holds[str(self.serial)] = (str({reason}), {flags})
time.sleep({delay})
ret = dbus.UInt32(self.serial)
"""
COOKIE_RELEASE = 'getattr(self, "holds", dict()).pop(str(args[0]), None)'
PORTAL_INHIBIT = """
self.holds = getattr(self, "holds", dict())
self.serial = getattr(self, "serial", 0) + 1
path = "/org/freedesktop/portal/desktop/request/1_1/t%d" % self.serial
self.holds[path] = (str(args[2].get("reason", "")), int(args[1]))
self.AddObject(path, "org.freedesktop.portal.Request", dict(), [("Close", "", "",
    "objects['/org/freedesktop/portal/desktop'].holds.pop(self.path, None)")])
time.sleep({delay})
ret = dbus.ObjectPath(path)
"""

# name, object, interface, and the methods: (name, in, out, code with {delay}).
SERVICES = {
    "portal": ("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
               "org.freedesktop.portal.Inhibit",
               [("Inhibit", "sua{sv}", "o", PORTAL_INHIBIT)]),
    "gnome-session": ("org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
                      [("Inhibit", "susu", "u", COOKIE_INHIBIT.format(reason="args[2]", flags="int(args[3])",
                                                                      delay="{delay}")),
                       ("Uninhibit", "u", "", COOKIE_RELEASE)]),
    "power-management": ("org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit",
                         "org.freedesktop.PowerManagement.Inhibit",
                         [("Inhibit", "ss", "u", COOKIE_INHIBIT.format(reason="args[1]", flags="None",
                                                                       delay="{delay}")),
                          ("UnInhibit", "u", "", COOKIE_RELEASE)]),
}
ORDER = ("portal", "gnome-session", "power-management")
POWERDEVIL = "/usr/lib/x86_64-linux-gnu/libexec/org_kde_powerdevil"


def bus_daemon():
    return dbus.Interface(bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus"),
                          "org.freedesktop.DBus")


def connected(pid):
    """Whether the process still has a connection to the session bus."""
    daemon = bus_daemon()
    for name in daemon.ListNames():
        if name.startswith(":"):
            try:
                if daemon.GetConnectionUnixProcessID(name) == pid:
                    return True
            except dbus.DBusException:
                pass
    return False


class Mocks:
    """The services present in one case, each a dbusmock of its own, plus
    logind on a private system bus to show that no sleep lock is taken."""

    def __init__(self, test, present, delay=0, system=("logind",)):
        self.present = present
        self.system_bus = desk.start_bus("system-bus")
        test.addCleanup(desk.stop_service, "system-bus")
        for template in system:
            self._start(test, template, ["-t", template], system=True)
        for key in present:
            name, path, iface, methods = SERVICES[key]
            mock = self._start(test, key, [name, path, iface])
            for method, in_sig, out_sig, code in methods:
                mock.AddMethod(iface, method, in_sig, out_sig, code.format(delay=delay),
                               dbus_interface="org.freedesktop.DBus.Mock")
            mock.AddMethod(HOLDS_IFACE, "Holds", "", "a(sv)",
                           'ret = [(r, dbus.Int32(-1 if f is None else f)) '
                           'for r, f in getattr(self, "holds", dict()).values()]',
                           dbus_interface="org.freedesktop.DBus.Mock")
            mock.AddMethod(HOLDS_IFACE, "Forget", "", "", "self.holds = dict()",
                           dbus_interface="org.freedesktop.DBus.Mock")

    def reset(self):
        """Forgets every hold and call so far (those of programs that have ended)."""
        for key in self.present:
            self._object(key).Forget(dbus_interface=HOLDS_IFACE)
            self._object(key).ClearCalls(dbus_interface="org.freedesktop.DBus.Mock")

    def _start(self, test, key, args, system=False):
        label = "mock-" + key
        env = {"DBUS_SYSTEM_BUS_ADDRESS": self.system_bus}
        desk.start_service(label, ["/usr/bin/python3", "-m", "dbusmock", *args], extra_env=env)
        test.addCleanup(desk.stop_service, label)
        if system:
            if not hasattr(self, "logind_bus"):
                self.logind_bus = dbus.bus.BusConnection(self.system_bus)
                test.addCleanup(self.logind_bus.close)
            where, name = self.logind_bus, {"logind": "org.freedesktop.login1", "upower": "org.freedesktop.UPower"}[key]
            path = "/" + name.replace(".", "/")
        else:
            where, name, path = bus, args[0], args[1]
        wait_until(lambda: where.name_has_owner(name), 10, f"{name} on the bus",
                   interval=0.05, on_poll=lambda: desk._check_alive(label))
        return where.get_object(name, path)

    def _object(self, key):
        name, path, _, _ = SERVICES[key]
        return bus.get_object(name, path)

    def holds(self, key):
        return [(str(r), int(f)) for r, f in self._object(key).Holds(dbus_interface=HOLDS_IFACE)]

    def asked(self, key):
        calls = self._object(key).GetCalls(dbus_interface="org.freedesktop.DBus.Mock")
        return sum(1 for _, method, _ in calls if method == "Inhibit")

    def sleep_locks(self):
        logind = self.logind_bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1")
        return [(str(what), str(mode)) for what, _, _, mode, _, _ in
                logind.ListInhibitors(dbus_interface="org.freedesktop.login1.Manager")
                if "sleep" in what.split(":")]

    def lid_blocks(self):
        logind = self.logind_bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1")
        return [(str(what), str(who), str(why), str(mode)) for what, who, why, mode, _, _ in
                logind.ListInhibitors(dbus_interface="org.freedesktop.login1.Manager")
                if "handle-lid-switch" in what.split(":")]


class Copy:
    """A running program with a faked clock, and its controls."""

    def __init__(self, test, mocks):
        folder = tempfile.mkdtemp(dir=desk.tmp)
        self.clock = os.path.join(folder, "clock")
        program.set_clock(self.clock, program.epoch("2026-12-07 07:29:00"))
        env = dict(program.fake_clock_env(self.clock), TZ="UTC")
        if mocks is not None:
            env["DBUS_SYSTEM_BUS_ADDRESS"] = mocks.system_bus
        self.prog, self.wid = program.start(desk, cwd=folder, extra_env=env)
        test.addCleanup(program.finish, test, self.prog)
        self.app = program.app_of(desk, self.prog)
        self.c = program.controls(desk, self.app)

    def armed(self):
        return "enabled" in states(self.c["cancel"])

    def arm(self):
        program.arm_for(desk, self.wid, "07:30:00")
        wait_until(self.armed, 5, "the alarm to be armed")


def end_by_cancel(copy):
    desk.key("space")   # Set leaves the focus on Cancel
    wait_until(lambda: not copy.armed(), 5, "Cancel to disarm")


def end_by_ok(copy, in_force):
    program.set_clock(copy.clock, program.epoch("2026-12-07 07:29:58"))
    wait_until(lambda: program.has_box(copy.app), 15, "the ringing box", interval=0.05)
    assert in_force(), "held while ringing"
    desk.key("Return")
    wait_until(lambda: not copy.armed(), 5, "OK to disarm")


def end_by_exit(copy):
    desk.key("alt+x")
    copy.prog.wait_exit()


def end_by_closing(copy):
    desk.close_window(copy.wid)
    copy.prog.wait_exit()


def end_by_kill(copy):
    os.kill(copy.prog.pid, signal.SIGKILL)
    copy.prog.wait_exit()


ENDINGS = {"Cancel": end_by_cancel, "OK on the ringing box": end_by_ok, "Exit": end_by_exit,
           "closing the window": end_by_closing, "kill -9": end_by_kill}


class SleepInhibitTest(unittest.TestCase):
    def in_force(self, mocks, key, copy):
        """The holds of the service that are in force: those of a connection
        that has closed are dropped by every one of these services."""
        return mocks.holds(key) if connected(copy.prog.pid) else []

    def check_service(self, holder):
        """The services from `holder` on are present: `holder` gets the hold."""
        present = ORDER[ORDER.index(holder):]
        mocks = Mocks(self, present)
        flags = -1 if holder == "power-management" else SUSPEND
        for ending, end in ENDINGS.items():
            with self.subTest(ending=ending):
                mocks.reset()
                copy = Copy(self, mocks)
                self.assertEqual(mocks.holds(holder), [], "none while Disarmed")
                copy.arm()
                wait_until(lambda: mocks.holds(holder), 5, f"a hold from {holder}")
                self.assertEqual(mocks.holds(holder), [(REASON, flags)], "only suspend: no logout, "
                                 "switch or idle (screen) flag")
                for later in present[1:]:
                    self.assertEqual(mocks.asked(later), 0, f"{later} is not asked")
                self.assertEqual(mocks.sleep_locks(), [], "the user's own suspend is not blocked")
                held = lambda: self.in_force(mocks, holder, copy)  # noqa: E731
                if end is end_by_ok:
                    end(copy, held)
                else:
                    end(copy)
                wait_until(lambda: not held(), 5, f"the hold to end after {ending}")
                copy.prog.stop()

    def test_portal_first(self):
        self.check_service("portal")

    def test_gnome_session_without_a_portal(self):
        self.check_service("gnome-session")

    def test_power_management_without_either(self):
        self.check_service("power-management")

    def test_cancel_while_the_answer_is_on_its_way_leaves_no_hold(self):
        delay = 1.5
        mocks = Mocks(self, ("portal",), delay=delay)
        copy = Copy(self, mocks)
        asked_at = time.monotonic()
        copy.arm()
        end_by_cancel(copy)
        self.assertLess(time.monotonic() - asked_at, delay, "disarmed before the portal answered")
        wait_until(lambda: mocks.asked("portal") == 1 and not mocks.holds("portal"), 10,
                   "the late hold to be given back")
        self.assertTrue(connected(copy.prog.pid))

    @unittest.skipUnless(os.access(POWERDEVIL, os.X_OK), "KDE's powerdevil is not installed")
    def test_against_kde_powerdevil(self):
        """The real PowerManagement service, with logind and UPower mocked on
        the private system bus: it sees the hold, drops it with the program's
        connection, and takes no lock of its own against the user's suspend."""
        mocks = Mocks(self, (), system=("logind", "upower"))
        desk.start_service("powerdevil", [POWERDEVIL], extra_env={
            "DBUS_SYSTEM_BUS_ADDRESS": mocks.system_bus, "KDE_DEBUG": "1", "XDG_CURRENT_DESKTOP": "KDE"})
        self.addCleanup(desk.stop_service, "powerdevil")
        name, path, iface, _ = SERVICES["power-management"]
        wait_until(lambda: bus.name_has_owner(name), 30, "powerdevil on the bus",
                   on_poll=lambda: desk._check_alive("powerdevil"))
        pm = dbus.Interface(bus.get_object(name, path), iface)
        agent = dbus.Interface(bus.get_object("org.kde.Solid.PowerManagement.PolicyAgent",
                                              "/org/kde/Solid/PowerManagement/PolicyAgent"),
                               "org.kde.Solid.PowerManagement.PolicyAgent")
        locks = mocks.sleep_locks()
        for ending, end in ENDINGS.items():
            with self.subTest(ending=ending):
                copy = Copy(self, mocks)
                self.assertFalse(pm.HasInhibit(), "none while Disarmed")
                copy.arm()
                # powerdevil puts a hold in force only once it has lasted 5 s.
                wait_until(lambda: pm.HasInhibit(), 10, "powerdevil to hold")
                self.assertIn(REASON, [str(reason) for _, reason in agent.ListInhibitions()])
                self.assertEqual(mocks.sleep_locks(), locks, "the user's own suspend is not blocked")
                if end is end_by_ok:
                    end(copy, lambda: bool(pm.HasInhibit()))
                else:
                    end(copy)
                wait_until(lambda: not pm.HasInhibit(), 5, f"powerdevil to let go after {ending}")
                copy.prog.stop()

    def test_logind_leaves_the_lid_alone_while_it_rings(self):
        mocks = Mocks(self, ())
        copy = Copy(self, mocks)
        copy.arm()
        self.assertEqual(mocks.lid_blocks(), [], "none while Armed")
        program.set_clock(copy.clock, program.epoch("2026-12-07 07:29:58"))
        wait_until(lambda: program.has_box(copy.app), 15, "the ringing box", interval=0.05)
        wait_until(lambda: mocks.lid_blocks() == [LID_BLOCK], 5, "the lid switch's block while ringing")
        self.assertEqual(mocks.sleep_locks(), [], "the user's own suspend is not blocked")
        desk.key("Return")
        wait_until(lambda: not copy.armed(), 5, "OK to disarm")
        wait_until(lambda: not mocks.lid_blocks(), 5, "the block to end with the ring")

    def test_without_any_service_it_runs_as_before(self):
        copy = Copy(self, None)
        started = time.monotonic()
        copy.arm()
        self.assertLess(time.monotonic() - started, 3, "Set does not wait for the bus")
        end_by_cancel(copy)
        copy.arm()
        self.assertEqual(copy.prog.output(), ("", ""), "nothing to say about it")


if __name__ == "__main__":
    unittest.main(verbosity=2)
