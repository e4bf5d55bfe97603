#!/usr/bin/env python3
"""Start-up to first paint of the installed program, beside a bare Qt window in the same run.

Installs the build into a temporary prefix and puts the two start-up probes into its bin/ folder:
startup_probe_velmora runs the program's own start-up (private files found from the installed
layout, the bank copied to the per-user data directory) and prints "painted" at its first paint and
"framed" once that first frame is done.
Runs alternate between the bare window and the program; the first start (the bank copied into an
empty home) is measured apart from later starts.

    installed_startup.py BUILD_DIR [RUNS] [--x | --offscreen-with-display] [--cold]

--x starts a private Xvfb and runs both on it; --offscreen-with-display runs offscreen with DISPLAY
naming that server; --cold drops the page cache before every start (as root). The program prints
the time of each start-up step (VELMORA_STARTUP_TRACE), and the medians are reported.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def drop_caches():
    """Empties the page cache so the next start reads its files from disk; False when not allowed."""
    try:
        subprocess.run(["sync"], check=True)
        with open("/proc/sys/vm/drop_caches", "w") as caches:
            caches.write("3\n")
        return True
    except OSError:
        return False


def start_once(probe, env, cold, trace):
    """Milliseconds to the probe's first paint, or None; the program's per-step trace into `trace`."""
    if cold:
        drop_caches()
    env = dict(env, VELMORA_STARTUP_T0=str(time.monotonic_ns()))
    start = time.perf_counter()
    child = subprocess.Popen([probe], stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=env)
    line = child.stdout.readline()
    elapsed = (time.perf_counter() - start) * 1000
    framed = child.stdout.readline()
    frame_done = (time.perf_counter() - start) * 1000
    child.stdout.read()
    errors = child.stderr.read().decode(errors="replace")
    child.wait()
    if line != b"painted\n" or child.returncode != 0:
        return None
    for text in errors.splitlines():
        parts = text.split(" ", 2)
        if len(parts) == 3 and parts[0] == "trace":
            trace.setdefault(parts[2], []).append(float(parts[1]))
    trace.setdefault("first paint", []).append(elapsed)
    if framed == b"framed\n":
        trace.setdefault("first frame done", []).append(frame_done)
    return elapsed


def report(name, values):
    good = [v for v in values if v is not None]
    if not good:
        print(f"{name:34} no paint")
        return None
    median = statistics.median(good)
    print(f"{name:34} min {min(good):7.1f}  median {median:7.1f}  max {max(good):7.1f} ms"
          f"  ({len(values) - len(good)} failed of {len(values)})")
    return median


def report_trace(trace):
    print("program's steps, ms since it was started (median, min, max):")
    for step, values in sorted(trace.items(), key=lambda item: statistics.median(item[1])):
        print(f"  {step:32} {statistics.median(values):7.1f} {min(values):7.1f} {max(values):7.1f}")


class XServer:
    """A private Xvfb for the run, when asked for: no window manager, as a bare session has."""

    def __init__(self, wanted):
        self.process = None
        self.display = None
        if not wanted:
            return
        for number in range(90, 110):
            if not os.path.exists(f"/tmp/.X11-unix/X{number}"):
                self.display = f":{number}"
                break
        self.process = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1366x768x24", "-nolisten", "tcp"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if subprocess.run(["xdpyinfo", "-display", self.display], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                return
            time.sleep(0.05)
        sys.exit("Xvfb did not start")

    def close(self):
        if self.process:
            self.process.terminate()
            self.process.wait()


def settings(argv):
    options = {"--x": False, "--offscreen-with-display": False, "--cold": False}
    plain = []
    for argument in argv:
        if argument in options:
            options[argument] = True
        else:
            plain.append(argument)
    return plain[0], int(plain[1]) if len(plain) > 1 else 30, options


def main():
    build, runs, options = settings(sys.argv[1:])
    cold = options["--cold"]
    if cold and not drop_caches():
        print("cannot drop the page cache (needs root): the cold runs are warm")
        cold = False
    server = XServer(options["--x"] or options["--offscreen-with-display"])
    try:
        run(build, runs, options, cold, server)
    finally:
        server.close()


def run(build, runs, options, cold, server):
    with tempfile.TemporaryDirectory() as scratch:
        prefix = os.path.join(scratch, "prefix")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        for probe in ("startup_probe_velmora", "startup_probe_bare"):
            shutil.copy2(os.path.join(build, "bin", probe), os.path.join(prefix, "bin"))
        home = os.path.join(scratch, "home")
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=scratch, VELMORA_PROBE_IDLE_MS="0",
                   VELMORA_STARTUP_TRACE="1")
        env.pop("XDG_DATA_HOME", None)
        env.pop("DISPLAY", None)
        env.setdefault("QT_QPA_PLATFORM", "offscreen")
        if server.display:
            env["DISPLAY"] = server.display
            env["QT_QPA_PLATFORM"] = "xcb" if options["--x"] else "offscreen"
        velmora, bare = (os.path.join(prefix, "bin", p) for p in ("startup_probe_velmora", "startup_probe_bare"))
        user_data = os.path.join(home, ".local/share/velmora")

        first_starts, first_bare, first_trace = [], [], {}
        for _ in range(max(3, runs // 3)):
            shutil.rmtree(home, ignore_errors=True)
            os.mkdir(home)
            first_bare.append(start_once(bare, env, cold, {}))
            first_starts.append(start_once(velmora, env, cold, first_trace))
        if not os.path.isfile(os.path.join(user_data, "qvtb.mdb")):
            sys.exit("the installed program made no per-user bank")

        later, floor, trace, bare_trace = [], [], {}, {}
        for _ in range(runs):
            floor.append(start_once(bare, env, cold, bare_trace))
            later.append(start_once(velmora, env, cold, trace))

        where = f"QT_QPA_PLATFORM={env['QT_QPA_PLATFORM']}" + (f", DISPLAY={server.display} (Xvfb)" if server.display else "")
        print(f"{runs} runs each, alternated, {'cold (page cache dropped before each start)' if cold else 'warm'}, "
              f"{where}, installed at {prefix}")
        bare_median = report("bare Qt window", floor)
        later_median = report("installed velmora", later)
        report("bare Qt window (first-start set)", first_bare)
        report("installed velmora, first start", first_starts)
        if bare_median and later_median:
            limit = 1.5 if cold else 1.25
            print(f"start-up ratio (median): {later_median / bare_median:.2f} (target {limit:.2f})")
        # The whole first frame, the window's controls painted too: a gain must show here as well.
        frames = bare_trace.get("first frame done"), trace.get("first frame done")
        if all(frames):
            report("bare Qt window, frame done", frames[0])
            report("installed velmora, frame done", frames[1])
            print(f"first-frame ratio (median): {statistics.median(frames[1]) / statistics.median(frames[0]):.2f}")
        report_trace(trace)


if __name__ == "__main__":
    main()
