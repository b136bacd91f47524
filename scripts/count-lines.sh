#!/usr/bin/env bash
# Counts the C++ lines (.cpp, .h) of each folder given that are neither blank nor
# comment-only, e.g. scripts/count-lines.sh tests engine app tools
set -euo pipefail
for dir in "$@"; do
    find "$dir" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | awk '
        { line = $0; gsub(/^[ \t]+|[ \t]+$/, "", line) }
        inblock { if (index(line, "*/")) { inblock = 0; rest = substr(line, index(line, "*/") + 2);
                  gsub(/^[ \t]+/, "", rest); if (rest != "") n++ } next }
        line == "" || substr(line, 1, 2) == "//" { next }
        substr(line, 1, 2) == "/*" { if (!index(substr(line, 3), "*/")) inblock = 1; next }
        { n++ }
        END { print n + 0 }' | sed "s|^|$dir |"
done
