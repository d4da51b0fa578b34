#!/usr/bin/env python3
"""Counts the public member functions and public fields of a class in a header:
   scripts/count-public-functions.py src/mainwindow/SKTWindowController.h SKTWindowController [-v]"""
import re, sys
path, cls = sys.argv[1], sys.argv[2]
src = open(path).read()
src = re.sub(r'//[^\n]*', '', src)
src = re.sub(r'/\*.*?\*/', '', src, flags=re.S)
m = re.search(r'class\s+' + cls + r'\b[^;{]*\{', src)
i = m.end(); depth = 1; body_start = i
while depth:
    c = src[i]
    if c == '{': depth += 1
    elif c == '}': depth -= 1
    i += 1
body = re.sub(r'\bQ_OBJECT\b', '', src[body_start:i-1])
# Walk top-level statements of the class body.
access = 'private'
funcs = fields = 0
stmt = ''; depth = 0; names = []
j = 0
while j < len(body):
    c = body[j]
    if depth == 0:
        mm = re.match(r'\s*(public|private|protected)(\s+(slots|Q_SLOTS))?\s*:(?!:)', body[j:])
        if mm and stmt.strip() == '':
            access = mm.group(1); j += mm.end(); continue
    if c == '{':
        if depth == 0 and '(' in stmt and not re.search(r'=\s*$', stmt) and re.search(r'\)\s*(const)?\s*(override)?\s*(noexcept)?\s*(->[^{]*)?$', stmt.strip()):
            # inline function body: count and skip it
            k = j; d = 0
            while True:
                if body[k] == '{': d += 1
                elif body[k] == '}':
                    d -= 1
                    if d == 0: break
                k += 1
            s = stmt.strip()
            if access == 'public': funcs += 1; names.append(s)
            stmt = ''; j = k + 1; continue
        depth += 1
    elif c == '}': depth -= 1
    if c == ';' and depth == 0:
        s = stmt.strip()
        stmt = ''
        j += 1
        if not s or s.startswith(('Q_OBJECT', 'friend', 'using', 'enum', 'struct', 'class', 'typedef', 'signals', 'Q_')):
            continue
        if access != 'public': continue
        head = s.split('(')[0]
        if '(' in s and '=' not in head and not re.search(r'std::function<', head) and re.search(r'\)\s*(const)?\s*(override|final|noexcept|=\s*0|=\s*default|=\s*delete|\s)*$', s):
            funcs += 1; names.append(s)
        else:
            fields += 1
        continue
    stmt += c
    j += 1
print(f'{cls}: {funcs} public functions, {fields} public fields')
if len(sys.argv) > 3:
    print('\n'.join(' '.join(n.split())[:120] for n in names))
