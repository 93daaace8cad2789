#!/usr/bin/env bash
# Gantos with both stopwatches counting (Sincronized Start), beside `xclock -update 1` on one
# Xvfb in the same run: CPU as a share of one core, resident memory, how long after each change
# of the system second the window shows the new count (seen from outside, by X Damage reports),
# and whether the count kept up with the stamps. A second, shorter run of the program with its
# event-loop watchdog on (a 10 ms timer, `vrim.watchdog`) gives the longest time the event loop
# was kept from its timer, and how much of that it was busy with the program's own work (the
# thread's CPU time between two wake-ups, which a machine busy with other work does not
# inflate); it runs apart so its own wake-ups do not count in the CPU figure. Figures only:
# nothing here passes or fails.
#   bench/ganto.sh [SECONDS]
set -euo pipefail

seconds=${1:-60}
source "$(dirname "$0")/lib.sh"
bench_start_x

both_button() { xdotool mousemove --window "$ganto" 200 278 click 1; } # Command3

# Starts the program with the logging rules $1 in its own folder $2, opens Gantos and starts
# both stopwatches; the window id goes to $ganto, the pid to $app.
open_gantos() {
    make_program_folder "$2" "$program"
    QT_LOGGING_RULES="$1" "$2/vrimclocks" >"$work/out.log" 2>&1 &
    app=$!
    pids+=("$app")
    dismiss_advice
    open_from_launcher 264 Gantos
    ganto=$clock
    both_button
    within 20 grep -q "'Sincronized Stop'" "$work/out.log" || fail "Sincronized Start did not start both"
}

# The run that is measured from outside.
open_gantos "vrim.tick.info=true;vrim.stopwatch.info=true" "$work/prog"
start_peer
sleep 1

mark=$(wc -l <"$work/out.log")
app_cpu0=$(cpu_ticks "$app"); peer_cpu0=$(cpu_ticks "$peer")
"$work/damagewatch" "$ganto" "$seconds" >"$work/ganto.damage" &
watch1=$!
"$work/damagewatch" "$peer_window" "$seconds" >"$work/peer.damage" &
watch2=$!
wait "$watch1" "$watch2"
app_cpu1=$(cpu_ticks "$app"); peer_cpu1=$(cpu_ticks "$peer")
app_rss=$(rss_kb "$app"); peer_rss=$(rss_kb "$peer")
both_button # Sincronized Stop
within 20 grep -q "'Sincronized Reset'" "$work/out.log" || fail "Sincronized Stop did not stop both"
state=$(grep 'vrim.stopwatch' "$work/out.log" | tail -n 1)
logged_passes "$work/out.log" "$mark" >"$work/passes"
kill "$app" "$peer" 2>/dev/null || true
wait "$app" "$peer" 2>/dev/null || true

# The quoted texts of the last state line, in order: clock, button, started, stopped, hours,
# minutes, seconds for each column, then the synchronised button.
field() { grep -o "'[^']*'" <<<"$state" | sed -n "${1}p" | tr -d "'"; }
seconds_of() { awk -F: '{print $1 * 3600 + $2 * 60 + $3}' <<<"${1% *}"; }
span=$(( ($(seconds_of "$(field 4)") - $(seconds_of "$(field 3)") + 86400) % 86400 ))

ganto_delays=$(per_second "$work/ganto.damage")
peer_delays=$(per_second "$work/peer.damage")
cpu() { cpu_share "$1" "$seconds"; }

# The watchdog run: the same stopwatches, the event loop timed by a 10 ms timer.
watch_seconds=$(( seconds < 30 ? seconds : 30 ))
open_gantos "vrim.watchdog.info=true;vrim.stopwatch.info=true" "$work/prog2"
sleep "$watch_seconds"
# The first seconds hold the window's opening and the click; from then on both are counting.
grep 'longest block' "$work/out.log" | tail -n +4 >"$work/watchdog"
sed -n 's/.*longest block \([0-9]*\) ms.*/\1/p' "$work/watchdog" | sort -n >"$work/blocks"
sed -n 's/.*busiest gap \([0-9.]*\) ms.*/\1/p' "$work/watchdog" | sort -n >"$work/busy"
kill "$app" 2>/dev/null || true

report=$(cat <<REPORT
# Gantos with both stopwatches counting

$(date -u '+%Y-%m-%d %H:%M UTC'), ${seconds} s beside xclock (and a ${watch_seconds} s watchdog run), $(nproc) cores,
Xvfb without a window manager, load average $(load_average) at the end. CPU is user + system time over the run as a share of one core
(clock ticks of 1/${hz} s, so a figure under $(cpu_resolution "$seconds") reads as 0). Delays are milliseconds past the
change of the wall-clock second; a repaint's delay is its last damage report in that second.

| Figure | Gantos | xclock -update 1 | Target |
|---|---:|---:|---|
| CPU, share of one core | $(cpu $((app_cpu1 - app_cpu0))) | $(cpu $((peer_cpu1 - peer_cpu0))) | ≤ 0.2 % |
| Resident memory (VmRSS) | $(mib "$app_rss") | $(mib "$peer_rss") | |
| Seconds with a repaint (X Damage) | $(grep -c . <<<"$ganto_delays" || true) | $(grep -c . <<<"$peer_delays" || true) | one a second |
| Repaint delay, median | $(echo "$ganto_delays" | median) ms | $(echo "$peer_delays" | median) ms | |
| Repaint delay, worst | $(echo "$ganto_delays" | worst) ms | $(echo "$peer_delays" | worst) ms | ≤ 20 ms |
| Pass delay (program's log), median | $(median <"$work/passes") ms | n/a | |
| Pass delay (program's log), worst | $(worst <"$work/passes") ms | n/a | |
| Event loop late, longest (watchdog run; the machine's load included) | $(worst <"$work/blocks") ms (median of each second's longest $(median <"$work/blocks") ms, $(grep -c . "$work/blocks" || true) s) | n/a | |
| Event loop busy between two wake-ups, longest (thread CPU time) | $(worst <"$work/busy") ms (median of each second's longest $(median <"$work/busy") ms) | n/a | ≤ 5 ms |
| Counted: Reference 1 / Reference 2 / stamps apart | $(field 7) / $(field 14) s / ${span} s | n/a | equal |
REPORT
)
echo "$report"
mkdir -p "$bench/results"
echo "$report" >"$bench/results/ganto-latest.md"
