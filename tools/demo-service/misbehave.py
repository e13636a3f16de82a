"""Misbehaviours of the demo service, for tests of the client against a service that answers badly.

A misbehaviour file (server.py --misbehave FILE) is a JSON object that maps page names (the path without
its leading "/" and without the query, e.g. "user_home.php") to the answer to give instead of the page:

    {"user_home.php": {"status": 500},
     "user_inbox.php": {"headers": {"Content-Disposition": "attachment; filename=\\"a.txt\\""}, "body": "x"},
     "user_exit.php": {"silent": true},
     "search.php": {"delay": 3, "method": "POST"},
     "faq.php": {"raw": "garbage", "once": true}}

    status   the status code (200 when not given)
    headers  header lines of the answer (a Content-Type replaces the HTML one)
    body     the answer's text (a small page naming the status when not given)
    delay    seconds to wait before answering
    silent   never answer: the connection is held until the client goes (or the server stops); with raw,
             the connection is held so after those characters (an answer that never ends)
    raw      these characters (as Latin-1 bytes) instead of an HTTP answer, then the connection closes
    method   only requests of this method misbehave
    once     only the first request that matches misbehaves; later ones get the real page

The file is read again for every request, so a test switches behaviours by replacing it; a missing or
unreadable file means no misbehaviour. The request is read (and logged) as usual either way.
"""

import json
import threading

# The longest a silent answer holds its connection.
SILENT_LIMIT = 300


class Misbehaviour:
    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        self.used = set()  # the "once" answers given, by page name and description

    def answer_for(self, name, method):
        """The answer description for a request of this page and method, or None."""
        if not self.path:
            return None
        try:
            with open(self.path, encoding="utf-8") as f:
                table = json.load(f)
        except (OSError, ValueError):
            return None
        behaviour = table.get(name) if isinstance(table, dict) else None
        if not isinstance(behaviour, dict):
            return None
        if behaviour.get("method") not in (None, method):
            return None
        if behaviour.get("once"):
            key = (name, json.dumps(behaviour, sort_keys=True))
            with self.lock:
                if key in self.used:
                    return None
                self.used.add(key)
        return behaviour
