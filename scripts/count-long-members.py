#!/usr/bin/env python3
"""Lists the member functions of a class defined in a set of source files whose bodies
are longer than a limit, longest first, as file:line, body length and name:
   scripts/count-long-members.py [--limit 40] [--class SKTWindowController] [files ...]
Without files it reads src/mainwindow/SKTWindowController*.cpp (run from the
repository). A body's length is the number of lines between its opening and its
closing brace. The last line gives the count."""
import argparse, glob, re, sys


def blank_comments_and_literals(text):
    """The text with comments, string and character literals replaced by spaces;
    newlines are kept so that line numbers stay."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            j = n if j < 0 else j
            out.append(' ' * (j - i)); i = j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r'[^\n]', ' ', text[i:j])); i = j
        elif c == 'R' and text.startswith('R"', i):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            end = text.find(')' + m.group(1) + '"', i) if m else -1
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append(re.sub(r'[^\n]', ' ', text[i:j])); i = j
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c and text[j] != '\n':
                j += 2 if text[j] == '\\' else 1
            j = min(j + 1, n)
            out.append(' ' * (j - i)); i = j
        else:
            out.append(c); i += 1
    return ''.join(out)


def matching(text, i, open_c, close_c):
    """The index of the bracket closing the one at i."""
    depth = 0
    for k in range(i, len(text)):
        if text[k] == open_c: depth += 1
        elif text[k] == close_c:
            depth -= 1
            if depth == 0: return k
    return -1


def members(path, cls):
    text = blank_comments_and_literals(open(path, encoding='utf-8').read())
    found = []
    pos = 0
    head = re.compile(r'\b' + cls + r'::(~?[A-Za-z_]\w*|operator\s*[^\s(]+)\s*\(')
    while True:
        m = head.search(text, pos)
        if not m: break
        close = matching(text, m.end() - 1, '(', ')')
        if close < 0: break
        # Skip qualifiers and an initializer list up to the body's brace; a ';' first
        # means a declaration or a call, not a definition.
        k, prev = close + 1, ')'
        body = -1
        while k < len(text):
            c = text[k]
            if c == ';': break
            if c == '(':
                k = matching(text, k, '(', ')') + 1; prev = ')'; continue
            if c == '{':
                if prev in ')}' or re.match(r'(const|override|noexcept|final|mutable)$', prev):
                    body = k; break
                k = matching(text, k, '{', '}') + 1; prev = '}'; continue
            if not c.isspace():
                w = re.match(r'\w+', text[k:])
                if w:
                    prev = w.group(0); k += w.end(); continue
                prev = c
            k += 1
        if body < 0:
            pos = m.end(); continue
        end = matching(text, body, '{', '}')
        if end < 0: break
        first = text.count('\n', 0, body) + 1
        last = text.count('\n', 0, end) + 1
        line = text.count('\n', 0, m.start()) + 1
        found.append((max(0, last - first - 1), path, line, m.group(1)))
        pos = end + 1
    return found


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument('--limit', type=int, default=40)
    ap.add_argument('--class', dest='cls', default='SKTWindowController')
    ap.add_argument('files', nargs='*')
    a = ap.parse_args()
    files = a.files or sorted(glob.glob('src/mainwindow/' + a.cls + '*.cpp'))
    if not files:
        print('no files', file=sys.stderr)
        return 2
    long = sorted((m for f in files for m in members(f, a.cls) if m[0] > a.limit), key=lambda m: (-m[0], m[1], m[2]))
    for length, path, line, name in long:
        print(f'{path}:{line}: {length} lines {a.cls}::{name}')
    print(f'{len(long)} members of {a.cls} longer than {a.limit} lines')
    return 0


if __name__ == '__main__':
    sys.exit(main())
