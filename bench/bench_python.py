"""The Python module's costs against the C++ ones, measured in the same run.

    PYTHONPATH=build/python python3 bench/bench_python.py build

1. tremvix.read of a 30,000-line x 100-channel standard file against the C++ loader
   (bench_record_load's BM_LoadRecordFile, a file of the same shape);
2. the Dask survey of 200 records with 1 and 2 local worker processes, against
   `tremvix --survey --threads 1` of the same records, and the cost per task it adds:
   once on copies of the examples (short records) and once on a generated event of
   K-NET records of 3 x 12,000 samples.
Medians of a few repetitions; the cluster's start is not counted.
"""

import contextlib
import json
import math
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


EVENT_SAMPLES = 12000  # 120 s at 100 Hz, as bench_survey's generated event


def knet_event_file(station, k, latitude, longitude):
    """One component of a generated K-NET record: the file bench_survey writes."""
    head = ("Origin Time       2011/03/11 14:46:00\nLat.              38.103\nLong.             142.860\n"
            f"Depth. (km)       24\nMag.              9.0\nStation Code      EVT{station:03d}\n"
            f"Station Lat.      {latitude:.4f}\nStation Long.     {longitude:.4f}\n"
            "Station Height(m) 15\nRecord Time       2011/03/11 14:46:34\nSampling Freq(Hz) 100Hz\n"
            f"Duration Time(s)  {EVENT_SAMPLES // 100}\nDir.              {('N-S', 'E-W', 'U-D')[k]}\n"
            "Scale Factor      7845(gal)/8223790\nMax. Acc. (gal)   0.000\nLast Correction   2011/03/11 14:46:19\nMemo.\n")
    body = []
    for i in range(EVENT_SAMPLES):
        wave = math.exp(-i / 4000.0) * math.sin(0.03 * i * (k + 1) + station) * 200000.0 * (1 + station % 7)
        body.append(f"{round(wave) + i % 13:9d}" + ("\n" if i % 8 == 7 else ""))
    return head + "".join(body) + "\n"


def make_knet_event(folder):
    folder.mkdir()
    for station in range(RECORDS):
        latitude, longitude = 31.0 + station % 40 * 0.3, 130.0 + station // 40 * 2.0
        for k, component in enumerate(("NS", "EW", "UD")):
            (folder / f"EVT{station:03d}1103111446.{component}").write_text(
                knet_event_file(station, k, latitude, longitude))
    return folder


def bench_survey(build, event, what):
    from dask.distributed import Client, get_task_stream

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
    print(f"survey of {RECORDS} records ({what}): tremvix --survey --threads 1 {single:.2f} s "
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
        scratch = Path(scratch)
        # The examples are short records of every layout; the generated event holds
        # records of the length a network publishes, where the time per task is the
        # records' own more than Dask's.
        bench_survey(build, make_archive_folder(scratch / "examples", examples), "the examples, copied")
        bench_survey(build, make_knet_event(scratch / "event"), f"K-NET, 3 x {EVENT_SAMPLES} samples")


if __name__ == "__main__":
    main()
