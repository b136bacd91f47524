#!/usr/bin/env bash
# scripts/web.sh bench: see harness.sh.
exec bash "$(dirname "${BASH_SOURCE[0]}")/harness.sh" bench "$@"
