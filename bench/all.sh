#!/usr/bin/env bash
# Every window open together in one vrimclocks process (the launcher, the eight clocks, Gantos
# with both stopwatches counting, the internet-time window and a help page), left running for a
# while (120 s by default) beside `xclock -update 1` on one Xvfb in the same run: CPU over the run
# as a share of one core, how long after each change of the system second each window shows its
# new second or new state (seen from outside, by X Damage reports), resident and proportional
# memory, where that memory lies, and start → splash painted (bench/startup.sh, a few runs).
# With --loaded, two busy loops run on the machine for the whole benchmark, start-up included.
# Figures only: nothing here passes or fails.
#   VRIM_PROGRAM=build-dev/vrimclocks bench/all.sh [SECONDS] [--loaded]
set -euo pipefail

seconds=120
loaded=false
for arg in "$@"; do
    case "$arg" in
    --loaded) loaded=true ;;
    *[!0-9]* | "") echo "usage: $0 [SECONDS] [--loaded]" >&2; exit 2 ;;
    *) seconds=$arg ;;
    esac
done
source "$(dirname "$0")/lib.sh"
startup_runs=${STARTUP_RUNS:-3}

bench_start_x
$loaded && start_busy_loops
export QT_LOGGING_RULES="vrim.tick.info=true;vrim.stopwatch.info=true"
# Ostran Time asks no server out there: nothing answers on this port, at once.
export VRIM_DAYTIME_SERVER=127.0.0.1:13
start_program "$program"
dismiss_advice
# The program hands back what the splash and the advice box freed a second after its windows
# change; two seconds on, the launcher holds what it keeps.
sleep 2
launcher_rss=$(rss_kb "$app"); launcher_pss=$(pss_kb "$app")
open_every_window # tests/e2e/lib.sh: Gantos's two stopwatches are running too

