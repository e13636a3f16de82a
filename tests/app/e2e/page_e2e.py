#!/usr/bin/env python3
"""End-to-end tests of the program against service pages that ask the user things or try what a page should
not be able to do: the real `kalvenor` on an X display under a window manager, driven by X input
(xdotool), against the demo service's misbehaviours (the helpers of misbehaving_service.py). A page
reports what it learnt by asking the service for catalog.php?<name>=<value>.

    page_e2e.py --scenario NAME --program build/kalvenor --service tools/demo-service/server.py
                --artifacts DIR

Scenarios: confirm, box-on-signal, asks-forever, endless-unload, permissions, sandboxed, process-ends,
group-signal, group-signal-again, signal-at-sign-in, process-killed-then-signal, signal-ignored-at-start,
link-while-signing-out, engine-ends-with-the-program, exit-page-asks, long-alert.
"""

import argparse
import os
import signal
import subprocess
import sys
import time
import urllib.parse

from e2e_support import (Failure, activate, arguments, caption_drawn_active, click, geometry, screenshot,
                          titled, type_login, visible_windows, wait_for, xdotool)
from misbehaving_service import CATALOG, HITS, INBOX, PAGE, Scenario, page

# The page that asks for every permission on a click, shared with the browser's own tests.
PERMISSION_REQUESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web", "e2e", "pages",
                                   "permission-requests.js")

# The host the demo service is reached at: a page's boxes are titled with it.
HOST = "127.0.0.1"
SUPPLIES = (67, 210)


def question_box():
    """The box of a page's question: a visible window of the program titled with the page's host."""
    return titled(HOST)()


def reported(s, name):
    """What the page reported as name=value (the last report), or None."""
    values = []
    for e in s.service.requests():
        query = urllib.parse.parse_qs(urllib.parse.urlsplit(e["path"]).query, keep_blank_values=True)
        if e["path"].startswith("/catalog.php") and name in query:
            values.append(query[name][0])
    return values[-1] if values else None


def wait_report(s, name, program, timeout=10):
    wait_for("the page's report of %s" % name, lambda: reported(s, name) is not None, timeout, program.process)
    return reported(s, name)


def inbox_asks(s, script, what="the page's question"):
    """Signs in and opens the inbox, whose page runs script once it has loaded; returns the program, the
    main window, the mark before the click and the box of the page's first question."""
    s.service.misbehave({"user_inbox.php": {"body": page("<p>Inbox</p>" + script)}})
    program = s.start()
    main_window = s.sign_in(program)
    mark = program.mark()
    click(*INBOX)
    return program, main_window, mark, wait_for(what, question_box, 20, program.process)


def posted(s, name):
    return len([e for e in s.service.requests() if e["path"].startswith("/" + name)])


def section_loads(s, program, button, name, loading, timeout=20, once=True):
    """A click on the section button reaches the service and its page loads; a post (once) is asked for once
    only."""
    before = posted(s, name)
    mark = program.mark()
    click(*button)
    program.wait_line("status " + loading, mark, 10)
    program.wait_line("status Ready", mark, timeout)
    if posted(s, name) == before or (once and posted(s, name) != before + 1):
        raise Failure("%s was asked for %d times, not once" % (name, posted(s, name) - before))


def processes_under(program, kinds):
    """The processes under the program whose names start with one of kinds (names are cut to fifteen
    characters)."""
    out = subprocess.run(["ps", "-e", "-o", "pid=,ppid=,comm="], capture_output=True, text=True).stdout
    rows = [line.split(None, 2) for line in out.splitlines() if len(line.split(None, 2)) == 3]
    parent = {int(pid): int(ppid) for pid, ppid, _ in rows}

    def under(pid):
        while pid > 1:
            pid = parent.get(pid, 0)
            if pid == program.process.pid:
                return True
        return False

    return [int(pid) for pid, _, comm in rows if comm.startswith(kinds) and under(int(pid))]


def web_processes(program):
    """The engine's web processes under the program."""
    return processes_under(program, ("WebKitWebProces",))


