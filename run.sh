#!/usr/bin/env bash
# Installs what is missing, builds Lumivia and starts it. Without a display it renders
# the lesson tour to PNG files instead and says where they are.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
# Same configuration as test.sh, so both commands share one build.
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVEX_WERROR=ON >/dev/null
cmake --build "$root/build" --target lumivia lumivia-tour
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$root/build/bin/lumivia"
fi
out="$root/build/tour"
SDL_VIDEODRIVER=offscreen "$root/build/bin/lumivia-tour" --out "$out"
echo "No display found: the lesson tour was rendered to PNG files in $out"