# Side by side, none over another: a window's hidden part reports no damage. Jolvex's strip goes
# along the top, Ostran Time and Gantos into the bottom corners, the other clocks in rows on the
# right; the launcher and the help page stay where they opened.
spread_windows() {
    local title id size w h x=770 y=0 row=0
    for title in dov norvi Quenz vrimcolor Perrin Mip lum-bo; do
        id=$(windows_named "$title" | head -n 1)
        size=$(size_of "$id"); w=${size%x*}; h=${size#*x}
        if ((x + w > 1280)); then x=770; y=$((y + row + 5)); row=0; fi
        xdotool windowmove "$id" "$x" "$y"
        x=$((x + w + 5)); ((h > row)) && row=$h
    done
    xdotool windowmove "$(windows_named Jolvex)" 0 0
    xdotool windowmove "$(windows_named "Ostran Time")" 0 520
    xdotool windowmove "$(windows_named Gantos)" 875 495
}
spread_windows

# The windows measured, by title, as the table names them.
titles=("vRIM's" dov norvi Quenz vrimcolor Jolvex Perrin Mip lum-bo Gantos "Ostran Time" "Vrim Clocks Help")
declare -A window_of
for title in "${titles[@]}"; do
    within 50 shown "$title" || fail "the window \"$title\" is not open"
    window_of[$title]=$(windows_named "$title" | head -n 1)
done
grep -q "'Sincronized Stop'" "$work/out.log" || fail "the stopwatches are not both running"
start_peer
sleep 2

mark=$(wc -l <"$work/out.log")
app_cpu0=$(cpu_ticks "$app"); peer_cpu0=$(cpu_ticks "$peer")
watchers=()
for i in "${!titles[@]}"; do
    "$work/damagewatch" "${window_of[${titles[i]}]}" "$seconds" >"$work/window$i.damage" &
    watchers+=($!)
done
"$work/damagewatch" "$peer_window" "$seconds" >"$work/peer.damage" &
watchers+=($!)
wait "${watchers[@]}"
app_cpu1=$(cpu_ticks "$app"); peer_cpu1=$(cpu_ticks "$peer")
app_rss=$(rss_kb "$app"); peer_rss=$(rss_kb "$peer")
app_pss=$(pss_kb "$app"); peer_pss=$(pss_kb "$peer")
mapping_table=$("$bench/tools/smaps-by-file.sh" "$app" 12)
logged_passes "$work/out.log" "$mark" >"$work/passes"
load_end=$(load_average)
kill "$app" "$peer" 2>/dev/null || true
wait "$app" "$peer" 2>/dev/null || true

# Each window's seconds with a repaint, and the delay of each; all of them together for the
# program's figure. A window that does not change (the launcher, the help page) has none.
window_rows=""
: >"$work/all.delays"
for i in "${!titles[@]}"; do
    per_second "$work/window$i.damage" >"$work/window$i.delays"
    cat "$work/window$i.delays" >>"$work/all.delays"
    window_rows+="| ${titles[i]} | $(grep -c . "$work/window$i.delays" || true) | $(median <"$work/window$i.delays") ms | $(worst <"$work/window$i.delays") ms |"$'\n'
done
sort -n -o "$work/all.delays" "$work/all.delays"
per_second "$work/peer.damage" >"$work/peer.delays"

# Start-up: its own runs, on its own X server, under the same load (STARTUP_RUNS=0 skips it).
again_median=n/a again_worst=n/a again_xclock=n/a again_xworst=n/a paint_median=n/a paint_worst=n/a map_median=n/a map_worst=n/a xmap_median=n/a xmap_worst=n/a qmap_median=n/a qmap_worst=n/a
if ((startup_runs > 0)); then
    STARTUP_REPORT="$work/startup.md" "$bench/startup.sh" "$startup_runs" "$program" >"$work/startup.out" 2>&1 ||
        fail "bench/startup.sh failed: $(tail -n 5 "$work/startup.out")"
    # Columns of a row of its table: vrimclocks median, worst, xclock median, worst, Qt window median, worst.
    startup_row() { awk -F' [|] ' -v row="$1" 'index($1, row) {print $2 "|" $3 "|" $4 "|" $5 "|" $6 "|" $7; exit}' "$work/startup.md"; }
    IFS='|' read -r again_median again_worst again_xclock again_xworst _ _ <<<"$(startup_row "Start → splash on the screen")"
    IFS='|' read -r paint_median paint_worst _ _ _ _ <<<"$(startup_row "First start → splash first paint")"
    IFS='|' read -r map_median map_worst xmap_median xmap_worst qmap_median qmap_worst \
        <<<"$(startup_row "First start → first top-level mapped and exposed")"
fi

cpu() { cpu_share "$1" "$seconds"; }
if $loaded; then state="a loaded machine (two busy loops)"; suffix="-loaded"; else state="a quiet machine"; suffix=""; fi
report=$(cat <<REPORT
# Every window open, on $state

$(date -u '+%Y-%m-%d %H:%M UTC'), ${seconds} s, $(nproc) cores, Xvfb without a window manager, load average
$load_end at the end of the run$($loaded && echo ", the busy loops' load included"). CPU is user + system time over the run as a share of one core
(clock ticks of 1/${hz} s, so a figure under $(cpu_resolution "$seconds") reads as 0). Delays are milliseconds past the
change of the wall-clock second; a window's repaint in a second is its last damage report in it.
Start-up: $startup_runs runs of bench/startup.sh, median (worst). In the same runs a window of one QLabel,
built from the same Qt libraries, was mapped and exposed after $qmap_median ($qmap_worst). xclock's
figures are its first window mapped and exposed, in the same runs.

| Figure | vrimclocks, every window | xclock -update 1 | Target |
|---|---:|---:|---|
| CPU, share of one core | $(cpu $((app_cpu1 - app_cpu0))) | $(cpu $((peer_cpu1 - peer_cpu0))) | ≤ 0.5 % |
| Repaint delay, median | $(median <"$work/all.delays") ms | $(median <"$work/peer.delays") ms | |
| Repaint delay, worst | $(worst <"$work/all.delays") ms | $(worst <"$work/peer.delays") ms | ≤ 20 ms |
| Seconds with a repaint | $(grep -c . "$work/all.delays" || true) (all windows) | $(grep -c . "$work/peer.delays" || true) | |
| Resident memory (VmRSS) | $(mib "$app_rss") | $(mib "$peer_rss") | ≤ 50 MB |
| Proportional memory (PSS) | $(mib "$app_pss") | $(mib "$peer_pss") | |
| The same with only the launcher open: VmRSS / PSS | $(mib "$launcher_rss") / $(mib "$launcher_pss") | n/a | |
| Start → splash on the screen, every start after the first (the kept picture) | $again_median ($again_worst) | $again_xclock ($again_xworst) | ≤ 1.5 × xclock |
| First start → splash painted | $paint_median ($paint_worst) | n/a | ≤ 150 ms |
| First start → first window mapped and exposed | $map_median ($map_worst) | $xmap_median ($xmap_worst) | |
| Ticker passes (program's log), median / worst | $(median <"$work/passes") / $(worst <"$work/passes") ms, $(grep -c . "$work/passes" || true) passes | n/a | |

| Window | Seconds with a repaint | Delay, median | Delay, worst |
|---|---:|---:|---:|
${window_rows%$'\n'}

Memory of the vrimclocks process at the end, by mapping (kB):

\`\`\`
$mapping_table
\`\`\`
REPORT
)
echo "$report"
mkdir -p "$bench/results"
echo "$report" >"$bench/results/all$suffix-latest.md"
