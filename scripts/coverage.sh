#!/usr/bin/env bash
# Measures how much of engine/ and app/ the test suite runs: line and branch coverage.
#   scripts/coverage.sh [CTEST ARGS...]   builds build-coverage/ (gcc --coverage, -O0),
#                                         runs every test (extra arguments go to ctest),
#                                         prints the totals overall and per library or app
#                                         folder, and writes the per-file report to
#                                         build-coverage/coverage.txt
# Branches that only exist for thrown exceptions or that gcc proves unreachable are left
# out, so the branch figure counts the decisions written in the source.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" "$root/scripts/deps-coverage.txt"
build="$root/build-coverage"
jobs="$(nproc)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DHALVEX_WERROR=ON -DHALVEX_COVERAGE=ON >/dev/null
cmake --build "$build" -j "$jobs"
find "$build" -name '*.gcda' -delete
(cd "$build" && ctest --output-on-failure -j "$jobs" "$@")

cd "$root"
gcovr --root "$root" --object-directory "$build" --filter engine/ --filter app/ \
    --exclude-throw-branches --exclude-unreachable-branches -j "$jobs" \
    --json "$build/coverage.json"
report() { gcovr --root "$root" --add-tracefile "$build/coverage.json" "$@"; }
report --txt "$build/coverage.txt"
report --branches >>"$build/coverage.txt"
report --json-summary "$build/coverage-summary.json"

# Totals per engine library and per app folder, then for engine/ and app/ together.
python3 - "$build/coverage-summary.json" <<'EOF'
import collections, json, sys
totals = collections.defaultdict(lambda: [0, 0, 0, 0])
for entry in json.load(open(sys.argv[1]))["files"]:
    parts = entry["filename"].split("/")
    folder = "/".join(parts[:3] if parts[1] == "src" else parts[:2])
    for key in (folder, "engine/ + app/"):
        t = totals[key]
        t[0] += entry["line_covered"]; t[1] += entry["line_total"]
        t[2] += entry["branch_covered"]; t[3] += entry["branch_total"]
def pct(covered, total):
    return f"{100.0 * covered / total:5.1f} % ({covered}/{total})" if total else "  n/a"
print(f"{'folder':<28} {'lines':<24} branches")
for folder in sorted(totals, key=lambda k: (k == "engine/ + app/", k)):
    t = totals[folder]
    print(f"{folder:<28} {pct(t[0], t[1]):<24} {pct(t[2], t[3])}")
EOF
echo "Per-file report: $build/coverage.txt"
