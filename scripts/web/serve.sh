#!/usr/bin/env bash
# Serves the built site on the loopback interface only: scripts/web.sh serve [PORT]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
site="$root/build-web/site"
port="${1:-8000}"
if [[ ! -f "$site/lumivia.html" ]]; then
    echo "web.sh serve: no site in $site; run scripts/web.sh build first" >&2
    exit 1
fi
echo "Lumivia: http://127.0.0.1:$port/ (the gallery), http://127.0.0.1:$port/lumivia.html"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
