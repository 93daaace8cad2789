#!/usr/bin/env bash
# A day of the whole program, run for the record rather than in the test suite:
#   tools/soak.sh [BUILD_FOLDER]      (build-asan by default, configured with VRIM_SANITIZE=ON)
# Every window open at once (open_every_window in tests/e2e/lib.sh), on an X server, a sound
# server and a Daytime server of its own, the program under libfaketime:
#  1. A day at 60 times speed, 24 minutes real, from 22:30 the evening before (so that every
#     window is open well before midnight) to 23:59:55. Both the wall clock and the monotonic
#     clock run fast, so the timers, and with them the seconds, come 60 times as often.
#     Each simulated hour: resident memory (VmRSS) and open descriptors. At 00:00:30, 06:00:30,
#     12:00:30, 13:00:30 and 23:59:50: a screenshot, each clock's face compared with the face
#     the program's own face logic draws for the seconds around it (tools/faces, vrim_faces).
#     At the end the program is closed by the launcher's Exit, so LeakSanitizer has its say.
#     The chimes are counted from the vrim.chime log: once per due period, and which were missed.
#  2. The clock set back an hour and on a day while everything runs, at real speed with the
#     monotonic clock untouched (libfaketime moves its monotonic clock with the wall clock, which
#     no real system does, so a jump back would freeze every timer for the hour): the faces at
#     the next second, the chimes, and the passes going on.
# Writes the figures to OUT (default /tmp/vrim-soak-<time>)/summary.md, the sanitizers' reports
# to OUT/asan.*, the screenshots beside them. SOAK_HOURS shortens the day for a trial run; a
# build without the sanitizers gives resident memory without their quarantine of freed blocks.
# Needs what the end-to-end tests need (Xvfb, xdotool, faketime, pulseaudio, ImageMagick).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$repo/build-asan}"
out="${SOAK_OUT:-/tmp/vrim-soak-$(date +%Y%m%d-%H%M%S)}"
hours="${SOAK_HOURS:-24}"
rate=60
mkdir -p "$out/shots" "$out/faces"

cmake --build "$build" --parallel 2 --target vrimclocks vrim_faces >"$out/build.log" 2>&1 ||
    { tail -n 30 "$out/build.log" >&2; exit 1; }
program="$build/vrimclocks"
faces="$build/tools/faces/vrim_faces"
source "$repo/tests/e2e/lib.sh"

summary="$out/summary.md"
: >"$summary"
say() { echo "$*" | tee -a "$summary"; }
problems=0
problem() { problems=$((problems + 1)); say "PROBLEM: $*"; }

export TZ=UTC
export QT_LOGGING_RULES="vrim.chime.info=true;vrim.tick.info=false"
export LSAN_OPTIONS="suppressions=$repo/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$out/ubsan"
export ASAN_OPTIONS="detect_leaks=1:log_path=$out/asan:verify_asan_link_order=0"

start_x
start_sound_server
start_daytime_now

# --- Shared by both parts.

# Every clock's place and size, "name x y w h" a line.
geometry() {
    local name
    for name in "${clocks[@]}"; do
        xwininfo -id "$(windows_named "$name")" | awk -v n="$name" '
            /Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width:/{w=$2} /Height:/{h=$2} END{print n, x, y, w, h}'
    done
}
# A screenshot of the whole screen into $out/shots/$1.xwd (quicker to take than a PNG; see
# to_png), the clocks' places beside it, and
# the program's time (HH:MM:SS) just before and just after it into $1.when.
shot() {
    local before after
    # The places first: read after the screenshot, Perrin may have crept meanwhile.
    geometry >"$out/shots/$1.geometry"
    before=$(program_time)
    xwd -root -silent >"$out/shots/$1.xwd"
    after=$(program_time)
    echo "$(date -u -d "@${before%.*}" +%T) $(date -u -d "@${after%.*}" +%T)" >"$out/shots/$1.when"
}
to_png() { [ -f "$out/shots/$1.png" ] || convert "xwd:$out/shots/$1.xwd" "$out/shots/$1.png"; }
resident_kb() { awk '/VmRSS/{print $2}' "/proc/$app/status"; }
descriptors() { ls "/proc/$app/fd" | wc -l; }
alive() { kill -0 "$app" 2>/dev/null; }

