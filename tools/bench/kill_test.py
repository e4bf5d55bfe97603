#!/usr/bin/env python3
"""Kills the answer driver at random while it works the real windows, and checks the bank after
every kill with the engine-only tools: the structure check must pass, and every row the run
touched must be either the last answer the driver saw acknowledged, with its own score, or wholly
cleared (or, for the one action under way when the kill came, that action done whole).

    kill_test.py --driver build/bin/velmora-answer-driver --qvtb build/bin/qvtb \
                 --bank build/bin/qvtb.mdb --kills 200

Works on a copy of the bank in a temporary folder; prints the figures and exits 1 on any fault.
"""

import argparse
import csv
import io
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TABLES = ["danxuan", "duoxuan", "panduan", "fenxi"] + [f"tm{n}" for n in range(1, 21)]
CLEARED = ("", "0")


def export(qvtb, bank, table):
    """Rows of the table by ID: (XXDA, fen) and whether every fenxiN is empty."""
    out = subprocess.run([qvtb, "export", bank, table], capture_output=True, check=True).stdout
    rows = {}
    for row in csv.DictReader(io.StringIO(out.decode("utf-8"))):
        fields_empty = all(row.get(f"fenxi{k}", "") == "" for k in range(1, 6))
        rows[int(row["ID"])] = ((row.get("XXDA", ""), row["fen"]), fields_empty)
    return rows


def structure_problems(qvtb, bank):
    done = subprocess.run([qvtb, "check", "--structure", bank], capture_output=True)
    return [] if done.returncode == 0 else [(done.stdout + done.stderr).decode("utf-8", "replace").strip()]


def complete_lines(output):
    """The lines the driver finished writing before it was killed."""
    text = output.decode("utf-8", "replace")
    return text.split("\n")[:-1]


def allowed_states(lines, table, baseline):
    """For each row of the table, the states the file may hold after the kill."""
    acked = {row: state for row, (state, _) in baseline.items()}
    pending = None
    for line in lines:
        fields = line.split("\t")
        if len(fields) < 2 or fields[1] != table:
            continue
        kind = fields[0]
        if kind == "try":
            pending = ("row", int(fields[2]), (fields[3], fields[4]))
        elif kind == "ack":
            acked[int(fields[2])] = (fields[3], fields[4])
            pending = None
        elif kind == "try-clear":
            pending = ("clear",)
        elif kind == "clear":
            acked = {row: CLEARED for row in acked}
            pending = None
    allowed = {row: {state} for row, state in acked.items()}
    if pending and pending[0] == "clear":
        for states in allowed.values():
            states.add(CLEARED)
    elif pending:
        allowed.setdefault(pending[1], set()).add(pending[2])
    return allowed, pending is not None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--qvtb", required=True)
    parser.add_argument("--bank", required=True)
    parser.add_argument("--kills", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--min-delay", type=float, default=0.4)
    parser.add_argument("--max-delay", type=float, default=2.0)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    folder = tempfile.mkdtemp(prefix="velmora-kill-")
    bank = os.path.join(folder, "qvtb.mdb")
    shutil.copyfile(args.bank, bank)
    os.chmod(bank, 0o600)
    state = {table: export(args.qvtb, bank, table) for table in TABLES}
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")

    figures = {"acks": 0, "clears": 0, "mid_action": 0, "messages": 0, "rows_in_flight": 0}
    faults = []
    started = time.monotonic()
    for kill in range(args.kills):
        driver = subprocess.Popen([args.driver, bank, str(rng.randrange(1 << 30))], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, env=environment)
        time.sleep(rng.uniform(args.min_delay, args.max_delay))
        driver.send_signal(signal.SIGKILL)
        output, _ = driver.communicate()
        lines = complete_lines(output)
        figures["acks"] += sum(line.startswith("ack\t") for line in lines)
        figures["clears"] += sum(line.startswith("clear\t") for line in lines)
        figures["messages"] += sum(line.startswith("message\t") for line in lines)
        if lines and lines[-1].split("\t")[0] in ("try", "try-clear"):
            figures["mid_action"] += 1
        for intended, acknowledged in zip(lines, lines[1:]):
            if intended.startswith("try\t") and acknowledged.startswith("ack\t") and \
                    intended.split("\t")[1:] != acknowledged.split("\t")[1:]:
                faults.append(f"kill {kill}: the window shows {acknowledged!r} after {intended!r}")

        for problem in structure_problems(args.qvtb, bank):
            faults.append(f"kill {kill}: structure: {problem}")
        touched = sorted({line.split("\t")[1] for line in lines if "\t" in line and not line.startswith("message")})
        for table in touched:
            allowed, _ = allowed_states(lines, table, state[table])
            rows = export(args.qvtb, bank, table)
            for row, (values, fields_empty) in rows.items():
                ok = values in allowed.get(row, set())
                if values == CLEARED and not fields_empty:
                    ok = False
                if not ok:
                    in_flight = lines[-1] == "try-clear\t" + table \
                        or lines[-1].startswith(f"try\t{table}\t{row}\t")
                    figures["rows_in_flight"] += in_flight
                    faults.append(f"kill {kill}: {table} row {row} holds {values}, "
                                  f"expected one of {sorted(allowed.get(row, set()))}; last line {lines[-1]!r}")
            state[table] = rows

    elapsed = time.monotonic() - started
    shutil.rmtree(folder)
    print(f"kills: {args.kills}, answers acknowledged: {figures['acks']}, windows cleared: {figures['clears']}, "
          f"kills during a write: {figures['mid_action']}, messages: {figures['messages']}")
    structure = sum(": structure: " in fault for fault in faults)
    print(f"faults: {len(faults)} in {len({f.split(':')[0] for f in faults})} kills ({structure} of the structure, "
          f"{len(faults) - structure} of rows: {figures['rows_in_flight']} on the row or table being written); "
          f"{elapsed:.1f} s")
    for fault in faults[:20]:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
