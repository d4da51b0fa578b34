#!/usr/bin/python3
"""Reads the messages an SMTP sink saved (NNN.eml with NNN.env) and prints one JSON
list: per message its envelope (with the MAIL FROM parameters and whether the data
held 8-bit bytes), From, To, Subject, text body with its transfer encoding, and
attachment names.
With a second argument the attachments are written there as NNN_name."""
import email
import email.policy
import glob
import json
import os
import sys

out = []
folder = sys.argv[1]
dump = sys.argv[2] if len(sys.argv) > 2 else None
for path in sorted(glob.glob(os.path.join(folder, "*.eml"))):
    base = path[:-4]
    with open(base + ".env", encoding="utf-8") as f:
        env = f.read().split("\n")
    with open(path, "rb") as f:
        msg = email.message_from_binary_file(f, policy=email.policy.default)
    body = msg.get_body(preferencelist=("plain",))
    names = []
    for part in msg.iter_attachments():
        name = part.get_filename()
        names.append(name)
        if dump:
            with open(os.path.join(dump, "%s_%s" % (os.path.basename(base), name)), "wb") as f:
                f.write(part.get_payload(decode=True))
    out.append({"envFrom": env[0], "envTo": env[1], "login": env[2], "from": str(msg["From"]),
                "to": str(msg["To"]), "subject": str(msg["Subject"]),
                "body": body.get_content() if body else "", "attachments": names,
                "params": env[3], "data": env[4], "cte": body.get("Content-Transfer-Encoding", "") if body else ""})
json.dump(out, sys.stdout)
