#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Coverage-guided fuzzing of the number texts (fuzz/README.md).
# Usage: scripts/fuzz.sh [seconds per target, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/common.sh
source scripts/common.sh

seconds=${1:-30}
case $seconds in
    ''|*[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac

ensure_packages cmake make clang libclang-rt-14-dev libgmp-dev
mkdir -p build-fuzz
if ! { cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ &&
       cmake --build build-fuzz -j "$(nproc)"; } >build-fuzz/build.log 2>&1; then
    cat build-fuzz/build.log
    echo "build of the fuzz targets failed"
    exit 1
fi

# The committed corpus stays as it is: each run grows a scratch copy.
work=$(mktemp -d "${TMPDIR:-/tmp}/kalimar-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT

passed=0 failed=0
for target in fuzz_read fuzz_flip fuzz_exact fuzz_designation fuzz_general fuzz_selection fuzz_check; do
    mkdir -p "$work/$target/corpus" "$work/$target/crashes"
    cp fuzz/corpus/"$target"/* "$work/$target/corpus/"
    dict=()
    [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
    log="$work/$target.log"
    if ./build-fuzz/"$target" "${dict[@]}" -max_total_time="$seconds" -print_final_stats=1 \
           -artifact_prefix="$work/$target/crashes/" "$work/$target/corpus" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "PASS $target: ${runs:-?} runs in ${seconds}s"
        passed=$((passed + 1))
    else
        echo "FAIL $target:"
        grep -m1 -A1 -E 'PROPERTY VIOLATED|ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error' "$log" | sed 's/^/    /' || tail -n 20 "$log"
        # Kept past the scratch directory, inside the ignored build tree.
        mkdir -p build-fuzz/failures
        for f in "$work/$target/crashes/"*; do
            [ -e "$f" ] || continue
            cp "$f" "build-fuzz/failures/$target-$(basename "$f")"
            echo "    reproducer: build-fuzz/failures/$target-$(basename "$f")"
        done
        failed=$((failed + 1))
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
