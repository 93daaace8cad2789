#!/usr/bin/env bash
# Renders the help's sample pictures from the real clock windows at a fixed time of day and
# writes them into data/Helps/ and src/help/art/ (the Lumbo bar, program artwork). Safe to run
# again: the clocks, the time and the encoders are fixed, so unchanged code gives the same files.
# The pictures are checked as they are written. `make-samples.sh --check` writes nothing: it
# checks the help's pages and the pictures kept in the tree, and that those still show the clocks
# as they draw now (--check-pages: the pages only, as tools/make-help.sh does).
# Uses the build folder build-dev (or the one given as the last argument), configuring it when
# needed.
# Needs: cmake, ninja, a C++20 compiler, the program's Qt 6 packages, fonts-liberation.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
check=""
case "${1:-}" in
--check | --check-pages) check=$1; shift ;;
esac
build="${1:-$repo/build-dev}"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
# One job per core is enough; the target is outside `all`, so it is built by name.
if ! cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)" --target vrim_samples \
        >"$build/make-samples.log" 2>&1; then
    cat "$build/make-samples.log" >&2
    echo "make-samples: building vrim_samples failed" >&2
    exit 1
fi

cd "$repo"
run="$(mktemp -d "${TMPDIR:-/tmp}/vrim-samples.XXXXXX")"
trap 'rm -rf "$run"' EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$run}" QT_QPA_PLATFORM=offscreen
if [ -n "$check" ]; then
    "$build/tools/samples/vrim_samples" "$check" "$repo"
else
    "$build/tools/samples/vrim_samples" data data/Helps src/help/art
fi
