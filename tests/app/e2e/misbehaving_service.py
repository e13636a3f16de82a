#!/usr/bin/env python3
"""End-to-end tests of the program against a service that answers badly or maliciously: the real
`kalvenor` on an X display, driven by X input (xdotool), against the demo service switched between
misbehaviours (tools/demo-service/misbehave.py), and a second service on another origin where nothing of
the first one's may arrive. The program's session probe (KALVENOR_SESSION_PROBE) tells what its status
bar, gauge, message boxes and login dialog show.

    misbehaving_service.py --scenario NAME --program build/kalvenor --service tools/demo-service/server.py
                           --artifacts DIR

Scenarios: failures, down, download, other-site, sign-out, save-password, phrase, hostile-page (under a
window manager: tests/support/with-window-manager), dialogs (without one).
"""

import argparse
import os
import shutil
import socket
import sys
import tempfile
import time
import urllib.parse

from e2e_support import (LOGIN_SIZE, MAIN_SIZE, TITLE, Failure, Program, Service, activate, arguments,
                         caption_drawn_active, click, pixel, screenshot, titled, type_login, visible_windows,
                         wait_for, xdotool)

# Window coordinates of the main window's controls (the window is at 0, 0 on a first start).
CATALOG = (67, 118)
CONTACTS = (67, 310)
INBOX = (67, 353)
TRANSACTIONS = (67, 492)
HITS = (67, 545)
SEARCH_EDIT = (66, 77)
PAGE = (500, 300)
# The login dialog's OK button and password edit, in its window's coordinates.
LOGIN_OK = (208, 320)
LOGIN_PASSWORD = (279, 221)
PHRASE = "Incorrect username or password"


def message_box():
    """The program's message box: a visible window of the program's title that is neither the login dialog
    nor the main window."""
    for size in {(w[3], w[4]) for w in visible_windows()} - {LOGIN_SIZE, MAIN_SIZE}:
        found = titled(TITLE, size)()
        if found:
            return found
    return None


def page(body):
    return "<!DOCTYPE html><html><head><meta charset='utf-8'><title>Test</title></head><body>%s</body></html>" % body


