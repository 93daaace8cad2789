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
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
program=${VRIM_PROGRAM:-$root/build/vrimclocks}
[ -x "$program" ] || { echo "build the program first (./build.sh run, or cmake --build build)" >&2; exit 1; }
for tool in Xvfb xclock xdotool xwininfo cc; do
    command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb x11-apps xdotool x11-utils gcc" >&2; exit 1; }
done
[ -f /usr/include/X11/extensions/Xdamage.h ] || { echo "missing libxdamage-dev" >&2; exit 1; }

source "$root/tests/e2e/lib.sh"
cc -O2 -o "$work/damagewatch" "$here/tools/damagewatch.c" -lXdamage -lX11

start_x
case "$access" in
bus) start_accessibility_bus ;;
reader) start_accessibility_bus on ;;
esac
if [ "$access" = reader ]; then
    /usr/bin/python3 "$here/tools/reader.py" >"$work/reader.log" 2>&1 &
    pids+=($!)
    within 100 grep -q listening "$work/reader.log" || fail "the stand-in reader did not start"
fi
make_program_folder "$work/prog" "$program"
QT_LOGGING_RULES="vrim.tick.info=true" "$work/prog/vrimclocks" >"$work/out.log" 2>&1 &
app=$!
pids+=("$app")
dismiss_advice
xdotool mousemove --window "$(windows_named "vRIM's")" 30 "$label_y" mousedown 1 mouseup 1
within 50 shown "$window" || fail "the $name clock did not open"
clock=$(windows_named "$window")

xclock -update 1 -geometry 120x120+20+20 &
peer=$!
pids+=("$peer")
within 50 shown xclock || fail "xclock did not open"
peer_window=$(windows_named xclock)
sleep 1

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/VmRSS/{print $2}' "/proc/$1/status"; }
hz=$(getconf CLK_TCK)
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

# Delay of each repaint after the second it belongs to: its milliseconds past the second.
delays() { awk '{d = $1 % 1000; print d}' "$1" | sort -n; }
median() { awk '{a[NR]=$1} END{if (NR==0) print "n/a"; else print a[int((NR+1)/2)]}'; }
worst() { awk 'BEGIN{m="n/a"} {m=$1} END{print m}'; }
tail -n +"$((mark + 1))" "$work/out.log" | sed -n 's/.*pass at +\([0-9]*\) ms.*/\1/p' | sort -n >"$work/passes"

clock_delays=$(delays "$work/clock.damage")
peer_delays=$(delays "$work/peer.damage")
cpu() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN{printf "%.3f %%", 100 * t / hz / s}'; }

report=$(cat <<REPORT
# $name clock at rest

$(date -u '+%Y-%m-%d %H:%M UTC'), ${seconds} s, $(nproc) cores, Xvfb without a window manager, load
average $(cut -d' ' -f1-3 /proc/loadavg). Accessibility: $(case "$access" in
    none) echo "no session bus" ;;
    bus) echo "the accessibility bus running, switched off" ;;
    reader) echo "switched on, a stand-in screen reader listening (it heard $heard events in the run)" ;;
    esac).
CPU is user + system time over the run as a share of one core (clock ticks of 1/${hz} s, so
a figure under $(awk -v hz="$hz" -v s="$seconds" 'BEGIN{printf "%.3f", 100 / hz / s}') % reads as 0). Delays are milliseconds past the change of
the wall-clock second.

| Figure | $name | xclock -update 1 | Target |
|---|---:|---:|---|
| CPU, share of one core | $(cpu $((app_cpu1 - app_cpu0))) | $(cpu $((peer_cpu1 - peer_cpu0))) | ≤ 0.2 % |
| Resident memory (VmRSS) | $(awk -v k="$app_rss" 'BEGIN{printf "%.1f MiB", k/1024}') | $(awk -v k="$peer_rss" 'BEGIN{printf "%.1f MiB", k/1024}') | ≤ 45 MB |
| Repaints seen (X Damage) | $(grep -c . "$work/clock.damage" || true) | $(grep -c . "$work/peer.damage" || true) | |
| Repaint delay, median | $(echo "$clock_delays" | median) ms | $(echo "$peer_delays" | median) ms | |
| Repaint delay, worst | $(echo "$clock_delays" | worst) ms | $(echo "$peer_delays" | worst) ms | ≤ 20 ms |
| Pass delay (program's log), median | $(median <"$work/passes") ms | n/a | |
| Pass delay (program's log), worst | $(worst <"$work/passes") ms | n/a | ≤ 20 ms |
| Passes logged | $(grep -c . "$work/passes" || true) | n/a | one a second |
REPORT
)
echo "$report"
mkdir -p "$here/results"
echo "$report" >"$here/results/$design$([ "$access" = none ] || echo "-$access")-latest.md"
