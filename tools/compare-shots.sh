#!/usr/bin/env bash
# Compares two folders of window screenshots (tools/window-shots.sh) picture by picture: one line
# per window, "same" or how many pixels differ, and a window found on one side only. Exits 1 when
# anything differs or is missing, 2 on a usage error.
#
#   tools/compare-shots.sh /work/shots/before /work/shots/after
set -uo pipefail

a=${1:?usage: compare-shots.sh DIR-A DIR-B}
b=${2:?usage: compare-shots.sh DIR-A DIR-B}
for dir in "$a" "$b"; do [ -d "$dir" ] || { echo "no folder $dir" >&2; exit 2; }; done

status=0
while read -r name; do
    if [ ! -f "$a/$name" ]; then
        echo "${name%.png}: missing in $a"
    elif [ ! -f "$b/$name" ]; then
        echo "${name%.png}: missing in $b"
    else
        # compare says how many pixels differ on stderr; pictures of two sizes are not comparable.
        if [ "$(identify -format %wx%h "$a/$name")" != "$(identify -format %wx%h "$b/$name")" ]; then
            echo "${name%.png}: sizes differ, $(identify -format %wx%h "$a/$name") and $(identify -format %wx%h "$b/$name")"
        else
            differ=$(compare -metric AE "$a/$name" "$b/$name" null: 2>&1)
            if [ "$differ" = 0 ]; then
                echo "${name%.png}: same"
                continue
            elif [[ $differ =~ ^[0-9]+$ ]]; then
                echo "${name%.png}: $differ pixels differ"
            else
                echo "${name%.png}: cannot compare: $differ"
            fi
        fi
    fi
    status=1
done < <(for file in "$a"/*.png "$b"/*.png; do [ -f "$file" ] && basename "$file"; done | sort -u)
compgen -G "$a/*.png" >/dev/null || compgen -G "$b/*.png" >/dev/null || { echo "no pictures in $a or $b" >&2; exit 1; }
exit "$status"
