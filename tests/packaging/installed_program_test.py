#!/usr/bin/env python3
"""The installed program on a read-only prefix, as a candidate starts it.

Installs the build into a temporary prefix and makes the prefix read-only (a read-only bind mount
as root, permissions otherwise), starts <prefix>/bin/velmora under Xvfb from an unrelated folder
with an empty home, opens the practice window and answers the first question with real mouse
clicks (xdotool), and finds the answer in the per-user bank. A second installation carrying
another bank version, started meanwhile, must leave the copy alone (the first copy holds it) and
replace it once the first copy has ended. Nothing under either prefix may change.

    installed_program_test.py BUILD_DIR [CMAKE]
"""

import csv
import hashlib
import io
import os
import shutil
import subprocess
import sys
import tempfile
import time

# MainWindow's controls, in its client area: the 专项练习 navigation button, 单选题练习 and 进入答题.
PRACTICE_NAV = (300, 53)
SINGLE_CHOICE = (370, 262)
ENTER_PRACTICE = (518, 463)
# In the practice window: the second option of the first single-choice question (its mark).
OPTION_B = (40, 397)


def fingerprint(root):
    """Every path under root with the SHA-256 of its contents (or its link target)."""
    seen = {}
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            if os.path.islink(path):
                seen[path] = "link:" + os.readlink(path)
            elif os.path.isfile(path):
                with open(path, "rb") as f:
                    seen[path] = hashlib.sha256(f.read()).hexdigest()
            else:
                seen[path] = "dir"
    return seen


def make_read_only(prefix):
    if os.geteuid() == 0:
        subprocess.run(["mount", "--bind", prefix, prefix], check=True)
        subprocess.run(["mount", "-o", "remount,ro,bind", prefix], check=True)
        return lambda: subprocess.run(["umount", prefix], check=True)
    subprocess.run(["chmod", "-R", "a-w", prefix], check=True)
    return lambda: subprocess.run(["chmod", "-R", "u+w", prefix], check=True)


def window_origin(title, timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--name", f"^{title}$"], capture_output=True, text=True)
        if found.stdout.strip():
            time.sleep(0.5)  # let it paint and settle where the program puts it
            window = found.stdout.split()[0]
            shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                                   capture_output=True, text=True, check=True).stdout
            values = dict(line.split("=", 1) for line in shell.split())
            return int(values["X"]), int(values["Y"])
        time.sleep(0.2)
    raise SystemExit(f"no window titled {title} appeared")


def click(origin, point):
    subprocess.run(["xdotool", "mousemove", str(origin[0] + point[0]), str(origin[1] + point[1]),
                    "click", "1"], check=True)
    time.sleep(0.4)


def first_answer(qvtb, bank):
    out = subprocess.run([qvtb, "export", bank, "danxuan"], capture_output=True, check=True).stdout
    rows = list(csv.DictReader(io.StringIO(out.decode("utf-8"))))
    return rows[0]["XXDA"] if rows else None


def read(path):
    try:
        with open(path) as f:
            return f.read().strip()
    except OSError:
        return None


def run_program(prefix, upgraded, env, elsewhere, faults):
    qvtb = os.path.join(prefix, "bin/qvtb")
    user_bank = os.path.join(env["HOME"], ".local/share/velmora/qvtb.mdb")
    program = subprocess.Popen([os.path.join(prefix, "bin/velmora")], cwd=elsewhere, env=env)
    try:
        main_window = window_origin("Velmora-Ostrevin")
        for point in (PRACTICE_NAV, SINGLE_CHOICE, ENTER_PRACTICE):
            click(main_window, point)
        click(window_origin("专项练习"), OPTION_B)
        deadline = time.time() + 15  # the click is handled once the program gets its turn
        while (answer := first_answer(qvtb, user_bank)) != "B" and time.time() < deadline:
            time.sleep(0.2)
        if answer != "B":
            faults.append(f"the per-user bank holds {answer!r} for the first question, not the answer B")
        # A copy of the upgraded program finds the first copy holding the bank and leaves it be.
        second = subprocess.run([os.path.join(upgraded, "bin/velmora")], cwd=elsewhere, env=env, timeout=30)
        if second.returncode != 0 or first_answer(qvtb, user_bank) != "B":
            faults.append("a second copy started while the first held the bank replaced it or failed")
        if read(user_bank + ".version") == "upgraded":
            faults.append("the copy took the upgraded version while another copy held it")
    finally:
        program.terminate()
        program.wait(timeout=30)
    # Alone, the upgraded program replaces the copy with its own bank (which holds no answers).
    alone = subprocess.Popen([os.path.join(upgraded, "bin/velmora")], cwd=elsewhere,
                             env=dict(env, QT_QPA_PLATFORM="offscreen"))
    deadline = time.time() + 20
    while time.time() < deadline and read(user_bank + ".version") != "upgraded":
        time.sleep(0.2)
    alone.terminate()
    alone.wait(timeout=30)
    if read(user_bank + ".version") != "upgraded" or first_answer(qvtb, user_bank) != "":
        faults.append("the upgraded program did not replace the copy once it was free")


def under_xvfb():
    """Re-runs this script under its own X server, once."""
    if os.environ.get("VELMORA_INSTALLED_TEST_DISPLAY"):
        return None
    env = dict(os.environ, VELMORA_INSTALLED_TEST_DISPLAY="1")
    env.pop("QT_QPA_PLATFORM", None)
    return subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable] + sys.argv,
                          env=env).returncode


def main():
    build = sys.argv[1]
    cmake = sys.argv[2] if len(sys.argv) > 2 else "cmake"
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        prefix, upgraded = os.path.join(scratch, "prefix"), os.path.join(scratch, "upgraded")
        subprocess.run([cmake, "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        # The same program carrying a bank of another content version, as after an upgrade.
        shutil.copytree(prefix, upgraded, symlinks=True)
        with open(os.path.join(upgraded, "share/velmora/qvtb.mdb.version"), "w") as f:
            f.write("upgraded\n")
        home, elsewhere, runtime = (os.path.join(scratch, name) for name in ("home", "elsewhere", "runtime"))
        for folder in (home, elsewhere, runtime):
            os.mkdir(folder, 0o700)
        env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
        for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
            env.pop(name, None)
        before = {**fingerprint(prefix), **fingerprint(upgraded)}
        restore = []
        try:
            restore = [make_read_only(prefix), make_read_only(upgraded)]
            run_program(prefix, upgraded, env, elsewhere, faults)
        finally:
            for undo in restore:
                undo()
        after = {**fingerprint(prefix), **fingerprint(upgraded)}
        if after != before:
            changed = sorted(set(after.items()) ^ set(before.items()))
            faults.append(f"the installation changed: {changed[:5]}")
    for fault in faults:
        print("FAULT:", fault)
    print("installed program:", "ok" if not faults else f"{len(faults)} fault(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    code = under_xvfb()
    sys.exit(main() if code is None else code)
