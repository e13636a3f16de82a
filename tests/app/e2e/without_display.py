#!/usr/bin/env python3
"""The program without a display: started with DISPLAY unset, or naming a display nobody serves, and
without asking for the offscreen backend, it says "cannot open display" on standard error and ends with
a failure at once, instead of running unseen. A service address that is not an http or https address of a
host is named on standard error as well, before the display is even looked for.

    without_display.py --program build/kalvenor
"""

import argparse
import os
import subprocess
import sys
import tempfile


def run(program, env):
    """(status, standard output, standard error); a program still running after 60 s fails the test."""
    try:
        done = subprocess.run([program], env=env, capture_output=True, text=True, timeout=60,
                              stdin=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        raise SystemExit("without display FAILED: the program was still running after 60 s")
    return done.returncode, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="kv-nodisplay-") as work:
        base = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "KALVENOR_BACKEND", "WAYLAND_DISPLAY")}
        # Nothing of the user's may be touched on the way out.
        base.update({"KALVENOR_REGISTRY_DIR": os.path.join(work, "registry"), "TEMP": work,
                     "KALVENOR_SERVICE_URL": "http://127.0.0.1:2/"})
        cases = [("DISPLAY unset", dict(base)), ("a display nobody serves", dict(base, DISPLAY=":7777"))]
        failures = []
        for what, env in cases:
            status, out, err = run(args.program, env)
            if status == 0:
                failures.append("%s: the program ended with status 0" % what)
            if "cannot open display" not in err:
                failures.append("%s: no \"cannot open display\" on standard error: %r" % (what, err[-400:]))
            if out.strip():
                failures.append("%s: unexpected standard output %r" % (what, out[-200:]))
        for address in ("file:///tmp/", "ftp://127.0.0.1/", "kalvenor", "http://", "https:///user_home.php"):
            status, out, err = run(args.program, dict(base, KALVENOR_SERVICE_URL=address))
            if status == 0:
                failures.append("address %r: the program ended with status 0" % address)
            if '"%s"' % address not in err or "not an http or https address" not in err:
                failures.append("address %r: standard error does not name it as unusable: %r" % (address, err[-400:]))
        if os.path.exists(os.path.join(work, "registry")):
            failures.append("the program wrote settings although it never started")
    for f in failures:
        print("without display FAILED: " + f, file=sys.stderr)
    if not failures:
        print("without display: both cases end with a failure and say \"cannot open display\"; unusable "
              "service addresses are named")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