# Compares each clock in the screenshot $1 with the faces drawn in $2 at the seconds listed
# in $3 (HHMMSS, space-separated): the nearest face, and how many pixels differ from it (a
# fuzz of 12% per channel). Perrin is compared inside its oval only, around the minutes. One
# line per clock.
compare_faces() {
    local shot=$1 drawn=$2 seconds=$3 name x y w h best best_at worst s n m dx face area
    while read -r name x y w h; do
        rm -f "$work"/window*.png
        # Perrin creeps a pixel left at a new minute, which may come between the reading of its
        # place and the screenshot: it is cut out where it was read and a pixel either side.
        for dx in 0 -1 1; do
            if [ "$name" = Perrin ]; then
                convert "$shot" -crop "60x50+$((x + dx + 36))+$((y + 40))" +repage "$work/window$dx.png"
            else
                convert "$shot" -crop "${w}x${h}+$x+$y" +repage "$work/window$dx.png"
            fi
            [ "$name" = Perrin ] || break
        done
        best=999999 best_at="" worst=0
        for s in $seconds; do
            # The drawn faces go by the windows' own names; Lumbo's caption is "lum-bo".
            face="$drawn/${name/lum-bo/lumbo}-$s.png"
            if [ "$name" = Perrin ]; then
                convert "$face" -crop 60x50+36+40 +repage "$work/drawn.png" 2>/dev/null || rm -f "$work/drawn.png"
            else
                cp "$face" "$work/drawn.png" 2>/dev/null || rm -f "$work/drawn.png"
            fi
            n=999999
            for dx in 0 -1 1; do
                [ -f "$work/window$dx.png" ] || continue
                m=$(compare -metric AE -fuzz 12% "$work/window$dx.png" "$work/drawn.png" null: 2>&1 || true)
                m=${m%% *}
                [[ $m =~ ^[0-9]+$ ]] && ((m < n)) && n=$m
                [ "$name" = Perrin ] || break
            done
            ((n < best)) && best=$n best_at=$s
            ((n > worst)) && worst=$n
        done
        area=$((w * h))
        [ "$name" = Perrin ] && area=3000
        echo "$name $best $best_at $worst $area"
    done <"${shot%.png}.geometry"
}
# vrim_faces arguments for the clocks' history: a pass a minute from $1 to $2, then a pass a
# second to $3, drawing those from $4 on (all four in seconds since the epoch).
replay_args() {
    local t
    for ((t = $1; t < $2; t += 60)); do echo "~$(date -u -d "@$t" +%T)"; done
    for ((t = $2; t <= $3; t++)); do
        if ((t >= $4)); then date -u -d "@$t" +%T; else echo "~$(date -u -d "@$t" +%T)"; fi
    done
}
# Seconds from the time of day $1 to $2, across midnight when $2 is smaller.
seconds_between() {
    local a b
    a=$(date -u -d "1970-01-01 $1" +%s) b=$(date -u -d "1970-01-01 $2" +%s)
    echo $(((b - a + 86400) % 86400))
}
hhmmss_range() { # seconds since the epoch $1..$2 as HHMMSS words
    local t
    for ((t = $1; t <= $2; t++)); do date -u -d "@$t" +%H%M%S; done | tr '\n' ' '
}
# Judges the lines of compare_faces: the nearest face must differ in at most 3% of the
# window's pixels (text drawn by another font engine, a pass that came late), and must be
# nearer than the farthest candidate, so that the comparison could tell the seconds apart.
judge_faces() {
    local label=$1 name best at worst area
    while read -r name best at worst area; do
        say "  $label $name: nearest face at $at, $best of $area pixels differ (farthest candidate $worst)"
        if [ "$name" = Jolvex ]; then
            # Its bars step on from where they stood at the minute it opened, which the drawn
            # faces (all opened at one time) do not share: its figure is shown, not judged.
            continue
        fi
        if ((best * 100 > area * 3)); then problem "$label: $name shows no face near the time"; fi
    done
}

# --- Part 1: the day.

