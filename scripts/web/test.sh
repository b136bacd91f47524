#!/usr/bin/env bash
# scripts/web.sh test: see harness.sh.
exec bash "$(dirname "${BASH_SOURCE[0]}")/harness.sh" test "$@"
