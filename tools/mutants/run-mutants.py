#!/usr/bin/env python3
"""Puts each fault of mutants.json into the code in turn, rebuilds every test
program that links the faulty file, runs each of them whole, and says which faults
no program noticed. The source is always put back, also when interrupted.

A fault in src/core may show in the core, window and command-line tests, one in
src/ui in the window and command-line tests, one in src/cli in the command-line
tests; an entry's "targets" list, when given, names the programs instead. The
"target" and "filter" fields of older entries only note which test was written to
kill the fault; a fault counts as killed only by a whole program.

usage: tools/mutants/run-mutants.py [BUILD_DIR] [NAME_FILTER]
Builds and tests take the shared build lock (/tmp/tremvix-build.lock) step by step.
"""
import json
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LOCK = "/tmp/tremvix-build.lock"


def locked(command, **kwargs):
    return subprocess.run(["flock", LOCK] + command, **kwargs)


PROGRAMS_BY_FOLDER = [
    ("src/core/", ["tremvix_core_tests", "tremvix_ui_tests", "tremvix_cli_tests"]),
    ("src/ui/", ["tremvix_ui_tests", "tremvix_cli_tests"]),
    ("src/cli/", ["tremvix_cli_tests"]),
]


def test_binary(build, target):
    return os.path.join(build, "tests", target)


def programs_for(mutant):
    if "targets" in mutant:
        return mutant["targets"]
    for folder, programs in PROGRAMS_BY_FOLDER:
        if mutant["file"].startswith(folder):
            return programs
    raise ValueError("no test program known for " + mutant["file"])


def killed_by_whole_programs(build, programs):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for program in programs:
        # Run where ctest runs them: some tests find their files from there.
        tested = locked([test_binary(build, program)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                        env=env, cwd=os.path.join(build, "tests"), timeout=1800)
        if tested.returncode != 0:
            return True
    return False


def run_one(build, mutant):
    path = os.path.join(ROOT, mutant["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    found = original.count(mutant["find"])
    if found != 1:
        return "not applied (the text occurs %d times)" % found
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(mutant["find"], mutant["replace"]))
        programs = programs_for(mutant)
        # The command-line tests also start the program itself: it is rebuilt with the fault.
        built = locked(["cmake", "--build", build, "-j", "2", "--target"] + programs + ["tremvix"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if built.returncode != 0:
            return "did not build"
        return "killed" if killed_by_whole_programs(build, programs) else "SURVIVED"
    except subprocess.TimeoutExpired:
        return "killed (timed out)"
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    only = sys.argv[2] if len(sys.argv) > 2 else ""
    with open(os.path.join(ROOT, "tools", "mutants", "mutants.json"), encoding="utf-8") as f:
        mutants = [m for m in json.load(f) if only in m["name"]]
    results = []
    for mutant in mutants:
        outcome = run_one(build, mutant)
        results.append((mutant["name"], outcome))
        print("%-9s %s" % (outcome.split(" ")[0], mutant["name"]), flush=True)
        if outcome not in ("killed", "SURVIVED", "killed (timed out)"):
            print("          " + outcome, flush=True)
    # The untouched code built again, so that the build folder matches the source.
    locked(["cmake", "--build", build, "-j", "2"], stdout=subprocess.DEVNULL)
    killed = sum(1 for _, o in results if o.startswith("killed"))
    survived = [n for n, o in results if o == "SURVIVED"]
    other = len(results) - killed - len(survived)
    print("\n%d mutants: %d killed, %d survived, %d not run" % (len(results), killed, len(survived), other))
    for name in survived:
        print("survived: " + name)
    return 1 if survived or other else 0


if __name__ == "__main__":
    sys.exit(main())
