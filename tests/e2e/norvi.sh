#!/usr/bin/env bash
# The real program at 15:34 of our choosing: the Norvi clock, opened from its launcher entry,
# shows lamp "III" lit, three minutes-tens and four minutes-units lamps blue, the afternoon
# indicator, and the current second in red; "Secs/No Secs" then puts the seconds out.
set -euo pipefail

program=${1:?usage: norvi.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
# The program's clock starts at 15:34:02 and runs in real time: the minute lasts long enough
# for a slow (sanitizer) build to reach the clock.
start_program "$program" "2026-12-07 15:34:02"
# The program's seconds now, as a whole number.
program_seconds() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN{printf "%d", 2 + (n - s)}'; }

dismiss_advice
click_at "$(windows_named "vRIM's")" 30 49 # the norvi label
within 50 shown norvi || fail "the Norvi clock did not open"
norvi=$(windows_named norvi)
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$norvi")" = "92x224" ] || fail "the Norvi window is $(size_of "$norvi")"
pass "Norvi opened from the launcher"

# Lamp centres in the window, in pixels: the minutes column at x 55, the seconds column at 37;
# cell k of a tens part at y 82 - 10k, of a units part at y 186 - 10k.
red_units() { # shot -> the seconds-units cells that show red
    local k
    for k in 0 1 2 3 4 5 6 7 8 9; do
        [ "$(rgb_at "$1" 37 $((186 - 10 * k)))" = "255,0,0" ] && echo -n "$k "
    done
    return 0
}
red_tens() {
    local k n=0
    for k in 0 1 2 3 4 5; do
        [ "$(rgb_at "$1" 37 $((82 - 10 * k)))" = "255,0,0" ] && n=$((n + 1))
    done
    echo "$n"
}

sleep 0.5
before=$(program_seconds)
import -window "$norvi" "$work/norvi.png"
after=$(program_seconds)
[ "$after" -lt 60 ] || fail "the minute was over before the screenshot ($after s)"
shot="$work/norvi.png"

expect "$shot" 70 107 "0,255,0" "the III lamp"
expect "$shot" 70 73 "$(rgb_at "$shot" 70 41)" "the II lamp (unlit, like I)"
[ "$(rgb_at "$shot" 70 73)" != "0,255,0" ] || fail "the II lamp is lit"
pass "the hour lamp III is lit, II is not"

for k in 0 1 2; do expect "$shot" 55 $((82 - 10 * k)) "0,0,255" "minutes-tens lamp $k"; done
for k in 3 4; do [ "$(rgb_at "$shot" 55 $((82 - 10 * k)))" != "0,0,255" ] || fail "minutes-tens lamp $k is lit"; done
for k in 1 2 3 4; do expect "$shot" 55 $((186 - 10 * k)) "0,0,255" "minutes-units lamp $k"; done
for k in 5 6 9; do [ "$(rgb_at "$shot" 55 $((186 - 10 * k)))" != "0,0,255" ] || fail "minutes-units lamp $k is lit"; done
pass "the minute lamps show 34"

expect "$shot" 55 186 "0,0,100" "the afternoon indicator"
pass "the afternoon indicator is dark blue"

units=$(red_units "$shot")
tens=$(red_tens "$shot")
[ "$(echo $units | wc -w)" = 1 ] || fail "the seconds-units lamps lit: '$units'"
shown_seconds=$((10 * tens + ${units% }))
[ "$shown_seconds" -ge $((before - 1)) ] && [ "$shown_seconds" -le $((after + 1)) ] ||
    fail "the second lamps show $shown_seconds, the clock was at $before..$after"
pass "the second lamps show second $shown_seconds"

# "Secs/No Secs" answers a press: the units lamp goes out at once and stays out.
click_at "$norvi" 30 221
sleep 1.3
import -window "$norvi" "$work/nosecs.png"
[ -z "$(red_units "$work/nosecs.png")" ] || fail "a seconds lamp is still red: $(red_units "$work/nosecs.png")"
pass "Secs/No Secs puts the seconds out"
