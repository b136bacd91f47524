#!/usr/bin/env bash
# Regenerates Data/ and docs/contact_sheet.png with the data baker (tools/bake).
# The result is deterministic: committed data must equal a fresh bake (a unit test checks).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="$root/build-bake"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVEX_TESTS=OFF >/dev/null
cmake --build "$build" --target lumivia-bake
"$build/bin/lumivia-bake" --out "$root/Data" --contact-sheet "$root/docs/contact_sheet.png"
