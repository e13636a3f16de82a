#!/usr/bin/env python3
"""End-to-end test of the main window as a window: the real `kalvenor` under a window manager (run under
tests/support/with-xvfb and tests/support/with-window-manager) against the demo service, driven by real X input
(xdotool). Moves the window by its caption, sizes it by its left and top edges, maximises and restores it
by double-clicks on the caption (through the window manager), signs out, and finds it where it was left
at the next start. Then works the menu bar from the keyboard with the focus in the page (after a click
there, and after the about box closed): once F10 or Alt has put the bar in menu mode, the arrows, Enter
and Escape are the menu's, and the page has the keys again when menu mode ends.

    window_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

from e2e_support import (LOGIN_SIZE, MAIN_SIZE, TITLE, Failure, Program, Service, activate, arguments, click,
                         pixel, screenshot, titled, type_login, visible_windows, wait_for, xdotool)

# Window coordinates on a first start (the main window at 0, 0): a point on the page, the menu bar's items
# as (left edge, right edge), and a height within the bar where a lit item shows its highlight.
PAGE = (500, 300)
BAR_ITEMS = {"File": (3, 34), "Settings": (34, 87), "Help": (87, 122)}
BAR_Y = 37
# A page that tells the service of every key it is given (a request for key.php?t=down&k=ArrowRight&n=1,
# numbered so that no request is answered from the cache).
KEY_PAGE = ("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Keys</title></head><body><h1>Keys</h1>"
            "<script>var n = 0; function tell(t) { return function (e) { new Image().src = '/key.php?t=' + t + "
            "'&k=' + encodeURIComponent(e.key) + '&n=' + (++n); }; }"
            "document.addEventListener('keydown', tell('down'));"
            "document.addEventListener('keyup', tell('up'));</script></body></html>")
# The pages that the menu's commands and the sign-in open, all of them that page.
KEY_PAGES = ("user_home.php", "user_profile.php", "faq.php", "contacts.php")
# What the page may see of entering menu mode: the key that enters it, which it is given first and hands
# back. Nothing else of a menu's keys.
MENU_ENTRY_KEYS = {"F10", "Alt"}


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


def signed_in(args, env, programs):
    """Starts the program, signs in with the demo account and waits until the overview is ready."""
    program = Program(args.program, env, os.path.join(args.artifacts, "window-%d.out" % len(programs)))
    programs.append(program)
    login = wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process)
    mark = program.mark()
    type_login(login, "demo", "demo123")
    xdotool("key", "Return")
    program.wait_line("status Ready", mark, 60)
    time.sleep(1)
    return program


class PageKeys:
    """The keys the key page was given, as it told the service: ("down" or "up", key) in order."""

    def __init__(self, service):
        self.service = service

    def mark(self):
        return len(self.service.requests())

    def since(self, mark):
        seen = []
        for entry in self.service.requests()[mark:]:
            path, _, query = entry["path"].partition("?")
            if path == "/key.php":
                q = urllib.parse.parse_qs(query)
                seen.append((q.get("t", [""])[0], q.get("k", [""])[0]))
        return seen


class MenuBar:
    """The main window's menu bar as the screen shows it: which item is lit, which drop-down is open."""

    def __init__(self, main_window, artifacts):
        self.main = main_window
        self.shot = os.path.join(artifacts, "window-menu-probe.png")
        self.rest = self.probe()

    def at(self, x, y):
        return self.main[1] + x, self.main[2] + y

    def probe(self):
        screenshot(self.shot)
        return {name: pixel(self.shot, *self.at(left + 4, BAR_Y)) for name, (left, _) in BAR_ITEMS.items()}

    def lit(self):
        now = self.probe()
        return [name for name in BAR_ITEMS if now[name] != self.rest[name]]

    def drop_down(self):
        """The open drop-down's window, or None."""
        others = [w for w in visible_windows() if w[0] != self.main[0]]
        return others[0] if len(others) == 1 else None

    def dropped(self):
        """The item whose drop-down is open (its left edge is the item's), or None."""
        window = self.drop_down()
        if window is None:
            return None
        x = window[1] - self.main[1]
        for name, (left, right) in BAR_ITEMS.items():
            if left <= x < right:
                return name
        return "a drop-down at x = %d" % x


