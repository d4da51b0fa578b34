#!/usr/bin/python3
"""Sends one e-mail through an SMTP server (Python 3 standard library only).

Command line:
    pyth_mail.py LOGIN SERVER PORT FROM RECIPIENT SUBJECT BODY SSL [ATTACHMENT ...]
SSL "Y" connects with implicit TLS; anything else ("N") uses STARTTLS when the
server offers it. Standard input: the password, a line feed, then a second line
that is not used (the program writes "Description" there).

Exit status: 0 sent; 2 login refused; 3 recipient refused; 4 server not
reachable or timed out; 5 secure connection failed (or a password would go out
unencrypted to a server that is not on this machine); 6 attachment missing;
1 anything else. Every failure writes one line to standard error.
"""

import ipaddress
import mimetypes
import os
import smtplib
import socket
import ssl
import sys
from email.message import EmailMessage
from email.utils import formatdate, make_msgid

TIMEOUT = 30

SENT, OTHER, LOGIN, RECIPIENT, UNREACHABLE, SECURE, ATTACHMENT = 0, 1, 2, 3, 4, 5, 6


class Failure(Exception):
    def __init__(self, status, line):
        super().__init__(line)
        self.status = status
        self.line = line


def read_password():
    data = sys.stdin.buffer.read()
    return data.split(b"\n", 1)[0].decode("utf-8", errors="replace")


def build_message(sender, recipient, subject, body, attachments):
    msg = EmailMessage()
    msg["From"] = sender
    msg["To"] = recipient
    msg["Subject"] = subject
    msg["Date"] = formatdate(localtime=True)
    msg["Message-ID"] = make_msgid()
    msg.set_content(body)
    for path in attachments:
        ctype, encoding = mimetypes.guess_type(path)
        if ctype is None or encoding is not None:
            ctype = "application/octet-stream"
        maintype, subtype = ctype.split("/", 1)
        try:
            with open(path, "rb") as f:
                data = f.read()
        except OSError as e:
            raise Failure(ATTACHMENT, "attachment missing: %s (%s)" % (path, e.strerror))
        msg.add_attachment(data, maintype=maintype, subtype=subtype, filename=os.path.basename(path))
    return msg


def peer_is_loopback(smtp):
    try:
        return ipaddress.ip_address(smtp.sock.getpeername()[0].split("%", 1)[0]).is_loopback
    except (OSError, ValueError, AttributeError):
        return False


def connect(server, port, implicit_tls):
    context = ssl.create_default_context()
    try:
        if implicit_tls:
            smtp = smtplib.SMTP_SSL(server, port, timeout=TIMEOUT, context=context)
        else:
            smtp = smtplib.SMTP(server, port, timeout=TIMEOUT)
        smtp.ehlo()
        if not implicit_tls and smtp.has_extn("starttls"):
            smtp.starttls(context=context)
            smtp.ehlo()
            return smtp, True
        return smtp, implicit_tls
    except (ssl.SSLError, ssl.CertificateError) as e:
        raise Failure(SECURE, "secure connection to %s:%d failed: %s" % (server, port, e))
    except (smtplib.SMTPConnectError, smtplib.SMTPServerDisconnected, OSError) as e:
        raise Failure(UNREACHABLE, "server %s:%d not reachable: %s" % (server, port, e))


def send(argv, password):
    if len(argv) < 9:
        raise Failure(OTHER, "usage: pyth_mail.py LOGIN SERVER PORT FROM RECIPIENT SUBJECT BODY SSL [ATTACHMENT ...]")
    login, server, port_text, sender, recipient, subject, body, ssl_flag = argv[1:9]
    attachments = argv[9:]
    try:
        port = int(port_text.strip())
        if not 0 < port < 65536:
            raise ValueError
    except ValueError:
        raise Failure(OTHER, "port is not a number from 1 to 65535: %r" % port_text)
    msg = build_message(sender, recipient, subject, body, attachments)

    smtp, secure = connect(server.strip(), port, ssl_flag == "Y")
    try:
        if smtp.has_extn("auth"):
            if not secure and not peer_is_loopback(smtp):
                raise Failure(SECURE, "server %s offers no secure connection; the password is not sent" % server)
            try:
                smtp.login(login, password)
            except smtplib.SMTPAuthenticationError as e:
                raise Failure(LOGIN, "login refused: %d %s" % (e.smtp_code, e.smtp_error.decode(errors="replace")))
        try:
            smtp.send_message(msg, from_addr=sender, to_addrs=[recipient])
        except smtplib.SMTPRecipientsRefused as e:
            code, text = e.recipients.get(recipient, (0, b""))
            raise Failure(RECIPIENT, "recipient refused: %s %d %s" % (recipient, code, text.decode(errors="replace")))
        try:
            smtp.quit()
        except (smtplib.SMTPException, OSError):
            pass
    except (socket.timeout, smtplib.SMTPServerDisconnected) as e:
        raise Failure(UNREACHABLE, "server %s:%d stopped answering: %s" % (server, port, e))
    finally:
        smtp.close()


def main(argv):
    try:
        send(argv, read_password())
    except Failure as f:
        sys.stderr.write(f.line.replace("\n", " ") + "\n")
        return f.status
    except smtplib.SMTPResponseException as e:
        sys.stderr.write("server refused: %d %s\n" % (e.smtp_code, e.smtp_error.decode(errors="replace")))
        return OTHER
    except Exception as e:  # noqa: BLE001 - one line, never a trace
        sys.stderr.write(("mail not sent: %s" % e).replace("\n", " ") + "\n")
        return OTHER
    return SENT


if __name__ == "__main__":
    sys.exit(main(sys.argv))
