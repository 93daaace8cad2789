#!/usr/bin/env bash
# The real program a little before midnight: Gantos, opened from the launcher's Ganto entry,
# started and stopped with the synchronised button about five seconds apart, across midnight.
# Both stopwatches show the same counts, and the count is the distance between their stamps.
# Run again while the system clock is set on a second at a time, eight times: the count is the
# time that really went by.
# Then About moves Gantos aside with the about box at its place, and Exit brings the launcher back.
set -euo pipefail

program=${1:?usage: ganto.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
# What the window shows, read back from its controls, one log line whenever it changes.
export QT_LOGGING_RULES="vrim.stopwatch.info=true"
start_program "$program" "2026-12-07 23:59:40"
dismiss_advice
open_from_launcher 264 Gantos
ganto=$clock
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$ganto")" = "400x300" ] || fail "Gantos is $(size_of "$ganto")"
pass "Gantos opened from the launcher"

last_state() { grep 'vrim.stopwatch' "$work/out.log" | tail -n 1; }
# Field $2 of the log line $1: the quoted texts in order (clock, button, started, stopped,
# hours, minutes, seconds for each column, then the synchronised button).
field() { grep -o "'[^']*'" <<<"$1" | sed -n "${2}p" | tr -d "'"; }

press() { click_at "$ganto" "$1" "$2"; }
press 200 278 # Sincronized Start
said() { grep -q "$1" "$work/out.log"; }
within 20 said "'Sincronized Stop'" || fail "Sincronized Start did not start both"
sleep 5.4
press 200 278 # Sincronized Stop
within 20 said "'Sincronized Reset'" || fail "Sincronized Stop did not stop both"
state=$(last_state)
echo "$state"

seconds_of() { awk -F: '{print $1 * 3600 + $2 * 60 + $3}' <<<"$1"; }
for column in 0 7; do
    started=$(field "$state" $((column + 3)))
    stopped=$(field "$state" $((column + 4)))
    [[ $started =~ ^[0-9]{2}:[0-9]{2}:[0-9]{2}\ \ $ ]] || fail "start stamp '$started'"
    [[ $stopped =~ ^[0-9]{2}:[0-9]{2}:[0-9]{2}\ \ $ ]] || fail "stop stamp '$stopped'"
    span=$(( ($(seconds_of "${stopped% *}") - $(seconds_of "${started% *}") + 86400) % 86400 ))
    counted=$(field "$state" $((column + 7)))
    [ "$counted" = "$span" ] || fail "column $column counted $counted s between $started and $stopped"
    [ "$(field "$state" $((column + 5)))" = 0 ] && [ "$(field "$state" $((column + 6)))" = 0 ] ||
        fail "hours and minutes of a short run: $state"
done
[ "$(field "$state" 7)" = "$(field "$state" 14)" ] || fail "the two stopwatches differ: $state"
[ "$(field "$state" 3)" = "$(field "$state" 10)" ] || fail "the two started apart: $state"
counted=$(field "$state" 7)
[ "$counted" -ge 4 ] && [ "$counted" -le 8 ] || fail "counted $counted s in about five"
pass "both counted $counted s, from $(field "$state" 3)to $(field "$state" 4)"

# On the screen: the seconds boxes of the two columns look the same, and show a number.
import -window "$ganto" "$work/ganto.png"
[ -n "${GANTO_SHOT:-}" ] && cp "$work/ganto.png" "$GANTO_SHOT"
convert "$work/ganto.png" -crop 123x22+72+192 +repage "$work/left.png"
convert "$work/ganto.png" -crop 123x22+267+192 +repage "$work/right.png"
differ=$(compare -metric AE "$work/left.png" "$work/right.png" null: 2>&1 || true)
[ "$differ" = 0 ] || fail "the seconds boxes differ in $differ pixels"
dark=$(convert "$work/left.png" -threshold 50% -format "%[fx:round(w*h*(1-mean))]" info:)
[ "$dark" -gt 10 ] || fail "the seconds box shows no number"
pass "the two seconds boxes show the same $dark dark pixels"

# Reset, and a run during which the clock is set on 1 s eight times, each 0.6 s after the last.
said_since() { tail -n +"$mark" "$work/out.log" | grep -q "$1"; }
mark=$(($(wc -l <"$work/out.log") + 1))
press 200 278 # Sincronized Reset
within 20 said_since "'Sincronized Start'" || fail "Sincronized Reset did not reset both"
mark=$(($(wc -l <"$work/out.log") + 1))
before=$(date +%s.%N)
press 200 278 # Sincronized Start
within 20 said_since "'Sincronized Stop'" || fail "the second Sincronized Start did not start both"
for _ in 1 2 3 4 5 6 7 8; do
    sleep 0.6
    jump_clock 1
done
press 200 278 # Sincronized Stop
after=$(date +%s.%N)
within 20 said_since "'Sincronized Reset'" || fail "the second Sincronized Stop did not stop both"
state=$(last_state)
echo "$state"
really=$(awk -v a="$before" -v b="$after" 'BEGIN{printf "%.1f", b - a}')
for column in 0 7; do
    counted=$(field "$state" $((column + 7)))
    # The count is the seconds that began within the run: under the whole time between the
    # clicks plus one, and a slow click may cost a second at the start.
    awk -v c="$counted" -v r="$really" 'BEGIN{exit !(c >= r - 1.5 && c < r + 1.05)}' ||
        fail "column $column counted $counted s in $really s while the clock was set on 8 s"
done
pass "counted $(field "$state" 7) s in $really s while the clock was set on 8 s"

# About: Gantos moves to 7000 twips from the left, the about box opens at 1100, 2500 twips.
open_from_menu "$ganto" 20 20 2 "About Vrim Clocks"
[ "$(frame_place_of "$ganto")" = "467,100" ] || fail "Gantos is at $(frame_place_of "$ganto") after About"
# A window placed before it is first shown is placed by its inside: the window manager's frame
# goes around it.
[ "$(frame_place_of "$dialog")" = "73,167" ] || [ "$(place_of "$dialog")" = "73,167" ] ||
    fail "the about box is at $(frame_place_of "$dialog")"
xdotool windowfocus --sync "$dialog" key Return
gone() { ! shown "$1"; }
within 50 gone "About Vrim Clocks" || fail "OK did not close the about box"
pass "About placed Gantos at 467,100 and the about box at 73,167"

# Exit, the third item, shows the launcher.
open_from_menu "$ganto" 20 20 3 "vRIM's"
within 30 gone Gantos || fail "Gantos stayed open after Exit"
pass "Exit closed Gantos and brought back the launcher"
