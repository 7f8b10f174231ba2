"""cmake --install (its component "python") puts the package where Debian's Python finds it, and it works there."""

import os
import subprocess
import sys

import pytest


def test_the_installed_package_imports_and_reads(tmp_path):
    build = os.environ.get("TREMVIX_BUILD_DIR")
    if not build:
        pytest.skip("no build folder given (TREMVIX_BUILD_DIR)")
    subprocess.run(["cmake", "--install", build, "--component", "python", "--prefix", str(tmp_path)], check=True, capture_output=True)
    package = tmp_path / "lib" / "python3" / "dist-packages" / "tremvix"
    assert {"__init__.py", "survey.py", "_channels.py", "__main__.py"} <= {p.name for p in package.iterdir()}
    assert any(p.name.startswith("_tremvix.") and p.suffix == ".so" for p in package.iterdir())
    example = os.path.join(os.environ["TREMVIX_EXAMPLES_DIR"], "sample_standard.csv")
    code = ("import sys, tremvix; r = tremvix.read(sys.argv[1]); "
            "print(tremvix.__file__, len(r.channels), r.channels[0].samples.dtype)")
    result = subprocess.run([sys.executable, "-c", code, example], capture_output=True, text=True, check=True,
                            env={**os.environ, "PYTHONPATH": str(package.parent)})
    location, channels, dtype = result.stdout.split()
    assert location.startswith(str(package)) and int(channels) == 3 and dtype == "float32"
