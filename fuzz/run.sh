#!/usr/bin/env bash
# Builds the libFuzzer entry points with clang (AddressSanitizer and UBSan), makes seed corpora
# and runs each entry point for SECONDS seconds (default 60). Crashes are written to
# build/fuzz/crashes/<reader>/. Needs clang and libclang-rt-14-dev (libFuzzer's runtime).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
if ! command -v clang++ >/dev/null ||
    ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
    echo "fuzzing needs clang and libFuzzer's runtime: apt-get install clang libclang-rt-14-dev" >&2
    exit 2
fi
build="$top/build/fuzz"
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTABULO_FUZZ=ON -DTABULO_TESTS=OFF -DTABULO_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target fuzz_seeds fuzz_iptc fuzz_version_info fuzz_shell_link fuzz_id3v1 \
    fuzz_descript_ion fuzz_ini fuzz_html_title
"$build/fuzz/fuzz_seeds" "$build/seeds"
status=0
for reader in iptc version_info shell_link id3v1 descript_ion ini html_title; do
    corpus="$build/corpus/$reader"
    crashes="$build/crashes/$reader"
    mkdir -p "$corpus" "$crashes"
    echo "== $reader ($seconds s)"
    if ! "$build/fuzz/fuzz_$reader" "$corpus" "$build/seeds/$reader" -max_total_time="$seconds" \
        -max_len=70000 -rss_limit_mb=2048 -artifact_prefix="$crashes/" -print_final_stats=1 2>"$build/$reader.log"; then
        echo "   FOUND A PROBLEM: see $build/$reader.log and $crashes" >&2
        status=1
    fi
    grep -E "^stat::(number_of_executed_units|peak_rss_mb)|^#[0-9]+.*DONE" "$build/$reader.log" | sed 's/^/   /' || true
done
exit $status
