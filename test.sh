#!/usr/bin/env bash
# Installs what is missing, builds and runs the tests.
#   ./test.sh             build/, then every test a change needs (unit, gl, app): all but the
#                         tests labelled "long"; a few minutes
#   ./test.sh --long      build/, then only the tests labelled "long": the soaks over every
#                         lesson and the creation-failure sweep over all nineteen lessons
#                         (CI runs them; the default run keeps one short soak and one
#                         creation-failure pass that reaches every kind of object)
#   ./test.sh --sanitize  the default set under AddressSanitizer, LeakSanitizer and UBSan in
#                         build-asan/ (tests/lsan.supp names the GL driver's and SDL's leaks)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"
case "${1:-}" in
--sanitize)
    cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DHALVEX_WERROR=ON -DHALVEX_SANITIZE=ON >/dev/null
    cmake --build "$root/build-asan" -j "$jobs"
    cd "$root/build-asan"
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" \
        UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs" -LE long
    exit 0
    ;;
--long) select=(-L long) ;;
"") select=(-LE long) ;;
*)
    echo "usage: $0 [--long | --sanitize]" >&2
    exit 2
    ;;
esac
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHALVEX_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$jobs"
cd "$root/build"
ctest --output-on-failure -j "$jobs" "${select[@]}"
