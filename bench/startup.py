#!/usr/bin/env python3
"""Start-up time (process start to the main window's first paint) and peak memory, beside
a bare Qt 6 window's (bench/bare_window), and beside the same window drawing one line of
Chinese text (the floor for any window with text), the three run in turn.

usage: bench/startup.py BUILD_DIR [RUNS] [--xcb] [--against OTHER_BUILD_DIR]
Runs Wordmill in a prepared data folder with the database in place: offscreen, or with
--xcb on the X display in $DISPLAY, as on a desktop. A desktop also has a session bus:
    xvfb-run -a dbus-run-session -- bench/startup.py build 15 --xcb
The first paint is reported once the whole frame is drawn, by all alike. --against also
runs the Wordmill of another build (an earlier commit's, say) in the same rounds.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def one_run(command, folder, platform):
    env = dict(os.environ, QT_QPA_PLATFORM=platform, WORDMILL_STARTUP_PROBE="1",
               XDG_CONFIG_HOME=os.path.join(folder, "config"))
    start = time.time_ns()
    proc = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    if status != 0:
        raise SystemExit(f"{command} exited with status {status}")
    for line in out.splitlines():
        if line.startswith("wordmill-first-paint-ns "):
            painted = int(line.split()[1])
            return (painted - start) / 1e6, usage.ru_maxrss / 1024.0
    raise SystemExit("no first paint reported")


def main():
    args = sys.argv[1:]
    other = None
    if "--against" in args:
        at = args.index("--against")
        other = args[at + 1]
        del args[at:at + 2]
    platform = "xcb" if "--xcb" in args else "offscreen"
    args = [a for a in args if a != "--xcb"]
    build = args[0] if args else "build"
    runs = int(args[1]) if len(args) > 1 else 20
    program = os.path.abspath(os.path.join(build, "app", "Wordmill"))
    bare = os.path.abspath(os.path.join(build, "bench", "bare_window"))
    with tempfile.TemporaryDirectory() as folder:
        shutil.copy(os.path.join(build, "data", "danci.mdb"), folder)
        shutil.copytree(os.path.join(build, "data", "Skins"), os.path.join(folder, "Skins"))
        commands = {"wordmill": [program], "bare": [bare], "bare+text": [bare, "--text"]}
        if other:
            commands["other"] = [os.path.abspath(os.path.join(other, "app", "Wordmill"))]
        for command in commands.values():
            one_run(command, folder, platform)  # warm the file cache
        results = {name: [] for name in commands}
        for _ in range(runs):
            for name, command in commands.items():
                results[name].append(one_run(command, folder, platform))
    print(f"runs: {runs}, in turn, {platform}")
    medians = {}
    for name, rows in results.items():
        times = sorted(r[0] for r in rows)
        peak = statistics.median(r[1] for r in rows)
        medians[name] = (statistics.median(times), peak)
        print(f"{name}: first paint median {medians[name][0]:.1f} ms "
              f"(min {times[0]:.1f}, max {times[-1]:.1f}), peak memory median {peak:.1f} MB")
    for program in [name for name in ("wordmill", "other") if name in medians]:
        wt, wm = medians[program]
        for floor in ("bare", "bare+text"):
            bt, bm = medians[floor]
            print(f"{program} / {floor}: first paint {wt / bt:.2f}x, peak memory {wm / bm:.2f}x")

if __name__ == "__main__":
    main()
