#!/usr/bin/env python3
"""End-to-end test of a box's owner: the real `kalvenor` under a window manager (run under tests/support/with-xvfb and
tests/support/with-window-manager), driven by real X input (xdotool). Enter on an empty login dialog shows
"Incorrect login or password"; a click on the dialog's caption must leave that box above the dialog (the
box belongs to the dialog that asked, so the window manager keeps it over it) and Enter must still answer
it; the dialog then answers Escape, which ends the program.

    box_owner_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

from e2e_support import (LOGIN_SIZE, TITLE, Failure, Program, arguments, caption_drawn_active, click, screenshot,
                          titled, wait_for, xdotool)
from exit_e2e import box

MESSAGE = "message Incorrect login or password"


def stacking():
    """The root's children from the top of the stack down, each with the windows inside it (a window
    manager's frame holds its client): the X server's own order, whatever the window manager believes."""
    out = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True, check=True).stdout
    tops = []
    for line in out.splitlines():
        stripped = line.lstrip()
        if not stripped.startswith("0x"):
            continue
        depth = (len(line) - len(stripped)) // 3
        wid = int(stripped.split()[0], 16)
        if depth <= 1:
            tops.append({wid})
        elif tops:
            tops[-1].add(wid)
    return tops


def height_of(window, order):
    """The place of the window in the order (0: top), or None when it is not there."""
    wid = int(window[0])
    for i, held in enumerate(order):
        if wid in held:
            return i
    return None


def box_above(login, message):
    order = stacking()
    a, b = height_of(message, order), height_of(login, order)
    if a is None or b is None:
        raise Failure("the box or the dialog is not among the root's windows")
    return a < b


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    args = arguments(parser, "box owner e2e")
    if args is None:
        return 77
    work = tempfile.mkdtemp(prefix="kv-box-owner-e2e-")
    env = dict(os.environ, KALVENOR_SERVICE_URL="http://127.0.0.1:2/",
               KALVENOR_REGISTRY_DIR=os.path.join(work, "registry"), TEMP=work)
    program = Program(args.program, env, os.path.join(args.artifacts, "box-owner.out"))
    try:
        login = wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process)
        xdotool("windowactivate", "--sync", login[0])
        wait_for("the login dialog drawn active", caption_drawn_active(login), 20, program.process)
        mark = program.mark()
        xdotool("key", "Return")
        program.wait_line(MESSAGE, mark, 20)
        message = wait_for("the box", box, 20, program.process)
        wait_for("the box drawn active", caption_drawn_active(message), 20, program.process)
        if not box_above(login, message):
            raise Failure("the box came up under the login dialog")

        # The dialog's caption, clear of the box (which stands over the dialog's middle). The click moves
        # the window manager's focus to the dialog, which the box disables: the box must end up active
        # again, above the dialog, whatever order the focus changes come in.
        _, x, y, _, _ = login
        click(x + 40, y + 10)
        wait_for("the window manager's focus on the login dialog",
                 lambda: xdotool("getwindowfocus").split() == [login[0]], 10, program.process)
        wait_for("the box drawn active after the click", caption_drawn_active(message), 20, program.process)
        screenshot(os.path.join(args.artifacts, "box-owner-after-click.png"))
        if not box_above(login, message):
            raise Failure("a click on the login dialog's caption put the box behind the dialog")

        mark = program.mark()
        xdotool("key", "Return")
        wait_for("the box to answer Enter", lambda: not box(), 10, program.process)
        if not titled(TITLE, LOGIN_SIZE)():
            raise Failure("the login dialog went with the box")
        if program.seen("message ", mark):
            raise Failure("Enter went to the login dialog, which asked again: %r" % program.seen("message ", mark))
        # The dialog answers again: Escape cancels it, and the program ends.
        xdotool("windowactivate", "--sync", login[0])
        wait_for("the login dialog drawn active again", caption_drawn_active(login), 20, program.process)
        xdotool("key", "Escape")
        code = program.wait_end(30)
        if code != 0:
            raise Failure("cancelling the login ended the program with status %d" % code)
        print("box owner e2e: the box stays above the login dialog after a click on the dialog's caption, and "
              "Enter answers it")
        return 0
    except (Failure, subprocess.CalledProcessError) as e:
        print("box owner e2e FAILED: %s" % e, file=sys.stderr)
        try:
            screenshot(os.path.join(args.artifacts, "box-owner-failure.png"))
        except Exception:
            pass
        program.stop()
        print(program.report(), file=sys.stderr)
        return 1
    finally:
        program.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
