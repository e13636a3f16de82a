#!/usr/bin/env python3
"""End-to-end tests of the service's address (KALVENOR_SERVICE_URL), under a window manager:

- refused: an address no page could be loaded from (a query or a fragment, no host, a port outside
  1..65535, a port the browser engine sends nothing to, a host it cannot load) is told before anything
  else, named on standard error and in a box that Enter answers, and the program ends with status 1,
  having sent the service nothing.
- written otherwise: an address the browser engine writes another way ("127.1" for 127.0.0.1, a host in
  upper case, the scheme's default port written out) signs in, loads a section and signs out.

    address_e2e.py --program build/kalvenor --service tools/demo-service/server.py --artifacts DIR

Each phase fails saying why, with the program's own output (standard error included) and a screenshot.
"""

import argparse
import os
import socket
import subprocess
import sys
import time

from e2e_support import (LOGIN_SIZE, MAIN_SIZE, TITLE, Failure, Service, activate, arguments, click, logged, titled,
                         type_login, wait_for, xdotool)
from exit_e2e import box, run_phase, start

# Window coordinates of the Inbox button (the main window is at 0, 0 on a first start).
INBOX = (67, 353)
# The port an http address has when it names none.
DEFAULT_PORT = 80


class ServiceOnPort(Service):
    """The demo service on a port of the test's choosing (Service takes any free one)."""

    def __init__(self, script, work, name, port):  # pylint: disable=super-init-not-called
        self.log = os.path.join(work, name + "-requests.log")
        self.misbehaviour = os.path.join(work, name + "-misbehave.json")
        address_file = os.path.join(work, name + "-address")
        self.process = subprocess.Popen([sys.executable, script, "--port", str(port), "--log", self.log,
                                         "--address-file", address_file], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        wait_for("the service on port %d" % port, lambda: os.path.exists(address_file), 20, self.process)
        with open(address_file) as f:
            self.address = f.read().strip()


def port_of(service):
    return service.address.rstrip("/").rsplit(":", 1)[1]


def refused(args):
    """Each address is named on standard error and in a box, Enter ends the program with status 1, and
    nothing reaches the service (the cases with a query or a fragment name the running service)."""
    def body(work, programs):
        service = Service(args.service, work)
        try:
            base = service.address
            cases = [
                (base + "?agenting=true", "a query or a fragment"),
                (base + "#top", "a query or a fragment"),
                ("http://:%s/" % port_of(service), "not an http or https address of a host"),
                ("http://127.0.0.1:0/", "port 0, outside 1..65535"),
                ("http://127.0.0.1:65536/", "port 65536, outside 1..65535"),
                ("http://127.0.0.1:6000/", "port 6000, which the browser engine refuses"),
                ("http://127.0.0.1:25/", "port 25, which the browser engine refuses"),
                ("http://127.0.0.1:9/", "port 9, which the browser engine refuses"),
                ("http://xn--isgg:%s/" % port_of(service), "a host the browser engine cannot use"),
                ("http://5000000000x:%s/" % port_of(service), "a number too large for an IPv4 address"),
            ]
            for n, (address, why) in enumerate(cases):
                registry = os.path.join(work, "registry-%d" % n)
                program = start(args, programs, "refused-%d" % n,
                                dict(os.environ, KALVENOR_REGISTRY_DIR=registry, TEMP=work, KALVENOR_SERVICE_URL=address))
                told = wait_for("a word about %s" % address, lambda: box() or titled(TITLE, LOGIN_SIZE)(), 60,
                                program.process)
                if (told[3], told[4]) == LOGIN_SIZE:
                    raise Failure("the login dialog came, and nothing said that %s cannot be used" % address)
                time.sleep(0.5)
                xdotool("key", "Return")
                code = program.wait_end(20)
                said = program.output_text()
                if code != 1:
                    raise Failure("the program ended with status %d on %s" % (code, address))
                named = '"%s"' % address
                stderr_lines = [l for l in said.splitlines() if l.startswith("kalvenor: ")]
                if not any(named in l and why in l for l in stderr_lines):
                    raise Failure("standard error does not name %s with '%s'" % (named, why))
                if not any(named in l and why in l for l in program.seen("message ")):
                    raise Failure("the box does not name %s with '%s'" % (named, why))
                if os.path.exists(registry):
                    raise Failure("the program wrote settings although it never started")
            if service.requests():
                raise Failure("a refused address reached the service: %r" % service.requests())
            print("app e2e: %d addresses refused at start, each named on standard error and in a box; "
                  "status 1" % len(cases))
        finally:
            service.stop()

    return run_phase("refused-addresses", args, body)


def signs_in_and_out(args, programs, work, service, address, name):
    """With the service at address: signs in, opens the inbox and closes the window (signing out)."""
    program = start(args, programs, name, dict(os.environ, KALVENOR_SERVICE_URL=address,
                                                KALVENOR_REGISTRY_DIR=os.path.join(work, "registry-" + name),
                                                TEMP=work))
    mark = program.mark()
    type_login(wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process), "demo", "demo123")
    xdotool("key", "Return")
    try:
        program.wait_line("status Ready", mark, 60)
    except Failure:
        raise Failure("the sign-in at %s never completed (status %r)" % (address, program.seen("status ", mark)))
    wait_for("the sign-in post", logged(service.log, "user_home.php", "POST"), 10, program.process)
    main_window = wait_for("the main window", titled(TITLE, MAIN_SIZE), 30, program.process)
    time.sleep(1)
    mark = program.mark()
    before = len(service.requests())
    click(*INBOX)
    program.wait_line("status Ready", mark, 30)
    if not any(r["path"].startswith("/user_inbox.php") for r in service.requests()[before:]):
        raise Failure("the inbox at %s did not reach the service" % address)
    activate(main_window)
    time.sleep(0.3)
    xdotool("key", "alt+F4")
    code = program.wait_end(30)
    if code != 0:
        raise Failure("signing out at %s ended the program with status %d" % (address, code))
    if not [r for r in service.requests() if r["path"] == "/user_exit.php"]:
        raise Failure("closing the window at %s did not sign out at the service" % address)


def written_otherwise(args):
    """The address written as the engine does not write it still keeps the pages on the site."""
    def body(work, programs):
        service = Service(args.service, work)
        try:
            port = port_of(service)
            for name, address in (("short-ipv4", "http://127.1:%s/" % port),
                                  ("upper-case", "HTTP://LOCALHOST:%s" % port)):
                signs_in_and_out(args, programs, work, service, address, name)
        finally:
            service.stop()
        checked = "127.1 and an upper-case host"
        # The default port written out needs the service on it: when the port cannot be had here (taken,
        # or not this user's to use), that case is left to the unit tests.
        probe = socket.socket()
        try:
            probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            probe.bind(("127.0.0.1", DEFAULT_PORT))
            free = True
        except OSError:
            free = False
        finally:
            probe.close()
        if free:
            service = ServiceOnPort(args.service, work, "default-port", DEFAULT_PORT)
            try:
                signs_in_and_out(args, programs, work, service, "http://127.0.0.1:%d/" % DEFAULT_PORT, "default-port")
            finally:
                service.stop()
            checked += ", and the default port written out"
        else:
            checked += "; port %d cannot be had here, so not the default port written out" % DEFAULT_PORT
        print("app e2e: signed in, loaded a section and signed out with %s" % checked)

    return run_phase("written-otherwise", args, body)


def main():
    args = arguments(argparse.ArgumentParser(), "app address e2e")
    if args is None:
        return 1
    return 1 if sum(phase(args) for phase in (refused, written_otherwise)) else 0


if __name__ == "__main__":
    sys.exit(main())