class Scenario:
    def __init__(self, args):
        self.args = args
        self.work = tempfile.mkdtemp(prefix="kv-misbehave-")
        self.registry = os.path.join(self.work, "registry")
        self.temp = os.path.join(self.work, "temp")
        os.makedirs(self.temp)
        self.service = Service(args.service, self.work)
        self.services = [self.service]
        self.programs = []

    def env(self, **extra):
        env = dict(os.environ, KALVENOR_SERVICE_URL=self.service.address, KALVENOR_REGISTRY_DIR=self.registry,
                   TEMP=self.temp)
        env.update(extra)
        return env

    def start(self, own_group=False, ignored=(), **extra):
        """The program with extra in its environment; own_group: in a process group of its own; ignored: the
        signals it starts with ignored."""
        program = Program(self.args.program, self.env(**extra),
                          os.path.join(self.args.artifacts, "program-%d.out" % len(self.programs)), own_group,
                          ignored)
        self.programs.append(program)
        return program

    def login_window(self, program):
        return wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process)

    def sign_in(self, program, login="demo", password="demo123"):
        """Types the values and presses Enter; waits for the overview to be ready."""
        mark = program.mark()
        type_login(self.login_window(program), login, password)
        xdotool("key", "Return")
        program.wait_line("status Ready", mark, 60)
        return wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process)

    def sign_in_fails(self, program, text):
        """Signs in with the demo account, which fails with text (see failed_sign_in)."""
        type_login(self.login_window(program), "demo", "demo123")
        mark = program.mark()
        xdotool("key", "Return")
        return self.failed_sign_in(program, mark, text)

    def sign_in_again(self, program, mark):
        """The login dialog's OK with the values it holds; waits for the overview."""
        xdotool("key", "Return")
        program.wait_line("status Ready", mark, 60)
        main_window = wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process)
        time.sleep(1)
        return main_window

    def check_page_copy(self, secret="demo123"):
        """The page copy (in TEMP) never holds the password."""
        copy = os.path.join(self.temp, "tmp.html")
        if os.path.exists(copy):
            with open(copy, encoding="utf-8", errors="replace") as f:
                if secret in f.read():
                    raise Failure("the page copy holds the password")

    def close_and_end(self, program, main_window, timeout=30):
        activate(main_window)
        wait_for("the main window drawn active", caption_drawn_active(main_window), 20, program.process)
        xdotool("key", "alt+F4")
        self.check_end(program, timeout)

    def check_end(self, program, timeout=30):
        """The program ends well and leaves no page copy."""
        code = program.wait_end(timeout)
        if code != 0:
            raise Failure("the program returned %d" % code)
        if os.path.exists(os.path.join(self.temp, "tmp.html")):
            raise Failure("the page copy outlived the program")

    def failed_sign_in(self, program, mark, text, focus=True):
        """After a sign-in that failed with text: the box says it, Enter answers it, the login is back with
        the values typed. Returns the new mark. With focus, the box and then the login are given the
        keyboard before keys go to them; without, the program must have given it to them itself."""
        program.wait_line("message " + text, mark, 60)
        if not program.seen("status " + text, mark):
            raise Failure("the status bar did not say %r" % text)
        # The line comes before the box is up: Enter waits for the box's window.
        box = wait_for("the message box", message_box, 20, program.process)
        if focus:
            activate(box)
        time.sleep(0.3)
        xdotool("key", "Return")  # the box's default button
        line = program.wait_line("login ", mark, 20)
        if line != "login demo|7|0":
            raise Failure("the login came back with %r, not the values typed" % line)
        self.check_page_copy()
        # Likewise the login's line comes from its show handler: the keys that follow wait for its window.
        login = self.login_window(program)
        if focus:
            activate(login)
        time.sleep(0.3)
        return program.mark()

    def cleanup(self):
        for program in self.programs:
            program.stop()
        for service in self.services:
            service.stop()
            if os.path.exists(service.log):
                shutil.copy(service.log, os.path.join(self.args.artifacts, os.path.basename(service.log)))
        shutil.rmtree(self.work, ignore_errors=True)


def failures(s):
    """Error statuses and answers that cannot be read fail the sign-in, which comes back; the gauge starts
    again at 0 when a page is asked for."""
    s.service.misbehave({"user_home.php": {"status": 500, "method": "POST"}})
    program = s.start()
    mark = s.sign_in_fails(program, "Service error 500")
    for answer in ({"raw": "this is no HTTP at all\r\n\r\n"},
                   {"status": 302, "headers": {"Location": "user_home.php?agenting=true"}}):
        s.service.misbehave({"user_home.php": answer})
        xdotool("key", "Return")  # the dialog's OK with the values typed
        mark = s.failed_sign_in(program, mark, "The service's answer cannot be read")
    s.service.misbehave({"user_inbox.php": {"delay": 3}})
    main_window = s.sign_in_again(program, mark)
    mark = program.mark()
    click(*INBOX)
    program.wait_line("status Inbox messages loading...", mark, 20)
    first = program.wait_line("gauge ", mark, 2)
    if first != "gauge 0 100":
        raise Failure("the gauge did not start again at 0: %r" % first)
    screenshot(os.path.join(s.args.artifacts, "gauge-restarted.png"))
    program.wait_line("status Ready", mark, 30)
    s.close_and_end(program, main_window)


def down(s):
    """No service at all: the sign-in says so and comes back; cancelling it ends the program."""
    with socket.socket() as unused:  # bound, never listening: connections are refused
        unused.bind(("127.0.0.1", 0))
        s.service.address = "http://127.0.0.1:%d/" % unused.getsockname()[1]
        program = s.start()
        s.sign_in_fails(program, "The service cannot be reached")
    xdotool("key", "Escape")
    if program.wait_end(30) != 0:
        raise Failure("the program did not end well after the login was cancelled")


