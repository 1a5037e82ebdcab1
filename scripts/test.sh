#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in a release build and
# once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
scripts/install-deps.sh
jobs="$(nproc)"
for preset in release asan; do
    echo "== $preset" >&2
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
