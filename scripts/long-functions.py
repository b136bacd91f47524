#!/usr/bin/env python3
"""Lists the functions longer than N lines, counted from the signature to the closing brace,
in the C++ files below each folder given: scripts/long-functions.py 60 engine app tools.
It reads clang-formatted code (Allman braces) as text."""
import re, sys, pathlib
limit = int(sys.argv[1]); roots = sys.argv[2:]
ctrl = re.compile(r'^\s*(if|for|while|switch|else|do|case|try|catch|struct|class|namespace|enum|union|extern)\b')
for root in roots:
    for p in sorted(pathlib.Path(root).rglob('*')):
        if p.suffix not in ('.cpp', '.h'): continue
        lines = p.read_text(errors='replace').split('\n')
        i = 0
        while i < len(lines):
            m = re.match(r'^( *)\{\s*$', lines[i])
            if m and i > 0:
                ind = m.group(1)
                prev = lines[i-1]
                if ')' in prev or prev.strip().startswith(':') or re.search(r'\b(const|override|noexcept|final)\s*$', prev):
                    if not ctrl.match(prev) and not prev.rstrip().endswith(('=', ',')):
                        # find signature start
                        s = i - 1
                        while s > 0 and lines[s-1].strip() and not lines[s-1].rstrip().endswith((';', '}', '{')) and not lines[s-1].strip().startswith(('//', '#')) and len(lines[s-1]) - len(lines[s-1].lstrip()) >= len(ind):
                            s -= 1
                        j = i + 1
                        while j < len(lines) and not re.match('^' + ind + r'\}', lines[j]):
                            j += 1
                        n = j - s + 1
                        if n > limit:
                            name = re.sub(r'\s+', ' ', ' '.join(l.strip() for l in lines[s:i]))[:90]
                            print(f'{n:4d} {p}:{s+1} {name}')
                        i = j + 1
                        continue
            i += 1
