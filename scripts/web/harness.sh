#!/usr/bin/env bash
# The browser test and bench of the web build (scripts/web.sh test, scripts/web.sh bench).
#   harness.sh test   every lesson page and the start screen in headless Chromium against
#                     the desktop tour's picture (fixed clock, 30 frames), one lesson's
#                     controls driven with mouse events, deliberately wrong pictures that must
#                     be refused; failed pictures and their diffs go to build-web/test/failed
#   harness.sh bench  per-lesson frame median and p95 in the browser beside the desktop's
# Needs the site (scripts/web.sh build); builds the desktop tour in build/ when it is
# missing and installs the harness's node packages (pinned, scripts/web/package-lock.json)
# into scripts/web/node_modules.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
here="$root/scripts/web"
command="${1:-}"
case "$command" in
test | bench) ;;
*)
    echo "usage: $0 test|bench" >&2
    exit 2
    ;;
esac
if [ ! -f "$root/build-web/site/lumivia.html" ]; then
    echo "no site in build-web/site: run scripts/web.sh build first" >&2
    exit 1
fi
for tool in node npm chromium; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: run scripts/web.sh build first" >&2
        exit 1
    }
done
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.package-lock.json.installed"; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$here/package-lock.json" "$here/node_modules/.package-lock.json.installed"
fi
if [ ! -f "$root/build/build.ninja" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHALVEX_WERROR=ON >/dev/null
fi
cmake --build "$root/build" -j "$(nproc)" --target lumivia-tour >/dev/null
exec node "$here/harness.mjs" "$command" --root "$root/build-web" \
    --tour "$root/build/bin/lumivia-tour" --work "$root/build-web/$command"
