# Shared by the benchmarks that watch windows repaint beside `xclock -update 1`: the checks for
# the program and the tools, an X server of their own with the damage watcher built, the peer,
# and the figures (CPU, memory, delays). Sourced after the caller has set nothing; it sets
# `bench` (this folder), `root`, `program`, `hz` and everything tests/e2e/lib.sh sets.

bench=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$bench/.." && pwd)
program=${VRIM_PROGRAM:-$root/build/vrimclocks}
[ -x "$program" ] || { echo "build the program first (./build.sh run, or cmake --build build), or set VRIM_PROGRAM" >&2; exit 1; }
program=$(realpath "$program")
for tool in Xvfb xclock xdotool xwininfo cc; do
    command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb x11-apps xdotool x11-utils gcc" >&2; exit 1; }
done
[ -f /usr/include/X11/extensions/Xdamage.h ] || { echo "missing libxdamage-dev" >&2; exit 1; }

source "$root/tests/e2e/lib.sh"
hz=$(getconf CLK_TCK)

# Builds the damage watcher into $work and starts an X server of our own.
bench_start_x() {
    cc -O2 -o "$work/damagewatch" "$bench/tools/damagewatch.c" -lXdamage -lX11
    start_x
}

# Starts `xclock -update 1` beside the program; its pid goes to $peer, its window to $peer_window.
start_peer() {
    xclock -update 1 -geometry 120x120+20+20 &
    peer=$!
    pids+=("$peer")
    within 50 shown xclock || fail "xclock did not open"
    peer_window=$(windows_named xclock)
}

# Two shell loops that keep both cores of a two-core machine busy, for a run on a loaded machine.
start_busy_loops() {
    local i
    for i in 1 2; do
        (while :; do :; done) &
        pids+=($!)
    done
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS/{print $2}' "/proc/$1/status"; }
pss_kb() { awk '/^Pss:/{print $2}' "/proc/$1/smaps_rollup"; }
mib() { awk -v k="$1" 'BEGIN{printf "%.1f MiB", k / 1024}'; }
# CPU ticks $1 over $2 seconds as a share of one core.
cpu_share() { awk -v t="$1" -v hz="$hz" -v s="$2" 'BEGIN{printf "%.3f %%", 100 * t / hz / s}'; }
# The smallest share a run of $1 seconds can tell from zero.
cpu_resolution() { awk -v hz="$hz" -v s="$1" 'BEGIN{printf "%.3f %%", 100 / hz / s}'; }
load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# Of numbers one a line, sorted: the middle one and the last one.
median() { awk '{a[NR]=$1} END{if (NR==0) print "n/a"; else print a[int((NR+1)/2)]}'; }
worst() { awk 'BEGIN{m="n/a"} {m=$1} END{print m}'; }
# The delay of each damage report in the file $1 (milliseconds since the epoch, one a line):
# its milliseconds past the wall-clock second, sorted.
delays() { awk '{print $1 % 1000}' "$1" | sort -n; }
# The delay of each second's repaint: the last damage report in each wall-clock second, in
# milliseconds past it (a repaint is several reports in the same few milliseconds), sorted.
per_second() { awk '{s = int($1 / 1000); d = $1 % 1000; if (!(s in m) || d > m[s]) m[s] = d} END{for (s in m) print m[s]}' "$1" | sort -n; }
# The ticker's passes the program logged (vrim.tick) after line $2 of its log $1: milliseconds
# past the second, sorted.
logged_passes() { tail -n +"$(($2 + 1))" "$1" | sed -n 's/.*pass at +\([0-9]*\) ms.*/\1/p' | sort -n; }
