# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the Windows program's unit tests (win32-units.exe, given as the
argument) under Wine, in a Wine prefix of their own under a temporary folder.
The windows need no screen: Wine's null display driver stands in for one, so
no X server is started. Exits with the tests' exit status."""
import os
import subprocess
import sys
import tempfile


def main(exe):
    with tempfile.TemporaryDirectory(prefix="alarm-clock-win32-units-") as tmp:
        env = {key: value for key, value in os.environ.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(WINEPREFIX=os.path.join(tmp, "prefix"), WINEDEBUG="-all", LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        try:
            subprocess.run(["wineboot", "-i"], env=env, check=True, capture_output=True, timeout=240)
            subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=60)
            # Read by the server at its next start: every window on the null driver.
            with open(os.path.join(env["WINEPREFIX"], "user.reg"), "a") as reg:
                reg.write('\n[Software\\\\Wine\\\\Drivers]\n"Graphics"="null"\n')
            return subprocess.run(["wine", exe], env=env, timeout=120).returncode
        finally:
            subprocess.run(["wineserver", "-k"], env=env, capture_output=True, timeout=30)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
