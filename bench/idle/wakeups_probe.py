#!/usr/bin/env python3
"""Counts how often the real program (`kalvenor`) wakes at rest at its main window, signed in at the demo
service with the overview page loaded and the pointer away from it: the GUI thread's wake-ups (its
voluntary context switches: each is a wait that ended) and its CPU time, over some seconds, read from
/proc. With --reference (another build of the program, main's say), the two are measured by turns in the
same session and their ratio printed. The status bar's own timer asks for 10 wake-ups a second. Run on an X
display with a window manager:

    xvfb-run -a -s "-screen 0 1280x1024x24" tests/support/with-window-manager python3 \\
        bench/idle/wakeups_probe.py --program build-bench/kalvenor \\
        --reference ../main-build/kalvenor --service tools/demo-service/server.py [--runs 3] [--seconds 10]
"""

import argparse
import os
import shutil
import statistics
import sys
import tempfile
import time

# The end-to-end tests' way of running the program and the demo service.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "app", "e2e"))
from e2e_support import LOGIN_SIZE, TITLE, Program, Service, titled, type_login, wait_for, xdotool  # noqa: E402

STATUS_TIMER_WAKEUPS = 10.0  # the status bar's timer: every 100 ms


def sample(pid):
    """(wake-ups, CPU nanoseconds) of the process's main thread, the GUI thread, so far."""
    task = "/proc/%d/task/%d/" % (pid, pid)
    with open(task + "status") as f:
        switches = next(int(line.split()[1]) for line in f if line.startswith("voluntary_ctxt_switches"))
    with open(task + "schedstat") as f:
        cpu_ns = int(f.read().split()[0])
    return switches, cpu_ns


def one_run(program, address, work, seconds, settle):
    """Wake-ups a second and CPU milliseconds a second of the GUI thread at rest."""
    env = dict(os.environ, KALVENOR_SERVICE_URL=address, KALVENOR_REGISTRY_DIR=os.path.join(work, "registry"),
               TEMP=work)
    p = Program(program, env, os.path.join(work, "program.out"))
    try:
        mark = p.mark()
        type_login(wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, p.process), "demo", "demo123")
        xdotool("key", "Return")
        p.wait_line("status Ready", mark, 60)
        # Nothing under the pointer of ours: no hover, no fade.
        xdotool("mousemove", "--sync", 1279, 1023)
        time.sleep(settle)
        (w0, c0), t0 = sample(p.process.pid), time.monotonic()
        time.sleep(seconds)
        (w1, c1), t1 = sample(p.process.pid), time.monotonic()
        return (w1 - w0) / (t1 - t0), (c1 - c0) / 1e6 / (t1 - t0)
    except Exception:
        p.stop()
        with open(p.output.name, encoding="utf-8", errors="replace") as f:
            print("the program's output:\n" + f.read()[-4000:], file=sys.stderr)
        raise
    finally:
        p.stop()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--reference", help="another build of the program, measured by turns with it")
    parser.add_argument("--service", required=True)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--settle", type=float, default=3.0)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("wakeups_probe: no DISPLAY; run under xvfb-run -a", file=sys.stderr)
        return 2
    work = tempfile.mkdtemp(prefix="kv-wakeups-")
    service = Service(args.service, work)
    try:
        address = service.address
        builds = {"program": args.program}
        if args.reference:
            builds["reference"] = args.reference
        figures = {name: [] for name in builds}
        for _ in range(args.runs):
            for name, path in builds.items():
                folder = os.path.join(work, name)
                os.makedirs(folder, exist_ok=True)
                figures[name].append(one_run(path, address, folder, args.seconds, args.settle))
                wakes, cpu = figures[name][-1]
                print("%-9s %5.1f wake-ups/s  %5.2f ms CPU/s" % (name, wakes, cpu), flush=True)
        medians = {name: (statistics.median(w for w, _ in runs), statistics.median(c for _, c in runs))
                   for name, runs in figures.items()}
        wakes, cpu = medians["program"]
        print("median: %.1f wake-ups a second (the status bar's timer asks %.0f), %.2f ms CPU a second"
              % (wakes, STATUS_TIMER_WAKEUPS, cpu))
        if "reference" in medians:
            ref_wakes, ref_cpu = medians["reference"]
            print("reference: %.1f wake-ups a second, %.2f ms CPU a second; ratio %.2f (wake-ups), %.2f (CPU)"
                  % (ref_wakes, ref_cpu, wakes / ref_wakes, cpu / ref_cpu))
    finally:
        service.stop()
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
