#!/usr/bin/env bash
# The real program at 16:47 of our choosing: the Vrimcolor clock, opened from its launcher
# entry "Vrim", shows 4 of 6 on the minutes-tens bar and 7 of 10 on the units bar (both filled
# from the bottom), the present seconds on the flat bar, the afternoon lamp, and 16 o'clock as
# the middle line of the hour square drawn thick and red. A click on its move button reloads its
# settings.
set -euo pipefail

program=${1:?usage: vrimcolor.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
# The program's clock starts at 16:47:03 and runs in real time: the minute lasts long enough
# for a slow (sanitizer) build to reach the clock.
start_program "$program" "2026-12-07 16:47:03"
# The program's seconds now, as a whole number.
program_seconds() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN{printf "%d", 3 + (n - s)}'; }

dismiss_advice
# The "Vrim" label: its bar's top is at 90 twips (6 pixels), the bar 25 pixels high.
click_at "$(windows_named "vRIM's")" 30 18
within 50 shown vrimcolor || fail "the Vrimcolor clock did not open"
vrim=$(windows_named vrimcolor)
opened_at=$(place_of "$vrim")
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$vrim")" = "117x117" ] || fail "the Vrimcolor window is $(size_of "$vrim")"
pass "Vrimcolor opened from the launcher"

expect_not() { # shot x y colour what
    local got
    got=$(rgb_at "$1" "$2" "$3")
    [ "$got" != "$4" ] || fail "$5 shows $got"
}
navy="0,0,128"

sleep 1.5
before=$(program_seconds)
import -window "$vrim" "$work/face.png"
after=$(program_seconds)
[ "$after" -lt 57 ] || fail "the minute ran out before the screenshot (second $after)"

# The tens bar's inside runs from y 35 to 85 and the units bar's from 11 to 87, in pixels.
expect "$work/face.png" 19 82 "$navy" "the tens bar's bottom"
expect "$work/face.png" 19 55 "$navy" "the tens bar at 4 of 6"
expect_not "$work/face.png" 19 48 "$navy" "the tens bar above 4 of 6"
expect "$work/face.png" 99 84 "$navy" "the units bar's bottom"
expect "$work/face.png" 99 37 "$navy" "the units bar at 7 of 10"
expect_not "$work/face.png" 99 31 "$navy" "the units bar above 7 of 10"
pass "16:47: the tens bar shows 4 of 6, the units bar 7 of 10, both from the bottom"

# The seconds bar's inside starts at x 9 and gains 101/60 pixels a second.
filled=$(awk -v s="$before" 'BEGIN{printf "%d", 9 + int(101 * s / 60) - 2}')
empty=$(awk -v s="$after" 'BEGIN{printf "%d", 9 + int(101 * (s + 1) / 60) + 2}')
expect "$work/face.png" 10 100 "$navy" "the seconds bar's start"
expect "$work/face.png" "$filled" 100 "$navy" "the seconds bar at second $before"
expect_not "$work/face.png" "$empty" 100 "$navy" "the seconds bar past second $after"
expect_not "$work/face.png" 108 100 "$navy" "the seconds bar's end"
pass "the seconds bar filled to the present second ($before to $after)"

expect "$work/face.png" 26 19 "125,255,125" "the move button (the afternoon lamp)"
expect "$work/face.png" 26 9 "192,255,120" "the on-top button"
# 16 o'clock: Line16 across the middle of the square's right half, thick and red; Line14 along
# its top, thin; the white square's left half empty where the morning groups put lines.
expect "$work/face.png" 70 57 "255,0,0" "Line16's upper half"
expect "$work/face.png" 70 58 "255,0,0" "Line16's lower half"
expect_not "$work/face.png" 70 34 "255,0,0" "Line14"
expect_not "$work/face.png" 70 34 "255,255,255" "Line14"
expect "$work/face.png" 45 50 "255,255,255" "the hour square"
expect "$work/face.png" 40 58 "255,255,255" "the hour square where the morning's Line16 lies"
pass "the afternoon lamp, and 16 o'clock as Line16 thick and red in the square"

# A click on the move button, a press and release in place, is a drag that went nowhere: the
# clock reloads its settings at once, as after every drag, and shows the skin its file now names.
skin_strip() { import -window "$vrim" -crop 40x14+40+4 +repage "$work/strip.$1.png"; }
skin_strip before
printf '%s\r\n' "$folder/Skins/Vrim/sunfel.bmp" >"$folder/Settings/vrimcpref.prf"
sleep 1.5 # no pass may pick the file up before the click
skin_strip unclicked
[ "$(compare -metric AE "$work/strip.before.png" "$work/strip.unclicked.png" null: 2>&1)" = 0 ] ||
    fail "the skin changed before the move button was clicked"
press_ms=150 click_at "$vrim" 26 19 # a slow hand
new_skin() {
    skin_strip after
    [ "$(compare -metric AE "$work/strip.before.png" "$work/strip.after.png" null: 2>&1)" != 0 ]
}
within 15 new_skin || fail "a click on the move button did not reload the skin within 1.5 s"
[ "$(place_of "$vrim")" = "$opened_at" ] || fail "the click moved the clock to $(place_of "$vrim")"
pass "a click on the move button reloaded the settings: the new skin shows"