def engine_processes(program):
    """Every process of the engine under the program: its web processes and its network process."""
    return processes_under(program, ("WebKitWebProces", "WebKitNetworkP"))


def check_no_page_copy(s, what):
    """The page copy went with the program."""
    if os.path.exists(os.path.join(s.temp, "tmp.html")):
        raise Failure("the page copy outlived the program %s" % what)


def living(pids):
    """The processes of pids that still run (a zombie, ended and not yet collected, does not)."""
    alive = []
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as f:
                if f.read().rsplit(")", 1)[1].split()[0] != "Z":
                    alive.append(pid)
        except OSError:
            pass
    return alive


def check_no_abort(program, what):
    """The program was not taken down by the engine: no abort of it in the program's output, and not ended
    by a signal of its own."""
    if "readPIDFromPeer" in program.output_text() or program.process.returncode < 0:
        raise Failure("%s: the browser engine aborted the program (%d)" % (what, program.process.returncode))


def confirm(s):
    """A page that asks once it has loaded: its box, titled with the host and owned by the main window, has
    the keyboard; Enter reaches the page as yes, and a prompt's suggested answer as the answer."""
    script = ("<script>onload=function(){setTimeout(function(){var a=confirm('Delete this message?');"
              "new Image().src='catalog.php?answer='+a;var n=prompt('Your name?','suggested');"
              "new Image().src='catalog.php?name='+encodeURIComponent(n);},0);};</script>")
    # (The page completes once it is answered: its markup is read in its own process, which waits.)
    program, main_window, mark, box = inbox_asks(s, script)
    screenshot(os.path.join(s.args.artifacts, "confirm.png"))
    transient = subprocess.run(["xprop", "-id", box[0], "WM_TRANSIENT_FOR"], capture_output=True, text=True).stdout
    if int(main_window[0]) != int(transient.split()[-1], 16):
        raise Failure("the box is not owned by the main window: %s" % transient.strip())
    # No window was activated: the box has the keyboard of itself.
    wait_for("the box drawn active", caption_drawn_active(box), 20, program.process)
    xdotool("key", "Return")
    if wait_report(s, "answer", program) != "true":
        raise Failure("Enter reached the page as %r" % reported(s, "answer"))
    prompt = wait_for("the prompt", question_box, 20, program.process)
    wait_for("the prompt drawn active", caption_drawn_active(prompt), 20, program.process)
    xdotool("key", "Return")
    if wait_report(s, "name", program) != "suggested":
        raise Failure("the prompt answered %r, not its suggestion" % reported(s, "name"))
    wait_for("the box to go", lambda: not question_box(), 10, program.process)
    program.wait_line("status Ready", mark, 20)
    s.close_and_end(program, main_window)


def box_on_signal(s):
    """SIGTERM while a page's box is up: the box goes unanswered by anybody, and the program ends the normal
    way (signed out, the page copy removed)."""
    script = ("<script>onload=function(){setTimeout(function(){confirm('Delete this message?');"
              "prompt('Your name?','suggested');},0);};</script>")
    program = inbox_asks(s, script)[0]
    exits = posted(s, "user_exit.php")
    program.process.send_signal(signal.SIGTERM)
    code = program.wait_end(20)
    if code != 128 + signal.SIGTERM:
        raise Failure("after SIGTERM the program ended with %d" % code)
    if posted(s, "user_exit.php") != exits + 1:
        raise Failure("the program did not sign out")
    check_no_page_copy(s, "ended by SIGTERM")


def asks_forever(s):
    """A page that asks alert, confirm and prompt for ever once it has loaded: the user answers at most three
    boxes, and the next section loads."""
    script = ("<script>onload=function(){setTimeout(function(){for(;;){alert('Again');confirm('Sure?');"
              "prompt('Name?','x');}},0);};</script>")
    s.service.misbehave({"user_supplies.php": {"body": page("<p>Supplies</p>" + script)}})
    program = s.start()
    main_window = s.sign_in(program)
    click(*SUPPLIES)
    answered = 0
    deadline = time.time() + 30
    while time.time() < deadline and answered <= 5:
        try:
            box = wait_for("a box", question_box, 3, program.process)
        except Failure:
            break
        activate(box)
        xdotool("key", "Return")
        answered += 1
        wait_for("the box to go", lambda b=box: not question_box() or question_box()[0] != b[0], 10,
                 program.process)
    if not 1 <= answered <= 3:
        raise Failure("the user answered %d boxes" % answered)
    print("the user answered %d boxes" % answered)
    activate(main_window)
    section_loads(s, program, HITS, "user_hits.php", "Hits statistics loading...")
    s.close_and_end(program, main_window)


