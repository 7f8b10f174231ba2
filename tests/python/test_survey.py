"""The survey on Dask writes what `tremvix --survey` writes."""

import os
import signal
import subprocess
import sys

import pytest

import tremvix.survey
from conftest import run_program


@pytest.fixture(scope="module")
def client():
    distributed = pytest.importorskip("distributed")
    cluster = distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                       host="127.0.0.1", dashboard_address=None)
    with distributed.Client(cluster) as client:
        yield client
    cluster.close()


def program_survey(program, folder, tmp_path):
    out, failures = tmp_path / "program.csv", tmp_path / "program-failures.csv"
    result = run_program(program, "--survey", folder, "--out", out, "--failures", failures, check=False)
    return result.returncode, out.read_bytes(), failures.read_bytes()


def test_the_module_survey_writes_the_programs_bytes(program, event_folder, tmp_path):
    status, rows, failures = program_survey(program, event_folder, tmp_path)
    out, refused = tmp_path / "dask.csv", tmp_path / "dask-failures.csv"
    result = subprocess.run([sys.executable, "-m", "tremvix.survey", str(event_folder), "--workers", "2",
                             "--out", str(out), "--failures", str(refused)], capture_output=True)
    assert result.returncode == status == 1, result.stderr.decode()
    assert out.read_bytes() == rows
    assert refused.read_bytes() == failures
    # The refused records: the one without its components, the cut one, the text file.
    names = [line.split(b",")[0] for line in failures.splitlines()[1:]]
    assert names == [b"MIS0010001011200.NS", b"c/SMP0010001011200.EW", b"notes.txt"]
    assert len(rows.splitlines()) == 1 + 3 * 5
    assert "記録 15 件、読めなかったもの 3 件" in result.stderr.decode()


def test_rows_go_to_standard_output_without_out(program, event_folder):
    expected = run_program(program, "--survey", event_folder / "a", check=False).stdout
    result = subprocess.run([sys.executable, "-m", "tremvix.survey", str(event_folder / "a"), "--workers", "1"],
                            capture_output=True)
    assert result.returncode == 0, result.stderr.decode()
    assert result.stdout == expected


def test_each_record_is_one_task_in_path_order(program, client, event_folder, tmp_path):
    entries = tremvix.survey.plan([event_folder])
    assert len(entries) == 18  # listed once, refused records included
    rows, failures = [], []
    counts = tremvix.survey.run(client, [event_folder], rows.append, failures.append, batch=2)
    assert counts == (15, 3)
    _, program_rows, program_failures = program_survey(program, event_folder, tmp_path)
    assert tremvix._tremvix.survey_header() + b"".join(rows) == program_rows
    assert tremvix._tremvix.failure_header() + b"".join(failures) == program_failures


def test_a_worker_killed_mid_survey_loses_and_doubles_no_row(program, client, event_folder, tmp_path):
    for copy in ("d", "e", "f"):
        (event_folder / copy).symlink_to(event_folder / "a", target_is_directory=True)
    _, program_rows, _ = program_survey(program, event_folder, tmp_path)
    pids = client.run(os.getpid)
    rows = []

    def write_row(line):
        rows.append(line)
        if len(rows) == 2:
            # One worker process dies with tasks in hand; its nanny starts another.
            os.kill(next(iter(pids.values())), signal.SIGKILL)

    tremvix.survey.run(client, [event_folder], write_row, lambda line: None, batch=2)
    assert tremvix._tremvix.survey_header() + b"".join(rows) == program_rows
    assert set(client.run(os.getpid).values()) != set(pids.values())


def test_wrong_usage_exits_with_2(event_folder, tmp_path):
    for arguments in (["--workers", "0", str(event_folder)], [],
                      [str(event_folder), "--out", str(tmp_path / "x.csv"), "--failures", str(tmp_path / "x.csv")]):
        result = subprocess.run([sys.executable, "-m", "tremvix.survey", *arguments], capture_output=True)
        assert result.returncode == 2, arguments
