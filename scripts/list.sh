#!/usr/bin/env bash
# Installs what is missing, builds tabulo-cli (release) and lists a folder with it.
# Usage: scripts/list.sh [tabulo-cli options] [FOLDER]   (default: the current folder)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
cmake --preset release -S "$top" >/dev/null
cmake --build "$top/build/release" --target tabulo-cli >/dev/null
[ $# -eq 0 ] && set -- .
exec "$top/build/release/src/cli/tabulo-cli" "$@"
