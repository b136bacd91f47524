#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests (unit, gl, app).
#   ./test.sh             the normal build in build/
#   ./test.sh --sanitize  every test under AddressSanitizer, LeakSanitizer and UBSan in
#                         build-asan/ (tests/lsan.supp names the GL driver's and SDL's leaks)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"
if [[ "${1:-}" == "--sanitize" ]]; then
    cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DHALVEX_WERROR=ON -DHALVEX_SANITIZE=ON >/dev/null
    cmake --build "$root/build-asan" -j "$jobs"
    cd "$root/build-asan"
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" \
        UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs"
    exit 0
fi
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVEX_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$jobs"
cd "$root/build"
ctest --output-on-failure -j "$jobs"
