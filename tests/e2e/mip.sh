#!/usr/bin/env bash
# The real program at 13:09:40 of our choosing: the Mip clock, opened from its launcher entry,
# shows the hour picture of one, the zero from Helps\m0.gif and the digit nine, with the
# afternoon lamp; at 13:10 the digits one and zero. Under a window manager, with a person's
# clicks: a drag by its move button moves it by the pointer's way, and a double click on the
# button opens its menu, whose About shows the about box and whose Quit brings the launcher back.
set -euo pipefail

program=${1:?usage: mip.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"
art="$(cd "$(dirname "$0")/../../src/clocks/mip/art" && pwd)"

start_x
start_program "$program" "2026-12-07 13:09:40"
program_seconds() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN{printf "%d", 40 + (n - s)}'; }

dismiss_advice
# The "Mip" label: its bar's top is at 2390 twips (159 pixels), the bar 25 pixels high.
open_from_launcher 171 Mip
mip=$clock
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$mip")" = "67x152" ] || fail "the Mip window is $(size_of "$mip")"
pass "Mip opened from the launcher"

# Fails unless the screenshot $1 shows the picture $2 with its top-left at $3,$4: the picture's
# opaque pixels, laid over what the screen shows there, change no pixel.
expect_picture() {
    local shot=$1 picture=$2 x=$3 y=$4 size differ
    size=$(identify -format '%wx%h' "$picture")
    convert "$shot" -crop "${size}+${x}+${y}" +repage "$work/crop.png"
    convert "$picture" -channel A -threshold 99% +channel "$work/opaque.png"
    convert "$work/crop.png" "$work/opaque.png" -compose over -composite "$work/laid.png"
    differ=$(compare -metric AE -fuzz 2% "$work/crop.png" "$work/laid.png" null: 2>&1 || true)
    [ "$differ" = 0 ] || fail "$5: $differ pixels differ from $(basename "$picture")"
}

sleep 1
import -window "$mip" "$work/at0940.png"
[ "$(program_seconds)" -lt 59 ] || fail "the minute ran out before the screenshot"
shot="$work/at0940.png"
expect_picture "$shot" "$art/hour-01.png" 13 11 "the hour button"
expect_picture "$shot" "$folder/Helps/m0.gif" 23 64 "the tens button"
expect_picture "$shot" "$art/digit-9.png" 23 95 "the units button"
# Another picture in the same place is seen to differ: the check can fail.
if (expect_picture "$shot" "$art/digit-8.png" 23 95 "x") 2>/dev/null; then
    fail "the units button matches the digit eight too"
fi
expect "$shot" 43 122 "0,255,0" "the move button (the afternoon lamp)"
expect "$shot" 20 122 "192,255,120" "the on-top button"
pass "13:09: hour one, the Helps zero, nine, the afternoon lamp"

past() { [ "$(program_seconds)" -ge "$1" ]; }
within 300 past 61 || fail "the program's clock did not reach 13:10:01"
import -window "$mip" "$work/at1010.png"
shot="$work/at1010.png"
expect_picture "$shot" "$art/hour-01.png" 13 11 "the hour button"
expect_picture "$shot" "$art/digit-1.png" 23 64 "the tens button"
expect_picture "$shot" "$art/digit-0.png" 23 95 "the units button"
pass "13:10: hour one, the digits one and zero"

# A drag by the move button moves the window by just the pointer's way, in a person's small
# steps: no jump when the window manager takes over past the drag distance.
before=$(place_of "$mip")
press_at "$mip" 43 125
for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove_relative -- -20 15
    sleep 0.03
done
sleep 0.1
release_button
IFS=, read -r x y <<<"$before"
within 30 test "$(place_of "$mip")" = "$((x - 200)),$((y + 150))" ||
    fail "a drag by -200,150 moved Mip from $before to $(place_of "$mip")"
pass "a drag by the move button moved Mip by the pointer's way, -200,150"

# A double click on the move button opens the menu, under a window manager too, whose move would
# take the pointer at the first press and leave the second to itself. Every item can then be
# reached: the fourth Down lands on About, the fifth on Quit.
sleep 1 # the window manager's move is over
double_click_at "$mip" 43 125
sleep 0.5
xdotool key Down Down Down Down Return
within 50 shown "About Vrim Clocks" || fail "a double click on the move button, then About: no about box"
about=$(windows_named "About Vrim Clocks")
xdotool windowfocus --sync "$about" key Return
within 50 not_shown "About Vrim Clocks" || fail "the about box stayed open"
pass "a double click on the move button, then About: the about box"

# A slower hand, each press held 150 ms.
press_ms=150 double_click_at "$mip" 43 125
sleep 0.5
xdotool key Down Down Down Down Down Return
within 50 shown "vRIM's" || fail "Quit did not bring the launcher back"
within 30 test -z "$(windows_named Mip)" || fail "the Mip window stayed"
pass "a slow double click on the move button, then Quit: the launcher is back and Mip gone"
