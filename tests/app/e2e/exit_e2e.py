"""Phases of the program's end-to-end test (run_e2e.py) about how the program starts and ends, under a
window manager:

- bad_address: a service address that is not http or https is told before the login dialog, named on
  standard error and in a box, and the program ends with a failure.
- damaged_settings: a box shown before any window of the program (here about damaged settings) has the
  keyboard, so that Enter answers it; as the address's box does.
- ending_on_signals: SIGTERM ends a signed-in program the normal way (sign-out at the service, the window's
  placement saved, the page copy removed), with the status a shell reports for that signal; a second
  SIGINT ends it at once while the sign-out waits for a service that never answers. SIGHUP ends it as
  SIGTERM does, and three signals sent at once, or 70 ms apart, are one request that signs out.

Each phase returns 0, or 1 after saying why, with the program's own output and a screenshot.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from e2e_support import (LOGIN_SIZE, MAIN_SIZE, TITLE, Failure, Program, Service, screenshot, titled, type_login,
                         visible_windows, wait_for, xdotool)

PLACEMENT = ("Top", "Left", "Width", "Height", "State")


def box():
    """A visible window of the program's title that is neither the login dialog nor the main window."""
    for size in {(w[3], w[4]) for w in visible_windows()} - {LOGIN_SIZE, MAIN_SIZE}:
        found = titled(TITLE, size)()
        if found:
            return found
    return None


def run_phase(name, args, body):
    """Runs body(work, programs) in a folder of its own; on a failure says why, shows what each program
    wrote (standard error included) and keeps a screenshot."""
    work = tempfile.mkdtemp(prefix="kv-app-e2e-%s-" % name)
    programs = []
    try:
        body(work, programs)
        return 0
    except (Failure, subprocess.TimeoutExpired, subprocess.CalledProcessError) as e:
        print("app e2e FAILED (%s): %s" % (name, e), file=sys.stderr)
        try:
            screenshot(os.path.join(args.artifacts, "failure-%s.png" % name))
        except Exception:
            pass
        for program in programs:
            program.stop()
            print("  " + program.report(), file=sys.stderr)
        return 1
    finally:
        for program in programs:
            program.stop()
        shutil.rmtree(work, ignore_errors=True)


def start(args, programs, name, env):
    program = Program(args.program, env, os.path.join(args.artifacts, "program-%s.out" % name))
    programs.append(program)
    return program


def bad_address(args):
    """An address the sign-in cannot reach: told at once, the address named, and Enter ends the program."""
    def body(work, programs):
        registry = os.path.join(work, "registry")
        address = "file:///tmp/"
        program = start(args, programs, "bad-address",
                        dict(os.environ, KALVENOR_REGISTRY_DIR=registry, TEMP=work, KALVENOR_SERVICE_URL=address))
        told = wait_for("a word about the address", lambda: box() or titled(TITLE, LOGIN_SIZE)(), 60, program.process)
        screenshot(os.path.join(args.artifacts, "bad-address.png"))
        if (told[3], told[4]) == LOGIN_SIZE:
            raise Failure("the login dialog came, and nothing said the address cannot be used")
        time.sleep(0.5)
        xdotool("key", "Return")  # no window of the program had the keyboard before this box
        code = program.wait_end(20)
        if code == 0:
            raise Failure("the program ended with status 0 on an address it cannot use")
        if address not in program.output_text():
            raise Failure("standard error does not name the address %r" % address)
        if os.path.exists(registry):
            raise Failure("the program wrote settings although it never started")
        print("app e2e: the address %s is told in a box that Enter answers; status %d" % (address, code))

    return run_phase("bad-address", args, body)


def damaged_settings(args):
    """The error box about damaged settings comes before any other window, answers Enter, and the login
    dialog follows."""
    def body(work, programs):
        registry = os.path.join(work, "registry")
        os.makedirs(registry)
        with open(os.path.join(registry, "user.hive"), "w") as f:
            f.write("this is no registry file\n")
        program = start(args, programs, "damaged-settings",
                        dict(os.environ, KALVENOR_REGISTRY_DIR=registry, TEMP=work,
                             KALVENOR_SERVICE_URL="http://127.0.0.1:2/"))
        wait_for("the box about the settings", box, 60, program.process)
        screenshot(os.path.join(args.artifacts, "damaged-settings.png"))
        time.sleep(0.5)
        xdotool("key", "Return")
        wait_for("the box to answer Enter", lambda: not box(), 10, program.process)
        wait_for("the login dialog after the box", titled(TITLE, LOGIN_SIZE), 30, program.process)
        time.sleep(0.5)
        xdotool("key", "Escape")
        code = program.wait_end(30)
        if code != 0:
            raise Failure("cancelling the login ended the program with status %d" % code)
        print("app e2e: the box about damaged settings answers Enter, and the login dialog follows")

    return run_phase("damaged-settings", args, body)


def signed_in(args, programs, name, env, copy):
    """The program started and signed in as demo, its first page shown and copied at copy."""
    program = start(args, programs, name, env)
    mark = program.mark()
    type_login(wait_for("the login dialog", titled(TITLE, LOGIN_SIZE), 60, program.process), "demo", "demo123")
    xdotool("key", "Return")
    program.wait_line("status Ready", mark, 60)
    wait_for("the page copy", lambda: os.path.exists(copy), 20, program.process)
    return program


