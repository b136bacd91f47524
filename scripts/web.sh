#!/usr/bin/env bash
# Lumivia in the browser (WebAssembly + WebGL2, built with Debian's emscripten).
#   scripts/web.sh build          installs what is missing, builds the site into build-web/site/
#   scripts/web.sh serve [PORT]   serves build-web/site/ on http://127.0.0.1:PORT/ (default 8000)
#   scripts/web.sh test           the browser test: every lesson against the desktop pictures
#   scripts/web.sh bench          per-lesson frame times in the browser beside the desktop's
# Each command is one script in scripts/web/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command="${1:-}"
script="$here/web/$command.sh"
if [[ ! "$command" =~ ^(build|serve|test|bench)$ ]]; then
    sed -n '2,6p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
    exit 2
fi
if [[ ! -f "$script" ]]; then
    echo "web.sh: '$command' is not part of this checkout ($script is missing)" >&2
    exit 2
fi
shift
exec bash "$script" "$@"