def menu_keys_from_the_page(args, service, work, programs):
    """With the focus in the page, F10 or Alt puts the menu bar in menu mode; from then on the arrows,
    Enter and Escape work the menu and the page sees none of them; once menu mode ends, by a choice or by
    Escape, the page has the keys again. Both with the focus put in the page by a click and with the focus
    the page got back when the about box closed."""
    service.misbehave({name: {"body": KEY_PAGE} for name in KEY_PAGES})
    env = dict(os.environ, KALVENOR_SERVICE_URL=service.address,
               KALVENOR_REGISTRY_DIR=os.path.join(work, "registry-menu"), TEMP=work)
    program = signed_in(args, env, programs)
    main_window = wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process)
    keys = PageKeys(service)
    bar = None

    def to_page(key, name=None):
        """The key (xdotool's name) reaches the page, which names it name (its own name when not given)."""
        name = name or key
        mark = keys.mark()
        xdotool("key", key)
        try:
            wait_for("the page to get " + key,
                     lambda: {("down", name), ("up", name)} <= set(keys.since(mark)), 10, program.process)
        except Failure:
            raise Failure("the page did not get '%s' (it saw %s)" % (key, keys.since(mark)))

    def menu(entry, steps):
        """Enters menu mode with the key entry and presses the steps' keys, each followed by the bar's
        expected state: (key, lit item or None, open drop-down or None)."""
        mark = keys.mark()
        pressed = []
        for key, lit, dropped in [(entry, "File", None)] + steps:
            xdotool("key", key)
            pressed.append(key)
            expected = ([lit] if lit else [], dropped)
            try:
                wait_for("the menu after " + key, lambda: (bar.lit(), bar.dropped()) == expected, 10,
                         program.process)
            except Failure as e:
                if program.process.poll() is not None:
                    raise Failure("after %s: %s; the page saw %s" % (", ".join(pressed), e, keys.since(mark)))
                raise Failure("after %s the bar shows %r lit and %r dropped, not %r; the page saw %s" %
                              (", ".join(pressed), bar.lit(), bar.dropped(), expected, keys.since(mark)))
        return mark

    def page_saw_no_menu_keys(mark, what, after=None):
        """Nothing but the entry key since mark (and after, the key typed to the page once menu mode
        ended: the page tells of keys in order, so the menu's would have come before it)."""
        stolen = [k for k in keys.since(mark) if k[1] not in MENU_ENTRY_KEYS | {after}]
        if stolen:
            raise Failure("%s: the page saw the menu's keys %s" % (what, stolen))

    def choose(mark, page, what):
        """Enter chooses the selected item, which opens page; the program goes on."""
        status = program.mark()
        xdotool("key", "Return")
        try:
            wait_for(page, lambda: [e for e in service.requests()[mark:] if e["path"].startswith("/" + page)], 15,
                     program.process)
        except Failure as e:
            raise Failure("Enter on %s did not open %s (%s); the page saw %s" % (what, page, e, keys.since(mark)))
        program.wait_line("status Ready", status, 30)

    # The page had the arrows before menu mode (and kept them: it scrolls).
    click(*PAGE)
    to_page("a")
    to_page("Right", "ArrowRight")
    to_page("Down", "ArrowDown")
    bar = MenuBar(main_window, args.artifacts)

    # F10, then Right: Settings is lit; Down opens it; Enter chooses its Profile.
    mark = menu("F10", [("Right", "Settings", None), ("Down", "Settings", "Settings")])
    choose(mark, "user_profile.php", "Settings, Profile")
    to_page("b")
    page_saw_no_menu_keys(mark, "Settings, Profile", after="b")
    # Left from File goes round to Help; Enter opens it with FAQ selected and chooses FAQ, not File's Exit.
    mark = menu("F10", [("Left", "Help", None), ("Return", "Help", "Help")])
    choose(mark, "faq.php", "Help, FAQ")
    to_page("c")
    page_saw_no_menu_keys(mark, "Help, FAQ", after="c")
    # Escape closes File's drop-down, a second one ends menu mode: the page has the keys again.
    mark = menu("F10", [("Down", "File", "File"), ("Escape", "File", None), ("Escape", None, None)])
    to_page("d")
    page_saw_no_menu_keys(mark, "F10, Down, Escape, Escape", after="d")
    # F10 again ends menu mode too, and its release leaves it ended.
    menu("F10", [("Right", "Settings", None), ("F10", None, None)])
    to_page("h")

    # The about box, opened with the mouse and closed by Enter on its button, gives the focus back to the
    # page; Alt then does what F10 does.
    xdotool("mousemove", "--sync", *bar.at((BAR_ITEMS["Help"][0] + BAR_ITEMS["Help"][1]) // 2, BAR_Y))
    time.sleep(0.2)
    xdotool("click", 1)
    drop = wait_for("Help's drop-down", bar.drop_down, 10, program.process)
    click(drop[1] + 20, drop[2] + drop[4] - 10)
    wait_for("the about box", titled("About Kalvenor"), 10, program.process)
    xdotool("key", "Return")
    wait_for("the about box to close", lambda: not titled("About Kalvenor")(), 10, program.process)
    to_page("e")
    # Down skips the separator under FAQ.
    mark = menu("Alt_L", [("Left", "Help", None), ("Down", "Help", "Help"), ("Down", "Help", "Help")])
    choose(mark, "contacts.php", "Help, Contact administrator")
    to_page("f")
    page_saw_no_menu_keys(mark, "Help, Contact administrator", after="f")
    mark = menu("Alt_L", [("Right", "Settings", None), ("Escape", None, None)])
    to_page("g")
    page_saw_no_menu_keys(mark, "Alt, Right, Escape", after="g")

    activate(main_window)
    time.sleep(0.3)
    xdotool("key", "alt+F4")
    if program.wait_end(60) != 0:
        raise Failure("the program did not end well after the menu's keys")


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
        return signed_in(args, env, programs)

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

        menu_keys_from_the_page(args, service, work, programs)
        print("window e2e: caption move, left and top edges, maximise and restore by the caption, placement "
              "kept, the menu's keys with the focus in the page checked")
        return 0
    except Failure as e:
        print("window e2e FAILED: %s" % e, file=sys.stderr)
        try:
            screenshot(os.path.join(args.artifacts, "window-failure.png"))
        except Exception:
            pass
        if programs:
            programs[-1].stop()
            print(programs[-1].report(), file=sys.stderr)
        return 1
    finally:
        for p in programs:
            p.stop()
        service.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