def download(s):
    """Nothing the service sends is downloaded: no file under HOME is made, changed or removed."""
    home = os.path.join(s.work, "home")
    os.makedirs(os.path.join(home, "Downloads"))
    kept = os.path.join(home, "Downloads", "statement.txt")
    with open(kept, "w") as f:
        f.write("mine")

    def files():
        found = {}
        for root, dirs, names in os.walk(home):
            dirs[:] = [d for d in dirs if d not in (".cache", ".local", ".config")]
            for n in names:
                with open(os.path.join(root, n), "rb") as f:
                    found[os.path.join(root, n)] = f.read()
        return found

    before = files()
    attachment = {"headers": {"Content-Type": "text/plain",
                              "Content-Disposition": 'attachment; filename="statement.txt"'}, "body": "theirs"}
    s.service.misbehave({"user_home.php": dict(attachment, method="POST")})
    program = s.start(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                      XDG_DATA_HOME=os.path.join(home, ".local/share"), XDG_CACHE_HOME=os.path.join(home, ".cache"))
    mark = s.sign_in_fails(program, "The service sent something that cannot be shown")
    s.service.misbehave({"user_inbox.php": {"headers": {"Content-Type": "application/octet-stream"}, "body": "x"},
                         "catalog.php": {"body": page("<a id='a' href='faq.php?agenting=true' download='statement.txt'>"
                                                      "save</a><script>document.getElementById('a').click();</script>")}})
    main_window = s.sign_in_again(program, mark)
    mark = program.mark()
    click(*INBOX)
    program.wait_line("status The service sent something that cannot be shown", mark, 30)
    s.check_page_copy()
    mark = program.mark()
    click(*CATALOG)
    program.wait_line("status Ready", mark, 30)
    time.sleep(2)  # a download would have been written by now
    if files() != before:
        raise Failure("files under HOME were made, changed or removed: %s" % sorted(set(files()) ^ set(before)))
    s.close_and_end(program, main_window)


def other_site(s):
    """The sign-in body reaches no origin but the service's: redirects elsewhere are not followed, a page's
    form and frames elsewhere are refused, a link elsewhere opens through the desktop; HTTP authentication
    asks nobody."""
    other = Service(s.args.service, s.work, "other", "localhost")
    s.services.append(other)
    bin_dir = os.path.join(s.work, "bin")
    os.makedirs(bin_dir)
    opened = os.path.join(s.work, "opened")
    with open(os.path.join(bin_dir, "gio"), "w") as f:
        f.write("#!/bin/sh\necho \"$@\" >> '%s'\n" % opened)
    os.chmod(os.path.join(bin_dir, "gio"), 0o755)
    away = other.address + "catalog.php?agenting=true"
    s.service.misbehave({"user_home.php": {"status": 307, "method": "POST",
                                           "headers": {"Location": other.address + "user_home.php?agenting=true"}}})
    program = s.start(PATH=bin_dir + os.pathsep + os.environ.get("PATH", ""))
    mark = s.sign_in_fails(program, "The service sent the page to another site")
    form = ("<form id='f' method='post' action='%suser_home.php?agenting=true'><input type='hidden' name='login' "
            "value='demo'><input type='hidden' name='pass' value='demo123'></form><iframe src='%sfaq.php?agenting=true'>"
            "</iframe><script>document.getElementById('f').submit();</script>" % (other.address, other.address))
    s.service.misbehave({
        "user_inbox.php": {"status": 308, "headers": {"Location": other.address + "user_inbox.php?agenting=true"}},
        "catalog.php": {"body": page("<a href='%s' style='display:block;width:100%%;height:900px'>away</a>" % away)},
        "user_hits.php": {"body": page(form)},
        "user_transactions.php": {"status": 401, "headers": {"WWW-Authenticate": 'Basic realm="members"'}},
    })
    main_window = s.sign_in_again(program, mark)
    mark = program.mark()
    click(*INBOX)
    program.wait_line("status The service sent the page to another site", mark, 30)
    mark = program.mark()
    click(*CATALOG)
    program.wait_line("status Ready", mark, 30)
    time.sleep(0.5)
    click(*PAGE)
    wait_for("the desktop's handler to be asked", lambda: os.path.exists(opened), 10)
    with open(opened) as f:
        if f.read().split() != ["open", away]:
            raise Failure("the desktop was asked for something else than the link")
    mark = program.mark()
    click(*HITS)
    program.wait_line("status Ready", mark, 30)
    time.sleep(1.5)
    mark = program.mark()
    click(*TRANSACTIONS)
    program.wait_line("status Service error 401", mark, 30)
    time.sleep(0.5)
    if len(visible_windows()) != 1:
        raise Failure("another window showed up (an authentication dialog?): %s" % visible_windows())
    if other.requests():
        raise Failure("the other site got requests: %s" % [(e["method"], e["path"], e["fields"])
                                                           for e in other.requests()])
    s.close_and_end(program, main_window)


