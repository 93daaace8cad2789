#!/usr/bin/env bash
# A clock left running for a while (60 s by default) beside `xclock -update 1`, both on one Xvfb
# in the same run: CPU as a share of one core, resident memory, and how long after each change of
# the system second the window is repainted (seen from outside, by X Damage reports). A face
# that does not change every second (Dov's marker steps every five) is repainted less often; the
# program's own log of its passes gives the delay of every second. Figures only: nothing here
# passes or fails.
# Lumbo runs with its default settings, so its hourly chime switch is on and its player is
# prepared on every pass.
# With --reader the program runs with the desktop's accessibility bus switched on and a stand-in
# screen reader (tools/reader.py, python3-pyatspi) listening to it; with --bus the bus runs but
# nothing switches it on, as on a desktop without a screen reader. Both need at-spi2-core and
# dbus.
#   bench/clock.sh [--reader|--bus] [dov|norvi|quenz|vrimcolor|jolvex|perrin|lumbo|mip] [SECONDS]
set -euo pipefail

access=none
case "${1:-}" in
--reader) access=reader; shift ;;
--bus) access=bus; shift ;;
esac
design=${1:-dov}
seconds=${2:-60}
# The clock's window title, its name in the report, and where its launcher label is (pixels).
case "$design" in
dov) window=dov name=Dov label_y=110 ;;
norvi) window=norvi name=Norvi label_y=48 ;;
quenz) window=Quenz name=Quenz label_y=140 ;;
vrimcolor) window=vrimcolor name=Vrimcolor label_y=18 ;;
jolvex) window=Jolvex name=Jolvex label_y=202 ;;
perrin) window=Perrin name=Perrin label_y=293 ;;
lumbo) window=lum-bo name=Lumbo label_y=79 ;;
mip) window=Mip name=Mip label_y=171 ;;
*) echo "usage: $0 [dov|norvi|quenz|vrimcolor|jolvex|perrin|lumbo|mip] [SECONDS]" >&2; exit 2 ;;
esac
source "$(dirname "$0")/lib.sh"
bench_start_x
case "$access" in
bus) start_accessibility_bus ;;
reader) start_accessibility_bus on ;;
esac
if [ "$access" = reader ]; then
    /usr/bin/python3 "$bench/tools/reader.py" >"$work/reader.log" 2>&1 &
    pids+=($!)
    within 100 grep -q listening "$work/reader.log" || fail "the stand-in reader did not start"
fi
export QT_LOGGING_RULES="vrim.tick.info=true"
start_program "$program"
dismiss_advice
open_from_launcher "$label_y" "$window"

start_peer
sleep 1

mark=$(wc -l <"$work/out.log")
touch "$work/reader.log"
reader_mark=$(wc -l <"$work/reader.log")
app_cpu0=$(cpu_ticks "$app"); peer_cpu0=$(cpu_ticks "$peer")
"$work/damagewatch" "$clock" "$seconds" >"$work/clock.damage" &
watch1=$!
"$work/damagewatch" "$peer_window" "$seconds" >"$work/peer.damage" &
watch2=$!
wait "$watch1" "$watch2"
app_cpu1=$(cpu_ticks "$app"); peer_cpu1=$(cpu_ticks "$peer")
heard=$(($(wc -l <"$work/reader.log") - reader_mark)) # events during the measured run
app_rss=$(rss_kb "$app"); peer_rss=$(rss_kb "$peer")

logged_passes "$work/out.log" "$mark" >"$work/passes"

clock_delays=$(delays "$work/clock.damage")
peer_delays=$(delays "$work/peer.damage")
cpu() { cpu_share "$1" "$seconds"; }

report=$(cat <<REPORT
# $name clock at rest

$(date -u '+%Y-%m-%d %H:%M UTC'), ${seconds} s, $(nproc) cores, Xvfb without a window manager, load
average $(cut -d' ' -f1-3 /proc/loadavg). Accessibility: $(case "$access" in
    none) echo "no session bus" ;;
    bus) echo "the accessibility bus running, switched off" ;;
    reader) echo "switched on, a stand-in screen reader listening (it heard $heard events in the run)" ;;
    esac).
CPU is user + system time over the run as a share of one core (clock ticks of 1/${hz} s, so
a figure under $(cpu_resolution "$seconds") reads as 0). Delays are milliseconds past the change of
the wall-clock second.

| Figure | $name | xclock -update 1 | Target |
|---|---:|---:|---|
| CPU, share of one core | $(cpu $((app_cpu1 - app_cpu0))) | $(cpu $((peer_cpu1 - peer_cpu0))) | ≤ 0.2 % |
| Resident memory (VmRSS) | $(mib "$app_rss") | $(mib "$peer_rss") | ≤ 45 MB |
| Repaints seen (X Damage) | $(grep -c . "$work/clock.damage" || true) | $(grep -c . "$work/peer.damage" || true) | |
| Repaint delay, median | $(echo "$clock_delays" | median) ms | $(echo "$peer_delays" | median) ms | |
| Repaint delay, worst | $(echo "$clock_delays" | worst) ms | $(echo "$peer_delays" | worst) ms | ≤ 20 ms |
| Pass delay (program's log), median | $(median <"$work/passes") ms | n/a | |
| Pass delay (program's log), worst | $(worst <"$work/passes") ms | n/a | ≤ 20 ms |
| Passes logged | $(grep -c . "$work/passes" || true) | n/a | one a second |
REPORT
)
echo "$report"
mkdir -p "$bench/results"
echo "$report" >"$bench/results/$design$([ "$access" = none ] || echo "-$access")-latest.md"
