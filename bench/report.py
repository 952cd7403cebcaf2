# SPDX-FileCopyrightText: 2026 Alarm Clock developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turns bench/results-latest.json into tables: bench/results-latest.txt, and
the results section of bench/README.md (between its two result markers)."""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
BEGIN, END = "<!-- results begin -->", "<!-- results end -->"
ORDER = ("ours", "ours_noa11y", "xclock", "gnome_clocks", "applet")


def ms(summary, key="median_ms"):
    if not summary or not summary.get("n"):
        return "–"
    return f"{summary[key]:g}"


def spread(summary):
    if not summary or not summary.get("n"):
        return "–"
    return f"{summary['median_ms']:g} ({summary['min_ms']:g}–{summary['max_ms']:g})"


def summarize(seconds):
    """min / median / max of values in seconds, as milliseconds."""
    import statistics
    if not seconds:
        return {"n": 0}
    return {"n": len(seconds), "min_ms": round(min(seconds) * 1000, 1),
            "median_ms": round(statistics.median(seconds) * 1000, 1),
            "max_ms": round(max(seconds) * 1000, 1)}


def mib(kib):
    return "–" if kib is None else f"{kib / 1024:.1f}"


def load(section):
    if not section.get("loadavg_before"):
        return ""
    return (f" Load average (1, 5, 15 min) before it: {section['loadavg_before']}, after: "
            f"{section.get('loadavg_after')} (its own load included).")


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(str(c) for c in row) + " |" for row in rows]
    return "\n".join(lines)


def render_tick(tick, title):
    """One row per program and setting: wake-ups (voluntary switches) apart
    from preemptions (involuntary ones), CPU, and the label's lag."""
    out = [f"\n### {title} ({tick.get('idle_s')} s each, {tick.get('date')})\n"]
    if not tick.get("periods"):
        return "\n".join(out + [f"Not measured: {tick.get('status')}"])
    labels = {"ours": "alarm-clock", "xclock": "xclock -update 1"}
    rows, threads = [], []
    for period in tick["periods"]:
        result = period["result"]
        base = result.get("xclock")
        setting = f"{period['sound']}, {period['alarm']}, {period['focus']}"
        for key in ("ours", "xclock"):
            p = result.get(key)
            if not p:
                continue
            lag = p.get("lag") or {}
            lag_text = f"{lag['median_ms']:g} ({lag['worst_ms']:g})" if lag.get("repaints") else "–"
            ratio = (f"{p['oncpu_ms'] / base['oncpu_ms']:.2f}" if base and base["oncpu_ms"] else "–")
            wake_ratio = (f"{p['voluntary_per_s'] / base['voluntary_per_s']:.2f}"
                          if base and base["voluntary_per_s"] else "–")
            rows.append([setting, labels[key], f"{p['voluntary_per_s']:g}", wake_ratio,
                         f"{p['involuntary_per_s']:g}", f"{p['oncpu_ms_per_min']:g}",
                         f"{p['oncpu_per_tick_ms']:.3f}", ratio, lag_text,
                         f"{p.get('machine_busy_percent')}", "yes" if p.get("focused") else "no"])
            busy = [f"{t['name']} {t['wakeups_per_s']:g}/{t['preemptions_per_s']:g}"
                    for t in p.get("threads_detail", []) if t["wakeups_per_s"] or t["preemptions_per_s"]]
            threads.append(f"{setting}, {labels[key]}: " + (", ".join(busy) or "none"))
    out.append(table(["setting", "program", "wake-ups/s", "wake-ups / xclock's", "preemptions/s",
                      "on-CPU ms/min", "CPU per tick (ms)", "CPU / xclock's", "lag ms: median (worst)",
                      "machine busy %", "focused"], rows))
    out.append("\nThreads that switched (name wake-ups/s / preemptions/s): " + "; ".join(threads) + ".")
    out.append(f"\nArmed with Set for {tick.get('armed_for')}, hours away. Binary: {tick.get('binary')}."
               + load(tick))
    return "\n".join(out)