def placement_missing(registry):
    """The names of the window's placement values the settings lack."""
    with open(os.path.join(registry, "user.hive"), encoding="utf-8") as f:
        hive = f.read()
    return [name for name in PLACEMENT if "V =%s dword " % name not in hive]


def ending_on_signals(args):
    """SIGTERM, SIGINT and SIGHUP take the normal way out, one by one and together."""
    return signals_one_by_one(args) + signals_together(args)


def signals_one_by_one(args):
    """SIGTERM and SIGINT take the normal way out."""
    def body(work, programs):
        registry = os.path.join(work, "registry")
        temp = os.path.join(work, "temp")
        os.makedirs(temp)
        copy = os.path.join(temp, "tmp.html")
        service = Service(args.service, work)
        try:
            env = dict(os.environ, KALVENOR_SERVICE_URL=service.address, KALVENOR_REGISTRY_DIR=registry, TEMP=temp)

            def signed_in_as(name):
                return signed_in(args, programs, name, env, copy)

            def exit_pages():
                return [r for r in service.requests() if r["path"] == "/user_exit.php"]

            # SIGTERM: the close request's way out, with the sign-out at the service.
            program = signed_in_as("sigterm")
            program.process.send_signal(signal.SIGTERM)
            code = program.wait_end(30)
            if code != 128 + signal.SIGTERM:
                raise Failure("after SIGTERM the program ended with status %d" % code)
            if len(exit_pages()) != 1:
                raise Failure("SIGTERM did not sign out at the service: %r" % exit_pages())
            if os.path.exists(copy):
                raise Failure("the page copy outlived the program ended by SIGTERM")
            missing = placement_missing(registry)
            if missing:
                raise Failure("the window's placement was not saved (%s missing)" % ", ".join(missing))

            # SIGINT while the sign-out waits for a service that never answers: a second one ends at once.
            service.misbehave({"user_exit.php": {"silent": True}})
            program = signed_in_as("sigint")
            mark = program.mark()
            program.process.send_signal(signal.SIGINT)
            program.wait_line("status Signing out...", mark, 20)
            wait_for("the exit page's request", lambda: len(exit_pages()) == 2, 20, program.process)
            time.sleep(0.5)
            if program.process.poll() is not None:
                raise Failure("the program did not wait for the exit page after the first SIGINT")
            sent = time.time()
            program.process.send_signal(signal.SIGINT)
            # Well within the exit page's own time limit (10 s).
            program.wait_closed(6)
            code = program.wait_end(60)
            if code != 128 + signal.SIGINT:
                raise Failure("after two SIGINTs the program ended with status %d" % code)
            if os.path.exists(copy):
                raise Failure("the page copy outlived the program ended by SIGINT")
            print("app e2e: SIGTERM signs out, saves the placement and removes the page copy (status %d); a "
                  "second SIGINT ends the sign-out in %.1f s" % (128 + signal.SIGTERM, time.time() - sent))
        finally:
            service.stop()
            if os.path.exists(service.log):
                shutil.copy(service.log, os.path.join(args.artifacts, "signals-requests.log"))

    return run_phase("signals", args, body)


def signals_together(args):
    """SIGHUP ends the program as SIGTERM does; three signals sent at once, or 70 ms apart, are one request:
    the session is signed out at the service, the placement saved and the page copy removed, and the
    program ends with the first signal's status (not killed by the third)."""
    def body(work, programs):
        temp = os.path.join(work, "temp")
        os.makedirs(temp)
        copy = os.path.join(temp, "tmp.html")
        service = Service(args.service, work)
        try:
            for name, sent, apart in (("sighup", [signal.SIGHUP], 0),
                                      ("three-sigterms-at-once", [signal.SIGTERM] * 3, 0),
                                      ("three-sigints-70ms-apart", [signal.SIGINT] * 3, 0.07)):
                registry = os.path.join(work, name)
                env = dict(os.environ, KALVENOR_SERVICE_URL=service.address, KALVENOR_REGISTRY_DIR=registry,
                           TEMP=temp)
                program = signed_in(args, programs, name, env, copy)
                asked = len([r for r in service.requests() if r["path"] == "/user_exit.php"])
                for i, number in enumerate(sent):
                    if i and apart:
                        time.sleep(apart)
                    os.kill(program.process.pid, number)
                code = program.wait_end(30)
                if code != 128 + sent[0]:
                    raise Failure("%s: the program ended with status %d, not %d" % (name, code, 128 + sent[0]))
                signed_out = len([r for r in service.requests() if r["path"] == "/user_exit.php"]) - asked
                if signed_out != 1:
                    raise Failure("%s: the exit page was asked %d times, not once" % (name, signed_out))
                if os.path.exists(copy):
                    raise Failure("%s: the page copy outlived the program" % name)
                missing = placement_missing(registry)
                if missing:
                    raise Failure("%s: the window's placement was not saved (%s missing)" % (name, ", ".join(missing)))
            print("app e2e: SIGHUP ends as SIGTERM does (status %d); three signals at once or 70 ms apart sign out "
                  "once and leave no page copy" % (128 + signal.SIGHUP))
        finally:
            service.stop()
            if os.path.exists(service.log):
                shutil.copy(service.log, os.path.join(args.artifacts, "signals-together-requests.log"))

    return run_phase("signals-together", args, body)
