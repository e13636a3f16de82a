#!/usr/bin/env python3
"""End-to-end test of the program: the real `kalvenor` on an X display with a window manager (run under
tests/support/with-xvfb and tests/support/with-window-manager) against the demo service. Finds the login dialog and
the main window by their titles and checks their icons, signs in with the demo account through real X
input (xdotool), clicks Inbox, searches, signs out with the window manager's close request, then checks
the service's request log and a screenshot. Then the boxes the program shows before its first window
(a service address it cannot use, damaged settings) and its end on SIGTERM and SIGINT (exit_e2e.py).

    run_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from e2e_support import (LOGIN_SIZE, MAIN_SIZE, TITLE, Failure, arguments, click, logged, pixel, read_log,
                         screenshot, titled, wait_for, xdotool)
from exit_e2e import bad_address, damaged_settings, ending_on_signals

# Window coordinates of the main window's controls (the window is placed at 0, 0 on a first start).
INBOX = (67, 353)
SEARCH_EDIT = (66, 77)
# The icon sizes that task bars, window lists and Alt+Tab ask for.
ICON_SIZES = (16, 32, 48)


def check_icon(window, what):
    """The window's _NET_WM_ICON holds images of the sizes asked for, none of them blank."""
    out = subprocess.run(["xprop", "-id", window[0], "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON"],
                         capture_output=True, text=True).stdout
    if "=" not in out:
        raise Failure("%s has no icon: %r" % (what, out.strip()))
    values = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
    sizes = {}
    i = 0
    while i + 2 <= len(values):
        w, h = values[i], values[i + 1]
        sizes[(w, h)] = values[i + 2:i + 2 + w * h]
        i += 2 + w * h
    for n in ICON_SIZES:
        pixels = sizes.get((n, n))
        if pixels is None:
            raise Failure("%s's icon has no %d by %d image (has %s)" % (what, n, n, sorted(sizes)))
        if len(pixels) != n * n or len(set(pixels)) < 3 or not any(p >> 24 == 255 for p in pixels):
            raise Failure("%s's %d by %d icon looks blank" % (what, n, n))


def check_screenshot(path, main):
    """The screenshot holds the main window: the toolbar's side differs from the page's, and it is no
    single colour."""
    screenshot(path)
    _, wx, wy, _, _ = main
    dock = pixel(path, wx + 5, wy + 590)
    page = pixel(path, wx + 600, wy + 400)
    caption = pixel(path, wx + 450, wy + 5)
    if len({dock, page, caption}) < 3:
        raise Failure("screenshot looks blank: dock %s, page %s, caption %s" % (dock, page, caption))


def main():
    args = arguments(argparse.ArgumentParser(), "app e2e")
    if args is None:
        return 1
    failed = 0
    for phase in (sign_in_and_out, bad_address, damaged_settings, ending_on_signals):
        failed += phase(args)
    return 1 if failed else 0


def sign_in_and_out(args):
    """0 when the session with the demo service went as it should, 1 after saying what went wrong."""
    work = tempfile.mkdtemp(prefix="kv-app-e2e-")
    log = os.path.join(work, "requests.log")
    address_file = os.path.join(work, "address")
    service = subprocess.Popen([sys.executable, args.service, "--log", log, "--address-file", address_file],
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    program = None
    try:
        wait_for("the service's address", lambda: os.path.exists(address_file) and os.path.getsize(address_file) > 0,
                 20)
        with open(address_file) as f:
            address = f.read().strip()
        env = dict(os.environ)
        env.update({"KALVENOR_SERVICE_URL": address, "KALVENOR_REGISTRY_DIR": os.path.join(work, "registry"),
                    "TEMP": work, "KALVENOR_BACKEND": "gtk"})
        program = subprocess.Popen([args.program], env=env, stdout=open(os.path.join(args.artifacts, "program.out"), "w"),
                                   stderr=subprocess.STDOUT)

        # The login dialog comes first: the choice has the focus; Tab goes to the login edit.
        login = wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program)
        check_icon(login, "the login dialog")
        xdotool("windowactivate", "--sync", login[0])
        time.sleep(0.5)
        xdotool("key", "Tab")
        xdotool("type", "--delay", 40, "demo")
        xdotool("key", "Tab")
        xdotool("type", "--delay", 40, "demo123")
        xdotool("key", "Return")
        home = wait_for("the sign-in post", logged(log, "user_home.php"), 60, program)
        main_window = wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program)
        check_icon(main_window, "the main window")
        if (main_window[1], main_window[2]) != (0, 0):
            raise Failure("main window at %d, %d instead of 0, 0" % main_window[1:3])
        time.sleep(1.5)

        click(*INBOX)
        inbox = wait_for("the inbox post", logged(log, "user_inbox.php"), 30, program)
        time.sleep(1.0)

        click(*SEARCH_EDIT)
        time.sleep(0.3)
        xdotool("type", "--delay", 40, "gold & silver")
        xdotool("key", "Return")
        search = wait_for("the search post", logged(log, "search.php"), 30, program)
        time.sleep(1.5)
        check_screenshot(os.path.join(args.artifacts, "main-window.png"), main_window)

        # The window manager's close (Alt+F4 under openbox): the same sign-out as the close button.
        xdotool("windowactivate", "--sync", main_window[0])
        time.sleep(0.3)
        xdotool("key", "alt+F4")
        exit_page = wait_for("the exit page", logged(log, "user_exit.php", "GET"), 30, program)
        code = program.wait(timeout=60)
        if code != 0:
            raise Failure("the program returned %d" % code)

        # The posts: method, path, content type, decoded fields.
        for entry, page in ((home, "user_home.php"), (inbox, "user_inbox.php")):
            if entry["method"] != "POST" or entry["path"] != "/%s?agenting=true" % page:
                raise Failure("bad request for %s: %r" % (page, entry))
            if entry["content_type"] != "application/x-www-form-urlencoded":
                raise Failure("bad content type for %s: %r" % (page, entry))
            if entry["fields"] != {"login": "demo", "pass": "demo123"}:
                raise Failure("bad fields for %s: %r" % (page, entry))
        if search["method"] != "POST" or search["fields"] != {"searchword": "gold & silver"}:
            raise Failure("bad search: %r" % search)
        if search["content_type"] != "application/x-www-form-urlencoded":
            raise Failure("bad search content type: %r" % search)
        if exit_page["path"] != "/user_exit.php":
            raise Failure("bad exit page: %r" % exit_page)
        print("app e2e: titles, icons, sign-in, inbox, search and sign-out by the window manager's close "
              "checked; %d requests" % len(read_log(log)))
        return 0
    except (Failure, subprocess.TimeoutExpired, subprocess.CalledProcessError) as e:
        print("app e2e FAILED: %s" % e, file=sys.stderr)
        try:
            subprocess.run(["import", "-window", "root", os.path.join(args.artifacts, "failure.png")], timeout=20)
        except Exception:
            pass
        for e2 in read_log(log):
            print("  logged: %s %s %s" % (e2["method"], e2["path"], e2.get("fields")), file=sys.stderr)
        return 1
    finally:
        if program is not None and program.poll() is None:
            program.send_signal(signal.SIGTERM)
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
        service.send_signal(signal.SIGTERM)
        try:
            service.wait(timeout=10)
        except subprocess.TimeoutExpired:
            service.kill()
        if os.path.exists(log):
            shutil.copy(log, os.path.join(args.artifacts, "requests.log"))
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
