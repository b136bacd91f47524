#!/usr/bin/env bash
# Installs what is missing, builds Lumivia and starts it. Without a display it renders
# the lesson tour to PNG files instead and says where they are.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHALVEX_TESTS=OFF >/dev/null
cmake --build "$root/build"
if [[ ! -x "$root/build/bin/lumivia" ]]; then
    echo "Built the engine libraries. There is no Lumivia program to start yet."
    exit 0
fi
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$root/build/bin/lumivia"
fi
out="$root/build/tour"
SDL_VIDEODRIVER=offscreen "$root/build/bin/lumivia-tour" --out "$out"
echo "No display found: the lesson tour was rendered to PNG files in $out"
