#!/usr/bin/env bash
# Rebuilds every skin, chime and program picture from tools/artgen and writes
# them into data/, src/shell/artwork/, src/clocks/mip/art/ and src/clocks/perrin/art/. Safe to run
# again: the generator is deterministic, so unchanged code gives identical files. The pictures
# are checked as they are written; `make-artwork.sh --check` only checks the ones in the tree.
# Needs: cmake, a C++20 compiler, qt6-base-dev, fonts-dejavu-core.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
check=()
[ "${1:-}" = --check ] && check=(--check)

for tool in cmake c++; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "make-artwork: '$tool' not found (apt-get install cmake g++ qt6-base-dev fonts-dejavu-core)" >&2
        exit 1
    fi
done

build="$(mktemp -d "${TMPDIR:-/tmp}/vrim-artgen.XXXXXX")"
trap 'rm -rf "$build"' EXIT

# Build output is kept quiet unless something goes wrong. A bare --parallel
# would start every compile at once; one job per core is enough.
if ! { cmake -S "$repo/tools/artgen" -B "$build" -DCMAKE_BUILD_TYPE=Release \
        && cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"; } \
        >"$build/build.log" 2>&1; then
    cat "$build/build.log" >&2
    echo "make-artwork: building the generator failed" >&2
    exit 1
fi

mkdir -p "$repo/data/Helps" "$repo/src/shell/artwork" "$repo/src/clocks/mip/art" "$repo/src/clocks/perrin/art"
cd "$repo"
XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$build}" QT_QPA_PLATFORM=offscreen "$build/vrim_artgen" "${check[@]}" data src/shell/artwork src/clocks/mip/art src/clocks/perrin/art