def endless_unload(s):
    """A page whose pagehide and unload handlers never return: the next section (a post, asked for once)
    and the catalog (a plain request, asked for again when the page held its answer) load all the same."""
    holding = page("<p>Holding</p><script>addEventListener('pagehide',function(){for(;;){}});"
                   "addEventListener('unload',function(){for(;;){}});</script>")
    program = s.start()
    main_window = s.sign_in(program)
    for button, name, loading, post in ((HITS, "user_hits.php", "Hits statistics loading...", True),
                                        (CATALOG, "catalog.php", "Catalog loading...", False)):
        s.service.misbehave({"user_supplies.php": {"body": holding}})
        mark = program.mark()
        click(*SUPPLIES)
        program.wait_line("status Ready", mark, 20)
        s.service.misbehave({})
        started = time.time()
        section_loads(s, program, button, name, loading, once=post)
        print("%s loaded %.1f s after the click" % (name, time.time() - started))
    s.close_and_end(program, main_window)


def permissions(s):
    """A click on a page that asks for the pointer, full screen, notifications, the location and the
    microphone: each is refused, the window stays as it is, and the program's own buttons work."""
    with open(PERMISSION_REQUESTS, encoding="utf-8") as f:
        script = "<script>" + f.read() + "</script>"
    s.service.misbehave({"user_inbox.php": {"body": page("<div style='height:900px'>Click me</div>" + script)}})
    program = s.start()
    main_window = s.sign_in(program)
    mark = program.mark()
    click(*INBOX)
    program.wait_line("status Ready", mark, 20)
    time.sleep(0.5)
    before = geometry(main_window[0])
    click(*PAGE)
    for name in ("lock", "fullscreen", "notify", "geo", "media"):
        answer = wait_report(s, name, program)
        if answer not in ("refused", "denied"):
            raise Failure("the page's %s was %r" % (name, answer))
    time.sleep(1)
    screenshot(os.path.join(s.args.artifacts, "permissions.png"))
    state = subprocess.run(["xprop", "-id", main_window[0], "_NET_WM_STATE"], capture_output=True, text=True).stdout
    if "FULLSCREEN" in state or geometry(main_window[0]) != before:
        raise Failure("the main window went full screen: %s, %s" % (state.strip(), geometry(main_window[0])))
    section_loads(s, program, HITS, "user_hits.php", "Hits statistics loading...")
    s.close_and_end(program, main_window)


def sandboxed(s):
    """A sign-in answered by a page that forbids scripts (Content-Security-Policy: sandbox) signs in; one
    that says the sign-in failed brings the login back."""
    sandbox = {"Content-Security-Policy": "sandbox"}
    s.service.misbehave({"user_home.php": {"headers": sandbox, "body": page("<p>Welcome</p>")}})
    program = s.start()
    s.sign_in(program)
    if program.seen("message "):
        raise Failure("the sign-in told of a failure: %s" % program.seen("message "))
    s.service.misbehave({"user_inbox.php": {"headers": sandbox,
                                            "body": page("<p>Incorrect username or password</p>")}})
    mark = program.mark()
    click(*INBOX)
    program.wait_line("login demo|7|0", mark, 30)
    xdotool("key", "Escape")
    program.wait_end(30)


