# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A muted or quiet output is heard while the alarm rings, and put back after
it; the ring plays on the output that is the default when it starts.
ALARM_CLOCK_SOUND_SERVER=pipewire runs it on PipeWire, else on PulseAudio."""
import array
import os
import re
import subprocess
import sys
import tempfile
import unittest
import wave

sys.path.insert(0, os.path.dirname(__file__))
import desktop  # noqa: E402
import program  # noqa: E402
import stress  # noqa: E402
from desktop import states, wait_until  # noqa: E402

SERVER = os.environ.get("ALARM_CLOCK_SOUND_SERVER", "pulse")
desk = program.SharedDesktop(tray=False, sound="pipewire" if SERVER == "pipewire" else True)
tearDownModule = desk.stop
FLOOR = 40  # percent


def setUpModule():
    desk.start()
    pactl("load-module", "module-null-sink", "sink_name=other")
    wait_until(lambda: subprocess.run(["pactl", "get-sink-mute", "other"], env=desk.env,
                                      capture_output=True).returncode == 0,
               10, "the second null sink")
    desk.keep_sink_awake("other")


def pactl(*args):
    return subprocess.run(["pactl", *args], env=desk.env, capture_output=True, text=True,
                          check=True, timeout=10).stdout


def level(sink):
    """(muted, volume in percent) of a sink, as the desktop's mixer shows it."""
    muted = pactl("get-sink-mute", sink).split()[-1] == "yes"
    return muted, int(re.search(r"(\d+)%", pactl("get-sink-volume", sink)).group(1))


def set_level(sink, muted, percent):
    pactl("set-sink-mute", sink, "1" if muted else "0")
    pactl("set-sink-volume", sink, f"{percent}%")


def peak(path):
    """The loudest sample of a recording, as a fraction of full scale."""
    with wave.open(path, "rb") as wav:
        samples = array.array("h", wav.readframes(wav.getnframes()))
    return max((abs(s) for s in samples), default=0) / 32768


class RingVolumeTest(unittest.TestCase):
    def test_a_quiet_output_is_heard_while_ringing_and_put_back(self):
        folder = tempfile.mkdtemp(dir=desk.tmp)
        # A full-scale tone: at the floor it is still well above the recording's noise.
        desktop.make_tone(os.path.join(folder, "alarm.wav"), 0.4, freq=660, volume=1.0)
        clock = os.path.join(folder, "clock")
        desktop.set_fake_time(clock, "2026-12-07 07:29:52")
        set_level("null", True, 5)
        set_level("other", True, 5)
        prog, wid = program.start(desk, cwd=folder,
                                  extra_env=dict(program.fake_clock_env(clock), TZ="UTC"))
        try:
            app = program.app_of(desk, prog)
            c = program.controls(desk, app)

            def ring(alarm, sink, during=None):
                recorder = desk.record(os.path.join(folder, f"{sink}-{alarm}.wav"), sink)
                program.arm_for(desk, wid, alarm)
                wait_until(lambda: "enabled" in states(c["cancel"]), 5, "the alarm to be armed")
                pactl("set-default-sink", sink)
                alert = program.wait_box(desk, app)
                wait_until(lambda: level(sink) == (False, FLOOR), 5, f"{sink} unmuted at the floor")
                if during:
                    during()
                program.dismiss_box(desk, alert)
                return recorder

            # A muted output at 5 %: the ring is heard at the floor, then both go
            # back, after the final play.
            recorder = ring("07:30:00", "null")
            wait_until(lambda: level("null") == (True, 5), 5, "null muted again at 5 %")
            heard = peak(recorder.stop())
            self.assertGreater(heard, 0.03, "heard at the floor")
            self.assertLess(heard, 0.15, "not louder than the floor")
            self.assertEqual(level("other"), (True, 5), "only the default output is touched")

            # Another output made the default after Set carries the ring; the
            # volume the user sets during the ring stands, the mute goes back.
            program.set_clock(clock, program.epoch("2026-12-07 07:30:54"))
            recorder = ring("07:31:00", "other", during=lambda: set_level("other", False, 70))
            wait_until(lambda: level("other") == (True, 70), 5, "other muted again, at 70 %")
            self.assertGreater(peak(recorder.stop()), 0.03, "the ring heard on the new default")
            self.assertEqual(level("null"), (True, 5), "the former default left alone")

            # Exit during a ring ends the program at once: the output is put back first.
            set_level("other", True, 5)
            program.set_clock(clock, program.epoch("2026-12-07 07:31:54"))
            program.arm_for(desk, wid, "07:32:00")
            program.wait_box(desk, app)
            wait_until(lambda: level("other") == (False, FLOOR), 5, "other unmuted at the floor")
            desktop.press(c["exit"])
            prog.wait_exit(5)
            self.assertEqual(level("other"), (True, 5), "put back before the program ended")
        finally:
            program.finish(self, prog)


load_tests = stress.load_tests_of(RingVolumeTest, ["test_a_quiet_output_is_heard_while_ringing_and_put_back"])

if __name__ == "__main__":
    unittest.main(verbosity=2)
