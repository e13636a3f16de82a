#!/usr/bin/env python3
"""End-to-end test of the main window as a window: the real `kalvenor` under a window manager (run under
xvfb-run -a and tests/support/with-window-manager) against the demo service, driven by real X input
(xdotool). Moves the window by its caption, sizes it by its left and top edges, maximises and restores it
by double-clicks on the caption (through the window manager), signs out, and finds it where it was left
at the next start.

    window_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_support import (LOGIN_SIZE, MAIN_SIZE, TITLE, Failure, Program, Service, activate, arguments,
                         screenshot, titled, type_login, wait_for, xdotool)


def origin_and_size(window):
    """Where X shows the window (its root position, not its frame's) and its size."""
    out = subprocess.run(["xwininfo", "-id", window[0]], capture_output=True, text=True, check=True).stdout
    values = {}
    for line in out.splitlines():
        if ":" in line:
            key, value = line.split(":", 1)
            values[key.strip()] = value.strip()
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]), int(values["Width"]),
            int(values["Height"]))


def drag(start, to, steps=6):
    """Presses the left button at start, moves to to in steps, as a hand does, and releases it."""
    xdotool("mousemove", "--sync", *start)
    time.sleep(0.2)
    xdotool("mousedown", 1)
    time.sleep(0.2)
    for i in range(1, steps + 1):
        xdotool("mousemove", start[0] + (to[0] - start[0]) * i // steps, start[1] + (to[1] - start[1]) * i // steps)
        time.sleep(0.1)
    time.sleep(0.2)
    xdotool("mouseup", 1)
    time.sleep(0.5)


def double_click(at):
    xdotool("mousemove", "--sync", *at)
    time.sleep(0.2)
    xdotool("click", "--repeat", 2, "--delay", 80, 1)


def settled(window, expected, what):
    """Waits until X shows the window at expected (x, y, width, height)."""
    try:
        return wait_for(what, lambda: origin_and_size(window) == expected, 10)
    except Failure:
        raise Failure("%s: the window is at %r, not %r" % (what, origin_and_size(window), expected))


def screen_size():
    out = subprocess.run(["xwininfo", "-root"], capture_output=True, text=True, check=True).stdout
    width = height = 0
    for line in out.splitlines():
        if line.strip().startswith("Width:"):
            width = int(line.split(":")[1])
        if line.strip().startswith("Height:"):
            height = int(line.split(":")[1])
    return width, height


def main():
    args = arguments(argparse.ArgumentParser(), "window e2e")
    if args is None:
        return 1
    work = tempfile.mkdtemp(prefix="kv-window-e2e-")
    service = Service(args.service, work)
    env = dict(os.environ, KALVENOR_SERVICE_URL=service.address, KALVENOR_REGISTRY_DIR=os.path.join(work, "registry"),
               TEMP=work)
    programs = []

    def start():
        program = Program(args.program, env, os.path.join(args.artifacts, "window-%d.out" % len(programs)))
        programs.append(program)
        login = wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process)
        mark = program.mark()
        type_login(login, "demo", "demo123")
        xdotool("key", "Return")
        program.wait_line("status Ready", mark, 60)
        time.sleep(1)
        return program

    try:
        program = start()
        main_window = wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process)
        settled(main_window, (0, 0, 900, 620), "the first start")

        # By the caption, then by the left edge (4 pixels of frame) and the top edge: the window grows
        # towards the pointer and its other edges stay.
        drag((450, 10), (550, 110))
        settled(main_window, (100, 100, 900, 620), "moved by the caption")
        drag((101, 400), (41, 400))
        settled(main_window, (40, 100, 960, 620), "sized by the left edge")
        drag((500, 101), (500, 61))
        settled(main_window, (40, 60, 960, 660), "sized by the top edge")

        # A double-click on the caption maximises through the window manager, which puts the window over
        # its work area (here the whole screen) and holds it maximised; another one restores.
        width, height = screen_size()
        double_click((500, 70))
        settled(main_window, (0, 0, width, height), "maximised")
        state = subprocess.run(["xprop", "-id", main_window[0], "_NET_WM_STATE"], capture_output=True,
                               text=True).stdout
        if "_NET_WM_STATE_MAXIMIZED_VERT" not in state or "_NET_WM_STATE_MAXIMIZED_HORZ" not in state:
            raise Failure("the window manager does not hold the maximised window maximised: %s" % state.strip())
        time.sleep(0.5)
        screenshot(os.path.join(args.artifacts, "window-maximised.png"))
        double_click((500, 10))
        settled(main_window, (40, 60, 960, 660), "restored")

        # The sign-out keeps the placement: the next start shows the window where it was.
        activate(main_window)
        time.sleep(0.3)
        xdotool("key", "alt+F4")
        if program.wait_end(60) != 0:
            raise Failure("the program did not end well")
        program = start()
        main_window = wait_for("the main window", titled(TITLE, (960, 660)), 30, program.process)
        settled(main_window, (40, 60, 960, 660), "the next start")
        activate(main_window)
        time.sleep(0.3)
        xdotool("key", "alt+F4")
        program.wait_end(60)
        print("window e2e: caption move, left and top edges, maximise and restore by the caption, placement "
              "kept checked")
        return 0
    except Failure as e:
        print("window e2e FAILED: %s" % e, file=sys.stderr)
        try:
            screenshot(os.path.join(args.artifacts, "window-failure.png"))
        except Exception:
            pass
        return 1
    finally:
        for p in programs:
            p.stop()
        service.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