def process_ends(s):
    """The web process ending: during a navigation the failure shows and the next section loads; during the
    sign-out the exit page is asked for once more, from a fresh process, and the program ends two seconds
    later when that one does not come either, not after the ten seconds of a first exit page."""
    s.service.misbehave({"user_inbox.php": {"delay": 6}})
    program = s.start()
    main_window = s.sign_in(program)
    mark = program.mark()
    click(*INBOX)
    program.wait_line("status Inbox messages loading...", mark, 10)
    time.sleep(1)
    for pid in web_processes(program):
        os.kill(pid, signal.SIGKILL)
    program.wait_line("status The page stopped", mark, 5)
    section_loads(s, program, HITS, "user_hits.php", "Hits statistics loading...")

    s.service.misbehave({"user_exit.php": {"silent": True}})
    mark = program.mark()
    activate(main_window)
    xdotool("key", "alt+F4")
    program.wait_line("status Signing out...", mark, 10)
    wait_for("the exit page's request", lambda: posted(s, "user_exit.php") == 1, 10, program.process)
    killed = time.time()
    for pid in web_processes(program):
        os.kill(pid, signal.SIGKILL)
    program.wait_closed(30)
    waited = time.time() - killed
    code = program.wait_end(60)
    if posted(s, "user_exit.php") != 2:
        raise Failure("the exit page was asked %d times, not once more after the page's process ended"
                      % posted(s, "user_exit.php"))
    if waited > 6:
        raise Failure("the program waited %.1f s for an exit page asked for again" % waited)
    if code != 0:
        raise Failure("the program ended with %d" % code)
    print("the exit page asked for again; the program ended %.1f s after the page's process" % waited)


def signal_group(s, name, burst, signed_out=True):
    """Signs in a program of its own process group, sends it the burst (signal numbers, each after its pause
    in seconds) and checks how it ends: with the first signal's status, its windows closed within a few
    seconds, no page copy left and, when signed_out, the exit page reached at the service."""
    program = s.start(own_group=True)
    s.sign_in(program)
    exits = posted(s, "user_exit.php")
    sent = time.time()
    for pause, number in burst:
        time.sleep(pause)
        os.killpg(program.process.pid, number)
    program.wait_closed(30)
    took = time.time() - sent
    code = program.wait_end(60)
    if code != 128 + burst[0][1]:
        raise Failure("after %s the program ended with %d, not %d" % (name, code, 128 + burst[0][1]))
    if signed_out and posted(s, "user_exit.php") == exits:
        raise Failure("after %s the exit page never reached the service" % name)
    if took > 6:
        raise Failure("after %s the program took %.1f s to close" % (name, took))
    check_no_page_copy(s, "ended by %s" % name)
    print("%s: ended in %.1f s with %d%s" % (name, took, code, ", signed out" if signed_out else ""))


def group_signal(s):
    """SIGINT and SIGTERM sent to the program's whole process group (Ctrl+C in its terminal, the end of a
    desktop session) leave the engine's processes alone: the exit page reaches the service from the page's
    own process, and the program ends within a few seconds with the signal's status, leaving no page copy. A
    burst of them within a quarter of a second (Ctrl+C pressed two or three times quickly) is one request and
    ends the same way."""
    INT, TERM = signal.SIGINT, signal.SIGTERM
    for name, burst in (("SIGINT", [(0, INT)]), ("SIGTERM", [(0, TERM)]),
                        ("three SIGINT 70 ms apart", [(0, INT), (0.07, INT), (0.07, INT)]),
                        ("two SIGINT 100 ms apart", [(0, INT), (0.1, INT)]),
                        ("three SIGTERM 70 ms apart", [(0, TERM), (0.07, TERM), (0.07, TERM)])):
        signal_group(s, name + " to the process group", burst)


def group_signal_again(s):
    """A second SIGINT to the process group a little after a quarter of a second (a second request, which
    does not wait for the exit page) ends the program at once with the first one's status, whatever it
    meets of the exit page: never a crash, no page copy left."""
    for after in (0.3, 0.4, 0.5):
        signal_group(s, "a second SIGINT %d ms after the first" % (after * 1000),
                     [(0, signal.SIGINT), (after, signal.SIGINT)], signed_out=False)


