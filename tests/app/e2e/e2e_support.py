"""What the end-to-end tests of the program share: real X input (xdotool), finding the program's windows,
the demo service (with its request log and misbehaviours), and the program run with its session probe.
"""

import json
import os
import re
import shutil
import signal
import subprocess
import sys
import threading
import time

TITLE = "Kalvenor"
LOGIN_SIZE = (359, 341)
MAIN_SIZE = (900, 620)


class Failure(Exception):
    pass


def arguments(parser, what):
    """The arguments every test takes (--program, --service, --artifacts) with the parser's own; None, after
    saying so, when there is no display to run on."""
    parser.add_argument("--program", required=True)
    parser.add_argument("--service", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("%s: no DISPLAY; run under tests/support/with-xvfb" % what, file=sys.stderr)
        return None
    os.makedirs(args.artifacts, exist_ok=True)
    return args


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True, text=True).stdout


def geometry(wid):
    geo = subprocess.run(["xdotool", "getwindowgeometry", "--shell", wid], capture_output=True, text=True).stdout
    vals = dict(line.split("=", 1) for line in geo.split() if "=" in line)
    return int(vals["X"]), int(vals["Y"]), int(vals["WIDTH"]), int(vals["HEIGHT"])


def visible_windows():
    """(id, x, y, width, height) of every visible window of the program."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "kalvenor"],
                         capture_output=True, text=True).stdout
    windows = []
    for wid in out.split():
        try:
            windows.append((wid, *geometry(wid)))
        except (KeyError, ValueError):
            pass
    return windows


def titled(title, size=None):
    """The visible window with that title (WM_NAME / _NET_WM_NAME), and that size when given, found as
    tools find it."""
    def find():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(title)],
                             capture_output=True, text=True).stdout
        for w in visible_windows():
            if w[0] in out.split() and (size is None or (w[3], w[4]) == size):
                return w
        return None
    return find


def wait_for(what, predicate, timeout, program=None):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        if program is not None and program.poll() is not None:
            raise Failure("the program ended (code %s) while waiting for %s" % (program.returncode, what))
        time.sleep(0.2)
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
    xdotool("mousemove", "--sync", x, y)
    time.sleep(0.2)
    xdotool("click", 1)


def screenshot(path):
    if shutil.which("import") is None:
        raise Failure("no screenshot tool: ImageMagick's 'import' is needed")
    subprocess.run(["import", "-window", "root", path], check=True)


def pixel(path, x, y):
    """(r, g, b) of a screenshot's pixel."""
    out = subprocess.run(["convert", path, "-format", "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]",
                          "-crop", "1x1+%d+%d" % (x, y), "info:"], capture_output=True, text=True,
                         check=True).stdout.strip()
    return tuple(int(v) for v in out.split(","))


