#!/usr/bin/env python3
"""Serves the sample pages of the screenshot walk on the loopback interface.

The dictionary's entries point at pages on the web, which a screenshot run may not reach.
This server stands in for them with small pages of its own:

  /tower.html    a short article on the Tower card (the dictionary entry of the walk)
  any path ?q=.. a results page for the web-search window's form
  anything else  a plain page naming the address that was asked for

Every request is logged to standard output as one line: the status and the path with its
query.

Usage: screenshot-pages.py PORTFILE [CERTFILE KEYFILE]
Binds 127.0.0.1 on a free port for plain HTTP and, given a certificate and its key, on a
second free port for HTTPS; writes the port numbers to PORTFILE (one line, HTTP first) once
both are listening, and serves until it is killed.
"""

import html
import http.server
import os
import ssl
import sys
import threading
import urllib.parse

STYLE = """
body { font-family: 'DejaVu Serif', serif; margin: 0; background: #fbf8f1; color: #222; }
header { background: #3b2a5a; color: #f5e9c8; padding: 14px 24px; }
header h1 { margin: 0; font-size: 26px; }
header p { margin: 4px 0 0; font-size: 13px; opacity: .8; }
main { padding: 8px 24px 24px; max-width: 760px; }
h2 { color: #3b2a5a; font-size: 18px; border-bottom: 1px solid #d8cfe6; }
p, li { font-size: 14px; line-height: 1.5; }
.note { font-size: 12px; color: #777; margin-top: 24px; }
.hit { margin: 14px 0; }
.hit a { font-size: 16px; color: #1a0dab; }
.hit .url { font-size: 12px; color: #0b6b2f; }
"""

TOWER = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>The Tower (tarot card)</title>
<style>{style}</style></head><body>
<header><h1>The Tower</h1><p>Major arcana, card XVI</p></header>
<main>
<p><b>The Tower</b> is the sixteenth trump of the major arcana. The picture shows a tall tower
struck by lightning, its crown blown off, flames at the windows and two figures falling
headlong to the ground.</p>
<h2>Upright</h2>
<p>Sudden change, upheaval and the collapse of structures built on false premises; a
revelation that clears the way, however unwelcome it feels at the time.</p>
<h2>Reversed</h2>
<p>Disaster narrowly avoided, change resisted or delayed, or an upheaval that is felt
inwardly rather than in the world.</p>
<h2>Other names</h2>
<ul><li>The House of God (La Maison Dieu)</li><li>The Lightning</li><li>The Fire of Heaven</li></ul>
<p class="note">Sample page served on the loopback interface for the screenshots of the
dictionary.</p>
</main></body></html>
"""

RESULTS = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>{query} - Search results</title>
<style>{style}</style></head><body>
<header><h1>Search results</h1><p>for &ldquo;{query}&rdquo;</p></header>
<main>
<div class="hit"><a href="{tower}">The Tower (tarot card)</a>
<div class="url">{tower}</div>
<p>The sixteenth trump of the major arcana: sudden change, upheaval, revelation.</p></div>
<div class="hit"><a href="{tower}">{query}: meanings upright and reversed</a>
<div class="url">{tower}</div>
<p>What the card says in a reading, in each position of the Celtic Cross.</p></div>
<p class="note">Sample results served on the loopback interface for the screenshots of the
web search.</p>
</main></body></html>
"""

OTHER = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Sample page</title>
<style>{style}</style></head><body>
<header><h1>Sample page</h1><p>{path}</p></header>
<main><p>This page stands in for <b>{path}</b> during the screenshot walk.</p></main>
</body></html>
"""


class Handler(http.server.BaseHTTPRequestHandler):
    http_port = 0

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/tower.html":
            body = TOWER.format(style=STYLE)
        elif "q" in urllib.parse.parse_qs(url.query, keep_blank_values=True):
            query = urllib.parse.parse_qs(url.query, keep_blank_values=True)["q"][0]
            tower = "http://127.0.0.1:%d/tower.html" % Handler.http_port
            body = RESULTS.format(style=STYLE, query=html.escape(query), tower=tower)
        else:
            body = OTHER.format(style=STYLE, path=html.escape(self.path))
        data = body.encode("utf-8")
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, fmt, *args):
        pass

    def log_request(self, code="-", size="-"):
        # One line per page asked for, so that a caller can wait for a page to be fetched.
        sys.stdout.write("%s %s\n" % (code, self.path))
        sys.stdout.flush()


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit("usage: screenshot-pages.py PORTFILE [CERTFILE KEYFILE]")
    servers = [http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)]
    Handler.http_port = servers[0].server_address[1]
    if len(sys.argv) == 4:
        secure = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[2], sys.argv[3])
        secure.socket = context.wrap_socket(secure.socket, server_side=True)
        servers.append(secure)
    tmp = sys.argv[1] + ".tmp"
    with open(tmp, "w") as f:
        f.write(" ".join(str(s.server_address[1]) for s in servers) + "\n")
    os.replace(tmp, sys.argv[1])
    for s in servers[1:]:
        threading.Thread(target=s.serve_forever, daemon=True).start()
    servers[0].serve_forever()


if __name__ == "__main__":
    main()
