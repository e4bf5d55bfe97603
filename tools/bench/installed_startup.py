#!/usr/bin/env python3
"""Start-up to first paint of the installed program, beside a bare Qt window in the same run.

Installs the build into a temporary prefix and puts the two start-up probes into its bin/ folder:
startup_probe_velmora runs the program's own start-up (private files found from the installed
layout, the bank copied to the per-user data directory) and prints "painted" at its first paint.
Runs alternate between the bare window and the program; the first start (the bank copied into an
empty home) is measured apart from later starts.

    installed_startup.py BUILD_DIR [RUNS]
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def first_paint_ms(probe, env):
    start = time.perf_counter()
    child = subprocess.Popen([probe], stdout=subprocess.PIPE, env=env)
    line = child.stdout.readline()
    elapsed = (time.perf_counter() - start) * 1000
    child.stdout.read()
    child.wait()
    return elapsed if line == b"painted\n" and child.returncode == 0 else None


def report(name, values):
    good = [v for v in values if v is not None]
    if not good:
        print(f"{name:32} no paint")
        return None
    median = statistics.median(good)
    print(f"{name:32} min {min(good):7.1f}  median {median:7.1f}  max {max(good):7.1f} ms"
          f"  ({len(values) - len(good)} failed of {len(values)})")
    return median


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    with tempfile.TemporaryDirectory() as scratch:
        prefix = os.path.join(scratch, "prefix")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        for probe in ("startup_probe_velmora", "startup_probe_bare"):
            shutil.copy2(os.path.join(build, "bin", probe), os.path.join(prefix, "bin"))
        home = os.path.join(scratch, "home")
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=scratch, VELMORA_PROBE_IDLE_MS="0")
        env.setdefault("QT_QPA_PLATFORM", "offscreen")
        env.pop("XDG_DATA_HOME", None)
        velmora, bare = (os.path.join(prefix, "bin", p) for p in ("startup_probe_velmora", "startup_probe_bare"))
        user_data = os.path.join(home, ".local/share/velmora")

        first_starts, first_bare = [], []
        for _ in range(max(3, runs // 3)):
            shutil.rmtree(home, ignore_errors=True)
            os.mkdir(home)
            first_bare.append(first_paint_ms(bare, env))
            first_starts.append(first_paint_ms(velmora, env))
        if not os.path.isfile(os.path.join(user_data, "qvtb.mdb")):
            sys.exit("the installed program made no per-user bank")

        later, floor = [], []
        for _ in range(runs):
            floor.append(first_paint_ms(bare, env))
            later.append(first_paint_ms(velmora, env))

        print(f"{runs} runs each, QT_QPA_PLATFORM={env['QT_QPA_PLATFORM']}, installed at {prefix}")
        bare_median = report("bare Qt window", floor)
        later_median = report("installed velmora", later)
        report("bare Qt window (first-start set)", first_bare)
        report("installed velmora, first start", first_starts)
        if bare_median and later_median:
            print(f"start-up ratio (median): {later_median / bare_median:.2f} (limit 1.50)")


if __name__ == "__main__":
    main()
