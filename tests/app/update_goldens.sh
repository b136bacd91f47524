#!/usr/bin/env bash
# Regenerates the golden pictures of the application tests from the current build.
#   tests/app/update_goldens.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target halvex_app_tests
cd "$build"
HALVEX_UPDATE_GOLDENS=1 ctest -L app --output-on-failure
echo "Goldens written to $root/tests/app/golden and $root/tests/lessons/golden;"
echo "look at them before committing."
