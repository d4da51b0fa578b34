#!/usr/bin/python3
"""A small SMTP sink for the tests (standard library only).

Listens on 127.0.0.1 (or --host; a free port unless --port is given), prints the port on the
first line of standard output, and saves every accepted message into --out as
NNN.eml with NNN.env beside it (envelope: MAIL FROM, RCPT TO, login, the parameters
of MAIL FROM, and "8bit" or "7bit" for the data, one a line).
Offers AUTH PLAIN and LOGIN, accepting only --user with --password; refuses
--refuse with 550; with --cert and --key it offers STARTTLS (or speaks TLS from
the start with --implicit-tls); --no-auth offers no AUTH at all, --auth names the
mechanisms offered (default "PLAIN LOGIN"; logins and passwords are read as UTF-8,
or with --no-auth-utf8 refused with 535 when they hold a byte outside ASCII).
Offers 8BITMIME unless --no-8bitmime, and SMTPUTF8 only with --smtputf8; an address
outside ASCII without SMTPUTF8 in MAIL FROM gets 553, a parameter not offered 555.
--slow-greeting S sends the greeting one byte every S seconds; --after-data hang
saves a message and then never answers, --after-data close saves it and hangs up
without an answer. Runs until killed.
"""

import argparse
import base64
import os
import socketserver
import ssl
import sys
import threading
import time


class Handler(socketserver.StreamRequestHandler):
    def send(self, line):
        self.wfile.write((line + "\r\n").encode())
        self.wfile.flush()

    def setup(self):
        cfg = self.server.cfg
        if cfg.implicit_tls:
            self.request = cfg.context.wrap_socket(self.request, server_side=True)
        super().setup()

    def readline(self):
        line = self.rfile.readline(65537)
        if not line:
            raise EOFError
        return line.decode("utf-8", errors="replace").rstrip("\r\n")

    def credential(self, blob):
        raw = base64.b64decode(blob)
        if not self.server.cfg.auth_utf8 and not raw.isascii():
            return None
        return raw.decode(errors="replace")

    def check_login(self, user, password):
        cfg = self.server.cfg
        if user is not None and password is not None and user == cfg.user and password == cfg.password:
            self.login = user
            self.send("235 2.7.0 Authentication successful")
        else:
            self.send("535 5.7.8 Authentication credentials invalid")

    def handle(self):
        cfg = self.server.cfg
        self.login, self.mail_from, self.rcpts, self.params, self.utf8 = "", "", [], "", False
        self.secure = cfg.implicit_tls
        if cfg.slow_greeting > 0:
            for ch in "220 sink ESMTP\r\n":
                self.wfile.write(ch.encode())
                self.wfile.flush()
                time.sleep(cfg.slow_greeting)
        else:
            self.send("220 sink ESMTP")
        try:
            while True:
                line = self.readline()
                verb = line.split(" ", 1)[0].upper()
                arg = line[len(verb):].strip()
                if verb in ("EHLO", "HELO"):
                    ext = ["250-sink"]
                    if cfg.context and not self.secure:
                        ext.append("250-STARTTLS")
                    if not cfg.no_auth:
                        ext.append("250-AUTH " + cfg.auth)
                    if cfg.eight_bit:
                        ext.append("250-8BITMIME")
                    if cfg.smtputf8:
                        ext.append("250-SMTPUTF8")
                    ext.append("250 HELP")
                    for e in ext:
                        self.send(e)
                elif verb == "STARTTLS" and cfg.context and not self.secure:
                    self.send("220 2.0.0 Ready to start TLS")
                    self.request = cfg.context.wrap_socket(self.request, server_side=True)
                    self.rfile = self.request.makefile("rb")
                    self.wfile = self.request.makefile("wb")
                    self.secure = True
                elif verb == "AUTH" and not cfg.no_auth:
                    parts = arg.split()
                    mech = parts[0].upper() if parts else ""
                    if mech not in cfg.auth.upper().split():
                        self.send("504 5.5.4 Unrecognized authentication type")
                    elif mech == "PLAIN":
                        if len(parts) > 1:
                            blob = parts[1]
                        else:
                            self.send("334 ")
                            blob = self.readline()
                        fields = (self.credential(blob) or "").split("\0")
                        self.check_login(fields[1] if len(fields) > 2 else None, fields[-1])
                    elif mech == "LOGIN":
                        self.send("334 VXNlcm5hbWU6")
                        user = self.credential(self.readline())
                        self.send("334 UGFzc3dvcmQ6")
                        password = self.credential(self.readline())
                        self.check_login(user, password)
                    else:
                        self.send("504 5.5.4 Unrecognized authentication type")
                elif verb == "MAIL":
                    if not cfg.no_auth and not self.login:
                        self.send("530 5.7.0 Authentication required")
                        continue
                    words = arg.split(":", 1)[-1].split()
                    params = [w.upper() for w in words[1:]]
                    offered = ["SIZE"] + (["BODY=8BITMIME", "BODY=7BIT"] if cfg.eight_bit else ["BODY=7BIT"])
                    offered += ["SMTPUTF8"] if cfg.smtputf8 else []
                    if any(p.split("=", 1)[0] != "SIZE" and p not in offered for p in params):
                        self.send("555 5.5.4 Unsupported parameter")
                        continue
                    self.utf8 = "SMTPUTF8" in params
                    self.mail_from = words[0].strip("<>") if words else ""
                    if not self.utf8 and not self.mail_from.isascii():
                        self.send("553 5.6.7 Address needs SMTPUTF8")
                        continue
                    self.params = " ".join(p for p in params if not p.startswith("SIZE="))
                    self.rcpts = []
                    self.send("250 2.1.0 OK")
                elif verb == "RCPT":
                    rcpt = arg.split(":", 1)[-1].split()[0].strip("<>")
                    if not self.utf8 and not rcpt.isascii():
                        self.send("553 5.6.7 Address needs SMTPUTF8")
                    elif rcpt.lower() in cfg.refuse:
                        self.send("550 5.1.1 Mailbox unavailable")
                    else:
                        self.rcpts.append(rcpt)
                        self.send("250 2.1.5 OK")
                elif verb == "DATA":
                    if not self.rcpts:
                        self.send("503 5.5.1 No recipients")
                        continue
                    self.send("354 End data with <CR><LF>.<CR><LF>")
                    data = bytearray()
                    while True:
                        raw = self.rfile.readline()
                        if not raw:
                            raise EOFError
                        if raw in (b".\r\n", b".\n"):
                            break
                        if raw.startswith(b".."):
                            raw = raw[1:]
                        data += raw
                    self.server.save(bytes(data), self.mail_from, self.rcpts, self.login, self.params)
                    if cfg.after_data == "hang":
                        while self.rfile.readline():
                            pass
                        return
                    if cfg.after_data == "close":
                        return
                    self.send("250 2.0.0 Queued")
                elif verb == "RSET":
                    self.mail_from, self.rcpts = "", []
                    self.send("250 OK")
                elif verb == "NOOP":
                    self.send("250 OK")
                elif verb == "QUIT":
                    self.send("221 Bye")
                    return
                else:
                    self.send("502 5.5.2 Command not recognized")
        except (EOFError, ConnectionError, ssl.SSLError, OSError):
            return


