#!/usr/bin/env bash
# Times writing a 100,000-line list as plain text and as RTF: the document writers alone (a small
# C++ program against the release libraries), and with --cli also tabulo-cli listing a generated
# folder of 100,000 files to a .txt and a .rtf file.
# Usage: bench/document_bench.sh [--cli] [LINES]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cli=0
if [ "${1:-}" = "--cli" ]; then cli=1; shift; fi
lines="${1:-100000}"

cmake --preset release -S "$top" >/dev/null
cmake --build "$top/build/release" --target tabulo_document tabulo-cli -j2 >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
lib="$top/build/release/src"
g++ -std=c++20 -O2 -I"$top/src" "$top/bench/document_bench.cpp" -o "$work/document_bench" \
    "$lib/document/libtabulo_document.a" "$lib/engine/libtabulo_engine.a" "$lib/platform/libtabulo_platform.a" \
    $(pkg-config --libs icu-uc icu-i18n)
"$work/document_bench" "$lines" "$work"

if [ "$cli" = 1 ]; then
    python3 - "$work/tree" "$lines" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    folder = os.path.join(root, "folder%03d" % (i // 1000))
    if i % 1000 == 0:
        os.makedirs(folder)
    open(os.path.join(folder, "file %06d.txt" % i), "w").close()
PY
    cli_bin="$top/build/release/src/cli/tabulo-cli"
    for out in list.txt list.rtf; do
        start=$(date +%s%N)
        "$cli_bin" --all-levels -o "$work/$out" "$work/tree"
        end=$(date +%s%N)
        awk -v ns=$((end - start)) -v out="$out" -v size="$(stat -c %s "$work/$out")" \
            'BEGIN { printf "tabulo-cli -o %-9s %.3f s  (%d bytes)\n", out, ns / 1e9, size }'
    done
fi
