#!/usr/bin/env bash
# The real program at 18:20 of our choosing: the Perrin clock, opened from its launcher entry,
# shows hour 18's picture through its oval at its place; clicks inside its rectangle but outside
# the oval reach the window below it; at the next minute it creeps one pixel to the left; a
# double click on its hot spot closes it and brings the launcher back.
set -euo pipefail

program=${1:?usage: perrin.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"
art="$(cd "$(dirname "$0")/../../src/clocks/perrin/art" && pwd)"

start_x
start_program "$program" "2026-12-07 18:20:20"
program_seconds() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN{printf "%d", 20 + (n - s)}'; }
left_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x "," y}'; }

# A window below Perrin's place that writes down the clicks it gets; with room around it for
# the window manager's frame, its inside still covers the whole place.
xev -name below -geometry 400x340+600+340 -event button >"$work/below.log" 2>&1 &
pids+=($!)
within 50 shown below || fail "the window below did not open"

dismiss_advice
# The splash's end leaves the help menu open over the corner of Perrin's place where a click must
# reach the window below; its Exit closes it.
within 50 shown Help || fail "the splash's end showed no help menu"
click_at "$(windows_named Help)" 20 8
within 50 not_shown Help || fail "the help menu's Exit did not close it"
open_from_launcher 293 Perrin # the "Perrin" label, its bar's top at 4215 twips
perrin=$clock
shown "vRIM's" && fail "the launcher stayed open"
[ "$(program_seconds)" -lt 58 ] || fail "the minute was nearly over when Perrin opened"
[ "$(left_of "$perrin")" = "657,406" ] || fail "Perrin opened at $(left_of "$perrin")"
pass "Perrin opened from the launcher at 657,406"

sleep 0.5
import -window root "$work/root.png"
# Points of the window inside the oval; the picture lies 13 px up and left of the window.
for point in "30 30" "66 12" "110 60" "20 70" "66 120" "100 105"; do
    read -r x y <<<"$point"
    expect "$work/root.png" $((657 + x)) $((406 + y)) "$(rgb_at "$art/hour-18.png" $((x + 13)) $((y + 13)))" \
        "the window at $x,$y"
done
pass "the screen shows hour 18's picture through the oval"

# Inside the 233 x 200 rectangle but outside the oval a click goes to the window below.
for point in "140 100" "200 180" "4 4"; do
    read -r x y <<<"$point"
    point_at screen $((657 + x)) $((406 + y))
    sleep 0.2
    pointer_over "$perrin" && fail "at $x,$y the pointer is over Perrin"
    press_button 1
    within 20 grep -q "root:($((657 + x)),$((406 + y)))" "$work/below.log" ||
        fail "the window below got no click at $x,$y: $(grep -c ButtonPress "$work/below.log") clicks"
done
shown Perrin || fail "a click outside the oval closed Perrin"
[ "$(left_of "$perrin")" = "657,406" ] || fail "a click outside the oval moved Perrin"
xdotool mousemove $((657 + 66)) $((406 + 100))
sleep 0.2
pointer_over "$perrin" || fail "inside the oval the pointer is not over Perrin"
pass "clicks outside the oval reach the window below"

# 5.833 twips a minute: at 18:21 the left edge is 9843.3 twips, 656 px.
while [ "$(program_seconds)" -lt 61 ]; do sleep 0.2; done
within 30 test "$(left_of "$perrin")" = "656,406" || fail "at 18:21 Perrin is at $(left_of "$perrin"), not 656,406"
pass "at the next minute Perrin crept to 656,406"

# The hot spot at 36,38 (17 x 15): a double click closes the clock and shows the launcher, also
# from a slow hand, its presses held 150 ms (the window manager must not take
# the first).
press_ms=150 double_click_at "$perrin" 44 45
within 50 shown "vRIM's" || fail "no launcher after the double click on the hot spot"
shown Perrin && fail "Perrin stayed open after the double click on its hot spot"
pass "a double click on the hot spot closes Perrin and shows the launcher"
