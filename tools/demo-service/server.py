#!/usr/bin/env python3
"""The demo trading service: a small HTTP server on a loopback port that plays the Kalvenor service
for the client's run command and its end-to-end tests.

    server.py [--port N] [--accounts FILE] [--log FILE] [--address-file FILE] [--misbehave FILE] [--verbose]

It prints its base address ("http://127.0.0.1:PORT/") on one line as soon as it listens. With --misbehave,
pages answer as that file says (see misbehave.py), for tests of the client against a bad service.
"""

import argparse
import html
import json
import os
import re
import select
import signal
import socket
import sys
import threading
import time
import urllib.parse
from http import HTTPStatus
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from misbehave import SILENT_LIMIT, Misbehaviour  # noqa: E402

MAX_BODY = 1 << 20
FAILED_SIGN_IN = "Incorrect username or password"
REGISTRATION_MARKER = "welcome"
BAD_ESCAPE = re.compile(r"%(?![0-9A-Fa-f]{2})")
# Numbers in requests: ASCII digits only (str.isdigit also takes "²" and other digits int() refuses),
# and few enough of them.
ASCII_NUMBER = re.compile(r"[0-9]{1,10}")
IDLE_TIMEOUT = 10  # seconds a connection may stay silent
MAX_THREADS = 64  # connections served at once; more are answered 503 at once

MEMBER_PAGES = {
    "user_home.php": ("Overview", "overview"),
    "user_supplies.php": ("My Supplies", "supplies"),
    "user_demands.php": ("My Demands", "demands"),
    "user_contacts.php": ("Contacts", "contacts"),
    "user_inbox.php": ("Inbox", "inbox"),
    "user_outbox.php": ("Outbox", "outbox"),
    "user_addfunds.php": ("Add funds", "addfunds"),
    "user_transactions.php": ("Transactions", "transactions"),
    "user_hits.php": ("Hits statistics", "hits"),
}

OFFERS = [
    ("Steel pipes, 40 mm", "Seamless steel pipes, 6 m lengths, 2 t in stock", "1,250.00"),
    ("Office chairs", "Ergonomic office chairs with armrests, black", "89.00"),
    ("Pine timber", "Dried pine boards 50x150, grade A", "310.00"),
    ("Copper wire", "Insulated copper wire 2.5 mm2, drums of 100 m", "74.50"),
    ("Printer paper", "A4 paper, 80 g/m2, boxes of 5 reams", "21.90"),
    ("Solar panels", "Monocrystalline panels 400 W, pallets of 30", "5,400.00"),
]

MEMBER_DATA = {
    "overview": [("Balance", "1,204.50"), ("Open supplies", "3"), ("Open demands", "2"), ("Unread messages", "4")],
    "supplies": [("Steel pipes, 40 mm", "2 t"), ("Pine timber", "14 m3"), ("Copper wire", "12 drums")],
    "demands": [("Office chairs", "40 pcs"), ("Printer paper", "60 boxes")],
    "contacts": [("Northwind Metals", "sales@northwind.example"), ("Harbor Supply", "info@harbor.example")],
    "inbox": [("Northwind Metals", "Re: pipe lengths"), ("Harbor Supply", "Offer accepted"),
              ("Service", "Welcome to Kalvenor")],
    "outbox": [("Northwind Metals", "Question on pipe lengths"), ("Harbor Supply", "Counter offer")],
    "addfunds": [("Bank transfer", "1-2 days"), ("Card", "instant")],
    "transactions": [("2026-11-02", "+450.00"), ("2026-11-14", "-120.00"), ("2026-11-28", "+874.50")],
    "hits": [("Steel pipes, 40 mm", "112"), ("Pine timber", "57"), ("Copper wire", "23")],
}

STYLE = """
body { font-family: sans-serif; font-size: 14px; margin: 0; background: #f4f6f9; color: #222; }
header { background: #2b579a; color: #fff; padding: 10px 18px; }
header h1 { margin: 0; font-size: 20px; }
main { padding: 14px 18px; }
table { border-collapse: collapse; background: #fff; min-width: 360px; }
td, th { border: 1px solid #ccd3dd; padding: 5px 10px; text-align: left; }
th { background: #e3e9f2; }
.note { color: #555; }
.error { color: #b00020; font-weight: bold; }
form label { display: block; margin: 6px 0 2px; }
"""


