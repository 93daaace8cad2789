#!/usr/bin/env bash
# The real program at 15:20 of our choosing: the Jolvex clock, opened from its launcher entry,
# shows the coming hour's yellow slid down over the present hour's orange as far as the minute
# puts it, and its seconds bar split where the seconds since it opened put the boundary.
set -euo pipefail

program=${1:?usage: jolvex.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
# The program's clock starts at 15:20:02 and runs in real time.
start_program "$program" "2026-12-07 15:20:02"
# The program's seconds now, as a whole number.
program_seconds() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN{printf "%d", 2 + (n - s)}'; }

dismiss_advice
opened_from=$(program_seconds)
click_at "$(windows_named "vRIM's")" 30 202 # the jolvex label
within 50 shown Jolvex || fail "the Jolvex clock did not open"
opened_by=$(program_seconds)
jolvex=$(windows_named Jolvex)
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$jolvex")" = "78x50" ] || fail "the Jolvex window is $(size_of "$jolvex")"
pass "Jolvex opened from the launcher at second $opened_from..$opened_by"

rgb_at() {
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
expect() { # shot x y colour what
    local got
    got=$(rgb_at "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5 shows $got, not $4"
}
# The first row (y 6 to 42, inside the panel) of column $2 that shows colour $3.
first_row() {
    local y
    for ((y = 6; y <= 42; y++)); do
        [ "$(rgb_at "$1" "$2" "$y")" = "$3" ] && { echo "$y"; return 0; }
    done
    echo none
}

sleep 1.5
before=$(program_seconds)
import -window "$jolvex" "$work/jolvex.png"
after=$(program_seconds)
[ "$after" -lt 56 ] || fail "the minute was nearly over before the screenshot ($after s)"
shot="$work/jolvex.png"

# 15 o'clock: orange now, yellow coming. Opened in minute 20, the next-hour bar's top is
# -480 + 8 * 20 + 8.5 = -311.5 twips in the panel, so the present hour starts at panel twip 168.5:
# window pixel (90 + 168.5) / 15 = 17.
orange="255,115,0" yellow="255,255,0"
expect "$shot" 15 10 "$yellow" "the next hour's bar"
expect "$shot" 15 16 "$yellow" "the last row of the next hour's bar"
expect "$shot" 15 17 "$orange" "the first row of the present hour's bar"
expect "$shot" 15 35 "$orange" "the present hour's bar"
pass "the hour bars: yellow over orange, the boundary at row 17"

# The seconds bar: its lower piece (white) was placed at 8 twips a second at opening (second
# s0) and has stepped 8.5 a second since, the first tick included: at second s its top is
# 8 s0 + 8.5 (s - s0 + 1). Above it the upper piece's red.
expected_rows=$(awk -v a="$opened_from" -v b="$opened_by" -v c="$before" -v d="$after" 'BEGIN{
    lo = 99; hi = -1
    for (s0 = a; s0 <= b; s0++) for (s = c; s <= d; s++) {
        if (s < s0) continue
        top = 8 * s0 + 8.5 * (s - s0 + 1); y = int((90 + top) / 15 + 0.5)
        if (y < lo) lo = y; if (y > hi) hi = y
    }
    print lo, hi}')
read -r lowest highest <<<"$expected_rows"
boundary=$(first_row "$shot" 33 "255,255,255")
[ "$boundary" != none ] || fail "no white seconds piece in the seconds bar"
[ "$boundary" -ge "$lowest" ] && [ "$boundary" -le "$highest" ] ||
    fail "the seconds boundary is at row $boundary, the rules put it at $lowest..$highest"
expect "$shot" 33 $((boundary - 1)) "176,23,31" "the upper seconds piece"
pass "the seconds bar splits at row $boundary (seconds $before..$after)"

# No LED in bar mode: the skin where it would be.
led=$(rgb_at "$shot" 47 14)
case "$led" in "0,0,255" | "0,255,0" | "255,0,10") fail "an LED shows ($led) in bar mode" ;; esac
pass "no LED in bar mode"

# The menu button (left button) opens the menu; Seconds Display > Led puts a blinking LED in
# place of the seconds bar, whose place the hour bars then fill.
press_at "$jolvex" 64 24
sleep 0.3
release_button
xdotool key Down Down Down Down Right Return
sleep 1.3
import -window "$jolvex" "$work/led.png"
led=$(rgb_at "$work/led.png" 47 14)
[ "$led" = "0,255,0" ] || [ "$led" = "255,0,10" ] || fail "the LED shows $led, not green or red"
expect "$work/led.png" 33 10 "$yellow" "the seconds' place, now the next hour's bar"
for attempt in 1 2 3 4; do
    sleep 0.6
    import -window "$jolvex" "$work/led2.png"
    led2=$(rgb_at "$work/led2.png" 47 14)
    [ "$led2" != "$led" ] && break
    [ "$attempt" = 4 ] && fail "the LED stayed $led for over two seconds"
done
[ "$led2" = "0,255,0" ] || [ "$led2" = "255,0,10" ] || fail "the LED then shows $led2"
pass "Led: the LED blinks ($led, then $led2) and the hour bars fill the column"
