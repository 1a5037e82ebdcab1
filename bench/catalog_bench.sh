#!/bin/sh
# Imports a catalog of 100,000 entries in 2,000 folders with tabulo-cli and lists a folder tree
# of the same size, and prints the median wall time of each and their ratio.
#
# usage: bench/catalog_bench.sh [WORKDIR] [RUNS]
#   WORKDIR  where the tree and the catalog are made once and kept (default
#            ${TMPDIR:-/tmp}/tabulo-catalog-bench); delete it to make them again
#   RUNS     timed runs of each command (default 9)
# GEN_TREE names the tree generator (default bench/gen_tree.py, else
# /work/shared/bench/gen_tree.py); TABULO_CLI a tabulo-cli to measure (default: the release
# build, built here when missing).
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-${TMPDIR:-/tmp}/tabulo-catalog-bench}
runs=${2:-9}
cli=${TABULO_CLI:-$repo/build/release/src/cli/tabulo-cli}
gen=${GEN_TREE:-$repo/bench/gen_tree.py}
[ -f "$gen" ] || gen=/work/shared/bench/gen_tree.py

if [ ! -x "$cli" ]; then
    (cd "$repo" && cmake --preset release >/dev/null && cmake --build --preset release -j2 --target tabulo-cli >/dev/null)
fi

mkdir -p "$work"
tree="$work/tree"
catalog="$work/medium.idx"
if [ ! -d "$tree" ]; then
    python3 "$gen" "$tree" --files 100000 --dirs 2000 --fanout 12 --depth 5 --seed 1
fi
if [ ! -f "$catalog" ]; then
    # The catalog the disk cataloguer would write for the tree: a header, then one line per file,
    # folder by folder, with a Windows path, the size, the date and time, and a description for
    # every tenth file.
    python3 - "$tree" "$catalog" <<'PY'
import os, sys, time
root, out = sys.argv[1], sys.argv[2]
n = 0
with open(out, "w", encoding="utf-8", newline="") as f:
    f.write("<Vaultix catalog 4.0>\r\n<Startdir D:\\medium\r\n")
    for folder, dirs, files in os.walk(root):
        dirs.sort()
        rel = os.path.relpath(folder, root)
        prefix = "D:\\medium" + ("" if rel == "." else "\\" + rel.replace("/", "\\"))
        for name in sorted(files):
            st = os.lstat(os.path.join(folder, name))
            t = time.gmtime(st.st_mtime)
            comment = ">>catalogued file %d" % n if n % 10 == 0 else ""
            f.write("%s\\%s/%d/%s%s\r\n" % (prefix, name, st.st_size, time.strftime("%d.%m.%Y %H:%M", t), comment))
            n += 1
print("%s: %d entries" % (out, n), file=sys.stderr)
PY
fi

entries=$(grep -vc '^<' "$catalog")
folders=$(sed -n 's/^\(.*\)\\[^\\]*\/[^/]*\/.*$/\1/p' "$catalog" | uniq | wc -l)
echo "catalog: $entries entries in $folders folders; tree: $(find "$tree" -type f | wc -l) files in $(find "$tree" -type d | wc -l) folders"

# Both list every entry with the same pattern and settings; hidden files are listed so the
# folder listing has as many lines as the catalog.
export TZ=UTC
hyperfine --warmup 1 --runs "$runs" --export-json "$work/result.json" \
    -n import "'$cli' --hidden -i'$catalog' >/dev/null" \
    -n folder "'$cli' --hidden --all-levels '$tree' >/dev/null" >&2

python3 - "$work/result.json" <<'PY'
import json, statistics, sys
r = {x["command"]: statistics.median(x["times"]) for x in json.load(open(sys.argv[1]))["results"]}
print("median: import %.3f s, folder listing %.3f s; import / folder listing = %.2f"
      % (r["import"], r["folder"], r["import"] / r["folder"]))
PY