def page(title, body):
    return (
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%s - Kalvenor</title>"
        "<style>%s</style></head><body><header><h1>%s</h1></header><main>%s</main></body></html>\n"
        % (html.escape(title), STYLE, html.escape(title), body)
    )


def table(headers, rows):
    head = "".join("<th>%s</th>" % html.escape(h) for h in headers)
    lines = "".join("<tr>%s</tr>" % "".join("<td>%s</td>" % html.escape(c) for c in row) for row in rows)
    return "<table><tr>%s</tr>%s</table>" % (head, lines)


def load_accounts(path):
    accounts = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            login, sep, password = line.partition(":")
            if sep:
                accounts[login] = password
    return accounts


class BadRequest(Exception):
    pass


class RequestTimeout(Exception):
    """The request's body stopped coming for longer than the idle time."""


def parse_form(body, content_type):
    """Decodes an application/x-www-form-urlencoded body strictly: bad UTF-8 or escapes are refused."""
    if body and not content_type.lower().startswith("application/x-www-form-urlencoded"):
        raise BadRequest("unsupported content type")
    try:
        text = body.decode("ascii")
    except UnicodeDecodeError:
        raise BadRequest("form body is not URL-encoded")
    if BAD_ESCAPE.search(text):
        raise BadRequest("bad percent escape")
    fields = {}
    for pair in text.split("&") if text else []:
        name, _, value = pair.partition("=")
        try:
            fields[urllib.parse.unquote_plus(name, errors="strict")] = urllib.parse.unquote_plus(
                value, errors="strict")
        except UnicodeDecodeError:
            raise BadRequest("form field is not UTF-8")
    return fields


class Service:
    def __init__(self, accounts, log_path=None, misbehave_path=None):
        self.accounts = dict(accounts)
        self.log_path = log_path
        self.misbehaviour = Misbehaviour(misbehave_path)
        self.lock = threading.Lock()

    def log(self, entry):
        if not self.log_path:
            return
        line = json.dumps(entry, ensure_ascii=False)
        with self.lock, open(self.log_path, "a", encoding="utf-8") as f:
            f.write(line + "\n")
            f.flush()

    def signed_in(self, fields):
        login, password = fields.get("login"), fields.get("pass")
        return login is not None and password is not None and self.accounts.get(login) == password

    # Each handler answers (status, headers, body text).
    def member(self, name, method, fields):
        title, key = MEMBER_PAGES[name]
        if method != "POST" or not self.signed_in(fields):
            return 200, {}, page("Sign in", '<p class="error">%s</p>' % FAILED_SIGN_IN)
        body = '<p class="note">Signed in as %s</p>' % html.escape(fields["login"])
        body += table(["Item", "Value"], MEMBER_DATA[key])
        return 200, {}, page(title, body)

    def search(self, method, fields):
        word = fields.get("searchword", "") if method == "POST" else ""
        needle = word.strip().lower()
        found = [o for o in OFFERS if needle and (needle in o[0].lower() or needle in o[1].lower())]
        if found:
            body = "<p>Offers matching &quot;%s&quot;:</p>" % html.escape(word)
            body += table(["Offer", "Description", "Price"], found)
        else:
            body = "<p>No offers found for &quot;%s&quot;.</p>" % html.escape(word)
        return 200, {}, page("Offer search", body)

    def registration(self, method, fields, query):
        if method == "POST":
            login = fields.get("login", "")
            if login and fields.get("pass"):
                with self.lock:
                    self.accounts.setdefault(login, fields["pass"])
            return 303, {"Location": "registration.php?agenting=true&done=" + REGISTRATION_MARKER}, ""
        if query.get("done") == [REGISTRATION_MARKER]:
            return 200, {}, page("Registration", "<p>Your account has been registered. Welcome!</p>")
        form = (
            '<form method="post" action="registration.php?agenting=true">'
            '<label>Name</label><input name="name"><label>E-mail</label><input name="email">'
            '<label>Login</label><input name="login"><label>Password</label><input name="pass" type="password">'
            '<p><input type="submit" value="Register"></p></form>'
        )
        return 200, {}, page("Registration", form)

    def lostpass(self, method, fields):
        if method == "POST":
            return 200, {}, page("Password recovery", "<p>A new password has been sent to %s.</p>"
                                 % html.escape(fields.get("email", "your address")))
        form = ('<form method="post" action="lostpass.php?agenting=true"><label>E-mail</label>'
                '<input name="email"><p><input type="submit" value="Send"></p></form>')
        return 200, {}, page("Password recovery", form)

    def catalog(self):
        images = "".join('<img src="img/offer%d.svg" width="96" height="64" alt="offer %d"> ' % (i, i)
                         for i in range(1, 5))
        body = ("<p>%s</p><iframe src=\"catalog_frame.php?agenting=true\" width=\"520\" height=\"220\"></iframe>"
                % images)
        return 200, {}, page("Catalog", body)

    def catalog_frame(self):
        return 200, {}, page("Catalog offers", table(["Offer", "Description", "Price"], OFFERS))

    def image(self, n):
        colours = ["#4f81bd", "#c0504d", "#9bbb59", "#8064a2"]
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="96" height="64"><rect width="96" height="64" '
               'rx="6" fill="%s"/><text x="48" y="38" font-size="16" text-anchor="middle" fill="#fff">'
               'Offer %d</text></svg>' % (colours[(n - 1) % len(colours)], n))
        return 200, {"Content-Type": "image/svg+xml"}, svg

    PLAIN = {
        "user_profile.php": ("User profile", table(["Field", "Value"], [("Company", "Demo Trading Ltd"),
                                                                      ("Country", "Nowhere")])),
        "faq.php": ("FAQ", "<p><b>How do I add an offer?</b> Open My Supplies and choose New.</p>"
                           "<p><b>How do I pay?</b> Use Add funds.</p>"),
        "contacts.php": ("Contact administrator", "<p>Write to admin@kalvenor.example.</p>"),
    }

    def route(self, method, path, query, fields):
        name = path.lstrip("/")
        agenting = query.get("agenting") == ["true"]
        if name == "user_exit.php":
            return 200, {}, page("Signed out", "<p>You have signed out. Goodbye.</p>")
        if name.startswith("img/offer") and name.endswith(".svg"):
            digits = name[len("img/offer"):-len(".svg")]
            if ASCII_NUMBER.fullmatch(digits) and 1 <= int(digits) <= 4:
                return self.image(int(digits))
            return None
        if not agenting:
            return None
        if name in MEMBER_PAGES:
            return self.member(name, method, fields)
        if name == "search.php":
            return self.search(method, fields)
        if name == "registration.php":
            return self.registration(method, fields, query)
        if name == "lostpass.php":
            return self.lostpass(method, fields)
        if name == "catalog.php":
            return self.catalog()
        if name == "catalog_frame.php":
            return self.catalog_frame()
        if name in self.PLAIN:
            title, body = self.PLAIN[name]
            return 200, {}, page(title, body)
        return None


