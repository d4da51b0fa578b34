#!/usr/bin/python3
"""Sends one e-mail through an SMTP server (Python 3 standard library only).

Command line:
    pyth_mail.py LOGIN SERVER PORT FROM RECIPIENT SUBJECT BODY SSL [ATTACHMENT ...]
SSL "Y" connects with implicit TLS; anything else ("N") asks for STARTTLS. The
security chosen is required for every server that is not on this machine: a
server there that offers no STARTTLS gets nothing (a server on this machine may
be spoken to in plain text). Standard input: the password as UTF-8, a line
feed, then a second line that is not used (the program writes "Description"
there). A login or password outside ASCII is sent as UTF-8 with AUTH PLAIN or
LOGIN. A sender or recipient address outside ASCII goes out with SMTPUTF8 when
the server offers it. Text outside ASCII goes out as 8-bit data only to a server
that offers 8BITMIME; to any other it is quoted-printable or base64.

One deadline (DEADLINE seconds, DOZO_MAIL_DEADLINE when set) holds for the
whole message, however slowly the server answers.

Exit status: 0 sent; 2 login refused; 3 recipient refused; 4 server not
reachable or stopped answering before it had the message; 5 secure connection
failed; 6 attachment missing; 7 the server offers no secure connection, nothing
sent; 8 the password cannot be sent to this server (no login method that takes
UTF-8); 9 the deadline passed before the server had the message, nothing sent;
10 the server stopped answering after it was given the message, which may have
been sent; 11 the recipient's address has characters outside ASCII and the
server does not offer SMTPUTF8, nothing sent; 12 the sender's address has
characters outside ASCII and the server takes it neither as an address (no
SMTPUTF8) nor as a login (no AUTH PLAIN or LOGIN), nothing sent; 1 anything
else (a refusal names the server's answer). Every failure writes one line to standard error,
which never holds the recipient's address nor the message's subject or text.
"""

import base64
import io
import ipaddress
import mimetypes
import os
import re
import signal
import smtplib
import socket
import ssl
import sys
import email.policy
from email.generator import BytesGenerator
from email.message import EmailMessage
from email.utils import formatdate, make_msgid

TIMEOUT = 30
DEADLINE = 120

SENT, OTHER, LOGIN, RECIPIENT, UNREACHABLE, SECURE, ATTACHMENT = 0, 1, 2, 3, 4, 5, 6
NOT_SECURE, PASSWORD, TIMED_OUT, MAYBE_SENT = 7, 8, 9, 10
RECIPIENT_ADDRESS, SENDER_ADDRESS = 11, 12


class Failure(Exception):
    def __init__(self, status, line):
        super().__init__(line)
        self.status = status
        self.line = line


class DeadlinePassed(Exception):
    """Raised by the timer when the whole message has taken too long."""


def on_deadline(signum, frame):
    raise DeadlinePassed()


def deadline_seconds():
    try:
        value = float(os.environ.get("DOZO_MAIL_DEADLINE", DEADLINE))
        return value if value > 0 else DEADLINE
    except ValueError:
        return DEADLINE


class Tracked:
    """Notes when the whole message (up to the closing dot) has gone to the server."""

    data_given = False

    def send(self, s):
        super().send(s)
        if isinstance(s, (bytes, bytearray)) and s.endswith(b"\r\n.\r\n"):
            self.data_given = True


class TrackedSMTP(Tracked, smtplib.SMTP):
    pass


class TrackedSMTP_SSL(Tracked, smtplib.SMTP_SSL):
    pass


def read_password():
    data = sys.stdin.buffer.read()
    return data.split(b"\n", 1)[0].decode("utf-8", errors="replace")


def build_message(sender, recipient, subject, body, attachments, eight_bit=True):
    """The message; without `eight_bit` every part is 7-bit (quoted-printable or
    base64 where the text needs it)."""
    msg = EmailMessage(policy=email.policy.default.clone(cte_type="8bit" if eight_bit else "7bit"))
    msg["From"] = sender
    msg["To"] = recipient
    msg["Subject"] = subject
    msg["Date"] = formatdate(localtime=True)
    msg["Message-ID"] = make_msgid()
    msg.set_content(body)
    for name, maintype, subtype, data in attachments:
        msg.add_attachment(data, maintype=maintype, subtype=subtype, filename=name)
    return msg


