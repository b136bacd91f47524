#!/usr/bin/env bash
# The browser test and bench of the web build (scripts/web.sh test, scripts/web.sh bench).
#   harness.sh test   every lesson page and the start screen in headless Chromium against
#                     the desktop tour's picture (fixed clock, 30 frames), two lessons'
#                     controls driven with mouse events (RS_FillShadeCull to WireFrame,
#                     TextureSampling to Border), deliberately wrong pictures that must
#                     be refused; failed pictures and their diffs go to build-web/test/failed
#   harness.sh bench  per-lesson frame median and p95 in the browser beside the desktop's
# Needs the site (scripts/web.sh build); builds the desktop tour in build/ and the GL test
# page in build-web/ and installs the harness's node packages (pinned, scripts/web/package-lock.json)
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
"$root/scripts/install-deps.sh" "$here/deps-test.txt"
# Debian's nodejs comes without npm; other builds of nodejs bring their own.
command -v npm >/dev/null || "$root/scripts/install-deps.sh" <(echo npm)
if ! cmp -s "$here/package-lock.json" "$here/node_modules/.package-lock.json.installed"; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
    cp "$here/package-lock.json" "$here/node_modules/.package-lock.json.installed"
fi
if [ ! -f "$root/build/build.ninja" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHALVEX_WERROR=ON >/dev/null
fi
cmake --build "$root/build" -j "$(nproc)" --target lumivia-tour
if [ "$command" = test ]; then
    # d3d9gl's GL tests as a page, in the site's build tree (build-web/tests-web/).
    export NODE_PATH=/usr/share/nodejs
    cmake -S "$root" -B "$root/build-web" -DHALVEX_WEB_TESTS=ON >/dev/null
    cmake --build "$root/build-web" --target d3d9gl_gl_tests
fi
exec node "$here/harness.mjs" "$command" --root "$root/build-web" \
    --tour "$root/build/bin/lumivia-tour" --work "$root/build-web/$command"