def sign_out(s):
    """An exit page that never answers closes the program after ten seconds; a second close request
    closes it at once; so does an exit page that fails."""
    s.service.misbehave({"user_exit.php": {"silent": True}})
    program = s.start()
    main_window = s.sign_in(program)
    mark = program.mark()
    activate(main_window)
    xdotool("key", "alt+F4")
    program.wait_line("status Signing out...", mark, 10)
    waited = program.wait_closed(30)
    if not 9 <= waited <= 15:
        raise Failure("the window closed after %.1f s without an exit page (ten seconds expected)" % waited)
    program.wait_end(60)

    program = s.start()
    main_window = s.sign_in(program)
    activate(main_window)
    mark = program.mark()
    xdotool("key", "alt+F4")
    program.wait_line("status Signing out...", mark, 10)
    xdotool("key", "alt+F4")
    try:
        program.wait_closed(3)
    except Failure:
        screenshot(os.path.join(s.args.artifacts, "second-close.png"))
        raise Failure("a second close request did not close the window at once")
    program.wait_end(60)

    s.service.misbehave({"user_exit.php": {"status": 500}})
    program = s.start()
    main_window = s.sign_in(program)
    activate(main_window)
    mark = program.mark()
    xdotool("key", "alt+F4")
    program.wait_line("status Signing out...", mark, 10)
    if program.wait_closed(30) > 5:
        raise Failure("a failed exit page did not close the window at once")
    s.check_end(program)


def save_password(s):
    """Signing in with "Save password" unchecked removes the saved login and password."""
    program = s.start()
    mark = program.mark()
    type_login(s.login_window(program), "demo", "demo123", toggle_save=True)
    xdotool("key", "Return")
    program.wait_line("status Ready", mark, 60)
    s.close_and_end(program, wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process))

    program = s.start()
    line = program.wait_line("login ", 0, 60)
    if line != "login demo|7|1":
        raise Failure("the saved login was not loaded: %r" % line)
    login = s.login_window(program)
    activate(login)
    time.sleep(0.4)
    xdotool("key", "Tab", "Tab", "Tab", "space", "Return")  # to the box, uncheck it, sign in
    program.wait_line("status Ready", 0, 60)
    s.close_and_end(program, wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process))
    for root, _, names in os.walk(s.registry):
        for n in names:
            with open(os.path.join(root, n), "rb") as f:
                if b"demo123" in f.read():
                    raise Failure("the password is still saved in %s" % n)

    program = s.start()
    line = program.wait_line("login ", 0, 60)
    if line != "login |0|0":
        raise Failure("something was loaded after the box was unchecked: %r" % line)
    # The line comes from the dialog's show handler, before its window is up: Escape waits for the window.
    activate(s.login_window(program))
    time.sleep(0.4)
    xdotool("key", "Escape")
    program.wait_end(30)


