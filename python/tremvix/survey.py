"""The survey of an archive on a Dask cluster.

    python3 -m tremvix.survey PATH… [--scheduler ADDRESS] [--workers N] [--out FILE] [--failures FILE]

writes the same CSV, byte for byte, as `tremvix --survey PATH…`. The records are listed
once, here; each record is one task; the results are taken in the order of the paths
and written by this process alone. Without --scheduler a local cluster of N worker
processes is started; with it, the cluster at ADDRESS is used (its workers must see the
same files under the same paths). Dask runs a lost worker's tasks again.
"""

import argparse
import os
import sys
import tempfile
import uuid
from collections import deque

from tremvix import _tremvix

# Tasks go to the cluster in batches (one message for many tasks, each record still a
# task of its own), a few batches ahead of the writer: enough to keep every worker busy,
# few enough that a survey of millions of records stays small in memory.
_BATCH_PER_THREAD = 8
_BATCHES_AHEAD = 3
_RETRIES = 3
_LOCAL_WORKERS = os.cpu_count() or 1


def survey_lines(entry):
    """One task: the CSV lines of one planned record, (row, None) or (None, failure)."""
    return _tremvix.survey_lines(entry)


def plan(paths):
    """The records of files, folders and archives, in the survey's order."""
    return _tremvix.survey_plan([os.fsencode(p) for p in paths])


def run(client, paths, write_row, write_failure, batch=None):
    """Surveys `paths` on a Dask client; hands each line to write_row or write_failure in
    the order of the records. Returns (rows, failures)."""
    entries = plan(paths)
    if batch is None:
        threads = sum(client.nthreads().values()) or 1
        batch = max(1, threads * _BATCH_PER_THREAD)
    pending = deque()
    counts = [0, 0]
    survey = uuid.uuid4().hex
    for start in range(0, len(entries), batch):
        # Keys name the survey and the record's place, so no task is merged with another.
        keys = [f"tremvix-survey-{survey}-{index}" for index in range(start, start + batch)]
        part = entries[start:start + batch]
        pending.append(client.map(survey_lines, part, key=keys[:len(part)], pure=False, retries=_RETRIES))
        while len(pending) >= _BATCHES_AHEAD:
            _write(client, pending.popleft(), write_row, write_failure, counts)
    while pending:
        _write(client, pending.popleft(), write_row, write_failure, counts)
    return counts[0], counts[1]


def _write(client, futures, write_row, write_failure, counts):
    for row, failure in client.gather(futures):
        if row is not None:
            write_row(row)
            counts[0] += 1
        else:
            write_failure(failure)
            counts[1] += 1
    for future in futures:
        future.release()  # written: the cluster may forget it


def _save(path, data):
    """Writes a whole file or nothing: a temporary file beside it, renamed over it."""
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(prefix=".tremvix-", dir=folder)
    try:
        with os.fdopen(handle, "wb") as stream:
            stream.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        if os.path.exists(temporary):
            os.unlink(temporary)
        raise


def _arguments(argv):
    parser = argparse.ArgumentParser(prog="python3 -m tremvix.survey",
                                     description="tremvix --survey on a Dask cluster")
    parser.add_argument("paths", nargs="+", metavar="PATH", help="files, folders or archives")
    parser.add_argument("--scheduler", metavar="ADDRESS", help="a running scheduler, e.g. tcp://host:8786")
    parser.add_argument("--workers", type=int, metavar="N",
                        help=f"worker processes of the local cluster (default: one per core)")
    parser.add_argument("--out", metavar="FILE", help="the table (default: standard output)")
    parser.add_argument("--failures", metavar="FILE", help="the records refused, with their reasons")
    arguments = parser.parse_args(argv)
    if arguments.workers is not None and arguments.workers < 1:
        parser.error("--workers must be 1 or more")
    if arguments.scheduler and arguments.workers is not None:
        parser.error("--workers is for the local cluster; the scheduler's cluster has its own workers")
    for name in ("out", "failures"):
        output = getattr(arguments, name)
        if output and any(os.path.exists(p) and os.path.exists(output) and os.path.samefile(p, output)
                          for p in arguments.paths):
            parser.error(f"--{name} {output} is one of the inputs (they are never overwritten)")
    if arguments.out and arguments.out == arguments.failures:
        parser.error(f"--out and --failures name the same file {arguments.out}")
    return arguments


# A local cluster shares the machine's cores with this process, where its scheduler
# runs: the workers' own stack sampling (for the dashboard, which a survey does not
# start) and work stealing (tasks of one survey cost about the same) only take time
# from the records.
_LOCAL_CONFIG = {"distributed.worker.profile.enabled": False, "distributed.scheduler.work-stealing": False}


def local_cluster(workers=None):
    """A local cluster of `workers` processes (default: one per core), one thread each, as
    the command starts it when no --scheduler is given."""
    import dask
    from dask.distributed import LocalCluster
    with dask.config.set(_LOCAL_CONFIG):
        # One thread per process: the core releases the GIL, but a record is one task.
        return LocalCluster(n_workers=workers or _LOCAL_WORKERS, threads_per_worker=1, processes=True,
                            host="127.0.0.1", dashboard_address=None)


def _client(arguments):
    from dask.distributed import Client
    if arguments.scheduler:
        return Client(arguments.scheduler), None
    cluster = local_cluster(arguments.workers)
    return Client(cluster), cluster


def main(argv=None):
    arguments = _arguments(sys.argv[1:] if argv is None else argv)
    rows = [_tremvix.survey_header()]
    failures = [_tremvix.failure_header()]
    out = sys.stdout.buffer
    if not arguments.out:
        out.write(rows.pop())

    def write_row(line):
        if arguments.out:
            rows.append(line)
        else:
            out.write(line)

    client, cluster = _client(arguments)
    try:
        counts = run(client, arguments.paths, write_row, failures.append)
    finally:
        client.close()
        if cluster is not None:
            cluster.close()
    # A file is written whole at the end: a survey stopped half way leaves no table.
    if arguments.out:
        _save(arguments.out, b"".join(rows))
    else:
        out.flush()
    if arguments.failures:
        _save(arguments.failures, b"".join(failures))
    hint = "（--failures で理由の一覧を書けます）" if counts[1] and not arguments.failures else ""
    print(f"tremvix: 記録 {counts[0]} 件、読めなかったもの {counts[1]} 件{hint}", file=sys.stderr)
    return 1 if counts[1] else 0


if __name__ == "__main__":
    sys.exit(main())
