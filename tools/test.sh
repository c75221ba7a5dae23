#!/usr/bin/env bash
# Sets the machine up, builds the program and runs every test: once as
# built, once under AddressSanitizer and UndefinedBehaviorSanitizer, then a
# short fuzzing run of the parsers.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

# The sources are laid out as .clang-format says, before anything is built.
find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror

# Each floor includes only the floors under it: platform/ nothing of ours,
# game/ platform/ alone. (The build keeps Qt Widgets out of both.)
if grep -rnE '#include "(game|grids|draw|hall|voice|verify|printing|evening|about|app|widgets|phones)/' platform ||
    grep -rnE '#include "(grids|draw|hall|voice|verify|printing|evening|about|app|widgets|phones)/' game; then
    echo "An include above goes up a floor." >&2
    exit 1
fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The gold linker links the test programs in half the time of the default one;
# the plain build needs no debug information (the sanitized one keeps it).
fast=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold)
tools/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" "${fast[@]}"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

# Line tables are all a sanitizer's report needs, and they build faster than full debug information.
tools/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DNUMERELLA_SANITIZE=ON \
    -DNUMERELLA_BENCH=OFF "${fast[@]}"
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"

# A short fuzzing run of every parser of typed text and file names.
# Three seconds a target keeps the whole run under twelve minutes on two cores.
tools/fuzz.sh 3