def phrase(s):
    """The failed-sign-in phrase counts only in the answers to the sign-in body."""
    program = s.start()
    main_window = s.sign_in(program)
    time.sleep(1)
    mark = program.mark()
    click(*SEARCH_EDIT)
    time.sleep(0.3)
    xdotool("type", "--delay", 30, PHRASE)
    xdotool("key", "Return")
    program.wait_line("status Ready", mark, 30)
    time.sleep(1.5)
    if program.seen("login ", mark):
        raise Failure("a search quoting the phrase brought the login back")
    s.service.misbehave({"user_inbox.php": {"body": page("<p>Your message: %s</p>" % PHRASE)}})
    mark = program.mark()
    click(*INBOX)
    program.wait_line("login demo|7|0", mark, 30)
    xdotool("key", "Escape")
    program.wait_end(30)


def hostile_page(s):
    """A page that prints again after every cancel, asks in script dialogs for ever or asks before it is left
    shows no more than two of its questions (the user declines them) and keeps the program from nothing: it
    loads or fails, the next section click reaches the service and loads, and the window closes with such a
    page in place."""
    after_load = "<script>window.onload=function(){setTimeout(function(){%s},0);};</script>"
    hostile = [
        (CONTACTS, "user_contacts.php", "Contacts loading...", after_load % "for(;;)print();"),
        (INBOX, "user_inbox.php", "Inbox messages loading...", "<script>for(;;)alert('Again');</script>"),
        (TRANSACTIONS, "user_transactions.php", "Transactions loading...",
         "<script>window.onbeforeunload=function(e){e.preventDefault();e.returnValue='Leave?';return 'Leave?';};"
         "</script>" + after_load % "while(!confirm('Stay?')){}"),
        (CATALOG, "catalog.php", "Catalog loading...", after_load % "while(!prompt('Password?')){}"),
    ]
    s.service.misbehave({name: {"body": page("<p style='height:900px'>Hostile</p>" + body)}
                         for _, name, _, body in hostile})
    program = s.start()
    main_window = s.sign_in(program)
    time.sleep(1)

    def ended(mark):
        return lambda: program.seen("status Ready", mark) or program.seen("status The service", mark)

    host = urllib.parse.urlsplit(s.service.address).hostname

    def declined(done, what, quiet=3):
        """Declines (Escape) the page's questions as their boxes show, until done() and the page has been quiet
        since: its two questions shown (the rest are answered unseen), or none for quiet seconds. A page asks
        from its onload handler a moment after the status says "Ready", later on a loaded machine. At most two
        may show."""
        shown, deadline, last = 0, time.time() + 30, time.time()
        while not (done() and (shown == 2 or time.time() - last > quiet)):
            if time.time() > deadline:
                raise Failure("timed out waiting for " + what)
            box = titled(host)()
            if box:
                shown += 1
                if shown > 2:
                    raise Failure("%s put a third question to the user" % what)
                activate(box)
                xdotool("key", "Escape")
                wait_for("the box to go", lambda b=box: titled(host)() != b, 10, program.process)
                last = time.time()
            time.sleep(0.2)

    def hits_posted():
        return len([e for e in s.service.requests() if e["path"].startswith("/user_hits.php")])

    for button, name, loading, _ in hostile:
        mark = program.mark()
        click(*button)
        program.wait_line("status " + loading, mark, 20)
        declined(ended(mark), "%s to load or fail" % name)
        click(*PAGE)  # the user touches the page: it may ask before it is left
        time.sleep(1)
        if len(visible_windows()) != 1:
            raise Failure("%s brought up a window: %s" % (name, visible_windows()))
        posted = hits_posted()
        mark = program.mark()
        click(*HITS)
        program.wait_line("status Hits statistics loading...", mark, 20)
        program.wait_line("status Ready", mark, 20)
        if hits_posted() <= posted:
            raise Failure("the section after %s never reached the service" % name)
    # Closing with a page in place that began to ask for ever once it had loaded.
    s.service.misbehave({"catalog.php": {"body": page(
        "<p>Hostile</p><script>window.onload=function(){setTimeout(function(){while(!prompt('Password?')){}},"
        "800);};</script>")}})
    mark = program.mark()
    click(*CATALOG)
    program.wait_line("status Ready", mark, 20)
    declined(lambda: True, "the catalog", quiet=4)
    s.close_and_end(program, main_window)