def signal_at_sign_in(s):
    """A signal to the program's process group a moment after the sign-in's Enter, while the browser engine
    starts its processes (Ctrl+C typed then, or a desktop session that ends during a sign-in): none of them
    takes it, and the program ends the normal way with the signal's status, leaving no page copy."""
    for name, after, number in (("SIGINT 40 ms", 0.04, signal.SIGINT), ("SIGINT 100 ms", 0.1, signal.SIGINT),
                                ("SIGTERM 100 ms", 0.1, signal.SIGTERM)):
        what = "%s after the sign-in's Enter" % name
        program = s.start(own_group=True)
        type_login(s.login_window(program), "demo", "demo123")
        xdotool("key", "Return")
        time.sleep(after)
        os.killpg(program.process.pid, number)
        code = program.wait_end(60)  # (its windows may not be up yet: that they are gone tells nothing)
        check_no_abort(program, what)
        if code != 128 + number:
            raise Failure("%s the program ended with %d, not %d" % (what, code, 128 + number))
        check_no_page_copy(s, "ended by a %s" % what)
        print("%s: ended with %d" % (what, code))


def process_killed_then_signal(s):
    """The page's process ended by something else than a signal of the group (killed), and the group's SIGINT
    70 ms later, while the engine starts the process of the page that says so: the exit page is asked for
    again from that process and reaches the service, and the program ends with 130, leaving no page copy."""
    program = s.start(own_group=True)
    s.sign_in(program)
    exits = posted(s, "user_exit.php")
    for pid in web_processes(program):
        os.kill(pid, signal.SIGKILL)
    time.sleep(0.07)
    os.killpg(program.process.pid, signal.SIGINT)
    program.wait_closed(30)
    code = program.wait_end(60)
    check_no_abort(program, "SIGINT after the page's process was killed")
    if code != 130:
        raise Failure("the program ended with %d, not 130" % code)
    if posted(s, "user_exit.php") == exits:
        raise Failure("the exit page never reached the service")
    check_no_page_copy(s, "ended by SIGINT")


def still_running(program, pids, what):
    """The program and the engine's processes pids still run."""
    if program.process.poll() is not None:
        raise Failure("%s ended the program (%d)" % (what, program.process.returncode))
    if not pids or living(pids) != pids:
        raise Failure("%s ended the engine's processes: %s of %s run" % (what, living(pids), pids))


def signal_ignored_at_start(s):
    """Started under nohup (SIGHUP ignored), the group's SIGHUP (a closed terminal) ends nothing: the program
    and its page stay, no engine process ends or is replaced, and a SIGINT 70 ms later ends the program with
    130 and the exit page. Started as a shell's background job (SIGINT ignored), two SIGINT 70 ms apart end
    nothing either, and a SIGTERM then ends the program with 143 and the exit page."""
    for ignored, ignored_burst, number in ((signal.SIGHUP, 1, signal.SIGINT), (signal.SIGINT, 2, signal.SIGTERM)):
        name = signal.Signals(ignored).name
        program = s.start(own_group=True, ignored=(ignored,))
        s.sign_in(program)
        exits = posted(s, "user_exit.php")
        pids = engine_processes(program)
        mark = program.mark()
        for _ in range(ignored_burst):
            os.killpg(program.process.pid, ignored)
            time.sleep(0.07)
        still_running(program, pids, "the ignored %s" % name)
        if sorted(engine_processes(program)) != sorted(pids):
            raise Failure("the ignored %s replaced the engine's processes: %s, then %s"
                          % (name, pids, engine_processes(program)))
        os.killpg(program.process.pid, number)
        program.wait_closed(30)
        code = program.wait_end(60)
        check_no_abort(program, "%s after the ignored %s" % (signal.Signals(number).name, name))
        if code != 128 + number:
            raise Failure("after the ignored %s the program ended with %d, not %d" % (name, code, 128 + number))
        if program.seen("status The page stopped", mark):
            raise Failure("the page's process ended with the ignored %s" % name)
        if posted(s, "user_exit.php") == exits:
            raise Failure("after the ignored %s the exit page never reached the service" % name)
        check_no_page_copy(s, "ended after the ignored %s" % name)
        print("%s ignored at start: ended nothing; %s then ended the program with %d"
              % (name, signal.Signals(number).name, code))


