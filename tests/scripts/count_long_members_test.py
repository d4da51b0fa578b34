#!/usr/bin/env python3
"""scripts/count-long-members.py on a made-up controller file: the bodies it measures,
the definitions it must not mistake (calls, declarations, braces in strings, comments
and initializer lists) and its exact output."""
import os, subprocess, sys, tempfile, textwrap

script = sys.argv[1]

def body(n, text='    x();\n'):
    return text * n

source = (
    "#include \"W.h\"\n"                                    # 1
    "// W::commented(int) { a comment is no definition }\n"  # 2
    "W::W(int a) : m_a(a), m_b{a, 2}, m_c(\"{\")\n"           # 3  constructor with an initializer list
    "{\n" + body(41) + "}\n"                                 # 4..46: 41 lines
    "void W::call() { other.W::done(); }\n"                 # 47 a call of W:: inside is no definition
    "int W::exactly40() const\n{\n" + body(40) + "}\n"     # 48..91: 40 lines, not listed
    "QString W::braces()\n{\n"                              # 91, 92
    + body(42, '    s += "}}{";  /* } */ // {\n') + "}\n"   # 42 lines with braces in strings/comments
    "void W::declared(int);\n"                              # a declaration
    "void W::lambdas()\n{\n    auto f = [] {\n" + body(50) + "    };\n}\n"  # 52 lines
)

with tempfile.TemporaryDirectory() as d:
    path = os.path.join(d, "W_Part.cpp")
    open(path, "w").write(source)
    out = subprocess.run([sys.executable, script, "--class", "W", path], capture_output=True, text=True, check=True).stdout
    expected = textwrap.dedent(f"""\
        {path}:137: 52 lines W::lambdas
        {path}:91: 42 lines W::braces
        {path}:3: 41 lines W::W
        3 members of W longer than 40 lines
        """)
    if out != expected:
        print("got:\n" + out + "\nexpected:\n" + expected)
        sys.exit(1)
    # The limit is the caller's: 39 lists the member of exactly 40 lines too.
    out = subprocess.run([sys.executable, script, "--class", "W", "--limit", "39", path],
                         capture_output=True, text=True, check=True).stdout
    if f"{path}:48: 40 lines W::exactly40" not in out or not out.endswith("4 members of W longer than 39 lines\n"):
        print("got:\n" + out)
        sys.exit(1)
print("ok")