def dialogs(s):
    """Without a window manager, the login dialog answered by its OK button (the mouse): the "Incorrect
    login or password" box is centred on the dialog and Enter answers it; so does the box of a failed
    sign-in, shown after the dialog went; after signing in the main window is the active one."""
    s.service.misbehave({"user_home.php": {"status": 500, "method": "POST", "once": True}})
    program = s.start()
    login = s.login_window(program)
    type_login(login, "demo", "")
    mark = program.mark()
    click(login[1] + LOGIN_OK[0], login[2] + LOGIN_OK[1])
    program.wait_line("message Incorrect login or password", mark, 20)
    box = wait_for("the message box", lambda: [w for w in visible_windows() if w[0] != login[0]], 10)[0]
    dx = (box[1] + box[3] / 2) - (login[1] + login[3] / 2)
    dy = (box[2] + box[4] / 2) - (login[2] + login[4] / 2)
    if abs(dx) > 2 or abs(dy) > 2:
        raise Failure("the box is not centred on the dialog (%+d, %+d)" % (dx, dy))
    xdotool("key", "Return")
    wait_for("the box to go", lambda: [w[0] for w in visible_windows()] == [login[0]], 10)
    click(login[1] + LOGIN_PASSWORD[0], login[2] + LOGIN_PASSWORD[1])
    xdotool("type", "--delay", 30, "demo123")
    mark = program.mark()
    click(login[1] + LOGIN_OK[0], login[2] + LOGIN_OK[1])
    mark = s.failed_sign_in(program, mark, "Service error 500", focus=False)
    login = s.login_window(program)
    click(login[1] + LOGIN_OK[0], login[2] + LOGIN_OK[1])
    program.wait_line("status Ready", mark, 60)
    main_window = wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process)
    time.sleep(1)
    shot = os.path.join(s.args.artifacts, "main-after-ok.png")
    screenshot(shot)
    caption = pixel(shot, main_window[1] + 450, main_window[2] + 8)
    focus = xdotool("getwindowfocus").strip()
    # The caption as it is drawn when the window is active, for comparison.
    xdotool("windowfocus", "--sync", main_window[0])
    time.sleep(0.8)
    screenshot(shot.replace(".png", "-focused.png"))
    active = pixel(shot.replace(".png", "-focused.png"), main_window[1] + 450, main_window[2] + 8)
    if caption != active or focus != main_window[0]:
        raise Failure("after OK the main window is not active: caption %s (active %s), X focus %s" %
                      (caption, active, focus))


SCENARIOS = {f.__name__.replace("_", "-"): f for f in
             (failures, down, download, other_site, sign_out, save_password, phrase, hostile_page, dialogs)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scenario", required=True, choices=sorted(SCENARIOS))
    args = arguments(parser, "misbehaving service")
    if args is None:
        return 1
    args.artifacts = os.path.join(args.artifacts, args.scenario)
    os.makedirs(args.artifacts, exist_ok=True)
    scenario = Scenario(args)
    try:
        SCENARIOS[args.scenario](scenario)
        print("misbehaving service, %s: checked" % args.scenario)
        return 0
    except (Failure, OSError) as e:
        print("misbehaving service, %s FAILED: %s" % (args.scenario, e), file=sys.stderr)
        try:
            screenshot(os.path.join(args.artifacts, "failure.png"))
        except Exception:
            pass
        for program in scenario.programs:
            print("  " + program.report(), file=sys.stderr)
        return 1
    finally:
        scenario.cleanup()


if __name__ == "__main__":
    sys.exit(main())