def link_while_signing_out(s):
    """A link the user opens while the program signs out (after a signal) goes to the desktop's handler,
    which starts with no signal blocked: it and the browser it starts can be ended as usual. (The link is on
    the exit page, shown while its answer never ends: a page whose navigation has not been answered yet
    opens no link.)"""
    bin_dir = os.path.join(s.work, "bin")
    os.makedirs(bin_dir)
    status = os.path.join(s.work, "gio-status")
    # (Not a shell script: the shell unblocks every signal as it starts.)
    with open(os.path.join(bin_dir, "gio"), "w") as f:
        f.write("#!%s\nimport os\nwith open(%r, 'w') as f:\n    f.write(open('/proc/self/status').read())\n"
                "os.replace(%r, %r)\n" % (sys.executable, status + ".new", status + ".new", status))
    os.chmod(os.path.join(bin_dir, "gio"), 0o755)
    away = "https://elsewhere.example/offer"
    # (Padded: the engine shows an answer once it has enough of it to tell what it is.)
    link = "<a href='%s' style='display:block;width:100%%;height:900px'>away</a><!--%s-->" % (away, "x" * 4096)
    s.service.misbehave({"user_exit.php": {"raw": "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + link,
                                           "silent": True}})
    program = s.start(own_group=True, PATH=bin_dir + os.pathsep + os.environ.get("PATH", ""))
    s.sign_in(program)
    mark = program.mark()
    os.killpg(program.process.pid, signal.SIGINT)
    program.wait_line("status Signing out...", mark, 10)
    wait_for("the exit page's request", lambda: posted(s, "user_exit.php") == 1, 10, program.process)
    clicked = 0
    while not os.path.exists(status):
        if clicked == 10:
            raise Failure("ten clicks on the exit page's link never ran the desktop's handler")
        click(*PAGE)  # once the exit page shows its link, the click opens it
        clicked += 1
        try:
            wait_for("the desktop's handler to run", lambda: os.path.exists(status), 1, program.process)
        except Failure:
            if program.process.poll() is not None:
                raise
    with open(status) as f:
        lines = dict(line.split(":", 1) for line in f.read().splitlines() if ":" in line)
    blocked = int(lines["SigBlk"].strip(), 16)
    held = [signal.Signals(n).name for n in (signal.SIGHUP, signal.SIGINT, signal.SIGTERM) if blocked >> (n - 1) & 1]
    if held:
        raise Failure("the desktop's handler started with %s blocked" % ", ".join(held))
    os.killpg(program.process.pid, signal.SIGINT)  # a second request: the exit page is not waited for
    code = program.wait_end(60)
    if code != 130:
        raise Failure("the program ended with %d, not 130" % code)


def engine_ends_with_the_program(s):
    """The engine's processes end with the program, a page busy for ever among them: none outlives it by
    more than about a second (nor writes to its terminal afterwards)."""
    script = ("<script>onload=function(){new Image().src='catalog.php?busy=1';"
              "setTimeout(function(){for(;;){}},300);};</script>")
    s.service.misbehave({"user_inbox.php": {"body": page("<p>Inbox</p>" + script)}})
    program = s.start()
    s.sign_in(program)
    mark = program.mark()
    click(*INBOX)
    program.wait_line("status Ready", mark, 20)
    wait_report(s, "busy", program)
    time.sleep(0.5)  # the page's script has started its endless loop
    pids = engine_processes(program)
    if not pids:
        raise Failure("no process of the engine found under the program")
    # A second request closes at once, without waiting for the exit page.
    program.process.send_signal(signal.SIGINT)
    time.sleep(0.3)
    program.process.send_signal(signal.SIGINT)
    program.wait_end(60)
    ended = time.time()
    wait_for("the engine's processes to end", lambda: not living(pids), 10)
    outlived = time.time() - ended
    if outlived > 1.5:
        raise Failure("the engine's processes outlived the program by %.1f s" % outlived)
    if "ERROR" in program.output_text().replace("ERROR: LeakSanitizer", ""):
        raise Failure("an engine's process wrote to the program's terminal")
    print("the engine's %d processes ended %.2f s after the program" % (len(pids), outlived))


