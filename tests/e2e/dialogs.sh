#!/usr/bin/env bash
# The real program under a window manager, its clocks on top of the rest: each dialog or message
# a clock opens (its warning about a damaged file, its Skin Manager, the Skin Manager's file
# chooser, the help page, the about box, Lumbo's preferences and their colour chooser) opens above every on-top
# window of the program, transient for the window it came from, and a click on its button lands
# even where an on-top clock lay over the button's place.
set -euo pipefail

program=${1:?usage: dialogs.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
start_program "$program"
dismiss_advice
open_from_launcher 79 lum-bo # a wide clock, to lie over the dialogs' buttons
lumbo=$clock
# The help menu's page, left by its Exit, brings the launcher back for the next clock.
open_help_page
click_at "$(windows_named "Vrim Clocks Help")" 190 415 # Exit
within 50 shown "vRIM's" || fail "the help page's Exit brought no launcher"
ln -sf /dev/zero "$folder/Settings/Dovspref.prf" # a sound settings file that never ends
open_from_launcher 110 dov
dov=$clock

hex() { printf '0x%x' "$1"; }
# Fails unless no on-top window lies above the window $1 ($2 says what it is) in the window
# manager's stacking order, and it is transient for the window $3.
expect_in_front() {
    local id above=""
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g' | tr ' ' '\n' |
        sed -n "/^$(hex "$1")\$/,\$p" | tail -n +2); do
        xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && above+=" $(xprop -id "$id" WM_NAME)"
    done
    [ -z "$above" ] || fail "on-top windows lie above $2:$above"
    xprop -id "$1" WM_TRANSIENT_FOR | grep -q "# $(hex "$3")\$" ||
        fail "$2 is not transient for its window: $(xprop -id "$1" WM_TRANSIENT_FOR)"
}
# Lays the on-top Lumbo clock over the point $2,$3 of the window $1, then clicks there.
click_through_lumbo() {
    local x y
    IFS=, read -r x y <<<"$(place_of "$1")"
    x=$((x + $2)) y=$((y + $3))
    xdotool windowmove --sync "$lumbo" $((x - 300)) $((y - 30))
    sleep 0.3
    click_at screen "$x" "$y"
}
gone() { ! viewable "$1"; }
# The warning boxes are the "Vrim Clocks" windows left once the splash has gone.
warning() { windows_named "Vrim Clocks" | head -n 1; }

within 50 test -n "$(warning)" || fail "no warning about Dov's sound settings file"
# Each row: what, how to open it ("-" when it is open already), its window's name, the window
# it is opened from, and where its button that closes it lies in it (a negative x counts from the
# right edge, a negative y from the bottom).
sm='$(windows_named "Dov Skin Manager")'
prefs='$(windows_named preff-ferendz)'
open_lumbo_prefs() {
    click_at "$lumbo" 589 61 # Pref
    within 50 shown preff-ferendz || fail "Pref opened no preferences"
}
while IFS='|' read -r what opening name from x y; do
    [ "$opening" = - ] || eval "$opening"
    within 50 shown "$name" || fail "no $what"
    dialog=$(windows_named "$name" | head -n 1)
    sleep 0.5
    expect_in_front "$dialog" "$what" "$(eval echo "$from")"
    size=$(size_of "$dialog")
    ((x >= 0)) || x=$((${size%x*} + x))
    ((y >= 0)) || y=$((${size#*x} + y))
    click_through_lumbo "$dialog" "$x" "$y"
    within 50 gone "$dialog" || fail "the click on $what's button did not land"
    pass "$what opened above every on-top clock, and a click on its button landed"
done <<ROWS
Dov's warning about its damaged sound file|-|Vrim Clocks|\$dov|-51|-23
the Skin Manager's warning about the same file|open_from_menu "\$dov" 74 42 2 "Dov Skin Manager"|Vrim Clocks|$sm|-51|-23
the Skin Manager's file chooser|click_at "$sm" 57 238|Open|$sm|-52|-23
the Skin Manager|-|Dov Skin Manager|\$dov|363|238
the help page|open_from_menu "\$dov" 74 42 1 "Vrim Clocks Help"|Vrim Clocks Help|\$dov|190|415
the about box|open_from_menu "\$dov" 74 42 4 "About Vrim Clocks"|About Vrim Clocks|\$dov|325|186
Lumbo's colour chooser|open_lumbo_prefs; click_at "$prefs" 62 26|Select Color|$prefs|-51|-23
Lumbo's preferences|-|preff-ferendz|\$lumbo|62|102
ROWS
