#!/usr/bin/env bash
# Memory over many simulated hours: every window open in one vrimclocks process (the launcher,
# the eight clocks, Gantos with both stopwatches counting, Ostran Time with a Daytime server of
# its own answering, the Dov help page), and `xclock -update 1` beside it on the same Xvfb, both
# under libfaketime at RATE times speed (60 by default: a simulated hour is a real minute), both
# the wall clock and the monotonic clock running fast, so the timers come RATE times as often.
# At each simulated hour, and at half past it (away from the chimes and pictures of the hour):
# each program's resident memory (Rss, counted page by page in smaps_rollup), split into what is
# its own (RssAnon: the heap and other private memory) and file pages mapped in (RssFile: code of
# the program and its libraries, which the kernel maps in as code first runs, up to the code's
# size, and can drop again at any time); the vrimclocks heap's resident part ([heap] in smaps);
# and the vrimclocks passes logged in that hour (one a simulated second when it keeps up: 3600).
# RssAnon and RssFile come from /proc/PID/status, whose counters the kernel keeps per CPU: a
# reading can be off by up to 32 pages a CPU each, as can VmRSS, their sum; Rss has no such error.
# Figures only: nothing here passes or fails.
#   VRIM_PROGRAM=build-dev/vrimclocks bench/growth.sh [HOURS] [RATE]
# Writes bench/results/growth-latest.md (growth-RATEx-latest.md at another speed) afresh after each
# simulated hour, so that a run cut short leaves the hours it read.
set -euo pipefail

hours=${1:-10}
rate=${2:-60}
[[ $hours =~ ^[0-9]+$ && $rate =~ ^[0-9]+$ ]] || { echo "usage: $0 [HOURS] [RATE]" >&2; exit 2; }
source "$(dirname "$0")/lib.sh"
preload=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$preload" ] || { echo "missing libfaketime: apt-get install faketime" >&2; exit 1; }
result=${GROWTH_RESULT:-$bench/results/growth-latest.md}
((rate == 60)) || [ -n "${GROWTH_RESULT:-}" ] || result="$bench/results/growth-${rate}x-latest.md"

export TZ=UTC
# One line a pass, counted each hour; the chime lines as the soak has them.
export QT_LOGGING_RULES="vrim.tick.info=true;vrim.chime.info=true"
start_x
start_sound_server
start_daytime_now

# Both programs' clocks start at 22:30 the evening before.
begin="2026-12-07 22:30:00"
clock_start=$(date -u -d "$begin" +%s)
folder="$work/prog"
make_program_folder "$folder" "$program"
started=$(date +%s.%N)
LD_PRELOAD="$preload" FAKETIME="@$begin x$rate" "$folder/vrimclocks" >"$work/out.log" 2>&1 &
app=$!
pids+=("$app")
program_time() { awk -v b="$clock_start" -v s="$started" -v n="$(date +%s.%N)" -v r="$rate" 'BEGIN{printf "%d", b + (n - s) * r}'; }
until_program() { # seconds since the epoch
    awk -v b="$clock_start" -v s="$started" -v a="$1" -v r="$rate" -v n="$(date +%s.%N)" \
        'BEGIN{d = s + (a - b) / r - n; if (d > 0) system("sleep " d)}'
}
# Lumbo's hourly chime sounds only with its sound switch, the fourth line of lumbi.prf, at 1.
within 100 test -s "$folder/Settings/lumbi.prf" || fail "no lumbi.prf after the first start"
sed -i '4s/.*/ 1 \r/' "$folder/Settings/lumbi.prf"
open_every_window
lay_out_every_window
opened=$(program_time)
LD_PRELOAD="$preload" FAKETIME="@$begin x$rate" xclock -update 1 -geometry 120x120+1150+600 &
peer=$!
pids+=("$peer")
within 50 shown xclock || fail "xclock did not open"

status_kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }
rss_kb() { awk '/^Rss:/{print $2; exit}' "/proc/$1/smaps_rollup"; }
heap_kb() { awk '/\[heap\]/{h=1; next} h && /^Rss:/{print $2; exit}' "/proc/$1/smaps"; }
alive() { kill -0 "$app" 2>/dev/null && kill -0 "$peer" 2>/dev/null; }

table="$work/table"
: >"$table"
rows=() # "vmrss anon file heap peer_vmrss peer_anon peer_file passes"
mark=$(grep -c 'pass at' "$work/out.log" || true)
# The first reading at the first whole hour after the windows opened (midnight at 60x), the
# growth counted from the hour after it.
first_hour=$(((opened / 3600 + 1) * 3600))
# GROWTH_SMAPS=folder keeps the program's smaps at each reading, to tell which mapping grew.
keep_smaps() { [ -z "${GROWTH_SMAPS:-}" ] || cp "/proc/$app/smaps" "$GROWTH_SMAPS/$(date -u -d "@$1" '+%m%d-%H%M')"; }
[ -z "${GROWTH_SMAPS:-}" ] || mkdir -p "$GROWTH_SMAPS"
half_rows=() # "vmrss anon file heap" at half past each hour, away from the work done on the hour

