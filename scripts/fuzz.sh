#!/usr/bin/env bash
# Fuzzes the readers of user-editable files (libFuzzer, ASan, UBSan) in build-fuzz/.
#   scripts/fuzz.sh TARGET SECONDS   fuzz one target (fuzz_model, fuzz_image_file,
#                                    fuzz_texture_load, fuzz_shader, fuzz_font, fuzz_device)
#   scripts/fuzz.sh --ci             every target: its seed corpus replayed, then 30 s
# New inputs collect in build-fuzz/corpus/TARGET; findings land in build-fuzz/findings/ and,
# once mended, belong in tests/fuzz/corpus/TARGET as regression inputs.
# Inputs go up to 64 KiB, and no reader may ask for more than 512 MiB at once: a larger
# request is a finding. The process as a whole may reach about 1.1 GiB with the sanitizers'
# share (a 4096 x 4096 float texture with its mip chain, loaded from a 2 KiB PNG).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" "$root/scripts/deps-fuzz.txt"
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHALVEX_FUZZ=ON -DHALVEX_TESTS=OFF -DHALVEX_WERROR=ON >/dev/null
cmake --build "$build" --target halvex_fuzz_targets -j "$(nproc)"

fuzz() {
    local target="$1" seconds="$2"
    mkdir -p "$build/corpus/$target" "$build/findings"
    echo "== $target: ${seconds} s"
    "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
        -malloc_limit_mb=512 -rss_limit_mb=2048 \
        -artifact_prefix="$build/findings/$target-" \
        "$build/corpus/$target" "$root/tests/fuzz/corpus/$target" 2>&1 |
        grep -E "^(stat::|#[0-9]+[[:space:]]+DONE|==[0-9]+==|SUMMARY|INFO: seed corpus)" || true
    return "${PIPESTATUS[0]}"
}

if [[ "${1:-}" == "--ci" ]]; then
    for target in fuzz_model fuzz_image_file fuzz_texture_load fuzz_shader fuzz_font fuzz_device; do
        fuzz "$target" 30
    done
elif [[ $# -eq 2 ]]; then
    fuzz "$1" "$2"
else
    echo "usage: scripts/fuzz.sh TARGET SECONDS | --ci" >&2
    exit 2
fi
