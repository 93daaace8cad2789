#!/usr/bin/env bash
# The real program as a screen reader user meets it, through the desktop's accessibility bus:
# Dov is opened from the launcher with the keyboard alone, its time is read from the
# accessibility tree, the Menu key and Shift+F10 open its menu, Escape closes a dialog, and every
# control a user can press in every window has a name.
set -euo pipefail

program=${1:?usage: screen_reader.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"
reader() { /usr/bin/python3 "$(dirname "$0")/a11y.py" "$@"; }

start_x
# A session bus of our own, the accessibility bus beside it, and accessibility switched on the
# way a screen reader switches it on.
eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
pids+=($!)
within 100 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true ||
    fail "the accessibility bus did not start: $(cat "$work/atspi.log")"

start_program "$program" "2026-12-07 10:37:20"
dismiss_advice
within 100 reader focus || fail "the program is not on the accessibility bus"

# The launcher's fourth entry is Dov.
xdotool windowfocus --sync "$(windows_named "vRIM's")" key Tab Tab Tab Tab
[ "$(reader focus)" = "push button: Dov" ] || fail "four Tabs reach '$(reader focus)', not Dov's bar"
xdotool key Return
within 50 shown dov || fail "Enter on Dov's bar did not open the clock"
pass "Tab reaches Dov's bar and Enter opens the clock"

# The program's clock runs on from 10:37:20; the face says the minute it has reached.
sleep 1
expected=$(awk -v s="$started" -v n="$(date +%s.%N)" \
    'BEGIN{t = 10*3600 + 37*60 + 20 + int(n - s); printf "%02d:%02d", t/3600, (t%3600)/60}')
heard=$(reader time dov)
[ "$heard" = "$expected" ] || fail "Dov's time reads '$heard' on the accessibility bus, not $expected"
pass "Dov's time reads $heard"
reader state dov onTop | grep -q checked || fail "Dov's onTop button is not checked: $(reader state dov onTop)"

xdotool key Menu
within 30 eval 'reader menu | grep -qx Quit' || fail "the Menu key did not open Dov's menu"
reader menu | grep -qx "Skin Manager" || fail "Dov's menu lacks Skin Manager: $(reader menu)"
reader unnamed || fail "a control of Dov or its menu has no name"
xdotool key Escape
within 30 eval '! reader menu | grep -q .' || fail "Escape did not close Dov's menu"
xdotool key shift+F10
within 30 eval 'reader menu | grep -qx Quit' || fail "Shift+F10 did not open Dov's menu"
pass "the Menu key and Shift+F10 open Dov's menu, and every item has a name"

# Skin Manager is the second item; Escape closes the dialog.
xdotool key Escape key Menu Down Down Return
within 50 shown "Dov Skin Manager" || fail "the menu did not open the Skin Manager from the keyboard"
reader unnamed || fail "a control of Dov's Skin Manager has no name"
xdotool windowfocus --sync "$(windows_named "Dov Skin Manager")" key Escape
within 50 not_shown "Dov Skin Manager" || fail "Escape did not close the Skin Manager"
pass "the Skin Manager's controls have names and Escape closes it"

# Back to the launcher, then every other window it opens, and back again each time: with the
# window's own way out, or its menu's.
back() {
    local way
    for way in Back Quit Close Exit; do
        reader press "*" "$way" 2>/dev/null && break
    done
    if shown "vRIM's" || within 30 shown "vRIM's"; then return 0; fi
    xdotool windowfocus --sync "$1" key Menu
    sleep 0.5
    reader press "*" Quit 2>/dev/null || reader press "*" Exit 2>/dev/null ||
        xdotool windowfocus --sync "$1" key ctrl+w
    within 50 shown "vRIM's" || fail "no way back to the launcher from $2"
}
back "$(windows_named dov)" Dov
for entry in Vrim norvi lumbo Quenz Mip jolvex Perrin Osttrana Ganto Help; do
    reader press "vRIM's" "$entry"
    within 50 not_shown "vRIM's" || fail "the launcher's $entry did not open its window"
    sleep 0.5
    opened=$(xdotool getwindowfocus)
    reader unnamed || fail "a control of the window $entry opens has no name"
    back "$opened" "$entry"
done
pass "every control of every window has a name"
