"""The Python module's costs against the C++ ones, measured in the same run.

    PYTHONPATH=build/python python3 bench/bench_python.py build

1. tremvix.read of a 30,000-line x 100-channel standard file against the C++ loader
   (bench_record_load's BM_LoadRecordFile, a file of the same shape);
2. the Dask survey of 200 records with 1 and 2 local worker processes, against
   `tremvix --survey --threads 1` of the same records, and the cost per task it adds.
Medians of a few repetitions; the cluster's start is not counted.
"""

import contextlib
import json
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import tremvix
import tremvix.survey

LINES, COLUMNS, REPEATS = 30000, 100, 5
SURVEY_REPEATS = 9
RECORDS = 200


def median_seconds(call, repeats=REPEATS):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def write_standard_file(path):
    rng = random.Random(1)
    with open(path, "w", newline="") as out:
        for form in ("CH{}", "point {}", "memo {}", "gal"):
            out.write(",".join(form.format(k) for k in range(COLUMNS)) + "\r\n")
        for _ in range(LINES):
            out.write(",".join(f"{rng.uniform(-500, 500):.3f}" for _ in range(COLUMNS)) + "\r\n")


def cpp_load_seconds(build):
    result = subprocess.run([str(build / "bench" / "bench_record_load"), "--benchmark_filter=BM_LoadRecordFile",
                             f"--benchmark_repetitions={REPEATS}", "--benchmark_format=json"],
                            capture_output=True, text=True, check=True)
    runs = [b for b in json.loads(result.stdout)["benchmarks"] if b.get("run_type") == "iteration"]
    return statistics.median(b["real_time"] for b in runs) / 1000.0  # reported in ms


def bench_read(build, folder):
    path = folder / "wide.csv"
    write_standard_file(path)
    record = tremvix.read(path)
    assert record.samples == LINES and len(record.channels) == COLUMNS
    python = median_seconds(lambda: tremvix.read(path))
    cpp = cpp_load_seconds(build)
    print(f"read {LINES} lines x {COLUMNS} channels: tremvix.read {python * 1000:.1f} ms, "
          f"C++ loader {cpp * 1000:.1f} ms, ratio {python / cpp:.2f}")


def make_archive_folder(folder, examples):
    records = 0
    copy = 0
    while records < RECORDS:
        shutil.copytree(examples / "network", folder / f"station{copy:03d}")
        records += 5  # the examples hold five records
        copy += 1
    return folder


def bench_survey(build, folder, examples):
    from dask.distributed import Client, get_task_stream

    event = make_archive_folder(folder / "event", examples)
    program = build / "src" / "tremvix"
    def program_survey(threads):
        command = [str(program), "--survey", str(event), "--threads", str(threads)]
        return median_seconds(lambda: subprocess.run(command, capture_output=True, check=True), repeats=3)

    single, double = program_survey(1), program_survey(2)
    # Both clusters stand side by side and their runs take turns, so that a slower
    # spell of the machine falls on both alike.
    with contextlib.ExitStack() as stack:
        clients = {}
        for workers in (1, 2):
            cluster = stack.enter_context(tremvix.survey.local_cluster(workers))
            clients[workers] = stack.enter_context(Client(cluster))
            rows = []
            tremvix.survey.run(clients[workers], [event], rows.append, rows.append)  # workers warmed up
            assert len(rows) == RECORDS
        runs = {1: [], 2: []}
        for _ in range(SURVEY_REPEATS):
            for workers, client in clients.items():
                runs[workers].append(median_seconds(
                    lambda: tremvix.survey.run(client, [event], lambda line: None, lambda line: None), repeats=1))
        times = {workers: statistics.median(seconds) for workers, seconds in runs.items()}
        busy = {}
        for workers, client in clients.items():
            with get_task_stream(client) as stream:
                tremvix.survey.run(client, [event], lambda line: None, lambda line: None)
            busy[workers] = sum(part["stop"] - part["start"] for task in stream.data
                                for part in task["startstops"] if part["action"] == "compute")
    per_task = (times[1] - single) / RECORDS
    print(f"survey of {RECORDS} records: tremvix --survey --threads 1 {single:.2f} s "
          f"({single / RECORDS * 1000:.1f} ms per record), --threads 2 {double:.2f} s "
          f"(speed-up {single / double:.2f}); Dask 1 worker {times[1]:.2f} s, "
          f"2 workers {times[2]:.2f} s, speed-up {times[1] / times[2]:.2f}; "
          f"cost Dask adds per task {per_task * 1000:.1f} ms; time inside the tasks "
          f"{busy[1]:.2f} s with 1 worker, {busy[2]:.2f} s with 2")


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
    examples = Path(__file__).resolve().parents[1] / "examples"
    with tempfile.TemporaryDirectory(prefix="tremvix-bench-") as scratch:
        bench_read(build, Path(scratch))
        bench_survey(build, Path(scratch), examples)


if __name__ == "__main__":
    main()
