#!/usr/bin/env bash
# Fuzzes the numeric key filter (tests/fuzz/keyfilter_fuzz.cpp) with libFuzzer:
# builds build/fuzz with clang and the sanitizers, runs RUNS inputs (ten
# million unless told) starting from a scratch copy of the committed corpus,
# then merges what the run found into tests/fuzz/corpus/keyfilter, kept small
# enough to replay in seconds under ctest (fuzz.replay).
#
#   scripts/fuzz.sh                 RUNS=100000 scripts/fuzz.sh
#
# A fault stops the script before the merge; libFuzzer names the input that
# set it off (build/fuzz/crash-*), and `build/fuzz/tests/fuzz/keyfilter_fuzz <file>`
# replays it. Once the fault is mended, keep that input in the corpus as
# regression-<what it found>: the merge never drops those.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${RUNS:-10000000}
max_len=${MAX_LEN:-48}
max_files=${MAX_FILES:-200}
jobs=${JOBS:-2}

# clang and its runtimes; libclang-rt-14-dev holds libclang_rt.fuzzer.
scripts/install-deps.sh clang libclang-rt-14-dev

cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DREKENTOL_FUZZ=ON -DBUILD_TESTING=ON -DREKENTOL_BENCH=OFF >/dev/null
cmake --build build/fuzz --target keyfilter_fuzz -j"$jobs"

export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
# Qt allocates on every key; recording a stack for each allocation, filling it
# and a large quarantine took more than half the time of a run. A fault found
# with these is replayed with the defaults for the full report. Leaks are not
# looked for, as in the tests: Qt and fontconfig keep caches for good.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=16}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
fuzzer=build/fuzz/tests/fuzz/keyfilter_fuzz
corpus=tests/fuzz/corpus/keyfilter
work=build/fuzz/corpus-work
merged=build/fuzz/corpus-merged

# The run adds to a scratch copy; the committed corpus changes only by the merge.
rm -rf "$work" && mkdir -p "$work"
cp "$corpus"/. "$work"/ -r
echo "Fuzzing: $runs runs from $(ls "$corpus" | wc -l) inputs"
"$fuzzer" -runs="$runs" -max_len="$max_len" -timeout=10 -detect_leaks=0 -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ "$work"

# The smallest set of inputs, old and new, that keeps every feature reached.
# Too many for the replay's few seconds: then by the code reached alone, not
# by how often each branch ran.
merge() {
  rm -rf "$merged" && mkdir -p "$merged"
  "$fuzzer" -merge=1 -max_len="$max_len" -detect_leaks=0 "$@" "$merged" "$corpus" "$work" 2>&1 | grep -E "^MERGE-OUTER"
  count=$(ls "$merged" | wc -l)
}
merge
if [ "$count" -gt "$max_files" ]; then
  echo "The merge kept $count inputs; merging again by code reached alone"
  merge -use_counters=0
fi
if [ "$count" -gt "$max_files" ]; then
  echo "The merged corpus has $count inputs, more than $max_files: $corpus left as it was," \
    "the merge is in $merged" >&2
  exit 1
fi
# Inputs that once found a fault stay, whatever the merge thinks of them.
cp "$corpus"/regression-* "$merged"/ 2>/dev/null || true
count=$(ls "$merged" | wc -l)
find "$corpus" -type f -delete
cp "$merged"/. "$corpus"/ -r
echo "Corpus: $count inputs, $(cat "$corpus"/* | wc -c) bytes in $corpus"
