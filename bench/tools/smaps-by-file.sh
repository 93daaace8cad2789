#!/usr/bin/env bash
# Where a process's memory is: resident (RSS) and proportional (PSS) kB summed over its mappings,
# grouped by the file they map (the file's name), "[heap]", "[anon]" (malloc's other arenas,
# thread stacks, anonymous shared memory such as the X server's image buffers) and the like,
# the largest first.
#   bench/tools/smaps-by-file.sh PID [LINES]
set -euo pipefail

pid=${1:?usage: smaps-by-file.sh PID [LINES]}
lines=${2:-25}
table=$(awk '
    /^[0-9a-f]+-[0-9a-f]+ / {
        key = $6
        for (i = 7; i <= NF; ++i) key = key " " $i
        if (key == "") key = "[anon]"
        sub(/.*\//, "", key)
        next
    }
    $1 == "Rss:" { rss[key] += $2 }
    $1 == "Pss:" { pss[key] += $2 }
    END { for (k in rss) printf "%9d %9d  %s\n", rss[k], pss[k], k }
' "/proc/$pid/smaps" | sort -k1,1nr)
printf '%9s %9s  %s\n' "RSS kB" "PSS kB" mapping
head -n "$lines" <<<"$table"
awk -v n="$lines" '{r += $1; p += $2} END {printf "%9d %9d  total (%d more mappings not listed)\n", r, p, (NR > n ? NR - n : 0)}' <<<"$table"
