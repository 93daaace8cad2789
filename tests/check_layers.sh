#!/usr/bin/env bash
# The layering rules the linker cannot see: a logic file (one of vrim_core's sources) includes no
# Qt GUI or Widgets header and no header of ours that is not logic; no folder includes
# a folder above it. Prints each broken rule and fails if there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../src" && pwd)
qt_include=${1:-$(dirname "$(find /usr/include -path '*qt6/QtCore/qglobal.h' -print -quit)")/..}

# Beside the clocks: stopwatch and nettime; beside the shell: help, which the clocks and tool
# windows open, and session, which its menu and the splash's end use.
declare -A rank=([base]=0 [platform]=1 [ui]=2 [settings]=3 [shell]=4 [clocks]=5 [app]=6
    [stopwatch]=5 [nettime]=5 [help]=4 [session]=4)

# vrim_core's sources, as each folder's CMakeLists.txt lists them.
mapfile -t logic < <(find "$src" -name CMakeLists.txt | while IFS= read -r list; do
    folder=$(dirname "${list#"$src"}")
    folder=${folder#/}
    sed -n '/^target_sources(vrim_core/,/^)/p' "$list" | tr ' ' '\n' | { grep -E '\.(h|cpp)$' || true; } |
        sed "s|^|${folder:+$folder/}|"
done)
[ ${#logic[@]} -gt 50 ] || { echo "cannot find vrim_core's sources under $src" >&2; exit 2; }
declare -A is_logic=()
for file in "${logic[@]}"; do is_logic[$file]=1; done

declare -A gui_header=()
for module in QtGui QtWidgets; do
    for header in "$qt_include/$module"/Q*; do
        [ -e "$header" ] && gui_header[$(basename "$header")]=1
    done
    gui_header[$module]=1
done
[ ${#gui_header[@]} -gt 50 ] || { echo "cannot find Qt's headers under $qt_include" >&2; exit 2; }

broken=0
say() { echo "$1"; broken=$((broken + 1)); }

while IFS= read -r path; do
    file=${path#"$src"/}
    folder=${file%%/*}
    own=${rank[$folder]:--1}
    while IFS= read -r line; do
        if [[ $line =~ ^#include\ \"([a-z]+)/([^\"]+)\" ]]; then
            target="${BASH_REMATCH[1]}/${BASH_REMATCH[2]}"
            theirs=${rank[${BASH_REMATCH[1]}]:--1}
            if [ "$own" -ge 0 ] && [ "$theirs" -gt "$own" ]; then
                say "$file includes $target: $folder is below ${BASH_REMATCH[1]}"
            fi
            if [ -n "${is_logic[$file]:-}" ] && [ -z "${is_logic[$target]:-}" ]; then
                say "$file is logic but includes $target, which is not"
            fi
        elif [[ $line =~ ^#include\ \<(Qt[A-Za-z]+/)?(Q[A-Za-z]+)\> ]]; then
            if [ -n "${is_logic[$file]:-}" ] && [ -n "${gui_header[${BASH_REMATCH[2]}]:-}" ]; then
                say "$file is logic but includes <${BASH_REMATCH[1]}${BASH_REMATCH[2]}>"
            fi
        fi
    done < <(grep -E '^#include' "$path")
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)

if [ "$broken" -gt 0 ]; then
    echo "$broken include(s) break the layering" >&2
    exit 1
fi
echo "layering: ${#logic[@]} logic files, no include points up"