def exit_page_asks(s):
    """An exit page that calls alert() and confirm(): nobody is asked while the program signs out, the
    page is answered as a page being left is (the confirmation declined), and the window closes as soon as
    the exit page has loaded."""
    script = ("<script>alert('Goodbye');var stay=confirm('Stay signed in?');"
              "new Image().src='catalog.php?stay='+stay;</script>")
    s.service.misbehave({"user_exit.php": {"body": page("<p>Signed out</p>" + script)}})
    program = s.start()
    main_window = s.sign_in(program)
    exits = posted(s, "user_exit.php")
    mark = program.mark()
    activate(main_window)
    time.sleep(0.3)
    xdotool("key", "alt+F4")
    program.wait_line("status Signing out...", mark, 10)
    started = time.time()
    # Watched until the program's windows are gone: a box up at any moment is a question put to the user.
    while visible_windows() and time.time() - started < 30:
        if question_box():
            screenshot(os.path.join(s.args.artifacts, "exit-page-box.png"))
            raise Failure("the exit page's question was put in front of the user while signing out")
        time.sleep(0.1)
    took = time.time() - started
    code = program.wait_end(60)
    if code != 0:
        raise Failure("the program ended with %d" % code)
    if posted(s, "user_exit.php") != exits + 1:
        raise Failure("the exit page was asked %d times, not once" % (posted(s, "user_exit.php") - exits))
    if reported(s, "stay") != "false":
        raise Failure("the exit page's confirmation was answered %r, not declined" % reported(s, "stay"))
    if took > 6:
        raise Failure("the window took %.1f s to close after the exit page asked its questions" % took)
    check_no_page_copy(s, "closed while the exit page asked")
    print("the exit page's questions were answered unseen; the program ended %.1f s after the close" % took)


def long_alert(s):
    """A page's alert of one line of 100,000 characters without a space: its box, caption and close box
    included, lies within the screen (the line broken at the box's text width), and answers Enter."""
    script = ("<script>onload=function(){setTimeout(function(){var t='';for(var i=0;i<10000;i++)t+='0123456789';"
              "alert(t);new Image().src='catalog.php?alerted=1';},0);};</script>")
    program, main_window, mark, box = inbox_asks(s, script, "the page's alert")
    screenshot(os.path.join(s.args.artifacts, "long-alert.png"))
    screen_width, screen_height = (int(v) for v in xdotool("getdisplaygeometry").split())
    _, x, y, width, height = box
    if x < 0 or y < 0 or x + width > screen_width or y + height > screen_height:
        raise Failure("the box (%d by %d at %d, %d) does not lie within the %d by %d screen" %
                      (width, height, x, y, screen_width, screen_height))
    print("the box is %d by %d at %d, %d on a %d by %d screen" % (width, height, x, y, screen_width, screen_height))
    wait_for("the box drawn active", caption_drawn_active(box), 20, program.process)
    xdotool("key", "Return")
    if wait_report(s, "alerted", program) != "1":
        raise Failure("the page went on with %r" % reported(s, "alerted"))
    wait_for("the box to go", lambda: not question_box(), 10, program.process)
    program.wait_line("status Ready", mark, 20)
    s.close_and_end(program, main_window)


SCENARIOS = {f.__name__.replace("_", "-"): f for f in
             (confirm, box_on_signal, asks_forever, endless_unload, permissions, sandboxed, process_ends,
              group_signal, group_signal_again, signal_at_sign_in, process_killed_then_signal,
              signal_ignored_at_start, link_while_signing_out, engine_ends_with_the_program, exit_page_asks,
              long_alert)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scenario", required=True, choices=sorted(SCENARIOS))
    args = arguments(parser, "page")
    if args is None:
        return 1
    args.artifacts = os.path.join(args.artifacts, "page-" + args.scenario)
    os.makedirs(args.artifacts, exist_ok=True)
    scenario = Scenario(args)
    try:
        SCENARIOS[args.scenario](scenario)
        print("page, %s: checked" % args.scenario)
        return 0
    except (Failure, OSError, subprocess.CalledProcessError) as e:
        print("page, %s FAILED: %s" % (args.scenario, e), file=sys.stderr)
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
