#!/usr/bin/env python3
"""End-to-end test of the program: the real `kalvenor` on an X display with a window manager (run under
xvfb-run -a and tests/support/with-window-manager) against the demo service. Finds the login dialog and
the main window by their titles and checks their icons, signs in with the demo account through real X
input (xdotool), clicks Inbox, searches, signs out with the window manager's close request, then checks
the service's request log and a screenshot.

    run_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR
"""

import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Window coordinates of the main window's controls (the window is placed at 0, 0 on a first start).
INBOX = (67, 353)
SEARCH_EDIT = (66, 77)
TITLE = "Kalvenor"
# The icon sizes that task bars, window lists and Alt+Tab ask for.
ICON_SIZES = (16, 32, 48)
LOGIN_SIZE = (359, 341)
MAIN_SIZE = (900, 620)


class Failure(Exception):
    pass


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True).stdout


def visible_windows():
    """(id, x, y, width, height) of every visible window of the program."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "kalvenor"],
                         capture_output=True, text=True).stdout
    windows = []
    for wid in out.split():
        geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], capture_output=True,
                             text=True).stdout
        vals = dict(line.split("=", 1) for line in geo.split() if "=" in line)
        try:
            windows.append((wid, int(vals["X"]), int(vals["Y"]), int(vals["WIDTH"]), int(vals["HEIGHT"])))
        except (KeyError, ValueError):
            pass
    return windows


def titled(title, size):
    """The visible window with that title (WM_NAME / _NET_WM_NAME) and size, found as tools find it."""
    def find():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                             capture_output=True, text=True).stdout
        for w in visible_windows():
            if w[0] in out.split() and (w[3], w[4]) == size:
                return w
        return None
    return find


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


def wait_for(what, predicate, timeout, program=None):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        if program is not None and program.poll() is not None:
            raise Failure("the program ended (code %s) while waiting for %s" % (program.returncode, what))
        time.sleep(0.25)
    raise Failure("timed out waiting for " + what)


def read_log(path):
    entries = []
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if line:
                    entries.append(json.loads(line))
    return entries


def logged(path, page, method=None):
    def find():
        for e in read_log(path):
            if e["path"].split("?")[0] == "/" + page and (method is None or e["method"] == method):
                return e
        return None
    return find


def click(x, y):
    xdotool("mousemove", x, y)
    time.sleep(0.2)
    xdotool("click", 1)


def check_screenshot(path, main):
    """The screenshot holds the main window: the toolbar's side differs from the page's, and it is no
    single colour."""
    if shutil.which("import") is None:
        raise Failure("no screenshot tool: ImageMagick's 'import' is needed")
    subprocess.run(["import", "-window", "root", path], check=True)
    # Pixels as text: sample the dock panel and the page area.
    def pixel(x, y):
        out = subprocess.run(["convert", path, "-format", "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]",
                              "-crop", "1x1+%d+%d" % (x, y), "info:"], capture_output=True, text=True,
                             check=True).stdout.strip()
        return tuple(int(v) for v in out.split(","))
    _, wx, wy, _, _ = main
    dock = pixel(wx + 5, wy + 590)
    page = pixel(wx + 600, wy + 400)
    caption = pixel(wx + 450, wy + 5)
    if len({dock, page, caption}) < 3:
        raise Failure("screenshot looks blank: dock %s, page %s, caption %s" % (dock, page, caption))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--service", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("app e2e: no DISPLAY; run under xvfb-run -a", file=sys.stderr)
        return 1
    os.makedirs(args.artifacts, exist_ok=True)
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
