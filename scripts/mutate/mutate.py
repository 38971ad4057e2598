#!/usr/bin/env python3
"""Applies each mutant of mutants.txt to a scratch copy of the tree, rebuilds the native unit
tests there and runs them: a mutant is killed when a test fails (or the tests crash or hang).

usage: mutate.py [--scratch DIR] [--jobs N] [ID_OR_FILE ...]

With names, only the mutants whose id is one of them, or whose file path contains one, run.
The working tree is never written: the scratch folder (default build/mutate) keeps its copy
and its build between runs, so a later run rebuilds only what changed.
"""
import argparse
import configparser
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
MUTANTS = Path(__file__).resolve().with_name("mutants.txt")
TEST_TIMEOUT = 120  # seconds; the whole unit suite takes a few


def load_mutants():
    parser = configparser.ConfigParser(interpolation=None, comment_prefixes=("#",), empty_lines_in_values=False)
    parser.optionxform = str
    parser.read(MUTANTS, encoding="utf-8")
    mutants = []
    for mid in parser.sections():
        m = parser[mid]
        missing = {"file", "find", "fault"} - set(m)
        if missing:
            sys.exit(f"{MUTANTS.name}: [{mid}] lacks {', '.join(sorted(missing))}")
        mutants.append({"id": mid, "file": m["file"], "find": m["find"], "replace": m.get("replace", ""),
                        "nth": int(m.get("nth", "0")), "fault": m["fault"]})
    return mutants


def mutated(text, mutant):
    """The file's text with the mutant applied, or None when its text is not where it says."""
    count = text.count(mutant["find"])
    if mutant["nth"] == 0 and count != 1 or mutant["nth"] > count:
        return None
    at = -1
    for _ in range(max(mutant["nth"], 1)):
        at = text.index(mutant["find"], at + 1)
    return text[:at] + mutant["replace"] + text[at + len(mutant["find"]):]


def sync_tree(tree):
    """Copies the working tree's files (tracked and new ones, not the ignored builds) into
    `tree`; files whose content is unchanged keep their time, so the build stays incremental."""
    listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and (ROOT / name).is_file()}
    for name in wanted:
        source, target = ROOT / name, tree / name
        if not target.exists() or target.read_bytes() != source.read_bytes():
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, target)
            shutil.copymode(source, target)
    for target in tree.rglob("*"):
        if target.is_file() and target.relative_to(tree).as_posix() not in wanted:
            target.unlink()


def build(scratch, jobs):
    """None when the unit tests built, else the first error line."""
    done = subprocess.run(["cmake", "--build", str(scratch / "build"), "--target", "unit_tests", f"-j{jobs}"],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace")
    if done.returncode == 0:
        return None
    errors = [line for line in done.stdout.splitlines() if "error:" in line]
    return (errors or ["the build failed"])[0].strip()


def first_failure(scratch):
    """None when every test passed, else what failed first: a test's name, or the one that hung or crashed."""
    try:
        done = subprocess.run([str(scratch / "build" / "unit_tests"), "--gtest_color=no"], cwd=scratch / "build",
                              capture_output=True, text=True, errors="replace", timeout=TEST_TIMEOUT)
        output, ended = done.stdout, done.returncode
    except subprocess.TimeoutExpired as hung:
        output, ended = hung.stdout or "", None
        output = output if isinstance(output, str) else output.decode(errors="replace")
    failed = re.search(r"^\[  FAILED  \] (\S+)", output, re.M)
    if failed:
        return failed.group(1)
    running = re.findall(r"^\[ RUN      \] (\S+)", output, re.M)
    last = running[-1] if running else "the test program"
    if ended is None:
        return f"{last} (hung)"
    return None if ended == 0 else f"{last} (crashed, exit {ended})"


def main():
    options = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    options.add_argument("--scratch", type=Path, default=ROOT / "build" / "mutate")
    options.add_argument("--jobs", type=int, default=os.cpu_count())
    options.add_argument("only", nargs="*", metavar="ID_OR_FILE")
    args = options.parse_args()

    mutants = [m for m in load_mutants() if not args.only or any(o == m["id"] or o in m["file"] for o in args.only)]
    if not mutants:
        sys.exit("no mutant matches " + " ".join(args.only))
    scratch, started = args.scratch.resolve(), time.monotonic()
    tree = scratch / "tree"
    tree.mkdir(parents=True, exist_ok=True)
    sync_tree(tree)
    subprocess.run(["cmake", "-S", str(tree), "-B", str(scratch / "build"), "-DVFE_UNIT_TESTS=ON"], check=True,
                   stdout=subprocess.DEVNULL)
    error = build(scratch, args.jobs)
    if error or first_failure(scratch):
        sys.exit(f"the unmutated tree does not pass its unit tests: {error or first_failure(scratch)}")

    killed = counted = 0
    for m in mutants:
        path = tree / m["file"]
        original = path.read_text(encoding="utf-8")
        text = mutated(original, m)
        if text is None:
            print(f"not found  {m['id']}: its text is not in {m['file']} exactly once (or as often as nth says)")
            continue
        try:
            path.write_text(text, encoding="utf-8")
            error = build(scratch, args.jobs)
            failure = None if error else first_failure(scratch)
        finally:
            path.write_text(original, encoding="utf-8")
        if error:
            print(f"no build   {m['id']}: {error}")
            continue
        counted += 1
        killed += failure is not None
        print(f"killed     {m['id']} by {failure}" if failure else f"SURVIVED   {m['id']}: {m['fault']}", flush=True)
    print(f"({int(time.monotonic() - started)} s)")
    print(f"mutants: {killed} of {counted} killed ({100 * killed // max(counted, 1)} %)")


if __name__ == "__main__":
    main()
