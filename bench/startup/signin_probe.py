#!/usr/bin/env python3
"""Times the sign-in click to the first page's document-complete event of the real program (`kalvenor`,
with its WebKit module) against the demo service, by turns as the program loads the browser engine's module
(on a thread of its own from the moment the login dialog shows) and with the module loaded before the login
dialog shows (the reference). Run on an X display with a window
manager:

    xvfb-run -a tests/support/with-window-manager python3 bench/startup/signin_probe.py \
        --program build-bench/kalvenor --service tools/demo-service/server.py [--runs 5]

The program prints "sign-in <ms>" and "document-complete <ms>" (KALVENOR_SIGNIN_PROBE); the figure is the
difference, and the ratio of the medians is printed last.
"""

import argparse
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True).stdout


def login_window(timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Kalvenor$"],
                             capture_output=True, text=True).stdout.split()
        if out:
            return out[0]
        time.sleep(0.05)
    raise RuntimeError("no login dialog")


def one_run(program, address, mode, work):
    env = dict(os.environ)
    env.update({"KALVENOR_SERVICE_URL": address, "KALVENOR_REGISTRY_DIR": os.path.join(work, mode),
                "TEMP": work, "KALVENOR_BACKEND": "gtk", "KALVENOR_SIGNIN_PROBE": mode})
    p = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        window = login_window(60)
        time.sleep(2.0)  # a user takes a moment before typing
        xdotool("windowactivate", "--sync", window)
        time.sleep(0.3)
        xdotool("key", "Tab")
        xdotool("type", "--delay", 20, "demo")
        xdotool("key", "Tab")
        xdotool("type", "--delay", 20, "demo123")
        xdotool("key", "Return")
        marks = {}
        end = time.monotonic() + 60
        while "document-complete" not in marks and time.monotonic() < end:
            ready, _, _ = select.select([p.stdout], [], [], 1.0)
            if ready:
                line = p.stdout.readline()
                if not line:
                    break
                parts = line.split()
                if len(parts) == 2:
                    marks[parts[0]] = float(parts[1])
        if "sign-in" not in marks or "document-complete" not in marks:
            raise RuntimeError("no marks from the program: %r" % marks)
        return marks["document-complete"] - marks["sign-in"]
    finally:
        p.kill()
        p.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--service", required=True)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="kv-signin-")
    address_file = os.path.join(work, "address")
    service = subprocess.Popen([sys.executable, args.service, "--address-file", address_file],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not (os.path.exists(address_file) and os.path.getsize(address_file) > 0):
            time.sleep(0.05)
        with open(address_file) as f:
            address = f.read().strip()
        times = {"1": [], "preload": []}
        for _ in range(args.runs):
            for mode in times:
                times[mode].append(one_run(args.program, address, mode, work))
                print("%-8s %.1f ms" % (mode, times[mode][-1]), flush=True)
        lazy, pre = statistics.median(times["1"]), statistics.median(times["preload"])
        print("median: as the program loads it %.1f ms, preloaded %.1f ms, ratio %.3f" % (lazy, pre, lazy / pre))
    finally:
        service.terminate()
        service.wait()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
