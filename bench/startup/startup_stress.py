#!/usr/bin/env python3
"""Starts the real program (`kalvenor`) a hundred times while it loads the browser engine's module and the
pointer enters the login dialog, and checks that every start reaches a dialog that answers Escape: the
starts of the end-to-end test tests/app/e2e/startup_freeze_e2e.py, many more of them (CTest runs a few).
The real module's starts move the pointer's first entry across the time the module loads, start by start;
the stand-in module's (SlowEngineModule.cpp) make it enter while the loader holds its lock, every time.
Run on an X display with a window manager:

    xvfb-run -a -s "-screen 0 1280x1024x24" tests/support/with-window-manager \\
        python3 bench/startup/startup_stress.py --program build-bench/kalvenor \\
        --service tools/demo-service/server.py --artifacts build-bench/stress \\
        --slow-module build-bench/libkalvenor-slow-engine.so [--real-starts 100] [--slow-starts 10]

Prints how many starts of each kind answered, and the median and the slowest time from Escape to the
program's end; ends with status 1 at the first start that froze, naming it.
"""

import argparse
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "app", "e2e"))

from e2e_support import Failure, arguments  # noqa: E402
from startup_freeze_e2e import add_arguments, run_starts  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    add_arguments(parser, 10, 100)
    args = arguments(parser, "startup stress")
    if args is None:
        return 1
    answers = {"stand-in": [], "real": []}

    def report(kind, index, seconds):
        answers[kind].append(seconds)
        print("%s start %d: answered Escape, ended %.2f s after it" % (kind, index + 1, seconds), flush=True)

    try:
        run_starts(args, args.slow_starts, args.real_starts, report)
    except (Failure, subprocess.CalledProcessError) as e:
        print("startup stress FAILED after %d starts: %s" % (sum(map(len, answers.values())), e), file=sys.stderr)
        return 1
    for kind, seconds in answers.items():
        if seconds:
            print("%s module: all %d starts answered; Escape to the end: median %.2f s, slowest %.2f s" %
                  (kind, len(seconds), statistics.median(seconds), max(seconds)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