class Sink(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, cfg):
        super().__init__((cfg.host, cfg.port), Handler)
        self.cfg = cfg
        self.count = 0
        self.lock = threading.Lock()

    def save(self, data, mail_from, rcpts, login, params):
        with self.lock:
            self.count += 1
            base = os.path.join(self.cfg.out, "%03d" % self.count)
        with open(base + ".eml.part", "wb") as f:
            f.write(data)
        with open(base + ".env", "w", encoding="utf-8") as f:
            f.write("%s\n%s\n%s\n%s\n%s\n" % (mail_from, ",".join(rcpts), login, params,
                                            "7bit" if data.isascii() else "8bit"))
        os.replace(base + ".eml.part", base + ".eml")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--out", required=True)
    p.add_argument("--host", default="127.0.0.1")
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--user", default="sender@example.org")
    p.add_argument("--password", default="secret")
    p.add_argument("--refuse", action="append", default=[])
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--implicit-tls", action="store_true")
    p.add_argument("--no-auth", action="store_true")
    p.add_argument("--auth", default="PLAIN LOGIN")
    p.add_argument("--no-auth-utf8", dest="auth_utf8", action="store_false")
    p.add_argument("--no-8bitmime", dest="eight_bit", action="store_false")
    p.add_argument("--smtputf8", action="store_true")
    p.add_argument("--slow-greeting", type=float, default=0)
    p.add_argument("--after-data", choices=["reply", "hang", "close"], default="reply")
    cfg = p.parse_args()
    cfg.refuse = [r.lower() for r in cfg.refuse]
    cfg.context = None
    if cfg.cert:
        cfg.context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        cfg.context.load_cert_chain(cfg.cert, cfg.key)
    os.makedirs(cfg.out, exist_ok=True)
    sink = Sink(cfg)
    sys.stdout.write("%d\n" % sink.server_address[1])
    sys.stdout.flush()
    sink.serve_forever()


if __name__ == "__main__":
    main()