def read_attachments(paths):
    """(file name, main type, subtype, bytes) of every file to attach."""
    files = []
    for path in paths:
        ctype, encoding = mimetypes.guess_type(path)
        if ctype is None or encoding is not None:
            ctype = "application/octet-stream"
        maintype, subtype = ctype.split("/", 1)
        try:
            with open(path, "rb") as f:
                files.append((os.path.basename(path), maintype, subtype, f.read()))
        except OSError as e:
            raise Failure(ATTACHMENT, "attachment missing: %s" % e.strerror)
    return files


def peer_is_loopback(smtp):
    try:
        return ipaddress.ip_address(smtp.sock.getpeername()[0].split("%", 1)[0]).is_loopback
    except (OSError, ValueError, AttributeError):
        return False


def connect(server, port, implicit_tls):
    context = ssl.create_default_context()
    smtp = None
    try:
        if implicit_tls:
            smtp = TrackedSMTP_SSL(server, port, timeout=TIMEOUT, context=context)
        else:
            smtp = TrackedSMTP(server, port, timeout=TIMEOUT)
        smtp.ehlo()
        if implicit_tls:
            return smtp
        if smtp.has_extn("starttls"):
            smtp.starttls(context=context)
            smtp.ehlo()
            return smtp
        if peer_is_loopback(smtp):
            return smtp
        raise Failure(NOT_SECURE, "server %s:%d offers no secure connection (STARTTLS); nothing was sent" % (server, port))
    except Failure:
        close(smtp)
        raise
    except (ssl.SSLError, ssl.CertificateError) as e:
        close(smtp)
        raise Failure(SECURE, "secure connection to %s:%d failed: %s" % (server, port, e))
    except (smtplib.SMTPConnectError, smtplib.SMTPServerDisconnected, OSError) as e:
        close(smtp)
        raise Failure(UNREACHABLE, "server %s:%d not reachable: %s" % (server, port, e))


def close(smtp):
    if smtp is not None:
        try:
            smtp.close()
        except Exception:  # noqa: BLE001 - closing only
            pass


def b64(data):
    return base64.b64encode(data).decode("ascii")


def login_utf8(smtp, login, password):
    """AUTH PLAIN or LOGIN with the login and password as UTF-8 (RFC 4616 and the
    usual LOGIN exchange); smtplib itself encodes them as ASCII."""
    mechanisms = smtp.esmtp_features.get("auth", "").upper().split()
    if not login.isascii() and "PLAIN" not in mechanisms and "LOGIN" not in mechanisms:
        raise Failure(SENDER_ADDRESS, "the sender (login) holds characters outside ASCII and the server offers no "
                                      "login (AUTH PLAIN or LOGIN) that takes them")
    if "PLAIN" in mechanisms:
        code, reply = smtp.docmd("AUTH", "PLAIN " + b64(b"\0" + login.encode("utf-8") + b"\0" + password.encode("utf-8")))
    elif "LOGIN" in mechanisms:
        code, reply = smtp.docmd("AUTH", "LOGIN")
        if code == 334:
            code, reply = smtp.docmd(b64(login.encode("utf-8")))
        if code == 334:
            code, reply = smtp.docmd(b64(password.encode("utf-8")))
    else:
        raise Failure(PASSWORD, "the password holds characters outside ASCII and the server offers no login "
                                "(AUTH PLAIN or LOGIN) that takes them")
    if code not in (235, 503):
        raise smtplib.SMTPAuthenticationError(code, reply)


def authenticate(smtp, login, password):
    try:
        if login.isascii() and password.isascii():
            smtp.login(login, password)
        else:
            login_utf8(smtp, login, password)
    except smtplib.SMTPAuthenticationError as e:
        raise Failure(LOGIN, "login refused: %d %s" % (e.smtp_code, text_of(e.smtp_error)))


def text_of(reply):
    return reply.decode(errors="replace") if isinstance(reply, (bytes, bytearray)) else str(reply)


def check_addresses(smtp, sender, recipient):
    """An address outside ASCII needs SMTPUTF8; without it nothing can be sent."""
    if smtp.has_extn("smtputf8"):
        return
    if not sender.isascii():
        raise Failure(SENDER_ADDRESS, "the sender address has characters outside ASCII and the server does not "
                                      "offer SMTPUTF8; nothing was sent")
    if not recipient.isascii():
        raise Failure(RECIPIENT_ADDRESS, "the recipient address has characters outside ASCII and the server does "
                                         "not offer SMTPUTF8; nothing was sent")


