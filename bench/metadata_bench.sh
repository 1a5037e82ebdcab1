#!/usr/bin/env bash
# Cost of reading MP3 tags: a generated folder of 10,000 MP3 files, each ending in an ID3v1 tag,
# listed by tabulo-cli (release build) with "%NAME %MP3_TIT %MP3_ART" and with "%NAME %SIZE".
# Prints the median wall time of each and the median ratio (target: at most 3).
#   bench/metadata_bench.sh [RUNS]     (default 11 runs of each, alternating)
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-11}"
cd "$top"
cmake --preset release >/dev/null
cmake --build --preset release -j2 --target tabulo-cli >/dev/null
cli="$top/build/release/src/cli/tabulo-cli"

folder="$top/build/bench/mp3-10000"
if [ ! -f "$folder/.complete" ]; then
    rm -rf "$folder"
    python3 - "$folder" <<'PY'
import os, random, sys
folder = sys.argv[1]
os.makedirs(folder)
rng = random.Random(3)
words = ["Blue", "Night", "River", "Song", "Light", "Echo", "Road", "Dream", "Fire", "Rain", "Stone", "Heart"]
def field(text, n):
    b = text.encode("latin-1")[:n]
    return b + b"\0" * (n - len(b))
for i in range(10000):
    title = " ".join(rng.choice(words) for _ in range(rng.randint(1, 4)))
    artist = rng.choice(words) + " " + rng.choice(["Band", "Trio", "Ensemble", "Quartet"])
    album = rng.choice(words) + " " + rng.choice(["Sessions", "Live", "Collection"])
    tag = (b"TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(str(1960 + i % 60), 4)
           + field("bench", 28) + b"\0" + bytes([i % 30 + 1, i % 145]))
    frames = bytes([0xFF, 0xFB, 0x90, 0x64]) + bytes(rng.randrange(256) for _ in range(rng.randint(300, 3000)))
    with open(os.path.join(folder, "%05d %s.mp3" % (i, title)), "wb") as f:
        f.write(frames + tag)
open(os.path.join(folder, ".complete"), "w").close()
PY
fi

python3 - "$cli" "$folder" "$runs" <<'PY'
import statistics, subprocess, sys, time
cli, folder, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
common = [cli, "--autocomments", "--no-header", "--no-summary"]
commands = {
    "tags": common + ["--pattern", "%NAME %MP3_TIT %MP3_ART", folder],
    "plain": common + ["--pattern", "%NAME %SIZE", folder],
}
# One warm-up run of each so both read from the page cache.
for cmd in commands.values():
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
times = {name: [] for name in commands}
for _ in range(runs):
    for name, cmd in commands.items():
        start = time.perf_counter()
        subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
        times[name].append(time.perf_counter() - start)
ratios = [t / p for t, p in zip(times["tags"], times["plain"])]
print("runs: %d of each, 10,000 MP3 files" % runs)
print("median '%%NAME %%MP3_TIT %%MP3_ART': %.3f s" % statistics.median(times["tags"]))
print("median '%%NAME %%SIZE':              %.3f s" % statistics.median(times["plain"]))
print("median ratio: %.2f (target <= 3)" % statistics.median(ratios))
PY
