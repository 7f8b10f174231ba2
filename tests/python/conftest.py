"""Shared fixtures: the examples, the program itself, and its CSV output."""

import csv
import io
import os
import shutil
import subprocess
from pathlib import Path

import pytest

EXAMPLES = Path(os.environ.get("TREMVIX_EXAMPLES_DIR", Path(__file__).resolve().parents[2] / "examples"))
NETWORK = EXAMPLES / "network"


@pytest.fixture(scope="session")
def program():
    """The tremvix binary of this build; the reference for every number."""
    binary = os.environ.get("TREMVIX_BINARY")
    if not binary or not os.access(binary, os.X_OK):
        pytest.skip("the tremvix program is not built (TREMVIX_BINARY)")
    return binary


def run_program(program, *args, check=True):
    result = subprocess.run([program, *map(str, args)], capture_output=True,
                            env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    if check and result.returncode != 0:
        raise AssertionError(f"tremvix {args} failed: {result.stderr.decode()}")
    return result


def program_table(program, *args):
    """The rows of the program's CSV output as dicts of texts."""
    text = run_program(program, *args).stdout.decode()
    return list(csv.DictReader(io.StringIO(text)))


def same_number(value, text):
    """The CSV carries the shortest text that reads back to the same double."""
    if text == "":
        return value is None
    return value is not None and float(value) == float(text)


@pytest.fixture
def event_folder(tmp_path):
    """A folder of records as a download holds them: the examples in two sub-folders,
    a tar.gz of them, and records the survey must refuse."""
    folder = tmp_path / "event"
    for name in ("a", "b"):
        shutil.copytree(NETWORK, folder / name)
    shutil.make_archive(str(folder / "packed"), "gztar", NETWORK)
    (folder / "notes.txt").write_bytes(b"not a record\n")
    ns = (NETWORK / "SMP0010001011200.NS").read_bytes()
    (folder / "MIS0010001011200.NS").write_bytes(ns)  # its EW and UD are missing
    ud = (NETWORK / "SMP0010001011200.UD").read_bytes()
    (folder / "c").mkdir()
    for component in ("NS", "EW"):
        shutil.copy(NETWORK / f"SMP0010001011200.{component}", folder / "c")
    (folder / "c" / "SMP0010001011200.UD").write_bytes(ud[: len(ud) // 3])  # cut short
    return folder