say "# Soak: a day with every window open ($(date -u '+%Y-%m-%d %H:%M') UTC, $(basename "$build"))"
folder="$work/prog"
make_program_folder "$folder" "$program"
clock_start=$(date -u -d "2026-12-07 22:30:00" +%s)
preload=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)
started=$(date +%s.%N)
LD_PRELOAD="$preload" FAKETIME="@2026-12-07 22:30:00 x$rate" "$folder/vrimclocks" >"$work/out.log" 2>&1 &
app=$!
pids+=("$app")
program_time() { awk -v b="$clock_start" -v s="$started" -v n="$(date +%s.%N)" -v r="$rate" 'BEGIN{printf "%.2f", b + (n - s) * r}'; }
# Sleeps until the program's clock reads $1 ("2026-12-08 06:00:30").
until_program() {
    local at
    at=$(date -u -d "$1" +%s)
    awk -v b="$clock_start" -v s="$started" -v a="$at" -v r="$rate" -v n="$(date +%s.%N)" \
        'BEGIN{d = s + (a - b) / r - n; if (d > 0) system("sleep " d)}'
}

# Lumbo's hourly chime sounds only with its sound switch, the fourth line of lumbi.prf, at 1.
within 100 test -s "$folder/Settings/lumbi.prf" || fail "no lumbi.prf after the first start"
sed -i '4s/.*/ 1 \r/' "$folder/Settings/lumbi.prf"
open_every_window
lay_out_every_window
sleep 1
say "Every window open at $(date -u -d "@$(program_time | cut -d. -f1)" '+%F %T') program time."
import -window root "$out/shots/all-open.png"

day_end=$(date -u -d "2026-12-08 00:00:00 $hours hours" +%s)
checkpoints=("00:00:30" "06:00:30" "12:00:30" "13:00:30" "23:59:50")
# Events in order: "seconds kind label".
events=()
for ((h = 0; h < hours; h++)); do
    events+=("$(date -u -d "2026-12-08 00:00:10 $h hours" +%s) sample $(printf '%02d:00' "$h")")
done
for c in "${checkpoints[@]}"; do
    at=$(date -u -d "2026-12-08 $c" +%s)
    if [ "$c" = 23:59:50 ]; then at=$((day_end - 10)); fi
    ((at <= day_end)) && events+=("$at shot $c")
done
events+=("$((day_end - 5)) sample end")
mapfile -t events < <(printf '%s\n' "${events[@]}" | sort -n)

say ""
say "| program time | VmRSS kB | open descriptors |"
say "|---|---|---|"
rss=() fds=()
for event in "${events[@]}"; do
    read -r at kind label <<<"$event"
    until_program "$(date -u -d "@$at" '+%F %T')"
    alive || { problem "the program ended at $(date -u -d "@$(program_time | cut -d. -f1)" +%T)"; break; }
    if [ "$kind" = sample ]; then
        rss+=("$(resident_kb)") fds+=("$(descriptors)")
        say "| $label | ${rss[-1]} | ${fds[-1]} |"
    else
        shot "day-${label//:/}"
    fi
done
alive && {
    # The launcher's Exit bar closes every window and ends the program.
    xdotool windowraise "$(windows_named "vRIM's")"
    xdotool mousemove --window "$(windows_named "vRIM's")" 90 334 click 1
    for ((i = 0; i < 600 && $(kill -0 "$app" 2>/dev/null && echo 1 || echo 0); i++)); do sleep 0.1; done
}
status=0
wait "$app" 2>/dev/null || status=$?
say ""
say "Exit status after the launcher's Exit: $status"
((status == 0)) || problem "the program's exit status is $status"
cp "$work/out.log" "$out/day.log"

