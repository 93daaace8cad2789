#!/usr/bin/env bash
# How much of src/ the whole test suite runs: line and branch coverage, measured with gcc's
# --coverage and gcovr.
#   tools/coverage.sh [BUILD-FOLDER]        (default: build-coverage beside the sources)
# Configures BUILD-FOLDER unoptimised with --coverage (no precompiled headers), builds everything,
# clears the counts of any earlier run, runs every test (unit and widget two at a time, then the
# end-to-end and package tests one at a time) and reads the counts of src/ back with gcovr. A test
# that fails still counts what it ran; an end-to-end or package test that fails runs once more,
# and the failures are listed. Prints the two totals (branches that only an exception takes left
# out) and writes the reports per file to BUILD-FOLDER/coverage.txt (lines) and
# coverage-branches.txt. Takes long: the end-to-end scripts alone run for eight minutes or more.
#
# The fuzz tests are left out: tools/fuzz.sh builds the fuzzers with clang apart from this build,
# so they add nothing to its counts (the parsers they drive are counted through their own tests).
# The end-to-end scripts end the program with SIGTERM, which it answers by ending cleanly, so its
# counts are written like any other program's.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$here/build-coverage}")
jobs=${JOBS:-2}
command -v gcovr >/dev/null || { echo "gcovr is needed (Debian: gcovr)" >&2; exit 2; }

started=$(date +%s)
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Coverage -DVRIM_PCH=OFF -DVRIM_WERROR=OFF \
    -DVRIM_SANITIZE=OFF -DCMAKE_CXX_FLAGS_COVERAGE="-O0 -g --coverage" \
    -DCMAKE_C_FLAGS_COVERAGE="-O0 -g --coverage" -DCMAKE_EXE_LINKER_FLAGS_COVERAGE=--coverage \
    -DCMAKE_SHARED_LINKER_FLAGS_COVERAGE=--coverage >"$build.configure.log" 2>&1 ||
    { tail -n 20 "$build.configure.log" >&2; exit 1; }
rm -f "$build.configure.log"
cmake --build "$build" -j "$jobs"
built=$(date +%s)

find "$build" -name '*.gcda' -delete
# The installed program's test and the tests that need a read-only folder run as "nobody" when the
# tests run as root: let that user add its counts to the files beside the objects, in every
# folder of them.
if [ "$(id -u)" -eq 0 ]; then
    find "$build" -type d -path '*.dir*' -exec chmod a+w {} +
    umask 000
fi

# Runs ctest with the given options, its output into the log $1; the tests that failed go to
# $failed, one a line.
run_tests() {
    local log=$1
    shift
    (cd "$build" && ctest --output-on-failure "$@") >"$build/$log" 2>&1 || true
    failed=$(sed -En 's/^[[:space:]]*[0-9]+ - ([^ ]+) \(.*/\1/p' "$build/$log")
}
# By name rather than label, so that older trees, whose tests carry no labels, are measured alike.
run_tests ctest-unit.log -E '^(e2e|fuzz|package)_' -j "$jobs"
failures=$failed
# An end-to-end script can fail on a loaded machine where it passes alone: those that fail run
# once more, and only the ones that fail again are reported as failed.
run_tests ctest-e2e.log -R '^(e2e|package)_' -j 1
flaky=$failed
if [ -n "$flaky" ]; then
    run_tests ctest-e2e-again.log --rerun-failed -j 1
    failures=$(printf '%s\n%s' "$failures" "$failed")
fi
tested=$(date +%s)

# Only the files under src/ (gcovr reads a filter that starts with "/" as an absolute path): not
# tests/, tools/, nor what the build generates (moc output, resources) in the build folder.
cd "$here"
gcovr --root "$here" --filter "$here/src/" \
    --exclude-throw-branches --exclude-unreachable-branches --gcov-ignore-parse-errors -j "$jobs" \
    --txt "$build/coverage.txt" --print-summary "$build" | grep -E '^(lines|branches):'
gcovr --root "$here" --filter "$here/src/" \
    --exclude-throw-branches --exclude-unreachable-branches --gcov-ignore-parse-errors -j "$jobs" \
    --txt "$build/coverage-branches.txt" --branches "$build" >/dev/null
echo "build $((built - started)) s, tests $((tested - built)) s; the reports per file: $build/coverage.txt" \
    "(lines), $build/coverage-branches.txt (branches)"
[ -z "$flaky" ] || echo "failed, then run once more: $(echo "$flaky" | tr '\n' ' ')"
failures=$(echo "$failures" | tr '\n' ' ' | xargs)
if [ -n "$failures" ]; then
    echo "failed (what they ran is counted): $failures"
    exit 1
fi
