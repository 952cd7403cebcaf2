#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the benchmarks in a private X desktop and writes bench/results-latest.*
# and the results section of bench/README.md.
#
#   bench/run.sh [BUILD_DIR] [--soak | --soak-only | --armed-only | --tick-only] [--quick]
#
# BUILD_DIR defaults to build. --soak adds the 24-simulated-hour soak after the
# usual run (about 3 minutes more); --soak-only runs just the soak;
# --armed-only just the idle figures Disarmed and Armed beside xclock (about
# 2.5 minutes; the usual run ends with them too); --tick-only just the tick's
# wake-ups, preemptions and CPU beside xclock, quiet and with a sound stream
# playing (about 6 minutes; the usual run ends with it too); --quick
# makes fewer starts and shorter idle periods, to try the scripts out (its
# results go to bench/results-quick.json, not into the published ones).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
main=yes
soak=no
quick=()
for arg in "$@"; do
    case "$arg" in
        --soak) soak=yes ;;
        --soak-only) soak=yes; main=no ;;
        --armed-only) main=armed ;;
        --tick-only) main=tick ;;
        --quick) quick=(--quick) ;;
        -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
        -*) echo "unknown option: $arg" >&2; exit 2 ;;
        *) build="$arg" ;;
    esac
done

if [ ! -x "$build/alarm-clock" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" -j2 --target alarm-clock
fi

# The other clocks measured beside ours, and strace (it times the sound
# stimulus): installed here when missing, for the benchmark only.
missing=()
for package in x11-apps gnome-clocks alarm-clock-applet strace; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing for the benchmark: ${missing[*]}"
    if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
        echo "Could not install ${missing[*]}: those programs are reported as not installed." >&2
    fi
fi

export PYTHONDONTWRITEBYTECODE=1
if [ "$main" = yes ]; then
    timeout 1500 /usr/bin/python3 bench/bench.py --build "$build" "${quick[@]}"
elif [ "$main" = tick ]; then
    timeout 900 /usr/bin/python3 bench/bench.py --build "$build" --tick-only "${quick[@]}"
elif [ "$main" = armed ]; then
    timeout 600 /usr/bin/python3 bench/bench.py --build "$build" --armed-only "${quick[@]}"
fi
if [ "$soak" = yes ]; then
    timeout 900 /usr/bin/python3 bench/bench.py --build "$build" --soak "${quick[@]}"
fi
if [ ${#quick[@]} -gt 0 ]; then
    /usr/bin/python3 bench/report.py bench/results-quick.json
else
    /usr/bin/python3 bench/report.py
    cat bench/results-latest.txt
fi