def make_handler(service, verbose, idle_timeout=IDLE_TIMEOUT):
    class Handler(BaseHTTPRequestHandler):
        server_version = "KalvenorDemo/1.0"
        protocol_version = "HTTP/1.1"
        timeout = idle_timeout

        def log_message(self, fmt, *args):
            if verbose:
                sys.stderr.write("%s - %s\n" % (self.address_string(), fmt % args))

        def do_GET(self):
            self.handle_request("GET")

        def do_POST(self):
            self.handle_request("POST")

        def read_body(self):
            """Reads the body of any request, so that a body never passes for the next request."""
            if self.headers.get("Transfer-Encoding") is not None:
                raise BadRequest("unsupported transfer encoding")
            length = self.headers.get("Content-Length")
            if length is None:
                return b""
            length = length.strip()
            if not ASCII_NUMBER.fullmatch(length):
                raise BadRequest("bad content length")
            n = int(length)
            if n > MAX_BODY:
                raise BadRequest("body too large")
            try:
                data = self.rfile.read(n)
            except (TimeoutError, socket.timeout):
                raise RequestTimeout()
            if len(data) != n:
                raise BadRequest("truncated body")
            return data

        def handle_request(self, method):
            url = urllib.parse.urlsplit(self.path)
            content_type = self.headers.get("Content-Type", "")
            body = b""
            fields = {}
            behaviour = None
            try:
                body = self.read_body()
                if method == "POST":
                    fields = parse_form(body, content_type)
                else:
                    body = b""  # read and discarded: a GET's body means nothing here
                query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
                behaviour = service.misbehaviour.answer_for(url.path.lstrip("/"), method)
                answer = None if behaviour is not None else service.route(method, url.path, query, fields)
            except BadRequest as e:
                answer = (400, {}, page("Bad request", "<p>%s</p>" % html.escape(str(e))))
            except RequestTimeout:
                answer = (408, {}, page("Request timeout", "<p>The request's body stopped coming.</p>"))
            except Exception as e:  # every request gets an answer, whatever went wrong
                answer = (500, {}, page("Server error", "<p>%s</p>" % html.escape(type(e).__name__)))
            if behaviour is not None:
                self.log_request_of(method, content_type, body, fields, behaviour.get("status", 200))
                self.misbehave(behaviour)
                return
            self.log_request_of(method, content_type, body, fields, answer[0] if answer else 404)
            if answer is None:
                answer = (404, {}, page("Not found", "<p>No such page.</p>"))
            self.answer(*answer)

        def log_request_of(self, method, content_type, body, fields, status):
            service.log({
                "method": method,
                "path": self.path,
                "content_type": content_type,
                "body": body.decode("utf-8", errors="replace"),
                "fields": fields,
                "status": status,
            })

        def answer(self, status, headers, text):
            data = text.encode("utf-8")
            self.send_response(status)
            self.send_header("Content-Type", headers.pop("Content-Type", "text/html; charset=utf-8"))
            self.send_header("Content-Length", str(len(data)))
            self.send_header("Cache-Control", "no-store")
            for k, v in headers.items():
                self.send_header(k, v)
            if status >= 400:
                self.send_header("Connection", "close")
                self.close_connection = True
            self.end_headers()
            self.wfile.write(data)

        def misbehave(self, behaviour):
            """Answers as a misbehaviour file says (see misbehave.py)."""
            if behaviour.get("delay"):
                time.sleep(float(behaviour["delay"]))
            if "raw" in behaviour:
                self.wfile.write(str(behaviour["raw"]).encode("latin-1", errors="replace"))
                self.wfile.flush()
            if behaviour.get("silent"):
                self.hold()
            elif "raw" not in behaviour:
                status = int(behaviour.get("status", 200))
                text = behaviour.get("body")
                if text is None:
                    text = page("Answer %d" % status, "<p>Status %d.</p>" % status)
                self.answer(status, dict(behaviour.get("headers", {})), text)
            self.close_connection = True

        def hold(self):
            """Keeps the connection open without answering, until the client closes it."""
            deadline = time.monotonic() + SILENT_LIMIT
            while time.monotonic() < deadline:
                readable, _, _ = select.select([self.connection], [], [], 0.2)
                if readable:
                    try:
                        if not self.connection.recv(1, socket.MSG_PEEK):
                            return
                    except OSError:
                        return
                    time.sleep(0.2)

    return Handler