def render(results):
    out = []
    m = results.get("machine", {})
    out.append(f"Machine: {m.get('cpu', '?')}, {m.get('cores', '?')} cores, Linux {m.get('kernel', '?')}; "
               "Xvfb + openbox + trayer + PulseAudio (null sink), all private to the run.")
    versions = ", ".join(f"{k} {v}" for k, v in sorted(m.get("versions", {}).items()) if v)
    out.append(f"Packages: {versions}.")
    main = results.get("main")
    if main:
        out.append(f"\nMain run: {main['date']} (the run took {main.get('run_s', '?')} s in all)."
                   + load(main))
        labels = main["idle"].get("labels", {})
        startup = main["startup"]

        def name(key):
            return labels.get(key) or startup.get(key, {}).get("label", key)

        out.append("\n### Start-up (ms from exec; median of %s starts, min–max)\n"
                   % next((v.get("runs") for v in startup.values() if v.get("runs")), "?"))
        rows = []
        for key in ORDER:
            s = startup.get(key)
            if not s:
                continue
            if s.get("status"):
                rows.append([name(key), s["status"], "", ""])
                continue
            window = spread(s["to_window"]) if s.get("to_window", {}).get("n") else "no window"
            if s.get("window_missing") and s.get("to_window", {}).get("n"):
                window += f" ({s['window_missing']} starts without)"
            rows.append([name(key), window, spread(s.get("to_tray_icon")),
                         spread(s.get("to_label")) if "to_label" in s else "n/a"])
        out.append(table(["program", "window mapped (WM-managed)", "tray icon docked",
                          "time label read via AT-SPI"], rows))

        idle = main["idle"]
        out.append("\n### Memory 5 s after start (MiB)\n")
        rows = []
        for key in ORDER:
            mem = idle["memory"].get(key)
            if mem:
                rows.append([name(key), mib(mem["vmrss_kib"]), mib(mem["pss_kib"]), mem["threads"],
                             "yes" if mem.get("software_gl") else "no"])
            elif key in idle.get("status", {}):
                rows.append([name(key), idle["status"][key], "", "", ""])
        out.append(table(["program", "VmRSS", "PSS", "threads", "Mesa software GL mapped"], rows))

        def idle_rows(period, keys, label_of):
            rows = []
            for key in keys:
                p = period.get(key)
                if not p:
                    continue
                rows.append([label_of(key), p["cpu_ms"], f"{p['oncpu_ms']:g}", f"{p['wakeups_per_s']:g}",
                             "yes" if p.get("focused") else "no", mib(p.get("rss_after_kib"))])
            return rows

        header = ["program", "CPU ms (utime+stime)", "on-CPU ms (schedstat)", "wake-ups/s",
                  "focused", "RSS after (MiB)"]
        together = idle["together"]
        out.append(f"\n### Idle, {idle['idle_s']} s, all programs running together\n")
        out.append(table(header, idle_rows(together, ORDER, name)))
        ended = [f"{name(k)} ({v['threads_before']} → {v['threads']})" for k, v in together.items()
                 if isinstance(v, dict) and v.get("threads_ended")]
        if ended:
            out.append("\nThreads that ended during the period (their context switches are not "
                       "counted): " + ", ".join(ended) + ".")
        heard = together.get("atspi_events_heard") or {}
        if heard:
            out.append("\nAT-SPI events a listening client received meanwhile: "
                       + ", ".join(f"{k} ×{v}" for k, v in sorted(heard.items())) + ".")
        alone = idle.get("alone") or {}
        if alone:
            alone_names = {"ours_listened": "alarm-clock, accessibility on, a client listening",
                           "ours": "alarm-clock, accessibility on, nobody listening",
                           "ours_noa11y": "alarm-clock, accessibility off"}
            out.append(f"\n### Idle, {idle['idle_s']} s, alarm-clock alone\n")
            out.append(table(header, idle_rows(alone, alone_names, alone_names.get)))
            heard = (alone.get("ours_listened") or {}).get("atspi_events_heard") or {}
            if heard:
                out.append("\nAT-SPI events received while listening: "
                           + ", ".join(f"{k} ×{v}" for k, v in sorted(heard.items())) + ".")

        out.append("\n### Repaint lag behind the wall clock's second (ms, XDamage)\n")
        rows = []
        for period_name, period, keys, label_of in (
                ("together", together, ORDER, name),
                ("alone", alone, ("ours_listened", "ours", "ours_noa11y"),
                 lambda k: {"ours_listened": "alarm-clock, accessibility on, listened",
                            "ours": "alarm-clock, accessibility on",
                            "ours_noa11y": "alarm-clock, accessibility off"}[k])):
            for key in keys:
                lag = (period.get(key) or {}).get("lag")
                if not lag:
                    continue
                if not lag.get("repaints"):
                    rows.append([label_of(key), period_name, lag["region"], 0, "–", "–", "–", "–"])
                    continue
                rows.append([label_of(key), period_name, lag["region"], lag["repaints"],
                             f"{lag['median_ms']:g}", f"{lag['p90_ms']:g}", f"{lag['worst_ms']:g}",
                             f"{lag['min_ms']:g}"])
        out.append(table(["program", "period", "watched", "repaints", "median", "p90", "worst", "best"], rows))
        v = idle.get("verify")
        if v:
            out.append(f"\nLabel check: after {v['ticks']} label repaints, the label read through AT-SPI "
                       f"showed the wall clock's second {v['matching']} times.")
        if idle.get("overlaps"):
            out.append(f"\nOverlapping windows during the idle period: {idle['overlaps']}.")

        alarm = main.get("alarm")
        if alarm:
            good = [r for r in alarm["rings"] if "error" not in r]
            out.append(f"\n### The alarm (ms; median of {len(good)} rings, min–max)\n")

            def corrected(key):
                # The sample clock reads early by at least the stimulus offset.
                values = [(ring[key] - min(0.0, ring["stimulus_offset"])) for ring in good
                          if ring.get(key) is not None and ring.get("stimulus_offset") is not None]
                return summarize(values)

            def raw(key):
                return summarize([ring.get(key) for ring in good if ring.get(key) is not None])

            rows = [
                ["ringing check → first sample mixed", spread(raw("check_to_sound")),
                 spread(corrected("check_to_sound"))],
                ["ringing check → box mapped (X, no sample clock)", spread(raw("check_to_box")), "same"],
                ["OK (Return) → the loop's tone stops", spread(raw("ok_to_loop_silent")),
                 spread(corrected("ok_to_loop_silent"))],
                ["OK (Return) → final play's first sample", spread(raw("ok_to_final_start")),
                 spread(corrected("ok_to_final_start"))],
                ["OK (Return) → final play's last sample", spread(raw("ok_to_final_end")),
                 spread(corrected("ok_to_final_end"))],
                ["final play's tone, first to last sample (0.4 s in the file)", spread(raw("final_tone")),
                 "same"],
                ["sample clock check: stimulus mixed − handed to the server", spread(raw("stimulus_offset")),
                 ""],
            ]
            out.append(table(["interval", "raw sample clock", "corrected by the stimulus"], rows))
            errors = [r["error"] for r in alarm["rings"] if "error" in r]
            if errors:
                out.append(f"\nRings that failed: {errors}")
    armed = results.get("armed_idle")
    if armed:
        out.append(f"\n### Idle Disarmed and Armed, beside xclock ({armed['idle_s']} s each, {armed['date']})\n")
        labels = {"ours": "alarm-clock (accessibility on, nobody listening)",
                  "ours_noa11y": "alarm-clock (accessibility off)", "xclock": "xclock -update 1"}
        rows = []
        for period in ("disarmed", "armed"):
            base = armed[period].get("xclock")
            for key in ("ours", "ours_noa11y", "xclock"):
                p = armed[period].get(key)
                if not p:
                    continue
                ratio = (f"{p['oncpu_ms'] / base['oncpu_ms']:.2f}" if base and base["oncpu_ms"] else "–")
                rows.append([labels[key], period, p["cpu_ms"], f"{p['oncpu_ms']:g}", ratio,
                             f"{p['wakeups_per_s']:g}", "yes" if p.get("focused") else "no"])
        out.append(table(["program", "alarm", "CPU ms (utime+stime)", "on-CPU ms (schedstat)",
                          "on-CPU / xclock's", "wake-ups/s", "focused"], rows))
        out.append(f"\nArmed with Set for {armed.get('armed_for')}, hours away; the armed state was read "
                   "back through AT-SPI for the accessible copy, the other got the same keys.")
    for key, title in (("tick", "The tick beside xclock, quiet and with a sound stream"),
                       ("tick_before", "The same, for the build before the cheaper tick")):
        if results.get(key):
            out.append(render_tick(results[key], title))
    soak = results.get("soak")
    if soak:
        out.append(f"\n### Soak: {soak['hours']} simulated hours, one alarm per hour ({soak['date']}, "
                   f"{soak['wall_s']} s)\n")
        if load(soak):
            out.append(load(soak).strip() + "\n")
        rows = [["RSS before the first ring", mib(soak.get("rss_before_first_ring_kib"))],
                ["RSS after hour 1", mib(soak.get("rss_after_hour1_kib"))],
                ["RSS at the end", mib(soak.get("rss_end_kib"))],
                ["RSS growth hour 1 → end (KiB)", soak.get("rss_growth_kib")],
                ["within 1 MiB", "yes" if soak.get("within_1_mib") else "no"],
                ["rang every hour at its second, once", "yes" if soak.get("rang_every_hour") else "no"]]
        out.append(table(["figure", "value"], rows))
        if soak.get("problems"):
            out.append("\nProblems: " + "; ".join(soak["problems"]))
    return "\n".join(out) + "\n"


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "results-latest.json")
    with open(path) as f:
        results = json.load(f)
    text = render(results)
    if os.path.abspath(path) != os.path.join(HERE, "results-latest.json"):
        sys.stdout.write(text)   # a trial run: the published results stay as they are
        return
    with open(os.path.join(HERE, "results-latest.txt"), "w") as f:
        f.write(text)
    readme = os.path.join(HERE, "README.md")
    try:
        with open(readme) as f:
            body = f.read()
    except OSError:
        return
    if BEGIN in body and END in body:
        head, rest = body.split(BEGIN, 1)
        tail = rest.split(END, 1)[1]
        with open(readme, "w") as f:
            f.write(head + BEGIN + "\n" + text + END + tail)


if __name__ == "__main__":
    main()
