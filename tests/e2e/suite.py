"""Runs the scenarios (the files matching the pattern in argv[1], *_test.py from run.sh)
two at a time, each with its own X server and Wine prefix, and ends with the line
"N passed, M failed" (exit 0, or 4 after failures)."""

import os
import signal
import sys
import time
import unittest
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

import harness

passed = []


def cases(suite):
    for item in suite:
        yield from cases(item) if isinstance(item, unittest.TestSuite) else [item]


def run(case):
    result, start = unittest.TestResult(), time.monotonic()
    case.run(result)
    problems = result.failures + result.errors
    print(f"{'FAIL' if problems else 'ok'}: {case.id()} ({time.monotonic() - start:.0f} s)"
          + "".join(f"\n  {test}\n{text}" for test, text in problems), flush=True)
    passed.extend([] if problems else [case])


def main():
    # A scenario file that fails to import shows up as a failing case of its own.
    found = list(cases(unittest.defaultTestLoader.discover(Path(__file__).parent, sys.argv[1])))
    found.sort(key=lambda case: -getattr(case, "seconds", 10))  # the longest first
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    start, pool = time.monotonic(), ThreadPoolExecutor(2)
    try:
        list(pool.map(run, found))
    except KeyboardInterrupt:
        for session in list(harness.LIVE):
            session.close()
        print(f"interrupted\n{len(passed)} passed, {len(found) - len(passed)} failed", flush=True)
        os._exit(4)
    print(f"e2e: {time.monotonic() - start:.0f} s\n{len(passed)} passed, "
          f"{len(found) - len(passed)} failed")
    return len(passed) == len(found)


if __name__ == "__main__":
    sys.exit(0 if main() else 4)