class BoundedServer(ThreadingHTTPServer):
    """A thread per connection, but no more than MAX_THREADS at once: a connection beyond them is
    answered 503 and closed rather than holding a thread."""

    def __init__(self, address, handler, max_threads=MAX_THREADS):
        self.slots = threading.BoundedSemaphore(max_threads)
        super().__init__(address, handler)

    def process_request(self, request, client_address):
        if not self.slots.acquire(blocking=False):
            try:
                request.sendall(b"HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n"
                                b"Connection: close\r\n\r\n")
            except OSError:
                pass
            self.shutdown_request(request)
            return
        super().process_request(request, client_address)

    def process_request_thread(self, request, client_address):
        try:
            super().process_request_thread(request, client_address)
        finally:
            self.slots.release()


def serve(port=0, accounts_path=None, log_path=None, verbose=False, max_threads=MAX_THREADS,
          idle_timeout=IDLE_TIMEOUT, misbehave_path=None):
    """Starts the service on 127.0.0.1 and returns the server (call serve_forever or shutdown)."""
    accounts = load_accounts(accounts_path or os.path.join(HERE, "accounts.txt"))
    service = Service(accounts, log_path, misbehave_path)
    server = BoundedServer(("127.0.0.1", port), make_handler(service, verbose, idle_timeout), max_threads)
    server.daemon_threads = True
    server.service = service
    return server


def main(argv=None):
    parser = argparse.ArgumentParser(description="Kalvenor demo service")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--accounts")
    parser.add_argument("--log")
    parser.add_argument("--address-file")
    parser.add_argument("--misbehave")
    parser.add_argument("--verbose", action="store_true")
    args = parser.parse_args(argv)
    server = serve(args.port, args.accounts, args.log, args.verbose, misbehave_path=args.misbehave)
    address = "http://127.0.0.1:%d/" % server.server_address[1]
    if args.address_file:
        tmp = args.address_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(address + "\n")
        os.replace(tmp, args.address_file)
    print(address, flush=True)

    def stop(*_):
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    server.serve_forever()
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
