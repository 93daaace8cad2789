#!/usr/bin/env bash
# The real program while its system clock is set: the Norvi clock, open across 10:05:00 with its
# default "5 min" chime, then set back an hour and on a day. At the next second the lamps show the
# new time (hour IX, the second the clock reads) and keep stepping; the chime sounded once, at
# 10:05:00, and neither setting of the clock sounds it again.
set -euo pipefail

program=${1:?usage: clock_jumps.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
export TZ=UTC QT_LOGGING_RULES="vrim.chime.info=true"
start_program_jumping "$program" "2026-12-07 10:04:35"
dismiss_advice
click_at "$(windows_named "vRIM's")" 30 49 # the norvi label
within 50 shown norvi || fail "the Norvi clock did not open"
norvi=$(windows_named norvi)

# The second the seconds lamps show: red tens cells counted, the one red units cell.
shown_second() {
    local k tens=0 units=""
    for k in 0 1 2 3 4 5; do [ "$(rgb_at "$1" 37 $((82 - 10 * k)))" = "255,0,0" ] && tens=$((tens + 1)); done
    for k in 0 1 2 3 4 5 6 7 8 9; do [ "$(rgb_at "$1" 37 $((186 - 10 * k)))" = "255,0,0" ] && units+="$k "; done
    [ "$(wc -w <<<"$units")" = 1 ] || fail "the seconds units lamps lit: '$units'"
    echo $((10 * tens + units))
}
# Takes a screenshot and fails unless the lamps show the program's second at that moment.
# $1 names the moment.
check_seconds() {
    local before after second
    before=$(program_time)
    import -window "$norvi" "$work/norvi.png"
    after=$(program_time)
    second=$(shown_second "$work/norvi.png")
    awk -v b="$before" -v a="$after" -v s="$second" 'BEGIN{
        lo = int(b) % 60 - 1; hi = int(a) % 60 + 1; ok = 0
        for (t = lo; t <= hi; t++) if ((t + 60) % 60 == s) ok = 1
        exit !ok }' || fail "$1: the lamps show second $second, the clock read $(date -u -d "@${before%.*}" +%T)"
    echo "$second"
}
chimes() { grep -c 'chime Norvi' "$work/out.log" || true; }
chimed() { [ "$(chimes)" -ge 1 ]; }

within 400 chimed || fail "no chime at 10:05:00"
grep -q 'chime Norvi 2026-12-07 10:05:00' "$work/out.log" || fail "the chime: $(grep 'chime' "$work/out.log")"
sleep 1.5
check_seconds "at 10:05" >/dev/null
expect "$work/norvi.png" 20 73 "0,255,0" "the X lamp at 10:05"
pass "the chime sounded at 10:05:00; the lamps show hour X and the second"

jump_clock -3600
sleep 1.1
first=$(check_seconds "the next second after setting the clock back an hour")
expect "$work/norvi.png" 20 107 "0,255,0" "the IX lamp after setting the clock back"
sleep 1.1
[ "$(check_seconds "a second later")" != "$first" ] || fail "the lamps stopped at second $first"
pass "set back an hour: the lamps show hour IX and step on from second $first"

jump_clock 86400
sleep 1.1
first=$(check_seconds "the next second after setting the clock on a day")
sleep 1.1
[ "$(check_seconds "a second later")" != "$first" ] || fail "the lamps stopped at second $first"
expect "$work/norvi.png" 20 107 "0,255,0" "the IX lamp a day later"
pass "set on a day: the lamps step on from second $first"

[ "$(chimes)" = 1 ] || fail "the chime sounded $(chimes) times: $(grep 'chime' "$work/out.log")"
pass "one chime in all"
