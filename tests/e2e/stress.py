# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Stress mode of the end-to-end tests: with ALARM_CLOCK_STRESS=N a test file
runs only its cases named in load_tests, each N times in a row, while every
core is kept busy by busy loops that end with the file (or after an hour):

    load_tests = stress.load_tests_of(TestCase, ["test_...", ...])

Without the variable the file runs as it always does."""
import os
import subprocess
import sys
import unittest

import desktop

RUNS = int(os.environ.get("ALARM_CLOCK_STRESS") or 0)
BUSY_LOOP = "import time\nend = time.monotonic() + 3600\nwhile time.monotonic() < end: pass\n"


class BusyCores(unittest.TestSuite):
    """The suite run with one busy loop a core."""

    def run(self, result, debug=False):
        loops = [subprocess.Popen([sys.executable, "-c", BUSY_LOOP], preexec_fn=desktop._die_with_parent)
                 for _ in range(os.cpu_count() or 2)]
        try:
            return super().run(result, debug)
        finally:
            for loop in loops:
                desktop._stop_pid(loop.pid, loop)
            failed = len(result.failures) + len(result.errors)
            print(f"\nstress: {result.testsRun} runs under load, {failed} failed", file=sys.stderr)


def load_tests_of(case_class, names):
    def load_tests(loader, tests, pattern):
        if not RUNS:
            return tests
        return BusyCores(case_class(name) for name in names for _ in range(RUNS))
    return load_tests