# Growth from the first hour to the last, and the largest step between two hours.
summary() { # column (1-based in a row) label [rows...]
    local column=$1 label=$2 first last least most
    shift 2
    first=$(cut -d' ' -f"$column" <<<"$1")
    last=$(cut -d' ' -f"$column" <<<"${!#}")
    least=$(printf '%s\n' "$@" | cut -d' ' -f"$column" | sort -n | head -n 1)
    most=$(printf '%s\n' "$@" | cut -d' ' -f"$column" | sort -n | tail -n 1)
    echo "| $label | $first | $last | $((last - first)) | $least | $most | $((most - least)) |"
}
# The report of the readings so far, written whole after each hour, so that a run cut short
# leaves its hours behind.
report() {
    local read_hours=$((${#rows[@]} - 1)) title passes_short fewest
    title="Memory over $hours simulated hours at ${rate}x"
    ((read_hours == hours)) || title="Memory over $read_hours of $hours simulated hours at ${rate}x (so far)"
    passes_short=$(printf '%s\n' "${rows[@]:1}" | awk '$8 < 3590' | wc -l)
    fewest=$(printf '%s\n' "${rows[@]:1}" | cut -d' ' -f8 | sort -n | head -n 1)
    {
        echo "# $title"
        echo
        echo "Run: $(date -u '+%Y-%m-%d %H:%M') UTC, $(nproc) cores, load average at the end $(load_average)."
        echo "Program: \`$program\` ($(stat -c %s "$program") bytes). Every window open from"
        echo "$(date -u -d "@$opened" '+%F %T') program time; \`xclock -update 1\` beside it, both under"
        echo "libfaketime at ${rate}x from $begin. Memory in kB, read at each simulated hour: Rss counted"
        echo "page by page (smaps_rollup); RssAnon and RssFile from the kernel's counters, which can be"
        echo "off by up to 32 pages a CPU."
        echo
        echo "| program time | vrimclocks Rss | RssAnon | RssFile | [heap] Rss | Rss at half past | [heap] at half past | passes in the hour | xclock Rss | RssAnon | RssFile |"
        echo "|---|---|---|---|---|---|---|---|---|---|---|"
        cat "$table"
        echo
        if ((read_hours >= 2)); then
            echo "From the first hour ($(date -u -d "@$((first_hour + 3600))" '+%a %H:%M')) to the last:"
            echo
            echo "| figure | after the first hour | at the end | growth | lowest | highest | spread |"
            echo "|---|---|---|---|---|---|---|"
            summary 1 "vrimclocks Rss" "${rows[@]:1}"
            summary 2 "vrimclocks RssAnon" "${rows[@]:1}"
            summary 3 "vrimclocks RssFile" "${rows[@]:1}"
            summary 4 "vrimclocks [heap] Rss" "${rows[@]:1}"
            summary 1 "vrimclocks Rss, half past" "${half_rows[@]:1}"
            summary 2 "vrimclocks RssAnon, half past" "${half_rows[@]:1}"
            summary 3 "vrimclocks RssFile, half past" "${half_rows[@]:1}"
            summary 4 "vrimclocks [heap] Rss, half past" "${half_rows[@]:1}"
            summary 5 "xclock Rss" "${rows[@]:1}"
            summary 6 "xclock RssAnon" "${rows[@]:1}"
            summary 7 "xclock RssFile" "${rows[@]:1}"
            echo
            echo "Passes: $fewest in the hour with the fewest (3600 when every simulated second has its"
            echo "pass); hours with fewer than 3590: $passes_short of $read_hours."
        fi
    } >"$result.new"
    mv "$result.new" "$result"
}
for ((h = 0; h <= hours; h++)); do
    at=$((first_hour + h * 3600))
    if ((h > 0)); then
        until_program "$((at - 1800))"
        alive || fail "a program ended at $(date -u -d "@$(program_time)" '+%F %T')"
        half_rows+=("$(rss_kb "$app") $(status_kb "$app" RssAnon) $(status_kb "$app" RssFile) $(heap_kb "$app")")
        keep_smaps "$((at - 1800))"
    fi
    until_program "$at"
    alive || fail "a program ended at $(date -u -d "@$(program_time)" '+%F %T')"
    count=$(grep -c 'pass at' "$work/out.log" || true)
    row="$(rss_kb "$app") $(status_kb "$app" RssAnon) $(status_kb "$app" RssFile) $(heap_kb "$app")"
    keep_smaps "$at"
    row+=" $(rss_kb "$peer") $(status_kb "$peer" RssAnon) $(status_kb "$peer" RssFile) $((count - mark))"
    mark=$count
    rows+=("$row")
    read -r rss anon file heap prss panon pfile passes <<<"$row"
    ((h == 0)) && passes="-" # since the windows opened, not a whole hour
    half="- -"
    ((h == 0)) || half=$(cut -d' ' -f1,4 <<<"${half_rows[-1]}")
    printf '| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n' "$(date -u -d "@$at" '+%a %H:%M')" \
        "$rss" "$anon" "$file" "$heap" "${half% *}" "${half#* }" "$passes" "$prss" "$panon" "$pfile" | tee -a "$table"
    report
done

cat "$result"
