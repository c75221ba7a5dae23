#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and gives each a short run from the
# committed corpus (fuzz/corpus/TARGET). New inputs go to a scratch folder,
# so the repository stays as it is. A crash fails the run and leaves its input
# in build-fuzz/ (turn it into a test).   tools/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for corpus in fuzz/corpus/*/; do
    target=$(basename "$corpus")
    mkdir -p "$scratch/$target"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
    (cd build-fuzz && ./"fuzz_$target" "$scratch/$target" "../$corpus" "${dict[@]/-dict=/-dict=../}" \
        -max_total_time="$seconds" -print_final_stats=1 2>"$scratch/$target.log") || {
        tail -n 40 "$scratch/$target.log"
        echo "fuzz_$target found a fault"
        exit 1
    }
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$scratch/$target.log")
    cov=$(grep -o 'cov: [0-9]*' "$scratch/$target.log" | tail -n 1)
    printf 'fuzz_%-18s %9s executions, %s\n' "$target" "$runs" "$cov"
done
echo "fuzzing: $(ls -d fuzz/corpus/*/ | wc -l) passed, 0 failed"
