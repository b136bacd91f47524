#!/usr/bin/env bash
# Builds Lumivia for the browser (WebAssembly + WebGL 2) into build-web/ and lays out the
# static site in build-web/site/: the gallery (index.html), lumivia.html with its script and
# the program (lumivia.js, lumivia.wasm, lumivia.data). Installs what is missing first.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
"$root/scripts/install-deps.sh" "$root/scripts/deps-web.txt"
# emcc's optimising link runs node scripts that need Debian's node modules (acorn).
export NODE_PATH=/usr/share/nodejs
build="$root/build-web"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DHALVEX_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --target lumivia

site="$build/site"
rm -rf "$site"
mkdir -p "$site"
cp "$build"/bin/lumivia.js "$build"/bin/lumivia.wasm "$build"/bin/lumivia.data "$site/"
cp "$root"/web/*.html "$root"/web/*.css "$root"/web/*.js "$site/"
python3 "$root/scripts/web/gallery.py" "$root" "$site"
lesson=$(du -cb "$site"/lumivia.{html,js,wasm,data} "$site"/page.{js,css} | tail -1 | cut -f1)
echo "Site in $site: one lesson loads $((lesson / 1024)) KiB (page, script, wasm and data)."
echo "Serve it with: scripts/web.sh serve"
