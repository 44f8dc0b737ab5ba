#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that ./run builds only the program and kalimar-cli. On a fresh copy
# of the source, ./run starts the program headless without looking for
# GoogleTest or Google Benchmark and without building a test, and leaves a
# working build/cli/kalimar-cli; a second ./run builds nothing, and neither
# does ./run after the tests were turned on as ./test does.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

passed=0 failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1"; printf '%s\n' "${2:-}" | tail -n 30 | sed 's/^/    | /'; failed=$((failed + 1)); }

work=$(mktemp -d "${TMPDIR:-/tmp}/kalimar-run-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The working tree as it is, without its build trees.
mkdir "$work/src"
find . -mindepth 1 -maxdepth 1 ! -name 'build*' ! -name .git -exec cp -a {} "$work/src/" \;
cd "$work/src"

export QT_QPA_PLATFORM=offscreen KALIMAR_SMOKE_QUIT=1
# The checks below read the output of the Makefile generator.
unset CMAKE_GENERATOR
# run_program: ./run's output in $out and its status in $rc.
run_program() {
    set +e
    out=$(./run 2>&1)
    rc=$?
    set -e
}
# built: the objects and programs that the last run compiled or linked.
built() { grep -E 'Building [A-Z]+ object|Linking' <<<"$out" || true; }
# Configuring writes the Makefile anew, even when nothing changed.
configured_time() { stat -c %y build/Makefile; }

echo "run-check: first ./run in a copy, building the program (a minute or two)"
run_program
if [ $rc -eq 0 ] && grep -qx 'kalimar: started' <<<"$out"; then
    pass "first ./run builds and starts the program"
else
    fail "first ./run builds and starts the program: exit status $rc" "$out"
fi
looked=$(grep -E '^(GTest_DIR|GTEST_[A-Z_]*|benchmark_DIR)[:=]' build/CMakeCache.txt || true)
if [ -z "$looked" ]; then pass "./run does not look for GoogleTest or Google Benchmark"
else fail "./run does not look for GoogleTest or Google Benchmark" "$looked"; fi
extra=$(grep -E 'Building [A-Z]+ object (tests|bench)/|Linking .* (tests|bench)/|Built target (test_|bench_|bare_window)' <<<"$out" || true)
if [ -z "$extra" ] && [ ! -e build/tests ] && [ ! -e build/bench ]; then pass "./run builds no test and no benchmark"
else fail "./run builds no test and no benchmark" "$extra"; fi

# The README's first example, from where the README says the tool is.
cli_want='25H7: ES +21 мкм, EI 0 мкм, наибольший 25,021 мм, наименьший 25 мм, средний 25,0105 мм'
cli_out=$(build/cli/kalimar-cli 25H7 2>&1) || true
if [ "$cli_out" = "$cli_want" ]; then pass "./run builds build/cli/kalimar-cli"
else fail "./run builds build/cli/kalimar-cli" "$cli_out"; fi

before=$(configured_time)
run_program
if [ $rc -eq 0 ] && [ -z "$(built)" ] && [ "$(configured_time)" = "$before" ]; then
    pass "second ./run neither configures nor builds"
else
    fail "second ./run neither configures nor builds (exit status $rc)" "$(built)"
fi

# What ./test does before it builds the tests; building them is its own cost.
echo "run-check: the tests turned on as ./test does"
ensure_packages "${KALIMAR_TEST_PACKAGES[@]}"
configure_tree build -DKALIMAR_BUILD_TESTS=ON -DKALIMAR_BUILD_BENCH=ON
run_program
if [ $rc -eq 0 ] && [ -z "$(built)" ]; then
    pass "./run after the tests were turned on builds nothing"
else
    fail "./run after the tests were turned on builds nothing (exit status $rc)" "$(built)"
fi
before=$(configured_time)
run_program
if [ $rc -eq 0 ] && [ "$(configured_time)" = "$before" ] && grep -q '^KALIMAR_BUILD_TESTS:BOOL=ON$' build/CMakeCache.txt; then
    pass "./run keeps the tests turned on"
else
    fail "./run keeps the tests turned on (exit status $rc)" "$out"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