def deliver(smtp, msg, sender, recipient):
    """MAIL FROM with SMTPUTF8 for an address outside ASCII (headers then in UTF-8),
    and BODY=8BITMIME whenever 8-bit data goes to a server that offers it."""
    international = not (sender.isascii() and recipient.isascii())
    with io.BytesIO() as data:
        BytesGenerator(data, policy=msg.policy.clone(utf8=international)).flatten(msg, linesep="\r\n")
        flat = data.getvalue()
    options = []
    if international:
        options.append("SMTPUTF8")
    if not flat.isascii() and smtp.has_extn("8bitmime"):
        options.append("BODY=8BITMIME")
    smtp.sendmail(sender, [recipient], flat, mail_options=options)


def stopped_answering(smtp, server, port, e):
    if smtp is not None and smtp.data_given:
        return Failure(MAYBE_SENT, "server %s:%d stopped answering after it was given the message; it may have "
                       "been sent: %s" % (server, port, e))
    return Failure(UNREACHABLE, "server %s:%d stopped answering: %s" % (server, port, e))


def send(argv, password):
    if len(argv) < 9:
        raise Failure(OTHER, "usage: pyth_mail.py LOGIN SERVER PORT FROM RECIPIENT SUBJECT BODY SSL [ATTACHMENT ...]")
    login, server, port_text, sender, recipient, subject, body, ssl_flag = argv[1:9]
    paths = argv[9:]
    try:
        port = int(port_text.strip())
        if not 0 < port < 65536:
            raise ValueError
    except ValueError:
        raise Failure(OTHER, "port is not a number from 1 to 65535: %r" % port_text)
    attachments = read_attachments(paths)

    server = server.strip()
    smtp = None
    try:
        smtp = connect(server, port, ssl_flag == "Y")
        check_addresses(smtp, sender, recipient)
        if smtp.has_extn("auth"):
            authenticate(smtp, login, password)
        msg = build_message(sender, recipient, subject, body, attachments, smtp.has_extn("8bitmime"))
        try:
            deliver(smtp, msg, sender, recipient)
        except smtplib.SMTPRecipientsRefused as e:
            code, _ = e.recipients.get(recipient, (0, b""))
            raise Failure(RECIPIENT, "recipient refused: %d" % code)
        try:
            smtp.quit()
        except (smtplib.SMTPException, OSError, DeadlinePassed):
            pass
    except DeadlinePassed:
        if smtp is not None and smtp.data_given:
            raise Failure(MAYBE_SENT, "server %s:%d did not confirm the message within %g s; it may have been sent"
                          % (server, port, deadline_seconds()))
        raise Failure(TIMED_OUT, "server %s:%d did not take the message within %g s; nothing was sent"
                      % (server, port, deadline_seconds()))
    except smtplib.SMTPException as e:
        if not isinstance(e, smtplib.SMTPServerDisconnected):
            raise  # the server answered: main() names its refusal
        raise stopped_answering(smtp, server, port, e)
    except OSError as e:  # socket.timeout included
        raise stopped_answering(smtp, server, port, e)
    finally:
        close(smtp)


ADDRESS = re.compile(r"[^\s<>\"'(),;:]+@[^\s<>\"'(),;:]+")


def scrubbed(line, argv):
    """The line without the recipient's address, the subject or the text of the
    message, and without anything that looks like an address; on one line."""
    for k, secret in enumerate(argv[5:8]):
        if secret.strip() and (k == 0 or len(secret) >= 6):
            line = line.replace(secret, "<hidden>")
    return ADDRESS.sub("<address>", line).replace("\r", " ").replace("\n", " ")


def main(argv):
    signal.signal(signal.SIGALRM, on_deadline)
    signal.setitimer(signal.ITIMER_REAL, deadline_seconds())
    line, status = "", SENT
    try:
        send(argv, read_password())
    except Failure as f:
        line, status = f.line, f.status
    except DeadlinePassed:
        line, status = "the message was not sent within %g s" % deadline_seconds(), TIMED_OUT
    except smtplib.SMTPResponseException as e:
        line, status = "server refused: %d %s" % (e.smtp_code, text_of(e.smtp_error)), OTHER
    except Exception as e:  # noqa: BLE001 - one line, never a trace
        line, status = "mail not sent: %s" % e, OTHER
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
    if status != SENT:
        sys.stderr.write(scrubbed(line, argv) + "\n")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
