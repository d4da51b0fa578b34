#!/usr/bin/python3
"""Installs the build with `cmake --install` (a prefix, then a DESTDIR), checks what
lands where, makes the DESTDIR copy read-only and starts its program off screen with a
design file, from a folder that holds no resources: it must find the installed ones
(it copies the default print profile from them into the user's data folder) and stay
up, showing its window, until it is stopped.

    install_and_start.py BUILD_DIR DESIGN.zcd
"""
import configparser
import os
import shutil
import signal
import stat
import struct
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ET

ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]
RESOURCES = "share/dozo-idcard/resources"
SHIPPED = ["Help.pdf", "Template.xlsx", "Template.ods", "pyth_mail.py", "Visitor_Log/Visitor.db",
           "PrintProfile/Default.zvp", "Templates/Visitor/Visitor Pass (h).zcd",
           "Templates/Visitor/Visitor Pass (h).png", "Icons/new.png", "Background", "LibraryImage",
           "Fill_Style_Image"]
NOT_SHIPPED = ["spreadsheet-template", "spreadsheet-template-ods", "README.md"]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def check_layout(root):
    program = os.path.join(root, "bin/dozo-idcard")
    check(os.path.isfile(program) and os.access(program, os.X_OK), f"{program} is not an executable")
    for name in SHIPPED:
        check(os.path.exists(os.path.join(root, RESOURCES, name)), f"{RESOURCES}/{name} missing")
    for name in NOT_SHIPPED:
        check(not os.path.exists(os.path.join(root, RESOURCES, name)), f"{RESOURCES}/{name} installed")
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(root, "share/applications/dozo-idcard.desktop"))
    desktop = entry["Desktop Entry"] if entry.has_section("Desktop Entry") else {}
    check(desktop.get("Type") == "Application", "desktop entry: Type")
    check(desktop.get("Name") == "DOZO ID Card", "desktop entry: Name")
    check(desktop.get("Exec") == "dozo-idcard %f", f"desktop entry: Exec {desktop.get('Exec')!r}")
    check(desktop.get("Icon") == "dozo-idcard", "desktop entry: Icon")
    check(desktop.get("MimeType") == "application/x-dozo-idcard-design;", "desktop entry: MimeType")
    for size in ICON_SIZES:
        icon = os.path.join(root, f"share/icons/hicolor/{size}x{size}/apps/dozo-idcard.png")
        check(os.path.isfile(icon) and png_size(icon) == (size, size), f"icon {size}x{size}")
    ns = "{http://www.freedesktop.org/standards/shared-mime-info}"
    mime = ET.parse(os.path.join(root, "share/mime/packages/dozo-idcard.xml")).getroot()
    types = {t.get("type"): [g.get("pattern") for g in t.iter(ns + "glob")] for t in mime.iter(ns + "mime-type")}
    check(types == {"application/x-dozo-idcard-design": ["*.zcd"]}, f"MIME types {types}")
    check(os.path.isfile(os.path.join(root, "share/doc/dozo-idcard/LICENSE")), "licence not installed")


def install(build, prefix, destdir=None):
    env = dict(os.environ)
    env.pop("DESTDIR", None)
    if destdir:
        env["DESTDIR"] = destdir
    run = subprocess.run(["cmake", "--install", build, "--prefix", prefix], env=env,
                         capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"cmake --install failed:\n{run.stdout}{run.stderr}")


def start(root, design, tmp):
    home = os.path.join(tmp, "home")
    work = os.path.join(tmp, "work")  # no resources here
    os.makedirs(home)
    os.makedirs(work)
    env = {k: v for k, v in os.environ.items() if not k.startswith(("DOZO_", "XDG_"))}
    env.update(QT_QPA_PLATFORM="offscreen", HOME=home, XDG_DATA_HOME=os.path.join(home, "data"),
               XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_CACHE_HOME=os.path.join(home, "cache"),
               XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
    os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)
    log = open(os.path.join(tmp, "program.log"), "w+")
    program = subprocess.Popen([os.path.join(root, "bin/dozo-idcard"), design], cwd=work, env=env,
                               stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
    copied = os.path.join(env["XDG_DATA_HOME"], "DOZO ID Card/PrintProfile/Default.zvp")
    installed = os.path.join(root, RESOURCES, "PrintProfile/Default.zvp")
    try:
        deadline = time.monotonic() + 90
        while not os.path.isfile(copied) and program.poll() is None and time.monotonic() < deadline:
            time.sleep(0.2)
        time.sleep(2)  # the window up, the design read
        running = program.poll() is None
        check(running, f"the program ended with {program.returncode}")
        check(os.path.isfile(copied), "the default print profile was not copied from the installed resources")
        if os.path.isfile(copied):
            with open(copied, "rb") as a, open(installed, "rb") as b:
                check(a.read() == b.read(), "the copied print profile differs from the installed one")
    finally:
        if program.poll() is None:
            os.killpg(program.pid, signal.SIGTERM)
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(program.pid, signal.SIGKILL)
                program.wait()
        log.seek(0)
        output = log.read()
        log.close()
    if failures:
        print(output)


def make_read_only(root):
    for folder, dirs, files in os.walk(root):
        for name in files + dirs + [""]:
            path = os.path.join(folder, name)
            mode = os.lstat(path).st_mode
            if not stat.S_ISLNK(mode):
                os.chmod(path, mode & ~(stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH))


def make_writable(root):
    for folder, dirs, files in os.walk(root):
        os.chmod(folder, 0o700)
        for name in files:
            os.chmod(os.path.join(folder, name), 0o600)


def main():
    build, design = sys.argv[1], os.path.abspath(sys.argv[2])
    tmp = tempfile.mkdtemp(prefix="dozo-install-")
    try:
        prefix = os.path.join(tmp, "prefix")
        install(build, prefix)
        check_layout(prefix)
        dest = os.path.join(tmp, "dest")
        install(build, "/usr", dest)
        root = os.path.join(dest, "usr")
        check_layout(root)
        make_read_only(dest)
        start(root, design, tmp)
    finally:
        make_writable(tmp)
        shutil.rmtree(tmp)
    for f in failures:
        print("FAILED:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
