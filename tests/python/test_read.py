"""tremvix.read: the command line's records as numpy arrays."""

import gc
import subprocess
from pathlib import Path

import numpy as np
import pytest

import tremvix
from conftest import EXAMPLES, NETWORK, program_table, run_program, same_number

RECORDS = [EXAMPLES / "sample_standard.csv", NETWORK / "SMP0010001011200.NS", NETWORK / "SMPH010001011200.UD2",
           NETWORK / "jma_sample_47999.csv", NETWORK / "RSN9001_SAMPLEV_SMP000.AT2"]


@pytest.mark.parametrize("path", RECORDS, ids=lambda p: p.name)
def test_channels_are_those_the_command_line_lists(program, path):
    record = tremvix.read(path)
    info = program_table(program, "--info", path)
    assert len(record.channels) == len(info)
    for channel, row in zip(record.channels, info):
        assert channel.number == int(row["channel"])
        assert (channel.id, channel.name, channel.unit) == (row["id"], row["name"], row["unit"])
        assert same_number(channel.rate_hz, row["rate_hz"])
        assert isinstance(channel.samples, np.ndarray) and channel.samples.dtype == np.float32
        assert channel.samples.shape == (int(row["samples"]),) == (record.samples,)
        k = int(np.argmax(np.abs(channel.samples)))  # the first of the largest magnitude
        assert k == int(row["peak_index"])
        assert channel.samples[k] == np.float32(row["peak"])  # written as the shortest float32 text


def test_a_network_record_brings_its_other_components_and_its_texts():
    record = tremvix.read(NETWORK / "SMP0010001011200.EW")
    assert record.layout == "K-NET形式"
    assert [c.id for c in record.channels] == ["NS", "EW", "UD"]
    assert len(record.files) == 3 and record.rate_stated and record.rate_hz == 100.0
    # K-NET counts times the scale factor 7845 gal / 8223790, rounded once to float32.
    with open(NETWORK / "SMP0010001011200.NS") as lines:
        counts = [int(v) for line in list(lines)[17:] for v in line.split()]
    expected = np.array([c * 7845.0 / 8223790.0 for c in counts], dtype=np.float32)
    np.testing.assert_array_equal(record.channels[0].samples, expected)
    # The JMA file's station name is Shift-JIS in the file.
    jma = tremvix.read(NETWORK / "jma_sample_47999.csv")
    assert "見本町役場" in jma.channels[0].name
    assert "見本町役場".encode("cp932") in (NETWORK / "jma_sample_47999.csv").read_bytes()


def test_samples_are_the_records_memory_not_a_copy():
    record = tremvix.read(EXAMPLES / "sample_standard.csv")
    samples = record.channels[1].samples
    assert not samples.flags.owndata and samples.base is not None
    assert samples.flags.c_contiguous and samples.flags.writeable
    assert type(samples.base).__name__ == "PyCapsule"
    first = samples.copy()
    del record
    gc.collect()
    # The array keeps its memory alive after the record is gone.
    np.testing.assert_array_equal(samples, first)
    samples[0] = 1.5
    assert samples[0] == np.float32(1.5)


def test_a_refused_file_raises_with_the_programs_reason(program, tmp_path):
    broken = tmp_path / "broken.csv"
    broken.write_bytes(b"only one line\n")
    with pytest.raises(tremvix.RecordError) as refused:
        tremvix.read(broken)
    said = run_program(program, "--info", broken, check=False)
    assert said.returncode == 1
    reason = str(refused.value)
    assert reason and reason in said.stderr.decode()
    assert not reason.endswith("\u3000")
    assert isinstance(refused.value, Exception) and not isinstance(refused.value, ValueError)
    with pytest.raises(tremvix.RecordError, match="nowhere"):
        tremvix.read(tmp_path / "nowhere.csv")


def test_wrong_arguments_are_value_errors():
    with pytest.raises(ValueError):
        tremvix.read(EXAMPLES / "sample_standard.csv", layout="excel")
    for rate in (0, -100, float("nan"), float("inf")):
        with pytest.raises(ValueError):
            tremvix.read(EXAMPLES / "sample_standard.csv", rate_hz=rate)


def test_the_rate_given_is_for_files_that_state_none():
    assert tremvix.read(EXAMPLES / "sample_standard.csv", rate_hz=200).rate_hz == 200.0
    assert tremvix.read(NETWORK / "SMP0010001011200.NS", rate_hz=200).rate_hz == 100.0
    edefence = tremvix.read(EXAMPLES / "sample_edefence.csv", layout="edefence")
    assert edefence.layout == "E-Defence形式" and edefence.channels


def test_the_module_needs_no_qt():
    module = Path(tremvix._tremvix.__file__)
    linked = subprocess.run(["ldd", str(module)], capture_output=True, text=True, check=True).stdout
    assert "libQt" not in linked and "libtremvix" not in linked
    assert "libfftw3" in linked