# Memory and descriptors from the first hour on.
if ((${#rss[@]} > 2)); then
    growth=$((rss[-1] - rss[1]))
    most=$(printf '%s\n' "${rss[@]:1}" | sort -n | tail -n 1)
    say "VmRSS from 01:00 to the end: ${rss[1]} -> ${rss[-1]} kB (growth $growth kB, highest $most kB)"
    ((growth < 1024)) || problem "resident memory grew by $growth kB after the first hour"
    say "Open descriptors: ${fds[0]} at 00:00, ${fds[1]} at 01:00, $(printf '%s\n' "${fds[@]}" | sort -n | tail -n 1) at most, ${fds[-1]} at the end"
    ((fds[-1] <= fds[1])) || problem "open descriptors grew from ${fds[1]} to ${fds[-1]}"
fi

# Chimes: one line per chime, "chime Design yyyy-mm-dd HH:MM:SS".
say ""
say "Chimes on 2026-12-08 (each design's due periods: every 5 minutes, 288 a day; Lumbo hourly when its sound switch is on; Perrin none):"
for design in Dov Norvi Quenz Jolvex Vrimcolor Mip Lumbo; do
    read -r n periods twice < <(awk -v d="$design" -v h="$hours" '$2 == "chime" && $3 == d && $4 == "2026-12-08" && $5 < sprintf("%02d", h) {
        n++; p = substr($5, 1, 5); if (++seen[p] == 1) periods++; else if (seen[p] == 2) twice++ }
        END { print n + 0, periods + 0, twice + 0 }' "$out/day.log")
    due=$((hours * 12))
    [ "$design" = Lumbo ] && due=$hours
    say "  $design: $n chimes in $periods periods of $due due; periods chimed twice: $twice"
    ((twice == 0)) || problem "$design chimed twice in $twice periods"
done

# Faces at the checkpoints.
say ""
say "Faces at the checkpoints (the screenshot against the faces drawn for the seconds around it):"
for c in "${checkpoints[@]}"; do
    name="day-${c//:/}"
    [ -f "$out/shots/$name.xwd" ] || continue
    to_png "$name"
    read -r before after <"$out/shots/$name.when"
    say " $c: the screenshot was taken between $before and $after"
    open_at=$(date -u -d "2026-12-07 23:30:00" +%s)
    # From a minute before: the program's clock starts when libfaketime is loaded, a little after
    # the moment taken here for its start, and at 60 times speed that is up to some 20 seconds.
    shot_at=$(date -u -d "2026-12-08 $before" +%s)
    # The last one, at 23:59:50, may have been taken after midnight.
    if [ "$c" = 23:59:50 ] && [[ $before < 12 ]]; then shot_at=$((shot_at + 86400)); fi
    first=$((shot_at - 60))
    last=$((shot_at + $(seconds_between "$before" "$after") + 4))
    rm -rf "$out/faces/$name" && mkdir -p "$out/faces/$name"
    # shellcheck disable=SC2046
    QT_QPA_PLATFORM=offscreen "$faces" "$folder" "$out/faces/$name" \
        $(replay_args "$open_at" $((first - 70)) "$last" "$first") >"$out/faces/$name.log" 2>&1 ||
        problem "vrim_faces failed for $c: $(tail -n 3 "$out/faces/$name.log")"
    judge_faces "$c" < <(compare_faces "$out/shots/$name.png" "$out/faces/$name" "$(hhmmss_range "$first" "$last")")
done

# --- Part 2: the clock set back an hour and on a day, at real speed (SOAK_JUMPS=0 skips it).
if [ "${SOAK_JUMPS:-1}" = 1 ]; then

say ""
say "## The clock set while everything runs"
export ASAN_OPTIONS="detect_leaks=1:log_path=$out/asan-jumps:verify_asan_link_order=0"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$out/ubsan-jumps"
export QT_LOGGING_RULES="vrim.chime.info=true;vrim.tick.info=true"
rm -rf "$work/prog"
start_program_jumping "$program" "2026-12-07 10:03:40"
program_time() { awk -v o="$clock_offset" -v n="$(date +%s.%N)" 'BEGIN{printf "%.2f", n + o}'; }
wait_for() { # program time (seconds since the epoch)
    awk -v o="$clock_offset" -v a="$1" -v n="$(date +%s.%N)" 'BEGIN{d = a - o - n; if (d > 0) system("sleep " d)}'
}
open_every_window
lay_out_every_window
say "Every window open at $(date -u -d "@$(program_time | cut -d. -f1)" +%T)."
# Shots: before the jump, at the next second after it, a second later; each with its time.
jump_shots=()
wait_for "$(date -u -d "2026-12-07 10:05:12" +%s)"
shot jump-before && jump_shots+=(jump-before)
jump_clock -3600
sleep 1.05
shot jump-back && jump_shots+=(jump-back)
sleep 1
shot jump-back-later && jump_shots+=(jump-back-later)
jump_clock 86400
sleep 1.05
shot jump-on && jump_shots+=(jump-on)
sleep 1
shot jump-on-later && jump_shots+=(jump-on-later)
sleep 3
alive || problem "the program ended after the clock was set"
# Passes: one a second, however the clock was set.
passes=$(grep -c 'vrim.tick: pass at' "$work/out.log" || true)
sleep 5
more=$(($(grep -c 'vrim.tick: pass at' "$work/out.log" || true) - passes))
say "Passes in the 5 s after the jumps settled: $more"
((more >= 4 && more <= 6)) || problem "$more passes in 5 s after the clock was set"
{ grep 'vrim.chime' "$work/out.log" || true; } | sed 's/^/  /' | tee -a "$summary"
read -r twice after < <(awk '$2 == "chime" {
    if (++seen[$3 " " $4 " " substr($5, 1, 5)] == 2) twice++
    if ($3 != "Dov" && !($4 == "2026-12-07" && $5 ~ /^10:05:0/)) after++ }
    END { print twice + 0, after + 0 }' "$work/out.log")
say "Periods chimed twice: $twice; chimes after the jumps by designs due only in second 00: $after"
((twice == 0)) || problem "a period chimed twice"
((after == 0)) || problem "a jump sounded a chime that was not due"
xdotool windowraise "$(windows_named "vRIM's")"
xdotool mousemove --window "$(windows_named "vRIM's")" 90 334 click 1
for ((i = 0; i < 300 && $(kill -0 "$app" 2>/dev/null && echo 1 || echo 0); i++)); do sleep 0.1; done
status=0
wait "$app" 2>/dev/null || status=$?
say "Exit status: $status"
((status == 0)) || problem "the program's exit status is $status"
cp "$work/out.log" "$out/jumps.log"

# The faces: the history replayed second by second, with the jumps where they came.
say "Faces after the jumps:"
opened=$(date -u -d "2026-12-07 10:04:00" +%s)
args=()
previous=""
for name in "${jump_shots[@]}"; do
    read -r before after <"$out/shots/$name.when"
    base_day="2026-12-07"
    [[ $name == jump-on* ]] && base_day="2026-12-08"
    first=$(($(date -u -d "$base_day $before" +%s) - 1))
    last=$((first + $(seconds_between "$before" "$after") + 2))
    if [ -z "$previous" ]; then
        mapfile -t part < <(replay_args "$opened" "$opened" "$last" "$first")
    elif ((first - previous < 30 && previous - first < 30)); then
        # Straight on from the shot before: seconds already drawn are not passed again.
        mapfile -t part < <(replay_args $((previous + 1)) $((previous + 1)) "$last" $((previous + 1)))
    else
        mapfile -t part < <(replay_args "$first" "$first" "$last" "$first")
    fi
    args+=("${part[@]}")
    previous=$last
    echo "$name $(hhmmss_range "$first" "$last")" >>"$work/jump-seconds"
done
mkdir -p "$out/faces/jumps"
QT_QPA_PLATFORM=offscreen "$faces" "$folder" "$out/faces/jumps" "${args[@]}" >"$out/faces/jumps.log" 2>&1 ||
    problem "vrim_faces failed for the jumps: $(tail -n 3 "$out/faces/jumps.log")"
while read -r name seconds; do
    read -r before after <"$out/shots/$name.when"
    to_png "$name"
    say " $name (between $before and $after):"
    judge_faces "$name" < <(compare_faces "$out/shots/$name.png" "$out/faces/jumps" "$seconds")
done <"$work/jump-seconds"

fi

# --- Sanitizers and the verdict.
say ""
reports=$(find "$out" -maxdepth 1 \( -name 'asan*' -o -name 'ubsan*' \) | wc -l)
say "Sanitizer reports: $reports"
((reports == 0)) || { problem "sanitizer reports: $(ls "$out"/asan* "$out"/ubsan*)"; head -n 40 "$out"/asan* "$out"/ubsan* 2>/dev/null | tee -a "$summary"; }
say ""
say "Problems: $problems"
((problems == 0))
