#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests (unit, gl, app).
#   ./test.sh             the normal build in build/
#   ./test.sh --sanitize  the unit tests under AddressSanitizer and UBSan in build-asan/
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"
if [[ "${1:-}" == "--sanitize" ]]; then
    cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DHALVEX_WERROR=ON -DHALVEX_SANITIZE=ON >/dev/null
    cmake --build "$root/build-asan" --target halvex_unit_tests -j "$jobs"
    cd "$root/build-asan"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest -L unit --output-on-failure -j "$jobs"
    exit 0
fi
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVEX_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$jobs"
cd "$root/build"
ctest --output-on-failure -j "$jobs"
