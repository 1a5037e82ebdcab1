#!/usr/bin/env bash
# Times tabulo-cli against the bare floor walker on the medium tree (100,000 files in 2,000
# folders): recursive, all levels, pattern "%NAME %SIZE %DATE", normal format, output to a file.
# Runs the two alternately, prints the median wall-time ratio, tabulo-cli's peak memory, and
# strace's system-call counts per listed entry.
#
# Usage: bench/run_bench.sh [RUNS]   (default 11; the tree is made once under $BENCH_DIR)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-11}"
work="${BENCH_DIR:-/tmp/tabulo-bench}"
tree="$work/medium"
mkdir -p "$work"

[ -d "$tree" ] || python3 "$top/bench/gen_tree.py" "$tree" --files 100000 --dirs 2000 --fanout 12 --depth 5 --seed 1
cc -O2 -o "$work/floor" "$top/bench/floor.c"
cmake --preset release -S "$top" >/dev/null
cmake --build "$top/build/release" --target tabulo-cli >/dev/null
cli="$top/build/release/src/cli/tabulo-cli"
# Hidden files too, so both list every entry.
args=(--no-settings --all-levels --hidden --pattern "%NAME %SIZE %DATE" -o "$work/tabulo.txt" "$tree")

# BENCH_CPU=N runs both on processor N only (the processors of a virtual machine can differ in
# speed); tabulo-cli then has no second processor for its stat-ahead thread.
pin=()
[ -n "${BENCH_CPU:-}" ] && pin=(taskset -c "$BENCH_CPU")
"${pin[@]}" "$work/floor" "$tree" >/dev/null; "${pin[@]}" "$cli" "${args[@]}"   # warm the cache
floor_times=() cli_times=() peaks=()
for ((i = 0; i < runs; i++)); do
    floor_times+=("$( { /usr/bin/time -f '%e' "${pin[@]}" "$work/floor" "$tree" >"$work/floor.txt"; } 2>&1 )")
    read -r t m < <( { /usr/bin/time -f '%e %M' "${pin[@]}" "$cli" "${args[@]}"; } 2>&1 )
    cli_times+=("$t"); peaks+=("$m")
done

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
f=$(median "${floor_times[@]}"); c=$(median "${cli_times[@]}"); p=$(printf '%s\n' "${peaks[@]}" | sort -g | tail -1)
entries=$(wc -l <"$work/floor.txt")
echo "floor:      median ${f} s over $runs runs"
echo "tabulo-cli: median ${c} s, peak memory $((p / 1024)) MiB"
awk -v c="$c" -v f="$f" 'BEGIN { printf "ratio:      %.2f (target at most 1.5)\n", c / f }'

if command -v strace >/dev/null; then
    strace -c -o "$work/strace.txt" "$cli" "${args[@]}"
    echo "system calls per entry ($entries entries):"
    awk -v n="$entries" '$NF ~ /^(statx|newfstatat|getdents64|openat|write|fstatfs)$/ { printf "  %-12s %7.4f (%d)\n", $NF, $4 / n, $4 }' "$work/strace.txt"
fi
