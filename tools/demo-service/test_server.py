#!/usr/bin/env python3
"""Tests of the demo service: pages, sign-in posts, encodings, search, registration, log, errors."""

import http.client
import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import server  # noqa: E402

MEMBER = ["user_home.php", "user_supplies.php", "user_demands.php", "user_contacts.php", "user_inbox.php",
          "user_outbox.php", "user_addfunds.php", "user_transactions.php", "user_hits.php"]
PLAIN = ["catalog.php", "user_profile.php", "faq.php", "contacts.php", "registration.php", "lostpass.php"]
FORM = "application/x-www-form-urlencoded"


class ServiceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.log = os.path.join(cls.tmp.name, "requests.log")
        cls.server = server.serve(0, log_path=cls.log)
        cls.port = cls.server.server_address[1]
        cls.thread = threading.Thread(target=cls.server.serve_forever, daemon=True)
        cls.thread.start()

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        cls.tmp.cleanup()

    def request(self, method, path, body=None, content_type=FORM, headers=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        hdrs = dict(headers or {})
        if body is not None:
            hdrs.setdefault("Content-Type", content_type)
        conn.request(method, "/" + path, body=body, headers=hdrs)
        resp = conn.getresponse()
        data = resp.read().decode("utf-8")
        result = (resp.status, dict(resp.getheaders()), data)
        conn.close()
        return result

    def post(self, path, fields):
        return self.request("POST", path, urllib.parse.urlencode(fields).encode("ascii"))

    def log_entries(self):
        with open(self.log, encoding="utf-8") as f:
            return [json.loads(line) for line in f]

    def test_every_page_answers_html(self):
        for name in MEMBER + PLAIN + ["search.php", "catalog_frame.php"]:
            status, headers, data = self.request("GET", name + "?agenting=true")
            self.assertEqual(status, 200, name)
            self.assertTrue(headers["Content-Type"].startswith("text/html"), name)
            self.assertIn("<html>", data, name)
        status, _, data = self.request("GET", "user_exit.php")
        self.assertEqual(status, 200)
        self.assertIn("signed out", data)

    def test_pages_need_the_agenting_query_and_unknown_pages_are_missing(self):
        self.assertEqual(self.request("GET", "faq.php")[0], 404)
        self.assertEqual(self.request("GET", "nothing.php?agenting=true")[0], 404)
        self.assertEqual(self.request("GET", "img/offer9.svg")[0], 404)

    def test_member_pages_sign_in_with_the_posted_account(self):
        for name in MEMBER:
            status, _, data = self.post(name + "?agenting=true", {"login": "demo", "pass": "demo123"})
            self.assertEqual(status, 200)
            self.assertIn("Signed in as demo", data)
            self.assertNotIn(server.FAILED_SIGN_IN, data)

    def test_wrong_or_missing_credentials_answer_the_failure_text(self):
        cases = [{"login": "demo", "pass": "wrong"}, {"login": "nobody", "pass": "demo123"}, {"login": "demo"}, {}]
        for fields in cases:
            _, _, data = self.post("user_inbox.php?agenting=true", fields)
            self.assertIn("Incorrect username or password", data, fields)
        _, _, data = self.request("GET", "user_inbox.php?agenting=true")
        self.assertIn("Incorrect username or password", data)

    def test_encoded_account_round_trips(self):
        status, _, data = self.post("user_home.php?agenting=true", {"login": "a&b=c+d", "pass": "p%ss wörd"})
        self.assertEqual(status, 200)
        self.assertIn("Signed in as a&amp;b=c+d", data)
        entry = self.log_entries()[-1]
        self.assertEqual(entry["fields"], {"login": "a&b=c+d", "pass": "p%ss wörd"})
        self.assertEqual(entry["content_type"], FORM)

    def test_search_lists_matching_offers_and_escapes_the_word(self):
        _, _, data = self.post("search.php?agenting=true", {"searchword": "copper"})
        self.assertIn("Copper wire", data)
        self.assertNotIn("Office chairs", data)
        _, _, data = self.post("search.php?agenting=true", {"searchword": "<b>zzz"})
        self.assertIn("No offers found for &quot;&lt;b&gt;zzz&quot;", data)

    def test_registration_redirects_to_the_marker_address(self):
        status, headers, _ = self.post("registration.php?agenting=true",
                                       {"name": "N", "email": "n@x", "login": "newbie", "pass": "pw"})
        self.assertEqual(status, 303)
        self.assertIn("done=" + server.REGISTRATION_MARKER, headers["Location"])
        status, _, data = self.request("GET", headers["Location"])
        self.assertEqual(status, 200)
        self.assertIn("registered", data)
        _, _, data = self.post("user_home.php?agenting=true", {"login": "newbie", "pass": "pw"})
        self.assertIn("Signed in as newbie", data)

    def test_catalog_has_a_frame_and_images(self):
        _, _, data = self.request("GET", "catalog.php?agenting=true")
        self.assertIn('<iframe src="catalog_frame.php?agenting=true"', data)
        status, headers, svg = self.request("GET", "img/offer1.svg")
        self.assertEqual(status, 200)
        self.assertEqual(headers["Content-Type"], "image/svg+xml")
        self.assertIn("<svg", svg)

    def test_log_records_method_path_type_and_body(self):
        self.post("user_outbox.php?agenting=true", {"login": "demo", "pass": "demo123"})
        entry = self.log_entries()[-1]
        self.assertEqual(entry["method"], "POST")
        self.assertEqual(entry["path"], "/user_outbox.php?agenting=true")
        self.assertEqual(entry["body"], "login=demo&pass=demo123")
        self.request("GET", "faq.php?agenting=true")
        entry = self.log_entries()[-1]
        self.assertEqual((entry["method"], entry["body"]), ("GET", ""))

    def test_bad_requests_are_refused_and_the_server_keeps_serving(self):
        bad = [
            (b"login=%ZZ&pass=x", FORM),
            (b"login=%C3%28&pass=x", FORM),  # invalid UTF-8
            (b"login=\xff", FORM),  # raw bytes are not URL-encoded
            (b"<xml/>", "text/xml"),
        ]
        for body, ctype in bad:
            self.assertEqual(self.request("POST", "user_home.php?agenting=true", body, ctype)[0], 400, body)
        status, _, _ = self.request("POST", "user_home.php?agenting=true", b"x",
                                    headers={"Content-Length": "abc"})
        self.assertEqual(status, 400)
        status, _, _ = self.request("POST", "user_home.php?agenting=true", b"x",
                                    headers={"Content-Length": str(server.MAX_BODY + 1)})
        self.assertEqual(status, 400)
        self.assertEqual(self.request("GET", "faq.php?agenting=true")[0], 200)

    def raw(self, data, port=None):
        """Sends raw bytes on a fresh connection and returns everything answered until it closes."""
        with socket.create_connection(("127.0.0.1", port or self.port), timeout=10) as sock:
            sock.sendall(data)
            chunks = []
            while True:
                chunk = sock.recv(65536)
                if not chunk:
                    return b"".join(chunks)
                chunks.append(chunk)

    def test_bad_numbers_are_answered_400_never_left_unanswered(self):
        for length in ["\u00b2".encode("utf-8"), b"9" * 5000, b"-1", b"1e3"]:
            answer = self.raw(b"POST /user_home.php?agenting=true HTTP/1.1\r\nHost: x\r\nContent-Length: " +
                              length + b"\r\n\r\nx")
            self.assertTrue(answer.startswith(b"HTTP/1.1 400 "), (length[:20], answer[:40]))
        for path in ["img/offer\u00b2.svg", "img/offer" + "1" * 5000 + ".svg"]:
            self.assertEqual(self.request("GET", urllib.parse.quote(path))[0], 404)
        self.assertEqual(self.request("GET", "img/offer2.svg")[0], 200)

    def test_a_get_body_is_read_and_discarded_not_taken_for_a_request(self):
        smuggled = b"GET /user_exit.php HTTP/1.1\r\nHost: x\r\n\r\n"
        answer = self.raw(b"GET /faq.php?agenting=true HTTP/1.1\r\nHost: x\r\nContent-Length: %d\r\n\r\n"
                          % len(smuggled) + smuggled +
                          b"GET /contacts.php?agenting=true HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n")
        self.assertEqual(answer.count(b"HTTP/1.1 200 "), 2)
        self.assertNotIn(b"Signed out", answer)
        self.assertIn(b"Contact administrator", answer)
        self.assertNotIn("/user_exit.php", [e["path"] for e in self.log_entries()])


class LimitsTest(unittest.TestCase):
    """Idle connections time out, and the threads serving connections are bounded."""

    def test_idle_connections_are_closed_and_busy_servers_answer_503(self):
        srv = server.serve(0, max_threads=2, idle_timeout=0.5)
        port = srv.server_address[1]
        thread = threading.Thread(target=srv.serve_forever, daemon=True)
        thread.start()
        try:
            # Two half-sent requests hold both threads...
            held = [socket.create_connection(("127.0.0.1", port), timeout=10) for _ in range(2)]
            for sock in held:
                sock.sendall(b"GET /faq.php?agenting=true HTTP/1.1\r\n")
            time.sleep(0.2)
            # ...so a third connection is refused at once rather than waiting for a thread.
            with socket.create_connection(("127.0.0.1", port), timeout=10) as third:
                third.sendall(b"GET /faq.php?agenting=true HTTP/1.1\r\nHost: x\r\n\r\n")
                self.assertTrue(third.recv(100).startswith(b"HTTP/1.1 503 "))
            # The silent ones are closed after the idle time, and their threads come free.
            started = time.monotonic()
            for sock in held:
                while sock.recv(65536):
                    pass
                sock.close()
            self.assertLess(time.monotonic() - started, 5)
            time.sleep(0.2)
            conn = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
            conn.request("GET", "/faq.php?agenting=true")
            self.assertEqual(conn.getresponse().status, 200)
            conn.close()
        finally:
            srv.shutdown()
            srv.server_close()


class StalledBodyTest(unittest.TestCase):
    def test_a_body_that_stalls_past_the_idle_time_is_answered_408_and_the_connection_closed(self):
        srv = server.serve(0, idle_timeout=0.5)
        thread = threading.Thread(target=srv.serve_forever, daemon=True)
        thread.start()
        try:
            with socket.create_connection(("127.0.0.1", srv.server_address[1]), timeout=10) as sock:
                sock.sendall(b"POST /user_home.php?agenting=true HTTP/1.1\r\nHost: x\r\n"
                             b"Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 40\r\n\r\n"
                             b"login=de")
                answer = b""
                while True:  # read until the server closes
                    chunk = sock.recv(65536)
                    if not chunk:
                        break
                    answer += chunk
            self.assertTrue(answer.startswith(b"HTTP/1.1 408 "), answer[:60])
            self.assertIn(b"Connection: close", answer)
        finally:
            srv.shutdown()
            srv.server_close()


class MisbehaviourTest(unittest.TestCase):
    """Pages answer as the misbehaviour file says, read afresh for every request."""

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.file = os.path.join(self.tmp.name, "misbehave.json")
        self.log = os.path.join(self.tmp.name, "requests.log")
        self.srv = server.serve(0, log_path=self.log, misbehave_path=self.file)
        self.port = self.srv.server_address[1]
        threading.Thread(target=self.srv.serve_forever, daemon=True).start()

    def tearDown(self):
        self.srv.shutdown()
        self.srv.server_close()
        self.tmp.cleanup()

    def misbehave(self, table):
        with open(self.file + ".tmp", "w", encoding="utf-8") as f:
            json.dump(table, f)
        os.replace(self.file + ".tmp", self.file)

    def request(self, method, path, body=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        conn.request(method, "/" + path, body=body, headers={"Content-Type": FORM} if body else {})
        resp = conn.getresponse()
        result = (resp.status, dict(resp.getheaders()), resp.read())
        conn.close()
        return result

    def test_status_headers_and_body_replace_the_page_and_switch_with_the_file(self):
        self.assertEqual(self.request("GET", "faq.php?agenting=true")[0], 200)  # no file: the real page
        self.misbehave({"faq.php": {"status": 500},
                        "user_inbox.php": {"headers": {"Content-Type": "application/octet-stream",
                                                       "Content-Disposition": 'attachment; filename="a.txt"'},
                                           "body": "not a page"}})
        status, _, data = self.request("GET", "faq.php?agenting=true")
        self.assertEqual(status, 500)
        self.assertIn(b"500", data)
        status, headers, data = self.request("POST", "user_inbox.php?agenting=true", b"login=demo&pass=demo123")
        self.assertEqual((status, data), (200, b"not a page"))
        self.assertEqual(headers["Content-Type"], "application/octet-stream")
        self.assertEqual(headers["Content-Disposition"], 'attachment; filename="a.txt"')
        # The request is read and logged as usual, fields included.
        with open(self.log, encoding="utf-8") as f:
            entry = json.loads(f.readlines()[-1])
        self.assertEqual(entry["fields"], {"login": "demo", "pass": "demo123"})
        self.misbehave({})
        self.assertEqual(self.request("GET", "faq.php?agenting=true")[0], 200)

    def test_method_and_once_narrow_a_misbehaviour(self):
        self.misbehave({"search.php": {"status": 404, "method": "POST"},
                        "faq.php": {"status": 503, "once": True}})
        self.assertEqual(self.request("GET", "search.php?agenting=true")[0], 200)
        self.assertEqual(self.request("POST", "search.php?agenting=true", b"searchword=x")[0], 404)
        self.assertEqual(self.request("GET", "faq.php?agenting=true")[0], 503)
        self.assertEqual(self.request("GET", "faq.php?agenting=true")[0], 200)

    def test_raw_bytes_are_sent_as_they_are_and_a_silent_page_never_answers(self):
        self.misbehave({"faq.php": {"raw": "garbage\r\n"}, "user_exit.php": {"silent": True}})
        with socket.create_connection(("127.0.0.1", self.port), timeout=10) as sock:
            sock.sendall(b"GET /faq.php?agenting=true HTTP/1.1\r\nHost: x\r\n\r\n")
            self.assertEqual(sock.recv(100), b"garbage\r\n")
            self.assertEqual(sock.recv(100), b"")  # and closed
        with socket.create_connection(("127.0.0.1", self.port), timeout=1.5) as sock:
            sock.sendall(b"GET /user_exit.php HTTP/1.1\r\nHost: x\r\n\r\n")
            with self.assertRaises(socket.timeout):
                sock.recv(100)
        # The held connection's thread goes once the client has gone: the service still answers.
        self.assertEqual(self.request("GET", "contacts.php?agenting=true")[0], 200)

    def test_a_delay_holds_the_answer_back(self):
        self.misbehave({"faq.php": {"delay": 0.6}})
        started = time.monotonic()
        self.assertEqual(self.request("GET", "faq.php?agenting=true")[0], 200)
        self.assertGreaterEqual(time.monotonic() - started, 0.6)


class CommandLineTest(unittest.TestCase):
    def test_prints_its_address_and_stops_on_sigterm(self):
        with tempfile.TemporaryDirectory() as tmp:
            address_file = os.path.join(tmp, "address")
            proc = subprocess.Popen([sys.executable, os.path.join(HERE, "server.py"), "--address-file",
                                     address_file], stdout=subprocess.PIPE, text=True)
            try:
                line = proc.stdout.readline().strip()
                self.assertRegex(line, r"^http://127\.0\.0\.1:\d+/$")
                with open(address_file) as f:
                    self.assertEqual(f.read().strip(), line)
                url = urllib.parse.urlsplit(line)
                conn = http.client.HTTPConnection(url.hostname, url.port, timeout=10)
                conn.request("GET", "/faq.php?agenting=true")
                self.assertEqual(conn.getresponse().status, 200)
                conn.close()
            finally:
                proc.terminate()
                self.assertEqual(proc.wait(timeout=10), 0)
                proc.stdout.close()


if __name__ == "__main__":
    unittest.main()