class Service:
    """The demo service on a free loopback port, with its request log and a misbehaviour file."""

    def __init__(self, script, work, name="service", host="127.0.0.1"):
        self.log = os.path.join(work, name + "-requests.log")
        self.misbehaviour = os.path.join(work, name + "-misbehave.json")
        address_file = os.path.join(work, name + "-address")
        self.process = subprocess.Popen([sys.executable, script, "--log", self.log, "--address-file", address_file,
                                         "--misbehave", self.misbehaviour],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the service's address", lambda: os.path.exists(address_file) and os.path.getsize(address_file), 20)
        with open(address_file) as f:
            self.address = f.read().strip().replace("127.0.0.1", host)

    def misbehave(self, table):
        """Pages answer as the table says from now on (see tools/demo-service/misbehave.py)."""
        with open(self.misbehaviour + ".tmp", "w", encoding="utf-8") as f:
            json.dump(table, f)
        os.replace(self.misbehaviour + ".tmp", self.misbehaviour)

    def requests(self):
        return read_log(self.log)

    def stop(self):
        self.process.send_signal(signal.SIGTERM)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()


class Program:
    """The program on the X display, with its session probe's lines (KALVENOR_SESSION_PROBE) collected."""

    def __init__(self, path, env, output, own_group=False, ignored=()):
        """own_group: in a process group of its own, as a desktop session starts it; ignored: the signals it
        starts with ignored, as nohup (SIGHUP) or a shell's background job (SIGINT) starts a program."""
        env = dict(env, KALVENOR_SESSION_PROBE="1", KALVENOR_BACKEND="gtk")
        self.output = open(output, "w")

        # The signals as a terminal starts it, whatever the test was started from (a shell's background job
        # ignores SIGINT), but for those asked to be ignored: set by a small starter that then becomes the
        # program.
        starter = ("import os, signal, sys\n"
                   "for n in (signal.SIGHUP, signal.SIGINT, signal.SIGTERM):\n"
                   "    signal.signal(n, signal.SIG_IGN if str(int(n)) in sys.argv[2:] else signal.SIG_DFL)\n"
                   "signal.pthread_sigmask(signal.SIG_SETMASK, [])\n"
                   "os.execv(sys.argv[1], sys.argv[1:2])\n")
        command = [sys.executable, "-c", starter, path] + [str(int(n)) for n in ignored]
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=self.output, text=True,
                                        start_new_session=own_group)
        self.lines = []
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        for line in self.process.stdout:
            line = line.rstrip("\n")
            self.output.write(line + "\n")
            self.output.flush()
            self.lines.append(line)

    def mark(self):
        """A place in the lines: what comes after it is looked at."""
        return len(self.lines)

    def seen(self, prefix, since=0):
        """The lines after since that start with prefix."""
        return [l for l in self.lines[since:] if l.startswith(prefix)]

    def wait_line(self, prefix, since=0, timeout=30):
        """The first line after since that starts with prefix (waiting for it)."""
        found = wait_for("a line '%s...' from the program" % prefix, lambda: self.seen(prefix, since), timeout,
                         self.process)
        return found[0]

    def output_text(self):
        """What the program wrote so far: standard error and its probe's lines."""
        if not self.output.closed:
            self.output.flush()
        with open(self.output.name, encoding="utf-8", errors="replace") as f:
            return f.read()

    def report(self, limit=4000):
        """The end of what the program wrote, for a failure's report."""
        return "the program's output (%s):\n%s" % (self.output.name, self.output_text()[-limit:])

    def wait_closed(self, timeout):
        """Waits until the program shows no window, as the user sees it close; the seconds it took. The
        process itself ends later: a sanitized build checks for leaks on its way out, which takes seconds
        on a loaded machine, so how soon a program closes is told by its windows."""
        started = time.time()
        wait_for("the program's windows to close", lambda: not visible_windows(), timeout)
        return time.time() - started

    def wait_end(self, timeout=60):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within %d s" % timeout)

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        self.output.close()


def screen_pixel(x, y):
    """(r, g, b) of the screen's pixel at (x, y), read off the X server as it is now."""
    out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y), "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    match = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1])
    if not match:
        raise Failure("no pixel read at (%d, %d): %r" % (x, y, out))
    return tuple(int(v) for v in match.groups())


def caption_drawn_active(window):
    """True when the window's caption (which the program draws itself) shows the active colour: the
    classic active caption is dark blue, the inactive one grey."""
    def check():
        _, x, y, w, _ = window
        r, g, b = screen_pixel(x + w * 2 // 3, y + 8)
        return b > r + 40
    return check


def activate(window):
    """Gives a window of the program the keyboard: through the window manager when there is one."""
    try:
        xdotool("windowactivate", "--sync", window[0])
    except subprocess.CalledProcessError:
        xdotool("windowfocus", "--sync", window[0])


def type_login(login_window, login, password, toggle_save=False):
    """Types into the login dialog as a user does: the choice has the focus; Tab goes to the login edit,
    the password edit and the "Save password" box (Space toggles it when asked)."""
    activate(login_window)
    time.sleep(0.4)
    xdotool("key", "Tab")
    xdotool("key", "ctrl+a", "BackSpace")
    xdotool("type", "--delay", 30, login)
    xdotool("key", "Tab")
    xdotool("key", "ctrl+a", "BackSpace")
    xdotool("type", "--delay", 30, password)
    if toggle_save:
        xdotool("key", "Tab")
        xdotool("key", "space")
