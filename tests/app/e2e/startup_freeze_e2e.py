#!/usr/bin/env python3
"""End-to-end test of a start that must not freeze: the real `kalvenor` under a window manager (run under
tests/support/with-xvfb and tests/support/with-window-manager), started again and again. About a second after the
login dialog shows, the program loads the browser engine's module on a thread of its own; the pointer's
first moves over the dialog make GTK look symbols up through GModule at the same time. Every start must
reach a login dialog that answers Escape (and so ends the program).

Two kinds of start:
- with a stand-in module that holds the loader's lock for a second and a half and then looks a symbol up
  through GModule, as libsoup's initialiser does in a moment (--slow-module, SlowEngineModule.cpp): the
  pointer enters the dialog while it loads, every time;
- with the real module, the pointer entering the dialog at a moment that moves from start to start across
  the time the module loads.

    startup_freeze_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR \
        --slow-module build/libkalvenor-slow-engine.so [--slow-starts 3] [--real-starts 3]

bench/startup/startup_stress.py runs the same starts a hundred times.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_support import LOGIN_SIZE, TITLE, Failure, Program, arguments, screenshot, titled, wait_for, xdotool

# Within this the dialog must answer: the stand-in module holds the loader's lock for 1.5 s.
ANSWER_TIMEOUT = 20
# When the real module's load starts, after the dialog shows (PreloadBrowserEngine), and how long the
# pointer's first entry is spread after it.
REAL_LOAD_DELAY = 1.0
REAL_ENTRY_SPREAD = 0.8


def sweep(window, rounds=2):
    """Moves the pointer over the dialog in steps, as a hand does, from its top-left to its bottom-right."""
    _, x, y, width, height = window
    for _ in range(rounds):
        for i in range(1, 9):
            xdotool("mousemove", x + width * i // 10, y + height * i // 10)
            time.sleep(0.03)


def one_start(args, env, name, slow, entry_after, work):
    """Starts the program, moves the pointer into the login dialog entry_after seconds after it shows (for
    the stand-in module: once it is loading), presses Escape, and returns how long the program took to end
    after the key. Raises Failure, with the program's output, when the dialog does not answer."""
    xdotool("mousemove", "--sync", 2, 2)  # away from where the dialog comes
    run_env = dict(env, KALVENOR_REGISTRY_DIR=os.path.join(work, "registry-" + name))
    if slow:
        run_env["KALVENOR_WEBKIT_MODULE"] = args.slow_module
    program = Program(args.program, run_env, os.path.join(args.artifacts, "startup-%s.out" % name))
    try:
        login = wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process)
        shown = time.monotonic()
        xdotool("windowactivate", "--sync", login[0])
        if slow:
            wait_for("the stand-in module to load", lambda: "slow-engine-module: loading" in program.output_text(), 20,
                     program.process)
        else:
            time.sleep(max(0.0, shown + entry_after - time.monotonic()))
        sweep(login)
        xdotool("key", "Escape")
        pressed = time.monotonic()
        try:
            code = program.process.wait(timeout=ANSWER_TIMEOUT)
        except subprocess.TimeoutExpired:
            screenshot(os.path.join(args.artifacts, "startup-%s-frozen.png" % name))
            raise Failure("start %s: the login dialog answered no key within %d s (frozen)" % (name, ANSWER_TIMEOUT))
        if code != 0:
            raise Failure("start %s: Escape at the login dialog ended the program with status %d" % (name, code))
        if slow and "slow-engine-module: loaded" not in program.output_text():
            raise Failure("start %s: the stand-in module never finished loading" % name)
        return time.monotonic() - pressed
    except Failure as e:
        program.stop()
        raise Failure("%s\n%s" % (e, program.report()))
    finally:
        program.stop()


def run_starts(args, slow_starts, real_starts, report):
    """Runs the starts; report(kind, index, seconds) hears of each. The first that freezes ends the run
    with Failure."""
    work = tempfile.mkdtemp(prefix="kv-startup-freeze-")
    env = dict(os.environ, KALVENOR_SERVICE_URL="http://127.0.0.1:2/", TEMP=work)
    try:
        for i in range(slow_starts):
            report("stand-in", i, one_start(args, env, "slow-%d" % i, True, 0.0, work))
        for i in range(real_starts):
            entry = REAL_LOAD_DELAY + REAL_ENTRY_SPREAD * (i % 9) / 8
            report("real", i, one_start(args, env, "real-%d" % i, False, entry, work))
    finally:
        shutil.rmtree(work, ignore_errors=True)


def add_arguments(parser, slow_starts, real_starts):
    parser.add_argument("--slow-module", required=True)
    parser.add_argument("--slow-starts", type=int, default=slow_starts)
    parser.add_argument("--real-starts", type=int, default=real_starts)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    add_arguments(parser, 3, 3)
    args = arguments(parser, "startup freeze e2e")
    if args is None:
        return 77
    slowest = [0.0]

    def report(kind, index, seconds):
        slowest[0] = max(slowest[0], seconds)

    try:
        run_starts(args, args.slow_starts, args.real_starts, report)
    except (Failure, subprocess.CalledProcessError) as e:
        print("startup freeze e2e FAILED: %s" % e, file=sys.stderr)
        return 1
    print("startup freeze e2e: %d starts with a slow module and %d with the real one each reached a login "
          "dialog that answered Escape (the slowest in %.1f s)" % (args.slow_starts, args.real_starts, slowest[0]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
